// The player's ship: a sleek blue and white fighter, nose up, in a 60 x 70 box; its engine flame;
// the option pod; and the burning pieces of its explosion.
#include <cmath>

#include "assets/painters.h"
#include "assets/shapes.h"

namespace assetgen {

namespace {

struct Livery {
  Rgb hullTop, hullBottom, wingTop, wingBottom, stripe, edge;
};

const Livery kLiveries[] = {
    {{246, 248, 255}, {150, 166, 196}, {70, 130, 235}, {24, 56, 150}, {240, 246, 255}, {14, 24, 60}},
    {{250, 246, 246}, {190, 160, 160}, {230, 70, 60}, {130, 24, 24}, {255, 235, 225}, {50, 12, 12}},
    {{255, 250, 232}, {200, 180, 130}, {240, 190, 60}, {150, 100, 20}, {255, 248, 220}, {60, 40, 10}},
};

// One wing, drawn for the right side (x grows outward) and mirrored by the caller's transform.
void Wing(cairo_t* cr, const Livery& l, double shade) {
  PolyPath(cr, {5, 28, 14, 36, 27, 49, 29, 57, 24, 59, 7, 57});
  FillShaded(cr, 28, 59, Scale(l.wingTop, shade), Scale(l.wingBottom, shade), l.edge, 1.0);
  // White leading-edge stripe and a fin at the tip.
  PolyPath(cr, {8, 33, 14, 38, 24, 48, 22, 49, 13, 40, 8, 36});
  SetColor(cr, Scale(l.stripe, shade), 0.9);
  cairo_fill(cr);
  PolyPath(cr, {25, 44, 27, 44, 29, 57, 26, 58});
  FillShaded(cr, 44, 58, Scale(l.hullTop, shade), Scale(l.hullBottom, shade), l.edge, 0.8);
}

}  // namespace

void DrawShip(cairo_t* cr, double cx, double top, double scale, double bank, int livery) {
  const Livery& l = kLiveries[livery % 3];
  cairo_save(cr);
  cairo_translate(cr, cx, top);
  cairo_scale(cr, scale, scale);
  cairo_translate(cr, bank * 1.5, 0);
  // Wings: the one rolling away from the viewer is foreshortened and darker.
  double kl = 1.0 - 0.4 * std::fmax(0.0, -bank), kr = 1.0 - 0.4 * std::fmax(0.0, bank);
  cairo_save(cr);
  cairo_scale(cr, kr, 1);
  Wing(cr, l, 1.0 - 0.25 * std::fmax(0.0, bank));
  cairo_restore(cr);
  cairo_save(cr);
  cairo_scale(cr, -kl, 1);
  Wing(cr, l, 1.0 - 0.25 * std::fmax(0.0, -bank));
  cairo_restore(cr);
  // Engine pods.
  for (int side = -1; side <= 1; side += 2) {
    cairo_rectangle(cr, side * 5 - 3, 58, 6, 8);
    FillShaded(cr, 58, 66, {120, 130, 150}, {40, 44, 56}, l.edge, 0.8);
    cairo_rectangle(cr, side * 5 - 2, 64, 4, 2.5);
    SetColor(cr, {255, 170, 60});
    cairo_fill(cr);
  }
  // Fuselage.
  MirrorPath(cr, 0, {0, 1, 2.5, 7, 4.5, 16, 6, 28, 7, 42, 7.5, 54, 6.5, 62, 4, 64});
  FillShadedH(cr, -7, 7, l.hullBottom, l.hullTop, l.edge, 1.0);
  MirrorPath(cr, 0, {0, 3, 1.2, 8, 2.2, 18, 2.6, 40, 2, 56, 0.8, 60});
  SetColor(cr, l.hullTop, 0.55);
  cairo_fill(cr);
  // Coloured spine stripe and nose tip.
  MirrorPath(cr, 0, {0, 34, 1.6, 36, 1.6, 54, 0, 56});
  SetColor(cr, l.wingTop);
  cairo_fill(cr);
  // Canopy.
  EllipsePath(cr, 0, 20, 3.2, 8);
  FillShaded(cr, 12, 28, {190, 240, 255}, {20, 70, 150}, {10, 20, 50}, 0.8);
  EllipsePath(cr, -1, 17, 1, 3);
  SetColor(cr, {255, 255, 255}, 0.8);
  cairo_fill(cr);
  cairo_restore(cr);
}

void PaintShipSheet(Picture& p, int variant) {
  // Cells 0 to 2 roll hard left, slightly left and slightly right; cell 3 flies level.
  const double banks[4] = {-0.9, -0.45, 0.45, 0.0};
  ForEachCell(p, 60, 70, 4, 4, [&](int i) { DrawShip(p.cr, 30, 0, 1.0, banks[i], variant); });
}

void PaintShipBank(Picture& p, int variant) {
  // Twenty frames of a full roll: left to level to right and back.
  double phase = (variant - 1) / 20.0 * 2 * kPi;
  DrawShip(p.cr, 30, 0, 1.0, std::sin(phase) * 0.9, 0);
}

void PaintShipFlame(Picture& p, int variant) {
  const double lengths[3] = {16, 19, 17};
  FlamePalette pal = variant == 0 ? FlamePalette{{255, 255, 255}, {255, 220, 90}, {255, 110, 20}}
                                  : FlamePalette{{255, 255, 255}, {150, 220, 255}, {40, 110, 255}};
  ForEachCell(p, 60, 80, 3, 3, [&](int i) {
    for (int side = -1; side <= 1; side += 2) {
      FlameJet(p.cr, 30 + side * 5, 61, 6, lengths[i] + (side > 0 ? 1 : 0) - 1, 1, pal);
    }
    GlowDisc(p.cr, 30, 68, 7, {255, 240, 200}, pal.outer, 0.3);
  });
}

void PaintOptionPod(Picture& p, int) {
  cairo_t* cr = p.cr;
  GlowDisc(cr, 15, 15, 14, {255, 220, 150}, {255, 120, 30}, 0.5);
  cairo_arc(cr, 15, 15, 8, 0, 2 * kPi);
  FillShaded(cr, 7, 23, {240, 246, 255}, {60, 100, 190}, {14, 24, 60}, 1.0);
  cairo_arc(cr, 15, 15, 3.5, 0, 2 * kPi);
  SetColor(cr, {120, 220, 255});
  cairo_fill(cr);
}

void PaintShipFragments(Picture& p, int) {
  // A burning piece of the ship, flickering through a looping 15-step cycle: frame f sits in row 0
  // columns 0 to 7 (f = 0 to 7) and row 1 columns 1 to 7 (f = 8 to 14); row 1 column 0 holds the
  // last wisp of smoke. The fireball swells and sinks back once a cycle, so the loop has no jump.
  Rng strip(HashName("fragment"));
  ForEachCell(p, 60, 60, 16, 8, [&](int cell) {
    int col = cell % 8, row = cell / 8;
    int f = row == 0 ? col : (col == 0 ? 15 : 7 + col);
    cairo_t* cr = p.cr;
    Rng rng = strip;
    for (int k = 0; k < f; ++k) rng.Next();
    if (f == 15) {
      DrawExplosion(cr, rng, 30, 30, 22, 0.95, 6);
      return;
    }
    double swell = 0.5 - 0.5 * std::cos(2 * kPi * f / 15.0);
    // A trail of smoke rolling off behind the fire, turning with the piece.
    double sa = f * 24 * kPi / 180 + kPi * 0.75;
    for (int k = 0; k < 3; ++k) {
      double d = 10 + 6 * k, r = 7 + 2 * k + 2 * swell;
      RadialFill(cr, 30 + std::cos(sa + 0.3 * k) * d, 30 + std::sin(sa + 0.3 * k) * d, r,
                 {{0, {170, 156, 142}, 0.7 - 0.15 * k}, {0.6, {130, 120, 112}, 0.5 - 0.1 * k},
                  {1, {100, 94, 90}, 0.0}});
    }
    DrawExplosion(cr, rng, 30, 30, 21 + 5 * swell, 0.22 + 0.3 * swell, 6);
    // A white-hot ember at the heart of the fire.
    GlowDisc(cr, 30, 30, 5 + 2 * (1 - swell), {255, 255, 245}, {255, 200, 90}, 0.9);
    // Sparks thrown off along the flight.
    for (int k = 0; k < 5; ++k) {
      double a = rng.Uniform(0, 2 * kPi), d = rng.Uniform(14, 27);
      Sparkle(cr, 30 + std::cos(a) * d, 30 + std::sin(a) * d, rng.Uniform(2.0, 3.5), 0.6, 4,
              rng.Uniform(0, kPi), {255, 250, 200}, 0.95);
    }
  });
}

}  // namespace assetgen
