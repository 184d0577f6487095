// The application shell: entry point, window, message loop and frame clock, window procedure,
// error report, data directory and orderly shutdown.
#pragma once

#include <cstdint>

#include "platform/win_types.h"

// Window title, class name and the single-instance mutex suffix.
inline constexpr const char* kWindowTitle = "MORVENTICA SF SHOOTING VERSION2";
inline constexpr const char* kWindowClass = "DEFAULT";

extern HWND gMainWindow;
extern HINSTANCE gInstance;
extern HANDLE gMutex;
extern int gAppActive;
extern int gCloseState;     // 0 running, 1 close request before shutdown, 2 shut down
extern int gShutdownDone;
extern int gFullScreen;
extern int gWindowOptions;
extern int gDefaultScreenWidth;
extern int gDefaultScreenHeight;
extern int gCursorClipMode;
extern int gCursorVisible;
extern int gCursorClipped;
extern int gClientX, gClientY;  // screen position of the client area's top-left corner
extern RECT gClientRect;
extern uint32_t gFrameClockBase;
extern float gFrameTime;
extern int gGameState;
extern int gPrevGameState;
extern int gStateEntered;
extern int gNextGameState;
extern int gBlinkPhase;
extern uint32_t gBlinkDeadline;

int WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showMode);
LRESULT WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
int ShowErrorMessage(const char* where, const char* what);
int ShutdownApplication();
const char* GetDataDirectory();  // the program's directory, ending in '/'
void InitSystemGlobals();
int CheckSingleInstance(const char* title);  // 0: another instance runs (it was brought forward)
void SetAppActive(int active);
void UnclipCursor();
void UnclipCursorAtExit();
void ClipCursorToRect(int left, int top, int right, int bottom);
void ClipCursorToWindow();
int IsCursorClipped();
void EnableIme(int flag);

// WinMain split in two so that a test can drive the loop one pass at a time:
// AppStartUp runs start-up steps 1 to 10 and returns 0 when WinMain must end there (second
// instance, no window); RunLoopOnce runs one pass of the message loop.
// Gated: the frame gate stayed closed, so the pass ran no state routine.
enum class LoopStep { Message, Frame, Waited, Quit, Gated };
int AppStartUp(HINSTANCE instance, int showMode);
LoopStep RunLoopOnce();
// The frame a loop pass runs once gFrameTime is measured: the entered flag, the state routine, the
// blink phase, the mouse clicks and the cursor. Tests call it after setting gFrameTime themselves.
// Returns false when the frame gate stayed closed and no state routine ran.
bool RunMeasuredFrame();

// Fixed-rate frame pacing, present only in the programs that link the frame gate (the earlier
// revision); both entries stay null elsewhere. `gate` answers 1 when a state routine may run (and
// then sets gFrameTime); `restart` makes the gate measure from now, as the frame clock does.
struct FramePacingHooks {
  int (*gate)();
  void (*restart)();
};
extern FramePacingHooks gFramePacing;

// Start-up hooks of the libraries a program links: registered during static initialisation (when
// no host exists yet, so a hook must not run then), run by main() once the host exists and before
// WinMain. Each hook runs once per process however often RunStartUpHooks is called.
void RegisterStartUpHook(void (*hook)());
void RunStartUpHooks();

// Supplied by the game.
void LoadAllAssets();
void RunTitle();
void RunS1Frame();
void RunS2Frame();
void RunEnding();
void HandleKeyDown(int virtualKey);
