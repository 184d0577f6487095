// A host with no display and no sound card, for tests and deterministic runs.
//
// The clock moves only when told to: by AdvanceMs, or by WaitVerticalBlank, which moves it to the next
// 1/60 s boundary. The same script of injected input therefore gives the same frames on every run.
// Every field is public: tests set the switches (faults, desktop layout, module path) and read what
// the program did (message boxes, presented frames, cursor calls, MCI commands, effects played).
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/host.h"

namespace platform {

inline constexpr int kMciLogSize = 256;
inline constexpr int kMciLogLength = 320;
inline constexpr int kSoundPlayLogSize = 4096;

class HeadlessHost : public Host {
 public:
  HeadlessHost();

  // --- Clock ---
  uint64_t clock_ms = 100000;         // monotonic game clock; Milliseconds() returns its low 32 bits
  int64_t wall_seconds_at_zero = 1800000000;  // WallSeconds() = this + clock_ms / 1000
  void AdvanceMs(uint64_t ms) { clock_ms += ms; }
  // GetTickCount reads the same clock moved by this many ms (another clock, another origin).
  uint32_t tick_count_offset = 0;
  // The high-resolution counter: counter_frequency counts per second of clock_ms, from 0 at clock 0;
  // false: the machine has none (QueryPerformanceFrequency fails).
  bool high_resolution_counter = true;
  int64_t counter_frequency = 1000000;
  int64_t counter_offset = 0;  // added to the counter, to step it by single counts
  // The shortest system timer period the machine offers (timeGetDevCaps).
  unsigned timer_period_min = 1;

  // --- Desktop ---
  int desktop_width = 1280;
  int desktop_height = 1024;
  PixelLayout desktop_layout = PixelLayout::Rgb565;

  // --- Window ---
  bool window_open = false;
  bool window_visible = false;
  std::vector<uint8_t> window_icon;  // the .BMP bytes given to the window, empty for none
  bool window_fullscreen = false;
  bool window_closed = false;
  std::string window_title;
  int window_x = 0, window_y = 0, window_w = 0, window_h = 0;
  int raise_count = 0;
  int minimize_count = 0;

  // --- Input ---
  std::deque<HostEvent> events;
  bool keys_down[256] = {};
  int cursor_x = 0, cursor_y = 0;  // screen coordinates
  bool cursor_visible = true;
  int show_cursor_calls = 0;
  bool cursor_confined = false;
  int confine_left = 0, confine_top = 0, confine_right = 0, confine_bottom = 0;
  // Called when the program waits in WaitEvent with nothing queued; a test may queue events or
  // post messages here. A wait in which it queued no event ends as if its time had run out, and the
  // program may wait again. Without it WaitEvent returns at once as if woken, so a headless program
  // never hangs.
  std::function<void()> on_wait_event;
  int idle_waits = 0;
  int64_t idle_wait_until = 0;

  // Convenience for tests: key state and the matching event together.
  void PressKey(int vk, bool alt = false);
  void RepeatKey(int vk, bool alt = false);
  void ReleaseKey(int vk, bool alt = false);
  void Inject(const HostEvent& e) { events.push_back(e); }
  // A pointer event (a move, a button, an activation) at (x, y) in client coordinates.
  void InjectPointer(HostEvent::Kind kind, int x, int y, int button = 0);

  // --- Message boxes ---
  std::vector<std::string> box_texts;
  std::vector<std::string> box_captions;
  std::vector<unsigned> box_styles;
  int beep_count = 0;

  // --- Process ---
  std::string module_path = "/opt/morventica/morventica";

  // --- Display ---
  bool refuse_display_mode = false;
  bool display_mode_set = false;
  int mode_width = 0, mode_height = 0, mode_bpp = 0;
  int vblank_waits = 0;
  int present_count = 0;
  // Copy of the last presented picture, rows packed (pitch = width x bytes per pixel).
  std::vector<uint8_t> last_frame;
  int last_frame_width = 0, last_frame_height = 0;
  PixelLayout last_frame_layout = PixelLayout::Rgb565;
  // Pixel of the last presented frame as 0x00RRGGBB (each channel widened to 8 bits).
  uint32_t FramePixelRgb(int x, int y) const;

  // --- Audio ---
  bool audio_device_present = true;  // false: OpenAudio fails, the game runs silent
  bool audio_open = false;
  int audio_rate = 0;
  int audio_lock_depth = 0;
  // Pulls `frames` stereo frames from the program's mixer, as the sound card would.
  std::vector<int16_t> RenderAudio(int frames);

  // --- Host ---
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
  void SetWindowIcon(const std::vector<uint8_t>& bmp) override { window_icon = bmp; }
  void ShowWindow(bool visible) override;
  void RaiseWindow() override;
  void MinimizeWindow() override;
  void CloseWindow() override;
  bool PollEvent(HostEvent& event) override;
  bool WaitEvent(unsigned timeoutMs) override;
  // Counts the waits and keeps the last counter value asked for; returns at once (the clock moves
  // only when told to).
  void WaitEventUntil(int64_t counter) override {
    ++idle_waits;
    idle_wait_until = counter;
  }
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

  // --- Records, bounded so that keeping them never allocates: past the size only the count
  // grows, and longer commands are cut ---
  struct MciCommandLog {
    char commands[kMciLogSize][kMciLogLength] = {};
    int count = 0;
  };
  MciCommandLog mci_log;  // every MCI command string, in order
  struct SoundPlayLog {
    const void* buffers[kSoundPlayLogSize] = {};
    int count = 0;
  };
  SoundPlayLog sound_log;  // every Play of a secondary buffer, in order
  int refused_source_rects = 0;
  void NoteMciCommand(const char* command) override;
  void NoteSoundPlay(const void* buffer) override;
  void NoteRefusedSourceRect() override { ++refused_source_rects; }

 private:
  AudioPullFn pull_ = nullptr;
  void* pull_user_ = nullptr;
};

}  // namespace platform
