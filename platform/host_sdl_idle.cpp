// SdlHost's wait for a closed frame gate: input wakes it at once, the gate's opening on the
// high-resolution counter at its time.
//
// SDL's own timed wait counts whole milliseconds and ends a tenth of one or more after them (it
// pumps the events twice, then sleeps in poll on the display connection with a timeout in
// milliseconds): too coarse for a gate that must open at its time. Under X11 the wait sleeps in
// ppoll on that connection itself, to the nanosecond, woken by any byte of input; elsewhere in
// SDL's wait for the whole milliseconds but the last, then in slices with the events looked at
// between them. Either way it wakes a margin early (WakeMargin) and spins the rest on the counter.
#include <SDL_syswm.h>
#include <poll.h>
#include <sys/prctl.h>
#include <time.h>

#include <algorithm>
#include <cerrno>

#include "platform/host_sdl.h"

namespace platform {

namespace {

constexpr int64_t kNsPerSecond = 1000000000;
constexpr int64_t kNsPerMs = 1000000;
// Without a descriptor to watch, the longest sleep in which arriving input is not looked at.
constexpr int64_t kSliceNs = 200000;

}  // namespace

int SdlHost::InputDescriptor() {
  if (window_ != input_fd_window_) {
    input_fd_window_ = window_;
    input_fd_ = -1;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (window_ != nullptr && SDL_GetWindowWMInfo(window_, &info) == SDL_TRUE &&
        info.subsystem == SDL_SYSWM_X11) {
      input_fd_ = ConnectionNumber(info.info.x11.display);
    }
  }
  return input_fd_;
}

CounterWaitHost::SleepEnd SdlHost::SleepWatchingInput(int64_t ns) {
  using SleepEnd = CounterWaitHost::SleepEnd;
  const int fd = InputDescriptor();
  if (fd >= 0) {
    pollfd watch{fd, POLLIN, 0};
    const timespec timeout{static_cast<time_t>(ns / kNsPerSecond),
                           static_cast<long>(ns % kNsPerSecond)};
    const int ready = ppoll(&watch, 1, &timeout, nullptr);
    if (ready == 0) return SleepEnd::Whole;
    // Input, a signal (SDL makes the quit request of it) or a descriptor that failed: the events
    // are looked at; a failed descriptor is not watched again.
    if (ready < 0 && errno != EINTR) input_fd_ = -1;
    return SleepEnd::Woken;
  }
  if (ns >= 2 * kNsPerMs) {
    SDL_Event e;
    if (SDL_WaitEventTimeout(&e, static_cast<int>((ns - kNsPerMs) / kNsPerMs)) == 0) {
      return SleepEnd::Part;
    }
    TranslateEvent(e);
    return SleepEnd::Woken;
  }
  timespec slice{0, static_cast<long>(std::min(ns, kSliceNs))};
  while (clock_nanosleep(CLOCK_MONOTONIC, 0, &slice, &slice) == EINTR) {
  }
  return ns <= kSliceNs ? SleepEnd::Whole : SleepEnd::Part;
}

void SdlHost::WaitEventUntil(int64_t counter) {
  const int64_t frequency = CounterFrequency();
  if (frequency <= 0) return;
  // The kernel may end this thread's timed waits up to its timer slack late (50 us by default):
  // 1 us instead.
  static const bool slack_set = prctl(PR_SET_TIMERSLACK, 1000UL, 0, 0, 0) == 0;
  (void)slack_set;
  struct Wait final : CounterWaitHost {
    SdlHost& host;
    explicit Wait(SdlHost& h) : host(h) {}
    bool TakeInput() override {
      SDL_Event e;
      while (host.pending_.empty() && SDL_PollEvent(&e) != 0) host.TranslateEvent(e);
      return !host.pending_.empty();
    }
    SleepEnd SleepWatchingInput(int64_t ns) override { return host.SleepWatchingInput(ns); }
    int64_t Counter() override { return host.CounterValue(); }
  } wait(*this);
  WaitForCounter(counter, frequency, wake_margin_, wait);
}

}  // namespace platform
