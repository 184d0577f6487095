// The score panel's digits, read back off the presented frame, and the ranking table.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/el_draw.h"
#include "game/asset_list.h"
#include "game/hud.h"
#include "game/player_data.h"
#include "game/score_data.h"
#include "tests/support/game_driver.h"
#include "tests/support/panel_digits.h"

using morv_test::DigitStrip;
using morv_test::Digits;
using morv_test::GameDriver;

namespace {

constexpr DigitStrip kLarge = morv_test::kLargeDigits;
constexpr DigitStrip kSmall = morv_test::kSmallDigits;

void Play(GameDriver& game) {
  game.Frames(1);
  game.EnterStage(1, 200.0f);
}

}  // namespace

TEST(ScorePanel, ScoreHighScoreAndLives) {
  GameDriver game;
  Play(game);
  game.Frames(1);
  // Score 0: the hundred-millions digit lies at x -20, off the screen; eight zeros from x 0.
  EXPECT_EQ(Digits(game, kLarge, 0, 20, 0, 8), "00000000");
  EXPECT_EQ(Digits(game, kSmall, 160, 10, 6, 9), "000000500");
  EXPECT_EQ(Digits(game, kSmall, 280, 10, 6, 3), "999");
  gScore = 123456789;
  gHighScore = 987654321;
  gLives = 111;
  game.Frames(1);
  EXPECT_EQ(Digits(game, kLarge, 0, 20, 0, 8), "23456789");
  EXPECT_EQ(Digits(game, kSmall, 160, 10, 6, 9), "987654321");
  EXPECT_EQ(Digits(game, kSmall, 280, 10, 6, 3), "111");
  // The lives icon beside them.
  int icon = 0;
  for (int sx = 0; sx < 24; ++sx) {
    for (int sy = 0; sy < 10; ++sy) {
      const uint32_t want = game.SlotPixel(ImageSlot(kImgMYMY), 200 + sx, 70 + sy);
      if (want == 0) continue;
      ASSERT_EQ(game.Pixel(255 + sx, 6 + sy), want);
      ++icon;
    }
  }
  EXPECT_GT(icon, 5);
}

TEST(ScorePanel, LivesAtZeroShowZerosAndBelowZeroNothing) {
  GameDriver game;
  Play(game);
  gLives = 1;
  game.Frames(1);
  EXPECT_EQ(Digits(game, kSmall, 280, 10, 6, 3), "001");
  // Zero and below raise the continue prompt; the panel is drawn before it in that frame.
  gLives = 0;
  game.Frames(1);
  EXPECT_EQ(Digits(game, kSmall, 280, 10, 6, 3), "000");
}

TEST(ScorePanel, NegativeLivesAreNotDrawn) {
  GameDriver game;
  Play(game);
  gLives = -1;
  game.Frames(1);
  EXPECT_EQ(Digits(game, kSmall, 280, 10, 6, 3), "___");
}

TEST(Ranking, TheHighScoreTakesTheFirstRowItReaches) {
  GameDriver game;
  game.Frames(1);
  auto rows = [](int high) {
    gHighScore = high;
    gScore = 0;
    int r[kRankingRows];
    BuildRanking(r);
    return std::vector<int>(r, r + kRankingRows);
  };
  const std::vector<int> fixed = {100000000, 70000000, 30000000, 20000000, 1000000, 700000, 50000};
  EXPECT_EQ(rows(500), fixed);
  EXPECT_EQ(rows(49999), fixed);
  std::vector<int> want = fixed;
  want[6] = 50001;
  EXPECT_EQ(rows(50001), want);
  // Reaching an entry is enough: it takes that row (so nothing changes), not the next one down.
  EXPECT_EQ(rows(50000), fixed);
  EXPECT_EQ(rows(30000000), fixed);
  want = fixed;
  want[3] = 29999999;
  EXPECT_EQ(rows(29999999), want);
  want = fixed;
  want[2] = 30000001;
  EXPECT_EQ(rows(30000001), want);
  want = fixed;
  want[0] = 999999999;
  EXPECT_EQ(rows(999999999), want);
}

TEST(Ranking, DrawsTheHeadingNumeralsAndRows) {
  GameDriver game;
  game.Frames(2);
  gHighScore = 29999999;
  elDraw::ClearBack();
  DrawRanking();
  SetVSyncWait(1);
  PresentFrame();
  const char* const want[] = {"100000000", "070000000", "030000000", "029999999",
                              "001000000", "000700000", "000050000"};
  for (int r = 0; r < kRankingRows; ++r) {
    const int y = 165 + 40 * r;
    EXPECT_EQ(DigitAt(game, kLarge, 10, y), r + 1) << r;
    EXPECT_EQ(Digits(game, kLarge, 90, 20, y, 9), want[r]) << r;
  }
  // The heading, 400 wide from x -20: its first 20 columns are off the screen.
  int shown = 0;
  for (int sy = 0; sy < 100; sy += 2) {
    for (int sx = 20; sx < 380; sx += 2) {
      const uint32_t w = game.SlotPixel(ImageSlot(kImgRANKING1), sx, sy);
      if (w == 0) continue;
      ASSERT_EQ(game.Pixel(sx - 20, 40 + sy), w) << sx << "," << sy;
      ++shown;
    }
  }
  EXPECT_GT(shown, 50);
}
