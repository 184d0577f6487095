#include "game/enemies.h"

#include <cmath>
#include <cstdlib>
#include <iterator>
#include <span>

#include "engine/el_draw.h"
#include "engine/el_sound.h"
#include "engine/profile.h"
#include "engine/shell.h"
#include "game/asset_list.h"
#include "game/enemy_data.h"
#include "game/fire/enemy_shots.h"
#include "game/items.h"
#include "game/parking.h"
#include "game/player_data.h"
#include "game/stage_drivers.h"

namespace {

// ---------------------------------------------------------------------------------------------
// Movement

constexpr float kOneDegree = 0.017453292f;  // the circling patterns turn this much every frame
constexpr float kTwoPi = 6.2831855f;
constexpr float kCirclingSpeed = 170.0f;

// One band of a timed pattern: while lo <= timer <= hi the velocities are set to (vy, vx).
struct Band {
  float lo, hi;
  float vy, vx;
};

// Patterns 3 to 8: the timer runs at `rate` per second and wraps to 0 at `wrapAt`; the sideways
// speed (and for 5 to 8 the falling speed) follows the band the timer lies in. Patterns 3 and 4
// fall at a fixed 120 px/s whatever vy holds. The even patterns are the mirror images.
struct TimedPattern {
  bool fixedDescent;  // y += 120 dt instead of y += vy dt
  bool setsVy;        // the bands set vy as well as vx
  float rate;
  float wrapAt;
  std::span<const Band> bands;
};

constexpr float kFixedDescent = 120.0f;

constexpr Band kSwayBands[] = {
    {0, 20, 0, 10},     {21, 40, 0, 15},    {41, 60, 0, 20},    {61, 80, 0, 30},
    {81, 100, 0, 40},   {101, 120, 0, 70},  {121, 140, 0, 120}, {141, 160, 0, 160},
    {161, 380, 0, 180},
};
constexpr Band kSweepBands[] = {
    {0, 10, 220, 0},    {11, 20, 220, 40},  {21, 30, 220, 110}, {31, 40, 220, 160},
    {41, 50, 220, 210}, {51, 60, 220, 255}, {61, 70, 220, 310}, {71, 80, 220, 240},
    {81, 90, 220, 180}, {91, 200, 0, 90},
};
constexpr Band kLoopBands[] = {
    {0, 10, 320, 0},       {11, 20, 280, 40},     {21, 30, 260, 110},    {31, 40, 240, 160},
    {41, 50, 220, 180},    {51, 60, 220, 200},    {61, 70, 220, 220},    {71, 80, 220, 200},
    {81, 90, 120, 180},    {91, 100, 0, 90},      {101, 110, -90, 0},    {111, 120, -130, -30},
    {121, 130, -160, -60}, {131, 140, -190, -90}, {141, 150, -220, -180}, {151, 260, -220, -240},
};

constexpr TimedPattern kSway = {true, false, 10.0f, 381.0f, kSwayBands};
constexpr TimedPattern kSweep = {false, true, 40.0f, 201.0f, kSweepBands};
constexpr TimedPattern kLoop = {false, true, 80.0f, 261.0f, kLoopBands};

float Sin(float a) { return static_cast<float>(std::sin(static_cast<double>(a))); }
float Cos(float a) { return static_cast<float>(std::cos(static_cast<double>(a))); }

void StepTimed(Enemy& e, const TimedPattern& p, bool mirrored, float dt) {
  e.y += (p.fixedDescent ? kFixedDescent : e.vy) * dt;
  e.patternTimer += p.rate * dt;
  if (mirrored) {
    e.x -= e.vx * dt;
  } else {
    e.x += e.vx * dt;
  }
  // Bands are closed; a timer between two of them leaves the velocities as they are.
  for (const Band& b : p.bands) {
    if (e.patternTimer >= b.lo && e.patternTimer <= b.hi) {
      if (p.setsVy) e.vy = b.vy;
      e.vx = b.vx;
    }
  }
  if (e.patternTimer >= p.wrapAt) e.patternTimer = 0.0f;
}

// Pattern 1 falls and steers sideways towards the ship at 50 px/s.
void StepHoming(Enemy& e, float dt) {
  e.y += e.vy * dt;
  e.x += e.vx * dt;
  if (e.x > gPlayerX) {
    e.vx = -50.0f;
  } else if (e.x < gPlayerX) {
    e.vx = 50.0f;
  }
}

// Pattern 2 falls and zigzags: forward while 0 <= t <= 20, back while 20 <= t <= 40.
void StepZigzag(Enemy& e, float dt) {
  e.patternTimer += 10.0f * dt;
  e.y += e.vy * dt;
  if (e.patternTimer >= 0.0f && e.patternTimer <= 20.0f) e.x += e.vx * dt;
  if (e.patternTimer >= 20.0f && e.patternTimer <= 40.0f) e.x -= e.vx * dt;
  if (e.patternTimer >= 41.0f) e.patternTimer = 0.0f;
}

// Patterns 9 and 10 circle, turning one degree per frame. The step uses the stored speed before
// storing 170, so a record that has never circled stands still on its first step.
void StepCircleLeft(Enemy& e, float dt) {
  const float a = e.heading;
  const float v = e.circlingSpeed;
  e.y += Sin(a) * v * dt;
  e.x -= Cos(a) * v * dt;
  e.circlingSpeed = kCirclingSpeed;
  e.heading += kOneDegree;
  if (e.heading >= kTwoPi) e.heading = kOneDegree;
}

void StepCircleRight(Enemy& e, float dt) {
  const float a = e.heading;
  const float v = e.circlingSpeed;
  e.y -= Sin(a) * v * dt;
  e.x += Cos(a) * v * dt;
  e.circlingSpeed = kCirclingSpeed;
  e.heading -= kOneDegree;
  if (e.heading <= -kTwoPi) e.heading = -kOneDegree;
}

void StepPattern(Enemy& e, int pattern) {
  const float dt = gFrameTime;
  switch (pattern) {
    case 0: e.y += e.vy * dt; break;
    case 1: StepHoming(e, dt); break;
    case 2: StepZigzag(e, dt); break;
    case 3: StepTimed(e, kSway, false, dt); break;
    case 4: StepTimed(e, kSway, true, dt); break;
    case 5: StepTimed(e, kSweep, false, dt); break;
    case 6: StepTimed(e, kSweep, true, dt); break;
    case 7: StepTimed(e, kLoop, false, dt); break;
    case 8: StepTimed(e, kLoop, true, dt); break;
    case 9: StepCircleLeft(e, dt); break;
    case 10: StepCircleRight(e, dt); break;
    default: break;
  }
}

void Park(Enemy& e) {
  e.active = 0;
  e.x = kParkX;
  e.y = kParkY;
}

bool IsSlot(int slot) { return slot >= 0 && slot < kEnemyCount; }

// ---------------------------------------------------------------------------------------------
// Pictures

// A position of a picture: the record's float coordinate plus an offset, cut to whole pixels.
int At(float v, int offset) { return static_cast<int>(v + static_cast<float>(offset)); }

struct Offset {
  int dx, dy;
};

constexpr int kFlameCells = 20;
constexpr int kFlameWidth = 20;
constexpr int kFlameHeight = 70;

// Body kinds: the body picture (drawn from its top-left cell) and where, and the jet flames drawn
// under it. Columns: body, width, height, body offset, flame picture, flame count, flame offsets.
struct BodyKind {
  ImageId body;
  int width, height;
  Offset bodyAt;
  ImageId flame;
  int flameCount;
  Offset flames[2];
};

constexpr Offset kLargeBody = {-80, -110};
constexpr Offset kLargeFlameL = {0, -115};
constexpr Offset kLargeFlameR = {60, -115};

constexpr BodyKind kBodyKinds[] = {
    {kImgSZAK1, 60, 60, {5, 10}, kImgZFIRE2, 0, {}},
    {kImgSZAK2, 70, 80, {0, 0}, kImgZFIRE1, 1, {{25, -40}}},
    {kImgSZAK3, 80, 80, {0, 0}, kImgZFIRE2, 2, {{5, -54}, {55, -54}}},
    {kImgSZAK4, 80, 80, {0, 0}, kImgZFIRE2, 2, {{17, -38}, {43, -38}}},
    {kImgSZAK5, 80, 80, {0, 0}, kImgZFIRE2, 2, {{12, -42}, {48, -42}}},
    {kImgSZAK6, 80, 80, {0, 0}, kImgZFIRE2, 0, {}},
    {kImgSZAK6, 80, 80, {0, 0}, kImgZFIRE2, 0, {}},
    {kImgSZAK7, 240, 300, kLargeBody, kImgZFIRE2, 2, {kLargeFlameL, kLargeFlameR}},
    {kImgSZAK8, 240, 300, kLargeBody, kImgZFIRE2, 2, {kLargeFlameL, kLargeFlameR}},
    {kImgSZAK9, 240, 300, kLargeBody, kImgZFIRE2, 2, {kLargeFlameL, kLargeFlameR}},
    {kImgSZAK10, 240, 440, {-80, -180}, kImgZFIRE2, 2, {{-10, -185}, {70, -185}}},
};
constexpr int kBodyKindCount = static_cast<int>(std::size(kBodyKinds));
static_assert(kBodyKindCount == 11);

void DrawBody(Enemy& e, const BodyKind& k) {
  if (k.flameCount > 0) {
    const int cell = e.flameFrame * kFlameWidth;
    for (int i = 0; i < k.flameCount; ++i) {
      elDraw::BltObject(At(e.x, k.flames[i].dx), At(e.y, k.flames[i].dy), ImageSlot(k.flame), cell,
                        0, cell + kFlameWidth, kFlameHeight);
    }
    if (++e.flameFrame > kFlameCells - 1) e.flameFrame = 0;
  }
  elDraw::BltObject(At(e.x, k.bodyAt.dx), At(e.y, k.bodyAt.dy), ImageSlot(k.body), 0, 0, k.width,
                    k.height);
}

// One explosion cell: a strip picture of 10 square cells of `size`, drawn at
// (x + cx + kx f, y + cy + ky f) for explosion frame f.
struct BurstCell {
  ImageId image;
  int size;
  int cx, kx, cy, ky;
};

constexpr int kExplosionCellCount = 7;
struct ExplosionLayout {
  int count;
  BurstCell cells[kExplosionCellCount];
};

constexpr BurstCell Big3(int cx, int kx, int cy, int ky) { return {kImgZBAK3B, 80, cx, kx, cy, ky}; }
constexpr BurstCell Big2(int cx, int kx, int cy, int ky) { return {kImgZBAK2B, 80, cx, kx, cy, ky}; }
constexpr BurstCell Small6(int cx, int kx, int cy, int ky) { return {kImgZBAK6B, 40, cx, kx, cy, ky}; }

constexpr ExplosionLayout kFiveFlashes = {
    5,
    {Big3(0, 0, 0, 0), Big3(20, -6, 20, -6), Big3(20, 6, 20, 2), Big3(20, -6, 20, 6),
     Big3(20, 1, 20, -6)},
};
constexpr ExplosionLayout kFlashAndSparks = {
    7,
    {Big2(0, 0, 0, 0), Small6(20, -4, 20, -6), Small6(20, 1, 20, 7), Small6(20, 7, 20, -1),
     Small6(20, -6, 20, 3), Small6(20, -7, 20, -6), Small6(20, 5, 20, -8)},
};
constexpr ExplosionLayout kSixFlashes = {
    6,
    {Big2(20, 6, 20, -1), Big2(20, 6, 20, 6), Big2(20, -6, 20, 4), Big2(20, 2, 20, -6),
     Big2(0, 0, 0, 0), Big2(20, -6, 20, -6)},
};
// By explosion style 0 to 3.
constexpr const ExplosionLayout* kExplosionLayouts[] = {&kFiveFlashes, &kFiveFlashes,
                                                        &kFlashAndSparks, &kSixFlashes};

constexpr int kExplosionFrames = 10;  // frames of one pass
constexpr int kExplosionPasses = 2;

void DrawExplosion(int slot, Enemy& e) {
  const int f = e.explosionFrame;
  if (e.explosionStyle >= 0 && e.explosionStyle < 4) {
    const ExplosionLayout& layout = *kExplosionLayouts[e.explosionStyle];
    for (int i = 0; i < layout.count; ++i) {
      const BurstCell& c = layout.cells[i];
      elDraw::BltObject(At(e.x, c.cx + c.kx * f), At(e.y, c.cy + c.ky * f), ImageSlot(c.image),
                        c.size * f, 0, c.size * f + c.size, c.size);
    }
  }
  SpawnDroppedCoin(slot);
  e.vx = 0.0f;
  e.vy = 0.0f;
  if (e.explosionFrame == 0) elSound::Play(gSndBom, -1);
  if (++e.explosionFrame > kExplosionFrames - 1) {
    e.explosionFrame = 0;
    ++e.explosionPass;
  }
  if (e.explosionPass >= kExplosionPasses) {
    e.active = 0;
    e.hit = 0;
    e.explosionFrame = 0;
    e.explosionPass = 0;
    e.x = kParkX;
    e.y = kParkY;
  }
}

// ---------------------------------------------------------------------------------------------
// The stages' slot tables and spawn windows

constexpr SlotRow Small(int slot, int pattern, int kind) { return {slot, pattern, kind, 80, 80, 80}; }

constexpr SlotRow kS1Slots[] = {
    Small(0, 1, 1),  Small(1, 2, 1),  Small(2, 2, 1),  Small(3, 3, 2),  Small(4, 4, 2),
    Small(5, 5, 0),  Small(6, 6, 0),  Small(7, 7, 0),  Small(8, 8, 0),  Small(9, 9, 5),
    Small(10, 10, 6), Small(11, 5, 0), Small(12, 6, 0), Small(13, 7, 4), Small(14, 8, 4),
};
constexpr SpawnWindow kS1Windows[] = {
    {9, 120, 700, kNoShots},          {10, 120, 700, kNoShots},
    {0, 250, 500, kSingle},           {1, 300, 600, kSingleAndBurst},
    {2, 350, 600, kSingleAndBurst},   {3, 600, 900, kSingleAndBurst},
    {4, 700, 900, kSingleAndBurst},   {5, 800, 1200, kSingle},
    {6, 900, 1250, kSingle},          {7, 1050, 1200, kSingleAndBurst},
    {8, 1050, 1200, kSingleAndBurst}, {9, 1200, 1300, kSingleAndBurst},
    {10, 1300, 1400, kSingleAndBurst}, {11, 1300, 1450, kSingle},
    {12, 1300, 1450, kSingle},        {13, 1350, 1500, kSingleAndBurst},
    {14, 1350, 1500, kSingleAndBurst},
};

constexpr SlotRow kS2Slots[] = {
    Small(0, 1, 4),  Small(1, 2, 4), Small(2, 2, 4), Small(3, 3, 2), Small(4, 4, 2),
    Small(5, 5, 0),  Small(6, 6, 0), Small(7, 7, 0), Small(8, 8, 0), Small(9, 9, 5),
    Small(10, 10, 6),
    {15, 0, 7, 240, 450, 300},  {16, 0, 7, 240, 450, 300},
    {17, 3, 9, 240, 450, 300},  {18, 4, 9, 240, 450, 300},
    {19, 0, 10, 240, 660, 440}, {20, 0, 10, 240, 660, 440},
};
// Slots 2, 3 and 4 are moved and drawn but have no window, so they stay free.
constexpr SpawnWindow kS2Windows[] = {
    {5, 80, 150, kSingle},           {6, 90, 160, kSingle},
    {7, 100, 180, kSingleAndBurst},  {8, 105, 180, kSingleAndBurst},
    {9, 120, 200, kSingleAndBurst},  {10, 130, 200, kSingleAndBurst},
    {15, 180, 250, kSingleAndBurst}, {16, 180, 250, kSingleAndBurst},
    {17, 240, 300, kSingleAndBurst}, {18, 240, 300, kSingleAndBurst},
    {19, 280, 350, kSingleAndBurst}, {20, 340, 400, kSingleAndBurst},
    {0, 300, 400, kSingle},          {1, 300, 400, kSingle},
};

constexpr StageEnemies kStageEnemies[] = {{kS1Slots, kS1Windows}, {kS2Slots, kS2Windows}};

constexpr const SlotRow* RowOf(std::span<const SlotRow> slots, int slot) {
  for (const SlotRow& r : slots) {
    if (r.slot == slot) return &r;
  }
  return nullptr;
}

// Every table is well formed: slots in ascending order and in range, known patterns and kinds,
// and every window's slot in its stage's slot table.
constexpr bool Valid(const StageEnemies& s) {
  int last = -1;
  for (const SlotRow& r : s.slots) {
    if (r.slot <= last || r.slot >= kEnemyCount) return false;
    if (r.pattern < 0 || r.pattern > 10 || r.kind < 0 || r.kind >= kBodyKindCount) return false;
    last = r.slot;
  }
  for (const SpawnWindow& w : s.windows) {
    if (RowOf(s.slots, w.slot) == nullptr || !(w.lo < w.hi)) return false;
  }
  return true;
}
static_assert(Valid(kStageEnemies[0]) && Valid(kStageEnemies[1]));
static_assert(std::size(kS1Slots) == 15 && std::size(kS1Windows) == 17);
static_assert(std::size(kS2Slots) == 17 && std::size(kS2Windows) == 14);

}  // namespace

const StageEnemies kS1Enemies = kStageEnemies[0];
const StageEnemies kS2Enemies = kStageEnemies[1];

void MoveEnemy(int slot, int pattern, int marginWidth, int marginHeight) {
  if (!IsSlot(slot)) return;
  Enemy& e = gEnemies[slot];
  if (e.active != 0) StepPattern(e, pattern);
  // Off the field, active or not; the hit flag stays as it is.
  if (e.x + static_cast<float>(marginWidth) < 0.0f ||
      e.x > static_cast<float>(kProfile.rightBound) ||
      e.y + static_cast<float>(marginHeight) < 0.0f ||
      e.y > static_cast<float>(marginHeight + kProfile.bottomBound)) {
    Park(e);
  }
}

void DrawEnemy(int slot, int kind) {
  if (!IsSlot(slot)) return;
  Enemy& e = gEnemies[slot];
  if (e.hit != 0) {
    DrawExplosion(slot, e);
  } else if (kind >= 0 && kind < kBodyKindCount) {
    DrawBody(e, kBodyKinds[kind]);
  }
}

// The width the drivers pass plays no part in the placement.
void SpawnEnemy(int slot, int /*width*/, int height) {
  if (!IsSlot(slot)) return;
  Enemy& e = gEnemies[slot];
  if (e.active != 0) return;
  const int x = rand() % 290;
  const int style = rand() % 4;
  const int vy = rand() % 70 + 70;
  const int vx = rand() % 20 + 20;
  e.x = static_cast<float>(x + kProfile.fieldX);
  e.y = static_cast<float>(-height);
  e.explosionStyle = style;
  e.vy = static_cast<float>(vy);
  e.vx = static_cast<float>(vx);
  e.active = 1;
  e.hit = 0;
  e.explosionFrame = 0;
  e.flameFrame = 0;
  e.patternTimer = 0.0f;
  e.heading = 0.0f;
}

void MoveAndDrawStageEnemies(const StageEnemies& s) {
  for (const SlotRow& r : s.slots) {
    MoveEnemy(r.slot, r.pattern, r.marginWidth, r.marginHeight);
    DrawEnemy(r.slot, r.kind);
  }
}

void RunEnemySpawnWindows(const StageEnemies& s) {
  for (const SpawnWindow& w : s.windows) {
    if (!(gDistance > w.lo && gDistance < w.hi)) continue;
    const SlotRow& r = *RowOf(s.slots, w.slot);
    SpawnEnemy(r.slot, r.marginWidth, r.spawnHeight);
    if ((w.shots & kSingle) != 0) FireEnemyShot(r.slot);
    if (w.shots == kSingleAndBurst) FireEnemyBurst(r.slot);
  }
}
