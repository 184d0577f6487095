// Opening and releasing the display: device choice, cooperative level, display mode, the primary
// surface, the back buffer, the clipper, the engine's four surfaces, the pixel layout and the
// 16-bit blend tables, and the start of the other engine services.
#include <cstring>

#include "engine/el_draw_internal.h"
#include "engine/el_sound.h"
#include "engine/el_system.h"
#include "engine/midi.h"
#include "engine/shell.h"
#include "platform/user32.h"

IDirectDraw* gDirectDraw = nullptr;
IDirectDrawSurface* gPrimarySurface = nullptr;
IDirectDrawSurface* gBackSurface = nullptr;
IDirectDrawClipper* gClipper = nullptr;
RECT gPresentRect = {0, 0, 0, 0};
PixelLayoutInfo gPixelLayout = {};
uint8_t gSplitTable[65536][3];
uint16_t gAddRed[32][32];
uint16_t gAddGreen[32][32];
uint16_t gAddBlue[32][32];
int gBlendTablesBuilt = 0;

namespace {

constexpr const char* kScreen = "elDraw::Screen";

// Further depths to try when the desktop's own is refused; 0 ends the list.
constexpr int kFallbackDepths[2] = {0, 0};

// The four engine slots: name and the message when its surface cannot be made.
struct EngineSlot {
  const char* name;
  const char* failure;
};
constexpr EngineSlot kEngineSlots[4] = {
    {"内部用１", "Bufferスプライトが生成できません"},
    {"内部用２", "Screenスプライトが生成できません"},
    {"内部用３", "Fontスプライトが生成できません"},
    {"内部用４", "Fontバッファスプライトが生成できません"},
};

int ShiftOf(DWORD mask) {
  if (mask == 0) return 0;  // no channel (a palette mode): nothing to find
  int shift = 0;
  while ((mask & 1) == 0) {
    mask >>= 1;
    ++shift;
  }
  return shift;
}

void ReadChannel(DWORD mask, int& shift, int& max, int& place) {
  shift = ShiftOf(mask);
  max = static_cast<int>(mask >> shift);
  place = max == 63 ? shift + 1 : shift;
}

IDirectDrawSurface* CreatePrimarySurface(DWORD memoryCaps) {
  if (gDirectDraw == nullptr) return nullptr;
  DDSURFACEDESC desc;
  std::memset(&desc, 0, sizeof desc);
  desc.dwSize = sizeof desc;
  desc.dwFlags = DDSD_CAPS;
  desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | memoryCaps;
  IDirectDrawSurface* surface = nullptr;
  if (gDirectDraw->CreateSurface(&desc, &surface, nullptr) != DD_OK) return nullptr;
  return surface;
}

}  // namespace

int GetDisplayDepth() {
  HDC dc = GetDC(gMainWindow);
  const int bits = GetDeviceCaps(dc, BITSPIXEL);
  ReleaseDC(gMainWindow, dc);
  return bits;
}

BOOL EnumDirectDrawDevice(GUID* guid, LPSTR /*description*/, LPSTR /*driverName*/,
                          LPVOID /*context*/) {
  IDirectDraw* dd = nullptr;
  if (DirectDrawCreate(guid, &dd, nullptr) != DD_OK) return TRUE;
  DDCAPS driverCaps, emulationCaps;
  std::memset(&driverCaps, 0, sizeof driverCaps);
  std::memset(&emulationCaps, 0, sizeof emulationCaps);
  driverCaps.dwSize = sizeof driverCaps;
  emulationCaps.dwSize = sizeof emulationCaps;
  dd->GetCaps(&driverCaps, &emulationCaps);
  if ((driverCaps.dwCaps & DDCAPS_3D) != 0 && (driverCaps.ddsCaps.dwCaps & DDSCAPS_TEXTURE) != 0) {
    gDirectDraw = dd;
    return FALSE;
  }
  dd->Release();
  return TRUE;
}

void BuildBlendTables() {
  const PixelLayoutInfo& p = gPixelLayout;
  std::memset(gSplitTable, 0, sizeof gSplitTable);
  for (int r = 0; r <= p.redMax; ++r) {
    for (int g = 0; g <= p.greenMax; ++g) {
      for (int b = 0; b <= p.blueMax; ++b) {
        const unsigned index = (static_cast<unsigned>(r) << p.redShift) +
                               (static_cast<unsigned>(g) << p.greenShift) +
                               static_cast<unsigned>(b);
        if (index > 0xFFFF) continue;
        gSplitTable[index][0] = static_cast<uint8_t>(p.redMax == 63 ? r >> 1 : r);
        gSplitTable[index][1] = static_cast<uint8_t>(p.greenMax == 63 ? g >> 1 : g);
        gSplitTable[index][2] = static_cast<uint8_t>(p.blueMax == 63 ? b >> 1 : b);
      }
    }
  }
  for (int s = 0; s < 32; ++s) {
    for (int d = 0; d < 32; ++d) {
      const unsigned sum = s + d > 31 ? 31u : static_cast<unsigned>(s + d);
      gAddRed[s][d] = static_cast<uint16_t>(sum << p.redPlace);
      gAddGreen[s][d] = static_cast<uint16_t>(sum << p.greenPlace);
      gAddBlue[s][d] = static_cast<uint16_t>(sum << p.bluePlace);
    }
  }
  gBlendTablesBuilt = 1;
}

int elDraw::Screen(int width, int height, int mode) {
  // 1. Forget what a previous opening made; the screen size and the sprite clip rectangle.
  gDirectDraw = nullptr;
  gPrimarySurface = nullptr;
  gBackSurface = nullptr;
  gClipper = nullptr;
  if (width == -1) {
    width = gDefaultScreenWidth;
    height = gDefaultScreenHeight;
  }
  gScreenWidth = width;
  gScreenHeight = height;
  elDraw::SetClipRect(0, 0, width, height);

  // 2. The device: the first with 3D and textures, else the default one.
  DirectDrawEnumerateA(EnumDirectDrawDevice, nullptr);
  if (gDirectDraw == nullptr && DirectDrawCreate(nullptr, &gDirectDraw, nullptr) != DD_OK) {
    gDirectDraw = nullptr;
    return ShowErrorMessage(kScreen, "DirectDrawが使用できません");
  }

  // 3. Cooperative level.
  const DWORD level = gFullScreen != 0 ? (DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN | DDSCL_ALLOWREBOOT)
                                       : DDSCL_NORMAL;
  if (gDirectDraw->SetCooperativeLevel(gMainWindow, level) != DD_OK) {
    return ShowErrorMessage(kScreen, "フルスクリーン化できません");
  }

  // 4. Full screen: the screen's size in the desktop's depth, then the further depths.
  if (gFullScreen != 0) {
    bool set = gDirectDraw->SetDisplayMode(static_cast<DWORD>(width), static_cast<DWORD>(height),
                                           static_cast<DWORD>(GetDisplayDepth())) == DD_OK;
    for (int i = 0; !set && i < 2 && kFallbackDepths[i] != 0; ++i) {
      set = gDirectDraw->SetDisplayMode(static_cast<DWORD>(width), static_cast<DWORD>(height),
                                        static_cast<DWORD>(kFallbackDepths[i])) == DD_OK;
    }
    if (!set) return ShowErrorMessage(kScreen, "解像度が変更できません");
  }

  // 5. Primary surface and back buffer.
  const DWORD screenMemory = mode == 1 || mode == 3 ? 0u : DDSCAPS_SYSTEMMEMORY;
  gPrimarySurface = CreatePrimarySurface(screenMemory);
  if (gPrimarySurface == nullptr) return ShowErrorMessage(kScreen, "表画面が生成できません");
  gBackSurface = CreatePlainSurface(width, height, screenMemory);
  if (gBackSurface == nullptr) return ShowErrorMessage(kScreen, "裏画面が生成できません");

  // 6. In a window the clipper keeps the copy to the screen inside the client area.
  if (gFullScreen == 0) {
    if (gDirectDraw->CreateClipper(0, &gClipper, nullptr) != DD_OK) {
      gClipper = nullptr;
      return ShowErrorMessage(kScreen, "クリップが生成できません");
    }
    if (gClipper->SetHWnd(0, gMainWindow) != DD_OK) {
      return ShowErrorMessage(kScreen, "クリップにウィンドウハンドルを設定できません");
    }
    if (gPrimarySurface->SetClipper(gClipper) != DD_OK) {
      return ShowErrorMessage(kScreen, "表画面をクリップできません");
    }
  }

  // 7. The engine's slots 0 to 3, each the size of the screen.
  for (int slot = 0; slot < 4; ++slot) {
    const DWORD memory = slot >= 2 || mode != 1 ? DDSCAPS_SYSTEMMEMORY : 0u;
    IDirectDrawSurface* surface = CreatePlainSurface(width, height, memory);
    if (surface == nullptr) return ShowErrorMessage(kScreen, kEngineSlots[slot].failure);
    SetSurfaceColorKey(surface, 0);
    DrawObject& o = gDrawObjects[slot];
    o.surface = surface;
    std::strncpy(o.name, kEngineSlots[slot].name, sizeof o.name - 1);
    o.name[sizeof o.name - 1] = '\0';
    o.sourceKind = 0;
    o.placement = 2;
    o.colorKey = 0;
    o.width = static_cast<uint16_t>(width);
    o.height = static_cast<uint16_t>(height);
  }

  // 8. The back buffer's pixel layout.
  DDPIXELFORMAT format;
  std::memset(&format, 0, sizeof format);
  format.dwSize = sizeof format;
  if (gBackSurface->GetPixelFormat(&format) != DD_OK) {
    return ShowErrorMessage(kScreen, "ピクセル情報が取得できません");
  }
  PixelLayoutInfo& p = gPixelLayout;
  ReadChannel(format.dwRBitMask, p.redShift, p.redMax, p.redPlace);
  ReadChannel(format.dwGBitMask, p.greenShift, p.greenMax, p.greenPlace);
  ReadChannel(format.dwBBitMask, p.blueShift, p.blueMax, p.bluePlace);

  // 9. The blend tables, at 16 bits per pixel only.
  if (GetDisplayDepth() == 16) BuildBlendTables();

  // 10. The picture slots start empty; the present rectangle covers the screen.
  for (int slot = 4; slot < kDrawObjectCount; ++slot) ClearSlot(gDrawObjects[slot]);
  gPresentRect = RECT{0, 0, width, height};

  // 11. The other engine services.
  InitDirectSound();
  ResetMidiState();
  ResetWaits();
  InitFonts();
  InitJoysticks();
  if (gCursorClipMode != 0) ClipCursorToWindow();
  return 1;
}

void ReleaseDisplay() {
  if (gDirectDraw != nullptr) {
    for (DrawObject& o : gDrawObjects) {
      if (o.surface != nullptr) o.surface->Release();
      ClearSlot(o);
    }
    if (gFullScreen == 0 && gClipper != nullptr) {
      gClipper->Release();
      gClipper = nullptr;
    }
    if (gPrimarySurface != nullptr) {
      gPrimarySurface->Release();
      gPrimarySurface = nullptr;
    }
    if (gBackSurface != nullptr) {
      gBackSurface->Release();
      gBackSurface = nullptr;
    }
    if (gFullScreen != 0) {
      gDirectDraw->RestoreDisplayMode();
      gDirectDraw->SetCooperativeLevel(gMainWindow, DDSCL_NORMAL);
    }
    gDirectDraw->Release();
    gDirectDraw = nullptr;
  }
  if (gFullScreen != 0) CloseWindow(gMainWindow);
}

void FlipToGdiIfOpen() {
  if (gDirectDraw != nullptr) gDirectDraw->FlipToGDISurface();
}
