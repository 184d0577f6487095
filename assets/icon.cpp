// The programs' icon "MAIN": the ship's silhouette over a blue disc, 48 x 48. Written as a bitmap
// (the build carries it inside each program as its icon resource) and as a PNG for the desktop's
// icon theme.
#include <cairo.h>

#include <cmath>
#include <string>

#include "assets/writers.h"

namespace assetgen {

bool WriteIcon(const std::string& out) {
  constexpr int kSize = 48;
  Picture p;
  p.width = kSize;
  p.height = kSize;
  p.surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kSize, kSize);
  p.cr = cairo_create(p.surface);
  cairo_t* cr = p.cr;
  // A disc of deep blue, lighter towards its top.
  cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, kSize);
  cairo_pattern_add_color_stop_rgb(sky, 0, 0.25, 0.45, 0.95);
  cairo_pattern_add_color_stop_rgb(sky, 1, 0.02, 0.05, 0.30);
  cairo_arc(cr, kSize / 2.0, kSize / 2.0, kSize / 2.0 - 1, 0, 2 * M_PI);
  cairo_set_source(cr, sky);
  cairo_fill(cr);
  cairo_pattern_destroy(sky);
  // The ship: a swept arrow pointing up, with a cockpit.
  cairo_move_to(cr, 24, 6);
  cairo_line_to(cr, 38, 38);
  cairo_line_to(cr, 24, 31);
  cairo_line_to(cr, 10, 38);
  cairo_close_path(cr);
  cairo_set_source_rgb(cr, 0.92, 0.92, 0.96);
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 1.5);
  cairo_set_source_rgb(cr, 0.35, 0.38, 0.5);
  cairo_stroke(cr);
  cairo_arc(cr, 24, 20, 3.5, 0, 2 * M_PI);
  cairo_set_source_rgb(cr, 1.0, 0.55, 0.1);
  cairo_fill(cr);
  cairo_surface_flush(p.surface);
  // The bitmap first: its writer makes the folder.
  const bool bmp = WriteFileBytes(out + "/ICON/MAIN.BMP", EncodeBmp24(Flatten(p)));
  const bool png = cairo_surface_write_to_png(p.surface, (out + "/ICON/morventica.png").c_str()) ==
                   CAIRO_STATUS_SUCCESS;
  cairo_destroy(p.cr);
  cairo_surface_destroy(p.surface);
  return png && bmp;
}

}  // namespace assetgen
