// Blits from a surface slot onto the back buffer: the colour-keyed sprite blit, its opaque twin and
// the 16-bit additive blend, all cut to one clip rectangle; the clear and the back buffer's context.
#include <cstring>

#include "engine/el_draw_internal.h"

RECT gClipRect = {0, 0, 0, 0};

namespace {

IDirectDrawSurface* SlotSurface(int slot) {
  return IsSlotNumber(slot) ? gDrawObjects[slot].surface : nullptr;
}

// The clip arithmetic of the sprite blits: moves the destination corner and the source rectangle,
// never scales. False when nothing is left to draw. (Plain integers, not a RECT in memory: the
// rectangle's parts are written and read back at once, which a store to memory would stall.)
inline bool ClipSprite(int& x, int& y, int& left, int& top, int& right, int& bottom) {
  if (elDraw::OutsideClip(x, y, right - left, bottom - top)) return false;
  const RECT clip = gClipRect;
  if (x + (right - left) > clip.right) right = clip.right - x + left;
  if (y + (bottom - top) > clip.bottom) bottom = clip.bottom - y + top;
  if (x < clip.left) {
    left += clip.left - x;
    x = clip.left;
  }
  if (y < clip.top) {
    top += clip.top - y;
    y = clip.top;
  }
  return true;
}

// The blit itself, once clipping has left something to draw.
[[gnu::noinline]] void DrawClipped(int x, int y, int slot, int left, int top, int right, int bottom,
                                   DWORD flags) {
  IDirectDrawSurface* source = SlotSurface(slot);
  if (source == nullptr || gBackSurface == nullptr) return;
  RECT rect{left, top, right, bottom};
  const HRESULT hr = gBackSurface->BltFast(static_cast<DWORD>(x), static_cast<DWORD>(y), source,
                                           &rect, flags);
  if (hr == DDERR_SURFACELOST) elDraw::RestoreSurfaces();
}

// Clipping comes first and is all a sprite wholly outside the clip rectangle costs: the scenery
// layers hand over thousands of such tiles every frame.
inline void SpriteBlit(int x, int y, int slot, int left, int top, int right, int bottom,
                       DWORD flags) {
  if (!ClipSprite(x, y, left, top, right, bottom)) return;
  DrawClipped(x, y, slot, left, top, right, bottom, flags);
}

}  // namespace

void elDraw::SetClipRect(int left, int top, int right, int bottom) {
  gClipRect = RECT{left, top, right, bottom};
}

void elDraw::BltObject(int x, int y, int slot, int left, int top, int right, int bottom) {
  SpriteBlit(x, y, slot, left, top, right, bottom, DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT);
}

void elDraw::BltObjectOpaque(int x, int y, int slot, int left, int top, int right, int bottom) {
  SpriteBlit(x, y, slot, left, top, right, bottom, DDBLTFAST_WAIT);
}

int elDraw::BltObjectAdditive(int x, int y, int slot, int left, int top, int right, int bottom) {
  int width = right - left;
  int height = bottom - top;
  if (x + width > gClipRect.right) width = gClipRect.right - x;
  if (y + height > gClipRect.bottom) height = gClipRect.bottom - y;
  if (x < gClipRect.left) {
    left += gClipRect.left - x;
    width -= gClipRect.left - x;
    x = gClipRect.left;
  }
  if (y < gClipRect.top) {
    top += gClipRect.top - y;
    height -= gClipRect.top - y;
    y = gClipRect.top;
  }
  if (width < 0 || height < 0) return 1;

  IDirectDrawSurface* source = SlotSurface(slot);
  if (source == nullptr || gBackSurface == nullptr) return 0;
  // The tables exist at 16 bits per pixel only; and both rectangles must lie on their surfaces.
  if (gBlendTablesBuilt == 0 || source->BytesPerPixel() != 2) return 1;
  if (left < 0 || top < 0 || left + width > source->width || top + height > source->height ||
      x < 0 || y < 0 || x + width > gBackSurface->width || y + height > gBackSurface->height) {
    return 1;
  }

  DDSURFACEDESC src, dst;
  std::memset(&src, 0, sizeof src);
  std::memset(&dst, 0, sizeof dst);
  src.dwSize = sizeof src;
  dst.dwSize = sizeof dst;
  if (source->Lock(nullptr, &src, DDLOCK_WAIT, nullptr) != DD_OK) return 0;
  if (gBackSurface->Lock(nullptr, &dst, DDLOCK_WAIT, nullptr) != DD_OK) {
    source->Unlock(nullptr);
    return 0;
  }
  const size_t srcPitch = static_cast<size_t>(src.lPitch) & ~size_t{1};
  const size_t dstPitch = static_cast<size_t>(dst.lPitch) & ~size_t{1};
  for (int row = 0; row < height; ++row) {
    const auto* in = reinterpret_cast<const uint16_t*>(static_cast<uint8_t*>(src.lpSurface) +
                                                       (top + row) * srcPitch) + left;
    auto* out = reinterpret_cast<uint16_t*>(static_cast<uint8_t*>(dst.lpSurface) +
                                            (y + row) * dstPitch) + x;
    for (int col = 0; col < width; ++col) {
      const uint16_t s = in[col];
      if (s == 0) continue;
      const uint8_t* sp = gSplitTable[s];
      const uint8_t* dp = gSplitTable[out[col]];
      out[col] = static_cast<uint16_t>(gAddRed[sp[0]][dp[0]] | gAddGreen[sp[1]][dp[1]] |
                                       gAddBlue[sp[2]][dp[2]]);
    }
  }
  source->Unlock(nullptr);
  gBackSurface->Unlock(nullptr);
  return 1;
}

void elDraw::ClearBack() {
  if (gBackSurface == nullptr) return;
  DDBLTFX fx;
  std::memset(&fx, 0, sizeof fx);
  fx.dwSize = sizeof fx;
  fx.dwFillColor = 0;
  RECT r{0, 0, gScreenWidth, gScreenHeight};
  gBackSurface->Blt(&r, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
}

HDC elDraw::GetBackDC() {
  if (gBackSurface == nullptr || gBackSurface->GetDC(&gBackDC) != DD_OK) gBackDC = nullptr;
  return gBackDC;
}

void elDraw::ReleaseBackDC() {
  if (gBackSurface != nullptr && gBackDC != nullptr) gBackSurface->ReleaseDC(gBackDC);
  gBackDC = nullptr;
}
