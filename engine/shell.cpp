// The application shell: start-up, the message loop with its frame clock, the window procedure,
// the error report, the data directory and the once-only shutdown.
#include "engine/shell.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/el_draw.h"
#include "engine/el_sound.h"
#include "engine/el_system.h"
#include "engine/midi.h"
#include "engine/profile.h"
#include "platform/crt.h"
#include "platform/kernel32.h"
#include "platform/mci.h"
#include "platform/user32.h"
#include "platform/winmm.h"

HWND gMainWindow = nullptr;
HINSTANCE gInstance = nullptr;
HANDLE gMutex = nullptr;
int gAppActive = 0;
int gCloseState = 0;
int gShutdownDone = 0;
int gFullScreen = 1;
int gWindowOptions = 0;
int gDefaultScreenWidth = 0;
int gDefaultScreenHeight = 0;
int gCursorClipMode = 0;
int gCursorVisible = 1;
int gCursorClipped = 0;
int gClientX = 0, gClientY = 0;
RECT gClientRect = {0, 0, 0, 0};
uint32_t gFrameClockBase = 0;
float gFrameTime = 0.0f;
int gGameState = 0;
int gPrevGameState = 0;
int gStateEntered = 0;
int gNextGameState = 0;
int gBlinkPhase = 1;
uint32_t gBlinkDeadline = 0;
FramePacingHooks gFramePacing = {nullptr, nullptr};

namespace {

constexpr char kMutexSuffix[] = ":ElMutex";
constexpr char kErrorCaption[] = "エラー発生";
constexpr int kHotKeySnapshot = 0xBF01;
constexpr int kHotKeySnapshot2 = 0xBF02;

int gImeEnabled = 1;

// Window styles of the two kinds of profile.
constexpr DWORD kWindowStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kFullScreenStyle = WS_POPUP | WS_SYSMENU;

// Drops a multi-byte character cut in two at the end of a bounded copy.
void TrimPartialCharacter(char* text) {
  size_t n = std::strlen(text);
  size_t start = n;
  while (start > 0 && (static_cast<unsigned char>(text[start - 1]) & 0xC0) == 0x80) --start;
  if (start == 0) return;
  const unsigned char lead = static_cast<unsigned char>(text[start - 1]);
  size_t need = 1;
  if (lead >= 0xF0) {
    need = 4;
  } else if (lead >= 0xE0) {
    need = 3;
  } else if (lead >= 0xC0) {
    need = 2;
  }
  if (n - (start - 1) < need) text[start - 1] = '\0';
}

constexpr int kMaxStartUpHooks = 4;
void (*gStartUpHooks[kMaxStartUpHooks])() = {};
int gStartUpHookCount = 0;
int gStartUpHooksRun = 0;

// Returns false when the frame gate kept the state routine from running.
bool RunFrame() {
  // Frame time: seconds since the previous frame.
  const uint32_t now = timeGetTime();
  gFrameTime = static_cast<float>(now - gFrameClockBase) / 1000.0f;
  gFrameClockBase = timeGetTime();
  return RunMeasuredFrame();
}

}  // namespace

bool RunMeasuredFrame() {
  // A state set outside a state routine is entered on this frame.
  if (gPrevGameState == 0 && gGameState != 0) {
    gStateEntered = 1;
    gPrevGameState = gGameState;
  }

  // With the frame gate, a state routine runs only when the gate opens; a closed gate leaves the
  // entered flag as it is, so the state's first run still sees it up.
  bool ran = true;
  if (gTransitionDirection == 1) {
    // An outgoing transition only presents; its end switches to the waiting state.
    PresentFrame();
    if (gTransitionDirection == 0) gGameState = gNextGameState;
  } else if (gGameState >= 1 && gGameState <= 4 && gFramePacing.gate != nullptr &&
             gFramePacing.gate() == 0) {
    ran = false;
  } else {
    switch (gGameState) {
      case 1: RunTitle(); break;
      case 2: RunS1Frame(); break;
      case 3: RunS2Frame(); break;
      case 4: RunEnding(); break;
      default: break;
    }
  }

  if (ran) {
    gStateEntered = gGameState != gPrevGameState ? 1 : 0;
    gPrevGameState = gGameState;
  }

  const uint32_t clock = timeGetTime();
  if (static_cast<int32_t>(clock - gBlinkDeadline) >= 0) {
    gBlinkPhase = gBlinkPhase == 0 ? 1 : 0;
    gBlinkDeadline = clock + (gBlinkPhase == 1 ? 1000u : 200u);
  }

  ClearMouseClicks();

  // In a window the cursor is hidden while it is over the client area.
  if (gFullScreen == 0) {
    POINT pt;
    GetCursorPos(&pt);
    const bool inside = pt.x >= gClientRect.left && pt.x < gClientRect.right &&
                        pt.y >= gClientRect.top && pt.y < gClientRect.bottom;
    if (inside && gCursorVisible == 1) {
      ShowCursor(FALSE);
      gCursorVisible = 0;
    } else if (!inside && gCursorVisible == 0) {
      ShowCursor(TRUE);
      gCursorVisible = 1;
    }
  }
  return ran;
}

void RegisterStartUpHook(void (*hook)()) {
  if (hook != nullptr && gStartUpHookCount < kMaxStartUpHooks) gStartUpHooks[gStartUpHookCount++] = hook;
}

void RunStartUpHooks() {
  while (gStartUpHooksRun < gStartUpHookCount) gStartUpHooks[gStartUpHooksRun++]();
}

void InitSystemGlobals() {
  gMainWindow = nullptr;
  gMutex = nullptr;
  gAppActive = 0;
  gCloseState = 0;
  gShutdownDone = 0;
  gFullScreen = 1;
  gWindowOptions = 0;
  gCursorClipMode = 0;
  gCursorVisible = 1;
  gCursorClipped = 0;
  gClientX = gClientY = 0;
  gClientRect = RECT{0, 0, 0, 0};
  gFrameTime = 0.0f;
  gGameState = 0;
  gPrevGameState = 0;
  gStateEntered = 0;
  gNextGameState = 0;
  gBlinkPhase = 1;
  gMouseX = gMouseY = 0;
  gMouseLeftDown = gMouseRightDown = 0;
  gMouseLeftClick = gMouseRightClick = 0;
  gMouseLeftDouble = gMouseRightDouble = 0;
  gMouseButton = 0;
  gLastKey = 0;
  gSystemKeyMode = 0;
  const uint32_t now = timeGetTime();
  gFrameClockBase = now;
  gBlinkDeadline = now + 1000;
}

int CheckSingleInstance(const char* title) {
  char name[2048];
  std::snprintf(name, sizeof name, "%s%s", title, kMutexSuffix);
  gMutex = CreateMutexA(nullptr, TRUE, name);
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    SetForegroundWindow(FindWindowA(kWindowClass, title));
    return 0;
  }
  return 1;
}

int AppStartUp(HINSTANCE instance, int showMode) {
  InitSystemGlobals();
  if (CheckSingleInstance(kWindowTitle) == 0) return 0;

  WNDCLASSA wc{};
  wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  wc.lpfnWndProc = WndProc;
  wc.cbClsExtra = 0;
  wc.cbWndExtra = 0;
  wc.hInstance = instance;
  wc.hIcon = LoadIconA(instance, "MAIN");
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  wc.lpszMenuName = kWindowClass;
  wc.lpszClassName = kWindowClass;
  RegisterClassA(&wc);

  gWindowOptions = kProfile.windowOptions;
  gFullScreen = kProfile.fullScreen;
  if (gFullScreen == 0) {  // full screen always opens the screen at a size it names
    gDefaultScreenWidth = kProfile.screenWidth;
    gDefaultScreenHeight = kProfile.screenHeight;
  }
  gCursorClipMode = 0;

  // A window is a captioned frame around a client area of the screen's size, centred on the
  // desktop; full screen is a popup covering the desktop.
  DWORD style = kFullScreenStyle;
  int x = 0, y = 0;
  int width = GetSystemMetrics(SM_CXSCREEN);
  int height = GetSystemMetrics(SM_CYSCREEN);
  if (gFullScreen == 0) {
    style = kWindowStyle;
    width = gDefaultScreenWidth + GetSystemMetrics(SM_CXBORDER) + GetSystemMetrics(SM_CXEDGE) +
            GetSystemMetrics(SM_CXDLGFRAME);
    height = gDefaultScreenHeight + GetSystemMetrics(SM_CYBORDER) + GetSystemMetrics(SM_CYEDGE) +
             GetSystemMetrics(SM_CYDLGFRAME) + GetSystemMetrics(SM_CYCAPTION);
    x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  }
  gMainWindow = CreateWindowExA(0, kWindowClass, kWindowTitle, style, x, y, width, height, nullptr,
                                nullptr, instance, nullptr);
  if (gMainWindow == nullptr) return 0;

  ShowWindow(gMainWindow, (gWindowOptions & 4) != 0 ? SW_HIDE : showMode);
  UpdateWindow(gMainWindow);
  if (gFullScreen == 0) {
    const HWND insert_after = (gWindowOptions & 1) != 0 ? gMainWindow : HWND_TOPMOST;
    SetWindowPos(gMainWindow, insert_after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  }

  gInstance = instance;
  std::srand(static_cast<unsigned>(TimeNow()));
  EnableIme(0);

  LoadAllAssets();
  RestartFrameClock();
  return 1;
}

LoopStep RunLoopOnce() {
  MSG msg;
  if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) return LoopStep::Quit;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    return LoopStep::Message;
  }
  if (gAppActive == 0 && (gWindowOptions & 2) == 0) {
    WaitMessage();
    return LoopStep::Waited;
  }
  return RunFrame() ? LoopStep::Frame : LoopStep::Gated;
}

int WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/, int showMode) {
  if (AppStartUp(instance, showMode) == 0) return 0;
  while (RunLoopOnce() != LoopStep::Quit) {
  }
  return 0;
}

LRESULT WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;

    case WM_MOVE:
      gClientX = static_cast<SHORT>(LOWORD(static_cast<uintptr_t>(lParam)));
      gClientY = static_cast<SHORT>(HIWORD(static_cast<uintptr_t>(lParam)));
      gClientRect = RECT{gClientX, gClientY, gClientX + gDefaultScreenWidth,
                         gClientY + gDefaultScreenHeight};
      if (gCursorClipMode != 0) ClipCursorToWindow();
      break;

    case WM_CLOSE:
      if (gCloseState == 0) {
        gCloseState = 1;
        ShutdownApplication();
      } else if (gCloseState == 1) {
        ShutdownApplication();
      }
      DestroyWindow(window);
      return 0;

    case WM_ACTIVATEAPP:
      if (wParam != 0) {
        SetAppActive(1);
        RestartFrameClock();
        if (gCursorClipMode != 0) ClipCursorToWindow();
      } else {
        SetAppActive(0);
        if (gCursorVisible == 0) {
          ShowCursor(TRUE);
          gCursorVisible = 1;
        }
        if (gCursorClipMode != 0) UnclipCursor();
      }
      return 0;

    case WM_SETCURSOR:
      if (gFullScreen != 0) {
        SetCursor(nullptr);
        return TRUE;
      }
      break;

    case WM_KEYDOWN:
      HandleKeyDown(static_cast<int>(wParam));
      break;

    case WM_KEYUP:
      if (gLastKey == static_cast<int>(wParam)) gLastKey = 0;
      break;

    case WM_SYSKEYDOWN:
      if (gSystemKeyMode == 0) return 0;
      if (gSystemKeyMode == 2 && wParam == static_cast<WPARAM>(VK_MENU)) return 0;
      HandleKeyDown(static_cast<int>(wParam));
      break;

    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_SCREENSAVE) return 0;
      break;

    case WM_MOUSEMOVE:
      gMouseX = LOWORD(static_cast<uintptr_t>(lParam));
      gMouseY = HIWORD(static_cast<uintptr_t>(lParam));
      break;

    case WM_LBUTTONDOWN:
      gMouseLeftDown = 1;
      gMouseLeftClick = 1;
      gMouseButton = 1;
      break;

    case WM_LBUTTONUP:
      gMouseLeftDown = 0;
      if (gMouseButton == 1) gMouseButton = 0;
      break;

    case WM_LBUTTONDBLCLK:
      gMouseLeftDouble = 1;
      return 0;

    case WM_RBUTTONDOWN:
      gMouseRightDown = 1;
      gMouseRightClick = 1;
      gMouseButton = 2;
      break;

    case WM_RBUTTONUP:
      gMouseRightDown = 0;
      if (gMouseButton == 2) gMouseButton = 0;
      break;

    case WM_RBUTTONDBLCLK:
      gMouseRightDouble = 1;
      if (gCursorClipMode != 0) {
        if (IsCursorClipped()) {
          UnclipCursor();
        } else {
          ClipCursorToWindow();
        }
      }
      return 0;

    case WM_HOTKEY:
      if (wParam == kHotKeySnapshot) {
        HandleKeyDown(VK_SNAPSHOT);
      } else if (wParam == kHotKeySnapshot2) {
        HandleKeyDown(0x101);
      }
      return 0;

    case MM_MCINOTIFY:
      if (wParam == MCI_NOTIFY_SUCCESSFUL && gMidiOpen != 0) {
        char mode[32] = {};
        mciSendStringA("status midi mode", mode, sizeof mode, nullptr);
        if (mode[0] == 's' && mode[1] == 't') OnMidiNotify();
      }
      break;

    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

int ShowErrorMessage(const char* where, const char* what) {
  char text[256];
  std::snprintf(text, sizeof text, "%s : %s", where, what);
  if (std::strlen(text) == sizeof text - 1) TrimPartialCharacter(text);
  FlipToGdiIfOpen();
  MessageBeep(0xFFFFFFFFu);
  MessageBoxA(gMainWindow, text, kErrorCaption, MB_SYSTEMMODAL | MB_ICONWARNING);
  return 0;
}

int ShutdownApplication() {
  if (gShutdownDone != 0) return 1;
  gShutdownDone = 1;
  UnclipCursorAtExit();
  FreeFontBuffer();
  ReleaseSound();
  ReleaseDisplay();
  if (gMutex != nullptr) {
    ReleaseMutex(gMutex);
    gMutex = nullptr;
  }
  if (gCloseState == 0) PostMessageA(gMainWindow, WM_CLOSE, 0, 0);
  gCloseState = 2;
  return 1;
}

const char* GetDataDirectory() {
  static char directory[256];
  GetModuleFileNameA(gInstance, directory, sizeof directory);
  size_t n = std::strlen(directory);
  while (n > 0 && directory[n - 1] != '/') --n;
  directory[n] = '\0';
  return directory;
}

void SetAppActive(int active) { gAppActive = active; }

void UnclipCursor() {
  ClipCursor(nullptr);
  gCursorClipped = 0;
}

void UnclipCursorAtExit() { UnclipCursor(); }

void ClipCursorToRect(int left, int top, int right, int bottom) {
  const RECT r{left, top, right, bottom};
  ClipCursor(&r);
  gCursorClipped = 1;
}

void ClipCursorToWindow() {
  if (gFullScreen != 0) {
    ClipCursorToRect(0, 0, gScreenWidth, gScreenHeight);
  } else {
    ClipCursorToRect(gClientRect.left, gClientRect.top, gClientRect.right, gClientRect.bottom);
  }
}

int IsCursorClipped() { return gCursorClipped; }

void EnableIme(int flag) {
  WINNLSEnableIME(nullptr, flag);
  gImeEnabled = flag;
}
