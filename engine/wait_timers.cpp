// elSystem's wait timers (deadlines on the millisecond clock) and the frame-clock restart.
#include "engine/el_system.h"
#include "engine/shell.h"
#include "platform/winmm.h"

// Off until the screen opens and ResetWaits runs.
uint32_t gWaits[12] = {kWaitOff, kWaitOff, kWaitOff, kWaitOff, kWaitOff, kWaitOff,
                       kWaitOff, kWaitOff, kWaitOff, kWaitOff, kWaitOff, kWaitOff};

namespace {
constexpr int kWaitCount = 11;  // deadlines 1 to 11; SetWait accepts 1 to 10
}

int elSystem::SetWait(int number, uint32_t milliseconds) {
  if (number < 1 || number > 10) {
    return ShowErrorMessage("elSystem::SetWait", "ウェイトNoが範囲外です");
  }
  gWaits[number] = timeGetTime() + milliseconds;
  return 1;
}

int elSystem::IsWaitOver(int number) {
  if (number < 1 || number > kWaitCount) return 0;  // no such timer: never over
  const uint32_t deadline = gWaits[number];
  if (deadline == kWaitOff) return 0;
  // Measured as a distance on the wrapping clock, so a deadline set just before the clock wraps
  // is not taken as passed.
  return static_cast<int32_t>(timeGetTime() - deadline) >= 0 ? 1 : 0;
}

int ResetWaits() {
  for (int n = 1; n <= kWaitCount; ++n) gWaits[n] = kWaitOff;
  ClearInputBlock();
  SetSystemKeyMode(0);
  if (gFullScreen != 0) ClipCursorToWindow();
  return 1;
}

void RestartFrameClock() {
  gFrameTime = 0.0f;
  gFrameClockBase = timeGetTime();
  // The frame gate measures from the same moment, so the next frame's time counts only from now.
  if (gFramePacing.restart != nullptr) gFramePacing.restart();
}
