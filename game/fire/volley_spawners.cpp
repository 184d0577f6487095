// The bosses' spawners: seven families (column arcs, pairs, chevrons, single drops, aimed fans,
// aimed rings, spiral steps), each one routine over a table of its members. Every spawner leaves
// a record in flight exactly as it is; a free one is turned on and placed relative to its boss.
// Each spawner is its family's routine on the row of its own pool, found at compile time, and
// reaches the records through the pool list's own type.
#include "game/fire/volley_spawners.h"

#include <array>
#include <span>

#include "game/fire/bullet_data.h"
#include "game/fire/emitter_rows.h"
#include "game/fire/fire_rules.h"
#include "game/fire/volley_spawner_rows.h"
#include "game/player_data.h"

namespace {

using namespace spawner_rows;

// Heights of the aimed families' launch point below the boss.
constexpr float kLaunchDrop = 130.0f;

// The row of a family's table that owns pool `id`; a pool without one does not compile.
template <BulletPoolId id, const auto& table>
constexpr const auto& RowFor() {
  constexpr int index = fire::RowOfPool(table, id);
  static_assert(index >= 0, "this pool has no row in the family's table");
  return table[index];
}

// Only the firing record's x is written: a whole group stands in one column.
template <BulletPoolId id>
void SpawnColumnArc(int record, int first) {
  const ColumnArcRow& row = RowFor<id, kColumnArcs>();
  const std::span<PatternShot> shots = Pool<id>();
  PatternShot& r = shots[record];
  if (r.active != 0) return;
  r.active = 1;
  r.x = row.x.From(row.anchor->x);
  for (int i = 0; i < row.n; ++i) shots[first + i].y = row.anchor->y + row.y[i];
}

template <BulletPoolId id>
void SpawnPair(int record, int first) {
  const PairRow& row = RowFor<id, kPairs>();
  const std::span<PatternShot> shots = Pool<id>();
  PatternShot& r = shots[record];
  if (r.active != 0) return;
  r.active = 1;
  const float centre = row.x.From(row.anchor->x);
  shots[first].x = centre - row.d;
  shots[first + 1].x = centre + row.d;
  r.y = row.y.From(row.anchor->y);
}

template <BulletPoolId id>
void SpawnChevron(int record, int first) {
  const ChevronRow& row = RowFor<id, kChevrons>();
  const std::span<PatternShot> shots = Pool<id>();
  if (shots[record].active != 0) return;
  shots[record].active = 1;
  const float centre = row.centre.From(row.anchor->x);
  for (int i = 0; i < kChevronSize; ++i) {
    shots[first + i].x = centre + kChevronXs[i];
    shots[first + i].y = row.anchor->y + kChevronYs[i];
  }
}

template <BulletPoolId id>
void SpawnDrop(int record) {
  const DropRow& row = RowFor<id, kDrops>();
  PatternShot& r = Pool<id>()[record];
  if (r.active != 0) return;
  r.active = 1;
  r.x = row.anchor->x + row.x;
  r.y = row.anchor->y + row.y;
}

// Launch point, target vector, heading and speed of an aimed record: the step, then minus the
// half-spread, join the aim before its half turn.
template <class R>
void LaunchAimed(R& r, float x, float y, float target, float speed, float step, float halfSpread) {
  r.active = 1;
  fire::LaunchTowardsShip(r, x, y, target);
  r.speed = speed;
  r.angle = fire::AimAngle(r.dx, r.dy, step, -halfSpread);
}

template <BulletPoolId id>
void SpawnAimedFan(int record, int first) {
  const AimedFanRow& row = RowFor<id, kAimedFans>();
  AngleShot& r = Pool<id>()[record];
  if (r.active != 0) return;
  const float step = static_cast<float>(kFanStep * (record - first));
  LaunchAimed(r, row.x.From(row.anchor->x), row.anchor->y + kLaunchDrop, row.target, row.speed,
              step, row.halfSpread);
}

template <BulletPoolId id>
void SpawnRing(int record) {
  const RingRow& row = RowFor<id, kRings>();
  RingShot& r = Pool<id>()[record];
  if (r.active != 0) return;
  const float step = static_cast<float>(kRingStep * record);
  LaunchAimed(r, row.x.From(row.anchor->x), row.anchor->y + kLaunchDrop, 20.0f, 140.0f, step,
              0.0f);
}

template <BulletPoolId id>
void SpawnSpiral(int record, int step) {
  const SpiralRow& row = RowFor<id, kSpirals>();
  AngleShot& r = Pool<id>()[record];
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
static_assert(AllOf(kPairs, ShotType::Pattern, kPairSize));
static_assert(AllOf(kChevrons, ShotType::Pattern, kChevronSize));
static_assert(AllOf(kDrops, ShotType::Pattern, 1));
static_assert(AimedFansFit());
static_assert(AllOf(kRings, ShotType::Ring, kRingSize));
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

#define MORV_SPAWN(family, name) \
  void Spawn##name(int record, int first) { family<kPool##name>(record, first); }
MORV_SPAWN(SpawnColumnArc, S1ArcShots)
MORV_SPAWN(SpawnColumnArc, S2FanShotsF)
MORV_SPAWN(SpawnColumnArc, S2FanShotsG)
MORV_SPAWN(SpawnColumnArc, S2FanShotsH)
MORV_SPAWN(SpawnColumnArc, S2FanShotsI)
MORV_SPAWN(SpawnColumnArc, S2FanShotsJ)
MORV_SPAWN(SpawnColumnArc, S1DriftShotsA)
MORV_SPAWN(SpawnColumnArc, S1DriftShotsB)

MORV_SPAWN(SpawnPair, S1PairShots)
MORV_SPAWN(SpawnPair, S1FallingShotsA)
MORV_SPAWN(SpawnPair, S1FallingShotsB)
MORV_SPAWN(SpawnPair, S1FallingShotsC)
MORV_SPAWN(SpawnPair, S2DriftShotsA)
MORV_SPAWN(SpawnPair, S2FallingShotsC)

MORV_SPAWN(SpawnChevron, S2DriftShotsB)
MORV_SPAWN(SpawnChevron, S2DriftShotsC)

MORV_SPAWN(SpawnAimedFan, S1AimedFanShotsA)
MORV_SPAWN(SpawnAimedFan, S1AimedFanShotsB)
MORV_SPAWN(SpawnAimedFan, S1AimedFanShotsC)
MORV_SPAWN(SpawnAimedFan, S1AimedFanShotsD)
MORV_SPAWN(SpawnAimedFan, S2AimedFanShotsA)
MORV_SPAWN(SpawnAimedFan, S2AimedFanShotsB)
MORV_SPAWN(SpawnAimedFan, S2AimedFanShotsC)
MORV_SPAWN(SpawnAimedFan, S2AimedFanShotsD)
MORV_SPAWN(SpawnAimedFan, S2AimedFanShotsE)
MORV_SPAWN(SpawnAimedFan, S2AimedFanShotsF)
MORV_SPAWN(SpawnAimedFan, S2AimedFanShotsG)

// The second argument of a spiral step is the step number that sets its heading.
MORV_SPAWN(SpawnSpiral, S1SpiralShotsA)
MORV_SPAWN(SpawnSpiral, S1SpiralShotsB)
MORV_SPAWN(SpawnSpiral, S1SpiralShotsC)
MORV_SPAWN(SpawnSpiral, S1SpiralShotsD)
MORV_SPAWN(SpawnSpiral, S1SpiralShotsE)
MORV_SPAWN(SpawnSpiral, S1SpiralShotsF)
#undef MORV_SPAWN

// Single drops are called with first equal to record.
#define MORV_SPAWN_DROP(name) \
  void Spawn##name(int record, int) { SpawnDrop<kPool##name>(record); }
MORV_SPAWN_DROP(S1FallingShotsD)
MORV_SPAWN_DROP(S1FallingShotsE)
MORV_SPAWN_DROP(S2FallingShotsD)
MORV_SPAWN_DROP(S2DiagonalShotsA)
MORV_SPAWN_DROP(S2DiagonalShotsB)
MORV_SPAWN_DROP(S2FallingShotsE)
MORV_SPAWN_DROP(S2DiagonalShotsC)
MORV_SPAWN_DROP(S2DiagonalShotsD)
MORV_SPAWN_DROP(S2FallingShotsF)
MORV_SPAWN_DROP(S2DiagonalShotsE)
MORV_SPAWN_DROP(S2DiagonalShotsF)
#undef MORV_SPAWN_DROP

void SpawnS2RingShotsA(int record) { SpawnRing<kPoolS2RingShotsA>(record); }
void SpawnS2RingShotsB(int record) { SpawnRing<kPoolS2RingShotsB>(record); }
