// What the parts of the window stand-in share: the window and class records, the two message
// queues and the activation flag. user32_windows.cpp keeps the windows, user32_messages.cpp the
// queues, user32_input.cpp turns host input into messages and keeps the key and cursor state.
#pragma once

#include <mutex>
#include <string>

#include "platform/user32.h"

namespace platform::user32 {

struct ClassRecord {
  bool used = false;
  std::string name;
  UINT style = 0;
  WNDPROC proc = nullptr;
  HCURSOR cursor = nullptr;
  HICON icon = nullptr;
};

struct WindowRecord {
  bool used = false;    // written under gQueueMutex: other threads test it in PostMessageA
  bool remote = false;  // a window of another process, reached through the instance link
  int link = -1;        // remote: the open connection
  bool hostWindow = false;  // this window is the host's one window
  const ClassRecord* cls = nullptr;
  std::string title;
  DWORD style = 0;
  bool visible = false;
  RECT client{};  // screen coordinates
};

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

inline MSG MakeMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  MSG m{};
  m.hwnd = window;
  m.message = message;
  m.wParam = wParam;
  m.lParam = lParam;
  return m;
}

constexpr int kInputCapacity = 256;

// user32_messages.cpp
extern std::mutex gQueueMutex;  // guards the posted queue, the quit request, window liveness
extern MessageRing<kInputCapacity> gInput;  // messages made from host input; owner thread only
// True while a posted message or the quit request waits.
bool PostedMessagesPending();
// Drops every queued message addressed to `window`. The caller holds gQueueMutex.
void RemoveMessagesFor(HWND window);
// Forgets every queued message and the quit request. The caller holds gQueueMutex.
void ResetQueues();

// user32_windows.cpp
// Whether the program is the active application. Windows tells the window with WM_ACTIVATEAPP only
// when this changes.
extern bool gAppActive;
WindowRecord* Record(HWND h);
WindowRecord* LocalRecord(HWND h);  // null for another process's window
// The window that receives keyboard and mouse input: the host's window.
HWND InputWindow();
// Makes the program the active application, telling `window` with WM_ACTIVATEAPP if it was not.
void Activate(HWND window);

// user32_input.cpp
LPARAM PointLParam(int x, int y);
// Moves what the host has into the input queue, leaving room for the messages of one more event,
// then takes a second start's request to come to the front.
void PumpHostEvents();
// A second start of the program asked through the instance link for the window to come to the
// front: it is raised and made the active application. True when such a request came.
bool TakeRaiseRequest();
// Forgets the key, button, cursor and IME state.
void ResetInput();

}  // namespace platform::user32
