#include "game/player_ship.h"

void UpdatePlayer() {}
void MovePlayer() {}
void ReadPlayerKeys() {}
void SpawnPlayerFragments() {}
void DrawPlayerFragments() {}
void MovePlayerFragments() {}
