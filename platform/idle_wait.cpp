// See idle_wait.h.
#include "platform/idle_wait.h"

#include <algorithm>

#include "platform/host.h"

namespace platform {

namespace {

// The refresh rate that paces passes with nothing else to wait for.
constexpr int64_t kRefreshHz = 60;

bool g_idle_pending = false;
int64_t g_idle_until = 0;
bool g_gated = false;         // a frame gate has closed: it paces the loop
bool g_display_wait = true;   // since the last empty poll
bool g_polled = false;
int64_t g_last_empty_poll = 0;

}  // namespace

void IdleUntilCounter(int64_t count) {
  g_idle_pending = true;
  g_idle_until = count;
  g_gated = true;
}

void NoteDisplayWait() { g_display_wait = true; }

bool GatePacesLoop() { return g_gated; }

void WaitWhileIdle() {
  Host& host = CurrentHost();
  if (g_idle_pending) {
    g_idle_pending = false;
    host.WaitEventUntil(g_idle_until);
  } else if (!g_gated && !g_display_wait && g_polled && host.CounterFrequency() > 0) {
    host.WaitEventUntil(g_last_empty_poll + host.CounterFrequency() / kRefreshHz);
  }
  g_display_wait = false;
  g_polled = true;
  g_last_empty_poll = host.CounterValue();
}

void WakeMargin::SleepEnded(int64_t late_ns) {
  margin_ns_ = late_ns > margin_ns_ ? std::min(margin_ns_ + kRiseNs, kMaxMarginNs)
                                    : std::max<int64_t>(margin_ns_ - kFallNs, 0);
}

void WaitForCounter(int64_t counter, int64_t frequency, WakeMargin& margin, CounterWaitHost& host) {
  using SleepEnd = CounterWaitHost::SleepEnd;
  for (;;) {
    if (host.TakeInput()) return;
    const int64_t start = host.Counter();
    const int64_t sleep_ns = margin.SleepNs(CountsToNs(counter - start, frequency));
    if (sleep_ns > 0) {
      const SleepEnd end = host.SleepWatchingInput(sleep_ns);
      if (end == SleepEnd::Woken) continue;
      const int64_t now = host.Counter();
      if (end == SleepEnd::Whole) margin.SleepEnded(CountsToNs(now - start, frequency) - sleep_ns);
      if (margin.SleepNs(CountsToNs(counter - now, frequency)) > 0) continue;
    }
    while (host.Counter() - counter < 0) {
    }
    return;
  }
}

int64_t CountsToNs(int64_t counts, int64_t frequency) {
  constexpr int64_t kNsPerSecond = 1000000000;
  return counts / frequency * kNsPerSecond + counts % frequency * kNsPerSecond / frequency;
}

}  // namespace platform
