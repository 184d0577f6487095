#include <algorithm>
#include <filesystem>
#include <fstream>

#include "assets/writers.h"

namespace assetgen {

namespace {

// Pixels less opaque than this become the key colour (transparent).
constexpr int kKeepAlpha = 96;

}  // namespace

Image Flatten(const Picture& p) {
  cairo_surface_flush(p.surface);
  Image img;
  img.width = p.width;
  img.height = p.height;
  img.rgb.resize(static_cast<size_t>(p.width) * p.height * 3);
  const unsigned char* data = cairo_image_surface_get_data(p.surface);
  int stride = cairo_image_surface_get_stride(p.surface);
  for (int y = 0; y < p.height; ++y) {
    const uint32_t* row = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int x = 0; x < p.width; ++x) {
      uint32_t px = row[x];  // premultiplied ARGB
      int a = px >> 24;
      int r = 0, g = 0, b = 0;
      if (a >= kKeepAlpha) {
        // Un-premultiply, then darken the edge pixels a little for antialiasing. A fading glow
        // thus ends in its own colour instead of a dark ring around the sprite.
        double k = (0.5 + 0.5 * (a - kKeepAlpha) / (255.0 - kKeepAlpha)) * 255.0 / a;
        r = std::min(255, static_cast<int>(((px >> 16) & 0xFF) * k + 0.5));
        g = std::min(255, static_cast<int>(((px >> 8) & 0xFF) * k + 0.5));
        b = std::min(255, static_cast<int>((px & 0xFF) * k + 0.5));
        if (r < 8 && g < 8 && b < 8) {
          // Visible but dark: lift to the near-black that survives keying in every display depth.
          r = std::max(r, 8);
          g = std::max(g, 8);
          b = std::max(b, 8);
        }
      }
      uint8_t* o = &img.rgb[(static_cast<size_t>(y) * p.width + x) * 3];
      o[0] = static_cast<uint8_t>(r);
      o[1] = static_cast<uint8_t>(g);
      o[2] = static_cast<uint8_t>(b);
    }
  }
  return img;
}

std::vector<uint8_t> EncodeBmp24(const Image& image) {
  uint32_t rowBytes = (static_cast<uint32_t>(image.width) * 3 + 3) & ~3u;
  uint32_t pixelBytes = rowBytes * static_cast<uint32_t>(image.height);
  std::vector<uint8_t> out;
  out.reserve(54 + pixelBytes);
  // BITMAPFILEHEADER
  out.push_back('B');
  out.push_back('M');
  Put32(out, 54 + pixelBytes);
  Put16(out, 0);
  Put16(out, 0);
  Put32(out, 54);
  // BITMAPINFOHEADER
  Put32(out, 40);
  Put32(out, static_cast<uint32_t>(image.width));
  Put32(out, static_cast<uint32_t>(image.height));  // positive: rows stored bottom-up
  Put16(out, 1);                                    // planes
  Put16(out, 24);                                   // bits per pixel
  Put32(out, 0);                                    // BI_RGB
  Put32(out, pixelBytes);
  Put32(out, 2835);  // 72 dots per inch
  Put32(out, 2835);
  Put32(out, 0);
  Put32(out, 0);
  for (int y = image.height - 1; y >= 0; --y) {
    const uint8_t* src = &image.rgb[static_cast<size_t>(y) * image.width * 3];
    for (int x = 0; x < image.width; ++x) {
      out.push_back(src[x * 3 + 2]);  // stored blue, green, red
      out.push_back(src[x * 3 + 1]);
      out.push_back(src[x * 3 + 0]);
    }
    for (uint32_t pad = static_cast<uint32_t>(image.width) * 3; pad < rowBytes; ++pad) {
      out.push_back(0);
    }
  }
  return out;
}

bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  if (!f) return false;
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(f);
}

}  // namespace assetgen
