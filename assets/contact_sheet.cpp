#include "assets/contact_sheet.h"

#include <algorithm>

namespace assetgen {

namespace {

constexpr int kSheetWidth = 1600;  // after zooming
constexpr int kGap = 10;
constexpr int kLabel = 14;

struct Placement {
  int x, y;
};

}  // namespace

bool WriteContactSheet(const std::string& path, const std::vector<SheetEntry>& entries, int zoom) {
  // Shelf packing in list order.
  const int sheetWidth = std::max(300, kSheetWidth / zoom);
  std::vector<Placement> places;
  int x = kGap, y = kGap, shelf = 0;
  for (const SheetEntry& e : entries) {
    int w = std::max(e.image.width, 60), h = e.image.height + kLabel;
    if (x + w + kGap > sheetWidth && x > kGap) {
      x = kGap;
      y += shelf + kGap;
      shelf = 0;
    }
    places.push_back({x, y});
    x += w + kGap;
    shelf = std::max(shelf, h);
  }
  int height = y + shelf + kGap;

  cairo_surface_t* sheet = cairo_image_surface_create(CAIRO_FORMAT_RGB24, sheetWidth, height);
  cairo_t* cr = cairo_create(sheet);
  cairo_set_source_rgb(cr, 0.22, 0.22, 0.24);
  cairo_paint(cr);
  for (size_t i = 0; i < entries.size(); ++i) {
    const Image& img = entries[i].image;
    cairo_surface_t* tile = cairo_image_surface_create(CAIRO_FORMAT_RGB24, img.width, img.height);
    cairo_surface_flush(tile);
    unsigned char* data = cairo_image_surface_get_data(tile);
    int stride = cairo_image_surface_get_stride(tile);
    for (int ty = 0; ty < img.height; ++ty) {
      uint32_t* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(ty) * stride);
      for (int tx = 0; tx < img.width; ++tx) {
        const uint8_t* s = &img.rgb[(static_cast<size_t>(ty) * img.width + tx) * 3];
        uint32_t c;
        if (s[0] == 0 && s[1] == 0 && s[2] == 0) {
          c = (((tx / 8) + (ty / 8)) % 2) ? 0x808080u : 0x9A9A9Au;  // transparent: checker
        } else {
          c = (uint32_t{s[0]} << 16) | (uint32_t{s[1]} << 8) | s[2];
        }
        row[tx] = c;
      }
    }
    cairo_surface_mark_dirty(tile);
    cairo_set_source_surface(cr, tile, places[i].x, places[i].y);
    cairo_paint(cr);
    cairo_surface_destroy(tile);

    std::string label = entries[i].name;
    if (label.rfind("IMAGE/", 0) == 0) label = label.substr(6);
    if (label.size() > 4 && label.substr(label.size() - 4) == ".BMP") {
      label.resize(label.size() - 4);
    }
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, 10);
    cairo_set_source_rgb(cr, 0.95, 0.95, 0.85);
    cairo_move_to(cr, places[i].x, places[i].y + img.height + 11);
    cairo_show_text(cr, label.c_str());
  }
  cairo_destroy(cr);
  if (zoom > 1) {
    cairo_surface_t* big =
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, sheetWidth * zoom, height * zoom);
    cairo_t* bc = cairo_create(big);
    cairo_scale(bc, zoom, zoom);
    cairo_set_source_surface(bc, sheet, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(bc), CAIRO_FILTER_NEAREST);
    cairo_paint(bc);
    cairo_destroy(bc);
    cairo_surface_destroy(sheet);
    sheet = big;
  }
  cairo_status_t status = cairo_surface_write_to_png(sheet, path.c_str());
  cairo_surface_destroy(sheet);
  return status == CAIRO_STATUS_SUCCESS;
}

}  // namespace assetgen
