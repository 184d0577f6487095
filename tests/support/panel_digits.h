// Digits of the score panel read back off the presented frame: each digit is a cell of a digit
// strip in one of the game's pictures, drawn with black as its colour key.
#pragma once

#include <cstdint>
#include <string>

#include "game/asset_list.h"
#include "tests/support/game_driver.h"

namespace morv_test {

// A digit strip: cell of digit d at (left0 + step x d, top), w x h.
struct DigitStrip {
  ImageId image;
  int left0, step, top, w, h;
};
constexpr DigitStrip kLargeDigits = {kImgSUJI09_2, 0, 20, 0, 20, 25};  // the score
constexpr DigitStrip kSmallDigits = {kImgMYMY, 8, 7, 70, 7, 10};       // high score and lives

// The digit drawn at (x, y): the one whose every lit pixel the frame shows (the fullest such cell
// when one digit's lit pixels lie inside another's); -1 when none.
inline int DigitAt(const GameDriver& game, const DigitStrip& s, int x, int y) {
  int best = -1, bestLit = 0;
  for (int d = 0; d < 10; ++d) {
    int lit = 0;
    bool all = true;
    for (int sy = 0; sy < s.h && all; ++sy) {
      for (int sx = 0; sx < s.w && all; ++sx) {
        const uint32_t want = game.SlotPixel(ImageSlot(s.image), s.left0 + s.step * d + sx, s.top + sy);
        if (want == 0) continue;
        ++lit;
        all = game.Pixel(x + sx, y + sy) == want;
      }
    }
    if (all && lit > bestLit) {
      best = d;
      bestLit = lit;
    }
  }
  return best;
}

// `n` digits from x0, dx apart; '_' where no digit is drawn.
inline std::string Digits(const GameDriver& game, const DigitStrip& s, int x0, int dx, int y, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) {
    const int d = DigitAt(game, s, x0 + dx * i, y);
    out += d < 0 ? '_' : static_cast<char>('0' + d);
  }
  return out;
}

}  // namespace morv_test
