// Fonts and text: LOGFONTA descriptions drawn with FreeType from the IPA fonts, one-bit glyphs
// (as the display's text of the time), rotation by the escapement, synthetic bold and italic,
// underline, and the opaque background band. Plain upright Gothic text 12, 14 or 16 pixels high
// takes its letters from hand-made bitmaps of those heights (Shinonome), as a desktop of the time
// drew its small Gothic text: at such sizes the hinted outlines blur M into W and N into H.
#include <algorithm>
#include <cmath>
#include <cstring>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include "platform/ddraw.h"
#include "platform/gdi_internal.h"

namespace platform::gdi {

namespace {

constexpr const char* kFontFiles[2] = {
    "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf",
    "/usr/share/fonts/opentype/ipafont-mincho/ipam.ttf",
};
// The bitmap Gothic faces, by cell height; characters they lack come from the outlines.
struct BitmapFace {
  int cell;
  const char* path;
};
constexpr BitmapFace kBitmapFaces[] = {
    {12, "/usr/share/fonts/X11/misc/shnm6x12a.pcf.gz"},
    {14, "/usr/share/fonts/X11/misc/shnm7x14a.pcf.gz"},
    {16, "/usr/share/fonts/X11/misc/shnm8x16a.pcf.gz"},
};
constexpr int kBitmapFaceCount = sizeof kBitmapFaces / sizeof kBitmapFaces[0];
constexpr int kDefaultCellHeight = 16;
constexpr int kMaxFonts = 64;
constexpr double kItalicSlant = 0.2;
constexpr double kPi = 3.14159265358979323846;

Font g_fonts[kMaxFonts];

FT_Library g_library = nullptr;
bool g_library_tried = false;
FT_Face g_faces[2] = {nullptr, nullptr};
bool g_face_tried[2] = {false, false};
FT_Face g_bitmap_faces[kBitmapFaceCount] = {};
bool g_bitmap_tried[kBitmapFaceCount] = {};

// "標準明朝" and other Mincho names take IPA Mincho (1); every other face IPA Gothic (0).
int FaceIndexOf(const LOGFONTA& lf) {
  return std::strstr(lf.lfFaceName, "明朝") != nullptr ? 1 : 0;
}

FT_Face FaceFor(int which) {
  if (!g_library_tried) {
    g_library_tried = true;
    if (FT_Init_FreeType(&g_library) != 0) g_library = nullptr;
  }
  if (g_library == nullptr) return nullptr;
  if (!g_face_tried[which]) {
    g_face_tried[which] = true;
    if (FT_New_Face(g_library, kFontFiles[which], 0, &g_faces[which]) != 0) {
      g_faces[which] = nullptr;
    }
  }
  return g_faces[which];
}

// The bitmap face of a cell height, or nullptr (no such height, or the font is not installed).
FT_Face BitmapFaceFor(double cell) {
  if (g_library == nullptr) return nullptr;
  for (int i = 0; i < kBitmapFaceCount; ++i) {
    if (kBitmapFaces[i].cell != cell) continue;
    if (!g_bitmap_tried[i]) {
      g_bitmap_tried[i] = true;
      FT_Face face = nullptr;
      if (FT_New_Face(g_library, kBitmapFaces[i].path, 0, &face) == 0) {
        if (face->num_fixed_sizes > 0 && FT_Select_Size(face, 0) == 0) {
          g_bitmap_faces[i] = face;
        } else {
          FT_Done_Face(face);
        }
      }
    }
    return g_bitmap_faces[i];
  }
  return nullptr;
}

// How one line's glyphs are made: face, size, weight, slant and direction.
struct GlyphStyle {
  int faceIndex = 0;
  FT_Face face = nullptr;
  FT_F26Dot6 em64 = 0;   // the em in 1/64 pixels
  int boldPixels = 0;    // added to every glyph's width and advance
  bool italic = false;
  LONG escapement = 0;
  FT_Matrix matrix{};    // slant, then turn by the escapement
  FT_Face bitmap = nullptr;  // the bitmap face that draws the characters it has, or nullptr
  int bitmapDrop = 0;        // rows between the bitmap face's baseline and the outline face's
};

// A rendered one-bit glyph, its pen offsets and its advance along the line.
struct GlyphImage {
  int left = 0, top = 0;  // bitmap origin from the pen, y up
  int width = 0, rows = 0, pitch = 0;
  const uint8_t* bits = nullptr;
  double advance = 0;
};

// Rendered glyphs are kept, so that a line drawn again every frame costs no FreeType work (and no
// memory). Direct-mapped: a newcomer replaces whatever shared its place.
constexpr int kGlyphCacheSize = 256;
constexpr int kGlyphBytes = 1024;
struct CachedGlyph {
  bool valid = false;
  uint32_t codePoint = 0;
  int faceIndex = 0;
  FT_F26Dot6 em64 = 0;
  int boldPixels = 0;
  bool italic = false;
  LONG escapement = 0;
  bool bitmap = false;
  GlyphImage image;
  uint8_t bits[kGlyphBytes];
};
CachedGlyph g_glyphs[kGlyphCacheSize];
FT_F26Dot6 g_face_em64[2] = {0, 0};  // the size each face is set to

bool SameStyle(const CachedGlyph& c, const GlyphStyle& s, uint32_t codePoint) {
  return c.valid && c.codePoint == codePoint && c.faceIndex == s.faceIndex && c.em64 == s.em64 &&
         c.boldPixels == s.boldPixels && c.italic == s.italic && c.escapement == s.escapement &&
         c.bitmap == (s.bitmap != nullptr);
}

// The glyph of the bitmap face, when it has the character.
bool RenderBitmapGlyph(const GlyphStyle& s, uint32_t codePoint, GlyphImage& out) {
  const FT_UInt index = FT_Get_Char_Index(s.bitmap, codePoint);
  if (index == 0 || FT_Load_Glyph(s.bitmap, index, FT_LOAD_DEFAULT) != 0) return false;
  FT_GlyphSlot slot = s.bitmap->glyph;
  if (slot->format != FT_GLYPH_FORMAT_BITMAP || slot->bitmap.pixel_mode != FT_PIXEL_MODE_MONO ||
      slot->bitmap.pitch < 0) {
    return false;
  }
  out = GlyphImage{};
  out.advance = slot->advance.x / 64.0;
  out.left = slot->bitmap_left;
  // The pen stands on the outline face's baseline, `bitmapDrop` rows below the bitmap face's:
  // raising the glyph by as much puts the bitmap's own cell top at the line's top.
  out.top = slot->bitmap_top + s.bitmapDrop;
  out.width = static_cast<int>(slot->bitmap.width);
  out.rows = static_cast<int>(slot->bitmap.rows);
  out.pitch = slot->bitmap.pitch;
  out.bits = slot->bitmap.buffer;
  return true;
}

// Loads the glyph upright, emboldens it along the line, turns it and renders it in one bit. The
// advance is the upright one: the pen itself moves along the turned line. The image's bits belong to
// FreeType until its next load.
bool RenderGlyph(const GlyphStyle& s, uint32_t codePoint, GlyphImage& out) {
  if (s.bitmap != nullptr && RenderBitmapGlyph(s, codePoint, out)) return true;
  const int which = s.faceIndex;
  if (g_face_em64[which] != s.em64) {
    if (FT_Set_Char_Size(s.face, 0, s.em64, 72, 72) != 0) return false;
    g_face_em64[which] = s.em64;
  }
  if (FT_Load_Glyph(s.face, FT_Get_Char_Index(s.face, codePoint),
                    FT_LOAD_NO_BITMAP | FT_LOAD_TARGET_MONO) != 0) {
    return false;
  }
  FT_GlyphSlot slot = s.face->glyph;
  out = GlyphImage{};
  out.advance = slot->advance.x / 64.0 + s.boldPixels;
  if (slot->format != FT_GLYPH_FORMAT_OUTLINE) return true;
  if (s.boldPixels > 0) FT_Outline_EmboldenXY(&slot->outline, s.boldPixels * 64, 0);
  FT_Outline_Transform(&slot->outline, &s.matrix);
  if (FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) != 0 ||
      slot->bitmap.pixel_mode != FT_PIXEL_MODE_MONO || slot->bitmap.pitch < 0) {
    return true;
  }
  out.left = slot->bitmap_left;
  out.top = slot->bitmap_top;
  out.width = static_cast<int>(slot->bitmap.width);
  out.rows = static_cast<int>(slot->bitmap.rows);
  out.pitch = slot->bitmap.pitch;
  out.bits = slot->bitmap.buffer;
  return true;
}

// The glyph of a code point in a style, from the cache when it is there. False when FreeType cannot
// make it. The image is valid until the next call.
bool LookUpGlyph(const GlyphStyle& s, uint32_t codePoint, GlyphImage& out) {
  uint32_t h = codePoint * 2654435761u;
  h ^= static_cast<uint32_t>(s.em64) * 40503u + static_cast<uint32_t>(s.escapement) * 9973u;
  h ^= static_cast<uint32_t>(s.faceIndex + 2 * s.boldPixels + (s.italic ? 4096 : 0) +
                             (s.bitmap != nullptr ? 8192 : 0)) * 97u;
  CachedGlyph& c = g_glyphs[(h ^ (h >> 16)) % kGlyphCacheSize];
  if (SameStyle(c, s, codePoint)) {
    out = c.image;
    return true;
  }
  if (!RenderGlyph(s, codePoint, out)) return false;
  const int pitch = (out.width + 7) / 8;
  if (pitch * out.rows > kGlyphBytes) return true;  // too big to keep: rendered afresh each time
  for (int row = 0; row < out.rows; ++row) {
    std::memcpy(c.bits + row * pitch, out.bits + static_cast<ptrdiff_t>(row) * out.pitch, pitch);
  }
  c.valid = true;
  c.codePoint = codePoint;
  c.faceIndex = s.faceIndex;
  c.em64 = s.em64;
  c.boldPixels = s.boldPixels;
  c.italic = s.italic;
  c.escapement = s.escapement;
  c.bitmap = s.bitmap != nullptr;
  c.image = out;
  c.image.pitch = pitch;
  c.image.bits = c.bits;
  out = c.image;
  return true;
}

// Next code point of UTF-8 text; malformed bytes read as '?'.
uint32_t NextCodePoint(const uint8_t*& p, const uint8_t* end) {
  const uint32_t b = *p++;
  if (b < 0x80) return b;
  int extra = 0;
  uint32_t cp = 0;
  if ((b & 0xE0) == 0xC0) {
    extra = 1;
    cp = b & 0x1F;
  } else if ((b & 0xF0) == 0xE0) {
    extra = 2;
    cp = b & 0x0F;
  } else if ((b & 0xF8) == 0xF0) {
    extra = 3;
    cp = b & 0x07;
  } else {
    return '?';
  }
  for (int i = 0; i < extra; ++i) {
    if (p == end || (*p & 0xC0) != 0x80) return '?';
    cp = (cp << 6) | (*p++ & 0x3F);
  }
  return cp;
}

// Where a line of text lies: its origin (the cell's top-left corner) and its direction.
struct Frame {
  double x = 0, y = 0;
  double c = 1, s = 0;  // cosine and sine of the escapement (counter-clockwise on the screen)
};

// Fills the rectangle u0..u1 along the text and v0..v1 down from its top, turned with the text.
void FillTextRect(const Target& t, const Frame& f, double u0, double v0, double u1, double v1,
                  uint32_t native) {
  if (u1 <= u0 || v1 <= v0) return;
  if (f.s == 0 && f.c == 1) {
    const int x0 = std::max(0, static_cast<int>(std::lround(f.x + u0)));
    const int x1 = std::min(t.width, static_cast<int>(std::lround(f.x + u1)));
    const int y0 = std::max(0, static_cast<int>(std::lround(f.y + v0)));
    const int y1 = std::min(t.height, static_cast<int>(std::lround(f.y + v1)));
    for (int y = y0; y < y1; ++y) {
      for (int x = x0; x < x1; ++x) WritePixel(t, x, y, native);
    }
    return;
  }
  double minX = 1e9, minY = 1e9, maxX = -1e9, maxY = -1e9;
  const double us[2] = {u0, u1}, vs[2] = {v0, v1};
  for (double u : us) {
    for (double v : vs) {
      const double X = f.x + u * f.c + v * f.s;
      const double Y = f.y - u * f.s + v * f.c;
      minX = std::min(minX, X);
      maxX = std::max(maxX, X);
      minY = std::min(minY, Y);
      maxY = std::max(maxY, Y);
    }
  }
  const int x0 = std::max(0, static_cast<int>(std::floor(minX)));
  const int x1 = std::min(t.width, static_cast<int>(std::ceil(maxX)));
  const int y0 = std::max(0, static_cast<int>(std::floor(minY)));
  const int y1 = std::min(t.height, static_cast<int>(std::ceil(maxY)));
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      const double dx = x + 0.5 - f.x, dy = y + 0.5 - f.y;
      const double u = dx * f.c - dy * f.s;
      const double v = dx * f.s + dy * f.c;
      if (u >= u0 && u < u1 && v >= v0 && v < v1) WritePixel(t, x, y, native);
    }
  }
}

void DrawGlyph(const Target& t, const GlyphImage& g, int left, int top, uint32_t native) {
  for (int row = 0; row < g.rows; ++row) {
    const int y = top + row;
    if (y < 0 || y >= t.height) continue;
    const uint8_t* bits = g.bits + static_cast<ptrdiff_t>(row) * g.pitch;
    for (int col = 0; col < g.width; ++col) {
      if ((bits[col >> 3] & (0x80 >> (col & 7))) == 0) continue;
      const int x = left + col;
      if (x >= 0 && x < t.width) WritePixel(t, x, y, native);
    }
  }
}

}  // namespace

bool IsFont(const HGDIOBJ__* object) {
  if (object == DefaultFont()) return true;
  for (const Font& f : g_fonts) {
    if (&f == object) return f.used;
  }
  return false;
}

Font* DefaultFont() {
  static Font font = [] {
    Font f;
    f.kind = HGDIOBJ__::Font;
    f.stock = true;
    f.used = true;
    f.logFont.lfHeight = kDefaultCellHeight;
    f.logFont.lfWeight = FW_NORMAL;
    return f;
  }();
  return &font;
}

}  // namespace platform::gdi

HFONT CreateFontIndirectA(const LOGFONTA* logFont) {
  if (logFont == nullptr) return nullptr;
  for (platform::gdi::Font& f : platform::gdi::g_fonts) {
    if (f.used) continue;
    f.kind = HGDIOBJ__::Font;
    f.used = true;
    f.selected = 0;
    f.logFont = *logFont;
    f.logFont.lfFaceName[LF_FACESIZE - 1] = '\0';
    return &f;
  }
  return nullptr;
}

BOOL TextOutA(HDC dc, int x, int y, LPCSTR text, int length) {
  using namespace platform::gdi;
  Target t;
  if (text == nullptr || length < 0 || !TargetOf(dc, t)) return FALSE;
  const LOGFONTA& lf = dc->font->logFont;
  GlyphStyle style;
  style.faceIndex = FaceIndexOf(lf);
  style.face = FaceFor(style.faceIndex);
  if (style.face == nullptr) return FALSE;
  FT_Face face = style.face;

  // Sizes: a positive height is the cell (ascent + descent), a negative one the em.
  const double units = face->units_per_EM;
  const double fontCell = face->ascender - face->descender;
  double em = 0, cell = 0;
  if (lf.lfHeight > 0) {
    cell = lf.lfHeight;
    em = cell * units / fontCell;
  } else if (lf.lfHeight < 0) {
    em = -static_cast<double>(lf.lfHeight);
    cell = std::round(em * fontCell / units);
  } else {
    cell = kDefaultCellHeight;
    em = cell * units / fontCell;
  }
  if (em < 1 || em > 1024) return FALSE;
  style.em64 = static_cast<FT_F26Dot6>(std::lround(em * 64));
  const double ascent = std::round(face->ascender * em / units);
  style.boldPixels = lf.lfWeight >= 600 ? std::max(1, static_cast<int>(std::lround(em / 24))) : 0;
  style.italic = lf.lfItalic != 0;
  style.escapement = lf.lfEscapement % 3600;
  if (style.faceIndex == 0 && style.boldPixels == 0 && !style.italic && style.escapement == 0) {
    style.bitmap = BitmapFaceFor(cell);
    if (style.bitmap != nullptr) {
      style.bitmapDrop =
          static_cast<int>(ascent) - static_cast<int>(style.bitmap->size->metrics.ascender / 64);
    }
  }

  Frame frame;
  frame.x = x;
  frame.y = y;
  if (style.escapement != 0) {
    const double angle = style.escapement / 10.0 * kPi / 180.0;
    frame.c = std::cos(angle);
    frame.s = std::sin(angle);
  }
  const double slant = style.italic ? kItalicSlant : 0.0;
  style.matrix.xx = static_cast<FT_Fixed>(std::lround(frame.c * 65536));
  style.matrix.xy = static_cast<FT_Fixed>(std::lround((slant * frame.c - frame.s) * 65536));
  style.matrix.yx = static_cast<FT_Fixed>(std::lround(frame.s * 65536));
  style.matrix.yy = static_cast<FT_Fixed>(std::lround((slant * frame.s + frame.c) * 65536));

  // The line's length along its direction, for the background band and the underline.
  const auto* begin = reinterpret_cast<const uint8_t*>(text);
  const uint8_t* end = begin + length;
  GlyphImage glyph;
  double width = 0;
  for (const uint8_t* p = begin; p < end;) {
    if (LookUpGlyph(style, NextCodePoint(p, end), glyph)) width += glyph.advance;
  }

  if (dc->backMode == OPAQUE) {
    FillTextRect(t, frame, 0, 0, std::round(width), cell,
                 platform::NativeFromColor(t.layout, dc->backColor & 0xFFFFFF));
  }

  const uint32_t ink = platform::NativeFromColor(t.layout, dc->textColor & 0xFFFFFF);
  double along = 0;
  for (const uint8_t* p = begin; p < end;) {
    if (!LookUpGlyph(style, NextCodePoint(p, end), glyph)) continue;
    // The pen on the baseline, turned with the text.
    const double penX = frame.x + along * frame.c + ascent * frame.s;
    const double penY = frame.y - along * frame.s + ascent * frame.c;
    DrawGlyph(t, glyph, static_cast<int>(std::lround(penX)) + glyph.left,
              static_cast<int>(std::lround(penY)) - glyph.top, ink);
    along += glyph.advance;
  }

  if (lf.lfUnderline != 0) {
    const double thickness =
        std::max(1.0, std::round(face->underline_thickness * em / units));
    const double below = std::max(1.0, std::round(-face->underline_position * em / units));
    FillTextRect(t, frame, 0, ascent + below, std::round(width), ascent + below + thickness, ink);
  }
  return TRUE;
}
