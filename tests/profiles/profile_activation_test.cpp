// Deactivating the application: a full screen stops its frames until it is active again, a window
// keeps running them; either way the first frame after reactivation measures only the time since.
#include <gtest/gtest.h>

#include "engine/profile.h"
#include "engine/shell.h"
#include "tests/support/game_driver.h"

using morv_test::GameDriver;

namespace {

void Send(GameDriver& game, platform::HostEvent::Kind kind) {
  platform::HostEvent e;
  e.kind = kind;
  game.host.Inject(e);
  game.Drain();
}

// Passes of the loop until one runs a state routine or waits; the kind of the last one.
LoopStep NextStep(GameDriver& game) {
  for (int i = 0; i < 1000; ++i) {
    const LoopStep step = game.Pass();
    if (step != LoopStep::Gated && step != LoopStep::Message) return step;
  }
  return LoopStep::Gated;
}

}  // namespace

TEST(ProfileActivation, InactiveFullScreenRunsNoFrames) {
  GameDriver game;
  ASSERT_TRUE(game.started());
  ASSERT_EQ(game.Frames(3), 3);
  Send(game, platform::HostEvent::Deactivate);
  ASSERT_EQ(gAppActive, 0);
  const int presented = game.presented();
  const LoopStep expected = kProfile.fullScreen != 0 ? LoopStep::Waited : LoopStep::Frame;
  for (int i = 0; i < 5; ++i) {
    game.AdvanceMs(100);
    EXPECT_EQ(NextStep(game), expected);
  }
  if (kProfile.fullScreen != 0) {
    EXPECT_EQ(game.presented(), presented);
  }
  Send(game, platform::HostEvent::Activate);
  EXPECT_EQ(NextStep(game), LoopStep::Frame);
}

TEST(ProfileActivation, FirstFrameAfterReactivationMeasuresOnlyTheTimeSince) {
  GameDriver game;
  ASSERT_TRUE(game.started());
  ASSERT_EQ(game.Frames(3), 3);
  Send(game, platform::HostEvent::Deactivate);
  for (int i = 0; i < 3; ++i) game.Pass();
  game.AdvanceMs(5000);
  Send(game, platform::HostEvent::Activate);
  game.AdvanceMs(10);
  ASSERT_EQ(game.Frames(1), 1);
  // The gate opens a period (1/60 s, reached in whole ms) after the reactivation; without it the
  // frame runs at once.
  EXPECT_FLOAT_EQ(gFrameTime, kProfile.earlierRevision != 0 ? 0.017f : 0.010f);
}

TEST(ProfileActivation, FirstFrameAfterStartUpMeasuresFromTheLoopsStart) {
  // Starting the program (the window, loading the assets) takes time that the first title frame
  // must not count: the start-up ends by restarting the frame clock and, in the earlier revision,
  // the frame gate, which its start-up hook set up before.
  morv_test::GameOptions options;
  options.while_starting = [](platform::HeadlessHost& host) { host.AdvanceMs(5000); };
  GameDriver game(options);
  ASSERT_TRUE(game.started());
  game.AdvanceMs(3);
  ASSERT_EQ(game.Frames(1), 1);
  EXPECT_FLOAT_EQ(gFrameTime, kProfile.earlierRevision != 0 ? 0.017f : 0.003f)
      << "the frame clock and gate restart at the end of start-up";
}
