// Picture probes of the enemy-fire suites: does the presented frame show a picture's rectangle
// with its corner at a given place?
#pragma once

#include <cstdint>

#include "game/fire/bullet_drawers.h"
#include "tests/support/game_driver.h"

namespace fire_test {

struct SpriteMatch {
  int matched = 0;     // opaque source pixels found at their place in the frame
  int mismatched = 0;  // opaque source pixels inside the field that the frame does not show
  bool shown() const { return matched > 0 && mismatched == 0; }
};

// Compares every opaque (non-black) pixel of the source rectangle with the frame at (x, y) plus its
// offset, for the pixels that fall inside the 360 x 480 field.
inline SpriteMatch Probe(const morv_test::GameDriver& game, int slot, const SourceRect& s, int x,
                         int y) {
  SpriteMatch m;
  for (int v = s.top; v < s.bottom; ++v) {
    for (int u = s.left; u < s.right; ++u) {
      const uint32_t want = game.SlotPixel(slot, u, v);
      if (want == 0) continue;
      const int fx = x + (u - s.left);
      const int fy = y + (v - s.top);
      if (fx < 0 || fy < 0 || fx >= 360 || fy >= 480) continue;
      if (game.Pixel(fx, fy) == want) {
        ++m.matched;
      } else {
        ++m.mismatched;
      }
    }
  }
  return m;
}

// True when two rectangles of a picture differ somewhere (so that a probe tells them apart).
inline bool Differ(const morv_test::GameDriver& game, int slot, const SourceRect& a,
                   const SourceRect& b) {
  for (int v = 0; v < a.bottom - a.top; ++v) {
    for (int u = 0; u < a.right - a.left; ++u) {
      if (game.SlotPixel(slot, a.left + u, a.top + v) != game.SlotPixel(slot, b.left + u, b.top + v)) {
        return true;
      }
    }
  }
  return false;
}

}  // namespace fire_test
