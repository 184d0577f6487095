// The rules every enemy bullet shares: the aim angle, the field's edges, the launch towards the
// ship, the player hit window, flying along or against a heading, and parking a free record.
// Everything is single precision with the trigonometry done in double on the float value, so each
// machine gives the same bullets.
#pragma once

#include <cmath>

#include "engine/profile.h"
#include "game/parking.h"
#include "game/player_data.h"

namespace fire {

inline constexpr float kHalfPi = 1.5707964f;
inline constexpr float kPi = 3.1415927f;

// Heading from a launch point towards a target, dx = target x - launch x, dy = target y - launch y:
// atan(dy / dx) (pi/2 when dx is 0), turned half a circle when dx < 0 or when dx is 0 and dy <= 0.
// A turned volley or fan gives its turns: each is added in single precision, one after the other
// in the order given, to the arc tangent (or pi/2) before the half circle is. A fan's step and its
// half-spread are two additions, not their sum, so they are passed as two turns (the half-spread
// negated: a - b and a + (-b) round alike).
template <class... Turns>
inline float AimAngle(float dx, float dy, Turns... turns) {
  float angle;
  if (dx != 0.0f) {
    const float q = dy / dx;
    angle = static_cast<float>(std::atan(static_cast<double>(q)));
  } else {
    angle = kHalfPi;
  }
  ((angle = angle + static_cast<float>(turns)), ...);
  if (dx < 0.0f || (dx == 0.0f && dy <= 0.0f)) angle = angle + kPi;
  return angle;
}

// True once a bullet's corner at (x, y) is off the field: past the right or bottom bound, or more
// than `margin` (the bullet's size) beyond the left or top edge.
inline bool OutsideField(float x, float y, float margin) {
  return x + margin < 0.0f || x > static_cast<float>(kProfile.rightBound) || y + margin < 0.0f ||
         y > static_cast<float>(kProfile.bottomBound);
}

// A launch from (x, y) towards the ship: the record's position and launch point, and the target
// vector to the ship's corner plus `target` on both axes, from which its heading is reckoned.
template <class R>
inline void LaunchTowardsShip(R& r, float x, float y, float target) {
  r.x = x;
  r.y = y;
  r.x0 = x;
  r.y0 = y;
  r.dx = (gPlayerX + target) - x;
  r.dy = (gPlayerY + target) - y;
}

// Box of a pool's bullets against the ship, as offsets of the bullet's corner from the ship's
// corner; every bound is inclusive.
struct HitWindow {
  float loX, hiX, loY, hiY;
};

// True when a bullet at (x, y) lies inside the window around the ship's current position.
inline bool InHitWindow(const HitWindow& w, float x, float y) {
  const float dx = x - gPlayerX;
  const float dy = y - gPlayerY;
  return w.loX <= dx && dx <= w.hiX && w.loY <= dy && dy <= w.hiY;
}

// One frame of flight along the heading: x += cos(angle) x speed x frame time, y likewise with sin.
template <class R>
inline void FlyAlong(R& r, float frameTime) {
  const float c = static_cast<float>(std::cos(static_cast<double>(r.angle)));
  const float s = static_cast<float>(std::sin(static_cast<double>(r.angle)));
  r.x = r.x + c * r.speed * frameTime;
  r.y = r.y + s * r.speed * frameTime;
}

// One frame of flight against the heading.
template <class R>
inline void FlyAgainst(R& r, float frameTime) {
  const float c = static_cast<float>(std::cos(static_cast<double>(r.angle)));
  const float s = static_cast<float>(std::sin(static_cast<double>(r.angle)));
  r.x = r.x - c * r.speed * frameTime;
  r.y = r.y - s * r.speed * frameTime;
}

// A free record waits off the field.
template <class R>
inline void Park(R& r) {
  r.active = 0;
  r.x = kParkX;
  r.y = kParkY;
}

}  // namespace fire
