// The wait for a counter value (a closed frame gate's opening): on time although sleeps end late,
// woken by input at once, and never long without looking at input.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

#include "platform/idle_wait.h"

namespace {

using platform::CounterWaitHost;
using platform::WakeMargin;

constexpr int64_t kFrequency = 1000000000;  // counts are nanoseconds
constexpr int64_t kPeriod = kFrequency / 60;
constexpr int64_t kReadNs = 100;  // what one reading of the counter takes

// A host whose clock moves only as the wait uses it. Each sleep ends `late_ns()` after the time it
// asked for; input may arrive at a set time, and wakes a sleep then. It keeps the longest stretch
// in which input was not looked at (neither taken nor watched by a sleep).
class SimulatedHost final : public CounterWaitHost {
 public:
  int64_t now = 0;
  int64_t input_at = std::numeric_limits<int64_t>::max();
  int64_t (*late_ns)(int) = [](int) -> int64_t { return 0; };
  int sleeps = 0;
  int64_t last_look = 0;
  int64_t longest_blind = 0;

  bool TakeInput() override {
    Look();
    return now >= input_at;
  }
  SleepEnd SleepWatchingInput(int64_t ns) override {
    Look();
    const int64_t end = now + ns + late_ns(sleeps++);
    if (input_at < end) {
      now = std::max(now, input_at);
      last_look = now;
      return SleepEnd::Woken;
    }
    now = end;
    last_look = now;
    return SleepEnd::Whole;
  }
  int64_t Counter() override {
    now += kReadNs;
    return now;
  }
  // The wait returned: what comes next reads the input.
  void Look() {
    longest_blind = std::max(longest_blind, now - last_look);
    last_look = now;
  }
};

// Sleeps ending 40 to 139 us late, each value once in every hundred sleeps.
int64_t SpreadLate(int n) { return 40000 + (n * 37 % 100) * 1000; }

TEST(CounterWait, OpensAtItsTimeThoughSleepsEndLate) {
  SimulatedHost host;
  host.late_ns = SpreadLate;
  WakeMargin margin;
  int64_t deadline = 0;
  int64_t late_total = 0, spin_total = 0;
  int on_time = 0, counted = 0;
  for (int frame = 0; frame < 600; ++frame) {
    deadline = host.now + kPeriod;
    platform::WaitForCounter(deadline, kFrequency, margin, host);
    const int64_t spin = host.now - host.last_look;
    host.Look();
    ASSERT_GE(host.now, deadline) << frame;  // never before its time
    if (frame < 200) continue;  // the margin has learnt the lateness by then
    ++counted;
    late_total += host.now - deadline;
    spin_total += spin;
    if (host.now - deadline <= 2 * kReadNs) ++on_time;
  }
  // About half the openings come within two readings of the counter of their time; the others
  // when their sleep ended, about 12 us late on average. A wait that slept to the time itself
  // would open 90 us late on average.
  EXPECT_GE(on_time, counted * 45 / 100);
  EXPECT_LE(on_time, counted * 55 / 100);
  EXPECT_LT(late_total / counted, 20000);
  // The spin after the sleep stays short: its cost is the wait's only one beyond the sleep's.
  EXPECT_LT(spin_total / counted, 20000);
  EXPECT_LE(host.longest_blind, WakeMargin::kMaxSpinNs);
}

// Sleeps that end on time (the readings of the counter after them aside) bring the margin down from
// its start to a step or so: the wait then sleeps nearly all its time.
TEST(CounterWait, SleepsNearlyTheWholeWaitWhenSleepsEndOnTime) {
  SimulatedHost host;
  WakeMargin margin;
  for (int frame = 0; frame < 150; ++frame) {
    platform::WaitForCounter(host.now + kPeriod, kFrequency, margin, host);
  }
  EXPECT_LE(margin.margin_ns(), WakeMargin::kRiseNs);
  const int64_t deadline = host.now + kPeriod;
  platform::WaitForCounter(deadline, kFrequency, margin, host);
  EXPECT_LE(host.now - host.last_look, WakeMargin::kRiseNs + kReadNs);
  EXPECT_LE(host.now - deadline, 2 * kReadNs);
}

TEST(CounterWait, InputEndsTheWaitAtOnce) {
  SimulatedHost host;
  WakeMargin margin;
  host.input_at = 5000000;
  platform::WaitForCounter(kPeriod, kFrequency, margin, host);
  EXPECT_EQ(host.now, 5000000);
  EXPECT_EQ(host.sleeps, 1);
  EXPECT_EQ(margin.margin_ns(), WakeMargin::kStartNs);  // a woken sleep tells nothing of lateness
}

// Sleeps that end far too late (a busy machine) raise the margin only so far: the spin, in which
// input is not looked at, never exceeds its bound, whatever the wait, and the gate still opens.
TEST(CounterWait, InputIsNeverLeftUnreadLongerThanTheSpin) {
  SimulatedHost host;
  host.late_ns = [](int) -> int64_t { return 3000000; };
  WakeMargin margin;
  for (int frame = 0; frame < 400; ++frame) {
    platform::WaitForCounter(host.now + kPeriod, kFrequency, margin, host);
  }
  EXPECT_EQ(margin.margin_ns(), WakeMargin::kMaxMarginNs);
  host.Look();
  host.longest_blind = 0;
  for (int64_t wait = 1000; wait <= 400000; wait += 1000) {
    const int64_t deadline = host.now + wait;
    platform::WaitForCounter(deadline, kFrequency, margin, host);
    host.Look();
    EXPECT_GE(host.now, deadline) << wait;
  }
  EXPECT_LE(host.longest_blind, WakeMargin::kMaxSpinNs + 2 * kReadNs);
  EXPECT_GE(host.longest_blind, WakeMargin::kMaxSpinNs - 1000);  // waits just short of a sleep
}

TEST(CounterWait, CountsToNanoseconds) {
  EXPECT_EQ(platform::CountsToNs(16666, 1000000), 16666000);
  EXPECT_EQ(platform::CountsToNs(-500, 1000000), -500000);
  EXPECT_EQ(platform::CountsToNs(16666666, 1000000000), 16666666);
  // Days of a 3 GHz counter: no overflow.
  EXPECT_EQ(platform::CountsToNs(int64_t{3000000000} * 86400 * 30 + 3, 3000000000),
            int64_t{1000000000} * 86400 * 30 + 1);
}

// The earlier revision's loop: the gate opens a period after its last opening (a little later, as
// its wait ends), the frame draws for between 0.1 and 1.6 ms, waits for the refresh and presents.
// Over a minute of frames, whatever the phase the refreshes started at, no frame may still be
// waiting or presenting when the gate's next opening is due: it would hold that opening back. Once
// the gate has closed, the refresh wait knows the gate paces the loop and sleeps no second time;
// before that (the first frames), refreshes kept a period apart must not hold an opening back
// either.
TEST(RefreshWait, AGatePacedLoopIsNeverHeldPastItsNextOpening) {
  constexpr uint64_t kRefresh = 1000000000 / 60;  // the display's period, the gate's too
  constexpr uint64_t kPresentNs = 300000;
  for (const bool gated : {true, false}) {
    for (uint64_t phase = 0; phase < kRefresh; phase += kRefresh / 7) {
      uint64_t opening = 5 * kRefresh;
      uint64_t refresh = phase;
      int waited = 0;
      for (int frame = 0; frame < 3600; ++frame) {
        const uint64_t drawn =
            opening + 100000 + static_cast<uint64_t>(frame * 7919 % 1500) * 1000;
        const uint64_t next = platform::NextRefreshNs(drawn, refresh, kRefresh, gated);
        if (next > drawn) ++waited;
        refresh = next;
        const uint64_t due = opening + kRefresh;
        ASSERT_LE(next + kPresentNs, due) << "gated " << gated << ", phase " << phase << ", frame "
                                          << frame;
        // The gate's wait ends 0-49 us late.
        opening = due + static_cast<uint64_t>(frame * 31 % 50) * 1000;
      }
      if (gated) {
        EXPECT_EQ(waited, 0) << "phase " << phase;  // the gate alone paces
      } else {
        EXPECT_GT(waited, 0);  // the refreshes pace: frames drawn faster than the last one wait
      }
    }
  }
}

// Without a gate the refresh wait alone paces the loop: one refresh a period while the frames keep
// up; after a frame that took longer, a refresh at once, then a period apart again.
TEST(RefreshWait, AloneItPacesFramesAPeriodApart) {
  constexpr uint64_t kRefresh = 1000000000 / 60;
  uint64_t refresh = 0;
  uint64_t now = 123456789;
  std::vector<uint64_t> refreshes;
  for (int frame = 0; frame < 6; ++frame) {
    now += frame == 3 ? 20000000 : 2000000;  // the fourth frame draws for 20 ms
    refresh = platform::NextRefreshNs(now, refresh, kRefresh, false);
    refreshes.push_back(refresh);
    now = refresh;
  }
  const uint64_t first = 123456789 + 2000000;
  const std::vector<uint64_t> expected = {first,
                                          first + kRefresh,
                                          first + 2 * kRefresh,
                                          first + 2 * kRefresh + 20000000,
                                          first + 3 * kRefresh + 20000000,
                                          first + 4 * kRefresh + 20000000};
  EXPECT_EQ(refreshes, expected);
}

}  // namespace
