// Picture probes of the enemy-fire suites.
#pragma once

#include "game/fire/bullet_drawers.h"
#include "tests/support/game_driver.h"

namespace fire_test {

// True when the presented frame shows every opaque (non-black) pixel of the slot's source
// rectangle, with the rectangle's corner at (x, y), wherever it falls inside the 360 x 480 field.
inline bool Shown(const morv_test::GameDriver& game, int slot, const SourceRect& s, int x, int y) {
  int matched = 0;
  for (int v = s.top; v < s.bottom; ++v) {
    for (int u = s.left; u < s.right; ++u) {
      const uint32_t want = game.SlotPixel(slot, u, v);
      const int fx = x + u - s.left, fy = y + v - s.top;
      if (want == 0 || fx < 0 || fy < 0 || fx >= 360 || fy >= 480) continue;
      if (game.Pixel(fx, fy) != want) return false;
      ++matched;
    }
  }
  return matched > 0;
}

// True when two equal-sized rectangles of a picture differ (so that a probe tells them apart).
inline bool Differ(const morv_test::GameDriver& game, int slot, const SourceRect& a,
                   const SourceRect& b) {
  for (int v = 0; v < a.bottom - a.top; ++v) {
    for (int u = 0; u < a.right - a.left; ++u) {
      if (game.SlotPixel(slot, a.left + u, a.top + v) != game.SlotPixel(slot, b.left + u, b.top + v))
        return true;
    }
  }
  return false;
}

}  // namespace fire_test
