#include "platform/host_headless.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace platform {

HeadlessHost::HeadlessHost() = default;

namespace {

HostEvent KeyEvent(HostEvent::Kind kind, int vk, bool alt, bool repeat) {
  HostEvent e;
  e.kind = kind;
  e.vk = vk;
  e.alt = alt;
  e.repeat = repeat;
  return e;
}

}  // namespace

void HeadlessHost::PressKey(int vk, bool alt) {
  keys_down[vk & 0xFF] = true;
  events.push_back(KeyEvent(HostEvent::KeyDown, vk, alt, false));
}

void HeadlessHost::RepeatKey(int vk, bool alt) {
  events.push_back(KeyEvent(HostEvent::KeyDown, vk, alt, true));
}

void HeadlessHost::ReleaseKey(int vk, bool alt) {
  keys_down[vk & 0xFF] = false;
  events.push_back(KeyEvent(HostEvent::KeyUp, vk, alt, false));
}

void HeadlessHost::InjectPointer(HostEvent::Kind kind, int x, int y, int button) {
  HostEvent e;
  e.kind = kind;
  e.x = x;
  e.y = y;
  e.button = button;
  events.push_back(e);
}

uint32_t HeadlessHost::FramePixelRgb(int x, int y) const {
  if (x < 0 || y < 0 || x >= last_frame_width || y >= last_frame_height) return 0;
  const size_t offset =
      (static_cast<size_t>(y) * last_frame_width + x) * BytesPerPixel(last_frame_layout);
  return PixelToRgb(last_frame.data() + offset, last_frame_layout);
}

std::vector<int16_t> HeadlessHost::RenderAudio(int frames) {
  std::vector<int16_t> out(static_cast<size_t>(frames) * 2, 0);
  if (audio_open && pull_ != nullptr && frames > 0) pull_(pull_user_, out.data(), frames);
  return out;
}

uint32_t HeadlessHost::Milliseconds() { return static_cast<uint32_t>(clock_ms); }
int64_t HeadlessHost::WallSeconds() {
  return wall_seconds_at_zero + static_cast<int64_t>(clock_ms / 1000);
}
uint32_t HeadlessHost::TickMilliseconds() {
  return static_cast<uint32_t>(clock_ms) + tick_count_offset;
}
int64_t HeadlessHost::CounterFrequency() { return high_resolution_counter ? counter_frequency : 0; }
int64_t HeadlessHost::CounterValue() {
  return high_resolution_counter ? static_cast<int64_t>(clock_ms) * counter_frequency / 1000 + counter_offset
                                 : 0;
}
unsigned HeadlessHost::TimerPeriodMin() { return timer_period_min; }
int HeadlessHost::DesktopWidth() { return display_mode_set ? mode_width : desktop_width; }
int HeadlessHost::DesktopHeight() { return display_mode_set ? mode_height : desktop_height; }
PixelLayout HeadlessHost::DesktopLayout() { return desktop_layout; }

bool HeadlessHost::OpenWindow(const std::string& title, int x, int y, int w, int h,
                              bool fullscreen, bool visible) {
  window_open = true;
  window_closed = false;
  window_title = title;
  window_x = x;
  window_y = y;
  window_w = w;
  window_h = h;
  window_fullscreen = fullscreen;
  window_visible = visible;
  return true;
}

void HeadlessHost::ShowWindow(bool visible) { window_visible = visible; }
void HeadlessHost::RaiseWindow() { ++raise_count; }
void HeadlessHost::MinimizeWindow() { ++minimize_count; }
void HeadlessHost::CloseWindow() {
  window_open = false;
  window_closed = true;
}

bool HeadlessHost::PollEvent(HostEvent& event) {
  if (events.empty()) return false;
  event = events.front();
  events.pop_front();
  return true;
}

bool HeadlessHost::WaitEvent(unsigned /*timeoutMs*/) {
  if (!events.empty() || !on_wait_event) return true;
  on_wait_event();
  return !events.empty();
}

bool HeadlessHost::IsKeyDown(int vk) { return keys_down[vk & 0xFF]; }

void HeadlessHost::CursorPosition(int& x, int& y) {
  x = cursor_x;
  y = cursor_y;
}

void HeadlessHost::ShowCursor(bool visible) {
  cursor_visible = visible;
  ++show_cursor_calls;
}

void HeadlessHost::ConfineCursor(bool on, int left, int top, int right, int bottom) {
  cursor_confined = on;
  confine_left = left;
  confine_top = top;
  confine_right = right;
  confine_bottom = bottom;
}

void HeadlessHost::MessageBox(const std::string& text, const std::string& caption,
                              unsigned style) {
  box_texts.push_back(text);
  box_captions.push_back(caption);
  box_styles.push_back(style);
}

void HeadlessHost::Beep() { ++beep_count; }
std::string HeadlessHost::ModulePath() { return module_path; }

bool HeadlessHost::SetDisplayMode(int width, int height, int bpp) {
  if (refuse_display_mode) return false;
  display_mode_set = true;
  mode_width = width;
  mode_height = height;
  mode_bpp = bpp;
  return true;
}

void HeadlessHost::RestoreDisplayMode() { display_mode_set = false; }

void HeadlessHost::WaitVerticalBlank() {
  // Next boundary of the 60 Hz grid strictly after now: ceil(k * 1000 / 60) for the next frame k.
  const uint64_t k = clock_ms * 60 / 1000 + 1;
  uint64_t next = (k * 1000 + 59) / 60;
  if (next <= clock_ms) next = ((k + 1) * 1000 + 59) / 60;
  clock_ms = next;
  ++vblank_waits;
}

void HeadlessHost::Present(const FrameView& frame) {
  ++present_count;
  const int bpp = BytesPerPixel(frame.layout);
  last_frame_width = frame.width;
  last_frame_height = frame.height;
  last_frame_layout = frame.layout;
  const size_t row = static_cast<size_t>(frame.width) * bpp;
  last_frame.resize(row * frame.height);
  const auto* src = static_cast<const uint8_t*>(frame.pixels);
  for (int y = 0; y < frame.height; ++y) {
    std::memcpy(last_frame.data() + row * y, src + static_cast<size_t>(frame.pitch) * y, row);
  }
}

bool HeadlessHost::OpenAudio(int rate, AudioPullFn pull, void* user) {
  if (!audio_device_present) return false;
  audio_open = true;
  audio_rate = rate;
  pull_ = pull;
  pull_user_ = user;
  return true;
}

void HeadlessHost::CloseAudio() {
  audio_open = false;
  pull_ = nullptr;
  pull_user_ = nullptr;
}

void HeadlessHost::NoteMciCommand(const char* command) {
  if (mci_log.count < kMciLogSize) {
    std::snprintf(mci_log.commands[mci_log.count], kMciLogLength, "%s", command);
  }
  ++mci_log.count;
}

void HeadlessHost::NoteSoundPlay(const void* buffer) {
  if (sound_log.count < kSoundPlayLogSize) sound_log.buffers[sound_log.count] = buffer;
  ++sound_log.count;
}

void HeadlessHost::LockAudio() { ++audio_lock_depth; }
void HeadlessHost::UnlockAudio() { --audio_lock_depth; }

}  // namespace platform
