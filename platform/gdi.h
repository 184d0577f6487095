// GDI stand-in: bitmaps loaded from Windows bitmap files or from the resource table, memory device
// contexts, the device context of a DirectDraw surface and of the window, pixel reads and writes
// with colour matching into the surface's format, 1:1 and stretched copies, and text drawn with
// FreeType from the IPA fonts.
//
// Text bytes are UTF-8 throughout. Face names: "標準ゴシック" is IPA Gothic, "標準明朝" IPA Mincho.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/win_types.h"

struct IDirectDrawSurface;

// --- Images ---------------------------------------------------------------------------------
constexpr UINT IMAGE_BITMAP = 0;
constexpr UINT LR_DEFAULTCOLOR = 0x0000;
constexpr UINT LR_LOADFROMFILE = 0x0010;
constexpr UINT LR_CREATEDIBSECTION = 0x2000;

struct BITMAP {
  LONG bmType;
  LONG bmWidth;
  LONG bmHeight;
  LONG bmWidthBytes;
  WORD bmPlanes;
  WORD bmBitsPixel;
  LPVOID bmBits;
};

// A bitmap from a file (LR_LOADFROMFILE: `name` is its path) or from the program's resource table
// (a bitmap resource named `name` holding a whole .BMP file). Returns the HBITMAP as a HANDLE, or
// nullptr when there is no such bitmap or its bytes are not a bitmap this reader understands.
HANDLE LoadImageA(HINSTANCE instance, LPCSTR name, UINT type, int cx, int cy, UINT flags);
int GetObjectA(HGDIOBJ object, int size, LPVOID buffer);
BOOL DeleteObject(HGDIOBJ object);

// --- Device contexts ------------------------------------------------------------------------
constexpr int HORZRES = 8;
constexpr int VERTRES = 10;
constexpr int BITSPIXEL = 12;
constexpr int PLANES = 14;
constexpr DWORD SRCCOPY = 0x00CC0020;
constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

HDC CreateCompatibleDC(HDC dc);
BOOL DeleteDC(HDC dc);
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
BOOL StretchBlt(HDC dest, int xDest, int yDest, int wDest, int hDest, HDC source, int xSrc,
                int ySrc, int wSrc, int hSrc, DWORD rop);
COLORREF GetPixel(HDC dc, int x, int y);
COLORREF SetPixel(HDC dc, int x, int y, COLORREF color);
// The window's (desktop's) device context: it answers questions about the display, draws nothing.
HDC GetDC(HWND window);
int ReleaseDC(HWND window, HDC dc);
int GetDeviceCaps(HDC dc, int index);

// --- Fonts and text -------------------------------------------------------------------------
constexpr int LF_FACESIZE = 32;
constexpr LONG FW_DONTCARE = 0;
constexpr LONG FW_NORMAL = 400;
constexpr LONG FW_BOLD = 700;
constexpr BYTE ANSI_CHARSET = 0;
constexpr BYTE DEFAULT_CHARSET = 1;
constexpr BYTE SHIFTJIS_CHARSET = 128;
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

struct LOGFONTA {
  LONG lfHeight;       // > 0 cell height, < 0 character height, 0 default
  LONG lfWidth;
  LONG lfEscapement;   // tenths of a degree, counter-clockwise
  LONG lfOrientation;
  LONG lfWeight;       // 0 default, 400 normal, 700 bold
  BYTE lfItalic;
  BYTE lfUnderline;
  BYTE lfStrikeOut;
  BYTE lfCharSet;
  BYTE lfOutPrecision;
  BYTE lfClipPrecision;
  BYTE lfQuality;
  BYTE lfPitchAndFamily;
  CHAR lfFaceName[LF_FACESIZE];
};
static_assert(sizeof(LOGFONTA) == 60);

HFONT CreateFontIndirectA(const LOGFONTA* font);
// Draws `length` bytes of UTF-8 text with the cell's top-left corner at (x, y).
BOOL TextOutA(HDC dc, int x, int y, LPCSTR text, int length);
COLORREF SetTextColor(HDC dc, COLORREF color);
COLORREF SetBkColor(HDC dc, COLORREF color);
int SetBkMode(HDC dc, int mode);

// Upper-cases the ASCII letters of `length` bytes in place; returns `length`.
DWORD CharUpperBuffA(LPSTR text, DWORD length);

namespace platform {

// The bitmap reader behind LoadImageA: a whole .BMP file with the core, info, V2 to V5 headers;
// 1, 4, 8, 16, 24 or 32 bits per pixel; uncompressed, run-length (8 and 4 bits) or with channel
// masks (16 and 32 bits); rows bottom-up or top-down. nullptr for anything else, and for a file
// whose rows or run-length stream do not fit in it.
HBITMAP DecodeBitmap(const uint8_t* bytes, size_t size);

// Device contexts of surfaces, for the DirectDraw stand-in.
HDC CreateSurfaceDC(IDirectDrawSurface* surface);
bool DeleteSurfaceDC(HDC dc, IDirectDrawSurface* surface);
void ForgetSurfaceDCs(IDirectDrawSurface* surface);

}  // namespace platform
