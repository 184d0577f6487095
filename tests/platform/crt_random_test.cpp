// The program's rand() and srand(): for every seed, the very numbers of the C library's own
// generator (read here through its reentrant form, which keeps its state apart), so that a seed
// replays the game it always gave.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>

namespace {

TEST(CrtRandom, EverySeedGivesTheLibrarysSequence) {
  // 0 and 1 seed alike; the large ones go negative as 32-bit words in the seeding.
  const unsigned seeds[] = {0u, 1u, 2u, 12345u, 1765280000u, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu};
  for (unsigned seed : seeds) {
    char state[128];
    random_data library{};
    ASSERT_EQ(initstate_r(seed, state, sizeof state, &library), 0);
    srand(seed);
    for (int i = 0; i < 100000; ++i) {
      int32_t expected = 0;
      random_r(&library, &expected);
      ASSERT_EQ(rand(), expected) << "seed " << seed << ", number " << i;
    }
  }
}

TEST(CrtRandom, UnseededItIsSeed1AndReseedingStartsTheSequenceAgain) {
  // Each case runs in a fresh process, so nothing has drawn or seeded yet.
  const int unseeded[2] = {rand(), rand()};
  srand(1);
  EXPECT_EQ(rand(), unseeded[0]);
  EXPECT_EQ(rand(), unseeded[1]);
  srand(77);
  const int first[3] = {rand(), rand(), rand()};
  for (int i = 0; i < 1000; ++i) rand();
  srand(77);
  EXPECT_EQ(rand(), first[0]);
  EXPECT_EQ(rand(), first[1]);
  EXPECT_EQ(rand(), first[2]);
}

}  // namespace
