// The regular enemies: one pool of 21 records; each stage uses a fixed set of slots.
#pragma once

#include <cstdint>

struct Enemy {
  int32_t explosionPass;   // finished 10-frame passes of the explosion
  int32_t explosionFrame;  // 0 to 9
  int32_t flameFrame;      // 0 to 19
  int32_t explosionStyle;  // 0 to 3
  float x, y;
  float vx, vy;            // pixels per second
  float patternTimer;
  float heading;           // radians, circling patterns
  float circlingSpeed;
  int32_t active;
  int32_t hit;             // 1 once hit: drawn as an explosion
};
inline constexpr int kEnemyCount = 21;
extern Enemy gEnemies[kEnemyCount];
