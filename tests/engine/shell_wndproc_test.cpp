// The window procedure and the shell's services: quitting, system keys, the cursor, the error
// report, the data directory and the single-instance check.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/el_system.h"
#include "engine/shell.h"
#include "platform/instance_link.h"
#include "platform/user32.h"
#include "tests/stub_game/stub_game.h"
#include "tests/support/app_fixture.h"

namespace {

using morv_test::AppFixture;

class ShellWndProc : public AppFixture {
 protected:
  std::vector<int> keys_;  // HandleKeyDown calls
  int frames_ = 0;
  void SetUp() override {
    AppFixture::SetUp();
    stub_game::ResetHooks();
    stub_game::runTitle = [this] { ++frames_; };
    stub_game::handleKeyDown = [this](int vk) {
      keys_.push_back(vk);
      gLastKey = vk;
      if (vk == VK_ESCAPE) {  // as the game's key handler quits
        ShutdownApplication();
        PostQuitMessage(0);
      }
    };
    ASSERT_EQ(Start(), 1);
  }
};

TEST_F(ShellWndProc, EscapeShutsDownOnceAlthoughCloseFollows) {
  PressKey(VK_ESCAPE);
  const int before = frames_;
  int frames_after = -1;
  ASSERT_TRUE(RunUntilQuit(100, &frames_after));
  EXPECT_EQ(frames_after, 0);
  EXPECT_EQ(frames_, before);
  EXPECT_EQ(gCloseState, 2);
  EXPECT_EQ(host.unconfine_calls, 1);     // the shutdown's first step ran once
  EXPECT_EQ(host.close_window_calls, 1);  // the posted WM_CLOSE still destroyed the window
  EXPECT_FALSE(IsWindow(gMainWindow));
  EXPECT_EQ(gMutex, nullptr);
  EXPECT_EQ(ShutdownApplication(), 1);  // any later call returns at once
  EXPECT_EQ(host.unconfine_calls, 1);
}

TEST_F(ShellWndProc, CloseButtonShutsDownAndQuits) {
  Inject(platform::HostEvent::CloseRequest);
  ASSERT_TRUE(RunUntilQuit());
  EXPECT_EQ(gCloseState, 2);
  EXPECT_EQ(host.unconfine_calls, 1);
  EXPECT_EQ(host.close_window_calls, 1);
  EXPECT_TRUE(keys_.empty());
}


TEST_F(ShellWndProc, AltCombinationsF10AndAltF4DoNothing) {
  PressKey(VK_MENU, true);
  PressKey('X', true);
  ReleaseKey('X', true);
  PressKey(VK_F4, true);
  ReleaseKey(VK_F4, true);
  ReleaseKey(VK_MENU);
  PressKey(VK_F10);
  ReleaseKey(VK_F10);
  ASSERT_TRUE(RunFrames(3));
  EXPECT_TRUE(keys_.empty());
  EXPECT_EQ(gCloseState, 0);
  EXPECT_TRUE(IsWindow(gMainWindow));
  EXPECT_TRUE(host.window_open);
}


TEST_F(ShellWndProc, ScreenSaverIsRefused) {
  Inject(platform::HostEvent::Activate);
  ASSERT_TRUE(RunFrames(1));
  ASSERT_EQ(gAppActive, 1);
  EXPECT_EQ(SendMessageA(gMainWindow, WM_SYSCOMMAND, SC_SCREENSAVE | 0x2, 0), 0);
  EXPECT_EQ(gAppActive, 1);
  // Other system commands still take their course.
  SendMessageA(gMainWindow, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(gCloseState, 2);
}

TEST_F(ShellWndProc, KeyUpOfTheLastKeyClearsIt) {
  PressKey('A');
  PressKey('B');
  RepeatKey('B');
  ASSERT_TRUE(RunFrames(1));
  EXPECT_EQ(keys_, (std::vector<int>{'A', 'B', 'B'}));
  ReleaseKey('A');
  ASSERT_TRUE(RunFrames(1));
  EXPECT_EQ(gLastKey, 'B');
  ReleaseKey('B');
  ASSERT_TRUE(RunFrames(1));
  EXPECT_EQ(gLastKey, 0);
}


TEST_F(ShellWndProc, CursorHidesOnceInsideAndShowsOnceOutside) {
  const int base_calls = host.show_cursor_calls;
  PlaceCursorOnScreen(gClientX + 100, gClientY + 100);
  ASSERT_TRUE(RunFrames(3));
  EXPECT_FALSE(host.cursor_visible);
  EXPECT_EQ(host.show_cursor_calls, base_calls + 1);
  EXPECT_EQ(gCursorVisible, 0);
  // The right and bottom edges are outside.
  PlaceCursorOnScreen(gClientX + 360, gClientY + 100);
  ASSERT_TRUE(RunFrames(3));
  EXPECT_TRUE(host.cursor_visible);
  EXPECT_EQ(host.show_cursor_calls, base_calls + 2);
}

TEST_F(ShellWndProc, DeactivationShowsAHiddenCursor) {
  PlaceCursorOnScreen(gClientX, gClientY);
  ASSERT_TRUE(RunFrames(1));
  ASSERT_FALSE(host.cursor_visible);
  Inject(platform::HostEvent::Deactivate);
  ASSERT_EQ(Step(), LoopStep::Message);
  EXPECT_TRUE(host.cursor_visible);
  EXPECT_EQ(gCursorVisible, 1);
}


TEST_F(ShellWndProc, ErrorReportBeepsAndShowsTheWarningBox) {
  EXPECT_EQ(ShowErrorMessage("elDraw::LoadObject", "ファイルが開けません"), 0);
  ASSERT_EQ(host.box_texts.size(), 1u);
  EXPECT_EQ(host.box_texts[0], "elDraw::LoadObject : ファイルが開けません");
  EXPECT_EQ(host.box_captions[0], "エラー発生");
  EXPECT_EQ(host.box_styles[0], 0x1030u);
  EXPECT_EQ(host.beep_count, 1);
}

TEST_F(ShellWndProc, LongErrorTextIsCutWithoutBreakingACharacter) {
  std::string what;
  for (int i = 0; i < 100; ++i) what += "エ";  // three bytes each
  ShowErrorMessage("x", what.c_str());
  ASSERT_EQ(host.box_texts.size(), 1u);
  const std::string& text = host.box_texts[0];
  EXPECT_LE(text.size(), 255u);
  EXPECT_EQ((text.size() - 4) % 3, 0u);  // "x : " then whole characters only
}

TEST_F(ShellWndProc, DataDirectoryIsTheProgramsFolderWithItsSlash) {
  EXPECT_EQ(std::string(GetDataDirectory()), program_dir + "/");
  host.module_path = "noslash";
  EXPECT_EQ(std::string(GetDataDirectory()), "");
}

// A second start in another process finds the window through the instance link and asks it to
// come to the front: the first start is raised, whether it waits while inactive (the full-screen
// profiles) or keeps running frames (the window profiles), and is active once the focus comes.
TEST_F(ShellWndProc, SecondStartsRequestRaisesAndActivatesTheFirst) {
  const struct {
    const char* what;
    int options;
    int sendAtWait;  // 0: before the loop's pass
    LoopStep step;
  } cases[] = {
      {"waiting while inactive", 0, 2, LoopStep::Waited},
      {"running while inactive", 2, 0, LoopStep::Frame},
  };
  const auto send = [] {
    EXPECT_TRUE(platform::LinkSendRaise(platform::LinkConnect(kWindowClass, kWindowTitle)));
  };
  for (const auto& c : cases) {
    gWindowOptions = c.options;
    Inject(platform::HostEvent::Deactivate);
    EXPECT_EQ(Step(), LoopStep::Message);
    ASSERT_EQ(gAppActive, 0);
    const int raised = host.raise_count;
    int waits = 0;
    host.on_wait_event = [&] {
      if (++waits == c.sendAtWait) send();
      if (waits == 50) Inject(platform::HostEvent::Activate);  // never raised: let the test go on
    };
    if (c.sendAtWait == 0) send();
    EXPECT_EQ(Step(), c.step) << c.what;
    EXPECT_EQ(waits, c.sendAtWait) << c.what;
    EXPECT_EQ(host.raise_count, raised + 1) << c.what;
    host.on_wait_event = nullptr;
    Inject(platform::HostEvent::Activate);  // the window system gives the raised window the focus
    EXPECT_EQ(Step(), LoopStep::Message) << c.what;
    EXPECT_EQ(gAppActive, 1) << c.what;
  }
}

// The focus lost and a second start's request to come forward taken in the same look at the
// queue: the raise is only a request, so the program ends inactive, waiting, as the window system
// has it; the focus coming back is what makes it active again.
TEST_F(ShellWndProc, RaiseInTheSamePassAsAFocusLossWaitsForTheFocus) {
  gWindowOptions = 0;  // as the full-screen profiles: no frames while inactive
  ASSERT_EQ(gAppActive, 1);
  Inject(platform::HostEvent::Deactivate);
  ASSERT_TRUE(platform::LinkSendRaise(platform::LinkConnect(kWindowClass, kWindowTitle)));
  EXPECT_EQ(Step(), LoopStep::Message);
  EXPECT_EQ(host.raise_count, 1);
  EXPECT_EQ(gAppActive, 0);
  EXPECT_EQ(Step(), LoopStep::Waited);
  Inject(platform::HostEvent::Activate);
  EXPECT_EQ(Step(), LoopStep::Message);
  EXPECT_EQ(gAppActive, 1);
  EXPECT_EQ(Step(), LoopStep::Frame);
}

TEST_F(ShellWndProc, SecondStartInTheSameSessionBringsTheWindowForward) {
  EXPECT_EQ(host.raise_count, 0);
  EXPECT_EQ(CheckSingleInstance(kWindowTitle), 0);
  EXPECT_EQ(host.raise_count, 1);
}

}  // namespace
