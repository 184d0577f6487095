#include "tests/support/game_driver.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <set>

#include "engine/el_draw.h"
#include "engine/profile.h"
#include "platform/ddraw.h"
#include "platform/instance_link.h"
#include "platform/user32.h"

namespace fs = std::filesystem;

namespace morv_test {

GameDriver::GameDriver(const GameOptions& options) {
  // A private directory: the single-instance lock of this run (so test processes running side by
  // side never see each other) and, when files are hidden, the game's copy of its directory.
  char pattern[] = "/tmp/morv-game-XXXXXX";
  if (const char* made = mkdtemp(pattern)) temp_dir_ = made;
  platform::SetLockDirectory(temp_dir_);
  data_dir_ = std::string(MORV_PROGRAM_DIR) + "/";
  if (!options.missing_files.empty()) HideFiles(options.missing_files);
  host.module_path = data_dir_ + kProfile.program;
  host.audio_device_present = options.audio_device;
  if (options.configure) options.configure(host);
  platform::SetHost(&host);
  started_ = AppStartUp(nullptr, 1) != 0;
}

GameDriver::~GameDriver() {
  if (!temp_dir_.empty()) {
    std::error_code ec;
    fs::remove_all(temp_dir_, ec);
  }
}

// A copy of the program's directory made of links, without the hidden files.
void GameDriver::HideFiles(const std::vector<std::string>& missing) {
  const std::set<std::string> hidden(missing.begin(), missing.end());
  const fs::path source(MORV_PROGRAM_DIR);
  const fs::path copy = fs::path(temp_dir_) / "program";
  for (const char* top : {"IMAGE", "SOUND", "MIDI"}) {
    if (!fs::exists(source / top)) continue;
    for (const auto& entry : fs::recursive_directory_iterator(source / top)) {
      const fs::path relative = fs::relative(entry.path(), source);
      const fs::path target = copy / relative;
      if (entry.is_directory()) {
        fs::create_directories(target);
      } else if (hidden.count(relative.generic_string()) == 0) {
        fs::create_directories(target.parent_path());
        fs::create_symlink(entry.path(), target);
      }
    }
  }
  data_dir_ = copy.string() + "/";
}

LoopStep GameDriver::Pass() {
  if (quit_ || !started_) return LoopStep::Quit;
  const LoopStep step = RunLoopOnce();
  if (step == LoopStep::Quit) quit_ = true;
  return step;
}

int GameDriver::Frames(int n) {
  int frames = 0;
  while (frames < n) {
    const LoopStep step = Pass();
    if (step == LoopStep::Quit) break;
    if (step == LoopStep::Frame) ++frames;
  }
  return frames;
}

void GameDriver::Drain() {
  while (!quit_ && started_ && !host.events.empty()) Pass();
}

bool GameDriver::FramesUntil(const std::function<bool()>& done, int max_frames) {
  for (int i = 0; i < max_frames; ++i) {
    if (Frames(1) != 1) return false;
    if (done()) return true;
  }
  return false;
}

void GameDriver::Tap(int vk) {
  Press(vk);
  Frames(1);
  Release(vk);
  Drain();
}

namespace {

// A mouse event at the pointer's place in the client area.
platform::HostEvent MouseEvent(platform::HostEvent::Kind kind, int x, int y, int button) {
  platform::HostEvent e;
  e.kind = kind;
  e.x = x;
  e.y = y;
  e.button = button;
  return e;
}

}  // namespace

void GameDriver::MoveMouse(int x, int y) {
  mouse_x_ = x;
  mouse_y_ = y;
  host.cursor_x = host.window_x + x;
  host.cursor_y = host.window_y + y;
  host.Inject(MouseEvent(platform::HostEvent::MouseMove, x, y, 0));
}

void GameDriver::MouseDown(int button) {
  host.Inject(MouseEvent(platform::HostEvent::ButtonDown, mouse_x_, mouse_y_, button));
}

void GameDriver::MouseUp(int button) {
  host.Inject(MouseEvent(platform::HostEvent::ButtonUp, mouse_x_, mouse_y_, button));
}

uint32_t GameDriver::SlotPixel(int slot, int x, int y) const {
  if (slot < 0 || slot >= kDrawObjectCount) return 0;
  const IDirectDrawSurface* surface = gDrawObjects[slot].surface;
  if (surface == nullptr || surface->pixels == nullptr) return 0;
  if (x < 0 || y < 0 || x >= surface->width || y >= surface->height) return 0;
  const uint8_t* p = surface->pixels + static_cast<size_t>(y) * surface->pitch +
                     static_cast<size_t>(x) * surface->BytesPerPixel();
  return platform::PixelToRgb(p, surface->layout);
}

void GameDriver::StartGame() {
  Press(VK_RETURN);
  Frames(1);  // the title reads Enter after presenting and changes state
  Release(VK_RETURN);
  Frames(1);  // stage 1's first frame
}

}  // namespace morv_test
