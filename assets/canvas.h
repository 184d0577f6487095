// Drawing helpers shared by every picture painter: a small seeded random generator, the picture
// being painted (a Cairo ARGB surface), colours, glows, mirrored hull outlines, text and cells.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>
#include <vector>

namespace assetgen {

// SplitMix64: small, fast and the same on every machine. Every picture seeds its own from its name,
// so a picture's pixels never depend on which pictures were painted before it.
struct Rng {
  uint64_t state;
  explicit Rng(uint64_t seed) : state(seed) {}
  uint64_t Next();
  double Unit();                         // [0, 1)
  double Uniform(double lo, double hi);  // [lo, hi)
  int Range(int lo, int hi);             // lo to hi inclusive
};

uint64_t HashName(const std::string& text);

struct Rgb {
  double r, g, b;  // 0 to 255
};

// A picture under construction. Painters draw on a transparent surface; what stays transparent
// becomes pure black in the bitmap, the colour key of every picture.
struct Picture {
  int width = 0;
  int height = 0;
  cairo_surface_t* surface = nullptr;
  cairo_t* cr = nullptr;
  Rng rng{1};
};

void SetColor(cairo_t* cr, Rgb c, double alpha = 1.0);
Rgb Mix(Rgb a, Rgb b, double t);
Rgb Scale(Rgb c, double k);

// A soft round glow: white core, coloured body, fading to nothing at radius r.
void GlowDisc(cairo_t* cr, double cx, double cy, double r, Rgb core, Rgb rim, double alpha = 1.0);
// A radial gradient fill of a circle with explicit stops (offset, colour, alpha).
struct Stop {
  double offset;
  Rgb color;
  double alpha;
};
void RadialFill(cairo_t* cr, double cx, double cy, double r, const std::vector<Stop>& stops);

// Closed polygon from points (x0, y0, x1, y1, ...), added to the current path.
void PolyPath(cairo_t* cr, const std::vector<double>& xy);
// A hull symmetric about x = axis: `half` lists the right-hand outline from top to bottom
// as offsets (dx >= 0, y); the left side is its mirror. Added to the current path.
void MirrorPath(cairo_t* cr, double axis, const std::vector<double>& half);
// A new path: the rectangle (x, y, w, h) with its corners rounded to radius r.
void RoundedRectPath(cairo_t* cr, double x, double y, double w, double h, double r);
// An ellipse about (cx, cy) with radii rx and ry, added to the current path.
void EllipsePath(cairo_t* cr, double cx, double cy, double rx, double ry);
// Fills the current path with a vertical gradient from `top` to `bottom` colours and strokes it.
void FillShaded(cairo_t* cr, double y0, double y1, Rgb top, Rgb bottom, Rgb edge, double line);
void FillShadedH(cairo_t* cr, double x0, double x1, Rgb left, Rgb right, Rgb edge, double line);

// Text with Cairo's toy API (DejaVu Sans). `anchor` 0 left, 0.5 centre, 1 right; y is the baseline.
void Text(cairo_t* cr, double x, double y, double size, bool bold, const std::string& s,
          double anchor = 0.0);
double TextWidth(cairo_t* cr, double size, bool bold, const std::string& s);
// Text with a dark outline and a bright fill gradient, for titles and headings.
void OutlinedText(cairo_t* cr, double x, double y, double size, const std::string& s, Rgb top,
                  Rgb bottom, Rgb outline, double outlineWidth, double anchor = 0.5);

// Runs `paint(cell)` for `count` cells of `cellW` x `cellH` laid in rows of `perRow`, each with the
// origin moved to the cell's corner and drawing clipped to the cell.
template <typename F>
void ForEachCell(Picture& p, int cellW, int cellH, int count, int perRow, F paint) {
  for (int i = 0; i < count; ++i) {
    cairo_save(p.cr);
    cairo_translate(p.cr, (i % perRow) * cellW, (i / perRow) * cellH);
    cairo_rectangle(p.cr, 0, 0, cellW, cellH);
    cairo_clip(p.cr);
    paint(i);
    cairo_restore(p.cr);
  }
}

// A small star of `points` spikes (sparkles, flashes).
void Sparkle(cairo_t* cr, double cx, double cy, double r, double inner, int points, double angle,
             Rgb color, double alpha);

// Periodic value noise in [0, 1) at lattice coordinates (x, y); repeats every px by py lattice
// cells, so a picture scaled to a whole number of periods tiles seamlessly.
double TileNoise(uint64_t seed, double x, double y, int px, int py);

constexpr double kPi = 3.14159265358979323846;

}  // namespace assetgen
