// The stage frame's own steps: entry, pause and continue, the stage music, the distance, the
// continue prompt and the boss section's window with its time limit.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/el_draw.h"
#include "engine/el_system.h"
#include "engine/midi.h"
#include "engine/shell.h"
#include "game/asset_list.h"
#include "game/boss_data.h"
#include "game/game_states.h"
#include "game/player_data.h"
#include "game/score_data.h"
#include "game/stage_drivers.h"
#include "game/weapon_data.h"
#include "platform/host_headless.h"
#include "platform/user32.h"
#include "tests/support/game_driver.h"

using morv_test::GameDriver;

namespace {

// A game in stage 1 whose opening transition has run out.
void PlayStage1(GameDriver& game) {
  game.Frames(1);
  game.StartGame();
  game.Frames(30);
  ASSERT_EQ(gGameState, kStateStage1);
  ASSERT_EQ(gTransitionCounter, 0);
}

// Jumps a running game into stage 2 as the first boss's destruction does.
void EnterStage2(GameDriver& game) {
  gGameState = kStateStage2;
  gPrevGameState = 0;
  gDistance = 0.0f;
  game.Frames(1);
  ASSERT_EQ(gGameState, kStateStage2);
}

}  // namespace

TEST(StageFrame, DistanceGrows20PerSecondInStage1And18InStage2) {
  GameDriver game;
  PlayStage1(game);
  const uint64_t t0 = game.host.clock_ms;
  const float d0 = gDistance;
  game.Frames(120);
  const float seconds = static_cast<float>(game.host.clock_ms - t0) / 1000.0f;
  EXPECT_NEAR(gDistance - d0, 20.0f * seconds, 0.5f);
  EnterStage2(game);
  const uint64_t t1 = game.host.clock_ms;
  const float d1 = gDistance;
  game.Frames(120);
  EXPECT_NEAR(gDistance - d1, 18.0f * static_cast<float>(game.host.clock_ms - t1) / 1000.0f, 0.5f);
}

TEST(StageFrame, MusicStartsOnTheFirstFrameOfStage1Only) {
  GameDriver game;
  game.Frames(1);
  EXPECT_EQ(gMidiOpen, 0);
  game.StartGame();
  EXPECT_EQ(gStageFrameCounter, 1);
  EXPECT_EQ(gMidiOpen, 1);
  EXPECT_EQ(gMidiLoop, 1);
  // The stage tune, by its full path, under the one alias.
  const platform::HeadlessHost::MciCommandLog& log = game.host.mci_log;
  ASSERT_GE(log.count, 3);
  ASSERT_LE(log.count, platform::kMciLogSize);
  EXPECT_EQ(std::string(log.commands[log.count - 3]),
            "open \"" + game.data_dir() + "MIDI/VKT1.MID\" type sequencer alias midi");
  EXPECT_STREQ(log.commands[log.count - 2], "seek midi to start");
  EXPECT_STREQ(log.commands[log.count - 1], "play midi notify");
  StopMidi();
  game.Frames(10);
  EXPECT_EQ(gMidiOpen, 0);
  EnterStage2(game);
  game.Frames(10);
  EXPECT_EQ(gMidiOpen, 0);
}

TEST(Pause, APausedStageNeitherDrawsNorPresentsAndStandsStill) {
  GameDriver game;
  game.Frames(1);
  game.StartGame();
  game.Frames(2);
  game.Tap('S');  // the key is taken before the frame: that frame is already paused
  ASSERT_EQ(gPaused, 1);
  const int presented = game.presented();
  const int waits = game.host.vblank_waits;
  const float distance = gDistance;
  const int frames = gStageFrameCounter;
  const int transition = gTransitionCounter;
  const std::vector<uint8_t> picture = game.Picture();
  for (int i = 0; i < 10; ++i) {
    game.AdvanceMs(100);
    game.Frames(1);
  }
  EXPECT_EQ(game.presented(), presented);
  EXPECT_EQ(game.host.vblank_waits, waits);
  EXPECT_EQ(gDistance, distance);
  EXPECT_EQ(gStageFrameCounter, frames);
  EXPECT_EQ(gTransitionCounter, transition);
  EXPECT_EQ(game.Picture(), picture);

  // Resumed after a second: the first frame moves by one pass's time only.
  game.Press('S');
  game.Drain();
  ASSERT_EQ(gPaused, 0);
  game.AdvanceMs(100);
  game.Frames(1);
  EXPECT_NEAR(gFrameTime, 0.1f, 1e-4f);
  EXPECT_NEAR(gDistance - distance, 2.0f, 1e-3f);
  EXPECT_EQ(gStageFrameCounter, frames + 1);
  EXPECT_EQ(gTransitionCounter, transition - 1);
  EXPECT_EQ(game.presented(), presented + 1);
}

// The paused loop runs frames that wait for nothing; the message queue's empty poll holds it to one
// pass per refresh (or until input) instead of letting it spin. Frames that present never wait.
TEST(Pause, PausedPassesWaitForInputOrTheNextRefreshInsteadOfSpinning) {
  GameDriver game;
  game.Frames(1);
  game.StartGame();
  game.Frames(5);
  EXPECT_EQ(game.host.idle_waits, 0);
  game.Tap('S');
  ASSERT_EQ(gPaused, 1);
  const int64_t period = game.host.CounterFrequency() / 60;
  game.Frames(1);
  const int before = game.host.idle_waits;
  for (int i = 1; i <= 5; ++i) {
    const int64_t polled = game.host.CounterValue();
    game.AdvanceMs(2);
    game.Frames(1);
    EXPECT_EQ(game.host.idle_waits, before + i);
    EXPECT_EQ(game.host.idle_wait_until, polled + period);
  }
  game.Tap('S');
  ASSERT_EQ(gPaused, 0);
  const int waits = game.host.idle_waits;
  game.Frames(5);
  EXPECT_EQ(game.host.idle_waits, waits);
}

TEST(Pause, SIsIgnoredWhileTheContinuePromptIsUp) {
  GameDriver game;
  PlayStage1(game);
  gLives = 0;
  game.Frames(1);
  ASSERT_EQ(gContinuePrompt, 1);
  ASSERT_EQ(gPaused, 1);
  game.Tap('S');
  EXPECT_EQ(gPaused, 1);
  game.Tap('S');
  EXPECT_EQ(gPaused, 1);
  EXPECT_EQ(gContinuePrompt, 1);
}

TEST(Continue, YWithoutThePromptDoesNothing) {
  GameDriver game;
  PlayStage1(game);
  gScore = 700;
  game.Tap('Y');
  game.Frames(2);
  EXPECT_EQ(gLives, 999);
  EXPECT_EQ(gScore, 700);
  // Paused by S, without the prompt, Y does not resume.
  game.Tap('S');
  game.Press('Y');
  game.Frames(3);
  EXPECT_EQ(gPaused, 1);
  EXPECT_EQ(gLives, 999);
  EXPECT_EQ(gScore, 700);
}

TEST(Continue, YUnderThePromptGives111LivesAndScore0) {
  GameDriver game;
  PlayStage1(game);
  gScore = 5000;
  gHighScore = 5000;
  gLives = -5;
  game.Frames(1);
  ASSERT_EQ(gContinuePrompt, 1);
  EXPECT_EQ(gPlayerAlive, 0);
  game.Frames(3);
  EXPECT_EQ(gLives, -5);
  const int presented = game.presented();
  game.Press('Y');
  game.Frames(1);  // the continue itself presents nothing
  EXPECT_EQ(game.presented(), presented);
  EXPECT_EQ(gLives, 111);
  EXPECT_EQ(gScore, 0);
  EXPECT_EQ(gHighScore, 5000);
  EXPECT_EQ(gPaused, 0);
  EXPECT_EQ(gContinuePrompt, 0);
  EXPECT_EQ(gPlayerAlive, 1);
  EXPECT_EQ(gPlayerRecovering, 1);
  EXPECT_EQ(gLastKey, 'Y');
  game.Frames(1);
  EXPECT_EQ(game.presented(), presented + 1);
}

TEST(Continue, ThePromptIsDrawnOnceAndFreesTheFirst39NarrowShots) {
  GameDriver game;
  PlayStage1(game);
  for (int i = 0; i < kNarrowShotCount; ++i) gNarrowShots[i] = {100 + i, 200, 0, 0, 1};
  gPlayerVX = 160.0f;
  gLives = 0;
  const int presented = game.presented();
  game.Frames(1);
  ASSERT_EQ(game.presented(), presented + 1);
  EXPECT_EQ(gPlayerVX, 0.0f);
  const int slot = ImageSlot(kImgCONTINU1);
  int compared = 0;
  for (int y = 0; y < 100; y += 3) {
    for (int x = 0; x < 200; x += 3) {
      const uint32_t want = game.SlotPixel(slot, x, y);
      if (want == 0) continue;  // the key colour lets the play show through
      ASSERT_EQ(game.Pixel(80 + x, 190 + y), want) << x << "," << y;
      ++compared;
    }
  }
  EXPECT_GT(compared, 50);
  const std::vector<uint8_t> picture = game.Picture();
  game.Frames(5);
  EXPECT_EQ(game.presented(), presented + 1);
  EXPECT_EQ(game.Picture(), picture);
  for (int i = 0; i < kNarrowShotCount; ++i) {
    const PlayerShot& s = gNarrowShots[i];
    if (i < 39) {
      EXPECT_EQ(s.active, 0) << i;
      EXPECT_EQ(s.x, -500) << i;
      EXPECT_EQ(s.y, 500) << i;
    } else {
      EXPECT_EQ(s.active, 1) << i;
      EXPECT_EQ(s.x, 100 + i) << i;
      EXPECT_EQ(s.y, 200) << i;
    }
  }
}

TEST(GameOverCheck, AnExpiredWaitOneReturnsToTheTitleWithoutATransition) {
  GameDriver game;
  PlayStage1(game);
  elSystem::SetWait(1, 0);
  game.Frames(1);
  EXPECT_EQ(gGameState, kStateTitle);
  EXPECT_EQ(gPrevGameState, kStateTitle);
  EXPECT_EQ(gTransitionCounter, 0);
  game.Frames(1);
  EXPECT_EQ(gTitleCounter, 1);
}

TEST(BossSection, TimeLimitForcesTheStage1BossDown) {
  GameDriver game;
  PlayStage1(game);
  gDistance = 5000.0f;
  game.Frames(1);
  EXPECT_EQ(gS1Boss.life, kS1BossLife);
  gDistance = 10000.0f;
  game.Frames(1);
  EXPECT_EQ(gS1Boss.life, 0.0f);
}

// A frame long enough to carry the distance past the boss window's end before the boss is down
// must not leave the stage without an end: the time limit still applies.
TEST(BossSection, AFramePastTheWindowsEndStillForcesTheBossDown) {
  GameDriver game;
  PlayStage1(game);
  gDistance = 9990.0f;
  game.AdvanceMs(8000);  // one frame of 8 s: 160 units in stage 1, and 80 on the death timer
  game.Frames(1);
  // Forced down past the window's end, the boss's destruction ran to its end in that frame.
  EXPECT_EQ(gGameState, kStateStage2);
  EXPECT_EQ(gTransitionStep, kStepsToStage2);
  EXPECT_EQ(gTransitionCounter, kStepsToStage2 - 1);  // the stage-1 frame presented its first step
  EXPECT_EQ(gS1Boss.life, kS1BossLife);

  EnterStage2(game);
  gDistance = 11150.0f;
  EXPECT_EQ(gS2Boss.life, kS2BossLife);
  game.Frames(1);
  EXPECT_EQ(gS2Boss.life, 0.0f);
}

