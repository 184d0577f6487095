// elDraw: the display, the table of 500 surface slots, sprite blits, text on the back buffer,
// screen transitions and presentation.
#pragma once

#include <cstdint>

#include "platform/win_types.h"

struct IDirectDrawSurface;  // platform/ddraw.h

inline constexpr int kDrawObjectCount = 500;

struct DrawObject {
  IDirectDrawSurface* surface;
  char name[31];
  int32_t sourceKind;  // 0 Windows bitmap (file or resource), 1 pack file
  int32_t placement;
  int32_t colorKey;    // GDI colour, or -1 for the picture's own top-left pixel
  uint16_t width;
  uint16_t height;
};

extern DrawObject gDrawObjects[kDrawObjectCount];
extern int gScreenWidth, gScreenHeight;

// Screen transitions.
extern int gTransitionKind;
extern int gTransitionStep;
extern int gTransitionCounter;
extern int gTransitionDirection;
extern int gTransitionMaskSlot;
extern int gVSyncWait;

class elDraw {
 public:
  static int Screen(int width, int height, int mode);
  static int LoadObject(const char* name, int placement);
  static int CreateObject(int width, int height, int placement);
  static int SwapObject(const char* name, int slot, int placement);
  static int SwapPack(const char* name, int slot, int placement);
  static void ReleaseObject(int slot);
  static void SetColorKey(int color);
  static void RestoreSurfaces();

  static void SetClipRect(int left, int top, int right, int bottom);
  // True when BltObject would draw nothing of a width x height sprite at (x, y): it lies wholly
  // outside the clip rectangle. Inline, so that a caller with thousands of such sprites a frame
  // skips them for a few compares.
  static bool OutsideClip(int x, int y, int width, int height);
  static void BltObject(int x, int y, int slot, int left, int top, int right, int bottom);
  static void BltObjectOpaque(int x, int y, int slot, int left, int top, int right, int bottom);
  static int BltObjectAdditive(int x, int y, int slot, int left, int top, int right, int bottom);
  static void ClearBack();
  static HDC GetBackDC();
  static void ReleaseBackDC();
  static void BeginText(int face, int height, int angle, int bold, int italic, int underline);
  static void SetTextColors(COLORREF text, COLORREF background, int transparent);
  static void EndText();

  static void CopyBackToObject(int slot, int left, int top, int right, int bottom);
};

extern RECT gClipRect;  // the sprite clip rectangle, right and bottom exclusive

inline bool elDraw::OutsideClip(int x, int y, int width, int height) {
  const RECT clip = gClipRect;
  const int right = x + width < clip.right ? x + width : clip.right;
  const int left = x > clip.left ? x : clip.left;
  const int bottom = y + height < clip.bottom ? y + height : clip.bottom;
  const int top = y > clip.top ? y : clip.top;
  return right < left || bottom < top;
}

void DrawTextAt(int x, int y, const char* text);
void DrawCreditLine(int x, int y, const char* text);
void PresentFrame();
void SetVSyncWait(int flag);
void InitFonts();
void FreeFontBuffer();
void ReleaseDisplay();
// The error report's first step: show the desktop surface when DirectDraw exists.
void FlipToGdiIfOpen();
// The pack file reloads read from; empty by default.
void SetPackFilePath(const char* path);
