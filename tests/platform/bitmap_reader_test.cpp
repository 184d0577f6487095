// The Windows bitmap reader: every depth and row order it takes, and no bitmap from bad bytes.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "platform/gdi.h"
#include "platform/kernel32.h"
#include "tests/platform/bitmap_file.h"

namespace {

struct Depth {
  int bpp;
  bool topDown;
};

class BitmapReader : public ::testing::TestWithParam<Depth> {};

std::vector<uint32_t> PixelsOf(HBITMAP bitmap) {
  BITMAP bm{};
  EXPECT_EQ(GetObjectA(bitmap, sizeof bm, &bm), static_cast<int>(sizeof bm));
  const auto* p = static_cast<const uint32_t*>(bm.bmBits);
  return std::vector<uint32_t>(p, p + bm.bmWidth * bm.bmHeight);
}

TEST_P(BitmapReader, DecodesEveryPixel) {
  const auto [bpp, topDown] = GetParam();
  // 7 x 3: odd widths exercise the row padding and the part-filled last byte.
  const int w = 7, h = 3;
  std::vector<uint32_t> palette;
  std::vector<uint32_t> values, expected;
  const int colours = bpp <= 8 ? 1 << bpp : 0;
  for (int i = 0; i < std::min(colours, 16); ++i) palette.push_back(0x102030u * (i + 1) & 0xFFFFFF);
  for (int i = 0; i < w * h; ++i) {
    if (bpp <= 8) {
      values.push_back(static_cast<uint32_t>(i % palette.size()));
      expected.push_back(palette[i % palette.size()]);
    } else {
      values.push_back(0x010203u * i + 0x405060u);
      expected.push_back(values.back());
    }
  }
  const auto bytes = testbmp::Encode(w, h, bpp, values, palette, topDown);
  HBITMAP bitmap = platform::DecodeBitmap(bytes.data(), bytes.size());
  ASSERT_NE(bitmap, nullptr);
  BITMAP bm{};
  GetObjectA(bitmap, sizeof bm, &bm);
  EXPECT_EQ(bm.bmWidth, w);
  EXPECT_EQ(bm.bmHeight, h);
  EXPECT_EQ(PixelsOf(bitmap), expected);
  EXPECT_TRUE(DeleteObject(bitmap));
}

INSTANTIATE_TEST_SUITE_P(Depths, BitmapReader,
                         ::testing::Values(Depth{1, false}, Depth{4, false}, Depth{8, false},
                                           Depth{24, false}, Depth{32, false}, Depth{1, true},
                                           Depth{4, true}, Depth{8, true}, Depth{24, true},
                                           Depth{32, true}),
                         [](const ::testing::TestParamInfo<Depth>& info) {
                           return std::to_string(info.param.bpp) + "bpp" +
                                  (info.param.topDown ? "TopDown" : "BottomUp");
                         });

TEST(BitmapReaderErrors, EveryTruncationGivesNoBitmap) {
  const auto bytes = testbmp::Encode(5, 4, 8, std::vector<uint32_t>(20, 1), {0, 0xFFFFFF});
  for (size_t n = 0; n < bytes.size(); ++n) {
    EXPECT_EQ(platform::DecodeBitmap(bytes.data(), n), nullptr) << n;
  }
  HBITMAP whole = platform::DecodeBitmap(bytes.data(), bytes.size());
  EXPECT_NE(whole, nullptr);
  DeleteObject(whole);
}

TEST(BitmapReaderErrors, MalformedHeadersGiveNoBitmap) {
  const auto good = testbmp::Rgb(4, 4, std::vector<uint32_t>(16, 0x123456));
  auto patched = [&](size_t at, uint32_t value, int size) {
    auto b = good;
    for (int i = 0; i < size; ++i) b[at + i] = static_cast<uint8_t>(value >> (8 * i));
    return platform::DecodeBitmap(b.data(), b.size());
  };
  EXPECT_EQ(patched(0, 'X', 1), nullptr);            // not "BM"
  EXPECT_EQ(patched(18, 0, 4), nullptr);             // width 0
  EXPECT_EQ(patched(18, 0xFFFFFFFF, 4), nullptr);    // negative width
  EXPECT_EQ(patched(22, 0, 4), nullptr);             // height 0
  EXPECT_EQ(patched(22, 0x80000000, 4), nullptr);    // the most negative height
  EXPECT_EQ(patched(28, 2, 2), nullptr);             // 2 bits per pixel
  EXPECT_EQ(patched(30, 1, 4), nullptr);             // run-length compressed
  EXPECT_EQ(patched(14, 12, 4), nullptr);            // an old core header
  EXPECT_EQ(patched(10, 0xFFFFFFF0, 4), nullptr);    // pixels past the end
  EXPECT_EQ(patched(22, 100000, 4), nullptr);        // taller than the data
}

TEST(BitmapReaderErrors, RunLengthStreamTooShortToSpellOutItsPictureGivesNoBitmap) {
  // Two bytes spell out at most 255 pixels: a two-byte stream (an end of picture) covers 256.
  auto rle = [](uint32_t w, uint32_t h) {
    auto b = testbmp::Encode(1, 1, 8, {0}, {0xFFFFFF});
    b.resize(b.size() - 4);
    b.insert(b.end(), {0, 1});
    const uint32_t size = static_cast<uint32_t>(b.size());
    for (auto [at, v] : {std::pair{2u, size}, {18u, w}, {22u, h}, {30u, 1u}, {34u, 2u}}) {
      for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
    }
    return platform::DecodeBitmap(b.data(), b.size());
  };
  HBITMAP fits = rle(16, 16);
  ASSERT_NE(fits, nullptr);
  EXPECT_EQ(PixelsOf(fits), std::vector<uint32_t>(256, 0));  // skipped pixels read black
  DeleteObject(fits);
  EXPECT_EQ(rle(17, 16), nullptr);
  EXPECT_EQ(rle(16384, 16384), nullptr);
}

TEST(BitmapReaderErrors, IndicesPastThePaletteReadBlack) {
  const auto bytes = testbmp::Encode(2, 1, 8, {0, 200}, {0xABCDEF});
  HBITMAP bitmap = platform::DecodeBitmap(bytes.data(), bytes.size());
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(PixelsOf(bitmap), (std::vector<uint32_t>{0xABCDEF, 0}));
  DeleteObject(bitmap);
}

TEST(LoadImage, FromAFileOrFromTheResourceTable) {
  const std::string path =
      (std::filesystem::temp_directory_path() / "morv-bitmap-load-test.bmp").string();
  testbmp::WriteFile(path, testbmp::Rgb(2, 1, {0x112233, 0x445566}));
  HANDLE file = LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(PixelsOf(reinterpret_cast<HBITMAP>(file)), (std::vector<uint32_t>{0x112233, 0x445566}));
  DeleteObject(reinterpret_cast<HBITMAP>(file));
  // Without LR_LOADFROMFILE the name is a resource's.
  EXPECT_EQ(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, 0), nullptr);
  platform::AddResource("PIC", nullptr, RT_BITMAP, testbmp::Rgb(1, 1, {0x0000FF}));
  HANDLE resource = LoadImageA(nullptr, "PIC", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
  ASSERT_NE(resource, nullptr);
  EXPECT_EQ(PixelsOf(reinterpret_cast<HBITMAP>(resource)), (std::vector<uint32_t>{0x0000FF}));
  DeleteObject(reinterpret_cast<HBITMAP>(resource));
  EXPECT_EQ(LoadImageA(nullptr, "/no/such/file.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr);
  platform::ClearResources();
  std::filesystem::remove(path);
}

}  // namespace
