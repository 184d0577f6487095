#include "platform/host.h"
#include "platform/winmm.h"

DWORD timeGetTime() { return platform::CurrentHost().Milliseconds(); }

namespace {

constexpr UINT kPeriodMax = 1000000;
// Requests of each period from 1 to 32 ms that are in force; longer ones change nothing here.
constexpr int kTrackedPeriods = 32;
int g_period_requests[kTrackedPeriods + 1] = {};

}  // namespace

MMRESULT timeGetDevCaps(TIMECAPS* caps, UINT size) {
  if (caps == nullptr || size != sizeof(TIMECAPS)) return TIMERR_STRUCT;
  caps->wPeriodMin = platform::CurrentHost().TimerPeriodMin();
  caps->wPeriodMax = kPeriodMax;
  return TIMERR_NOERROR;
}

MMRESULT timeBeginPeriod(UINT period) {
  if (period < platform::CurrentHost().TimerPeriodMin() || period > kPeriodMax) return TIMERR_NOCANDO;
  if (period <= kTrackedPeriods) ++g_period_requests[period];
  return TIMERR_NOERROR;
}

MMRESULT timeEndPeriod(UINT period) {
  if (period == 0 || period > kPeriodMax) return TIMERR_NOCANDO;
  if (period <= kTrackedPeriods) {
    if (g_period_requests[period] == 0) return TIMERR_NOCANDO;
    --g_period_requests[period];
  }
  return TIMERR_NOERROR;
}

namespace platform {

int ActiveTimerPeriodRequests() {
  int n = 0;
  for (int count : g_period_requests) n += count;
  return n;
}

UINT ShortestActiveTimerPeriod() {
  for (UINT p = 1; p <= kTrackedPeriods; ++p) {
    if (g_period_requests[p] != 0) return p;
  }
  return 0;
}

}  // namespace platform

// No joystick driver on this machine: every joystick is unplugged.
MMRESULT joyGetPosEx(UINT joystickId, JOYINFOEX* info) {
  if (info == nullptr || info->dwSize != sizeof(JOYINFOEX) || joystickId > 15) return JOYERR_PARMS;
  return JOYERR_UNPLUGGED;
}

MMRESULT joyConfigChanged(DWORD /*flags*/) { return MMSYSERR_NODRIVER; }
