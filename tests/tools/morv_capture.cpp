// Headless pictures of the real game for the README: plays stage 1, stage 2 and each boss fight on
// the headless driver (the ship immune, firing and swaying) and writes each presented frame as a
// binary PPM picture into the given directory. scripts/readme_pictures.sh turns them into PNG.
// The game reads its IMAGE/, SOUND/ and MIDI/ from the directory holding this program, as the
// programs do.
//
//   morv_capture OUT_DIR
#include <cstdio>
#include <cstring>
#include <string>

#include "engine/profile.h"
#include "game/game_states.h"
#include "game/player_data.h"
#include "game/stage_drivers.h"
#include "platform/host.h"
#include "platform/user32.h"
#include "tests/support/game_driver.h"

namespace {

struct Scene {
  const char* name;
  int stage;
  float distance;  // where play is put on the stage's clock
  int frames;      // frames played before the picture
};

// Stage 1 and 2 among their enemies, each boss after its entrance, firing.
constexpr Scene kScenes[] = {
    {"stage1", 1, 160.0f, 900},
    {"stage2", 2, 20.0f, 700},
    {"boss1", 1, 1600.0f, 1500},
    {"boss2", 2, 1100.0f, 1500},
};

bool WritePpm(const morv_test::GameDriver& game, const std::string& path) {
  const int w = game.host.last_frame_width, h = game.host.last_frame_height;
  if (w <= 0 || h <= 0) return false;
  FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return false;
  std::fprintf(f, "P6\n%d %d\n255\n", w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const uint32_t p = game.Pixel(x, y);
      const unsigned char rgb[3] = {static_cast<unsigned char>(p >> 16),
                                    static_cast<unsigned char>(p >> 8),
                                    static_cast<unsigned char>(p)};
      std::fwrite(rgb, 1, 3, f);
    }
  }
  return std::fclose(f) == 0;
}

// Plays the scene: fire held, the ship swaying left and right across the lower field.
bool Capture(const Scene& scene, const std::string& programDir, const std::string& dir) {
  morv_test::GameOptions options;
  // The driver points the game at the build folder it was compiled for; this reads the data
  // beside the program instead.
  options.configure = [&programDir](platform::HeadlessHost& host) {
    host.module_path = programDir + "/" + kProfile.program;
  };
  morv_test::GameDriver game(options);
  if (!game.started()) return false;
  game.EnterStage(scene.stage, scene.distance);
  gNoDeath = 1;
  game.Press(VK_SHIFT);
  int steer = VK_LEFT;
  for (int i = 0; i < scene.frames; ++i) {
    if (i % 90 == 0) {
      game.Release(steer);
      steer = (i / 90) % 2 == 0 ? VK_RIGHT : VK_LEFT;
      game.Press(steer);
    }
    if (game.Frames(1) != 1) return false;
  }
  const std::string path = dir + "/" + scene.name + ".ppm";
  if (!WritePpm(game, path)) {
    std::fprintf(stderr, "capture: cannot write %s\n", path.c_str());
    return false;
  }
  std::printf("capture: %s (state %d, distance %.0f)\n", path.c_str(), gGameState, gDistance);
  return game.host.box_texts.empty();
}

// The directory holding this program.
std::string ProgramDirectory(const char* argv0) {
  const std::string program = platform::RunningProgramPath(argv0);
  const size_t slash = program.rfind('/');
  return slash == std::string::npos ? "." : program.substr(0, slash);
}

void Usage(FILE* out, const char* argv0, const std::string& programDir) {
  std::fprintf(out,
               "usage: %s OUT_DIR\n"
               "Plays stage 1, stage 2 and both boss fights headless and writes one picture of\n"
               "each (stage1.ppm, stage2.ppm, boss1.ppm, boss2.ppm, binary PPM) into OUT_DIR,\n"
               "which must exist.\n"
               "The game's data (IMAGE/, SOUND/, MIDI/) is read from the directory holding this\n"
               "program: %s\n",
               argv0, programDir.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  const char* self = argc > 0 ? argv[0] : "morv_capture";
  const std::string programDir = ProgramDirectory(self);
  const char* outDir = nullptr;
  bool options = true;
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (options && (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0)) {
      Usage(stdout, self, programDir);
      return 0;
    }
    if (options && std::strcmp(arg, "--") == 0) {
      options = false;  // what follows is the folder, even when it starts with '-'
      continue;
    }
    const bool unknownOption = options && arg[0] == '-';
    if (unknownOption) std::fprintf(stderr, "%s: unknown option %s\n", self, arg);
    if (unknownOption || outDir != nullptr) {
      Usage(stderr, self, programDir);
      return 2;
    }
    outDir = arg;
  }
  if (outDir == nullptr) {
    Usage(stderr, self, programDir);
    return 2;
  }
  for (const Scene& scene : kScenes) {
    if (!Capture(scene, programDir, outDir)) {
      std::fprintf(stderr, "capture: %s failed (data read from %s)\n", scene.name,
                   programDir.c_str());
      return 1;
    }
  }
  return 0;
}
