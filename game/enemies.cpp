#include "game/enemies.h"

void MoveEnemy(int, int, int, int) {}
void DrawEnemy(int, int) {}
void SpawnEnemy(int, int, int) {}
void MoveAndDrawStageEnemies(int) {}
void RunEnemySpawnWindows(int) {}
