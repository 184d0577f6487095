// Input state and wait timers: the four-state key record, the mouse globals, the joystick poll,
// the frame-clock restart and elSystem's wait timers.
#pragma once

#include <cstdint>

// Key record values.
enum : int { kKeyUp = 0, kKeyPressed = 1, kKeyReleased = 2, kKeyHeld = 3 };

extern int gMouseX, gMouseY;
extern int gMouseLeftDown, gMouseRightDown;
extern int gMouseLeftClick, gMouseRightClick;    // per-frame click flags
extern int gMouseLeftDouble, gMouseRightDouble;  // per-frame double-click flags
extern int gMouseButton;                         // 1 after a left press, 2 after a right press
extern int gLastKey;                             // virtual key of the last key press
extern int gSystemKeyMode;
extern uint32_t gWaits[12];                      // deadlines 1 to 11 (index 0 unused)
extern int gJoyX[2], gJoyY[2];

inline constexpr uint32_t kWaitOff = 999999999u;

void UpdateKeyState(int virtualKey, int* state);
int ResetWaits();
void RestartFrameClock();
void SetSystemKeyMode(int mode);
void ClearInputBlock();
void InitJoysticks();
void PollJoysticks();
void ClearMouseClicks();  // the loop's per-frame mouse bookkeeping

class elSystem {
 public:
  static int SetWait(int number, uint32_t milliseconds);
  static int IsWaitOver(int number);
};
