// Coins and the special-weapon pickup: the drop, the fall, the sparkle of a collected coin, the
// pickup's windows and random draws, and the power it brings.
#include <gtest/gtest.h>

#include <cstdlib>

#include "engine/shell.h"
#include "game/asset_list.h"
#include "game/enemy_data.h"
#include "game/item_data.h"
#include "game/items.h"
#include "game/stage_drivers.h"
#include "game/weapon_data.h"
#include "tests/game/picture_checks.h"
#include "tests/support/game_driver.h"

using morv_test::GameDriver;

namespace {

constexpr float kFrame = 1.0f / 64.0f;
constexpr float kS1Step = 20.0f * kFrame;

void Stage1(GameDriver& game, float distance = 200.0f) {
  game.EnterStage(1, distance);
  gFrameTime = kFrame;
}

Coin& Falling(Coin& c, float x, float y, float vy) {
  c = {x, y, vy, 1, 0, 0, 0};
  return c;
}



}  // namespace

TEST(DroppedCoin, DropsAtTheEnemyOnlyWhenFree) {
  GameDriver game;
  Stage1(game);
  gEnemies[4].x = 40.0f;
  gEnemies[4].y = 100.0f;
  srand(77);
  const int vy = rand() % 160 + 110;
  srand(77);
  SpawnDroppedCoin(4);
  const Coin& c = gDroppedCoins[4];
  EXPECT_EQ(c.x, 60.0f);
  EXPECT_EQ(c.y, 120.0f);
  EXPECT_EQ(c.vy, static_cast<float>(vy));
  EXPECT_EQ(c.active, 1);

  gDroppedCoins[4].collected = 1;  // sparkling: still in play
  gEnemies[4].x = 200.0f;
  SpawnDroppedCoin(4);
  EXPECT_EQ(c.x, 60.0f);
  EXPECT_EQ(c.collected, 1);
}

TEST(DroppedCoin, ACoinTouchedEveryFrameSparklesTwentyFramesWithoutRestarting) {
  GameDriver game;
  Stage1(game);
  Coin& c = Falling(gDroppedCoins[3], 50.0f, 100.0f, 64.0f);
  c.collected = 1;
  for (int frame = 1; frame <= 19; ++frame) {
    game.FixedFrames(1, kFrame);
    c.collected = 1;  // touched again
    ASSERT_EQ(c.active, 1) << frame;
    ASSERT_EQ(c.sparklePass * 10 + c.sparkleFrame, frame);
  }
  EXPECT_EQ(c.y, 119.0f);  // it keeps falling while it sparkles
  game.FixedFrames(1, kFrame);
  EXPECT_EQ(c.active, 0);
  EXPECT_EQ(c.collected, 0);
  EXPECT_EQ(c.sparklePass, 0);
  EXPECT_EQ(c.sparkleFrame, 0);
  EXPECT_EQ(c.x, -500.0f);
}

TEST(DroppedCoin, PastTheBottomWhileSparklingItIsParkedAndFinishesOffTheField) {
  GameDriver game;
  Stage1(game);
  Coin& c = Falling(gDroppedCoins[3], 50.0f, 479.5f, 64.0f);
  c.collected = 1;
  game.FixedFrames(1, kFrame);
  EXPECT_EQ(c.active, 0);
  EXPECT_EQ(c.x, -500.0f);
  EXPECT_EQ(c.y, 2550.0f);
  EXPECT_EQ(c.collected, 1);
  game.FixedFrames(19, kFrame);
  EXPECT_EQ(c.collected, 0);

  Falling(gDroppedCoins[5], 50.0f, 480.0f, 0.0f);
  game.FixedFrames(1, kFrame);
  EXPECT_EQ(gDroppedCoins[5].active, 1);  // exactly at the bottom it stays
}

TEST(StageCoins, EachStageMovesItsOwnPool) {
  GameDriver game;
  Stage1(game);
  Falling(gS1Coins[29], 10.0f, 100.0f, 64.0f);
  Falling(gS2Coins[0], 10.0f, 100.0f, 64.0f);
  game.FixedFrames(1, kFrame);
  EXPECT_EQ(gS1Coins[29].y, 101.0f);
  EXPECT_EQ(gS2Coins[0].y, 100.0f);
}

TEST(Pickup, WindowsAreClosedIntervals) {
  GameDriver game;
  Stage1(game);
  struct Case {
    float distance;  // after the frame's step
    int spawned;
  };
  const Case cases[] = {{500.0f - kS1Step, 0}, {500.0f, 1}, {550.0f, 1}, {550.0f + kS1Step, 0},
                        {950.0f, 1},           {1000.0f, 1}, {1000.0f + kS1Step, 0}};
  for (const Case& c : cases) {
    gSpecialWeaponItem = {-500.0f, 2550.0f, 0.0f, 0, 0};
    gDistance = c.distance - kS1Step;
    game.FixedFrames(1, kFrame);
    ASSERT_EQ(gDistance, c.distance);
    EXPECT_EQ(gSpecialWeaponItem.active, c.spawned) << c.distance;
    if (c.spawned == 1) {
      EXPECT_EQ(gSpecialWeaponItem.y, -60.0f);
    }
  }
}

TEST(Pickup, Stage2WindowsAndTheRandomDrawsXFirst) {
  GameDriver game;
  game.EnterStage(2, 300.0f);
  gFrameTime = kFrame;
  gSpecialWeaponItem = {-500.0f, 2550.0f, 0.0f, 0, 0};
  srand(31);
  const int x = rand() % 320 - 10;
  const int vy = rand() % 130 + 100;
  srand(31);
  SpawnSpecialWeaponItem();
  EXPECT_EQ(gSpecialWeaponItem.x, static_cast<float>(x));
  EXPECT_EQ(gSpecialWeaponItem.vy, static_cast<float>(vy));
  EXPECT_EQ(gSpecialWeaponItem.y, -60.0f);

  gSpecialWeaponItem = {-500.0f, 2550.0f, 0.0f, 0, 0};
  gDistance = 1050.0f;
  RunSpecialWeaponItemWindows(2);
  EXPECT_EQ(gSpecialWeaponItem.active, 1);
  gSpecialWeaponItem = {-500.0f, 2550.0f, 0.0f, 0, 0};
  gDistance = 351.0f;
  RunSpecialWeaponItemWindows(2);
  EXPECT_EQ(gSpecialWeaponItem.active, 0);
}

TEST(Pickup, FallsAndLeavesBelowTheField) {
  GameDriver game;
  Stage1(game);
  gSpecialWeaponItem = {20.0f, 479.5f, 64.0f, 1, 0};
  MoveSpecialWeaponItem();
  EXPECT_EQ(gSpecialWeaponItem.active, 0);
  EXPECT_EQ(gSpecialWeaponItem.y, 2550.0f);
}

TEST(Pickup, PowerRisesTheFrameAfterItIsTaken) {
  GameDriver game;
  Stage1(game);
  gWeaponPower = 0;
  gSpecialWeaponItem = {20.0f, 100.0f, 64.0f, 1, 0};
  game.FixedFrames(1, kFrame);
  EXPECT_EQ(gWeaponPower, 0);
  EXPECT_EQ(gSpecialWeaponItem.y, 101.0f);
  gSpecialWeaponItem.taken = 1;  // as a touch at the end of the frame leaves it
  game.FixedFrames(1, kFrame);
  EXPECT_EQ(gWeaponPower, 1);
  EXPECT_EQ(gSpecialWeaponItem.active, 0);
  EXPECT_EQ(gSpecialWeaponItem.taken, 0);
  EXPECT_EQ(gSpecialWeaponItem.x, -500.0f);
  EXPECT_EQ(gSpecialWeaponItem.y, 2550.0f);
}

TEST(ItemPictures, CoinsSparkleAndPickupAtTheirPlaces) {
  GameDriver game;
  Stage1(game, 50.0f);
  Falling(gDroppedCoins[2], 20.5f, 150.0f, 0.0f);
  Falling(gS1Coins[7], 80.0f, 150.0f, 0.0f);
  Coin& sparkling = Falling(gDroppedCoins[9], 190.0f, 175.0f, 0.0f);
  sparkling.collected = 1;
  sparkling.sparkleFrame = 3;
  gSpecialWeaponItem = {60.0f, 250.0f, 0.0f, 1, 0};
  game.FixedFrames(1, kFrame);
  ExpectDrawnAt(game, kImgCOIN1, 0, 0, 30, 30, 20, 150);
  ExpectDrawnAt(game, kImgCOIN2, 0, 0, 30, 30, 80, 150);
  ExpectDrawnAt(game, kImgCOINBK1, 240, 0, 80, 80, 165, 150);
  ExpectDrawnAt(game, kImgSPOWER1, 0, 0, 60, 60, 60, 250);
}
