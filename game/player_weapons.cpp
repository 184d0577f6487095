#include "game/player_weapons.h"

void FireNarrow() {}
void FireWide() {}
void FireSpread() {}
void FireBurst() {}
void FirePlayerMissiles() {}
void SpawnNarrowShots(int, int, int) {}
void SpawnWideShots(int, int, int) {}
void SpawnSpreadShots(int, int, int, int, int, int) {}
void SpawnBurstShots(int, int, int, int) {}
void SpawnPlayerMissile(int) {}
void DrawPlayerShots() {}
void DrawPlayerMissiles() {}
void MovePlayerMissiles() {}
void UpdateSpecialWeapon() {}
