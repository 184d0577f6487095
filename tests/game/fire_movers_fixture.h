// The set-up both mover suites start from: every pool freed, a frame time of 1/64 s (so that every
// position is exact), no clear-all, and a live ship at (100, 200).
#pragma once

#include <gtest/gtest.h>

#include "engine/shell.h"
#include "game/fire/bullet_data.h"
#include "game/player_data.h"

namespace fire_test {

inline constexpr float kMoverDt = 1.0f / 64;

class MoverTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int p = 0; p < kBulletPoolCount; ++p) ResetBulletPool(BulletPoolId(p));
    gFrameTime = kMoverDt;
    gClearEnemyShots = 0;
    gPlayerAlive = 1;
    gPlayerX = 100.0f;
    gPlayerY = 200.0f;
  }
  void TearDown() override { gClearEnemyShots = 0; }
};

}  // namespace fire_test
