// The software scaler of the SDL host: which source pixel each target pixel shows, the colours of
// the 16-bit layouts, and the bars around the picture left alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "platform/picture_scaler.h"

namespace {

using platform::FrameView;
using platform::PictureScaler;
using platform::PixelLayout;
using platform::PixelToRgb;

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

// Every 16-bit value of both layouts, in a picture of 256 x 256 drawn 1:1 and scaled up to a shape
// whose rows end in part of an 8-pixel group: the colour PixelToRgb gives, at every place.
TEST(PictureScaler, EverySixteenBitValueShowsThePixelToRgbColour) {
  std::vector<uint16_t> picture(65536);
  for (uint32_t v = 0; v < 65536; ++v) picture[v] = static_cast<uint16_t>(v);
  for (const PixelLayout layout : {PixelLayout::Rgb565, PixelLayout::Rgb555}) {
    const FrameView frame{picture.data(), 256 * 2, 256, 256, layout};
    for (const auto& [w, h] : {std::pair{256, 256}, std::pair{403, 259}}) {
      PictureScaler scaler;
      scaler.Prepare({256, 256, layout, 0, 0, w, h});
      Target t(w, h);
      scaler.Draw(frame, t.Bytes(), w * 4);
      int wrong = 0;
      for (int j = 0; j < h; ++j) {
        for (int i = 0; i < w; ++i) {
          const int sx = (2 * i + 1) * 256 / (2 * w), sy = (2 * j + 1) * 256 / (2 * h);
          const uint32_t want = PixelToRgb(&picture[static_cast<size_t>(sy) * 256 + sx], layout);
          if (t.At(i, j) != want && ++wrong <= 5) {
            ADD_FAILURE() << "pixel " << (sy * 256 + sx) << " in layout " << static_cast<int>(layout)
                          << " onto " << w << " x " << h << ": " << std::hex << t.At(i, j) << " for " << want;
          }
        }
      }
      EXPECT_EQ(wrong, 0);
    }
  }
}

// Rows of every width from 1 to 19 pixels (whole 8-pixel groups and the pixels past them) at odd
// places of the target, 1:1 and scaled across (up by less than two, by more, and down), in all
// three layouts, drawn and drawn over with a few pixels changed: each time the pixels the mapping
// and PixelToRgb give, and nothing outside the rectangle.
TEST(PictureScaler, ShortAndOddRowsShowAsDrawnAloneInEveryLayout) {
  for (const PixelLayout layout : {PixelLayout::Rgb565, PixelLayout::Rgb555, PixelLayout::Xrgb8888}) {
    const int bytes = platform::BytesPerPixel(layout);
    for (int src_w = 1; src_w <= 19; ++src_w) {
      for (const int w : {src_w, src_w + src_w / 2 + 1, src_w * 5 / 2 + 1, std::max(1, src_w * 2 / 3)}) {
        constexpr int kSrcH = 3, kH = 5, kX = 3, kY = 1, kTargetH = 7;
        const int target_w = kX + w + 2;
        const int pitch = src_w * bytes + 6;  // rows with a gap after them
        std::vector<uint8_t> picture(static_cast<size_t>(pitch) * kSrcH);
        for (size_t i = 0; i < picture.size(); ++i) picture[i] = static_cast<uint8_t>(i * 167 + 11);
        const FrameView frame{picture.data(), pitch, src_w, kSrcH, layout};
        const PictureScaler::Shape shape{src_w, kSrcH, layout, kX, kY, w, kH};
        PictureScaler scaler;
        scaler.Prepare(shape);
        Target t(target_w, kTargetH);
        for (int round = 0; round < 4; ++round) {
          if (round > 0) picture[static_cast<size_t>(round * 29) % picture.size()] ^= 0x21;
          scaler.Draw(frame, t.Bytes(), target_w * 4);
          Target want(target_w, kTargetH);
          for (int j = 0; j < kH; ++j) {
            for (int i = 0; i < w; ++i) {
              const int sx = (2 * i + 1) * src_w / (2 * w), sy = (2 * j + 1) * kSrcH / (2 * kH);
              want.pixels[static_cast<size_t>(kY + j) * target_w + kX + i] =
                  PixelToRgb(&picture[static_cast<size_t>(sy) * pitch + static_cast<size_t>(sx) * bytes], layout);
            }
          }
          ASSERT_EQ(t.pixels, want.pixels) << "layout " << static_cast<int>(layout) << ", " << src_w << " onto "
                                           << w << ", round " << round;
        }
      }
    }
  }
}

// What Draw says it changed: every row of the rectangle the first time, then only the target rows
// that show a changed source row, none for the same picture again.
TEST(PictureScaler, DrawNamesTheTargetRowsItChanged) {
  constexpr int kW = 20, kH = 6;
  std::vector<uint16_t> picture(kW * kH, 0x1234);
  const FrameView frame{picture.data(), kW * 2, kW, kH, PixelLayout::Rgb565};
  struct Case {
    int w, h;
    int first, last;  // the target rows (the rectangle starts at row 2) that show source row 3
  };
  for (const Case c : {Case{kW, kH, 5, 6}, Case{30, 9, 6, 8}, Case{kW, 12, 8, 10}}) {
    PictureScaler scaler;
    scaler.Prepare({kW, kH, PixelLayout::Rgb565, 1, 2, c.w, c.h});
    Target t(c.w + 2, c.h + 3);
    const int pitch = (c.w + 2) * 4;
    PictureScaler::Rows rows = scaler.Draw(frame, t.Bytes(), pitch);
    EXPECT_EQ(rows.first, 2) << c.w << " x " << c.h;
    EXPECT_EQ(rows.last, 2 + c.h) << c.w << " x " << c.h;
    rows = scaler.Draw(frame, t.Bytes(), pitch);
    EXPECT_TRUE(rows.empty()) << c.w << " x " << c.h;
    picture[3 * kW + 17] = 0x4321;
    rows = scaler.Draw(frame, t.Bytes(), pitch);
    EXPECT_EQ(rows.first, c.first) << c.w << " x " << c.h;
    EXPECT_EQ(rows.last, c.last) << c.w << " x " << c.h;
    picture[3 * kW + 17] = 0x1234;
    picture[0] = 0x0001;  // the first row and the last, the band between them counts
    picture[5 * kW + 19] = 0x0001;
    rows = scaler.Draw(frame, t.Bytes(), pitch);
    EXPECT_EQ(rows.first, 2) << c.w << " x " << c.h;
    EXPECT_EQ(rows.last, 2 + c.h) << c.w << " x " << c.h;
    picture[0] = picture[5 * kW + 19] = 0x1234;
  }
}

}  // namespace
