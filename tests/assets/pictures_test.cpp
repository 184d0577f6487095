// The generated pictures: every row of the picture list exists as a 24-bit bitmap of the row's size
// and colour key, keeps its visible pixels off the colour key, and loads and draws through the
// engine's own bitmap path.
#include <gtest/gtest.h>

#include <cstring>

#include "engine/el_draw_internal.h"
#include "engine/profile.h"
#include "game/picture_list.h"
#include "platform/host_headless.h"
#include "tests/assets/asset_files.h"

namespace {

using asset_test::Bitmap;
using asset_test::kProgramDir;
using asset_test::ReadBitmap;

TEST(AssetPictures, LoadListHasEveryImageOfTheGame) {
  // 238 loads of 237 pictures: the list itself must be right before the files are judged by it.
  EXPECT_EQ(asset_test::GameImageLoads().size(), 238u);
  EXPECT_EQ(asset_test::UniqueImages().size(), 237u);
  EXPECT_EQ(asset_test::GameImageLoads()[223], "IMAGE/ZFIRE2.BMP");
  EXPECT_EQ(asset_test::GameImageLoads()[237], "IMAGE/CONTINU1.BMP");
}

// Something to see, and a transparent part exactly when the picture's row keys it on black: an
// unkeyed picture covers its whole rectangle.
TEST(AssetPictures, EveryImageIsA24BitBottomUpBitmapWithSomethingToSee) {
  for (const PictureRow& row : kPictureRows) {
    const Bitmap bmp = ReadBitmap(kProgramDir + "/" + row.file);
    ASSERT_EQ(bmp.error, "") << row.file;
    int visible = 0;
    for (uint32_t p : bmp.pixels) visible += p != 0;
    EXPECT_GT(visible, 0) << row.file << " is all transparent";
    EXPECT_EQ(visible < static_cast<int>(bmp.pixels.size()), row.key == PictureKey::Black)
        << row.file;
  }
}

// The game's rectangles are laid out on the sizes of the picture list (a rectangle past its
// picture is refused at run time, which the replays watch for): each file has its row's size.
TEST(AssetPictures, EveryDrawnRectangleLiesInsideItsPicture) {
  for (const PictureRow& row : kPictureRows) {
    const Bitmap bmp = ReadBitmap(kProgramDir + "/" + row.file);
    ASSERT_EQ(bmp.error, "") << row.file;
    EXPECT_EQ(bmp.width, row.width) << row.file;
    EXPECT_EQ(bmp.height, row.height) << row.file;
  }
}

TEST(AssetPictures, VisiblePixelsSurviveTheKeyInSixteenBitModes) {
  // Only pure black is meant to vanish; a dark pixel that falls to 0 in 5-6-5 or 5-5-5 would
  // vanish too on a 16-bit desktop but not on a 32-bit one.
  for (const std::string& name : asset_test::UniqueImages()) {
    const Bitmap bmp = ReadBitmap(kProgramDir + "/" + name);
    ASSERT_EQ(bmp.error, "") << name;
    for (int y = 0; y < bmp.height; ++y) {
      for (int x = 0; x < bmp.width; ++x) {
        const uint32_t p = bmp.At(x, y);
        if (p == 0) continue;
        const uint32_t r = p >> 16, g = (p >> 8) & 0xFF, b = p & 0xFF;
        ASSERT_TRUE(r >= 8 || g >= 8 || b >= 8) << name << " pixel " << x << "," << y;
      }
    }
  }
}

TEST(AssetPictures, ScrollingLayersAreMostlyTransparent) {
  // Each layer is drawn over the ones before it: a layer that covered the screen would hide them.
  for (const char* name : {"IMAGE/BACK/BBACK1S.BMP", "IMAGE/BACK/BBACK2S.BMP",
                           "IMAGE/BACK/BBACK3S.BMP", "IMAGE/BACK/BBACK4S.BMP",
                           "IMAGE/BACK/BBACK8S.BMP"}) {
    const Bitmap bmp = ReadBitmap(kProgramDir + "/" + name);
    ASSERT_EQ(bmp.error, "") << name;
    size_t visible = 0;
    for (uint32_t p : bmp.pixels) visible += p != 0;
    EXPECT_LT(visible * 2, bmp.pixels.size()) << name;
  }
}

// ---------------------------------------------------------------------------- through the engine

class AssetPicturesInEngine : public ::testing::Test {
 protected:
  platform::HeadlessHost host;

  void SetUp() override {
    platform::SetHost(&host);
    host.desktop_width = kProfile.screenWidth;
    host.desktop_height = kProfile.screenHeight;
    host.desktop_layout = platform::PixelLayout::Xrgb8888;  // colours pass unchanged
    host.module_path = kProgramDir + "/morventica-w480";
    ASSERT_EQ(elDraw::Screen(kProfile.screenWidth, kProfile.screenHeight, kProfile.screenMode), 1);
  }

  static uint32_t BackPixel(int x, int y) {
    uint32_t v;
    std::memcpy(&v, gBackSurface->pixels + static_cast<size_t>(y) * gBackSurface->pitch + x * 4, 4);
    return v & 0xFFFFFF;
  }
};

TEST_F(AssetPicturesInEngine, WholeListLoadsIntoSlotsFromFour) {
  const std::vector<std::string> loads = asset_test::GameImageLoads();
  for (size_t i = 0; i < loads.size(); ++i) {
    const int slot = elDraw::LoadObject(loads[i].c_str(), 2);
    ASSERT_EQ(slot, static_cast<int>(4 + i)) << loads[i];
    const Bitmap bmp = ReadBitmap(kProgramDir + "/" + loads[i]);
    EXPECT_EQ(gDrawObjects[slot].width, bmp.width) << loads[i];
    EXPECT_EQ(gDrawObjects[slot].height, bmp.height) << loads[i];
  }
  EXPECT_TRUE(host.box_texts.empty()) << host.box_texts.front();
}

TEST_F(AssetPicturesInEngine, TitleReachesTheBackBufferAsPainted) {
  const int slot = elDraw::LoadObject("IMAGE/TITLEC.BMP", 2);
  ASSERT_EQ(slot, 4);
  elDraw::ClearBack();
  elDraw::BltObject(0, 0, slot, 0, 0, 360, 480);
  const Bitmap bmp = ReadBitmap(kProgramDir + "/IMAGE/TITLEC.BMP");
  for (int y = 0; y < 480; ++y) {
    for (int x = 0; x < 360; ++x) ASSERT_EQ(BackPixel(x, y), bmp.At(x, y)) << x << "," << y;
  }
}

TEST_F(AssetPicturesInEngine, BlackPartsOfSpritesLetTheBackgroundThrough) {
  for (const char* name : {"IMAGE/COIN1.BMP", "IMAGE/SFLH6.BMP", "IMAGE/ZAKU/SZAK2.BMP"}) {
    const int slot = elDraw::LoadObject(name, 2);
    ASSERT_GT(slot, 0) << name;
    const Bitmap bmp = ReadBitmap(kProgramDir + "/" + name);
    // Background: a colour no picture uses at its corners.
    for (int y = 0; y < 480; ++y) {
      for (int x = 0; x < 360; ++x) {
        uint32_t v = 0x123456;
        std::memcpy(gBackSurface->pixels + static_cast<size_t>(y) * gBackSurface->pitch + x * 4, &v, 4);
      }
    }
    elDraw::BltObject(10, 20, slot, 0, 0, bmp.width, bmp.height);
    int shown = 0, through = 0;
    for (int y = 0; y < bmp.height; ++y) {
      for (int x = 0; x < bmp.width; ++x) {
        const uint32_t want = bmp.At(x, y) == 0 ? 0x123456 : bmp.At(x, y);
        ASSERT_EQ(BackPixel(10 + x, 20 + y), want) << name << " " << x << "," << y;
        ++(bmp.At(x, y) == 0 ? through : shown);
      }
    }
    EXPECT_GT(shown, 0) << name;
    EXPECT_GT(through, 0) << name << " has no transparent part";
  }
}

}  // namespace
