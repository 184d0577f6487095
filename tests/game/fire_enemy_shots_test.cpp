// The regular enemies' single shots and bursts: launching, flight and removal at the field's
// bounds, the hit windows, the burst's group test on its slowest shot, the sprites, and a real
// stage in which they destroy the ship.
#include <gtest/gtest.h>

#include "engine/profile.h"
#include "engine/shell.h"
#include "game/asset_list.h"
#include "game/enemy_data.h"
#include "game/fire/bullet_data.h"
#include "game/fire/enemy_shots.h"
#include "game/player_data.h"
#include "tests/game/fire_pictures.h"
#include "tests/support/game_driver.h"

using fire_test::Probe;
using morv_test::GameDriver;

namespace {

constexpr float kFrame = 1.0f / 64;

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

void QuietField() {
  gFrameTime = kFrame;
  gClearEnemyShots = 0;
  gPlayerAlive = 1;
  gPlayerX = 150.0f;
  gPlayerY = 300.0f;
}

bool Parked(const AimedShot& s) { return s.active == 0 && s.x == -500.0f && s.y == 2550.0f; }

}  // namespace

TEST(EnemyShotFire, ASingleShotLeavesBelowTheEnemyAimedAtTheShipsMiddle) {
  QuietField();
  gEnemies[4].x = 100.0f;
  gEnemies[4].y = 40.0f;
  gEnemyShots[4] = AimedShot{};
  gEnemyShots[4].phase = 6;
  FireEnemyShot(4);
  const AimedShot& s = gEnemyShots[4];
  EXPECT_EQ(s.active, 1);
  EXPECT_EQ(s.x, 125.0f);
  EXPECT_EQ(s.y, 90.0f);
  EXPECT_EQ(s.x0, 125.0f);
  EXPECT_EQ(s.y0, 90.0f);
  EXPECT_EQ(s.dx, 40.0f);   // ship corner 150 + 15
  EXPECT_EQ(s.dy, 225.0f);  // ship corner 300 + 15
  EXPECT_EQ(s.angle, 1.39485669f);
  EXPECT_GE(s.speed, 130.0f);
  EXPECT_LE(s.speed, 179.0f);
  EXPECT_EQ(s.phase, 6);  // the animation goes on from where the record left it
  // Already in flight: nothing changes.
  gEnemies[4].x = 0.0f;
  const AimedShot before = s;
  FireEnemyShot(4);
  EXPECT_EQ(s.x, before.x);
  EXPECT_EQ(s.speed, before.speed);
  EXPECT_EQ(s.angle, before.angle);
}

TEST(EnemyShotFire, ABurstRefillsOnlyItsFreeShots) {
  QuietField();
  gEnemies[2].x = 165.0f - 25.0f;
  gEnemies[2].y = 100.0f;
  for (int j = 0; j < 5; ++j) gEnemyBursts[10 + j] = AimedShot{};
  Stand(gEnemyBursts[12], 7.0f, 8.0f);
  gEnemyBursts[12].speed = 1.0f;
  FireEnemyBurst(2);
  const float speeds[] = {260.0f, 280.0f, 300.0f, 320.0f, 340.0f};
  for (int j = 0; j < 5; ++j) {
    const AimedShot& s = gEnemyBursts[10 + j];
    EXPECT_EQ(s.active, 1);
    EXPECT_EQ(s.speed, speeds[j]) << j;
    if (j == 2) {
      EXPECT_EQ(s.x, 7.0f);  // in flight: only its speed was written
      continue;
    }
    EXPECT_EQ(s.x, 165.0f);
    EXPECT_EQ(s.y, 125.0f);
    EXPECT_EQ(s.dx, 0.0f);
    EXPECT_EQ(s.dy, 190.0f);
    EXPECT_EQ(s.angle, 1.5707964f);  // straight down
  }
  // The ship straight above: three quarters of a circle.
  gPlayerY = 0.0f;
  gEnemyBursts[10].active = 0;
  FireEnemyBurst(2);
  EXPECT_EQ(gEnemyBursts[10].angle, 4.71238899f);
}

TEST(EnemyShotMove, ASingleShotIsParkedJustPastEachBound) {
  QuietField();
  const float right = static_cast<float>(kProfile.rightBound);
  const float bottom = static_cast<float>(kProfile.bottomBound);
  struct Case {
    float x, y;
    bool stays;
  } cases[] = {
      {-30.0f, 100.0f, true}, {-30.5f, 100.0f, false}, {right, 100.0f, true},
      {right + 0.5f, 100.0f, false}, {100.0f, -30.0f, true}, {100.0f, -30.5f, false},
      {100.0f, bottom, true}, {100.0f, bottom + 0.5f, false},
  };
  for (const Case& c : cases) {
    Stand(gEnemyShots[0], c.x, c.y);
    MoveEnemyShot(0);
    if (c.stays) {
      EXPECT_EQ(gEnemyShots[0].active, 1) << c.x << ", " << c.y;
      EXPECT_EQ(gEnemyShots[0].x, c.x);
    } else {
      EXPECT_TRUE(Parked(gEnemyShots[0])) << c.x << ", " << c.y;
    }
  }
  // The clear-all flag parks it anywhere.
  Stand(gEnemyShots[0], 100.0f, 100.0f);
  gClearEnemyShots = 1;
  MoveEnemyShot(0);
  EXPECT_TRUE(Parked(gEnemyShots[0]));
}

TEST(EnemyShotMove, AShotFliesAlongItsAngle) {
  QuietField();
  Stand(gEnemyShots[1], 100.0f, 100.0f);
  gEnemyShots[1].angle = 0.0f;
  gEnemyShots[1].speed = 128.0f;
  MoveEnemyShot(1);
  EXPECT_EQ(gEnemyShots[1].x, 102.0f);
  EXPECT_EQ(gEnemyShots[1].y, 100.0f);
  // A free record does not move.
  gEnemyShots[1].active = 0;
  MoveEnemyShot(1);
  EXPECT_EQ(gEnemyShots[1].x, 102.0f);
}

TEST(EnemyShotMove, ABurstEndsWhenItsSlowestShotLeaves) {
  QuietField();
  const float bottom = static_cast<float>(kProfile.bottomBound);
  // Shot 0 on the bottom bound: the burst flies on, its faster shots past the bound too.
  StandBurst(5, 100.0f, bottom, 100.0f, bottom + 40.0f);
  MoveEnemyBurst(5);
  for (int j = 0; j < 5; ++j) EXPECT_EQ(gEnemyBursts[25 + j].active, 1) << j;
  // Shot 0 just past it: every shot ends where it is, the ones inside the field too.
  StandBurst(5, 100.0f, bottom + 0.5f, 100.0f, 200.0f);
  MoveEnemyBurst(5);
  for (int j = 0; j < 5; ++j) {
    EXPECT_EQ(gEnemyBursts[25 + j].active, 0) << j;
    EXPECT_EQ(gEnemyBursts[25 + j].y, j == 0 ? bottom + 0.5f : 200.0f) << j;
  }
  const float right = static_cast<float>(kProfile.rightBound);
  StandBurst(5, right, 100.0f, 100.0f, 100.0f);
  MoveEnemyBurst(5);
  EXPECT_EQ(gEnemyBursts[29].active, 1);
  StandBurst(5, right + 0.5f, 100.0f, 100.0f, 100.0f);
  MoveEnemyBurst(5);
  EXPECT_EQ(gEnemyBursts[29].active, 0);
  StandBurst(5, -30.0f, -30.0f, 100.0f, 100.0f);
  MoveEnemyBurst(5);
  EXPECT_EQ(gEnemyBursts[29].active, 1);
  StandBurst(5, -30.5f, 100.0f, 100.0f, 100.0f);
  MoveEnemyBurst(5);
  EXPECT_EQ(gEnemyBursts[29].active, 0);
  StandBurst(5, 100.0f, -30.5f, 100.0f, 100.0f);
  MoveEnemyBurst(5);
  EXPECT_EQ(gEnemyBursts[29].active, 0);
}

TEST(EnemyShotHits, TheSingleShotsWindowIsInclusive) {
  QuietField();  // ship corner at (150, 300)
  struct Case {
    float x, y;
    bool hits;
  } cases[] = {
      {160.0f, 320.0f, true},  {180.0f, 330.0f, true},  {160.0f, 319.0f, false},
      {181.0f, 320.0f, false}, {159.0f, 325.0f, false}, {170.0f, 331.0f, false},
      {160.0f, 310.0f, false},  // a burst shot here would hit
  };
  for (const Case& c : cases) {
    gPlayerAlive = 1;
    Stand(gEnemyShots[3], c.x, c.y);
    MoveEnemyShot(3);
    EXPECT_EQ(gPlayerAlive, c.hits ? 0 : 1) << c.x << ", " << c.y;
    EXPECT_EQ(gEnemyShots[3].active, 1);  // a shot that hits flies on
  }
}

TEST(EnemyShotHits, TheBurstsWindowReachesHigher) {
  QuietField();
  struct Case {
    float x, y;
    bool hits;
  } cases[] = {
      {160.0f, 310.0f, true},  {180.0f, 330.0f, true},   {160.0f, 309.0f, false},
      {159.0f, 310.0f, false}, {180.5f, 320.0f, false}, {170.0f, 330.5f, false},
  };
  for (const Case& c : cases) {
    gPlayerAlive = 1;
    StandBurst(7, 100.0f, 100.0f, 0.0f, 0.0f);
    Stand(gEnemyBursts[5 * 7 + 3], c.x, c.y);
    MoveEnemyBurst(7);
    EXPECT_EQ(gPlayerAlive, c.hits ? 0 : 1) << c.x << ", " << c.y;
  }
}

TEST(EnemyShotHits, AnEndedBurstInsideTheFieldDoesNotHit) {
  QuietField();
  // The clear-all flag ends the burst where it is, over the ship.
  StandBurst(8, 160.0f, 310.0f, 170.0f, 320.0f);
  gClearEnemyShots = 1;
  MoveEnemyBurst(8);
  for (int j = 0; j < 5; ++j) EXPECT_EQ(gEnemyBursts[40 + j].active, 0);
  EXPECT_EQ(gPlayerAlive, 1);
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
  StandBurst(1, 50.5f, 300.5f, 50.5f, 300.5f);  // kind 0
  gEnemyBursts[5].phase = 23;
  for (int j = 1; j < 5; ++j) gEnemyBursts[5 + j].active = 0;
  gEnemyBursts[6].x = 100.0f;  // free: not drawn
  StandBurst(3, 250.3f, 300.3f, 250.3f, 300.3f);  // kind 1
  for (int j = 1; j < 5; ++j) gEnemyBursts[15 + j].active = 0;
  Stand(gEnemyShots[10], 300.0f, 400.0f);  // a slot no stage runs
  gEnemyShots[10].speed = 100.0f;
  game.FixedFrames(1, kFrame);
  const int strip = ImageSlot(kImgVAL16241);
  EXPECT_TRUE(Probe(game, strip, {48, 0, 64, 16}, 100, 200).shown());
  EXPECT_EQ(gEnemyShots[0].phase, 4);
  EXPECT_TRUE(Probe(game, ImageSlot(kImgVALL302), {0, 0, 30, 30}, 195, 195).shown());
  EXPECT_TRUE(Probe(game, strip, {368, 0, 384, 16}, 52, 302).shown());
  EXPECT_EQ(gEnemyBursts[5].phase, 0);
  EXPECT_FALSE(Probe(game, strip, {0, 0, 16, 16}, 102, 302).shown());
  EXPECT_TRUE(Probe(game, ImageSlot(kImgVALL301), {0, 0, 30, 30}, 245, 295).shown());
  EXPECT_FALSE(Probe(game, ImageSlot(kImgVALL302), {0, 0, 30, 30}, 245, 295).shown());
  // The unrun slot's shot keeps its record, unmoved and unseen.
  EXPECT_EQ(gEnemyShots[10].x, 300.0f);
  EXPECT_EQ(gEnemyShots[10].active, 1);
  EXPECT_FALSE(Probe(game, strip, {0, 0, 16, 16}, 300, 400).shown());
}

TEST(EnemyShotStage, AnAimedShotDestroysTheShipInStageOne) {
  GameDriver game;
  game.EnterStage(1, 0.0f);
  game.PlaceShip(150.0f, 400.0f);
  gEnemies[0].x = 140.0f;
  gEnemies[0].y = 200.0f;
  FireEnemyShot(0);  // from (165, 250) straight down at (165, 415)
  ASSERT_EQ(gEnemyShots[0].angle, 1.5707964f);
  int frames = 0;
  while (gPlayerAlive == 1 && frames < 200) {
    const float before = gEnemyShots[0].y;
    game.FixedFrames(1, kFrame);
    ++frames;
    if (gPlayerAlive == 1) {
      // Still short of the window's top, 20 below the ship's corner.
      ASSERT_LT(gEnemyShots[0].y, 420.0f) << "frame " << frames << " from " << before;
    }
  }
  ASSERT_EQ(gPlayerAlive, 0);
  EXPECT_GE(gEnemyShots[0].y, 420.0f);
  EXPECT_LE(gEnemyShots[0].y, 430.0f);
  EXPECT_EQ(gEnemyShots[0].active, 1);
  EXPECT_GT(frames, 60);  // 170 pixels at 130 to 179 pixels per second
}

TEST(EnemyShotStage, ABurstDestroysTheShipInStageTwoFromItsOwnSlots) {
  GameDriver game;
  game.EnterStage(2, 0.0f);
  game.PlaceShip(150.0f, 400.0f);
  // Slot 9's burst is fired but no stage runs it; slot 19's is run in stage 2.
  gEnemies[9].x = 140.0f;
  gEnemies[9].y = 200.0f;
  FireEnemyBurst(9);
  game.FixedFrames(60, kFrame);
  EXPECT_EQ(gPlayerAlive, 1);
  EXPECT_EQ(gEnemyBursts[45].y, 225.0f);
  gEnemies[19].x = 140.0f;
  gEnemies[19].y = 200.0f;
  FireEnemyBurst(19);
  game.FixedFrames(60, kFrame);
  EXPECT_EQ(gPlayerAlive, 0);
}
