// The scenery: layer speeds by distance (adding on shared bounds), the restack tests, the stage-1
// backdrop's timeline and the star field's rebirths.
#include <gtest/gtest.h>

#include <cstdlib>

#include "engine/shell.h"
#include "game/background_data.h"
#include "game/backgrounds.h"
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
