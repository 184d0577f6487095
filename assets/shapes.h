// Shapes several families share: engine flames, energy streaks and the damage marks of hulls.
#pragma once

#include <functional>
#include <vector>

#include "assets/canvas.h"

namespace assetgen {

struct FlamePalette {
  Rgb core, mid, outer;
};

// A tapering jet of fire from (x, y0), `length` long in direction dir (+1 down, -1 up).
void FlameJet(cairo_t* cr, double x, double y0, double width, double length, int dir,
              const FlamePalette& pal);

// An elongated glowing streak centred on (cx, cy), pointing along `angle` (radians, 0 = up):
// a white core inside a coloured sheath.
void Streak(cairo_t* cr, double cx, double cy, double length, double width, double angle,
            Rgb core, Rgb sheath, double alpha = 1.0);

// Scorch marks, cracks, torn plates and sparks over a hull, clipped to the path that `hullPath`
// lays down. level 0 draws nothing, 3 the worst.
void DamageMarks(cairo_t* cr, Rng& rng, double x0, double y0, double x1, double y1, int level,
                 const std::function<void()>& hullPath);

// Hull colours of enemy craft: a lit and a shaded body colour, the outline and an accent for
// eyes, lights and gun muzzles.
struct Hue {
  Rgb light, dark, edge, accent;
};
extern const Hue kGreen, kPurple, kTeal, kOlive, kViolet, kSteel, kPlum;

// A hull symmetric about `axis` (see MirrorPath) shaded from y0 to y1, and a darker inset panel.
void Hull(cairo_t* cr, double axis, const std::vector<double>& half, double y0, double y1,
          const Hue& h, double line = 1.2);
void Panel(cairo_t* cr, double axis, const std::vector<double>& half, double y0, double y1,
           const Hue& h);
// An engine nozzle opening upward at (x, y), `w` wide.
void Nozzle(cairo_t* cr, double x, double y, double w);
// A glowing sensor eye.
void Eye(cairo_t* cr, double x, double y, double r, Rgb c);
// A round gun turret with its barrel pointing down.
void Turret(cairo_t* cr, double x, double y, double r, const Hue& h);
// Horizontal plate seams every `step` pixels and a spine line, clipped to the hull.
void Seams(cairo_t* cr, double axis, const std::vector<double>& half, double y0, double y1,
           double step, const Hue& h);

}  // namespace assetgen
