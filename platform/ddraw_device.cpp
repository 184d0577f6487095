// The DirectDraw device: enumeration, the DirectDraw object, cooperative level and display mode,
// the vertical blank, surface and clipper creation, and the primary surface's place on the screen.
#include <cstring>
#include <new>

#include "platform/ddraw_internal.h"
#include "platform/gdi.h"
#include "platform/idle_wait.h"
#include "platform/user32.h"

namespace platform::ddraw {

namespace {

// The one display device this machine offers.
GUID g_device_guid = {0x6d6f7276, 0x656e, 0x7469, {0x63, 0x61, 0x20, 0x64, 0x69, 0x73, 0x70, 0x31}};
char g_device_description[] = "Morventica software display";
char g_device_name[] = "display";

constexpr int kMaxSurfaceSide = 8192;

bool SameGuid(const GUID& a, const GUID& b) { return std::memcmp(&a, &b, sizeof(GUID)) == 0; }

void FillCaps(DDCAPS* caps, bool hardware, bool with3d) {
  std::memset(reinterpret_cast<uint8_t*>(caps) + sizeof(DWORD), 0, sizeof(DDCAPS) - sizeof(DWORD));
  const DWORD surfaceCaps =
      DDSCAPS_OFFSCREENPLAIN | DDSCAPS_PRIMARYSURFACE | DDSCAPS_SYSTEMMEMORY |
      (hardware ? DDSCAPS_VIDEOMEMORY : 0u);
  caps->dwCaps = with3d ? DDCAPS_3D : 0u;
  caps->ddsCaps.dwCaps = surfaceCaps | (with3d ? DDSCAPS_TEXTURE : 0u);
}

}  // namespace

DisplayState& Display() {
  static DisplayState state;
  return state;
}

PrimaryView ViewOfPrimary(const IDirectDrawSurface* primary) {
  DisplayState& d = Display();
  PrimaryView view;
  if (!d.exclusive && primary != nullptr && primary->clipper != nullptr &&
      primary->clipper->window != nullptr) {
    RECT client{};
    POINT origin{0, 0};
    if (GetClientRect(primary->clipper->window, &client) &&
        ClientToScreen(primary->clipper->window, &origin)) {
      view.originX = origin.x;
      view.originY = origin.y;
      view.width = client.right - client.left;
      view.height = client.bottom - client.top;
      if (view.width > 0 && view.height > 0) return view;
    }
  }
  view = PrimaryView{};
  if (d.modeSet) {
    view.width = d.modeWidth;
    view.height = d.modeHeight;
  } else {
    view.width = CurrentHost().DesktopWidth();
    view.height = CurrentHost().DesktopHeight();
  }
  return view;
}

uint8_t* AllocatePixels(int width, int height, PixelLayout layout, int& pitch) {
  if (width <= 0 || height <= 0 || width > kMaxSurfaceSide || height > kMaxSurfaceSide) {
    return nullptr;
  }
  // Rows start on 8-byte boundaries, as a display driver's would; callers must use the pitch.
  pitch = (width * platform::BytesPerPixel(layout) + 7) & ~7;
  return new (std::nothrow) uint8_t[static_cast<size_t>(pitch) * height]();
}

bool SyncPrimary(IDirectDrawSurface* primary, PrimaryView& view) {
  view = ViewOfPrimary(primary);
  if (view.width == primary->width && view.height == primary->height &&
      primary->pixels != nullptr) {
    return true;
  }
  int pitch = 0;
  uint8_t* pixels = AllocatePixels(view.width, view.height, primary->layout, pitch);
  if (pixels == nullptr) return false;
  delete[] primary->pixels;
  primary->pixels = pixels;
  DropKeyTables(primary);
  primary->pitch = pitch;
  primary->width = view.width;
  primary->height = view.height;
  return true;
}

void PresentPrimary(const IDirectDrawSurface* primary) {
  FrameView frame;
  frame.pixels = primary->pixels;
  frame.pitch = primary->pitch;
  frame.width = primary->width;
  frame.height = primary->height;
  frame.layout = primary->layout;
  CurrentHost().Present(frame);
  platform::NoteDisplayWait();
}

}  // namespace platform::ddraw

using platform::CurrentHost;
using platform::ddraw::Display;

namespace platform {

void LoseAllSurfaces() {
  for (IDirectDrawSurface* s = Display().live; s != nullptr; s = s->nextLive) {
    s->lost = true;
    ddraw::DropKeyTables(s);
    if (s->pixels != nullptr) std::memset(s->pixels, 0, static_cast<size_t>(s->pitch) * s->height);
  }
}

void SetDirectDraw3dDevice(bool present) { Display().device3d = present; }
void FailSurfaceCreation(bool fail) { Display().failCreation = fail; }

void ResetDirectDrawForTest() {
  ddraw::DisplayState& d = Display();
  d.exclusive = false;
  d.cooperativeWindow = nullptr;
  d.modeSet = false;
  d.device3d = true;
  d.failCreation = false;
}

uint32_t NativeFromColor(PixelLayout layout, uint32_t c) {
  const uint32_t r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
  switch (layout) {
    case PixelLayout::Rgb565: return ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3);
    case PixelLayout::Rgb555: return ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3);
    case PixelLayout::Xrgb8888: return (r << 16) | (g << 8) | b;
  }
  return 0;
}

uint32_t ColorFromNative(PixelLayout layout, uint32_t p) {
  uint32_t r = 0, g = 0, b = 0;
  switch (layout) {
    case PixelLayout::Rgb565:
      r = ((p >> 11) & 31) << 3;
      g = ((p >> 5) & 63) << 2;
      b = (p & 31) << 3;
      break;
    case PixelLayout::Rgb555:
      r = ((p >> 10) & 31) << 3;
      g = ((p >> 5) & 31) << 3;
      b = (p & 31) << 3;
      break;
    case PixelLayout::Xrgb8888:
      r = (p >> 16) & 0xFF;
      g = (p >> 8) & 0xFF;
      b = p & 0xFF;
      break;
  }
  return r | (g << 8) | (b << 16);
}

}  // namespace platform

HRESULT DirectDrawEnumerateA(LPDDENUMCALLBACKA callback, LPVOID context) {
  if (callback == nullptr) return DDERR_INVALIDPARAMS;
  callback(&platform::ddraw::g_device_guid, platform::ddraw::g_device_description,
           platform::ddraw::g_device_name, context);
  return DD_OK;
}

HRESULT DirectDrawCreate(GUID* guid, IDirectDraw** directDraw, IUnknown* /*outer*/) {
  if (directDraw == nullptr) return DDERR_INVALIDPARAMS;
  *directDraw = nullptr;
  if (guid != nullptr && !platform::ddraw::SameGuid(*guid, platform::ddraw::g_device_guid)) {
    return DDERR_INVALIDPARAMS;
  }
  auto* dd = new (std::nothrow) IDirectDraw;
  if (dd == nullptr) return DDERR_OUTOFMEMORY;
  dd->device = guid != nullptr ? &platform::ddraw::g_device_guid : nullptr;
  *directDraw = dd;
  return DD_OK;
}

HRESULT IDirectDraw::GetCaps(DDCAPS* driverCaps, DDCAPS* emulationCaps) {
  if (driverCaps == nullptr && emulationCaps == nullptr) return DDERR_INVALIDPARAMS;
  if ((driverCaps != nullptr && driverCaps->dwSize != sizeof(DDCAPS)) ||
      (emulationCaps != nullptr && emulationCaps->dwSize != sizeof(DDCAPS))) {
    return DDERR_INVALIDPARAMS;
  }
  if (driverCaps != nullptr) platform::ddraw::FillCaps(driverCaps, true, Display().device3d);
  if (emulationCaps != nullptr) platform::ddraw::FillCaps(emulationCaps, false, false);
  return DD_OK;
}

HRESULT IDirectDraw::SetCooperativeLevel(HWND window, DWORD flags) {
  const bool exclusive = (flags & DDSCL_EXCLUSIVE) != 0;
  const bool fullscreen = (flags & DDSCL_FULLSCREEN) != 0;
  const bool normal = (flags & DDSCL_NORMAL) != 0;
  if (exclusive != fullscreen || (normal && exclusive) || (!normal && !exclusive)) {
    return DDERR_INVALIDPARAMS;
  }
  Display().exclusive = exclusive;
  Display().cooperativeWindow = window;
  return DD_OK;
}

HRESULT IDirectDraw::SetDisplayMode(DWORD width, DWORD height, DWORD bitsPerPixel) {
  if (width == 0 || height == 0 || width > 8192 || height > 8192) return DDERR_INVALIDPARAMS;
  if (static_cast<int>(bitsPerPixel) != platform::BitsPerPixel(CurrentHost().DesktopLayout())) {
    return DDERR_INVALIDMODE;
  }
  if (!CurrentHost().SetDisplayMode(static_cast<int>(width), static_cast<int>(height),
                                    static_cast<int>(bitsPerPixel))) {
    return DDERR_INVALIDMODE;
  }
  Display().modeSet = true;
  Display().modeWidth = static_cast<int>(width);
  Display().modeHeight = static_cast<int>(height);
  return DD_OK;
}

HRESULT IDirectDraw::RestoreDisplayMode() {
  if (Display().modeSet) {
    CurrentHost().RestoreDisplayMode();
    Display().modeSet = false;
  }
  return DD_OK;
}

HRESULT IDirectDraw::WaitForVerticalBlank(DWORD flags, HANDLE /*event*/) {
  if (flags != DDWAITVB_BLOCKBEGIN) return DDERR_UNSUPPORTED;
  CurrentHost().WaitVerticalBlank();
  platform::NoteDisplayWait();
  return DD_OK;
}

// There is no page flipping: the desktop is always what the primary surface shows.
HRESULT IDirectDraw::FlipToGDISurface() { return DD_OK; }

HRESULT IDirectDraw::CreateSurface(DDSURFACEDESC* desc, IDirectDrawSurface** surface,
                                   IUnknown* /*outer*/) {
  if (surface == nullptr) return DDERR_INVALIDPARAMS;
  *surface = nullptr;
  if (desc == nullptr || desc->dwSize != sizeof(DDSURFACEDESC) || (desc->dwFlags & DDSD_CAPS) == 0) {
    return DDERR_INVALIDPARAMS;
  }
  platform::ddraw::DisplayState& d = Display();
  if (d.failCreation) return DDERR_OUTOFMEMORY;

  const DWORD caps = desc->ddsCaps.dwCaps;
  const bool primary = (caps & DDSCAPS_PRIMARYSURFACE) != 0;
  int width = 0, height = 0;
  if (primary) {
    if ((desc->dwFlags & (DDSD_WIDTH | DDSD_HEIGHT)) != 0) return DDERR_INVALIDPARAMS;
    if (d.primary != nullptr) return DDERR_PRIMARYSURFACEALREADYEXISTS;
    const platform::ddraw::PrimaryView view = platform::ddraw::ViewOfPrimary(nullptr);
    width = view.width;
    height = view.height;
  } else {
    if ((desc->dwFlags & (DDSD_WIDTH | DDSD_HEIGHT)) != (DDSD_WIDTH | DDSD_HEIGHT)) {
      return DDERR_INVALIDPARAMS;
    }
    if (desc->dwWidth == 0 || desc->dwHeight == 0 || desc->dwWidth > 8192 ||
        desc->dwHeight > 8192) {
      return DDERR_INVALIDPARAMS;
    }
    width = static_cast<int>(desc->dwWidth);
    height = static_cast<int>(desc->dwHeight);
  }

  auto* s = new (std::nothrow) IDirectDrawSurface;
  if (s == nullptr) return DDERR_OUTOFMEMORY;
  s->layout = CurrentHost().DesktopLayout();
  s->pixels = platform::ddraw::AllocatePixels(width, height, s->layout, s->pitch);
  if (s->pixels == nullptr) {
    delete s;
    return DDERR_OUTOFMEMORY;
  }
  s->width = width;
  s->height = height;
  s->caps = caps | ((caps & DDSCAPS_SYSTEMMEMORY) != 0 ? 0u : DDSCAPS_VIDEOMEMORY);
  s->nextLive = d.live;
  d.live = s;
  if (primary) d.primary = s;
  *surface = s;
  return DD_OK;
}

HRESULT IDirectDraw::CreateClipper(DWORD /*flags*/, IDirectDrawClipper** clipper,
                                   IUnknown* /*outer*/) {
  if (clipper == nullptr) return DDERR_INVALIDPARAMS;
  *clipper = new (std::nothrow) IDirectDrawClipper;
  return *clipper != nullptr ? DD_OK : DDERR_OUTOFMEMORY;
}

ULONG IDirectDraw::Release() {
  const ULONG left = --refs;
  if (left == 0) delete this;
  return left;
}

HRESULT IDirectDrawClipper::SetHWnd(DWORD /*flags*/, HWND newWindow) {
  window = newWindow;
  return DD_OK;
}

ULONG IDirectDrawClipper::Release() {
  const ULONG left = --refs;
  if (left == 0) delete this;
  return left;
}
