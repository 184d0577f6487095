#include "game/debris_data.h"

DebrisFragment gS1BossDebris[kBossDebrisCount];
DebrisFragment gS2BossDebris[kBossDebrisCount];
DebrisFragment gBigTarget1Debris[kBossDebrisCount];
DebrisFragment gBigTarget2Debris[kBossDebrisCount];
DebrisFragment gBigTarget3Debris[kBossDebrisCount];
DebrisFragment gS1DebrisB[kWideDebrisCount];
DebrisFragment gS1DebrisC[kWideDebrisCount];
DebrisFragment gS2DebrisB[kWideDebrisCount];
DebrisFragment gS2DebrisC[kWideDebrisCount];
