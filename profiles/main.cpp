// The program: the SDL host, the start-up hooks, then the game's entry point with the command line as it came.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/profile.h"
#include "engine/shell.h"
#include "platform/host.h"
#include "platform/host_sdl.h"
#include "platform/kernel32.h"
#include "platform/user32.h"
#include "profiles/program_icon.h"

int main(int argc, char** argv) {
  platform::SdlHost host(argc > 0 ? argv[0] : kProfile.program);
  platform::SetHost(&host);
  // The program's one resource, its icon, as the window class asks for it by name.
  platform::AddResource("MAIN", nullptr, RT_GROUP_ICON,
                        std::vector<uint8_t>(kProgramIcon, kProgramIcon + kProgramIconSize));
  // The libraries' start-up hooks (the frame gate) read the host's clocks: now, before WinMain.
  RunStartUpHooks();

  // The command line after the program name, kept as one string and not interpreted.
  std::string commandLine;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) commandLine += ' ';
    commandLine += argv[i];
  }
  const int result = WinMain(GetModuleHandleA(nullptr), nullptr, commandLine.data(), SW_SHOWDEFAULT);
  platform::SetHost(nullptr);
  // WinMain ends quietly when its window cannot be made; the player is told why, on one line, and
  // the start counts as failed (no display to open, as over a remote shell without one).
  if (!host.WindowFailure().empty()) {
    std::fprintf(stderr, "%s: cannot open a window: %s\n", kProfile.program,
                 host.WindowFailure().c_str());
    return 1;
  }
  return result;
}
