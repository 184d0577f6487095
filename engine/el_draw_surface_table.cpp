// The table of 500 surface slots: loading a Windows bitmap into a slot (file, then resource),
// creating an empty slot, reloading a slot, the colour-key rule, releasing a slot and recovering
// lost surfaces.
#include <cstdio>
#include <cstring>

#include "engine/el_draw_internal.h"
#include "engine/shell.h"

DrawObject gDrawObjects[kDrawObjectCount];
int gScreenWidth = 0;
int gScreenHeight = 0;
int gLoadColorKey = 0;
int gLoadKeyTopLeft = 0;

namespace {

void StoreName(DrawObject& o, const char* name) {
  std::strncpy(o.name, name, sizeof o.name - 1);
  o.name[sizeof o.name - 1] = '\0';
}

// The bitmap's size becomes the slot's and that of a new surface (nullptr when none can be made).
IDirectDrawSurface* SurfaceForBitmap(DrawObject& o, HBITMAP bitmap, DWORD memory) {
  BITMAP bm{};
  GetObjectA(bitmap, sizeof bm, &bm);
  o.width = static_cast<uint16_t>(bm.bmWidth);
  o.height = static_cast<uint16_t>(bm.bmHeight);
  return CreatePlainSurface(bm.bmWidth, bm.bmHeight, memory);
}

// Steps shared by a load and a reload: the bitmap file or resource into the slot's new surface.
// Returns 1, or the error report's 0.
int LoadIntoSlot(int slot, const char* name, int placement, const char* operation,
                 bool reportCopyFailure) {
  DrawObject& o = gDrawObjects[slot];
  char path[512];
  std::snprintf(path, sizeof path, "%s%s", GetDataDirectory(), name);
  const DWORD memory = PlacementCaps(placement);
  const int key = LoadKeyColor();

  // A bitmap resource named by the full path, else the file itself.
  HBITMAP bitmap = reinterpret_cast<HBITMAP>(
      LoadImageA(gInstance, path, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (bitmap == nullptr) {
    bitmap = reinterpret_cast<HBITMAP>(
        LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION | LR_LOADFROMFILE));
  }
  if (bitmap != nullptr) {
    IDirectDrawSurface* surface = SurfaceForBitmap(o, bitmap, memory);
    if (surface != nullptr) CopyBitmapToSurface(surface, bitmap, 0, 0, 0, 0);
    DeleteObject(bitmap);
    if (surface != nullptr) {
      o.surface = surface;
      SetSurfaceColorKey(surface, key);
      o.colorKey = key;
      return 1;
    }
  }

  // A bitmap resource named like the file.
  bitmap = reinterpret_cast<HBITMAP>(
      LoadImageA(gInstance, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (bitmap == nullptr) return ShowErrorMessage(operation, kMsgBmpUnreadable);
  IDirectDrawSurface* surface = SurfaceForBitmap(o, bitmap, memory);
  if (surface == nullptr) {
    DeleteObject(bitmap);
    return ShowErrorMessage(operation, kMsgBmpUnreadable);
  }
  o.surface = surface;
  SetSurfaceColorKey(surface, key);
  o.colorKey = key;
  const HRESULT copied = CopyBitmapToSurface(surface, bitmap, 0, 0, 0, 0);
  DeleteObject(bitmap);
  if (copied != DD_OK && reportCopyFailure) return ShowErrorMessage(operation, kMsgBmpUnreadable);
  return 1;
}

}  // namespace

bool IsSlotNumber(int slot) { return slot >= 0 && slot < kDrawObjectCount; }

void ClearSlot(DrawObject& o) {
  o.surface = nullptr;
  std::memset(o.name, 0, sizeof o.name);
  o.sourceKind = 0;
  o.placement = 2;
  o.colorKey = 0;
  o.width = 0;
  o.height = 0;
}

int FindFreeSlot() {
  for (int slot = 4; slot < kDrawObjectCount; ++slot) {
    if (gDrawObjects[slot].name[0] == '\0') return slot;
  }
  return -1;
}

int LoadKeyColor() { return gLoadKeyTopLeft != 0 ? -1 : gLoadColorKey; }

DWORD PlacementCaps(int placement) { return placement == 2 ? 0u : DDSCAPS_SYSTEMMEMORY; }

IDirectDrawSurface* CreatePlainSurface(int width, int height, DWORD memoryCaps) {
  if (gDirectDraw == nullptr || width <= 0 || height <= 0) return nullptr;
  DDSURFACEDESC desc;
  std::memset(&desc, 0, sizeof desc);
  desc.dwSize = sizeof desc;
  desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
  desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | memoryCaps;
  desc.dwWidth = static_cast<DWORD>(width);
  desc.dwHeight = static_cast<DWORD>(height);
  IDirectDrawSurface* surface = nullptr;
  if (gDirectDraw->CreateSurface(&desc, &surface, nullptr) != DD_OK) return nullptr;
  return surface;
}

HRESULT CopyBitmapToSurface(IDirectDrawSurface* surface, HBITMAP bitmap, int x, int y, int width,
                            int height) {
  if (bitmap == nullptr || surface == nullptr) return DDERR_INVALIDPARAMS;
  surface->Restore();
  HDC memory = CreateCompatibleDC(nullptr);
  if (memory == nullptr) return DDERR_GENERIC;
  HGDIOBJ previous = SelectObject(memory, bitmap);
  BITMAP bm{};
  GetObjectA(bitmap, sizeof bm, &bm);
  DDSURFACEDESC desc;
  std::memset(&desc, 0, sizeof desc);
  desc.dwSize = sizeof desc;
  desc.dwFlags = DDSD_HEIGHT | DDSD_WIDTH;
  surface->GetSurfaceDesc(&desc);
  HDC target = nullptr;
  const HRESULT hr = surface->GetDC(&target);
  if (hr == DD_OK) {
    StretchBlt(target, 0, 0, static_cast<int>(desc.dwWidth), static_cast<int>(desc.dwHeight),
               memory, x, y, width != 0 ? width : bm.bmWidth, height != 0 ? height : bm.bmHeight,
               SRCCOPY);
    surface->ReleaseDC(target);
  }
  if (previous != nullptr) SelectObject(memory, previous);
  DeleteDC(memory);
  return hr;
}

DWORD MatchSurfaceColor(IDirectDrawSurface* surface, int color) {
  COLORREF saved = 0;
  HDC dc = nullptr;
  bool written = false;
  if (color != -1 && surface->GetDC(&dc) == DD_OK) {
    saved = GetPixel(dc, 0, 0);
    SetPixel(dc, 0, 0, static_cast<COLORREF>(color));
    surface->ReleaseDC(dc);
    written = true;
  }
  DDSURFACEDESC desc;
  std::memset(&desc, 0, sizeof desc);
  desc.dwSize = sizeof desc;
  HRESULT hr;
  while ((hr = surface->Lock(nullptr, &desc, 0, nullptr)) == DDERR_WASSTILLDRAWING) {
  }
  DWORD key = 0xFFFFFFFFu;
  if (hr == DD_OK) {
    const DWORD bits = desc.ddpfPixelFormat.dwRGBBitCount;
    uint32_t value = 0;
    std::memcpy(&value, desc.lpSurface, bits >= 32 ? 4 : (bits + 7) / 8);
    key = bits >= 32 ? value : value & ((1u << bits) - 1);
    surface->Unlock(nullptr);
  }
  if (written && surface->GetDC(&dc) == DD_OK) {
    SetPixel(dc, 0, 0, saved);
    surface->ReleaseDC(dc);
  }
  return key;
}

HRESULT SetSurfaceColorKey(IDirectDrawSurface* surface, int color) {
  DDCOLORKEY key;
  key.dwColorSpaceLowValue = MatchSurfaceColor(surface, color);
  key.dwColorSpaceHighValue = key.dwColorSpaceLowValue;
  return surface->SetColorKey(DDCKEY_SRCBLT, &key);
}

int elDraw::LoadObject(const char* name, int placement) {
  constexpr const char* kOperation = "elDraw::LoadObject";
  if (name == nullptr) name = "";
  if (std::strlen(name) > 30) return ShowErrorMessage(kOperation, kMsgNameTooLong);
  const int slot = FindFreeSlot();
  if (slot < 0) return ShowErrorMessage(kOperation, kMsgTooManyObjects);
  DrawObject& o = gDrawObjects[slot];
  StoreName(o, name);
  o.sourceKind = 0;
  o.placement = 2;
  return LoadIntoSlot(slot, name, placement, kOperation, true) != 0 ? slot : 0;
}

int elDraw::CreateObject(int width, int height, int placement) {
  constexpr const char* kOperation = "elDraw::CreateObject";
  const int slot = FindFreeSlot();
  if (slot < 0) return ShowErrorMessage(kOperation, kMsgTooManyObjects);
  DrawObject& o = gDrawObjects[slot];
  StoreName(o, "*");
  o.sourceKind = 0;
  o.placement = 2;
  o.width = static_cast<uint16_t>(width);
  o.height = static_cast<uint16_t>(height);
  IDirectDrawSurface* surface = CreatePlainSurface(width, height, PlacementCaps(placement));
  if (surface == nullptr) return ShowErrorMessage(kOperation, kMsgSpriteFailed);
  o.surface = surface;
  const int key = LoadKeyColor();
  SetSurfaceColorKey(surface, key);
  o.colorKey = key;
  return slot;
}

int elDraw::SwapObject(const char* name, int slot, int placement) {
  constexpr const char* kOperation = "elDraw::SwapObject";
  if (name == nullptr) name = "";
  if (std::strlen(name) > 30) return ShowErrorMessage(kOperation, kMsgNameTooLong);
  if (!IsSlotNumber(slot)) return 0;
  DrawObject& o = gDrawObjects[slot];
  if (o.surface != nullptr) {
    o.surface->Release();
    o.surface = nullptr;
  }
  StoreName(o, name);
  o.sourceKind = 0;
  o.placement = 2;
  if (LoadIntoSlot(slot, name, placement, kOperation, false) == 0) return 0;
  return 1;
}

void elDraw::ReleaseObject(int slot) {
  if (!IsSlotNumber(slot)) return;
  DrawObject& o = gDrawObjects[slot];
  if (o.surface == nullptr) return;
  o.surface->Release();
  o.surface = nullptr;
  std::memset(o.name, 0, sizeof o.name);
  o.colorKey = 0;
  o.width = 0;
  o.height = 0;
}

void elDraw::SetColorKey(int color) {
  gLoadColorKey = color;
  gLoadKeyTopLeft = 0;
}

void elDraw::RestoreSurfaces() {
  if (gPrimarySurface != nullptr) gPrimarySurface->Restore();
  if (gBackSurface != nullptr && gBackSurface->IsLost() == DDERR_SURFACELOST) {
    gBackSurface->Restore();
  }
  for (int slot = 0; slot < 4; ++slot) {
    IDirectDrawSurface* s = gDrawObjects[slot].surface;
    if (s != nullptr && s->IsLost() == DDERR_SURFACELOST) s->Restore();
  }
  // Named pictures come back from their files; a slot whose load failed has nothing to restore.
  for (int slot = 4; slot < kDrawObjectCount; ++slot) {
    DrawObject& o = gDrawObjects[slot];
    if (o.name[0] == '\0' || o.surface == nullptr || o.surface->IsLost() != DDERR_SURFACELOST) {
      continue;
    }
    o.surface->Restore();
    if (o.name[0] == '*') continue;
    char name[sizeof o.name];
    std::memcpy(name, o.name, sizeof name);
    elDraw::SetColorKey(o.colorKey);
    if (o.sourceKind == 1) {
      elDraw::SwapPack(name, slot, o.placement);
    } else {
      elDraw::SwapObject(name, slot, o.placement);
    }
  }
}
