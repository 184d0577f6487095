// Debris fragments that spring from the burst gun's hits on the bosses. Tables hold groups of 30;
// group i of a boss table belongs to burst shot i.
#pragma once

#include <cstdint>

struct DebrisFragment {
  float x, y;  // a dead fragment lies at (1000, 5000)
  int32_t active;
};
inline constexpr int kDebrisGroupSize = 30;
inline constexpr int kBossDebrisGroups = 200;
inline constexpr int kWideDebrisGroups = 78;
inline constexpr int kBossDebrisCount = kBossDebrisGroups * kDebrisGroupSize;
inline constexpr int kWideDebrisCount = kWideDebrisGroups * kDebrisGroupSize;

extern DebrisFragment gS1BossDebris[kBossDebrisCount];
extern DebrisFragment gS2BossDebris[kBossDebrisCount];
extern DebrisFragment gBigTarget1Debris[kBossDebrisCount];
extern DebrisFragment gBigTarget2Debris[kBossDebrisCount];
extern DebrisFragment gBigTarget3Debris[kBossDebrisCount];
extern DebrisFragment gS1DebrisB[kWideDebrisCount];
extern DebrisFragment gS1DebrisC[kWideDebrisCount];
extern DebrisFragment gS2DebrisB[kWideDebrisCount];
extern DebrisFragment gS2DebrisC[kWideDebrisCount];
