// Feeds arbitrary bytes to the Windows bitmap reader and copies whatever it accepts into a surface.
#include <cstddef>
#include <cstdint>

#include "platform/ddraw.h"
#include "platform/gdi.h"
#include "platform/host_headless.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static platform::HeadlessHost host;
  static IDirectDraw* dd = [] {
    platform::SetHost(&host);
    IDirectDraw* made = nullptr;
    DirectDrawCreate(nullptr, &made, nullptr);
    return made;
  }();
  HBITMAP bitmap = platform::DecodeBitmap(data, size);
  if (bitmap == nullptr) return 0;
  BITMAP bm{};
  GetObjectA(bitmap, sizeof bm, &bm);
  DDSURFACEDESC desc{};
  desc.dwSize = sizeof desc;
  desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
  desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
  desc.dwWidth = static_cast<DWORD>(bm.bmWidth);
  desc.dwHeight = static_cast<DWORD>(bm.bmHeight);
  IDirectDrawSurface* surface = nullptr;
  if (dd->CreateSurface(&desc, &surface, nullptr) == DD_OK) {
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    HDC target = nullptr;
    if (surface->GetDC(&target) == DD_OK) {
      StretchBlt(target, 0, 0, bm.bmWidth, bm.bmHeight, memory, 0, 0, bm.bmWidth, bm.bmHeight,
                 SRCCOPY);
      surface->ReleaseDC(target);
    }
    SelectObject(memory, previous);
    DeleteDC(memory);
    surface->Release();
  }
  DeleteObject(bitmap);
  return 0;
}
