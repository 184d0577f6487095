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
