// What the asset suites share: the game's load list, the program directory the build wrote the
// assets into, and a small reader of the generated bitmaps.
#pragma once

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace asset_test {

inline const std::string kProgramDir = MORV_PROGRAM_DIR;

inline std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream f(path, std::ios::binary | std::ios::ate);
  if (!f) return {};
  std::vector<uint8_t> bytes(static_cast<size_t>(f.tellg()));
  f.seekg(0);
  f.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return bytes;
}

inline uint32_t Le16(const std::vector<uint8_t>& b, size_t at) { return b[at] | (b[at + 1] << 8); }
inline uint32_t Le32(const std::vector<uint8_t>& b, size_t at) {
  return Le16(b, at) | (Le16(b, at + 2) << 16);
}

// Every image the game loads, in load order ("IMAGE/VAL402.BMP" twice): the picture list's files.
std::vector<std::string> GameImageLoads();
// The same names once each.
std::vector<std::string> UniqueImages();

// A 24-bit bitmap as the generator writes it, decoded to 0xRRGGBB rows from the top. `error`
// names the first header field that is not as written.
struct Bitmap {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
  std::string error;
  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};
Bitmap ReadBitmap(const std::string& path);

}  // namespace asset_test
