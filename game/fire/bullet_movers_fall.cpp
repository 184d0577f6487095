// The falling families: bullets that drop at their pool's speed and drift sideways by their place
// in the group (straight fall, alternating drift, arc, fan, edge drift, column drift, small fan),
// and the diagonal bullets that slide without ever hitting the ship.
#include "engine/profile.h"
#include "engine/shell.h"
#include "game/fire/bullet_movers_families.h"

namespace movers {

namespace {

// The fall of one record in flight: the pool's speed stored and applied, the record freed below
// the field or by the clear-all flag, then the hit test on the new position.
void Fall(const Row& row, PatternShot& r, float dt) {
  r.fallSpeed = row.fallSpeed;
  r.y = r.y + row.fallSpeed * dt;
  if (r.y > static_cast<float>(kProfile.bottomBound) || ClearAll(row)) {
    fire::Park(r);  // parked far off the field: it cannot hit
    return;
  }
  HitShip(row.hit, r.x, r.y);
}

float SideSpeed(const DriftTable& drift, int k) { return drift.speeds[k % drift.count]; }

}  // namespace

void MoveFalling(const Row& row, std::span<PatternShot> records) {
  const float dt = gFrameTime;
  // Every record drifts, in flight or not; the parked ones stay far below the field.
  if (row.drift.count > 0) {
    for (size_t k = 0; k < records.size(); ++k) {
      records[k].x = records[k].x + SideSpeed(row.drift, static_cast<int>(k)) * dt;
    }
  }
  for (PatternShot& r : records) {
    if (r.active == 1) Fall(row, r, dt);
  }
}

void MoveSmallFan(const Row& row, std::span<PatternShot> records) {
  const float dt = gFrameTime;
  const float n = static_cast<float>(records.size());
  for (PatternShot& r : records) {
    // Before each record's fall, every record takes its share of the pass's drift, so each has
    // moved by its whole side speed by the end of the pass.
    for (size_t j = 0; j < records.size(); ++j) {
      records[j].x = records[j].x + (SideSpeed(row.drift, static_cast<int>(j)) / n) * dt;
    }
    if (r.active == 1) Fall(row, r, dt);
  }
}

void MoveDiagonal(const Row& row, std::span<PatternShot> records) {
  const float dt = gFrameTime;
  for (PatternShot& r : records) {
    if (r.active != 1) continue;
    r.sideSpeed = row.sideSpeed;
    r.fallSpeed = row.fallSpeed;
    r.x = r.x + r.sideSpeed * dt;
    r.y = r.y + row.fallSpeed * dt;
    if (r.y > static_cast<float>(kProfile.bottomBound) || ClearAll(row)) fire::Park(r);
  }
}

}  // namespace movers
