// The host for players: an SDL2 window, SDL's input events, presentation through an SDL texture,
// the SDL audio device and SDL's message box.
//
// The class is implemented in files by concern: host_sdl_window.cpp (window, input, clock,
// process), host_sdl_message_box.cpp (message box, and the system's request to end the program
// while it is up), host_sdl_display.cpp (display mode, vertical blank, presentation),
// host_sdl_fullscreen.cpp (where the picture lies on a full screen, the pointer mapped into it, the
// window icon), host_sdl_idle.cpp (the wait for a closed frame gate) and host_sdl_audio.cpp (audio
// device).
#pragma once

#include <SDL.h>

#include <string>

#include "platform/host.h"
#include "platform/idle_wait.h"
#include "platform/picture_scaler.h"

namespace platform {

class SdlHost : public Host {
 public:
  // `argv0` is the program's path as started, used for ModulePath when /proc is not readable.
  explicit SdlHost(const char* argv0);
  ~SdlHost() override;

  uint32_t Milliseconds() override;
  int64_t WallSeconds() override;
  uint32_t TickMilliseconds() override;
  int64_t CounterFrequency() override;
  int64_t CounterValue() override;
  unsigned TimerPeriodMin() override;
  int DesktopWidth() override;
  int DesktopHeight() override;
  PixelLayout DesktopLayout() override;
  bool OpenWindow(const std::string& title, int x, int y, int w, int h, bool fullscreen,
                  bool visible) override;
  void SetWindowIcon(const std::vector<uint8_t>& bmp) override;
  void ShowWindow(bool visible) override;
  void RaiseWindow() override;
  void MinimizeWindow() override;
  void CloseWindow() override;
  bool PollEvent(HostEvent& event) override;
  bool WaitEvent(unsigned timeoutMs) override;
  void WaitEventUntil(int64_t counter) override;  // host_sdl_idle.cpp
  bool IsKeyDown(int vk) override;
  void CursorPosition(int& x, int& y) override;
  void ShowCursor(bool visible) override;
  void ConfineCursor(bool on, int left, int top, int right, int bottom) override;
  void MessageBox(const std::string& text, const std::string& caption, unsigned style) override;
  void Beep() override;
  std::string ModulePath() override;
  bool SetDisplayMode(int width, int height, int bpp) override;
  void RestoreDisplayMode() override;
  void WaitVerticalBlank() override;
  void Present(const FrameView& frame) override;
  bool OpenAudio(int rate, AudioPullFn pull, void* user) override;
  void CloseAudio() override;
  void LockAudio() override;
  void UnlockAudio() override;

  SDL_Window* window() const { return window_; }
  // Why the window could not be opened, in SDL's words (no display could be opened, or SDL could
  // not make the window); empty while no opening failed. The program says it and ends unsuccessful.
  const std::string& WindowFailure() const { return window_failure_; }

  // Full screen: the picture's rectangle in window points, the whole window in the exact mode,
  // else scaled to fit with its aspect kept and centred between black bars.
  SDL_Rect PictureRect() const;

 private:
  // Window and input (host_sdl_window.cpp)
  std::string argv0_;
  std::string display_failure_;  // SDL's reason when its video could not be started
  std::string window_failure_;
  SDL_Window* window_ = nullptr;
  bool fullscreen_ = false;
  int client_w_ = 0, client_h_ = 0;
  // Translated events waiting for PollEvent: a fixed ring, so input never allocates. SDL's own
  // queue holds anything beyond it until the ring drains.
  struct EventRing {
    static constexpr int kCapacity = 64;
    HostEvent items[kCapacity];
    int head = 0;
    int count = 0;
    bool empty() const { return count == 0; }
    bool full() const { return count == kCapacity; }
    void clear() { head = count = 0; }
    void push_back(const HostEvent& e) {
      if (full()) return;
      items[(head + count) % kCapacity] = e;
      ++count;
    }
    const HostEvent& front() const { return items[head]; }
    void pop_front() {
      head = (head + 1) % kCapacity;
      --count;
    }
  };
  EventRing pending_;
  bool TranslateEvent(const SDL_Event& e);
  // The system's request to end the program (host_sdl_message_box.cpp): SIGTERM and SIGINT are
  // handled along with SDL's handlers from the start, so that a box up does not hold it up.
  static void WatchQuitSignals();
  static void StopWatchingQuitSignals();
  // Full screen (host_sdl_fullscreen.cpp): window points to picture pixels and back.
  bool PictureScaled() const;
  void WindowToPicture(int& x, int& y) const;
  int PictureToWindowX(int x) const;
  int PictureToWindowY(int y) const;

  // The wait for a counter value (host_sdl_idle.cpp): the descriptor on which input arrives, found
  // once per window (-1: none to watch, the wait sleeps in short slices instead).
  WakeMargin wake_margin_;
  SDL_Window* input_fd_window_ = nullptr;
  int input_fd_ = -1;
  int InputDescriptor();
  CounterWaitHost::SleepEnd SleepWatchingInput(int64_t ns);

  // Display (host_sdl_display.cpp)
  // Without graphics hardware the picture goes straight into the window's own surface through
  // our scaler; otherwise (or on a window surface that is not 32-bit) through an SDL renderer.
  enum class Presenter { Undecided, Renderer, WindowSurface };
  Presenter presenter_ = Presenter::Undecided;
  PictureScaler scaler_;
  SDL_Surface* scaled_into_ = nullptr;  // the window surface the black bars were drawn on
  int scaled_into_w_ = 0, scaled_into_h_ = 0;
  // Only the rows a frame changed go to the display; the whole window surface after the windowing
  // system lost some of the window's contents (set by an SDL event watch).
  bool exposed_ = false;
  bool watching_exposure_ = false;
  SDL_Rect PresentRect(const FrameView& frame, int out_w, int out_h) const;
  bool PresentToWindowSurface(const FrameView& frame);
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  int texture_w_ = 0, texture_h_ = 0;
  PixelLayout texture_layout_ = PixelLayout::Rgb565;
  bool mode_set_ = false;
  int mode_w_ = 0, mode_h_ = 0;
  uint64_t last_refresh_ns_ = 0;  // when the last refresh waited for came (CLOCK_MONOTONIC)
  void ReleaseDisplay();

  // Audio (host_sdl_audio.cpp)
  SDL_AudioDeviceID audio_device_ = 0;
  AudioPullFn pull_ = nullptr;
  void* pull_user_ = nullptr;
  static void AudioCallback(void* self, Uint8* stream, int len);
};

}  // namespace platform
