#include "game/collisions.h"

void AddScore(int) {}
void UpdateCollisions() {}
void MarkEnemyHit(int) {}
void MarkS1BossHit() {}
void MarkS2BossHit() {}
void MarkBigTarget1Hit() {}
void MarkBigTarget2Hit() {}
void MarkBigTarget3Hit() {}
void CollectDroppedCoin(int) {}
void CollectS1Coin(int) {}
void CollectS1CoinB(int) {}
void CollectS2Coin(int) {}
void CollectSpecialWeaponItem() {}
