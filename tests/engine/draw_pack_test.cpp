// The pack-file reader behind elDraw::SwapPack.
#include <fstream>

#include "tests/engine/draw_fixture.h"

namespace {

using platform::PixelLayout;

struct PackEntry {
  int width, height;
  std::string name;
  std::vector<uint16_t> pixels;  // 5-5-5
};

std::vector<uint8_t> EncodePack(const std::vector<PackEntry>& entries) {
  std::vector<uint8_t> out;
  for (const PackEntry& e : entries) {
    testbmp::Put16(out, static_cast<uint32_t>(e.width));
    testbmp::Put16(out, static_cast<uint32_t>(e.height));
    out.insert(out.end(), e.name.begin(), e.name.end());
    out.push_back(0);
    for (uint16_t p : e.pixels) testbmp::Put16(out, p);
  }
  return out;
}

class DrawPack : public DrawTest {
 protected:
  void UsePack(const std::vector<uint8_t>& bytes) {
    const std::string path = dir + "PACK.DAT";
    testbmp::WriteFile(path, bytes);
    SetPackFilePath(path.c_str());
  }
  std::string LastBox() const { return host.box_texts.empty() ? "" : host.box_texts.back(); }
};

TEST_F(DrawPack, OnlyUpperCaseNamesMatch) {
  Open();
  UsePack(EncodePack({{1, 1, "image/lower.bmp", {0x7FFF}},
                      {2, 1, "IMAGE/COIN1.BMP", {0x7C00, 0x001F}}}));
  const int slot = elDraw::SwapPack("image/coin1.bmp", 4, 2);
  ASSERT_EQ(slot, 4);
  EXPECT_STREQ(gDrawObjects[slot].name, "IMAGE/COIN1.BMP");
  EXPECT_EQ(gDrawObjects[slot].sourceKind, 1);
  EXPECT_EQ(gDrawObjects[slot].width, 2);
  EXPECT_EQ(SlotPixel(slot, 0, 0), 0xF800u);
  EXPECT_EQ(SlotPixel(slot, 1, 0), 0x001Fu);
  EXPECT_EQ(gDrawObjects[5].name[0], '\0');  // the temporary is gone
  EXPECT_TRUE(host.box_texts.empty());

  EXPECT_EQ(elDraw::SwapPack("image/lower.bmp", 4, 2), 0);
  EXPECT_EQ(LastBox(), "elDraw::SwapPack : BMPファイルを読み込めません");
}

class DrawPackLayout : public DrawPack, public ::testing::WithParamInterface<PixelLayout> {};

TEST_P(DrawPackLayout, GreenLandsInItsChannel) {
  Open(GetParam());
  // Lowest green bit, full red, full blue.
  UsePack(EncodePack({{3, 1, "P.BMP", {1u << 5, 31u << 10, 31u}}}));
  const int slot = elDraw::SwapPack("P.BMP", 4, 2);
  ASSERT_NE(slot, 0);
  if (GetParam() == PixelLayout::Rgb565) {
    EXPECT_EQ(SlotPixel(slot, 0, 0), 1u << 6);  // green in bits 6-10, its lowest bit 0
    EXPECT_EQ(SlotPixel(slot, 1, 0), 0xF800u);
  } else {
    EXPECT_EQ(SlotPixel(slot, 0, 0), 1u << 5);
    EXPECT_EQ(SlotPixel(slot, 1, 0), 0x7C00u);
  }
  EXPECT_EQ(SlotPixel(slot, 2, 0), 0x001Fu);
}

INSTANTIATE_TEST_SUITE_P(Depths, DrawPackLayout,
                         ::testing::Values(PixelLayout::Rgb565, PixelLayout::Rgb555));

TEST_F(DrawPack, BrokenFilesFailSafely) {
  Open();
  // Skips a first entry, then the file ends inside the wanted one's pixels.
  auto bytes = EncodePack({{1, 1, "A", {1}}, {4, 4, "B", std::vector<uint16_t>(16, 1)}});
  bytes.resize(bytes.size() - 3);
  UsePack(bytes);
  EXPECT_EQ(elDraw::SwapPack("B", 4, 2), 0);
  EXPECT_EQ(LastBox(), "elDraw::SwapPack : BMPファイルを読み込めません");
  EXPECT_EQ(gDrawObjects[4].name[0], '\0');  // nothing was made

  UsePack(EncodePack({{1, 1, std::string(200, 'X'), {1}}}));
  host.box_texts.clear();
  EXPECT_EQ(elDraw::SwapPack(std::string(200, 'X').c_str(), 4, 2), 0);
  EXPECT_EQ(LastBox(), "elDraw::SwapPack : BMPファイルを読み込めません");

  auto cutName = EncodePack({{1, 1, "LONGNAME", {1}}});
  cutName.resize(7);  // ends inside the name
  UsePack(cutName);
  EXPECT_EQ(elDraw::SwapPack("LONGNAME", 4, 2), 0);

  UsePack(EncodePack({{1, 1, "A", {1}}}));
  EXPECT_EQ(elDraw::SwapPack("MISSING", 4, 2), 0);
  EXPECT_EQ(LastBox(), "elDraw::SwapPack : BMPファイルを読み込めません");
}

TEST_F(DrawPack, NoPackFileNamed) {
  Open();
  EXPECT_EQ(elDraw::SwapPack("A", 4, 2), 0);
  EXPECT_EQ(LastBox(), "elDraw::SwapPack : パックファイル名が指定されていません");
}

TEST_F(DrawPack, LostPackPicturesComeBackFromThePack) {
  Open();
  UsePack(EncodePack({{1, 1, "P", {31u << 10}}}));
  const int slot = elDraw::SwapPack("P", 4, 2);
  ASSERT_EQ(slot, 4);
  platform::LoseAllSurfaces();
  elDraw::RestoreSurfaces();
  EXPECT_EQ(gDrawObjects[slot].sourceKind, 1);
  EXPECT_EQ(SlotPixel(slot, 0, 0), 0xF800u);
}

}  // namespace
