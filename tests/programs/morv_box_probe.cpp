// A start of the program (SDL host, least game) whose start-up reports an error, as a missing
// picture does: the error box is up while the assets load. It prints "box" as the box is shown,
// and "ended" with the shutdown's flag when WinMain has returned.
#include <cstdio>

#include "engine/profile.h"
#include "engine/shell.h"
#include "platform/host_sdl.h"
#include "platform/kernel32.h"
#include "platform/user32.h"
#include "tests/stub_game/stub_game.h"

namespace {

class ProbeHost : public platform::SdlHost {
 public:
  using SdlHost::SdlHost;
  void MessageBox(const std::string& text, const std::string& caption, unsigned style) override {
    std::printf("box\n");
    std::fflush(stdout);
    SdlHost::MessageBox(text, caption, style);
  }
};

}  // namespace

int main(int argc, char** argv) {
  ProbeHost host(argc > 0 ? argv[0] : kProfile.program);
  platform::SetHost(&host);
  stub_game::loadAllAssets = [] {
    ShowErrorMessage("elDraw::LoadObject", "BMPファイルを読み込めません");
    gGameState = 1;
    gPrevGameState = 0;
  };
  const int result = WinMain(GetModuleHandleA(nullptr), nullptr, nullptr, SW_SHOWDEFAULT);
  std::printf("ended, shutdown %d\n", gShutdownDone);
  std::fflush(stdout);
  platform::SetHost(nullptr);
  return result;
}
