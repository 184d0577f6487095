// Text on the back buffer: the font description, the credit style, FreeType glyphs.
#include "tests/engine/draw_fixture.h"

namespace {

class DrawText : public DrawTest {
 protected:
  int Count(uint32_t value, int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = y0; y < y1; ++y) {
      for (int x = x0; x < x1; ++x) n += Back(x, y) == value;
    }
    return n;
  }
};

TEST_F(DrawText, BoldTwoGivesTheDefaultWeight) {
  Open();
  ASSERT_NE(gFontDesc, nullptr);
  elDraw::BeginText(0, 20, 90, 2, 1, 1);
  EXPECT_EQ(gFontDesc->lfWeight, 0);
  EXPECT_EQ(gFontDesc->lfEscapement, 900);
  EXPECT_EQ(gFontDesc->lfCharSet, SHIFTJIS_CHARSET);
  EXPECT_STREQ(gFontDesc->lfFaceName, "標準明朝");
  elDraw::EndText();
  elDraw::BeginText(7, 12, 0, 1, 0, 0);  // an unknown face keeps the last name
  EXPECT_EQ(gFontDesc->lfWeight, 700);
  EXPECT_STREQ(gFontDesc->lfFaceName, "標準明朝");
  elDraw::EndText();
  elDraw::BeginText(1, 12, 0, 0, 0, 0);
  EXPECT_EQ(gFontDesc->lfWeight, 400);
  EXPECT_STREQ(gFontDesc->lfFaceName, "標準ゴシック");
  elDraw::EndText();
  FreeFontBuffer();
  EXPECT_EQ(gFontDesc, nullptr);
  elDraw::BeginText(1, 12, 0, 0, 0, 0);  // no description any more: nothing happens
  DrawTextAt(0, 0, "x");
  elDraw::EndText();
}

TEST_F(DrawText, CreditLineIsWhiteOnADarkBlueBandAsWideAsItsText) {
  Open();
  DrawCreditLine(60, 100, "PROGRAM テスト");
  const uint32_t white = 0xFFFF, blue = 0x10;  // 0x800000 in 5-6-5: blue 128 >> 3
  // The band: the cell's 12 rows from x 60; nothing outside it.
  int right = 60;
  while (right < 360 && Back(right, 100) != 0) ++right;
  EXPECT_GT(right - 60, 60);
  EXPECT_EQ(Back(59, 100), 0u);
  EXPECT_EQ(Count(0, 60, 100, right, 112), 0);
  EXPECT_EQ(Count(0, 0, 99, 360, 100), 360);
  EXPECT_EQ(Count(0, 0, 112, 360, 113), 360);
  EXPECT_GT(Count(white, 60, 100, right, 112), 40);
  EXPECT_GT(Count(blue, 60, 100, right, 112), 200);
  EXPECT_EQ(Count(white, 0, 0, 360, 480) + Count(blue, 0, 0, 360, 480), (right - 60) * 12);
  // The ink reaches the band's last few pixels: the band ends with the text.
  int lastInk = 0;
  for (int x = 60; x < right; ++x) {
    if (Count(white, x, 100, x + 1, 112) > 0) lastInk = x;
  }
  EXPECT_GT(lastInk, right - 8);
  // A longer line has a longer band.
  DrawCreditLine(60, 200, "PROGRAM テスト テスト");
  int right2 = 60;
  while (right2 < 360 && Back(right2, 200) != 0) ++right2;
  EXPECT_GT(right2, right + 20);
}

TEST_F(DrawText, GlyphsComeFromFreeType) {
  Open();
  elDraw::BeginText(1, 24, 0, 0, 0, 0);
  elDraw::SetTextColors(0x0000FF, 0, 1);  // red, transparent
  DrawTextAt(10, 10, "東京");
  elDraw::EndText();
  const int regular = Count(0xF800, 0, 0, 360, 480);
  EXPECT_GT(regular, 60);
  EXPECT_EQ(Count(0, 0, 0, 360, 480) + regular, 360 * 480);  // transparent: only ink
  EXPECT_EQ(Count(0xF800, 0, 40, 360, 480), 0);
  EXPECT_EQ(Count(0xF800, 70, 0, 360, 480), 0);  // two 24-pixel characters

  elDraw::BeginText(1, 24, 0, 1, 0, 0);
  elDraw::SetTextColors(0x00FF00, 0, 1);
  DrawTextAt(10, 100, "東京");
  elDraw::EndText();
  EXPECT_GT(Count(0x07E0, 0, 100, 360, 140), regular);  // bold adds ink

  // Turned 90 degrees the line runs upwards from its origin.
  elDraw::BeginText(1, 24, 90, 0, 0, 0);
  elDraw::SetTextColors(0xFF0000, 0, 1);
  DrawTextAt(200, 300, "東京東京");
  elDraw::EndText();
  EXPECT_GT(Count(0x001F, 195, 200, 240, 300), 100);
  EXPECT_GT(Count(0x001F, 195, 200, 240, 240), 40);  // the far end: four characters up, not one
  EXPECT_EQ(Count(0x001F, 0, 0, 360, 190), 0);
  EXPECT_EQ(Count(0x001F, 240, 0, 360, 480), 0);
}

TEST_F(DrawText, UnderlineDrawsALineBelowTheText) {
  Open();
  elDraw::BeginText(1, 20, 0, 0, 0, 1);
  elDraw::SetTextColors(0xFFFFFF, 0, 1);
  DrawTextAt(0, 50, "ii");
  elDraw::EndText();
  // Somewhere below the baseline a row is inked across the whole line.
  bool fullRow = false;
  for (int y = 50; y < 75; ++y) fullRow |= Count(0xFFFF, 1, y, 18, y + 1) == 17;
  EXPECT_TRUE(fullRow);
}

}  // namespace
