// Sprite, opaque and additive blits: the clip arithmetic at every edge and the colour key.
#include "tests/engine/draw_fixture.h"

namespace {

class DrawBlits : public DrawTest {};

TEST_F(DrawBlits, LeftEdgeShowsTheRightPartFromSourceX10) {
  Open();
  const int s = CodedSlot(64, 48);
  elDraw::BltObject(-10, 100, s, 0, 0, 64, 48);
  EXPECT_EQ(Back(0, 100), SlotPixel(s, 10, 0));
  EXPECT_EQ(Back(53, 100), SlotPixel(s, 63, 0));
  EXPECT_EQ(Back(53, 147), SlotPixel(s, 63, 47));
  EXPECT_EQ(Back(54, 100), 0u);  // 54 pixels wide
  EXPECT_EQ(Back(0, 148), 0u);
}

TEST_F(DrawBlits, RightEdgeCutsAtTheClipRectangle) {
  Open();
  const int s = CodedSlot(64, 48);
  elDraw::BltObject(330, 0, s, 0, 0, 64, 48);
  EXPECT_EQ(Back(330, 0), SlotPixel(s, 0, 0));
  EXPECT_EQ(Back(359, 0), SlotPixel(s, 29, 0));  // the last pixel drawn
  elDraw::SetClipRect(0, 0, 300, 480);
  elDraw::BltObject(280, 200, s, 0, 0, 64, 48);
  EXPECT_EQ(Back(299, 200), SlotPixel(s, 19, 0));
  EXPECT_EQ(Back(300, 200), 0u);
}

TEST_F(DrawBlits, TopAndBottomEdgesCut) {
  Open();
  const int s = CodedSlot(64, 48);
  elDraw::BltObject(10, -5, s, 0, 0, 64, 48);
  EXPECT_EQ(Back(10, 0), SlotPixel(s, 0, 5));
  EXPECT_EQ(Back(10, 42), SlotPixel(s, 0, 47));
  EXPECT_EQ(Back(10, 43), 0u);
  elDraw::BltObject(100, 470, s, 0, 0, 64, 48);
  EXPECT_EQ(Back(100, 479), SlotPixel(s, 0, 9));
  elDraw::SetClipRect(140, 20, 500, 460);
  elDraw::BltObject(120, 10, s, 0, 0, 64, 48);
  EXPECT_EQ(Back(140, 20), SlotPixel(s, 20, 10));
  EXPECT_EQ(Back(139, 20), 0u);
}

TEST_F(DrawBlits, WhollyOutsideDrawsNothing) {
  Open();
  const int s = CodedSlot(64, 48);
  elDraw::BltObject(400, 100, s, 0, 0, 64, 48);
  elDraw::BltObject(-100, 100, s, 0, 0, 64, 48);
  elDraw::BltObject(100, 500, s, 0, 0, 64, 48);
  elDraw::BltObject(100, -60, s, 0, 0, 64, 48);
  elDraw::BltObject(-500, 2550, s, 0, 0, 64, 48);  // a parked record
  elDraw::BltObjectOpaque(360, 0, s, 0, 0, 64, 48);
  EXPECT_TRUE(BackIsEmpty());
}

TEST_F(DrawBlits, WholeScreenPictureDrawnWhole) {
  Open();
  const int s = CodedSlot(360, 480);
  elDraw::BltObject(0, 0, s, 0, 0, 360, 480);
  EXPECT_EQ(Back(0, 0), SlotPixel(s, 0, 0));
  EXPECT_EQ(Back(359, 479), SlotPixel(s, 359, 479));
}

TEST_F(DrawBlits, KeyedOnBlackThoughTheTopLeftPixelIsNot) {
  Open();
  // Red top-left, black centre, green elsewhere.
  std::vector<uint32_t> rgb(4 * 4, 0x00FF00);
  rgb[0] = 0xFF0000;
  rgb[5] = 0x000000;
  WriteBitmap("IMAGE/KEY.BMP", 4, 4, rgb);
  const int s = elDraw::LoadObject("IMAGE/KEY.BMP", 2);
  ASSERT_EQ(s, 4);
  EXPECT_EQ(gDrawObjects[s].colorKey, 0);
  EXPECT_EQ(gDrawObjects[s].surface->sourceKey.dwColorSpaceLowValue, 0u);
  Fill(gBackSurface, 0x001F);  // blue
  elDraw::BltObject(0, 0, s, 0, 0, 4, 4);
  EXPECT_EQ(Back(0, 0), 0xF800u);  // the top-left pixel is drawn, and survived the key probe
  EXPECT_EQ(Back(1, 1), 0x001Fu);  // black is skipped
  EXPECT_EQ(Back(2, 1), 0x07E0u);
  elDraw::BltObjectOpaque(0, 0, s, 0, 0, 4, 4);
  EXPECT_EQ(Back(1, 1), 0u);  // the opaque blit copies black too
}

TEST_F(DrawBlits, AdditiveSkipsZeroAndSaturates) {
  Open();
  const int s = elDraw::CreateObject(2, 1, 2);
  const uint32_t twenty = (20u << 11) | (40u << 5) | 20u;  // 20 in every 5-bit channel
  Write(gDrawObjects[s].surface, 0, 0, twenty);
  Write(gDrawObjects[s].surface, 1, 0, 0);
  Write(gBackSurface, 10, 10, twenty);
  Write(gBackSurface, 11, 10, (3u << 11) | (8u << 5) | 5u);
  EXPECT_EQ(elDraw::BltObjectAdditive(10, 10, s, 0, 0, 2, 1), 1);
  EXPECT_EQ(Back(10, 10), (31u << 11) | (62u << 5) | 31u);
  EXPECT_EQ(Back(11, 10), (3u << 11) | (8u << 5) | 5u);  // a source of 0 leaves it
  EXPECT_EQ(elDraw::BltObjectAdditive(400, 10, s, 0, 0, 2, 1), 1);  // clipped away
}

TEST_F(DrawBlits, UnknownSlotsDrawNothing) {
  Open();
  elDraw::BltObject(0, 0, -1, 0, 0, 8, 8);
  elDraw::BltObject(0, 0, 500, 0, 0, 8, 8);
  elDraw::BltObject(0, 0, 77, 0, 0, 8, 8);  // a free slot
  EXPECT_EQ(elDraw::BltObjectAdditive(0, 0, 77, 0, 0, 8, 8), 0);
  EXPECT_TRUE(BackIsEmpty());
}

}  // namespace
