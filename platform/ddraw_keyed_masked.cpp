// Colour-keyed copies by masked stores. Where the processor has AVX-512 with its byte and word
// instructions, 32 16-bit pixels (or 16 32-bit ones) are compared with the key into a mask and
// only the pixels unlike the key are stored: no branch depends on the picture, nothing is
// read back from the destination, and the picture needs no table of runs. Elsewhere the copies go
// through the opaque runs (ddraw_key_runs.cpp).
#include "platform/ddraw_internal.h"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define MORV_MASKED_KEYED_COPY 1
#endif

namespace platform::ddraw {

namespace {

#if defined(MORV_MASKED_KEYED_COPY)

bool ProcessorHasMaskedWords() {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw");
}

// `rows` rows of `w` 16-bit pixels, 32 to a vector; a row's last part, narrower than a vector, is
// read and written under a mask of its width, so nothing past the rectangle is touched.
__attribute__((target("avx512bw"))) void MaskedRows16(uint8_t* out, size_t outPitch,
                                                      const uint8_t* in, size_t inPitch, int w,
                                                      int rows, uint16_t key) {
  const __m512i keys = _mm512_set1_epi16(static_cast<short>(key));
  const int whole = w / 32;
  const auto tail = static_cast<__mmask32>((uint64_t{1} << (w % 32)) - 1);
  for (int y = 0; y < rows; ++y, out += outPitch, in += inPitch) {
    auto* o = reinterpret_cast<uint16_t*>(out);
    const auto* i = reinterpret_cast<const uint16_t*>(in);
    for (int b = 0; b < whole; ++b, o += 32, i += 32) {
      const __m512i v = _mm512_loadu_si512(i);
      _mm512_mask_storeu_epi16(o, _mm512_cmpneq_epi16_mask(v, keys), v);
    }
    if (tail != 0) {
      const __m512i v = _mm512_maskz_loadu_epi16(tail, i);
      _mm512_mask_storeu_epi16(o, _mm512_mask_cmpneq_epi16_mask(tail, v, keys), v);
    }
  }
}

// The same for 32-bit pixels, sixteen to a vector.
__attribute__((target("avx512f"))) void MaskedRows32(uint8_t* out, size_t outPitch,
                                                     const uint8_t* in, size_t inPitch, int w,
                                                     int rows, uint32_t key) {
  const __m512i keys = _mm512_set1_epi32(static_cast<int>(key));
  const int whole = w / 16;
  const auto tail = static_cast<__mmask16>((1u << (w % 16)) - 1);
  for (int y = 0; y < rows; ++y, out += outPitch, in += inPitch) {
    auto* o = reinterpret_cast<uint32_t*>(out);
    const auto* i = reinterpret_cast<const uint32_t*>(in);
    for (int b = 0; b < whole; ++b, o += 16, i += 16) {
      const __m512i v = _mm512_loadu_si512(i);
      _mm512_mask_storeu_epi32(o, _mm512_cmpneq_epi32_mask(v, keys), v);
    }
    if (tail != 0) {
      const __m512i v = _mm512_maskz_loadu_epi32(tail, i);
      _mm512_mask_storeu_epi32(o, _mm512_mask_cmpneq_epi32_mask(tail, v, keys), v);
    }
  }
}

#else

bool ProcessorHasMaskedWords() { return false; }

#endif

KeyedCopy& Chosen() {
  static KeyedCopy chosen = BestKeyedCopy();
  return chosen;
}

}  // namespace

KeyedCopy BestKeyedCopy() {
  static const bool masked = ProcessorHasMaskedWords();
  return masked ? KeyedCopy::kMasked : KeyedCopy::kRuns;
}

KeyedCopy ChosenKeyedCopy() { return Chosen(); }

bool UseKeyedCopy(KeyedCopy way) {
  if (way == KeyedCopy::kMasked && BestKeyedCopy() != KeyedCopy::kMasked) return false;
  Chosen() = way;
  return true;
}

bool CopyKeyedMasked(IDirectDrawSurface* dst, int dx, int dy, const IDirectDrawSurface* src,
                     const RECT& r) {
#if defined(MORV_MASKED_KEYED_COPY)
  if (Chosen() != KeyedCopy::kMasked || dst == src) return false;
  const size_t bytes = static_cast<size_t>(src->BytesPerPixel());
  uint8_t* out = dst->pixels + static_cast<size_t>(dy) * dst->pitch + static_cast<size_t>(dx) * bytes;
  const uint8_t* in =
      src->pixels + static_cast<size_t>(r.top) * src->pitch + static_cast<size_t>(r.left) * bytes;
  const int w = r.right - r.left;
  const int rows = r.bottom - r.top;
  const DWORD key = src->sourceKey.dwColorSpaceLowValue;
  if (bytes == 4) {
    MaskedRows32(out, static_cast<size_t>(dst->pitch), in, static_cast<size_t>(src->pitch), w, rows,
                 key);
  } else {
    MaskedRows16(out, static_cast<size_t>(dst->pitch), in, static_cast<size_t>(src->pitch), w, rows,
                 static_cast<uint16_t>(key));
  }
  return true;
#else
  (void)dst, (void)dx, (void)dy, (void)src, (void)r;
  return false;
#endif
}

}  // namespace platform::ddraw
