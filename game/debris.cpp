#include "game/debris.h"

#include <cstdlib>

#include "engine/el_draw.h"
#include "game/asset_list.h"
#include "game/boss_data.h"
#include "game/debris_data.h"
#include "game/parking.h"
#include "game/weapon_data.h"

namespace {

// One debris table: where it lies, how much of each group of 30 is used, how far below its boss
// a fragment may fall (a random line 320 to 320 + deathSpread - 1 under the boss's top).
struct DebrisTable {
  DebrisFragment* fragments;
  int groups;
  int usedPerGroup;
  int deathSpread;
  const Boss* boss;
};

constexpr int kBossDebrisUsed = 3;
constexpr int kBossDeathSpread = 40;
constexpr int kWideDeathSpread = 80;
constexpr float kDeathLine = 320.0f;
constexpr int kShotDebrisDx = 23;  // fragments spring from the shot's middle
constexpr int kFragmentSize = 14;  // a fragment is the first 14 x 14 cell of its picture
static_assert(kBossDebrisGroups == kBurstShotCount, "one boss-debris group per burst shot");
static_assert(kBossDebrisUsed <= kDebrisGroupSize && kWideDebrisGroups <= kBossDebrisGroups);

const DebrisTable kS1BossTable = {gS1BossDebris, kBossDebrisGroups, kBossDebrisUsed,
                                  kBossDeathSpread, &gS1Boss};
const DebrisTable kS2BossTable = {gS2BossDebris, kBossDebrisGroups, kBossDebrisUsed,
                                  kBossDeathSpread, &gS2Boss};
const DebrisTable kS1TableB = {gS1DebrisB, kWideDebrisGroups, kDebrisGroupSize, kWideDeathSpread,
                               &gS1Boss};
const DebrisTable kS1TableC = {gS1DebrisC, kWideDebrisGroups, kDebrisGroupSize, kWideDeathSpread,
                               &gS1Boss};
const DebrisTable kS2TableB = {gS2DebrisB, kWideDebrisGroups, kDebrisGroupSize, kWideDeathSpread,
                               &gS2Boss};
const DebrisTable kS2TableC = {gS2DebrisC, kWideDebrisGroups, kDebrisGroupSize, kWideDeathSpread,
                               &gS2Boss};

// A burst-shot hit: every group takes its shot's position into each of its used fragments that
// is dead, whether the shot is in flight or parked; live fragments stay where they are.
void Spawn(DebrisFragment* fragments) {
  for (int i = 0; i < kBossDebrisGroups; ++i) {
    const BurstShot& shot = gBurstShots[i];
    DebrisFragment* group = fragments + i * kDebrisGroupSize;
    for (int k = 0; k < kBossDebrisUsed; ++k) {
      if (group[k].active != 0) continue;
      group[k] = {static_cast<float>(shot.x + kShotDebrisDx), static_cast<float>(shot.y), 1};
    }
  }
}

// Live fragments jitter and sink by whole pixels each frame (not scaled by the frame time); any
// fragment at or under its random line below the boss dies.
void Move(const DebrisTable& t) {
  for (int i = 0; i < t.groups; ++i) {
    DebrisFragment* group = t.fragments + i * kDebrisGroupSize;
    for (int k = 0; k < t.usedPerGroup; ++k) {
      DebrisFragment& f = group[k];
      if (f.active != 0) {
        const int right = rand() % 5;
        const int left = rand() % 5;
        f.x += static_cast<float>(right - left);
        const int down = rand() % 20;
        const int up = rand() % 12;
        f.y += static_cast<float>(down - up);
      }
      const int line = rand() % t.deathSpread;
      if (f.y >= t.boss->y + kDeathLine + static_cast<float>(line)) {
        f = {kDebrisParkX, kDebrisParkY, 0};
      }
    }
  }
}

// Every used fragment is drawn, live or dead; the clip drops the dead ones far off the field, and
// the same test made here first spares them the blit call.
void Draw(const DebrisTable& t) {
  const int slot = ImageSlot(kImgHAHEN2);
  for (int i = 0; i < t.groups; ++i) {
    const DebrisFragment* group = t.fragments + i * kDebrisGroupSize;
    for (int k = 0; k < t.usedPerGroup; ++k) {
      const int x = static_cast<int>(group[k].x);
      const int y = static_cast<int>(group[k].y);
      if (elDraw::OutsideClip(x, y, kFragmentSize, kFragmentSize)) continue;
      elDraw::BltObject(x, y, slot, 0, 0, kFragmentSize, kFragmentSize);
    }
  }
}

}  // namespace

void SpawnS1BossDebris() { Spawn(gS1BossDebris); }
void SpawnS2BossDebris() { Spawn(gS2BossDebris); }
void SpawnBigTarget1Debris() { Spawn(gBigTarget1Debris); }
void SpawnBigTarget2Debris() { Spawn(gBigTarget2Debris); }
void SpawnBigTarget3Debris() { Spawn(gBigTarget3Debris); }
void DrawS1DebrisC() { Draw(kS1TableC); }
void MoveS1DebrisC() { Move(kS1TableC); }
void DrawS1DebrisB() { Draw(kS1TableB); }
void MoveS1DebrisB() { Move(kS1TableB); }
void DrawS1BossDebris() { Draw(kS1BossTable); }
void MoveS1BossDebris() { Move(kS1BossTable); }
void DrawS2DebrisC() { Draw(kS2TableC); }
void MoveS2DebrisC() { Move(kS2TableC); }
void DrawS2DebrisB() { Draw(kS2TableB); }
void MoveS2DebrisB() { Move(kS2TableB); }
void DrawS2BossDebris() { Draw(kS2BossTable); }
void MoveS2BossDebris() { Move(kS2BossTable); }
