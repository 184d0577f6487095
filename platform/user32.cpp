#include "platform/user32.h"

#include <strings.h>

#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

#include "platform/host.h"
#include "platform/idle_wait.h"
#include "platform/instance_link.h"
#include "platform/kernel32.h"

namespace {

using platform::CurrentHost;
using platform::HostEvent;

constexpr int kInputCapacity = 256;

// --- Classes and windows ---

constexpr int kMaxClasses = 8;
constexpr int kMaxWindows = 8;
constexpr ATOM kFirstAtom = 0xC000;

struct ClassRecord {
  bool used = false;
  std::string name;
  UINT style = 0;
  WNDPROC proc = nullptr;
  HCURSOR cursor = nullptr;
  HICON icon = nullptr;
};
ClassRecord g_classes[kMaxClasses];

// An icon is the program's icon resource of that name (RT_GROUP_ICON, a whole .BMP file), kept
// for the program's life; asked for again, the same handle. The predefined icons (IDI_*) have no
// picture here: the window then keeps the desktop's default.
struct IconRecord {
  std::string name;
  std::vector<uint8_t> bmp;
};
IconRecord g_icons[4];

const IconRecord* FindIcon(HICON icon) {
  for (const IconRecord& r : g_icons) {
    if (icon == reinterpret_cast<HICON>(const_cast<IconRecord*>(&r)) && !r.bmp.empty()) return &r;
  }
  return nullptr;
}

struct WindowRecord {
  bool used = false;    // written under g_queue_mutex: other threads test it in PostMessageA
  bool remote = false;  // a window of another process, reached through the instance link
  int link = -1;        // remote: the open connection
  bool hostWindow = false;  // this window is the host's one window
  const ClassRecord* cls = nullptr;
  std::string title;
  DWORD style = 0;
  bool visible = false;
  RECT client{};  // screen coordinates
};
WindowRecord g_windows[kMaxWindows];

// --- Queues ---

template <int N>
struct MessageRing {
  MSG items[N];
  int head = 0;
  int count = 0;
  bool Full() const { return count == N; }
  void Push(const MSG& m) {
    items[(head + count) % N] = m;
    ++count;
  }
  MSG& At(int i) { return items[(head + i) % N]; }
  // Removes entry i, keeping the order of the others.
  void RemoveAt(int i) {
    for (int k = i; k > 0; --k) At(k) = At(k - 1);
    head = (head + 1) % N;
    --count;
  }
  // Removes every entry addressed to `window`.
  void RemoveFor(HWND window) {
    for (int i = 0; i < count;) {
      if (At(i).hwnd == window) {
        RemoveAt(i);
      } else {
        ++i;
      }
    }
  }
  void Clear() { head = count = 0; }
};

std::mutex g_queue_mutex;              // guards the posted queue, the quit request, window liveness
MessageRing<1024> g_posted;
bool g_quit_pending = false;
int g_quit_code = 0;
MessageRing<kInputCapacity> g_input;              // messages made from host input; owner thread only

// --- Input state kept by the queue ---
bool g_key_down[256] = {};
bool g_left_down = false;
bool g_right_down = false;

// --- Cursor and IME ---
char g_arrow_marker;
char g_system_icon_marker;
char g_brush_marker;
const HCURSOR kArrowCursor = reinterpret_cast<HCURSOR>(&g_arrow_marker);
int g_cursor_count = 0;            // ShowCursor's display counter
HCURSOR g_cursor = kArrowCursor;   // the shape; null shows no cursor
bool g_host_cursor_visible = true;
bool g_ime_enabled = true;

// Whether the program is the active application. Windows tells the window with WM_ACTIVATEAPP only
// when this changes.
bool g_app_active = false;

WindowRecord* Record(HWND h) {
  for (WindowRecord& w : g_windows) {
    if (w.used && reinterpret_cast<HWND>(&w) == h) return &w;
  }
  return nullptr;
}

WindowRecord* LocalRecord(HWND h) {
  WindowRecord* w = Record(h);
  return w != nullptr && !w->remote ? w : nullptr;
}

HWND Handle(WindowRecord* w) { return reinterpret_cast<HWND>(w); }

// The window that receives keyboard and mouse input: the host's window.
HWND InputWindow() {
  for (WindowRecord& w : g_windows) {
    if (w.used && w.hostWindow) return Handle(&w);
  }
  return nullptr;
}

bool IEquals(const std::string& a, const char* b) {
  size_t i = 0;
  for (; b[i] != '\0'; ++i) {
    if (i >= a.size()) return false;
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
    if (x != y) return false;
  }
  return i == a.size();
}

const ClassRecord* FindClass(LPCSTR name) {
  if (name == nullptr) return nullptr;
  for (const ClassRecord& c : g_classes) {
    if (c.used && IEquals(c.name, name)) return &c;
  }
  return nullptr;
}

void UpdateHostCursor() {
  const bool visible = g_cursor_count >= 0 && g_cursor != nullptr;
  if (visible != g_host_cursor_visible) {
    g_host_cursor_visible = visible;
    CurrentHost().ShowCursor(visible);
  }
}

bool Matches(const MSG& m, HWND window, UINT lo, UINT hi) {
  if (window != nullptr && m.hwnd != window) return false;
  if (lo == 0 && hi == 0) return true;
  return m.message >= lo && m.message <= hi;
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
  MSG m{};
  m.hwnd = window;
  m.message = message;
  m.wParam = wParam;
  m.lParam = lParam;
  m.time = CurrentHost().Milliseconds();
  g_input.Push(m);
}

LPARAM KeyLParam(bool alt, bool wasDown, bool up) {
  WORD flags = 0;
  if (alt) flags |= KF_ALTDOWN;
  if (wasDown) flags |= KF_REPEAT;
  if (up) flags |= KF_UP;
  return static_cast<LPARAM>(static_cast<uint32_t>(1) | (static_cast<uint32_t>(flags) << 16));
}

LPARAM PointLParam(int x, int y) {
  return MAKELPARAM(static_cast<WORD>(x & 0xFFFF), static_cast<WORD>(y & 0xFFFF));
}

// Turns one host event into the window messages Windows would queue for it.
void TranslateHostEvent(const HostEvent& e) {
  const HWND window = InputWindow();
  if (e.kind == HostEvent::RaiseRequest) {
    SetForegroundWindow(window);
    return;
  }
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
      if (active == g_app_active) return;
      g_app_active = active;
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
    case HostEvent::RaiseRequest:
      return;
  }
}

// Moves what the host has into the input queue, leaving room for the messages of one more event.
void PumpHostEvents() {
  HostEvent e;
  while (g_input.count + 2 <= kInputCapacity && CurrentHost().PollEvent(e)) TranslateHostEvent(e);
}

bool IsMouseMessage(UINT message) { return message >= WM_MOUSEMOVE && message <= WM_RBUTTONDBLCLK; }

}  // namespace

// --- Message queue ---

BOOL PeekMessageA(MSG* msg, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags) {
  const bool remove = (removeFlags & PM_REMOVE) != 0;
  {
    std::lock_guard<std::mutex> lock(g_queue_mutex);
    for (int i = 0; i < g_posted.count; ++i) {
      if (!Matches(g_posted.At(i), window, filterMin, filterMax)) continue;
      *msg = g_posted.At(i);
      if (remove) g_posted.RemoveAt(i);
      return TRUE;
    }
  }
  PumpHostEvents();
  for (int i = 0; i < g_input.count; ++i) {
    if (!Matches(g_input.At(i), window, filterMin, filterMax)) continue;
    *msg = g_input.At(i);
    if (remove) {
      g_input.RemoveAt(i);
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
    std::lock_guard<std::mutex> lock(g_queue_mutex);
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
  std::lock_guard<std::mutex> lock(g_queue_mutex);
  if (window != nullptr && LocalRecord(window) == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  if (g_posted.Full()) {
    SetLastError(ERROR_NOT_ENOUGH_QUOTA);
    return FALSE;
  }
  MSG m{};
  m.hwnd = window;
  m.message = message;
  m.wParam = wParam;
  m.lParam = lParam;
  g_posted.Push(m);
  return TRUE;
}

void PostQuitMessage(int exitCode) {
  std::lock_guard<std::mutex> lock(g_queue_mutex);
  g_quit_pending = true;
  g_quit_code = exitCode;
}

BOOL WaitMessage() {
  if (platform::PostedMessagesPending() || g_input.count > 0) return TRUE;
  CurrentHost().WaitEvent();
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
          if (g_app_active) {
            g_app_active = false;
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

// --- Classes and windows ---

ATOM RegisterClassA(const WNDCLASSA* windowClass) {
  if (windowClass == nullptr || windowClass->lpszClassName == nullptr ||
      IS_INTRESOURCE(windowClass->lpszClassName)) {
    return 0;
  }
  if (FindClass(windowClass->lpszClassName) != nullptr) {
    SetLastError(ERROR_CLASS_ALREADY_EXISTS);
    return 0;
  }
  for (int i = 0; i < kMaxClasses; ++i) {
    ClassRecord& c = g_classes[i];
    if (c.used) continue;
    c.used = true;
    c.name = windowClass->lpszClassName;
    c.style = windowClass->style;
    c.proc = windowClass->lpfnWndProc;
    c.cursor = windowClass->hCursor;
    c.icon = windowClass->hIcon;
    return static_cast<ATOM>(kFirstAtom + i);
  }
  return 0;
}

HWND CreateWindowExA(DWORD /*exStyle*/, LPCSTR className, LPCSTR title, DWORD style, int x, int y,
                     int width, int height, HWND /*parent*/, HMENU /*menu*/, HINSTANCE /*instance*/,
                     LPVOID /*param*/) {
  const ClassRecord* cls = FindClass(className);
  if (cls == nullptr) {
    SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
    return nullptr;
  }
  WindowRecord* w = nullptr;
  for (WindowRecord& r : g_windows) {
    if (!r.used) {
      w = &r;
      break;
    }
  }
  if (w == nullptr) return nullptr;
  if (x == CW_USEDEFAULT) x = y = 0;
  if (width == CW_USEDEFAULT) width = height = 0;

  // A captioned window's frame is exactly its border, edge and dialog frame (split evenly between
  // the two sides) and, on top, the caption; the rest is the client area.
  int left = 0, top = 0, right = 0, bottom = 0;
  if ((style & WS_CAPTION) == WS_CAPTION) {
    const int frame_x = GetSystemMetrics(SM_CXBORDER) + GetSystemMetrics(SM_CXEDGE) +
                        GetSystemMetrics(SM_CXDLGFRAME);
    const int frame_y = GetSystemMetrics(SM_CYBORDER) + GetSystemMetrics(SM_CYEDGE) +
                        GetSystemMetrics(SM_CYDLGFRAME);
    left = frame_x / 2;
    right = frame_x - left;
    top = GetSystemMetrics(SM_CYCAPTION) + frame_y / 2;
    bottom = frame_y - frame_y / 2;
  }
  const int client_x = x + left;
  const int client_y = y + top;
  const int client_w = width - left - right > 0 ? width - left - right : 0;
  const int client_h = height - top - bottom > 0 ? height - top - bottom : 0;
  const bool visible = (style & WS_VISIBLE) != 0;
  const bool fullscreen = (style & WS_POPUP) != 0 && x <= 0 && y <= 0 &&
                          client_w >= GetSystemMetrics(SM_CXSCREEN) &&
                          client_h >= GetSystemMetrics(SM_CYSCREEN);

  // The host has one window: the first top-level window of the program is it.
  const bool host_window = InputWindow() == nullptr;
  const std::string name = title != nullptr ? title : "";
  if (host_window &&
      !CurrentHost().OpenWindow(name, client_x, client_y, client_w, client_h, fullscreen, visible)) {
    return nullptr;
  }
  {
    std::lock_guard<std::mutex> lock(g_queue_mutex);
    *w = WindowRecord{};
    w->used = true;
  }
  w->hostWindow = host_window;
  w->cls = cls;
  w->title = name;
  w->style = style;
  w->visible = visible;
  w->client = RECT{client_x, client_y, client_x + client_w, client_y + client_h};
  if (host_window) {
    platform::LinkListen(cls->name, name);
    if (const IconRecord* icon = FindIcon(cls->icon)) CurrentHost().SetWindowIcon(icon->bmp);
  }

  const HWND h = Handle(w);
  SendMessageA(h, WM_MOVE, 0, PointLParam(client_x, client_y));
  return h;
}

BOOL DestroyWindow(HWND window) {
  WindowRecord* w = Record(window);
  if (w == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  if (w->remote) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  SendMessageA(window, WM_DESTROY, 0, 0);
  SendMessageA(window, WM_NCDESTROY, 0, 0);
  if (w->hostWindow) {
    CurrentHost().CloseWindow();
    platform::LinkStopListening();
    g_app_active = false;
  }
  std::lock_guard<std::mutex> lock(g_queue_mutex);
  g_posted.RemoveFor(window);
  g_input.RemoveFor(window);
  *w = WindowRecord{};
  return TRUE;
}

BOOL CloseWindow(HWND window) {
  WindowRecord* w = LocalRecord(window);
  if (w == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  if (w->hostWindow) CurrentHost().MinimizeWindow();
  return TRUE;
}

BOOL IsWindow(HWND window) { return Record(window) != nullptr ? TRUE : FALSE; }

BOOL ShowWindow(HWND window, int showCommand) {
  WindowRecord* w = LocalRecord(window);
  if (w == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  const BOOL was_visible = w->visible ? TRUE : FALSE;
  w->visible = showCommand != SW_HIDE;
  if (w->hostWindow) {
    CurrentHost().ShowWindow(w->visible);
    if (showCommand == SW_MINIMIZE || showCommand == SW_SHOWMINIMIZED ||
        showCommand == SW_SHOWMINNOACTIVE) {
      CurrentHost().MinimizeWindow();
    }
    // A started program is given the foreground: showing its window with a command that
    // activates makes it the active application.
    const bool activates = showCommand != SW_HIDE && showCommand != SW_SHOWNOACTIVATE &&
                           showCommand != SW_MINIMIZE && showCommand != SW_SHOWMINNOACTIVE &&
                           showCommand != SW_SHOWNA;
    if (activates && !g_app_active) {
      g_app_active = true;
      SendMessageA(window, WM_ACTIVATEAPP, TRUE, 0);
    }
  }
  return was_visible;
}

// The picture is presented by the display, never painted: there is nothing to update.
BOOL UpdateWindow(HWND window) { return LocalRecord(window) != nullptr ? TRUE : FALSE; }

// The host keeps its window where the window manager puts it and has no stacking order to set, so
// only the validity of the call is checked.
BOOL SetWindowPos(HWND window, HWND /*insertAfter*/, int /*x*/, int /*y*/, int /*cx*/, int /*cy*/,
                  UINT /*flags*/) {
  if (LocalRecord(window) == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  return TRUE;
}

BOOL GetClientRect(HWND window, RECT* rect) {
  const WindowRecord* w = LocalRecord(window);
  if (w == nullptr || rect == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  *rect = RECT{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
  return TRUE;
}

BOOL ClientToScreen(HWND window, POINT* point) {
  const WindowRecord* w = LocalRecord(window);
  if (w == nullptr || point == nullptr) return FALSE;
  point->x += w->client.left;
  point->y += w->client.top;
  return TRUE;
}

HWND FindWindowA(LPCSTR className, LPCSTR title) {
  for (WindowRecord& w : g_windows) {
    if (!w.used || w.remote) continue;
    if (className != nullptr && !IEquals(w.cls->name, className)) continue;
    if (title != nullptr && w.title != title) continue;
    return Handle(&w);
  }
  if (className == nullptr || title == nullptr) return nullptr;
  const int link = platform::LinkConnect(className, title);
  if (link < 0) return nullptr;
  for (WindowRecord& w : g_windows) {
    if (w.used) continue;
    {
      std::lock_guard<std::mutex> lock(g_queue_mutex);
      w = WindowRecord{};
      w.used = true;
      w.remote = true;
    }
    w.link = link;
    w.title = title;
    return Handle(&w);
  }
  platform::LinkClose(link);
  return nullptr;
}

BOOL SetForegroundWindow(HWND window) {
  WindowRecord* w = Record(window);
  if (w == nullptr) return FALSE;
  if (!w->remote) {
    if (w->hostWindow) CurrentHost().RaiseWindow();
    return TRUE;
  }
  // Another program's window: ask it to come forward. The handle is spent with the request.
  const bool sent = platform::LinkSendRaise(w->link);
  std::lock_guard<std::mutex> lock(g_queue_mutex);
  *w = WindowRecord{};
  return sent ? TRUE : FALSE;
}

int GetSystemMetrics(int index) {
  switch (index) {
    case SM_CXSCREEN: return CurrentHost().DesktopWidth();
    case SM_CYSCREEN: return CurrentHost().DesktopHeight();
    case SM_CYCAPTION: return 19;
    case SM_CXBORDER: return 1;
    case SM_CYBORDER: return 1;
    case SM_CXDLGFRAME: return 3;
    case SM_CYDLGFRAME: return 3;
    case SM_CXEDGE: return 2;
    case SM_CYEDGE: return 2;
    default: return 0;
  }
}

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

HICON LoadIconA(HINSTANCE /*instance*/, LPCSTR name) {
  if (name == nullptr) return nullptr;
  if (IS_INTRESOURCE(name)) return reinterpret_cast<HICON>(&g_system_icon_marker);
  const std::vector<uint8_t>* bytes = platform::FindResourceBytes(name, nullptr, RT_GROUP_ICON);
  if (bytes == nullptr || bytes->empty()) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  IconRecord* free_slot = nullptr;
  for (IconRecord& r : g_icons) {
    if (!r.bmp.empty() && strcasecmp(r.name.c_str(), name) == 0 && r.bmp == *bytes) return reinterpret_cast<HICON>(&r);
    if (r.bmp.empty() && free_slot == nullptr) free_slot = &r;
  }
  if (free_slot == nullptr) return nullptr;
  free_slot->name = name;
  free_slot->bmp = *bytes;
  return reinterpret_cast<HICON>(free_slot);
}

HGDIOBJ GetStockObject(int object) {
  return object == BLACK_BRUSH ? reinterpret_cast<HGDIOBJ>(&g_brush_marker) : nullptr;
}

// --- Message boxes ---

int MessageBoxA(HWND /*owner*/, LPCSTR text, LPCSTR caption, UINT type) {
  const char* t = text != nullptr ? text : "";
  const char* c = caption != nullptr ? caption : "Error";
  std::fprintf(stderr, "%s: %s\n", c, t);
  std::fflush(stderr);
  CurrentHost().MessageBox(t, c, type);
  return IDOK;
}

BOOL MessageBeep(UINT /*type*/) {
  CurrentHost().Beep();
  return TRUE;
}

BOOL WINNLSEnableIME(HWND /*window*/, BOOL enable) {
  const BOOL previous = g_ime_enabled ? TRUE : FALSE;
  g_ime_enabled = enable != 0;
  return previous;
}

namespace platform {

void ResetWindowing() {
  LinkStopListening();
  std::lock_guard<std::mutex> lock(g_queue_mutex);
  for (WindowRecord& w : g_windows) {
    if (w.remote) LinkClose(w.link);
    w = WindowRecord{};
  }
  for (ClassRecord& c : g_classes) c = ClassRecord{};
  for (IconRecord& i : g_icons) i = IconRecord{};
  g_posted.Clear();
  g_input.Clear();
  g_quit_pending = false;
  g_quit_code = 0;
  for (bool& k : g_key_down) k = false;
  g_left_down = g_right_down = false;
  g_cursor_count = 0;
  g_cursor = kArrowCursor;
  g_host_cursor_visible = true;
  g_ime_enabled = true;
  g_app_active = false;
}

bool PostedMessagesPending() {
  std::lock_guard<std::mutex> lock(g_queue_mutex);
  return g_posted.count > 0 || g_quit_pending;
}

bool ImeEnabled() { return g_ime_enabled; }

}  // namespace platform
