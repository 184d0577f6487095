#include "game/hud.h"

#include <cstdio>

#include "engine/el_draw.h"
#include "engine/profile.h"
#include "game/asset_list.h"
#include "game/player_data.h"
#include "game/score_data.h"

namespace {

constexpr int kScoreDigits = 9;
constexpr int kLivesDigits = 3;

// A large digit (20 x 25) of "IMAGE/SUJI09_2.BMP".
void DrawLargeDigit(int x, int y, int digit) {
  elDraw::BltObject(x, y, ImageSlot(kImgSUJI09_2), 20 * digit, 0, 20 * digit + 20, 25);
}

// A small digit (7 x 10) of "IMAGE/MYMY.BMP".
void DrawSmallDigit(int x, int y, int digit) {
  elDraw::BltObject(x, y, ImageSlot(kImgMYMY), 7 * digit + 8, 70, 7 * digit + 15, 80);
}

int Digit(char c) { return c - '0'; }

constexpr int kRankingScores[kRankingRows] = {100000000, 70000000, 30000000, 20000000,
                                              1000000,   700000,   50000};

}  // namespace

void DrawScorePanel() {
  const int fieldX = kProfile.fieldX;
  char text[32];
  // The hundred-millions digit lies left of the field and is clipped: eight digits show.
  std::snprintf(text, sizeof text, "%09d", gScore);
  for (int i = 0; i < kScoreDigits; ++i) DrawLargeDigit(fieldX + 20 * i - 20, 0, Digit(text[i]));
  std::snprintf(text, sizeof text, "%09d", gHighScore);
  for (int i = 0; i < kScoreDigits; ++i) DrawSmallDigit(fieldX + 160 + 10 * i, 6, Digit(text[i]));
  if (gLives >= 0) {
    std::snprintf(text, sizeof text, "%03d", gLives);
    for (int i = 0; i < kLivesDigits; ++i) DrawSmallDigit(fieldX + 280 + 10 * i, 6, Digit(text[i]));
  }
  elDraw::BltObject(fieldX + 255, 6, ImageSlot(kImgMYMY), 200, 70, 224, 80);
}

void BuildRanking(int (&rows)[kRankingRows]) {
  for (int r = 0; r < kRankingRows; ++r) rows[r] = kRankingScores[r];
  for (int r = 0; r < kRankingRows; ++r) {
    if (gHighScore >= rows[r] || gScore >= rows[r]) {
      rows[r] = gHighScore;
      break;
    }
  }
}

void DrawRanking() {
  int rows[kRankingRows];
  BuildRanking(rows);
  const int fieldX = kProfile.fieldX;
  const int offsetY = kProfile.rankingOffsetY;
  elDraw::BltObject(fieldX - 20, 40 + offsetY, ImageSlot(kImgRANKING1), 0, 0, 400, 100);
  char text[32];
  for (int r = 0; r < kRankingRows; ++r) {
    const int y = 165 + 40 * r + offsetY;
    DrawLargeDigit(fieldX + 10, y, r + 1);
    std::snprintf(text, sizeof text, "%09d", rows[r]);
    for (int i = 0; i < kScoreDigits; ++i) DrawLargeDigit(fieldX + 90 + 20 * i, y, Digit(text[i]));
  }
}
