// The player's weapons: the three gun pools, the burst gun, the missile fan and the special
// weapon's beam frames, with the fire counters and muzzle flashes. Positions are whole pixels.
#pragma once

#include <cstdint>

struct PlayerShot {
  int32_t x, y;    // top-left corner of the shot's picture
  int32_t drift;   // sideways step per frame
  int32_t speed;   // vertical step per frame
  int32_t active;
};

// Gun pools in groups of 26; a volley fills slot k (1 to 25) of every group.
inline constexpr int kNarrowShotCount = 78;   // centre 0-25, left 26-51, right 52-77
inline constexpr int kWideShotCount = 78;     // centre 0-25, left 26-51, right 52-77
inline constexpr int kSpreadShotCount = 156;  // forward, then five rear groups
inline constexpr int kSpreadShotTableCount = 16;
extern PlayerShot gNarrowShots[kNarrowShotCount];
extern PlayerShot gWideShots[kWideShotCount];
extern PlayerShot gSpreadShots[kSpreadShotCount];
// Kept only for the reset, which parks it with the other shot tables; no weapon fires from it.
extern PlayerShot gSpreadShotTable[kSpreadShotTableCount];

struct BurstShot {
  int32_t x, y;
  int32_t speed;
  float bandTimer;
  int32_t active;
};
inline constexpr int kBurstShotCount = 200;  // four groups of 50
extern BurstShot gBurstShots[kBurstShotCount];

struct PlayerMissile {
  int32_t x, y;
  int32_t speed;
  int32_t active;
  float heading;  // radians
};
inline constexpr int kPlayerMissileCount = 80;
extern PlayerMissile gPlayerMissiles[kPlayerMissileCount];

struct BeamFrame {
  int32_t x, y;
  int32_t active;
};
inline constexpr int kBeamFrameCount = 32;  // 0-15 the left column, 16-31 the right
extern BeamFrame gBeamFrames[kBeamFrameCount];

extern int gWeaponPower;  // 1 while the special-weapon pickup's power is up
extern int gNarrowCounter, gWideCounter, gSpreadCounter, gBurstCounter, gMissileCounter;
extern int gNarrowFlash, gWideFlash, gSpreadFlash;
extern int gBeamCounter;
