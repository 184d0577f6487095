// The Windows bitmap reader: every depth and row order it takes, and no bitmap from bad bytes.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <tuple>
#include <utility>

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

// Whether the bytes make a bitmap (deleted again at once).
bool Loads(const std::vector<uint8_t>& file) {
  HBITMAP bitmap = platform::DecodeBitmap(file.data(), file.size());
  if (bitmap != nullptr) DeleteObject(bitmap);
  return bitmap != nullptr;
}

using Stream = std::vector<uint8_t>;

// Four colours for run-length pictures, none of them black.
const std::vector<uint32_t> kFour = {0x112233, 0xFF0000, 0x00FF00, 0x0000FF};

TEST(BitmapReaderErrors, PicturesOfMoreThan2To24PixelsGiveNoBitmap) {
  // 257 x 65281 is 2^24 + 1 pixels: refused with either header, compressed or not, even when the
  // file holds every row; and a two-byte stream asking for 16384 x 16384.
  const Stream endOnly = {0, 1};
  EXPECT_FALSE(Loads(testbmp::RunLength(257, 65281, 8, kFour, endOnly)));
  EXPECT_FALSE(Loads(testbmp::RunLength(65281, 257, 4, kFour, endOnly)));
  EXPECT_FALSE(Loads(testbmp::RunLength(16384, 16384, 8, kFour, endOnly)));
  EXPECT_FALSE(Loads(testbmp::White(257, 65281, false)));
  EXPECT_FALSE(Loads(testbmp::White(257, 65281, true)));

  // A two-byte stream spells out a whole picture, black.
  const auto small = testbmp::RunLength(16, 16, 8, kFour, endOnly);
  HBITMAP fits = platform::DecodeBitmap(small.data(), small.size());
  ASSERT_NE(fits, nullptr);
  EXPECT_EQ(PixelsOf(fits), std::vector<uint32_t>(256, 0));
  DeleteObject(fits);

  // 8192 x 2048 is exactly 2^24 pixels: the run-length picture loads black, the core-header one
  // white. One 64 MiB bitmap at a time.
  for (const auto& [file, colour] :
       {std::pair{testbmp::RunLength(8192, 2048, 8, kFour, endOnly), 0u},
        std::pair{testbmp::White(8192, 2048, true), 0xFFFFFFu}}) {
    HBITMAP most = platform::DecodeBitmap(file.data(), file.size());
    ASSERT_NE(most, nullptr) << colour;
    BITMAP bm{};
    ASSERT_EQ(GetObjectA(most, sizeof bm, &bm), static_cast<int>(sizeof bm));
    EXPECT_EQ(bm.bmWidth, 8192);
    EXPECT_EQ(bm.bmHeight, 2048);
    const auto* p = static_cast<const uint32_t*>(bm.bmBits);
    EXPECT_EQ(p[0], colour);
    EXPECT_EQ(p[8192 * 2048 - 1], colour);
    DeleteObject(most);
  }
}

TEST(BitmapReaderErrors, RunLengthStreamRunningOutBeforeItsEndGivesNoBitmap) {
  // 360 x 480, the stream stopping on its second row, inside a jump, inside a literal run.
  for (const Stream& stream :
       {Stream{5, 1, 0, 0, 3, 2}, Stream{5, 1, 0, 2, 7}, Stream{0, 5, 1, 2, 3, 0}}) {
    EXPECT_FALSE(Loads(testbmp::RunLength(360, 480, 8, kFour, stream))) << stream.size();
  }
}

TEST(BitmapReaderErrors, IndicesPastThePaletteReadBlack) {
  const auto bytes = testbmp::Encode(2, 1, 8, {0, 200}, {0xABCDEF});
  HBITMAP bitmap = platform::DecodeBitmap(bytes.data(), bytes.size());
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(PixelsOf(bitmap), (std::vector<uint32_t>{0xABCDEF, 0}));
  DeleteObject(bitmap);
}

// Run-length pictures of the game's field, 360 x 480, whose streams skip pixels.
constexpr int kFieldW = 360, kFieldH = 480;

// Ends of line: `n` rows left out.
Stream EndsOfLine(int n) { return Stream(static_cast<size_t>(n) * 2, 0); }

Stream Join(std::initializer_list<Stream> parts) {
  Stream all;
  for (const Stream& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// A field-sized picture all black but what `Paint` puts, at (x, y) with y from the bottom row as
// the stream counts it.
struct Field {
  std::vector<uint32_t> pixels = std::vector<uint32_t>(kFieldW * kFieldH, 0);
  void Paint(int x, int y, uint32_t index) {
    pixels[(kFieldH - 1 - y) * kFieldW + x] = kFour[index];
  }
};

// The first pixel where the decoded stream differs from `want` ("" when none does).
std::string Mismatch(int bpp, const Stream& stream, const Field& want) {
  const auto file = testbmp::RunLength(kFieldW, kFieldH, bpp, kFour, stream);
  HBITMAP bitmap = platform::DecodeBitmap(file.data(), file.size());
  if (bitmap == nullptr) return "no bitmap";
  BITMAP bm{};
  GetObjectA(bitmap, sizeof bm, &bm);
  std::string found;
  if (bm.bmWidth != kFieldW || bm.bmHeight != kFieldH) {
    found = "size " + std::to_string(bm.bmWidth) + " x " + std::to_string(bm.bmHeight);
  } else {
    const auto got = PixelsOf(bitmap);
    for (size_t i = 0; i < got.size() && found.empty(); ++i) {
      if (got[i] != want.pixels[i]) {
        found = "x " + std::to_string(i % kFieldW) + ", y " +
                std::to_string(kFieldH - 1 - i / kFieldW) + ": " + std::to_string(got[i]) +
                " for " + std::to_string(want.pixels[i]);
      }
    }
  }
  DeleteObject(bitmap);
  return found;
}

TEST(BitmapReaderSkips, EndsOfLineLeaveRowsAndTheirRestsBlack) {
  // Bottom row: a run of five and a literal run of three; rows 1-238 left out; one pixel on row
  // 239; rows 240-478 left out; the whole top row. RLE8 leaves by an end of line past the top row,
  // RLE4 by an end of picture.
  const Stream rle8 = Join({{5, 1, 0, 3, 2, 3, 0, 0, 0, 0}, EndsOfLine(238), {1, 3, 0, 0},
                            EndsOfLine(239), {255, 2, 105, 2, 0, 0}});
  const Stream rle4 = Join({{5, 0x12, 0, 3, 0x30, 0x10, 0, 0}, EndsOfLine(238), {1, 0x33, 0, 0},
                            EndsOfLine(239), {254, 0x22, 106, 0x22, 0, 1}});
  for (const auto& [bpp, stream, bottom] :
       {std::tuple{8, rle8, std::vector<uint32_t>{1, 1, 1, 1, 1, 2, 3, 0}},
        std::tuple{4, rle4, std::vector<uint32_t>{1, 2, 1, 2, 1, 3, 0, 1}}}) {
    Field want;
    for (int x = 0; x < 8; ++x) want.Paint(x, 0, bottom[x]);
    want.Paint(0, 239, 3);
    for (int x = 0; x < kFieldW; ++x) want.Paint(x, 479, 2);
    EXPECT_EQ(Mismatch(bpp, stream, want), "") << bpp << " bits";
  }
}

TEST(BitmapReaderSkips, JumpsLeaveWhatTheyPassBlack) {
  // Along the bottom row; up 200 rows; far past the row's end (the run there is dropped, not
  // carried onto the next row); an end of line; up past the top row, which ends the picture
  // before the last run.
  const Stream stream = {2, 1, 0, 2, 100, 0, 3, 2, 0, 2, 10, 200, 1, 3, 0, 2, 255, 255,
                         4, 1, 0, 0, 1, 2, 0, 2, 0, 30, 8, 1};
  Field want;
  want.Paint(0, 0, 1);
  want.Paint(1, 0, 1);
  for (int x = 102; x < 105; ++x) want.Paint(x, 0, 2);
  want.Paint(115, 200, 3);
  want.Paint(0, 456, 2);
  EXPECT_EQ(Mismatch(8, stream, want), "");
}

TEST(BitmapReaderSkips, AnEndOfPictureLeavesTheRowsAboveBlack) {
  // RLE4: two rows, the end, then runs the reader must not reach. RLE8: the end alone.
  Field two;
  for (int x = 0; x < 4; ++x) two.Paint(x, 0, x % 2 == 0 ? 1 : 2);
  two.Paint(0, 1, 3);
  two.Paint(1, 1, 3);
  EXPECT_EQ(Mismatch(4, {4, 0x12, 0, 0, 2, 0x33, 0, 1, 255, 0x11, 0, 0, 255, 0x11}, two), "");
  EXPECT_EQ(Mismatch(8, {0, 1}, Field{}), "");
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
