// The few C library services whose answers come from the host rather than from the machine, so that
// a headless run on its controllable clock gives the same frames every time.
#pragma once

#include <cstdint>

// Seconds since 1970 by the host's clock: what time() gives the game for its random seeds.
int64_t TimeNow();
