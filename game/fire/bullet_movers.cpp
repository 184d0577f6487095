// The mover table: one row per boss-bullet pool with its family and constants, and the one entry
// that moves a pool by its row.
#include "game/fire/bullet_movers.h"

#include <array>

#include "game/fire/bullet_movers_families.h"

namespace movers {
namespace {

using fire::HitWindow;

// Side speeds by place in the group, pixels per second.
inline constexpr float kPairSides[] = {-120.0f, 120.0f};
inline constexpr float kArcSides[] = {-210.0f, -140.0f, -70.0f, 0.0f, 70.0f, 140.0f, 210.0f};
inline constexpr float kFanSides[] = {-100.0f, -50.0f, 0.0f, 50.0f, 100.0f};
inline constexpr float kEdgeSides[] = {-100.0f, 0.0f, 0.0f, 0.0f, 100.0f};
inline constexpr float kColumnRightSides[] = {30.0f, 60.0f, 90.0f};
inline constexpr float kColumnLeftSides[] = {-30.0f, -60.0f, -90.0f};
// The small fans' side speeds, one per record of the pool.
inline constexpr float kS1SmallFanA[] = {-60.0f, 60.0f};
inline constexpr float kS1SmallFanB[] = {-69.0f, 0.0f, 69.0f};
inline constexpr float kSmallFanFour[] = {-28.0f, 28.0f, -80.0f, 80.0f};
inline constexpr float kS2SmallFanTwo[] = {-30.0f, 30.0f};
inline constexpr float kS2SmallFanThree[] = {-39.0f, 0.0f, 39.0f};

template <size_t N>
constexpr DriftTable Sides(const float (&speeds)[N]) {
  return {speeds, static_cast<int>(N)};
}

constexpr HitWindow Win(float loX, float hiX, float loY, float hiY) { return {loX, hiX, loY, hiY}; }

// Named rows, one per family.
constexpr Row Base(BulletPoolId pool, Law law) {
  Row r{};
  r.pool = pool;
  r.law = law;
  return r;
}
constexpr Row StraightFall(BulletPoolId pool, float v, HitWindow w) {
  Row r = Base(pool, Law::Fall);
  r.fallSpeed = v;
  r.hit = w;
  return r;
}
constexpr Row DriftFall(BulletPoolId pool, DriftTable sides, float v, HitWindow w) {
  Row r = StraightFall(pool, v, w);
  r.drift = sides;
  return r;
}
// Drifting columns keep falling through a clear-all.
constexpr Row ColumnDrift(BulletPoolId pool, DriftTable sides, float v, HitWindow w) {
  Row r = DriftFall(pool, sides, v, w);
  r.readsClear = false;
  return r;
}
constexpr Row SmallFan(BulletPoolId pool, DriftTable sides, float v) {
  Row r = DriftFall(pool, sides, v, Win(14, 30, 24, 30));
  r.law = Law::SmallFan;
  return r;
}
constexpr Row Diagonal(BulletPoolId pool, float side) {
  Row r = Base(pool, Law::Diagonal);
  r.fallSpeed = 143.0f;
  r.sideSpeed = side;
  return r;
}
// Volleys and curving salvos end as a whole and keep falling through a clear-all.
constexpr Row Volley(BulletPoolId pool, float margin, HitWindow w) {
  Row r = Base(pool, Law::Volley);
  r.margin = margin;
  r.readsClear = false;
  r.hit = w;
  return r;
}
enum Heading : bool { kAlong = false, kAgainst = true };
constexpr Row Angled(BulletPoolId pool, Heading heading, float freeMargin, HitWindow w) {
  Row r = Base(pool, Law::Angle);
  r.against = heading;
  r.margin = freeMargin;
  r.hit = w;
  return r;
}
constexpr Row AngleFreeOnHitRow(BulletPoolId pool, Heading heading, float freeMargin, HitWindow w) {
  Row r = Angled(pool, heading, freeMargin, w);
  r.law = Law::AngleFreeOnHit;
  return r;
}
constexpr Row Curving(BulletPoolId pool, Heading heading, float turn, float launchAngle,
                      bool driftLeft) {
  Row r = Base(pool, Law::Curving);
  r.against = heading;
  r.turn = turn;
  r.launchAngle = launchAngle;
  r.driftLeft = driftLeft;
  r.margin = 30.0f;
  r.readsClear = false;
  r.hit = Win(0, 30, 10, 30);
  return r;
}

constexpr HitWindow kWin0 = Win(0, 20, 0, 20);
constexpr HitWindow kWin10 = Win(10, 30, 20, 30);
constexpr HitWindow kWinWide = Win(-10, 30, 0, 30);
constexpr HitWindow kWinVolley = Win(0, 30, 10, 30);

constexpr Row kRows[] = {
    // Straight falls.
    StraightFall(kPoolS1FallingShotsA, 280, kWin0),
    StraightFall(kPoolS2FallingShotsC, 280, kWin0),
    StraightFall(kPoolS1FallingShotsB, 200, kWin10),
    StraightFall(kPoolS1FallingShotsC, 200, kWin10),
    StraightFall(kPoolS2FallingShotsA, 200, kWinWide),
    StraightFall(kPoolS2FallingShotsB, 200, kWinWide),
    StraightFall(kPoolS1FallingShotsD, 150, Win(-120, 30, -140, 30)),
    StraightFall(kPoolS1FallingShotsE, 150, Win(-120, 30, -140, 30)),
    StraightFall(kPoolS2FallingShotsD, 143, Win(-90, 30, -80, 30)),
    StraightFall(kPoolS2FallingShotsE, 143, Win(-30, 30, -80, 30)),
    StraightFall(kPoolS2FallingShotsF, 143, Win(-30, 30, -80, 30)),
    // Alternating drift, arc, fans and edge drift.
    DriftFall(kPoolS1PairShots, Sides(kPairSides), 250, kWin0),
    DriftFall(kPoolS2DriftShotsA, Sides(kPairSides), 250, kWin0),
    DriftFall(kPoolS1ArcShots, Sides(kArcSides), 200, kWinWide),
    DriftFall(kPoolS2FanShotsA, Sides(kFanSides), 230, kWin10),
    DriftFall(kPoolS2FanShotsB, Sides(kFanSides), 90, kWin10),
    DriftFall(kPoolS2FanShotsC, Sides(kFanSides), 90, kWin10),
    DriftFall(kPoolS2FanShotsD, Sides(kFanSides), 120, kWin10),
    DriftFall(kPoolS2FanShotsE, Sides(kFanSides), 120, kWin10),
    DriftFall(kPoolS2FanShotsF, Sides(kFanSides), 130, kWin10),
    DriftFall(kPoolS2FanShotsG, Sides(kFanSides), 120, kWin0),
    DriftFall(kPoolS2FanShotsH, Sides(kFanSides), 120, kWin0),
    DriftFall(kPoolS2FanShotsI, Sides(kFanSides), 120, kWin0),
    DriftFall(kPoolS2FanShotsJ, Sides(kFanSides), 120, kWin0),
    DriftFall(kPoolS2DriftShotsB, Sides(kEdgeSides), 180, kWin10),
    DriftFall(kPoolS2DriftShotsC, Sides(kEdgeSides), 180, kWin10),
    // Column drift.
    ColumnDrift(kPoolS1DriftShotsA, Sides(kColumnRightSides), 120, kWin10),
    ColumnDrift(kPoolS1DriftShotsB, Sides(kColumnLeftSides), 120, kWin10),
    // Small fans.
    SmallFan(kPoolS1SmallFanShotsA, Sides(kS1SmallFanA), 190),
    SmallFan(kPoolS1SmallFanShotsB, Sides(kS1SmallFanB), 220),
    SmallFan(kPoolS1SmallFanShotsC, Sides(kSmallFanFour), 260),
    SmallFan(kPoolS2SmallFanShotsA, Sides(kS2SmallFanTwo), 140),
    SmallFan(kPoolS2SmallFanShotsH, Sides(kS2SmallFanTwo), 140),
    SmallFan(kPoolS2SmallFanShotsI, Sides(kS2SmallFanTwo), 140),
    SmallFan(kPoolS2SmallFanShotsJ, Sides(kS2SmallFanTwo), 140),
    SmallFan(kPoolS2SmallFanShotsB, Sides(kS2SmallFanThree), 120),
    SmallFan(kPoolS2SmallFanShotsC, Sides(kS2SmallFanThree), 120),
    SmallFan(kPoolS2SmallFanShotsD, Sides(kS2SmallFanThree), 120),
    SmallFan(kPoolS2SmallFanShotsE, Sides(kS2SmallFanThree), 120),
    SmallFan(kPoolS2SmallFanShotsF, Sides(kS2SmallFanThree), 120),
    SmallFan(kPoolS2SmallFanShotsK, Sides(kS2SmallFanThree), 120),
    SmallFan(kPoolS2SmallFanShotsL, Sides(kS2SmallFanThree), 120),
    SmallFan(kPoolS2SmallFanShotsM, Sides(kS2SmallFanThree), 120),
    SmallFan(kPoolS2SmallFanShotsN, Sides(kS2SmallFanThree), 120),
    SmallFan(kPoolS2SmallFanShotsO, Sides(kS2SmallFanThree), 120),
    SmallFan(kPoolS2SmallFanShotsG, Sides(kSmallFanFour), 110),
    SmallFan(kPoolS2SmallFanShotsP, Sides(kSmallFanFour), 110),
    // Diagonals: down-left, then down-right.
    Diagonal(kPoolS2DiagonalShotsA, -143),
    Diagonal(kPoolS2DiagonalShotsC, -143),
    Diagonal(kPoolS2DiagonalShotsE, -143),
    Diagonal(kPoolS2DiagonalShotsB, 143),
    Diagonal(kPoolS2DiagonalShotsD, 143),
    Diagonal(kPoolS2DiagonalShotsF, 143),
    // Volleys.
    Volley(kPoolS1VolleyShotsA, 20, kWin10),
    Volley(kPoolS1VolleyShotsI, 20, kWin10),
    Volley(kPoolS1VolleyShotsB, 30, kWinVolley),
    Volley(kPoolS1VolleyShotsC, 30, kWinVolley),
    Volley(kPoolS1VolleyShotsD, 30, kWinVolley),
    Volley(kPoolS1VolleyShotsE, 30, kWinVolley),
    Volley(kPoolS1VolleyShotsF, 30, kWinVolley),
    Volley(kPoolS1VolleyShotsG, 30, kWinVolley),
    Volley(kPoolS1VolleyShotsH, 30, kWinVolley),
    Volley(kPoolS1VolleyShotsJ, 30, kWinVolley),
    Volley(kPoolS2VolleyShotsA, 30, kWinVolley),
    Volley(kPoolS2VolleyShotsB, 30, kWinVolley),
    Volley(kPoolS2VolleyShotsC, 30, kWinVolley),
    Volley(kPoolS2VolleyShotsD, 30, kWinVolley),
    Volley(kPoolS2VolleyShotsE, 30, kWinVolley),
    Volley(kPoolS2VolleyShotsF, 30, kWinVolley),
    Volley(kPoolS2VolleyShotsG, 30, kWinVolley),
    Volley(kPoolS2VolleyShotsH, 30, kWinVolley),
    Volley(kPoolS2VolleyShotsI, 30, kWinVolley),
    Volley(kPoolS2VolleyShotsJ, 30, kWinVolley),
    Volley(kPoolS2VolleyShotsK, 30, kWinVolley),
    Volley(kPoolS2VolleyShotsL, 30, kWinVolley),
    // Angle shots: aimed fans, rings, spirals and the unlaunched angle pools.
    AngleFreeOnHitRow(kPoolS1AngleShotsA, kAlong, 20, kWin10),
    Angled(kPoolS1AimedFanShotsA, kAlong, 20, kWin10),
    Angled(kPoolS1AimedFanShotsB, kAlong, 20, kWin10),
    Angled(kPoolS1AimedFanShotsC, kAlong, 20, kWin10),
    Angled(kPoolS1AimedFanShotsD, kAlong, 40, kWinWide),
    Angled(kPoolS2AimedFanShotsA, kAlong, 40, kWinWide),
    Angled(kPoolS2AimedFanShotsB, kAlong, 40, kWinWide),
    Angled(kPoolS2AimedFanShotsC, kAlong, 40, kWinWide),
    Angled(kPoolS2AimedFanShotsD, kAlong, 40, kWinWide),
    Angled(kPoolS2AimedFanShotsE, kAlong, 40, kWinWide),
    Angled(kPoolS2AimedFanShotsF, kAlong, 40, kWinWide),
    Angled(kPoolS2AimedFanShotsG, kAlong, 40, kWinWide),
    Angled(kPoolS2AngleShots, kAlong, 20, kWin10),
    Angled(kPoolS2RingShotsA, kAlong, 20, kWin10),
    Angled(kPoolS2RingShotsB, kAlong, 20, kWin10),
    Angled(kPoolS1AngleShotsB, kAgainst, 20, kWin10),
    Angled(kPoolS1AngleShotsD, kAgainst, 20, kWin10),
    Angled(kPoolS1AngleShotsF, kAgainst, 20, kWin10),
    Angled(kPoolS1AngleShotsC, kAlong, 20, kWin10),
    Angled(kPoolS1AngleShotsE, kAlong, 20, kWin10),
    Angled(kPoolS1AngleShotsG, kAlong, 20, kWin10),
    Angled(kPoolS1SpiralShotsA, kAgainst, 20, kWin10),
    Angled(kPoolS1SpiralShotsC, kAgainst, 20, kWin10),
    Angled(kPoolS1SpiralShotsF, kAgainst, 20, kWin10),
    Angled(kPoolS1SpiralShotsB, kAlong, 20, kWin10),
    Angled(kPoolS1SpiralShotsD, kAlong, 20, kWin10),
    Angled(kPoolS1SpiralShotsE, kAlong, 20, kWin10),
    // Curving salvos: A flies against its heading, turns anticlockwise and drifts left; B the
    // mirror image. The turn is pi/140 a frame.
    Curving(kPoolS2CurvingShotsA, kAgainst, -0.022439947f, -0.62831855f, true),
    Curving(kPoolS2CurvingShotsB, kAlong, 0.022439947f, 0.62831855f, false),
};

constexpr int kNoRow = -1;

// Row of each pool; kNoRow for the regular enemies' pools, which move by their own routines.
constexpr std::array<int, kBulletPoolCount> kRowOfPool = [] {
  std::array<int, kBulletPoolCount> index{};
  index.fill(kNoRow);
  for (int i = 0; i < static_cast<int>(std::size(kRows)); ++i) index[kRows[i].pool] = i;
  return index;
}();

constexpr bool EveryBossPoolOnce() {
  std::array<int, kBulletPoolCount> seen{};
  for (const Row& r : kRows) ++seen[r.pool];
  for (int p = 0; p < kBulletPoolCount; ++p) {
    if (seen[p] != (kBulletPools[p].stage == 0 ? 0 : 1)) return false;
  }
  return true;
}
static_assert(std::size(kRows) == 104);
static_assert(EveryBossPoolOnce(), "each boss pool needs exactly one mover row");

constexpr ShotType RecordType(Law law, ShotType poolType) {
  switch (law) {
    case Law::Fall:
    case Law::SmallFan:
    case Law::Diagonal: return ShotType::Pattern;
    case Law::Volley: return ShotType::Aimed;
    case Law::AngleFreeOnHit: return ShotType::Angle;
    case Law::Angle: return poolType == ShotType::Ring ? ShotType::Ring : ShotType::Angle;
    case Law::Curving: return ShotType::Curving;
  }
  return ShotType::Pattern;
}

constexpr bool RowsFitTheirPools() {
  for (const Row& r : kRows) {
    const BulletPool& pool = kBulletPools[r.pool];
    if (RecordType(r.law, pool.type) != pool.type) return false;
    if (r.law == Law::Fall && r.drift.count > 0 && pool.count % r.drift.count != 0) return false;
    // A small fan's table gives each record of the pool its own side speed.
    if (r.law == Law::SmallFan && r.drift.count != pool.count) return false;
  }
  return true;
}
static_assert(RowsFitTheirPools(), "a mover row's family or drift table does not fit its pool");

}  // namespace
}  // namespace movers

void MoveBulletPool(BulletPoolId id) {
  using namespace movers;
  const int index = kRowOfPool[id];
  if (index == kNoRow) return;
  const Row& row = kRows[index];
  switch (row.law) {
    case Law::Fall: MoveFalling(row, PoolHandle<PatternShot>{id}.records()); break;
    case Law::SmallFan: MoveSmallFan(row, PoolHandle<PatternShot>{id}.records()); break;
    case Law::Diagonal: MoveDiagonal(row, PoolHandle<PatternShot>{id}.records()); break;
    case Law::Volley: MoveVolley(row, PoolHandle<AimedShot>{id}.records()); break;
    case Law::AngleFreeOnHit: MoveAngleFreeOnHit(row, PoolHandle<AngleShot>{id}.records()); break;
    case Law::Angle:
      if (kBulletPools[id].type == ShotType::Ring) {
        MoveAngle(row, PoolHandle<RingShot>{id}.records());
      } else {
        MoveAngle(row, PoolHandle<AngleShot>{id}.records());
      }
      break;
    case Law::Curving: MoveCurving(row, PoolHandle<CurvingShot>{id}.records()); break;
  }
}
