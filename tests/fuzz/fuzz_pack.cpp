// Feeds arbitrary bytes to the pack-file reader through a temporary file, on an open screen.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "engine/el_draw.h"
#include "engine/profile.h"
#include "platform/host_headless.h"

namespace {

// The temporary pack file, removed when the fuzzer ends.
struct TempFile {
  std::string path;
  ~TempFile() { std::remove(path.c_str()); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static platform::HeadlessHost host;
  static TempFile file;
  static const std::string& path = file.path = [] {
    platform::SetHost(&host);
    host.desktop_width = 360;
    host.desktop_height = 480;
    elDraw::Screen(kProfile.screenWidth, kProfile.screenHeight, 1);
    const std::string p = "/tmp/morv-fuzz-pack-" + std::to_string(getpid()) + ".dat";
    SetPackFilePath(p.c_str());
    return p;
  }();
  FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return 0;
  std::fwrite(data, 1, size, f);
  std::fclose(f);
  // One name that the fuzzer can find in its input, and one that a lower-case entry never matches.
  elDraw::SwapPack("a", 4, 2);
  elDraw::SwapPack("IMAGE/COIN1.BMP", 4, 2);
  for (int slot = 4; slot < kDrawObjectCount; ++slot) {
    elDraw::ReleaseObject(slot);
    gDrawObjects[slot].name[0] = '\0';
  }
  host.box_texts.clear();
  host.box_captions.clear();
  host.box_styles.clear();
  return 0;
}
