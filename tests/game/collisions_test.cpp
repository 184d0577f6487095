// Hits and score: the score's gates and cap, the ship against the pickup and the coins, the points
// and life loss per weapon and target, and the inclusive integer boxes.
#include <gtest/gtest.h>

#include "engine/shell.h"
#include "game/asset_list.h"
#include "game/boss_data.h"
#include "game/collisions.h"
#include "game/debris_data.h"
#include "game/enemy_data.h"
#include "game/game_states.h"
#include "game/item_data.h"
#include "game/player_data.h"
#include "game/player_weapons.h"
#include "game/score_data.h"
#include "game/weapon_data.h"
#include "tests/support/game_driver.h"

using morv_test::GameDriver;

namespace {

constexpr float kDt = 1.0f / 64;

// A game in stage 1 with the ship at (150, 300); the hit tests are then called alone.
void Play(GameDriver& game) {
  game.Frames(1);
  game.EnterStage(1, 200.0f);
  game.PlaceShip(150.0f, 300.0f);
  gFrameTime = kDt;
  gScore = 0;
}

// Points one call of the hit tests gives.
int Scored() {
  const int before = gScore;
  UpdateCollisions();
  return gScore - before;
}

}  // namespace

TEST(Score, GatesCapAndTheHighScoreInTheSameCall) {
  GameDriver game;
  Play(game);
  ASSERT_EQ(gHighScore, 500);
  for (int i = 0; i < 5; ++i) AddScore(100);
  EXPECT_EQ(gHighScore, 500);
  AddScore(100);  // the sixth enemy hit passes it
  EXPECT_EQ(gHighScore, 600);
  gScore = 999999900;
  AddScore(558);
  EXPECT_EQ(gScore, 999999999);
  EXPECT_EQ(gHighScore, 999999999);
  AddScore(2000000000);
  EXPECT_EQ(gScore, 999999999);
  gScore = 10;
  gScoreMode = 0;
  AddScore(100);
  EXPECT_EQ(gScore, 10);
  gScoreMode = 2;
  gScoreMode2 = 2;
  AddScore(100);
  EXPECT_EQ(gScore, 10);
  gScoreMode2 = 1;
  AddScore(100);
  EXPECT_EQ(gScore, 110);
}

TEST(ShipTouches, ThePickupAbove50CannotBeTaken) {
  GameDriver game;
  Play(game);
  gSpecialWeaponItem = {210.0f, 50.0f, 0.0f, 1, 0};
  game.PlaceShip(150.0f, 100.0f);
  EXPECT_EQ(Scored(), 0);
  gSpecialWeaponItem.y = 51.9f;  // truncated 51: ship y 100 lies in 51 - 60 to 51 + 60
  game.ForgetSounds();
  EXPECT_EQ(Scored(), 2555);
  EXPECT_EQ(gSpecialWeaponItem.taken, 1);
  EXPECT_EQ(game.SoundCount(gSndBom), 1);
  gSpecialWeaponItem.x = 211.0f;
  EXPECT_EQ(Scored(), 0);
  gSpecialWeaponItem.x = 210.0f;
  gSpecialWeaponItem.active = 0;
  EXPECT_EQ(Scored(), 0);
}

TEST(ShipTouches, EachCoinPoolGivesItsPointsWithinItsBox) {
  GameDriver game;
  Play(game);
  gPlayerAlive = 0;  // coins are taken whatever the ship's state
  struct Case {
    Coin* coin;
    int points;
  };
  const Case cases[] = {{&gDroppedCoins[20], 558}, {&gS1Coins[0], 1556}, {&gS1CoinsB[29], 2556},
                        {&gS2Coins[7], 1556}};
  for (const Case& c : cases) {
    // The ship at (150, 300) takes a coin with x in 90 to 210 and y in 260 to 360.
    const float places[][2] = {{210.0f, 360.0f}, {90.0f, 260.0f}, {211.0f, 300.0f},
                               {89.0f, 300.0f},  {150.0f, 361.0f}, {150.0f, 259.0f}};
    for (int p = 0; p < 6; ++p) {
      *c.coin = {places[p][0], places[p][1], 0.0f, 0, 0, 0, 0};
      game.ForgetSounds();
      const bool inside = p < 2;
      EXPECT_EQ(Scored(), inside ? c.points : 0) << c.points << " " << p;
      EXPECT_EQ(c.coin->collected, inside ? 1 : 0);
      EXPECT_EQ(game.SoundCount(gSndBom), inside ? 1 : 0);
    }
    c.coin->y = 2550.0f;
  }
  // A coin above y -10 is out of reach.
  game.PlaceShip(150.0f, 0.0f);
  gS2Coins[3] = {150.0f, -11.0f, 0.0f, 0, 0, 0, 0};
  EXPECT_EQ(Scored(), 0);
  gS2Coins[3].y = -10.0f;
  EXPECT_EQ(Scored(), 1556);
}

TEST(ShotsOnEnemies, EveryWeaponScores100PerFrameAndFliesOn) {
  GameDriver game;
  Play(game);
  // Enemy box for a shot's corner: x - 40 to x + 50, y - 60 to y + 50 (from y 10 on).
  gEnemies[3].x = 100.0f;
  gEnemies[3].y = 100.0f;
  gNarrowShots[5] = {60, 50, 0, 10, 1};  // moves to (60, 40): the box's top-left corner
  EXPECT_EQ(Scored(), 100);
  EXPECT_EQ(gEnemies[3].hit, 1);
  EXPECT_EQ(gNarrowShots[5].active, 1);
  EXPECT_EQ(Scored(), 0);  // (60, 30): out
  gNarrowShots[5].active = 0;
  gBurstShots[120] = {150, 150, 20, 1.0f, 1};  // group 2, band 0-3: moves to (144, 150)
  gWideShots[5] = {150, 160, 0, 10, 1};         // to (150, 150): the bottom-right corner
  gSpreadShots[110] = {150, 140, 1, 10, 1};     // rear inner right: to (151, 150): out
  EXPECT_EQ(Scored(), 200);
  gEnemies[3].hit = 0;
  // Above y 10 no shot reaches an enemy.
  gBurstShots[120].active = gWideShots[5].active = gSpreadShots[110].active = 0;
  gEnemies[3].y = 9.0f;
  gNarrowShots[5] = {100, 30, 0, 10, 1};
  EXPECT_EQ(Scored(), 0);
  EXPECT_EQ(gEnemies[3].hit, 0);
}

TEST(ShotsOnBosses, PointsLifeAndUseByWeaponAndTarget) {
  GameDriver game;
  Play(game);
  struct Target {
    Boss* boss;
    int strong, weak;
  };
  const Target targets[] = {{&gS1Boss, 100, 50},    {&gBigTarget1, 100, 50}, {&gBigTarget2, 100, 50},
                            {&gBigTarget3, 100, 50}, {&gS2Boss, 250, 60}};
  for (const Target& t : targets) {
    t.boss->x = 0.0f;
    t.boss->y = 0.0f;
    t.boss->life = 500.0f;
    t.boss->hit = 0;
    // Every target's boxes hold (100, 100).
    gSpreadShots[3] = {100, 110, 0, 10, 1};
    EXPECT_EQ(Scored(), t.strong);
    EXPECT_EQ(gSpreadShots[3].active, 0);
    EXPECT_EQ(gSpreadShots[3].x, 5000);
    EXPECT_EQ(gSpreadShots[3].y, 5000);
    EXPECT_EQ(t.boss->hit, 1);
    EXPECT_EQ(t.boss->life, 500.0f - 100.0f * kDt);
    gWideShots[3] = {100, 110, 0, 10, 1};
    EXPECT_EQ(Scored(), t.strong);
    gNarrowShots[3] = {100, 110, 0, 10, 1};
    EXPECT_EQ(Scored(), t.weak);
    EXPECT_EQ(gNarrowShots[3].active, 0);
    gPlayerMissiles[3] = {130, 100, -30, 1, 0.0f};
    const int before = gScore;
    MovePlayerMissiles();
    EXPECT_EQ(gScore - before, t.strong);
    gPlayerMissiles[3].active = 0;
    // A burst shot stays in the box and scores each frame; it takes 3 x frame time.
    const float life = t.boss->life;
    gBurstShots[160] = {100, 100, 20, 7.0f, 1};  // group 3, band 7-9: (-6, -6)
    EXPECT_EQ(Scored(), t.weak);
    EXPECT_EQ(gBurstShots[160].active, 1);
    EXPECT_EQ(Scored(), t.weak);
    EXPECT_EQ(t.boss->life, life - 3.0f * kDt - 3.0f * kDt);
    gBurstShots[160].active = 0;
    t.boss->y = 2550.0f;
  }
}

// A gun shot used up by the first target still meets the later ones at the same point.
TEST(ShotsOnBosses, AUsedUpShotStillMeetsTheLaterTargets) {
  GameDriver game;
  Play(game);
  gS1Boss.x = gS1Boss.y = 0.0f;
  gS2Boss.x = gS2Boss.y = 0.0f;
  gSpreadShots[3] = {100, 110, 0, 10, 1};
  EXPECT_EQ(Scored(), 100 + 250);
  EXPECT_EQ(gS1Boss.hit, 1);
  EXPECT_EQ(gS2Boss.hit, 1);
}

TEST(ShotsOnBosses, BoxesAreInclusiveAndTruncatedTowardZero) {
  GameDriver game;
  Play(game);
  gS1Boss.x = -0.9f;  // truncated to 0: the gun box runs from x 80 to 300
  gS1Boss.y = 0.0f;
  const int points[][3] = {
      // x, y after the move, points
      {80, 10, 50}, {79, 10, 0}, {300, 200, 50}, {301, 200, 0}, {150, 9, 0}, {150, 201, 0},
  };
  for (const auto& p : points) {
    gNarrowShots[4] = {p[0], p[1] + 10, 0, 10, 1};
    EXPECT_EQ(Scored(), p[2]) << p[0] << "," << p[1];
    gNarrowShots[4].active = 0;
  }
  // The burst box reaches x 340; a boss above y 0 is never hit.
  gBurstShots[110] = {346, 200, 20, 0.0f, 1};  // group 2: moves (-6, 0) to (340, 200)
  EXPECT_EQ(Scored(), 50);
  gBurstShots[110] = {347, 200, 20, 0.0f, 1};
  EXPECT_EQ(Scored(), 0);
  gBurstShots[110].active = 0;
  gS1Boss.y = -1.0f;  // above y 0: never hit
  gNarrowShots[4] = {150, 110, 0, 10, 1};
  EXPECT_EQ(Scored(), 0);
  gS1Boss.y = -0.9f;  // truncated toward zero: y 0, hit
  gNarrowShots[4] = {150, 110, 0, 10, 1};
  EXPECT_EQ(Scored(), 50);
}

TEST(ShotsOnBosses, ThroughTheFrameAGunShotScoresTheFrameAfterItIsFired) {
  GameDriver game;
  Play(game);
  gBigTarget3.x = 100.0f;  // gun box x 150 to 370, y 10 to 200
  gBigTarget3.y = 0.0f;
  game.PlaceShip(150.0f, 250.0f);
  game.Press('C');
  game.FixedFrames(4, kDt);  // press, then calls 1 to 3
  EXPECT_EQ(gScore, 0);
  game.FixedFrames(1, kDt);  // call 4: the volley, shot at (150, 212) then moved to (150, 202)
  EXPECT_EQ(gScore, 0);
  game.FixedFrames(1, kDt);  // (150, 192)
  game.Release('C');
  EXPECT_EQ(gScore, 50);
  EXPECT_EQ(gNarrowShots[1].active, 0);
  EXPECT_EQ(gBigTarget3.life, 1000.0f - 100.0f * kDt);
}

// Every boss target's gun box and burst box, bound by bound (y from 10 to 200 below the target's
// corner for all), with the narrow gun's and a burst frame's points; a burst hit first places the
// target's own debris: the shot's group of three fragments at the shot's x + 23 and its y.
TEST(ShotsOnBosses, EveryTargetsGunAndBurstBoxesAndABurstHitsDebris) {
  GameDriver game;
  Play(game);
  struct Target {
    const char* name;
    Boss* boss;
    DebrisFragment* debris;
    int gunLo, gunHi, burstLo, burstHi, points;
  };
  const Target targets[] = {
      {"stage-1 boss", &gS1Boss, gS1BossDebris, 80, 300, 80, 340, 50},
      {"big target 1", &gBigTarget1, gBigTarget1Debris, 80, 320, 80, 360, 50},
      {"big target 2", &gBigTarget2, gBigTarget2Debris, 80, 300, 80, 340, 50},
      {"big target 3", &gBigTarget3, gBigTarget3Debris, 50, 270, 50, 310, 50},
      {"stage-2 boss", &gS2Boss, gS2BossDebris, 50, 390, 50, 430, 60},
  };
  constexpr int kShot = 110;  // a burst shot of group 2 at band time 0 moves (-6, 0)
  for (const Target& t : targets) {
    for (const Target& other : targets) other.boss->y = 2550.0f;
    t.boss->x = 0.0f;
    t.boss->y = 0.0f;
    for (bool burst : {false, true}) {
      const int lo = burst ? t.burstLo : t.gunLo, hi = burst ? t.burstHi : t.gunHi;
      const int mid = (lo + hi) / 2;
      const struct {
        int x, y;
        bool inside;
      } probes[] = {{lo, 100, true},  {hi, 100, true},  {lo - 1, 100, false}, {hi + 1, 100, false},
                    {mid, 10, true},  {mid, 200, true}, {mid, 9, false},      {mid, 201, false}};
      for (const auto& p : probes) {
        DebrisFragment* fragments = t.debris + kShot * kDebrisGroupSize;
        for (int k = 0; k < 3; ++k) fragments[k] = {1000.0f, 5000.0f, 0};
        if (burst) {
          gBurstShots[kShot] = {p.x + 6, p.y, 20, 0.0f, 1};
        } else {
          gNarrowShots[4] = {p.x, p.y + 10, 0, 10, 1};
        }
        EXPECT_EQ(Scored(), p.inside ? t.points : 0)
            << t.name << (burst ? " burst box" : " gun box") << " at (" << p.x << ", " << p.y
            << ")";
        gBurstShots[kShot].active = 0;
        gNarrowShots[4].active = 0;
        if (!burst) continue;
        for (int k = 0; k < 3; ++k) {
          EXPECT_EQ(fragments[k].active, p.inside ? 1 : 0) << t.name << " debris from a burst hit";
          if (!p.inside) continue;
          EXPECT_EQ(fragments[k].x, static_cast<float>(p.x + 23)) << t.name << " debris";
          EXPECT_EQ(fragments[k].y, static_cast<float>(p.y)) << t.name << " debris";
        }
      }
    }
    t.boss->y = 2550.0f;
  }
}
