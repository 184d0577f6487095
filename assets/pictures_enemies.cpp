// Regular enemies, nose down, in greens and purples; each body kind has its own outline. Engines
// sit where the game draws the flames (flames are drawn first, behind the body, pointing up).
#include <cmath>
#include <vector>

#include "assets/painters.h"
#include "assets/shapes.h"

namespace assetgen {

namespace {

void SmallDart(cairo_t* cr) {  // kind 0, 60 x 60
  Hull(cr, 30, {0, 4, 10, 6, 26, 14, 27, 22, 14, 28, 8, 44, 0, 57}, 4, 57, kGreen);
  Panel(cr, 30, {0, 10, 6, 12, 6, 30, 0, 40}, 10, 40, kGreen);
  Eye(cr, 30, 44, 3.5, kGreen.accent);
}

void Interceptor(cairo_t* cr) {  // kind 1, 70 x 80, engine at (35, 27)
  Hull(cr, 35, {0, 60, 12, 40, 33, 56, 34, 66, 22, 66, 8, 58}, 40, 66, kPurple);
  Hull(cr, 35, {0, 18, 7, 20, 9, 34, 9, 56, 5, 70, 0, 78}, 18, 78, kPurple);
  Panel(cr, 35, {0, 34, 4, 36, 4, 56, 0, 60}, 34, 60, kPurple);
  Nozzle(cr, 35, 24, 10);
  Eye(cr, 35, 66, 3.5, kPurple.accent);
}

void Bomber(cairo_t* cr) {  // kind 2, 80 x 80, engines at (15, 16) and (65, 16)
  Hull(cr, 40, {0, 20, 18, 22, 30, 16, 30, 46, 20, 56, 10, 58, 0, 70}, 16, 70, kGreen);
  for (int side = -1; side <= 1; side += 2) {
    cairo_save(cr);
    cairo_translate(cr, 40 + side * 25, 0);
    Hull(cr, 0, {0, 12, 6, 14, 7, 44, 4, 52, 0, 54}, 12, 54, kGreen);
    cairo_restore(cr);
    Nozzle(cr, 40 + side * 25, 14, 9);
  }
  Panel(cr, 40, {0, 26, 10, 28, 10, 44, 0, 52}, 26, 52, kGreen);
  Eye(cr, 40, 60, 4, kGreen.accent);
}

void Gunship(cairo_t* cr) {  // kind 3, 80 x 80, engines at (27, 32) and (53, 32)
  Hull(cr, 40, {0, 26, 16, 28, 34, 44, 36, 56, 24, 58, 16, 64, 0, 76}, 26, 76, kPurple);
  Panel(cr, 40, {0, 32, 8, 34, 10, 56, 0, 66}, 32, 66, kPurple);
  Nozzle(cr, 27, 30, 8);
  Nozzle(cr, 53, 30, 8);
  Turret(cr, 16, 52, 4, kGreen);
  Turret(cr, 64, 52, 4, kGreen);
  Eye(cr, 40, 64, 3.5, kPurple.accent);
}

void HeavyFighter(cairo_t* cr) {  // kind 4, 80 x 80, engines at (22, 28) and (58, 28)
  Hull(cr, 40, {0, 22, 22, 24, 38, 40, 38, 50, 28, 52, 14, 68, 0, 78}, 22, 78, kTeal);
  Panel(cr, 40, {0, 28, 12, 30, 14, 50, 6, 62, 0, 66}, 28, 66, kTeal);
  Nozzle(cr, 22, 26, 9);
  Nozzle(cr, 58, 26, 9);
  Eye(cr, 40, 56, 4.5, kTeal.accent);
}

void Saucer(cairo_t* cr) {  // kinds 5 and 6, 80 x 80, no engines
  cairo_arc(cr, 40, 40, 34, 0, 2 * kPi);
  FillShaded(cr, 6, 74, kViolet.light, kViolet.dark, kViolet.edge, 1.4);
  cairo_new_path(cr);
  cairo_arc(cr, 40, 40, 26, 0, 2 * kPi);
  SetColor(cr, kViolet.edge, 0.8);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  for (int k = 0; k < 8; ++k) {
    double a = k * kPi / 4;
    GlowDisc(cr, 40 + std::cos(a) * 30, 40 + std::sin(a) * 30, 4, {255, 255, 255},
             k % 2 ? kViolet.accent : Rgb{255, 220, 80}, 0.95);
  }
  cairo_arc(cr, 40, 40, 16, 0, 2 * kPi);
  FillShaded(cr, 24, 56, {250, 230, 255}, {110, 60, 150}, kViolet.edge, 1.2);
  Eye(cr, 40, 42, 6, kViolet.accent);
}

// Small boxes of machinery along a hull.
void Greebles(cairo_t* cr, Rng& rng, double x0, double x1, double y0, double y1, int count,
              const Hue& h) {
  for (int k = 0; k < count; ++k) {
    double w = rng.Uniform(6, 16), ht = rng.Uniform(5, 12);
    double x = rng.Uniform(x0, x1 - w), y = rng.Uniform(y0, y1 - ht);
    cairo_rectangle(cr, x, y, w, ht);
    FillShaded(cr, y, y + ht, Scale(h.light, 0.9), Scale(h.dark, 0.8), h.edge, 0.8);
  }
}

void EngineBlock(cairo_t* cr, double x, double y, const Hue& h) {
  cairo_rectangle(cr, x - 14, y, 28, 34);
  FillShaded(cr, y, y + 34, {150, 156, 170}, {50, 54, 66}, h.edge, 1.2);
  for (int k = 0; k < 3; ++k) {
    cairo_rectangle(cr, x - 12, y + 8 + k * 8, 24, 3);
    SetColor(cr, h.edge, 0.6);
    cairo_fill(cr);
  }
  Nozzle(cr, x, y + 2, 18);
}

// Large craft, 240 wide, engines at y 65. Kind 7 an arrow cruiser, 8 a winged destroyer, 9 a
// twin-hulled gunboat, 10 a long carrier.
void Cruiser(cairo_t* cr, Rng& rng, int variant, double tall, double e1, double e2) {
  const Hue& h = variant == 7 ? kGreen : (variant == 8 ? kPurple : (variant == 9 ? kOlive : kTeal));
  double bottom = tall - 8;
  if (variant == 9) {
    for (double axis : {82.0, 158.0}) {
      std::vector<double> half = {0, 70, 30, 76, 36, 120, 34, 200, 22, 260, 0, bottom};
      Hull(cr, axis, half, 70, bottom, h, 2.0);
      Seams(cr, axis, half, 96, bottom, 22, h);
      Turret(cr, axis, 150, 11, h);
      Turret(cr, axis, 214, 9, h);
    }
    PolyPath(cr, {96, 110, 144, 110, 150, 190, 120, 214, 90, 190});
    FillShaded(cr, 110, 214, h.light, h.dark, h.edge, 1.5);
    Greebles(cr, rng, 100, 140, 120, 180, 4, h);
    for (double x : {20.0, 220.0}) {
      cairo_rectangle(cr, x - 8, 120, 16, 90);
      FillShadedH(cr, x - 8, x + 8, h.dark, h.light, h.edge, 1.2);
      GlowDisc(cr, x, 214, 5, {255, 255, 255}, h.accent, 0.9);
    }
    cairo_rectangle(cr, 12, 150, 216, 10);
    FillShaded(cr, 150, 160, Scale(h.light, 0.8), h.dark, h.edge, 1.0);
    EngineBlock(cr, e1, 58, h);
    EngineBlock(cr, e2, 58, h);
    Eye(cr, 120, 170, 6, h.accent);
    return;
  }
  std::vector<double> half = {0,   64,  40,  66,  66,  90,  70,  bottom * 0.45, 110, bottom * 0.62,
                              114, bottom * 0.7, 78, bottom * 0.76, 48, bottom * 0.92, 0,  bottom};
  if (variant == 8) {
    half = {0,   64, 44, 68, 52, 100, 96, bottom * 0.38, 118, bottom * 0.52, 100, bottom * 0.58,
            56, bottom * 0.84, 26, bottom * 0.96, 0, bottom};
  } else if (variant == 10) {
    half = {0,  64,  56,  66,  72, 110, 74, bottom * 0.5, 112, bottom * 0.6, 114, bottom * 0.74,
            66, bottom * 0.84, 36, bottom * 0.97, 0, bottom};
  }
  Hull(cr, 120, half, 64, bottom, h, 2.0);
  Seams(cr, 120, half, 96, bottom, 26, h);
  if (variant == 10) {
    // Flight deck with landing marks and hangar mouths.
    cairo_rectangle(cr, 100, 100, 40, bottom * 0.8 - 100);
    FillShaded(cr, 100, bottom * 0.8, {40, 60, 64}, {20, 30, 34}, h.edge, 1.2);
    for (double y = 120; y < bottom * 0.78; y += 34) {
      cairo_rectangle(cr, 118, y, 4, 16);
      SetColor(cr, {230, 240, 230}, 0.8);
      cairo_fill(cr);
    }
    for (int side = -1; side <= 1; side += 2) {
      cairo_rectangle(cr, 120 + side * 44 - 12, 150, 24, 40);
      FillShaded(cr, 150, 190, {10, 14, 16}, {40, 60, 60}, h.edge, 1.2);
      GlowDisc(cr, 120 + side * 44, 186, 5, {255, 255, 255}, h.accent, 0.9);
    }
  } else {
    // Armour plates along the spine and a bridge tower near the stern.
    Panel(cr, 120, {0, 80, 20, 84, 24, bottom * 0.7, 12, bottom * 0.82, 0, bottom * 0.88}, 80,
          bottom * 0.88, h);
    cairo_rectangle(cr, 106, 96, 28, 26);
    FillShaded(cr, 96, 122, Scale(h.light, 1.1), h.dark, h.edge, 1.2);
    cairo_rectangle(cr, 110, 112, 20, 4);
    SetColor(cr, {160, 240, 255});
    cairo_fill(cr);
  }
  Greebles(cr, rng, 50, 96, 100, bottom * 0.6, 5, h);
  Greebles(cr, rng, 144, 190, 100, bottom * 0.6, 5, h);
  EngineBlock(cr, e1, 58, h);
  EngineBlock(cr, e2, 58, h);
  int turrets = tall > 400 ? 4 : 3;
  for (int k = 0; k < turrets; ++k) {
    double y = 124 + k * 36;
    Turret(cr, 120 - 50, y, 8, h);
    Turret(cr, 120 + 50, y, 8, h);
  }
  for (int k = 0; k < 10; ++k) {
    double y = rng.Uniform(90, bottom * 0.8), x = rng.Uniform(-40, 40);
    GlowDisc(cr, 120 + x, y, 2.5, {255, 255, 255}, h.accent, 0.9);
  }
  Eye(cr, 120, bottom * 0.9, 7, h.accent);
}

}  // namespace

void PaintEnemy(Picture& p, int variant) {
  cairo_t* cr = p.cr;
  switch (variant) {
    case 1: SmallDart(cr); break;
    case 2: Interceptor(cr); break;
    case 3: Bomber(cr); break;
    case 4: Gunship(cr); break;
    case 5: HeavyFighter(cr); break;
    case 6: Saucer(cr); break;
    case 7:
    case 8:
    case 9: Cruiser(cr, p.rng, variant, 300, 90, 150); break;
    default: Cruiser(cr, p.rng, variant, 440, 80, 160); break;
  }
}

void PaintEnemyFlames(Picture& p, int variant) {
  // Twenty flickering cells, nozzle at the bottom, flame pointing up (the craft fly nose down).
  FlamePalette pal = variant == 1 ? FlamePalette{{255, 255, 255}, {230, 160, 255}, {150, 60, 255}}
                                  : FlamePalette{{255, 255, 255}, {180, 255, 200}, {40, 200, 120}};
  ForEachCell(p, 20, 70, 20, 20, [&](int i) {
    double a = i * 2 * kPi / 20;
    double len = 44 + 14 * std::sin(a) + 6 * std::sin(3 * a + 1.1);
    double width = 11 + 1.5 * std::sin(2 * a + 0.4);
    FlameJet(p.cr, 10, 66, width, len, -1, pal);
    GlowDisc(p.cr, 10, 64, 8, {255, 255, 255}, pal.outer, 0.6);
  });
}

}  // namespace assetgen
