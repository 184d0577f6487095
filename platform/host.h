// The one seam between the platform stand-in and the outside world.
//
// Everything that is computation (surfaces, blits, bitmap decoding, text, the sound mixer, the MIDI
// synthesizer, the message queue) lives in platform/ and is the same for every host. A host only
// supplies what the machine gives: a clock, the vertical blank, input, a place to show finished frames,
// an audio device, a message box and the module path. Two hosts exist: SdlHost for players and
// HeadlessHost for tests and deterministic runs, which also keeps the records tests read.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// Pixel layout of the emulated desktop; every surface made on it uses the same layout.
enum class PixelLayout { Rgb565, Rgb555, Xrgb8888 };

constexpr int BitsPerPixel(PixelLayout layout) {
  return layout == PixelLayout::Xrgb8888 ? 32 : 16;
}
constexpr int BytesPerPixel(PixelLayout layout) { return BitsPerPixel(layout) / 8; }
// The pixel stored at `p` as 0x00RRGGBB, each channel widened to 8 bits.
uint32_t PixelToRgb(const void* p, PixelLayout layout);

// One input happening, as the window stand-in needs it to build window messages.
struct HostEvent {
  enum Kind {
    KeyDown,       // vk, repeat, alt
    KeyUp,         // vk, alt
    MouseMove,     // x, y in client coordinates
    ButtonDown,    // button (1 left, 2 right), x, y
    ButtonUp,      // button, x, y
    ButtonDouble,  // button, x, y: second press of a double click
    Activate,      // the application became active
    Deactivate,    // the application lost the focus
    CloseRequest,  // the window's close button or the system menu
    WindowMoved,   // x, y: new screen position of the client area's top-left corner
  };
  Kind kind = KeyDown;
  int vk = 0;
  bool repeat = false;
  bool alt = false;
  int x = 0;
  int y = 0;
  int button = 0;
};

// A finished picture handed to the host: the primary surface's pixels.
struct FrameView {
  const void* pixels = nullptr;
  int pitch = 0;  // bytes per row
  int width = 0;
  int height = 0;
  PixelLayout layout = PixelLayout::Rgb565;
};

// Called from the audio device (possibly on another thread) to fill `frames` stereo frames of
// interleaved signed 16-bit samples at the rate given to OpenAudio.
using AudioPullFn = void (*)(void* user, int16_t* stereo, int frames);

class Host {
 public:
  virtual ~Host() = default;

  // --- Clock -------------------------------------------------------------------------------
  virtual uint32_t Milliseconds() = 0;  // the millisecond clock behind timeGetTime (wraps at 2^32)
  virtual int64_t WallSeconds() = 0;    // seconds since 1970, behind time(); seeds the random numbers
  virtual uint32_t TickMilliseconds() = 0;  // the millisecond clock behind GetTickCount (wraps)
  virtual int64_t CounterFrequency() = 0;   // counts per second of the high-resolution counter; 0: none
  virtual int64_t CounterValue() = 0;       // the high-resolution counter
  virtual unsigned TimerPeriodMin() = 0;    // the shortest system timer period offered, in ms

  // --- Desktop -----------------------------------------------------------------------------
  virtual int DesktopWidth() = 0;
  virtual int DesktopHeight() = 0;
  virtual PixelLayout DesktopLayout() = 0;

  // --- The one window ----------------------------------------------------------------------
  // Opens the window with a client area of w x h at screen position (x, y). `fullscreen` asks for a
  // borderless window covering the screen. `visible` false creates it hidden.
  virtual bool OpenWindow(const std::string& title, int x, int y, int w, int h, bool fullscreen,
                          bool visible) = 0;
  // The window's icon: a whole .BMP file (the window class's icon resource).
  virtual void SetWindowIcon(const std::vector<uint8_t>& bmp) = 0;
  virtual void ShowWindow(bool visible) = 0;
  virtual void RaiseWindow() = 0;     // bring to the front and give it the focus
  virtual void MinimizeWindow() = 0;
  virtual void CloseWindow() = 0;     // the window is gone; no more frames are shown

  // --- Input -------------------------------------------------------------------------------
  virtual bool PollEvent(HostEvent& event) = 0;  // false when nothing waits
  // Blocks until PollEvent would return true (true) or `timeoutMs` have passed (false).
  virtual bool WaitEvent(unsigned timeoutMs) = 0;
  // Blocks until PollEvent would return true or the high-resolution counter reaches `counter`,
  // whichever comes first. It waits at most one frame gate's period, so a message posted from
  // another thread meanwhile is taken on the loop's next pass.
  virtual void WaitEventUntil(int64_t counter) = 0;
  virtual bool IsKeyDown(int vk) = 0;            // the key's current state, by virtual-key code
  virtual void CursorPosition(int& x, int& y) = 0;  // screen coordinates
  virtual void ShowCursor(bool visible) = 0;
  virtual void ConfineCursor(bool on, int left, int top, int right, int bottom) = 0;

  // --- Message box and beep ----------------------------------------------------------------
  // Shows a modal message (UTF-8 text and caption) and returns when it is dismissed.
  virtual void MessageBox(const std::string& text, const std::string& caption, unsigned style) = 0;
  virtual void Beep() = 0;

  // --- Process -----------------------------------------------------------------------------
  virtual std::string ModulePath() = 0;  // full path of the running program

  // --- Display -----------------------------------------------------------------------------
  virtual bool SetDisplayMode(int width, int height, int bpp) = 0;  // false: the mode is refused
  virtual void RestoreDisplayMode() = 0;
  virtual void WaitVerticalBlank() = 0;  // until the next refresh of the display
  virtual void Present(const FrameView& frame) = 0;  // show the primary surface's picture

  // --- Audio -------------------------------------------------------------------------------
  // Opens the audio device at `rate` Hz, stereo 16-bit; `pull` is then called to fill it.
  // Returns false when there is no device (the game then runs silent).
  virtual bool OpenAudio(int rate, AudioPullFn pull, void* user) = 0;
  virtual void CloseAudio() = 0;
  // Brackets changes to state that `pull` reads, so the audio thread never sees half an update.
  virtual void LockAudio() = 0;
  virtual void UnlockAudio() = 0;

  // --- Records ---------------------------------------------------------------------------
  // Told of what only tests look at; a player's host keeps none of it.
  virtual void NoteMciCommand(const char* /*command*/) {}  // every MCI command string sent
  virtual void NoteSoundPlay(const void* /*buffer*/) {}    // every Play of a secondary buffer
  // A blit refused because its source rectangle reaches past the source surface.
  virtual void NoteRefusedSourceRect() {}
};

// The host every platform call goes through. Set once by the program's main() or by a test.
Host& CurrentHost();
void SetHost(Host* host);

// The running program's full path: the kernel's link to it, else `argv0` resolved, else `argv0`.
std::string RunningProgramPath(const std::string& argv0);

}  // namespace platform
