// Reloading a picture from the pack file: a plain run of entries (width, height, upper-case name
// ending in a zero byte, then width x height 5-5-5 pixels), each read in turn until the name matches.
#include <cstdio>
#include <cstring>
#include <vector>

#include "engine/el_draw_internal.h"
#include "engine/shell.h"

char gPackFilePath[256] = "";

namespace {

constexpr const char* kOperation = "elDraw::SwapPack";
constexpr size_t kMaxPackName = 127;

bool ReadU16(FILE* f, uint16_t& value) {
  uint8_t b[2];
  if (std::fread(b, 1, 2, f) != 2) return false;
  value = static_cast<uint16_t>(b[0] | (b[1] << 8));
  return true;
}

uint32_t Widen5To8(uint32_t v) { return (v << 3) | (v >> 2); }

// One 5-5-5 pack pixel in the back buffer's layout.
uint32_t PackPixel(uint32_t v, int bytesPerPixel) {
  const uint32_t r = (v >> 10) & 31, g = (v >> 5) & 31, b = v & 31;
  const PixelLayoutInfo& p = gPixelLayout;
  if (bytesPerPixel == 4) {
    return (Widen5To8(r) << p.redShift) | (Widen5To8(g) << p.greenShift) |
           (Widen5To8(b) << p.blueShift);
  }
  return (r << p.redPlace) | (g << p.greenPlace) | (b << p.bluePlace);
}

int Fail(FILE* f, const char* message) {
  std::fclose(f);
  return ShowErrorMessage(kOperation, message);
}

}  // namespace

void SetPackFilePath(const char* path) {
  std::snprintf(gPackFilePath, sizeof gPackFilePath, "%s", path != nullptr ? path : "");
}

int elDraw::SwapPack(const char* name, int slot, int placement) {
  FILE* f = gPackFilePath[0] != '\0' ? std::fopen(gPackFilePath, "rb") : nullptr;
  if (f == nullptr) return ShowErrorMessage(kOperation, "パックファイル名が指定されていません");
  long fileSize = -1;
  if (std::fseek(f, 0, SEEK_END) == 0) fileSize = std::ftell(f);
  if (fileSize < 0 || std::fseek(f, 0, SEEK_SET) != 0) return Fail(f, kMsgBmpUnreadable);

  char wanted[kMaxPackName + 1] = {};
  std::strncpy(wanted, name != nullptr ? name : "", kMaxPackName);
  CharUpperBuffA(wanted, static_cast<DWORD>(std::strlen(wanted)));

  // Find the entry.
  uint16_t width = 0, height = 0;
  for (;;) {
    if (!ReadU16(f, width) || !ReadU16(f, height)) return Fail(f, kMsgBmpUnreadable);
    char stored[kMaxPackName + 1];
    size_t length = 0;
    bool ended = false;
    for (int c; (c = std::fgetc(f)) != EOF;) {
      if (c == 0) {
        ended = true;
        break;
      }
      if (length == kMaxPackName) break;  // a name longer than any entry may carry
      stored[length++] = static_cast<char>(c);
    }
    if (!ended) return Fail(f, kMsgBmpUnreadable);
    stored[length] = '\0';
    const long at = std::ftell(f);
    const uint64_t pixelBytes = static_cast<uint64_t>(width) * height * 2;
    if (at < 0 || pixelBytes > static_cast<uint64_t>(fileSize - at)) {
      return Fail(f, kMsgBmpUnreadable);  // the file ends inside the pixels
    }
    if (std::strcmp(stored, wanted) == 0) break;
    if (std::fseek(f, static_cast<long>(pixelBytes), SEEK_CUR) != 0) {
      return Fail(f, kMsgBmpUnreadable);
    }
  }

  // The given slot becomes free; the picture takes the first free slot.
  if (IsSlotNumber(slot)) {
    DrawObject& given = gDrawObjects[slot];
    if (given.surface != nullptr) {
      given.surface->Release();
      given.surface = nullptr;
    }
    std::memset(given.name, 0, sizeof given.name);
  }
  const int result = elDraw::CreateObject(width, height, placement);
  if (result == 0) {
    std::fclose(f);
    return 0;
  }
  const int temporary = elDraw::CreateObject(width, height, 2);
  if (temporary == 0) {
    std::fclose(f);
    return 0;
  }

  // The pixels into the temporary, row by row at its pitch.
  IDirectDrawSurface* temp = gDrawObjects[temporary].surface;
  DDSURFACEDESC desc;
  std::memset(&desc, 0, sizeof desc);
  desc.dwSize = sizeof desc;
  if (temp->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr) != DD_OK) {
    std::fclose(f);
    return 0;
  }
  const int bytesPerPixel = static_cast<int>(desc.ddpfPixelFormat.dwRGBBitCount / 8);
  std::vector<uint8_t> row(static_cast<size_t>(width) * 2);
  for (int y = 0; y < height; ++y) {
    if (std::fread(row.data(), 1, row.size(), f) != row.size()) {
      temp->Unlock(nullptr);
      return Fail(f, kMsgBmpUnreadable);
    }
    uint8_t* out = static_cast<uint8_t*>(desc.lpSurface) + static_cast<size_t>(y) * desc.lPitch;
    for (int x = 0; x < width; ++x) {
      const uint32_t v = PackPixel(row[2 * x] | (row[2 * x + 1] << 8), bytesPerPixel);
      if (bytesPerPixel == 4) {
        std::memcpy(out + 4 * x, &v, 4);
      } else {
        const uint16_t v16 = static_cast<uint16_t>(v);
        std::memcpy(out + 2 * x, &v16, 2);
      }
    }
  }
  temp->Unlock(nullptr);
  std::fclose(f);

  // Copy the whole temporary onto the result.
  bool copied = false;
  for (int attempt = 0; attempt < 10 && !copied; ++attempt) {
    const HRESULT hr = gDrawObjects[result].surface->Blt(nullptr, temp, nullptr, DDBLT_WAIT, nullptr);
    if (hr == DD_OK) {
      copied = true;
    } else if (hr == DDERR_SURFACELOST) {
      elDraw::RestoreSurfaces();
    }
  }
  if (!copied) return ShowErrorMessage(kOperation, "サーフェース間で展開できません");

  elDraw::ReleaseObject(temporary);
  DrawObject& o = gDrawObjects[result];
  const int key = LoadKeyColor();
  SetSurfaceColorKey(o.surface, key);
  std::snprintf(o.name, sizeof o.name, "%.30s", wanted);
  o.width = width;
  o.height = height;
  o.sourceKind = 1;
  o.placement = 2;
  o.colorKey = key;
  return result;
}
