// The software scaler of the SDL host: which source pixel each target pixel shows, the colours of
// the 16-bit layouts, and the bars around the picture left alone.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/picture_scaler.h"

namespace {

using platform::FrameView;
using platform::PictureScaler;
using platform::PixelLayout;

struct Target {
  int w, h;
  std::vector<uint32_t> pixels;
  Target(int w_, int h_) : w(w_), h(h_), pixels(static_cast<size_t>(w_) * h_, 0xABCDEFu) {}
  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * w + x]; }
  uint8_t* Bytes() { return reinterpret_cast<uint8_t*>(pixels.data()); }
};

TEST(PictureScaler, EachTargetPixelShowsTheSourcePixelUnderItsCentre) {
  // A 5 x 3 picture, pixel (x, y) = 10 y + x, onto 8 x 6 at (1, 2) of a 10 x 9 target.
  std::vector<uint32_t> picture(15);
  for (int i = 0; i < 15; ++i) picture[i] = static_cast<uint32_t>(10 * (i / 5) + i % 5);
  const FrameView frame{picture.data(), 5 * 4, 5, 3, PixelLayout::Xrgb8888};
  PictureScaler scaler;
  scaler.Prepare({5, 3, PixelLayout::Xrgb8888, 1, 2, 8, 6});
  Target t(10, 9);
  scaler.Draw(frame, t.Bytes(), 10 * 4);
  // Column i shows source x (2i + 1) 5 / 16, row j source y (2j + 1) 3 / 12 (whole parts).
  const int xs[] = {0, 0, 1, 2, 2, 3, 4, 4};
  const int ys[] = {0, 0, 1, 1, 2, 2};
  for (int j = 0; j < 6; ++j) {
    for (int i = 0; i < 8; ++i) EXPECT_EQ(t.At(1 + i, 2 + j), 10u * ys[j] + xs[i]) << i << "," << j;
  }
  for (int y = 0; y < 9; ++y) {  // the bars keep what they held
    EXPECT_EQ(t.At(0, y), 0xABCDEFu);
    EXPECT_EQ(t.At(9, y), 0xABCDEFu);
  }
  for (int x = 0; x < 10; ++x) {
    EXPECT_EQ(t.At(x, 1), 0xABCDEFu);
    EXPECT_EQ(t.At(x, 8), 0xABCDEFu);
  }
}

TEST(PictureScaler, SixteenBitPixelsWidenAsTheDisplayShowsThem) {
  struct Case {
    PixelLayout layout;
    uint16_t pixel;
    uint32_t rgb;
  };
  const Case cases[] = {
      {PixelLayout::Rgb565, 0xF800, 0xFF0000}, {PixelLayout::Rgb565, 0x07E0, 0x00FF00},
      {PixelLayout::Rgb565, 0x8410, 0x848284}, {PixelLayout::Rgb555, 0x7C00, 0xFF0000},
      {PixelLayout::Rgb555, 0x4210, 0x848484}, {PixelLayout::Rgb555, 0x001F, 0x0000FF},
  };
  for (const Case& c : cases) {
    const uint16_t picture[2] = {c.pixel, 0};
    const FrameView frame{picture, 4, 2, 1, c.layout};
    PictureScaler scaler;
    scaler.Prepare({2, 1, c.layout, 0, 0, 4, 2});
    Target t(4, 2);
    scaler.Draw(frame, t.Bytes(), 16);
    EXPECT_EQ(t.At(0, 0), c.rgb) << c.pixel;
    EXPECT_EQ(t.At(1, 1), c.rgb) << c.pixel;
    EXPECT_EQ(t.At(2, 1), 0u) << c.pixel;
  }
}

// Only what changed is drawn again: a picture drawn over the one before looks as if drawn alone.
TEST(PictureScaler, APictureDrawnOverTheOneBeforeShowsAsIfDrawnAlone) {
  constexpr int kW = 23, kH = 7;
  std::vector<uint16_t> picture(kW * kH);
  for (int i = 0; i < kW * kH; ++i) picture[i] = static_cast<uint16_t>(i * 37);
  const FrameView frame{picture.data(), kW * 2, kW, kH, PixelLayout::Rgb565};
  PictureScaler scaler;
  scaler.Prepare({kW, kH, PixelLayout::Rgb565, 0, 0, 37, 11});
  Target t(37, 11);
  scaler.Draw(frame, t.Bytes(), 37 * 4);
  const int changes[][2] = {{0, 0}, {22, 6}, {11, 3}, {1, 5}, {21, 2}};  // (x, y) of one pixel
  for (const auto& c : changes) {
    picture[c[1] * kW + c[0]] ^= 0x00FF;  // the low byte alone: the pixel is half changed
    scaler.Draw(frame, t.Bytes(), 37 * 4);
    PictureScaler fresh;
    fresh.Prepare({kW, kH, PixelLayout::Rgb565, 0, 0, 37, 11});
    Target alone(37, 11);
    fresh.Draw(frame, alone.Bytes(), 37 * 4);
    EXPECT_EQ(t.pixels, alone.pixels) << c[0] << "," << c[1];
  }
}

}  // namespace
