// The generated pictures: every image of the load list exists as a 24-bit bitmap, is big enough
// for every rectangle the game draws from it, keeps its visible pixels off the colour key, and
// loads and draws through the engine's own bitmap path.
#include <gtest/gtest.h>

#include <cstring>
#include <map>

#include "engine/el_draw_internal.h"
#include "engine/profile.h"
#include "platform/host_headless.h"
#include "tests/assets/asset_files.h"

namespace {

using asset_test::Bitmap;
using asset_test::kProgramDir;
using asset_test::ReadBitmap;

struct Extent {
  int right;
  int bottom;
};

// For each picture the game draws from: the largest right and bottom edge of any source
// rectangle it takes from it (edges exclusive).
const std::map<std::string, Extent> kDrawnExtents = {
    {"IMAGE/TITLEC.BMP", {360, 480}},      {"IMAGE/QZCG1.BMP", {360, 480}},
    {"IMAGE/QZCG2.BMP", {360, 480}},       {"IMAGE/CONTINU1.BMP", {200, 100}},
    {"IMAGE/MYGOODN.BMP", {300, 100}},     {"IMAGE/RANKING1.BMP", {400, 100}},
    {"IMAGE/SUJI09_2.BMP", {200, 25}},     {"IMAGE/MYMY.BMP", {224, 80}},
    {"IMAGE/MYME1.BMP", {240, 70}},        {"IMAGE/MYME1F1.BMP", {180, 80}},
    {"IMAGE/GFBAK1.BMP", {480, 120}},      {"IMAGE/BACK/BBACK1S.BMP", {360, 480}},
    {"IMAGE/BACK/BBACK2S.BMP", {360, 480}}, {"IMAGE/BACK/BBACK3S.BMP", {360, 480}},
    {"IMAGE/BACK/BBACK4S.BMP", {360, 480}}, {"IMAGE/BACK/BBACK8S.BMP", {360, 480}},
    {"IMAGE/BACK/Kiti01.BMP", {360, 360}}, {"IMAGE/ZAKU/SZAK1.BMP", {60, 60}},
    {"IMAGE/ZAKU/SZAK2.BMP", {70, 80}},    {"IMAGE/ZAKU/SZAK3.BMP", {80, 80}},
    {"IMAGE/ZAKU/SZAK4.BMP", {80, 80}},    {"IMAGE/ZAKU/SZAK5.BMP", {80, 80}},
    {"IMAGE/ZAKU/SZAK6.BMP", {80, 80}},    {"IMAGE/ZAKU/SZAK7.BMP", {240, 300}},
    {"IMAGE/ZAKU/SZAK8.BMP", {240, 300}},  {"IMAGE/ZAKU/SZAK9.BMP", {240, 300}},
    {"IMAGE/ZAKU/SZAK10.BMP", {240, 440}}, {"IMAGE/ZFIRE1.BMP", {400, 70}},
    {"IMAGE/ZFIRE2.BMP", {400, 70}},       {"IMAGE/ZBAK1B.BMP", {600, 60}},
    {"IMAGE/ZBAK2B.BMP", {800, 80}},       {"IMAGE/ZBAK3B.BMP", {800, 80}},
    {"IMAGE/ZBAK6B.BMP", {400, 40}},       {"IMAGE/BBAK1B.BMP", {640, 160}},
    {"IMAGE/COINBK1.BMP", {800, 80}},      {"IMAGE/COIN1.BMP", {30, 30}},
    {"IMAGE/COIN2.BMP", {30, 30}},         {"IMAGE/SPOWER1.BMP", {60, 60}},
    {"IMAGE/HAHEN2.BMP", {14, 14}},        {"IMAGE/BOSS/BOSS11.BMP", {440, 360}},
    {"IMAGE/BOSS/BOS111.BMP", {480, 480}}, {"IMAGE/BOSS/BOSS71.BMP", {500, 400}},
    {"IMAGE/BOSS/BOSS71_1.BMP", {500, 400}}, {"IMAGE/BOSS/BOSS71_2.BMP", {500, 400}},
    {"IMAGE/BOSS/BOSS71_3.BMP", {500, 400}}, {"IMAGE/SFLH6.BMP", {60, 60}},
    {"IMAGE/SFLH7.BMP", {60, 60}},         {"IMAGE/SFLH8.BMP", {60, 60}},
    {"IMAGE/FLHST12.BMP", {70, 50}},       {"IMAGE/FLW1_3.BMP", {120, 60}},
    {"IMAGE/FLW2_1.BMP", {60, 60}},        {"IMAGE/FLW3_2.BMP", {60, 60}},
    {"IMAGE/SFLHV1.BMP", {180, 60}},       {"IMAGE/SFLHV2.BMP", {300, 60}},
    {"IMAGE/FLHST2.BMP", {70, 36}},        {"IMAGE/FLHST22.BMP", {124, 70}},
    {"IMAGE/KOV1.BMP", {30, 30}},          {"IMAGE/KOV2.BMP", {20, 20}},
    {"IMAGE/FBOM1.BMP", {80, 80}},         {"IMAGE/RPANEL3R.BMP", {60, 50}},
    {"IMAGE/VAL201.BMP", {140, 20}},       {"IMAGE/VALL301.BMP", {30, 30}},
    {"IMAGE/VALL302.BMP", {30, 30}},       {"IMAGE/VAL404.BMP", {280, 40}},
    {"IMAGE/VAL405.BMP", {200, 40}},       {"IMAGE/VALL20.BMP", {20, 20}},
    {"IMAGE/VALARM11.BMP", {150, 180}},    {"IMAGE/VALARM12.BMP", {150, 180}},
    {"IMAGE/VALARM70.BMP", {120, 120}},    {"IMAGE/VALARM71.BMP", {120, 120}},
    {"IMAGE/VALARM72.BMP", {120, 120}},    {"IMAGE/VALARM73.BMP", {60, 120}},
    {"IMAGE/VALARM74.BMP", {60, 60}},      {"IMAGE/VALARM75.BMP", {60, 60}},
    {"IMAGE/VAL20241.BMP", {480, 20}},     {"IMAGE/VAL402.BMP", {200, 40}},
    {"IMAGE/VAL3015A.BMP", {30, 30}},      {"IMAGE/VAL3016A.BMP", {30, 30}},
    {"IMAGE/VAL3017A.BMP", {30, 30}},      {"IMAGE/VAL3018A.BMP", {30, 30}},
    {"IMAGE/VAL40L.BMP", {39, 39}},        {"IMAGE/VAL40L2.BMP", {39, 39}},
    {"IMAGE/VAL12.BMP", {16, 16}},         {"IMAGE/VAL1.BMP", {256, 16}},
    {"IMAGE/VAL16241.BMP", {384, 16}},
};

TEST(AssetPictures, LoadListHasEveryImageOfTheGame) {
  // 238 loads of 237 pictures: the list itself must be right before the files are judged by it.
  EXPECT_EQ(asset_test::GameImageLoads().size(), 238u);
  EXPECT_EQ(asset_test::UniqueImages().size(), 237u);
  EXPECT_EQ(asset_test::GameImageLoads()[223], "IMAGE/ZFIRE2.BMP");
  EXPECT_EQ(asset_test::GameImageLoads()[237], "IMAGE/CONTINU1.BMP");
}

TEST(AssetPictures, EveryImageIsA24BitBottomUpBitmapWithSomethingToSee) {
  for (const std::string& name : asset_test::UniqueImages()) {
    const Bitmap bmp = ReadBitmap(kProgramDir + "/" + name);
    ASSERT_EQ(bmp.error, "") << name;
    int visible = 0;
    for (uint32_t p : bmp.pixels) visible += p != 0;
    EXPECT_GT(visible, 0) << name << " is all transparent";
  }
}

TEST(AssetPictures, EveryDrawnRectangleLiesInsideItsPicture) {
  for (const auto& [name, extent] : kDrawnExtents) {
    const Bitmap bmp = ReadBitmap(kProgramDir + "/" + name);
    ASSERT_EQ(bmp.error, "") << name;
    EXPECT_GE(bmp.width, extent.right) << name;
    EXPECT_GE(bmp.height, extent.bottom) << name;
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
