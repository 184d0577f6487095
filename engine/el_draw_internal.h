// elDraw's own state and routines shared by its files: the DirectDraw objects, the clip and present
// rectangles, the load colour key, the back buffer's pixel layout with the 16-bit blend tables, and
// the text context.
#pragma once

#include <cstdint>

#include "engine/el_draw.h"
#include "platform/ddraw.h"
#include "platform/gdi.h"

extern IDirectDraw* gDirectDraw;
extern IDirectDrawSurface* gPrimarySurface;
extern IDirectDrawSurface* gBackSurface;
extern IDirectDrawClipper* gClipper;

extern RECT gPresentRect;  // the back buffer's rectangle copied to the screen

// The key every load, creation and reload gives its new surface.
extern int gLoadColorKey;    // GDI colour, initially 0 (black)
extern int gLoadKeyTopLeft;  // nonzero: loads use -1 (the picture's top-left pixel) instead

// The back buffer's pixel layout.
struct PixelLayoutInfo {
  int redShift, greenShift, blueShift;
  int redMax, greenMax, blueMax;
  int redPlace, greenPlace, bluePlace;  // where a 5-bit value lands in the top bits of its channel
};
extern PixelLayoutInfo gPixelLayout;

// 16-bit blend tables (built only on a 16-bit desktop).
extern uint8_t gSplitTable[65536][3];
extern uint16_t gAddRed[32][32];
extern uint16_t gAddGreen[32][32];
extern uint16_t gAddBlue[32][32];
extern int gBlendTablesBuilt;

// Text.
extern LOGFONTA* gFontDesc;
extern HDC gTextDC;
extern HDC gBackDC;

// The pack file's path (empty: none).
extern char gPackFilePath[256];

// Messages of the surface table.
inline constexpr const char* kMsgTooManyObjects = "オブジェクト数が多過ぎます";
inline constexpr const char* kMsgBmpUnreadable = "BMPファイルを読み込めません";
inline constexpr const char* kMsgNameTooLong = "ファイル名またはリソース名が長すぎます";
inline constexpr const char* kMsgSpriteFailed = "スプライトを作成できません";

int GetDisplayDepth();
BOOL EnumDirectDrawDevice(GUID* guid, LPSTR description, LPSTR driverName, LPVOID context);
// A new off-screen surface; memory caps 0 (the driver places it) or DDSCAPS_SYSTEMMEMORY.
IDirectDrawSurface* CreatePlainSurface(int width, int height, DWORD memoryCaps);
DWORD PlacementCaps(int placement);
HRESULT CopyBitmapToSurface(IDirectDrawSurface* surface, HBITMAP bitmap, int x, int y, int width,
                            int height);
DWORD MatchSurfaceColor(IDirectDrawSurface* surface, int color);
HRESULT SetSurfaceColorKey(IDirectDrawSurface* surface, int color);
// The colour the next new surface is keyed on.
int LoadKeyColor();
// First free slot from 4 upward, or -1.
int FindFreeSlot();
bool IsSlotNumber(int slot);
void ClearSlot(DrawObject& object);
void BuildBlendTables();
// Draws one frame of a transition from the snapshot in slot 1: step S, counter N.
void DrawTransitionStep(int kind, int step, int counter);
