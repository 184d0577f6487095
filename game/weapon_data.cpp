#include "game/weapon_data.h"

PlayerShot gNarrowShots[kNarrowShotCount];
PlayerShot gWideShots[kWideShotCount];
PlayerShot gSpreadShots[kSpreadShotCount];
PlayerShot gSpreadShotTable[kSpreadShotTableCount];
BurstShot gBurstShots[kBurstShotCount];
PlayerMissile gPlayerMissiles[kPlayerMissileCount];
BeamFrame gBeamFrames[kBeamFrameCount];

int gWeaponPower;
int gNarrowCounter, gWideCounter, gSpreadCounter, gBurstCounter, gMissileCounter;
int gNarrowFlash, gWideFlash, gSpreadFlash;
int gBeamCounter;
