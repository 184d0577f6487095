// Compile-time helpers of the emitter tables, whose rows each name the pool they own.
#pragma once

#include <cstddef>

#include "game/fire/bullet_data.h"

namespace fire {

// Index of the row of `table` that owns `pool`, or -1 when none does.
template <class Row, size_t N>
constexpr int RowOfPool(const Row (&table)[N], BulletPoolId pool) {
  for (size_t i = 0; i < N; ++i) {
    if (table[i].pool == pool) return static_cast<int>(i);
  }
  return -1;
}

// True when no two rows of `table` own the same pool (each pool belongs to one emitter).
template <class Row, size_t N>
constexpr bool EachPoolOnce(const Row (&table)[N]) {
  for (size_t i = 0; i < N; ++i) {
    for (size_t j = i + 1; j < N; ++j) {
      if (table[i].pool == table[j].pool) return false;
    }
  }
  return true;
}

}  // namespace fire
