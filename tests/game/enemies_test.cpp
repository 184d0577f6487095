// Regular enemies: the off-field test, the spawn windows and the spawn's random draws, the
// movement patterns, the flames, and the explosion with its sounds, its coin and the respawn.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "engine/shell.h"
#include "game/asset_list.h"
#include "game/enemies.h"
#include "game/enemy_data.h"
#include "game/item_data.h"
#include "game/resets.h"
#include "game/stage_drivers.h"
#include "tests/game/picture_checks.h"
#include "tests/support/game_driver.h"

using morv_test::GameDriver;

namespace {

constexpr float kFrame = 1.0f / 64.0f;
constexpr float kS1Step = 20.0f * kFrame;  // distance a stage-1 frame of kFrame adds

Enemy& Fly(int slot, float x, float y, float vx = 0.0f, float vy = 0.0f) {
  Enemy& e = gEnemies[slot];
  e = {};
  e.x = x;
  e.y = y;
  e.vx = vx;
  e.vy = vy;
  e.active = 1;
  return e;
}

// Stage 1 under way at `distance`, before any window but the two circling slots' (120-700).
void Stage1(GameDriver& game, float distance = 200.0f) {
  game.EnterStage(1, distance);
  gFrameTime = kFrame;
}



}  // namespace

TEST(EnemyOffField, RightBoundInclusiveMarginsOnTheOtherSidesAndTheHitFlagStays) {
  GameDriver game;
  Stage1(game);
  struct Case {
    float x, y;
    int w, h;
    int active;
  };
  const Case cases[] = {
      {360.0f, 100.0f, 80, 80, 1},   {std::nextafter(360.0f, 400.0f), 100.0f, 80, 80, 0},
      {-80.0f, 100.0f, 80, 80, 1},   {-80.5f, 100.0f, 80, 80, 0},
      {100.0f, -80.0f, 80, 80, 1},   {100.0f, -80.5f, 80, 80, 0},
      {100.0f, 560.0f, 80, 80, 1},   {100.0f, 560.5f, 80, 80, 0},
      {100.0f, 930.0f, 240, 450, 1}, {100.0f, 1140.5f, 240, 660, 0},
      {-240.0f, 1140.0f, 240, 660, 1},
  };
  for (const Case& c : cases) {
    Fly(12, c.x, c.y).hit = 1;
    MoveEnemy(12, 0, c.w, c.h);
    EXPECT_EQ(gEnemies[12].active, c.active) << c.x << ", " << c.y << " margins " << c.w;
    EXPECT_EQ(gEnemies[12].hit, 1);
    if (c.active == 0) {
      EXPECT_EQ(gEnemies[12].x, -500.0f);
      EXPECT_EQ(gEnemies[12].y, 2550.0f);
    }
  }
}

TEST(EnemySpawn, WindowBoundsAreStrict) {
  GameDriver game;
  Stage1(game);
  gDistance = 250.0f - kS1Step;
  game.FixedFrames(1, kFrame);
  ASSERT_EQ(gDistance, 250.0f);
  EXPECT_EQ(gEnemies[0].active, 0);
  game.FixedFrames(1, kFrame);
  EXPECT_EQ(gEnemies[0].active, 1);
  EXPECT_EQ(gEnemies[0].y, -80.0f);

  gEnemies[0] = {};
  gEnemies[0].x = -500.0f;
  gEnemies[0].y = 2550.0f;
  gDistance = 500.0f - kS1Step;
  game.FixedFrames(1, kFrame);
  ASSERT_EQ(gDistance, 500.0f);
  EXPECT_EQ(gEnemies[0].active, 0);
}

TEST(EnemySpawn, LargeStage2SlotsSpawnAtTheirOwnHeight) {
  GameDriver game;
  game.EnterStage(2, 200.0f);
  game.FixedFrames(1, kFrame);
  EXPECT_EQ(gEnemies[15].active, 1);
  EXPECT_EQ(gEnemies[15].y, -300.0f);
  EXPECT_EQ(gEnemies[2].active, 0);  // moved and drawn, but no window
  gDistance = 340.0f;
  game.FixedFrames(1, kFrame);
  EXPECT_EQ(gEnemies[19].y, -440.0f);
}

TEST(EnemySpawn, FourDrawsInOrderXStyleVerticalHorizontal) {
  GameDriver game;
  Stage1(game);
  srand(4242);
  const int x = rand() % 290;
  const int style = rand() % 4;
  const int vy = rand() % 70 + 70;
  const int vx = rand() % 20 + 20;
  Enemy& e = gEnemies[5];
  e = {};
  e.explosionPass = 1;  // a spawn leaves the pass alone
  e.explosionFrame = 6;
  e.flameFrame = 9;
  e.heading = 2.0f;
  e.patternTimer = 33.0f;
  e.hit = 1;
  srand(4242);
  SpawnEnemy(5, 80, 80);
  EXPECT_EQ(e.x, static_cast<float>(x));
  EXPECT_EQ(e.y, -80.0f);
  EXPECT_EQ(e.explosionStyle, style);
  EXPECT_EQ(e.vy, static_cast<float>(vy));
  EXPECT_EQ(e.vx, static_cast<float>(vx));
  EXPECT_EQ(e.active, 1);
  EXPECT_EQ(e.hit, 0);
  EXPECT_EQ(e.explosionFrame, 0);
  EXPECT_EQ(e.flameFrame, 0);
  EXPECT_EQ(e.heading, 0.0f);
  EXPECT_EQ(e.patternTimer, 0.0f);
  EXPECT_EQ(e.explosionPass, 1);

  e.x = 7.0f;
  SpawnEnemy(5, 80, 80);  // active: nothing
  EXPECT_EQ(e.x, 7.0f);
}

TEST(EnemyPatterns, ZigzagAtTwentyGoesForwardAndBackAndStandsBetweenFortyAndFortyOne) {
  GameDriver game;
  Stage1(game);
  Enemy& e = Fly(12, 100.0f, 100.0f, 32.0f, 64.0f);
  e.patternTimer = 20.0f - 10.0f * kFrame;
  MoveEnemy(12, 2, 80, 80);
  EXPECT_EQ(e.patternTimer, 20.0f);
  EXPECT_EQ(e.x, 100.0f);
  EXPECT_EQ(e.y, 101.0f);
  e.patternTimer = 40.5f - 10.0f * kFrame;
  MoveEnemy(12, 2, 80, 80);
  EXPECT_EQ(e.x, 100.0f);
  e.patternTimer = 41.0f - 10.0f * kFrame;
  MoveEnemy(12, 2, 80, 80);
  EXPECT_EQ(e.patternTimer, 0.0f);
  MoveEnemy(12, 2, 80, 80);
  EXPECT_EQ(e.x, 100.5f);
}

TEST(EnemyPatterns, TimedBandsFixedDescentMirrorAndWrap) {
  GameDriver game;
  Stage1(game);
  // 3: falls at 120 whatever vy, moves by the previous vx, then takes the band's.
  Enemy& e = Fly(12, 100.0f, 100.0f, 32.0f, 999.0f);
  MoveEnemy(12, 3, 80, 80);
  EXPECT_EQ(e.y, 101.875f);
  EXPECT_EQ(e.x, 100.5f);
  EXPECT_EQ(e.vx, 10.0f);
  EXPECT_EQ(e.vy, 999.0f);
  // 4 is its mirror image.
  Fly(12, 100.0f, 100.0f, 32.0f, 999.0f);
  MoveEnemy(12, 4, 80, 80);
  EXPECT_EQ(e.x, 99.5f);
  // 5: between two bands nothing changes; inside one both speeds are set.
  Fly(12, 100.0f, 100.0f, 33.0f, 77.0f).patternTimer = 10.5f - 40.0f * kFrame;
  MoveEnemy(12, 5, 80, 80);
  EXPECT_EQ(e.vy, 77.0f);
  EXPECT_EQ(e.vx, 33.0f);
  e.patternTimer = 150.0f;
  MoveEnemy(12, 6, 80, 80);
  EXPECT_EQ(e.vy, 0.0f);
  EXPECT_EQ(e.vx, 90.0f);
  // 7 wraps at 261, past its last band.
  Fly(12, 100.0f, 100.0f, 0.0f, 0.0f).patternTimer = 261.0f - 80.0f * kFrame;
  MoveEnemy(12, 7, 80, 80);
  EXPECT_EQ(e.patternTimer, 0.0f);
  e.patternTimer = 112.0f;
  MoveEnemy(12, 8, 80, 80);
  EXPECT_EQ(e.vy, -130.0f);
  EXPECT_EQ(e.vx, -30.0f);
}

TEST(EnemyPatterns, HomingSteersTowardsTheShip) {
  GameDriver game;
  Stage1(game);
  game.PlaceShip(150.0f, 400.0f);
  Enemy& e = Fly(12, 200.0f, 100.0f, 32.0f, 64.0f);
  MoveEnemy(12, 1, 80, 80);
  EXPECT_EQ(e.x, 200.5f);
  EXPECT_EQ(e.vx, -50.0f);
  e.x = 100.0f;
  MoveEnemy(12, 1, 80, 80);
  EXPECT_EQ(e.vx, 50.0f);
  e.active = 0;  // a free record does not move
  MoveEnemy(12, 1, 80, 80);
  EXPECT_EQ(e.vx, 50.0f);
  EXPECT_EQ(e.x, 100.0f - 50.0f * kFrame);
}

TEST(EnemyPatterns, CirclingStartsStillAndTurnsOneDegreePerFrame) {
  GameDriver game;
  Stage1(game);
  Enemy& e = Fly(12, 100.0f, 100.0f);
  MoveEnemy(12, 9, 80, 80);
  EXPECT_EQ(e.x, 100.0f);
  EXPECT_EQ(e.y, 100.0f);
  EXPECT_EQ(e.circlingSpeed, 170.0f);
  EXPECT_EQ(e.heading, 0.017453292f);
  MoveEnemy(12, 9, 80, 80);
  const float a = 0.017453292f;
  EXPECT_EQ(e.y, 100.0f + static_cast<float>(std::sin(static_cast<double>(a))) * 170.0f * kFrame);
  EXPECT_EQ(e.x, 100.0f - static_cast<float>(std::cos(static_cast<double>(a))) * 170.0f * kFrame);
  e.heading = 6.27f;
  MoveEnemy(12, 9, 80, 80);
  EXPECT_EQ(e.heading, 0.017453292f);

  Enemy& f = Fly(13, 100.0f, 100.0f);
  f.circlingSpeed = 170.0f;
  MoveEnemy(13, 10, 80, 80);
  EXPECT_EQ(f.x, 100.0f + 170.0f * kFrame);  // heading 0: straight right
  EXPECT_EQ(f.heading, -0.017453292f);
  f.heading = -6.27f;
  MoveEnemy(13, 10, 80, 80);
  EXPECT_EQ(f.heading, -0.017453292f);
}

TEST(EnemyDrawing, FlamesStepAndWrapFrom19To0OnlyForKindsWithFlames) {
  GameDriver game;
  Stage1(game);
  Fly(12, 100.0f, 100.0f).flameFrame = 19;
  DrawEnemy(12, 2);
  EXPECT_EQ(gEnemies[12].flameFrame, 0);
  DrawEnemy(12, 10);
  EXPECT_EQ(gEnemies[12].flameFrame, 1);
  DrawEnemy(12, 0);
  DrawEnemy(12, 5);
  DrawEnemy(12, 11);  // no such kind: nothing
  EXPECT_EQ(gEnemies[12].flameFrame, 1);
}

TEST(EnemyExplosion, TwentyFramesTwoSoundsAndTheCoinOnTheFirst) {
  GameDriver game;
  Stage1(game);
  gDroppedCoins[0].active = 0;
  Fly(0, 40.0f, 100.0f).hit = 1;
  game.ForgetSounds();
  const int first = game.frame_count();
  game.FixedFrames(1, kFrame);
  EXPECT_EQ(gDroppedCoins[0].active, 1);
  EXPECT_EQ(gDroppedCoins[0].x, 60.0f);
  EXPECT_EQ(gDroppedCoins[0].y, 120.0f + gDroppedCoins[0].vy * kFrame);  // dropped, then moved
  EXPECT_EQ(gEnemies[0].explosionFrame, 1);
  game.FixedFrames(18, kFrame);
  EXPECT_EQ(gEnemies[0].hit, 1);
  EXPECT_EQ(gEnemies[0].explosionPass, 1);
  EXPECT_EQ(gEnemies[0].explosionFrame, 9);
  game.FixedFrames(1, kFrame);
  EXPECT_EQ(gEnemies[0].hit, 0);
  EXPECT_EQ(gEnemies[0].active, 0);
  EXPECT_EQ(gEnemies[0].explosionPass, 0);
  EXPECT_EQ(gEnemies[0].x, -500.0f);
  EXPECT_EQ(gEnemies[0].y, 2550.0f);

  std::vector<int> bomFrames;
  for (const GameDriver::SoundStart& s : game.Sounds()) {
    if (s.sound == gSndBom) bomFrames.push_back(s.frame - first);
  }
  EXPECT_EQ(bomFrames, (std::vector<int>{0, 10}));
}

TEST(EnemyExplosion, ASlotComesBackInTheFrameItsExplosionEndsOrItLeavesTheField) {
  GameDriver game;
  Stage1(game, 300.0f);  // slot 0's window 250-500 is open
  Enemy& e = Fly(0, 40.0f, 100.0f);
  e.hit = 1;
  e.explosionPass = 1;
  e.explosionFrame = 9;
  game.FixedFrames(1, kFrame);
  EXPECT_EQ(e.active, 1);
  EXPECT_EQ(e.hit, 0);
  EXPECT_EQ(e.y, -80.0f);

  Fly(0, 40.0f, 560.5f, 0.0f, 0.0f);
  game.FixedFrames(1, kFrame);
  EXPECT_EQ(e.active, 1);
  EXPECT_EQ(e.y, -80.0f);
}

TEST(EnemyReset, EveryFieldButTheCirclingOnesGoesBack) {
  GameDriver game;
  Stage1(game);
  Enemy& e = Fly(7, 10.0f, 20.0f, 30.0f, 40.0f);
  e.explosionPass = 1;
  e.explosionFrame = 5;
  e.flameFrame = 8;
  e.patternTimer = 12.0f;
  e.heading = 1.5f;
  e.circlingSpeed = 170.0f;
  e.hit = 1;
  ResetGameState();
  EXPECT_EQ(e.explosionPass, 0);
  EXPECT_EQ(e.explosionFrame, 0);
  EXPECT_EQ(e.flameFrame, 0);
  EXPECT_EQ(e.x, -500.0f);
  EXPECT_EQ(e.y, 2550.0f);
  EXPECT_EQ(e.vx, 0.0f);
  EXPECT_EQ(e.vy, 0.0f);
  EXPECT_EQ(e.patternTimer, 0.0f);
  EXPECT_EQ(e.active, 0);
  EXPECT_EQ(e.hit, 0);
  EXPECT_EQ(e.heading, 1.5f);
  EXPECT_EQ(e.circlingSpeed, 170.0f);
}

TEST(EnemyPictures, BodiesAndExplosionCellsAtTheirOffsets) {
  GameDriver game;
  Stage1(game, 50.0f);
  Fly(5, 20.0f, 150.0f);                         // kind 0: body at (x + 5, y + 10)
  Fly(3, 120.0f, 150.0f);                        // kind 2, 80 x 80 at (x, y), after 120 px/s
  Enemy& boom = Fly(7, 220.0f, 150.0f);          // style 2, frame 9
  boom.hit = 1;
  boom.explosionStyle = 2;
  boom.explosionFrame = 9;
  game.FixedFrames(1, kFrame);
  ExpectDrawnAt(game, kImgSZAK1, 0, 0, 60, 60, 25, 160);
  ExpectDrawnAt(game, kImgSZAK3, 0, 0, 80, 80, 120, 151);  // moved before it is drawn
  EXPECT_EQ(gEnemies[3].flameFrame, 1);
  // The last spark, drawn over the others at (x + 20 + 5f, y + 20 - 8f).
  ExpectDrawnAt(game, kImgZBAK6B, 360, 0, 40, 40, 220 + 65, 150 - 52);
}
