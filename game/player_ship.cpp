#include "game/player_ship.h"

#include <cmath>
#include <cstdlib>

#include "engine/el_draw.h"
#include "engine/el_sound.h"
#include "engine/el_system.h"
#include "engine/profile.h"
#include "engine/shell.h"
#include "game/asset_list.h"
#include "game/fire/fire_rules.h"
#include "game/game_states.h"
#include "game/parking.h"
#include "game/player_data.h"
#include "game/player_weapons.h"
#include "game/stage_drivers.h"
#include "game/weapon_data.h"
#include "platform/user32.h"

namespace {

// Virtual key of each ship key record, in the order the records are polled.
struct KeyPoll {
  PlayerKey record;
  int virtualKey;
};
constexpr KeyPoll kKeyPolls[] = {
    {kPadLeft, VK_LEFT}, {kPadRight, VK_RIGHT}, {kPadUp, VK_UP},       {kPadDown, VK_DOWN},
    {kPadC, 'C'},        {kPadV, 'V'},          {kPadB, 'B'},          {kPadN, 'N'},
    {kPadM, 'M'},        {kPadShift, VK_SHIFT}, {kPadCtrl, VK_CONTROL},
};
static_assert(sizeof kKeyPolls / sizeof kKeyPolls[0] == kPlayerKeyCount);

// The records a game over forces up.
constexpr PlayerKey kGameOverKeys[] = {kPadUp, kPadDown, kPadLeft, kPadRight,
                                       kPadC,  kPadShift, kPadV, kPadB};

// One trigger row: a held key or a pressed mouse button pulls it; some act only for ship type 1.
struct Trigger {
  PlayerKey key;
  const int* mouseButton;  // null: the key alone
  bool shipType1Only;
  void (*fire)();
};
const Trigger kTriggers[] = {
    {kPadShift, &gMouseLeftDown, true, FireNarrow},
    {kPadCtrl, &gMouseRightDown, true, FireSpread},
    {kPadC, nullptr, true, FireNarrow},
    {kPadV, nullptr, true, FireWide},
    {kPadB, nullptr, false, FireSpread},
    {kPadN, nullptr, false, FireBurst},
    {kPadM, nullptr, false, FirePlayerMissiles},
};

constexpr int kShipWidth = 60;
constexpr int kShipHeight = 70;
constexpr int kFlameWidth = 60;
constexpr int kFlameHeight = 80;
constexpr int kJetFrames = 3;
constexpr float kJetFromDistance = 70.0f;
constexpr int kFragmentSize = 60;
constexpr int kFragmentsPerRing = 16;
constexpr int kFragmentRings = kPlayerFragmentCount / kFragmentsPerRing;
static_assert(kFragmentRings * kFragmentsPerRing == kPlayerFragmentCount);
// Ring timer value on which each ring leaves the ship.
constexpr int kRingLaunchFrame[kFragmentRings] = {1, 10, 20, 30, 40};
// The ring whose every fragment costs a life as it leaves.
constexpr int kLifeRing = 4;
constexpr int kExplosionEnds = 50;  // ring timer of the explosion's last frame
constexpr int kRecoveryFrames = 249;
// Point of the screen the fragment rings are turned towards.
constexpr float kFragmentAimX = 20.0f, kFragmentAimY = 20.0f;
constexpr double kFragmentSpacing = 3.14159265358979323846 / 8.0;

bool Held(PlayerKey key) { return gPlayerKeys[key] == kKeyHeld; }

float ShipSpeed() {
  if (gShipType == 1) return 160.0f;
  if (gShipType == 2) return 200.0f;
  return 0.0f;
}

// The jet flame (from distance 70 on, stepping its three cells) and the ship's one cell.
void DrawShip() {
  const int x = static_cast<int>(gPlayerX);
  const int y = static_cast<int>(gPlayerY);
  if (gDistance >= kJetFromDistance) {
    const int left = kFlameWidth * gJetFrame;
    elDraw::BltObject(x, y, ImageSlot(kImgMYME1F1), left, 0, left + kFlameWidth, kFlameHeight);
    gJetFrame = gJetFrame + 1 >= kJetFrames ? 0 : gJetFrame + 1;
  }
  const int cell = kShipWidth * gShipCellKeyboard;
  elDraw::BltObject(x, y, ImageSlot(kImgMYME1), cell, 0, cell + kShipWidth, kShipHeight);
}

void ResetFragments() {
  for (PlayerFragment& f : gPlayerFragments) {
    f = {kParkX, kParkY, kRestHeading, 0.0f, 0, 0, 0, 0, 0, 0};
  }
}

void ParkFragment(PlayerFragment& f) {
  f.launched = 0;
  f.x = kParkX;
  f.y = kParkY;
}

}  // namespace

void MovePlayer() {
  gPlayerVX = 0.0f;
  gPlayerVY = 0.0f;
  ReadPlayerKeys();
  gPlayerX += gPlayerVX * gFrameTime;
  if (gPlayerX < static_cast<float>(kProfile.playerMinX)) {
    gPlayerX = static_cast<float>(kProfile.playerMinX);
  } else if (gPlayerX > static_cast<float>(kProfile.playerMaxX)) {
    gPlayerX = static_cast<float>(kProfile.playerMaxX);
  }
  gPlayerY += gPlayerVY * gFrameTime;
  if (gPlayerY < static_cast<float>(kProfile.playerMinY)) {
    gPlayerY = static_cast<float>(kProfile.playerMinY);
  } else if (gPlayerY > static_cast<float>(kProfile.playerMaxY)) {
    gPlayerY = static_cast<float>(kProfile.playerMaxY);
  }
}

void ReadPlayerKeys() {
  for (const KeyPoll& k : kKeyPolls) UpdateKeyState(k.virtualKey, &gPlayerKeys[k.record]);
  if (gGameOver == 1) {
    for (PlayerKey k : kGameOverKeys) gPlayerKeys[k] = kKeyUp;
  } else {
    // A key acts only once held, so the first frame of a press does nothing; Right and Down win.
    const float speed = ShipSpeed();
    if (Held(kPadLeft)) gPlayerVX = -speed;
    if (Held(kPadRight)) gPlayerVX = speed;
    if (Held(kPadUp)) gPlayerVY = -speed;
    if (Held(kPadDown)) gPlayerVY = speed;
  }
  for (const Trigger& t : kTriggers) {
    const bool pulled = Held(t.key) || (t.mouseButton != nullptr && *t.mouseButton != 0);
    if (pulled && (!t.shipType1Only || gShipType == 1)) t.fire();
  }
}

void UpdatePlayer() {
  if (gKeyboardControl == 1) DrawShip();
  if (gMouseControl == 1) {
    DrawShip();
    // The ship follows the pointer; the next movement step clamps it.
    gPlayerX = static_cast<float>(gMouseX - 30);
    gPlayerY = static_cast<float>(gMouseY - 30);
  }

  if (gPlayerAlive == 1) {
    if (gPlayerRecovering == 0) return;
    if (++gRecoveryTimer >= kRecoveryFrames) {
      gRecoveryTimer = 0;
      gPlayerAlive = 1;
      gPlayerRecovering = 0;
      ResetFragments();
    }
    return;
  }
  if (gPlayerRecovering == 1) {
    gPlayerAlive = 1;  // a hit while recovering is undone
    return;
  }
  if (gNoDeath == 1) return;  // untouchable: the flag stays down
  SpawnPlayerFragments();
  DrawPlayerFragments();
  MovePlayerFragments();
  elSound::Play(gSndBom, -1);
  gWeaponPower = 0;
}

void SpawnPlayerFragments() {
  for (int i = 0; i < kPlayerFragmentCount; ++i) {
    PlayerFragment& f = gPlayerFragments[i];
    f.ringTimer += 1;
    // Every timer runs alike: on the explosion's 50th frame the recovery begins.
    if (f.ringTimer >= kExplosionEnds && f.ringTimer <= 250 && f.phaseCounter >= 0 &&
        f.phaseCounter <= 250) {
      f.phaseCounter += 1;
      gPlayerAlive = 1;
      gPlayerRecovering = 1;
    }
    const int ring = i / kFragmentsPerRing;
    if (f.ringTimer != kRingLaunchFrame[ring] || f.launched != 0) continue;
    f.launched = 1;
    f.x = gPlayerX;
    f.y = gPlayerY;
    f.speed = static_cast<float>(120 + rand() % 100);
    const float toward = fire::AimAngle(kFragmentAimX - f.x, kFragmentAimY - f.y);
    f.heading = static_cast<float>(static_cast<double>(toward) + i * kFragmentSpacing);
    if (ring == kLifeRing) gLives -= 1;
  }
}

void DrawPlayerFragments() {
  const int slot = ImageSlot(kImgGFBAK1);
  for (PlayerFragment& f : gPlayerFragments) {
    const int left = f.cellColumn * kFragmentSize;
    const int top = f.cellRow * kFragmentSize;
    elDraw::BltObject(static_cast<int>(f.x), static_cast<int>(f.y), slot, left, top,
                      left + kFragmentSize, top + kFragmentSize);
    // Fifteen steps: row 0 columns 0 to 7, then row 1 columns 1 to 7.
    f.animStep += 1;
    if (f.animStep >= 15) f.animStep = 0;
    f.cellRow = f.animStep >= 8 ? 1 : 0;
    f.cellColumn = f.animStep >= 8 ? f.animStep - 7 : f.animStep;
  }
}

void MovePlayerFragments() {
  const float right = static_cast<float>(kProfile.rightBound);
  const float bottom = static_cast<float>(kProfile.bottomBound);
  for (PlayerFragment& f : gPlayerFragments) {
    if (f.launched == 0) continue;
    const double h = static_cast<double>(f.heading);
    f.y += static_cast<float>(std::sin(h)) * f.speed * gFrameTime;
    f.x += static_cast<float>(std::cos(h)) * f.speed * gFrameTime;
    if (f.x > right || f.x < -60.0f || f.y > bottom || f.y < -60.0f) ParkFragment(f);
  }
}
