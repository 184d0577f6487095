// SdlHost in full screen: where the picture lies on the screen, and the pointer's coordinates and
// confinement mapped into it; and the window's icon. In the exact display mode the picture covers the window one to one;
// on the desktop's own mode it is scaled with its aspect kept, between black bars (presentation
// draws it there), and the game must still see the pointer in picture pixels.
#include <algorithm>
#include <cmath>
#include <string>

#include "platform/host_sdl.h"

namespace platform {

bool SdlHost::PictureScaled() const {
  return window_ != nullptr && (fullscreen_ || mode_set_) && mode_w_ > 0 && mode_h_ > 0;
}

SDL_Rect SdlHost::PictureRect() const {
  SDL_Rect r{0, 0, mode_w_, mode_h_};
  if (!PictureScaled()) return r;
  int winW = 0, winH = 0;
  SDL_GetWindowSize(window_, &winW, &winH);
  if (winW <= 0 || winH <= 0 || (winW == mode_w_ && winH == mode_h_)) return r;
  const double scale = std::min(static_cast<double>(winW) / mode_w_, static_cast<double>(winH) / mode_h_);
  r.w = static_cast<int>(std::lround(mode_w_ * scale));
  r.h = static_cast<int>(std::lround(mode_h_ * scale));
  r.x = (winW - r.w) / 2;
  r.y = (winH - r.h) / 2;
  return r;
}

void SdlHost::WindowToPicture(int& x, int& y) const {
  if (!PictureScaled()) return;
  const SDL_Rect r = PictureRect();
  if (r.w <= 0 || r.h <= 0) return;
  // A point on a bar counts as the picture's nearest edge.
  x = std::clamp(static_cast<int>(std::floor(static_cast<double>(x - r.x) * mode_w_ / r.w)), 0, mode_w_ - 1);
  y = std::clamp(static_cast<int>(std::floor(static_cast<double>(y - r.y) * mode_h_ / r.h)), 0, mode_h_ - 1);
}

int SdlHost::PictureToWindowX(int x) const {
  const SDL_Rect r = PictureRect();
  return mode_w_ > 0 ? r.x + static_cast<int>(std::lround(static_cast<double>(x) * r.w / mode_w_)) : x;
}

int SdlHost::PictureToWindowY(int y) const {
  const SDL_Rect r = PictureRect();
  return mode_h_ > 0 ? r.y + static_cast<int>(std::lround(static_cast<double>(y) * r.h / mode_h_)) : y;
}

// The window class's icon, a whole .BMP file.
void SdlHost::SetWindowIcon(const std::vector<uint8_t>& bmp) {
  if (window_ == nullptr || bmp.empty()) return;
  SDL_Surface* icon = SDL_LoadBMP_RW(SDL_RWFromConstMem(bmp.data(), static_cast<int>(bmp.size())), 1);
  if (icon == nullptr) return;
  SDL_SetWindowIcon(window_, icon);
  SDL_FreeSurface(icon);
}

}  // namespace platform
