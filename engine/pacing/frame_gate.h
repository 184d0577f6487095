// The frame gate of the earlier revision: the loop runs a state routine only when the gate opens,
// at most 60 times per second, and the gate supplies the frame time. It measures with the
// high-resolution counter where the machine has one, else with a millisecond clock, and the
// system timer period is 1 ms while the program runs.
#pragma once

#include <cstdint>

struct FrameGateState {
  int64_t rate;              // openings per second asked for
  int64_t period;            // counter units (or ms) per opening; 0 when the rate is not positive
  int32_t highResolution;    // 1: the high-resolution counter measures
  int32_t msFromTimeGetTime; // 1: the millisecond clock is timeGetTime, 0: GetTickCount
  int32_t pacing;            // 1 while the gate limits the rate
  int64_t lastCount;         // counter (or millisecond) value at the last opening
  uint32_t msAtLastOpening;  // millisecond clock at the last opening, for the frame time
};
extern FrameGateState gFrameGate;

// Start-up hook: the 1 ms timer period, the gate at 60 per second, pacing on, the vertical-blank
// wait off until a state routine presents; the exit hook goes to atexit. Runs once the host exists,
// before WinMain (main() runs the registered start-up hooks).
void InitFramePacing();
// Exit hook: ends the 1 ms timer period.
void ExitFramePacing();
// Sets the gate up for `rate` openings per second, measuring from now; returns 1.
int FrameGateSetup(int64_t rate);
// 1 when a frame may run (gFrameTime is then the seconds since the last opening), else 0.
int FrameGate();
// The gate measures from now: the next opening comes a period later and its frame time counts
// from here (start-up, reactivation).
void RestartFrameGate();
