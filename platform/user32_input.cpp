// Input: host events turned into the window messages Windows would queue for them, the key state,
// the cursor and the input-method switch.
#include "platform/host.h"
#include "platform/instance_link.h"
#include "platform/user32.h"
#include "platform/user32_internal.h"

namespace {

using platform::CurrentHost;
using platform::HostEvent;
using namespace platform::user32;

// --- Input state kept by the queue ---
bool g_key_down[256] = {};
bool g_left_down = false;
bool g_right_down = false;

// --- Cursor and IME ---
char g_arrow_marker;
const HCURSOR kArrowCursor = reinterpret_cast<HCURSOR>(&g_arrow_marker);
int g_cursor_count = 0;            // ShowCursor's display counter
HCURSOR g_cursor = kArrowCursor;   // the shape; null shows no cursor
bool g_host_cursor_visible = true;
bool g_ime_enabled = true;

void UpdateHostCursor() {
  const bool visible = g_cursor_count >= 0 && g_cursor != nullptr;
  if (visible != g_host_cursor_visible) {
    g_host_cursor_visible = visible;
    CurrentHost().ShowCursor(visible);
  }
}

WPARAM MouseKeyFlags() {
  WPARAM flags = 0;
  if (g_left_down) flags |= MK_LBUTTON;
  if (g_right_down) flags |= MK_RBUTTON;
  if (GetKeyState(VK_SHIFT) & 0x8000) flags |= MK_SHIFT;
  if (GetKeyState(VK_CONTROL) & 0x8000) flags |= MK_CONTROL;
  return flags;
}

void QueueInput(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  MSG m = MakeMessage(window, message, wParam, lParam);
  m.time = CurrentHost().Milliseconds();
  gInput.Push(m);
}

LPARAM KeyLParam(bool alt, bool wasDown, bool up) {
  WORD flags = 0;
  if (alt) flags |= KF_ALTDOWN;
  if (wasDown) flags |= KF_REPEAT;
  if (up) flags |= KF_UP;
  return static_cast<LPARAM>(static_cast<uint32_t>(1) | (static_cast<uint32_t>(flags) << 16));
}

// Turns one host event into the window messages Windows would queue for it.
void TranslateHostEvent(const HostEvent& e) {
  const HWND window = InputWindow();
  if (window == nullptr) return;
  WindowRecord* w = LocalRecord(window);
  switch (e.kind) {
    case HostEvent::KeyDown:
    case HostEvent::KeyUp: {
      const int vk = e.vk & 0xFF;
      if (vk == 0) return;
      // Alt combinations and F10 are system keys; so is Alt on its own.
      const bool system = e.alt || vk == VK_MENU || vk == VK_F10;
      if (e.kind == HostEvent::KeyDown) {
        const bool was_down = e.repeat || g_key_down[vk];
        g_key_down[vk] = true;
        QueueInput(window, system ? WM_SYSKEYDOWN : WM_KEYDOWN, static_cast<WPARAM>(vk),
                   KeyLParam(e.alt, was_down, false));
      } else {
        g_key_down[vk] = false;
        QueueInput(window, system ? WM_SYSKEYUP : WM_KEYUP, static_cast<WPARAM>(vk),
                   KeyLParam(e.alt, true, true));
      }
      return;
    }
    case HostEvent::MouseMove: {
      // The window hears of the pointer only while it is over the client area: the program never
      // captures the mouse, though a host may go on reporting a drag that left the window.
      const LONG width = w->client.right - w->client.left;
      const LONG height = w->client.bottom - w->client.top;
      if (e.x < 0 || e.y < 0 || e.x >= width || e.y >= height) return;
      QueueInput(window, WM_MOUSEMOVE, MouseKeyFlags(), PointLParam(e.x, e.y));
      return;
    }
    case HostEvent::ButtonDown:
    case HostEvent::ButtonDouble:
    case HostEvent::ButtonUp: {
      if (e.button != 1 && e.button != 2) return;
      const bool left = e.button == 1;
      const bool down = e.kind != HostEvent::ButtonUp;
      (left ? g_left_down : g_right_down) = down;
      UINT message;
      if (!down) {
        message = left ? WM_LBUTTONUP : WM_RBUTTONUP;
      } else if (e.kind == HostEvent::ButtonDouble && (w->cls->style & CS_DBLCLKS) != 0) {
        message = left ? WM_LBUTTONDBLCLK : WM_RBUTTONDBLCLK;
      } else {
        message = left ? WM_LBUTTONDOWN : WM_RBUTTONDOWN;
      }
      QueueInput(window, message, MouseKeyFlags(), PointLParam(e.x, e.y));
      return;
    }
    case HostEvent::Activate:
    case HostEvent::Deactivate: {
      const bool active = e.kind == HostEvent::Activate;
      if (active == gAppActive) return;
      gAppActive = active;
      QueueInput(window, WM_ACTIVATEAPP, active ? TRUE : FALSE, 0);
      return;
    }
    case HostEvent::CloseRequest:
      // The close button and the system menu's Close both arrive as the system command.
      QueueInput(window, WM_SYSCOMMAND, SC_CLOSE, 0);
      return;
    case HostEvent::WindowMoved: {
      const LONG width = w->client.right - w->client.left;
      const LONG height = w->client.bottom - w->client.top;
      w->client = RECT{e.x, e.y, e.x + width, e.y + height};
      QueueInput(window, WM_MOVE, 0, PointLParam(e.x, e.y));
      return;
    }
  }
}

}  // namespace

namespace platform::user32 {

LPARAM PointLParam(int x, int y) {
  return MAKELPARAM(static_cast<WORD>(x & 0xFFFF), static_cast<WORD>(y & 0xFFFF));
}

void PumpHostEvents() {
  HostEvent e;
  while (gInput.count + 2 <= kInputCapacity && CurrentHost().PollEvent(e)) TranslateHostEvent(e);
  TakeRaiseRequest();
}

bool TakeRaiseRequest() {
  if (!platform::LinkTakeRaiseRequest()) return false;
  SetForegroundWindow(InputWindow());
  return true;
}

void ResetInput() {
  for (bool& k : g_key_down) k = false;
  g_left_down = g_right_down = false;
  g_cursor_count = 0;
  g_cursor = kArrowCursor;
  g_host_cursor_visible = true;
  g_ime_enabled = true;
}

}  // namespace platform::user32

// --- Keyboard and cursor ---

SHORT GetKeyState(int virtualKey) {
  if (virtualKey <= 0 || virtualKey > 0xFF) return 0;
  platform::Host& host = CurrentHost();
  bool down;
  switch (virtualKey) {
    case VK_SHIFT:
      down = host.IsKeyDown(VK_SHIFT) || host.IsKeyDown(VK_LSHIFT) || host.IsKeyDown(VK_RSHIFT);
      break;
    case VK_CONTROL:
      down = host.IsKeyDown(VK_CONTROL) || host.IsKeyDown(VK_LCONTROL) ||
             host.IsKeyDown(VK_RCONTROL);
      break;
    case VK_MENU:
      down = host.IsKeyDown(VK_MENU) || host.IsKeyDown(VK_LMENU) || host.IsKeyDown(VK_RMENU);
      break;
    default:
      down = host.IsKeyDown(virtualKey);
      break;
  }
  return down ? static_cast<SHORT>(0xFF80) : SHORT{0};
}

HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name) {
  if (instance == nullptr && name == IDC_ARROW) return kArrowCursor;
  return nullptr;
}

HCURSOR SetCursor(HCURSOR cursor) {
  const HCURSOR previous = g_cursor;
  g_cursor = cursor;
  UpdateHostCursor();
  return previous;
}

int ShowCursor(BOOL show) {
  g_cursor_count += show ? 1 : -1;
  UpdateHostCursor();
  return g_cursor_count;
}

BOOL GetCursorPos(POINT* point) {
  if (point == nullptr) return FALSE;
  int x = 0, y = 0;
  CurrentHost().CursorPosition(x, y);
  point->x = x;
  point->y = y;
  return TRUE;
}

BOOL ClipCursor(const RECT* rect) {
  if (rect == nullptr) {
    CurrentHost().ConfineCursor(false, 0, 0, 0, 0);
  } else {
    CurrentHost().ConfineCursor(true, rect->left, rect->top, rect->right, rect->bottom);
  }
  return TRUE;
}

BOOL WINNLSEnableIME(HWND /*window*/, BOOL enable) {
  const BOOL previous = g_ime_enabled ? TRUE : FALSE;
  g_ime_enabled = enable != 0;
  return previous;
}

bool platform::ImeEnabled() { return g_ime_enabled; }
