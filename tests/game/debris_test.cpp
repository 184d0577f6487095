// Debris: spawning into dead fragments over all 200 groups, the jitter's random order, the random
// death line under the boss, and the drawing of every used fragment.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "engine/el_draw.h"
#include "game/asset_list.h"
#include "game/boss_data.h"
#include "game/debris.h"
#include "game/debris_data.h"
#include "game/game_states.h"
#include "game/weapon_data.h"
#include "tests/support/game_driver.h"

using morv_test::GameDriver;

namespace {

DebrisFragment& At(DebrisFragment* table, int group, int k) {
  return table[group * kDebrisGroupSize + k];
}

bool Dead(const DebrisFragment& f) { return f.active == 0 && f.x == 1000.0f && f.y == 5000.0f; }

}  // namespace

TEST(DebrisSpawn, EveryGroupTakesItsShotIntoItsDeadFragmentsOnly) {
  GameDriver game;
  game.EnterStage(1, 1600.0f);
  for (int i = 0; i < kBurstShotCount; ++i) gBurstShots[i] = {i, 100 + i, 0, 0.0f, i % 2};
  At(gS1BossDebris, 5, 1) = {7.0f, 8.0f, 1};
  SpawnS1BossDebris();
  for (int i = 0; i < kBossDebrisGroups; ++i) {
    for (int k = 0; k < 3; ++k) {
      const DebrisFragment& f = At(gS1BossDebris, i, k);
      if (i == 5 && k == 1) continue;
      ASSERT_EQ(f.active, 1) << i;
      ASSERT_EQ(f.x, static_cast<float>(i + 23)) << i;
      ASSERT_EQ(f.y, static_cast<float>(100 + i)) << i;
    }
    for (int k = 3; k < kDebrisGroupSize; ++k) ASSERT_TRUE(Dead(At(gS1BossDebris, i, k)));
  }
  EXPECT_EQ(At(gS1BossDebris, 5, 1).x, 7.0f);  // a live fragment keeps its place
  // While the fragments live, further hits add nothing.
  gBurstShots[0].x = 300;
  SpawnS1BossDebris();
  EXPECT_EQ(At(gS1BossDebris, 0, 0).x, 23.0f);
  // Each target has its own table.
  EXPECT_TRUE(Dead(At(gS2BossDebris, 0, 0)));
  SpawnBigTarget3Debris();
  EXPECT_EQ(At(gBigTarget3Debris, 199, 2).x, 222.0f);
  EXPECT_TRUE(Dead(At(gBigTarget1Debris, 0, 0)));
  EXPECT_TRUE(Dead(At(gBigTarget2Debris, 0, 0)));
}

TEST(DebrisMove, JitterTakesRightLeftDownUpThenTheDeathLine) {
  GameDriver game;
  game.EnterStage(1, 1600.0f);
  gS1Boss.y = 0.0f;
  At(gS1BossDebris, 0, 0) = {100.0f, 100.0f, 1};
  srand(11);
  const int right = rand() % 5;
  const int left = rand() % 5;
  const int down = rand() % 20;
  const int up = rand() % 12;
  srand(11);
  MoveS1BossDebris();
  EXPECT_EQ(At(gS1BossDebris, 0, 0).x, 100.0f + static_cast<float>(right - left));
  EXPECT_EQ(At(gS1BossDebris, 0, 0).y, 100.0f + static_cast<float>(down - up));
}

TEST(DebrisMove, FragmentsDieAtARandomLine320To359UnderTheBoss) {
  GameDriver game;
  game.EnterStage(2, 1100.0f);
  gS2Boss.y = 0.0f;
  for (int i = 0; i < kBurstShotCount; ++i) gBurstShots[i] = {100, 0, 0, 0.0f, 1};
  SpawnS2BossDebris();
  At(gS2BossDebris, 0, 3) = {50.0f, 50.0f, 1};  // not one of the three used: never moved
  float lowestAlive = 0.0f;
  for (int step = 0; step < 200; ++step) {
    MoveS2BossDebris();
    for (int i = 0; i < kBossDebrisGroups; ++i) {
      for (int k = 0; k < 3; ++k) {
        const DebrisFragment& f = At(gS2BossDebris, i, k);
        if (f.active == 0) {
          ASSERT_TRUE(Dead(f));
          continue;
        }
        ASSERT_LT(f.y, 360.0f);
        lowestAlive = std::max(lowestAlive, f.y);
      }
    }
  }
  EXPECT_GE(lowestAlive, 340.0f);  // the line is not fixed at 320
  for (int i = 0; i < kBossDebrisCount; i += kDebrisGroupSize) EXPECT_EQ(gS2BossDebris[i].active, 0);
  EXPECT_EQ(At(gS2BossDebris, 0, 3).y, 50.0f);
  // A fragment already under the band dies on its first move.
  At(gS2BossDebris, 0, 0) = {100.0f, 380.0f, 1};
  MoveS2BossDebris();
  EXPECT_TRUE(Dead(At(gS2BossDebris, 0, 0)));
}

TEST(DebrisMove, WideTablesUseAllThirtyAndALineUpTo399) {
  GameDriver game;
  game.EnterStage(1, 1600.0f);
  gS1Boss.y = 0.0f;
  DebrisFragment& last = gS1DebrisB[kWideDebrisCount - 1];
  float lowestAlive = 0.0f;
  for (int run = 0; run < 40; ++run) {
    last = {100.0f, 300.0f, 1};
    while (last.active == 1) {
      MoveS1DebrisB();
      if (last.active == 1) lowestAlive = std::max(lowestAlive, last.y);
    }
    ASSERT_TRUE(Dead(last));
  }
  EXPECT_GE(lowestAlive, 362.0f);
  EXPECT_LT(lowestAlive, 400.0f);
}

TEST(DebrisDraw, EveryUsedFragmentIsDrawnLiveOrDead) {
  GameDriver game;
  game.EnterStage(1, 1600.0f);
  game.Frames(1);  // the boss waits parked far below: nothing dies
  At(gS1BossDebris, 0, 0) = {100.0f, 100.0f, 0};
  At(gS1BossDebris, 0, 3) = {200.0f, 100.0f, 0};  // unused
  game.Frames(1);
  const int slot = ImageSlot(kImgHAHEN2);
  int points = 0, drawn = 0, unused = 0;
  for (int y = 0; y < 14; ++y) {
    for (int x = 0; x < 14; ++x) {
      const uint32_t p = game.SlotPixel(slot, x, y);
      if (p == 0) continue;
      ++points;
      drawn += game.Pixel(100 + x, 100 + y) == p ? 1 : 0;
      unused += game.Pixel(200 + x, 100 + y) == p ? 1 : 0;
    }
  }
  ASSERT_GT(points, 10);
  EXPECT_EQ(drawn, points);
  EXPECT_LT(unused, points / 2);
}

// A fragment with only its outermost opaque column (or row) on the field shows that column: the
// pass-over of fragments off the field before the blit never drops one with a pixel on the field.
TEST(DebrisDraw, AFragmentShowsByItsOneColumnOrRowOnTheField) {
  GameDriver game;
  game.EnterStage(1, 1600.0f);
  game.Frames(1);
  const int slot = ImageSlot(kImgHAHEN2);
  int left = 14, right = -1, top = 14, bottom = -1;  // the picture's outermost opaque pixels
  for (int y = 0; y < 14; ++y) {
    for (int x = 0; x < 14; ++x) {
      if (game.SlotPixel(slot, x, y) == 0) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  ASSERT_LE(left, right);
  const RECT clip = gClipRect;
  struct Case {
    const char* edge;
    int x, y;           // where the fragment is placed
    bool column;        // a column of it shows, else a row
    int picture;        // which column or row of the picture
    int screen;         // at which screen column or row
  };
  const Case cases[] = {
      {"left", clip.left - right, 200, true, right, clip.left},
      {"right", clip.right - 1 - left, 200, true, left, clip.right - 1},
      {"bottom", clip.left + 100, clip.bottom - 1 - top, false, top, clip.bottom - 1},
  };
  for (const Case& c : cases) {
    At(gS1BossDebris, 0, 0) = {static_cast<float>(c.x), static_cast<float>(c.y), 0};
    game.Frames(1);
    int shown = 0, opaque = 0;
    for (int i = 0; i < 14; ++i) {
      const uint32_t p = c.column ? game.SlotPixel(slot, c.picture, i)
                                  : game.SlotPixel(slot, i, c.picture);
      if (p == 0) continue;
      ++opaque;
      const uint32_t s = c.column ? game.Pixel(c.screen, c.y + i) : game.Pixel(c.x + i, c.screen);
      shown += s == p ? 1 : 0;
    }
    EXPECT_GT(opaque, 0) << c.edge;
    EXPECT_EQ(shown, opaque) << c.edge;
  }
}
