#include "tests/assets/asset_files.h"

#include <algorithm>

namespace asset_test {

namespace {

// A run of names "prefix<n>suffix" for n = first to last, or one name when first is 0.
struct Run {
  const char* prefix;
  int first;
  int last;
  const char* suffix;
};

const Run kLoadRuns[] = {
    {"IMAGE/COIN1.BMP", 0, 0, ""},       {"IMAGE/COIN2.BMP", 0, 0, ""},
    {"IMAGE/COINBK1.BMP", 0, 0, ""},     {"IMAGE/ZBAK", 1, 6, "B.BMP"},
    {"IMAGE/BBAK1B.BMP", 0, 0, ""},      {"IMAGE/HOMINGL1.BMP", 0, 0, ""},
    {"IMAGE/MYRCL", 51, 66, ".BMP"},     {"IMAGE/MYRCL", 51, 66, "G.BMP"},
    {"IMAGE/MYRCL", 51, 71, "TH.BMP"},   {"IMAGE/GFBAK1.BMP", 0, 0, ""},
    {"IMAGE/MYME1L", 1, 20, ".BMP"},     {"IMAGE/MYME1.BMP", 0, 0, ""},
    {"IMAGE/MYME1F1.BMP", 0, 0, ""},     {"IMAGE/OPMY1.BMP", 0, 0, ""},
    {"IMAGE/FKOV1.BMP", 0, 0, ""},       {"IMAGE/FBOM1.BMP", 0, 0, ""},
    {"IMAGE/MYMY.BMP", 0, 0, ""},        {"IMAGE/MYEND.BMP", 0, 0, ""},
    {"IMAGE/MYENDF.BMP", 0, 0, ""},      {"IMAGE/MYGOODN.BMP", 0, 0, ""},
    {"IMAGE/SUJI09.BMP", 0, 0, ""},      {"IMAGE/SUJI09_2.BMP", 0, 0, ""},
    {"IMAGE/RANKING1.BMP", 0, 0, ""},    {"IMAGE/HAHEN.BMP", 0, 0, ""},
    {"IMAGE/HAHEN2.BMP", 0, 0, ""},      {"IMAGE/SFLHV1.BMP", 0, 0, ""},
    {"IMAGE/SFLHV2.BMP", 0, 0, ""},      {"IMAGE/SFLH1.BMP", 0, 0, ""},
    {"IMAGE/MYME1B.BMP", 0, 0, ""},      {"IMAGE/SFLH", 2, 8, ".BMP"},
    {"IMAGE/SFLH11.BMP", 0, 0, ""},      {"IMAGE/SFLH22.BMP", 0, 0, ""},
    {"IMAGE/SFLH33.BMP", 0, 0, ""},      {"IMAGE/FLHST12.BMP", 0, 0, ""},
    {"IMAGE/FLHST11.BMP", 0, 0, ""},     {"IMAGE/FLHST2.BMP", 0, 0, ""},
    {"IMAGE/FLHST22.BMP", 0, 0, ""},     {"IMAGE/FLHST3.BMP", 0, 0, ""},
    {"IMAGE/FLHST33.BMP", 0, 0, ""},     {"IMAGE/FLW1_3.BMP", 0, 0, ""},
    {"IMAGE/FLW2_1.BMP", 0, 0, ""},      {"IMAGE/FLW3_2.BMP", 0, 0, ""},
    {"IMAGE/FLW11.BMP", 0, 0, ""},       {"IMAGE/FLW22.BMP", 0, 0, ""},
    {"IMAGE/FLW33.BMP", 0, 0, ""},       {"IMAGE/KOV1.BMP", 0, 0, ""},
    {"IMAGE/KOV2.BMP", 0, 0, ""},        {"IMAGE/KOV11.BMP", 0, 0, ""},
    {"IMAGE/KOV22.BMP", 0, 0, ""},       {"IMAGE/KOV3.BMP", 0, 0, ""},
    {"IMAGE/KOV", 4, 8, ".BMP"},         {"IMAGE/KOV10.BMP", 0, 0, ""},
    {"IMAGE/SPOWER1.BMP", 0, 0, ""},     {"IMAGE/FBAK1.BMP", 0, 0, ""},
    {"IMAGE/ZAKU/SZAK", 1, 10, ".BMP"},  {"IMAGE/VAL11.BMP", 0, 0, ""},
    {"IMAGE/VAL12.BMP", 0, 0, ""},       {"IMAGE/VAL13.BMP", 0, 0, ""},
    {"IMAGE/VAL1.BMP", 0, 0, ""},        {"IMAGE/VAL2.BMP", 0, 0, ""},
    {"IMAGE/VAL3.BMP", 0, 0, ""},        {"IMAGE/RPANEL3R.BMP", 0, 0, ""},
    {"IMAGE/RPANEL2R.BMP", 0, 0, ""},    {"IMAGE/BOSS/BOSS11.BMP", 0, 0, ""},
    {"IMAGE/BOSS/BOSS11_", 1, 3, ".BMP"}, {"IMAGE/BOSS/BOSS31.BMP", 0, 0, ""},
    {"IMAGE/BOSS/BOSS41.BMP", 0, 0, ""}, {"IMAGE/BOSS/BOSS41_", 1, 3, ".BMP"},
    {"IMAGE/BOSS/BOSS51.BMP", 0, 0, ""}, {"IMAGE/BOSS/BOSS71.BMP", 0, 0, ""},
    {"IMAGE/BOSS/BOSS71_", 1, 3, ".BMP"}, {"IMAGE/BOSS/BOS111.BMP", 0, 0, ""},
    {"IMAGE/BOSS/BOS511.BMP", 0, 0, ""}, {"IMAGE/VAL16241.BMP", 0, 0, ""},
    {"IMAGE/VAL20241.BMP", 0, 0, ""},    {"IMAGE/VALL20.BMP", 0, 0, ""},
    {"IMAGE/VAL201.BMP", 0, 0, ""},      {"IMAGE/VAL401.BMP", 0, 0, ""},
    {"IMAGE/VAL402.BMP", 0, 0, ""},      {"IMAGE/VAL402.BMP", 0, 0, ""},
    {"IMAGE/VAL404.BMP", 0, 0, ""},      {"IMAGE/VAL405.BMP", 0, 0, ""},
    {"IMAGE/VAL40L.BMP", 0, 0, ""},      {"IMAGE/VAL40L1.BMP", 0, 0, ""},
    {"IMAGE/VAL40L2.BMP", 0, 0, ""},     {"IMAGE/ZAL20.BMP", 0, 0, ""},
    {"IMAGE/VAL15L.BMP", 0, 0, ""},      {"IMAGE/VAL151L.BMP", 0, 0, ""},
    {"IMAGE/VAL30L.BMP", 0, 0, ""},      {"IMAGE/VAL20.BMP", 0, 0, ""},
    {"IMAGE/VALARM11.BMP", 0, 0, ""},    {"IMAGE/VALARM12.BMP", 0, 0, ""},
    {"IMAGE/VALARM", 31, 34, ".BMP"},    {"IMAGE/VALARM51.BMP", 0, 0, ""},
    {"IMAGE/VALARM70.BMP", 0, 0, ""},    {"IMAGE/VALARM7.BMP", 0, 0, ""},
    {"IMAGE/VALARM", 71, 75, ".BMP"},    {"IMAGE/VAL20w.BMP", 0, 0, ""},
    {"IMAGE/VAL21w.BMP", 0, 0, ""},      {"IMAGE/VAL30w.BMP", 0, 0, ""},
    {"IMAGE/VALL301.BMP", 0, 0, ""},     {"IMAGE/VALL3011.BMP", 0, 0, ""},
    {"IMAGE/VALL", 3013, 3016, ".BMP"},  {"IMAGE/VAL3015A.BMP", 0, 0, ""},
    {"IMAGE/VAL3016A.BMP", 0, 0, ""},    {"IMAGE/VALL3017.BMP", 0, 0, ""},
    {"IMAGE/VALL3018.BMP", 0, 0, ""},    {"IMAGE/VAL3017A.BMP", 0, 0, ""},
    {"IMAGE/VAL3018A.BMP", 0, 0, ""},    {"IMAGE/VALL302.BMP", 0, 0, ""},
    {"IMAGE/VALL3019.BMP", 0, 0, ""},    {"IMAGE/VALL3020.BMP", 0, 0, ""},
    {"IMAGE/MESO1.BMP", 0, 0, ""},       {"IMAGE/ZFIRE1.BMP", 0, 0, ""},
    {"IMAGE/ZFIRE2.BMP", 0, 0, ""},      {"IMAGE/BACK/Kiti01.BMP", 0, 0, ""},
    {"IMAGE/BACK/BBACK", 1, 6, "S.BMP"}, {"IMAGE/BACK/BBACK8S.BMP", 0, 0, ""},
    {"IMAGE/TITLEC.BMP", 0, 0, ""},      {"IMAGE/QZCG1.BMP", 0, 0, ""},
    {"IMAGE/QZCG2.BMP", 0, 0, ""},       {"IMAGE/LEVEL0.BMP", 0, 0, ""},
    {"IMAGE/LEVEL1.BMP", 0, 0, ""},      {"IMAGE/CONTINU1.BMP", 0, 0, ""},
};

}  // namespace

std::vector<std::string> GameImageLoads() {
  std::vector<std::string> out;
  for (const Run& r : kLoadRuns) {
    if (r.first == 0) {
      out.push_back(r.prefix);
      continue;
    }
    for (int n = r.first; n <= r.last; ++n) out.push_back(r.prefix + std::to_string(n) + r.suffix);
  }
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
