// The bosses' attack steps: each stage's wave counter and the emitters whose counter windows hold it.
#pragma once

void RunS1BossSchedule();
void RunS2BossSchedule();
