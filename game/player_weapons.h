// The player's weapons: the narrow, wide, spread and burst guns, the missile fan, the special weapon's beams and the muzzle flashes.
#pragma once

void FireNarrow();
void FireWide();
void FireSpread();
void FireBurst();
void FirePlayerMissiles();
void SpawnNarrowShots(int centre, int left, int right);
void SpawnWideShots(int centre, int left, int right);
void SpawnSpreadShots(int g0, int g1, int g2, int g3, int g4, int g5);
void SpawnBurstShots(int g0, int g1, int g2, int g3);
void SpawnPlayerMissile(int missile);
void DrawPlayerShots();
void DrawPlayerMissiles();
void MovePlayerMissiles();
void UpdateSpecialWeapon();

// One frame's motion of an active gun or burst shot, with its field-bound test (a shot that
// leaves is freed at (5000, 5000)). The hit tests move each shot just before testing it.
inline constexpr int kGunGroupSize = 26;
inline constexpr int kBurstGroupSize = 50;
inline constexpr int kFreedShotXY = 5000;
enum class GunPool { Narrow, Wide, Spread };
void MoveGunShot(GunPool pool, int index);
void MoveBurstShot(int index);
// Step (dx, dy) of a burst shot of `group` whose band timer reads `timer`.
struct BurstStep {
  int dx, dy;
};
BurstStep BurstBandStep(int group, float timer);
