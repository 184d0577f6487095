// The frame gate: see frame_gate.h.
#include "engine/pacing/frame_gate.h"

#include <cstdlib>

#include "engine/el_draw.h"
#include "engine/shell.h"
#include "platform/idle_wait.h"
#include "platform/kernel32.h"
#include "platform/winmm.h"

FrameGateState gFrameGate = {};

namespace {

constexpr int64_t kFrameRate = 60;
constexpr UINT kTimerPeriodMs = 1;
constexpr UINT kFineTimerLimitMs = 10;  // a finer shortest period makes timeGetTime the clock

bool gTimerPeriodRaised = false;
bool gExitHookRegistered = false;

uint32_t MillisecondSource() {
  return gFrameGate.msFromTimeGetTime != 0 ? timeGetTime() : GetTickCount();
}

int64_t GateCount() {
  if (gFrameGate.highResolution != 0) {
    LARGE_INTEGER count{0};
    QueryPerformanceCounter(&count);
    return count.QuadPart;
  }
  return static_cast<int64_t>(MillisecondSource());
}

// Both readings of the frame time come from the one millisecond source, so the difference never
// mixes two clocks with different origins.
void MarkOpening(int64_t now) {
  gFrameGate.lastCount = now;
  gFrameGate.msAtLastOpening = MillisecondSource();
}

// The start-up hook is registered while the program's statics are made; it runs later, from main().
const bool gRegistered = (RegisterStartUpHook(InitFramePacing), true);

}  // namespace

void InitFramePacing() {
  (void)gRegistered;
  if (!gTimerPeriodRaised) gTimerPeriodRaised = timeBeginPeriod(kTimerPeriodMs) == TIMERR_NOERROR;
  FrameGateSetup(kFrameRate);
  gFrameGate.pacing = 1;
  SetVSyncWait(0);
  gFramePacing = FramePacingHooks{FrameGate, RestartFrameGate};
  if (!gExitHookRegistered) {
    gExitHookRegistered = true;
    std::atexit(ExitFramePacing);
  }
}

void ExitFramePacing() {
  if (!gTimerPeriodRaised) return;
  timeEndPeriod(kTimerPeriodMs);
  gTimerPeriodRaised = false;
}

int FrameGateSetup(int64_t rate) {
  gFrameGate.rate = rate;
  TIMECAPS caps{0, 0};
  gFrameGate.msFromTimeGetTime =
      timeGetDevCaps(&caps, sizeof caps) == TIMERR_NOERROR && caps.wPeriodMin < kFineTimerLimitMs ? 1 : 0;
  LARGE_INTEGER frequency{0};
  if (QueryPerformanceFrequency(&frequency) != 0) {
    gFrameGate.highResolution = 1;
    gFrameGate.period = rate > 0 ? frequency.QuadPart / rate : 0;
  } else {
    gFrameGate.highResolution = 0;
    gFrameGate.period = rate > 0 ? 1000 / rate : 0;
  }
  MarkOpening(GateCount());
  return 1;
}

int FrameGate() {
  const int64_t now = GateCount();
  const int64_t elapsed = now - gFrameGate.lastCount;
  // The millisecond clock wrapped: go on from its new value.
  if (elapsed < 0) gFrameGate.lastCount = now;
  if (gFrameGate.pacing != 0 && elapsed < gFrameGate.period) {
    // The loop would poll again at once: the stand-in may wait for the opening (or input) instead.
    if (gFrameGate.highResolution != 0) platform::IdleUntilCounter(gFrameGate.lastCount + gFrameGate.period);
    return 0;
  }
  const uint32_t ms = MillisecondSource() - gFrameGate.msAtLastOpening;
  gFrameTime = static_cast<float>(ms) / 1000.0f;
  MarkOpening(now);
  return 1;
}

void RestartFrameGate() { MarkOpening(GateCount()); }
