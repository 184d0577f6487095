// See picture_scaler.h.
#include "platform/picture_scaler.h"

#include <algorithm>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// One pixel as 0x00RRGGBB, the colour the display shows for it: each 5- or 6-bit field moved to
// the top of its byte, the byte's low bits filled with the field's own top bits.
template <PixelLayout L>
uint32_t Widen(const uint8_t* p) {
  if constexpr (L == PixelLayout::Xrgb8888) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v & 0xFFFFFFu;
  } else {
    uint16_t pixel;
    std::memcpy(&pixel, p, 2);
    const uint32_t v = pixel;
    const uint32_t b = ((v << 3) & 0xF8u) | ((v >> 2) & 0x07u);
    uint32_t g, r;
    if constexpr (L == PixelLayout::Rgb565) {
      g = ((v >> 3) & 0xFCu) | ((v >> 9) & 0x03u);
      r = ((v >> 8) & 0xF8u) | (v >> 13);
    } else {
      g = ((v >> 2) & 0xF8u) | ((v >> 7) & 0x07u);
      r = ((v >> 7) & 0xF8u) | ((v >> 12) & 0x07u);
    }
    return (r << 16) | (g << 8) | b;
  }
}

#if defined(__SSE2__)
// Eight pixels widened as Widen does: the first four into `lo`, the other four into `hi`. A field
// f of n bits at bit p of a 16-bit lane, times (2^(8 - n) + 2^(8 - 2n)) x 2^(16 - p) with the high
// half of the product kept, is f moved to the top of a byte with its own top bits below it.
template <PixelLayout L>
void Widen8(const uint8_t* p, __m128i& lo, __m128i& hi) {
  const auto* in = reinterpret_cast<const __m128i*>(p);
  if constexpr (L == PixelLayout::Xrgb8888) {
    const __m128i rgb = _mm_set1_epi32(0xFFFFFF);
    lo = _mm_and_si128(_mm_loadu_si128(in), rgb);
    hi = _mm_and_si128(_mm_loadu_si128(in + 1), rgb);
  } else {
    const __m128i v = _mm_loadu_si128(in);
    const __m128i five = _mm_set1_epi16(264);  // a 5-bit field at bits 11-15
    const __m128i b = _mm_mulhi_epu16(_mm_slli_epi16(v, 11), five);
    __m128i g, r;
    if constexpr (L == PixelLayout::Rgb565) {
      // Red at bits 11-15, green's six bits at 5-10.
      r = _mm_mulhi_epu16(_mm_and_si128(v, _mm_set1_epi16(static_cast<short>(0xF800))), five);
      g = _mm_mulhi_epu16(_mm_and_si128(v, _mm_set1_epi16(0x07E0)), _mm_set1_epi16(8320));
    } else {
      // Red at bits 10-14, green at 5-9.
      r = _mm_mulhi_epu16(_mm_and_si128(v, _mm_set1_epi16(0x7C00)), _mm_set1_epi16(528));
      g = _mm_mulhi_epu16(_mm_and_si128(v, _mm_set1_epi16(0x03E0)), _mm_set1_epi16(16896));
    }
    // Each 16-bit lane blue and green, then red: their pairs are the pixels' 32 bits.
    const __m128i gb = _mm_or_si128(b, _mm_slli_epi16(g, 8));
    lo = _mm_unpacklo_epi16(gb, r);
    hi = _mm_unpackhi_epi16(gb, r);
  }
}
#endif

// Widens the n pixels of `in` into `out`.
template <PixelLayout L>
void WidenRow(const uint8_t* in, uint32_t* out, int n) {
  constexpr int kBytes = BytesPerPixel(L);
  int i = 0;
#if defined(__SSE2__)
  for (; i + 8 <= n; i += 8) {
    __m128i lo, hi;
    Widen8<L>(in + static_cast<size_t>(i) * kBytes, lo, hi);
    auto* o = reinterpret_cast<__m128i*>(out + i);
    _mm_storeu_si128(o, lo);
    _mm_storeu_si128(o + 1, hi);
  }
#endif
  for (; i < n; ++i) out[i] = Widen<L>(in + static_cast<size_t>(i) * kBytes);
}

// out[i] = row[columns[i]] for the target columns [from, to).
void Spread(const uint32_t* row, const int* columns, uint32_t* out, int from, int to) {
  int i = from;
#if defined(__SSE2__)
  // Four at a time, so that the target is written in whole 16-byte stores.
  for (; i + 4 <= to; i += 4) {
    const __m128i v = _mm_set_epi32(static_cast<int>(row[columns[i + 3]]), static_cast<int>(row[columns[i + 2]]),
                                    static_cast<int>(row[columns[i + 1]]), static_cast<int>(row[columns[i]]));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), v);
  }
#endif
  for (; i < to; ++i) out[i] = row[columns[i]];
}

#if defined(__SSE2__)
// The groups [from, to) of one pattern (bit k set when target column k + 1 of a group shows the
// source column after that of column k), each four source pixels from its first one shuffled.
template <int kPattern, typename Group>
void SpreadGroups(const uint32_t* row, const Group* from, const Group* to, uint32_t* out) {
  constexpr int d1 = kPattern & 1, d2 = d1 + ((kPattern >> 1) & 1), d3 = d2 + ((kPattern >> 2) & 1);
  for (; from < to; ++from) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + from->source));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + from->target), _mm_shuffle_epi32(v, _MM_SHUFFLE(d3, d2, d1, 0)));
  }
}
#endif

// The bytes [first, last) of a row in which `a` and `b` differ; first == last when they are the
// same. Sixteen bytes at a time from either end where the processor has SSE2, else eight.
void Differing(const uint8_t* a, const uint8_t* b, size_t n, size_t& first, size_t& last) {
  size_t i = 0, j = n;
#if defined(__SSE2__)
  auto same = [](const uint8_t* p, const uint8_t* q) {
    return _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)),
                                            _mm_loadu_si128(reinterpret_cast<const __m128i*>(q)))) == 0xFFFF;
  };
  while (i + 16 <= n && same(a + i, b + i)) i += 16;
#endif
  auto word = [](const uint8_t* p) {
    uint64_t v;
    std::memcpy(&v, p, 8);
    return v;
  };
  while (i + 8 <= n && word(a + i) == word(b + i)) i += 8;
  while (i < n && a[i] == b[i]) ++i;
  if (i == n) {
    first = last = n;
    return;
  }
#if defined(__SSE2__)
  while (j >= i + 16 && same(a + j - 16, b + j - 16)) j -= 16;
#endif
  while (j >= i + 8 && word(a + j - 8) == word(b + j - 8)) j -= 8;
  while (j > i && a[j - 1] == b[j - 1]) --j;
  first = i;
  last = j;
}

using WidenRowFn = void (*)(const uint8_t* in, uint32_t* out, int n);

WidenRowFn WidenRowOf(PixelLayout layout) {
  switch (layout) {
    case PixelLayout::Rgb565: return WidenRow<PixelLayout::Rgb565>;
    case PixelLayout::Rgb555: return WidenRow<PixelLayout::Rgb555>;
    case PixelLayout::Xrgb8888: return WidenRow<PixelLayout::Xrgb8888>;
  }
  return WidenRow<PixelLayout::Rgb565>;
}

}  // namespace

void PictureScaler::Prepare(const Shape& shape) {
  shape_ = shape;
  const int src_w = shape.src_w, w = shape.w;
  Map(columns_, w, shape.src_w);
  Map(rows_, shape.h, shape.src_h);
  drawn_valid_ = false;
  first_column_.assign(static_cast<size_t>(src_w) + 1, w);
  for (int i = w - 1; i >= 0; --i) first_column_[static_cast<size_t>(columns_[i])] = i;
  for (int sx = src_w - 1; sx >= 0; --sx) {
    first_column_[sx] = std::min(first_column_[sx], first_column_[sx + 1]);
  }
  drawn_.resize(static_cast<size_t>(src_w) * BytesPerPixel(shape.layout) * shape.src_h);
  if (w == src_w) {
    // At the source's own width each changed stretch is widened straight into the target.
    row_ = {};
    groups_ = {};
    pattern_groups_ = {};
    return;
  }
  // Three pixels past the row: a group's four source pixels may reach past the last one.
  row_.assign(static_cast<size_t>(src_w) + 3, 0);
  groups_.clear();
  pattern_groups_.clear();
#if defined(__SSE2__)
  const int groups = w / 4;
  if (w < src_w || groups == 0) return;  // scaled down, a group's source columns may be far apart
  auto pattern = [this](int g) {
    const int* c = &columns_[static_cast<size_t>(g) * 4];
    return (c[1] - c[0]) | (c[2] - c[1]) << 1 | (c[3] - c[2]) << 2;
  };
  int next[8] = {};  // where each pattern's groups go, once counted
  for (int g = 0; g < groups; ++g) ++next[pattern(g)];
  for (int p = 7, end = groups; p >= 0; --p) next[p] = end -= next[p];
  groups_.resize(static_cast<size_t>(groups));
  pattern_groups_.resize(static_cast<size_t>(8) * (groups + 1));
  for (int p = 0; p < 8; ++p) {
    int k = next[p];
    for (int g = 0; g <= groups; ++g) {
      pattern_groups_[static_cast<size_t>(p) * (groups + 1) + g] = k;
      if (g < groups && pattern(g) == p) groups_[static_cast<size_t>(k++)] = Group{4 * g, columns_[static_cast<size_t>(g) * 4]};
    }
  }
#endif
}

// Target columns [from, to) of one row from source row `in`: the groups of four that hold them
// by pattern (the columns around the stretch they take in show what they showed before), the
// others one by one.
void PictureScaler::DrawStretch(const uint8_t* in, uint32_t* out, int from, int to, WidenRowFn widen) {
  const int groups = static_cast<int>(groups_.size());
  int g0 = 0, g1 = 0, first = from, last = to;  // the groups, and all the columns drawn
  if (groups > 0) {
    g0 = from / 4;
    g1 = std::max(g0, std::min((to + 3) / 4, groups));
    if (g1 > g0) {
      first = 4 * g0;
      last = std::max(to, 4 * g1);
    }
  }
  const int sx0 = columns_[first], sx1 = columns_[last - 1] + 1;
  widen(in + static_cast<size_t>(sx0) * BytesPerPixel(shape_.layout), row_.data() + sx0, sx1 - sx0);
  int rest = from;  // the first column past the groups
#if defined(__SSE2__)
  if (g1 > g0) {
    using Fn = void (*)(const uint32_t*, const Group*, const Group*, uint32_t*);
    static constexpr Fn kSpread[8] = {SpreadGroups<0, Group>, SpreadGroups<1, Group>, SpreadGroups<2, Group>,
                                      SpreadGroups<3, Group>, SpreadGroups<4, Group>, SpreadGroups<5, Group>,
                                      SpreadGroups<6, Group>, SpreadGroups<7, Group>};
    for (int p = 0; p < 8; ++p) {
      const int* range = &pattern_groups_[static_cast<size_t>(p) * (groups + 1)];
      kSpread[p](row_.data(), groups_.data() + range[g0], groups_.data() + range[g1], out);
    }
    rest = std::max(from, 4 * g1);
  }
#endif
  Spread(row_.data(), columns_.data(), out, rest, to);
}

PictureScaler::Rows PictureScaler::Draw(const FrameView& frame, uint8_t* target, int target_pitch) {
  const int src_w = shape_.src_w, w = shape_.w, h = shape_.h, x = shape_.x, y = shape_.y;
  const int bytes = BytesPerPixel(shape_.layout);
  const size_t src_row_bytes = static_cast<size_t>(src_w) * bytes;
  const bool direct = w == src_w;
  const WidenRowFn widen = WidenRowOf(shape_.layout);
  int first = h, last = 0;  // the rows changed, within the rectangle
  int from = 0, to = 0;     // the target columns drawn for the current source row
  for (int j = 0; j < h; ++j) {
    uint8_t* out_bytes = target + static_cast<size_t>(y + j) * target_pitch + static_cast<size_t>(x) * 4;
    auto* out = reinterpret_cast<uint32_t*>(out_bytes);
    const int sy = rows_[j];
    const uint8_t* in = static_cast<const uint8_t*>(frame.pixels) + static_cast<size_t>(sy) * frame.pitch;
    if (j > 0 && sy == rows_[j - 1]) {
      // A copy of the row above, as it was before: it changes where that row did.
      if (to > from) {
        std::memcpy(out_bytes + static_cast<size_t>(from) * 4, out_bytes - target_pitch + static_cast<size_t>(from) * 4,
                    static_cast<size_t>(to - from) * 4);
      }
    } else {
      // Only the stretch of the source row that differs from the picture drawn before: compared
      // in the source's own pixels, in memory of our own, rather than read back from the target.
      uint8_t* drawn = drawn_.data() + static_cast<size_t>(sy) * src_row_bytes;
      size_t first_byte = 0, last_byte = src_row_bytes;
      if (drawn_valid_) Differing(in, drawn, src_row_bytes, first_byte, last_byte);
      from = first_column_[first_byte / bytes];
      to = first_column_[(last_byte + bytes - 1) / bytes];
      if (first_byte < last_byte) std::memcpy(drawn + first_byte, in + first_byte, last_byte - first_byte);
      if (to > from) {
        if (direct) {
          widen(in + static_cast<size_t>(from) * bytes, out + from, to - from);
        } else {
          DrawStretch(in, out, from, to, widen);
        }
      }
    }
    if (to > from) {
      first = std::min(first, j);
      last = j + 1;
    }
  }
  drawn_valid_ = true;
  if (first >= last) return Rows{};
  return Rows{y + first, y + last};
}

}  // namespace platform
