#include "game/fire/boss_schedules.h"

void RunS1BossSchedule() {}
void RunS2BossSchedule() {}
