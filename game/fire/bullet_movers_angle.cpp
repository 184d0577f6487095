// The steered families: the five-bullet volleys, the angle shots of the fans, rings and spirals,
// and the stage-2 boss's curving salvos.
#include "engine/profile.h"
#include "engine/shell.h"
#include "game/fire/bullet_movers_families.h"

namespace movers {

namespace {

// One frame of flight along or against the record's heading.
template <class R>
void Fly(const Row& row, R& r, float dt) {
  if (row.against) {
    fire::FlyAgainst(r, dt);
  } else {
    fire::FlyAlong(r, dt);
  }
}

// True when an angle shot has passed an edge of the field: the right and bottom bounds, or
// `margin` beyond the left and top edges.
bool PastEdges(float x, float y, float margin) {
  return x > static_cast<float>(kProfile.rightBound) || x < -margin ||
         y > static_cast<float>(kProfile.bottomBound) || y < -margin;
}

template <class R>
void MoveAngleShots(const Row& row, std::span<R> records) {
  const float dt = gFrameTime;
  for (R& r : records) {
    if (r.active != 1) continue;
    Fly(row, r, dt);
    if (PastEdges(r.x, r.y, row.margin) || ClearAll(row)) {
      fire::Park(r);
      continue;
    }
    HitShip(row.hit, r.x, r.y);
  }
}

}  // namespace

void MoveVolley(const Row& row, std::span<AimedShot> records) {
  const float dt = gFrameTime;
  const AimedShot& lead = records[0];  // the slowest bullet: the volley ends when it leaves
  for (AimedShot& r : records) {
    if (r.active == 1) fire::FlyAlong(r, dt);
    // The whole volley ends where its bullets are, once record 0 has left the field.
    if (fire::OutsideField(lead.x, lead.y, row.margin)) r.active = 0;
    // Only bullets still in flight can hit: an ended volley's bullets stay where they stopped.
    if (r.active == 1) HitShip(row.hit, r.x, r.y);
  }
}

void MoveAngle(const Row& row, std::span<AngleShot> records) { MoveAngleShots(row, records); }
void MoveAngle(const Row& row, std::span<RingShot> records) { MoveAngleShots(row, records); }

void MoveAngleFreeOnHit(const Row& row, std::span<AngleShot> records) {
  const float dt = gFrameTime;
  bool hit = false;
  for (AngleShot& r : records) {
    if (r.active == 1) Fly(row, r, dt);
    // A free record lies parked: freeing or testing it again changes nothing.
    if (PastEdges(r.x, r.y, row.margin) || ClearAll(row)) fire::Park(r);
    if (gPlayerAlive != 0 && fire::InHitWindow(row.hit, r.x, r.y)) {
      hit = true;
      fire::Park(r);  // the bullet that hits is spent
    }
  }
  if (hit) gPlayerAlive = 0;
}

void MoveCurving(const Row& row, std::span<CurvingShot> records) {
  const float dt = gFrameTime;
  const CurvingShot& lead = records[0];
  for (size_t k = 0; k < records.size(); ++k) {
    CurvingShot& r = records[k];
    if (r.active == 1) {
      Fly(row, r, dt);
      // The heading turns by a fixed step each frame, however long the frame, until the timer
      // passes 17; then it is pinned at 18 and the bullet flies straight.
      r.turnTimer = r.turnTimer + 20.0f * dt;
      if (0.0f <= r.turnTimer && r.turnTimer <= 17.0f) r.angle = r.angle + row.turn;
      if (r.turnTimer >= 17.0f) r.turnTimer = 18.0f;
      // The drift stored on the previous frame moves the bullet, then this frame's is stored.
      r.y = r.y - r.driftY * dt;
      if (row.driftLeft) {
        r.x = r.x - r.driftX * dt;
      } else {
        r.x = r.x + r.driftX * dt;
      }
      const float drift = static_cast<float>(16 - 7 * static_cast<int>(k));
      r.driftX = drift;
      r.driftY = drift;
    }
    // The salvo ends as a whole once record 0 has left, and every record is made ready to fly
    // the next salvo's first frames like this one's.
    if (fire::OutsideField(lead.x, lead.y, row.margin)) {
      r.active = 0;
      r.turnTimer = 0.0f;
      r.angle = row.launchAngle;
      r.driftX = 0.0f;
      r.driftY = 0.0f;
    }
    if (r.active == 1) HitShip(row.hit, r.x, r.y);
  }
}

}  // namespace movers
