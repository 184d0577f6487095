// The regular enemies' shots: each enemy slot owns one aimed single shot (record n of gEnemyShots)
// and one burst of five aimed shots (records 5n to 5n + 4 of gEnemyBursts). The spawn windows fire
// them; each stage moves and draws the shots of its own slots (kEnemyShotSlots, kS1EnemyBurstSlots,
// kS2EnemyBurstSlots), so a shot fired for any other slot keeps its record, unmoved and unseen,
// until the next reset.
#pragma once

#include "game/fire/bullet_data.h"

// Launch the slot's single shot, or the free shots of its burst, at the ship.
void FireEnemyShot(int slot);
void FireEnemyBurst(int slot);
// One frame of flight, the leaving of the field and the hit test against the ship.
void MoveEnemyShot(int slot);
void MoveEnemyBurst(int slot);
// The shots in flight, with the sprite kind of the slot (EnemyShotKind).
void DrawEnemyShot(int slot, int kind);
void DrawEnemyBurst(int slot, int kind);
// The shot slots and burst slots the stage (1 or 2) runs, each mover then its drawer.
void RunEnemyShotSlots(int stage);
