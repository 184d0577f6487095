#include "game/fire/pattern_emitters.h"

#include <algorithm>
#include <array>

#include "game/boss_data.h"
#include "game/fire/emitter_rows.h"
#include "game/fire/volley_spawner_rows.h"
#include "game/fire/volley_spawners.h"

namespace {

// Thresholds step, 2 step, ..., n step: group k fires at step x (k + 1).
template <int N>
constexpr std::array<int, N> Steps(int step) {
  std::array<int, N> t{};
  for (int k = 0; k < N; ++k) t[k] = step * (k + 1);
  return t;
}

// Pairs and their look-alikes: groups 9 and 10 have no threshold, so their records never fire.
constexpr std::array kPairThresholds{10, 20, 30, 70, 80, 90, 130, 140};
constexpr std::array kS1FallingBThresholds{10, 20, 30, 40, 50, 80, 90, 100, 110, 120};
constexpr std::array kS2FanIThresholds{10, 20, 30, 40, 100, 110, 120, 180, 190, 200};
constexpr std::array kRingThresholds{30, 50, 90, 110, 130, 150};
constexpr auto kArcThresholds = Steps<5>(25);
constexpr auto kS1AimedFanAThresholds = Steps<5>(30);  // the fifth (150) is never reached
constexpr auto kS1AimedFanBThresholds = Steps<5>(20);
constexpr auto kAimedFanThresholds = Steps<5>(40);
constexpr auto kS1DriftThresholds = Steps<10>(60);
constexpr auto kS2FanFThresholds = Steps<10>(20);
constexpr auto kS2FanGThresholds = Steps<10>(80);
constexpr auto kS2ChevronThresholds = Steps<10>(10);
// One record a step, 10 calls apart; the last record (200) is never reached.
constexpr auto kDropThresholds = Steps<20>(10);
// One shot a step of one counter, 10 calls apart; shot 35 (360) is never reached.
constexpr auto kSpiralThresholds = Steps<36>(10);

// The rings' spawners take the record only.
constexpr SpawnFn kSpawnS2RingShotsA = [](int record, int) { SpawnS2RingShotsA(record); };
constexpr SpawnFn kSpawnS2RingShotsB = [](int record, int) { SpawnS2RingShotsB(record); };

// pool, group size, cycle, restart, thresholds, counter (nullptr: one per record), spawner
constexpr PatternTimer kTimers[] = {
    {kPoolS1ArcShots, 7, 140, 0, kArcThresholds, nullptr, SpawnS1ArcShots},
    {kPoolS1PairShots, 2, 150, 0, kPairThresholds, nullptr, SpawnS1PairShots},
    {kPoolS1FallingShotsA, 2, 150, 0, kPairThresholds, nullptr, SpawnS1FallingShotsA},
    {kPoolS1FallingShotsB, 2, 140, 0, kS1FallingBThresholds, nullptr, SpawnS1FallingShotsB},
    {kPoolS1FallingShotsC, 2, 140, 0, kS1FallingBThresholds, nullptr, SpawnS1FallingShotsC},
    {kPoolS1FallingShotsD, 1, 200, 10, kDropThresholds, nullptr, SpawnS1FallingShotsD},
    {kPoolS1FallingShotsE, 1, 200, 10, kDropThresholds, nullptr, SpawnS1FallingShotsE},
    {kPoolS1AimedFanShotsA, 7, 150, 0, kS1AimedFanAThresholds, nullptr, SpawnS1AimedFanShotsA},
    {kPoolS1AimedFanShotsB, 7, 130, 0, kS1AimedFanBThresholds, nullptr, SpawnS1AimedFanShotsB},
    {kPoolS1AimedFanShotsC, 5, 260, 0, kAimedFanThresholds, nullptr, SpawnS1AimedFanShotsC},
    {kPoolS1AimedFanShotsD, 5, 260, 0, kAimedFanThresholds, nullptr, SpawnS1AimedFanShotsD},
    {kPoolS1DriftShotsA, 3, 800, 0, kS1DriftThresholds, nullptr, SpawnS1DriftShotsA},
    {kPoolS1DriftShotsB, 3, 800, 0, kS1DriftThresholds, nullptr, SpawnS1DriftShotsB},
    {kPoolS1SpiralShotsA, 1, 360, 10, kSpiralThresholds, &gS1SpiralCounters[0], SpawnS1SpiralShotsA},
    {kPoolS1SpiralShotsB, 1, 360, 10, kSpiralThresholds, &gS1SpiralCounters[1], SpawnS1SpiralShotsB},
    {kPoolS1SpiralShotsC, 1, 360, 10, kSpiralThresholds, &gS1SpiralCounters[2], SpawnS1SpiralShotsC},
    {kPoolS1SpiralShotsD, 1, 360, 10, kSpiralThresholds, &gS1SpiralCounters[3], SpawnS1SpiralShotsD},
    {kPoolS1SpiralShotsE, 1, 360, 10, kSpiralThresholds, &gS1SpiralCounters[4], SpawnS1SpiralShotsE},
    {kPoolS1SpiralShotsF, 1, 360, 10, kSpiralThresholds, &gS1SpiralCounters[5], SpawnS1SpiralShotsF},
    {kPoolS2FanShotsF, 5, 230, 0, kS2FanFThresholds, nullptr, SpawnS2FanShotsF},
    {kPoolS2FanShotsG, 5, 860, 0, kS2FanGThresholds, nullptr, SpawnS2FanShotsG},
    {kPoolS2FanShotsH, 5, 860, 0, kS2FanGThresholds, nullptr, SpawnS2FanShotsH},
    {kPoolS2FanShotsI, 5, 260, 0, kS2FanIThresholds, nullptr, SpawnS2FanShotsI},
    {kPoolS2FanShotsJ, 5, 260, 0, kS2FanIThresholds, nullptr, SpawnS2FanShotsJ},
    {kPoolS2DriftShotsA, 2, 150, 0, kPairThresholds, nullptr, SpawnS2DriftShotsA},
    {kPoolS2DriftShotsB, 5, 150, 0, kS2ChevronThresholds, nullptr, SpawnS2DriftShotsB},
    {kPoolS2DriftShotsC, 5, 150, 0, kS2ChevronThresholds, nullptr, SpawnS2DriftShotsC},
    {kPoolS2FallingShotsC, 2, 150, 0, kPairThresholds, nullptr, SpawnS2FallingShotsC},
    {kPoolS2FallingShotsD, 1, 200, 10, kDropThresholds, nullptr, SpawnS2FallingShotsD},
    {kPoolS2FallingShotsE, 1, 200, 10, kDropThresholds, nullptr, SpawnS2FallingShotsE},
    {kPoolS2FallingShotsF, 1, 200, 10, kDropThresholds, nullptr, SpawnS2FallingShotsF},
    {kPoolS2DiagonalShotsA, 1, 200, 10, kDropThresholds, nullptr, SpawnS2DiagonalShotsA},
    {kPoolS2DiagonalShotsB, 1, 200, 10, kDropThresholds, nullptr, SpawnS2DiagonalShotsB},
    {kPoolS2DiagonalShotsC, 1, 200, 10, kDropThresholds, nullptr, SpawnS2DiagonalShotsC},
    {kPoolS2DiagonalShotsD, 1, 200, 10, kDropThresholds, nullptr, SpawnS2DiagonalShotsD},
    {kPoolS2DiagonalShotsE, 1, 200, 10, kDropThresholds, nullptr, SpawnS2DiagonalShotsE},
    {kPoolS2DiagonalShotsF, 1, 200, 10, kDropThresholds, nullptr, SpawnS2DiagonalShotsF},
    {kPoolS2AimedFanShotsA, 11, 260, 0, kAimedFanThresholds, nullptr, SpawnS2AimedFanShotsA},
    {kPoolS2AimedFanShotsB, 11, 260, 0, kAimedFanThresholds, nullptr, SpawnS2AimedFanShotsB},
    {kPoolS2AimedFanShotsC, 11, 260, 0, kAimedFanThresholds, nullptr, SpawnS2AimedFanShotsC},
    {kPoolS2AimedFanShotsD, 3, 260, 0, kAimedFanThresholds, nullptr, SpawnS2AimedFanShotsD},
    {kPoolS2AimedFanShotsE, 3, 260, 0, kAimedFanThresholds, nullptr, SpawnS2AimedFanShotsE},
    {kPoolS2AimedFanShotsF, 7, 260, 0, kAimedFanThresholds, nullptr, SpawnS2AimedFanShotsF},
    {kPoolS2AimedFanShotsG, 7, 260, 0, kAimedFanThresholds, nullptr, SpawnS2AimedFanShotsG},
    {kPoolS2RingShotsA, 12, 200, 0, kRingThresholds, nullptr, kSpawnS2RingShotsA},
    {kPoolS2RingShotsB, 12, 200, 0, kRingThresholds, nullptr, kSpawnS2RingShotsB},
};

// A timer fits its pool: whole groups, no more thresholds than groups, a count that has somewhere
// to run, and a pool whose records carry a fire-count word (every timed pool has one).
constexpr bool FitsItsPool(const PatternTimer& t) {
  const BulletPool& p = kBulletPools[t.pool];
  const bool hasTick =
      p.type == ShotType::Pattern || p.type == ShotType::Angle || p.type == ShotType::Ring;
  return t.groupSize > 0 && p.count % t.groupSize == 0 &&
         static_cast<int>(t.thresholds.size()) <= p.count / t.groupSize && t.restart >= 0 &&
         t.restart < t.cycle && hasTick;
}
constexpr bool EveryTimerFits() {
  for (const PatternTimer& t : kTimers) {
    if (!FitsItsPool(t)) return false;
  }
  return true;
}
static_assert(EveryTimerFits(), "a pattern timer's groups or thresholds do not fit its pool");
static_assert(fire::EachPoolOnce(kTimers), "a pool has two pattern timers");
static_assert(std::size(kTimers) == 46, "one timer per spawner");
constexpr bool EveryGroupIsItsSpawners() {
  for (const PatternTimer& t : kTimers) {
    if (t.groupSize != spawner_rows::SpawnerGroupSize(t.pool)) return false;
  }
  return true;
}
static_assert(EveryGroupIsItsSpawners(), "a timer's group size is not the one its spawner places");

template <class R>
int& FireCount(R& r) {
  if constexpr (requires { r.tick; }) {
    return r.tick;
  } else {
    // Ruled out at compile time by FitsItsPool: every timed pool's records have the word.
    static int none = 0;
    return none;
  }
}

void StepCount(int& count, const PatternTimer& t) {
  count = count + 1;
  if (count >= t.cycle) count = t.restart;
}

template <BulletPoolId id>
void Tick() {
  constexpr int row = fire::RowOfPool(kTimers, id);
  static_assert(row >= 0, "this pool has no pattern timer");
  RunPatternTimer(kTimers[row], kTimers[row].spawn);
}

}  // namespace

void RunPatternTimer(const PatternTimer& t, SpawnFn spawn) {
  VisitPool(t.pool, [&](auto records) {
    if (t.counter != nullptr) {
      StepCount(*t.counter, t);
    } else {
      for (auto& r : records) StepCount(FireCount(r), t);
    }
    const int groups = std::min(static_cast<int>(records.size()) / t.groupSize,
                                static_cast<int>(t.thresholds.size()));
    for (int g = 0; g < groups; ++g) {
      const int first = g * t.groupSize;
      for (int i = first; i < first + t.groupSize; ++i) {
        const int count = t.counter != nullptr ? *t.counter : FireCount(records[i]);
        if (count == t.thresholds[g]) spawn(i, first);
      }
    }
  });
}

const PatternTimer* PatternTimerOf(BulletPoolId pool) {
  const int row = fire::RowOfPool(kTimers, pool);
  return row < 0 ? nullptr : &kTimers[row];
}

#define MORV_TICK(name) \
  void Tick##name() { Tick<kPool##name>(); }
MORV_TICK(S1ArcShots)
MORV_TICK(S1PairShots)
MORV_TICK(S1FallingShotsA)
MORV_TICK(S1FallingShotsB)
MORV_TICK(S1FallingShotsC)
MORV_TICK(S1FallingShotsD)
MORV_TICK(S1FallingShotsE)
MORV_TICK(S1AimedFanShotsA)
MORV_TICK(S1AimedFanShotsB)
MORV_TICK(S1AimedFanShotsC)
MORV_TICK(S1AimedFanShotsD)
MORV_TICK(S1DriftShotsA)
MORV_TICK(S1DriftShotsB)
MORV_TICK(S1SpiralShotsA)
MORV_TICK(S1SpiralShotsB)
MORV_TICK(S1SpiralShotsC)
MORV_TICK(S1SpiralShotsD)
MORV_TICK(S1SpiralShotsE)
MORV_TICK(S1SpiralShotsF)
MORV_TICK(S2FanShotsF)
MORV_TICK(S2FanShotsG)
MORV_TICK(S2FanShotsH)
MORV_TICK(S2FanShotsI)
MORV_TICK(S2FanShotsJ)
MORV_TICK(S2DriftShotsA)
MORV_TICK(S2DriftShotsB)
MORV_TICK(S2DriftShotsC)
MORV_TICK(S2FallingShotsC)
MORV_TICK(S2FallingShotsD)
MORV_TICK(S2FallingShotsE)
MORV_TICK(S2FallingShotsF)
MORV_TICK(S2DiagonalShotsA)
MORV_TICK(S2DiagonalShotsB)
MORV_TICK(S2DiagonalShotsC)
MORV_TICK(S2DiagonalShotsD)
MORV_TICK(S2DiagonalShotsE)
MORV_TICK(S2DiagonalShotsF)
MORV_TICK(S2AimedFanShotsA)
MORV_TICK(S2AimedFanShotsB)
MORV_TICK(S2AimedFanShotsC)
MORV_TICK(S2AimedFanShotsD)
MORV_TICK(S2AimedFanShotsE)
MORV_TICK(S2AimedFanShotsF)
MORV_TICK(S2AimedFanShotsG)
MORV_TICK(S2RingShotsA)
MORV_TICK(S2RingShotsB)
#undef MORV_TICK

// ---- Small-fan launchers and curving salvos -----------------------------------------------------

namespace {

// A small fan's launch point is the boss's body point (242, 200) moved by the row's offset.
struct SmallFanLauncher {
  BulletPoolId pool;
  float dx, dy;
};
constexpr SmallFanLauncher kSmallFans[] = {
    {kPoolS2SmallFanShotsH, 0.0f, 0.0f},     {kPoolS2SmallFanShotsI, -30.0f, -90.0f},
    {kPoolS2SmallFanShotsJ, 30.0f, -90.0f},  {kPoolS2SmallFanShotsK, 0.0f, 0.0f},
    {kPoolS2SmallFanShotsL, -50.0f, -50.0f}, {kPoolS2SmallFanShotsM, 50.0f, -50.0f},
    {kPoolS2SmallFanShotsN, -80.0f, -90.0f}, {kPoolS2SmallFanShotsO, 80.0f, -90.0f},
    {kPoolS2SmallFanShotsP, 0.0f, 0.0f},
};
static_assert(fire::EachPoolOnce(kSmallFans));
constexpr bool SmallFansArePatternShots() {
  for (const SmallFanLauncher& l : kSmallFans) {
    if (kBulletPools[l.pool].type != ShotType::Pattern) return false;
  }
  return true;
}
static_assert(SmallFansArePatternShots());

template <BulletPoolId id>
void LaunchSmallFan() {
  constexpr int row = fire::RowOfPool(kSmallFans, id);
  static_assert(row >= 0, "this pool has no small-fan launcher");
  const SmallFanLauncher& l = kSmallFans[row];
  for (PatternShot& r : Pool<id>()) {
    if (r.active != 0) continue;
    r.x = gS2Boss.x + 242.0f + l.dx;
    r.y = gS2Boss.y + 200.0f + l.dy;
    r.active = 1;
  }
}

// A curving salvo: seven records from one muzzle, each slot at its own speed.
struct CurvingLauncher {
  BulletPoolId pool;
  float muzzleX;  // from the boss's x; the muzzle is 30 below its y
  float heading;
};
constexpr CurvingLauncher kCurvingLaunchers[] = {
    {kPoolS2CurvingShotsA, 185.0f, -0.6283185f},
    {kPoolS2CurvingShotsB, 285.0f, 0.6283185f},
};
constexpr std::array kCurvingSpeeds{163.0f, 171.0f, 178.0f, 184.0f, 188.0f, 191.0f, 193.0f};
static_assert(kBulletPools[kPoolS2CurvingShotsA].count == int(kCurvingSpeeds.size()));
static_assert(kBulletPools[kPoolS2CurvingShotsB].count == int(kCurvingSpeeds.size()));

template <BulletPoolId id>
void LaunchCurving() {
  constexpr int row = fire::RowOfPool(kCurvingLaunchers, id);
  static_assert(row >= 0, "this pool has no curving launcher");
  const CurvingLauncher& l = kCurvingLaunchers[row];
  const std::span<CurvingShot> records = Pool<id>();
  for (CurvingShot& r : records) {
    if (r.active != 0) continue;
    r.active = 1;
    r.turnTimer = 0.0f;
    r.angle = l.heading;
    r.driftX = 0.0f;
    r.driftY = 0.0f;
    r.x = gS2Boss.x + l.muzzleX;
    r.y = gS2Boss.y + 30.0f;
    for (size_t j = 0; j < records.size(); ++j) records[j].speed = kCurvingSpeeds[j];
  }
}

}  // namespace

void FireS2SmallFanShotsH() { LaunchSmallFan<kPoolS2SmallFanShotsH>(); }
void FireS2SmallFanShotsI() { LaunchSmallFan<kPoolS2SmallFanShotsI>(); }
void FireS2SmallFanShotsJ() { LaunchSmallFan<kPoolS2SmallFanShotsJ>(); }
void FireS2SmallFanShotsK() { LaunchSmallFan<kPoolS2SmallFanShotsK>(); }
void FireS2SmallFanShotsL() { LaunchSmallFan<kPoolS2SmallFanShotsL>(); }
void FireS2SmallFanShotsM() { LaunchSmallFan<kPoolS2SmallFanShotsM>(); }
void FireS2SmallFanShotsN() { LaunchSmallFan<kPoolS2SmallFanShotsN>(); }
void FireS2SmallFanShotsO() { LaunchSmallFan<kPoolS2SmallFanShotsO>(); }
void FireS2SmallFanShotsP() { LaunchSmallFan<kPoolS2SmallFanShotsP>(); }

void FireS2CurvingShotsA() { LaunchCurving<kPoolS2CurvingShotsA>(); }
void FireS2CurvingShotsB() { LaunchCurving<kPoolS2CurvingShotsB>(); }
