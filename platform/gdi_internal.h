// The GDI stand-in's own records: objects (bitmaps, fonts), device contexts and the pixels a
// device context draws on.
#pragma once

#include <vector>

#include "platform/gdi.h"
#include "platform/host.h"

struct HGDIOBJ__ {
  enum Kind { Bitmap, Font } kind = Bitmap;
  int selected = 0;     // number of device contexts it is selected into
  bool stock = false;   // never deleted
};

namespace platform::gdi {

// A device-independent bitmap: rows top-down, one 0x00RRGGBB word per pixel.
struct Bitmap : HGDIOBJ__ {
  int width = 0;
  int height = 0;
  int fileBitsPerPixel = 0;
  std::vector<uint32_t> pixels;
  Bitmap* nextLive = nullptr;
};

struct Font : HGDIOBJ__ {
  bool used = false;
  LOGFONTA logFont{};
};

bool IsLiveBitmap(const HGDIOBJ__* object);
void DestroyBitmap(Bitmap* bitmap);
bool IsFont(const HGDIOBJ__* object);
Font* DefaultFont();

// Pixels a device context draws on.
struct Target {
  uint8_t* pixels = nullptr;
  int pitch = 0;
  int width = 0;
  int height = 0;
  PixelLayout layout = PixelLayout::Xrgb8888;
};

}  // namespace platform::gdi

struct HDC__ {
  enum Kind { Free, Memory, Surface, Window } kind = Free;
  IDirectDrawSurface* surface = nullptr;
  platform::gdi::Bitmap* bitmap = nullptr;
  platform::gdi::Font* font = nullptr;
  COLORREF textColor = 0x000000;
  COLORREF backColor = 0xFFFFFF;
  int backMode = OPAQUE;
};

namespace platform::gdi {

bool IsLiveDC(HDC dc);
// The pixels of a device context; false for the window's context and for a lost surface.
bool TargetOf(HDC dc, Target& target);
uint32_t ReadPixel(const Target& t, int x, int y);
void WritePixel(const Target& t, int x, int y, uint32_t native);

}  // namespace platform::gdi
