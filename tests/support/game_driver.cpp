#include "tests/support/game_driver.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>

#include <unistd.h>

#include "engine/el_draw.h"
#include "engine/el_sound.h"
#include "engine/midi.h"
#include "game/enemy_data.h"
#include "game/game_states.h"
#include "game/parking.h"
#include "game/player_data.h"
#include "game/resets.h"
#include "game/stage_drivers.h"
#include "platform/dsound.h"
#include "platform/winmm.h"
#include "engine/profile.h"
#include "platform/ddraw.h"
#include "platform/instance_link.h"
#include "platform/kernel32.h"
#include "platform/user32.h"

namespace fs = std::filesystem;

namespace morv_test {

GameDriver::GameDriver(const GameOptions& options) {
  // A private directory for the single-instance lock of this run (so test processes running side
  // by side never see each other); when files are hidden, the game reads the process's copy of
  // its directory.
  char pattern[] = "/tmp/morv-game-XXXXXX";
  if (const char* made = mkdtemp(pattern)) temp_dir_ = made;
  platform::SetLockDirectory(temp_dir_);
  data_dir_ = std::string(MORV_PROGRAM_DIR) + "/";
  if (!options.missing_files.empty() || !options.replaced_files.empty()) {
    HideFiles(options.missing_files, options.replaced_files);
  }
  host.module_path = data_dir_ + kProfile.program;
  host.audio_device_present = options.audio_device;
  if (options.configure) options.configure(host);
  host.while_starting = options.while_starting;
  platform::SetHost(&host);
  RunStartUpHooks();
  started_ = AppStartUp(nullptr, 1) != 0;
  sound_base_ = host.sound_log.count;
}

GameDriver::~GameDriver() {
  // Leave the process as a fresh one: the next driver must not meet this run's window, mutex,
  // surfaces or sound buffers, nor its hidden or replaced files.
  // The tune's sequencer is the process's: a tune left open would refuse the next driver's.
  if (started_ && !quit_) StopMidi();
  if (started_ && !quit_) ShutdownApplication();
  // A transition still running must not carry into the next driver's first frames.
  gTransitionKind = 0;
  gTransitionStep = 0;
  gTransitionCounter = 0;
  gTransitionDirection = 0;
  platform::ResetWindowing();
  platform::CloseAllNamedMutexes();
  platform::SetLockDirectory("");
  platform::SetHost(nullptr);
  if (data_dir_ != std::string(MORV_PROGRAM_DIR) + "/") RestoreFiles();
  if (!temp_dir_.empty()) {
    std::error_code ec;
    fs::remove_all(temp_dir_, ec);
  }
}

namespace {

// The game's copy of the program's directory for the runs that hide or replace files: a link to
// each file of IMAGE, SOUND and MIDI. It is made once in a process and each run takes out only the
// files it hides or replaces, putting their links back after (making some 250 links a run cost
// more than the run's game: the file system hunts for free inodes among those just freed).
struct LinkedCopy {
  std::string root;             // private directory holding the copy
  fs::path dir;                 // root/program
  std::set<std::string> links;  // every file linked, as the game names them
  std::set<std::string> dirs;   // the directories under it
  pid_t owner = 0;              // a forked child leaves the parent's copy alone
  ~LinkedCopy() { Drop(); }
  void Drop() {
    std::error_code ec;
    if (!root.empty() && owner == getpid()) fs::remove_all(root, ec);
    root.clear();
    links.clear();
    dirs.clear();
  }
};

LinkedCopy& SharedCopy() {
  static LinkedCopy copy;
  if (!copy.root.empty()) return copy;
  char pattern[] = "/tmp/morv-program-XXXXXX";
  const char* made = mkdtemp(pattern);
  if (made == nullptr) return copy;
  copy.root = made;
  copy.owner = getpid();
  copy.dir = fs::path(copy.root) / "program";
  const fs::path source(MORV_PROGRAM_DIR);
  // Names are cut from the walked paths (fs::relative would resolve each one on the disk).
  const size_t prefix = source.generic_string().size() + 1;
  fs::create_directories(copy.dir);
  for (const char* top : {"IMAGE", "SOUND", "MIDI"}) {
    if (!fs::exists(source / top)) continue;
    fs::create_directories(copy.dir / top);
    copy.dirs.insert(top);
    for (const auto& entry : fs::recursive_directory_iterator(source / top)) {
      const std::string name = entry.path().generic_string().substr(prefix);
      if (entry.is_directory()) {
        fs::create_directories(copy.dir / name);
        copy.dirs.insert(name);
      } else {
        fs::create_symlink(entry.path(), copy.dir / name);
        copy.links.insert(name);
      }
    }
  }
  return copy;
}

// True when the copy holds its links and directories and nothing else.
bool CopyIsWhole(const LinkedCopy& copy) {
  const size_t prefix = copy.dir.generic_string().size() + 1;
  size_t links = 0, dirs = 0;
  std::error_code ec;
  for (const auto& entry : fs::recursive_directory_iterator(copy.dir, ec)) {
    const std::string name = entry.path().generic_string().substr(prefix);
    if (entry.is_symlink() && copy.links.count(name) != 0) {
      ++links;
    } else if (!entry.is_symlink() && entry.is_directory() && copy.dirs.count(name) != 0) {
      ++dirs;
    } else {
      return false;
    }
  }
  return !ec && links == copy.links.size() && dirs == copy.dirs.size();
}

}  // namespace

// The shared copy without the hidden files and with the replaced ones written in.
void GameDriver::HideFiles(
    const std::vector<std::string>& missing,
    const std::vector<std::pair<std::string, std::vector<uint8_t>>>& replaced) {
  LinkedCopy& copy = SharedCopy();
  if (copy.root.empty()) return;
  hidden_.assign(missing.begin(), missing.end());
  for (const auto& file : replaced) hidden_.push_back(file.first);
  std::error_code ec;
  for (const std::string& name : hidden_) fs::remove(copy.dir / name, ec);
  for (const auto& [name, bytes] : replaced) {
    const fs::path target = copy.dir / name;
    fs::create_directories(target.parent_path());
    std::ofstream out(target, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
  }
  data_dir_ = copy.dir.string() + "/";
}

// Puts the hidden files' links back; a copy the run left otherwise changed is made anew next time.
void GameDriver::RestoreFiles() {
  LinkedCopy& copy = SharedCopy();
  std::error_code ec;
  for (const std::string& name : hidden_) {
    fs::remove(copy.dir / name, ec);
    if (copy.links.count(name) != 0) {
      fs::create_symlink(fs::path(MORV_PROGRAM_DIR) / name, copy.dir / name, ec);
    }
  }
  hidden_.clear();
  if (!CopyIsWhole(copy)) copy.Drop();
}

LoopStep GameDriver::Pass() {
  if (quit_ || !started_) return LoopStep::Quit;
  if (before_frame) before_frame();
  const int mark = host.sound_log.count;
  const LoopStep step = RunLoopOnce();
  if (step == LoopStep::Quit) quit_ = true;
  if (step == LoopStep::Frame) frame_marks_.push_back(mark);
  // A closed frame gate opens only as time passes: the clock moves on as it would while the loop
  // polls.
  if (step == LoopStep::Gated) host.AdvanceMs(1);
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

void GameDriver::MoveMouse(int x, int y) {
  mouse_x_ = x;
  mouse_y_ = y;
  host.cursor_x = host.window_x + x;
  host.cursor_y = host.window_y + y;
  host.InjectPointer(platform::HostEvent::MouseMove, x, y);
}

void GameDriver::MouseDown(int button) {
  host.InjectPointer(platform::HostEvent::ButtonDown, mouse_x_, mouse_y_, button);
}

void GameDriver::MouseUp(int button) {
  host.InjectPointer(platform::HostEvent::ButtonUp, mouse_x_, mouse_y_, button);
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

void GameDriver::EnterStage(int stage, float distance) {
  StartGame();
  if (stage == 2) {
    ResetGameState();
    ResetGamePools();
    gGameState = kStateStage2;
    gPrevGameState = 0;
  }
  gTransitionCounter = 0;
  gTransitionDirection = 0;
  if (stage == 2) Frames(1);
  gDistance = distance;
}

void GameDriver::PlaceShip(float x, float y) {
  gPlayerX = x;
  gPlayerY = y;
}

void GameDriver::Hold(int vk, int frames) {
  Press(vk);
  Frames(frames);
  Release(vk);
  Drain();
}

int GameDriver::FixedFrames(int n, float seconds) {
  int ran = 0;
  for (; ran < n; ++ran) {
    Drain();
    if (quit_ || !started_) break;
    host.AdvanceMs(static_cast<uint64_t>(seconds * 1000.0f + 0.5f));
    if (before_frame) before_frame();
    frame_marks_.push_back(host.sound_log.count);
    gFrameTime = seconds;
    gFrameClockBase = timeGetTime();
    RunMeasuredFrame();
  }
  return ran;
}

std::vector<GameDriver::SoundStart> GameDriver::Sounds() const {
  std::vector<SoundStart> out;
  const int end = std::min(host.sound_log.count, platform::kSoundPlayLogSize);
  size_t frame = 0;
  for (int i = sound_base_; i < end; ++i) {
    while (frame + 1 < frame_marks_.size() && frame_marks_[frame + 1] <= i) ++frame;
    int sound = -1;
    for (int s = 0; s < kSoundObjectCount && sound < 0; ++s) {
      for (const IDirectSoundBuffer* b : gSoundObjects[s].buffers) {
        if (b != nullptr && b == host.sound_log.buffers[i]) sound = s;
      }
    }
    out.push_back({sound, frame_marks_.empty() ? 0 : static_cast<int>(frame)});
  }
  return out;
}

int GameDriver::SoundCount(int sound) const {
  int n = 0;
  for (const SoundStart& s : Sounds()) n += s.sound == sound ? 1 : 0;
  return n;
}

void GameDriver::ForgetSounds() { sound_base_ = host.sound_log.count; }

void HoldQuietField() {
  gDistance = 200.0f;
  for (int slot : {9, 10}) {
    gEnemies[slot] = Enemy{};
    gEnemies[slot].x = kParkX;
    gEnemies[slot].y = kParkY;
  }
}

void GameDriver::StartGame() {
  Press(VK_RETURN);
  Frames(1);  // the title reads Enter after presenting and changes state
  Release(VK_RETURN);
  Frames(1);  // stage 1's first frame
}

}  // namespace morv_test
