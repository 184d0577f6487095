// The boss bullets' movers and drawers of one stage frame with every record of every pool of the
// stage in flight inside the field, the ship out of reach so that every record is tested.
#include <benchmark/benchmark.h>

#include "engine/shell.h"
#include "game/fire/bullet_data.h"
#include "game/player_data.h"
#include "tests/support/game_driver.h"

namespace {

// Every record of the stage's pools in flight, spread over the field.
void FillPools(int stage) {
  int n = 0;
  for (int id = 0; id < kBulletPoolCount; ++id) {
    if (kBulletPools[id].stage != stage) continue;
    VisitPool(BulletPoolId(id), [&](auto records) {
      for (auto& r : records) {
        r.x = static_cast<float>(20 + (n * 37) % 300);
        r.y = static_cast<float>(20 + (n * 53) % 200);
        if constexpr (requires { r.angle; }) {
          r.angle = 0.01f * static_cast<float>(n % 628);
          r.speed = 100.0f;
        }
        r.active = 1;
        ++n;
      }
    });
  }
}

void BossPools(benchmark::State& state, int stage) {
  morv_test::GameDriver game;
  game.EnterStage(stage, 0.0f);
  gFrameTime = 1.0f / 64;
  gPlayerX = -1000.0f;
  gPlayerY = -1000.0f;
  for (auto _ : state) {
    gPlayerAlive = 1;
    FillPools(stage);
    RunBossBulletPools(stage);
    benchmark::ClobberMemory();
  }
}

void BM_Stage1BossPoolsAllBusy(benchmark::State& state) { BossPools(state, 1); }
void BM_Stage2BossPoolsAllBusy(benchmark::State& state) { BossPools(state, 2); }
BENCHMARK(BM_Stage1BossPoolsAllBusy);
BENCHMARK(BM_Stage2BossPoolsAllBusy);

}  // namespace
