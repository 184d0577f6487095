// The bosses: both scripts' bands and loops, the pictures by life, the damage bursts' sound and
// the destruction sequence's length, resets, state change and snapshot.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "engine/el_draw.h"
#include "engine/shell.h"
#include "game/asset_list.h"
#include "game/boss_data.h"
#include "game/bosses.h"
#include "game/debris_data.h"
#include "game/game_states.h"
#include "game/player_data.h"
#include "game/score_data.h"
#include "game/stage_drivers.h"
#include "tests/support/game_driver.h"

using morv_test::GameDriver;

namespace {

constexpr float kDt = 1.0f / 64;  // script and death timers step 0.15625 a frame

// A stage entered past its enemies' and pickups' windows, the ship immune to enemy fire.
void Enter(GameDriver& game, int stage) {
  game.EnterStage(stage, stage == 1 ? 1600.0f : 1100.0f);
  gNoDeath = 1;
}

// The boss brought to its fighting place by its own script in one frame.
void Settle(GameDriver& game, Boss& boss) {
  boss.scriptTimer = 140.0f;
  game.FixedFrames(1, kDt);
}

// Share of the points of `slot`'s picture (placed at sx, sy) that the presented frame shows, over
// the points where that picture differs from every picture in `others` and is not black.
double Shown(const GameDriver& game, int slot, int sx, int sy, int w, int h, int fromY,
             const std::vector<int>& others) {
  int points = 0, shown = 0;
  for (int y = fromY; y < h; y += 7) {
    for (int x = 0; x < w; x += 7) {
      const int px = sx + x, py = sy + y;
      if (px < 0 || py < 0 || px >= 360 || py >= 480) continue;
      const uint32_t p = game.SlotPixel(slot, x, y);
      bool distinct = p != 0;
      for (int o : others) distinct = distinct && (o == slot || game.SlotPixel(o, x, y) != p);
      if (!distinct) continue;
      ++points;
      shown += game.Pixel(px, py) == p ? 1 : 0;
    }
  }
  return points == 0 ? 0.0 : static_cast<double>(shown) / points;
}

}  // namespace

TEST(BossScript, Stage1FlyByThenEntryThenTheBossNeverMovesAgain) {
  GameDriver game;
  Enter(game, 1);
  game.FixedFrames(1, kDt);
  EXPECT_EQ(gS1Boss.scriptTimer, 0.15625f);
  EXPECT_EQ(gS1FlyBy.x, -60.0f);
  EXPECT_EQ(gS1FlyBy.y, 480.0f);
  EXPECT_EQ(gS1FlyBy.speed, 400.0f);
  EXPECT_EQ(gS1Boss.x, -500.0f);
  game.FixedFrames(133, kDt);  // t 20.9375: still held below the field
  EXPECT_EQ(gS1FlyBy.y, 480.0f);
  game.FixedFrames(1, kDt);  // t 21.09375: rises at 400 px/s
  EXPECT_EQ(gS1FlyBy.y, 473.75f);
  game.FixedFrames(152, kDt);
  EXPECT_EQ(gS1FlyBy.y, -476.25f);
  game.FixedFrames(1, kDt);  // above -480: parked
  EXPECT_EQ(gS1FlyBy.x, -500.0f);
  EXPECT_EQ(gS1FlyBy.y, 2550.0f);
  EXPECT_EQ(gS1FlyBy.speed, 0.0f);
  game.FixedFrames(97, kDt);  // n 385, t 60.15625: the boss waits above the field
  EXPECT_EQ(gS1Boss.x, -40.0f);
  EXPECT_EQ(gS1Boss.y, -360.0f);
  game.FixedFrames(198, kDt);  // n 583, t 91.09375: first step down
  EXPECT_EQ(gS1Boss.y, -358.75f);
  game.FixedFrames(281, kDt);  // n 864, t 135: the step down, then the place
  EXPECT_EQ(gS1Boss.scriptTimer, 135.0f);
  EXPECT_EQ(gS1Boss.y, 0.0f);
  float highest = 0.0f;
  for (int i = 0; i < 400; ++i) {
    game.FixedFrames(1, kDt);
    ASSERT_EQ(gS1Boss.x, -40.0f);
    ASSERT_EQ(gS1Boss.y, 0.0f);
    ASSERT_GE(gS1Boss.scriptTimer, 135.0f);
    highest = std::max(highest, gS1Boss.scriptTimer);
  }
  EXPECT_LT(highest, 160.0f);
  EXPECT_GE(highest, 159.8f);
}

TEST(BossScript, Stage2BandsOverlapInTableOrderAndTheSwayLoops) {
  GameDriver game;
  Enter(game, 2);
  game.FixedFrames(1, kDt);
  EXPECT_EQ(gS2FlyBy.x, -70.0f);
  EXPECT_EQ(gS2FlyBy.y, 480.0f);
  EXPECT_EQ(gS2FlyBy.speed, 500.0f);
  // At 135 the step down comes before the place.
  gS2Boss.scriptTimer = 135.0f - 0.15625f;
  gS2Boss.y = -5.0f;
  game.FixedFrames(1, kDt);
  EXPECT_EQ(gS2Boss.x, -70.0f);
  EXPECT_EQ(gS2Boss.y, 0.0f);
  // At 162 the place comes before the first sway step.
  gS2Boss.scriptTimer = 162.0f - 0.15625f;
  gS2Boss.x = 10.0f;
  game.FixedFrames(1, kDt);
  EXPECT_EQ(gS2Boss.x, -68.75f);
  // One whole loop: the boss sways far to both sides, at y 0, and the timer goes back to 145.
  float lo = 1e9f, hi = -1e9f;
  bool looped = false;
  for (int i = 0; i < 1300 && !looped; ++i) {
    const float before = gS2Boss.scriptTimer;
    game.FixedFrames(1, kDt);
    ASSERT_EQ(gS2Boss.y, 0.0f);
    ASSERT_LT(gS2Boss.scriptTimer, 331.0f);
    lo = std::min(lo, gS2Boss.x);
    hi = std::max(hi, gS2Boss.x);
    looped = gS2Boss.scriptTimer < before;
  }
  ASSERT_TRUE(looped);
  EXPECT_EQ(gS2Boss.scriptTimer, 145.0f);
  EXPECT_LT(lo, -260.0f);
  EXPECT_GT(hi, 120.0f);
  game.FixedFrames(1, kDt);  // back in the place band
  EXPECT_EQ(gS2Boss.x, -70.0f);
}

// Every band of the stage-2 script, one step from inside it (the timer lands on `t`): the entry's
// descent, the places, and each sway step's side and speed, 80 or 100 px/s; between two bands
// nothing moves, and past 331 the loop goes back to 145.
TEST(BossScript, Stage2EveryBandMovesTheBossItsWay) {
  GameDriver game;
  Enter(game, 2);
  gFrameTime = kDt;
  const struct {
    float t;
    float x, y;  // from (0, 0)
    float timer;  // after the step
  } bands[] = {
      {100.0f, 0.0f, 93.0f * kDt, 100.0f}, {150.0f, -70.0f, 0.0f, 150.0f},
      {166.0f, 80.0f * kDt, 0.0f, 166.0f}, {171.5f, 0.0f, 0.0f, 171.5f},
      {180.0f, -80.0f * kDt, 0.0f, 180.0f}, {190.5f, 0.0f, 0.0f, 190.5f},
      {195.0f, 80.0f * kDt, 0.0f, 195.0f}, {205.0f, 100.0f * kDt, 0.0f, 205.0f},
      {215.0f, -100.0f * kDt, 0.0f, 215.0f}, {225.0f, -100.0f * kDt, 0.0f, 225.0f},
      {235.0f, 100.0f * kDt, 0.0f, 235.0f}, {245.0f, -70.0f, 0.0f, 245.0f},
      {260.0f, 100.0f * kDt, 0.0f, 260.0f}, {280.0f, -100.0f * kDt, 0.0f, 280.0f},
      {300.0f, -100.0f * kDt, 0.0f, 300.0f}, {320.0f, 100.0f * kDt, 0.0f, 320.0f},
      {331.0f, 0.0f, 0.0f, 145.0f},
  };
  for (const auto& b : bands) {
    gS2Boss.x = 0.0f;
    gS2Boss.y = 0.0f;
    gS2Boss.scriptTimer = b.t - 10.0f * kDt;
    MoveS2Boss();
    EXPECT_EQ(gS2Boss.x, b.x) << "stage-2 script band at " << b.t;
    EXPECT_EQ(gS2Boss.y, b.y) << "stage-2 script band at " << b.t;
    EXPECT_EQ(gS2Boss.scriptTimer, b.timer) << "stage-2 script band at " << b.t;
  }
}

TEST(BossPictures, Stage2PictureChangesAt500_300_150AndVanishesAtMinus100) {
  GameDriver game;
  Enter(game, 2);
  Settle(game, gS2Boss);
  const std::vector<int> all = {ImageSlot(kImgBOSS71), ImageSlot(kImgBOSS71_1),
                                ImageSlot(kImgBOSS71_2), ImageSlot(kImgBOSS71_3)};
  struct Case {
    float life;
    int picture;  // index in `all`, -1 none
  };
  for (Case c : {Case{1000, 0}, Case{500.5f, 0}, Case{500, 1}, Case{300.5f, 1}, Case{300, 2},
                 Case{150.5f, 2}, Case{150, 3}, Case{-99.5f, 3}, Case{-100, -1},
                 Case{1000.5f, -1}}) {
    gS2Boss.life = c.life;
    gS2Boss.deathTimer = 0.0f;
    game.FixedFrames(1, kDt);
    // Below the first frame's destruction bursts, which all start at (0, 0).
    for (int i = 0; i < 4; ++i) {
      const double shown = Shown(game, all[i], -70, 0, 500, 400, 170, all);
      if (i == c.picture) {
        EXPECT_GT(shown, 0.9) << c.life << " picture " << i;
      } else {
        EXPECT_LT(shown, 0.1) << c.life << " picture " << i;
      }
    }
  }
}

TEST(BossDamage, EveryFrameInADamageBandStartsTheExplosionEightTimes) {
  GameDriver game;
  Enter(game, 1);
  Settle(game, gS1Boss);
  for (float life : {530.0f, 470.5f, 330.0f, 270.5f, 180.0f, 120.5f}) {
    gS1Boss.life = life;
    game.ForgetSounds();
    game.FixedFrames(1, kDt);
    EXPECT_EQ(game.SoundCount(gSndBom), 8) << life;
  }
  for (float life : {530.5f, 470.0f, 270.0f, 120.0f, 1000.0f}) {
    gS1Boss.life = life;
    game.ForgetSounds();
    game.FixedFrames(1, kDt);
    EXPECT_EQ(game.SoundCount(gSndBom), 0) << life;
  }
  // The fires' frame counter runs 0 to 9.
  const int frame = gS1BossFireFrame;
  game.FixedFrames(10, kDt);
  EXPECT_EQ(gS1BossFireFrame, frame);
}

TEST(BossDestruction, Stage1KilledTakes449StepsThenStage2ComesBehind30Steps) {
  GameDriver game;
  Enter(game, 1);
  Settle(game, gS1Boss);
  gS2Boss.hit = 1;
  gS1BossDebris[0] = {100.0f, 100.0f, 1};
  gS1Boss.life = 0.0f;
  game.ForgetSounds();
  game.FixedFrames(447, kDt);
  EXPECT_EQ(gGameState, kStateStage1);
  EXPECT_EQ(gS1Boss.deathTimer, 69.84375f);
  EXPECT_EQ(game.SoundCount(gSndBom), 447);  // one explosion per step
  game.FixedFrames(1, kDt);
  EXPECT_EQ(gS1Boss.deathTimer, 70.0f);  // not yet past 70
  EXPECT_EQ(gGameState, kStateStage1);
  // Lives run out in the last frame: the prompt is drawn after the boss section, so the snapshot,
  // taken inside it, does not show it while the presented frame's kept rows do.
  gLives = 0;
  game.FixedFrames(1, kDt);
  EXPECT_EQ(gGameState, kStateStage2);
  EXPECT_EQ(gTransitionKind, 3);
  EXPECT_EQ(gTransitionStep, 30);
  EXPECT_EQ(gTransitionCounter, 29);
  EXPECT_EQ(gTransitionDirection, -1);
  EXPECT_EQ(gDistance, 0.0f);
  EXPECT_EQ(gS1Boss.x, -500.0f);
  EXPECT_EQ(gS1Boss.life, 1020.0f);
  EXPECT_EQ(gS1Boss.deathTimer, 0.0f);
  EXPECT_EQ(gS1Boss.scriptTimer, 0.0f);
  EXPECT_EQ(gS2Boss.hit, 1);  // the stage-2 boss keeps its hit flag
  EXPECT_EQ(gS1BossDebris[0].active, 0);
  EXPECT_EQ(gS1BossDebris[0].x, 1000.0f);
  const int prompt = ImageSlot(kImgCONTINU1);
  int inSnapshot = 0, inPresented = 0, points = 0;
  for (int y = 0; y < 100; ++y) {
    if ((190 + y) % 30 != 0) continue;  // the rows the first transition step leaves new
    for (int x = 0; x < 200; x += 3) {
      const uint32_t p = game.SlotPixel(prompt, x, y);
      if (p == 0) continue;
      ++points;
      inSnapshot += game.SlotPixel(1, 80 + x, 190 + y) == p ? 1 : 0;
      inPresented += game.Pixel(80 + x, 190 + y) == p ? 1 : 0;
    }
  }
  ASSERT_GT(points, 20);
  EXPECT_EQ(inPresented, points);
  EXPECT_LT(inSnapshot, points / 2);
}

TEST(BossDestruction, TheTimeLimitRunsTheDestructionAtDoubleRate) {
  GameDriver game;
  Enter(game, 1);
  Settle(game, gS1Boss);
  gDistance = 10000.0f;
  game.ForgetSounds();
  game.FixedFrames(1, kDt);  // the update still found life left: one step
  EXPECT_EQ(gS1Boss.life, 0.0f);
  EXPECT_EQ(gS1Boss.deathTimer, 0.15625f);
  EXPECT_EQ(game.SoundCount(gSndBom), 1);
  game.FixedFrames(223, kDt);
  EXPECT_EQ(gS1Boss.deathTimer, 69.84375f);
  EXPECT_EQ(game.SoundCount(gSndBom), 447);
  EXPECT_EQ(gGameState, kStateStage1);
  game.FixedFrames(1, kDt);  // 225 frames, 3.5 s
  EXPECT_EQ(gGameState, kStateStage2);
  EXPECT_EQ(gTransitionStep, 30);
  // The fresh record is not forced down in the frame that reset it.
  EXPECT_EQ(gS1Boss.life, 1020.0f);
}

TEST(BossDestruction, Stage2TimeLimitLeadsToTheEndingBehind60Steps) {
  GameDriver game;
  Enter(game, 2);
  Settle(game, gS2Boss);
  gDistance = 11000.0f;
  game.FixedFrames(224, kDt);
  EXPECT_EQ(gGameState, kStateStage2);
  game.FixedFrames(1, kDt);
  EXPECT_EQ(gGameState, kStateEnding);
  EXPECT_EQ(gTransitionStep, 60);
  EXPECT_EQ(gTransitionCounter, 59);
  EXPECT_EQ(gS2Boss.life, 1000.0f);
  EXPECT_EQ(gS2Boss.x, -500.0f);
}

TEST(BossDestruction, BurstsScatterOverTheStagesSpreadXDrawnFirst) {
  GameDriver game;
  Enter(game, 2);
  gS2Boss.x = -70.0f;
  gS2Boss.y = 0.0f;
  FinishS2Boss();  // life left: nothing
  EXPECT_EQ(gS2DeathBigBursts[0].x, 0.0f);
  EXPECT_EQ(gS2Boss.deathTimer, 0.0f);
  gS2Boss.life = 0.0f;
  srand(5);
  const int rx = rand() % 500;
  const int ry = rand() % 350;
  srand(5);
  FinishS2Boss();
  EXPECT_EQ(gS2DeathBigBursts[0].x, -70.0f + static_cast<float>(rx) - 100.0f);
  EXPECT_EQ(gS2DeathBigBursts[0].y, static_cast<float>(ry));
  EXPECT_EQ(gS2DeathBigBursts[0].frame, 1);
  for (int i = 0; i < 60; ++i) {
    FinishS2Boss();
    for (const BossBurst& b : gS2DeathBigBursts) {
      ASSERT_GE(b.x, -170.0f);
      ASSERT_LT(b.x, 330.0f);
      ASSERT_LT(b.y, 350.0f);
      ASSERT_LE(b.frame, 3);
    }
    for (const BossBurst& b : gS2DeathSmallBursts) {
      ASSERT_GE(b.x, -110.0f);
      ASSERT_LT(b.x, 390.0f);
      ASSERT_LE(b.frame, 9);
    }
  }
}

// Past the time limit the update's own step can end the destruction; the driver then finds the
// distance reset and leaves the fresh boss record alone.
TEST(BossDestruction, AnUpdateThatEndsTheDestructionPastTheLimitLeavesAFreshRecord) {
  GameDriver game;
  Enter(game, 1);
  Settle(game, gS1Boss);
  gDistance = 10050.0f;
  gS1Boss.life = 0.0f;
  gS1Boss.deathTimer = 69.9f;
  game.FixedFrames(1, kDt);
  EXPECT_EQ(gGameState, kStateStage2);
  EXPECT_EQ(gS1Boss.life, 1020.0f);
  EXPECT_EQ(gS1Boss.deathTimer, 0.0f);
}
