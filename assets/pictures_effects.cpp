// Coins and their sparkle, the special-weapon pickup, explosion strips (orange, then white-hot,
// then smoke, frame by frame) and the small debris shards.
#include <cmath>

#include "assets/painters.h"
#include "assets/shapes.h"

namespace assetgen {

namespace {

struct FirePalette {
  Rgb early, hot, late;
};

const FirePalette kFire[] = {
    {{255, 150, 40}, {255, 250, 225}, {200, 60, 20}},   // 0 orange
    {{255, 110, 40}, {255, 235, 200}, {170, 40, 30}},   // 1 red-orange
    {{255, 200, 60}, {255, 255, 235}, {230, 100, 20}},  // 2 yellow
    {{120, 170, 255}, {235, 245, 255}, {70, 60, 200}},  // 3 blue plasma
    {{140, 255, 110}, {240, 255, 230}, {40, 150, 60}},  // 4 green
    {{255, 160, 50}, {255, 250, 220}, {210, 70, 20}},   // 5 small orange
    {{255, 130, 30}, {255, 240, 180}, {180, 50, 10}},   // 6 fire
};

Rgb FireColor(const FirePalette& pal, double t) {
  if (t < 0.2) return Mix(pal.early, pal.hot, t / 0.2);
  if (t < 0.45) return Mix(pal.hot, pal.early, (t - 0.2) / 0.25);
  return Mix(pal.early, pal.late, std::fmin(1.0, (t - 0.45) / 0.25));
}

}  // namespace

void DrawExplosion(cairo_t* cr, Rng& rng, double cx, double cy, double r, double t, int palette) {
  const FirePalette& pal = kFire[palette % 7];
  // The puffs keep their directions from frame to frame: take them from a copy of the strip's
  // generator, and only the sparks from the generator itself.
  Rng shape = rng;
  double grow = 0.35 + 0.65 * std::sqrt(t);
  double smoke = std::fmax(0.0, (t - 0.5) / 0.5);  // 0 while burning, 1 at the end
  Rgb fire = FireColor(pal, t);
  Rgb smokeColor = Mix({170, 150, 130}, {120, 114, 110}, smoke);
  const int puffs = 8;
  for (int k = 0; k < puffs; ++k) {
    double a = shape.Uniform(0, 2 * kPi), d = shape.Uniform(0.15, 0.55) * r * grow;
    double pr = shape.Uniform(0.32, 0.46) * r * (0.45 + grow * 0.6);
    double px = cx + std::cos(a) * d, py = cy + std::sin(a) * d - smoke * r * 0.1;
    if (smoke > 0) {
      RadialFill(cr, px, py, pr * (1 + smoke * 0.3),
                 {{0, smokeColor, 0.95 - 0.25 * smoke},
                  {0.7, Scale(smokeColor, 0.85), 0.8 - 0.3 * smoke},
                  {1, Scale(smokeColor, 0.6), 0.0}});
    }
    double fireAlpha = 1.0 - smoke * 1.1;
    if (fireAlpha > 0) {
      GlowDisc(cr, px, py, pr * (1 - smoke * 0.5), Mix(fire, {255, 240, 150}, 0.45), fire,
               fireAlpha);
    }
  }
  // The white-hot heart at the peak of the blast.
  double heat = t < 0.35 ? 1.0 - std::fabs(t - 0.2) / 0.2 : 0.0;
  if (heat > 0) GlowDisc(cr, cx, cy, r * (0.3 + 0.5 * heat), {255, 255, 255}, pal.hot, heat);
  if (t < 0.12) GlowDisc(cr, cx, cy, r * 0.35, pal.hot, pal.early, 1.0);
  // Sparks and embers flying outward.
  int sparks = t < 0.7 ? 10 : 4;
  for (int k = 0; k < sparks; ++k) {
    double a = rng.Uniform(0, 2 * kPi), d = r * rng.Uniform(0.4, 0.95) * grow;
    Sparkle(cr, cx + std::cos(a) * d, cy + std::sin(a) * d, r * 0.07 + 1.5, 0.6, 4,
            rng.Uniform(0, kPi), Mix({255, 250, 200}, pal.late, smoke), 0.95 - 0.5 * smoke);
  }
}

void PaintExplosionStrip(Picture& p, int variant) {
  int cell = p.height, count = p.width / cell;
  Rng strip(HashName("explosion") + static_cast<uint64_t>(variant));
  ForEachCell(p, cell, cell, count, count, [&](int i) {
    Rng rng = strip;
    for (int k = 0; k < i; ++k) rng.Next();
    double t = count > 1 ? static_cast<double>(i) / (count - 1) : 0.5;
    DrawExplosion(p.cr, rng, cell / 2.0, cell / 2.0, cell * 0.48, t, variant);
  });
}

void PaintBigBurst(Picture& p, int) {
  // A looping four-frame fireball for the damage and destruction bursts of the bosses.
  const double ts[4] = {0.12, 0.24, 0.38, 0.55};
  Rng strip(HashName("bigburst"));
  ForEachCell(p, 160, 160, 4, 4, [&](int i) {
    Rng rng = strip;
    for (int k = 0; k < i * 3; ++k) rng.Next();
    DrawExplosion(p.cr, rng, 80, 80, 76, ts[i], 0);
  });
}

void PaintCoin(Picture& p, int variant) {
  cairo_t* cr = p.cr;
  GlowDisc(cr, 15, 15, 15, {255, 250, 200}, {255, 200, 60}, 0.35);
  cairo_arc(cr, 15, 15, 11.5, 0, 2 * kPi);
  FillShaded(cr, 3, 27, {255, 240, 140}, {200, 120, 20}, {90, 50, 8}, 1.4);
  cairo_arc(cr, 15, 15, 8, 0, 2 * kPi);
  FillShaded(cr, 7, 23, {210, 140, 30}, {255, 230, 120}, {150, 90, 10}, 1.0);
  if (variant == 0) {
    Sparkle(cr, 15, 15, 6, 2.4, 5, -kPi / 2, {255, 250, 210}, 1.0);
  } else {
    PolyPath(cr, {15, 8.5, 20.5, 15, 15, 21.5, 9.5, 15});
    FillShaded(cr, 8.5, 21.5, {190, 240, 255}, {30, 110, 230}, {10, 40, 90}, 1.0);
  }
  Sparkle(cr, 9, 8, 4, 0.8, 4, 0, {255, 255, 255}, 0.9);
}

void PaintCoinSparkle(Picture& p, int) {
  ForEachCell(p, 80, 80, 10, 10, [&](int i) {
    cairo_t* cr = p.cr;
    double t = i / 9.0;
    Rgb gold = Mix({255, 235, 120}, {230, 150, 40}, t);
    // The coin flashes and bursts into a widening ring of golden stars that shrink away.
    if (i < 4) GlowDisc(cr, 40, 40, 14 + i * 2, {255, 255, 240}, {255, 210, 60}, 1.0 - i * 0.15);
    if (i < 7) {
      cairo_new_path(cr);
      cairo_arc(cr, 40, 40, 10 + 26 * t, 0, 2 * kPi);
      SetColor(cr, gold);
      cairo_set_line_width(cr, 2.2 - 1.2 * t);
      cairo_stroke(cr);
    }
    for (int k = 0; k < 6; ++k) {
      double a = k * kPi / 3 + t * 1.2, d = 8 + 28 * t;
      Sparkle(cr, 40 + std::cos(a) * d, 40 + std::sin(a) * d, 8 - 5 * t, 1.4, 4, t * 2,
              Mix({255, 255, 230}, gold, t), 1.0);
    }
    if (i < 8) Sparkle(cr, 40, 40, 16 * (1 - t) + 3, 2, 4, kPi / 4 * i, {255, 255, 255}, 1.0);
  });
}

void PaintPowerItem(Picture& p, int) {
  cairo_t* cr = p.cr;
  GlowDisc(cr, 30, 30, 30, {255, 230, 180}, {255, 90, 40}, 0.55);
  PolyPath(cr, {30, 6, 51, 18, 51, 42, 30, 54, 9, 42, 9, 18});
  FillShaded(cr, 6, 54, {255, 120, 90}, {150, 20, 40}, {255, 240, 220}, 2.0);
  PolyPath(cr, {30, 13, 45, 22, 45, 38, 30, 47, 15, 38, 15, 22});
  FillShaded(cr, 13, 47, {90, 10, 30}, {40, 6, 20}, {255, 170, 120}, 1.0);
  SetColor(cr, {255, 255, 255});
  cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
  Text(cr, 30.5, 38, 22, true, "P", 0.5);
  Sparkle(cr, 19, 14, 6, 1, 4, 0, {255, 255, 255}, 0.9);
}

void PaintDebris(Picture& p, int variant) {
  cairo_t* cr = p.cr;
  double s = variant == 0 ? 30.0 : 14.0, c = s / 2;
  GlowDisc(cr, c, c, c, {255, 240, 190}, {255, 120, 30}, 0.6);
  cairo_save(cr);
  cairo_translate(cr, c, c);
  cairo_scale(cr, s / 14.0, s / 14.0);
  PolyPath(cr, {-5, -3, 2, -5, 5, 0, 1, 5, -4, 3});
  FillShaded(cr, -5, 5, {230, 230, 240}, {90, 96, 120}, {20, 20, 26}, 0.7);
  cairo_restore(cr);
  Sparkle(cr, c + s * 0.22, c - s * 0.22, s * 0.22, 0.6, 4, 0.3, {255, 255, 220}, 1.0);
}

}  // namespace assetgen
