// WINMM stand-in, time and joystick part: the millisecond clock and the joystick calls the game
// makes once when the screen opens. This machine has no joystick driver, so the joystick calls fail
// and the game keeps its joystick positions at 0.
//
// Also the MCI notification message and its codes, which the window procedure reads.
#pragma once

#include "platform/win_types.h"

// Milliseconds by the host's clock; 32 bits, wrapping after about 49.7 days.
DWORD timeGetTime();

// --- System timer period ---
constexpr MMRESULT TIMERR_NOERROR = 0;
constexpr MMRESULT TIMERR_NOCANDO = 97;
constexpr MMRESULT TIMERR_STRUCT = 129;

struct TIMECAPS {
  UINT wPeriodMin;  // shortest period offered, ms
  UINT wPeriodMax;  // longest period offered, ms
};
static_assert(sizeof(TIMECAPS) == 8);

// The machine's timer periods; TIMERR_STRUCT unless `size` is the size of TIMECAPS.
MMRESULT timeGetDevCaps(TIMECAPS* caps, UINT size);
// Asks for a timer period of `period` ms until the matching timeEndPeriod; TIMERR_NOCANDO for a
// period the machine does not offer.
MMRESULT timeBeginPeriod(UINT period);
MMRESULT timeEndPeriod(UINT period);

namespace platform {
// The periods asked for by timeBeginPeriod and not yet ended, shortest first (0: none).
int ActiveTimerPeriodRequests();
UINT ShortestActiveTimerPeriod();
}  // namespace platform

// --- Joysticks ---
constexpr UINT JOYSTICKID1 = 0;
constexpr UINT JOYSTICKID2 = 1;

constexpr MMRESULT MMSYSERR_NOERROR = 0;
constexpr MMRESULT MMSYSERR_NODRIVER = 6;
constexpr MMRESULT JOYERR_NOERROR = 0;
constexpr MMRESULT JOYERR_PARMS = 165;
constexpr MMRESULT JOYERR_UNPLUGGED = 167;

constexpr DWORD JOY_RETURNX = 0x00000001;
constexpr DWORD JOY_RETURNY = 0x00000002;
constexpr DWORD JOY_RETURNALL = 0x000000FF;
constexpr DWORD JOY_USEDEADZONE = 0x00000800;

struct JOYINFOEX {
  DWORD dwSize;
  DWORD dwFlags;
  DWORD dwXpos;
  DWORD dwYpos;
  DWORD dwZpos;
  DWORD dwRpos;
  DWORD dwUpos;
  DWORD dwVpos;
  DWORD dwButtons;
  DWORD dwButtonNumber;
  DWORD dwPOV;
  DWORD dwReserved1;
  DWORD dwReserved2;
};
static_assert(sizeof(JOYINFOEX) == 52);

MMRESULT joyGetPosEx(UINT joystickId, JOYINFOEX* info);
MMRESULT joyConfigChanged(DWORD flags);

// --- MCI notification (posted to the window named in an MCI "notify" command) ---
constexpr UINT MM_MCINOTIFY = 0x3B9;
constexpr WPARAM MCI_NOTIFY_SUCCESSFUL = 0x0001;
constexpr WPARAM MCI_NOTIFY_SUPERSEDED = 0x0002;
constexpr WPARAM MCI_NOTIFY_ABORTED = 0x0004;
constexpr WPARAM MCI_NOTIFY_FAILURE = 0x0008;
