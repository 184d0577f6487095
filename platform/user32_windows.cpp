// Window classes, icons and windows: the program's one host window, and windows of another start
// of the program reached through the instance link.
#include <strings.h>

#include <mutex>
#include <string>
#include <vector>

#include "platform/host.h"
#include "platform/instance_link.h"
#include "platform/kernel32.h"
#include "platform/user32.h"
#include "platform/user32_internal.h"

namespace platform::user32 {

bool gAppActive = false;

}  // namespace platform::user32

namespace {

using platform::CurrentHost;
using namespace platform::user32;

constexpr int kMaxClasses = 8;
constexpr int kMaxWindows = 8;
constexpr ATOM kFirstAtom = 0xC000;

ClassRecord g_classes[kMaxClasses];

// An icon is the program's icon resource of that name (RT_GROUP_ICON, a whole .BMP file), kept
// for the program's life; asked for again, the same handle. The predefined icons (IDI_*) have no
// picture here: the window then keeps the desktop's default.
struct IconRecord {
  std::string name;
  std::vector<uint8_t> bmp;
};
IconRecord g_icons[4];

char g_system_icon_marker;
char g_brush_marker;

const IconRecord* FindIcon(HICON icon) {
  for (const IconRecord& r : g_icons) {
    if (icon == reinterpret_cast<HICON>(const_cast<IconRecord*>(&r)) && !r.bmp.empty()) return &r;
  }
  return nullptr;
}

WindowRecord g_windows[kMaxWindows];

HWND Handle(WindowRecord* w) { return reinterpret_cast<HWND>(w); }

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

// The program's own window, or null with ERROR_INVALID_WINDOW_HANDLE set.
WindowRecord* LocalRecordOrError(HWND h) {
  WindowRecord* w = LocalRecord(h);
  if (w == nullptr) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return w;
}

const ClassRecord* FindClass(LPCSTR name) {
  if (name == nullptr) return nullptr;
  for (const ClassRecord& c : g_classes) {
    if (c.used && IEquals(c.name, name)) return &c;
  }
  return nullptr;
}

}  // namespace

namespace platform::user32 {

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

HWND InputWindow() {
  for (WindowRecord& w : g_windows) {
    if (w.used && w.hostWindow) return Handle(&w);
  }
  return nullptr;
}

void Activate(HWND window) {
  if (gAppActive) return;
  gAppActive = true;
  SendMessageA(window, WM_ACTIVATEAPP, TRUE, 0);
}

}  // namespace platform::user32

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
    std::lock_guard<std::mutex> lock(gQueueMutex);
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
    gAppActive = false;
  }
  std::lock_guard<std::mutex> lock(gQueueMutex);
  RemoveMessagesFor(window);
  *w = WindowRecord{};
  return TRUE;
}

BOOL CloseWindow(HWND window) {
  WindowRecord* w = LocalRecordOrError(window);
  if (w == nullptr) return FALSE;
  if (w->hostWindow) CurrentHost().MinimizeWindow();
  return TRUE;
}

BOOL IsWindow(HWND window) { return Record(window) != nullptr ? TRUE : FALSE; }

BOOL ShowWindow(HWND window, int showCommand) {
  WindowRecord* w = LocalRecordOrError(window);
  if (w == nullptr) return FALSE;
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
    if (activates) Activate(window);
  }
  return was_visible;
}

// The picture is presented by the display, never painted: there is nothing to update.
BOOL UpdateWindow(HWND window) { return LocalRecord(window) != nullptr ? TRUE : FALSE; }

// The host keeps its window where the window manager puts it and has no stacking order to set, so
// only the validity of the call is checked.
BOOL SetWindowPos(HWND window, HWND /*insertAfter*/, int /*x*/, int /*y*/, int /*cx*/, int /*cy*/,
                  UINT /*flags*/) {
  if (LocalRecordOrError(window) == nullptr) return FALSE;
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
      std::lock_guard<std::mutex> lock(gQueueMutex);
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
    // Only a request: the window system brings the window forward and gives it the focus when it
    // will. The program becomes active when the focus comes (the host's Activate), in its turn
    // among the input that came before it, never ahead of a focus loss still waiting in the queue.
    if (w->hostWindow) CurrentHost().RaiseWindow();
    return TRUE;
  }
  // Another program's window: ask it to come forward. The handle is spent with the request.
  const bool sent = platform::LinkSendRaise(w->link);
  std::lock_guard<std::mutex> lock(gQueueMutex);
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

namespace platform {

void ResetWindowing() {
  LinkStopListening();
  {
    std::lock_guard<std::mutex> lock(user32::gQueueMutex);
    for (user32::WindowRecord& w : g_windows) {
      if (w.remote) LinkClose(w.link);
      w = user32::WindowRecord{};
    }
    for (user32::ClassRecord& c : g_classes) c = user32::ClassRecord{};
    for (IconRecord& i : g_icons) i = IconRecord{};
    user32::ResetQueues();
  }
  user32::ResetInput();
  user32::gAppActive = false;
}

}  // namespace platform
