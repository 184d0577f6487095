// The bosses' attack steps: the life gate, the wave counters and their wraps, the rows at their
// bounds, the rows that call an emitter twice in one frame and the score-mode rows.
#include <gtest/gtest.h>

#include "game/boss_data.h"
#include "game/fire/boss_schedules.h"
#include "game/fire/bullet_data.h"
#include "game/game_states.h"
#include "tests/support/game_driver.h"

using morv_test::GameDriver;

namespace {

constexpr float kFrame = 1.0f / 64;

// The attack step run once with the wave counter set so that the step sees `count`.
void RunS1At(int count) {
  gS1WaveCounter = count - 1;
  RunS1BossSchedule();
}
void RunS2At(int count) {
  gS2WaveCounter = count - 1;
  RunS2BossSchedule();
}

int Tick(PoolHandle<PatternShot> pool, int i = 0) { return pool[i].tick; }
int Tick(PoolHandle<AngleShot> pool, int i = 0) { return pool[i].tick; }

// A boss hit just enough to attack.
struct S1Boss : ::testing::Test {
  void SetUp() override {
    game.EnterStage(1, 2000.0f);
    gS1Boss.life = 1000.0f;
  }
  GameDriver game;
};
struct S2Boss : ::testing::Test {
  void SetUp() override {
    game.EnterStage(2, 1000.0f);
    gS2Boss.life = 970.0f;
  }
  GameDriver game;
};

}  // namespace

// ---- The life gate ----

TEST_F(S1Boss, StageFramesAttackOnlyWhileLifeIsStrictlyBetweenZeroAnd1010) {
  gS1Boss.life = 1010.0f;
  game.FixedFrames(5, kFrame);
  EXPECT_EQ(gS1WaveCounter, 0);
  gS1Boss.life = 1009.5f;
  game.FixedFrames(5, kFrame);
  EXPECT_EQ(gS1WaveCounter, 5);
  gS1Boss.life = 0.0f;
  game.FixedFrames(3, kFrame);
  EXPECT_EQ(gS1WaveCounter, 5);  // holds while shut
  gS1Boss.life = 1009.5f;
  game.FixedFrames(1, kFrame);
  EXPECT_EQ(gS1WaveCounter, 6);  // and goes on from there
}

TEST_F(S2Boss, StageFramesAttackOnlyWhileLifeIsStrictlyBetweenZeroAnd980) {
  gS2Boss.life = 980.0f;
  game.FixedFrames(4, kFrame);
  EXPECT_EQ(gS2WaveCounter, 0);
  gS2Boss.life = 979.5f;
  game.FixedFrames(4, kFrame);
  EXPECT_EQ(gS2WaveCounter, 4);
}

// The attack step keeps its own gate, whoever calls it.
TEST_F(S1Boss, TheStepItselfIsShutAtTheBoundAndAtZero) {
  for (float life : {1020.0f, 1010.0f, 0.0f, -5.0f}) {
    gS1Boss.life = life;
    RunS1BossSchedule();
    EXPECT_EQ(gS1WaveCounter, 0) << life;
    EXPECT_EQ(gS1SpiralCounters[2], 0) << life;  // no emitter ran either
  }
  gS1Boss.life = 0.001f;
  RunS1BossSchedule();
  EXPECT_EQ(gS1WaveCounter, 1);
  EXPECT_EQ(gS1SpiralCounters[2], 1);
}

TEST_F(S2Boss, TheStepItselfIsShutAtTheBoundAndAtZero) {
  for (float life : {1000.0f, 980.0f, 0.0f}) {
    gS2Boss.life = life;
    RunS2BossSchedule();
    EXPECT_EQ(gS2WaveCounter, 0) << life;
    EXPECT_EQ(pools::S2SmallFanShotsH[0].active, 0) << life;
  }
  gS2Boss.life = 979.99f;
  RunS2BossSchedule();
  EXPECT_EQ(gS2WaveCounter, 1);
  EXPECT_EQ(pools::S2SmallFanShotsH[0].active, 1);
}

// ---- Wraps and rows at their bounds ----

TEST_F(S1Boss, Count4300RunsTheLastRowsThenTheCounterWraps) {
  RunS1At(4300);
  EXPECT_EQ(gS1WaveCounter, 0);
  // Rows 8 and 9 hold 4300; row 7 (to 3000) does not.
  EXPECT_EQ(gS1SpiralCounters[0], 1);
  EXPECT_EQ(gS1SpiralCounters[1], 1);
  EXPECT_EQ(gS1SpiralCounters[4], 1);
  EXPECT_EQ(gS1SpiralCounters[5], 1);
  EXPECT_EQ(gS1SpiralCounters[2], 0);
  RunS1BossSchedule();  // count 1 of the next cycle
  EXPECT_EQ(gS1WaveCounter, 1);
  EXPECT_EQ(gS1SpiralCounters[2], 1);
  EXPECT_EQ(gS1SpiralCounters[0], 1);
  EXPECT_EQ(Tick(pools::S1AimedFanShotsD), 1);
}

TEST_F(S1Boss, RowsRunOnBothBoundsOfTheirWindowsAndNotPast) {
  RunS1At(99);
  EXPECT_EQ(pools::S1VolleyShotsB[0].active, 0);
  RunS1At(100);
  EXPECT_EQ(pools::S1VolleyShotsB[0].active, 1);
  EXPECT_EQ(pools::S1VolleyShotsC[0].active, 0);
  RunS1At(170);  // rows 10 and 11 share 170
  EXPECT_EQ(pools::S1VolleyShotsC[0].active, 1);
  EXPECT_EQ(pools::S1VolleyShotsH[0].active, 1);

  RunS1At(200);
  EXPECT_EQ(Tick(pools::S1AimedFanShotsD), 4);  // 99, 100, 170 and 200 lie in row 1
  RunS1At(201);
  EXPECT_EQ(Tick(pools::S1AimedFanShotsD), 4);
  RunS1At(3000);
  EXPECT_EQ(gS1SpiralCounters[2], 6);  // every count so far ran row 7 too
  RunS1At(3001);
  EXPECT_EQ(gS1SpiralCounters[2], 6);
  RunS1At(1100);  // rows 20 and 21 share 1100
  EXPECT_EQ(Tick(pools::S1ArcShots), 1);
  RunS1At(1101);
  EXPECT_EQ(Tick(pools::S1ArcShots), 1);
}

TEST_F(S1Boss, NoEmitterRunsTwiceInAStageOneFrame) {
  // 600: rows 2, 15, 16 and 17; 800: rows 16 and 19; 900: rows 2, 19 and 20.
  RunS1At(600);
  EXPECT_EQ(Tick(pools::S1AimedFanShotsD), 1);
  EXPECT_EQ(Tick(pools::S1FallingShotsA), 1);
  EXPECT_EQ(Tick(pools::S1PairShots), 1);
  RunS1At(800);
  EXPECT_EQ(Tick(pools::S1FallingShotsB), 2);
  EXPECT_EQ(Tick(pools::S1DriftShotsA), 1);
  RunS1At(900);
  EXPECT_EQ(Tick(pools::S1FallingShotsA), 3);
  EXPECT_EQ(Tick(pools::S1ArcShots), 1);
}

TEST_F(S2Boss, Count2300RunsTheLastRowThenTheCounterWraps) {
  RunS2At(2300);
  EXPECT_EQ(gS2WaveCounter, 0);
  EXPECT_EQ(Tick(pools::S2AimedFanShotsB), 1);
  EXPECT_EQ(Tick(pools::S2AimedFanShotsC), 1);
  EXPECT_EQ(pools::S2SmallFanShotsH[0].active, 0);
  RunS2BossSchedule();
  EXPECT_EQ(gS2WaveCounter, 1);
  EXPECT_EQ(pools::S2SmallFanShotsH[0].active, 1);
  EXPECT_EQ(Tick(pools::S2AimedFanShotsB), 1);
}

TEST_F(S2Boss, Counts250And700CallTheirTimersTwice) {
  RunS2At(250);
  EXPECT_EQ(Tick(pools::S2FanShotsI), 2);
  EXPECT_EQ(Tick(pools::S2FanShotsJ, 49), 2);
  EXPECT_EQ(Tick(pools::S2FanShotsG), 2);
  EXPECT_EQ(Tick(pools::S2FanShotsH), 2);
  RunS2At(251);
  EXPECT_EQ(Tick(pools::S2FanShotsI), 3);
  RunS2At(700);
  EXPECT_EQ(Tick(pools::S2FanShotsG), 5);
  EXPECT_EQ(Tick(pools::S2FanShotsH), 5);
  EXPECT_EQ(Tick(pools::S2FanShotsI), 3);  // rows 1 and 2 end at 400, row 13 starts at 750
  EXPECT_EQ(Tick(pools::S2DriftShotsB), 1);
  RunS2At(701);
  EXPECT_EQ(Tick(pools::S2FanShotsG), 6);
}

TEST_F(S2Boss, SmallFansRunOnCountsOneToThirty) {
  RunS2At(31);
  EXPECT_EQ(pools::S2SmallFanShotsP[3].active, 0);
  RunS2At(30);
  EXPECT_EQ(pools::S2SmallFanShotsP[3].active, 1);
  EXPECT_EQ(pools::S2SmallFanShotsH[1].active, 1);
}

TEST_F(S2Boss, TheTwelveVolleysFireOnTheirWindows) {
  RunS2At(349);
  EXPECT_EQ(pools::S2VolleyShotsD[0].active, 0);
  RunS2At(380);
  EXPECT_EQ(pools::S2VolleyShotsD[0].active, 1);
  EXPECT_EQ(pools::S2VolleyShotsC[4].active, 1);
  EXPECT_EQ(pools::S2CurvingShotsA[6].active, 1);  // row 3 holds 380 too
}

// ---- Score-mode rows ----

TEST_F(S1Boss, VolleysAAndIFireOnlyInTheScoreModes) {
  for (int count : {100, 200, 400, 500}) RunS1At(count);
  EXPECT_EQ(pools::S1VolleyShotsA[0].active, 0);
  EXPECT_EQ(pools::S1VolleyShotsI[0].active, 0);

  gScoreMode = 2;
  RunS1At(200);
  EXPECT_EQ(pools::S1VolleyShotsA[0].active, 1);
  EXPECT_EQ(pools::S1VolleyShotsI[0].active, 1);

  ResetBulletPool(kPoolS1VolleyShotsA);
  gScoreMode = 1;
  gScoreMode2 = 1;
  RunS1At(401);
  EXPECT_EQ(pools::S1VolleyShotsA[0].active, 1);
  ResetBulletPool(kPoolS1VolleyShotsA);
  RunS1At(501);
  EXPECT_EQ(pools::S1VolleyShotsA[0].active, 0);
}
