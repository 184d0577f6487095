// The two sound effects, synthesized: a short bright laser shot and an explosion of filtered
// noise with a low thump, both mono at 22050 Hz.
#include <algorithm>
#include <cmath>

#include "assets/asset_table.h"

namespace assetgen {

namespace {

// The loudest an effect gets. The game restarts its effects many times a second (every volley
// its shot, every frame of a boss's damage its explosion) while both play over the music, so each
// keeps well below full scale: the three summed stay clear of clipping, and the music is not
// drowned.
constexpr double kEffectPeak = 9500.0;

int16_t ToSample(double v) {
  v = std::tanh(v * 1.2) / std::tanh(1.2);  // gentle limiter, up to 1.2 x the peak
  return static_cast<int16_t>(std::clamp(std::lround(v * kEffectPeak), -32767L, 32767L));
}

// Fades the first and last few milliseconds so the effect starts and stops without a click.
double EdgeFade(int i, int n) {
  const int edge = kSoundRate / 400;  // 2.5 ms
  if (i < edge) return static_cast<double>(i) / edge;
  if (i > n - edge) return static_cast<double>(n - i) / edge;
  return 1.0;
}

}  // namespace

std::vector<int16_t> SynthesizeShot() {
  const int n = kSoundRate * 110 / 1000;  // 110 ms
  std::vector<int16_t> out(n);
  Rng rng(HashName("shot"));
  double phase = 0, phase2 = 0;
  for (int i = 0; i < n; ++i) {
    double t = static_cast<double>(i) / kSoundRate;
    double freq = 500 + 1500 * std::exp(-t / 0.025);
    phase += freq / kSoundRate;
    phase2 += freq * 1.5 / kSoundRate;
    double square = (phase - std::floor(phase)) < 0.5 ? 1.0 : -1.0;
    double tri = 4 * std::fabs(phase2 - std::floor(phase2) - 0.5) - 1;
    double noise = (rng.Unit() * 2 - 1) * std::exp(-t / 0.004);
    double env = std::exp(-t / 0.035);
    out[i] = ToSample((0.38 * square + 0.22 * tri + 0.3 * noise) * env * EdgeFade(i, n));
  }
  return out;
}

std::vector<int16_t> SynthesizeExplosion() {
  const int n = kSoundRate * 900 / 1000;  // 0.9 s
  std::vector<int16_t> out(n);
  Rng rng(HashName("explosion"));
  double low = 0, low2 = 0, thump = 0;
  for (int i = 0; i < n; ++i) {
    double t = static_cast<double>(i) / kSoundRate;
    // Two one-pole low-pass stages whose cutoff falls from a crack to a rumble.
    double cutoff = 180 + 3200 * std::exp(-t / 0.09);
    double k = 1 - std::exp(-2 * kPi * cutoff / kSoundRate);
    double white = rng.Unit() * 2 - 1;
    low += k * (white - low);
    low2 += k * (low - low2);
    thump += 2 * kPi * (35 + 60 * std::exp(-t / 0.08)) / kSoundRate;
    double body = 1.6 * low2 * std::exp(-t / 0.3) + 0.6 * std::sin(thump) * std::exp(-t / 0.12);
    double crack = 0.35 * white * std::exp(-t / 0.015);
    out[i] = ToSample((body + crack) * EdgeFade(i, n));
  }
  return out;
}

}  // namespace assetgen
