// The bosses' emitters: the aimed volleys' records, the pattern timers' cycles (which records
// reach the spawner, and when), the spirals' one counter, the part launchers and the curving
// launchers.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "game/boss_data.h"
#include "game/fire/boss_schedules.h"
#include "game/fire/bullet_data.h"
#include "game/fire/fire_rules.h"
#include "game/fire/pattern_emitters.h"
#include "game/player_data.h"
#include "tests/support/game_driver.h"

using morv_test::GameDriver;

namespace {

struct Emitters : ::testing::Test {
  void SetUp() override { game.StartGame(); }
  GameDriver game;
};

// ---- Timers, seen by what reaches their spawner ----

struct Call {
  int call, record, first;
  bool operator==(const Call&) const = default;
};
std::vector<Call> gCalls;
int gCallNumber;
void Record(int record, int first) { gCalls.push_back({gCallNumber, record, first}); }

// Calls the timer of `pool` `n` times with the recording spawner; returns what reached it.
std::vector<Call> RunTimer(BulletPoolId pool, int n) {
  gCalls.clear();
  const PatternTimer* timer = PatternTimerOf(pool);
  if (timer == nullptr) return {};
  for (gCallNumber = 1; gCallNumber <= n; ++gCallNumber) RunPatternTimer(*timer, Record);
  return gCalls;
}

std::vector<int> CallsOf(const std::vector<Call>& calls, int record) {
  std::vector<int> at;
  for (const Call& c : calls) {
    if (c.record == record) at.push_back(c.call);
  }
  return at;
}

}  // namespace

TEST_F(Emitters, AGroupFiresWholeOnTheCallItsThresholdIsReachedThenEveryCycle) {
  const auto calls = RunTimer(kPoolS2FanShotsF, 480);
  ASSERT_GE(calls.size(), 5u);
  // The first group on the 20th call, record by record, each with the group's first record.
  for (int i = 0; i < 5; ++i) EXPECT_EQ(calls[i], (Call{20, i, 0}));
  EXPECT_EQ(calls[5], (Call{40, 5, 5}));
  EXPECT_EQ(CallsOf(calls, 0), (std::vector<int>{20, 250, 480}));
  EXPECT_EQ(CallsOf(calls, 49), (std::vector<int>{200, 430}));
  EXPECT_EQ(calls.size(), 5u * (10 + 10 + 1));
}

TEST_F(Emitters, GroupsWithoutAReachableThresholdNeverFire) {
  // Pairs: ten groups, eight thresholds; records 16 to 19 never reach the spawner.
  const auto pairs = RunTimer(kPoolS1PairShots, 300);
  EXPECT_EQ(pairs.size(), 8u * 2 * 2);
  for (const Call& c : pairs) EXPECT_LT(c.record, 16);
  EXPECT_EQ(CallsOf(pairs, 15), (std::vector<int>{140, 290}));
  // The fifth aimed fan of S1AimedFanShotsA waits for 150, which a count of 0 to 149 never is.
  const auto fans = RunTimer(kPoolS1AimedFanShotsA, 300);
  EXPECT_EQ(fans.size(), 4u * 7 * 2);
  for (const Call& c : fans) EXPECT_LT(c.record, 28);
  EXPECT_EQ(CallsOf(fans, 27), (std::vector<int>{120, 270}));
}

TEST_F(Emitters, ADropTimerRestartsAtTenAndNeverLaunchesItsLastRecord) {
  const auto calls = RunTimer(kPoolS2DiagonalShotsC, 400);
  EXPECT_EQ(CallsOf(calls, 0), (std::vector<int>{10, 200, 390}));
  EXPECT_EQ(CallsOf(calls, 1), (std::vector<int>{20, 210, 400}));
  EXPECT_EQ(CallsOf(calls, 18), (std::vector<int>{190, 380}));
  EXPECT_TRUE(CallsOf(calls, 19).empty());
  for (const Call& c : calls) EXPECT_EQ(c.first, c.record);
  EXPECT_EQ(pools::S2DiagonalShotsC[5].tick, 20);  // 400 calls: 199, then 10 again, ... 20
}

TEST_F(Emitters, TheTickRoutinesStepEveryRecordAndWrapAtTheCycle) {
  for (int i = 0; i < 139; ++i) TickS1ArcShots();
  EXPECT_EQ(pools::S1ArcShots[0].tick, 139);
  EXPECT_EQ(pools::S1ArcShots[34].tick, 139);
  TickS1ArcShots();
  EXPECT_EQ(pools::S1ArcShots[34].tick, 0);
  for (int i = 0; i < 200; ++i) TickS2FallingShotsE();
  EXPECT_EQ(pools::S2FallingShotsE[19].tick, 10);
  for (int i = 0; i < 200; ++i) TickS2RingShotsB();
  EXPECT_EQ(pools::S2RingShotsB[71].tick, 0);
  // The unscheduled drops of stage 1 are built; with their spawners they stay as they were.
  for (int i = 0; i < 10; ++i) TickS1FallingShotsD();
  EXPECT_EQ(pools::S1FallingShotsD[0].tick, 10);
}

TEST_F(Emitters, ARingGroupIsTwelveRecordsHandedOverAtItsThreshold) {
  const auto calls = RunTimer(kPoolS2RingShotsA, 50);
  ASSERT_EQ(calls.size(), 24u);
  EXPECT_EQ(calls[0], (Call{30, 0, 0}));
  EXPECT_EQ(calls[12], (Call{50, 12, 12}));
  EXPECT_EQ(calls[23], (Call{50, 23, 12}));
}

TEST_F(Emitters, ASpiralRunsOnOneCounterFrom359BackTo10) {
  ASSERT_NE(PatternTimerOf(kPoolS1SpiralShotsB), nullptr);
  const PatternTimer& spiralB = *PatternTimerOf(kPoolS1SpiralShotsB);
  ASSERT_EQ(spiralB.counter, &gS1SpiralCounters[1]);
  EXPECT_EQ(PatternTimerOf(kPoolS2SmallFanShotsH), nullptr);
  gS1SpiralCounters[1] = 359;
  gCalls.clear();
  gCallNumber = 1;
  RunPatternTimer(spiralB, Record);
  EXPECT_EQ(gS1SpiralCounters[1], 10);
  EXPECT_EQ(gCalls, (std::vector<Call>{{1, 0, 0}}));
  EXPECT_EQ(gS1SpiralCounters[0], 0);  // the other spirals keep their own counters
  EXPECT_EQ(pools::S1SpiralShotsB[0].tick, 0);
  const auto calls = RunTimer(kPoolS1SpiralShotsB, 700);
  // From 10: shot k at count 10(k + 1), one shot every 10 calls, 350 calls a pass.
  EXPECT_EQ(CallsOf(calls, 1), (std::vector<int>{10, 360}));
  EXPECT_EQ(CallsOf(calls, 34), (std::vector<int>{340, 690}));
  EXPECT_TRUE(CallsOf(calls, 35).empty());
  EXPECT_EQ(calls.size(), 35u * 2);
  for (const Call& c : calls) EXPECT_EQ(c.first, c.record);
}

// ---- Volleys ----

TEST_F(Emitters, AVolleyLaunchesEveryFreeRecordFromTheMuzzleAtThePlayer) {
  gS1Boss.x = 40.0f;
  gS1Boss.y = -10.0f;
  game.PlaceShip(130.0f, 300.0f);  // aim point (145, 315): straight below the muzzle (145, 90)
  pools::S1VolleyShotsB[2].active = 1;
  pools::S1VolleyShotsB[2].x = 7.0f;
  pools::S1VolleyShotsB[2].angle = 1.0f;
  FireS1VolleyShotsB();
  const float speeds[5] = {260.0f, 280.0f, 300.0f, 320.0f, 340.0f};
  for (int k = 0; k < 5; ++k) {
    const AimedShot& r = pools::S1VolleyShotsB[k];
    EXPECT_EQ(r.active, 1);
    EXPECT_EQ(r.speed, speeds[k]) << k;
    if (k == 2) continue;
    EXPECT_EQ(r.x, 145.0f);
    EXPECT_EQ(r.x0, 145.0f);
    EXPECT_EQ(r.y, 90.0f);
    EXPECT_EQ(r.y0, 90.0f);
    EXPECT_EQ(r.dx, 0.0f);
    EXPECT_EQ(r.dy, 225.0f);
    EXPECT_EQ(r.angle, fire::kHalfPi);
  }
  EXPECT_EQ(pools::S1VolleyShotsB[2].x, 7.0f);  // in flight: left where it is
  EXPECT_EQ(pools::S1VolleyShotsB[2].angle, 1.0f);
}

TEST_F(Emitters, AVolleyWhoseRecordsAreAllInFlightChangesNothing) {
  for (AimedShot& r : pools::S2VolleyShotsK.records()) {
    r.active = 1;
    r.speed = 5.0f;
  }
  FireS2VolleyShotsK();
  for (const AimedShot& r : pools::S2VolleyShotsK.records()) {
    EXPECT_EQ(r.speed, 5.0f);
    EXPECT_EQ(r.x, -500.0f);
  }
}

TEST_F(Emitters, AVolleyTurnsBeforeTheHalfTurnToTheLeft) {
  gS1Boss.x = 0.0f;
  gS1Boss.y = 0.0f;
  // FireS1VolleyShotsC: muzzle (85, 100), aim offset 15, turned by +18 degrees; aim point to the
  // left of the muzzle, where adding the half turn first would round differently.
  game.PlaceShip(0.0f, 202.0f);
  FireS1VolleyShotsC();
  const AimedShot& r = pools::S1VolleyShotsC[0];
  EXPECT_EQ(r.dx, -70.0f);
  EXPECT_EQ(r.dy, 117.0f);
  const float base = static_cast<float>(std::atan(static_cast<double>(117.0f / -70.0f)));
  EXPECT_EQ(r.angle, (base + 0.3141593f) + fire::kPi);
  EXPECT_NE(r.angle, (base + fire::kPi) + 0.3141593f);
  EXPECT_NEAR(r.angle, 2.4241173f, 1e-6f);
}

TEST_F(Emitters, AVolleyAimedStraightUpOrAtItsMuzzleFliesUp) {
  gS2Boss.x = 100.0f;
  gS2Boss.y = 200.0f;
  game.PlaceShip(200.0f, 285.0f);  // aim point (215, 300) = the muzzle of FireS2VolleyShotsH
  FireS2VolleyShotsH();
  const AimedShot& r = pools::S2VolleyShotsH[0];
  EXPECT_EQ(r.x, 215.0f);
  EXPECT_EQ(r.y, 300.0f);
  EXPECT_EQ(r.dy, 0.0f);
  EXPECT_EQ(r.angle, (fire::kHalfPi - 0.3141593f) + fire::kPi);
  EXPECT_EQ(pools::S2VolleyShotsH[4].speed, 270.0f);
  EXPECT_EQ(pools::S2VolleyShotsH[1].speed, 200.0f);
}

// ---- Small-fan launchers and curving shots ----

TEST_F(Emitters, ASmallFanLauncherPlacesOnlyItsFreeRecordsOnTheBody) {
  gS2Boss.x = 10.0f;
  gS2Boss.y = 20.0f;
  PatternShot& busy = pools::S2SmallFanShotsN[1];
  busy.active = 1;
  busy.x = 3.0f;
  pools::S2SmallFanShotsN[2].sideSpeed = 9.0f;
  FireS2SmallFanShotsN();
  EXPECT_EQ(pools::S2SmallFanShotsN[0].x, 172.0f);  // 10 + 242 - 80
  EXPECT_EQ(pools::S2SmallFanShotsN[0].y, 130.0f);  // 20 + 200 - 90
  EXPECT_EQ(pools::S2SmallFanShotsN[2].active, 1);
  EXPECT_EQ(pools::S2SmallFanShotsN[2].sideSpeed, 9.0f);  // nothing else is written
  EXPECT_EQ(busy.x, 3.0f);
  FireS2SmallFanShotsM();
  EXPECT_EQ(pools::S2SmallFanShotsM[2].x, 302.0f);
  EXPECT_EQ(pools::S2SmallFanShotsM[2].y, 170.0f);
  EXPECT_EQ(pools::S2SmallFanShotsL[0].active, 0);
}

TEST_F(Emitters, ACurvingSalvoLeavesTheMuzzleWithItsHeadingAndTheSpeedOfEachSlot) {
  gS2Boss.x = 50.0f;
  gS2Boss.y = 60.0f;
  CurvingShot& busy = pools::S2CurvingShotsB[3];
  busy.active = 1;
  busy.x = 1.0f;
  busy.turnTimer = 0.5f;
  busy.driftX = 2.0f;
  pools::S2CurvingShotsB[0].turnTimer = 0.25f;
  pools::S2CurvingShotsB[0].driftY = 4.0f;
  FireS2CurvingShotsB();
  const float speeds[7] = {163.0f, 171.0f, 178.0f, 184.0f, 188.0f, 191.0f, 193.0f};
  for (int k = 0; k < 7; ++k) {
    const CurvingShot& r = pools::S2CurvingShotsB[k];
    EXPECT_EQ(r.active, 1);
    EXPECT_EQ(r.speed, speeds[k]);
    if (k == 3) continue;
    EXPECT_EQ(r.x, 335.0f);
    EXPECT_EQ(r.y, 90.0f);
    EXPECT_EQ(r.angle, 0.6283185f);
    EXPECT_EQ(r.turnTimer, 0.0f);
    EXPECT_EQ(r.driftX, 0.0f);
    EXPECT_EQ(r.driftY, 0.0f);
  }
  EXPECT_EQ(busy.x, 1.0f);
  EXPECT_EQ(busy.turnTimer, 0.5f);
  EXPECT_EQ(busy.driftX, 2.0f);
  FireS2CurvingShotsA();
  EXPECT_EQ(pools::S2CurvingShotsA[6].x, 235.0f);
  EXPECT_EQ(pools::S2CurvingShotsA[6].angle, -0.6283185f);
}

// ---- Every pattern timer, row by row ----

namespace {

// One timer as the game's tables give it: its pool cut into groups of `group` records, a count
// that runs from `restart` to `cycle` - 1, and the count at which each group fires (groups past
// the list never fire).
struct TimerRow {
  const char* pool;
  void (*tick)();
  int group, cycle, restart;
  std::vector<int> thresholds;
};

std::vector<int> Steps(int from, int step, int count) {
  std::vector<int> v;
  for (int i = 0; i < count; ++i) v.push_back(from + step * i);
  return v;
}

BulletPoolId PoolNamed(const char* name) {
  for (int p = 0; p < kBulletPoolCount; ++p) {
    if (std::string(kBulletPools[p].name) == name) return BulletPoolId(p);
  }
  ADD_FAILURE() << "no pool " << name;
  return BulletPoolId(0);
}

// Which records a timer launches on which of its calls, each launched record freed again after
// the call so that the next launch of it shows.
std::vector<std::pair<int, int>> Launches(BulletPoolId pool, void (*tick)(), int calls) {
  std::vector<std::pair<int, int>> seen;
  for (int call = 1; call <= calls; ++call) {
    tick();
    VisitPool(pool, [&](auto records) {
      for (int i = 0; i < static_cast<int>(records.size()); ++i) {
        if (records[i].active == 0) continue;
        seen.emplace_back(call, i);
        records[i].active = 0;
      }
    });
  }
  return seen;
}

}  // namespace

TEST_F(Emitters, EveryPatternTimerFiresItsGroupsAtTheirCountsOnItsCycle) {
  const std::vector<int> pairs = {10, 20, 30, 70, 80, 90, 130, 140};
  const std::vector<int> fallB = {10, 20, 30, 40, 50, 80, 90, 100, 110, 120};
  const std::vector<int> fanI = {10, 20, 30, 40, 100, 110, 120, 180, 190, 200};
  const std::vector<int> drops = Steps(10, 10, 20);  // 200 never comes: the last record rests
  const std::vector<int> fans = Steps(40, 40, 5);
  const std::vector<int> spiral = Steps(10, 10, 36);
  const TimerRow rows[] = {
      {"S1ArcShots", TickS1ArcShots, 7, 140, 0, Steps(25, 25, 5)},
      {"S1PairShots", TickS1PairShots, 2, 150, 0, pairs},
      {"S1FallingShotsA", TickS1FallingShotsA, 2, 150, 0, pairs},
      {"S1FallingShotsB", TickS1FallingShotsB, 2, 140, 0, fallB},
      {"S1FallingShotsC", TickS1FallingShotsC, 2, 140, 0, fallB},
      {"S1FallingShotsD", TickS1FallingShotsD, 1, 200, 10, drops},
      {"S1FallingShotsE", TickS1FallingShotsE, 1, 200, 10, drops},
      {"S1AimedFanShotsA", TickS1AimedFanShotsA, 7, 150, 0, Steps(30, 30, 5)},
      {"S1AimedFanShotsB", TickS1AimedFanShotsB, 7, 130, 0, Steps(20, 20, 5)},
      {"S1AimedFanShotsC", TickS1AimedFanShotsC, 5, 260, 0, fans},
      {"S1AimedFanShotsD", TickS1AimedFanShotsD, 5, 260, 0, fans},
      {"S1DriftShotsA", TickS1DriftShotsA, 3, 800, 0, Steps(60, 60, 10)},
      {"S1DriftShotsB", TickS1DriftShotsB, 3, 800, 0, Steps(60, 60, 10)},
      {"S1SpiralShotsA", TickS1SpiralShotsA, 1, 360, 10, spiral},
      {"S1SpiralShotsB", TickS1SpiralShotsB, 1, 360, 10, spiral},
      {"S1SpiralShotsC", TickS1SpiralShotsC, 1, 360, 10, spiral},
      {"S1SpiralShotsD", TickS1SpiralShotsD, 1, 360, 10, spiral},
      {"S1SpiralShotsE", TickS1SpiralShotsE, 1, 360, 10, spiral},
      {"S1SpiralShotsF", TickS1SpiralShotsF, 1, 360, 10, spiral},
      {"S2FanShotsF", TickS2FanShotsF, 5, 230, 0, Steps(20, 20, 10)},
      {"S2FanShotsG", TickS2FanShotsG, 5, 860, 0, Steps(80, 80, 10)},
      {"S2FanShotsH", TickS2FanShotsH, 5, 860, 0, Steps(80, 80, 10)},
      {"S2FanShotsI", TickS2FanShotsI, 5, 260, 0, fanI},
      {"S2FanShotsJ", TickS2FanShotsJ, 5, 260, 0, fanI},
      {"S2DriftShotsA", TickS2DriftShotsA, 2, 150, 0, pairs},
      {"S2DriftShotsB", TickS2DriftShotsB, 5, 150, 0, Steps(10, 10, 10)},
      {"S2DriftShotsC", TickS2DriftShotsC, 5, 150, 0, Steps(10, 10, 10)},
      {"S2FallingShotsC", TickS2FallingShotsC, 2, 150, 0, pairs},
      {"S2FallingShotsD", TickS2FallingShotsD, 1, 200, 10, drops},
      {"S2FallingShotsE", TickS2FallingShotsE, 1, 200, 10, drops},
      {"S2FallingShotsF", TickS2FallingShotsF, 1, 200, 10, drops},
      {"S2DiagonalShotsA", TickS2DiagonalShotsA, 1, 200, 10, drops},
      {"S2DiagonalShotsB", TickS2DiagonalShotsB, 1, 200, 10, drops},
      {"S2DiagonalShotsC", TickS2DiagonalShotsC, 1, 200, 10, drops},
      {"S2DiagonalShotsD", TickS2DiagonalShotsD, 1, 200, 10, drops},
      {"S2DiagonalShotsE", TickS2DiagonalShotsE, 1, 200, 10, drops},
      {"S2DiagonalShotsF", TickS2DiagonalShotsF, 1, 200, 10, drops},
      {"S2AimedFanShotsA", TickS2AimedFanShotsA, 11, 260, 0, fans},
      {"S2AimedFanShotsB", TickS2AimedFanShotsB, 11, 260, 0, fans},
      {"S2AimedFanShotsC", TickS2AimedFanShotsC, 11, 260, 0, fans},
      {"S2AimedFanShotsD", TickS2AimedFanShotsD, 3, 260, 0, fans},
      {"S2AimedFanShotsE", TickS2AimedFanShotsE, 3, 260, 0, fans},
      {"S2AimedFanShotsF", TickS2AimedFanShotsF, 7, 260, 0, fans},
      {"S2AimedFanShotsG", TickS2AimedFanShotsG, 7, 260, 0, fans},
      {"S2RingShotsA", TickS2RingShotsA, 12, 200, 0, {30, 50, 90, 110, 130, 150}},
      {"S2RingShotsB", TickS2RingShotsB, 12, 200, 0, {30, 50, 90, 110, 130, 150}},
  };
  for (const TimerRow& row : rows) {
    const BulletPoolId pool = PoolNamed(row.pool);
    ResetBulletPool(pool);
    for (int& c : gS1SpiralCounters) c = 0;
    // Two whole cycles and a bit, from a count of 0.
    const int calls = 2 * row.cycle + 20;
    std::vector<std::pair<int, int>> expected;
    for (int call = 1, count = 0; call <= calls; ++call) {
      if (++count >= row.cycle) count = row.restart;
      for (size_t g = 0; g < row.thresholds.size(); ++g) {
        if (row.thresholds[g] != count) continue;
        for (int k = 0; k < row.group; ++k) {
          expected.emplace_back(call, static_cast<int>(g) * row.group + k);
        }
      }
    }
    const auto seen = Launches(pool, row.tick, calls);
    EXPECT_EQ(seen.size(), expected.size()) << "launches of the pattern timer of " << row.pool;
    const auto [at, want] =
        std::mismatch(seen.begin(), seen.end(), expected.begin(), expected.end());
    if (at != seen.end() && want != expected.end()) {
      ADD_FAILURE() << "pattern timer of " << row.pool << ": launched record " << at->second
                    << " on call " << at->first << ", expected record " << want->second
                    << " on call " << want->first;
    }
  }
}
