// The wait of a loop that would otherwise spin: a closed frame gate tells when it opens next, and
// the next PeekMessageA that finds no message sleeps until then or until input arrives, instead of
// returning at once to a loop that would only ask the gate again.
#pragma once

#include <algorithm>
#include <cstdint>

namespace platform {

// The gate stays closed until the high-resolution counter reaches `count`.
void IdleUntilCounter(int64_t count);
// The loop waited for the display: a vertical blank, or a frame presented on the screen.
void NoteDisplayWait();
// True once a frame gate has closed in this run: the gate's openings pace the loop.
bool GatePacesLoop();
// PeekMessageA found no message: once per closed gate, the host waits for input or the counter.
// A loop without a frame gate whose passes since the last such poll neither waited for the display
// nor presented anything (a paused stage's passes) waits for input or the end of one refresh
// period since that poll, so that it runs no faster than the display refreshes.
void WaitWhileIdle();

// How a host's timed wait reaches its counter value on time. A sleep ends later than asked by a
// varying amount (the timer, the processor's wake from idle, the scheduler), and every late opening
// of the gate delays all the ones after it. So the wait sleeps, watching input, until a margin
// before its time, and spins on the counter for the rest. The margin follows how late recent sleeps
// ended, rising when one ends later than it and falling when one ends within it: about half the
// sleeps end within it. A higher share costs more spinning than it saves lateness (this is a
// machine where a sleep may end anywhere from 40 to 150 us late). It never exceeds kMaxSpinNs less
// kShortestSleepNs, so the spin, the only stretch of the wait in which input is not looked at,
// never lasts longer than kMaxSpinNs.
class WakeMargin {
 public:
  static constexpr int64_t kMaxSpinNs = 250000;
  // A sleep shorter than this costs about as much as spinning it, and ends no sooner.
  static constexpr int64_t kShortestSleepNs = 50000;
  static constexpr int64_t kMaxMarginNs = kMaxSpinNs - kShortestSleepNs;
  static constexpr int64_t kStartNs = 100000;
  static constexpr int64_t kFallNs = 1000;
  static constexpr int64_t kRiseNs = kFallNs;

  // With `left_ns` to go, how long to sleep watching input; 0: spin the rest.
  int64_t SleepNs(int64_t left_ns) const {
    const int64_t sleep = left_ns - margin_ns_;
    return sleep >= kShortestSleepNs ? sleep : 0;
  }
  // A sleep that ran its time ended `late_ns` after the end it asked for (negative: before).
  void SleepEnded(int64_t late_ns);
  int64_t margin_ns() const { return margin_ns_; }

 private:
  int64_t margin_ns_ = kStartNs;
};

// What a host gives its wait for a counter value.
class CounterWaitHost {
 public:
  // Woken (by input, a signal, ...); ran a part of the time asked; ran it all.
  enum class SleepEnd { Woken, Part, Whole };
  // Takes what input has arrived into the host's queue; true when any waits there.
  virtual bool TakeInput() = 0;
  // Sleeps up to `ns`, ending early when input arrives (or, where none can be watched, for a part
  // of the time only, so that input is looked at again soon).
  virtual SleepEnd SleepWatchingInput(int64_t ns) = 0;
  virtual int64_t Counter() = 0;

 protected:
  ~CounterWaitHost() = default;
};

// Until the counter (at `frequency` counts per second) reaches `counter` or input arrives: sleeps
// watching input to `margin` before the time, then spins on the counter; learns from each sleep
// how late it ended.
void WaitForCounter(int64_t counter, int64_t frequency, WakeMargin& margin, CounterWaitHost& host);

// When the refresh that a frame waits for comes, on a display that gives no vertical sync to align
// with (the wait then only paces the frames at the display's rate). In a loop that a frame gate
// paces (`gated`), at once: the frame has already waited for its time at the gate, and a refresh
// kept a period after the last would fall just after most frames, by the jitter of their draw
// times, costing each a second, short sleep and wake-up for nothing to show. Otherwise one period
// after the previous refresh waited for, or at once (`now`) when that time has passed: the
// refreshes keep the phase of the program's own frames. A grid of the clock's own would drift
// against a loop paced by the earlier revision's frame gate at the same rate until a refresh fell
// inside one of its frames; that frame would then wait a whole extra period and hold the gate's
// next opening back.
inline uint64_t NextRefreshNs(uint64_t now_ns, uint64_t previous_ns, uint64_t period_ns,
                              bool gated) {
  return gated ? now_ns : std::max(now_ns, previous_ns + period_ns);
}

// Nanoseconds in `counts` of a counter running at `frequency` (up to a few GHz) per second, without
// overflow for any span of it.
int64_t CountsToNs(int64_t counts, int64_t frequency);

}  // namespace platform
