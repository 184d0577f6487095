// Picture probes shared by the game suites: what the presented frame shows of a loaded picture.
#pragma once

#include <gtest/gtest.h>

#include "game/asset_list.h"
#include "tests/support/game_driver.h"

// The presented picture shows the cell (left, top, width, height) of `image` with its top-left
// corner at (x, y): checked on five pixels that are not see-through, from the cell's middle row on.
inline void ExpectDrawnAt(const morv_test::GameDriver& game, ImageId image, int left, int top,
                          int width, int height, int x, int y) {
  const int slot = ImageSlot(image);
  const uint32_t key = game.SlotPixel(slot, 0, 0);
  int checked = 0;
  for (int row = height / 2; row < height && checked < 5; ++row) {
    for (int col = 0; col < width && checked < 5; col += 3) {
      const uint32_t p = game.SlotPixel(slot, left + col, top + row);
      if (p == 0 || p == key) continue;
      EXPECT_EQ(game.Pixel(x + col, y + row), p) << "cell pixel " << col << ", " << row;
      ++checked;
    }
  }
  EXPECT_EQ(checked, 5);
}
