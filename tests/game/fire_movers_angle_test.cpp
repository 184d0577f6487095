// The steered movers: angle shots along and against their headings with each pool's bounds, the
// pool that frees the bullets that hit, the volleys that end as a whole on record 0, and the
// curving salvos with their turn timer, late drift and restore. Frame time 1/64 s throughout.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "engine/shell.h"
#include "game/fire/bullet_data.h"
#include "game/fire/bullet_movers.h"
#include "game/player_data.h"
#include "tests/game/fire_movers_fixture.h"
#include "tests/support/game_driver.h"

namespace {

constexpr float kDt = fire_test::kMoverDt;

class SteeredMovers : public fire_test::MoverTest {};

// One pixel a frame along the heading.
template <class R>
void Launch(R& r, float x, float y, float angle, float speed = 64.0f) {
  r.x = x;
  r.y = y;
  r.angle = angle;
  r.speed = speed;
  r.active = 1;
}

TEST_F(SteeredMovers, AnAngleShotOnEachEdgeOfTheFieldStaysAndOnePastItIsFreed) {
  const PoolHandle<AngleShot> fan = pools::S1AimedFanShotsA;  // free 20
  Launch(fan[0], 359.0f, 100.0f, 0.0f);
  Launch(fan[1], 359.5f, 100.0f, 0.0f);
  Launch(fan[2], 100.0f, 479.0f, 1.5707964f);
  Launch(fan[3], 100.0f, 479.5f, 1.5707964f);
  Launch(fan[4], 100.0f, -19.0f, -1.5707964f);
  Launch(fan[5], 100.0f, -19.5f, -1.5707964f);
  MoveBulletPool(kPoolS1AimedFanShotsA);
  EXPECT_EQ(fan[0].x, 360.0f);
  EXPECT_EQ(fan[0].active, 1);
  EXPECT_EQ(fan[1].active, 0);
  EXPECT_EQ(fan[1].x, -500.0f);
  EXPECT_EQ(fan[2].y, 480.0f);
  EXPECT_EQ(fan[2].active, 1);
  EXPECT_EQ(fan[3].active, 0);
  EXPECT_EQ(fan[4].y, -20.0f);
  EXPECT_EQ(fan[4].active, 1);
  EXPECT_EQ(fan[5].active, 0);
  // S1AimedFanShotsD frees 40 beyond the top and left edges.
  Launch(pools::S1AimedFanShotsD[0], -39.0f, 100.0f, 3.1415927f);
  Launch(pools::S1AimedFanShotsD[1], -39.5f, 100.0f, 3.1415927f);
  MoveBulletPool(kPoolS1AimedFanShotsD);
  EXPECT_EQ(pools::S1AimedFanShotsD[0].x, -40.0f);
  EXPECT_EQ(pools::S1AimedFanShotsD[0].active, 1);
  EXPECT_EQ(pools::S1AimedFanShotsD[1].active, 0);
}

TEST_F(SteeredMovers, SpiralsAndAnglePoolsFlyAlongOrAgainstTheirHeadings) {
  const struct {
    BulletPoolId pool;
    float step;
  } cases[] = {{kPoolS1SpiralShotsA, -1}, {kPoolS1SpiralShotsB, 1}, {kPoolS1SpiralShotsC, -1},
               {kPoolS1SpiralShotsD, 1},  {kPoolS1SpiralShotsE, 1}, {kPoolS1SpiralShotsF, -1},
               {kPoolS1AngleShotsB, -1},  {kPoolS1AngleShotsC, 1},  {kPoolS2AimedFanShotsG, 1}};
  for (const auto& c : cases) {
    AngleShot& r = PoolHandle<AngleShot>{c.pool}[0];
    Launch(r, 200.0f, 100.0f, 0.0f);
    MoveBulletPool(c.pool);
    EXPECT_EQ(r.x, 200.0f + c.step) << kBulletPools[c.pool].name;
  }
  Launch(pools::S2RingShotsB[71], 200.0f, 100.0f, 0.0f);
  MoveBulletPool(kPoolS2RingShotsB);
  EXPECT_EQ(pools::S2RingShotsB[71].x, 201.0f);
}

TEST_F(SteeredMovers, AnAngleShotThatHitsFliesOnAndAPassMakesOneHit) {
  Launch(pools::S1AngleShotsC[0], gPlayerX + 15, gPlayerY + 25, 0.0f);
  Launch(pools::S1AngleShotsC[50], gPlayerX + 20, gPlayerY + 25, 0.0f);
  MoveBulletPool(kPoolS1AngleShotsC);
  EXPECT_EQ(gPlayerAlive, 0);
  EXPECT_EQ(pools::S1AngleShotsC[0].active, 1);
  EXPECT_EQ(pools::S1AngleShotsC[50].active, 1);
}

TEST_F(SteeredMovers, S1AngleShotsAFreesEveryBulletThatHitsAndWritesTheFlagOnce) {
  const PoolHandle<AngleShot> a = pools::S1AngleShotsA;
  Launch(a[0], gPlayerX + 15, gPlayerY + 25, 0.0f);
  Launch(a[7], gPlayerX + 20, gPlayerY + 25, 0.0f);
  Launch(a[8], gPlayerX + 50, gPlayerY + 25, 0.0f);
  MoveBulletPool(kPoolS1AngleShotsA);
  EXPECT_EQ(gPlayerAlive, 0);
  EXPECT_EQ(a[0].active, 0);
  EXPECT_EQ(a[0].x, -500.0f);
  EXPECT_EQ(a[7].active, 0);  // a second hit in the same pass
  EXPECT_EQ(a[7].y, 2550.0f);
  EXPECT_EQ(a[8].active, 1);
  EXPECT_EQ(a[8].x, gPlayerX + 51);
  // With the ship down nothing is tested.
  Launch(a[1], gPlayerX + 15, gPlayerY + 25, 0.0f);
  MoveBulletPool(kPoolS1AngleShotsA);
  EXPECT_EQ(a[1].active, 1);
}

TEST_F(SteeredMovers, TheClearAllFlagFreesAngleShotsButNotVolleysOrCurvingShots) {
  gClearEnemyShots = 1;
  Launch(pools::S2AngleShots[3], 200.0f, 100.0f, 0.0f);
  Launch(pools::S1VolleyShotsB[0], 200.0f, 100.0f, 0.0f);
  Launch(pools::S2CurvingShotsA[0], 200.0f, 100.0f, 0.0f);
  MoveBulletPool(kPoolS2AngleShots);
  MoveBulletPool(kPoolS1VolleyShotsB);
  MoveBulletPool(kPoolS2CurvingShotsA);
  EXPECT_EQ(pools::S2AngleShots[3].active, 0);
  EXPECT_EQ(pools::S1VolleyShotsB[0].active, 1);
  EXPECT_EQ(pools::S2CurvingShotsA[0].active, 1);
}

// ---- Volleys.

void LaunchVolley(PoolHandle<AimedShot> v, float x, float y) {
  for (int k = 0; k < 5; ++k) {
    Launch(v[k], x, y, 0.0f, 0.0f);
    v[k].x0 = 150.0f;  // the launch point stays inside the field
    v[k].y0 = 150.0f;
  }
}

TEST_F(SteeredMovers, AVolleyEndsWhereItsBulletsAreOnceRecordZeroHasLeft) {
  const PoolHandle<AimedShot> v = pools::S2VolleyShotsK;
  LaunchVolley(v, 300.0f, 200.0f);
  Launch(v[0], 359.0f, 200.0f, 0.0f, 128.0f);  // two pixels a frame
  v[3].x = 420.0f;                             // far outside, but record 0 is not
  MoveBulletPool(kPoolS2VolleyShotsK);
  EXPECT_EQ(v[0].x, 361.0f);
  for (int k = 0; k < 5; ++k) EXPECT_EQ(v[k].active, 0) << k;
  EXPECT_EQ(v[3].x, 420.0f);  // deactivated in place
  EXPECT_EQ(v[1].x, 300.0f);

  LaunchVolley(v, 300.0f, 200.0f);
  v[3].x = 420.0f;
  MoveBulletPool(kPoolS2VolleyShotsK);
  EXPECT_EQ(v[3].active, 1);  // record 0 still inside
}

TEST_F(SteeredMovers, VolleyMarginsAre20ForAAndIAnd30ForTheRest) {
  LaunchVolley(pools::S1VolleyShotsA, -21.0f, 200.0f);
  LaunchVolley(pools::S1VolleyShotsI, 200.0f, -21.0f);
  LaunchVolley(pools::S1VolleyShotsB, -21.0f, 200.0f);
  LaunchVolley(pools::S2VolleyShotsE, 200.0f, -30.0f);
  LaunchVolley(pools::S1VolleyShotsJ, 200.0f, -31.0f);
  MoveBulletPool(kPoolS1VolleyShotsA);
  MoveBulletPool(kPoolS1VolleyShotsI);
  MoveBulletPool(kPoolS1VolleyShotsB);
  MoveBulletPool(kPoolS1VolleyShotsJ);
  EXPECT_EQ(pools::S1VolleyShotsA[4].active, 0);
  EXPECT_EQ(pools::S1VolleyShotsI[4].active, 0);
  EXPECT_EQ(pools::S1VolleyShotsB[4].active, 1);
  MoveBulletPool(kPoolS2VolleyShotsE);
  EXPECT_EQ(pools::S2VolleyShotsE[4].active, 1);
  EXPECT_EQ(pools::S1VolleyShotsJ[4].active, 0);
}

TEST_F(SteeredMovers, AnEndedVolleysBulletsThatStoppedOnTheShipDoNotHit) {
  const PoolHandle<AimedShot> v = pools::S1VolleyShotsD;
  LaunchVolley(v, gPlayerX + 10, gPlayerY + 20);  // all inside the window [0, 30] x [10, 30]
  v[0].y = 490.0f;
  MoveBulletPool(kPoolS1VolleyShotsD);
  EXPECT_EQ(v[2].active, 0);
  EXPECT_EQ(gPlayerAlive, 1);
  LaunchVolley(v, gPlayerX + 10, gPlayerY + 20);
  MoveBulletPool(kPoolS1VolleyShotsD);
  EXPECT_EQ(gPlayerAlive, 0);
}

// ---- Curving salvos.

void LaunchSalvo(PoolHandle<CurvingShot> s, float angle) {
  for (int k = 0; k < 7; ++k) {
    s[k] = {};
    Launch(s[k], 150.0f, 200.0f, angle, 0.0f);
  }
}

TEST_F(SteeredMovers, CurvingShotsTurnByPiOver140AFrameWhileTheirTimerIsAtMost17) {
  EXPECT_EQ(0.022439947f, static_cast<float>(M_PI / 140));
  LaunchSalvo(pools::S2CurvingShotsB, 0.62831855f);
  LaunchSalvo(pools::S2CurvingShotsA, -0.62831855f);
  gPlayerAlive = 0;
  float b = 0.62831855f, a = -0.62831855f;
  // The timer grows 20/64 = 0.3125 a frame: 16.875 after 54 frames, 17.1875 after 55.
  for (int frame = 1; frame <= 54; ++frame) {
    MoveBulletPool(kPoolS2CurvingShotsB);
    MoveBulletPool(kPoolS2CurvingShotsA);
    b = b + 0.022439947f;
    a = a - 0.022439947f;
  }
  EXPECT_EQ(pools::S2CurvingShotsB[3].turnTimer, 16.875f);
  EXPECT_EQ(pools::S2CurvingShotsB[3].angle, b);
  EXPECT_EQ(pools::S2CurvingShotsA[6].angle, a);
  MoveBulletPool(kPoolS2CurvingShotsB);
  EXPECT_EQ(pools::S2CurvingShotsB[3].turnTimer, 18.0f);
  EXPECT_EQ(pools::S2CurvingShotsB[3].angle, b);
  for (int frame = 0; frame < 20; ++frame) MoveBulletPool(kPoolS2CurvingShotsB);
  EXPECT_EQ(pools::S2CurvingShotsB[3].angle, b);
  EXPECT_EQ(pools::S2CurvingShotsB[3].turnTimer, 18.0f);
}

TEST_F(SteeredMovers, ATurnTimerReachingExactly17TurnsOnceMoreAndEndsTheTurning) {
  LaunchSalvo(pools::S2CurvingShotsA, -0.62831855f);
  pools::S2CurvingShotsA[2].turnTimer = 16.6875f;
  MoveBulletPool(kPoolS2CurvingShotsA);
  EXPECT_EQ(pools::S2CurvingShotsA[2].angle, -0.62831855f - 0.022439947f);
  EXPECT_EQ(pools::S2CurvingShotsA[2].turnTimer, 18.0f);
}

TEST_F(SteeredMovers, ACurvingShotTurnsEvenInAFrameOfNoTime) {
  LaunchSalvo(pools::S2CurvingShotsB, 0.62831855f);
  gFrameTime = 0.0f;
  MoveBulletPool(kPoolS2CurvingShotsB);
  EXPECT_EQ(pools::S2CurvingShotsB[0].angle, 0.62831855f + 0.022439947f);
  EXPECT_EQ(pools::S2CurvingShotsB[0].x, 150.0f);
}

TEST_F(SteeredMovers, CurvingShotsDriftAFrameLateBy16Minus7kEachWay) {
  LaunchSalvo(pools::S2CurvingShotsA, -0.62831855f);
  LaunchSalvo(pools::S2CurvingShotsB, 0.62831855f);
  MoveBulletPool(kPoolS2CurvingShotsA);
  MoveBulletPool(kPoolS2CurvingShotsB);
  for (int k = 0; k < 7; ++k) {
    EXPECT_EQ(pools::S2CurvingShotsA[k].x, 150.0f) << k;  // no drift on the first frame
    EXPECT_EQ(pools::S2CurvingShotsA[k].driftX, 16.0f - 7 * k);
    EXPECT_EQ(pools::S2CurvingShotsB[k].driftY, 16.0f - 7 * k);
  }
  MoveBulletPool(kPoolS2CurvingShotsA);
  MoveBulletPool(kPoolS2CurvingShotsB);
  for (int k = 0; k < 7; ++k) {
    const float d = (16.0f - 7 * k) / 64;
    EXPECT_EQ(pools::S2CurvingShotsA[k].x, 150.0f - d) << k;
    EXPECT_EQ(pools::S2CurvingShotsA[k].y, 200.0f - d) << k;
    EXPECT_EQ(pools::S2CurvingShotsB[k].x, 150.0f + d) << k;
    EXPECT_EQ(pools::S2CurvingShotsB[k].y, 200.0f - d) << k;
  }
}

TEST_F(SteeredMovers, CurvingAFliesAgainstItsHeadingAndBAlongIt) {
  LaunchSalvo(pools::S2CurvingShotsA, 0.0f);
  LaunchSalvo(pools::S2CurvingShotsB, 0.0f);
  pools::S2CurvingShotsA[1].speed = 64.0f;
  pools::S2CurvingShotsB[1].speed = 64.0f;
  MoveBulletPool(kPoolS2CurvingShotsA);
  MoveBulletPool(kPoolS2CurvingShotsB);
  EXPECT_EQ(pools::S2CurvingShotsA[1].x, 149.0f);
  EXPECT_EQ(pools::S2CurvingShotsB[1].x, 151.0f);
}

TEST_F(SteeredMovers, AnEndedSalvoGetsItsLaunchHeadingTimerAndDriftBackAndCannotHit) {
  const PoolHandle<CurvingShot> s = pools::S2CurvingShotsA;
  LaunchSalvo(s, -0.62831855f);
  for (int i = 0; i < 10; ++i) MoveBulletPool(kPoolS2CurvingShotsA);
  s[4].x = gPlayerX + 10;  // stopped on the ship when the salvo ends
  s[4].y = gPlayerY + 20;
  s[0].y = 490.0f;
  MoveBulletPool(kPoolS2CurvingShotsA);
  for (int k = 0; k < 7; ++k) {
    EXPECT_EQ(s[k].active, 0) << k;
    EXPECT_EQ(s[k].turnTimer, 0.0f);
    EXPECT_EQ(s[k].angle, -0.62831855f);
    EXPECT_EQ(s[k].driftX, 0.0f);
    EXPECT_EQ(s[k].driftY, 0.0f);
  }
  EXPECT_EQ(s[4].x, gPlayerX + 10 + 12.0f / 64);  // its last drift, then it stopped
  EXPECT_EQ(gPlayerAlive, 1);
  // The curving window is [0, 30] x [10, 30].
  LaunchSalvo(s, -0.62831855f);
  s[2].x = gPlayerX + 30;
  s[2].y = gPlayerY + 10;
  MoveBulletPool(kPoolS2CurvingShotsA);
  EXPECT_EQ(gPlayerAlive, 0);
}

// Through the real stage-2 frame: every stage-2 pool moves, and the curving shots turn.
TEST(SteeredMoversInPlay, TheStage2FrameMovesItsCurvingSalvo) {
  morv_test::GameDriver game;
  game.EnterStage(2, 0.0f);
  game.PlaceShip(0.0f, 400.0f);
  LaunchSalvo(pools::S2CurvingShotsB, 0.62831855f);
  game.FixedFrames(2, kDt);
  EXPECT_EQ(pools::S2CurvingShotsB[0].turnTimer, 0.625f);
  EXPECT_EQ(pools::S2CurvingShotsB[0].x, 150.0f + 16.0f / 64);
  // Stage-1 pools stand still in stage 2.
  Launch(pools::S1SpiralShotsB[0], 200.0f, 100.0f, 0.0f);
  game.FixedFrames(1, kDt);
  EXPECT_EQ(pools::S1SpiralShotsB[0].x, 200.0f);
}

}  // namespace
