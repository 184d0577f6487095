// The player ship: steering by keys or mouse, the ship picture with its jet flames, and the destruction and recovery with the explosion's fragment rings.
#pragma once

void UpdatePlayer();
void MovePlayer();
void ReadPlayerKeys();
void SpawnPlayerFragments();
void DrawPlayerFragments();
void MovePlayerFragments();
