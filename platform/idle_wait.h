// The wait of a loop that would otherwise spin: a closed frame gate tells when it opens next, and
// the next PeekMessageA that finds no message sleeps until then or until input arrives, instead of
// returning at once to a loop that would only ask the gate again.
#pragma once

#include <cstdint>

namespace platform {

// The gate stays closed until the high-resolution counter reaches `count`.
void IdleUntilCounter(int64_t count);
// PeekMessageA found no message: once per closed gate, the host waits for input or the counter.
void WaitWhileIdle();

}  // namespace platform
