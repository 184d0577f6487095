// A start of the program (SDL host, least game) for the two-process tests. It prints "ready" once
// its first frame has run and "raised" when another start brought it to the front, then closes
// its window; it also closes after ten seconds so that a failed test leaves nothing behind.
#include <cstdio>

#include "engine/profile.h"
#include "engine/shell.h"
#include "platform/host_sdl.h"
#include "platform/kernel32.h"
#include "platform/user32.h"
#include "tests/stub_game/stub_game.h"

namespace {

bool g_raised = false;

class ProbeHost : public platform::SdlHost {
 public:
  using SdlHost::SdlHost;
  void RaiseWindow() override {
    g_raised = true;
    std::printf("raised\n");
    std::fflush(stdout);
    SdlHost::RaiseWindow();
  }
};

}  // namespace

int main(int argc, char** argv) {
  ProbeHost host(argc > 0 ? argv[0] : kProfile.program);
  platform::SetHost(&host);
  const uint32_t started = host.Milliseconds();
  bool said_ready = false;
  bool closing = false;
  stub_game::runTitle = [&] {
    if (!said_ready) {
      said_ready = true;
      std::printf("ready\n");
      std::fflush(stdout);
    }
    if (!closing && (g_raised || host.Milliseconds() - started > 10000)) {
      closing = true;
      PostMessageA(gMainWindow, WM_CLOSE, 0, 0);
    }
    SDL_Delay(2);
  };
  const int result = WinMain(GetModuleHandleA(nullptr), nullptr, nullptr, SW_SHOWDEFAULT);
  platform::SetHost(nullptr);
  return result;
}
