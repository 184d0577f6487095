#include "game/fire/bullet_data.h"

#include <cstdlib>

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
void ResetRecords(BulletPoolId id, int phases) {
  for (T& r : Pool<T>(id)) {
    r = T{};
    r.phase = rand() % phases;
    r.x = kParkX;
    r.y = kParkY;
    if constexpr (requires { r.angle; }) r.angle = kRestHeading;
  }
}

}  // namespace

void ResetBulletPool(BulletPoolId id) {
  switch (kBulletPools[id].type) {
    case ShotType::Aimed: ResetRecords<AimedShot>(id, 10); break;
    case ShotType::Angle: ResetRecords<AngleShot>(id, 7); break;
    case ShotType::Ring: ResetRecords<RingShot>(id, 10); break;
    case ShotType::Curving: ResetRecords<CurvingShot>(id, 10); break;
    case ShotType::Pattern: ResetRecords<PatternShot>(id, 10); break;
  }
}
