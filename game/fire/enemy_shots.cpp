#include "game/fire/enemy_shots.h"

void FireEnemyShot(int) {}
void FireEnemyBurst(int) {}
void MoveEnemyShot(int) {}
void MoveEnemyBurst(int) {}
void DrawEnemyShot(int, int) {}
void DrawEnemyBurst(int, int) {}
void RunEnemyShotSlots(int) {}
