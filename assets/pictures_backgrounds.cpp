// Scrolling layers (360 x 480 tiles, mostly black so the layers below show through, seamless top
// to bottom) and the stage-1 backdrop: the launch deck the ship takes off from.
#include <cmath>

#include "assets/painters.h"
#include "assets/shapes.h"

namespace assetgen {

namespace {

// Faint nebula written straight into the surface: three octaves of tiling noise, pure black (the
// key) wherever the cloud is too thin to see.
void Nebula(Picture& p, uint64_t seed, Rgb a, Rgb b, double strength) {
  cairo_surface_flush(p.surface);
  unsigned char* data = cairo_image_surface_get_data(p.surface);
  int stride = cairo_image_surface_get_stride(p.surface);
  for (int y = 0; y < p.height; ++y) {
    uint32_t* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int x = 0; x < p.width; ++x) {
      double n = 0.55 * TileNoise(seed, x / 60.0, y / 60.0, 6, 8) +
                 0.3 * TileNoise(seed + 1, x / 30.0, y / 30.0, 12, 16) +
                 0.15 * TileNoise(seed + 3, x / 15.0, y / 15.0, 24, 32);
      double v = (n - 0.5) / 0.35;
      if (v <= 0) continue;
      v = std::fmin(1.0, v);
      v = v * v * strength;
      Rgb c = Mix(a, b, TileNoise(seed + 2, x / 90.0, y / 96.0, 4, 5));
      uint32_t r = static_cast<uint32_t>(std::fmin(255.0, c.r * v));
      uint32_t g = static_cast<uint32_t>(std::fmin(255.0, c.g * v));
      uint32_t bl = static_cast<uint32_t>(std::fmin(255.0, c.b * v));
      if (r < 8 && g < 8 && bl < 8) continue;  // too faint to show: leave it transparent
      row[x] = 0xFF000000u | (r << 16) | (g << 8) | bl;
    }
  }
  cairo_surface_mark_dirty(p.surface);
}

// Draws `paint` at y and one tile above and below, so shapes cut by an edge continue on the
// opposite edge.
template <typename F>
void Wrapped(cairo_t* cr, double height, F paint) {
  for (int k = -1; k <= 1; ++k) {
    cairo_save(cr);
    cairo_translate(cr, 0, k * height);
    paint();
    cairo_restore(cr);
  }
}

void Rock(cairo_t* cr, Rng& rng, double x, double y, double r, Rgb lit, Rgb dark) {
  cairo_new_path(cr);
  int n = 9;
  double spin = rng.Uniform(0, kPi);
  for (int k = 0; k < n; ++k) {
    double a = spin + k * 2 * kPi / n, rr = r * rng.Uniform(0.7, 1.0);
    if (k == 0) {
      cairo_move_to(cr, x + std::cos(a) * rr, y + std::sin(a) * rr);
    } else {
      cairo_line_to(cr, x + std::cos(a) * rr, y + std::sin(a) * rr);
    }
  }
  cairo_close_path(cr);
  cairo_pattern_t* pat = cairo_pattern_create_linear(x - r, y - r, x + r, y + r);
  cairo_pattern_add_color_stop_rgb(pat, 0, lit.r / 255, lit.g / 255, lit.b / 255);
  cairo_pattern_add_color_stop_rgb(pat, 1, dark.r / 255, dark.g / 255, dark.b / 255);
  cairo_set_source(cr, pat);
  cairo_fill(cr);
  cairo_pattern_destroy(pat);
}

// Distant stars and dust: whole pixels (one or two wide) so every one survives keying.
void Specks(cairo_t* cr, Rng& rng, int count, Rgb a, Rgb b, double bright) {
  cairo_save(cr);
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  for (int k = 0; k < count; ++k) {
    int x = rng.Range(2, 357), y = rng.Range(0, 479), size = rng.Unit() < 0.2 ? 2 : 1;
    Rgb c = Scale(Mix(a, b, rng.Unit()), bright * rng.Uniform(0.45, 1.0));
    cairo_rectangle(cr, x, y, size, size);
    SetColor(cr, c);
    cairo_fill(cr);
  }
  cairo_restore(cr);
}

// Faint vertical dust streaks that give the near layers their sense of speed.
void SpeedLines(cairo_t* cr, Rng& rng, int count, Rgb c) {
  cairo_save(cr);
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  for (int k = 0; k < count; ++k) {
    int x = rng.Range(4, 355), y = rng.Range(0, 479), len = rng.Range(16, 60);
    Rgb cc = Scale(c, rng.Uniform(0.6, 1.0));
    Wrapped(cr, 480, [&] {
      cairo_pattern_t* pat = cairo_pattern_create_linear(0, y, 0, y + len);
      cairo_pattern_add_color_stop_rgba(pat, 0, cc.r / 255, cc.g / 255, cc.b / 255, 0.4);
      cairo_pattern_add_color_stop_rgba(pat, 1, cc.r / 255, cc.g / 255, cc.b / 255, 1.0);
      cairo_set_source(cr, pat);
      cairo_rectangle(cr, x, y, 1, len);
      cairo_fill(cr);
      cairo_pattern_destroy(pat);
    });
  }
  cairo_restore(cr);
}

// Rocks or shards scattered over a layer, each drawn again across the seam so the layer tiles.
void RockField(cairo_t* cr, Rng& rng, int count, double rMin, double rMax, Rgb lit, Rgb dark) {
  for (int k = 0; k < count; ++k) {
    double x = rng.Uniform(10, 350), y = rng.Uniform(0, 480), r = rng.Uniform(rMin, rMax);
    Rng shape = rng;
    Wrapped(cr, 480, [&] {
      Rng local = shape;
      Rock(cr, local, x, y, r, lit, dark);
    });
    rng.Next();
  }
}

}  // namespace

void PaintBackLayer(Picture& p, int variant) {
  cairo_t* cr = p.cr;
  Rng& rng = p.rng;
  switch (variant) {
    case 8:  // overlay, lowest layer of both stages: a thin violet and blue cloud
      Nebula(p, HashName("nebula8"), {90, 50, 170}, {40, 90, 180}, 0.75);
      break;
    case 5:
      Nebula(p, HashName("nebula5"), {40, 150, 120}, {50, 80, 170}, 0.7);
      break;
    case 3:    // stage-1 near: dust and small rocks rushing past
    case 6: {
      Specks(cr, rng, 50, {120, 130, 150}, {200, 190, 170}, 0.8);
      SpeedLines(cr, rng, 10, {70, 80, 110});
      RockField(cr, rng, 9, 3, 9, {150, 130, 110}, {30, 26, 24});
      break;
    }
    case 4: {  // stage-2 near: glinting ice shards
      Specks(cr, rng, 40, {140, 190, 255}, {220, 240, 255}, 0.8);
      SpeedLines(cr, rng, 10, {60, 90, 130});
      RockField(cr, rng, 10, 2.5, 7, {200, 230, 255}, {30, 50, 90});
      break;
    }
    case 1:  // stage-1 far: a few distant stars
      Specks(cr, rng, 30, {150, 170, 230}, {240, 240, 255}, 0.7);
      break;
    default:  // stage-2 far: sparse warm stars
      Specks(cr, rng, 30, {255, 170, 140}, {255, 230, 200}, 0.7);
      break;
  }
}

void PaintBackdropBase(Picture& p, int) {
  cairo_t* cr = p.cr;
  Rng& rng = p.rng;
  const Hue deck = {{96, 106, 124}, {34, 38, 50}, {12, 14, 20}, {255, 200, 80}};
  // Deck plate with cut corners.
  PolyPath(cr, {60, 0, 300, 0, 344, 40, 344, 360, 16, 360, 16, 40});
  FillShaded(cr, 0, 360, deck.light, deck.dark, deck.edge, 2.0);
  // Plate grid.
  cairo_save(cr);
  PolyPath(cr, {60, 0, 300, 0, 344, 40, 344, 360, 16, 360, 16, 40});
  cairo_clip(cr);
  cairo_set_line_width(cr, 1);
  for (int x = 16; x < 344; x += 32) {
    cairo_move_to(cr, x, 0);
    cairo_line_to(cr, x, 360);
  }
  for (int y = 0; y < 360; y += 32) {
    cairo_move_to(cr, 0, y);
    cairo_line_to(cr, 360, y);
  }
  SetColor(cr, {14, 16, 22}, 0.5);
  cairo_stroke(cr);
  cairo_restore(cr);
  // Hangars either side.
  for (int side = -1; side <= 1; side += 2) {
    double x = side < 0 ? 34 : 256;
    for (int k = 0; k < 3; ++k) {
      cairo_rectangle(cr, x, 60 + k * 96, 70, 70);
      FillShaded(cr, 60 + k * 96, 130 + k * 96, {60, 66, 80}, {20, 22, 30}, deck.edge, 1.5);
      for (int s = 0; s < 5; ++s) {
        cairo_rectangle(cr, x + 6, 66 + k * 96 + s * 12, 58, 5);
        SetColor(cr, {110, 120, 140}, 0.6);
        cairo_fill(cr);
      }
      GlowDisc(cr, x + 35, 126 + k * 96, 4, {255, 255, 255}, {80, 170, 255}, 0.9);
    }
  }
  // Runway down the middle, where the ship waits.
  cairo_rectangle(cr, 140, 0, 80, 360);
  FillShaded(cr, 0, 360, {44, 48, 60}, {26, 28, 36}, deck.edge, 1.5);
  for (int y = 20; y < 340; y += 40) {
    PolyPath(cr, {160, static_cast<double>(y) + 14, 180, static_cast<double>(y),
                  200, static_cast<double>(y) + 14, 200, static_cast<double>(y) + 20,
                  180, static_cast<double>(y) + 6, 160, static_cast<double>(y) + 20});
    SetColor(cr, {230, 230, 240}, 0.75);
    cairo_fill(cr);
  }
  for (int y = 8; y < 360; y += 24) {
    GlowDisc(cr, 144, y, 3, {255, 255, 255}, deck.accent, 0.95);
    GlowDisc(cr, 216, y, 3, {255, 255, 255}, deck.accent, 0.95);
  }
  // Hazard stripes at the far end of the runway.
  cairo_save(cr);
  cairo_rectangle(cr, 140, 0, 80, 12);
  cairo_clip(cr);
  for (int x = 130; x < 230; x += 12) {
    PolyPath(cr, {static_cast<double>(x), 12, static_cast<double>(x) + 6, 12,
                  static_cast<double>(x) + 18, 0, static_cast<double>(x) + 12, 0});
    SetColor(cr, {240, 190, 40});
    cairo_fill(cr);
  }
  cairo_restore(cr);
  SetColor(cr, {230, 230, 240}, 0.7);
  Text(cr, 180, 350, 22, true, "01", 0.5);
  for (int k = 0; k < 20; ++k) {
    GlowDisc(cr, rng.Uniform(24, 336), rng.Uniform(10, 350), 1.8, {255, 255, 255},
             {120, 200, 255}, 0.8);
  }
}

}  // namespace assetgen
