// The bosses: large armoured craft, nose down, with damage states that add scorch marks, torn
// plates, cracks and sparks (each state keeps the marks of the one before). The fly-by craft rise
// nose up past the player before the boss arrives.
#include <cmath>
#include <functional>
#include <vector>

#include "assets/painters.h"
#include "assets/shapes.h"

namespace assetgen {

namespace {

// ---- Stage-1 fortress, drawn in a 440 x 360 frame. ----

const std::vector<double> kFortressHull = {0,   6,   70,  8,   130, 22,  190, 50,  214, 90,
                                           216, 140, 196, 176, 150, 196, 132, 236, 100, 276,
                                           60,  318, 26,  346, 0,   354};

void FortressPods(cairo_t* cr, const Hue& h, bool pathOnly) {
  for (int side = -1; side <= 1; side += 2) {
    cairo_save(cr);
    cairo_translate(cr, 220 + side * 158, 0);
    if (pathOnly) {
      cairo_rectangle(cr, -24, 56, 48, 170);
      cairo_restore(cr);
      continue;
    }
    // Cannon barrels first, then the pod over their breeches.
    for (int b = -1; b <= 1; b += 2) {
      cairo_rectangle(cr, b * 10 - 4, 150, 8, 110);
      FillShaded(cr, 150, 260, {170, 176, 190}, {50, 54, 64}, h.edge, 1.0);
      GlowDisc(cr, b * 10, 258, 6, {255, 255, 255}, h.accent, 0.8);
    }
    PolyPath(cr, {-18, 56, 18, 56, 26, 80, 26, 200, 14, 226, -14, 226, -26, 200, -26, 80});
    FillShadedH(cr, -26, 26, Scale(h.dark, 1.1), h.light, h.edge, 1.6);
    for (double y = 90; y < 210; y += 26) {
      cairo_rectangle(cr, -18, y, 36, 16);
      FillShaded(cr, y, y + 16, Scale(h.dark, 1.4), Scale(h.dark, 0.7), h.edge, 0.8);
    }
    Nozzle(cr, 0, 60, 18);
    cairo_restore(cr);
  }
}

void FortressHullPath(cairo_t* cr) {
  MirrorPath(cr, 220, kFortressHull);
  FortressPods(cr, kSteel, true);
}

void DrawFortress(cairo_t* cr, const Hue& h) {
  Rng rng(HashName("fortress"));
  FortressPods(cr, h, false);
  Hull(cr, 220, kFortressHull, 6, 354, h, 2.0);
  Seams(cr, 220, kFortressHull, 40, 354, 22, h);
  // Armour plates either side of the spine.
  for (int side = -1; side <= 1; side += 2) {
    cairo_save(cr);
    cairo_translate(cr, 220, 0);
    cairo_scale(cr, side, 1);
    PolyPath(cr, {70, 40, 150, 54, 190, 96, 186, 150, 140, 170, 90, 150});
    FillShaded(cr, 40, 170, Scale(h.light, 0.85), h.dark, h.edge, 1.4);
    PolyPath(cr, {40, 200, 110, 206, 96, 260, 50, 300, 30, 290});
    FillShaded(cr, 200, 300, Scale(h.light, 0.8), h.dark, h.edge, 1.4);
    cairo_restore(cr);
  }
  Panel(cr, 220, {0, 20, 40, 24, 52, 60, 44, 300, 20, 330, 0, 340}, 20, 340, h);
  // Engines along the stern.
  for (int k = -3; k <= 3; k += 2) Nozzle(cr, 220 + k * 22, 12, 16);
  // Armoured dome with the glowing core.
  cairo_arc(cr, 220, 128, 56, 0, 2 * kPi);
  FillShaded(cr, 72, 184, Scale(h.light, 1.05), Scale(h.dark, 0.8), h.edge, 2.0);
  cairo_arc(cr, 220, 128, 40, 0, 2 * kPi);
  FillShaded(cr, 88, 168, Scale(h.dark, 0.6), Scale(h.dark, 1.3), h.edge, 1.5);
  GlowDisc(cr, 220, 128, 34, {255, 255, 255}, h.accent, 1.0);
  // Gun turrets.
  const double turrets[][2] = {{140, 80}, {300, 80}, {176, 214}, {264, 214}, {220, 262}};
  for (const auto& t : turrets) Turret(cr, t[0], t[1], 13, h);
  for (int k = 0; k < 16; ++k) {
    double x = 220 + rng.Uniform(-180, 180), y = rng.Uniform(30, 180);
    GlowDisc(cr, x, y, 2.5, {255, 255, 255}, k % 3 ? h.accent : Rgb{255, 200, 80}, 0.9);
  }
  Eye(cr, 220, 320, 8, {255, 70, 70});
}

// ---- Stage-2 battleship with two claw arms, drawn in a 500 x 400 frame. ----

const std::vector<double> kShipHull = {0,   14,  50,  16,  92, 40, 112, 92, 118, 170,
                                       100, 240, 72,  300, 42, 360, 0,  392};
const std::vector<double> kArm = {96,  64,  196, 92,  236, 140, 242, 252, 230, 330,
                                  214, 388, 204, 336, 194, 262, 172, 178, 108, 160};

void BattleshipHullPath(cairo_t* cr) {
  MirrorPath(cr, 250, kShipHull);
  for (int side = -1; side <= 1; side += 2) {
    cairo_save(cr);
    cairo_translate(cr, 250, 0);
    cairo_scale(cr, side, 1);
    PolyPath(cr, kArm);
    cairo_restore(cr);
  }
}

void DrawBattleship(cairo_t* cr, const Hue& h) {
  Rng rng(HashName("battleship"));
  for (int side = -1; side <= 1; side += 2) {
    cairo_save(cr);
    cairo_translate(cr, 250, 0);
    cairo_scale(cr, side, 1);
    PolyPath(cr, kArm);
    FillShaded(cr, 64, 388, h.light, h.dark, h.edge, 2.0);
    // Arm plating and the claw's glowing tip.
    for (double y = 120; y < 320; y += 34) {
      PolyPath(cr, {190, y, 226, y + 6, 228, y + 26, 196, y + 22});
      FillShaded(cr, y, y + 26, Scale(h.light, 0.8), Scale(h.dark, 0.7), h.edge, 1.0);
    }
    GlowDisc(cr, 214, 370, 12, {255, 255, 255}, h.accent, 0.95);
    Turret(cr, 150, 130, 12, h);
    cairo_restore(cr);
  }
  Hull(cr, 250, kShipHull, 14, 392, h, 2.0);
  Seams(cr, 250, kShipHull, 50, 392, 26, h);
  Panel(cr, 250, {0, 30, 36, 34, 60, 90, 60, 220, 30, 320, 0, 350}, 30, 350, h);
  for (int k = -3; k <= 3; k += 2) Nozzle(cr, 250 + k * 20, 18, 16);
  // The core, framed by armour.
  cairo_arc(cr, 250, 196, 46, 0, 2 * kPi);
  FillShaded(cr, 150, 242, Scale(h.light, 1.05), Scale(h.dark, 0.7), h.edge, 2.0);
  GlowDisc(cr, 250, 196, 36, {255, 255, 255}, h.accent, 1.0);
  cairo_arc(cr, 250, 196, 12, 0, 2 * kPi);
  SetColor(cr, {255, 255, 255});
  cairo_fill(cr);
  const double turrets[][2] = {{196, 90}, {304, 90}, {212, 290}, {288, 290}};
  for (const auto& t : turrets) Turret(cr, t[0], t[1], 13, h);
  for (int k = 0; k < 14; ++k) {
    double x = 250 + rng.Uniform(-90, 90), y = rng.Uniform(40, 330);
    GlowDisc(cr, x, y, 2.5, {255, 255, 255}, k % 2 ? h.accent : Rgb{120, 255, 200}, 0.9);
  }
  Eye(cr, 250, 366, 8, {120, 255, 200});
}

// ---- Fly-by carrier, nose up, drawn in a 480 x 480 frame. ----

const std::vector<double> kCarrierHull = {0,   16,  30,  40,  60,  110, 120, 190, 200, 260,
                                          206, 330, 150, 360, 110, 420, 70,  452, 0,   456};

void CarrierHullPath(cairo_t* cr) { MirrorPath(cr, 240, kCarrierHull); }

void DrawCarrier(cairo_t* cr, const Hue& h) {
  Rng rng(HashName("carrier"));
  // Engine plumes below the stern.
  FlamePalette plume = {{255, 255, 255}, {255, 220, 120}, {255, 120, 40}};
  for (int k = -2; k <= 2; ++k) FlameJet(cr, 240 + k * 36, 452, 26, 30, 1, plume);
  Hull(cr, 240, kCarrierHull, 16, 456, h, 2.0);
  Seams(cr, 240, kCarrierHull, 60, 456, 28, h);
  Panel(cr, 240, {0, 40, 24, 80, 40, 200, 44, 400, 0, 430}, 40, 430, h);
  for (int side = -1; side <= 1; side += 2) {
    cairo_save(cr);
    cairo_translate(cr, 240, 0);
    cairo_scale(cr, side, 1);
    PolyPath(cr, {120, 200, 196, 266, 200, 324, 150, 340, 110, 300});
    FillShaded(cr, 200, 340, Scale(h.light, 0.85), h.dark, h.edge, 1.5);
    // Launch bay lights along the flank.
    for (int k = 0; k < 6; ++k) GlowDisc(cr, 70 + k * 8, 150 + k * 30, 3, {255, 255, 255}, h.accent, 0.9);
    cairo_restore(cr);
  }
  cairo_arc(cr, 240, 120, 22, 0, 2 * kPi);
  FillShaded(cr, 98, 142, {200, 240, 255}, {20, 60, 110}, h.edge, 1.5);
  for (int k = 0; k < 12; ++k) {
    GlowDisc(cr, 240 + rng.Uniform(-120, 120), rng.Uniform(200, 420), 2.5, {255, 255, 255},
             {255, 200, 80}, 0.9);
  }
}

}  // namespace

void PaintBoss(Picture& p, int variant) {
  int design = variant / 10, damage = variant % 10;
  cairo_t* cr = p.cr;
  std::function<void()> hullPath;
  double frameW = 440, frameH = 360;
  cairo_save(cr);
  if (design == 1 || design == 3 || design == 4 || design == 5) {
    const Hue& h = design == 1 ? kSteel : (design == 3 ? kGreen : (design == 4 ? kTeal : kOlive));
    cairo_scale(cr, p.width / 440.0, p.height / 360.0);
    DrawFortress(cr, h);
    hullPath = [cr] { FortressHullPath(cr); };
  } else if (design == 7) {
    frameW = 500;
    frameH = 400;
    DrawBattleship(cr, kPlum);
    hullPath = [cr] { BattleshipHullPath(cr); };
  } else {
    frameW = 480;
    frameH = 480;
    DrawCarrier(cr, design == 11 ? kSteel : kPlum);
    hullPath = [cr] { CarrierHullPath(cr); };
  }
  // Damage accumulates: each state adds its own marks to those of the lighter states.
  for (int level = 1; level <= damage; ++level) {
    Rng rng(HashName("damage") + static_cast<uint64_t>(design * 10 + level));
    DamageMarks(cr, rng, 20, 20, frameW - 20, frameH - 30, level, hullPath);
  }
  cairo_restore(cr);
}

}  // namespace assetgen
