// The bosses' pattern emitters: the counting pattern timers that hand whole groups of a pool to its
// spawner at fixed counts, the stage-2 boss's small-fan part launchers and its two curving-shot
// launchers. Each emitter owns one pool and takes no argument.
#pragma once

#include <span>

#include "game/fire/bullet_data.h"

// A spawner as the timers call it: the record whose count fired and the first record of its group.
using SpawnFn = void (*)(int record, int first);

// One pattern timer. The pool is cut into consecutive groups of `groupSize` records, group g firing
// when the count equals thresholds[g]; groups past the end of the list never fire. Each call steps
// the count (one per record, or the one `counter` for the whole pool) by 1, back to `restart` once
// it reaches `cycle`, then hands every record whose count equals its group's threshold to `spawn`.
struct PatternTimer {
  BulletPoolId pool;
  int groupSize;
  int cycle;
  int restart;
  std::span<const int> thresholds;
  int* counter;  // nullptr: every record keeps its own fire count
  SpawnFn spawn;
};

// One call of timer `t`, handing the due records to `spawn` (the timer's own spawner in the game).
void RunPatternTimer(const PatternTimer& t, SpawnFn spawn);
// The timer that owns `pool` (nullptr for a pool without one); every Tick routine below is
// RunPatternTimer on its row with the row's own spawner.
const PatternTimer* PatternTimerOf(BulletPoolId pool);

// Stage 1.
void TickS1ArcShots();
void TickS1PairShots();
void TickS1FallingShotsA();
void TickS1FallingShotsB();
void TickS1FallingShotsC();
void TickS1FallingShotsD();  // no schedule row calls it: its pool stays parked
void TickS1FallingShotsE();  // no schedule row calls it: its pool stays parked
void TickS1AimedFanShotsA();
void TickS1AimedFanShotsB();
void TickS1AimedFanShotsC();
void TickS1AimedFanShotsD();
void TickS1DriftShotsA();
void TickS1DriftShotsB();
void TickS1SpiralShotsA();
void TickS1SpiralShotsB();
void TickS1SpiralShotsC();
void TickS1SpiralShotsD();
void TickS1SpiralShotsE();
void TickS1SpiralShotsF();

// Stage 2.
void TickS2FanShotsF();
void TickS2FanShotsG();
void TickS2FanShotsH();
void TickS2FanShotsI();
void TickS2FanShotsJ();
void TickS2DriftShotsA();
void TickS2DriftShotsB();
void TickS2DriftShotsC();
void TickS2FallingShotsC();
// The drop and diagonal timers: no schedule row calls them, so their pools stay parked.
void TickS2FallingShotsD();
void TickS2FallingShotsE();
void TickS2FallingShotsF();
void TickS2DiagonalShotsA();
void TickS2DiagonalShotsB();
void TickS2DiagonalShotsC();
void TickS2DiagonalShotsD();
void TickS2DiagonalShotsE();
void TickS2DiagonalShotsF();
void TickS2AimedFanShotsA();
void TickS2AimedFanShotsB();
void TickS2AimedFanShotsC();
void TickS2AimedFanShotsD();
void TickS2AimedFanShotsE();
void TickS2AimedFanShotsF();
void TickS2AimedFanShotsG();
void TickS2RingShotsA();
void TickS2RingShotsB();

// The small-fan part launchers of the stage-2 boss: every free record of the pool starts at its
// point on the boss's body; the pool's mover gives the motion.
void FireS2SmallFanShotsH();
void FireS2SmallFanShotsI();
void FireS2SmallFanShotsJ();
void FireS2SmallFanShotsK();
void FireS2SmallFanShotsL();
void FireS2SmallFanShotsM();
void FireS2SmallFanShotsN();
void FireS2SmallFanShotsO();
void FireS2SmallFanShotsP();

// The two curving-shot launchers of the stage-2 boss: every free record starts at the muzzle with
// the launcher's heading and the speed of its slot.
void FireS2CurvingShotsA();
void FireS2CurvingShotsB();
