// Enemy bullets: the five record types and the 106 fixed pools they live in (the bosses' attacks of
// both stages and the regular enemies' shots). Each pool is a run of records inside one store per
// record type; the table below gives every pool's type, size and stage.
#pragma once

#include <array>
#include <cstdint>
#include <span>

// Bullet of the scheduled boss patterns that fall, fan out or drift.
struct PatternShot {
  int32_t phase;  // animation cell counter
  int32_t tick;   // fire count of the pool's pattern timer
  float x, y;
  float sideSpeed;
  float fallSpeed;
  int32_t active;
};

// Bullet that flies along an angle from a launch point towards a target.
struct AimedShot {
  int32_t phase;
  float x, y;
  float dx, dy;  // launch point to target, recorded at launch
  float x0, y0;  // launch point
  float angle;   // radians
  float speed;   // pixels per second
  int32_t active;
};

// Bullet of the aimed fans and the spirals.
struct AngleShot {
  int32_t phase;
  int32_t tick;
  float x, y;
  float dx, dy;
  float x0, y0;
  float angle;
  float speed;
  int32_t active;
};

// Bullet of the stage-2 rings.
struct RingShot {
  int32_t phase;
  int32_t tick;
  float x, y;
  float dx, dy;
  float x0, y0;
  float angle;
  float speed;
  int32_t active;
};

// Stage-2 bullet that turns while it flies.
struct CurvingShot {
  int32_t phase;
  float x, y;
  float driftX, driftY;
  float angle;
  float speed;
  float turnTimer;
  int32_t active;
};

enum class ShotType : uint8_t { Aimed, Angle, Ring, Curving, Pattern };

// Every pool: name, record type, records, stage (0: both stages). Stage-1 pools come first, then
// stage 2's, each in the order the stage frame runs them (mover, then drawer); the regular
// enemies' two pools come last.
#define MORV_BULLET_POOLS(X) \
  X(S1FallingShotsD, Pattern, 20, 1) \
  X(S1FallingShotsE, Pattern, 20, 1) \
  X(S1VolleyShotsC, Aimed, 5, 1) \
  X(S1VolleyShotsD, Aimed, 5, 1) \
  X(S1VolleyShotsE, Aimed, 5, 1) \
  X(S1VolleyShotsF, Aimed, 5, 1) \
  X(S1VolleyShotsG, Aimed, 5, 1) \
  X(S1VolleyShotsH, Aimed, 5, 1) \
  X(S1AngleShotsA, Angle, 20, 1) \
  X(S1VolleyShotsB, Aimed, 5, 1) \
  X(S1VolleyShotsJ, Aimed, 5, 1) \
  X(S1VolleyShotsA, Aimed, 5, 1) \
  X(S1VolleyShotsI, Aimed, 5, 1) \
  X(S1AimedFanShotsC, Angle, 25, 1) \
  X(S1AimedFanShotsD, Angle, 25, 1) \
  X(S1AimedFanShotsA, Angle, 35, 1) \
  X(S1FallingShotsB, Pattern, 20, 1) \
  X(S1FallingShotsC, Pattern, 20, 1) \
  X(S1FallingShotsA, Pattern, 20, 1) \
  X(S1PairShots, Pattern, 20, 1) \
  X(S1DriftShotsA, Pattern, 30, 1) \
  X(S1DriftShotsB, Pattern, 30, 1) \
  X(S1ArcShots, Pattern, 35, 1) \
  X(S1SmallFanShotsA, Pattern, 2, 1) \
  X(S1SmallFanShotsB, Pattern, 3, 1) \
  X(S1SmallFanShotsC, Pattern, 4, 1) \
  X(S1AimedFanShotsB, Angle, 35, 1) \
  X(S1SpiralShotsA, Angle, 36, 1) \
  X(S1SpiralShotsB, Angle, 36, 1) \
  X(S1SpiralShotsC, Angle, 36, 1) \
  X(S1SpiralShotsD, Angle, 36, 1) \
  X(S1SpiralShotsE, Angle, 36, 1) \
  X(S1SpiralShotsF, Angle, 36, 1) \
  X(S1AngleShotsB, Angle, 108, 1) \
  X(S1AngleShotsC, Angle, 108, 1) \
  X(S1AngleShotsD, Angle, 108, 1) \
  X(S1AngleShotsE, Angle, 108, 1) \
  X(S1AngleShotsF, Angle, 108, 1) \
  X(S1AngleShotsG, Angle, 108, 1) \
  X(S2DiagonalShotsA, Pattern, 20, 2) \
  X(S2DiagonalShotsB, Pattern, 20, 2) \
  X(S2FallingShotsD, Pattern, 20, 2) \
  X(S2DiagonalShotsC, Pattern, 20, 2) \
  X(S2DiagonalShotsD, Pattern, 20, 2) \
  X(S2FallingShotsE, Pattern, 20, 2) \
  X(S2DiagonalShotsE, Pattern, 20, 2) \
  X(S2DiagonalShotsF, Pattern, 20, 2) \
  X(S2FallingShotsF, Pattern, 20, 2) \
  X(S2VolleyShotsD, Aimed, 5, 2) \
  X(S2VolleyShotsE, Aimed, 5, 2) \
  X(S2VolleyShotsF, Aimed, 5, 2) \
  X(S2VolleyShotsG, Aimed, 5, 2) \
  X(S2VolleyShotsH, Aimed, 5, 2) \
  X(S2VolleyShotsI, Aimed, 5, 2) \
  X(S2VolleyShotsJ, Aimed, 5, 2) \
  X(S2VolleyShotsK, Aimed, 5, 2) \
  X(S2VolleyShotsL, Aimed, 5, 2) \
  X(S2VolleyShotsA, Aimed, 5, 2) \
  X(S2VolleyShotsB, Aimed, 5, 2) \
  X(S2VolleyShotsC, Aimed, 5, 2) \
  X(S2RingShotsA, Ring, 72, 2) \
  X(S2RingShotsB, Ring, 72, 2) \
  X(S2FanShotsI, Pattern, 50, 2) \
  X(S2FanShotsJ, Pattern, 50, 2) \
  X(S2DriftShotsB, Pattern, 50, 2) \
  X(S2DriftShotsC, Pattern, 50, 2) \
  X(S2FanShotsG, Pattern, 50, 2) \
  X(S2FanShotsH, Pattern, 50, 2) \
  X(S2FanShotsF, Pattern, 50, 2) \
  X(S2FallingShotsC, Pattern, 20, 2) \
  X(S2DriftShotsA, Pattern, 20, 2) \
  X(S2SmallFanShotsH, Pattern, 2, 2) \
  X(S2SmallFanShotsI, Pattern, 2, 2) \
  X(S2SmallFanShotsJ, Pattern, 2, 2) \
  X(S2SmallFanShotsK, Pattern, 3, 2) \
  X(S2SmallFanShotsL, Pattern, 3, 2) \
  X(S2SmallFanShotsM, Pattern, 3, 2) \
  X(S2SmallFanShotsN, Pattern, 3, 2) \
  X(S2SmallFanShotsO, Pattern, 3, 2) \
  X(S2SmallFanShotsP, Pattern, 4, 2) \
  X(S2FanShotsD, Pattern, 50, 2) \
  X(S2FanShotsE, Pattern, 50, 2) \
  X(S2FanShotsB, Pattern, 50, 2) \
  X(S2FanShotsC, Pattern, 50, 2) \
  X(S2FanShotsA, Pattern, 50, 2) \
  X(S2AngleShots, Ring, 200, 2) \
  X(S2FallingShotsA, Pattern, 20, 2) \
  X(S2FallingShotsB, Pattern, 20, 2) \
  X(S2SmallFanShotsA, Pattern, 2, 2) \
  X(S2SmallFanShotsB, Pattern, 3, 2) \
  X(S2SmallFanShotsC, Pattern, 3, 2) \
  X(S2SmallFanShotsD, Pattern, 3, 2) \
  X(S2SmallFanShotsE, Pattern, 3, 2) \
  X(S2SmallFanShotsF, Pattern, 3, 2) \
  X(S2SmallFanShotsG, Pattern, 4, 2) \
  X(S2AimedFanShotsD, Angle, 15, 2) \
  X(S2AimedFanShotsE, Angle, 15, 2) \
  X(S2AimedFanShotsF, Angle, 35, 2) \
  X(S2AimedFanShotsG, Angle, 35, 2) \
  X(S2AimedFanShotsA, Angle, 55, 2) \
  X(S2AimedFanShotsB, Angle, 55, 2) \
  X(S2AimedFanShotsC, Angle, 55, 2) \
  X(S2CurvingShotsA, Curving, 7, 2) \
  X(S2CurvingShotsB, Curving, 7, 2) \
  X(EnemyShots, Aimed, 21, 0) \
  X(EnemyBursts, Aimed, 105, 0)

enum BulletPoolId : int {
#define MORV_POOL_ID(name, type, count, stage) kPool##name,
  MORV_BULLET_POOLS(MORV_POOL_ID)
#undef MORV_POOL_ID
  kBulletPoolCount
};
static_assert(kBulletPoolCount == 106);

struct BulletPool {
  const char* name;
  ShotType type;
  int count;
  int stage;
  int first;  // index of the pool's first record in its type's store
};

namespace bullet_detail {
struct Shape {
  ShotType type;
  int count;
  int stage;
};
inline constexpr Shape kShapes[kBulletPoolCount] = {
#define MORV_POOL_SHAPE(name, type, count, stage) {ShotType::type, count, stage},
    MORV_BULLET_POOLS(MORV_POOL_SHAPE)
#undef MORV_POOL_SHAPE
};
constexpr int FirstRecord(int pool) {
  int first = 0;
  for (int i = 0; i < pool; ++i) {
    if (kShapes[i].type == kShapes[pool].type) first += kShapes[i].count;
  }
  return first;
}
constexpr int StoreSize(ShotType type) {
  int size = 0;
  for (const Shape& s : kShapes) {
    if (s.type == type) size += s.count;
  }
  return size;
}
}  // namespace bullet_detail

inline constexpr BulletPool kBulletPools[kBulletPoolCount] = {
#define MORV_POOL_ENTRY(name, type, count, stage) \
  {#name, ShotType::type, count, stage, bullet_detail::FirstRecord(kPool##name)},
    MORV_BULLET_POOLS(MORV_POOL_ENTRY)
#undef MORV_POOL_ENTRY
};

// One store per record type.
extern AimedShot gAimedShots[bullet_detail::StoreSize(ShotType::Aimed)];
extern AngleShot gAngleShots[bullet_detail::StoreSize(ShotType::Angle)];
extern RingShot gRingShots[bullet_detail::StoreSize(ShotType::Ring)];
extern CurvingShot gCurvingShots[bullet_detail::StoreSize(ShotType::Curving)];
extern PatternShot gPatternShots[bullet_detail::StoreSize(ShotType::Pattern)];

// The record type of each ShotType.
template <ShotType> struct ShotRecord;
template <> struct ShotRecord<ShotType::Aimed> { using type = AimedShot; };
template <> struct ShotRecord<ShotType::Angle> { using type = AngleShot; };
template <> struct ShotRecord<ShotType::Ring> { using type = RingShot; };
template <> struct ShotRecord<ShotType::Curving> { using type = CurvingShot; };
template <> struct ShotRecord<ShotType::Pattern> { using type = PatternShot; };

// The record type of a pool, known at compile time: PoolRecord<kPoolS1ArcShots> is PatternShot.
template <BulletPoolId id>
using PoolRecord = typename ShotRecord<bullet_detail::kShapes[id].type>::type;

inline AimedShot* ShotStore(AimedShot*) { return gAimedShots; }
inline AngleShot* ShotStore(AngleShot*) { return gAngleShots; }
inline RingShot* ShotStore(RingShot*) { return gRingShots; }
inline CurvingShot* ShotStore(CurvingShot*) { return gCurvingShots; }
inline PatternShot* ShotStore(PatternShot*) { return gPatternShots; }

// A pool together with its record type. The handles of the pool list (pools::) and Pool<id>() get
// their type from the list, so with them the wrong type does not compile:
// `PoolHandle<AimedShot> h = pools::S1ArcShots;` fails. A handle built from a pool number at run
// time (`PoolHandle<T>{id}`) is not checked by the handle itself: VisitPool picks T by the pool's
// listed type, and the movers by their row's law, which a compile-time check holds to the type.
template <class T>
struct PoolHandle {
  BulletPoolId id;
  std::span<T> records() const {
    return {ShotStore(static_cast<T*>(nullptr)) + kBulletPools[id].first,
            static_cast<size_t>(kBulletPools[id].count)};
  }
  T& operator[](int i) const { return records()[i]; }
  int size() const { return kBulletPools[id].count; }
};

// One handle per pool, named as the pool: pools::S1ArcShots, pools::EnemyBursts ...
namespace pools {
#define MORV_POOL_HANDLE(name, type, count, stage) \
  inline constexpr PoolHandle<type##Shot> name{kPool##name};
MORV_BULLET_POOLS(MORV_POOL_HANDLE)
#undef MORV_POOL_HANDLE
}  // namespace pools

// The records of a pool named at compile time: Pool<kPoolS1VolleyShotsA>() is a span of AimedShot.
template <BulletPoolId id>
std::span<PoolRecord<id>> Pool() {
  return PoolHandle<PoolRecord<id>>{id}.records();
}

// Calls f with the records of pool `id` as a span of their own type: the one place where a pool
// number chosen at run time meets its record type.
template <class F>
decltype(auto) VisitPool(BulletPoolId id, F&& f) {
  switch (kBulletPools[id].type) {
    case ShotType::Aimed: return f(PoolHandle<AimedShot>{id}.records());
    case ShotType::Angle: return f(PoolHandle<AngleShot>{id}.records());
    case ShotType::Ring: return f(PoolHandle<RingShot>{id}.records());
    case ShotType::Curving: return f(PoolHandle<CurvingShot>{id}.records());
    case ShotType::Pattern: break;
  }
  return f(PoolHandle<PatternShot>{id}.records());
}

// The regular enemies' shots: record n belongs to enemy slot n; bursts: records 5n to 5n + 4.
inline AimedShot* const gEnemyShots = gAimedShots + kBulletPools[kPoolEnemyShots].first;
inline AimedShot* const gEnemyBursts = gAimedShots + kBulletPools[kPoolEnemyBursts].first;

// While 1, the movers that read it free every bullet of their pools.
extern int gClearEnemyShots;

// Parks every record of the pool, gives each a fresh random animation phase and clears every
// counter, speed and launch value.
void ResetBulletPool(BulletPoolId id);

// The boss-bullet pools each stage runs, in the order of its frame (the pool list's order).
namespace bullet_detail {
constexpr int StagePoolCount(int stage) {
  int n = 0;
  for (const Shape& s : kShapes) n += s.stage == stage ? 1 : 0;
  return n;
}
template <int stage>
constexpr auto StagePoolOrder() {
  std::array<BulletPoolId, StagePoolCount(stage)> order{};
  int n = 0;
  for (int i = 0; i < kBulletPoolCount; ++i) {
    if (kShapes[i].stage == stage) order[n++] = BulletPoolId(i);
  }
  return order;
}
}  // namespace bullet_detail
inline constexpr auto kS1PoolOrder = bullet_detail::StagePoolOrder<1>();
inline constexpr auto kS2PoolOrder = bullet_detail::StagePoolOrder<2>();
static_assert(kS1PoolOrder.size() == 39 && kS2PoolOrder.size() == 65);
static_assert(kS1PoolOrder.front() == kPoolS1FallingShotsD && kS1PoolOrder.back() == kPoolS1AngleShotsG);
static_assert(kS2PoolOrder.front() == kPoolS2DiagonalShotsA &&
              kS2PoolOrder.back() == kPoolS2CurvingShotsB);
// Stage 1's or stage 2's order; empty for any other number.
std::span<const BulletPoolId> StagePoolOrder(int stage);

// Every boss-bullet pool of stage 1 or 2, in the stage's order: its mover, then its drawer.
void RunBossBulletPools(int stage);

// The regular enemies' shots each stage runs, by enemy slot, with the sprite kind they are drawn
// with: kind 0 the 16 x 16 animated strip, kind 1 the round 30 x 30 picture.
enum EnemyShotKind : int { kShotKindStrip = 0, kShotKindRound = 1 };
struct EnemyShotSlot {
  int slot;
  EnemyShotKind kind;
};
// Single shots, the same in both stages.
inline constexpr EnemyShotSlot kEnemyShotSlots[] = {
    {0, kShotKindStrip}, {1, kShotKindRound}, {2, kShotKindRound}, {3, kShotKindStrip},
    {4, kShotKindStrip}, {5, kShotKindStrip}, {6, kShotKindStrip}, {7, kShotKindRound},
    {8, kShotKindRound},
};
// Bursts: stage 2 runs stage 1's six slots, then six of its own.
inline constexpr EnemyShotSlot kS1EnemyBurstSlots[] = {
    {1, kShotKindStrip}, {2, kShotKindStrip}, {3, kShotKindRound},
    {4, kShotKindRound}, {7, kShotKindStrip}, {8, kShotKindStrip},
};
inline constexpr EnemyShotSlot kS2EnemyBurstSlots[] = {
    {1, kShotKindStrip},  {2, kShotKindStrip},  {3, kShotKindRound},  {4, kShotKindRound},
    {7, kShotKindStrip},  {8, kShotKindStrip},  {15, kShotKindRound}, {16, kShotKindRound},
    {17, kShotKindRound}, {18, kShotKindRound}, {19, kShotKindStrip}, {20, kShotKindStrip},
};
inline constexpr int kBurstShots = 5;  // shots of one enemy slot's burst
static_assert(kBulletPools[kPoolEnemyShots].count * kBurstShots == kBulletPools[kPoolEnemyBursts].count);
namespace bullet_detail {
constexpr bool SlotsFit(std::span<const EnemyShotSlot> slots) {
  for (const EnemyShotSlot& s : slots) {
    if (s.slot < 0 || s.slot >= kBulletPools[kPoolEnemyShots].count) return false;
  }
  return true;
}
}  // namespace bullet_detail
static_assert(bullet_detail::SlotsFit(kEnemyShotSlots) && bullet_detail::SlotsFit(kS1EnemyBurstSlots) &&
              bullet_detail::SlotsFit(kS2EnemyBurstSlots));
