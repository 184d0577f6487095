// The message queue: how host input becomes window messages, the order of posted messages, input
// and the quit request, and posting from another thread.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "platform/host_headless.h"
#include "platform/kernel32.h"
#include "platform/user32.h"

namespace {

std::vector<MSG> g_seen;  // every message the test window procedure received

LRESULT RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  MSG m{};
  m.hwnd = window;
  m.message = message;
  m.wParam = wParam;
  m.lParam = lParam;
  g_seen.push_back(m);
  return DefWindowProcA(window, message, wParam, lParam);
}

class MessageQueue : public ::testing::Test {
 protected:
  platform::HeadlessHost host;
  HWND window_ = nullptr;
  void SetUp() override {
    platform::SetHost(&host);
    platform::ResetWindowing();
    g_seen.clear();
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = RecordingProc;
    wc.lpszClassName = "DEFAULT";
    ASSERT_NE(RegisterClassA(&wc), 0);
    window_ = CreateWindowExA(0, "DEFAULT", "t", WS_CAPTION, 0, 0, 100, 100, nullptr, nullptr,
                              nullptr, nullptr);
    ASSERT_NE(window_, nullptr);
  }
  void TearDown() override {
    platform::ResetWindowing();
    platform::SetHost(nullptr);
  }
  // Every message that waits now, taken in order.
  std::vector<MSG> Drain() {
    std::vector<MSG> out;
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
      out.push_back(m);
      if (m.message == WM_QUIT) break;
    }
    return out;
  }
};

TEST_F(MessageQueue, KeysCarryTheVirtualKeyAndWindowsFlags) {
  host.PressKey('A');
  host.RepeatKey('A');
  host.ReleaseKey('A');
  const std::vector<MSG> m = Drain();
  ASSERT_EQ(m.size(), 3u);
  EXPECT_EQ(m[0].message, WM_KEYDOWN);
  EXPECT_EQ(m[0].wParam, WPARAM{'A'});
  EXPECT_EQ(m[0].lParam, 1);  // repeat count 1, first press
  EXPECT_EQ(m[1].message, WM_KEYDOWN);
  EXPECT_EQ(HIWORD(m[1].lParam) & KF_REPEAT, KF_REPEAT);
  EXPECT_EQ(m[2].message, WM_KEYUP);
  EXPECT_EQ(static_cast<uint32_t>(m[2].lParam), 0xC0000001u);
}

TEST_F(MessageQueue, AltCombinationsAndF10AreSystemKeys) {
  host.PressKey(VK_MENU, true);
  host.PressKey('X', true);
  host.ReleaseKey('X', true);
  host.ReleaseKey(VK_MENU);
  host.PressKey(VK_F10);
  const std::vector<MSG> m = Drain();
  ASSERT_EQ(m.size(), 5u);
  EXPECT_EQ(m[0].message, WM_SYSKEYDOWN);
  EXPECT_EQ(m[1].message, WM_SYSKEYDOWN);
  EXPECT_EQ(HIWORD(m[1].lParam) & KF_ALTDOWN, KF_ALTDOWN);
  EXPECT_EQ(m[2].message, WM_SYSKEYUP);
  EXPECT_EQ(m[3].message, WM_SYSKEYUP);
  EXPECT_EQ(m[4].message, WM_SYSKEYDOWN);
  EXPECT_EQ(m[4].wParam, WPARAM{VK_F10});
}

TEST_F(MessageQueue, MouseAndMovePackTheirCoordinates) {
  platform::HostEvent e;
  e.kind = platform::HostEvent::MouseMove;
  e.x = 59;
  e.y = 47;
  host.Inject(e);
  e.kind = platform::HostEvent::WindowMoved;
  e.x = -3;
  e.y = 40000 - 65536;
  host.Inject(e);
  const std::vector<MSG> m = Drain();
  ASSERT_EQ(m.size(), 2u);
  EXPECT_EQ(m[0].message, WM_MOUSEMOVE);
  EXPECT_EQ(m[0].lParam, MAKELPARAM(59, 47));
  EXPECT_EQ(m[1].message, WM_MOVE);
  EXPECT_EQ(static_cast<SHORT>(LOWORD(m[1].lParam)), -3);
  EXPECT_EQ(static_cast<SHORT>(HIWORD(m[1].lParam)), 40000 - 65536);
}


// The window hears of the pointer only over its client area, in unsigned 16-bit client
// coordinates: a host that reports a drag past the edge must not hand the game 65531.
TEST_F(MessageQueue, MovesOutsideTheClientAreaDoNotReachTheWindow) {
  RECT client{};
  ASSERT_TRUE(GetClientRect(window_, &client));
  const int w = client.right, h = client.bottom;
  ASSERT_GT(w, 1);
  ASSERT_GT(h, 1);
  const int points[][2] = {{-5, 10}, {10, -1}, {w, 10}, {10, h}, {0, 0}, {w - 1, h - 1}, {-1, -1}};
  for (const auto& p : points) {
    platform::HostEvent e;
    e.kind = platform::HostEvent::MouseMove;
    e.x = p[0];
    e.y = p[1];
    host.Inject(e);
  }
  const std::vector<MSG> m = Drain();
  ASSERT_EQ(m.size(), 2u);
  EXPECT_EQ(m[0].message, WM_MOUSEMOVE);
  EXPECT_EQ(m[0].lParam, MAKELPARAM(0, 0));
  EXPECT_EQ(m[1].message, WM_MOUSEMOVE);
  EXPECT_EQ(m[1].lParam, MAKELPARAM(w - 1, h - 1));
}

TEST_F(MessageQueue, PostedComeBeforeInputAndQuitComesLast) {
  host.PressKey('K');
  PostQuitMessage(7);
  ASSERT_TRUE(PostMessageA(window_, WM_USER, 1, 0));
  ASSERT_TRUE(PostMessageA(nullptr, WM_USER, 2, 0));
  const std::vector<MSG> m = Drain();
  ASSERT_EQ(m.size(), 4u);
  EXPECT_EQ(m[0].wParam, 1u);
  EXPECT_EQ(m[1].wParam, 2u);
  EXPECT_EQ(m[2].message, WM_KEYDOWN);
  EXPECT_EQ(m[3].message, WM_QUIT);
  EXPECT_EQ(m[3].wParam, 7u);
  MSG none;
  EXPECT_FALSE(PeekMessageA(&none, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(MessageQueue, DestroyingSendsDestroyAndDropsWhatWasPostedToTheWindow) {
  ASSERT_TRUE(PostMessageA(window_, WM_USER, 0, 0));
  g_seen.clear();
  ASSERT_TRUE(DestroyWindow(window_));
  ASSERT_FALSE(g_seen.empty());
  EXPECT_EQ(g_seen[0].message, WM_DESTROY);
  EXPECT_TRUE(host.window_closed);
  EXPECT_TRUE(Drain().empty());
  EXPECT_FALSE(PostMessageA(window_, WM_USER, 0, 0));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
}

TEST_F(MessageQueue, PostsFromAnotherThreadAllArriveInOrder) {
  constexpr int kCount = 5000;
  std::thread poster([&] {
    for (int i = 0; i < kCount;) {
      if (PostMessageA(window_, WM_USER, static_cast<WPARAM>(i), 0)) ++i;
    }
  });
  int expected = 0;
  MSG m;
  while (expected < kCount) {
    if (!PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) continue;
    ASSERT_EQ(m.wParam, static_cast<WPARAM>(expected));
    ++expected;
  }
  poster.join();
}

// The host wakes a wait for its own input only; what another thread posts ends the wait at the
// next look between the host's waits.
TEST_F(MessageQueue, AMessagePostedFromAnotherThreadEndsTheWait) {
  const struct {
    const char* what;
    void (*post)(HWND);
    UINT message;
  } cases[] = {
      {"posted message", [](HWND w) { PostMessageA(w, WM_USER, 7, 0); }, WM_USER},
      {"quit request", [](HWND) { PostQuitMessage(3); }, WM_QUIT},
  };
  for (const auto& c : cases) {
    int waits = 0;
    host.on_wait_event = [&] {
      ++waits;
      if (waits == 3) std::thread(c.post, window_).join();
      if (waits == 50) host.PressKey('Z');  // the wait did not end: let the test go on
    };
    EXPECT_EQ(WaitMessage(), TRUE);
    EXPECT_EQ(waits, 3) << c.what;
    MSG m;
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) << c.what;
    EXPECT_EQ(m.message, c.message) << c.what;
  }
}

TEST_F(MessageQueue, ActivationIsToldOnlyWhenItChanges) {
  g_seen.clear();
  ShowWindow(window_, SW_SHOWNORMAL);  // the started program comes up active
  ASSERT_EQ(g_seen.size(), 1u);
  EXPECT_EQ(g_seen[0].message, WM_ACTIVATEAPP);
  EXPECT_EQ(g_seen[0].wParam, WPARAM{TRUE});
  platform::HostEvent e;
  e.kind = platform::HostEvent::Activate;
  host.Inject(e);
  EXPECT_TRUE(Drain().empty());
  e.kind = platform::HostEvent::Deactivate;
  host.Inject(e);
  host.Inject(e);
  const std::vector<MSG> m = Drain();
  ASSERT_EQ(m.size(), 1u);
  EXPECT_EQ(m[0].message, WM_ACTIVATEAPP);
  EXPECT_EQ(m[0].wParam, WPARAM{FALSE});
}

TEST_F(MessageQueue, AltF4ThroughTheDefaultProcedureClosesTheWindow) {
  host.PressKey(VK_F4, true);
  for (const MSG& m : Drain()) DispatchMessageA(&m);
  EXPECT_FALSE(IsWindow(window_));
}

}  // namespace
