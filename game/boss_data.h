// The two bosses, the three big targets, the fly-by pictures and the explosion bursts around them.
#pragma once

#include <cstdint>

struct Boss {
  float x, y;         // top-left corner of the boss picture
  float scriptTimer;  // +10 per second
  float life;
  float deathTimer;   // +10 per second while destroyed
  int32_t hit;
};
extern Boss gS1Boss;
extern Boss gS2Boss;
extern Boss gBigTarget1, gBigTarget2, gBigTarget3;  // tested by the weapons, never moved or drawn

inline constexpr float kS1BossLife = 1020.0f;
inline constexpr float kS2BossLife = 1000.0f;

// Explosion frame counter (0 to 9) beside each boss, animating its low-life fires.
extern int gS1BossFireFrame, gS2BossFireFrame;

// The picture that flies past before each boss enters.
struct BossFlyBy {
  float x, y;
  float speed;  // pixels per second
};
extern BossFlyBy gS1FlyBy, gS2FlyBy;

// An explosion burst drawn at the spot stored on the previous frame, then moved.
struct BossBurst {
  int32_t frame;
  float x, y;
};
inline constexpr int kBigBurstCount = 8;
inline constexpr int kSmallBurstCount = 6;
extern BossBurst gBossDamageBursts[kBigBurstCount];  // shared by both bosses' damage bands
extern BossBurst gS1DeathBigBursts[kBigBurstCount];
extern BossBurst gS1DeathSmallBursts[kSmallBurstCount];
extern BossBurst gS2DeathBigBursts[kBigBurstCount];
extern BossBurst gS2DeathSmallBursts[kSmallBurstCount];

// The bosses' attack schedules run on these, one count per frame of attack.
extern int gS1WaveCounter, gS2WaveCounter;
// Counters of the six stage-1 spiral emitters (A to F).
inline constexpr int kS1SpiralCount = 6;
extern int gS1SpiralCounters[kS1SpiralCount];
