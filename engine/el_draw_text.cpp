// Text on the back buffer: the font description filled per line, the text context and its
// colours, lines of text and the credit style.
#include <cstring>

#include "engine/el_draw_internal.h"
#include "platform/kernel32.h"

LOGFONTA* gFontDesc = nullptr;
HDC gTextDC = nullptr;
HDC gBackDC = nullptr;

namespace {

HGLOBAL g_font_block = nullptr;
HFONT g_text_font = nullptr;
HGDIOBJ g_previous_font = nullptr;

constexpr const char* kFaceNames[2] = {"標準明朝", "標準ゴシック"};

}  // namespace

void InitFonts() {
  g_font_block = GlobalAlloc(GMEM_ZEROINIT, sizeof(LOGFONTA));
  gFontDesc = static_cast<LOGFONTA*>(GlobalLock(g_font_block));
}

void FreeFontBuffer() {
  if (g_font_block == nullptr) return;
  GlobalUnlock(g_font_block);
  GlobalFree(g_font_block);
  g_font_block = nullptr;
  gFontDesc = nullptr;
}

void elDraw::BeginText(int face, int height, int angle, int bold, int italic, int underline) {
  if (gFontDesc == nullptr || gBackSurface == nullptr) return;
  LOGFONTA& lf = *gFontDesc;
  if (face == 0 || face == 1) {
    std::memset(lf.lfFaceName, 0, sizeof lf.lfFaceName);
    std::strncpy(lf.lfFaceName, kFaceNames[face], sizeof lf.lfFaceName - 1);
  }
  lf.lfHeight = height;
  lf.lfWidth = 0;
  lf.lfEscapement = angle * 10;
  lf.lfWeight = bold == 1 ? FW_BOLD : bold == 0 ? FW_NORMAL : FW_DONTCARE;
  lf.lfItalic = static_cast<BYTE>(italic);
  lf.lfUnderline = static_cast<BYTE>(underline);
  lf.lfCharSet = SHIFTJIS_CHARSET;
  g_text_font = CreateFontIndirectA(gFontDesc);
  if (gBackSurface->GetDC(&gTextDC) != DD_OK) gTextDC = nullptr;
  g_previous_font = SelectObject(gTextDC, g_text_font);
}

void elDraw::SetTextColors(COLORREF text, COLORREF background, int transparent) {
  SetTextColor(gTextDC, text);
  SetBkColor(gTextDC, background);
  SetBkMode(gTextDC, transparent != 0 ? TRANSPARENT : OPAQUE);
}

void DrawTextAt(int x, int y, const char* text) {
  if (text == nullptr) return;
  TextOutA(gTextDC, x, y, text, static_cast<int>(std::strlen(text)));
}

void elDraw::EndText() {
  if (g_previous_font != nullptr) SelectObject(gTextDC, g_previous_font);
  if (g_text_font != nullptr) DeleteObject(g_text_font);
  if (gTextDC != nullptr && gBackSurface != nullptr) gBackSurface->ReleaseDC(gTextDC);
  gTextDC = nullptr;
  g_text_font = nullptr;
  g_previous_font = nullptr;
}

void DrawCreditLine(int x, int y, const char* text) {
  elDraw::BeginText(1, 12, 0, 0, 0, 0);
  elDraw::SetTextColors(0xFFFFFF, 0x800000, 0);
  DrawTextAt(x, y, text);
  elDraw::EndText();
}
