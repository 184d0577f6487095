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

// How colour-keyed copies are made: by masked stores (ddraw_keyed_masked.cpp) where the processor
// has them, else through each picture's opaque runs (below). Pictures whose runs were not made
// (another way was chosen when their key was set, or their pixels changed since) are copied by
// compares. Every way gives the same pixels; tests choose each in turn.
enum class KeyedCopy { kMasked, kRuns, kCompare };
KeyedCopy BestKeyedCopy();    // the fastest this processor allows
KeyedCopy ChosenKeyedCopy();  // the way in use, BestKeyedCopy() from the start
// Chooses the way for copies from now on (and for the runs of keys set from now on); false, and
// nothing changed, when the processor lacks the masked stores.
bool UseKeyedCopy(KeyedCopy way);
// The colour-keyed copy of `r` of `src` to (dx, dy) of `dst` by masked stores; false, and nothing
// copied, when that way is not in use or the source is the destination itself.
bool CopyKeyedMasked(IDirectDrawSurface* dst, int dx, int dy, const IDirectDrawSurface* src,
                     const RECT& r);

// The opaque runs of a colour-keyed surface (ddraw_key_runs.cpp): each the pixels [begin, end) of
// a row unlike the key, rows top to bottom, left to right in a row. Row y's runs are
// runs[rowFirst[y]] up to runs[rowFirst[y + 1]]. The row is cut into columns of kKeyRunColumn
// pixels; rowFirst[y] + column[y * columns + c] is the index of row y's first run that ends past
// column c's left edge (16 bits are enough: a row of at most 65535 pixels has fewer runs).
constexpr int kKeyRunColumn = 16;
struct KeyRun {
  uint16_t begin;
  uint16_t end;
};
struct KeyRuns {
  bool valid = false;
  int columns = 0;
  uint32_t* rowFirst = nullptr;
  size_t rowFirstCapacity = 0;
  uint16_t* column = nullptr;
  size_t columnCapacity = 0;
  KeyRun* runs = nullptr;
  size_t runCapacity = 0;
};
// Makes the surface's opaque box, and its runs when the copies go through them, for its pixels and
// key (neither while it is locked nor while a device context is open on it, as either may still
// write to the pixels).
void MakeKeyTables(IDirectDrawSurface* s);
// The pixels may change: the box and the runs no longer hold (the runs' memory stays for the next
// making).
inline void DropKeyTables(IDirectDrawSurface* s) {
  s->opaqueBoxValid = false;
  if (s->keyRuns != nullptr) s->keyRuns->valid = false;
}
void FreeKeyRuns(IDirectDrawSurface* s);
// The colour-keyed copy of `r` of `src` to (dx, dy) of `dst` through the source's runs; false, and
// nothing copied, when the source has no valid runs or is the destination itself.
bool CopyKeyRuns(IDirectDrawSurface* dst, int dx, int dy, const IDirectDrawSurface* src,
                 const RECT& r);

}  // namespace platform::ddraw
