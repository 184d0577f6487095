// Surfaces: blits (row copies, colour-keyed row copies, colour fills), locks, descriptions, colour
// keys, loss and restoration, device contexts and the clipper of the primary surface.
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "platform/ddraw_internal.h"
#include "platform/gdi.h"
#include "platform/host.h"

namespace {

using platform::PixelLayout;
using platform::ddraw::Display;
using platform::ddraw::DropKeyTables;
using platform::ddraw::PrimaryView;

uint8_t* PixelAt(const IDirectDrawSurface* s, int x, int y) {
  return s->pixels + static_cast<size_t>(y) * s->pitch + static_cast<size_t>(x) * s->BytesPerPixel();
}

// A rectangle that is empty, inverted or reaches outside the surface is refused.
bool InsideSurface(const RECT& r, const IDirectDrawSurface* s) {
  return r.left >= 0 && r.top >= 0 && r.left < r.right && r.top < r.bottom &&
         r.right <= s->width && r.bottom <= s->height;
}

RECT WholeOf(const IDirectDrawSurface* s) { return RECT{0, 0, s->width, s->height}; }

void CopyRows(IDirectDrawSurface* dst, int dx, int dy, const IDirectDrawSurface* src,
              const RECT& r) {
  const size_t rowBytes = static_cast<size_t>(r.right - r.left) * src->BytesPerPixel();
  const int rows = r.bottom - r.top;
  // The same surface may be both ends; walk the rows so that none is overwritten before it is read.
  if (dst == src && dy > r.top) {
    for (int i = rows - 1; i >= 0; --i) {
      std::memmove(PixelAt(dst, dx, dy + i), PixelAt(src, r.left, r.top + i), rowBytes);
    }
  } else {
    for (int i = 0; i < rows; ++i) {
      std::memmove(PixelAt(dst, dx, dy + i), PixelAt(src, r.left, r.top + i), rowBytes);
    }
  }
}

// One row of a colour-keyed copy: pixels equal to the key leave the destination as it was.
template <typename T>
void KeyedRow(T* out, const T* in, int w, T key) {
  int i = 0;
#if defined(__SSE2__)
  // Sixteen bytes at a time: compare with the key, blend the old pixels back in where equal.
  constexpr int kLanes = 16 / sizeof(T);
  const __m128i keys = sizeof(T) == 2 ? _mm_set1_epi16(static_cast<short>(key))
                                      : _mm_set1_epi32(static_cast<int>(key));
  for (; i + kLanes <= w; i += kLanes) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
    const __m128i old = _mm_loadu_si128(reinterpret_cast<const __m128i*>(out + i));
    const __m128i keyed = sizeof(T) == 2 ? _mm_cmpeq_epi16(v, keys) : _mm_cmpeq_epi32(v, keys);
    const __m128i blended = _mm_or_si128(_mm_and_si128(keyed, old), _mm_andnot_si128(keyed, v));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), blended);
  }
#endif
  for (; i < w; ++i) {
    if (in[i] != key) out[i] = in[i];
  }
}

template <typename T>
void KeyedRowsOf(IDirectDrawSurface* dst, int dx, int dy, const IDirectDrawSurface* src,
                 const RECT& r, T key) {
  const int w = r.right - r.left;
  for (int row = r.top; row < r.bottom; ++row, ++dy) {
    KeyedRow(reinterpret_cast<T*>(PixelAt(dst, dx, dy)),
             reinterpret_cast<const T*>(PixelAt(src, r.left, row)), w, key);
  }
}

// Cuts a keyed copy of `r` to (dx, dy) to the source's opaque box: every pixel outside it is the
// key and leaves the destination as it was. False when nothing of the box is left.
bool CutToOpaqueBox(const RECT& box, RECT& r, int& dx, int& dy) {
  if (box.left > r.left) {
    dx += box.left - r.left;
    r.left = box.left;
  }
  if (box.top > r.top) {
    dy += box.top - r.top;
    r.top = box.top;
  }
  if (box.right < r.right) r.right = box.right;
  if (box.bottom < r.bottom) r.bottom = box.bottom;
  return r.left < r.right && r.top < r.bottom;
}

void KeyedRows(IDirectDrawSurface* dst, int dx, int dy, const IDirectDrawSurface* src,
               RECT r) {
  if (src->opaqueBoxValid && !CutToOpaqueBox(src->opaqueBox, r, dx, dy)) return;
  if (platform::ddraw::CopyKeyedMasked(dst, dx, dy, src, r)) return;
  if (platform::ddraw::CopyKeyRuns(dst, dx, dy, src, r)) return;
  const DWORD key = src->sourceKey.dwColorSpaceLowValue;
  if (src->BytesPerPixel() == 4) {
    KeyedRowsOf<uint32_t>(dst, dx, dy, src, r, key);
  } else {
    KeyedRowsOf<uint16_t>(dst, dx, dy, src, r, static_cast<uint16_t>(key));
  }
}

// A value whose bytes are all alike (black, most often) set byte-wise, a rectangle as wide as the
// surface in one stretch (row padding included, which holds no pixel); any other value pixel by
// pixel in the first row, the others copied from it.
template <typename T>
void FillRowsOf(IDirectDrawSurface* dst, const RECT& r, T value) {
  const int w = r.right - r.left;
  const uint8_t low = static_cast<uint8_t>(value);
  T same;
  std::memset(&same, low, sizeof same);
  if (value == same) {
    const size_t rowBytes = sizeof(T) * w;
    if (r.left == 0 && r.right == dst->width) {
      std::memset(PixelAt(dst, 0, r.top), low,
                  static_cast<size_t>(dst->pitch) * (r.bottom - r.top - 1) + rowBytes);
    } else {
      for (int row = r.top; row < r.bottom; ++row) {
        std::memset(PixelAt(dst, r.left, row), low, rowBytes);
      }
    }
    return;
  }
  T* first = reinterpret_cast<T*>(PixelAt(dst, r.left, r.top));
  for (int i = 0; i < w; ++i) first[i] = value;
  for (int row = r.top + 1; row < r.bottom; ++row) {
    std::memcpy(PixelAt(dst, r.left, row), first, sizeof(T) * w);
  }
}

void FillRows(IDirectDrawSurface* dst, const RECT& r, DWORD value) {
  if (dst->BytesPerPixel() == 4) {
    FillRowsOf<uint32_t>(dst, r, value);
  } else {
    FillRowsOf<uint16_t>(dst, r, static_cast<uint16_t>(value));
  }
}

// Cuts a destination rectangle on the primary surface (screen coordinates) to the visible part of
// its view and moves it into the view's pixels; the source rectangle, when given, shrinks with it.
bool ClipToView(const PrimaryView& v, RECT& dst, RECT* src) {
  dst.left -= v.originX;
  dst.right -= v.originX;
  dst.top -= v.originY;
  dst.bottom -= v.originY;
  const int cutLeft = dst.left < 0 ? -dst.left : 0;
  const int cutTop = dst.top < 0 ? -dst.top : 0;
  const int cutRight = dst.right > v.width ? dst.right - v.width : 0;
  const int cutBottom = dst.bottom > v.height ? dst.bottom - v.height : 0;
  dst.left += cutLeft;
  dst.top += cutTop;
  dst.right -= cutRight;
  dst.bottom -= cutBottom;
  if (src != nullptr) {
    src->left += cutLeft;
    src->top += cutTop;
    src->right -= cutRight;
    src->bottom -= cutBottom;
  }
  return dst.left < dst.right && dst.top < dst.bottom;
}

void FillPixelFormat(PixelLayout layout, DDPIXELFORMAT* pf) {
  std::memset(pf, 0, sizeof(*pf));
  pf->dwSize = sizeof(DDPIXELFORMAT);
  pf->dwFlags = DDPF_RGB;
  pf->dwRGBBitCount = static_cast<DWORD>(platform::BitsPerPixel(layout));
  switch (layout) {
    case PixelLayout::Rgb565:
      pf->dwRBitMask = 0xF800;
      pf->dwGBitMask = 0x07E0;
      pf->dwBBitMask = 0x001F;
      break;
    case PixelLayout::Rgb555:
      pf->dwRBitMask = 0x7C00;
      pf->dwGBitMask = 0x03E0;
      pf->dwBBitMask = 0x001F;
      break;
    case PixelLayout::Xrgb8888:
      pf->dwRBitMask = 0x00FF0000;
      pf->dwGBitMask = 0x0000FF00;
      pf->dwBBitMask = 0x000000FF;
      break;
  }
}

void Describe(const IDirectDrawSurface* s, DDSURFACEDESC* desc) {
  std::memset(reinterpret_cast<uint8_t*>(desc) + sizeof(DWORD), 0,
              sizeof(DDSURFACEDESC) - sizeof(DWORD));
  desc->dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT;
  desc->dwWidth = static_cast<DWORD>(s->width);
  desc->dwHeight = static_cast<DWORD>(s->height);
  desc->lPitch = s->pitch;
  desc->ddsCaps.dwCaps = s->caps;
  if (s->hasSourceKey) {
    desc->dwFlags |= DDSD_CKSRCBLT;
    desc->ddckCKSrcBlt = s->sourceKey;
  }
  FillPixelFormat(s->layout, &desc->ddpfPixelFormat);
}

// A source rectangle that does not lie inside its surface. One that reaches past the picture is
// told to the host, so a run can tell it never happened; an empty one (what clipping leaves of a sprite on
// the clip rectangle's edge) is refused all the same but not counted.
HRESULT RefuseSourceRect(const RECT& r) {
  if (r.left < r.right && r.top < r.bottom) platform::CurrentHost().NoteRefusedSourceRect();
  return DDERR_INVALIDRECT;
}

// A lost or locked surface at either end refuses the blit.
HRESULT CheckBlitEnds(const IDirectDrawSurface* dst, const IDirectDrawSurface* src) {
  if (dst->lost || (src != nullptr && src->lost)) return DDERR_SURFACELOST;
  if (dst->locked || (src != nullptr && src->locked)) return DDERR_SURFACEBUSY;
  if (src != nullptr && src->layout != dst->layout) return DDERR_INVALIDPARAMS;
  return DD_OK;
}

}  // namespace

HRESULT IDirectDrawSurface::Blt(RECT* destRect, IDirectDrawSurface* source, RECT* sourceRect,
                                DWORD flags, DDBLTFX* fx) {
  const bool fill = (flags & DDBLT_COLORFILL) != 0;
  if (!fill && source == nullptr) return DDERR_INVALIDPARAMS;
  if (fill && (fx == nullptr || fx->dwSize != sizeof(DDBLTFX))) return DDERR_INVALIDPARAMS;
  HRESULT hr = CheckBlitEnds(this, fill ? nullptr : source);
  if (hr != DD_OK) return hr;

  PrimaryView view;
  if (IsPrimary() && !platform::ddraw::SyncPrimary(this, view)) return DDERR_OUTOFMEMORY;

  RECT dst = destRect != nullptr ? *destRect : WholeOf(this);
  if (dst.left >= dst.right || dst.top >= dst.bottom) return DDERR_INVALIDRECT;

  DropKeyTables(this);
  if (fill) {
    if (IsPrimary()) {
      if (!ClipToView(view, dst, nullptr)) return DD_OK;
    } else if (!InsideSurface(dst, this)) {
      return DDERR_INVALIDRECT;
    }
    FillRows(this, dst, fx->dwFillColor);
  } else {
    RECT src = sourceRect != nullptr ? *sourceRect : WholeOf(source);
    if (!InsideSurface(src, source)) return RefuseSourceRect(src);
    // Only 1:1 copies: this device does not stretch.
    if (src.right - src.left != dst.right - dst.left ||
        src.bottom - src.top != dst.bottom - dst.top) {
      return DDERR_UNSUPPORTED;
    }
    if (IsPrimary()) {
      if (!ClipToView(view, dst, &src)) return DD_OK;
    } else if (!InsideSurface(dst, this)) {
      return DDERR_INVALIDRECT;
    }
    if ((flags & DDBLT_KEYSRC) != 0 && source->hasSourceKey) {
      KeyedRows(this, dst.left, dst.top, source, src);
    } else {
      CopyRows(this, dst.left, dst.top, source, src);
    }
  }
  if (IsPrimary()) platform::ddraw::PresentPrimary(this);
  return DD_OK;
}

HRESULT IDirectDrawSurface::BltFast(DWORD x, DWORD y, IDirectDrawSurface* source,
                                    RECT* sourceRect, DWORD flags) {
  if (source == nullptr) return DDERR_INVALIDPARAMS;
  HRESULT hr = CheckBlitEnds(this, source);
  if (hr != DD_OK) return hr;
  const RECT src = sourceRect != nullptr ? *sourceRect : WholeOf(source);
  if (!InsideSurface(src, source)) return RefuseSourceRect(src);

  int64_t left = static_cast<int32_t>(x);
  int64_t top = static_cast<int32_t>(y);
  PrimaryView view;
  if (IsPrimary()) {
    if (!platform::ddraw::SyncPrimary(this, view)) return DDERR_OUTOFMEMORY;
    left -= view.originX;
    top -= view.originY;
  }
  // The whole destination must lie on the target: BltFast never clips.
  if (left < 0 || top < 0 || left + (src.right - src.left) > width ||
      top + (src.bottom - src.top) > height) {
    return DDERR_INVALIDRECT;
  }
  const int dx = static_cast<int>(left);
  const int dy = static_cast<int>(top);
  DropKeyTables(this);

  if ((flags & DDBLTFAST_SRCCOLORKEY) != 0 && source->hasSourceKey) {
    KeyedRows(this, dx, dy, source, src);
  } else {
    CopyRows(this, dx, dy, source, src);
  }
  if (IsPrimary()) platform::ddraw::PresentPrimary(this);
  return DD_OK;
}

HRESULT IDirectDrawSurface::Lock(RECT* rect, DDSURFACEDESC* desc, DWORD /*flags*/,
                                 HANDLE /*event*/) {
  if (desc == nullptr || desc->dwSize != sizeof(DDSURFACEDESC)) return DDERR_INVALIDPARAMS;
  if (lost) return DDERR_SURFACELOST;
  if (locked) return DDERR_SURFACEBUSY;
  PrimaryView view;
  if (IsPrimary() && !platform::ddraw::SyncPrimary(this, view)) return DDERR_OUTOFMEMORY;
  const RECT r = rect != nullptr ? *rect : WholeOf(this);
  if (!InsideSurface(r, this)) return DDERR_INVALIDRECT;
  Describe(this, desc);
  desc->dwFlags |= DDSD_LPSURFACE;
  desc->lpSurface = PixelAt(this, r.left, r.top);
  locked = true;
  DropKeyTables(this);
  return DD_OK;
}

HRESULT IDirectDrawSurface::Unlock(LPVOID /*rect*/) {
  if (!locked) return DDERR_NOTLOCKED;
  locked = false;
  if (IsPrimary()) platform::ddraw::PresentPrimary(this);
  return DD_OK;
}

HRESULT IDirectDrawSurface::GetSurfaceDesc(DDSURFACEDESC* desc) {
  if (desc == nullptr || desc->dwSize != sizeof(DDSURFACEDESC)) return DDERR_INVALIDPARAMS;
  PrimaryView view;
  if (IsPrimary() && !platform::ddraw::SyncPrimary(this, view)) return DDERR_OUTOFMEMORY;
  Describe(this, desc);
  return DD_OK;
}

HRESULT IDirectDrawSurface::GetPixelFormat(DDPIXELFORMAT* format) {
  if (format == nullptr || format->dwSize != sizeof(DDPIXELFORMAT)) return DDERR_INVALIDPARAMS;
  FillPixelFormat(layout, format);
  return DD_OK;
}

HRESULT IDirectDrawSurface::SetColorKey(DWORD flags, DDCOLORKEY* key) {
  if (flags != DDCKEY_SRCBLT) return DDERR_UNSUPPORTED;
  if (key == nullptr) {
    hasSourceKey = false;
    DropKeyTables(this);
    return DD_OK;
  }
  const DWORD mask = BytesPerPixel() == 4 ? 0xFFFFFFFFu : 0xFFFFu;
  hasSourceKey = true;
  sourceKey.dwColorSpaceLowValue = key->dwColorSpaceLowValue & mask;
  sourceKey.dwColorSpaceHighValue = key->dwColorSpaceHighValue & mask;
  platform::ddraw::MakeKeyTables(this);
  return DD_OK;
}

HRESULT IDirectDrawSurface::IsLost() { return lost ? DDERR_SURFACELOST : DD_OK; }

// The memory comes back; what it held does not.
HRESULT IDirectDrawSurface::Restore() {
  lost = false;
  DropKeyTables(this);
  return DD_OK;
}

HRESULT IDirectDrawSurface::GetDC(HDC* dc) {
  if (dc == nullptr) return DDERR_INVALIDPARAMS;
  *dc = nullptr;
  if (lost) return DDERR_SURFACELOST;
  if (locked) return DDERR_SURFACEBUSY;
  PrimaryView view;
  if (IsPrimary() && !platform::ddraw::SyncPrimary(this, view)) return DDERR_OUTOFMEMORY;
  *dc = platform::CreateSurfaceDC(this);
  if (*dc == nullptr) return DDERR_GENERIC;
  ++openDCs;
  DropKeyTables(this);
  return DD_OK;
}

HRESULT IDirectDrawSurface::ReleaseDC(HDC dc) {
  if (!platform::DeleteSurfaceDC(dc, this)) return DDERR_INVALIDPARAMS;
  if (openDCs > 0) --openDCs;
  DropKeyTables(this);
  if (IsPrimary()) platform::ddraw::PresentPrimary(this);
  return DD_OK;
}

HRESULT IDirectDrawSurface::SetClipper(IDirectDrawClipper* newClipper) {
  if (newClipper != nullptr) newClipper->AddRef();
  if (clipper != nullptr) clipper->Release();
  clipper = newClipper;
  return DD_OK;
}

ULONG IDirectDrawSurface::Release() {
  const ULONG left = --refs;
  if (left != 0) return left;
  platform::ddraw::DisplayState& d = Display();
  if (d.primary == this) d.primary = nullptr;
  for (IDirectDrawSurface** p = &d.live; *p != nullptr; p = &(*p)->nextLive) {
    if (*p == this) {
      *p = nextLive;
      break;
    }
  }
  platform::ForgetSurfaceDCs(this);
  platform::ddraw::FreeKeyRuns(this);
  if (clipper != nullptr) clipper->Release();
  delete[] pixels;
  delete this;
  return 0;
}
