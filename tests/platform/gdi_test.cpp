// The GDI stand-in: colour matching into a surface's format, copies from bitmaps, text bands.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/ddraw.h"
#include "platform/gdi.h"
#include "platform/host_headless.h"
#include "tests/platform/bitmap_file.h"

namespace {

using platform::PixelLayout;

class Gdi : public ::testing::TestWithParam<PixelLayout> {
 protected:
  platform::HeadlessHost host;
  IDirectDraw* dd = nullptr;
  IDirectDrawSurface* surface = nullptr;
  HDC dc = nullptr;

  void SetUp() override {
    platform::SetHost(&host);
    host.desktop_layout = GetParam();
    ASSERT_EQ(DirectDrawCreate(nullptr, &dd, nullptr), DD_OK);
    DDSURFACEDESC d;
    std::memset(&d, 0, sizeof d);
    d.dwSize = sizeof d;
    d.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    d.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    d.dwWidth = 120;
    d.dwHeight = 40;
    ASSERT_EQ(dd->CreateSurface(&d, &surface, nullptr), DD_OK);
    ASSERT_EQ(surface->GetDC(&dc), DD_OK);
  }
  void TearDown() override {
    surface->ReleaseDC(dc);
    surface->Release();
    dd->Release();
  }
  uint32_t Native(int x, int y) const {
    uint32_t v = 0;
    std::memcpy(&v, surface->pixels + y * surface->pitch + x * surface->BytesPerPixel(),
                surface->BytesPerPixel());
    return v;
  }
};

TEST_P(Gdi, SetPixelMatchesTheSurfaceFormatAndReadsBack) {
  const COLORREF orange = RGB(255, 130, 66);
  const COLORREF set = SetPixel(dc, 3, 2, orange);
  switch (GetParam()) {
    case PixelLayout::Rgb565:
      EXPECT_EQ(Native(3, 2), (31u << 11) | (32u << 5) | 8u);
      EXPECT_EQ(set, RGB(248, 128, 64));
      break;
    case PixelLayout::Rgb555:
      EXPECT_EQ(Native(3, 2), (31u << 10) | (16u << 5) | 8u);
      EXPECT_EQ(set, RGB(248, 128, 64));
      break;
    case PixelLayout::Xrgb8888:
      EXPECT_EQ(Native(3, 2), 0xFF8242u);
      EXPECT_EQ(set, orange);
      break;
  }
  // What GetPixel answers, written back, is the same pixel.
  const uint32_t before = Native(3, 2);
  SetPixel(dc, 4, 2, GetPixel(dc, 3, 2));
  EXPECT_EQ(Native(4, 2), before);
  EXPECT_EQ(GetPixel(dc, 120, 0), CLR_INVALID);
  HDC window = GetDC(nullptr);  // the desktop's context reports its depth and draws nothing
  EXPECT_EQ(GetDeviceCaps(window, BITSPIXEL), platform::BitsPerPixel(GetParam()));
  EXPECT_EQ(GetPixel(window, 0, 0), CLR_INVALID);
  EXPECT_EQ(ReleaseDC(nullptr, window), 1);
  EXPECT_EQ(SetPixel(dc, -1, 0, 0), CLR_INVALID);
}

TEST_P(Gdi, StretchBltCopiesABitmapIntoTheSurface) {
  const auto bytes = testbmp::Rgb(3, 2, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0, 0x808080});
  HBITMAP bitmap = platform::DecodeBitmap(bytes.data(), bytes.size());
  ASSERT_NE(bitmap, nullptr);
  HDC memory = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  EXPECT_EQ(DeleteObject(bitmap), FALSE);  // still selected
  EXPECT_TRUE(StretchBlt(dc, 10, 5, 3, 2, memory, 0, 0, 3, 2, SRCCOPY));
  EXPECT_EQ(GetPixel(dc, 10, 5) & 0xF8F8F8, 0x0000F8u);  // red
  EXPECT_EQ(GetPixel(dc, 12, 5) & 0xF8F8F8, 0xF80000u);  // blue
  EXPECT_EQ(GetPixel(dc, 10, 6) & 0xF8F8F8, 0xF8F8F8u);
  EXPECT_EQ(Native(9, 5), 0u);
  // Twice the size: every source pixel covers two by two.
  EXPECT_TRUE(StretchBlt(dc, 0, 20, 6, 4, memory, 0, 0, 3, 2, SRCCOPY));
  EXPECT_EQ(Native(3, 21), Native(11, 5));
  EXPECT_EQ(Native(5, 23), Native(12, 6));
  SelectObject(memory, previous);
  DeleteDC(memory);
  EXPECT_EQ(DeleteObject(bitmap), TRUE);
}

// Pixel for pixel, a copy reaching past either picture's edge writes only what lies inside both.
TEST_P(Gdi, StretchBltPixelForPixelKeepsInsideBothPictures) {
  const auto bytes =
      testbmp::Rgb(3, 2, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x808080, 0x00FFFF});
  HBITMAP bitmap = platform::DecodeBitmap(bytes.data(), bytes.size());
  ASSERT_NE(bitmap, nullptr);
  HDC memory = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  // Up and left of the surface: its corner gets the bitmap's pixel (1, 1) and (2, 1).
  EXPECT_TRUE(StretchBlt(dc, -1, -1, 3, 2, memory, 0, 0, 3, 2, SRCCOPY));
  EXPECT_EQ(GetPixel(dc, 0, 0) & 0xF8F8F8, 0x808080u & 0xF8F8F8);
  EXPECT_EQ(GetPixel(dc, 1, 0) & 0xF8F8F8, 0xFFFF00u & 0xF8F8F8);  // cyan, as COLORREF
  EXPECT_EQ(Native(2, 0), 0u);
  EXPECT_EQ(Native(0, 1), 0u);
  // Right of and below the surface's edge, and a source rectangle past the bitmap's right edge.
  EXPECT_TRUE(StretchBlt(dc, 118, 39, 3, 2, memory, 0, 0, 3, 2, SRCCOPY));
  EXPECT_EQ(GetPixel(dc, 118, 39) & 0xF8F8F8, 0x0000F8u);  // red
  EXPECT_EQ(GetPixel(dc, 119, 39) & 0xF8F8F8, 0x00F800u);  // green
  EXPECT_TRUE(StretchBlt(dc, 50, 10, 3, 2, memory, 1, 0, 3, 2, SRCCOPY));
  EXPECT_EQ(GetPixel(dc, 50, 10) & 0xF8F8F8, 0x00F800u);  // green
  EXPECT_EQ(GetPixel(dc, 51, 11) & 0xF8F8F8, 0xFFFF00u & 0xF8F8F8);
  EXPECT_EQ(Native(52, 10), 0u);
  EXPECT_EQ(Native(52, 11), 0u);
  EXPECT_EQ(Native(49, 10), 0u);
  SelectObject(memory, previous);
  DeleteDC(memory);
  EXPECT_EQ(DeleteObject(bitmap), TRUE);
}

TEST_P(Gdi, OpaqueTextPaintsABandAsHighAsTheCell) {
  LOGFONTA lf{};
  lf.lfHeight = 16;
  std::strcpy(lf.lfFaceName, "標準ゴシック");
  HFONT font = CreateFontIndirectA(&lf);
  ASSERT_NE(font, nullptr);
  HGDIOBJ previous = SelectObject(dc, font);
  SetBkMode(dc, OPAQUE);
  SetBkColor(dc, RGB(0, 0, 255));
  SetTextColor(dc, RGB(255, 255, 255));
  EXPECT_TRUE(TextOutA(dc, 4, 10, "AB", 2));
  const uint32_t blue = platform::NativeFromColor(GetParam(), RGB(0, 0, 255));
  const uint32_t white = platform::NativeFromColor(GetParam(), RGB(255, 255, 255));
  int top = -1, bottom = -1;
  for (int y = 0; y < 40; ++y) {
    const uint32_t v = Native(4, y);
    if (v == blue || v == white) {
      if (top < 0) top = y;
      bottom = y;
    }
  }
  EXPECT_EQ(top, 10);
  EXPECT_EQ(bottom, 25);
  EXPECT_EQ(Native(3, 12), 0u);
  SelectObject(dc, previous);
  EXPECT_TRUE(DeleteObject(font));
  EXPECT_FALSE(DeleteObject(font));
}

// A line's cell has its top at the y it is drawn at, whichever face draws it: a capital's ink
// starts a row or two below the band's top and leaves the band's last rows free for descenders.
TEST_P(Gdi, CapitalsSitInsideTheBandAtTheirCellsPlace) {
  struct Case {
    const char* face;
    LONG height;
    LONG weight;
    int inkTop, inkBottom;  // rows of the capital's ink below the line's top
  };
  const Case kCases[] = {
      {"標準ゴシック", 12, FW_NORMAL, 1, 9},   // the 12-, 14- and 16-dot bitmap faces
      {"標準ゴシック", 14, FW_NORMAL, 2, 11},
      {"標準ゴシック", 16, FW_NORMAL, 1, 13},
      {"標準ゴシック", 12, FW_BOLD, 2, 9},     // outlines
      {"標準明朝", 12, FW_NORMAL, 2, 9},
      {"標準ゴシック", 24, FW_NORMAL, 3, 19},
  };
  const uint32_t blue = platform::NativeFromColor(GetParam(), RGB(0, 0, 255));
  const uint32_t white = platform::NativeFromColor(GetParam(), RGB(255, 255, 255));
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.face << " " << c.height << " " << c.weight);
    std::memset(surface->pixels, 0, static_cast<size_t>(surface->pitch) * surface->height);
    LOGFONTA lf{};
    lf.lfHeight = c.height;
    lf.lfWeight = c.weight;
    std::strcpy(lf.lfFaceName, c.face);
    HFONT font = CreateFontIndirectA(&lf);
    HGDIOBJ previous = SelectObject(dc, font);
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, RGB(0, 0, 255));
    SetTextColor(dc, RGB(255, 255, 255));
    EXPECT_TRUE(TextOutA(dc, 4, 5, "HE", 2));
    SelectObject(dc, previous);
    DeleteObject(font);
    int bandTop = -1, bandBottom = -1, inkTop = -1, inkBottom = -1;
    for (int y = 0; y < 40; ++y) {
      for (int x = 0; x < 120; ++x) {
        const uint32_t v = Native(x, y);
        if (v != blue && v != white) continue;
        if (bandTop < 0) bandTop = y;
        bandBottom = y;
        if (v != white) continue;
        if (inkTop < 0) inkTop = y;
        inkBottom = y;
      }
    }
    EXPECT_EQ(bandTop, 5);
    EXPECT_EQ(bandBottom, 5 + c.height - 1);
    EXPECT_EQ(inkTop - 5, c.inkTop);
    EXPECT_EQ(inkBottom - 5, c.inkBottom);
  }
}

// Glyphs are kept between lines: each style must still get its own.
TEST_P(Gdi, EveryStyleDrawsItsOwnGlyphs) {
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(255, 255, 255));
  auto draw = [&](LONG height, LONG weight, BYTE italic) {
    std::memset(surface->pixels, 0, static_cast<size_t>(surface->pitch) * surface->height);
    LOGFONTA lf{};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfItalic = italic;
    std::strcpy(lf.lfFaceName, "標準ゴシック");
    HFONT font = CreateFontIndirectA(&lf);
    HGDIOBJ previous = SelectObject(dc, font);
    TextOutA(dc, 2, 2, "HIJ", 3);
    SelectObject(dc, previous);
    DeleteObject(font);
    return std::vector<uint8_t>(surface->pixels,
                                surface->pixels + static_cast<size_t>(surface->pitch) * 40);
  };
  auto ink = [](const std::vector<uint8_t>& v) { return v.size() - std::count(v.begin(), v.end(), 0); };
  const auto regular = draw(16, FW_NORMAL, 0);
  EXPECT_GT(ink(draw(16, FW_BOLD, 0)), ink(regular));
  EXPECT_NE(draw(16, FW_NORMAL, 1), regular);
  EXPECT_NE(draw(20, FW_NORMAL, 0), regular);
  EXPECT_EQ(draw(16, FW_NORMAL, 0), regular);
}

// Small Gothic text keeps look-alike letters apart, and M stands on two stems whose middle strokes
// meet above the baseline (hinted outlines fill it into a blot that reads as W).
TEST_P(Gdi, SmallGothicLettersAreLegible) {
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(255, 255, 255));
  const uint32_t white = platform::NativeFromColor(GetParam(), RGB(255, 255, 255));
  const char kText[] = "MNWH0O8B";
  enum { M, N, W, H, Zero, O, Eight, B };
  for (int height : {12, 14, 16}) {
    SCOPED_TRACE(height);
    std::memset(surface->pixels, 0, static_cast<size_t>(surface->pitch) * surface->height);
    LOGFONTA lf{};
    lf.lfHeight = height;
    std::strcpy(lf.lfFaceName, "標準ゴシック");
    HFONT font = CreateFontIndirectA(&lf);
    HGDIOBJ previous = SelectObject(dc, font);
    TextOutA(dc, 0, 0, kText, 8);
    SelectObject(dc, previous);
    DeleteObject(font);
    const int advance = height / 2;  // half-width letters
    auto cell = [&](int i) {
      std::vector<bool> ink;
      for (int y = 0; y < height; ++y) {
        for (int x = i * advance; x < (i + 1) * advance; ++x) ink.push_back(Native(x, y) == white);
      }
      return ink;
    };
    const std::pair<int, int> kLookAlikes[] = {{M, W}, {N, H}, {M, N}, {W, H}, {M, H},
                                               {N, W}, {Zero, O}, {Eight, B}, {Zero, Eight}, {O, B}};
    for (auto [a, b] : kLookAlikes) {
      EXPECT_NE(cell(a), cell(b)) << kText[a] << " and " << kText[b];
    }
    const std::vector<bool> m = cell(M);
    auto at = [&](int x, int y) { return static_cast<bool>(m[y * advance + x]); };
    int left = advance, right = -1, bottom = -1;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < advance; ++x) {
        if (!at(x, y)) continue;
        left = std::min(left, x);
        right = std::max(right, x);
        bottom = y;
      }
    }
    ASSERT_GT(right - left, 2);
    int middleLowest = -1;
    for (int y = 0; y < height; ++y) {
      for (int x = left + 1; x < right; ++x) {
        if (at(x, y)) middleLowest = y;
      }
    }
    EXPECT_TRUE(at(left, bottom) && at(right, bottom)) << "M stands on two stems";
    EXPECT_GE(middleLowest, 0) << "M has middle strokes";
    EXPECT_LT(middleLowest, bottom) << "M's middle strokes meet above the baseline";
  }
}

INSTANTIATE_TEST_SUITE_P(Layouts, Gdi,
                         ::testing::Values(PixelLayout::Rgb565, PixelLayout::Rgb555,
                                           PixelLayout::Xrgb8888));

TEST(GdiText, CharUpperBuffTouchesAsciiLettersOnly) {
  char text[] = "image/coin1.bmp テスト";
  const std::string before(text);
  EXPECT_EQ(CharUpperBuffA(text, 15), 15u);
  EXPECT_EQ(std::string(text), "IMAGE/COIN1.BMP" + before.substr(15));
}

}  // namespace
