// Headless pictures of the real game for the README: plays stage 1, stage 2 and each boss fight on
// the headless driver (the ship immune, firing and swaying) and writes each presented frame as a
// binary PPM picture into the given directory. scripts/readme_pictures.sh turns them into PNG.
//
//   morv_capture OUT_DIR
#include <cstdio>
#include <string>

#include "game/game_states.h"
#include "game/player_data.h"
#include "game/stage_drivers.h"
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
bool Capture(const Scene& scene, const std::string& dir) {
  morv_test::GameDriver game;
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
  if (!WritePpm(game, path)) return false;
  std::printf("capture: %s (state %d, distance %.0f)\n", path.c_str(), gGameState, gDistance);
  return game.host.box_texts.empty();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUT_DIR\n", argv[0]);
    return 2;
  }
  for (const Scene& scene : kScenes) {
    if (!Capture(scene, argv[1])) {
      std::fprintf(stderr, "capture: %s failed\n", scene.name);
      return 1;
    }
  }
  return 0;
}
