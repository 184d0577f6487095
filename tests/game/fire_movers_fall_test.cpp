// The falling movers: the fall and its bottom bound, the drift of whole pools, the small fans'
// drift spread over the pass, the clear-all flag, the inclusive hit windows and the diagonals that
// never hit. Each pass runs with a frame time of 1/64 s, so every position is exact.
#include <gtest/gtest.h>

#include "engine/shell.h"
#include "game/fire/bullet_data.h"
#include "game/fire/bullet_movers.h"
#include "game/player_data.h"
#include "tests/game/fire_movers_fixture.h"
#include "tests/support/game_driver.h"

namespace {

constexpr float kDt = fire_test::kMoverDt;

class FallingMovers : public fire_test::MoverTest {};

void Launch(PatternShot& r, float x, float y) {
  r.x = x;
  r.y = y;
  r.active = 1;
}

TEST_F(FallingMovers, AFallingBulletAtTheBottomBoundStaysAndOnePastItIsFreed) {
  // S1FallingShotsA falls 280 px/s: 4.375 px a frame.
  Launch(pools::S1FallingShotsA[0], 10.0f, 475.625f);
  Launch(pools::S1FallingShotsA[1], 40.0f, 475.75f);
  MoveBulletPool(kPoolS1FallingShotsA);
  EXPECT_EQ(pools::S1FallingShotsA[0].y, 480.0f);
  EXPECT_EQ(pools::S1FallingShotsA[0].active, 1);
  EXPECT_EQ(pools::S1FallingShotsA[0].fallSpeed, 280.0f);
  EXPECT_EQ(pools::S1FallingShotsA[1].active, 0);
  EXPECT_EQ(pools::S1FallingShotsA[1].x, -500.0f);
  EXPECT_EQ(pools::S1FallingShotsA[1].y, 2550.0f);
}

TEST_F(FallingMovers, EachPoolFallsAtItsOwnSpeed) {
  const struct {
    BulletPoolId pool;
    float perFrame;
  } cases[] = {{kPoolS1FallingShotsB, 3.125f},  {kPoolS1FallingShotsD, 2.34375f},
               {kPoolS2FallingShotsD, 2.234375f}, {kPoolS1PairShots, 3.90625f},
               {kPoolS2FanShotsB, 1.40625f},    {kPoolS2FanShotsF, 2.03125f},
               {kPoolS2DriftShotsB, 2.8125f},   {kPoolS1DriftShotsA, 1.875f},
               {kPoolS1SmallFanShotsC, 4.0625f}, {kPoolS2SmallFanShotsG, 1.71875f},
               {kPoolS2FallingShotsA, 3.125f}};
  for (const auto& c : cases) {
    PatternShot& r = PoolHandle<PatternShot>{c.pool}[0];
    Launch(r, 10.0f, 0.0f);
    MoveBulletPool(c.pool);
    EXPECT_EQ(r.y, c.perFrame) << kBulletPools[c.pool].name;
  }
}

TEST_F(FallingMovers, TheWholePoolDriftsByPlaceInItsGroupParkedRecordsToo) {
  // The arc's seven columns spread -210 ... +210 px/s; record 9 is column 2 of arc 1.
  Launch(pools::S1ArcShots[9], 100.0f, 50.0f);
  MoveBulletPool(kPoolS1ArcShots);
  EXPECT_EQ(pools::S1ArcShots[9].x, 100.0f - 70.0f / 64);
  EXPECT_EQ(pools::S1ArcShots[0].x, -500.0f - 210.0f / 64);  // parked, drifting
  EXPECT_EQ(pools::S1ArcShots[0].y, 2550.0f);
  EXPECT_EQ(pools::S1ArcShots[34].x, -500.0f + 210.0f / 64);
  // Edge drift: only the outer bullets of each five drift.
  MoveBulletPool(kPoolS2DriftShotsC);
  EXPECT_EQ(pools::S2DriftShotsC[5].x, -500.0f - 100.0f / 64);
  EXPECT_EQ(pools::S2DriftShotsC[6].x, -500.0f);
  EXPECT_EQ(pools::S2DriftShotsC[8].x, -500.0f);
  EXPECT_EQ(pools::S2DriftShotsC[9].x, -500.0f + 100.0f / 64);
  // Column drift: B drifts left by 30, 60, 90.
  MoveBulletPool(kPoolS1DriftShotsB);
  EXPECT_EQ(pools::S1DriftShotsB[4].x, -500.0f - 60.0f / 64);
  // The alternating drift of the pairs.
  MoveBulletPool(kPoolS2DriftShotsA);
  EXPECT_EQ(pools::S2DriftShotsA[2].x, -500.0f - 120.0f / 64);
  EXPECT_EQ(pools::S2DriftShotsA[3].x, -500.0f + 120.0f / 64);
}

TEST_F(FallingMovers, SmallFansDriftEachRecordByItsWholeSideSpeedInAPass) {
  const struct {
    BulletPoolId pool;
    float sides[4];
  } cases[] = {{kPoolS1SmallFanShotsA, {-60, 60}},
               {kPoolS1SmallFanShotsB, {-69, 0, 69}},
               {kPoolS1SmallFanShotsC, {-28, 28, -80, 80}},
               {kPoolS2SmallFanShotsJ, {-30, 30}},
               {kPoolS2SmallFanShotsM, {-39, 0, 39}},
               {kPoolS2SmallFanShotsG, {-28, 28, -80, 80}}};
  for (const auto& c : cases) {
    const PoolHandle<PatternShot> fan{c.pool};
    for (int j = 0; j < fan.size(); ++j) Launch(fan[j], 100.0f, 50.0f);
    fan[0].active = 0;  // a free record drifts as well
    MoveBulletPool(c.pool);
    for (int j = 0; j < fan.size(); ++j) {
      EXPECT_EQ(fan[j].x, 100.0f + c.sides[j] / 64) << kBulletPools[c.pool].name << " " << j;
    }
  }
}

TEST_F(FallingMovers, ASmallFanTestsEachRecordAfterOnlyItsShareOfTheDrift) {
  // S2SmallFanShotsA: -30, +30 over two records; record 0 is tested after -15/64 of drift.
  const float lo = 14.0f;  // the window's left bound
  Launch(pools::S2SmallFanShotsA[0], gPlayerX + lo + 15.0f / 64, gPlayerY + 24.0f - 140.0f / 64);
  MoveBulletPool(kPoolS2SmallFanShotsA);
  EXPECT_EQ(gPlayerAlive, 0);
  EXPECT_EQ(pools::S2SmallFanShotsA[0].x, gPlayerX + lo - 15.0f / 64);  // whole drift by now
}

TEST_F(FallingMovers, HitWindowsAreInclusiveOnAllFourBounds) {
  // S1FallingShotsB: dx in [10, 30], dy in [20, 30]; it falls 3.125 px a frame.
  const struct {
    float dx, dy;
    bool hit;
  } cases[] = {{10, 20, true},    {30, 30, true},    {10, 30, true},   {30, 20, true},
               {9.5f, 25, false}, {30.5f, 25, false}, {20, 19.5f, false}, {20, 30.5f, false}};
  for (const auto& c : cases) {
    SetUp();
    Launch(pools::S1FallingShotsB[3], gPlayerX + c.dx, gPlayerY + c.dy - 3.125f);
    MoveBulletPool(kPoolS1FallingShotsB);
    EXPECT_EQ(gPlayerAlive, c.hit ? 0 : 1) << c.dx << ", " << c.dy;
    EXPECT_EQ(pools::S1FallingShotsB[3].active, 1);  // a hit leaves the bullet falling
  }
}

TEST_F(FallingMovers, TheClearAllFlagFreesFallingBulletsButNotDriftingColumns) {
  gClearEnemyShots = 1;
  Launch(pools::S1FallingShotsA[0], gPlayerX + 5, gPlayerY + 5);
  Launch(pools::S1DriftShotsA[0], gPlayerX + 20, gPlayerY + 20);
  Launch(pools::S2DiagonalShotsA[0], 100, 100);
  MoveBulletPool(kPoolS1FallingShotsA);
  EXPECT_EQ(pools::S1FallingShotsA[0].active, 0);
  EXPECT_EQ(pools::S1FallingShotsA[0].y, 2550.0f);
  EXPECT_EQ(gPlayerAlive, 1);  // freed before its hit test
  MoveBulletPool(kPoolS1DriftShotsA);
  EXPECT_EQ(pools::S1DriftShotsA[0].active, 1);
  EXPECT_EQ(gPlayerAlive, 0);
  MoveBulletPool(kPoolS2DiagonalShotsA);
  EXPECT_EQ(pools::S2DiagonalShotsA[0].active, 0);
}

TEST_F(FallingMovers, DiagonalBulletsSlideOnlyInFlightAndNeverHit) {
  Launch(pools::S2DiagonalShotsA[0], gPlayerX + 10, gPlayerY + 10);
  Launch(pools::S2DiagonalShotsF[1], gPlayerX + 10, gPlayerY + 10);
  MoveBulletPool(kPoolS2DiagonalShotsA);
  MoveBulletPool(kPoolS2DiagonalShotsF);
  EXPECT_EQ(gPlayerAlive, 1);
  EXPECT_EQ(pools::S2DiagonalShotsA[0].x, gPlayerX + 10 - 143.0f / 64);
  EXPECT_EQ(pools::S2DiagonalShotsA[0].y, gPlayerY + 10 + 143.0f / 64);
  EXPECT_EQ(pools::S2DiagonalShotsA[0].sideSpeed, -143.0f);
  EXPECT_EQ(pools::S2DiagonalShotsF[1].x, gPlayerX + 10 + 143.0f / 64);
  EXPECT_EQ(pools::S2DiagonalShotsF[1].sideSpeed, 143.0f);
  EXPECT_EQ(pools::S2DiagonalShotsA[1].x, -500.0f);  // free records do not drift
  EXPECT_EQ(pools::S2DiagonalShotsA[1].sideSpeed, 0.0f);
  pools::S2DiagonalShotsA[0].y = 479.0f;
  MoveBulletPool(kPoolS2DiagonalShotsA);
  EXPECT_EQ(pools::S2DiagonalShotsA[0].active, 0);
}

// Through the real stage frame: a bullet placed above the ship falls onto it in one frame.
TEST(FallingMoversInPlay, AStage1BulletFallsOntoTheShipAndDestroysIt) {
  morv_test::GameDriver game;
  game.EnterStage(1, 0.0f);
  game.PlaceShip(150.0f, 300.0f);
  gPlayerAlive = 1;
  pools::S1FallingShotsA[2] = {};
  Launch(pools::S1FallingShotsA[2], 160.0f, 300.0f - 280.0f / 64);
  game.FixedFrames(1, kDt);
  EXPECT_EQ(pools::S1FallingShotsA[2].y, 300.0f);
  EXPECT_EQ(gPlayerAlive, 0);
}

}  // namespace
