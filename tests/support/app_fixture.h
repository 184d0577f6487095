// A headless start of the program for engine tests: a HeadlessHost with its own program directory
// and lock directory, the shell started with AppStartUp, and helpers to step the loop and to give
// the program input the way the host would.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "engine/shell.h"
#include "platform/host_headless.h"

namespace morv_test {

// The headless host, counting the calls whose number matters to the shell's rules.
class TestHost : public platform::HeadlessHost {
 public:
  int confine_calls = 0;    // ConfineCursor with on = true
  int unconfine_calls = 0;  // ConfineCursor with on = false
  int close_window_calls = 0;
  bool refuse_window = false;  // OpenWindow fails
  bool OpenWindow(const std::string& title, int x, int y, int w, int h, bool fullscreen,
                  bool visible) override {
    return !refuse_window && HeadlessHost::OpenWindow(title, x, y, w, h, fullscreen, visible);
  }
  void ConfineCursor(bool on, int left, int top, int right, int bottom) override {
    ++(on ? confine_calls : unconfine_calls);
    HeadlessHost::ConfineCursor(on, left, top, right, bottom);
  }
  void CloseWindow() override {
    ++close_window_calls;
    HeadlessHost::CloseWindow();
  }
};

class AppFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Runs AppStartUp and then the loop until the first frame has run. Returns AppStartUp's result.
  int Start();
  // One pass of the loop.
  LoopStep Step() { return RunLoopOnce(); }
  // Passes of the loop until one runs a frame (false when the program quits or nothing runs one).
  bool RunUntilFrame(int maxPasses = 1000);
  // `count` frames, with the messages that come before each.
  bool RunFrames(int count);
  // Passes until WM_QUIT ends the loop; the number of frames that ran meanwhile goes to `frames`.
  bool RunUntilQuit(int maxPasses = 1000, int* frames = nullptr);

  // Input as the host delivers it.
  void PressKey(int vk, bool alt = false) { host.PressKey(vk, alt); }
  void RepeatKey(int vk, bool alt = false) { host.RepeatKey(vk, alt); }
  void ReleaseKey(int vk, bool alt = false) { host.ReleaseKey(vk, alt); }
  // Puts the pointer at (x, y) of the client area and queues the move.
  void MoveMouse(int x, int y);
  // Puts the pointer at a screen position without a move message (the pointer left the window).
  void PlaceCursorOnScreen(int x, int y);
  void ButtonDown(int button, bool doubleClick = false);
  void ButtonUp(int button);
  void Inject(platform::HostEvent::Kind kind, int x = 0, int y = 0);

  TestHost host;
  std::string program_dir;  // a fresh directory: the data directory and the lock directory
};

}  // namespace morv_test
