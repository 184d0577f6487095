// The headless game driver: runs the real game, with the real generated assets of the build, on
// the headless host's controllable clock. A test steps frames, presses keys, moves the mouse and
// reads the game's globals and the presented picture. The same script gives the same frames: the
// clock moves only by the vertical-blank wait of each presented frame (to the next 1/60 s) or when
// the test advances it, and the random seeds come from that clock.
//
//   GameDriver game;               // started: the title is up, no frame has run yet
//   game.Frames(3);                // three title frames
//   game.Tap(VK_RETURN);           // Enter on the title...
//   game.Frames(1);                // ...the first frame of stage 1 runs with gStateEntered 1
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "engine/shell.h"
#include "platform/host_headless.h"

namespace morv_test {

struct GameOptions {
  // Files of the program's directory to hide from the game, as the game names them
  // ("IMAGE/COIN2.BMP", "SOUND/SHOT.WAV"). The game then runs from a copy of the directory made of
  // links to every other file.
  std::vector<std::string> missing_files;
  bool audio_device = true;  // false: no sound device, the game runs silent
  // Called on the fresh host before the game starts (to set any other headless switch).
  std::function<void(platform::HeadlessHost&)> configure;
  // Called inside the program's start-up as it opens the sound device, while it loads its assets
  // (its window already up and active): e.g. to let time pass while the program starts.
  std::function<void(platform::HeadlessHost&)> while_starting;
  // Files of the program's directory to give the game with other bytes (a damaged copy), as the
  // game names them. The game then runs from the linked copy with these files written into it.
  std::vector<std::pair<std::string, std::vector<uint8_t>>> replaced_files;
};

// The headless host of a driver: it runs the options' while_starting once, as the program opens
// its sound device during start-up.
class DriverHost : public platform::HeadlessHost {
 public:
  std::function<void(platform::HeadlessHost&)> while_starting;
  bool OpenAudio(int rate, platform::AudioPullFn pull, void* user) override {
    if (while_starting) std::exchange(while_starting, nullptr)(*this);
    return HeadlessHost::OpenAudio(rate, pull, user);
  }
};

class GameDriver {
 public:
  explicit GameDriver(const GameOptions& options = {});
  ~GameDriver();
  GameDriver(const GameDriver&) = delete;
  GameDriver& operator=(const GameDriver&) = delete;

  DriverHost host;

  // AppStartUp's answer: false when the program ended during start-up.
  bool started() const { return started_; }
  // True once the loop has taken the quit message; no pass runs after that.
  bool quit() const { return quit_; }

  // One pass of the message loop: a message dispatched, a frame run, or a wait.
  LoopStep Pass();
  // Runs passes until `n` frames have run (messages waiting before a frame are dispatched first).
  // Returns the number of frames run: fewer than `n` only when the program quit.
  int Frames(int n = 1);
  // Dispatches every message that waits, without running a frame.
  void Drain();
  // Runs frames until `done` holds after a frame, at most `max_frames`; true when it held.
  bool FramesUntil(const std::function<bool()>& done, int max_frames);
  // Moves the clock on without a frame (time passing between two passes of the loop).
  void AdvanceMs(uint64_t ms) { host.AdvanceMs(ms); }

  // Keys by virtual-key code ('S', VK_RETURN ...). Each is delivered at the next pass.
  void Press(int vk) { host.PressKey(vk); }
  void Repeat(int vk) { host.RepeatKey(vk); }
  void Release(int vk) { host.ReleaseKey(vk); }
  // Press, one frame, release (the release is dispatched before the next frame).
  void Tap(int vk);

  // Mouse, in client coordinates.
  void MoveMouse(int x, int y);
  void MouseDown(int button);  // 1 left, 2 right
  void MouseUp(int button);

  // Enter on the title; returns after the first frame of stage 1 has run.
  void StartGame();
  // A game started and play put at stage 1 or 2 with `distance` on the stage's clock: the stage's
  // first frame has run (stage 2 is entered as the stage-1 boss's end enters it, without its
  // transition), no transition is running, then gDistance is set.
  void EnterStage(int stage, float distance = 0.0f);
  // Puts the ship's top-left corner at (x, y).
  void PlaceShip(float x, float y);
  // Holds a key down over `frames` frames, then releases it (the release is dispatched).
  void Hold(int vk, int frames);
  // Frames whose measured frame time is exactly `seconds` (e.g. 1.0f / 64): waiting messages are
  // dispatched first, the clock moves on by the frame's length, then the frame runs. Returns the
  // number of frames run.
  int FixedFrames(int n, float seconds);
  // Frames run by this driver so far (Frames, FixedFrames and the frames inside the helpers).
  int frame_count() const { return static_cast<int>(frame_marks_.size()); }

  // Sound effects started (a buffer's Play), with the number of the frame that started them
  // (counted as frame_count() was while it ran, from 0).
  struct SoundStart {
    int sound;  // elSound slot; -1 for a buffer no loaded sound owns
    int frame;
  };
  std::vector<SoundStart> Sounds() const;
  // How many times `sound` started since the driver began (or since ForgetSounds).
  int SoundCount(int sound) const;
  void ForgetSounds();

  // Runs before every pass of the loop and every fixed frame: a test that needs the field as it
  // set it (no spawn, no enemy fire) puts that rule here. HoldQuietField is the usual one.
  std::function<void()> before_frame;

  // The last presented picture.
  uint32_t Pixel(int x, int y) const { return host.FramePixelRgb(x, y); }
  int presented() const { return host.present_count; }
  std::vector<uint8_t> Picture() const { return host.last_frame; }
  // Pixel (x, y) of the picture held by a surface slot, as 0x00RRGGBB; 0 outside it or for an
  // empty slot.
  uint32_t SlotPixel(int slot, int x, int y) const;

  // Directory the game reads its files from (ends in '/').
  const std::string& data_dir() const { return data_dir_; }

 private:
  void HideFiles(const std::vector<std::string>& missing,
                 const std::vector<std::pair<std::string, std::vector<uint8_t>>>& replaced);
  void RestoreFiles();

  bool started_ = false;
  bool quit_ = false;
  std::string data_dir_;
  std::string temp_dir_;
  std::vector<std::string> hidden_;  // files taken out of the shared copy for this run
  int mouse_x_ = 0, mouse_y_ = 0;
  // Play-log position at the start of each frame run, and where the log counts from.
  std::vector<int> frame_marks_;
  int sound_base_ = 0;

 public:
  // Forgets the frames run and the sounds started so far (frame_count() starts again from 0), so a
  // long run keeps its log from growing; Sounds() then counts frames from here.
  void ForgetFrameLog() {
    frame_marks_.clear();
    ForgetSounds();
  }
};

// Holds stage 1 at distance 200, where the ship moves and fires but only enemy slots 9 and 10
// could spawn (and fire nothing), and keeps those two parked: nothing but what the test placed
// flies, scores or shoots.
void HoldQuietField();

}  // namespace morv_test
