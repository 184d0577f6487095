// Hit tests of the player's shots, missiles and ship against enemies, bosses, big targets and items, with the score they give.
#pragma once

void AddScore(int points);
void UpdateCollisions();
void MarkEnemyHit(int slot);
void MarkS1BossHit();
void MarkS2BossHit();
void MarkBigTarget1Hit();
void MarkBigTarget2Hit();
void MarkBigTarget3Hit();
void CollectDroppedCoin(int coin);
void CollectS1Coin(int coin);
void CollectS1CoinB(int coin);
void CollectS2Coin(int coin);
void CollectSpecialWeaponItem();

// The target tests of a missile still flying at (x, y) after its move: the regular enemies, then
// the bosses and big targets with the gun boxes.
void TestMissileHits(int x, int y);

inline constexpr int kScoreCap = 999999999;
