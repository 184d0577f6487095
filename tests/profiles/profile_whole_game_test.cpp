// A whole game in the program's own profile: title, stage 1 and its boss, stage 2 and its boss,
// the ending and back to the title, with no error box on the way. The stages are crossed by moving
// the distance on, with the ship made immune on the title ("O").
#include <gtest/gtest.h>

#include <vector>

#include "engine/el_draw.h"
#include "engine/profile.h"
#include "engine/shell.h"
#include "game/boss_data.h"
#include "game/game_states.h"
#include "game/player_data.h"
#include "game/stage_drivers.h"
#include "platform/user32.h"
#include "tests/support/game_driver.h"

using morv_test::GameDriver;

TEST(ProfileWholeGame, EveryStateInTurnWithItsTransitionAndNoErrorBox) {
  GameDriver game;
  ASSERT_TRUE(game.started());
  std::vector<int> states;
  std::vector<int> steps;
  int state = gGameState;
  auto run_until = [&](auto done, int max_frames) {
    for (int i = 0; i < max_frames; ++i) {
      if (game.Frames(1) != 1) return false;
      if (gGameState != state) {
        state = gGameState;
        states.push_back(state);
        steps.push_back(gTransitionStep);
      }
      if (done()) return true;
    }
    return false;
  };
  game.Frames(1);
  game.Tap('O');
  game.Press(VK_RETURN);
  ASSERT_TRUE(run_until([] { return gGameState == kStateStage1; }, 2));
  game.Release(VK_RETURN);
  EXPECT_EQ(gLives, kProfile.newGameLives);

  // The stage-1 boss settles at its place on the field.
  gDistance = 1600.0f;
  ASSERT_TRUE(run_until([] { return gS1Boss.scriptTimer >= 140.0f; }, 1500));
  EXPECT_EQ(gS1Boss.x, -40.0f + kProfile.fieldX);
  gDistance = 9990.0f;
  ASSERT_TRUE(run_until([] { return gGameState == kStateStage2; }, 1200));
  gDistance = 10990.0f;
  ASSERT_TRUE(run_until([] { return gGameState == kStateEnding; }, 1500));
  ASSERT_TRUE(run_until([] { return gGameState == kStateTitle; }, 6000));

  EXPECT_EQ(states, (std::vector<int>{kStateStage1, kStateStage2, kStateEnding, kStateTitle}));
  EXPECT_EQ(steps, (std::vector<int>{26, 30, 60, 60}));
  EXPECT_TRUE(game.host.box_texts.empty());
  EXPECT_EQ(gPlayerAlive, 1);
}
