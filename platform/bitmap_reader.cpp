// Windows bitmap files: the reader behind LoadImageA, the bitmap objects it makes, GetObjectA.
#include <algorithm>
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

namespace {

using gdi::U16;
using gdi::U32;

constexpr uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3;
constexpr size_t kCoreHeaderSize = 12;
constexpr size_t kMasksEnd = gdi::kFileHeaderSize + gdi::kInfoHeaderSize + 12;
// Most pixels a picture may have (64 MiB once decoded): far past any real picture, and the most a
// few hostile header bytes can make the reader allocate.
constexpr uint64_t kMostPixels = uint64_t{1} << 24;

// One colour channel of a 16- or 32-bit pixel: where its bits sit and how many there are.
struct Channel {
  uint32_t shift = 0;
  uint32_t bits = 0;

  // A mask must be one run of bits; an empty mask gives a channel that always reads 0.
  bool Set(uint32_t mask) {
    if (mask == 0) return true;
    shift = static_cast<uint32_t>(__builtin_ctz(mask));
    bits = static_cast<uint32_t>(__builtin_popcount(mask));
    return (mask >> shift) == (bits == 32 ? 0xFFFFFFFFu : (1u << bits) - 1);
  }

  // The channel of `pixel` on the 0-255 scale: narrow channels stretched to it, rounded (so the
  // top five or six bits a 16-bit surface keeps are the channel's own), wide ones cut to 8 bits.
  uint32_t Of(uint32_t pixel) const {
    if (bits == 0) return 0;
    const uint32_t most = bits == 32 ? 0xFFFFFFFFu : (1u << bits) - 1;
    const uint32_t v = (pixel >> shift) & most;
    if (bits >= 8) return v >> (bits - 8);
    return (v * 255 + most / 2) / most;
  }
};

// What the headers say about the picture, checked against the file's size.
struct Layout {
  int width = 0;
  int height = 0;
  bool topDown = false;
  uint32_t bpp = 0;
  uint32_t compression = kRgb;
  uint32_t paletteSize = 0;
  uint32_t palette[256] = {};
  Channel channels[3];  // red, green, blue
  uint64_t pixelOffset = 0;
  uint64_t pixelBytes = 0;  // the run-length stream's size; the rows' for uncompressed pictures
};

bool ReadLayout(const uint8_t* bytes, size_t size, Layout& l) {
  if (bytes == nullptr || size < gdi::kFileHeaderSize + kCoreHeaderSize) return false;
  if (bytes[0] != 'B' || bytes[1] != 'M') return false;
  l.pixelOffset = U32(bytes + 10);
  const uint8_t* info = bytes + gdi::kFileHeaderSize;
  const uint64_t headerSize = U32(info);
  if (gdi::kFileHeaderSize + headerSize > size) return false;
  int64_t width = 0, height = 0;
  uint32_t planes = 0, colorsUsed = 0, sizeImage = 0, entryBytes = 4;
  if (headerSize == kCoreHeaderSize) {
    // The old core header: 16-bit sizes, always bottom-up, three-byte palette entries.
    width = U16(info + 4);
    height = U16(info + 6);
    planes = U16(info + 8);
    l.bpp = U16(info + 10);
    entryBytes = 3;
    if (l.bpp != 1 && l.bpp != 4 && l.bpp != 8 && l.bpp != 24) return false;
  } else if (headerSize >= gdi::kInfoHeaderSize) {
    width = static_cast<int32_t>(U32(info + 4));
    height = static_cast<int32_t>(U32(info + 8));
    planes = U16(info + 12);
    l.bpp = U16(info + 14);
    l.compression = U32(info + 16);
    sizeImage = U32(info + 20);
    colorsUsed = U32(info + 32);
  } else {
    return false;
  }
  l.topDown = height < 0;
  if (l.topDown) height = -height;
  if (planes != 1 || width <= 0 || height == 0 ||
      static_cast<uint64_t>(width) * static_cast<uint64_t>(height) > kMostPixels) {
    return false;
  }
  l.width = static_cast<int>(width);
  l.height = static_cast<int>(height);

  switch (l.compression) {
    case kRgb:
      if (l.bpp != 1 && l.bpp != 4 && l.bpp != 8 && l.bpp != 16 && l.bpp != 24 && l.bpp != 32) {
        return false;
      }
      break;
    case kRle8:
    case kRle4:
      // Run-length pictures are always stored bottom-up.
      if (l.bpp != (l.compression == kRle8 ? 8u : 4u) || l.topDown) return false;
      break;
    case kBitFields:
      if (l.bpp != 16 && l.bpp != 32) return false;
      break;
    default:
      return false;
  }

  // Channel masks: from the header (or the three words after the plain info header) when the
  // picture has bit fields, else the defaults of its depth (16 bits: five bits each).
  if (l.bpp == 16 || l.bpp == 32) {
    uint32_t masks[3] = {0x7C00, 0x03E0, 0x001F};
    if (l.bpp == 32) masks[0] = 0xFF0000, masks[1] = 0xFF00, masks[2] = 0xFF;
    if (l.compression == kBitFields) {
      if (kMasksEnd > size) return false;
      for (int i = 0; i < 3; ++i) masks[i] = U32(info + gdi::kInfoHeaderSize + 4 * i);
    }
    for (int i = 0; i < 3; ++i) {
      if (!l.channels[i].Set(masks[i])) return false;
    }
  }

  // Palette of the indexed depths, right after the header; it may hold fewer than 2^bits colours.
  if (l.bpp <= 8) {
    const uint32_t most = 1u << l.bpp;
    l.paletteSize = colorsUsed == 0 || colorsUsed > most ? most : colorsUsed;
    const uint64_t start = gdi::kFileHeaderSize + headerSize;
    if (start + static_cast<uint64_t>(l.paletteSize) * entryBytes > size) return false;
    for (uint32_t i = 0; i < l.paletteSize; ++i) {
      l.palette[i] = gdi::RgbOf(bytes + start + static_cast<uint64_t>(i) * entryBytes);
    }
  }

  // The rows (or the run-length stream) must lie inside the file.
  if (l.pixelOffset > size) return false;
  if (l.compression == kRle8 || l.compression == kRle4) {
    // The stream may skip rows, jump, or end the picture early: its length says nothing of the
    // picture's size.
    l.pixelBytes = sizeImage == 0 ? size - l.pixelOffset : sizeImage;
  } else {
    l.pixelBytes = ((static_cast<uint64_t>(l.width) * l.bpp + 31) / 32) * 4 * l.height;
  }
  return l.pixelBytes <= size - l.pixelOffset;
}

uint32_t IndexedColour(const Layout& l, uint32_t index) {
  return index < l.paletteSize ? l.palette[index] : 0;
}

void DecodeRows(const Layout& l, const uint8_t* pixels, uint32_t* out) {
  const uint64_t stride = ((static_cast<uint64_t>(l.width) * l.bpp + 31) / 32) * 4;
  for (int y = 0; y < l.height; ++y, out += l.width) {
    const int fileRow = l.topDown ? y : l.height - 1 - y;
    const uint8_t* row = pixels + stride * static_cast<uint64_t>(fileRow);
    switch (l.bpp) {
      case 24:
        for (int x = 0; x < l.width; ++x) out[x] = gdi::RgbOf(row + x * 3);
        break;
      case 16:
      case 32:
        for (int x = 0; x < l.width; ++x) {
          const uint32_t v = l.bpp == 16 ? U16(row + x * 2) : U32(row + x * 4);
          out[x] = (l.channels[0].Of(v) << 16) | (l.channels[1].Of(v) << 8) | l.channels[2].Of(v);
        }
        break;
      default: {
        // Indexed: the leftmost pixel in the byte's top bits; indices past the palette are black.
        const int perByte = 8 / static_cast<int>(l.bpp);
        const uint32_t mask = (1u << l.bpp) - 1;
        for (int x = 0; x < l.width; ++x) {
          const int shift = static_cast<int>(l.bpp) * (perByte - 1 - x % perByte);
          out[x] = IndexedColour(l, (row[x / perByte] >> shift) & mask);
        }
        break;
      }
    }
  }
}

// A run-length stream, from the bottom row up: runs of one index (RLE8) or of two alternating
// nibbles (RLE4), end of line, end of picture, a jump, and literal runs padded to whole words.
// Pixels the stream skips stay black, runs past a row's end are dropped. False when the stream
// runs out before the picture ends.
bool DecodeRunLength(const Layout& l, const uint8_t* p, const uint8_t* end, uint32_t* pixels) {
  const bool four = l.compression == kRle4;
  int x = 0, y = 0;
  auto put = [&](uint32_t index) {
    if (x < l.width) {
      pixels[static_cast<size_t>(l.height - 1 - y) * l.width + x] = IndexedColour(l, index);
    }
    ++x;
  };
  while (y < l.height) {
    if (end - p < 2) return false;
    const uint32_t count = p[0], value = p[1];
    p += 2;
    if (count > 0) {
      for (uint32_t i = 0; i < count && x < l.width; ++i) {
        put(four ? (i % 2 == 0 ? value >> 4 : value & 15) : value);
      }
      continue;
    }
    if (value == 0) {
      x = 0;
      ++y;
    } else if (value == 1) {
      return true;
    } else if (value == 2) {
      if (end - p < 2) return false;
      x = std::min(x + p[0], l.width);
      y += p[1];
      p += 2;
    } else {
      const size_t used = four ? (value + 1) / 2 : value;
      const size_t padded = (used + 1) & ~static_cast<size_t>(1);
      if (static_cast<size_t>(end - p) < padded) return false;
      for (uint32_t i = 0; i < value && x < l.width; ++i) {
        put(four ? (i % 2 == 0 ? p[i / 2] >> 4 : p[i / 2] & 15) : p[i]);
      }
      p += padded;
    }
  }
  return true;
}

}  // namespace

HBITMAP DecodeBitmap(const uint8_t* bytes, size_t size) {
  Layout layout;
  if (!ReadLayout(bytes, size, layout)) return nullptr;
  auto* bitmap = new (std::nothrow) gdi::Bitmap;
  if (bitmap == nullptr) return nullptr;
  bitmap->kind = HGDIOBJ__::Bitmap;
  bitmap->width = layout.width;
  bitmap->height = layout.height;
  bitmap->fileBitsPerPixel = static_cast<int>(layout.bpp);
  bitmap->pixels.assign(static_cast<size_t>(layout.width) * layout.height, 0);
  const uint8_t* pixels = bytes + layout.pixelOffset;
  if (layout.compression == kRle8 || layout.compression == kRle4) {
    if (!DecodeRunLength(layout, pixels, pixels + layout.pixelBytes, bitmap->pixels.data())) {
      delete bitmap;
      return nullptr;
    }
  } else {
    DecodeRows(layout, pixels, bitmap->pixels.data());
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
