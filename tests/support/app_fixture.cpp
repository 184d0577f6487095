#include "tests/support/app_fixture.h"

#include <stdlib.h>

#include <filesystem>

#include "engine/profile.h"
#include "platform/instance_link.h"
#include "platform/kernel32.h"
#include "platform/user32.h"

namespace morv_test {

void AppFixture::SetUp() {
  char pattern[] = "/tmp/morv-app-XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  program_dir = pattern;
  host.module_path = program_dir + "/" + kProfile.program;
  platform::SetHost(&host);
  platform::SetLockDirectory(program_dir);
  platform::ResetWindowing();
  platform::CloseAllNamedMutexes();
}

void AppFixture::TearDown() {
  platform::ResetWindowing();
  platform::CloseAllNamedMutexes();
  platform::SetLockDirectory("");
  platform::SetHost(nullptr);
  std::error_code ignored;
  std::filesystem::remove_all(program_dir, ignored);
}

int AppFixture::Start() {
  const int started = AppStartUp(GetModuleHandleA(nullptr), SW_SHOWNORMAL);
  if (started != 0) RunUntilFrame();
  return started;
}

bool AppFixture::RunUntilFrame(int maxPasses) {
  for (int i = 0; i < maxPasses; ++i) {
    const LoopStep step = RunLoopOnce();
    if (step == LoopStep::Frame) return true;
    if (step == LoopStep::Quit) return false;
  }
  return false;
}

bool AppFixture::RunFrames(int count) {
  for (int i = 0; i < count; ++i) {
    if (!RunUntilFrame()) return false;
  }
  return true;
}

bool AppFixture::RunUntilQuit(int maxPasses, int* frames) {
  int ran = 0;
  for (int i = 0; i < maxPasses; ++i) {
    const LoopStep step = RunLoopOnce();
    if (step == LoopStep::Frame) ++ran;
    if (step == LoopStep::Quit) {
      if (frames != nullptr) *frames = ran;
      return true;
    }
  }
  if (frames != nullptr) *frames = ran;
  return false;
}

void AppFixture::MoveMouse(int x, int y) {
  host.cursor_x = gClientX + x;
  host.cursor_y = gClientY + y;
  Inject(platform::HostEvent::MouseMove, x, y);
}

void AppFixture::PlaceCursorOnScreen(int x, int y) {
  host.cursor_x = x;
  host.cursor_y = y;
}

void AppFixture::ButtonDown(int button, bool doubleClick) {
  using platform::HostEvent;
  host.InjectPointer(doubleClick ? HostEvent::ButtonDouble : HostEvent::ButtonDown,
                     host.cursor_x - gClientX, host.cursor_y - gClientY, button);
}

void AppFixture::ButtonUp(int button) {
  host.InjectPointer(platform::HostEvent::ButtonUp, host.cursor_x - gClientX,
                     host.cursor_y - gClientY, button);
}

void AppFixture::Inject(platform::HostEvent::Kind kind, int x, int y) {
  host.InjectPointer(kind, x, y);
}

}  // namespace morv_test
