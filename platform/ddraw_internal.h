// State shared by the DirectDraw stand-in's files: the one display, its primary surface and the
// list of live surfaces.
#pragma once

#include "platform/ddraw.h"

namespace platform::ddraw {

struct DisplayState {
  bool exclusive = false;  // DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN: the primary is the whole screen
  HWND cooperativeWindow = nullptr;
  bool modeSet = false;
  int modeWidth = 0;
  int modeHeight = 0;
  IDirectDrawSurface* primary = nullptr;
  IDirectDrawSurface* live = nullptr;  // every surface not yet released
  bool device3d = true;
  bool failCreation = false;
};

DisplayState& Display();

// Where the primary surface's pixels lie on the screen: the client area of the clipper's window in a
// window, the whole screen in full screen (or when no window is known).
struct PrimaryView {
  int originX = 0;
  int originY = 0;
  int width = 0;
  int height = 0;
};
PrimaryView ViewOfPrimary(const IDirectDrawSurface* primary);

// Sizes the primary's buffer to its view (the window may have changed); false when out of memory.
bool SyncPrimary(IDirectDrawSurface* primary, PrimaryView& view);

// Hands the primary's picture to the host.
void PresentPrimary(const IDirectDrawSurface* primary);

// Allocates a zeroed pixel buffer of width x height in `layout`; nullptr when too large.
uint8_t* AllocatePixels(int width, int height, PixelLayout layout, int& pitch);

}  // namespace platform::ddraw
