// The display's per-frame work at 360 x 480: keyed 60 x 60 sprites, a full opaque copy, the clear,
// the presentation and the ending's lines of text.
#include <benchmark/benchmark.h>

#include <cstring>

#include "engine/el_draw_internal.h"
#include "engine/profile.h"
#include "platform/ddraw_internal.h"
#include "platform/host_headless.h"

namespace {

platform::HeadlessHost& Host() {
  static platform::HeadlessHost host;
  return host;
}

// Opens the screen once; slot `Sprite()` holds a 60 x 60 picture with a black (keyed) border.
struct Screen {
  int sprite = 0;
  int picture = 0;
  Screen() {
    platform::SetHost(&Host());
    Host().desktop_width = kProfile.screenWidth;
    Host().desktop_height = kProfile.screenHeight;
    elDraw::Screen(kProfile.screenWidth, kProfile.screenHeight, 1);
    SetVSyncWait(0);
    sprite = elDraw::CreateObject(60, 60, 2);
    picture = elDraw::CreateObject(360, 480, 2);
    IDirectDrawSurface* s = gDrawObjects[sprite].surface;
    for (int y = 0; y < 60; ++y) {
      auto* row = reinterpret_cast<uint16_t*>(s->pixels + y * s->pitch);
      for (int x = 0; x < 60; ++x) {
        row[x] = (x < 8 || x >= 52 || y < 8 || y >= 52) ? 0 : static_cast<uint16_t>(0x1234 + x);
      }
    }
    IDirectDrawSurface* p = gDrawObjects[picture].surface;
    std::memset(p->pixels, 0x5A, static_cast<size_t>(p->pitch) * p->height);
  }
};

Screen& Open() {
  static Screen screen;
  return screen;
}

// Argument: the way keyed copies are made (0 masked stores, 1 opaque runs, 2 compares).
void KeyedSprites(benchmark::State& state) {
  using platform::ddraw::KeyedCopy;
  const Screen& s = Open();
  const KeyedCopy way = static_cast<KeyedCopy>(state.range(0));
  if (!platform::ddraw::UseKeyedCopy(way)) {
    state.SkipWithError("this processor has no masked stores");
    return;
  }
  platform::ddraw::MakeKeyTables(gDrawObjects[s.sprite].surface);  // made only for the runs' way
  int i = 0;
  for (auto _ : state) {
    // Some inside, some cut at an edge.
    elDraw::BltObject((i * 37) % 400 - 30, (i * 53) % 520 - 30, s.sprite, 0, 0, 60, 60);
    ++i;
  }
  state.SetItemsProcessed(state.iterations());
  platform::ddraw::UseKeyedCopy(platform::ddraw::BestKeyedCopy());
}
BENCHMARK(KeyedSprites)->Arg(0)->Arg(1)->Arg(2);

void OpaqueFullScreen(benchmark::State& state) {
  const Screen& s = Open();
  for (auto _ : state) elDraw::BltObjectOpaque(0, 0, s.picture, 0, 0, 360, 480);
}
BENCHMARK(OpaqueFullScreen);

void ClearBack(benchmark::State& state) {
  Open();
  for (auto _ : state) elDraw::ClearBack();
}
BENCHMARK(ClearBack);

void Present(benchmark::State& state) {
  Open();
  for (auto _ : state) PresentFrame();
}
BENCHMARK(Present);

// The ending's frame of text: seven credit lines.
void CreditLines(benchmark::State& state) {
  Open();
  for (auto _ : state) {
    for (int i = 0; i < 7; ++i) DrawCreditLine(60, 180 + 20 * i, "PROGRAM  MORVENTICA STAFF");
  }
}
BENCHMARK(CreditLines);

}  // namespace
