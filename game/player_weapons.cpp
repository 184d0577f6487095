#include "game/player_weapons.h"

#include <cmath>
#include <initializer_list>

#include "engine/el_draw.h"
#include "engine/el_sound.h"
#include "engine/profile.h"
#include "engine/shell.h"
#include "game/asset_list.h"
#include "game/collisions.h"
#include "game/enemy_data.h"
#include "game/game_states.h"
#include "game/parking.h"
#include "game/player_data.h"
#include "game/weapon_data.h"

namespace {

// --- Fire drivers ---

// Adds one call to a weapon's counter and returns the volley that count emits (0 for none):
// volley k comes on count period x k, k = 1 to `volleys`; the counter then wraps at `wrap`.
int CountVolley(int& counter, int period, int volleys, int wrap) {
  counter += 1;
  int volley = 0;
  if (counter % period == 0 && counter / period >= 1 && counter / period <= volleys) {
    volley = counter / period;
  }
  if (counter >= wrap) counter = 0;
  return volley;
}

constexpr int kGunVolleys = 25;
constexpr int kBurstVolleys = 49;
constexpr int kMissileWrap = 48;
constexpr int kMissilesPerGroup = 5;
constexpr int kMissileGroups = 8;
constexpr int kFiredMissiles = kMissilesPerGroup * kMissileGroups;  // 0 to 39 are used
static_assert(kGunGroupSize * 3 == kNarrowShotCount && kGunGroupSize * 3 == kWideShotCount);
static_assert(kGunGroupSize * 6 == kSpreadShotCount);
static_assert(kBurstGroupSize * 4 == kBurstShotCount);
static_assert(kFiredMissiles <= kPlayerMissileCount);
static_assert(kGunVolleys < kGunGroupSize && kBurstVolleys < kBurstGroupSize);

// --- Spawners ---

bool Powered() { return gWeaponPower == 1; }
int ShipX() { return static_cast<int>(gPlayerX); }
int ShipY() { return static_cast<int>(gPlayerY); }

// Fills a free shot record; false when the slot is still in flight.
bool FillShot(PlayerShot& s, int x, int y, int speed, int drift) {
  if (s.active != 0) return false;
  s = {x, y, drift, speed, 1};
  return true;
}

// Offsets from the ship's corner of each gun's side shots, and their sideways drift.
struct SideShots {
  int offsetX;
  int drift;
};
constexpr int kGunShotY = -38;
constexpr int kSlowShot = 10, kFastShot = 20;

// The narrow and wide guns: the centre shot always, the two side shots while powered.
bool SpawnThreeShots(PlayerShot* pool, int centre, int left, int right, SideShots sides) {
  const int x = ShipX(), y = ShipY();
  const bool centreFired = FillShot(pool[centre], x, y + kGunShotY, Powered() ? kFastShot : kSlowShot, 0);
  if (Powered()) {
    FillShot(pool[left], x - sides.offsetX, y + kGunShotY, kFastShot, sides.drift);
    FillShot(pool[right], x + sides.offsetX, y + kGunShotY, kFastShot, sides.drift);
  }
  return centreFired;
}

// The spread gun's six groups: offset from the ship and drift unpowered / powered.
struct SpreadSlot {
  int offsetX, offsetY;
  int drift, poweredDrift;
};
constexpr SpreadSlot kSpreadSlots[6] = {
    {0, -38, 0, 0},   // forward
    {-15, 28, 2, 4},  // rear outer left
    {-15, 28, 1, 2},  // rear inner left
    {0, 28, 0, 0},    // rear centre
    {15, 28, 1, 2},   // rear inner right
    {15, 28, 2, 4},   // rear outer right
};

// The burst gun's four groups: groups 0 and 1 fire only while powered.
struct BurstSlot {
  int offsetX;
  bool poweredOnly;
};
constexpr BurstSlot kBurstSlots[4] = {{12, true}, {28, true}, {12, false}, {28, false}};
constexpr int kBurstShotY = 10;

// --- Motion ---

// A burst band: the closed interval of band-timer values and the step of group 0 (groups 2 and 3
// use their own table; groups 1 and 3 mirror 0 and 2 sideways).
struct BurstBand {
  float from, to;
  int dx, dy;
};
constexpr BurstBand kOuterBands[] = {
    {0, 3, -6, 0},    {4, 6, -6, -3},   {7, 9, -6, -6},  {10, 12, -3, -6}, {13, 15, 0, -6},
    {16, 18, 1, -6},  {19, 21, 2, -6},  {22, 24, 3, -6}, {25, 27, 4, -6},  {28, 200, 5, -6},
};
constexpr BurstBand kInnerBands[] = {
    {0, 3, -6, 0},   {4, 6, -6, -3},  {7, 9, -6, -6},  {10, 12, -3, -6},
    {13, 15, 0, -6}, {16, 18, 1, -6}, {19, 21, 2, -6}, {22, 250, 3, -6},
};
constexpr float kBandRate = 20.0f;  // band-timer units per second

template <int N>
BurstStep StepOfBands(const BurstBand (&bands)[N], float timer) {
  for (const BurstBand& b : bands) {
    if (timer >= b.from && timer <= b.to) return {b.dx, b.dy};
  }
  // Past the last band a shot keeps that band's step: a single very long frame must not leave it
  // standing on the field for good. Between two bands it stands still for the frame.
  if (timer > bands[N - 1].to) return {bands[N - 1].dx, bands[N - 1].dy};
  return {0, 0};
}

void FreeShot(int& x, int& y, int& active) {
  active = 0;
  x = kFreedShotXY;
  y = kFreedShotXY;
}

// --- Drawing ---

void Draw(int x, int y, ImageId image, int left, int top, int width, int height) {
  elDraw::BltObject(x, y, ImageSlot(image), left, top, left + width, top + height);
}

constexpr ImageId kNarrowPictures[3] = {kImgSFLH6, kImgSFLH7, kImgSFLH8};
// The wide gun's centre picture is 120 wide and drawn 30 to the left.
struct GroupPicture {
  ImageId image;
  int dx, width;
};
constexpr GroupPicture kWidePictures[3] = {{kImgFLW1_3, -30, 120}, {kImgFLW2_1, 0, 60}, {kImgFLW3_2, 0, 60}};

// The wide and spread guns' flash: FLHST2, and while powered FLHST22 at `poweredDy` above/below.
void DrawWideFlash(int poweredDy) {
  const int x = ShipX(), y = ShipY();
  Draw(x - 5, y - 15, kImgFLHST2, 0, 0, 70, 36);
  if (Powered()) Draw(x - 32, y + poweredDy, kImgFLHST22, 0, 0, 124, 70);
}

// --- Special weapon ---

constexpr int kBeamColumnFrames = kBeamFrameCount / 2;
constexpr int kBeamLeftStart = 1, kBeamRightStart = 41;  // counts on which each column starts
constexpr int kBeamCycle = 81;
constexpr int kBeamStrikes[] = {15, 16, 55, 56};
constexpr int kBeamPoints = 500;
static_assert(kImgMYRCL66G - kImgMYRCL51G + 1 == kBeamColumnFrames);

void StrikeWithBeams() {
  for (const BeamFrame& b : gBeamFrames) {
    const int px = b.x + 120;
    const int py = b.y + 4;
    for (int slot = 0; slot < kEnemyCount; ++slot) {
      const Enemy& e = gEnemies[slot];
      const int ex = static_cast<int>(e.x);
      const int ey = static_cast<int>(e.y);
      if (ey < -10) continue;
      if (px >= ex && px <= ex + 80 && py >= ey && py <= ey + 80) {
        MarkEnemyHit(slot);
        AddScore(kBeamPoints);
      }
    }
  }
}

}  // namespace

void FireNarrow() {
  if (int k = CountVolley(gNarrowCounter, 4, kGunVolleys, 100)) {
    SpawnNarrowShots(k, kGunGroupSize + k, 2 * kGunGroupSize + k);
  }
}

void FireWide() {
  if (int k = CountVolley(gWideCounter, 4, kGunVolleys, 100)) {
    SpawnWideShots(k, kGunGroupSize + k, 2 * kGunGroupSize + k);
  }
}

void FireSpread() {
  if (int k = CountVolley(gSpreadCounter, 4, kGunVolleys, 100)) {
    const int g = kGunGroupSize;
    SpawnSpreadShots(k, g + k, 2 * g + k, 3 * g + k, 4 * g + k, 5 * g + k);
  }
}

void FireBurst() {
  if (int k = CountVolley(gBurstCounter, 3, kBurstVolleys, 147)) {
    const int g = kBurstGroupSize;
    SpawnBurstShots(k, g + k, 2 * g + k, 3 * g + k);
  }
}

// A group of five every third call, turning one group per fan: groups 1 to 7 on counts 3 to 21,
// group 0 on 24, groups 1 to 7 again on 27 to 45, then a gap until the wrap.
void FirePlayerMissiles() {
  if (int k = CountVolley(gMissileCounter, 3, 15, kMissileWrap)) {
    const int group = k % kMissileGroups;
    for (int n = 0; n < kMissilesPerGroup; ++n) SpawnPlayerMissile(group * kMissilesPerGroup + n);
  }
}

void SpawnNarrowShots(int centre, int left, int right) {
  if (SpawnThreeShots(gNarrowShots, centre, left, right, {15, 4})) {
    gNarrowFlash = 1;
    elSound::Play(gSndShot, -1);
  }
  // A powered volley switches on every beam frame that is not yet on.
  if (Powered()) {
    for (BeamFrame& b : gBeamFrames) {
      if (b.active == 0) b.active = 1;
    }
  }
}

void SpawnWideShots(int centre, int left, int right) {
  if (SpawnThreeShots(gWideShots, centre, left, right, {30, 6})) {
    gWideFlash = 1;
    elSound::Play(gSndShot, -1);
  }
}

void SpawnSpreadShots(int g0, int g1, int g2, int g3, int g4, int g5) {
  const int slots[6] = {g0, g1, g2, g3, g4, g5};
  const int x = ShipX(), y = ShipY();
  const int speed = Powered() ? kFastShot : kSlowShot;
  for (int g = 0; g < 6; ++g) {
    const SpreadSlot& s = kSpreadSlots[g];
    const int drift = Powered() ? s.poweredDrift : s.drift;
    if (!FillShot(gSpreadShots[slots[g]], x + s.offsetX, y + s.offsetY, speed, drift)) continue;
    if (g == 0) {
      gSpreadFlash = 1;
      elSound::Play(gSndShot, -1);
    } else if (g == 3) {
      gNarrowFlash = 1;
    }
  }
}

// Silent: the burst gun plays no sound.
void SpawnBurstShots(int g0, int g1, int g2, int g3) {
  const int slots[4] = {g0, g1, g2, g3};
  const int x = ShipX(), y = ShipY();
  for (int g = 0; g < 4; ++g) {
    const BurstSlot& s = kBurstSlots[g];
    if (s.poweredOnly && !Powered()) continue;
    BurstShot& b = gBurstShots[slots[g]];
    if (b.active != 0) continue;
    const int speed = s.poweredOnly || Powered() ? 40 : 20;
    b = {x + s.offsetX, y + kBurstShotY, speed, 0.0f, 1};
  }
}

// Missile n flies outward in the screen direction 10n + 20 degrees (its speed is negative, so it
// flies against its heading).
void SpawnPlayerMissile(int missile) {
  PlayerMissile& m = gPlayerMissiles[missile];
  if (m.active != 0) return;
  const int degrees = (missile - 5) * 10 + 90 - 20 + 180;
  m.x = ShipX() - 10;
  m.y = ShipY() - 10;
  m.speed = -30;
  m.active = 1;
  m.heading = static_cast<float>(degrees * 0.0174533);
}

void MoveGunShot(GunPool pool, int index) {
  const int group = index / kGunGroupSize;
  if (pool == GunPool::Spread) {
    PlayerShot& s = gSpreadShots[index];
    if (group == 0) {
      s.y -= s.speed;
    } else {
      s.y += s.speed;
      if (group == 1 || group == 2) s.x -= s.drift;
      if (group == 4 || group == 5) s.x += s.drift;
    }
    if (s.y < -60 || s.y > kProfile.bottomBound) FreeShot(s.x, s.y, s.active);
    return;
  }
  PlayerShot& s = pool == GunPool::Narrow ? gNarrowShots[index] : gWideShots[index];
  s.y -= s.speed;
  if (group == 1) s.x -= s.drift;
  if (group == 2) s.x += s.drift;
  if (s.y < -60) FreeShot(s.x, s.y, s.active);
}

BurstStep BurstBandStep(int group, float timer) {
  BurstStep step = group < 2 ? StepOfBands(kOuterBands, timer) : StepOfBands(kInnerBands, timer);
  if (group % 2 == 1) step.dx = -step.dx;
  return step;
}

void MoveBurstShot(int index) {
  BurstShot& b = gBurstShots[index];
  b.bandTimer += kBandRate * gFrameTime;
  const BurstStep step = BurstBandStep(index / kBurstGroupSize, b.bandTimer);
  b.x += step.dx;
  b.y += step.dy;
  if (b.y < -60) {
    FreeShot(b.x, b.y, b.active);
    b.bandTimer = 0.0f;
  }
}

void MovePlayerMissiles() {
  for (PlayerMissile& m : gPlayerMissiles) {
    if (m.active == 0) continue;
    const double h = static_cast<double>(m.heading);
    m.y += static_cast<int>(std::sin(h) * m.speed);
    m.x += static_cast<int>(std::cos(h) * m.speed);
    if (m.x < -80 || m.x > kProfile.missileRightBound || m.y > kProfile.bottomBound || m.y < -80) {
      m = {kShotParkX, kShotParkY, m.speed, 0, m.heading};
      continue;
    }
    TestMissileHits(m.x, m.y);
  }
}

void DrawPlayerShots() {
  if (gShipType != 1 || (gPlayLevel != 1 && gPlayLevel != 2)) return;

  for (int i = 2 * kBurstGroupSize; i < kBurstShotCount; ++i) {
    const BurstShot& b = gBurstShots[i];
    if (b.active != 0) Draw(b.x, b.y, kImgKOV2, 0, 0, 20, 20);
  }
  for (int i = 0; i < 2 * kBurstGroupSize; ++i) {
    const BurstShot& b = gBurstShots[i];
    if (b.active != 0) Draw(b.x - 5, b.y - 5, kImgKOV1, 0, 0, 30, 30);
  }

  if (gNarrowFlash != 0) Draw(ShipX() - 5, ShipY() - 15, kImgFLHST12, 0, 0, 70, 50);
  for (int i = 0; i < kNarrowShotCount; ++i) {
    const PlayerShot& s = gNarrowShots[i];
    if (s.active != 0) Draw(s.x, s.y, kNarrowPictures[i / kGunGroupSize], 0, 0, 60, 60);
  }
  gNarrowFlash = 0;

  // The flashes go with the pool's first record whether or not it flies (it never does: slot 0 of
  // every group stays free), so that they show.
  for (int i = 0; i < kWideShotCount; ++i) {
    const PlayerShot& s = gWideShots[i];
    const GroupPicture& p = kWidePictures[i / kGunGroupSize];
    if (s.active != 0) Draw(s.x + p.dx, s.y, p.image, 0, 0, p.width, 60);
    if (i == 0 && gWideFlash != 0) DrawWideFlash(-40);
  }
  gWideFlash = 0;

  for (int i = 0; i < kSpreadShotCount; ++i) {
    const PlayerShot& s = gSpreadShots[i];
    const int group = i / kGunGroupSize;
    if (s.active != 0) {
      if (group == 0) {
        Draw(s.x, s.y, kImgSFLHV1, 120, 0, 60, 60);
      } else {
        Draw(s.x, s.y, kImgSFLHV2, 60 * (group - 1), 0, 60, 60);
      }
    }
    if (i == 0 && gSpreadFlash != 0) DrawWideFlash(5);
  }
  gSpreadFlash = 0;
}

// Every fired missile record, flying or not: a free one lies off the field.
void DrawPlayerMissiles() {
  for (int i = 0; i < kFiredMissiles; ++i) {
    const PlayerMissile& m = gPlayerMissiles[i];
    Draw(m.x, m.y, kImgFBOM1, 0, 0, 80, 80);
  }
}

void UpdateSpecialWeapon() {
  if (gShipType != 1 || gWeaponPower != 1) return;
  const int x = ShipX(), y = ShipY();
  Draw(x, y - 160, kImgRPANEL3R, 0, 0, 60, 50);
  gBeamCounter += 1;
  for (int i = 0; i < kBeamFrameCount; ++i) {
    BeamFrame& b = gBeamFrames[i];
    if (b.active == 0) continue;
    b.x = i < kBeamColumnFrames ? x - 90 : x + 30;
    b.y = y - 170;
  }
  // Each column plays the sixteen pictures once per cycle on its own frames: the left one from
  // count 1 on frames 0 to 15, the right one from count 41 on frames 16 to 31.
  for (int start : {kBeamLeftStart, kBeamRightStart}) {
    const int step = gBeamCounter - start;
    if (step < 0 || step >= kBeamColumnFrames) continue;
    const int frame = (start == kBeamLeftStart ? 0 : kBeamColumnFrames) + step;
    const BeamFrame& b = gBeamFrames[frame];
    Draw(b.x, b.y, static_cast<ImageId>(kImgMYRCL51G + step), 0, 0, 120, 280);
  }
  if (gBeamCounter >= kBeamCycle) gBeamCounter = 0;
  for (int strike : kBeamStrikes) {
    if (gBeamCounter == strike) StrikeWithBeams();
  }
}
