// Writes Windows bitmap files for the tests: any of the depths the reader takes, rows bottom-up or
// top-down, with a palette for the indexed depths; run-length streams; the old core header.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace testbmp {

inline void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

inline void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// The bytes of a row of `width` pixels: whole four-byte words.
inline uint32_t Stride(int width, int bpp) {
  return ((static_cast<uint32_t>(width) * bpp + 31) / 32) * 4;
}

// The file header, the 40-byte info header (`compression` 0 rows, 1 RLE8, 2 RLE4; a negative
// height for rows from the top) and the palette, for `pixelBytes` bytes of pixels to follow.
inline std::vector<uint8_t> Headers(int width, int height, int bpp, uint32_t compression,
                                    const std::vector<uint32_t>& palette, uint32_t pixelBytes) {
  const uint32_t offset = 14 + 40 + static_cast<uint32_t>(palette.size()) * 4;
  std::vector<uint8_t> out;
  out.push_back('B');
  out.push_back('M');
  Put32(out, offset + pixelBytes);
  Put32(out, 0);
  Put32(out, offset);
  Put32(out, 40);
  Put32(out, static_cast<uint32_t>(width));
  Put32(out, static_cast<uint32_t>(height));
  Put16(out, 1);
  Put16(out, static_cast<uint32_t>(bpp));
  Put32(out, compression);
  Put32(out, pixelBytes);
  Put32(out, 2835);
  Put32(out, 2835);
  Put32(out, static_cast<uint32_t>(palette.size()));
  Put32(out, 0);
  for (uint32_t c : palette) Put32(out, c & 0xFFFFFF);
  return out;
}

// `values` holds one entry per pixel, rows from the top: a palette index for 1, 4 and 8 bits per
// pixel, else a 0xRRGGBB colour.
inline std::vector<uint8_t> Encode(int width, int height, int bpp, const std::vector<uint32_t>& values,
                                   const std::vector<uint32_t>& palette = {}, bool topDown = false) {
  const uint32_t stride = Stride(width, bpp);
  std::vector<uint8_t> out =
      Headers(width, topDown ? -height : height, bpp, 0, palette, stride * height);
  for (int row = 0; row < height; ++row) {
    const int y = topDown ? row : height - 1 - row;
    std::vector<uint8_t> line(stride, 0);
    for (int x = 0; x < width; ++x) {
      const uint32_t v = values[static_cast<size_t>(y) * width + x];
      if (bpp == 24 || bpp == 32) {
        uint8_t* p = &line[static_cast<size_t>(x) * (bpp / 8)];
        p[0] = static_cast<uint8_t>(v);
        p[1] = static_cast<uint8_t>(v >> 8);
        p[2] = static_cast<uint8_t>(v >> 16);
      } else {
        const int perByte = 8 / bpp;
        const int shift = bpp * (perByte - 1 - x % perByte);
        line[x / perByte] |= static_cast<uint8_t>(v << shift);
      }
    }
    out.insert(out.end(), line.begin(), line.end());
  }
  return out;
}

// A run-length picture, 8 bits a pixel (RLE8) or 4 (RLE4), of the given stream, bottom row first.
inline std::vector<uint8_t> RunLength(int width, int height, int bpp,
                                      const std::vector<uint32_t>& palette,
                                      const std::vector<uint8_t>& stream) {
  std::vector<uint8_t> out = Headers(width, height, bpp, bpp == 8 ? 1 : 2, palette,
                                     static_cast<uint32_t>(stream.size()));
  out.insert(out.end(), stream.begin(), stream.end());
  return out;
}

// An uncompressed 1-bit white picture (every pixel palette index 0, white; index 1 is black),
// with the 40-byte info header or the old 12-byte core header (16-bit sizes, 3-byte colours).
inline std::vector<uint8_t> White(int width, int height, bool core) {
  const uint32_t pixelBytes = Stride(width, 1) * static_cast<uint32_t>(height);
  std::vector<uint8_t> out;
  if (core) {
    const uint32_t offset = 14 + 12 + 2 * 3;
    out = {'B', 'M'};
    Put32(out, offset + pixelBytes);
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, 12);
    Put16(out, static_cast<uint32_t>(width));
    Put16(out, static_cast<uint32_t>(height));
    Put16(out, 1);
    Put16(out, 1);
    out.insert(out.end(), {0xFF, 0xFF, 0xFF, 0, 0, 0});
  } else {
    out = Headers(width, height, 1, 0, {0xFFFFFF, 0x000000}, pixelBytes);
  }
  out.resize(out.size() + pixelBytes, 0);
  return out;
}

// A 24-bit picture of one colour per pixel (0xRRGGBB), rows from the top.
inline std::vector<uint8_t> Rgb(int width, int height, const std::vector<uint32_t>& colors) {
  return Encode(width, height, 24, colors);
}

inline void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace testbmp
