// The driver's own promises that the game suites lean on: a stage entered at a distance, exact
// frame times, and effects counted per frame.
#include <gtest/gtest.h>

#include "engine/el_draw.h"
#include "engine/el_sound.h"
#include "engine/shell.h"
#include "game/asset_list.h"
#include "game/stage_drivers.h"
#include "tests/support/game_driver.h"

using morv_test::GameDriver;

TEST(GameDriverTools, StageTwoEnteredAtADistanceRunsOnExactFrameTimes) {
  GameDriver game;
  game.EnterStage(2, 500.0f);
  EXPECT_EQ(gGameState, 3);
  EXPECT_EQ(gTransitionCounter, 0);
  EXPECT_EQ(game.FixedFrames(64, 1.0f / 64), 64);
  // 18 distance units a second in stage 2, summed in exact binary fractions.
  EXPECT_EQ(gDistance, 518.0f);
  EXPECT_EQ(gFrameTime, 1.0f / 64);
}

TEST(GameDriverTools, CountsEachEffectOnTheFrameThatStartedIt) {
  GameDriver game;
  game.EnterStage(1, 0.0f);
  game.ForgetSounds();
  game.Frames(2);
  const int before = game.frame_count();
  elSound::Play(gSndBom, -1);
  game.Frames(1);
  const auto sounds = game.Sounds();
  ASSERT_FALSE(sounds.empty());
  EXPECT_EQ(sounds.back().sound, gSndBom);
  EXPECT_EQ(game.SoundCount(gSndBom), 1);
  EXPECT_EQ(sounds.back().frame, before - 1);  // played between frames: counted with the last one
}
