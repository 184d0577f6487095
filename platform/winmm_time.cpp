#include "platform/host.h"
#include "platform/winmm.h"

DWORD timeGetTime() { return platform::CurrentHost().Milliseconds(); }

// No joystick driver on this machine: every joystick is unplugged.
MMRESULT joyGetPosEx(UINT joystickId, JOYINFOEX* info) {
  if (info == nullptr || info->dwSize != sizeof(JOYINFOEX) || joystickId > 15) return JOYERR_PARMS;
  return JOYERR_UNPLUGGED;
}

MMRESULT joyConfigChanged(DWORD /*flags*/) { return MMSYSERR_NODRIVER; }
