// Input state outside the window procedure: the four-state key record, the mouse globals, the
// system-key mode and the one-time joystick poll.
#include "engine/el_draw.h"
#include "engine/el_system.h"
#include "platform/user32.h"
#include "platform/winmm.h"

int gMouseX = 0, gMouseY = 0;
int gMouseLeftDown = 0, gMouseRightDown = 0;
int gMouseLeftClick = 0, gMouseRightClick = 0;
int gMouseLeftDouble = 0, gMouseRightDouble = 0;
int gMouseButton = 0;
int gLastKey = 0;
int gSystemKeyMode = 0;
int gJoyX[2] = {0, 0}, gJoyY[2] = {0, 0};

void UpdateKeyState(int virtualKey, int* state) {
  const bool down = (GetKeyState(virtualKey) & 0x80) != 0;
  if (down) {
    *state = *state == kKeyUp ? kKeyPressed : kKeyHeld;
  } else {
    *state = (*state == kKeyPressed || *state == kKeyHeld) ? kKeyReleased : kKeyUp;
  }
  // The ship keys read as up while a screen transition runs.
  if (gTransitionCounter != 0) *state = kKeyUp;
}

void SetSystemKeyMode(int mode) { gSystemKeyMode = mode; }

void ClearInputBlock() { gLastKey = 0; }

void ClearMouseClicks() {
  gMouseLeftClick = 0;
  gMouseRightClick = 0;
  gMouseLeftDouble = 0;
  gMouseRightDouble = 0;
}

void PollJoysticks() {
  for (UINT id = 0; id < 2; ++id) {
    JOYINFOEX info{};
    info.dwSize = sizeof info;
    info.dwFlags = JOY_RETURNALL | JOY_USEDEADZONE;
    if (joyGetPosEx(id, &info) == JOYERR_NOERROR) {
      gJoyX[id] = static_cast<int>(info.dwXpos);
      gJoyY[id] = static_cast<int>(info.dwYpos);
    } else {
      gJoyX[id] = 0;
      gJoyY[id] = 0;
    }
  }
}

void InitJoysticks() {
  joyConfigChanged(0);
  PollJoysticks();
  for (int id = 0; id < 2; ++id) {
    gJoyX[id] = 0;
    gJoyY[id] = 0;
  }
}
