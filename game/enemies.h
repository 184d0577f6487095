// The regular enemies: movement patterns, pictures and explosions, spawning, and each stage's slot
// table and spawn windows.
#pragma once

#include <span>

// A slot a stage moves and draws: its pattern, picture kind, off-field margins and spawn height.
struct SlotRow {
  int slot;
  int pattern;
  int kind;
  int marginWidth, marginHeight;
  int spawnHeight;
};

enum WindowShots : int { kNoShots = 0, kSingle = 1, kSingleAndBurst = 3 };

// A spawn window, open while lo < distance < hi: the slot is spawned and fires its shots.
struct SpawnWindow {
  int slot;
  float lo, hi;
  WindowShots shots;
};

// A stage's regular enemies: the slots it moves and draws, in slot order, and its spawn windows in
// their order. The one list of each stage's enemy slots; the stage's dropped coins run over it too.
struct StageEnemies {
  std::span<const SlotRow> slots;
  std::span<const SpawnWindow> windows;
};
extern const StageEnemies kS1Enemies;
extern const StageEnemies kS2Enemies;

void MoveEnemy(int slot, int pattern, int marginWidth, int marginHeight);
void DrawEnemy(int slot, int kind);
void SpawnEnemy(int slot, int width, int height);
// Every slot the stage uses, in slot order: MoveEnemy then DrawEnemy with its pattern, margins and
// kind.
void MoveAndDrawStageEnemies(const StageEnemies& stage);
// The stage's spawn windows in their order: SpawnEnemy and the slot's shots while a window is open.
void RunEnemySpawnWindows(const StageEnemies& stage);
