// Enemy bullets: bright, white cores with coloured rims, one look per family so that they stand
// out from everything else on the field: orbs pink and red, needles cyan, rings yellow, and the
// large violet "arm" projectiles with their claws.
#include <cmath>

#include "assets/painters.h"
#include "assets/shapes.h"

namespace assetgen {

namespace {

const Rgb kWhite = {255, 255, 255};

Rgb OrbRim(int variant) {
  switch (variant) {
    case 1: return {255, 90, 50};     // orange-red
    case 2: return {255, 60, 200};    // magenta
    case 3: return {255, 150, 60};    // amber
    case 16: return {255, 70, 140};   // pink
    case 20: return {255, 50, 90};    // red-pink
    case 21: return {255, 60, 170};   // hot pink
    case 22: return {255, 110, 190};  // light pink
    case 27:
    case 28: return {200, 200, 255};  // white orbs
    default: return {255, 80, 120};
  }
}

void Orb(cairo_t* cr, double s, Rgb rim, double phase) {
  double c = s / 2, r = s / 2 - 0.3;
  GlowDisc(cr, c, c, r, Mix(rim, kWhite, 0.6), rim, 0.55);
  cairo_arc(cr, c, c, r * 0.74, 0, 2 * kPi);
  SetColor(cr, rim);
  cairo_fill(cr);
  double pulse = 0.42 + 0.08 * std::sin(phase);
  RadialFill(cr, c, c, r * (pulse + 0.12),
             {{0, kWhite, 1.0}, {0.7, kWhite, 1.0}, {1, Mix(rim, kWhite, 0.5), 1.0}});
  double a = phase;
  cairo_arc(cr, c + std::cos(a) * r * 0.5, c + std::sin(a) * r * 0.5, std::fmax(0.8, r * 0.14), 0,
            2 * kPi);
  SetColor(cr, kWhite);
  cairo_fill(cr);
}

// A needle pointing along `angle` from straight down (positive turns clockwise on the screen).
void Needle(cairo_t* cr, double cx, double cy, double length, double width, double angle,
            Rgb sheath) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_rotate(cr, -angle);
  Streak(cr, 0, 0, length * 1.1, width * 1.8, 0, Mix(sheath, kWhite, 0.4), sheath, 0.5);
  PolyPath(cr, {0, -length / 2, width / 2, -length * 0.1, 0, length / 2, -width / 2, -length * 0.1});
  SetColor(cr, sheath);
  cairo_fill(cr);
  PolyPath(cr, {0, -length * 0.36, width * 0.22, -length * 0.05, 0, length * 0.42, -width * 0.22,
                -length * 0.05});
  SetColor(cr, kWhite);
  cairo_fill(cr);
  cairo_restore(cr);
}

// One curved talon from the centre outward along `angle`, bending to one side.
void Talon(cairo_t* cr, double length, double width, double angle, double bend, Rgb c) {
  cairo_save(cr);
  cairo_rotate(cr, angle);
  cairo_new_path(cr);
  cairo_move_to(cr, -width / 2, 0);
  cairo_curve_to(cr, -width / 2, length * 0.4, bend * length * 0.3, length * 0.8, bend * length * 0.35,
                 length);
  cairo_curve_to(cr, bend * length * 0.1, length * 0.7, width / 2, length * 0.4, width / 2, 0);
  cairo_close_path(cr);
  cairo_pattern_t* pat = cairo_pattern_create_linear(0, 0, 0, length);
  cairo_pattern_add_color_stop_rgba(pat, 0, 1, 1, 1, 1);
  cairo_pattern_add_color_stop_rgba(pat, 0.4, c.r / 255, c.g / 255, c.b / 255, 1);
  cairo_pattern_add_color_stop_rgba(pat, 1, c.r / 255 * 0.8, c.g / 255 * 0.6, c.b / 255, 0.9);
  cairo_set_source(cr, pat);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(pat);
  SetColor(cr, {250, 220, 255}, 0.9);
  cairo_set_line_width(cr, 1.2);
  cairo_stroke(cr);
  cairo_restore(cr);
}

}  // namespace

void PaintOrbStrip(Picture& p, int variant) {
  int s = p.height, count = p.width / s;
  Rgb rim = OrbRim(variant);
  ForEachCell(p, s, s, count, count, [&](int i) {
    double phase = count > 1 ? i * 2 * kPi / count : variant * 0.7;
    Orb(p.cr, s, rim, phase);
  });
}

void PaintNeedleStrip(Picture& p, int variant) {
  int count = p.width / 40;
  Rgb sheath = variant == 0 ? Rgb{120, 255, 200} : Rgb{70, 230, 255};
  ForEachCell(p, 40, 40, count, count, [&](int i) {
    double step = variant == 2 ? 0.35 : (variant == 3 ? 0.26 : 0.3);
    double centre = variant == 3 ? 3 : (count - 1) / 2.0;
    Needle(p.cr, 20, 20, 30, 9, (i - centre) * step, sheath);
  });
}

void PaintRing(Picture& p, int variant) {
  cairo_t* cr = p.cr;
  double s = p.width, c = s / 2;
  double r = s * (s > 32 ? 0.36 : 0.33);
  Rgb rim = {255, 225, 50};
  Rgb centre = {0, 0, 0};
  bool star = false, doubleRing = false;
  switch (variant) {
    case 2: rim = {255, 180, 40}; centre = {255, 255, 220}; break;
    case 42: rim = {240, 255, 80}; doubleRing = true; break;
    case 41: rim = {255, 200, 90}; break;
    case 40: doubleRing = true; break;
    case 115: case 116: doubleRing = true; star = true; break;
    case 117: centre = {90, 240, 255}; break;
    case 118: centre = {255, 90, 220}; break;
    default:
      if (variant >= 11 && variant <= 20) rim = Mix({255, 225, 50}, {255, 150, 40}, (variant - 11) / 9.0);
      if (variant >= 30) rim = {255, 245, 160};
      break;
  }
  // A hollow ring: its glow lies on the rim only, the middle stays open.
  const double widths[3] = {s * 0.2, s * 0.1, s * 0.04};
  const Rgb colors[3] = {rim, Mix(rim, kWhite, 0.55), kWhite};
  for (int ring = 0; ring < (doubleRing ? 2 : 1); ++ring) {
    double rr = ring == 0 ? r : r * 0.55;
    for (int k = 0; k < 3; ++k) {
      cairo_new_path(cr);
      cairo_arc(cr, c, c, rr, 0, 2 * kPi);
      SetColor(cr, colors[k]);
      cairo_set_line_width(cr, widths[k] * (ring == 0 ? 1.0 : 0.7));
      cairo_stroke(cr);
    }
  }
  if (centre.r + centre.g + centre.b > 0) GlowDisc(cr, c, c, r * 0.5, kWhite, centre, 1.0);
  if (star) Sparkle(cr, c, c, r * 0.5, r * 0.15, 4, variant * 0.4, kWhite, 1.0);
}

void PaintArm(Picture& p, int variant) {
  cairo_t* cr = p.cr;
  const Rgb violet = {170, 80, 255};
  const Rgb light = {230, 160, 255};
  double w = p.width, h = p.height;
  if (variant == 11 || variant == 12 || variant == 73) {
    // Falling arm: a violet lance with a claw of talons reaching down and a glowing palm.
    double cx = w / 2, palm = h * 0.38;
    GlowDisc(cr, cx, palm, w * 0.36, light, violet, 0.8);
    Streak(cr, cx, palm * 0.55, palm * 1.1, w * 0.2, 0, light, violet, 0.8);
    cairo_save(cr);
    cairo_translate(cr, cx, palm);
    int talons = variant == 73 ? 2 : 3;
    double spread = variant == 12 ? 0.55 : 0.42;
    for (int k = 0; k < talons; ++k) {
      double t = talons == 1 ? 0 : (k - (talons - 1) / 2.0);
      Talon(cr, h * 0.58, w * (variant == 73 ? 0.22 : 0.14), -t * spread, t * 0.6 + (variant == 12 ? 0.3 : 0),
            violet);
    }
    cairo_restore(cr);
    GlowDisc(cr, cx, palm, w * 0.2, kWhite, light, 1.0);
    return;
  }
  // Claw stars: talons around a core; diagonal ones lean 45 degrees.
  double cx = w / 2, cy = h / 2, r = std::fmin(w, h) / 2;
  GlowDisc(cr, cx, cy, r * 0.62, light, violet, 0.8);
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  double lean = variant == 71 || variant == 74 ? kPi / 4 : (variant == 72 || variant == 75 ? -kPi / 4 : 0);
  int talons = variant >= 70 ? 4 : 3 + variant % 3;
  for (int k = 0; k < talons; ++k) {
    Talon(cr, r * 0.92, r * 0.26, lean + k * 2 * kPi / talons, 0.5, violet);
  }
  cairo_restore(cr);
  GlowDisc(cr, cx, cy, r * 0.38, kWhite, light, 1.0);
}

}  // namespace assetgen
