#include "game/collisions.h"

#include "engine/el_sound.h"
#include "engine/shell.h"
#include "game/asset_list.h"
#include "game/boss_data.h"
#include "game/debris.h"
#include "game/enemy_data.h"
#include "game/game_states.h"
#include "game/item_data.h"
#include "game/player_data.h"
#include "game/player_weapons.h"
#include "game/score_data.h"
#include "game/weapon_data.h"

namespace {

int Trunc(float v) { return static_cast<int>(v); }

bool Within(int v, int lo, int hi) { return v >= lo && v <= hi; }

// A boss or big target as the player's weapons see it: its mark callback, its debris spawner
// for burst hits, the x ranges of its boxes (relative to its corner; y is always 10 to 200) and
// the points of its strong (spread, wide, missile) and weak (narrow, burst) hits.
struct BossTarget {
  Boss* boss;
  void (*mark)();
  void (*debris)();
  int gunFrom, gunTo;
  int burstFrom, burstTo;
  int strongPoints, weakPoints;
};
const BossTarget kBossTargets[] = {
    {&gS1Boss, MarkS1BossHit, SpawnS1BossDebris, 80, 300, 80, 340, 100, 50},
    {&gBigTarget1, MarkBigTarget1Hit, SpawnBigTarget1Debris, 80, 320, 80, 360, 100, 50},
    {&gBigTarget2, MarkBigTarget2Hit, SpawnBigTarget2Debris, 80, 300, 80, 340, 100, 50},
    {&gBigTarget3, MarkBigTarget3Hit, SpawnBigTarget3Debris, 50, 270, 50, 310, 100, 50},
    {&gS2Boss, MarkS2BossHit, SpawnS2BossDebris, 50, 390, 50, 430, 250, 60},
};
constexpr int kBossBoxTop = 10, kBossBoxBottom = 200;

enum class Weapon { Strong, Weak, Burst };

// One weapon's hit on the targets' boxes at (x, y). A gun shot is used up by a boss hit (the
// later targets are still tested at the same point); a burst shot or missile flies on.
bool HitBossTargets(int x, int y, Weapon weapon) {
  bool usedUp = false;
  for (const BossTarget& t : kBossTargets) {
    const int bx = Trunc(t.boss->x);
    const int by = Trunc(t.boss->y);
    if (by < 0) continue;
    const bool burst = weapon == Weapon::Burst;
    const int from = bx + (burst ? t.burstFrom : t.gunFrom);
    const int to = bx + (burst ? t.burstTo : t.gunTo);
    if (!Within(x, from, to) || !Within(y, by + kBossBoxTop, by + kBossBoxBottom)) continue;
    if (burst) t.debris();
    t.mark();
    AddScore(weapon == Weapon::Strong ? t.strongPoints : t.weakPoints);
    t.boss->life -= (burst ? 3.0f : 100.0f) * gFrameTime;
    usedUp = true;
  }
  return usedUp;
}

// Any shot or missile inside a regular enemy's box: 100 points, and it flies on.
constexpr int kEnemyHitPoints = 100;
void HitEnemies(int x, int y) {
  for (int slot = 0; slot < kEnemyCount; ++slot) {
    const int ex = Trunc(gEnemies[slot].x);
    const int ey = Trunc(gEnemies[slot].y);
    if (ey < 10) continue;
    if (Within(x, ex - 40, ex + 50) && Within(y, ey - 60, ey + 50)) {
      MarkEnemyHit(slot);
      AddScore(kEnemyHitPoints);
    }
  }
}

// The ship against the pickup.
constexpr int kPickupPoints = 2555;
void TakePickup(int px, int py) {
  const SpecialWeaponItem& item = gSpecialWeaponItem;
  const int ix = Trunc(item.x);
  const int iy = Trunc(item.y);
  if (item.active == 0 || iy <= 50) return;
  if (Within(px, ix - 60, ix + 60) && Within(py, iy - 60, iy + 60)) {
    CollectSpecialWeaponItem();
    AddScore(kPickupPoints);
  }
}

// The ship against one coin pool; a coin still sparkling is taken again while touched.
struct CoinPool {
  Coin* coins;
  int count;
  void (*collect)(int);
  int points;
};
const CoinPool kCoinPools[] = {
    {gDroppedCoins, kDroppedCoinCount, CollectDroppedCoin, 558},
    {gS1Coins, kStageCoinCount, CollectS1Coin, 1556},
    {gS1CoinsB, kStageCoinCount, CollectS1CoinB, 2556},
    {gS2Coins, kStageCoinCount, CollectS2Coin, 1556},
};

void TakeCoins(int px, int py) {
  for (const CoinPool& pool : kCoinPools) {
    for (int i = 0; i < pool.count; ++i) {
      const int cx = Trunc(pool.coins[i].x);
      const int cy = Trunc(pool.coins[i].y);
      if (cy < -10) continue;
      if (Within(px, cx - 60, cx + 60) && Within(py, cy - 60, cy + 40)) {
        pool.collect(i);
        AddScore(pool.points);
      }
    }
  }
}

// A gun pool: each flying shot moves, then meets the enemies and the boss targets.
void RunGunPool(GunPool pool, PlayerShot* shots, int count, Weapon weapon) {
  for (int i = 0; i < count; ++i) {
    PlayerShot& s = shots[i];
    if (s.active == 0) continue;
    MoveGunShot(pool, i);
    const int x = s.x, y = s.y;  // a shot the bound freed lies at (5000, 5000) and meets nothing
    HitEnemies(x, y);
    if (HitBossTargets(x, y, weapon)) {
      s.active = 0;
      s.x = kFreedShotXY;
      s.y = kFreedShotXY;
    }
  }
}

void RunBurstPool() {
  for (int i = 0; i < kBurstShotCount; ++i) {
    const BurstShot& b = gBurstShots[i];
    if (b.active == 0) continue;
    MoveBurstShot(i);
    HitEnemies(b.x, b.y);
    HitBossTargets(b.x, b.y, Weapon::Burst);
  }
}

void PlayPickupSound() { elSound::Play(gSndBom, -1); }

void Collect(Coin& coin) {
  coin.collected = 1;
  PlayPickupSound();
}

}  // namespace

void AddScore(int points) {
  if ((gScoreMode == 1 || gScoreMode == 2) && (gScoreMode2 == 0 || gScoreMode2 == 1)) {
    // Summed wide so that a score near the cap saturates instead of wrapping.
    const long long sum = static_cast<long long>(gScore) + points;
    gScore = sum > kScoreCap ? kScoreCap : static_cast<int>(sum);
  }
  if (gScore > kScoreCap) gScore = kScoreCap;
  if (gScore > gHighScore) gHighScore = gScore;
}

void UpdateCollisions() {
  const int px = Trunc(gPlayerX);
  const int py = Trunc(gPlayerY);
  TakePickup(px, py);
  TakeCoins(px, py);
  RunGunPool(GunPool::Spread, gSpreadShots, kSpreadShotCount, Weapon::Strong);
  RunGunPool(GunPool::Wide, gWideShots, kWideShotCount, Weapon::Strong);
  RunGunPool(GunPool::Narrow, gNarrowShots, kNarrowShotCount, Weapon::Weak);
  RunBurstPool();
}

void TestMissileHits(int x, int y) {
  HitEnemies(x, y);
  HitBossTargets(x, y, Weapon::Strong);
}

void MarkEnemyHit(int slot) { gEnemies[slot].hit = 1; }
void MarkS1BossHit() { gS1Boss.hit = 1; }
void MarkS2BossHit() { gS2Boss.hit = 1; }
void MarkBigTarget1Hit() { gBigTarget1.hit = 1; }
void MarkBigTarget2Hit() { gBigTarget2.hit = 1; }
void MarkBigTarget3Hit() { gBigTarget3.hit = 1; }
void CollectDroppedCoin(int coin) { Collect(gDroppedCoins[coin]); }
void CollectS1Coin(int coin) { Collect(gS1Coins[coin]); }
void CollectS1CoinB(int coin) { Collect(gS1CoinsB[coin]); }
void CollectS2Coin(int coin) { Collect(gS2Coins[coin]); }

void CollectSpecialWeaponItem() {
  gSpecialWeaponItem.taken = 1;
  PlayPickupSound();
}
