#include "platform/host.h"

namespace platform {

namespace {
Host* g_host = nullptr;
}

Host& CurrentHost() {
  // A program or test always installs its host before the first platform call.
  return *g_host;
}

void SetHost(Host* host) { g_host = host; }

int BitsPerPixel(PixelLayout layout) {
  switch (layout) {
    case PixelLayout::Rgb565: return 16;
    case PixelLayout::Rgb555: return 16;
    case PixelLayout::Xrgb8888: return 32;
  }
  return 16;
}

int BytesPerPixel(PixelLayout layout) { return BitsPerPixel(layout) / 8; }

}  // namespace platform

#include "platform/crt.h"

int64_t TimeNow() { return platform::CurrentHost().WallSeconds(); }
