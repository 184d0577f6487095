// A whole game, headless: the title, stage 1 and its boss, stage 2 and its boss, the ending and
// back to the title, with every change of state and its transition checked. The stages are
// crossed by moving the distance on; the ship is made immune on the title ("O") so no enemy fire
// can end the run.
#include <gtest/gtest.h>

#include <vector>

#include "engine/el_draw.h"
#include "engine/midi.h"
#include "engine/shell.h"
#include "game/boss_data.h"
#include "game/game_states.h"
#include "game/player_data.h"
#include "game/score_data.h"
#include "game/stage_drivers.h"
#include "platform/user32.h"
#include "tests/support/game_driver.h"

using morv_test::GameDriver;

namespace {

struct Change {
  int state;
  int steps;  // the transition's length; 0 when none was started with the change
  int frame;
  bool operator==(const Change& o) const { return state == o.state && steps == o.steps; }
};

// Runs frames until `done`, recording every change of state.
class Recorder {
 public:
  explicit Recorder(GameDriver& game) : game_(game), state_(gGameState) {}
  bool RunUntil(const std::function<bool()>& done, int max_frames) {
    for (int i = 0; i < max_frames; ++i) {
      const int counter = gTransitionCounter;
      if (game_.Frames(1) != 1) return false;
      if (gGameState != state_) {
        // A transition started by this frame's change has its full length in the step.
        const bool started = gTransitionCounter != 0 && gTransitionCounter != counter - 1;
        changes.push_back({gGameState, started ? gTransitionStep : 0, game_.frame_count()});
        state_ = gGameState;
      }
      if (done()) return true;
    }
    return false;
  }
  std::vector<Change> changes;

 private:
  GameDriver& game_;
  int state_;
};

}  // namespace

TEST(WholeGame, TitleStage1Boss1Stage2Boss2EndingAndBackToTheTitle) {
  GameDriver game;
  ASSERT_TRUE(game.started());
  Recorder run(game);
  ASSERT_TRUE(run.RunUntil([] { return true; }, 1));
  ASSERT_EQ(gGameState, kStateTitle);
  game.Tap('O');
  ASSERT_EQ(gNoDeath, 1);
  game.Press(VK_RETURN);
  ASSERT_TRUE(run.RunUntil([] { return gGameState == kStateStage1; }, 1));
  game.Release(VK_RETURN);
  ASSERT_TRUE(run.RunUntil([] { return gTransitionCounter == 0; }, 40));
  EXPECT_EQ(gLives, 999);
  EXPECT_EQ(gMidiOpen, 1);

  // Stage 1 past its enemies: the boss flies in and settles at its place.
  gDistance = 1600.0f;
  ASSERT_TRUE(run.RunUntil([] { return gS1Boss.scriptTimer >= 138.0f; }, 1200));
  EXPECT_EQ(gS1Boss.x, -40.0f);
  EXPECT_EQ(gS1Boss.y, 0.0f);
  // Up to the time limit: the boss is forced down and its destruction leads to stage 2.
  gDistance = 9990.0f;
  ASSERT_TRUE(run.RunUntil([] { return gGameState != kStateStage1; }, 600));
  ASSERT_EQ(gGameState, kStateStage2);
  const int stage2From = game.frame_count();
  EXPECT_EQ(gLives, 999);  // stage 2 goes on with the lives and score of stage 1

  // Stage 2: the boss enters and sways; the time limit ends it and the ending comes.
  gDistance = 1100.0f;
  ASSERT_TRUE(run.RunUntil([] { return gS2Boss.scriptTimer >= 163.0f; }, 1200));
  EXPECT_EQ(gS2Boss.y, 0.0f);
  EXPECT_NE(gS2Boss.x, -70.0f);
  gDistance = 10990.0f;
  ASSERT_TRUE(run.RunUntil([] { return gGameState != kStateStage2; }, 600));
  ASSERT_EQ(gGameState, kStateEnding);

  // The ending runs its whole timeline and goes back to the title.
  ASSERT_TRUE(run.RunUntil([] { return gGameState != kStateEnding; }, 4000));
  EXPECT_EQ(gGameState, kStateTitle);
  EXPECT_EQ(gLives, 999);
  EXPECT_EQ(gPlayerX, 150.0f);
  EXPECT_EQ(gMidiOpen, 1);  // the ending tune goes on over the title
  ASSERT_TRUE(run.RunUntil([] { return true; }, 1));
  EXPECT_EQ(gNoDeath, 0);  // the title's entry ran
  EXPECT_EQ(gTitleCounter, 1);

  const std::vector<Change> expected = {{kStateStage1, 26, 0},
                                        {kStateStage2, 30, 0},
                                        {kStateEnding, 60, 0},
                                        {kStateTitle, 60, 0}};
  EXPECT_EQ(run.changes, expected);
  ASSERT_EQ(run.changes.size(), 4u);
  // The stage-2 boss's destruction took about 3.5 s at double rate, the ending about 61 s.
  const int endingFrames = run.changes[3].frame - run.changes[2].frame;
  EXPECT_GE(endingFrames, 3660);
  EXPECT_LE(endingFrames, 3672);
  EXPECT_GT(run.changes[2].frame - stage2From, 0);
}
