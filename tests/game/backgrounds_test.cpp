// The scenery: layer speeds by distance (adding on shared bounds), the restack tests, the stage-1
// backdrop's timeline and the star field's rebirths.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "engine/el_draw_internal.h"
#include "engine/profile.h"
#include "engine/shell.h"
#include "game/asset_list.h"
#include "game/background_data.h"
#include "game/backgrounds.h"
#include "game/game_states.h"
#include "game/stage_drivers.h"
#include "tests/support/game_driver.h"

using morv_test::GameDriver;

namespace {

constexpr float kFrame = 1.0f / 64.0f;

// The first tile of each layer at (-40, 0), so one frame's move reads off exactly.
void ZeroFirstTiles() {
  for (BackgroundTile* layer : {gBackOverlay, gBackS1Near, gBackS1Far, gBackS2Near, gBackS2Far}) {
    layer[0] = {-40.0f, 0.0f};
  }
}

// The back buffer's 16-bit pixel at (x, y).
uint16_t BackPixel(int x, int y) {
  uint16_t v;
  std::memcpy(&v, gBackSurface->pixels + static_cast<size_t>(y) * gBackSurface->pitch + x * 2, 2);
  return v;
}

}  // namespace

TEST(Layers, Stage1SpeedsAddOnASharedBound) {
  GameDriver game;
  game.EnterStage(1, 0.0f);
  gDistance = 500.0f - 20.0f * kFrame;
  ZeroFirstTiles();
  game.FixedFrames(1, kFrame);
  ASSERT_EQ(gDistance, 500.0f);
  EXPECT_EQ(gBackS1Near[0].y, (140.0f + 150.0f) * kFrame);
  EXPECT_EQ(gBackOverlay[0].y, (150.0f + 200.0f) * kFrame);
  EXPECT_EQ(gBackS1Far[0].y, 130.0f * kFrame);
  EXPECT_EQ(gBackS1Far[0].x, 0.0f);
  EXPECT_EQ(gBackS2Near[0].y, 0.0f);  // the other stage's layers stand

  ZeroFirstTiles();
  game.FixedFrames(1, kFrame);
  EXPECT_EQ(gBackS1Near[0].y, 150.0f * kFrame);
  EXPECT_EQ(gBackOverlay[0].y, 200.0f * kFrame);

  gDistance = 1200.0f;
  ZeroFirstTiles();
  game.FixedFrames(1, kFrame);
  EXPECT_EQ(gBackS1Near[0].y, 150.0f * kFrame);
  EXPECT_EQ(gBackOverlay[0].y, 150.0f * kFrame);
}

// Every tile of a layer, odd or even, first or last, moves by the same step and stands at the
// field's x origin afterwards, wherever it stood.
TEST(Layers, EveryTileMovesByTheLayersStepToTheFieldsOrigin) {
  GameDriver game;
  game.EnterStage(1, 0.0f);
  gFrameTime = kFrame;
  for (int i = 0; i < kBackgroundTileCount; ++i) {
    gBackS1Far[i] = {static_cast<float>(i % 13) * 7.5f, -1000.0f - 480.25f * static_cast<float>(i)};
  }
  ScrollBackgroundS1Far();
  const float step = 130.0f * kFrame;
  for (int i = 0; i < kBackgroundTileCount; ++i) {
    ASSERT_EQ(gBackS1Far[i].x, static_cast<float>(kProfile.fieldX)) << "tile " << i;
    ASSERT_EQ(gBackS1Far[i].y, (-1000.0f - 480.25f * static_cast<float>(i)) + step) << "tile " << i;
  }
}

TEST(Layers, Stage2SpeedsAddOnASharedBound) {
  GameDriver game;
  game.EnterStage(2, 0.0f);
  gDistance = 400.0f - 18.0f * kFrame;
  ZeroFirstTiles();
  game.FixedFrames(1, kFrame);
  ASSERT_EQ(gDistance, 400.0f);
  EXPECT_EQ(gBackS2Near[0].y, (180.0f + 200.0f) * kFrame);
  EXPECT_EQ(gBackS2Far[0].y, 100.0f * kFrame);
  EXPECT_EQ(gBackOverlay[0].y, 150.0f * kFrame);
  EXPECT_EQ(gBackS1Near[0].y, 0.0f);
}

TEST(Layers, RestackTestsStrictOrNotAndTheFarLayersMoveTo140) {
  GameDriver game;
  game.EnterStage(1, 100.0f);
  gFrameTime = 0.0f;
  constexpr int kLast = kBackgroundTileCount - 1;
  constexpr float kLastHome = -480.0f * kLast;
  // Last tile exactly at 0: restacks where the test is ">= 0", not where it is "> 0".
  for (BackgroundTile* layer : {gBackOverlay, gBackS1Near, gBackS2Near}) {
    layer[0].y = 123.0f;
    layer[kLast].y = 0.0f;
  }
  ScrollBackgroundOverlay();
  ScrollBackgroundS1Near();
  ScrollBackgroundS2Near();
  EXPECT_EQ(gBackOverlay[kLast].y, kLastHome);
  EXPECT_EQ(gBackOverlay[0].y, 0.0f);
  EXPECT_EQ(gBackS2Near[kLast].y, kLastHome);
  EXPECT_EQ(gBackS1Near[kLast].y, 0.0f);
  EXPECT_EQ(gBackS1Near[0].y, 123.0f);
  EXPECT_EQ(gBackS1Near[0].x, 0.0f);

  for (BackgroundTile* layer : {gBackS1Far, gBackS2Far}) {
    layer[0].y = 123.0f;
    layer[kLast].y = 0.0f;
  }
  ScrollBackgroundS1Far();
  EXPECT_EQ(gBackS1Far[0].y, 123.0f);
  gBackS1Far[kLast].y = 0.5f;
  gBackS2Far[kLast].y = 0.5f;
  ScrollBackgroundS1Far();
  ScrollBackgroundS2Far();
  for (BackgroundTile* layer : {gBackS1Far, gBackS2Far}) {
    EXPECT_EQ(layer[0].y, 0.0f);
    EXPECT_EQ(layer[0].x, 140.0f);
    EXPECT_EQ(layer[kLast].y, kLastHome);
    EXPECT_EQ(layer[kLast].x, 140.0f);
  }
}

// Places are cut to whole pixels toward zero, so an overlay tile 479.5 above the field's top shows
// its last row on the field's first, one half a pixel above the bottom shows its first row on the
// field's last, and each a pixel further shows nothing; whichever two neighbouring tiles of the
// column they are (the tiles far above are passed over eight at a time).
TEST(Layers, ATileShowsFromItsOneRowOnTheFieldAndNothingPastIt) {
  GameDriver game;
  game.EnterStage(1, 100.0f);
  gFrameTime = 0.0f;
  gOverlayBlend = 0;
  const int top = kProfile.clipTop;
  const int bottom = kProfile.clipBottom;
  // A column where the picture's first and last rows are both drawn.
  const IDirectDrawSurface* picture = gDrawObjects[ImageSlot(kImgBBACK8S)].surface;
  auto opaque = [&](int px, int py) {
    uint16_t v;
    std::memcpy(&v, picture->pixels + static_cast<size_t>(py) * picture->pitch + px * 2, 2);
    return v != 0;
  };
  int column = 0;
  while (column < 360 && !(opaque(column, 0) && opaque(column, 479))) ++column;
  ASSERT_LT(column, 360);
  const int x = kProfile.fieldX + column;
  for (const int first : {0, 1, 5, 6, 7, 8, 14, kBackgroundTileCount - 2}) {
    SCOPED_TRACE(first);
    auto drawWith = [&](float y0, float y1) {
      for (BackgroundTile& t : gBackOverlay) t = {0.0f, -1.0e6f};
      gBackOverlay[first] = {static_cast<float>(kProfile.fieldX), y0};
      gBackOverlay[first + 1] = {static_cast<float>(kProfile.fieldX), y1};
      elDraw::ClearBack();
      ScrollBackgroundOverlay();
    };
    drawWith(static_cast<float>(top) - 479.5f, static_cast<float>(bottom) - 0.5f);
    EXPECT_NE(BackPixel(x, top), 0);
    EXPECT_EQ(BackPixel(x, top + 1), 0);
    EXPECT_NE(BackPixel(x, bottom - 1), 0);
    EXPECT_EQ(BackPixel(x, bottom - 2), 0);

    drawWith(static_cast<float>(top) - 480.5f, static_cast<float>(bottom) + 0.5f);
    for (int y = top; y < bottom; ++y) ASSERT_EQ(BackPixel(x, y), 0) << "row " << y;
  }
}

TEST(Backdrop, StandsUntil140ThenSinksAndIsParkedPast650) {
  GameDriver game;
  game.EnterStage(1, 100.0f);
  game.FixedFrames(10, kFrame);
  EXPECT_EQ(gS1Backdrop.x, 0.0f);
  EXPECT_EQ(gS1Backdrop.y, 120.0f);
  gDistance = 140.0f - 20.0f * kFrame;
  game.FixedFrames(1, kFrame);
  ASSERT_EQ(gDistance, 140.0f);
  EXPECT_EQ(gS1Backdrop.y, 120.0f + 150.0f * kFrame);
  // 120 + 226 x 2.34375 = 649.6875 still shows; the 227th step passes 650.
  game.FixedFrames(225, kFrame);
  EXPECT_EQ(gS1Backdrop.y, 649.6875f);
  game.FixedFrames(1, kFrame);
  EXPECT_EQ(gS1Backdrop.x, -100.0f);
  EXPECT_EQ(gS1Backdrop.y, 2550.0f);
  game.FixedFrames(5, kFrame);
  EXPECT_EQ(gS1Backdrop.y, 2550.0f);
}

TEST(Stars, AStarPastTheBottomIsRebornFromFourDrawsInOrder) {
  for (int stage : {1, 2}) {
    GameDriver game;
    game.EnterStage(stage, 50.0f);
    for (Star& s : gStars) s = {0, 100.0f, 100.0f, 0.0f, 0.0f};
    gStars[0] = {3, 20.0f, 479.5f, 0.0f, 64.0f};
    gStars[1] = {3, 20.0f, 100.0f, 64.0f, 64.0f};
    const int base = stage == 1 ? 80 : 130;
    srand(2024);
    const int colour = rand() % 7;
    const int x = rand() % 640;
    const int y = rand() % 50;
    const int speed = rand() % base + base;
    srand(2024);
    game.FixedFrames(1, kFrame);
    EXPECT_EQ(gStars[0].colour, colour);
    EXPECT_EQ(gStars[0].x, static_cast<float>(x));
    EXPECT_EQ(gStars[0].y, static_cast<float>(-y));
    EXPECT_EQ(gStars[0].speed, static_cast<float>(speed));
    // A star that stays keeps its colour and speed; its sideways push lasts one frame.
    EXPECT_EQ(gStars[1].x, 21.0f);
    EXPECT_EQ(gStars[1].y, 101.0f);
    EXPECT_EQ(gStars[1].dx, 0.0f);
    EXPECT_EQ(gStars[1].colour, 3);
  }
}
