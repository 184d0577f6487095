// The software presentation's per-frame work: a finished 16-bit picture through our scaler into a
// 32-bit window surface, 1:1 in a window and scaled up to a 1024 x 768 screen between bars; every
// pixel changing from frame to frame (play) and the same picture again (a still title).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "platform/picture_scaler.h"

namespace {

using platform::FrameView;
using platform::PictureScaler;
using platform::PixelLayout;

// Two pictures of noise: drawn in turn, no pixel is the one drawn before at its place.
struct Pictures {
  int w, h;
  std::vector<uint16_t> a, b;
  Pictures(int w_, int h_) : w(w_), h(h_), a(static_cast<size_t>(w_) * h_), b(a.size()) {
    uint32_t seed = 12345;
    for (size_t i = 0; i < a.size(); ++i) {
      seed = seed * 1103515245u + 12345u;
      a[i] = static_cast<uint16_t>(seed >> 16);
      b[i] = static_cast<uint16_t>(a[i] ^ 0x5AA5u);
    }
  }
  FrameView View(const std::vector<uint16_t>& p) const {
    return FrameView{p.data(), w * 2, w, h, PixelLayout::Rgb565};
  }
};

// Args: picture width and height, target width and height (the picture centred in it and scaled
// to fit with its aspect kept), 1 when every frame changes.
void Scale(benchmark::State& state) {
  const int src_w = static_cast<int>(state.range(0)), src_h = static_cast<int>(state.range(1));
  const int out_w = static_cast<int>(state.range(2)), out_h = static_cast<int>(state.range(3));
  const bool changing = state.range(4) != 0;
  const Pictures pictures(src_w, src_h);
  // The fit as the host works it out (rounded): the height is the limit in every shape here.
  const int h = out_h, w = (2 * src_w * out_h + src_h) / (2 * src_h);
  PictureScaler scaler;
  scaler.Prepare({src_w, src_h, PixelLayout::Rgb565, (out_w - w) / 2, 0, w, h});
  std::vector<uint32_t> target(static_cast<size_t>(out_w) * out_h);
  auto* bytes = reinterpret_cast<uint8_t*>(target.data());
  scaler.Draw(pictures.View(pictures.a), bytes, out_w * 4);
  bool odd = false;
  for (auto _ : state) {
    odd = changing && !odd;
    scaler.Draw(pictures.View(odd ? pictures.b : pictures.a), bytes, out_w * 4);
    benchmark::DoNotOptimize(target.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(Scale)
    ->ArgNames({"src_w", "src_h", "out_w", "out_h", "changing"})
    ->Args({360, 480, 360, 480, 1})
    ->Args({360, 480, 360, 480, 0})
    ->Args({360, 480, 1024, 768, 1})
    ->Args({360, 480, 1024, 768, 0})
    ->Args({360, 600, 1024, 768, 1})
    ->Args({360, 600, 1024, 768, 0});

}  // namespace
