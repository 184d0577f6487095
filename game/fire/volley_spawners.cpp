// The bosses' spawners: seven families (column arcs, pairs, chevrons, single drops, aimed fans,
// aimed rings, spiral steps), each one routine over a table of its members. Every spawner leaves
// a record in flight exactly as it is; a free one is turned on and placed relative to its boss.
#include "game/fire/volley_spawners.h"

#include <array>
#include <cmath>
#include <iterator>

#include "game/boss_data.h"
#include "game/fire/bullet_data.h"
#include "game/fire/fire_rules.h"
#include "game/player_data.h"

namespace {

// An offset from an anchor written as a chain of terms, added one by one in single precision in
// the written order: the boss's x + 230 - 30 is not always the boss's x + 200 in floats.
struct Offset {
  std::array<float, 2> terms{};
  int count = 0;
  float From(float anchor) const {
    float v = anchor;
    for (int i = 0; i < count; ++i) v = v + terms[i];
    return v;
  }
};
constexpr Offset Off(float a) { return {{a, 0.0f}, 1}; }
constexpr Offset Off(float a, float b) { return {{a, b}, 2}; }

// Heights of the aimed families' launch point below the boss.
constexpr float kLaunchDrop = 130.0f;

// Angle from a launch point to its target turned by a spread: the base angle towards the target
// (pi/2 for a target in the same column), plus the step term, minus the half-spread, and then
// half a turn more when the target lies to the left, or straight above or on the launch point.
float AimWithSpread(float dx, float dy, float step, float halfSpread) {
  float angle = fire::kHalfPi;
  if (dx != 0.0f) {
    const float q = dy / dx;
    angle = static_cast<float>(std::atan(static_cast<double>(q)));
  }
  angle = angle + step;
  angle = angle - halfSpread;
  if (dx < 0.0f || (dx == 0.0f && dy <= 0.0f)) angle = angle + fire::kPi;
  return angle;
}

// ---- Column arcs: a column of n bullets, staggered vertically; their movers fan them out.
struct ColumnArcRow {
  BulletPoolId pool;
  const Boss* anchor;
  Offset x;
  int n;
  std::array<float, 7> y;
};
constexpr std::array<float, 7> kS2FanHeights = {60, 83, 90, 83, 60};
constexpr std::array<float, 7> kS1DriftHeights = {90, 113, 120};
enum ColumnArcMember {
  kArcS1, kArcS2F, kArcS2G, kArcS2H, kArcS2I, kArcS2J, kArcS1DriftA, kArcS1DriftB
};
constexpr ColumnArcRow kColumnArcs[] = {
    {kPoolS1ArcShots, &gS1Boss, Off(200), 7, {154, 183, 194, 200, 194, 183, 154}},
    {kPoolS2FanShotsF, &gS2Boss, Off(240), 5, {110, 133, 140, 133, 110}},
    {kPoolS2FanShotsG, &gS2Boss, Off(230, -30), 5, kS2FanHeights},
    {kPoolS2FanShotsH, &gS2Boss, Off(230, 30), 5, kS2FanHeights},
    {kPoolS2FanShotsI, &gS2Boss, Off(230, -120), 5, kS2FanHeights},
    {kPoolS2FanShotsJ, &gS2Boss, Off(230, 120), 5, kS2FanHeights},
    {kPoolS1DriftShotsA, &gS1Boss, Off(210, -120), 3, kS1DriftHeights},
    {kPoolS1DriftShotsB, &gS1Boss, Off(210, 120), 3, kS1DriftHeights},
};

// Only the firing record's x is written: a whole group stands in one column.
void SpawnColumnArc(ColumnArcMember m, int record, int first) {
  const ColumnArcRow& row = kColumnArcs[m];
  const PoolHandle<PatternShot> shots{row.pool};
  PatternShot& r = shots[record];
  if (r.active != 0) return;
  r.active = 1;
  r.x = row.x.From(row.anchor->x);
  for (int i = 0; i < row.n; ++i) shots[first + i].y = row.anchor->y + row.y[i];
}

// ---- Pairs: two bullets side by side, D either side of the centre.
struct PairRow {
  BulletPoolId pool;
  const Boss* anchor;
  Offset x;
  float d;
  Offset y;
};
enum PairMember { kPairS1, kPairS1FallA, kPairS1FallB, kPairS1FallC, kPairS2DriftA, kPairS2FallC };
constexpr PairRow kPairs[] = {
    {kPoolS1PairShots, &gS1Boss, Off(200), 80, Off(130)},
    {kPoolS1FallingShotsA, &gS1Boss, Off(200), 80, Off(130)},
    {kPoolS1FallingShotsB, &gS1Boss, Off(210), 100, Off(200, -30)},
    {kPoolS1FallingShotsC, &gS1Boss, Off(210), 135, Off(180, -30)},
    {kPoolS2DriftShotsA, &gS2Boss, Off(230), 80, Off(130)},
    {kPoolS2FallingShotsC, &gS2Boss, Off(230), 80, Off(130)},
};

void SpawnPair(PairMember m, int record, int first) {
  const PairRow& row = kPairs[m];
  const PoolHandle<PatternShot> shots{row.pool};
  PatternShot& r = shots[record];
  if (r.active != 0) return;
  r.active = 1;
  const float centre = row.x.From(row.anchor->x);
  shots[first].x = centre - row.d;
  shots[first + 1].x = centre + row.d;
  r.y = row.y.From(row.anchor->y);
}

// ---- Chevrons: five bullets in a flat V around a centre.
struct ChevronRow {
  BulletPoolId pool;
  const Boss* anchor;
  Offset centre;
};
enum ChevronMember { kChevronS2DriftB, kChevronS2DriftC };
constexpr ChevronRow kChevrons[] = {
    {kPoolS2DriftShotsB, &gS2Boss, Off(240, -120)},
    {kPoolS2DriftShotsC, &gS2Boss, Off(240, 120)},
};
constexpr float kChevronXs[5] = {-44, -22, 0, 22, 44};
constexpr float kChevronYs[5] = {50, 73, 80, 73, 50};

void SpawnChevron(ChevronMember m, int record, int first) {
  const ChevronRow& row = kChevrons[m];
  const PoolHandle<PatternShot> shots{row.pool};
  if (shots[record].active != 0) return;
  shots[record].active = 1;
  const float centre = row.centre.From(row.anchor->x);
  for (int i = 0; i < 5; ++i) {
    shots[first + i].x = centre + kChevronXs[i];
    shots[first + i].y = row.anchor->y + kChevronYs[i];
  }
}

// ---- Single drops: one bullet at a fixed point of the boss.
struct DropRow {
  BulletPoolId pool;
  const Boss* anchor;
  float x, y;
};
enum DropMember {
  kDropS1FallD, kDropS1FallE, kDropS2FallD, kDropS2DiagA, kDropS2DiagB, kDropS2FallE, kDropS2DiagC,
  kDropS2DiagD, kDropS2FallF, kDropS2DiagE, kDropS2DiagF
};
constexpr DropRow kDrops[] = {
    {kPoolS1FallingShotsD, &gS1Boss, 0, 100},   {kPoolS1FallingShotsE, &gS1Boss, 290, 100},
    {kPoolS2FallingShotsD, &gS2Boss, 190, 126}, {kPoolS2DiagonalShotsA, &gS2Boss, 190, 150},
    {kPoolS2DiagonalShotsB, &gS2Boss, 190, 150}, {kPoolS2FallingShotsE, &gS2Boss, 30, 66},
    {kPoolS2DiagonalShotsC, &gS2Boss, 30, 90},  {kPoolS2DiagonalShotsD, &gS2Boss, 30, 90},
    {kPoolS2FallingShotsF, &gS2Boss, 410, 66},  {kPoolS2DiagonalShotsE, &gS2Boss, 410, 90},
    {kPoolS2DiagonalShotsF, &gS2Boss, 410, 90},
};

void SpawnDrop(DropMember m, int record) {
  const DropRow& row = kDrops[m];
  PatternShot& r = PoolHandle<PatternShot>{row.pool}[record];
  if (r.active != 0) return;
  r.active = 1;
  r.x = row.anchor->x + row.x;
  r.y = row.anchor->y + row.y;
}

// ---- Aimed fans: n bullets 12 degrees apart, the middle one at the target.
struct AimedFanRow {
  BulletPoolId pool;
  const Boss* anchor;
  Offset x;
  int n;             // bullets of a fan (the timer's group size)
  float halfSpread;  // (n - 1) x 6 degrees
  float speed;
  float target;      // added to both of the ship's coordinates
};
constexpr double kFanStep = 0.2094395102393195;  // 12 degrees
enum AimedFanMember {
  kFanS1A, kFanS1B, kFanS1C, kFanS1D, kFanS2A, kFanS2B, kFanS2C, kFanS2D, kFanS2E, kFanS2F, kFanS2G
};
constexpr AimedFanRow kAimedFans[] = {
    {kPoolS1AimedFanShotsA, &gS1Boss, Off(210), 7, 0.62831855f, 200, 20},
    {kPoolS1AimedFanShotsB, &gS1Boss, Off(210), 7, 0.62831855f, 200, 20},
    {kPoolS1AimedFanShotsC, &gS1Boss, Off(210), 5, 0.41887903f, 220, 20},
    {kPoolS1AimedFanShotsD, &gS1Boss, Off(200), 5, 0.41887903f, 220, 10},
    {kPoolS2AimedFanShotsA, &gS2Boss, Off(230), 11, 1.0471976f, 220, 10},
    {kPoolS2AimedFanShotsB, &gS2Boss, Off(230, -130), 11, 1.0471976f, 220, 10},
    {kPoolS2AimedFanShotsC, &gS2Boss, Off(230, 130), 11, 1.0471976f, 220, 10},
    {kPoolS2AimedFanShotsD, &gS2Boss, Off(230, -100), 3, 0.20943952f, 220, 10},
    {kPoolS2AimedFanShotsE, &gS2Boss, Off(230, 100), 3, 0.20943952f, 220, 10},
    {kPoolS2AimedFanShotsF, &gS2Boss, Off(230, -120), 7, 0.62831855f, 220, 10},
    {kPoolS2AimedFanShotsG, &gS2Boss, Off(230, 120), 7, 0.62831855f, 220, 10},
};

// Launch point, target vector, heading and speed of an aimed record.
template <class R>
void LaunchAimed(R& r, float x, float y, float target, float speed, float step, float halfSpread) {
  r.active = 1;
  fire::LaunchTowardsShip(r, x, y, target);
  r.speed = speed;
  r.angle = AimWithSpread(r.dx, r.dy, step, halfSpread);
}

void SpawnAimedFan(AimedFanMember m, int record, int first) {
  const AimedFanRow& row = kAimedFans[m];
  AngleShot& r = PoolHandle<AngleShot>{row.pool}[record];
  if (r.active != 0) return;
  const float step = static_cast<float>(kFanStep * (record - first));
  LaunchAimed(r, row.x.From(row.anchor->x), row.anchor->y + kLaunchDrop, row.target, row.speed,
              step, row.halfSpread);
}

// ---- Aimed rings: twelve bullets 30 degrees apart, counted across the whole pool.
struct RingRow {
  BulletPoolId pool;
  const Boss* anchor;
  Offset x;
};
constexpr double kRingStep = 0.5235987755982988;  // 30 degrees
enum RingMember { kRingS2A, kRingS2B };
constexpr RingRow kRings[] = {
    {kPoolS2RingShotsA, &gS2Boss, Off(240, -100)},
    {kPoolS2RingShotsB, &gS2Boss, Off(240, 100)},
};

void SpawnRing(RingMember m, int record) {
  const RingRow& row = kRings[m];
  RingShot& r = PoolHandle<RingShot>{row.pool}[record];
  if (r.active != 0) return;
  const float step = static_cast<float>(kRingStep * record);
  LaunchAimed(r, row.x.From(row.anchor->x), row.anchor->y + kLaunchDrop, 20.0f, 140.0f, step,
              0.0f);
}

// ---- Spiral steps: one bullet, turned 10 degrees further at each step.
struct SpiralRow {
  BulletPoolId pool;
  const Boss* anchor;
  Offset x;
  int turn;  // +1: the steps turn clockwise on the screen, -1 anticlockwise
};
constexpr double kSpiralStep = 0.17453292519943295;  // 10 degrees
enum SpiralMember { kSpiralA, kSpiralB, kSpiralC, kSpiralD, kSpiralE, kSpiralF };
constexpr SpiralRow kSpirals[] = {
    {kPoolS1SpiralShotsA, &gS1Boss, Off(210), -1},
    {kPoolS1SpiralShotsB, &gS1Boss, Off(210), 1},
    {kPoolS1SpiralShotsC, &gS1Boss, Off(210, -90), -1},
    {kPoolS1SpiralShotsD, &gS1Boss, Off(210, 90), 1},
    {kPoolS1SpiralShotsE, &gS1Boss, Off(210, -90), 1},
    {kPoolS1SpiralShotsF, &gS1Boss, Off(210, 90), -1},
};

void SpawnSpiral(SpiralMember m, int record, int step) {
  const SpiralRow& row = kSpirals[m];
  AngleShot& r = PoolHandle<AngleShot>{row.pool}[record];
  if (r.active != 0) return;
  r.active = 1;
  r.x = row.x.From(row.anchor->x);
  r.y = row.anchor->y + kLaunchDrop;
  r.speed = 110.0f;
  r.angle = static_cast<float>(step * (row.turn * kSpiralStep));
}

// ---- Checks: each family's rows fit their pools, and the 46 spawners fill 46 different pools.
template <class Row, size_t N>
constexpr bool AllOf(const Row (&rows)[N], ShotType type, int group) {
  for (const Row& r : rows) {
    const int size = group > 0 ? group : 1;
    if (kBulletPools[r.pool].type != type || kBulletPools[r.pool].count % size != 0) return false;
  }
  return true;
}
constexpr bool ColumnArcsFit() {
  for (const ColumnArcRow& r : kColumnArcs) {
    if (kBulletPools[r.pool].type != ShotType::Pattern || r.n > 7) return false;
    if (kBulletPools[r.pool].count % r.n != 0) return false;
  }
  return true;
}
constexpr bool AimedFansFit() {
  for (const AimedFanRow& r : kAimedFans) {
    if (kBulletPools[r.pool].type != ShotType::Angle || kBulletPools[r.pool].count % r.n != 0) {
      return false;
    }
    const double h = (r.n - 1) * (kFanStep / 2);  // the middle bullet flies at the target
    if (r.halfSpread - h > 1e-6 || h - r.halfSpread > 1e-6) return false;
  }
  return true;
}
static_assert(ColumnArcsFit());
static_assert(AllOf(kPairs, ShotType::Pattern, 2));
static_assert(AllOf(kChevrons, ShotType::Pattern, 5));
static_assert(AllOf(kDrops, ShotType::Pattern, 1));
static_assert(AimedFansFit());
static_assert(AllOf(kRings, ShotType::Ring, 12));
static_assert(AllOf(kSpirals, ShotType::Angle, 1));

constexpr bool EverySpawnerItsOwnPool() {
  std::array<int, kBulletPoolCount> seen{};
  int rows = 0;
  auto count = [&](const auto& table) {
    for (const auto& r : table) {
      ++seen[r.pool];
      ++rows;
    }
  };
  count(kColumnArcs);
  count(kPairs);
  count(kChevrons);
  count(kDrops);
  count(kAimedFans);
  count(kRings);
  count(kSpirals);
  for (int s : seen) {
    if (s > 1) return false;
  }
  return rows == 46;
}
static_assert(EverySpawnerItsOwnPool());

}  // namespace

void SpawnS1ArcShots(int record, int first) { SpawnColumnArc(kArcS1, record, first); }
void SpawnS2FanShotsF(int record, int first) { SpawnColumnArc(kArcS2F, record, first); }
void SpawnS2FanShotsG(int record, int first) { SpawnColumnArc(kArcS2G, record, first); }
void SpawnS2FanShotsH(int record, int first) { SpawnColumnArc(kArcS2H, record, first); }
void SpawnS2FanShotsI(int record, int first) { SpawnColumnArc(kArcS2I, record, first); }
void SpawnS2FanShotsJ(int record, int first) { SpawnColumnArc(kArcS2J, record, first); }
void SpawnS1DriftShotsA(int record, int first) { SpawnColumnArc(kArcS1DriftA, record, first); }
void SpawnS1DriftShotsB(int record, int first) { SpawnColumnArc(kArcS1DriftB, record, first); }

void SpawnS1PairShots(int record, int first) { SpawnPair(kPairS1, record, first); }
void SpawnS1FallingShotsA(int record, int first) { SpawnPair(kPairS1FallA, record, first); }
void SpawnS1FallingShotsB(int record, int first) { SpawnPair(kPairS1FallB, record, first); }
void SpawnS1FallingShotsC(int record, int first) { SpawnPair(kPairS1FallC, record, first); }
void SpawnS2DriftShotsA(int record, int first) { SpawnPair(kPairS2DriftA, record, first); }
void SpawnS2FallingShotsC(int record, int first) { SpawnPair(kPairS2FallC, record, first); }

void SpawnS2DriftShotsB(int record, int first) { SpawnChevron(kChevronS2DriftB, record, first); }
void SpawnS2DriftShotsC(int record, int first) { SpawnChevron(kChevronS2DriftC, record, first); }

// Single drops are called with first equal to record.
void SpawnS1FallingShotsD(int record, int) { SpawnDrop(kDropS1FallD, record); }
void SpawnS1FallingShotsE(int record, int) { SpawnDrop(kDropS1FallE, record); }
void SpawnS2FallingShotsD(int record, int) { SpawnDrop(kDropS2FallD, record); }
void SpawnS2DiagonalShotsA(int record, int) { SpawnDrop(kDropS2DiagA, record); }
void SpawnS2DiagonalShotsB(int record, int) { SpawnDrop(kDropS2DiagB, record); }
void SpawnS2FallingShotsE(int record, int) { SpawnDrop(kDropS2FallE, record); }
void SpawnS2DiagonalShotsC(int record, int) { SpawnDrop(kDropS2DiagC, record); }
void SpawnS2DiagonalShotsD(int record, int) { SpawnDrop(kDropS2DiagD, record); }
void SpawnS2FallingShotsF(int record, int) { SpawnDrop(kDropS2FallF, record); }
void SpawnS2DiagonalShotsE(int record, int) { SpawnDrop(kDropS2DiagE, record); }
void SpawnS2DiagonalShotsF(int record, int) { SpawnDrop(kDropS2DiagF, record); }

void SpawnS1AimedFanShotsA(int record, int first) { SpawnAimedFan(kFanS1A, record, first); }
void SpawnS1AimedFanShotsB(int record, int first) { SpawnAimedFan(kFanS1B, record, first); }
void SpawnS1AimedFanShotsC(int record, int first) { SpawnAimedFan(kFanS1C, record, first); }
void SpawnS1AimedFanShotsD(int record, int first) { SpawnAimedFan(kFanS1D, record, first); }
void SpawnS2AimedFanShotsA(int record, int first) { SpawnAimedFan(kFanS2A, record, first); }
void SpawnS2AimedFanShotsB(int record, int first) { SpawnAimedFan(kFanS2B, record, first); }
void SpawnS2AimedFanShotsC(int record, int first) { SpawnAimedFan(kFanS2C, record, first); }
void SpawnS2AimedFanShotsD(int record, int first) { SpawnAimedFan(kFanS2D, record, first); }
void SpawnS2AimedFanShotsE(int record, int first) { SpawnAimedFan(kFanS2E, record, first); }
void SpawnS2AimedFanShotsF(int record, int first) { SpawnAimedFan(kFanS2F, record, first); }
void SpawnS2AimedFanShotsG(int record, int first) { SpawnAimedFan(kFanS2G, record, first); }

void SpawnS2RingShotsA(int record) { SpawnRing(kRingS2A, record); }
void SpawnS2RingShotsB(int record) { SpawnRing(kRingS2B, record); }

// The second argument of a spiral step is the step number that sets its heading.
void SpawnS1SpiralShotsA(int record, int step) { SpawnSpiral(kSpiralA, record, step); }
void SpawnS1SpiralShotsB(int record, int step) { SpawnSpiral(kSpiralB, record, step); }
void SpawnS1SpiralShotsC(int record, int step) { SpawnSpiral(kSpiralC, record, step); }
void SpawnS1SpiralShotsD(int record, int step) { SpawnSpiral(kSpiralD, record, step); }
void SpawnS1SpiralShotsE(int record, int step) { SpawnSpiral(kSpiralE, record, step); }
void SpawnS1SpiralShotsF(int record, int step) { SpawnSpiral(kSpiralF, record, step); }
