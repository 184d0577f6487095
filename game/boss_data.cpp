#include "game/boss_data.h"

Boss gS1Boss;
Boss gS2Boss;
Boss gBigTarget1, gBigTarget2, gBigTarget3;
int gS1BossFireFrame, gS2BossFireFrame;
BossFlyBy gS1FlyBy, gS2FlyBy;
BossBurst gBossDamageBursts[kBigBurstCount];
BossBurst gS1DeathBigBursts[kBigBurstCount];
BossBurst gS1DeathSmallBursts[kSmallBurstCount];
BossBurst gS2DeathBigBursts[kBigBurstCount];
BossBurst gS2DeathSmallBursts[kSmallBurstCount];
int gS1WaveCounter, gS2WaveCounter;
int gS1SpiralCounters[kS1SpiralCount];
