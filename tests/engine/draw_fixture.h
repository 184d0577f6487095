// Headless set-up for the display suites: a headless host whose desktop is the 360 x 480 screen, a
// program directory of its own for test bitmaps, and pixel probes of slots and the back buffer.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "engine/el_draw_internal.h"
#include "engine/el_sound.h"
#include "platform/ddraw_internal.h"
#include "platform/host_headless.h"
#include "tests/platform/bitmap_file.h"

class DrawTest : public ::testing::Test {
 protected:
  platform::HeadlessHost host;
  std::string dir;

  void SetUp() override {
    platform::SetHost(&host);
    // No window: the primary surface stands for the whole screen, here as big as the picture.
    host.desktop_width = 360;
    host.desktop_height = 480;
    char pattern[] = "/tmp/morv-draw-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir = std::string(pattern) + "/";
    host.module_path = dir + "morventica";
  }

  void TearDown() override {
    ReleaseSound();  // the screen's start-up opened sound: its buffers go with it
    ReleaseDisplay();
    FreeFontBuffer();
    elDraw::SetColorKey(0);
    platform::ResetDirectDrawForTest();
    std::filesystem::remove_all(dir);
  }

  void Open(platform::PixelLayout layout = platform::PixelLayout::Rgb565) {
    host.desktop_layout = layout;
    ASSERT_EQ(elDraw::Screen(360, 480, 1), 1);
  }

  void WriteBitmap(const std::string& name, int w, int h, const std::vector<uint32_t>& rgb) {
    testbmp::WriteFile(dir + name, testbmp::Rgb(w, h, rgb));
  }

  static uint32_t Read(IDirectDrawSurface* s, int x, int y) {
    const uint8_t* p = s->pixels + static_cast<size_t>(y) * s->pitch + x * s->BytesPerPixel();
    uint32_t v = 0;
    std::memcpy(&v, p, s->BytesPerPixel());
    return v;
  }

  // Writes straight into the pixels, as a lock would; like a lock, it drops the surface's opaque runs.
  static void Write(IDirectDrawSurface* s, int x, int y, uint32_t v) {
    std::memcpy(s->pixels + static_cast<size_t>(y) * s->pitch + x * s->BytesPerPixel(), &v,
                s->BytesPerPixel());
    platform::ddraw::DropKeyTables(s);
  }

  static void Fill(IDirectDrawSurface* s, uint32_t v) {
    for (int y = 0; y < s->height; ++y) {
      for (int x = 0; x < s->width; ++x) Write(s, x, y, v);
    }
  }

  uint32_t Back(int x, int y) { return Read(gBackSurface, x, y); }
  uint32_t SlotPixel(int slot, int x, int y) { return Read(gDrawObjects[slot].surface, x, y); }

  // A new empty slot whose pixel (x, y) holds 1 + x + 100 * y: no pixel is the black key.
  int CodedSlot(int w, int h) {
    const int slot = elDraw::CreateObject(w, h, 2);
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) Write(gDrawObjects[slot].surface, x, y, 1 + x + 100 * y);
    }
    return slot;
  }

  bool BackIsEmpty() {
    for (int y = 0; y < gBackSurface->height; ++y) {
      for (int x = 0; x < gBackSurface->width; ++x) {
        if (Back(x, y) != 0) return false;
      }
    }
    return true;
  }
};
