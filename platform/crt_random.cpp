// The C library's random numbers, rand() and srand(), defined here for the whole program.
//
// The numbers are those of the C library's own generator (an additive feedback generator over 31
// words, r[i] = r[i - 31] + r[i - 3], each number the sum's upper 31 bits), so every seed gives the
// sequence it always gave and the recordings' frames stay as they are. The library's version takes
// a lock around every number, and a stage frame draws tens of thousands of them (each boss-hit
// debris fragment draws one or five a frame): that lock was a tenth of the heaviest frame. Like
// the library's, the state is one for the process; the game draws on its one thread.
#include <cstdint>
#include <cstdlib>

namespace {

constexpr int kWords = 31;   // the generator's degree
constexpr int kSeparation = 3;
constexpr int kWarmUp = 10 * kWords;  // numbers dropped after seeding

struct Generator {
  uint32_t word[kWords] = {};
  int front = kSeparation;
  int rear = 0;

  constexpr uint32_t Next() {
    word[front] += word[rear];
    const uint32_t value = word[front] >> 1;
    if (++front == kWords) front = 0;
    if (++rear == kWords) rear = 0;
    return value;
  }

  // The words from the seed by the minimal standard generator (16807 * x mod 2^31 - 1, computed
  // without overflow), a seed of 0 taken as 1, then the warm-up.
  constexpr void Seed(unsigned seed) {
    int32_t x = static_cast<int32_t>(seed == 0 ? 1 : seed);
    word[0] = static_cast<uint32_t>(x);
    for (int i = 1; i < kWords; ++i) {
      const long hi = x / 127773;
      const long lo = x % 127773;
      long next = 16807 * lo - 2836 * hi;
      if (next < 0) next += 2147483647;
      x = static_cast<int32_t>(next);
      word[i] = static_cast<uint32_t>(x);
    }
    front = kSeparation;
    rear = 0;
    for (int i = 0; i < kWarmUp; ++i) Next();
  }
};

// Seeded with 1 before the first use, as the library is; made at compile time, so that no guard
// stands before each number.
constinit Generator gGenerator = [] {
  Generator seeded;
  seeded.Seed(1);
  return seeded;
}();

}  // namespace

extern "C" {

int rand() noexcept { return static_cast<int>(gGenerator.Next()); }

void srand(unsigned seed) noexcept { gGenerator.Seed(seed); }

}  // extern "C"
