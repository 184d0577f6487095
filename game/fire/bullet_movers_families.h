// The movers' families: one motion law each, with the per-pool constants of one row of the mover
// table (bullet_movers.cpp). Used only by the movers' own files.
#pragma once

#include <cstdint>
#include <span>

#include "game/fire/bullet_data.h"
#include "game/fire/fire_rules.h"

namespace movers {

enum class Law : uint8_t {
  Fall,        // falls at the pool's speed; the whole pool drifts sideways before the loop
  SmallFan,    // falls; the drift is spread over the loop, 1/N of it before each record
  Diagonal,    // active records slide at 45 degrees; never hit
  Volley,      // five aimed bullets that end together when record 0 leaves the field
  Angle,       // flies along or against its heading; freed past the field's edges
  AngleFreeOnHit,  // as Angle, but every record is tested, a hit frees the bullet, one write
  Curving,     // seven bullets that turn for a while and drift a frame late
};

// Side speeds of a falling pool's records, by record index modulo `count`.
struct DriftTable {
  const float* speeds = nullptr;
  int count = 0;
};

struct Row {
  BulletPoolId pool;
  Law law;
  float fallSpeed = 0.0f;   // Fall, SmallFan, Diagonal: pixels per second downward
  DriftTable drift;         // Fall, SmallFan
  float sideSpeed = 0.0f;   // Diagonal: -143 down-left, +143 down-right
  float margin = 0.0f;      // Angle: free beyond -margin; Volley, Curving: group test margin
  bool against = false;     // Angle, Curving: fly against the heading
  bool readsClear = true;   // frees its bullets while gClearEnemyShots is 1
  float turn = 0.0f;        // Curving: added to the heading once a frame while turning
  float launchAngle = 0.0f; // Curving: the heading a finished salvo gets back
  bool driftLeft = false;   // Curving: the stored side drift moves x left (else right)
  fire::HitWindow hit{};
};

// Tests a bullet at (x, y) against the ship while it is alive; a hit clears the alive flag.
inline void HitShip(const fire::HitWindow& w, float x, float y) {
  if (gPlayerAlive != 0 && fire::InHitWindow(w, x, y)) gPlayerAlive = 0;
}

inline bool ClearAll(const Row& row) { return row.readsClear && gClearEnemyShots == 1; }

// bullet_movers_fall.cpp
void MoveFalling(const Row& row, std::span<PatternShot> records);
void MoveSmallFan(const Row& row, std::span<PatternShot> records);
void MoveDiagonal(const Row& row, std::span<PatternShot> records);
// bullet_movers_angle.cpp
void MoveVolley(const Row& row, std::span<AimedShot> records);
void MoveAngle(const Row& row, std::span<AngleShot> records);
void MoveAngle(const Row& row, std::span<RingShot> records);
void MoveAngleFreeOnHit(const Row& row, std::span<AngleShot> records);
void MoveCurving(const Row& row, std::span<CurvingShot> records);

}  // namespace movers
