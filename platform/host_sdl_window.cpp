// SdlHost: clock, desktop, window, input, cursor, beep and process.
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <string>

#include "platform/host_sdl.h"
#include "platform/user32.h"

namespace platform {

namespace {

// Key state by virtual-key code, kept from the key events; the sided codes of Shift, Ctrl and Alt
// are kept and the generic codes answered from them.
bool g_keys[256] = {};

int KeycodeToVk(SDL_Keycode key, int* sided) {
  *sided = 0;
  if (key >= SDLK_a && key <= SDLK_z) return 'A' + (key - SDLK_a);
  if (key >= SDLK_0 && key <= SDLK_9) return '0' + (key - SDLK_0);
  if (key >= SDLK_F1 && key <= SDLK_F12) return VK_F1 + (key - SDLK_F1);
  if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return VK_NUMPAD0 + 1 + (key - SDLK_KP_1);
  switch (key) {
    case SDLK_RETURN: case SDLK_KP_ENTER: return VK_RETURN;
    case SDLK_ESCAPE: return VK_ESCAPE;
    case SDLK_BACKSPACE: return VK_BACK;
    case SDLK_TAB: return VK_TAB;
    case SDLK_SPACE: return VK_SPACE;
    case SDLK_LEFT: return VK_LEFT;
    case SDLK_RIGHT: return VK_RIGHT;
    case SDLK_UP: return VK_UP;
    case SDLK_DOWN: return VK_DOWN;
    case SDLK_LSHIFT: *sided = VK_LSHIFT; return VK_SHIFT;
    case SDLK_RSHIFT: *sided = VK_RSHIFT; return VK_SHIFT;
    case SDLK_LCTRL: *sided = VK_LCONTROL; return VK_CONTROL;
    case SDLK_RCTRL: *sided = VK_RCONTROL; return VK_CONTROL;
    case SDLK_LALT: *sided = VK_LMENU; return VK_MENU;
    case SDLK_RALT: *sided = VK_RMENU; return VK_MENU;
    case SDLK_PAUSE: return VK_PAUSE;
    case SDLK_PRINTSCREEN: return VK_SNAPSHOT;
    case SDLK_INSERT: return VK_INSERT;
    case SDLK_DELETE: return VK_DELETE;
    case SDLK_HOME: return VK_HOME;
    case SDLK_END: return VK_END;
    case SDLK_PAGEUP: return VK_PRIOR;
    case SDLK_PAGEDOWN: return VK_NEXT;
    case SDLK_KP_0: return VK_NUMPAD0;
    case SDLK_KP_MULTIPLY: return VK_MULTIPLY;
    case SDLK_KP_PLUS: return VK_ADD;
    case SDLK_KP_MINUS: return VK_SUBTRACT;
    case SDLK_KP_PERIOD: return VK_DECIMAL;
    case SDLK_KP_DIVIDE: return VK_DIVIDE;
    case SDLK_SEMICOLON: return VK_OEM_1;
    case SDLK_EQUALS: return VK_OEM_PLUS;
    case SDLK_COMMA: return VK_OEM_COMMA;
    case SDLK_MINUS: return VK_OEM_MINUS;
    case SDLK_PERIOD: return VK_OEM_PERIOD;
    case SDLK_SLASH: return VK_OEM_2;
    case SDLK_BACKQUOTE: return VK_OEM_3;
    case SDLK_LEFTBRACKET: return VK_OEM_4;
    case SDLK_BACKSLASH: return VK_OEM_5;
    case SDLK_RIGHTBRACKET: return VK_OEM_6;
    case SDLK_QUOTE: return VK_OEM_7;
    default: return 0;
  }
}

int SdlButton(uint8_t button) {
  if (button == SDL_BUTTON_LEFT) return 1;
  if (button == SDL_BUTTON_RIGHT) return 2;
  return 0;
}

// SDL's video drivers that show the player a picture, in SDL's order of preference, as a list
// for SDL_VIDEODRIVER: all but those that draw into nothing (offscreen, dummy and its evdev
// variant), which SDL would otherwise fall back on where no display can be opened. Wayland's
// library finds its compositor through one of three variables; without any of them it cannot, and
// trying would only add its own complaint to the program's one line.
std::string DisplayDrivers() {
  const bool wayland_reachable = getenv("WAYLAND_DISPLAY") != nullptr ||
                                 getenv("WAYLAND_SOCKET") != nullptr ||
                                 getenv("XDG_RUNTIME_DIR") != nullptr;
  std::string list;
  for (int i = 0; i < SDL_GetNumVideoDrivers(); ++i) {
    const std::string name = SDL_GetVideoDriver(i);
    if (name == "offscreen" || name == "dummy" || name == "evdev") continue;
    if (name == "wayland" && !wayland_reachable) continue;
    if (!list.empty()) list += ',';
    list += name;
  }
  return list;
}

}  // namespace

SdlHost::SdlHost(const char* argv0) : argv0_(argv0 != nullptr ? argv0 : "") {
  // A game window must not minimise itself when another window takes the focus, and closing it is
  // the window's close request, not a quit of its own.
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  if (SDL_Init(SDL_INIT_EVENTS) != 0) {
    display_failure_ = SDL_GetError();
    return;
  }
  WatchQuitSignals();
  // Unless a driver is named (the tests name the dummy one), only a display a person sees will do:
  // where none can be opened, the window cannot be made, rather than running unseen.
  const char* named = SDL_GetHint(SDL_HINT_VIDEODRIVER);
  if (named == nullptr || named[0] == '\0') {
    SDL_SetHint(SDL_HINT_VIDEODRIVER, DisplayDrivers().c_str());
  }
  // Started apart from the events, so that SDL's reason for a failure is not replaced by another.
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    display_failure_ = SDL_GetError();
    return;
  }
  // No text input: the input-method editor stays off.
  SDL_StopTextInput();
  for (bool& k : g_keys) k = false;
}

SdlHost::~SdlHost() {
  if (window_ != nullptr) CloseWindow();
  if (audio_device_ != 0) CloseAudio();
  StopWatchingQuitSignals();
  SDL_Quit();
}

uint32_t SdlHost::Milliseconds() {
  timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  const uint64_t ms = static_cast<uint64_t>(ts.tv_sec) * 1000u + static_cast<uint64_t>(ts.tv_nsec) / 1000000u;
  return static_cast<uint32_t>(ms);
}

int64_t SdlHost::WallSeconds() { return static_cast<int64_t>(time(nullptr)); }

uint32_t SdlHost::TickMilliseconds() { return Milliseconds(); }
int64_t SdlHost::CounterFrequency() { return static_cast<int64_t>(SDL_GetPerformanceFrequency()); }
int64_t SdlHost::CounterValue() { return static_cast<int64_t>(SDL_GetPerformanceCounter()); }
// Linux timers are finer than a millisecond: every period from 1 ms up is offered.
unsigned SdlHost::TimerPeriodMin() { return 1; }

int SdlHost::DesktopWidth() {
  if (mode_set_) return mode_w_;
  SDL_DisplayMode mode;
  return SDL_GetDesktopDisplayMode(0, &mode) == 0 ? mode.w : 1280;
}

int SdlHost::DesktopHeight() {
  if (mode_set_) return mode_h_;
  SDL_DisplayMode mode;
  return SDL_GetDesktopDisplayMode(0, &mode) == 0 ? mode.h : 1024;
}

// The emulated desktop runs in the 16-bit colour depth the game was made for; presentation
// converts to whatever the real display uses.
PixelLayout SdlHost::DesktopLayout() { return PixelLayout::Rgb565; }

bool SdlHost::OpenWindow(const std::string& title, int x, int y, int w, int h, bool fullscreen,
                         bool visible) {
  if (window_ != nullptr) return false;
  if (!display_failure_.empty()) {
    window_failure_ = display_failure_;
    return false;
  }
  Uint32 flags = visible ? SDL_WINDOW_SHOWN : SDL_WINDOW_HIDDEN;
  if (fullscreen) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
  window_ = SDL_CreateWindow(title.c_str(), x, y, w, h, flags);
  if (window_ == nullptr) {
    window_failure_ = SDL_GetError();
    return false;
  }
  fullscreen_ = fullscreen;
  client_w_ = w;
  client_h_ = h;
  return true;
}

void SdlHost::ShowWindow(bool visible) {
  if (window_ == nullptr) return;
  if (visible) {
    SDL_ShowWindow(window_);
  } else {
    SDL_HideWindow(window_);
  }
}

void SdlHost::RaiseWindow() {
  if (window_ == nullptr) return;
  if ((SDL_GetWindowFlags(window_) & SDL_WINDOW_MINIMIZED) != 0) SDL_RestoreWindow(window_);
  SDL_ShowWindow(window_);
  SDL_RaiseWindow(window_);
}

void SdlHost::MinimizeWindow() {
  if (window_ != nullptr) SDL_MinimizeWindow(window_);
}

void SdlHost::CloseWindow() {
  if (window_ == nullptr) return;
  ReleaseDisplay();
  SDL_DestroyWindow(window_);
  window_ = nullptr;
  pending_.clear();
}

bool SdlHost::TranslateEvent(const SDL_Event& e) {
  HostEvent out;
  switch (e.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      int sided = 0;
      const int vk = KeycodeToVk(e.key.keysym.sym, &sided);
      if (vk == 0) return false;
      const bool down = e.type == SDL_KEYDOWN;
      g_keys[sided != 0 ? sided : vk] = down;
      out.kind = down ? HostEvent::KeyDown : HostEvent::KeyUp;
      out.vk = vk;
      out.repeat = down && e.key.repeat != 0;
      out.alt = (e.key.keysym.mod & KMOD_ALT) != 0;
      break;
    }
    case SDL_MOUSEMOTION:
      out.kind = HostEvent::MouseMove;
      out.x = e.motion.x;
      out.y = e.motion.y;
      WindowToPicture(out.x, out.y);
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      out.button = SdlButton(e.button.button);
      if (out.button == 0) return false;
      const bool down = e.type == SDL_MOUSEBUTTONDOWN;
      g_keys[out.button == 1 ? VK_LBUTTON : VK_RBUTTON] = down;
      // SDL counts the clicks of a series; every second one is a double click, as on Windows.
      if (!down) {
        out.kind = HostEvent::ButtonUp;
      } else {
        out.kind = e.button.clicks % 2 == 0 ? HostEvent::ButtonDouble : HostEvent::ButtonDown;
      }
      out.x = e.button.x;
      out.y = e.button.y;
      WindowToPicture(out.x, out.y);
      break;
    }
    case SDL_WINDOWEVENT:
      switch (e.window.event) {
        case SDL_WINDOWEVENT_FOCUS_GAINED: out.kind = HostEvent::Activate; break;
        case SDL_WINDOWEVENT_FOCUS_LOST: out.kind = HostEvent::Deactivate; break;
        case SDL_WINDOWEVENT_CLOSE: out.kind = HostEvent::CloseRequest; break;
        case SDL_WINDOWEVENT_MOVED:
          out.kind = HostEvent::WindowMoved;
          out.x = e.window.data1;
          out.y = e.window.data2;
          break;
        default: return false;
      }
      break;
    case SDL_QUIT:
      // The session asks the program to end (SIGTERM, logout): as the close button does.
      out.kind = HostEvent::CloseRequest;
      break;
    default:
      return false;
  }
  pending_.push_back(out);
  return true;
}

bool SdlHost::PollEvent(HostEvent& event) {
  if (pending_.empty()) {
    SDL_Event e;
    while (pending_.empty() && SDL_PollEvent(&e) != 0) TranslateEvent(e);
  }
  if (pending_.empty()) return false;
  event = pending_.front();
  pending_.pop_front();
  return true;
}

bool SdlHost::WaitEvent(unsigned timeoutMs) {
  // An SDL event that makes no host event (a key without a code) ends the wait early; the caller
  // waits again.
  if (pending_.empty()) {
    SDL_Event e;
    if (SDL_WaitEventTimeout(&e, static_cast<int>(timeoutMs)) != 0) TranslateEvent(e);
  }
  return !pending_.empty();
}

bool SdlHost::IsKeyDown(int vk) {
  switch (vk) {
    case VK_SHIFT: return g_keys[VK_LSHIFT] || g_keys[VK_RSHIFT];
    case VK_CONTROL: return g_keys[VK_LCONTROL] || g_keys[VK_RCONTROL];
    case VK_MENU: return g_keys[VK_LMENU] || g_keys[VK_RMENU];
    default: return vk > 0 && vk < 256 && g_keys[vk];
  }
}

void SdlHost::CursorPosition(int& x, int& y) {
  SDL_GetGlobalMouseState(&x, &y);
  if (PictureScaled()) {
    // Full screen: the game's screen is the picture, wherever it lies on the display.
    int wx = 0, wy = 0;
    SDL_GetWindowPosition(window_, &wx, &wy);
    x -= wx;
    y -= wy;
    WindowToPicture(x, y);
  }
}

void SdlHost::ShowCursor(bool visible) { SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE); }

void SdlHost::ConfineCursor(bool on, int left, int top, int right, int bottom) {
  if (window_ == nullptr) return;
  if (!on) {
    SDL_SetWindowMouseRect(window_, nullptr);
    return;
  }
  if (PictureScaled()) {
    // Full screen: the rectangle is in picture pixels; the picture may be scaled on the window.
    const int l = PictureToWindowX(left), t = PictureToWindowY(top);
    const SDL_Rect r{l, t, std::max(1, PictureToWindowX(right) - l), std::max(1, PictureToWindowY(bottom) - t)};
    SDL_SetWindowMouseRect(window_, &r);
    return;
  }
  // The rectangle comes in screen coordinates; SDL wants it relative to the window.
  int wx = 0, wy = 0;
  SDL_GetWindowPosition(window_, &wx, &wy);
  const SDL_Rect r{left - wx, top - wy, right - left, bottom - top};
  SDL_SetWindowMouseRect(window_, &r);
}

// SDL has no system sound to play; the message box that follows is the signal.
void SdlHost::Beep() {}

std::string SdlHost::ModulePath() { return RunningProgramPath(argv0_); }

}  // namespace platform
