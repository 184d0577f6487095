// Windows bitmap files: the reader behind LoadImageA, the bitmap objects it makes, GetObjectA.
#include <cstdio>
#include <cstring>
#include <new>

#include "platform/gdi_internal.h"
#include "platform/kernel32.h"

namespace platform::gdi {

namespace {

Bitmap* g_live_bitmaps = nullptr;

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kInfoHeaderSize = 40;
constexpr int kMaxSide = 16384;
constexpr size_t kMaxFileSize = 256u << 20;

uint32_t U16(const uint8_t* p) { return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8); }
uint32_t U32(const uint8_t* p) { return U16(p) | (U16(p + 2) << 16); }

uint32_t RgbOf(const uint8_t* bgr) {
  return (static_cast<uint32_t>(bgr[2]) << 16) | (static_cast<uint32_t>(bgr[1]) << 8) | bgr[0];
}

void Link(Bitmap* b) {
  b->nextLive = g_live_bitmaps;
  g_live_bitmaps = b;
}

void Unlink(Bitmap* b) {
  for (Bitmap** p = &g_live_bitmaps; *p != nullptr; p = &(*p)->nextLive) {
    if (*p == b) {
      *p = b->nextLive;
      return;
    }
  }
}

bool ReadWholeFile(const char* path, std::vector<uint8_t>& bytes) {
  FILE* f = std::fopen(path, "rb");
  if (f == nullptr) return false;
  bool ok = std::fseek(f, 0, SEEK_END) == 0;
  const long size = ok ? std::ftell(f) : -1;
  ok = ok && size >= 0 && static_cast<size_t>(size) <= kMaxFileSize &&
       std::fseek(f, 0, SEEK_SET) == 0;
  if (ok) {
    bytes.resize(static_cast<size_t>(size));
    ok = bytes.empty() || std::fread(bytes.data(), 1, bytes.size(), f) == bytes.size();
  }
  std::fclose(f);
  return ok;
}

}  // namespace

bool IsLiveBitmap(const HGDIOBJ__* object) {
  for (const Bitmap* b = g_live_bitmaps; b != nullptr; b = b->nextLive) {
    if (b == object) return true;
  }
  return false;
}

void DestroyBitmap(Bitmap* b) {
  Unlink(b);
  delete b;
}

}  // namespace platform::gdi

namespace platform {

HBITMAP DecodeBitmap(const uint8_t* bytes, size_t size) {
  using gdi::U16;
  using gdi::U32;
  if (bytes == nullptr || size < gdi::kFileHeaderSize + gdi::kInfoHeaderSize) return nullptr;
  if (bytes[0] != 'B' || bytes[1] != 'M') return nullptr;
  const uint64_t pixelOffset = U32(bytes + 10);
  const uint8_t* info = bytes + gdi::kFileHeaderSize;
  const uint64_t headerSize = U32(info);
  if (headerSize < gdi::kInfoHeaderSize || gdi::kFileHeaderSize + headerSize > size) return nullptr;
  const int32_t width = static_cast<int32_t>(U32(info + 4));
  const int32_t rawHeight = static_cast<int32_t>(U32(info + 8));
  const uint32_t planes = U16(info + 12);
  const uint32_t bpp = U16(info + 14);
  const uint32_t compression = U32(info + 16);
  const uint32_t colorsUsed = U32(info + 32);
  if (planes != 1 || compression != 0) return nullptr;  // BI_RGB only
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32) return nullptr;
  if (width <= 0 || width > gdi::kMaxSide || rawHeight == 0 || rawHeight < -gdi::kMaxSide ||
      rawHeight > gdi::kMaxSide) {
    return nullptr;
  }
  const bool topDown = rawHeight < 0;
  const int height = topDown ? -rawHeight : rawHeight;

  // Palette of the indexed depths, right after the header.
  uint32_t palette[256] = {};
  uint32_t paletteSize = 0;
  if (bpp <= 8) {
    const uint32_t most = 1u << bpp;
    paletteSize = colorsUsed == 0 || colorsUsed > most ? most : colorsUsed;
    const uint64_t start = gdi::kFileHeaderSize + headerSize;
    if (start + static_cast<uint64_t>(paletteSize) * 4 > size) return nullptr;
    for (uint32_t i = 0; i < paletteSize; ++i) palette[i] = gdi::RgbOf(bytes + start + i * 4);
  }

  const uint64_t stride = ((static_cast<uint64_t>(width) * bpp + 31) / 32) * 4;
  if (pixelOffset > size || stride * height > size - pixelOffset) return nullptr;

  auto* bitmap = new (std::nothrow) gdi::Bitmap;
  if (bitmap == nullptr) return nullptr;
  bitmap->kind = HGDIOBJ__::Bitmap;
  bitmap->width = width;
  bitmap->height = height;
  bitmap->fileBitsPerPixel = static_cast<int>(bpp);
  bitmap->pixels.resize(static_cast<size_t>(width) * height);

  for (int y = 0; y < height; ++y) {
    const int fileRow = topDown ? y : height - 1 - y;
    const uint8_t* row = bytes + pixelOffset + stride * static_cast<uint64_t>(fileRow);
    uint32_t* out = bitmap->pixels.data() + static_cast<size_t>(y) * width;
    switch (bpp) {
      case 32:
        for (int x = 0; x < width; ++x) out[x] = gdi::RgbOf(row + x * 4);
        break;
      case 24:
        for (int x = 0; x < width; ++x) out[x] = gdi::RgbOf(row + x * 3);
        break;
      default: {
        // Indexed: the leftmost pixel in the byte's top bits; indices past the palette are black.
        const int perByte = 8 / static_cast<int>(bpp);
        const uint32_t mask = (1u << bpp) - 1;
        for (int x = 0; x < width; ++x) {
          const int shift = static_cast<int>(bpp) * (perByte - 1 - x % perByte);
          const uint32_t index = (row[x / perByte] >> shift) & mask;
          out[x] = index < paletteSize ? palette[index] : 0;
        }
        break;
      }
    }
  }
  gdi::Link(bitmap);
  return bitmap;
}

}  // namespace platform

HANDLE LoadImageA(HINSTANCE /*instance*/, LPCSTR name, UINT type, int /*cx*/, int /*cy*/,
                  UINT flags) {
  if (name == nullptr || type != IMAGE_BITMAP) return nullptr;
  HBITMAP bitmap = nullptr;
  if ((flags & LR_LOADFROMFILE) != 0) {
    std::vector<uint8_t> bytes;
    if (platform::gdi::ReadWholeFile(name, bytes)) {
      bitmap = platform::DecodeBitmap(bytes.data(), bytes.size());
    }
  } else if (!IS_INTRESOURCE(name)) {
    // The program is one module: every bitmap resource lives in its one resource table.
    const std::vector<uint8_t>* bytes = platform::FindResourceBytes(name, nullptr, RT_BITMAP);
    if (bytes != nullptr) bitmap = platform::DecodeBitmap(bytes->data(), bytes->size());
  }
  return reinterpret_cast<HANDLE>(bitmap);
}

int GetObjectA(HGDIOBJ object, int size, LPVOID buffer) {
  if (platform::gdi::IsLiveBitmap(object)) {
    if (buffer == nullptr) return sizeof(BITMAP);
    if (size < static_cast<int>(sizeof(BITMAP))) return 0;
    auto* b = static_cast<platform::gdi::Bitmap*>(object);
    BITMAP bm{};
    bm.bmType = 0;
    bm.bmWidth = b->width;
    bm.bmHeight = b->height;
    bm.bmWidthBytes = b->width * 4;
    bm.bmPlanes = 1;
    bm.bmBitsPixel = 32;
    bm.bmBits = b->pixels.data();
    std::memcpy(buffer, &bm, sizeof(bm));
    return sizeof(BITMAP);
  }
  if (platform::gdi::IsFont(object)) {
    if (buffer == nullptr) return sizeof(LOGFONTA);
    if (size < static_cast<int>(sizeof(LOGFONTA))) return 0;
    std::memcpy(buffer, &static_cast<platform::gdi::Font*>(object)->logFont, sizeof(LOGFONTA));
    return sizeof(LOGFONTA);
  }
  return 0;
}
