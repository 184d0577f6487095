// The surface table: opening the screen, loads and their failures, resource fall-backs, colour
// keys at every depth, lost-surface recovery and release.
#include "engine/shell.h"
#include "platform/kernel32.h"
#include "tests/engine/draw_fixture.h"

namespace {

using platform::PixelLayout;

class DrawSurfaceTable : public DrawTest {
 protected:
  void TearDown() override {
    platform::ClearResources();
    DrawTest::TearDown();
  }
  std::string LastBox() const { return host.box_texts.empty() ? "" : host.box_texts.back(); }
};

TEST_F(DrawSurfaceTable, ScreenMakesTheEngineSlots) {
  Open();
  EXPECT_EQ(gScreenWidth, 360);
  EXPECT_STREQ(gDrawObjects[0].name, "内部用１");
  EXPECT_STREQ(gDrawObjects[3].name, "内部用４");
  for (int slot = 0; slot < 4; ++slot) {
    ASSERT_NE(gDrawObjects[slot].surface, nullptr);
    EXPECT_EQ(gDrawObjects[slot].surface->width, 360);
    EXPECT_EQ(gDrawObjects[slot].placement, 2);
  }
  EXPECT_EQ(gDrawObjects[2].surface->caps & DDSCAPS_SYSTEMMEMORY, DDSCAPS_SYSTEMMEMORY);
  EXPECT_EQ(gDrawObjects[0].surface->caps & DDSCAPS_SYSTEMMEMORY, 0u);
  EXPECT_EQ(gDrawObjects[4].placement, 2);
  EXPECT_EQ(gPixelLayout.greenPlace, 6);
  EXPECT_NE(gDirectDraw->device, nullptr);  // the enumerated device has 3D and textures
  EXPECT_TRUE(host.box_texts.empty());
}

TEST_F(DrawSurfaceTable, WithoutA3dDeviceTheDefaultOneIsUsed) {
  platform::SetDirectDraw3dDevice(false);
  Open();
  EXPECT_EQ(gDirectDraw->device, nullptr);
}

TEST_F(DrawSurfaceTable, FullScreenSetsTheModeOrFails) {
  gFullScreen = 1;
  Open();
  EXPECT_TRUE(host.display_mode_set);
  EXPECT_EQ(host.mode_bpp, 16);
  ReleaseDisplay();
  EXPECT_FALSE(host.display_mode_set);

  host.refuse_display_mode = true;
  EXPECT_EQ(elDraw::Screen(640, 480, 1), 0);
  EXPECT_EQ(LastBox(), "elDraw::Screen : 解像度が変更できません");
  gFullScreen = 0;
}

TEST_F(DrawSurfaceTable, MissingBitmapNamesTheLoad) {
  Open();
  EXPECT_EQ(elDraw::LoadObject("IMAGE/NONE.BMP", 2), 0);
  EXPECT_EQ(LastBox(), "elDraw::LoadObject : BMPファイルを読み込めません");
  // The slot stays taken, without a surface.
  EXPECT_STREQ(gDrawObjects[4].name, "IMAGE/NONE.BMP");
  EXPECT_EQ(gDrawObjects[4].surface, nullptr);
  WriteBitmap("IMAGE/A.BMP", 2, 2, {1, 2, 3, 4});
  EXPECT_EQ(elDraw::LoadObject("IMAGE/A.BMP", 2), 5);
  // A truncated file is no bitmap either.
  auto bytes = testbmp::Rgb(8, 8, std::vector<uint32_t>(64, 0x123456));
  bytes.resize(bytes.size() - 10);
  testbmp::WriteFile(dir + "IMAGE/CUT.BMP", bytes);
  EXPECT_EQ(elDraw::LoadObject("IMAGE/CUT.BMP", 2), 0);
}

TEST_F(DrawSurfaceTable, The497thLoadFails) {
  Open();
  WriteBitmap("IMAGE/A.BMP", 2, 2, {1, 2, 3, 4});
  for (int i = 0; i < 496; ++i) ASSERT_EQ(elDraw::LoadObject("IMAGE/A.BMP", 2), 4 + i);
  EXPECT_TRUE(host.box_texts.empty());
  EXPECT_EQ(elDraw::LoadObject("IMAGE/A.BMP", 2), 0);
  EXPECT_EQ(LastBox(), "elDraw::LoadObject : オブジェクト数が多過ぎます");
  EXPECT_EQ(elDraw::CreateObject(4, 4, 2), 0);
  EXPECT_EQ(LastBox(), "elDraw::CreateObject : オブジェクト数が多過ぎます");
}

TEST_F(DrawSurfaceTable, ThirtyCharacterNamesLoadThirtyOneFail) {
  Open();
  const std::string name30 = "IMAGE/" + std::string(20, 'N') + ".BMP";
  const std::string name31 = "IMAGE/" + std::string(21, 'N') + ".BMP";
  ASSERT_EQ(name30.size(), 30u);
  WriteBitmap(name30, 2, 2, {1, 2, 3, 4});
  WriteBitmap(name31, 2, 2, {1, 2, 3, 4});
  EXPECT_EQ(elDraw::LoadObject(name31.c_str(), 2), 0);
  EXPECT_EQ(LastBox(), "elDraw::LoadObject : ファイル名またはリソース名が長すぎます");
  EXPECT_EQ(gDrawObjects[4].name[0], '\0');  // no slot was taken
  EXPECT_EQ(elDraw::LoadObject(name30.c_str(), 2), 4);
  EXPECT_EQ(name30, gDrawObjects[4].name);
}

TEST_F(DrawSurfaceTable, BitmapResourcesStandInForMissingFiles) {
  Open();
  const auto red = testbmp::Rgb(3, 2, std::vector<uint32_t>(6, 0xFF0000));
  const auto green = testbmp::Rgb(5, 1, std::vector<uint32_t>(5, 0x00FF00));
  platform::AddResource((dir + "IMAGE/FULL.BMP").c_str(), nullptr, RT_BITMAP, red);
  platform::AddResource("IMAGE/BARE.BMP", nullptr, RT_BITMAP, green);
  const int a = elDraw::LoadObject("IMAGE/FULL.BMP", 2);
  const int b = elDraw::LoadObject("IMAGE/BARE.BMP", 2);
  ASSERT_EQ(a, 4);
  ASSERT_EQ(b, 5);
  EXPECT_EQ(gDrawObjects[a].width, 3);
  EXPECT_EQ(SlotPixel(a, 2, 1), 0xF800u);
  EXPECT_EQ(gDrawObjects[b].width, 5);
  EXPECT_EQ(SlotPixel(b, 4, 0), 0x07E0u);
  EXPECT_TRUE(host.box_texts.empty());
}

class DrawColorKey : public DrawTest, public ::testing::WithParamInterface<PixelLayout> {};

TEST_P(DrawColorKey, KeyIsTheColoursOwnPixelValue) {
  Open(GetParam());
  const bool wide = GetParam() == PixelLayout::Xrgb8888;
  const int black = elDraw::CreateObject(4, 4, 2);
  EXPECT_EQ(gDrawObjects[black].surface->sourceKey.dwColorSpaceLowValue, 0u);
  elDraw::SetColorKey(0xFFFFFF);
  const int white = elDraw::CreateObject(4, 4, 2);
  const uint32_t expected = wide ? 0xFFFFFFu : GetParam() == PixelLayout::Rgb565 ? 0xFFFFu : 0x7FFFu;
  EXPECT_EQ(gDrawObjects[white].surface->sourceKey.dwColorSpaceLowValue, expected);
  EXPECT_EQ(gDrawObjects[white].colorKey, 0xFFFFFF);
  // -1 keys a picture on its own top-left pixel.
  elDraw::SetColorKey(-1);
  WriteBitmap("IMAGE/TL.BMP", 2, 2, {0x0000FF, 0, 0, 0x0000FF});
  const int topLeft = elDraw::LoadObject("IMAGE/TL.BMP", 2);
  EXPECT_EQ(gDrawObjects[topLeft].surface->sourceKey.dwColorSpaceLowValue, wide ? 0xFFu : 0x1Fu);
  Fill(gBackSurface, 7);
  elDraw::BltObject(0, 0, topLeft, 0, 0, 2, 2);
  EXPECT_EQ(Back(0, 0), 7u);
  EXPECT_EQ(Back(1, 0), 0u);
}

INSTANTIATE_TEST_SUITE_P(Depths, DrawColorKey,
                         ::testing::Values(PixelLayout::Rgb565, PixelLayout::Rgb555,
                                           PixelLayout::Xrgb8888));

TEST_F(DrawSurfaceTable, LostSurfacesComeBackFromTheirFiles) {
  Open();
  WriteBitmap("IMAGE/PIC.BMP", 4, 4, std::vector<uint32_t>(16, 0xFF0000));
  const int pic = elDraw::LoadObject("IMAGE/PIC.BMP", 2);
  const int made = elDraw::CreateObject(4, 4, 2);
  const int failed = elDraw::LoadObject("IMAGE/GONE.BMP", 2);
  ASSERT_EQ(failed, 0);
  Fill(gDrawObjects[made].surface, 0x1234);
  Fill(gDrawObjects[1].surface, 0x4321);
  const size_t boxes = host.box_texts.size();

  platform::LoseAllSurfaces();
  EXPECT_EQ(SlotPixel(pic, 0, 0), 0u);  // the pixels are really gone
  elDraw::BltObject(0, 0, pic, 0, 0, 4, 4);  // sees the loss and recovers; draws nothing itself
  EXPECT_EQ(gBackSurface->IsLost(), DD_OK);
  EXPECT_EQ(gDrawObjects[1].surface->IsLost(), DD_OK);
  EXPECT_EQ(SlotPixel(pic, 3, 3), 0xF800u);   // reloaded from its file
  EXPECT_EQ(SlotPixel(made, 0, 0), 0u);       // restored, empty
  EXPECT_EQ(SlotPixel(1, 0, 0), 0u);
  EXPECT_STREQ(gDrawObjects[made].name, "*");
  EXPECT_EQ(host.box_texts.size(), boxes);    // the failed slot was skipped quietly
  elDraw::BltObject(0, 0, pic, 0, 0, 4, 4);
  EXPECT_EQ(Back(0, 0), 0xF800u);

  ReleaseDisplay();
  for (const DrawObject& o : gDrawObjects) {
    EXPECT_EQ(o.surface, nullptr);
    EXPECT_EQ(o.name[0], '\0');
  }
}

TEST_F(DrawSurfaceTable, LostPrimaryRecoversOnPresent) {
  Open();
  SetVSyncWait(0);
  platform::LoseAllSurfaces();
  PresentFrame();
  EXPECT_EQ(gPrimarySurface->IsLost(), DD_OK);
  EXPECT_EQ(gBackSurface->IsLost(), DD_OK);
}

TEST_F(DrawSurfaceTable, FailedCreationKeepsTheSlotNamed) {
  Open();
  platform::FailSurfaceCreation(true);
  EXPECT_EQ(elDraw::CreateObject(8, 8, 2), 0);
  platform::FailSurfaceCreation(false);
  EXPECT_EQ(LastBox(), "elDraw::CreateObject : スプライトを作成できません");
  EXPECT_STREQ(gDrawObjects[4].name, "*");
  EXPECT_EQ(elDraw::CreateObject(8, 8, 2), 5);
}

TEST_F(DrawSurfaceTable, SwapObjectReloadsInPlace) {
  Open();
  WriteBitmap("IMAGE/A.BMP", 2, 2, std::vector<uint32_t>(4, 0xFF0000));
  WriteBitmap("IMAGE/B.BMP", 3, 1, std::vector<uint32_t>(3, 0x0000FF));
  const int a = elDraw::LoadObject("IMAGE/A.BMP", 2);
  EXPECT_EQ(elDraw::SwapObject("IMAGE/B.BMP", a, 2), 1);
  EXPECT_STREQ(gDrawObjects[a].name, "IMAGE/B.BMP");
  EXPECT_EQ(gDrawObjects[a].width, 3);
  EXPECT_EQ(SlotPixel(a, 2, 0), 0x001Fu);
  EXPECT_EQ(elDraw::SwapObject("IMAGE/B.BMP", 9999, 2), 0);
}

}  // namespace
