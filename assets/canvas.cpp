#include "assets/canvas.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

uint64_t Rng::Next() {
  uint64_t z = (state += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

double Rng::Unit() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }

double Rng::Uniform(double lo, double hi) { return lo + (hi - lo) * Unit(); }

int Rng::Range(int lo, int hi) {
  return lo + static_cast<int>(Next() % static_cast<uint64_t>(hi - lo + 1));
}

uint64_t HashName(const std::string& text) {
  uint64_t h = 1469598103934665603ull;  // FNV-1a
  for (unsigned char c : text) {
    h ^= c;
    h *= 1099511628211ull;
  }
  return h;
}

void SetColor(cairo_t* cr, Rgb c, double alpha) {
  cairo_set_source_rgba(cr, c.r / 255.0, c.g / 255.0, c.b / 255.0, alpha);
}

Rgb Mix(Rgb a, Rgb b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb Scale(Rgb c, double k) {
  return {std::min(255.0, c.r * k), std::min(255.0, c.g * k), std::min(255.0, c.b * k)};
}

void RadialFill(cairo_t* cr, double cx, double cy, double r, const std::vector<Stop>& stops) {
  cairo_pattern_t* pat = cairo_pattern_create_radial(cx, cy, 0, cx, cy, r);
  for (const Stop& s : stops) {
    cairo_pattern_add_color_stop_rgba(pat, s.offset, s.color.r / 255.0, s.color.g / 255.0,
                                      s.color.b / 255.0, s.alpha);
  }
  cairo_set_source(cr, pat);
  cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_pattern_destroy(pat);
}

void GlowDisc(cairo_t* cr, double cx, double cy, double r, Rgb core, Rgb rim, double alpha) {
  RadialFill(cr, cx, cy, r,
             {{0.0, core, alpha},
              {0.25, Mix(core, rim, 0.3), alpha},
              {0.55, rim, alpha * 0.85},
              {1.0, Scale(rim, 0.5), 0.0}});
}

void PolyPath(cairo_t* cr, const std::vector<double>& xy) {
  cairo_new_sub_path(cr);
  for (size_t i = 0; i + 1 < xy.size(); i += 2) {
    if (i == 0) {
      cairo_move_to(cr, xy[i], xy[i + 1]);
    } else {
      cairo_line_to(cr, xy[i], xy[i + 1]);
    }
  }
  cairo_close_path(cr);
}

void MirrorPath(cairo_t* cr, double axis, const std::vector<double>& half) {
  cairo_new_sub_path(cr);
  size_t n = half.size() / 2;
  for (size_t i = 0; i < n; ++i) {
    double x = axis + half[2 * i], y = half[2 * i + 1];
    if (i == 0) {
      cairo_move_to(cr, x, y);
    } else {
      cairo_line_to(cr, x, y);
    }
  }
  for (size_t i = n; i-- > 0;) cairo_line_to(cr, axis - half[2 * i], half[2 * i + 1]);
  cairo_close_path(cr);
}

void RoundedRectPath(cairo_t* cr, double x, double y, double w, double h, double r) {
  cairo_new_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -kPi / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, kPi / 2);
  cairo_arc(cr, x + r, y + h - r, r, kPi / 2, kPi);
  cairo_arc(cr, x + r, y + r, r, kPi, 3 * kPi / 2);
  cairo_close_path(cr);
}

void EllipsePath(cairo_t* cr, double cx, double cy, double rx, double ry) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, rx, ry);
  cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
  cairo_restore(cr);
}

namespace {

// Fills the current path with a linear gradient from (x0, y0) to (x1, y1), then strokes its edge.
void FillGradient(cairo_t* cr, double x0, double y0, double x1, double y1, Rgb from, Rgb to,
                  Rgb edge, double line) {
  cairo_pattern_t* pat = cairo_pattern_create_linear(x0, y0, x1, y1);
  cairo_pattern_add_color_stop_rgb(pat, 0, from.r / 255.0, from.g / 255.0, from.b / 255.0);
  cairo_pattern_add_color_stop_rgb(pat, 1, to.r / 255.0, to.g / 255.0, to.b / 255.0);
  cairo_set_source(cr, pat);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(pat);
  if (line > 0) {
    SetColor(cr, edge);
    cairo_set_line_width(cr, line);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
  } else {
    cairo_new_path(cr);
  }
}

}  // namespace

void FillShaded(cairo_t* cr, double y0, double y1, Rgb top, Rgb bottom, Rgb edge, double line) {
  FillGradient(cr, 0, y0, 0, y1, top, bottom, edge, line);
}

void FillShadedH(cairo_t* cr, double x0, double x1, Rgb left, Rgb right, Rgb edge, double line) {
  FillGradient(cr, x0, 0, x1, 0, left, right, edge, line);
}

static void SelectFont(cairo_t* cr, double size, bool bold) {
  cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL,
                         bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, size);
}

double TextWidth(cairo_t* cr, double size, bool bold, const std::string& s) {
  SelectFont(cr, size, bold);
  cairo_text_extents_t ext;
  cairo_text_extents(cr, s.c_str(), &ext);
  return ext.x_advance;
}

void Text(cairo_t* cr, double x, double y, double size, bool bold, const std::string& s,
          double anchor) {
  double w = TextWidth(cr, size, bold, s);
  cairo_move_to(cr, x - w * anchor, y);
  cairo_show_text(cr, s.c_str());
}

void OutlinedText(cairo_t* cr, double x, double y, double size, const std::string& s, Rgb top,
                  Rgb bottom, Rgb outline, double outlineWidth, double anchor) {
  double w = TextWidth(cr, size, true, s);
  cairo_new_path(cr);
  cairo_move_to(cr, x - w * anchor, y);
  cairo_text_path(cr, s.c_str());
  SetColor(cr, outline);
  cairo_set_line_width(cr, outlineWidth);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_stroke_preserve(cr);
  cairo_pattern_t* pat = cairo_pattern_create_linear(0, y - size * 0.8, 0, y);
  cairo_pattern_add_color_stop_rgb(pat, 0, top.r / 255.0, top.g / 255.0, top.b / 255.0);
  cairo_pattern_add_color_stop_rgb(pat, 1, bottom.r / 255.0, bottom.g / 255.0, bottom.b / 255.0);
  cairo_set_source(cr, pat);
  cairo_fill(cr);
  cairo_pattern_destroy(pat);
}

void Sparkle(cairo_t* cr, double cx, double cy, double r, double inner, int points, double angle,
             Rgb color, double alpha) {
  cairo_new_path(cr);
  for (int i = 0; i < points * 2; ++i) {
    double a = angle + i * kPi / points;
    double rr = (i % 2 == 0) ? r : inner;
    double x = cx + std::cos(a) * rr, y = cy + std::sin(a) * rr;
    if (i == 0) {
      cairo_move_to(cr, x, y);
    } else {
      cairo_line_to(cr, x, y);
    }
  }
  cairo_close_path(cr);
  SetColor(cr, color, alpha);
  cairo_fill(cr);
}

static double Lattice(uint64_t seed, int ix, int iy) {
  uint64_t h = seed ^ (static_cast<uint64_t>(static_cast<uint32_t>(ix)) * 0x9E3779B97F4A7C15ull) ^
               (static_cast<uint64_t>(static_cast<uint32_t>(iy)) * 0xC2B2AE3D27D4EB4Full);
  Rng r(h);
  return r.Unit();
}

double TileNoise(uint64_t seed, double x, double y, int px, int py) {
  double fx = std::floor(x), fy = std::floor(y);
  int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
  double tx = x - fx, ty = y - fy;
  tx = tx * tx * (3 - 2 * tx);
  ty = ty * ty * (3 - 2 * ty);
  auto wrap = [](int v, int p) { return ((v % p) + p) % p; };
  double a = Lattice(seed, wrap(ix, px), wrap(iy, py));
  double b = Lattice(seed, wrap(ix + 1, px), wrap(iy, py));
  double c = Lattice(seed, wrap(ix, px), wrap(iy + 1, py));
  double d = Lattice(seed, wrap(ix + 1, px), wrap(iy + 1, py));
  return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

}  // namespace assetgen
