#include "tests/assets/asset_files.h"

#include <algorithm>

#include "game/picture_list.h"

namespace asset_test {

std::vector<std::string> GameImageLoads() {
  std::vector<std::string> out;
  for (const PictureRow& row : kPictureRows) out.push_back(row.file);
  return out;
}

std::vector<std::string> UniqueImages() {
  std::vector<std::string> out;
  for (const std::string& name : GameImageLoads()) {
    if (std::find(out.begin(), out.end(), name) == out.end()) out.push_back(name);
  }
  return out;
}

Bitmap ReadBitmap(const std::string& path) {
  Bitmap bmp;
  const std::vector<uint8_t> b = ReadBytes(path);
  if (b.size() < 54) {
    bmp.error = "missing or shorter than its headers";
    return bmp;
  }
  const int width = static_cast<int>(Le32(b, 18)), height = static_cast<int>(Le32(b, 22));
  const uint32_t row = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
  if (b[0] != 'B' || b[1] != 'M') {
    bmp.error = "signature";
  } else if (Le32(b, 2) != b.size()) {
    bmp.error = "file size";
  } else if (Le32(b, 10) != 54 || Le32(b, 14) != 40) {
    bmp.error = "header sizes";
  } else if (width <= 0 || height <= 0) {
    bmp.error = "size (rows must be stored bottom-up)";
  } else if (Le16(b, 26) != 1 || Le16(b, 28) != 24 || Le32(b, 30) != 0) {
    bmp.error = "planes, depth or compression";
  } else if (Le32(b, 34) != row * height || b.size() != 54 + row * height) {
    bmp.error = "pixel data size";
  }
  if (!bmp.error.empty()) return bmp;
  bmp.width = width;
  bmp.height = height;
  bmp.pixels.resize(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    const uint8_t* src = &b[54 + static_cast<size_t>(height - 1 - y) * row];
    for (int x = 0; x < width; ++x) {
      bmp.pixels[static_cast<size_t>(y) * width + x] =
          (uint32_t{src[3 * x + 2]} << 16) | (uint32_t{src[3 * x + 1]} << 8) | src[3 * x];
    }
  }
  return bmp;
}

}  // namespace asset_test
