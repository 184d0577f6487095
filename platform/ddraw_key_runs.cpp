// The tables a colour-keyed surface is copied by: its opaque box (the smallest rectangle holding
// every pixel unlike the key) and, where the copies go through them, its opaque runs (for each row,
// the stretches of pixels that differ from the key). They are made when the key is set (a
// picture's load or reload ends there) and dropped as soon as the pixels may change. A keyed copy
// is cut to the box, whichever way it is made, and a picture with valid runs copies a few stretches
// per row instead of comparing every pixel; one without is copied by the compare.
#include <algorithm>
#include <cstring>
#include <new>

#include "platform/ddraw_internal.h"

namespace platform::ddraw {

namespace {

// Calls `run(begin, end)` for each stretch of row pixels [begin, end) that differ from the key.
template <typename T, typename Fn>
void ForEachRun(const T* row, int width, T key, Fn&& run) {
  int x = 0;
  while (x < width) {
    while (x < width && row[x] == key) ++x;
    const int begin = x;
    while (x < width && row[x] != key) ++x;
    if (x > begin) run(begin, x);
  }
}

// Grows `array` to hold `n` entries; false when out of memory.
template <typename T>
bool Reserve(T*& array, size_t& capacity, size_t n) {
  if (capacity >= n) return true;
  delete[] array;
  array = new (std::nothrow) T[n];
  capacity = array != nullptr ? n : 0;
  return array != nullptr || n == 0;
}

// The smallest rectangle holding every pixel unlike the key, {0, 0, 0, 0} when there is none. Each
// row is read from both ends only as far as its first and last such pixel.
template <typename T>
RECT OpaqueBoxOf(const IDirectDrawSurface* s, T key) {
  RECT box{s->width, s->height, 0, 0};
  for (int y = 0; y < s->height; ++y) {
    const T* row = reinterpret_cast<const T*>(s->pixels + static_cast<size_t>(y) * s->pitch);
    int begin = 0;
    while (begin < s->width && row[begin] == key) ++begin;
    if (begin == s->width) continue;
    int end = s->width;
    while (row[end - 1] == key) --end;
    box.left = std::min<LONG>(box.left, begin);
    box.right = std::max<LONG>(box.right, end);
    box.top = std::min<LONG>(box.top, y);
    box.bottom = y + 1;
  }
  return box.left < box.right ? box : RECT{0, 0, 0, 0};
}

template <typename T>
bool MakeRunsOf(IDirectDrawSurface* s, KeyRuns& k, T key) {
  auto row = [s](int y) {
    return reinterpret_cast<const T*>(s->pixels + static_cast<size_t>(y) * s->pitch);
  };
  size_t count = 0;
  for (int y = 0; y < s->height; ++y) {
    ForEachRun(row(y), s->width, key, [&](int, int) { ++count; });
  }
  k.columns = (s->width + kKeyRunColumn - 1) / kKeyRunColumn;
  const size_t columns = static_cast<size_t>(k.columns);
  if (!Reserve(k.rowFirst, k.rowFirstCapacity, static_cast<size_t>(s->height) + 1) ||
      !Reserve(k.column, k.columnCapacity, columns * s->height) ||
      !Reserve(k.runs, k.runCapacity, count)) {
    return false;
  }
  uint32_t n = 0;
  for (int y = 0; y < s->height; ++y) {
    const uint32_t rowStart = n;
    k.rowFirst[y] = rowStart;
    ForEachRun(row(y), s->width, key, [&](int begin, int end) {
      k.runs[n++] = KeyRun{static_cast<uint16_t>(begin), static_cast<uint16_t>(end)};
    });
    uint16_t* column = k.column + columns * y;
    uint32_t i = rowStart;
    for (int c = 0; c < k.columns; ++c) {
      while (i < n && k.runs[i].end <= c * kKeyRunColumn) ++i;
      column[c] = static_cast<uint16_t>(i - rowStart);
    }
  }
  k.rowFirst[s->height] = n;
  return true;
}

// n bytes, n even (a whole number of 16- or 32-bit pixels): short stretches in a few moves that
// may overlap, long ones through memcpy.
inline void CopySpan(uint8_t* out, const uint8_t* in, size_t n) {
  if (n >= 16) {
    if (n > 64) {
      std::memcpy(out, in, n);
      return;
    }
    for (size_t i = 0; i + 16 < n; i += 16) std::memcpy(out + i, in + i, 16);
    std::memcpy(out + n - 16, in + n - 16, 16);
  } else if (n >= 8) {
    std::memcpy(out, in, 8);
    std::memcpy(out + n - 8, in + n - 8, 8);
  } else if (n >= 4) {
    std::memcpy(out, in, 4);
    std::memcpy(out + n - 4, in + n - 4, 4);
  } else if (n >= 2) {
    std::memcpy(out, in, 2);
  }
}

}  // namespace

void MakeKeyTables(IDirectDrawSurface* s) {
  DropKeyTables(s);
  // A lock's holder or an open device context may still write to the pixels: the tables would
  // describe pixels that are about to change. Such a surface is copied by the compare until its
  // key is set again.
  if (!s->hasSourceKey || s->pixels == nullptr || s->locked || s->openDCs > 0) return;
  const DWORD key = s->sourceKey.dwColorSpaceLowValue;
  const bool wide = s->BytesPerPixel() == 4;
  s->opaqueBox = wide ? OpaqueBoxOf<uint32_t>(s, key)
                       : OpaqueBoxOf<uint16_t>(s, static_cast<uint16_t>(key));
  s->opaqueBoxValid = true;
  // The runs take memory for every keyed picture: made only while the copies use them, and only
  // for widths that fit their 16 bits.
  if (ChosenKeyedCopy() != KeyedCopy::kRuns || s->width > 0xFFFF) return;
  if (s->keyRuns == nullptr) {
    s->keyRuns = new (std::nothrow) KeyRuns;
    if (s->keyRuns == nullptr) return;
  }
  s->keyRuns->valid = wide ? MakeRunsOf<uint32_t>(s, *s->keyRuns, key)
                           : MakeRunsOf<uint16_t>(s, *s->keyRuns, static_cast<uint16_t>(key));
}

void FreeKeyRuns(IDirectDrawSurface* s) {
  if (s->keyRuns == nullptr) return;
  delete[] s->keyRuns->rowFirst;
  delete[] s->keyRuns->column;
  delete[] s->keyRuns->runs;
  delete s->keyRuns;
  s->keyRuns = nullptr;
}

bool CopyKeyRuns(IDirectDrawSurface* dst, int dx, int dy, const IDirectDrawSurface* src,
                 const RECT& r) {
  const KeyRuns* k = src->keyRuns;
  if (k == nullptr || !k->valid || dst == src) return false;
  const size_t bytes = static_cast<size_t>(src->BytesPerPixel());
  const int left = r.left;
  const int right = r.right;
  const size_t columns = static_cast<size_t>(k->columns);
  const uint32_t* rowFirst = k->rowFirst + r.top;
  const uint16_t* column = k->column + columns * r.top + static_cast<size_t>(left / kKeyRunColumn);
  uint8_t* out = dst->pixels + static_cast<size_t>(dy) * dst->pitch + static_cast<size_t>(dx) * bytes;
  const uint8_t* in = src->pixels + static_cast<size_t>(r.top) * src->pitch;
  for (int y = r.top; y < r.bottom;
       ++y, ++rowFirst, column += columns, out += dst->pitch, in += src->pitch) {
    const KeyRun* run = k->runs + rowFirst[0] + column[0];
    const KeyRun* last = k->runs + rowFirst[1];
    while (run != last && run->end <= left) ++run;
    for (; run != last && run->begin < right; ++run) {
      const size_t begin = static_cast<size_t>(std::max<int>(run->begin, left));
      const size_t end = static_cast<size_t>(std::min<int>(run->end, right));
      CopySpan(out + (begin - left) * bytes, in + begin * bytes, (end - begin) * bytes);
    }
  }
  return true;
}

}  // namespace platform::ddraw
