// SdlHost's display: the full-screen mode change, the wait for the display's next refresh, and the
// presentation of finished frames through a streamed texture.
#include <dirent.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>

#include "platform/host_sdl.h"

namespace platform {

namespace {

constexpr int kDefaultRefreshHz = 60;

// The monotonic clock the deadlines are slept to.
uint64_t NowNs() {
  timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<uint64_t>(ts.tv_sec) * 1000000000ull + static_cast<uint64_t>(ts.tv_nsec);
}

Uint32 TextureFormatOf(PixelLayout layout) {
  switch (layout) {
    case PixelLayout::Rgb565: return SDL_PIXELFORMAT_RGB565;
    case PixelLayout::Rgb555: return SDL_PIXELFORMAT_RGB555;
    case PixelLayout::Xrgb8888: return SDL_PIXELFORMAT_RGB888;
  }
  return SDL_PIXELFORMAT_RGB565;
}

// True when the machine has a graphics device: a direct rendering node (every open-source driver,
// and the proprietary ones beside their own nodes) or the NVIDIA control device.
bool HasGraphicsDevice() {
  if (access("/dev/nvidiactl", F_OK) == 0) return true;
  DIR* dir = opendir("/dev/dri");
  if (dir == nullptr) return false;
  bool found = false;
  while (const dirent* entry = readdir(dir)) {
    if (std::strncmp(entry->d_name, "card", 4) == 0 ||
        std::strncmp(entry->d_name, "renderD", 7) == 0) {
      found = true;
      break;
    }
  }
  closedir(dir);
  return found;
}

// True when the renderer's OpenGL runs on the processor (Mesa's llvmpipe or softpipe, the classic
// software rasterizer): where there is no graphics hardware, SDL's accelerated renderer is that.
bool DrawsGlInSoftware(SDL_Renderer* renderer) {
  SDL_RendererInfo info;
  if (SDL_GetRendererInfo(renderer, &info) != 0 || (info.flags & SDL_RENDERER_SOFTWARE) != 0 ||
      info.name == nullptr || std::strncmp(info.name, "opengl", 6) != 0) {
    return false;
  }
  // The renderer's context is current once it exists.
  using GetStringFn = const unsigned char* (*)(unsigned);
  auto get_string = reinterpret_cast<GetStringFn>(SDL_GL_GetProcAddress("glGetString"));
  if (get_string == nullptr) return false;
  constexpr unsigned kGlRenderer = 0x1F01;
  const auto* name = reinterpret_cast<const char*>(get_string(kGlRenderer));
  if (name == nullptr) return false;
  for (const char* soft : {"llvmpipe", "softpipe", "Software Rasterizer", "swrast"}) {
    if (std::strstr(name, soft) != nullptr) return true;
  }
  return false;
}

// The accelerated renderer where graphics hardware draws it, else nullptr: where OpenGL would only
// emulate the hardware on the processor at many times the cost, the picture goes into the
// window's own surface instead. No vertical-blank wait in either: the game waits itself.
SDL_Renderer* CreateAcceleratedRenderer(SDL_Window* window) {
  // Without a graphics device node the accelerated renderer can only be a software one: it is not
  // even tried, so the OpenGL emulation (tens of megabytes and a pool of threads) never loads.
  if (HasGraphicsDevice()) {
    SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED);
    if (renderer != nullptr && !DrawsGlInSoftware(renderer)) return renderer;
    if (renderer != nullptr) SDL_DestroyRenderer(renderer);
  }
  // The window's surface straight from the windowing system, not through an OpenGL texture.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  return nullptr;
}

// SDL's event watch: the windowing system asks for (part of) the window to be drawn again.
int MarkExposed(void* exposed, SDL_Event* e) {
  if (e->type == SDL_WINDOWEVENT && e->window.event == SDL_WINDOWEVENT_EXPOSED) {
    *static_cast<bool*>(exposed) = true;
  }
  return 0;
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
  // SDL's window surface has no vertical sync to align with: the wait paces the frames at the
  // display's rate (where no frame gate paces them already), slept to in one absolute sleep, with
  // no spinning.
  const uint64_t period = 1000000000ull / static_cast<uint64_t>(refresh);
  const uint64_t now = NowNs();
  const uint64_t next = NextRefreshNs(now, last_refresh_ns_, period, GatePacesLoop());
  last_refresh_ns_ = next;
  if (next == now) return;  // gate-paced, or a frame that took longer than a period: at once
  const timespec deadline{static_cast<time_t>(next / 1000000000ull),
                          static_cast<long>(next % 1000000000ull)};
  while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &deadline, nullptr) == EINTR) {
  }
}

// Where the picture lies in an output of out_w x out_h pixels: the whole screen in full screen
// (1:1 in the exact mode, else scaled with its aspect kept between black bars); in a window the
// client area pixel for pixel (on a high-density output, one picture pixel per point).
SDL_Rect SdlHost::PresentRect(const FrameView& frame, int out_w, int out_h) const {
  SDL_Rect dst{0, 0, frame.width, frame.height};
  if (fullscreen_ || mode_set_) {
    if (out_w > 0 && out_h > 0 && (out_w != frame.width || out_h != frame.height)) {
      const double scale = std::min(static_cast<double>(out_w) / frame.width,
                                    static_cast<double>(out_h) / frame.height);
      dst.w = static_cast<int>(std::lround(frame.width * scale));
      dst.h = static_cast<int>(std::lround(frame.height * scale));
      dst.x = (out_w - dst.w) / 2;
      dst.y = (out_h - dst.h) / 2;
    }
  } else {
    int winW = 0, winH = 0;
    SDL_GetWindowSize(window_, &winW, &winH);
    if (winW > 0 && out_w > winW) {
      dst.w = frame.width * out_w / winW;
      dst.h = frame.height * out_w / winW;
    }
  }
  return dst;
}

// Our scaler straight into the window's surface: no texture, no intermediate copy, no conversion
// pass; only the band of rows the frame changed goes to the display, nothing when it changed none.
// False when the surface is not 32-bit 0x00RRGGBB (the renderer then takes over).
bool SdlHost::PresentToWindowSurface(const FrameView& frame) {
  SDL_Surface* surface = SDL_GetWindowSurface(window_);
  if (surface == nullptr || surface->format->format != SDL_PIXELFORMAT_RGB888) return false;
  // (A window smaller than its picture would show the picture squeezed into it.)
  const SDL_Rect wanted = PresentRect(frame, surface->w, surface->h);
  const SDL_Rect whole{0, 0, surface->w, surface->h};
  SDL_Rect dst;
  if (!SDL_IntersectRect(&wanted, &whole, &dst)) return true;
  // A new or resized window surface: its bars black once; the picture covers the rest each frame.
  const PictureScaler::Shape shape{frame.width, frame.height, frame.layout, dst.x, dst.y, dst.w, dst.h};
  bool show_whole = exposed_;
  if (surface != scaled_into_ || surface->w != scaled_into_w_ || surface->h != scaled_into_h_ ||
      !scaler_.PreparedFor(shape)) {
    SDL_FillRect(surface, nullptr, 0);
    scaler_.Prepare(shape);
    scaled_into_ = surface;
    scaled_into_w_ = surface->w;
    scaled_into_h_ = surface->h;
    show_whole = true;
  }
  if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return true;
  const PictureScaler::Rows rows = scaler_.Draw(frame, static_cast<uint8_t*>(surface->pixels), surface->pitch);
  if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
  if (show_whole) {
    exposed_ = false;
    SDL_UpdateWindowSurface(window_);
  } else if (!rows.empty()) {
    const SDL_Rect changed{dst.x, rows.first, dst.w, rows.last - rows.first};
    SDL_UpdateWindowSurfaceRects(window_, &changed, 1);
  }
  return true;
}

void SdlHost::Present(const FrameView& frame) {
  if (window_ == nullptr || frame.pixels == nullptr || frame.width <= 0 || frame.height <= 0) {
    return;
  }
  if (presenter_ == Presenter::Undecided) {
    renderer_ = CreateAcceleratedRenderer(window_);
    presenter_ = renderer_ != nullptr ? Presenter::Renderer : Presenter::WindowSurface;
    if (presenter_ == Presenter::WindowSurface && !watching_exposure_) {
      SDL_AddEventWatch(MarkExposed, &exposed_);
      watching_exposure_ = true;
    }
  }
  if (presenter_ == Presenter::WindowSurface) {
    if (PresentToWindowSurface(frame)) return;
    // A window surface of another format: SDL's software renderer converts into it.
    presenter_ = Presenter::Renderer;
    renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
  }
  if (renderer_ == nullptr) return;
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
  const SDL_Rect dst = PresentRect(frame, outW, outH);
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
  presenter_ = Presenter::Undecided;
  scaled_into_ = nullptr;
  if (watching_exposure_) SDL_DelEventWatch(MarkExposed, &exposed_);
  watching_exposure_ = false;
  exposed_ = false;
  texture_w_ = texture_h_ = 0;
  mode_set_ = false;
}

}  // namespace platform
