// The player's weapons: blue-white gun bolts, aqua crescents of the wide gun, green spread bolts,
// muzzle flashes, the burst gun's plasma balls, the missile bombs and the special weapon's
// emitter panel and beam columns. Every shot is centred where the game's offsets put the ship's
// nose or gun.
#include <algorithm>
#include <cmath>

#include "assets/painters.h"
#include "assets/shapes.h"

namespace assetgen {

namespace {

const Rgb kWhite = {255, 255, 255};
const Rgb kBoltBlue = {80, 160, 255};
const Rgb kWaveAqua = {60, 235, 255};
const Rgb kSpreadGreen = {70, 255, 150};

Rgb BoltColor(int variant) {
  switch (variant) {
    case 1: return {120, 255, 120};
    case 2: return {255, 170, 60};
    case 3: return {200, 120, 255};
    case 4: return {255, 240, 90};
    case 5: return {255, 110, 170};
    default: return kBoltBlue;
  }
}

// A crescent of energy, convex towards the top, centred on (cx, cy).
void Crescent(cairo_t* cr, double cx, double cy, double radius, double spread, double angle,
              Rgb color) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_rotate(cr, angle);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  const double widths[3] = {11, 6, 2.5};
  const Rgb colors[3] = {color, Mix(color, kWhite, 0.5), kWhite};
  const double alphas[3] = {0.45, 0.85, 1.0};
  for (int i = 0; i < 3; ++i) {
    cairo_new_path(cr);
    cairo_arc(cr, 0, radius, radius, -kPi / 2 - spread, -kPi / 2 + spread);
    SetColor(cr, colors[i], alphas[i]);
    cairo_set_line_width(cr, widths[i]);
    cairo_stroke(cr);
  }
  cairo_restore(cr);
}

}  // namespace

void PaintBolt(Picture& p, int variant) {
  cairo_t* cr = p.cr;
  if (variant == 11 || variant == 22 || variant == 33) {
    Rgb c = BoltColor(variant / 11);
    for (int side = -1; side <= 1; side += 2) Streak(cr, 30 + side * 8, 30, 30, 7, 0, kWhite, c);
    return;
  }
  double angle = variant == 7 ? -0.2 : (variant == 8 ? 0.2 : 0.0);
  Rgb c = BoltColor(variant >= 6 ? 0 : variant);
  GlowDisc(cr, 30, 30, 12, kWhite, c, 0.25);
  Streak(cr, 30, 30, 34, 9, angle, kWhite, c);
}

void PaintWave(Picture& p, int variant) {
  cairo_t* cr = p.cr;
  if (variant == 0) {
    Crescent(cr, 60, 22, 36, 0.62, 0, kWaveAqua);
    return;
  }
  double angle = variant == 1 ? -0.29 : (variant == 2 ? 0.29 : 0.0);
  Rgb c = variant <= 2 ? kWaveAqua : BoltColor(variant - 2);
  Crescent(cr, 30, 24, 22, 0.7, angle, c);
}

void PaintSpreadSheet(Picture& p, int variant) {
  // Forward sheet: a fan of five bolts, cell 2 straight up. Rear sheet: five bolts flying down,
  // outer left, inner left, centre, inner right, outer right.
  const double angles[5] = {-0.2, -0.1, 0.0, 0.1, 0.2};
  ForEachCell(p, 60, 60, 5, 5, [&](int i) {
    cairo_t* cr = p.cr;
    double a = variant == 0 ? (i - 2) * 0.25 : angles[i];
    double head = variant == 0 ? -1 : 1;  // leading end: up for the forward sheet, down for rear
    double hx = 30 + std::sin(a) * 11, hy = 30 + head * std::cos(a) * 11;
    Streak(cr, 30, 30, 30, 8, variant == 0 ? a : -a, kWhite, kSpreadGreen);
    GlowDisc(cr, hx, hy, 6, kWhite, kSpreadGreen, 0.9);
  });
}

void PaintFlash(Picture& p, int variant) {
  cairo_t* cr = p.cr;
  Rgb c = (variant == 1 || variant == 4 || variant == 5) ? Rgb{255, 200, 90} : Rgb{140, 220, 255};
  double cx = p.width / 2.0, cy = (variant == 3 || variant == 5) ? 35 : 17;
  double r = std::min(p.width, p.height) * 0.42;
  GlowDisc(cr, cx, cy, r * 1.3, kWhite, c, 0.55);
  if (variant == 3 || variant == 5) {
    // Wide flash of the powered guns: a fan of rays.
    for (int k = -3; k <= 3; ++k) Streak(cr, cx + k * 14, cy, 40, 7, k * 0.28, kWhite, c, 0.8);
  } else if (variant == 2 || variant == 4) {
    Streak(cr, cx, cy, 56, 10, kPi / 2, kWhite, c, 0.9);
    Streak(cr, cx, cy - 2, 26, 8, 0, kWhite, c, 0.9);
  } else {
    Sparkle(cr, cx, cy, r, r * 0.25, 4, -kPi / 2, c, 0.9);
    Sparkle(cr, cx, cy, r * 0.55, r * 0.18, 4, -kPi / 4, kWhite, 1.0);
  }
  GlowDisc(cr, cx, cy, r * 0.45, kWhite, kWhite, 1.0);
}

void PaintBurstOrb(Picture& p, int variant) {
  static const Rgb kColors[] = {{170, 255, 90},  {170, 255, 90}, {90, 255, 220}, {90, 255, 220},
                                {255, 200, 80},  {255, 140, 60}, {120, 180, 255}, {220, 120, 255},
                                {255, 255, 120}, {140, 255, 200}, {255, 160, 220}, {255, 220, 120}};
  Rgb c = kColors[variant % 12];
  double r = p.width / 2.0;
  GlowDisc(p.cr, r, r, r, kWhite, c, 1.0);
  Sparkle(p.cr, r, r, r * 0.9, r * 0.2, 4, variant * 0.3, kWhite, 0.7);
}

void PaintMissile(Picture& p, int) {
  cairo_t* cr = p.cr;
  Rgb c = {120, 150, 255};
  GlowDisc(cr, 40, 40, 24, kWhite, c, 0.8);
  Sparkle(cr, 40, 40, 22, 4, 4, 0, Mix(c, kWhite, 0.4), 0.8);
  Sparkle(cr, 40, 40, 14, 3, 4, kPi / 4, kWhite, 0.9);
  GlowDisc(cr, 40, 40, 8, kWhite, kWhite, 1.0);
}

void PaintHomingMissile(Picture& p, int) {
  cairo_t* cr = p.cr;
  FlameJet(cr, 10, 30, 6, 10, 1, {{255, 255, 255}, {255, 220, 90}, {255, 110, 20}});
  MirrorPath(cr, 10, {0, 2, 2.5, 8, 3, 28, 5.5, 32, 3, 31});
  FillShadedH(cr, 6, 14, {150, 160, 190}, {245, 248, 255}, {20, 24, 50}, 0.8);
  cairo_rectangle(cr, 8.5, 10, 3, 4);
  SetColor(cr, {255, 80, 60});
  cairo_fill(cr);
}

void PaintPanel(Picture& p, int variant) {
  cairo_t* cr = p.cr;
  Rgb glow = variant == 0 ? Rgb{90, 255, 200} : Rgb{160, 140, 255};
  PolyPath(cr, {14, 4, 46, 4, 58, 18, 58, 32, 46, 46, 14, 46, 2, 32, 2, 18});
  FillShaded(cr, 4, 46, {200, 214, 240}, {50, 66, 110}, {14, 20, 44}, 1.5);
  PolyPath(cr, {18, 10, 42, 10, 50, 20, 50, 30, 42, 40, 18, 40, 10, 30, 10, 20});
  FillShaded(cr, 10, 40, {30, 44, 80}, {12, 18, 36}, {100, 130, 190}, 1.0);
  GlowDisc(cr, 30, 25, 12, kWhite, glow, 1.0);
  for (int side = -1; side <= 1; side += 2) {
    GlowDisc(cr, 30 + side * 24, 25, 5, kWhite, glow, 0.9);
  }
}

void PaintBeamColumn(Picture& p, int variant) {
  int palette = variant / 100, frame = variant % 100;
  int frames = palette == 2 ? 21 : 16;
  double f = frame * 15.0 / (frames - 1);  // 0 to 15 across the column's pictures
  static const Rgb kSheaths[3] = {{150, 110, 255}, {60, 255, 190}, {255, 170, 60}};
  Rgb sheath = kSheaths[palette];
  double maxWidth = palette == 2 ? 30 : 52;
  cairo_t* cr = p.cr;
  Rng rng(HashName("beam") + static_cast<uint64_t>(variant));
  double cx = 60, bottom = 272;
  // Charging orb at the foot of the column.
  double orb = f < 4 ? 6 + f * 4 : 20;
  GlowDisc(cr, cx, bottom - 8, orb, kWhite, sheath, 0.95);
  if (f < 3.5) return;
  double length = f < 8 ? (bottom - 8) * (f - 3) / 5 : bottom - 8;
  double top = bottom - 8 - length;
  double width = f >= 13.5 ? maxWidth : maxWidth * (0.55 + 0.12 * std::sin(f * 1.7));
  // Sheath, body and white-hot core, each with soft sides.
  const double scales[3] = {1.0, 0.55, 0.22};
  const Rgb colors[3] = {sheath, Mix(sheath, kWhite, 0.5), kWhite};
  const double alphas[3] = {0.45, 0.8, 1.0};
  for (int i = 0; i < 3; ++i) {
    double w = width * scales[i];
    cairo_pattern_t* pat = cairo_pattern_create_linear(cx - w / 2, 0, cx + w / 2, 0);
    Rgb c = colors[i];
    cairo_pattern_add_color_stop_rgba(pat, 0, c.r / 255, c.g / 255, c.b / 255, 0);
    cairo_pattern_add_color_stop_rgba(pat, 0.5, c.r / 255, c.g / 255, c.b / 255, alphas[i]);
    cairo_pattern_add_color_stop_rgba(pat, 1, c.r / 255, c.g / 255, c.b / 255, 0);
    cairo_set_source(cr, pat);
    cairo_rectangle(cr, cx - w / 2, top, w, length);
    cairo_fill(cr);
    cairo_pattern_destroy(pat);
  }
  // Lightning threads around the core.
  cairo_set_line_width(cr, 1.3);
  for (int k = 0; k < 3; ++k) {
    double x = cx, y = bottom - 8;
    cairo_move_to(cr, x, y);
    while (y > top) {
      y -= rng.Uniform(8, 18);
      x = cx + rng.Uniform(-width * 0.45, width * 0.45);
      cairo_line_to(cr, x, std::max(y, top));
    }
    SetColor(cr, Mix(sheath, kWhite, 0.7), 0.9);
    cairo_stroke(cr);
  }
  // The strike flares at the top on the last frames.
  if (f >= 13.5) {
    GlowDisc(cr, cx, top + 6, 40, kWhite, sheath, 1.0);
    Sparkle(cr, cx, top + 6, 44, 6, 6, rng.Uniform(0, kPi), kWhite, 0.9);
  } else {
    GlowDisc(cr, cx, top, width * 0.5, kWhite, sheath, 0.9);
  }
}

}  // namespace assetgen
