// The regular enemies' aimed shots and five-shot bursts.
#pragma once

#include "game/fire/bullet_data.h"

void FireEnemyShot(int slot);
void FireEnemyBurst(int slot);
void MoveEnemyShot(int slot);
void MoveEnemyBurst(int slot);
void DrawEnemyShot(int slot, int kind);
void DrawEnemyBurst(int slot, int kind);
// The shot slots and burst slots the stage (1 or 2) runs, each mover then its drawer.
void RunEnemyShotSlots(int stage);
