// No heap allocation in a stage frame: the global allocation functions of this test program count
// every allocation made while a window is open, and whole stage frames of the real game run in
// that window after a warm-up.
//
// The program replaces operator new and, outside the sanitizer builds (whose runtime owns malloc),
// malloc itself, so allocations in C code and in the libraries count as well.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdlib>
#include <new>

#include "engine/shell.h"
#include "game/game_states.h"
#include "platform/user32.h"
#include "tests/support/game_driver.h"

#if defined(__SANITIZE_ADDRESS__)
#define MORV_HOOK_MALLOC 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MORV_HOOK_MALLOC 0
#endif
#endif
#ifndef MORV_HOOK_MALLOC
#define MORV_HOOK_MALLOC 1
#endif

namespace {

// Plain globals: set and read on the game's one thread; the headless host starts no other.
bool gCounting = false;
long gAllocations = 0;

inline void Count() {
  if (gCounting) ++gAllocations;
}

}  // namespace

#if MORV_HOOK_MALLOC
extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t n, size_t size);
void* __libc_realloc(void* p, size_t size);
void __libc_free(void* p);

void* malloc(size_t size) {
  Count();
  return __libc_malloc(size);
}
void* calloc(size_t n, size_t size) {
  Count();
  return __libc_calloc(n, size);
}
void* realloc(void* p, size_t size) {
  Count();
  return __libc_realloc(p, size);
}
void free(void* p) { __libc_free(p); }
}
#endif

void* operator new(size_t size) {
  Count();
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void* operator new[](size_t size) { return operator new(size); }
void* operator new(size_t size, const std::nothrow_t&) noexcept {
  Count();
  return std::malloc(size == 0 ? 1 : size);
}
void* operator new[](size_t size, const std::nothrow_t& tag) noexcept {
  return operator new(size, tag);
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }
void operator delete[](void* p, size_t) noexcept { std::free(p); }

namespace {

using morv_test::GameDriver;

// Opens the counting window, runs `frames` frames of the message loop as the program does, and
// returns the allocations made in them.
long AllocationsOver(GameDriver& game, int frames) {
  game.Drain();
  gAllocations = 0;
  gCounting = true;
  int ran = 0;
  while (ran < frames) {
    const LoopStep step = RunLoopOnce();
    if (step == LoopStep::Quit) break;
    if (step == LoopStep::Frame) ++ran;
  }
  gCounting = false;
  EXPECT_EQ(ran, frames);
  return gAllocations;
}

// Holds the ship's keys down (their key-down messages are dispatched during the warm-up): it
// moves, fires and uses the special weapon.
void HoldShipKeys(GameDriver& game) {
  for (int vk : {int{VK_LEFT}, int{VK_UP}, int{'Z'}, int{'X'}, int{VK_SPACE}, int{VK_SHIFT}}) game.Press(vk);
}

TEST(FrameAllocation, TheCountingWindowSeesAnAllocation) {
  gAllocations = 0;
  gCounting = true;
  int* p = new int(7);
  void* q = std::malloc(16);
  gCounting = false;
  std::free(q);
  delete p;
  EXPECT_EQ(gAllocations, MORV_HOOK_MALLOC ? 3 : 1);
}

TEST(FrameAllocation, Stage1FramesAllocateNothing) {
  GameDriver game;
  game.Frames(1);
  game.StartGame();
  HoldShipKeys(game);
  game.Frames(120);  // the opening transition, the stage music's start, the first shots
  ASSERT_EQ(gGameState, kStateStage1);
  EXPECT_EQ(AllocationsOver(game, 600), 0);
  EXPECT_EQ(gGameState, kStateStage1);
}

TEST(FrameAllocation, Stage2FramesAllocateNothing) {
  GameDriver game;
  game.Frames(1);
  game.EnterStage(2);
  HoldShipKeys(game);
  game.Frames(120);
  ASSERT_EQ(gGameState, kStateStage2);
  EXPECT_EQ(AllocationsOver(game, 600), 0);
  EXPECT_EQ(gGameState, kStateStage2);
}

}  // namespace
