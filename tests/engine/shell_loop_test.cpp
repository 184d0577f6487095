// The message loop: start-up, the frame clock, the entered flag, the state dispatch and the blink.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "engine/el_system.h"
#include "engine/shell.h"
#include "platform/kernel32.h"
#include "platform/user32.h"
#include "tests/stub_game/stub_game.h"
#include "tests/support/app_fixture.h"

namespace {

using morv_test::AppFixture;

class ShellLoop : public AppFixture {
 protected:
  std::vector<int> entered_;  // gStateEntered seen by each title frame
  std::vector<float> times_;  // gFrameTime seen by each title frame
  void SetUp() override {
    AppFixture::SetUp();
    stub_game::ResetHooks();
    stub_game::runTitle = [this] {
      entered_.push_back(gStateEntered);
      times_.push_back(gFrameTime);
    };
  }
};

TEST_F(ShellLoop, OpensCentredWindowWithTheClientAreaOfTheScreen) {
  ASSERT_EQ(Start(), 1);
  EXPECT_EQ(host.window_title, "MORVENTICA SF SHOOTING VERSION2");
  // Outer 366 x 505 centred on 1280 x 1024: frame at (457, 259), client 3 right and 22 down.
  EXPECT_EQ(host.window_x, 460);
  EXPECT_EQ(host.window_y, 281);
  EXPECT_EQ(host.window_w, 360);
  EXPECT_EQ(host.window_h, 480);
  EXPECT_FALSE(host.window_fullscreen);
  EXPECT_TRUE(host.window_visible);
  // WM_MOVE arrived during creation.
  EXPECT_EQ(gClientX, 460);
  EXPECT_EQ(gClientY, 281);
  EXPECT_EQ(gClientRect.right, 820);
  EXPECT_EQ(gClientRect.bottom, 761);
  EXPECT_FALSE(platform::ImeEnabled());
}

// The window class names the icon "MAIN": a program carrying that resource shows it as the
// window's icon.
TEST_F(ShellLoop, TheWindowShowsTheProgramsIconResourceMain) {
  const std::vector<uint8_t> bmp = {'B', 'M', 7, 7};
  platform::AddResource("MAIN", nullptr, RT_GROUP_ICON, bmp);
  ASSERT_EQ(Start(), 1);
  platform::ClearResources();
  EXPECT_EQ(host.window_icon, bmp);
}

TEST_F(ShellLoop, EnteredFlagIsUpOnTheFirstFrameOnly) {
  ASSERT_EQ(Start(), 1);
  ASSERT_TRUE(RunFrames(2));
  ASSERT_EQ(entered_.size(), 3u);
  EXPECT_EQ(entered_[0], 1);
  EXPECT_EQ(entered_[1], 0);
  EXPECT_EQ(entered_[2], 0);
}


TEST_F(ShellLoop, StateOutsideOneToFourRunsNothingAndTheLoopGoesOn) {
  int runs = 0;
  auto count = [&] { ++runs; };
  stub_game::runTitle = stub_game::runS1Frame = stub_game::runS2Frame = stub_game::runEnding = count;
  stub_game::loadAllAssets = [] { gGameState = 5; };
  ASSERT_EQ(Start(), 1);
  ASSERT_TRUE(RunFrames(3));
  EXPECT_EQ(runs, 0);
  gGameState = 0;
  ASSERT_TRUE(RunFrames(1));
  EXPECT_EQ(runs, 0);
  // Messages are still taken between frames.
  PressKey('Q');
  int key = 0;
  stub_game::handleKeyDown = [&](int vk) { key = vk; };
  ASSERT_TRUE(RunFrames(1));
  EXPECT_EQ(key, 'Q');
}

TEST_F(ShellLoop, FrameTimeIsTheTimeSinceThePreviousFrame) {
  ASSERT_EQ(Start(), 1);
  host.AdvanceMs(40);
  ASSERT_TRUE(RunFrames(1));
  host.AdvanceMs(17);
  ASSERT_TRUE(RunFrames(1));
  ASSERT_EQ(times_.size(), 3u);
  EXPECT_FLOAT_EQ(times_[0], 0.0f);  // the clock restarts right before the loop
  EXPECT_FLOAT_EQ(times_[1], 0.040f);
  EXPECT_FLOAT_EQ(times_[2], 0.017f);
}

TEST_F(ShellLoop, FrameTimeAfterReactivationLeavesOutThePause) {
  ASSERT_EQ(Start(), 1);
  Inject(platform::HostEvent::Deactivate);
  ASSERT_EQ(Step(), LoopStep::Message);
  EXPECT_EQ(gAppActive, 0);
  EXPECT_EQ(Step(), LoopStep::Frame);  // a window keeps running frames while inactive
  host.AdvanceMs(5000);
  Inject(platform::HostEvent::Activate);
  ASSERT_EQ(Step(), LoopStep::Message);
  EXPECT_EQ(gAppActive, 1);
  host.AdvanceMs(16);
  ASSERT_TRUE(RunFrames(1));
  EXPECT_FLOAT_EQ(times_.back(), 0.016f);
}


TEST_F(ShellLoop, LoopWaitsForMessagesWhenInactiveWithoutTheKeepRunningOption) {
  ASSERT_EQ(Start(), 1);
  gWindowOptions = 0;  // as the full-screen profiles
  // Showing the window made the program the active application: frames run from the start.
  EXPECT_EQ(gAppActive, 1);
  EXPECT_EQ(Step(), LoopStep::Frame);
  Inject(platform::HostEvent::Deactivate);
  EXPECT_EQ(Step(), LoopStep::Message);
  EXPECT_EQ(Step(), LoopStep::Waited);
  Inject(platform::HostEvent::Activate);
  EXPECT_EQ(Step(), LoopStep::Message);
  EXPECT_EQ(Step(), LoopStep::Frame);
}


TEST_F(ShellLoop, BlinkStaysOnASecondThenOffAFifthOfOne) {
  ASSERT_EQ(Start(), 1);
  EXPECT_EQ(gBlinkPhase, 1);
  host.AdvanceMs(999);
  ASSERT_TRUE(RunFrames(1));
  EXPECT_EQ(gBlinkPhase, 1);
  host.AdvanceMs(1);
  ASSERT_TRUE(RunFrames(1));
  EXPECT_EQ(gBlinkPhase, 0);
  host.AdvanceMs(199);
  ASSERT_TRUE(RunFrames(1));
  EXPECT_EQ(gBlinkPhase, 0);
  host.AdvanceMs(1);
  ASSERT_TRUE(RunFrames(1));
  EXPECT_EQ(gBlinkPhase, 1);
}

TEST_F(ShellLoop, ClockWrapNeitherStopsTheBlinkNorSpoilsTheFrameTime) {
  host.clock_ms = 0xFFFFFFFFull - 500;  // the blink deadline lies past the 32-bit clock's wrap
  ASSERT_EQ(Start(), 1);
  EXPECT_EQ(gBlinkPhase, 1);
  host.AdvanceMs(999);
  ASSERT_TRUE(RunFrames(1));
  EXPECT_FLOAT_EQ(times_.back(), 0.999f);
  EXPECT_EQ(gBlinkPhase, 1);
  host.AdvanceMs(1);
  ASSERT_TRUE(RunFrames(1));
  EXPECT_EQ(gBlinkPhase, 0);
}

TEST_F(ShellLoop, ClickFlagsLastOneFrameButHeldFlagsStay) {
  int left_click = -1, left_down = -1;
  ASSERT_EQ(Start(), 1);
  MoveMouse(10, 20);
  ButtonDown(1);
  stub_game::runTitle = [&] {
    left_click = gMouseLeftClick;
    left_down = gMouseLeftDown;
  };
  ASSERT_TRUE(RunFrames(1));
  EXPECT_EQ(left_click, 1);
  EXPECT_EQ(gMouseButton, 1);
  ASSERT_TRUE(RunFrames(1));
  EXPECT_EQ(left_click, 0);
  EXPECT_EQ(left_down, 1);
  EXPECT_EQ(gMouseX, 10);
  EXPECT_EQ(gMouseY, 20);
  ButtonUp(1);
  ASSERT_TRUE(RunFrames(1));
  EXPECT_EQ(left_down, 0);
  EXPECT_EQ(gMouseButton, 0);
  int right_double = 0;
  stub_game::runTitle = [&] { right_double += gMouseRightDouble; };
  ButtonDown(2, true);
  ButtonUp(2);
  ASSERT_TRUE(RunFrames(2));
  EXPECT_EQ(right_double, 1);
}


TEST_F(ShellLoop, WindowCreationFailureEndsStartUpSilently) {
  bool loaded = false;
  stub_game::loadAllAssets = [&] { loaded = true; };
  host.refuse_window = true;
  EXPECT_EQ(AppStartUp(GetModuleHandleA(nullptr), SW_SHOWNORMAL), 0);
  EXPECT_FALSE(loaded);
  EXPECT_TRUE(host.box_texts.empty());
  EXPECT_EQ(gMainWindow, nullptr);
}

}  // namespace
