// The frame gate: when it opens, the frame time it gives, its clocks, and its place in the loop.
#include <gtest/gtest.h>

#include "engine/el_draw.h"
#include "engine/el_system.h"
#include "engine/pacing/frame_gate.h"
#include "engine/shell.h"
#include "game/game_states.h"
#include "platform/host_headless.h"
#include "platform/idle_wait.h"
#include "platform/user32.h"
#include "platform/winmm.h"
#include "tests/support/game_driver.h"

using morv_test::GameDriver;

namespace {

constexpr float kUntouched = -1.0f;

// The gate alone on a headless host, set up at 60 per second with pacing on.
class Gate : public ::testing::Test {
 protected:
  platform::HeadlessHost host;
  void SetUp() override { platform::SetHost(&host); }
  // Pacing back on for the loop's tests when the suite runs as one process.
  void TearDown() override {
    gFrameGate.pacing = 1;
    platform::SetHost(nullptr);
  }
  void StartGate() {
    FrameGateSetup(60);
    gFrameGate.pacing = 1;
    gFrameTime = kUntouched;
  }
};

}  // namespace

TEST_F(Gate, ClosedOneCountBelowThePeriodOpenAtIt) {
  StartGate();
  ASSERT_EQ(gFrameGate.highResolution, 1);
  ASSERT_EQ(gFrameGate.period, 16666);  // 1 000 000 counts per second / 60
  host.AdvanceMs(16);                   // 16 000 counts
  host.counter_offset += 665;
  EXPECT_EQ(FrameGate(), 0);
  EXPECT_EQ(gFrameTime, kUntouched);
  host.counter_offset += 1;
  EXPECT_EQ(FrameGate(), 1);
  EXPECT_FLOAT_EQ(gFrameTime, 0.016f);
  // Measured again from this opening.
  EXPECT_EQ(FrameGate(), 0);
}

TEST_F(Gate, FrameTimeIsTheWholePauseSinceTheLastOpening) {
  StartGate();
  host.AdvanceMs(5000);
  EXPECT_EQ(FrameGate(), 1);
  EXPECT_FLOAT_EQ(gFrameTime, 5.0f);
}

TEST_F(Gate, WithoutTheCounterTheMillisecondClockPacesAt16ms) {
  host.high_resolution_counter = false;
  StartGate();
  EXPECT_EQ(gFrameGate.highResolution, 0);
  EXPECT_EQ(gFrameGate.period, 16);
  EXPECT_EQ(gFrameGate.msFromTimeGetTime, 1);
  host.AdvanceMs(15);
  EXPECT_EQ(FrameGate(), 0);
  host.AdvanceMs(1);
  EXPECT_EQ(FrameGate(), 1);
  EXPECT_FLOAT_EQ(gFrameTime, 0.016f);
}

TEST_F(Gate, AWrapOfTheMillisecondClockClosesOnceThenGoesOnFromTheNewValue) {
  host.high_resolution_counter = false;
  host.clock_ms = 0x100000000ull - 5;
  StartGate();
  host.AdvanceMs(20);  // the clock reads 15 now
  EXPECT_EQ(FrameGate(), 0);
  EXPECT_EQ(gFrameGate.lastCount, 15);
  host.AdvanceMs(15);
  EXPECT_EQ(FrameGate(), 0);
  host.AdvanceMs(1);
  EXPECT_EQ(FrameGate(), 1);
  // The frame time still counts from the last opening, across the wrap.
  EXPECT_FLOAT_EQ(gFrameTime, 0.036f);
}

TEST_F(Gate, PacingOffOpensOnEveryCall) {
  StartGate();
  gFrameGate.pacing = 0;
  EXPECT_EQ(FrameGate(), 1);
  EXPECT_FLOAT_EQ(gFrameTime, 0.0f);
  host.AdvanceMs(2);
  EXPECT_EQ(FrameGate(), 1);
  EXPECT_FLOAT_EQ(gFrameTime, 0.002f);
}

TEST_F(Gate, ACoarseTimerMakesTheTickCountTheClockOfBothReadings) {
  // GetTickCount runs on another origin than timeGetTime; the frame time must not mix the two.
  host.timer_period_min = 15;
  host.tick_count_offset = 123456;
  for (bool counter : {true, false}) {
    host.high_resolution_counter = counter;
    StartGate();
    EXPECT_EQ(gFrameGate.msFromTimeGetTime, 0);
    host.AdvanceMs(20);
    EXPECT_EQ(FrameGate(), 1) << counter;
    EXPECT_FLOAT_EQ(gFrameTime, 0.020f) << counter;
  }
}

TEST_F(Gate, RestartMeasuresFromNow) {
  StartGate();
  host.AdvanceMs(3000);
  RestartFrameGate();
  host.AdvanceMs(16);
  EXPECT_EQ(FrameGate(), 0);
  host.AdvanceMs(1);
  EXPECT_EQ(FrameGate(), 1);
  EXPECT_FLOAT_EQ(gFrameTime, 0.017f);
}

TEST_F(Gate, StartUpHookRaisesTheTimerPeriodAndTheExitHookEndsIt) {
  gVSyncWait = 1;
  const int before = platform::ActiveTimerPeriodRequests();
  InitFramePacing();
  EXPECT_EQ(platform::ActiveTimerPeriodRequests(), before + 1);
  EXPECT_EQ(platform::ShortestActiveTimerPeriod(), 1u);
  EXPECT_EQ(gFrameGate.rate, 60);
  EXPECT_EQ(gFrameGate.pacing, 1);
  EXPECT_EQ(gVSyncWait, 0);
  EXPECT_EQ(gFramePacing.gate, &FrameGate);
  ExitFramePacing();
  EXPECT_EQ(platform::ActiveTimerPeriodRequests(), before);
}

TEST_F(Gate, TimerPeriodsTheMachineDoesNotOfferAreRefused) {
  host.timer_period_min = 15;
  EXPECT_EQ(timeBeginPeriod(1), TIMERR_NOCANDO);
  EXPECT_EQ(timeEndPeriod(1), TIMERR_NOCANDO);
  TIMECAPS caps{0, 0};
  EXPECT_EQ(timeGetDevCaps(&caps, 4), TIMERR_STRUCT);
  EXPECT_EQ(timeGetDevCaps(&caps, sizeof caps), TIMERR_NOERROR);
  EXPECT_EQ(caps.wPeriodMin, 15u);
}

// --- In the loop of the earlier revision ---

TEST(GateInLoop, AClosedGateSkipsOnlyTheStateRoutine) {
  GameDriver game;
  ASSERT_TRUE(game.started());
  ASSERT_EQ(game.Frames(2), 2);
  // Straight after an opening the gate is closed.
  gMouseLeftClick = 1;
  const int presented = game.presented();
  ASSERT_EQ(RunLoopOnce(), LoopStep::Gated);
  EXPECT_EQ(game.presented(), presented);  // no title frame ran
  EXPECT_EQ(gMouseLeftClick, 0);           // the loop's own bookkeeping did
}

TEST(GateInLoop, AStateEnteredBehindAClosedGateStillSeesTheEnteredFlag) {
  GameDriver game;
  ASSERT_TRUE(game.started());
  ASSERT_EQ(game.Frames(2), 2);
  gTitleCounter = 77;
  gPrevGameState = 0;  // the title entered again, as a state change does
  for (int i = 0; i < 3; ++i) ASSERT_EQ(RunLoopOnce(), LoopStep::Gated);
  EXPECT_EQ(gStateEntered, 1);
  EXPECT_EQ(gTitleCounter, 77);
  ASSERT_EQ(game.Frames(1), 1);
  EXPECT_EQ(gTitleCounter, 1);  // the entry ran
  ASSERT_EQ(game.Frames(1), 1);
  EXPECT_EQ(gStateEntered, 0);
}

TEST(GateInLoop, TheLoopsOwnFrameTimeIsReplacedByTheGates) {
  GameDriver game;
  ASSERT_TRUE(game.started());
  ASSERT_EQ(game.Frames(2), 2);
  const uint32_t opened = gFrameGate.msAtLastOpening;
  // The driver polls a closed gate every 1 ms: each pass measures 1 ms of its own.
  int closed = 0;
  while (RunLoopOnce() == LoopStep::Gated) {
    ++closed;
    EXPECT_FLOAT_EQ(gFrameTime, closed == 1 ? static_cast<float>(timeGetTime() - opened) / 1000.0f
                                            : 0.001f);
    game.AdvanceMs(1);
  }
  EXPECT_GE(closed, 1);
  // The routine that ran saw the time since the gate's last opening, a whole period.
  EXPECT_FLOAT_EQ(gFrameTime, static_cast<float>(gFrameGate.msAtLastOpening - opened) / 1000.0f);
  EXPECT_FLOAT_EQ(gFrameTime, 0.017f);
}

// The loop asks the gate on every pass; while it is closed, the pass's poll that finds nothing
// waits (on the host) until the opening or input, once per closed gate, and never otherwise.
TEST_F(Gate, AnEmptyPollAfterAClosedGateWaitsUntilItsOpening) {
  StartGate();
  MSG msg;
  auto poll = [&msg] { return PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); };
  host.AdvanceMs(5);
  EXPECT_EQ(FrameGate(), 0);
  EXPECT_EQ(host.idle_waits, 0);  // the gate itself never waits
  EXPECT_TRUE(platform::GatePacesLoop());  // the refresh wait no longer paces the frames
  EXPECT_EQ(poll(), FALSE);
  EXPECT_EQ(host.idle_waits, 1);
  EXPECT_EQ(host.idle_wait_until, gFrameGate.lastCount + 16666);
  EXPECT_EQ(poll(), FALSE);
  EXPECT_EQ(host.idle_waits, 1);
  EXPECT_EQ(FrameGate(), 0);
  ASSERT_TRUE(PostMessageA(nullptr, WM_USER, 0, 0));
  EXPECT_EQ(poll(), TRUE);  // a waiting message comes out at once
  EXPECT_EQ(host.idle_waits, 1);
  EXPECT_EQ(poll(), FALSE);
  EXPECT_EQ(host.idle_waits, 2);
  host.AdvanceMs(12);
  EXPECT_EQ(FrameGate(), 1);
  EXPECT_EQ(poll(), FALSE);  // after an opening the loop goes straight on
  EXPECT_EQ(host.idle_waits, 2);
}
