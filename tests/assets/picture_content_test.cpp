// What the pictures show where the game looks: the head-up cells hold distinct glyphs, animation
// strips change from cell to cell, the boss's damage states grow worse, enemy bullets have white
// cores, and the ship sits centred where the guns fire from.
#include <gtest/gtest.h>

#include "tests/assets/asset_files.h"

namespace {

using asset_test::Bitmap;
using asset_test::kProgramDir;

Bitmap Load(const std::string& name) {
  Bitmap bmp = asset_test::ReadBitmap(kProgramDir + "/" + name);
  EXPECT_EQ(bmp.error, "") << name;
  return bmp;
}

// The pixels of one rectangle, row by row.
std::vector<uint32_t> Cell(const Bitmap& bmp, int left, int top, int right, int bottom) {
  std::vector<uint32_t> out;
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) out.push_back(bmp.At(x, y));
  }
  return out;
}

int Visible(const std::vector<uint32_t>& pixels) {
  int n = 0;
  for (uint32_t p : pixels) n += p != 0;
  return n;
}

// Every cell non-empty, and no two cells alike: checks a strip of `count` cells of w x h.
void ExpectDistinctCells(const std::string& name, int x0, int y0, int w, int h, int step,
                         int count) {
  const Bitmap bmp = Load(name);
  if (bmp.width == 0) return;
  std::vector<std::vector<uint32_t>> cells;
  for (int i = 0; i < count; ++i) {
    cells.push_back(Cell(bmp, x0 + i * step, y0, x0 + i * step + w, y0 + h));
    EXPECT_GT(Visible(cells.back()), 0) << name << " cell " << i << " is empty";
    for (int j = 0; j < i; ++j) {
      EXPECT_NE(cells[i], cells[j]) << name << " cells " << j << " and " << i << " are the same";
    }
  }
}

TEST(AssetPictureContent, HeadUpCellsHoldTenDistinctDigitsEach) {
  ExpectDistinctCells("IMAGE/SUJI09_2.BMP", 0, 0, 20, 25, 20, 10);
  ExpectDistinctCells("IMAGE/MYMY.BMP", 8, 70, 7, 10, 7, 10);
  // The seven star colours and the lives icon.
  ExpectDistinctCells("IMAGE/MYMY.BMP", 139, 70, 3, 10, 3, 7);
  EXPECT_GT(Visible(Cell(Load("IMAGE/MYMY.BMP"), 200, 70, 224, 80)), 20);
}

TEST(AssetPictureContent, AnimationStripsChangeFromCellToCell) {
  struct Strip {
    const char* name;
    int w, h, count;
  };
  const Strip strips[] = {
      {"IMAGE/VAL20241.BMP", 20, 20, 24}, {"IMAGE/VAL16241.BMP", 16, 16, 24},
      {"IMAGE/VAL201.BMP", 20, 20, 7},    {"IMAGE/VAL1.BMP", 16, 16, 16},
      {"IMAGE/VAL404.BMP", 40, 40, 7},    {"IMAGE/VAL402.BMP", 40, 40, 5},
      {"IMAGE/VAL405.BMP", 40, 40, 5},    {"IMAGE/ZBAK1B.BMP", 60, 60, 10},
      {"IMAGE/ZBAK2B.BMP", 80, 80, 10},   {"IMAGE/ZBAK3B.BMP", 80, 80, 10},
      {"IMAGE/ZBAK6B.BMP", 40, 40, 10},   {"IMAGE/BBAK1B.BMP", 160, 160, 4},
      {"IMAGE/COINBK1.BMP", 80, 80, 10},  {"IMAGE/ZFIRE1.BMP", 20, 70, 20},
      {"IMAGE/ZFIRE2.BMP", 20, 70, 20},   {"IMAGE/MYME1F1.BMP", 60, 80, 3},
      {"IMAGE/SFLHV2.BMP", 60, 60, 5},    {"IMAGE/GFBAK1.BMP", 60, 60, 8},
  };
  for (const Strip& s : strips) ExpectDistinctCells(s.name, 0, 0, s.w, s.h, s.w, s.count);
  ExpectDistinctCells("IMAGE/GFBAK1.BMP", 60, 60, 60, 60, 60, 7);  // the second row's frames
}

TEST(AssetPictureContent, SpecialWeaponColumnPlaysSixteenDifferentFrames) {
  std::vector<std::vector<uint32_t>> frames;
  for (int n = 51; n <= 66; ++n) {
    const Bitmap bmp = Load("IMAGE/MYRCL" + std::to_string(n) + "G.BMP");
    frames.push_back(bmp.pixels);
    for (size_t j = 0; j + 1 < frames.size(); ++j) EXPECT_NE(frames[j], frames.back()) << n;
  }
}

TEST(AssetPictureContent, StageTwoBossLooksWorseAtEveryDamageState) {
  const Bitmap intact = Load("IMAGE/BOSS/BOSS71.BMP");
  int previous = 0;
  for (const char* name : {"IMAGE/BOSS/BOSS71_1.BMP", "IMAGE/BOSS/BOSS71_2.BMP",
                           "IMAGE/BOSS/BOSS71_3.BMP"}) {
    const Bitmap damaged = Load(name);
    ASSERT_EQ(damaged.pixels.size(), intact.pixels.size()) << name;
    int changed = 0, outside = 0;
    for (size_t i = 0; i < intact.pixels.size(); ++i) {
      if (damaged.pixels[i] == intact.pixels[i]) continue;
      ++changed;
      outside += intact.pixels[i] == 0;  // marks stay on the hull
    }
    EXPECT_GT(changed, previous + 1000) << name;
    EXPECT_EQ(outside, 0) << name;
    previous = changed;
  }
}

TEST(AssetPictureContent, EnemyBulletsHaveWhiteCores) {
  for (const char* name :
       {"IMAGE/VAL20241.BMP", "IMAGE/VAL16241.BMP", "IMAGE/VAL201.BMP", "IMAGE/VAL1.BMP",
        "IMAGE/VAL12.BMP", "IMAGE/VALL20.BMP", "IMAGE/VALL301.BMP", "IMAGE/VALL302.BMP",
        "IMAGE/VAL404.BMP", "IMAGE/VAL402.BMP", "IMAGE/VAL405.BMP", "IMAGE/VAL40L.BMP",
        "IMAGE/VAL40L2.BMP", "IMAGE/VAL3015A.BMP", "IMAGE/VAL3016A.BMP", "IMAGE/VAL3017A.BMP",
        "IMAGE/VAL3018A.BMP", "IMAGE/VALARM11.BMP", "IMAGE/VALARM12.BMP", "IMAGE/VALARM70.BMP",
        "IMAGE/VALARM71.BMP", "IMAGE/VALARM72.BMP", "IMAGE/VALARM73.BMP", "IMAGE/VALARM74.BMP",
        "IMAGE/VALARM75.BMP"}) {
    const Bitmap bmp = Load(name);
    int white = 0;
    for (uint32_t p : bmp.pixels) {
      white += (p >> 16) >= 235 && ((p >> 8) & 0xFF) >= 235 && (p & 0xFF) >= 235;
    }
    EXPECT_GT(white, 0) << name;
  }
}

TEST(AssetPictureContent, ShipIsCentredOnItsCellWhereTheGunsFire) {
  // Shots leave from the middle of the 60-pixel ship picture; the nose must be there.
  const Bitmap bmp = Load("IMAGE/MYME1.BMP");
  for (int y = 0; y < 70; ++y) {
    int left = -1, right = -1;
    for (int x = 180; x < 240; ++x) {
      if (bmp.At(x, y) == 0) continue;
      if (left < 0) left = x;
      right = x;
    }
    if (left < 0) continue;
    EXPECT_LE(std::abs((left + right) - 2 * 210), 3) << "row " << y;
    if (y < 10) {
      EXPECT_LE(right - left, 8) << "the nose is the top of the picture";
    }
  }
}

}  // namespace
