// The bosses' spawners: the placement families (column arcs, pairs, chevrons, single drops), the
// aimed fans and rings, the spiral steps, the offsets summed in their written order, and the rule
// that a record in flight is left exactly as it is.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "game/boss_data.h"
#include "game/fire/bullet_data.h"
#include "game/fire/fire_rules.h"
#include "game/fire/volley_spawners.h"
#include "game/player_data.h"

namespace {

class Spawners : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int p = 0; p < kBulletPoolCount; ++p) ResetBulletPool(BulletPoolId(p));
    gS1Boss.x = 10.0f;
    gS1Boss.y = 20.0f;
    gS2Boss.x = 10.0f;
    gS2Boss.y = 20.0f;
    gPlayerX = 150.0f;
    gPlayerY = 300.0f;
  }
};

// Every record store, byte for byte.
std::vector<unsigned char> Stores() {
  std::vector<unsigned char> bytes;
  auto add = [&](const void* p, size_t n) {
    const auto* b = static_cast<const unsigned char*>(p);
    bytes.insert(bytes.end(), b, b + n);
  };
  add(gPatternShots, sizeof gPatternShots);
  add(gAngleShots, sizeof gAngleShots);
  add(gRingShots, sizeof gRingShots);
  return bytes;
}

TEST_F(Spawners, ASpawnerOnARecordInFlightChangesNothingAtAll) {
  pools::S1PairShots[5].active = 1;
  pools::S1ArcShots[9].active = 1;
  pools::S2DriftShotsC[7].active = 1;
  pools::S2FallingShotsD[4].active = 1;
  pools::S2AimedFanShotsF[10].active = 1;
  pools::S2RingShotsA[30].active = 1;
  pools::S1SpiralShotsE[9].active = 1;
  const std::vector<unsigned char> before = Stores();
  SpawnS1PairShots(5, 4);
  SpawnS1ArcShots(9, 7);
  SpawnS2DriftShotsC(7, 5);
  SpawnS2FallingShotsD(4, 4);
  SpawnS2AimedFanShotsF(10, 7);
  SpawnS2RingShotsA(30);
  SpawnS1SpiralShotsE(9, 9);
  EXPECT_TRUE(Stores() == before);
}

TEST_F(Spawners, APairPlacesBothBulletsAndMovesAPartnerInFlightBack) {
  pools::S1FallingShotsB[2] = {0, 0, 55.0f, 66.0f, 0, 0, 1};
  SpawnS1FallingShotsB(3, 2);
  EXPECT_EQ(pools::S1FallingShotsB[2].x, 120.0f);  // boss x + 210 - 100
  EXPECT_EQ(pools::S1FallingShotsB[2].y, 66.0f);   // only the firing record's y
  EXPECT_EQ(pools::S1FallingShotsB[3].x, 320.0f);
  EXPECT_EQ(pools::S1FallingShotsB[3].y, 190.0f);  // boss y + 200 - 30
  EXPECT_EQ(pools::S1FallingShotsB[3].active, 1);
  SpawnS2FallingShotsC(0, 0);
  EXPECT_EQ(pools::S2FallingShotsC[0].x, 160.0f);
  EXPECT_EQ(pools::S2FallingShotsC[1].x, 320.0f);
  EXPECT_EQ(pools::S2FallingShotsC[0].y, 150.0f);
  EXPECT_EQ(pools::S2FallingShotsC[1].active, 0);
}

TEST_F(Spawners, AColumnArcPutsTheFiringRecordInItsColumnAndStaggersTheGroup) {
  SpawnS1ArcShots(9, 7);
  const float ys[7] = {154, 183, 194, 200, 194, 183, 154};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(pools::S1ArcShots[7 + i].y, 20.0f + ys[i]) << i;
  EXPECT_EQ(pools::S1ArcShots[9].x, 210.0f);
  EXPECT_EQ(pools::S1ArcShots[9].active, 1);
  EXPECT_EQ(pools::S1ArcShots[7].x, -500.0f);
  EXPECT_EQ(pools::S1ArcShots[7].active, 0);
  EXPECT_EQ(pools::S1ArcShots[14].y, 2550.0f);
  SpawnS2FanShotsJ(12, 10);
  EXPECT_EQ(pools::S2FanShotsJ[12].x, 360.0f);
  EXPECT_EQ(pools::S2FanShotsJ[14].y, 80.0f);
  SpawnS1DriftShotsB(5, 3);
  EXPECT_EQ(pools::S1DriftShotsB[5].x, 340.0f);
  EXPECT_EQ(pools::S1DriftShotsB[5].y, 140.0f);
}

TEST_F(Spawners, AChevronLaysFiveBulletsInAFlatV) {
  SpawnS2DriftShotsB(7, 5);
  const float xs[5] = {86, 108, 130, 152, 174};
  const float ys[5] = {70, 93, 100, 93, 70};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(pools::S2DriftShotsB[5 + i].x, xs[i]) << i;
    EXPECT_EQ(pools::S2DriftShotsB[5 + i].y, ys[i]) << i;
    EXPECT_EQ(pools::S2DriftShotsB[5 + i].active, i == 2 ? 1 : 0) << i;
  }
}

TEST_F(Spawners, ASingleDropLeavesFromItsPointOfTheBoss) {
  SpawnS2DiagonalShotsE(4, 4);
  EXPECT_EQ(pools::S2DiagonalShotsE[4].x, 420.0f);
  EXPECT_EQ(pools::S2DiagonalShotsE[4].y, 110.0f);
  SpawnS1FallingShotsE(18, 18);
  EXPECT_EQ(pools::S1FallingShotsE[18].x, 300.0f);
  EXPECT_EQ(pools::S1FallingShotsE[18].y, 120.0f);
}

TEST_F(Spawners, OffsetsAreSummedInTheirWrittenOrder) {
  // With the boss at x 0.1 the two ways of summing give different floats.
  gS1Boss.x = gS2Boss.x = 0.1f;
  const float x = 0.1f;
  ASSERT_NE((x + 240.0f) - 120.0f, x + 120.0f);
  ASSERT_NE((x + 210.0f) - 90.0f, x + 120.0f);
  SpawnS2DriftShotsB(2, 0);
  EXPECT_EQ(pools::S2DriftShotsB[2].x, (x + 240.0f) - 120.0f);
  SpawnS1SpiralShotsC(3, 3);
  EXPECT_EQ(pools::S1SpiralShotsC[3].x, (x + 210.0f) - 90.0f);
  SpawnS1DriftShotsA(0, 0);
  EXPECT_EQ(pools::S1DriftShotsA[0].x, (x + 210.0f) - 120.0f);
  // The rings and the stage-2 fans' launch points.
  gS2Boss.x = 30.7f;
  const float x2 = 30.7f;
  ASSERT_NE((x2 + 240.0f) - 100.0f, x2 + 140.0f);
  ASSERT_NE((x2 + 230.0f) - 130.0f, x2 + 100.0f);
  SpawnS2RingShotsA(5);
  EXPECT_EQ(pools::S2RingShotsA[5].x, (x2 + 240.0f) - 100.0f);
  SpawnS2AimedFanShotsB(0, 0);
  EXPECT_EQ(pools::S2AimedFanShotsB[0].x0, (x2 + 230.0f) - 130.0f);
}

TEST_F(Spawners, AnAimedFansMiddleBulletFliesAtItsTarget) {
  // Launch point (boss x + 210, boss y + 130) = (220, 150); target the ship + 20 = (170, 320).
  for (int r = 7; r < 14; ++r) SpawnS1AimedFanShotsA(r, 7);
  const AngleShot& mid = pools::S1AimedFanShotsA[10];
  EXPECT_EQ(mid.x, 220.0f);
  EXPECT_EQ(mid.x0, 220.0f);
  EXPECT_EQ(mid.y0, 150.0f);
  EXPECT_EQ(mid.dx, -50.0f);
  EXPECT_EQ(mid.dy, 170.0f);
  EXPECT_EQ(mid.speed, 200.0f);
  const float aim = fire::AimAngle(-50.0f, 170.0f);
  EXPECT_NEAR(mid.angle, aim, 1e-6);
  // The first bullet 36 degrees anticlockwise of it, the last 36 degrees clockwise.
  EXPECT_NEAR(pools::S1AimedFanShotsA[7].angle, aim - 0.62831855f, 1e-6);
  EXPECT_NEAR(pools::S1AimedFanShotsA[13].angle, aim + 0.62831855f, 1e-6);
  EXPECT_NEAR(pools::S1AimedFanShotsA[11].angle - mid.angle, 0.2094395f, 1e-6);

  // Eleven bullets from the stage-2 boss's left muzzle, at the ship + 10.
  for (int r = 0; r < 11; ++r) SpawnS2AimedFanShotsB(r, 0);
  const AngleShot& mid2 = pools::S2AimedFanShotsB[5];
  EXPECT_EQ(mid2.x, 110.0f);
  EXPECT_EQ(mid2.speed, 220.0f);
  EXPECT_EQ(mid2.dx, 50.0f);
  EXPECT_NEAR(mid2.angle, fire::AimAngle(50.0f, 160.0f), 1e-6);
  EXPECT_NEAR(pools::S2AimedFanShotsB[0].angle, mid2.angle - 1.0471976f, 1e-6);
}

// A fan bullet's heading adds its step, then takes off the half-spread, then turns half a circle:
// three roundings in that order. Summing step and half-spread first, or turning before the spread,
// gives the float next to it in each of these cases.
TEST_F(Spawners, AFansStepThenHalfSpreadJoinTheAimBeforeItsHalfTurn) {
  struct Case {
    float shipX, shipY;
    int record;
    float angle;
  };
  const Case kCases[] = {
      {0, 155, 4, 3.25136375f}, {0, 177, 4, 3.16520119f}, {7, 100, 5, 3.68330717f}};
  gS1Boss.x = 60.0f;
  for (const Case& c : kCases) {
    ResetBulletPool(kPoolS1AimedFanShotsA);
    gPlayerX = c.shipX;
    gPlayerY = c.shipY;
    SpawnS1AimedFanShotsA(c.record, 0);
    EXPECT_EQ(pools::S1AimedFanShotsA[c.record].angle, c.angle) << c.shipX << "," << c.shipY;
  }
}

TEST_F(Spawners, AFanAimsStraightDownOrUpWhenItsTargetIsInItsColumn) {
  gPlayerX = 200.0f;  // + 20 = boss x + 210: straight below the launch point
  SpawnS1AimedFanShotsC(2, 0);
  EXPECT_EQ(pools::S1AimedFanShotsC[2].dx, 0.0f);
  EXPECT_NEAR(pools::S1AimedFanShotsC[2].angle, 1.5707964f, 1e-6);
  gPlayerY = 100.0f;  // above it
  SpawnS1AimedFanShotsC(7, 5);
  EXPECT_NEAR(pools::S1AimedFanShotsC[7].angle, 3.0f * 1.5707964f, 2e-6);
}

TEST_F(Spawners, SpiralStepNineIsAQuarterTurn) {
  SpawnS1SpiralShotsB(9, 9);
  SpawnS1SpiralShotsA(9, 9);
  SpawnS1SpiralShotsD(0, 0);
  EXPECT_EQ(pools::S1SpiralShotsB[9].angle, 1.5707964f);
  EXPECT_EQ(pools::S1SpiralShotsA[9].angle, -1.5707964f);
  EXPECT_EQ(pools::S1SpiralShotsD[0].angle, 0.0f);
  EXPECT_EQ(pools::S1SpiralShotsB[9].speed, 110.0f);
  EXPECT_EQ(pools::S1SpiralShotsB[9].x, 220.0f);
  EXPECT_EQ(pools::S1SpiralShotsB[9].y, 150.0f);
  EXPECT_EQ(pools::S1SpiralShotsD[0].x, 310.0f);
  EXPECT_EQ(pools::S1SpiralShotsB[9].x0, 0.0f);  // no launch point
  EXPECT_EQ(pools::S1SpiralShotsB[9].dx, 0.0f);
}

TEST_F(Spawners, ARingsRecord12FliesTheDirectionOfRecord0) {
  SpawnS2RingShotsA(0);
  SpawnS2RingShotsA(12);
  SpawnS2RingShotsA(13);
  const RingShot& r0 = pools::S2RingShotsA[0];
  const RingShot& r12 = pools::S2RingShotsA[12];
  EXPECT_EQ(r0.x, 150.0f);  // boss x + 240 - 100
  EXPECT_EQ(r0.y, 150.0f);
  EXPECT_EQ(r0.speed, 140.0f);
  EXPECT_EQ(r0.dx, 20.0f);  // at the ship + 20
  EXPECT_EQ(r0.dy, 170.0f);
  EXPECT_EQ(r0.angle, fire::AimAngle(20.0f, 170.0f));
  EXPECT_NEAR(r12.angle - r0.angle, 6.2831853f, 1e-5);  // one full turn more
  EXPECT_NEAR(std::cos(r12.angle), std::cos(r0.angle), 1e-5);
  EXPECT_NEAR(std::sin(r12.angle), std::sin(r0.angle), 1e-5);
  EXPECT_NEAR(pools::S2RingShotsA[13].angle - r12.angle, 0.5235988f, 1e-5);
  SpawnS2RingShotsB(71);
  EXPECT_EQ(pools::S2RingShotsB[71].x, 350.0f);
}

}  // namespace
