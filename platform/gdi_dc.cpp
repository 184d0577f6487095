// Device contexts: memory contexts with a selected bitmap, the contexts of surfaces and of the
// window, object selection, pixel reads and writes, copies between contexts, text colours.
#include <algorithm>
#include <cstring>

#include "platform/ddraw.h"
#include "platform/gdi_internal.h"

namespace platform::gdi {

namespace {

constexpr int kMaxDCs = 32;
HDC__ g_dcs[kMaxDCs];

// What a new memory context holds before a bitmap is selected into it: one black pixel.
Bitmap& StockBitmap() {
  static Bitmap bitmap = [] {
    Bitmap b;
    b.kind = HGDIOBJ__::Bitmap;
    b.stock = true;
    b.width = 1;
    b.height = 1;
    b.fileBitsPerPixel = 1;
    b.pixels.assign(1, 0);
    return b;
  }();
  return bitmap;
}

bool IsBitmap(const HGDIOBJ__* object) {
  return object == &StockBitmap() || IsLiveBitmap(object);
}

HDC NewDC(HDC__::Kind kind) {
  for (HDC__& dc : g_dcs) {
    if (dc.kind == HDC__::Free) {
      dc = HDC__{};
      dc.kind = kind;
      dc.font = DefaultFont();
      dc.font->selected++;
      return &dc;
    }
  }
  return nullptr;
}

void FreeDC(HDC dc) {
  if (dc->bitmap != nullptr) dc->bitmap->selected--;
  if (dc->font != nullptr) dc->font->selected--;
  *dc = HDC__{};
}

int DesktopBits() { return BitsPerPixel(CurrentHost().DesktopLayout()); }

}  // namespace

bool IsLiveDC(HDC dc) {
  return dc != nullptr && dc >= g_dcs && dc < g_dcs + kMaxDCs && dc->kind != HDC__::Free;
}

bool TargetOf(HDC dc, Target& t) {
  if (!IsLiveDC(dc)) return false;
  if (dc->kind == HDC__::Surface) {
    const IDirectDrawSurface* s = dc->surface;
    if (s == nullptr || s->lost || s->pixels == nullptr) return false;
    t.pixels = s->pixels;
    t.pitch = s->pitch;
    t.width = s->width;
    t.height = s->height;
    t.layout = s->layout;
    return true;
  }
  if (dc->kind == HDC__::Memory && dc->bitmap != nullptr) {
    Bitmap* b = dc->bitmap;
    t.pixels = reinterpret_cast<uint8_t*>(b->pixels.data());
    t.pitch = b->width * 4;
    t.width = b->width;
    t.height = b->height;
    t.layout = PixelLayout::Xrgb8888;
    return true;
  }
  return false;
}

uint32_t ReadPixel(const Target& t, int x, int y) {
  const uint8_t* p = t.pixels + static_cast<size_t>(y) * t.pitch;
  if (t.layout == PixelLayout::Xrgb8888) {
    uint32_t v;
    std::memcpy(&v, p + static_cast<size_t>(x) * 4, 4);
    return v;
  }
  uint16_t v;
  std::memcpy(&v, p + static_cast<size_t>(x) * 2, 2);
  return v;
}

void WritePixel(const Target& t, int x, int y, uint32_t native) {
  uint8_t* p = t.pixels + static_cast<size_t>(y) * t.pitch;
  if (t.layout == PixelLayout::Xrgb8888) {
    std::memcpy(p + static_cast<size_t>(x) * 4, &native, 4);
  } else {
    const uint16_t v = static_cast<uint16_t>(native);
    std::memcpy(p + static_cast<size_t>(x) * 2, &v, 2);
  }
}

}  // namespace platform::gdi

using platform::gdi::IsLiveDC;
using platform::gdi::Target;

namespace platform {

HDC CreateSurfaceDC(IDirectDrawSurface* surface) {
  HDC dc = gdi::NewDC(HDC__::Surface);
  if (dc != nullptr) dc->surface = surface;
  return dc;
}

bool DeleteSurfaceDC(HDC dc, IDirectDrawSurface* surface) {
  if (!IsLiveDC(dc) || dc->kind != HDC__::Surface || dc->surface != surface) return false;
  gdi::FreeDC(dc);
  return true;
}

void ForgetSurfaceDCs(IDirectDrawSurface* surface) {
  for (HDC__& dc : gdi::g_dcs) {
    if (dc.kind == HDC__::Surface && dc.surface == surface) gdi::FreeDC(&dc);
  }
}

}  // namespace platform

HDC CreateCompatibleDC(HDC /*dc*/) {
  HDC dc = platform::gdi::NewDC(HDC__::Memory);
  if (dc != nullptr) {
    dc->bitmap = &platform::gdi::StockBitmap();
    dc->bitmap->selected++;
  }
  return dc;
}

BOOL DeleteDC(HDC dc) {
  if (!IsLiveDC(dc) || dc->kind != HDC__::Memory) return FALSE;
  platform::gdi::FreeDC(dc);
  return TRUE;
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
  if (!IsLiveDC(dc) || object == nullptr) return nullptr;
  if (platform::gdi::IsFont(object)) {
    HGDIOBJ previous = dc->font;
    dc->font->selected--;
    dc->font = static_cast<platform::gdi::Font*>(object);
    dc->font->selected++;
    return previous;
  }
  if (platform::gdi::IsBitmap(object)) {
    // Only a memory context holds a bitmap, and a bitmap sits in one context at a time.
    if (dc->kind != HDC__::Memory) return nullptr;
    auto* bitmap = static_cast<platform::gdi::Bitmap*>(object);
    if (bitmap == dc->bitmap) return object;
    if (!bitmap->stock && bitmap->selected > 0) return nullptr;
    HGDIOBJ previous = dc->bitmap;
    dc->bitmap->selected--;
    dc->bitmap = bitmap;
    bitmap->selected++;
    return previous;
  }
  return nullptr;
}

BOOL DeleteObject(HGDIOBJ object) {
  if (platform::gdi::IsLiveBitmap(object)) {
    if (object->selected > 0) return FALSE;
    platform::gdi::DestroyBitmap(static_cast<platform::gdi::Bitmap*>(object));
    return TRUE;
  }
  if (platform::gdi::IsFont(object)) {
    if (object->stock || object->selected > 0) return FALSE;
    static_cast<platform::gdi::Font*>(object)->used = false;
    return TRUE;
  }
  return FALSE;
}

namespace {

// `n` pixels from (sx, sy) of `src` to (dx, dy) of `dst`, in the destination's layout (as
// ColorFromNative then NativeFromColor give it).
void CopyRow(const Target& dst, int dx, int dy, const Target& src, int sx, int sy, int n) {
  const int dbytes = platform::BitsPerPixel(dst.layout) / 8;
  const int sbytes = platform::BitsPerPixel(src.layout) / 8;
  uint8_t* d = dst.pixels + static_cast<size_t>(dy) * dst.pitch + static_cast<size_t>(dx) * dbytes;
  const uint8_t* s = src.pixels + static_cast<size_t>(sy) * src.pitch +
                     static_cast<size_t>(sx) * sbytes;
  if (dst.layout == src.layout) {
    std::memcpy(d, s, static_cast<size_t>(n) * dbytes);
  } else if (src.layout == platform::PixelLayout::Xrgb8888) {
    // A bitmap onto a 16-bit surface: five bits of red and blue, six or five of green.
    const bool green6 = dst.layout == platform::PixelLayout::Rgb565;
    for (int i = 0; i < n; ++i, s += 4, d += 2) {
      uint32_t v;
      std::memcpy(&v, s, 4);
      const uint32_t r = (v >> 19) & 31, b = (v >> 3) & 31;
      const uint16_t p = static_cast<uint16_t>(green6 ? (r << 11) | (((v >> 10) & 63) << 5) | b
                                                      : (r << 10) | (((v >> 11) & 31) << 5) | b);
      std::memcpy(d, &p, 2);
    }
  } else {
    for (int i = 0; i < n; ++i) {
      const uint32_t v = platform::gdi::ReadPixel(src, sx + i, sy);
      const uint32_t c = platform::ColorFromNative(src.layout, v);
      platform::gdi::WritePixel(dst, dx + i, dy, platform::NativeFromColor(dst.layout, c));
    }
  }
}

}  // namespace

BOOL StretchBlt(HDC dest, int xDest, int yDest, int wDest, int hDest, HDC source, int xSrc,
                int ySrc, int wSrc, int hSrc, DWORD rop) {
  Target dst, src;
  if (rop != SRCCOPY || !platform::gdi::TargetOf(dest, dst) ||
      !platform::gdi::TargetOf(source, src)) {
    return FALSE;
  }
  if (wDest <= 0 || hDest <= 0 || wSrc <= 0 || hSrc <= 0) return FALSE;
  const bool sameLayout = dst.layout == src.layout;
  if (wDest == wSrc && hDest == hSrc && dst.pixels != src.pixels) {
    // Pixel for pixel (each picture the loader puts on its surface): the part of each row that
    // falls inside both pictures is copied, or converted, in one go.
    const int i0 = std::max({0, -xDest, -xSrc});
    const int i1 = std::min({wDest, dst.width - xDest, src.width - xSrc});
    for (int j = 0; j < hDest && i1 > i0; ++j) {
      const int dy = yDest + j, sy = ySrc + j;
      if (dy < 0 || dy >= dst.height || sy < 0 || sy >= src.height) continue;
      CopyRow(dst, xDest + i0, dy, src, xSrc + i0, sy, i1 - i0);
    }
    return TRUE;
  }
  for (int j = 0; j < hDest; ++j) {
    const int dy = yDest + j;
    const int sy = ySrc + static_cast<int>(static_cast<int64_t>(j) * hSrc / hDest);
    if (dy < 0 || dy >= dst.height || sy < 0 || sy >= src.height) continue;
    for (int i = 0; i < wDest; ++i) {
      const int dx = xDest + i;
      const int sx = xSrc + static_cast<int>(static_cast<int64_t>(i) * wSrc / wDest);
      if (dx < 0 || dx >= dst.width || sx < 0 || sx >= src.width) continue;
      uint32_t v = platform::gdi::ReadPixel(src, sx, sy);
      if (!sameLayout) {
        v = platform::NativeFromColor(dst.layout, platform::ColorFromNative(src.layout, v));
      }
      platform::gdi::WritePixel(dst, dx, dy, v);
    }
  }
  return TRUE;
}

COLORREF GetPixel(HDC dc, int x, int y) {
  Target t;
  if (!platform::gdi::TargetOf(dc, t) || x < 0 || y < 0 || x >= t.width || y >= t.height) {
    return CLR_INVALID;
  }
  return platform::ColorFromNative(t.layout, platform::gdi::ReadPixel(t, x, y));
}

COLORREF SetPixel(HDC dc, int x, int y, COLORREF color) {
  Target t;
  if (!platform::gdi::TargetOf(dc, t) || x < 0 || y < 0 || x >= t.width || y >= t.height) {
    return CLR_INVALID;
  }
  const uint32_t native = platform::NativeFromColor(t.layout, color & 0xFFFFFF);
  platform::gdi::WritePixel(t, x, y, native);
  return platform::ColorFromNative(t.layout, native);
}

HDC GetDC(HWND /*window*/) { return platform::gdi::NewDC(HDC__::Window); }

int ReleaseDC(HWND /*window*/, HDC dc) {
  if (!IsLiveDC(dc) || dc->kind != HDC__::Window) return 0;
  platform::gdi::FreeDC(dc);
  return 1;
}

int GetDeviceCaps(HDC dc, int index) {
  if (!IsLiveDC(dc)) return 0;
  Target t;
  const bool hasTarget = dc->kind == HDC__::Surface && platform::gdi::TargetOf(dc, t);
  switch (index) {
    case BITSPIXEL:
      return hasTarget ? platform::BitsPerPixel(t.layout) : platform::gdi::DesktopBits();
    case PLANES: return 1;
    case HORZRES: return hasTarget ? t.width : platform::CurrentHost().DesktopWidth();
    case VERTRES: return hasTarget ? t.height : platform::CurrentHost().DesktopHeight();
    default: return 0;
  }
}

COLORREF SetTextColor(HDC dc, COLORREF color) {
  if (!IsLiveDC(dc)) return CLR_INVALID;
  const COLORREF previous = dc->textColor;
  dc->textColor = color;
  return previous;
}

COLORREF SetBkColor(HDC dc, COLORREF color) {
  if (!IsLiveDC(dc)) return CLR_INVALID;
  const COLORREF previous = dc->backColor;
  dc->backColor = color;
  return previous;
}

int SetBkMode(HDC dc, int mode) {
  if (!IsLiveDC(dc) || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
  const int previous = dc->backMode;
  dc->backMode = mode;
  return previous;
}

DWORD CharUpperBuffA(LPSTR text, DWORD length) {
  if (text == nullptr) return 0;
  for (DWORD i = 0; i < length; ++i) {
    if (text[i] >= 'a' && text[i] <= 'z') text[i] = static_cast<char>(text[i] - 'a' + 'A');
  }
  return length;
}
