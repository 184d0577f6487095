// The regular enemies: movement patterns, pictures and explosions, spawning, and each stage's slot table and spawn windows.
#pragma once

void MoveEnemy(int slot, int pattern, int marginWidth, int marginHeight);
void DrawEnemy(int slot, int kind);
void SpawnEnemy(int slot, int width, int height);
// Every slot the stage (1 or 2) uses, in slot order: MoveEnemy then DrawEnemy with its pattern, margins and kind.
void MoveAndDrawStageEnemies(int stage);
// The stage's spawn windows in their order: SpawnEnemy and the slot's shots while a window is open.
void RunEnemySpawnWindows(int stage);
