// Screens and lettering: the title with its keys, the continue prompt, the congratulation and
// ranking headings, the two ending pictures, the digit strips and the head-up sheet (small
// digits, star cells and the lives icon).
#include <cmath>
#include <string>

#include "assets/painters.h"
#include "assets/shapes.h"

namespace assetgen {

namespace {

const Rgb kWhite = {255, 255, 255};

// 5 x 8 pixel digits for the small head-up numbers.
const char* const kSmallDigits[10][8] = {
    {".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", "#...#", ".###."},
    {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."},
    {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#....", "#####"},
    {".###.", "#...#", "....#", "..##.", "....#", "....#", "#...#", ".###."},
    {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#.", "...#."},
    {"#####", "#....", "####.", "....#", "....#", "....#", "#...#", ".###."},
    {".###.", "#....", "#....", "####.", "#...#", "#...#", "#...#", ".###."},
    {"#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#...", ".#..."},
    {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", "#...#", ".###."},
    {".###.", "#...#", "#...#", "#...#", ".####", "....#", "....#", ".###."},
};

void Pixel(cairo_t* cr, int x, int y, Rgb c, double alpha = 1.0) {
  cairo_rectangle(cr, x, y, 1, 1);
  SetColor(cr, c, alpha);
  cairo_fill(cr);
}

// Deep space: a dark gradient, faint nebulae and stars. Opaque, for full-screen pictures.
void Space(cairo_t* cr, Rng& rng, double w, double h, Rgb top, Rgb bottom, int stars) {
  cairo_rectangle(cr, 0, 0, w, h);
  FillShaded(cr, 0, h, top, bottom, top, 0);
  for (int k = 0; k < 5; ++k) {
    Rgb c = k % 2 ? Rgb{90, 40, 140} : Rgb{30, 60, 150};
    RadialFill(cr, rng.Uniform(0, w), rng.Uniform(0, h), rng.Uniform(80, 180),
               {{0, c, 0.28}, {1, c, 0.0}});
  }
  for (int k = 0; k < stars; ++k) {
    double x = rng.Uniform(0, w), y = rng.Uniform(0, h), b = rng.Uniform(0.35, 1.0);
    Rgb c = Mix({170, 200, 255}, {255, 240, 210}, rng.Unit());
    cairo_arc(cr, x, y, rng.Uniform(0.5, 1.2), 0, 2 * kPi);
    SetColor(cr, c, b);
    cairo_fill(cr);
    if (k % 23 == 0) Sparkle(cr, x, y, 5, 0.7, 4, 0, kWhite, 0.8);
  }
}

void Planet(cairo_t* cr, double cx, double cy, double r, Rgb lit, Rgb dark, Rgb atmosphere) {
  RadialFill(cr, cx, cy, r * 1.12, {{0.85, atmosphere, 0.5}, {1, atmosphere, 0.0}});
  cairo_pattern_t* pat = cairo_pattern_create_radial(cx - r * 0.4, cy - r * 0.5, r * 0.1, cx, cy, r);
  cairo_pattern_add_color_stop_rgb(pat, 0, lit.r / 255, lit.g / 255, lit.b / 255);
  cairo_pattern_add_color_stop_rgb(pat, 1, dark.r / 255, dark.g / 255, dark.b / 255);
  cairo_set_source(cr, pat);
  cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_pattern_destroy(pat);
  // Cloud bands.
  cairo_save(cr);
  cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
  cairo_clip(cr);
  cairo_set_line_width(cr, r * 0.05);
  for (int k = -4; k <= 4; ++k) {
    cairo_move_to(cr, cx - r, cy + k * r * 0.2);
    cairo_curve_to(cr, cx - r * 0.3, cy + k * r * 0.2 - r * 0.08, cx + r * 0.3,
                   cy + k * r * 0.2 + r * 0.08, cx + r, cy + k * r * 0.2);
  }
  SetColor(cr, Mix(lit, kWhite, 0.3), 0.18);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void KeyCap(cairo_t* cr, double x, double y, double w, const std::string& key) {
  double h = 17, r = 4;
  RoundedRectPath(cr, x, y, w, h, r);
  FillShaded(cr, y, y + h, {235, 240, 255}, {140, 160, 200}, {20, 30, 70}, 1.2);
  SetColor(cr, {16, 24, 60});
  Text(cr, x + w / 2, y + 13, 11, true, key, 0.5);
}

void Frame(cairo_t* cr, double x, double y, double w, double h, Rgb fill, Rgb line) {
  double r = 8;
  RoundedRectPath(cr, x, y, w, h, r);
  FillShaded(cr, y, y + h, Scale(fill, 1.4), fill, line, 2.0);
}

const Rgb kTitleTop = {255, 255, 255};
const Rgb kTitleBottom = {110, 180, 255};
const Rgb kTitleEdge = {10, 20, 70};

}  // namespace

void PaintHudSheet(Picture& p, int) {
  cairo_t* cr = p.cr;
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  // Small digits 0 to 9 in 7 x 10 cells at x 7d + 8, y 70.
  for (int d = 0; d < 10; ++d) {
    for (int row = 0; row < 8; ++row) {
      for (int col = 0; col < 5; ++col) {
        if (kSmallDigits[d][row][col] != '#') continue;
        Pixel(cr, 7 * d + 8 + 1 + col, 71 + row, Mix(kWhite, {140, 220, 255}, row / 7.0));
      }
    }
  }
  // Star cells, 3 x 10 at x 139 + 3c: a short bright streak in seven colours.
  const Rgb stars[7] = {{255, 255, 255}, {190, 220, 255}, {110, 160, 255}, {255, 240, 150},
                        {255, 180, 110}, {255, 150, 200}, {170, 255, 200}};
  for (int c = 0; c < 7; ++c) {
    int x = 139 + 3 * c;
    for (int row = 0; row < 6; ++row) {
      double b = 1.0 - std::fabs(row - 3.5) / 4.0;
      Pixel(cr, x + 1, 72 + row, Scale(stars[c], 0.4 + 0.6 * b));
    }
    Pixel(cr, x, 75, Scale(stars[c], 0.45));
    Pixel(cr, x + 2, 75, Scale(stars[c], 0.45));
    Pixel(cr, x + 1, 75, kWhite);
  }
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_DEFAULT);
  // Lives icon, 24 x 10 at (200, 70): a tiny ship and a cross.
  cairo_save(cr);
  cairo_rectangle(cr, 200, 70, 24, 10);
  cairo_clip(cr);
  DrawShip(cr, 206, 70, 10.0 / 70.0, 0, 0);
  cairo_set_line_width(cr, 1.5);
  cairo_move_to(cr, 215, 72);
  cairo_line_to(cr, 221, 78);
  cairo_move_to(cr, 221, 72);
  cairo_line_to(cr, 215, 78);
  SetColor(cr, {255, 230, 120});
  cairo_stroke(cr);
  cairo_restore(cr);
  // The upper part holds a few spare sprites: ships in three sizes and two labels.
  DrawShip(cr, 30, 2, 0.9, 0, 0);
  DrawShip(cr, 80, 10, 0.6, 0, 0);
  DrawShip(cr, 115, 18, 0.4, 0, 0);
  SetColor(cr, {140, 220, 255});
  Text(cr, 150, 28, 12, true, "HI-SCORE");
  SetColor(cr, {255, 230, 120});
  Text(cr, 150, 52, 12, true, "SHIPS");
}

void PaintDigits(Picture& p, int variant) {
  int cw = variant == 0 ? 16 : 20, ch = variant == 0 ? 20 : 25;
  double size = variant == 0 ? 18 : 24;
  Rgb top = variant == 0 ? Rgb{255, 250, 200} : kWhite;
  Rgb bottom = variant == 0 ? Rgb{255, 170, 40} : Rgb{120, 200, 255};
  ForEachCell(p, cw, ch, 10, 10, [&](int d) {
    OutlinedText(p.cr, cw / 2.0, ch - (variant == 0 ? 2.5 : 3.5), size, std::to_string(d), top,
                 bottom, {12, 20, 60}, 2.5, 0.5);
  });
}

void PaintCongratulation(Picture& p, int) {
  cairo_t* cr = p.cr;
  RadialFill(cr, 150, 50, 150, {{0, {60, 90, 200}, 0.25}, {1, {20, 30, 80}, 0.0}});
  OutlinedText(cr, 150, 48, 24, "CONGRATULATIONS", {255, 250, 210}, {255, 180, 50},
               {60, 30, 0}, 3.5, 0.5);
  OutlinedText(cr, 150, 78, 15, "MISSION COMPLETE", kTitleTop, kTitleBottom, kTitleEdge, 3, 0.5);
  for (int k = 0; k < 6; ++k) {
    Sparkle(cr, 20 + k * 52, k % 2 ? 12 : 90, 6, 1, 4, 0, {255, 240, 170}, 0.9);
  }
}

void PaintRankingHeading(Picture& p, int) {
  cairo_t* cr = p.cr;
  // Drawn at x -20: the visible part is x 20 to 380, centred on 200.
  for (int side = -1; side <= 1; side += 2) {
    cairo_rectangle(cr, side < 0 ? 40 : 270, 58, 90, 3);
    FillShadedH(cr, side < 0 ? 40 : 270, side < 0 ? 130 : 360,
                side < 0 ? Rgb{20, 40, 100} : Rgb{255, 200, 80},
                side < 0 ? Rgb{255, 200, 80} : Rgb{20, 40, 100}, kWhite, 0);
  }
  OutlinedText(cr, 200, 70, 40, "RANKING", {255, 250, 210}, {255, 170, 40}, {60, 30, 0}, 4, 0.5);
  SetColor(cr, {170, 210, 255});
  Text(cr, 200, 92, 12, true, "BEST PILOTS OF THE MORVENTICA FLEET", 0.5);
}

void PaintMessage(Picture& p, int) {
  cairo_t* cr = p.cr;
  Frame(cr, 3, 3, 234, 54, {70, 10, 16}, {255, 80, 60});
  OutlinedText(cr, 120, 41, 28, "WARNING", {255, 240, 200}, {255, 90, 60}, {40, 0, 0}, 3, 0.5);
}

void PaintLevel(Picture& p, int variant) {
  cairo_t* cr = p.cr;
  Frame(cr, 2, 2, 156, 36, {14, 24, 60}, {120, 180, 255});
  OutlinedText(cr, 80, 28, 20, "LEVEL " + std::to_string(variant), kTitleTop, kTitleBottom,
               kTitleEdge, 3, 0.5);
}

void PaintContinue(Picture& p, int) {
  cairo_t* cr = p.cr;
  Frame(cr, 3, 3, 194, 94, {12, 18, 48}, {120, 180, 255});
  OutlinedText(cr, 100, 42, 25, "CONTINUE?", kTitleTop, kTitleBottom, kTitleEdge, 3.5, 0.5);
  SetColor(cr, {200, 220, 255});
  Text(cr, 88, 77, 14, true, "PRESS", 1.0);
  cairo_save(cr);
  cairo_translate(cr, 96, 60);
  cairo_scale(cr, 1.4, 1.4);
  KeyCap(cr, 0, 0, 22, "Y");
  cairo_restore(cr);
}

void PaintTitle(Picture& p, int) {
  cairo_t* cr = p.cr;
  Space(cr, p.rng, 360, 480, {6, 8, 26}, {18, 10, 40}, 170);
  Planet(cr, 300, 520, 190, {120, 110, 230}, {20, 12, 60}, {120, 160, 255});
  // The ship climbing from the planet.
  FlamePalette flame = {{255, 255, 255}, {255, 220, 90}, {255, 110, 20}};
  for (int side = -1; side <= 1; side += 2) FlameJet(cr, 180 + side * 8, 268, 11, 46, 1, flame);
  DrawShip(cr, 180, 160, 1.6, 0, 0);
  // Title and its glow.
  RadialFill(cr, 180, 92, 170, {{0, {70, 120, 255}, 0.35}, {1, {40, 60, 160}, 0.0}});
  SetColor(cr, {200, 220, 255});
  Text(cr, 180, 52, 13, true, "S F   S H O O T I N G", 0.5);
  OutlinedText(cr, 180, 110, 42, "MORVENTICA", kTitleTop, kTitleBottom, kTitleEdge, 5, 0.5);
  cairo_rectangle(cr, 40, 122, 280, 2);
  FillShadedH(cr, 40, 320, {40, 80, 200}, {255, 255, 255}, kWhite, 0);
  // Keys.
  Frame(cr, 14, 328, 332, 140, {10, 14, 40}, {90, 140, 240});
  SetColor(cr, {255, 230, 120});
  Text(cr, 180, 348, 12, true, "PRESS ENTER TO START", 0.5);
  struct Key {
    const char* cap;
    const char* what;
  };
  const Key left[4] = {{"ENTER", "START"}, {"K", "KEYBOARD"}, {"M", "MOUSE"}, {"O", "NO-DEATH"}};
  const Key right[3] = {{"S", "PAUSE"}, {"T", "TITLE"}, {"ESC", "QUIT"}};
  for (int i = 0; i < 4; ++i) {
    double y = 358 + i * 26;
    KeyCap(cr, 28, y, 48, left[i].cap);
    SetColor(cr, {220, 232, 255});
    Text(cr, 84, y + 13, 12, true, left[i].what);
  }
  for (int i = 0; i < 3; ++i) {
    double y = 358 + i * 26;
    KeyCap(cr, 196, y, 40, right[i].cap);
    SetColor(cr, {220, 232, 255});
    Text(cr, 244, y + 13, 12, true, right[i].what);
  }
}

void PaintEndingPicture(Picture& p, int variant) {
  cairo_t* cr = p.cr;
  if (variant == 1) {
    // Dawn over the home world: the ship heads for the rising sun.
    Space(cr, p.rng, 360, 480, {4, 6, 20}, {30, 16, 40}, 120);
    Planet(cr, 180, 760, 420, {90, 160, 255}, {10, 30, 80}, {150, 210, 255});
    RadialFill(cr, 250, 338, 150,
               {{0, kWhite, 1.0}, {0.08, {255, 240, 180}, 0.9}, {0.4, {255, 150, 60}, 0.35},
                {1, {255, 90, 40}, 0.0}});
    Sparkle(cr, 250, 338, 120, 4, 4, 0, {255, 250, 220}, 0.7);
    for (int side = -1; side <= 1; side += 2) FlameJet(cr, 110 + side * 4, 288, 6, 22, 1, {{255, 255, 255}, {255, 220, 90}, {255, 110, 20}});
    DrawShip(cr, 110, 236, 0.8, 0.3, 0);
    OutlinedText(cr, 180, 440, 20, "THE WAR IS OVER", kTitleTop, kTitleBottom, kTitleEdge, 3, 0.5);
    return;
  }
  // Home: the fleet's station above the blue world, and the end.
  Space(cr, p.rng, 360, 480, {6, 10, 30}, {8, 20, 50}, 160);
  Planet(cr, 306, 52, 40, {255, 220, 170}, {120, 50, 30}, {255, 180, 120});
  Planet(cr, 260, 600, 300, {110, 200, 255}, {8, 40, 90}, {160, 220, 255});
  // Station ring.
  cairo_new_path(cr);
  cairo_save(cr);
  cairo_translate(cr, 200, 250);
  cairo_scale(cr, 1.0, 0.35);
  cairo_arc(cr, 0, 0, 80, 0, 2 * kPi);
  cairo_restore(cr);
  SetColor(cr, {200, 210, 230});
  cairo_set_line_width(cr, 7);
  cairo_stroke(cr);
  cairo_rectangle(cr, 193, 200, 14, 100);
  FillShadedH(cr, 193, 207, {120, 130, 150}, {230, 236, 250}, {20, 24, 40}, 1.0);
  for (int k = 0; k < 12; ++k) {
    double a = k * kPi / 6;
    GlowDisc(cr, 200 + std::cos(a) * 80, 250 + std::sin(a) * 28, 3, kWhite, {255, 200, 90}, 0.9);
  }
  DrawShip(cr, 120, 300, 0.7, -0.3, 0);
  OutlinedText(cr, 180, 120, 40, "THE END", {255, 250, 210}, {255, 170, 40}, {60, 30, 0}, 4, 0.5);
  SetColor(cr, {210, 225, 255});
  Text(cr, 180, 150, 13, true, "THANK YOU FOR PLAYING", 0.5);
}

}  // namespace assetgen
