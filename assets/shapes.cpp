#include "assets/shapes.h"

#include <cmath>

namespace assetgen {

namespace {

void Teardrop(cairo_t* cr, double x, double y0, double w, double len, int dir) {
  double h = w / 2;
  cairo_new_path(cr);
  cairo_move_to(cr, x - h, y0);
  cairo_curve_to(cr, x - h, y0 + dir * len * 0.45, x - w * 0.12, y0 + dir * len * 0.85, x,
                 y0 + dir * len);
  cairo_curve_to(cr, x + w * 0.12, y0 + dir * len * 0.85, x + h, y0 + dir * len * 0.45, x + h, y0);
  cairo_curve_to(cr, x + h, y0 - dir * h * 0.6, x - h, y0 - dir * h * 0.6, x - h, y0);
  cairo_close_path(cr);
}

}  // namespace

void FlameJet(cairo_t* cr, double x, double y0, double width, double length, int dir,
              const FlamePalette& pal) {
  // Each layer is a teardrop lit from the nozzle: white-hot there, fading to nothing at the tip.
  const double widths[2] = {1.0, 0.5}, lengths[2] = {1.0, 0.6};
  for (int layer = 0; layer < 2; ++layer) {
    double len = length * lengths[layer];
    Teardrop(cr, x, y0, width * widths[layer], len, dir);
    cairo_pattern_t* pat = cairo_pattern_create_radial(x, y0, 0, x, y0, len);
    Rgb a = layer == 0 ? pal.mid : pal.core, b = layer == 0 ? pal.outer : pal.mid;
    cairo_pattern_add_color_stop_rgba(pat, 0, 1, 1, 1, 1);
    cairo_pattern_add_color_stop_rgba(pat, 0.25, a.r / 255, a.g / 255, a.b / 255, 1);
    cairo_pattern_add_color_stop_rgba(pat, 0.65, b.r / 255, b.g / 255, b.b / 255, 0.9);
    cairo_pattern_add_color_stop_rgba(pat, 1, b.r / 255, b.g / 255, b.b / 255, 0);
    cairo_set_source(cr, pat);
    cairo_fill(cr);
    cairo_pattern_destroy(pat);
  }
}

void Streak(cairo_t* cr, double cx, double cy, double length, double width, double angle,
            Rgb core, Rgb sheath, double alpha) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_rotate(cr, angle);
  for (int layer = 0; layer < 3; ++layer) {
    double k = 1.0 - layer * 0.33;
    double w = width * k, l = length * (0.55 + 0.45 * k);
    EllipsePath(cr, 0, 0, w / 2, l / 2);
    Rgb c = layer == 0 ? sheath : (layer == 1 ? Mix(sheath, core, 0.5) : core);
    cairo_pattern_t* pat = cairo_pattern_create_radial(0, 0, 0, 0, 0, l / 2);
    cairo_pattern_add_color_stop_rgba(pat, 0, c.r / 255, c.g / 255, c.b / 255, alpha);
    cairo_pattern_add_color_stop_rgba(pat, 1, c.r / 255, c.g / 255, c.b / 255,
                                      layer == 0 ? 0.15 * alpha : 0.6 * alpha);
    cairo_set_source(cr, pat);
    cairo_fill(cr);
    cairo_pattern_destroy(pat);
  }
  cairo_restore(cr);
}

void DamageMarks(cairo_t* cr, Rng& rng, double x0, double y0, double x1, double y1, int level,
                 const std::function<void()>& hullPath) {
  if (level <= 0) return;
  cairo_save(cr);
  hullPath();
  cairo_clip(cr);
  // Scorch marks: dark soot blotches with a brown rim.
  for (int i = 0; i < level * 6; ++i) {
    double x = rng.Uniform(x0, x1), y = rng.Uniform(y0, y1), r = rng.Uniform(8, 16 + level * 5);
    RadialFill(cr, x, y, r,
               {{0, {14, 10, 8}, 0.9}, {0.6, {40, 26, 16}, 0.6}, {1, {60, 40, 20}, 0.0}});
  }
  // Torn plates: jagged holes showing the glowing interior.
  for (int i = 0; i < (level - 1) * 4; ++i) {
    double x = rng.Uniform(x0 + 20, x1 - 20), y = rng.Uniform(y0 + 20, y1 - 20);
    double r = rng.Uniform(6, 10 + level * 3);
    cairo_new_path(cr);
    for (int k = 0; k < 9; ++k) {
      double a = k * 2 * kPi / 9, rr = r * rng.Uniform(0.45, 1.0);
      double px = x + std::cos(a) * rr, py = y + std::sin(a) * rr;
      if (k == 0) {
        cairo_move_to(cr, px, py);
      } else {
        cairo_line_to(cr, px, py);
      }
    }
    cairo_close_path(cr);
    cairo_set_source_rgb(cr, 0.06, 0.04, 0.04);
    cairo_fill_preserve(cr);
    cairo_set_source_rgba(cr, 0.55, 0.5, 0.5, 0.9);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    GlowDisc(cr, x, y, r * 0.7, {255, 230, 160}, {255, 90, 20}, 0.85);
  }
  // Cracks.
  cairo_set_line_width(cr, 1.2);
  for (int i = 0; i < level * 5; ++i) {
    double x = rng.Uniform(x0, x1), y = rng.Uniform(y0, y1);
    cairo_move_to(cr, x, y);
    for (int k = 0; k < 4; ++k) {
      x += rng.Uniform(-12, 12);
      y += rng.Uniform(-12, 12);
      cairo_line_to(cr, x, y);
    }
    cairo_set_source_rgba(cr, 0.05, 0.04, 0.04, 0.85);
    cairo_stroke(cr);
  }
  // Sparks.
  for (int i = 0; i < level * level * 3; ++i) {
    double x = rng.Uniform(x0, x1), y = rng.Uniform(y0, y1);
    Sparkle(cr, x, y, rng.Uniform(3, 7), 1.0, 4, rng.Uniform(0, kPi), {255, 240, 170}, 0.95);
  }
  cairo_restore(cr);
}

const Hue kGreen = {{150, 235, 110}, {22, 84, 40}, {8, 26, 12}, {255, 70, 70}};
const Hue kPurple = {{206, 150, 255}, {64, 26, 116}, {20, 8, 38}, {120, 255, 200}};
const Hue kTeal = {{120, 235, 205}, {18, 84, 84}, {6, 26, 28}, {255, 200, 60}};
const Hue kOlive = {{200, 220, 110}, {62, 76, 22}, {20, 24, 8}, {255, 90, 200}};
const Hue kViolet = {{240, 140, 220}, {90, 20, 80}, {30, 6, 26}, {140, 255, 120}};
const Hue kSteel = {{196, 210, 200}, {44, 60, 56}, {10, 16, 14}, {110, 255, 150}};
const Hue kPlum = {{214, 160, 240}, {58, 30, 86}, {16, 8, 28}, {255, 90, 200}};

void Hull(cairo_t* cr, double axis, const std::vector<double>& half, double y0, double y1,
          const Hue& h, double line) {
  double reach = 1;
  for (size_t i = 0; i < half.size(); i += 2) reach = std::fmax(reach, half[i]);
  cairo_new_path(cr);
  MirrorPath(cr, axis, half);
  FillShaded(cr, y0, y1, h.light, h.dark, h.edge, 0);
  // Rounded look: darker flanks and a soft highlight left of the spine.
  cairo_save(cr);
  MirrorPath(cr, axis, half);
  cairo_clip(cr);
  cairo_pattern_t* pat = cairo_pattern_create_linear(axis - reach, 0, axis + reach, 0);
  cairo_pattern_add_color_stop_rgba(pat, 0, 0, 0, 0, 0.45);
  cairo_pattern_add_color_stop_rgba(pat, 0.3, 1, 1, 1, 0.12);
  cairo_pattern_add_color_stop_rgba(pat, 0.5, 0, 0, 0, 0.0);
  cairo_pattern_add_color_stop_rgba(pat, 1, 0, 0, 0, 0.5);
  cairo_set_source(cr, pat);
  cairo_paint(cr);
  cairo_pattern_destroy(pat);
  cairo_restore(cr);
  MirrorPath(cr, axis, half);
  SetColor(cr, h.edge);
  cairo_set_line_width(cr, line);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_stroke(cr);
}

void Panel(cairo_t* cr, double axis, const std::vector<double>& half, double y0, double y1,
           const Hue& h) {
  MirrorPath(cr, axis, half);
  FillShaded(cr, y0, y1, Scale(h.dark, 1.3), Scale(h.dark, 0.6), h.edge, 0.8);
}

void Nozzle(cairo_t* cr, double x, double y, double w) {
  cairo_rectangle(cr, x - w / 2, y - 3, w, 8);
  FillShaded(cr, y - 3, y + 5, {40, 44, 50}, {110, 116, 130}, {10, 10, 14}, 0.8);
  GlowDisc(cr, x, y - 2, w * 0.6, {255, 255, 255}, {160, 255, 200}, 0.7);
}

void Eye(cairo_t* cr, double x, double y, double r, Rgb c) {
  GlowDisc(cr, x, y, r * 2, {255, 255, 255}, c, 0.5);
  cairo_arc(cr, x, y, r, 0, 2 * kPi);
  FillShaded(cr, y - r, y + r, {255, 255, 255}, c, {10, 10, 10}, 0.8);
}

void Turret(cairo_t* cr, double x, double y, double r, const Hue& h) {
  cairo_rectangle(cr, x - r * 0.22, y, r * 0.44, r * 1.6);
  FillShaded(cr, y, y + r * 1.6, {150, 150, 160}, {40, 40, 50}, h.edge, 0.8);
  cairo_arc(cr, x, y, r, 0, 2 * kPi);
  FillShaded(cr, y - r, y + r, Scale(h.light, 0.9), h.dark, h.edge, 1.0);
  cairo_arc(cr, x, y, r * 0.4, 0, 2 * kPi);
  SetColor(cr, h.accent);
  cairo_fill(cr);
}

// Horizontal seams across a hull, clipped to it.
void Seams(cairo_t* cr, double axis, const std::vector<double>& half, double y0, double y1,
           double step, const Hue& h) {
  cairo_save(cr);
  MirrorPath(cr, axis, half);
  cairo_clip(cr);
  cairo_set_line_width(cr, 1.0);
  for (double y = y0; y < y1; y += step) {
    cairo_move_to(cr, axis - 200, y);
    cairo_line_to(cr, axis + 200, y);
  }
  SetColor(cr, h.edge, 0.55);
  cairo_stroke(cr);
  cairo_move_to(cr, axis, y0);
  cairo_line_to(cr, axis, y1);
  SetColor(cr, h.light, 0.35);
  cairo_stroke(cr);
  cairo_restore(cr);
}

}  // namespace assetgen
