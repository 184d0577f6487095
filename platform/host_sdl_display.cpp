// SdlHost's display: the full-screen mode change, the wait for the display's next refresh, and the
// presentation of finished frames through a streamed texture.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>

#include "platform/host_sdl.h"

namespace platform {

namespace {

constexpr int kDefaultRefreshHz = 60;

uint64_t NowNs() {
  return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(
                                   std::chrono::steady_clock::now().time_since_epoch())
                                   .count());
}

Uint32 TextureFormatOf(PixelLayout layout) {
  switch (layout) {
    case PixelLayout::Rgb565: return SDL_PIXELFORMAT_RGB565;
    case PixelLayout::Rgb555: return SDL_PIXELFORMAT_RGB555;
    case PixelLayout::Xrgb8888: return SDL_PIXELFORMAT_RGB888;
  }
  return SDL_PIXELFORMAT_RGB565;
}

}  // namespace

bool SdlHost::SetDisplayMode(int width, int height, int /*bpp*/) {
  if (window_ == nullptr || width <= 0 || height <= 0) return false;
  const int display = std::max(0, SDL_GetWindowDisplayIndex(window_));
  // The exact mode where the display offers it; otherwise the desktop's own mode, and the picture
  // is scaled to it when presented.
  SDL_DisplayMode wanted{};
  wanted.w = width;
  wanted.h = height;
  SDL_DisplayMode closest{};
  bool exact = false;
  if (SDL_GetClosestDisplayMode(display, &wanted, &closest) != nullptr && closest.w == width &&
      closest.h == height) {
    exact = SDL_SetWindowDisplayMode(window_, &closest) == 0 &&
            SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN) == 0;
  }
  if (!exact && SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) return false;
  mode_set_ = true;
  mode_w_ = width;
  mode_h_ = height;
  return true;
}

void SdlHost::RestoreDisplayMode() {
  if (!mode_set_) return;
  if (window_ != nullptr) {
    SDL_SetWindowFullscreen(window_, fullscreen_ ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
  }
  mode_set_ = false;
}

void SdlHost::WaitVerticalBlank() {
  int refresh = kDefaultRefreshHz;
  if (window_ != nullptr) {
    SDL_DisplayMode mode;
    const int display = SDL_GetWindowDisplayIndex(window_);
    if (display >= 0 && SDL_GetCurrentDisplayMode(display, &mode) == 0 && mode.refresh_rate > 0) {
      refresh = mode.refresh_rate;
    }
  }
  // The next tick of the display's refresh grid, slept to precisely: the bulk asleep, the last
  // stretch yielding.
  const uint64_t period = 1000000000ull / static_cast<uint64_t>(refresh);
  const uint64_t now = NowNs();
  uint64_t next = (now / period + 1) * period;
  if (next <= next_vblank_ns_) next = next_vblank_ns_ + period;
  next_vblank_ns_ = next;
  constexpr uint64_t kSpinNs = 1500000;
  for (uint64_t t = NowNs(); t < next; t = NowNs()) {
    if (next - t > kSpinNs) {
      std::this_thread::sleep_for(std::chrono::nanoseconds(next - t - kSpinNs));
    } else {
      std::this_thread::yield();
    }
  }
}

void SdlHost::Present(const FrameView& frame) {
  if (window_ == nullptr || frame.pixels == nullptr || frame.width <= 0 || frame.height <= 0) {
    return;
  }
  if (renderer_ == nullptr) {
    // No vertical-blank wait in the renderer: the game waits for it itself.
    renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED);
    if (renderer_ == nullptr) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    if (renderer_ == nullptr) return;
  }
  if (texture_ == nullptr || texture_w_ != frame.width || texture_h_ != frame.height ||
      texture_layout_ != frame.layout) {
    if (texture_ != nullptr) SDL_DestroyTexture(texture_);
    texture_ = SDL_CreateTexture(renderer_, TextureFormatOf(frame.layout),
                                 SDL_TEXTUREACCESS_STREAMING, frame.width, frame.height);
    if (texture_ == nullptr) return;
    texture_w_ = frame.width;
    texture_h_ = frame.height;
    texture_layout_ = frame.layout;
  }
  SDL_UpdateTexture(texture_, nullptr, frame.pixels, frame.pitch);

  int outW = 0, outH = 0;
  SDL_GetRendererOutputSize(renderer_, &outW, &outH);
  SDL_Rect dst{0, 0, frame.width, frame.height};
  if (fullscreen_ || mode_set_) {
    // The whole screen: 1:1 in the exact mode, else scaled with its aspect kept and black bars.
    if (outW > 0 && outH > 0 && (outW != frame.width || outH != frame.height)) {
      const double scale = std::min(static_cast<double>(outW) / frame.width,
                                    static_cast<double>(outH) / frame.height);
      dst.w = static_cast<int>(std::lround(frame.width * scale));
      dst.h = static_cast<int>(std::lround(frame.height * scale));
      dst.x = (outW - dst.w) / 2;
      dst.y = (outH - dst.h) / 2;
    }
  } else {
    // The client area pixel for pixel (on a high-density output, one picture pixel per point).
    int winW = 0, winH = 0;
    SDL_GetWindowSize(window_, &winW, &winH);
    if (winW > 0 && outW > winW) {
      dst.w = frame.width * outW / winW;
      dst.h = frame.height * outW / winW;
    }
  }
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
  SDL_RenderCopy(renderer_, texture_, nullptr, &dst);
  SDL_RenderPresent(renderer_);
}

void SdlHost::ReleaseDisplay() {
  if (texture_ != nullptr) SDL_DestroyTexture(texture_);
  if (renderer_ != nullptr) SDL_DestroyRenderer(renderer_);
  texture_ = nullptr;
  renderer_ = nullptr;
  texture_w_ = texture_h_ = 0;
  mode_set_ = false;
}

}  // namespace platform
