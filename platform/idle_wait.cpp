// See idle_wait.h.
#include "platform/idle_wait.h"

#include "platform/host.h"

namespace platform {

namespace {

bool g_idle_pending = false;
int64_t g_idle_until = 0;

}  // namespace

void IdleUntilCounter(int64_t count) {
  g_idle_pending = true;
  g_idle_until = count;
}

void WaitWhileIdle() {
  if (!g_idle_pending) return;
  g_idle_pending = false;
  CurrentHost().WaitEventUntil(g_idle_until);
}

}  // namespace platform
