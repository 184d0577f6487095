#include "game/fire/bullet_data.h"

#include <cstdlib>
#include <type_traits>

#include "game/fire/bullet_drawers.h"
#include "game/fire/bullet_movers.h"
#include "game/parking.h"

AimedShot gAimedShots[bullet_detail::StoreSize(ShotType::Aimed)];
AngleShot gAngleShots[bullet_detail::StoreSize(ShotType::Angle)];
RingShot gRingShots[bullet_detail::StoreSize(ShotType::Ring)];
CurvingShot gCurvingShots[bullet_detail::StoreSize(ShotType::Curving)];
PatternShot gPatternShots[bullet_detail::StoreSize(ShotType::Pattern)];
int gClearEnemyShots;

namespace {

// Every field zero, then the parking place, the resting angle and a random phase.
template <class T>
void ResetRecords(std::span<T> records) {
  // The starting phase belongs to the record type, not to a picture: 0 to 6 in angle shots, 0 to 9
  // in every other type. The strips drawn from it are of other lengths (24 cells, or none), and
  // the drawers wrap a phase at their own strip's end.
  const int phases = std::is_same_v<T, AngleShot> ? 7 : 10;
  for (T& r : records) {
    r = T{};
    r.phase = rand() % phases;
    r.x = kParkX;
    r.y = kParkY;
    if constexpr (requires { r.angle; }) r.angle = kRestHeading;
  }
}

}  // namespace

void ResetBulletPool(BulletPoolId id) {
  VisitPool(id, [](auto records) { ResetRecords(records); });
}

std::span<const BulletPoolId> StagePoolOrder(int stage) {
  if (stage == 1) return kS1PoolOrder;
  if (stage == 2) return kS2PoolOrder;
  return {};
}

void RunBossBulletPools(int stage) {
  for (BulletPoolId id : StagePoolOrder(stage)) {
    MoveBulletPool(id);
    DrawBulletPool(id);
  }
}
