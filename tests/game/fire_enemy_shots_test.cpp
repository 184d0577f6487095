// The regular enemies' single shots and bursts: launching, removal just inside and past each
// bound, the hit windows, the burst's group test on its slowest shot, the sprites, and real stages
// in which they destroy the ship.
#include <gtest/gtest.h>

#include "engine/profile.h"
#include "engine/shell.h"
#include "game/asset_list.h"
#include "game/enemy_data.h"
#include "game/fire/enemy_shots.h"
#include "game/player_data.h"
#include "tests/game/fire_pictures.h"

using fire_test::Shown;
using morv_test::GameDriver;

namespace {

constexpr float kFrame = 1.0f / 64;
const float kRight = static_cast<float>(kProfile.rightBound);
const float kBottom = static_cast<float>(kProfile.bottomBound);

// A shot standing still at (x, y), in flight.
void Stand(AimedShot& s, float x, float y) {
  s = AimedShot{};
  s.x = x;
  s.y = y;
  s.active = 1;
}
// The slot's burst standing still: shot 0 at (x0, y0), the others at (x, y).
void StandBurst(int slot, float x0, float y0, float x, float y) {
  for (int j = 0; j < 5; ++j) Stand(gEnemyBursts[5 * slot + j], j == 0 ? x0 : x, j == 0 ? y0 : y);
}
// The ship's corner at (150, 300), alive, nothing cleared.
void QuietField() {
  gFrameTime = kFrame;
  gClearEnemyShots = 0;
  gPlayerAlive = 1;
  gPlayerX = 150.0f;
  gPlayerY = 300.0f;
}

struct Spot {
  float x, y;
  bool yes;
};

}  // namespace

TEST(EnemyShotFire, ShotsLeaveTheEnemyAimedAtTheShipsMiddleOnlyWhenFree) {
  QuietField();
  gEnemies[4].x = 100.0f;
  gEnemies[4].y = 40.0f;
  gEnemyShots[4] = AimedShot{};
  FireEnemyShot(4);
  const AimedShot& s = gEnemyShots[4];
  EXPECT_EQ(s.active, 1);
  EXPECT_EQ(s.x, 125.0f);
  EXPECT_EQ(s.y, 90.0f);
  EXPECT_EQ(s.x0, 125.0f);
  EXPECT_EQ(s.y0, 90.0f);
  EXPECT_EQ(s.dx, 40.0f);
  EXPECT_EQ(s.dy, 225.0f);  // to (165, 315)
  EXPECT_EQ(s.angle, 1.39485669f);
  EXPECT_GE(s.speed, 130.0f);
  EXPECT_LE(s.speed, 179.0f);
  gEnemies[4].x = 0.0f;
  FireEnemyShot(4);  // in flight: nothing changes
  EXPECT_EQ(s.x, 125.0f);

  gEnemies[2].x = 140.0f;
  gEnemies[2].y = 100.0f;
  StandBurst(2, 0.0f, 0.0f, 7.0f, 8.0f);
  for (int j = 0; j < 5; ++j) gEnemyBursts[10 + j].active = j == 2;
  FireEnemyBurst(2);
  for (int j = 0; j < 5; ++j) {
    const AimedShot& b = gEnemyBursts[10 + j];
    EXPECT_EQ(b.speed, 260.0f + 20.0f * j) << j;
    EXPECT_EQ(b.x, j == 2 ? 7.0f : 165.0f) << j;  // the shot in flight keeps its place
    if (j != 2) {
      EXPECT_EQ(b.y, 125.0f) << j;
      EXPECT_EQ(b.dx, 0.0f) << j;
      EXPECT_EQ(b.angle, 1.5707964f) << j;
    }
  }
}

TEST(EnemyShotMove, RemovedJustPastEachBoundOfTheField) {
  QuietField();
  const Spot spots[] = {
      {-30.0f, 100.0f, true}, {-30.5f, 100.0f, false}, {kRight, 100.0f, true},
      {kRight + 0.5f, 100.0f, false}, {100.0f, -30.0f, true}, {100.0f, -30.5f, false},
      {100.0f, kBottom, true}, {100.0f, kBottom + 0.5f, false},
  };
  for (const Spot& p : spots) {
    // The single shot is parked.
    Stand(gEnemyShots[0], p.x, p.y);
    MoveEnemyShot(0);
    const AimedShot& s = gEnemyShots[0];
    EXPECT_EQ(s.active, p.yes ? 1 : 0) << p.x << ", " << p.y;
    if (!p.yes) {
      EXPECT_EQ(s.x, -500.0f);
      EXPECT_EQ(s.y, 2550.0f);
    }
    // A burst ends as a whole, where it is, when shot 0 leaves; its other shots do not count.
    StandBurst(5, p.x, p.y, kRight + 40.0f, 200.0f);
    MoveEnemyBurst(5);
    EXPECT_EQ(gEnemyBursts[29].active, p.yes ? 1 : 0) << p.x << ", " << p.y;
    EXPECT_EQ(gEnemyBursts[29].x, kRight + 40.0f);
  }
  Stand(gEnemyShots[0], 100.0f, 100.0f);
  gClearEnemyShots = 1;
  MoveEnemyShot(0);
  EXPECT_EQ(gEnemyShots[0].x, -500.0f);
}

TEST(EnemyShotHits, TheWindowsAreInclusiveAndTheBurstsReachesHigher) {
  QuietField();
  // (x, y) of the shot; whether a single shot and whether a burst shot there hits.
  const struct {
    float x, y;
    bool single, burst;
  } spots[] = {
      {160.0f, 320.0f, true, true},    {180.0f, 330.0f, true, true},
      {160.0f, 310.0f, false, true},   {160.0f, 309.0f, false, false},
      {160.0f, 319.0f, false, true},   {159.0f, 325.0f, false, false},
      {181.0f, 320.0f, false, false},  {170.0f, 330.5f, false, false},
  };
  for (const auto& p : spots) {
    gPlayerAlive = 1;
    Stand(gEnemyShots[3], p.x, p.y);
    MoveEnemyShot(3);
    EXPECT_EQ(gPlayerAlive, p.single ? 0 : 1) << p.x << ", " << p.y;
    EXPECT_EQ(gEnemyShots[3].active, 1);  // a shot that hits flies on
    gPlayerAlive = 1;
    StandBurst(7, 100.0f, 100.0f, 0.0f, 0.0f);
    Stand(gEnemyBursts[38], p.x, p.y);
    MoveEnemyBurst(7);
    EXPECT_EQ(gPlayerAlive, p.burst ? 0 : 1) << p.x << ", " << p.y;
  }
}

TEST(EnemyShotHits, ABurstEndedInsideTheFieldDoesNotHit) {
  QuietField();
  StandBurst(8, 160.0f, 310.0f, 170.0f, 320.0f);  // over the ship
  gClearEnemyShots = 1;
  MoveEnemyBurst(8);
  EXPECT_EQ(gEnemyBursts[44].active, 0);
  gClearEnemyShots = 0;
  MoveEnemyBurst(8);
  EXPECT_EQ(gPlayerAlive, 1);
}

TEST(EnemyShotDraw, EachKindWithItsPictureAndPlace) {
  GameDriver game;
  game.EnterStage(1, 0.0f);
  game.PlaceShip(150.0f, 100.0f);
  Stand(gEnemyShots[0], 100.7f, 200.2f);  // kind 0
  gEnemyShots[0].phase = 3;
  Stand(gEnemyShots[1], 200.9f, 200.9f);  // kind 1
  StandBurst(1, 50.5f, 300.5f, 100.0f, 300.0f);  // kind 0
  gEnemyBursts[5].phase = 23;
  for (int j = 1; j < 5; ++j) gEnemyBursts[5 + j].active = 0;  // free: not drawn
  StandBurst(3, 250.3f, 300.3f, 250.3f, 300.3f);  // kind 1
  Stand(gEnemyShots[10], 300.0f, 400.0f);  // a slot no stage runs
  gEnemyShots[10].speed = 100.0f;
  game.FixedFrames(1, kFrame);
  const int strip = ImageSlot(kImgVAL16241);
  EXPECT_TRUE(Shown(game, strip, {48, 0, 64, 16}, 100, 200));
  EXPECT_EQ(gEnemyShots[0].phase, 4);
  EXPECT_TRUE(Shown(game, ImageSlot(kImgVALL302), {0, 0, 30, 30}, 195, 195));
  EXPECT_TRUE(Shown(game, strip, {368, 0, 384, 16}, 52, 302));
  EXPECT_EQ(gEnemyBursts[5].phase, 0);
  EXPECT_FALSE(Shown(game, strip, {0, 0, 16, 16}, 102, 302));
  EXPECT_TRUE(Shown(game, ImageSlot(kImgVALL301), {0, 0, 30, 30}, 245, 295));
  EXPECT_FALSE(Shown(game, ImageSlot(kImgVALL302), {0, 0, 30, 30}, 245, 295));
  // The unrun slot's shot keeps its record, unmoved and unseen.
  EXPECT_EQ(gEnemyShots[10].x, 300.0f);
  EXPECT_EQ(gEnemyShots[10].active, 1);
  EXPECT_FALSE(Shown(game, strip, {0, 0, 16, 16}, 300, 400));
}

TEST(EnemyShotStage, AnAimedShotDestroysTheShipInStageOne) {
  GameDriver game;
  game.EnterStage(1, 0.0f);
  game.PlaceShip(150.0f, 400.0f);
  gEnemies[0].x = 140.0f;
  gEnemies[0].y = 200.0f;
  FireEnemyShot(0);  // from (165, 250) straight down at (165, 415)
  int frames = 0;
  while (gPlayerAlive == 1 && frames < 200) {
    game.FixedFrames(1, kFrame);
    ++frames;
    // Alive while short of the window's top, 20 below the ship's corner.
    if (gPlayerAlive == 1) {
      ASSERT_LT(gEnemyShots[0].y, 420.0f) << "frame " << frames;
    }
  }
  ASSERT_EQ(gPlayerAlive, 0);
  EXPECT_GE(gEnemyShots[0].y, 420.0f);
  EXPECT_LE(gEnemyShots[0].y, 430.0f);
  EXPECT_GT(frames, 60);  // 170 pixels at 130 to 179 pixels per second
}

TEST(EnemyShotStage, ABurstDestroysTheShipInStageTwoOnlyFromTheStagesSlots) {
  GameDriver game;
  game.EnterStage(2, 0.0f);
  game.PlaceShip(150.0f, 400.0f);
  gEnemies[9].x = gEnemies[19].x = 140.0f;
  gEnemies[9].y = gEnemies[19].y = 200.0f;
  FireEnemyBurst(9);  // fired, but no stage runs slot 9's burst
  game.FixedFrames(60, kFrame);
  EXPECT_EQ(gPlayerAlive, 1);
  EXPECT_EQ(gEnemyBursts[45].y, 225.0f);
  FireEnemyBurst(19);
  game.FixedFrames(60, kFrame);
  EXPECT_EQ(gPlayerAlive, 0);
}
