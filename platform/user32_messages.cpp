// The message queue: posted messages, the messages made from host input, the quit request, and
// the window procedure's defaults.
#include <mutex>

#include "platform/host.h"
#include "platform/idle_wait.h"
#include "platform/kernel32.h"
#include "platform/user32.h"
#include "platform/user32_internal.h"

namespace platform::user32 {

std::mutex gQueueMutex;
MessageRing<kInputCapacity> gInput;

}  // namespace platform::user32

namespace {

using namespace platform::user32;

MessageRing<1024> g_posted;
bool g_quit_pending = false;
int g_quit_code = 0;

bool Matches(const MSG& m, HWND window, UINT lo, UINT hi) {
  if (window != nullptr && m.hwnd != window) return false;
  if (lo == 0 && hi == 0) return true;
  return m.message >= lo && m.message <= hi;
}

// The longest a wait goes without looking at the posted queue and the instance link.
constexpr unsigned kWaitSliceMs = 20;

bool IsMouseMessage(UINT message) { return message >= WM_MOUSEMOVE && message <= WM_RBUTTONDBLCLK; }

}  // namespace

// --- Message queue ---

BOOL PeekMessageA(MSG* msg, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags) {
  const bool remove = (removeFlags & PM_REMOVE) != 0;
  {
    std::lock_guard<std::mutex> lock(gQueueMutex);
    for (int i = 0; i < g_posted.count; ++i) {
      if (!Matches(g_posted.At(i), window, filterMin, filterMax)) continue;
      *msg = g_posted.At(i);
      if (remove) g_posted.RemoveAt(i);
      return TRUE;
    }
  }
  PumpHostEvents();
  for (int i = 0; i < gInput.count; ++i) {
    if (!Matches(gInput.At(i), window, filterMin, filterMax)) continue;
    *msg = gInput.At(i);
    if (remove) {
      gInput.RemoveAt(i);
      // Before a mouse message is handed out the window may set the cursor shape for it.
      if (IsMouseMessage(msg->message)) {
        SendMessageA(msg->hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(msg->hwnd),
                     MAKELPARAM(HTCLIENT, static_cast<WORD>(msg->message)));
      }
    }
    return TRUE;
  }
  // The quit request comes out only when nothing else waits.
  {
    std::lock_guard<std::mutex> lock(gQueueMutex);
    if (g_quit_pending) {
      *msg = MSG{};
      msg->message = WM_QUIT;
      msg->wParam = static_cast<WPARAM>(g_quit_code);
      if (remove) g_quit_pending = false;
      return TRUE;
    }
  }
  platform::WaitWhileIdle();  // nothing waits: a closed frame gate's wait instead of a spin
  return FALSE;
}

// Character messages are not made: nothing in the program reads them.
BOOL TranslateMessage(const MSG* /*msg*/) { return FALSE; }

LRESULT DispatchMessageA(const MSG* msg) {
  if (msg == nullptr || LocalRecord(msg->hwnd) == nullptr) return 0;
  return SendMessageA(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  std::lock_guard<std::mutex> lock(gQueueMutex);
  if (window != nullptr && LocalRecord(window) == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  if (g_posted.Full()) {
    SetLastError(ERROR_NOT_ENOUGH_QUOTA);
    return FALSE;
  }
  g_posted.Push(MakeMessage(window, message, wParam, lParam));
  return TRUE;
}

void PostQuitMessage(int exitCode) {
  std::lock_guard<std::mutex> lock(gQueueMutex);
  g_quit_pending = true;
  g_quit_code = exitCode;
}

BOOL WaitMessage() {
  // The host wakes for input only: between its waits the queue looks for what reaches it from
  // elsewhere, a message posted from another thread and a second start's request.
  while (!PostedMessagesPending() && gInput.count == 0 && !TakeRaiseRequest()) {
    if (platform::CurrentHost().WaitEvent(kWaitSliceMs)) break;
  }
  return TRUE;
}

LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  WindowRecord* w = LocalRecord(window);
  if (w == nullptr || w->cls->proc == nullptr) return 0;
  return w->cls->proc(window, message, wParam, lParam);
}

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  WindowRecord* w = LocalRecord(window);
  if (w == nullptr) return 0;
  switch (message) {
    case WM_CLOSE:
      DestroyWindow(window);
      return 0;
    case WM_SYSKEYDOWN:
      if (wParam == static_cast<WPARAM>(VK_F4) && (HIWORD(static_cast<uintptr_t>(lParam)) & KF_ALTDOWN) != 0) {
        SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
      }
      return 0;
    case WM_SYSCOMMAND:
      switch (wParam & 0xFFF0) {
        case SC_CLOSE: SendMessageA(window, WM_CLOSE, 0, 0); break;
        case SC_MINIMIZE: CloseWindow(window); break;
        // The screen saver takes the screen, and with it the activation.
        case SC_SCREENSAVE:
          if (gAppActive) {
            gAppActive = false;
            SendMessageA(window, WM_ACTIVATEAPP, FALSE, 0);
          }
          break;
        default: break;
      }
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(static_cast<uintptr_t>(lParam)) == HTCLIENT && w->cls->cursor != nullptr) {
        SetCursor(w->cls->cursor);
        return TRUE;
      }
      return FALSE;
    default:
      return 0;
  }
}

namespace platform::user32 {

bool PostedMessagesPending() {
  std::lock_guard<std::mutex> lock(gQueueMutex);
  return g_posted.count > 0 || g_quit_pending;
}

void RemoveMessagesFor(HWND window) {
  g_posted.RemoveFor(window);
  gInput.RemoveFor(window);
}

void ResetQueues() {
  g_posted.Clear();
  gInput.Clear();
  g_quit_pending = false;
  g_quit_code = 0;
}

}  // namespace platform::user32
