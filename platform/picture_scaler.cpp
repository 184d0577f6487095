// See picture_scaler.h.
#include "platform/picture_scaler.h"

#include <algorithm>
#include <cstring>

namespace platform {

namespace {

// Target i of n takes the source pixel under its centre: (i + 1/2) x source / n.
void Map(std::vector<int>& map, int n, int source) {
  map.resize(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) {
    map[static_cast<size_t>(i)] =
        static_cast<int>((2 * static_cast<int64_t>(i) + 1) * source / (2 * static_cast<int64_t>(n)));
  }
}

template <typename T, typename Colour>
void ScaleRow(uint32_t* out, const uint8_t* in, const int* columns, int from, int to, Colour colour) {
  const T* src = reinterpret_cast<const T*>(in);
  for (int i = from; i < to; ++i) out[i] = colour(src[columns[i]]);
}

// The bytes [first, last) of a row in which `a` and `b` differ, whole 8-byte words at a time;
// first == last when they are the same.
void Differing(const uint8_t* a, const uint8_t* b, size_t n, size_t& first, size_t& last) {
  size_t i = 0;
  auto word = [](const uint8_t* p) {
    uint64_t v;
    std::memcpy(&v, p, 8);
    return v;
  };
  while (i + 8 <= n && word(a + i) == word(b + i)) i += 8;
  while (i < n && a[i] == b[i]) ++i;
  first = i;
  size_t j = n;
  if (i == n) {
    last = n;
    first = n;
    return;
  }
  while (j >= i + 8 && word(a + j - 8) == word(b + j - 8)) j -= 8;
  while (j > i && a[j - 1] == b[j - 1]) --j;
  last = j;
}

}  // namespace

void PictureScaler::Prepare(const Shape& shape) {
  shape_ = shape;
  const int src_w = shape.src_w, src_h = shape.src_h, w = shape.w, h = shape.h;
  const PixelLayout layout = shape.layout;
  Map(columns_, w, src_w);
  Map(rows_, h, src_h);
  first_column_.assign(static_cast<size_t>(src_w) + 1, w);
  for (int i = w - 1; i >= 0; --i) first_column_[static_cast<size_t>(columns_[i])] = i;
  for (int sx = src_w - 1; sx >= 0; --sx) {
    first_column_[sx] = std::min(first_column_[sx], first_column_[sx + 1]);
  }
  drawn_.resize(static_cast<size_t>(src_w) * BytesPerPixel(layout) * src_h);
  drawn_valid_ = false;
  if (layout != PixelLayout::Xrgb8888) {
    colours_.resize(65536);
    for (uint32_t v = 0; v < 65536; ++v) {
      const uint16_t pixel = static_cast<uint16_t>(v);
      colours_[v] = PixelToRgb(&pixel, layout);
    }
  }
}

void PictureScaler::Draw(const FrameView& frame, uint8_t* target, int target_pitch) {
  const int src_w = shape_.src_w, h = shape_.h, x = shape_.x, y = shape_.y;
  const PixelLayout layout = shape_.layout;
  const int bytes = BytesPerPixel(layout);
  const size_t src_row_bytes = static_cast<size_t>(src_w) * bytes;
  const uint32_t* colours = colours_.data();
  int from = 0, to = 0;  // the target columns drawn for the current source row
  for (int j = 0; j < h; ++j) {
    uint8_t* out = target + static_cast<size_t>(y + j) * target_pitch + static_cast<size_t>(x) * 4;
    const int sy = rows_[j];
    if (j > 0 && sy == rows_[j - 1]) {
      if (to > from) {
        std::memcpy(out + static_cast<size_t>(from) * 4, out - target_pitch + static_cast<size_t>(from) * 4,
                    static_cast<size_t>(to - from) * 4);
      }
      continue;
    }
    const uint8_t* in = static_cast<const uint8_t*>(frame.pixels) + static_cast<size_t>(sy) * frame.pitch;
    uint8_t* last = drawn_.data() + static_cast<size_t>(sy) * src_row_bytes;
    size_t first_byte = 0, last_byte = src_row_bytes;
    if (drawn_valid_) Differing(in, last, src_row_bytes, first_byte, last_byte);
    from = first_column_[first_byte / bytes];
    to = first_column_[(last_byte + bytes - 1) / bytes];
    if (to <= from) continue;
    std::memcpy(last + first_byte, in + first_byte, last_byte - first_byte);
    auto* o = reinterpret_cast<uint32_t*>(out);
    if (layout == PixelLayout::Xrgb8888) {
      ScaleRow<uint32_t>(o, in, columns_.data(), from, to, [](uint32_t p) { return p & 0xFFFFFFu; });
    } else {
      ScaleRow<uint16_t>(o, in, columns_.data(), from, to, [colours](uint16_t p) { return colours[p]; });
    }
  }
  drawn_valid_ = true;
}

}  // namespace platform
