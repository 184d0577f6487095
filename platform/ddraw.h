// DirectDraw stand-in: one software display device, plain pixel-buffer surfaces in the desktop's
// pixel layout, the clipper of a window, and the presentation of the primary surface to the host.
//
// The interfaces are structs with ordinary (non-virtual) methods: the engine calls them exactly as
// it would call the COM interfaces, and a blit is one call that copies whole rows.
#pragma once

#include <cstdint>

#include "platform/host.h"
#include "platform/win_types.h"

// --- Result codes ---------------------------------------------------------------------------
constexpr HRESULT MakeDirectDrawResult(uint32_t code) {
  return static_cast<HRESULT>(0x88760000u | code);
}
constexpr HRESULT DD_OK = 0;
constexpr HRESULT DDERR_GENERIC = E_FAIL;
constexpr HRESULT DDERR_UNSUPPORTED = static_cast<HRESULT>(0x80004001u);
constexpr HRESULT DDERR_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
constexpr HRESULT DDERR_INVALIDPARAMS = static_cast<HRESULT>(0x80070057u);
constexpr HRESULT DDERR_INVALIDOBJECT = MakeDirectDrawResult(130);
constexpr HRESULT DDERR_INVALIDMODE = MakeDirectDrawResult(145);
constexpr HRESULT DDERR_INVALIDRECT = MakeDirectDrawResult(150);
constexpr HRESULT DDERR_SURFACEBUSY = MakeDirectDrawResult(430);
constexpr HRESULT DDERR_SURFACELOST = MakeDirectDrawResult(450);
constexpr HRESULT DDERR_WASSTILLDRAWING = MakeDirectDrawResult(540);
constexpr HRESULT DDERR_PRIMARYSURFACEALREADYEXISTS = MakeDirectDrawResult(564);
constexpr HRESULT DDERR_NOTLOCKED = MakeDirectDrawResult(584);

// --- Cooperative levels ---------------------------------------------------------------------
constexpr DWORD DDSCL_FULLSCREEN = 0x00000001;
constexpr DWORD DDSCL_ALLOWREBOOT = 0x00000002;
constexpr DWORD DDSCL_NOWINDOWCHANGES = 0x00000004;
constexpr DWORD DDSCL_NORMAL = 0x00000008;
constexpr DWORD DDSCL_EXCLUSIVE = 0x00000010;

// --- Capabilities ---------------------------------------------------------------------------
constexpr DWORD DDCAPS_3D = 0x00000001;
constexpr DWORD DDSCAPS_OFFSCREENPLAIN = 0x00000040;
constexpr DWORD DDSCAPS_PRIMARYSURFACE = 0x00000200;
constexpr DWORD DDSCAPS_SYSTEMMEMORY = 0x00000800;
constexpr DWORD DDSCAPS_TEXTURE = 0x00001000;
constexpr DWORD DDSCAPS_VIDEOMEMORY = 0x00004000;

// --- Surface description flags --------------------------------------------------------------
constexpr DWORD DDSD_CAPS = 0x00000001;
constexpr DWORD DDSD_HEIGHT = 0x00000002;
constexpr DWORD DDSD_WIDTH = 0x00000004;
constexpr DWORD DDSD_PITCH = 0x00000008;
constexpr DWORD DDSD_LPSURFACE = 0x00000800;
constexpr DWORD DDSD_PIXELFORMAT = 0x00001000;
constexpr DWORD DDSD_CKSRCBLT = 0x00010000;

constexpr DWORD DDPF_RGB = 0x00000040;

// --- Blits, locks, colour keys, vertical blank ----------------------------------------------
constexpr DWORD DDBLT_COLORFILL = 0x00000400;
constexpr DWORD DDBLT_KEYSRC = 0x00008000;
constexpr DWORD DDBLT_WAIT = 0x01000000;
constexpr DWORD DDBLTFAST_NOCOLORKEY = 0x00000000;
constexpr DWORD DDBLTFAST_SRCCOLORKEY = 0x00000001;
constexpr DWORD DDBLTFAST_WAIT = 0x00000010;
constexpr DWORD DDLOCK_SURFACEMEMORYPTR = 0x00000000;
constexpr DWORD DDLOCK_WAIT = 0x00000001;
constexpr DWORD DDCKEY_SRCBLT = 0x00000008;
constexpr DWORD DDWAITVB_BLOCKBEGIN = 0x00000001;

// --- Structures -----------------------------------------------------------------------------
struct DDCOLORKEY {
  DWORD dwColorSpaceLowValue;
  DWORD dwColorSpaceHighValue;
};

struct DDSCAPS {
  DWORD dwCaps;
};

struct DDSCAPS2 {
  DWORD dwCaps;
  DWORD dwCaps2;
  DWORD dwCaps3;
  DWORD dwCaps4;
};

struct DDPIXELFORMAT {
  DWORD dwSize;
  DWORD dwFlags;
  DWORD dwFourCC;
  DWORD dwRGBBitCount;
  DWORD dwRBitMask;
  DWORD dwGBitMask;
  DWORD dwBBitMask;
  DWORD dwRGBAlphaBitMask;
};
static_assert(sizeof(DDPIXELFORMAT) == 32);

// Device capabilities: the device's own caps words first, its surface caps last; the fields in
// between describe hardware this device does not have and stay zero.
struct DDCAPS {
  DWORD dwSize;
  DWORD dwCaps;
  DWORD dwCaps2;
  DWORD dwUnused[88];
  DDSCAPS2 ddsCaps;
};
static_assert(sizeof(DDCAPS) == 380);

// A surface description. The pixel pointer is 8 bytes on this machine, so the structure is 4 bytes
// larger than the 108 of a 32-bit build; callers always pass sizeof(DDSURFACEDESC) as its size.
#pragma pack(push, 4)
struct DDSURFACEDESC {
  DWORD dwSize;
  DWORD dwFlags;
  DWORD dwHeight;
  DWORD dwWidth;
  LONG lPitch;
  DWORD dwBackBufferCount;
  DWORD dwRefreshRate;
  DWORD dwAlphaBitDepth;
  DWORD dwReserved;
  LPVOID lpSurface;
  DDCOLORKEY ddckCKDestOverlay;
  DDCOLORKEY ddckCKDestBlt;
  DDCOLORKEY ddckCKSrcOverlay;
  DDCOLORKEY ddckCKSrcBlt;
  DDPIXELFORMAT ddpfPixelFormat;
  DDSCAPS ddsCaps;
};
#pragma pack(pop)
static_assert(sizeof(DDSURFACEDESC) == 104 + sizeof(void*));

// Blit effects: only the fill colour is read (DDBLT_COLORFILL); the rest describe effects this
// device does not offer.
struct DDBLTFX {
  DWORD dwSize;
  DWORD dwUnused[19];
  DWORD dwFillColor;
  DDCOLORKEY ddckDestColorkey;
  DDCOLORKEY ddckSrcColorkey;
};
static_assert(sizeof(DDBLTFX) == 100);

struct IUnknown;
struct IDirectDrawSurface;
namespace platform::ddraw {
struct KeyRuns;
}
struct IDirectDrawClipper;

using LPDDENUMCALLBACKA = BOOL (*)(GUID* guid, LPSTR description, LPSTR driverName, LPVOID context);

// --- The DirectDraw object ------------------------------------------------------------------
struct IDirectDraw {
  const GUID* device = nullptr;  // the enumerated device it was made for; nullptr: the default one
  ULONG refs = 1;

  HRESULT GetCaps(DDCAPS* driverCaps, DDCAPS* emulationCaps);
  HRESULT SetCooperativeLevel(HWND window, DWORD flags);
  HRESULT SetDisplayMode(DWORD width, DWORD height, DWORD bitsPerPixel);
  HRESULT RestoreDisplayMode();
  HRESULT WaitForVerticalBlank(DWORD flags, HANDLE event);
  HRESULT FlipToGDISurface();
  HRESULT CreateSurface(DDSURFACEDESC* desc, IDirectDrawSurface** surface, IUnknown* outer);
  HRESULT CreateClipper(DWORD flags, IDirectDrawClipper** clipper, IUnknown* outer);
  ULONG Release();
};

// --- The clipper: ties the primary surface to a window's client area ------------------------
struct IDirectDrawClipper {
  HWND window = nullptr;
  ULONG refs = 1;

  HRESULT SetHWnd(DWORD flags, HWND window);
  ULONG AddRef() { return ++refs; }
  ULONG Release();
};

// --- A surface: a software pixel buffer -----------------------------------------------------
struct IDirectDrawSurface {
  // The buffer, read directly by the GDI stand-in for a surface's device context.
  uint8_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  int pitch = 0;  // bytes per row
  platform::PixelLayout layout = platform::PixelLayout::Rgb565;
  DWORD caps = 0;
  bool lost = false;
  bool locked = false;
  bool hasSourceKey = false;
  DDCOLORKEY sourceKey = {0, 0};
  IDirectDrawClipper* clipper = nullptr;
  ULONG refs = 1;
  IDirectDrawSurface* nextLive = nullptr;  // the list of live surfaces (for losing them all)
  // The pixels that differ from the colour key, row by row, made when the key is set and dropped
  // whenever the pixels may change; a colour-keyed copy from the surface then copies only these.
  platform::ddraw::KeyRuns* keyRuns = nullptr;
  // The smallest rectangle holding every pixel unlike the colour key (empty when there is none),
  // made and dropped with the runs: a keyed copy has nothing to draw outside it.
  RECT opaqueBox = {0, 0, 0, 0};
  bool opaqueBoxValid = false;
  int openDCs = 0;  // device contexts handed out and not yet released

  HRESULT Blt(RECT* destRect, IDirectDrawSurface* source, RECT* sourceRect, DWORD flags,
              DDBLTFX* fx);
  HRESULT BltFast(DWORD x, DWORD y, IDirectDrawSurface* source, RECT* sourceRect, DWORD flags);
  HRESULT Lock(RECT* rect, DDSURFACEDESC* desc, DWORD flags, HANDLE event);
  HRESULT Unlock(LPVOID rect);
  HRESULT GetSurfaceDesc(DDSURFACEDESC* desc);
  HRESULT GetPixelFormat(DDPIXELFORMAT* format);
  HRESULT SetColorKey(DWORD flags, DDCOLORKEY* key);
  HRESULT IsLost();
  HRESULT Restore();
  HRESULT GetDC(HDC* dc);
  HRESULT ReleaseDC(HDC dc);
  HRESULT SetClipper(IDirectDrawClipper* clipper);
  ULONG Release();

  bool IsPrimary() const { return (caps & DDSCAPS_PRIMARYSURFACE) != 0; }
  int BytesPerPixel() const { return platform::BytesPerPixel(layout); }
};

HRESULT DirectDrawEnumerateA(LPDDENUMCALLBACKA callback, LPVOID context);
HRESULT DirectDrawCreate(GUID* guid, IDirectDraw** directDraw, IUnknown* outer);

namespace platform {

// Test switches of the display device.
// Loses every live surface as a mode switch by another program would: their pixels are gone
// (zeroed) and every blit, lock or device context to or from them answers DDERR_SURFACELOST until
// Restore.
void LoseAllSurfaces();
// false: the one enumerated device reports neither 3D nor texture capabilities (default true).
void SetDirectDraw3dDevice(bool present);
// true: every CreateSurface fails with DDERR_OUTOFMEMORY until switched off again.
void FailSurfaceCreation(bool fail);
// The device's state back to the start (no primary, normal cooperative level, switches off).
void ResetDirectDrawForTest();

// Native pixel value of a GDI colour (0x00BBGGRR) in a pixel layout, and back. 16-bit layouts keep
// the top bits of each channel; the way back puts them in the top bits of the byte, so that a
// colour read back and written again gives the same pixel.
uint32_t NativeFromColor(PixelLayout layout, uint32_t colorref);
uint32_t ColorFromNative(PixelLayout layout, uint32_t pixel);

}  // namespace platform
