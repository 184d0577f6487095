// SdlHost's wait for a closed frame gate: input wakes it at once, the gate's opening on the
// high-resolution counter at its time. SDL's wait counts whole milliseconds; the last part of one
// is slept on the clock, the only stretch in which arriving input waits (less than 1 ms).
#include <sys/prctl.h>
#include <time.h>

#include <cerrno>

#include "platform/host_sdl.h"

namespace platform {

void SdlHost::WaitEventUntil(int64_t counter) {
  const int64_t frequency = CounterFrequency();
  if (frequency <= 0) return;
  // The kernel may end this thread's timed waits up to its timer slack late (50 us by default),
  // and each opening of the gate counts its period from the opening before: 1 us instead.
  static const bool slack_set = prctl(PR_SET_TIMERSLACK, 1000UL, 0, 0, 0) == 0;
  (void)slack_set;
  while (pending_.empty()) {
    const int64_t left = counter - CounterValue();
    if (left <= 0) return;
    const int64_t left_us = left * 1000000 / frequency;
    if (left_us < 1000) {
      timespec rest{0, static_cast<long>(left_us * 1000)};
      while (clock_nanosleep(CLOCK_MONOTONIC, 0, &rest, &rest) == EINTR) {
      }
      return;
    }
    SDL_Event e;
    if (SDL_WaitEventTimeout(&e, static_cast<int>(left_us / 1000)) != 0) TranslateEvent(e);
  }
}

}  // namespace platform
