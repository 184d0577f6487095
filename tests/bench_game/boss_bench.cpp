// Whole stage frames of the real game in the boss fights, with every bullet pool of the stage busy:
// each record flies inside the field, away from the ship, so every mover, hit test and drawer of
// the stage does its full work while the boss's attack step runs.
#include <benchmark/benchmark.h>

#include <span>

#include "game/boss_data.h"
#include "game/fire/bullet_data.h"
#include "game/player_data.h"
#include "game/stage_drivers.h"
#include "tests/support/game_driver.h"

namespace {

constexpr float kFrame = 1.0f / 64;

// Every record of every pool of `stage` in flight, spread over the upper field.
void FillStagePools(int stage) {
  int n = 0;
  for (int id = 0; id < kBulletPoolCount; ++id) {
    if (kBulletPools[id].stage != stage) continue;
    VisitPool(BulletPoolId(id), [&](auto records) {
      for (auto& r : records) {
        r.x = static_cast<float>(20 + (n * 37) % 320);
        r.y = static_cast<float>(20 + (n * 53) % 260);
        if constexpr (requires { r.speed; }) {
          r.speed = 100.0f;
          r.angle = 1.0f;
        }
        r.active = 1;
        ++n;
      }
    });
  }
}

// The stage's boss fight, the boss hit enough to attack, the ship low on the field.
void BossFrames(benchmark::State& state, int stage, float distance, Boss& boss, float life) {
  morv_test::GameDriver game;
  game.EnterStage(stage, distance);
  for (auto _ : state) {
    state.PauseTiming();
    gDistance = distance;
    boss.life = life;
    game.PlaceShip(150.0f, 400.0f);
    gPlayerAlive = 1;
    gLives = 999;
    FillStagePools(stage);
    state.ResumeTiming();
    game.FixedFrames(1, kFrame);
  }
}

void BM_S1BossFrameEveryPoolBusy(benchmark::State& state) {
  BossFrames(state, 1, 3000.0f, gS1Boss, 1000.0f);
}
void BM_S2BossFrameEveryPoolBusy(benchmark::State& state) {
  BossFrames(state, 2, 2000.0f, gS2Boss, 970.0f);
}

}  // namespace

BENCHMARK(BM_S1BossFrameEveryPoolBusy)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_S2BossFrameEveryPoolBusy)->Unit(benchmark::kMicrosecond);
