// Whole stage frames of the real game with the field as full as it gets: all three scenery layers
// of 5,000 tiles (15,000 blits, nearly all wholly outside the clip rectangle), the star field,
// every enemy slot of the stage flying or exploding, every coin falling or sparkling, the pickup,
// and every record of the stage's enemy-bullet pools in flight. One iteration is one frame.
#include <benchmark/benchmark.h>

#include <span>

#include "engine/el_draw.h"
#include "engine/shell.h"
#include "game/asset_list.h"
#include "game/background_data.h"
#include "game/backgrounds.h"
#include "game/enemy_data.h"
#include "game/fire/bullet_data.h"
#include "game/game_states.h"
#include "game/item_data.h"
#include "game/player_data.h"
#include "game/stage_drivers.h"
#include "tests/support/game_driver.h"

using morv_test::GameDriver;

namespace {

constexpr float kFrame = 1.0f / 64.0f;

void StackColumn(BackgroundTile (&layer)[kBackgroundTileCount]) {
  for (int i = 0; i < kBackgroundTileCount; ++i) layer[i] = {0.0f, -480.0f * static_cast<float>(i)};
}

// Puts every pool of the stage back to full: the frame before moved, exploded, collected or freed
// some of it.
void FillField(int stage, float distance) {
  gDistance = distance;
  gLives = 999;
  gPlayerAlive = 1;
  gPaused = 0;
  gContinuePrompt = 0;
  gPlayerX = 150.0f;
  gPlayerY = 400.0f;
  StackColumn(gBackOverlay);
  if (stage == 1) {
    StackColumn(gBackS1Near);
    StackColumn(gBackS1Far);
    gS1Backdrop = {0.0f, 120.0f};
  } else {
    StackColumn(gBackS2Near);
    StackColumn(gBackS2Far);
  }
  for (int i = 0; i < kStarCount; ++i) {
    gStars[i] = {i % 7, static_cast<float>(i * 37 % 360), static_cast<float>(i * 53 % 470), 0.0f,
                 100.0f};
  }
  for (int i = 0; i < kEnemyCount; ++i) {
    Enemy& e = gEnemies[i];
    e.active = 1;
    e.hit = i % 2;  // every other slot in the middle of its explosion
    e.explosionPass = 0;
    e.explosionFrame = 4;
    e.explosionStyle = i % 4;
    e.x = static_cast<float>(20 + i * 13 % 260);
    e.y = static_cast<float>(10 + i * 11 % 300);
    e.vx = 30.0f;
    e.vy = 100.0f;
    e.patternTimer = static_cast<float>(i * 9);
  }
  auto fillCoins = [](std::span<Coin> coins) {
    for (size_t i = 0; i < coins.size(); ++i) {
      coins[i] = {static_cast<float>(i * 29 % 330), static_cast<float>(i * 17 % 300), 150.0f, 1,
                  static_cast<int32_t>(i % 2), 0, static_cast<int32_t>(i % 10)};
    }
  };
  fillCoins(gDroppedCoins);
  fillCoins(stage == 1 ? std::span<Coin>(gS1Coins) : std::span<Coin>(gS2Coins));
  gSpecialWeaponItem = {100.0f, 100.0f, 150.0f, 1, 0};
  // Bullets over the upper field, clear of the ship.
  for (int id = 0; id < kBulletPoolCount; ++id) {
    if (kBulletPools[id].stage != 0 && kBulletPools[id].stage != stage) continue;
    VisitPool(static_cast<BulletPoolId>(id), [](auto records) {
      int k = 0;
      for (auto& r : records) {
        r.x = static_cast<float>(k * 23 % 340);
        r.y = static_cast<float>(k * 31 % 280);
        r.active = 1;
        ++k;
      }
    });
  }
}

void StageFrame(benchmark::State& state, int stage, float distance) {
  GameDriver game;
  game.EnterStage(stage, distance);
  game.FixedFrames(2, kFrame);
  for (auto _ : state) {
    state.PauseTiming();
    FillField(stage, distance);
    state.ResumeTiming();
    game.FixedFrames(1, kFrame);
  }
  if (gGameState != (stage == 1 ? kStateStage1 : kStateStage2)) state.SkipWithError("left the stage");
}

// Stage 1 before its boss, with four spawn windows open; stage 2 with its pickup window and three
// spawn windows open.
void Stage1Frame(benchmark::State& state) { StageFrame(state, 1, 1100.0f); }
void Stage2Frame(benchmark::State& state) { StageFrame(state, 2, 310.0f); }
BENCHMARK(Stage1Frame)->Unit(benchmark::kMicrosecond);
BENCHMARK(Stage2Frame)->Unit(benchmark::kMicrosecond);

// One scenery layer's worth of tile blits: 5,000 full-size tiles stacked upward from the top of
// the field, all but the first two wholly clipped away.
void LayerTileBlits(benchmark::State& state) {
  GameDriver game;
  game.EnterStage(1, 0.0f);
  const int slot = ImageSlot(kImgBBACK1S);
  for (auto _ : state) {
    for (int i = 0; i < kBackgroundTileCount; ++i) {
      elDraw::BltObject(0, -480 * i, slot, 0, 0, 360, 480);
    }
  }
  state.SetItemsProcessed(state.iterations() * kBackgroundTileCount);
}
BENCHMARK(LayerTileBlits)->Unit(benchmark::kMicrosecond);

// The same 5,000 blits with every tile wholly above the field: the cost of a rejected blit.
void ClippedTileBlits(benchmark::State& state) {
  GameDriver game;
  game.EnterStage(1, 0.0f);
  const int slot = ImageSlot(kImgBBACK1S);
  for (auto _ : state) {
    for (int i = 2; i < kBackgroundTileCount + 2; ++i) {
      elDraw::BltObject(0, -480 * i, slot, 0, 0, 360, 480);
    }
  }
  state.SetItemsProcessed(state.iterations() * kBackgroundTileCount);
}
BENCHMARK(ClippedTileBlits)->Unit(benchmark::kMicrosecond);

// One frame of a scenery layer as the stage runs it: its 5,000 tiles drawn where they lie (two on
// the field, the rest far above it) and moved.
void SceneryLayerStep(benchmark::State& state) {
  GameDriver game;
  game.EnterStage(1, 0.0f);
  gDistance = 0.0f;
  for (auto _ : state) {
    state.PauseTiming();
    StackColumn(gBackS1Far);
    state.ResumeTiming();
    ScrollBackgroundS1Far();
  }
  state.SetItemsProcessed(state.iterations() * kBackgroundTileCount);
}
BENCHMARK(SceneryLayerStep)->Unit(benchmark::kMicrosecond);

// The same with every tile far above the field: only the pass over the 5,000 tiles and their
// move, which every layer pays every frame (a frame time of 0 keeps them where they are).
void SceneryLayerPassOver(benchmark::State& state) {
  GameDriver game;
  game.EnterStage(1, 0.0f);
  gDistance = 0.0f;
  StackColumn(gBackS1Far);
  for (BackgroundTile& t : gBackS1Far) t.y -= 100000.0f;
  gFrameTime = 0.0f;
  for (auto _ : state) ScrollBackgroundS1Far();
  state.SetItemsProcessed(state.iterations() * kBackgroundTileCount);
}
BENCHMARK(SceneryLayerPassOver)->Unit(benchmark::kMicrosecond);

}  // namespace
