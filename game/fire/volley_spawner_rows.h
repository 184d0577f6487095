// The members of the bosses' seven spawner families, one table per family, each row naming the
// pool it fills. The spawners find their row by pool at compile time, and the pattern timers check
// their group sizes against SpawnerGroupSize.
#pragma once

#include <array>

#include "game/boss_data.h"
#include "game/fire/bullet_data.h"
#include "game/fire/emitter_rows.h"

namespace spawner_rows {

// An offset from an anchor written as a chain of terms, added one by one in single precision in
// the written order: the boss's x + 230 - 30 is not always the boss's x + 200 in floats.
struct Offset {
  std::array<float, 2> terms{};
  int count = 0;
  constexpr float From(float anchor) const {
    float v = anchor;
    for (int i = 0; i < count; ++i) v = v + terms[i];
    return v;
  }
};
constexpr Offset Off(float a) { return {{a, 0.0f}, 1}; }
constexpr Offset Off(float a, float b) { return {{a, b}, 2}; }

// ---- Column arcs: a column of n bullets, staggered vertically; their movers fan them out.
struct ColumnArcRow {
  BulletPoolId pool;
  const Boss* anchor;
  Offset x;
  int n;
  std::array<float, 7> y;
};
constexpr std::array<float, 7> kS2FanHeights = {60, 83, 90, 83, 60};
constexpr std::array<float, 7> kS1DriftHeights = {90, 113, 120};
constexpr ColumnArcRow kColumnArcs[] = {
    {kPoolS1ArcShots, &gS1Boss, Off(200), 7, {154, 183, 194, 200, 194, 183, 154}},
    {kPoolS2FanShotsF, &gS2Boss, Off(240), 5, {110, 133, 140, 133, 110}},
    {kPoolS2FanShotsG, &gS2Boss, Off(230, -30), 5, kS2FanHeights},
    {kPoolS2FanShotsH, &gS2Boss, Off(230, 30), 5, kS2FanHeights},
    {kPoolS2FanShotsI, &gS2Boss, Off(230, -120), 5, kS2FanHeights},
    {kPoolS2FanShotsJ, &gS2Boss, Off(230, 120), 5, kS2FanHeights},
    {kPoolS1DriftShotsA, &gS1Boss, Off(210, -120), 3, kS1DriftHeights},
    {kPoolS1DriftShotsB, &gS1Boss, Off(210, 120), 3, kS1DriftHeights},
};

// ---- Pairs: two bullets side by side, D either side of the centre.
inline constexpr int kPairSize = 2;
struct PairRow {
  BulletPoolId pool;
  const Boss* anchor;
  Offset x;
  float d;
  Offset y;
};
constexpr PairRow kPairs[] = {
    {kPoolS1PairShots, &gS1Boss, Off(200), 80, Off(130)},
    {kPoolS1FallingShotsA, &gS1Boss, Off(200), 80, Off(130)},
    {kPoolS1FallingShotsB, &gS1Boss, Off(210), 100, Off(200, -30)},
    {kPoolS1FallingShotsC, &gS1Boss, Off(210), 135, Off(180, -30)},
    {kPoolS2DriftShotsA, &gS2Boss, Off(230), 80, Off(130)},
    {kPoolS2FallingShotsC, &gS2Boss, Off(230), 80, Off(130)},
};

// ---- Chevrons: five bullets in a flat V around a centre.
inline constexpr int kChevronSize = 5;
struct ChevronRow {
  BulletPoolId pool;
  const Boss* anchor;
  Offset centre;
};
constexpr ChevronRow kChevrons[] = {
    {kPoolS2DriftShotsB, &gS2Boss, Off(240, -120)},
    {kPoolS2DriftShotsC, &gS2Boss, Off(240, 120)},
};
constexpr float kChevronXs[kChevronSize] = {-44, -22, 0, 22, 44};
constexpr float kChevronYs[kChevronSize] = {50, 73, 80, 73, 50};

// ---- Single drops: one bullet at a fixed point of the boss.
struct DropRow {
  BulletPoolId pool;
  const Boss* anchor;
  float x, y;
};
constexpr DropRow kDrops[] = {
    {kPoolS1FallingShotsD, &gS1Boss, 0, 100},   {kPoolS1FallingShotsE, &gS1Boss, 290, 100},
    {kPoolS2FallingShotsD, &gS2Boss, 190, 126}, {kPoolS2DiagonalShotsA, &gS2Boss, 190, 150},
    {kPoolS2DiagonalShotsB, &gS2Boss, 190, 150}, {kPoolS2FallingShotsE, &gS2Boss, 30, 66},
    {kPoolS2DiagonalShotsC, &gS2Boss, 30, 90},  {kPoolS2DiagonalShotsD, &gS2Boss, 30, 90},
    {kPoolS2FallingShotsF, &gS2Boss, 410, 66},  {kPoolS2DiagonalShotsE, &gS2Boss, 410, 90},
    {kPoolS2DiagonalShotsF, &gS2Boss, 410, 90},
};

// ---- Aimed fans: n bullets 12 degrees apart, the middle one at the target.
struct AimedFanRow {
  BulletPoolId pool;
  const Boss* anchor;
  Offset x;
  int n;             // bullets of a fan
  float halfSpread;  // (n - 1) x 6 degrees
  float speed;
  float target;      // added to both of the ship's coordinates
};
constexpr double kFanStep = 0.2094395102393195;  // 12 degrees
constexpr AimedFanRow kAimedFans[] = {
    {kPoolS1AimedFanShotsA, &gS1Boss, Off(210), 7, 0.62831855f, 200, 20},
    {kPoolS1AimedFanShotsB, &gS1Boss, Off(210), 7, 0.62831855f, 200, 20},
    {kPoolS1AimedFanShotsC, &gS1Boss, Off(210), 5, 0.41887903f, 220, 20},
    {kPoolS1AimedFanShotsD, &gS1Boss, Off(200), 5, 0.41887903f, 220, 10},
    {kPoolS2AimedFanShotsA, &gS2Boss, Off(230), 11, 1.0471976f, 220, 10},
    {kPoolS2AimedFanShotsB, &gS2Boss, Off(230, -130), 11, 1.0471976f, 220, 10},
    {kPoolS2AimedFanShotsC, &gS2Boss, Off(230, 130), 11, 1.0471976f, 220, 10},
    {kPoolS2AimedFanShotsD, &gS2Boss, Off(230, -100), 3, 0.20943952f, 220, 10},
    {kPoolS2AimedFanShotsE, &gS2Boss, Off(230, 100), 3, 0.20943952f, 220, 10},
    {kPoolS2AimedFanShotsF, &gS2Boss, Off(230, -120), 7, 0.62831855f, 220, 10},
    {kPoolS2AimedFanShotsG, &gS2Boss, Off(230, 120), 7, 0.62831855f, 220, 10},
};

// ---- Aimed rings: twelve bullets 30 degrees apart, counted across the whole pool.
inline constexpr int kRingSize = 12;
struct RingRow {
  BulletPoolId pool;
  const Boss* anchor;
  Offset x;
};
constexpr double kRingStep = 0.5235987755982988;  // 30 degrees
constexpr RingRow kRings[] = {
    {kPoolS2RingShotsA, &gS2Boss, Off(240, -100)},
    {kPoolS2RingShotsB, &gS2Boss, Off(240, 100)},
};

// ---- Spiral steps: one bullet, turned 10 degrees further at each step.
struct SpiralRow {
  BulletPoolId pool;
  const Boss* anchor;
  Offset x;
  int turn;  // +1: the steps turn clockwise on the screen, -1 anticlockwise
};
constexpr double kSpiralStep = 0.17453292519943295;  // 10 degrees
constexpr SpiralRow kSpirals[] = {
    {kPoolS1SpiralShotsA, &gS1Boss, Off(210), -1},
    {kPoolS1SpiralShotsB, &gS1Boss, Off(210), 1},
    {kPoolS1SpiralShotsC, &gS1Boss, Off(210, -90), -1},
    {kPoolS1SpiralShotsD, &gS1Boss, Off(210, 90), 1},
    {kPoolS1SpiralShotsE, &gS1Boss, Off(210, -90), 1},
    {kPoolS1SpiralShotsF, &gS1Boss, Off(210, 90), -1},
};

// Records the spawner of `pool` places at once, which its pattern timer must hand it as a group;
// 0 for a pool that no spawner fills.
constexpr int SpawnerGroupSize(BulletPoolId pool) {
  if (const int i = fire::RowOfPool(kColumnArcs, pool); i >= 0) return kColumnArcs[i].n;
  if (fire::RowOfPool(kPairs, pool) >= 0) return kPairSize;
  if (fire::RowOfPool(kChevrons, pool) >= 0) return kChevronSize;
  if (fire::RowOfPool(kDrops, pool) >= 0) return 1;
  if (const int i = fire::RowOfPool(kAimedFans, pool); i >= 0) return kAimedFans[i].n;
  if (fire::RowOfPool(kRings, pool) >= 0) return kRingSize;
  if (fire::RowOfPool(kSpirals, pool) >= 0) return 1;
  return 0;
}

}  // namespace spawner_rows
