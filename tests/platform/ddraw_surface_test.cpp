// The DirectDraw stand-in: rectangles refused as DirectDraw refuses them, colour keys, lost
// surfaces, pixel formats and the primary surface's presentation.
#include <gtest/gtest.h>

#include <cstring>
#include <utility>

#include "platform/ddraw.h"
#include "platform/ddraw_internal.h"
#include "platform/gdi.h"
#include "platform/host_headless.h"
#include "platform/user32.h"

namespace {

using platform::PixelLayout;

class DDrawSurface : public ::testing::TestWithParam<PixelLayout> {
 protected:
  platform::HeadlessHost host;
  IDirectDraw* dd = nullptr;

  void SetUp() override {
    platform::SetHost(&host);
    host.desktop_layout = GetParam();
    ASSERT_EQ(DirectDrawCreate(nullptr, &dd, nullptr), DD_OK);
  }
  void TearDown() override {
    platform::ddraw::UseKeyedCopy(platform::ddraw::BestKeyedCopy());
    dd->Release();
    platform::ResetDirectDrawForTest();
  }

  IDirectDrawSurface* Plain(int w, int h) {
    DDSURFACEDESC d;
    std::memset(&d, 0, sizeof d);
    d.dwSize = sizeof d;
    d.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    d.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    d.dwWidth = static_cast<DWORD>(w);
    d.dwHeight = static_cast<DWORD>(h);
    IDirectDrawSurface* s = nullptr;
    EXPECT_EQ(dd->CreateSurface(&d, &s, nullptr), DD_OK);
    return s;
  }

  IDirectDrawSurface* Primary() {
    DDSURFACEDESC d;
    std::memset(&d, 0, sizeof d);
    d.dwSize = sizeof d;
    d.dwFlags = DDSD_CAPS;
    d.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    IDirectDrawSurface* s = nullptr;
    EXPECT_EQ(dd->CreateSurface(&d, &s, nullptr), DD_OK);
    return s;
  }

  // Reads and writes through Lock, at the pitch the lock reports.
  static uint32_t Get(IDirectDrawSurface* s, int x, int y) {
    DDSURFACEDESC d;
    std::memset(&d, 0, sizeof d);
    d.dwSize = sizeof d;
    EXPECT_EQ(s->Lock(nullptr, &d, DDLOCK_WAIT, nullptr), DD_OK);
    const int bytes = static_cast<int>(d.ddpfPixelFormat.dwRGBBitCount / 8);
    uint32_t v = 0;
    std::memcpy(&v, static_cast<uint8_t*>(d.lpSurface) + y * d.lPitch + x * bytes, bytes);
    s->Unlock(nullptr);
    return v;
  }

  static HRESULT Fill(IDirectDrawSurface* s, RECT r, DWORD colour, DWORD flags = DDBLT_WAIT) {
    DDBLTFX fx;
    std::memset(&fx, 0, sizeof fx);
    fx.dwSize = sizeof fx;
    fx.dwFillColor = colour;
    return s->Blt(&r, nullptr, nullptr, DDBLT_COLORFILL | flags, &fx);
  }

  // Reads past the API, where a lock would drop the surface's opaque runs.
  static uint32_t Raw(const IDirectDrawSurface* s, int x, int y) {
    uint32_t v = 0;
    std::memcpy(&v, s->pixels + y * s->pitch + x * s->BytesPerPixel(), s->BytesPerPixel());
    return v;
  }

  static void Put(IDirectDrawSurface* s, int x, int y, uint32_t v) {
    DDSURFACEDESC d;
    std::memset(&d, 0, sizeof d);
    d.dwSize = sizeof d;
    ASSERT_EQ(s->Lock(nullptr, &d, DDLOCK_WAIT, nullptr), DD_OK);
    const int bytes = static_cast<int>(d.ddpfPixelFormat.dwRGBBitCount / 8);
    std::memcpy(static_cast<uint8_t*>(d.lpSurface) + y * d.lPitch + x * bytes, &v, bytes);
    s->Unlock(nullptr);
  }

  static void Coded(IDirectDrawSurface* s) {
    for (int y = 0; y < s->height; ++y) {
      for (int x = 0; x < s->width; ++x) Put(s, x, y, static_cast<uint32_t>(1 + x + 50 * y));
    }
  }

  // Runs `check` once for each way of making colour-keyed copies that this processor has: masked
  // stores, opaque runs, compares. Surfaces keyed inside `check` are keyed for that way.
  template <typename Check>
  static void ForEachKeyedCopy(Check&& check) {
    using platform::ddraw::KeyedCopy;
    const std::pair<KeyedCopy, const char*> ways[] = {
        {KeyedCopy::kMasked, "masked stores"}, {KeyedCopy::kRuns, "opaque runs"},
        {KeyedCopy::kCompare, "compares"}};
    for (const auto& [way, name] : ways) {
      if (!platform::ddraw::UseKeyedCopy(way)) continue;
      SCOPED_TRACE(name);
      check();
    }
  }

  // A 40 x 5 source keyed on 9: runs of every length, cut by the blits' edges and in both of the
  // runs' 16-pixel columns; row 2 is the key alone.
  static IDirectDrawSurface* KeyedPattern(IDirectDrawSurface* src) {
    for (int y = 0; y < 5; ++y) {
      for (int x = 0; x < 40; ++x) {
        const bool key = y == 2 || (x * (y + 1)) % 7 < y;
        Put(src, x, y, key ? 9u : static_cast<uint32_t>(100 + x + 40 * y));
      }
    }
    DDCOLORKEY key{9, 9};
    EXPECT_EQ(src->SetColorKey(DDCKEY_SRCBLT, &key), DD_OK);
    return src;
  }

  // Fills `dst` with 7, copies `r` of `src` (keyed on 9) to (dx, dy) with the source key, and
  // checks every pixel of `dst`: the source's where it is not the key, 7 everywhere else.
  static void CheckKeyedCopy(IDirectDrawSurface* src, IDirectDrawSurface* dst, int dx, int dy,
                             const RECT& r) {
    for (int y = 0; y < dst->height; ++y) {
      for (int x = 0; x < dst->width; ++x) Put(dst, x, y, 7);
    }
    RECT rect = r;
    ASSERT_EQ(dst->BltFast(static_cast<DWORD>(dx), static_cast<DWORD>(dy), src, &rect,
                           DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT),
              DD_OK);
    for (int y = 0; y < dst->height; ++y) {
      for (int x = 0; x < dst->width; ++x) {
        const int sx = x - dx + r.left;
        const int sy = y - dy + r.top;
        const bool inside = sx >= r.left && sx < r.right && sy >= r.top && sy < r.bottom;
        const uint32_t s = inside ? Raw(src, sx, sy) : 9u;
        ASSERT_EQ(Get(dst, x, y), s == 9u ? 7u : s)
            << r.left << "," << r.top << "," << r.right << "," << r.bottom << " at " << x << ","
            << y;
      }
    }
  }

  static bool Empty(IDirectDrawSurface* s) {
    for (int y = 0; y < s->height; ++y) {
      for (int x = 0; x < s->width; ++x) {
        if (Get(s, x, y) != 0) return false;
      }
    }
    return true;
  }
};

TEST_P(DDrawSurface, BadSourceRectanglesAreRefusedAndDrawNothing) {
  IDirectDrawSurface* src = Plain(8, 6);
  IDirectDrawSurface* dst = Plain(20, 20);
  Coded(src);
  const RECT bad[] = {{2, 2, 2, 5},  {3, 1, 2, 4},   {0, 3, 8, 2},  {-1, 0, 4, 4},
                      {0, -2, 4, 4}, {4, 0, 9, 6},   {0, 0, 8, 7},  {0x7FFFFFF0, 0, 0x7FFFFFFF, 1}};
  for (RECT r : bad) {
    EXPECT_EQ(dst->BltFast(0, 0, src, &r, DDBLTFAST_WAIT), DDERR_INVALIDRECT);
    EXPECT_EQ(dst->BltFast(0, 0, src, &r, DDBLTFAST_SRCCOLORKEY), DDERR_INVALIDRECT);
    RECT d{0, 0, r.right - r.left, r.bottom - r.top};
    EXPECT_EQ(dst->Blt(&d, src, &r, DDBLT_WAIT, nullptr), DDERR_INVALIDRECT);
  }
  EXPECT_TRUE(Empty(dst));
  src->Release();
  dst->Release();
}

TEST_P(DDrawSurface, BltFastNeverClipsItsDestination) {
  IDirectDrawSurface* src = Plain(8, 6);
  IDirectDrawSurface* dst = Plain(20, 20);
  Coded(src);
  EXPECT_EQ(dst->BltFast(13, 0, src, nullptr, DDBLTFAST_WAIT), DDERR_INVALIDRECT);
  EXPECT_EQ(dst->BltFast(0, 15, src, nullptr, DDBLTFAST_WAIT), DDERR_INVALIDRECT);
  EXPECT_EQ(dst->BltFast(static_cast<DWORD>(-1), 0, src, nullptr, DDBLTFAST_WAIT), DDERR_INVALIDRECT);
  EXPECT_TRUE(Empty(dst));
  EXPECT_EQ(dst->BltFast(12, 14, src, nullptr, DDBLTFAST_WAIT), DD_OK);
  EXPECT_EQ(Get(dst, 19, 19), Get(src, 7, 5));
  src->Release();
  dst->Release();
}

TEST_P(DDrawSurface, SourceColourKeySkipsOnlyTheKey) {
  ForEachKeyedCopy([&] {
    // 37 wide: whole blocks of pixels and a remainder; every third pixel is the key 9.
    IDirectDrawSurface* src = Plain(37, 2);
    IDirectDrawSurface* dst = Plain(40, 2);
    for (int x = 0; x < 37; ++x) Put(src, x, 1, x % 3 == 1 ? 9u : static_cast<uint32_t>(x + 100));
    for (int x = 0; x < 40; ++x) Put(dst, x, 1, 7);
    DDCOLORKEY key{9, 9};
    ASSERT_EQ(src->SetColorKey(DDCKEY_SRCBLT, &key), DD_OK);
    RECT row{0, 1, 37, 2};
    EXPECT_EQ(dst->BltFast(2, 1, src, &row, DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT), DD_OK);
    EXPECT_EQ(Get(dst, 0, 1), 7u);
    EXPECT_EQ(Get(dst, 1, 1), 7u);
    for (int x = 0; x < 37; ++x) {
      EXPECT_EQ(Get(dst, x + 2, 1), x % 3 == 1 ? 7u : static_cast<uint32_t>(x + 100)) << x;
    }
    EXPECT_EQ(Get(dst, 39, 1), 7u);
    EXPECT_EQ(dst->BltFast(2, 1, src, &row, DDBLTFAST_WAIT), DD_OK);
    EXPECT_EQ(Get(dst, 3, 1), 9u);  // without the flag the key is copied too
    src->Release();
    dst->Release();
  });
}

// The opaque runs take memory for every keyed picture: they are made only while the copies go
// through them.
TEST_P(DDrawSurface, OpaqueRunsAreMadeOnlyForTheWayThatUsesThem) {
  using platform::ddraw::KeyedCopy;
  ASSERT_TRUE(platform::ddraw::UseKeyedCopy(KeyedCopy::kRuns));
  IDirectDrawSurface* withRuns = KeyedPattern(Plain(40, 5));
  ASSERT_NE(withRuns->keyRuns, nullptr);
  EXPECT_TRUE(withRuns->keyRuns->valid);
  for (KeyedCopy way : {KeyedCopy::kMasked, KeyedCopy::kCompare}) {
    if (!platform::ddraw::UseKeyedCopy(way)) continue;
    IDirectDrawSurface* without = KeyedPattern(Plain(40, 5));
    EXPECT_EQ(without->keyRuns, nullptr);
    without->Release();
  }
  withRuns->Release();
}

TEST_P(DDrawSurface, ClippedKeyedCopiesSkipExactlyTheKey) {
  ForEachKeyedCopy([&] {
    IDirectDrawSurface* src = KeyedPattern(Plain(40, 5));
    IDirectDrawSurface* dst = Plain(50, 5);
    // Every row whole, and cut to widths under, at and over one vector of pixels (16 or 32 of
    // them) and across the runs' 16-pixel columns.
    const RECT cuts[] = {{0, 0, 40, 5},  {3, 1, 4, 5},   {5, 0, 21, 4}, {16, 0, 33, 5},
                         {17, 3, 18, 4}, {31, 0, 40, 2}, {1, 0, 39, 5}, {4, 0, 36, 5},
                         {2, 0, 18, 5},  {0, 1, 31, 4}};
    for (const RECT& r : cuts) CheckKeyedCopy(src, dst, 4, 0, r);
    src->Release();
    dst->Release();
  });
}

// A picture keyed all round: opaque only in columns 6 to 33 of rows 2 to 5, with holes of the key
// inside. Keyed copies look only inside that part, so a copy cut across any of its edges, or
// lying wholly outside it, must still draw exactly the opaque pixels at their places; and pixels
// that turn opaque outside it after the key was set must show in the next copy.
TEST_P(DDrawSurface, KeyedCopiesOfAPictureKeyedAllRoundDrawEveryOpaquePixelInPlace) {
  auto framed = [&] {
    IDirectDrawSurface* src = Plain(40, 8);
    for (int y = 0; y < 8; ++y) {
      for (int x = 0; x < 40; ++x) {
        const bool opaque = x >= 6 && x < 34 && y >= 2 && y < 6 && (x + y) % 5 != 0;
        Put(src, x, y, opaque ? static_cast<uint32_t>(100 + x + 40 * y) : 9u);
      }
    }
    DDCOLORKEY key{9, 9};
    EXPECT_EQ(src->SetColorKey(DDCKEY_SRCBLT, &key), DD_OK);
    return src;
  };
  ForEachKeyedCopy([&] {
    IDirectDrawSurface* dst = Plain(48, 10);
    IDirectDrawSurface* src = framed();
    const RECT cuts[] = {{0, 0, 40, 8}, {6, 2, 34, 6},   {5, 1, 35, 7},   {7, 3, 40, 8},
                         {0, 0, 33, 5}, {33, 5, 34, 6},  {0, 0, 6, 8},    {34, 0, 40, 8},
                         {0, 6, 40, 8}, {10, 0, 20, 2},  {20, 4, 38, 8},  {2, 0, 12, 3}};
    for (const RECT& r : cuts) CheckKeyedCopy(src, dst, 3, 1, r);
    src->Release();

    using Change = void (*)(IDirectDrawSurface* src);
    const std::pair<const char*, Change> changes[] = {
        {"lock", [](IDirectDrawSurface* src) {
           Put(src, 0, 0, 55);
           Put(src, 39, 7, 56);
         }},
        {"device context", [](IDirectDrawSurface* src) {
           HDC dc = nullptr;
           ASSERT_EQ(src->GetDC(&dc), DD_OK);
           SetPixel(dc, 0, 0, RGB(255, 255, 255));
           SetPixel(dc, 39, 7, RGB(255, 255, 255));
           src->ReleaseDC(dc);
         }},
        {"fill", [](IDirectDrawSurface* src) {
           ASSERT_EQ(Fill(src, RECT{0, 0, 1, 1}, 55), DD_OK);
           ASSERT_EQ(Fill(src, RECT{39, 7, 40, 8}, 56), DD_OK);
         }},
    };
    for (const auto& [name, change] : changes) {
      SCOPED_TRACE(name);
      src = framed();
      CheckKeyedCopy(src, dst, 3, 1, RECT{0, 0, 40, 8});
      change(src);
      ASSERT_NE(Raw(src, 0, 0), 9u);
      ASSERT_NE(Raw(src, 39, 7), 9u);
      CheckKeyedCopy(src, dst, 3, 1, RECT{0, 0, 40, 8});
      src->Release();
    }
    dst->Release();
  });
}

// Pixels that change after the key was set show in the next keyed copy, whichever way they change.
TEST_P(DDrawSurface, KeyedCopiesShowPixelsChangedAfterTheKeyWasSet) {
  ForEachKeyedCopy([&] {
    using Change = void (*)(IDirectDrawSurface* src, IDirectDrawSurface* other);
    const std::pair<const char*, Change> changes[] = {
        {"lock", [](IDirectDrawSurface* src, IDirectDrawSurface*) {
           Put(src, 3, 2, 55);
         }},
        {"device context", [](IDirectDrawSurface* src, IDirectDrawSurface*) {
           HDC dc = nullptr;
           ASSERT_EQ(src->GetDC(&dc), DD_OK);
           SetPixel(dc, 3, 2, RGB(255, 255, 255));
           src->ReleaseDC(dc);
         }},
        {"blit into it", [](IDirectDrawSurface* src, IDirectDrawSurface* other) {
           Put(other, 0, 0, 55);
           RECT one{0, 0, 1, 1};
           ASSERT_EQ(src->BltFast(3, 2, other, &one, DDBLTFAST_WAIT), DD_OK);
         }},
        {"fill", [](IDirectDrawSurface* src, IDirectDrawSurface*) {
           ASSERT_EQ(Fill(src, RECT{3, 2, 4, 3}, 55), DD_OK);
         }},
        {"lost and restored", [](IDirectDrawSurface*, IDirectDrawSurface*) {
           platform::LoseAllSurfaces();
           for (IDirectDrawSurface* s = platform::ddraw::Display().live; s; s = s->nextLive) s->Restore();
         }},  // every pixel 0 now, none the key
    };
    for (const auto& [name, change] : changes) {
      IDirectDrawSurface* src = KeyedPattern(Plain(40, 5));
      IDirectDrawSurface* other = Plain(4, 4);
      IDirectDrawSurface* dst = Plain(40, 5);
      for (int x = 0; x < 40; ++x) Put(dst, x, 2, 7);
      RECT row{0, 2, 40, 3};
      ASSERT_EQ(dst->BltFast(0, 2, src, &row, DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT), DD_OK);
      ASSERT_EQ(Get(dst, 3, 2), 7u) << name;  // row 2 is the key alone
      change(src, other);
      const uint32_t drawn = Raw(src, 3, 2);
      ASSERT_NE(drawn, 9u) << name;
      ASSERT_EQ(dst->BltFast(0, 2, src, &row, DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT), DD_OK);
      EXPECT_EQ(Get(dst, 3, 2), drawn) << name;
      EXPECT_EQ(Get(dst, 4, 2), Raw(src, 4, 2) == 9u ? 7u : Raw(src, 4, 2)) << name;
      src->Release();
      other->Release();
      dst->Release();
    }
  });
}

// A key set while the surface is locked: what the lock's holder writes after it, outside the
// opaque part the key first saw (the corners) and between its opaque pixels (the middle row), shows
// in keyed copies after the unlock.
TEST_P(DDrawSurface, KeyedCopiesShowPixelsWrittenUnderTheLockTheKeyWasSetIn) {
  ForEachKeyedCopy([&] {
    IDirectDrawSurface* src = Plain(40, 8);
    IDirectDrawSurface* dst = Plain(48, 10);
    ASSERT_EQ(Fill(src, RECT{0, 0, 40, 8}, 9), DD_OK);
    ASSERT_EQ(Fill(src, RECT{10, 3, 12, 5}, 100), DD_OK);
    ASSERT_EQ(Fill(src, RECT{28, 3, 30, 5}, 101), DD_OK);
    DDSURFACEDESC d;
    std::memset(&d, 0, sizeof d);
    d.dwSize = sizeof d;
    ASSERT_EQ(src->Lock(nullptr, &d, DDLOCK_WAIT, nullptr), DD_OK);
    DDCOLORKEY key{9, 9};
    ASSERT_EQ(src->SetColorKey(DDCKEY_SRCBLT, &key), DD_OK);
    const int bytes = static_cast<int>(d.ddpfPixelFormat.dwRGBBitCount / 8);
    const std::pair<std::pair<int, int>, uint32_t> written[] = {
        {{0, 0}, 55}, {{39, 7}, 56}, {{20, 3}, 57}, {{5, 6}, 58}};
    for (const auto& [at, value] : written) {
      std::memcpy(static_cast<uint8_t*>(d.lpSurface) + at.second * d.lPitch + at.first * bytes,
                  &value, bytes);
    }
    ASSERT_EQ(src->Unlock(nullptr), DD_OK);
    CheckKeyedCopy(src, dst, 3, 1, RECT{0, 0, 40, 8});
    for (const auto& [at, value] : written) EXPECT_EQ(Get(dst, at.first + 3, at.second + 1), value);
    src->Release();
    dst->Release();
  });
}

TEST_P(DDrawSurface, LostSurfacesLoseTheirPixelsUntilRestored) {
  IDirectDrawSurface* a = Plain(4, 4);
  IDirectDrawSurface* b = Plain(4, 4);
  Coded(a);
  platform::LoseAllSurfaces();
  EXPECT_EQ(a->IsLost(), DDERR_SURFACELOST);
  EXPECT_EQ(b->BltFast(0, 0, a, nullptr, DDBLTFAST_WAIT), DDERR_SURFACELOST);
  EXPECT_EQ(a->Blt(nullptr, b, nullptr, DDBLT_WAIT, nullptr), DDERR_SURFACELOST);
  DDSURFACEDESC d;
  std::memset(&d, 0, sizeof d);
  d.dwSize = sizeof d;
  EXPECT_EQ(a->Lock(nullptr, &d, DDLOCK_WAIT, nullptr), DDERR_SURFACELOST);
  HDC dc = nullptr;
  EXPECT_EQ(a->GetDC(&dc), DDERR_SURFACELOST);
  EXPECT_EQ(a->Restore(), DD_OK);
  EXPECT_EQ(b->Restore(), DD_OK);
  EXPECT_EQ(a->IsLost(), DD_OK);
  EXPECT_TRUE(Empty(a));
  EXPECT_EQ(b->BltFast(0, 0, a, nullptr, DDBLTFAST_WAIT), DD_OK);
  a->Release();
  b->Release();
}

TEST_P(DDrawSurface, PixelFormatAndFillFollowTheDesktop) {
  IDirectDrawSurface* s = Plain(5, 3);
  DDPIXELFORMAT pf;
  std::memset(&pf, 0, sizeof pf);
  pf.dwSize = sizeof pf;
  ASSERT_EQ(s->GetPixelFormat(&pf), DD_OK);
  switch (GetParam()) {
    case PixelLayout::Rgb565:
      EXPECT_EQ(pf.dwRGBBitCount, 16u);
      EXPECT_EQ(pf.dwGBitMask, 0x07E0u);
      break;
    case PixelLayout::Rgb555:
      EXPECT_EQ(pf.dwRGBBitCount, 16u);
      EXPECT_EQ(pf.dwRBitMask, 0x7C00u);
      break;
    case PixelLayout::Xrgb8888:
      EXPECT_EQ(pf.dwRGBBitCount, 32u);
      EXPECT_EQ(pf.dwRBitMask, 0xFF0000u);
      break;
  }
  EXPECT_EQ(Fill(s, RECT{1, 1, 4, 2}, 0x1234), DD_OK);
  EXPECT_EQ(Get(s, 0, 1), 0u);
  EXPECT_EQ(Get(s, 1, 1), 0x1234u);
  EXPECT_EQ(Get(s, 3, 1), 0x1234u);
  EXPECT_EQ(Get(s, 4, 1), 0u);
  EXPECT_EQ(Fill(s, RECT{3, 0, 6, 1}, 0x1234, 0), DDERR_INVALIDRECT);
  // Values whose bytes are all alike: a rectangle from the left edge short of the right one, one
  // short of the left edge, and the whole surface; nothing outside each changes.
  EXPECT_EQ(Fill(s, RECT{0, 0, 5, 3}, 0x1234), DD_OK);
  EXPECT_EQ(Fill(s, RECT{0, 1, 4, 3}, 0), DD_OK);
  EXPECT_EQ(Get(s, 3, 1), 0u);
  EXPECT_EQ(Get(s, 0, 2), 0u);
  EXPECT_EQ(Get(s, 4, 1), 0x1234u);
  EXPECT_EQ(Get(s, 4, 2), 0x1234u);
  EXPECT_EQ(Get(s, 0, 0), 0x1234u);
  EXPECT_EQ(Fill(s, RECT{1, 0, 5, 2}, 0xFFFF), DD_OK);
  EXPECT_EQ(Get(s, 0, 0), 0x1234u);
  EXPECT_EQ(Get(s, 1, 0), 0xFFFFu);
  EXPECT_EQ(Get(s, 4, 1), 0xFFFFu);
  EXPECT_EQ(Get(s, 4, 2), 0x1234u);
  EXPECT_EQ(Fill(s, RECT{0, 0, 5, 3}, 0), DD_OK);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) EXPECT_EQ(Get(s, x, y), 0u) << x << "," << y;
  }
  s->Release();
}

TEST_P(DDrawSurface, FullScreenPrimaryIsTheWholeScreenAndPresents) {
  ASSERT_EQ(dd->SetCooperativeLevel(nullptr, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN), DD_OK);
  ASSERT_EQ(dd->SetDisplayMode(64, 48, static_cast<DWORD>(platform::BitsPerPixel(GetParam()))), DD_OK);
  EXPECT_EQ(dd->SetDisplayMode(64, 48, 8), DDERR_INVALIDMODE);
  IDirectDrawSurface* primary = Primary();
  IDirectDrawSurface* back = Plain(64, 48);
  Coded(back);
  EXPECT_EQ(primary->width, 64);
  EXPECT_EQ(primary->Blt(nullptr, back, nullptr, DDBLT_WAIT, nullptr), DD_OK);
  EXPECT_EQ(host.present_count, 1);
  EXPECT_EQ(host.last_frame_width, 64);
  EXPECT_EQ(host.last_frame_layout, GetParam());
  const int bytes = platform::BytesPerPixel(GetParam());
  uint32_t v = 0;
  std::memcpy(&v, host.last_frame.data() + (47 * 64 + 63) * bytes, bytes);
  EXPECT_EQ(v, Get(back, 63, 47));
  EXPECT_EQ(dd->RestoreDisplayMode(), DD_OK);
  EXPECT_FALSE(host.display_mode_set);
  primary->Release();
  back->Release();
}

TEST_P(DDrawSurface, WindowPrimaryStandsForTheClientArea) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.lpszClassName = "DDRAWTEST";
  RegisterClassA(&wc);
  HWND window = CreateWindowExA(0, "DDRAWTEST", "t", WS_POPUP, 100, 50, 40, 30, nullptr, nullptr,
                                nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  ASSERT_EQ(dd->SetCooperativeLevel(window, DDSCL_NORMAL), DD_OK);
  IDirectDrawSurface* primary = Primary();
  IDirectDrawClipper* clipper = nullptr;
  ASSERT_EQ(dd->CreateClipper(0, &clipper, nullptr), DD_OK);
  clipper->SetHWnd(0, window);
  primary->SetClipper(clipper);
  IDirectDrawSurface* back = Plain(40, 30);
  Coded(back);
  RECT dest{100, 50, 140, 80};
  EXPECT_EQ(primary->Blt(&dest, back, nullptr, DDBLT_WAIT, nullptr), DD_OK);
  EXPECT_EQ(host.last_frame_width, 40);
  uint32_t v = 0;
  std::memcpy(&v, host.last_frame.data(), platform::BytesPerPixel(GetParam()));
  EXPECT_EQ(v, 1u);  // the client origin lands at 0, 0
  clipper->Release();
  primary->Release();
  back->Release();
  DestroyWindow(window);
  platform::ResetWindowing();
}

TEST_P(DDrawSurface, VerticalBlankWaitsForTheHost) {
  host.clock_ms = 1000;
  EXPECT_EQ(dd->WaitForVerticalBlank(DDWAITVB_BLOCKBEGIN, nullptr), DD_OK);
  EXPECT_EQ(host.vblank_waits, 1);
  EXPECT_EQ(host.clock_ms, 1017u);
}

INSTANTIATE_TEST_SUITE_P(Layouts, DDrawSurface,
                         ::testing::Values(PixelLayout::Rgb565, PixelLayout::Rgb555,
                                           PixelLayout::Xrgb8888));

}  // namespace
