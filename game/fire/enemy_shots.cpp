#include "game/fire/enemy_shots.h"

#include <cstdlib>

#include "engine/el_draw.h"
#include "engine/profile.h"
#include "engine/shell.h"
#include "game/asset_list.h"
#include "game/enemy_data.h"
#include "game/fire/fire_rules.h"
#include "game/player_data.h"

namespace {

// Where a shot leaves from, relative to the enemy's corner, and the point of the ship it aims at.
constexpr float kShotOffsetX = 25.0f;
constexpr float kShotOffsetY = 50.0f;
constexpr float kBurstOffsetY = 25.0f;
constexpr float kTargetOffset = 15.0f;
constexpr float kBurstSpeeds[kBurstShots] = {260.0f, 280.0f, 300.0f, 320.0f, 340.0f};
constexpr int kStripCells = 24;  // "IMAGE/VAL16241.BMP": 24 cells of 16 x 16
constexpr int kStripCell = 16;
// A shot's corner against the ship's: the single shot reaches less far up than a burst shot.
constexpr fire::HitWindow kShotWindow{10.0f, 30.0f, 20.0f, 30.0f};
constexpr fire::HitWindow kBurstWindow{10.0f, 30.0f, 10.0f, 30.0f};
constexpr float kShotSize = 30.0f;  // a shot has left when its far edge is past the field's top or left

AimedShot& ShotOf(int slot) { return gEnemyShots[slot]; }
AimedShot* BurstOf(int slot) { return gEnemyBursts + kBurstShots * slot; }

// Launch from (x, y) towards the middle of the ship.
void Aim(AimedShot& s, float x, float y) {
  fire::LaunchTowardsShip(s, x, y, kTargetOffset);
  s.angle = fire::AimAngle(s.dx, s.dy);
}

// Cell `phase` of the strip at (x, y), then the phase steps on.
void DrawStripCell(AimedShot& s, int x, int y) {
  elDraw::BltObject(x, y, ImageSlot(kImgVAL16241), s.phase * kStripCell, 0,
                    s.phase * kStripCell + kStripCell, kStripCell);
  if (++s.phase >= kStripCells) s.phase = 0;
}

void DrawRound(ImageId image, int x, int y) {
  elDraw::BltObject(x - 5, y - 5, ImageSlot(image), 0, 0, 30, 30);
}

}  // namespace

void FireEnemyShot(int slot) {
  AimedShot& s = ShotOf(slot);
  if (s.active == 1) return;
  const Enemy& e = gEnemies[slot];
  s.active = 1;
  s.speed = static_cast<float>(rand() % 50 + 130);
  Aim(s, e.x + kShotOffsetX, e.y + kShotOffsetY);
}

void FireEnemyBurst(int slot) {
  AimedShot* burst = BurstOf(slot);
  const Enemy& e = gEnemies[slot];
  for (int j = 0; j < kBurstShots; ++j) {
    AimedShot& s = burst[j];
    if (s.active == 1) continue;
    s.active = 1;
    for (int k = 0; k < kBurstShots; ++k) burst[k].speed = kBurstSpeeds[k];
    Aim(s, e.x + kShotOffsetX, e.y + kBurstOffsetY);
  }
}

void MoveEnemyShot(int slot) {
  AimedShot& s = ShotOf(slot);
  if (s.active == 1) fire::FlyAlong(s, gFrameTime);
  if (fire::OutsideField(s.x, s.y, kShotSize) || gClearEnemyShots == 1) fire::Park(s);
  if (gPlayerAlive != 0 && fire::InHitWindow(kShotWindow, s.x, s.y)) gPlayerAlive = 0;
}

void MoveEnemyBurst(int slot) {
  AimedShot* burst = BurstOf(slot);
  bool testing = gPlayerAlive != 0;
  for (int j = 0; j < kBurstShots; ++j) {
    AimedShot& s = burst[j];
    if (s.active == 1) fire::FlyAlong(s, gFrameTime);
    // The burst ends as a whole when its slowest shot, shot 0, has left the field; the shots stay
    // where they are.
    if (fire::OutsideField(burst[0].x, burst[0].y, kShotSize) || gClearEnemyShots == 1) s.active = 0;
    // Only shots in flight hit: a burst ended by the clear-all flag lies unseen inside the field.
    if (testing && s.active == 1 && fire::InHitWindow(kBurstWindow, s.x, s.y)) {
      gPlayerAlive = 0;
      testing = false;
    }
  }
}

void DrawEnemyShot(int slot, int kind) {
  AimedShot& s = ShotOf(slot);
  if (s.active != 1) return;
  const int x = static_cast<int>(s.x);
  const int y = static_cast<int>(s.y);
  if (kind == kShotKindStrip) {
    DrawStripCell(s, x, y);
  } else {
    DrawRound(kImgVALL302, x, y);
  }
}

void DrawEnemyBurst(int slot, int kind) {
  AimedShot* burst = BurstOf(slot);
  for (int j = 0; j < kBurstShots; ++j) {
    AimedShot& s = burst[j];
    if (s.active != 1) continue;
    const int x = static_cast<int>(s.x);
    const int y = static_cast<int>(s.y);
    if (kind == kShotKindStrip) {
      DrawStripCell(s, x + 2, y + 2);
    } else {
      DrawRound(kImgVALL301, x, y);
    }
  }
}

void RunEnemyShotSlots(int stage) {
  for (const EnemyShotSlot& s : kEnemyShotSlots) {
    MoveEnemyShot(s.slot);
    DrawEnemyShot(s.slot, s.kind);
  }
  const std::span<const EnemyShotSlot> bursts =
      stage == 1 ? std::span<const EnemyShotSlot>(kS1EnemyBurstSlots)
                 : std::span<const EnemyShotSlot>(kS2EnemyBurstSlots);
  for (const EnemyShotSlot& s : bursts) {
    MoveEnemyBurst(s.slot);
    DrawEnemyBurst(s.slot, s.kind);
  }
}
