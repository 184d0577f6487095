// Windows, classes, system metrics, key state, the cursor and message boxes of the stand-in.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/host_headless.h"
#include "platform/kernel32.h"
#include "platform/user32.h"
#include "platform/winmm.h"

namespace {

class Windowing : public ::testing::Test {
 protected:
  platform::HeadlessHost host;
  void SetUp() override {
    platform::SetHost(&host);
    platform::ResetWindowing();
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = "DEFAULT";
    ASSERT_NE(RegisterClassA(&wc), 0);
  }
  void TearDown() override {
    platform::ResetWindowing();
    platform::SetHost(nullptr);
  }
  HWND Create(DWORD style, int x, int y, int w, int h) {
    return CreateWindowExA(0, "DEFAULT", "title", style, x, y, w, h, nullptr, nullptr, nullptr,
                           nullptr);
  }
};


// The class's icon is the program's icon resource of that name: its bitmap reaches the window.
TEST(WindowIcon, TheClassIconResourceReachesTheWindowAndAMissingOneIsNull) {
  platform::HeadlessHost host;
  platform::SetHost(&host);
  platform::ResetWindowing();
  platform::ClearResources();
  EXPECT_EQ(LoadIconA(nullptr, "MAIN"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_RESOURCE_NAME_NOT_FOUND);
  const std::vector<uint8_t> bmp = {'B', 'M', 1, 2, 3};
  platform::AddResource("MAIN", nullptr, RT_RCDATA, {9});  // another type of the same name
  EXPECT_EQ(LoadIconA(nullptr, "MAIN"), nullptr);
  platform::AddResource("MAIN", nullptr, RT_GROUP_ICON, bmp);
  const HICON icon = LoadIconA(nullptr, "main");
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(LoadIconA(nullptr, "MAIN"), icon);
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hIcon = icon;
  wc.lpszClassName = "DEFAULT";
  ASSERT_NE(RegisterClassA(&wc), 0);
  ASSERT_NE(CreateWindowExA(0, "DEFAULT", "t", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                            nullptr),
            nullptr);
  EXPECT_EQ(host.window_icon, bmp);
  platform::ResetWindowing();
  platform::ClearResources();
  platform::SetHost(nullptr);
}

TEST_F(Windowing, PopupCoveringTheScreenIsFullScreen) {
  host.desktop_width = 800;
  host.desktop_height = 600;
  ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), 800);
  ASSERT_NE(Create(WS_POPUP | WS_SYSMENU, 0, 0, 800, 600), nullptr);
  EXPECT_TRUE(host.window_fullscreen);
  EXPECT_EQ(host.window_w, 800);
  EXPECT_EQ(host.window_x, 0);
}

TEST_F(Windowing, ClientAreaFollowsTheWindowWhenItMoves) {
  HWND w = Create(WS_CAPTION, 100, 50, 366, 505);
  RECT r;
  ASSERT_TRUE(GetClientRect(w, &r));
  EXPECT_EQ(r.right, 360);
  EXPECT_EQ(r.bottom, 480);
  POINT p{5, 6};
  ASSERT_TRUE(ClientToScreen(w, &p));
  EXPECT_EQ(p.x, 103 + 5);
  EXPECT_EQ(p.y, 72 + 6);
  platform::HostEvent moved;
  moved.kind = platform::HostEvent::WindowMoved;
  moved.x = -40;
  moved.y = 10;
  host.Inject(moved);
  MSG m;
  ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
  p = POINT{0, 0};
  ClientToScreen(w, &p);
  EXPECT_EQ(p.x, -40);
  EXPECT_EQ(p.y, 10);
}

TEST_F(Windowing, UnknownClassOrRefusedClassFails) {
  EXPECT_EQ(CreateWindowExA(0, "NOPE", "t", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr),
            nullptr);
  EXPECT_EQ(GetLastError(), ERROR_CANNOT_FIND_WND_CLASS);
  WNDCLASSA again{};
  again.lpszClassName = "default";
  EXPECT_EQ(RegisterClassA(&again), 0);
  EXPECT_EQ(GetLastError(), ERROR_CLASS_ALREADY_EXISTS);
  EXPECT_FALSE(host.window_open);
}


TEST_F(Windowing, GetKeyStateSetsTheHighBitAndReadsEitherSide) {
  EXPECT_EQ(GetKeyState('A') & 0x80, 0);
  host.keys_down[int{'A'}] = true;
  EXPECT_NE(GetKeyState('A') & 0x80, 0);
  EXPECT_LT(GetKeyState('A'), 0);
  host.keys_down[VK_LSHIFT] = true;
  host.keys_down[VK_RCONTROL] = true;
  EXPECT_NE(GetKeyState(VK_SHIFT) & 0x80, 0);
  EXPECT_NE(GetKeyState(VK_CONTROL) & 0x80, 0);
  EXPECT_EQ(GetKeyState(VK_MENU) & 0x80, 0);
  EXPECT_EQ(GetKeyState(0x1234), 0);
}

TEST_F(Windowing, CursorShowsWhileTheCounterIsNotNegativeAndAShapeIsSet) {
  EXPECT_EQ(ShowCursor(FALSE), -1);
  EXPECT_FALSE(host.cursor_visible);
  EXPECT_EQ(ShowCursor(FALSE), -2);
  EXPECT_EQ(ShowCursor(TRUE), -1);
  EXPECT_FALSE(host.cursor_visible);
  EXPECT_EQ(ShowCursor(TRUE), 0);
  EXPECT_TRUE(host.cursor_visible);
  EXPECT_EQ(host.show_cursor_calls, 2);
  const HCURSOR arrow = SetCursor(nullptr);
  EXPECT_EQ(arrow, LoadCursorA(nullptr, IDC_ARROW));
  EXPECT_FALSE(host.cursor_visible);
  SetCursor(arrow);
  EXPECT_TRUE(host.cursor_visible);
  const RECT r{1, 2, 3, 4};
  ClipCursor(&r);
  EXPECT_TRUE(host.cursor_confined);
  EXPECT_EQ(host.confine_bottom, 4);
  ClipCursor(nullptr);
  EXPECT_FALSE(host.cursor_confined);
}

TEST_F(Windowing, MessageBoxWritesToStandardErrorAndShowsTheBox) {
  testing::internal::CaptureStderr();
  EXPECT_EQ(MessageBoxA(nullptr, "テキスト", "題", MB_ICONWARNING), IDOK);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "題: テキスト\n");
  ASSERT_EQ(host.box_texts.size(), 1u);
  EXPECT_EQ(host.box_texts[0], "テキスト");
  EXPECT_EQ(host.box_styles[0], MB_ICONWARNING);
  MessageBeep(0xFFFFFFFF);
  EXPECT_EQ(host.beep_count, 1);
}


TEST(WinmmTime, ClockIsTheHostsLow32Bits) {
  platform::HeadlessHost host;
  platform::SetHost(&host);
  host.clock_ms = 0x100000005ull;
  EXPECT_EQ(timeGetTime(), 5u);
  JOYINFOEX info{};
  info.dwSize = sizeof info;
  info.dwFlags = JOY_RETURNALL | JOY_USEDEADZONE;
  EXPECT_NE(joyGetPosEx(JOYSTICKID1, &info), JOYERR_NOERROR);
  EXPECT_NE(joyConfigChanged(0), JOYERR_NOERROR);
  platform::SetHost(nullptr);
}

}  // namespace
