// The software presentation's per-frame work: a finished 16-bit picture through our scaler into a
// 32-bit window surface, 1:1 in a window (360 x 480) and scaled up to a 1024 x 768 screen (the
// 640 x 480 and 800 x 600 pictures); every pixel changing from frame to frame, only the middle 360
// columns changing (a play field between still panels), and the same picture again (a still title).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/picture_scaler.h"

namespace {

using platform::FrameView;
using platform::PictureScaler;
using platform::PixelLayout;

// Two pictures of noise drawn in turn: they differ in every pixel of the columns [from, to).
struct Pictures {
  int w, h;
  std::vector<uint16_t> a, b;
  Pictures(int w_, int h_, int from, int to) : w(w_), h(h_), a(static_cast<size_t>(w_) * h_), b(a.size()) {
    uint32_t seed = 12345;
    for (size_t i = 0; i < a.size(); ++i) {
      seed = seed * 1103515245u + 12345u;
      a[i] = static_cast<uint16_t>(seed >> 16);
      const int x = static_cast<int>(i % static_cast<size_t>(w_));
      b[i] = static_cast<uint16_t>(x >= from && x < to ? a[i] ^ 0x5AA5u : a[i]);
    }
  }
  FrameView View(const std::vector<uint16_t>& p) const {
    return FrameView{p.data(), w * 2, w, h, PixelLayout::Rgb565};
  }
};

enum Change { kStill, kAll, kMiddle };

// Args: picture width and height, target width and height (the picture centred in it and scaled
// to fit with its aspect kept), what changes from frame to frame.
void Scale(benchmark::State& state) {
  const int src_w = static_cast<int>(state.range(0)), src_h = static_cast<int>(state.range(1));
  const int out_w = static_cast<int>(state.range(2)), out_h = static_cast<int>(state.range(3));
  const auto change = static_cast<Change>(state.range(4));
  const bool changing = change != kStill;
  const Pictures pictures(src_w, src_h, change == kMiddle ? (src_w - 360) / 2 : 0,
                          change == kMiddle ? (src_w + 360) / 2 : src_w);
  // The fit as the host works it out (rounded): the height is the limit in every shape here.
  const int h = out_h, w = std::min(out_w, (2 * src_w * out_h + src_h) / (2 * src_h));
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
    ->ArgNames({"src_w", "src_h", "out_w", "out_h", "change"})
    ->Args({360, 480, 360, 480, kAll})
    ->Args({360, 480, 360, 480, kStill})
    ->Args({640, 480, 1024, 768, kAll})
    ->Args({640, 480, 1024, 768, kMiddle})
    ->Args({640, 480, 1024, 768, kStill})
    ->Args({800, 600, 1024, 768, kAll})
    ->Args({800, 600, 1024, 768, kMiddle})
    ->Args({800, 600, 1024, 768, kStill});

}  // namespace
