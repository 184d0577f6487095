#include "platform/host.h"

#include <limits.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstring>

namespace platform {

namespace {
Host* g_host = nullptr;
}

Host& CurrentHost() {
  // A program or test always installs its host before the first platform call.
  return *g_host;
}

void SetHost(Host* host) { g_host = host; }

std::string RunningProgramPath(const std::string& argv0) {
  char path[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n > 0) return std::string(path, static_cast<size_t>(n));
  char resolved[PATH_MAX];
  if (realpath(argv0.c_str(), resolved) != nullptr) return resolved;
  return argv0;
}

uint32_t PixelToRgb(const void* p, PixelLayout layout) {
  if (layout == PixelLayout::Xrgb8888) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v & 0xFFFFFF;
  }
  uint16_t v;
  std::memcpy(&v, p, 2);
  uint32_t r, g, b;
  if (layout == PixelLayout::Rgb565) {
    r = (v >> 11) & 31;
    g = (v >> 5) & 63;
    g = (g << 2) | (g >> 4);
  } else {
    r = (v >> 10) & 31;
    g = (v >> 5) & 31;
    g = (g << 3) | (g >> 2);
  }
  b = v & 31;
  r = (r << 3) | (r >> 2);
  b = (b << 3) | (b >> 2);
  return (r << 16) | (g << 8) | b;
}

}  // namespace platform

#include "platform/crt.h"

int64_t TimeNow() { return platform::CurrentHost().WallSeconds(); }
