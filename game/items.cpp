#include "game/items.h"

#include <cstdlib>
#include <span>

#include "engine/el_draw.h"
#include "engine/profile.h"
#include "engine/shell.h"
#include "game/asset_list.h"
#include "game/enemy_data.h"
#include "game/item_data.h"
#include "game/parking.h"
#include "game/stage_drivers.h"
#include "game/weapon_data.h"

namespace {

constexpr int kCoinSize = 30;
constexpr int kSparkleSize = 80;     // cells of the sparkle strip
constexpr int kSparkleOffset = 25;   // the sparkle is centred on the coin
constexpr int kSparkleFrames = 10;   // frames of one pass; two passes in all
constexpr int kPickupSize = 60;

void ParkCoin(Coin& c) {
  c.active = 0;
  c.x = kParkX;
  c.y = kParkY;
}

// A coin falls while active; past the bottom it is freed, active or not. A sparkling coin keeps
// falling, and one freed this way finishes its sparkle off the field.
void MoveCoin(Coin& c) {
  if (c.active != 0) c.y += c.vy * gFrameTime;
  if (c.y > static_cast<float>(kProfile.bottomBound)) ParkCoin(c);
}

// A resting coin shows its picture; a collected one runs its 20-frame sparkle and is then cleared.
// Parked coins are drawn too, off the field.
void DrawCoin(Coin& c, ImageId picture) {
  const int x = static_cast<int>(c.x);
  const int y = static_cast<int>(c.y);
  if (c.collected == 0) {
    elDraw::BltObject(x, y, ImageSlot(picture), 0, 0, kCoinSize, kCoinSize);
    return;
  }
  const int cell = c.sparkleFrame * kSparkleSize;
  elDraw::BltObject(static_cast<int>(c.x - static_cast<float>(kSparkleOffset)),
                    static_cast<int>(c.y - static_cast<float>(kSparkleOffset)),
                    ImageSlot(kImgCOINBK1), cell, 0, cell + kSparkleSize, kSparkleSize);
  if (++c.sparkleFrame > kSparkleFrames - 1) {
    c.sparkleFrame = 0;
    ++c.sparklePass;
  }
  if (c.sparklePass > 1) {
    c.active = 0;
    c.collected = 0;
    c.sparklePass = 0;
    c.sparkleFrame = 0;
    c.x = kParkX;
    c.y = kParkY;
  }
}

bool IsCoin(int n) { return n >= 0 && n < kDroppedCoinCount; }

void ParkPickup() {
  gSpecialWeaponItem.active = 0;
  gSpecialWeaponItem.taken = 0;
  gSpecialWeaponItem.x = kParkX;
  gSpecialWeaponItem.y = kParkY;
}

// Closed distance intervals in which the pickup is spawned on every frame.
struct PickupWindow {
  float lo, hi;
};
constexpr PickupWindow kS1PickupWindows[] = {{500, 550}, {800, 850}, {950, 1000}};
constexpr PickupWindow kS2PickupWindows[] = {{300, 350}, {500, 550}, {800, 850}, {1000, 1050}};

}  // namespace

void SpawnDroppedCoin(int n) {
  if (!IsCoin(n)) return;
  Coin& c = gDroppedCoins[n];
  if (c.active != 0) return;
  c.x = gEnemies[n].x + 20.0f;
  c.y = gEnemies[n].y + 20.0f;
  c.vy = static_cast<float>(rand() % 160 + 110);
  c.active = 1;
  c.collected = 0;
  c.sparkleFrame = 0;
}

void DrawDroppedCoin(int n) {
  if (IsCoin(n)) DrawCoin(gDroppedCoins[n], kImgCOIN1);
}

void MoveDroppedCoin(int n) {
  if (IsCoin(n)) MoveCoin(gDroppedCoins[n]);
}

void DrawS1Coins() {
  for (Coin& c : gS1Coins) DrawCoin(c, kImgCOIN2);
}

void MoveS1Coins() {
  for (Coin& c : gS1Coins) MoveCoin(c);
}

void DrawS2Coins() {
  for (Coin& c : gS2Coins) DrawCoin(c, kImgCOIN2);
}

void MoveS2Coins() {
  for (Coin& c : gS2Coins) MoveCoin(c);
}

void SpawnSpecialWeaponItem() {
  SpecialWeaponItem& p = gSpecialWeaponItem;
  if (p.active != 0) return;
  const int x = rand() % 320 - 10;
  const int vy = rand() % 130 + 100;
  p.y = -60.0f;
  p.x = static_cast<float>(x + kProfile.fieldX);
  p.active = 1;
  p.taken = 0;
  p.vy = static_cast<float>(vy);
}

void MoveSpecialWeaponItem() {
  SpecialWeaponItem& p = gSpecialWeaponItem;
  if (p.active != 0) p.y += p.vy * gFrameTime;
  if (p.y > static_cast<float>(kProfile.bottomBound)) {
    p.active = 0;
    p.x = kParkX;
    p.y = kParkY;
  }
}

// Drawn while it falls; once taken, the guns' power comes up and the pickup is parked.
void UpdateSpecialWeaponItem() {
  SpecialWeaponItem& p = gSpecialWeaponItem;
  if (p.taken == 0) {
    elDraw::BltObject(static_cast<int>(p.x), static_cast<int>(p.y), ImageSlot(kImgSPOWER1), 0, 0,
                      kPickupSize, kPickupSize);
    return;
  }
  gWeaponPower = 1;
  ParkPickup();
}

void RunSpecialWeaponItemWindows(int stage) {
  std::span<const PickupWindow> windows;
  if (stage == 1) windows = kS1PickupWindows;
  if (stage == 2) windows = kS2PickupWindows;
  for (const PickupWindow& w : windows) {
    if (gDistance >= w.lo && gDistance <= w.hi) SpawnSpecialWeaponItem();
  }
}
