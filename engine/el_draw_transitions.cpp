// The thirteen screen transitions: each frame draws part of the snapshot in slot 1 (kind 0 the
// frames of the mask slot) over the new picture, shifted, cut or broken up by the counter.
#include <cstdlib>

#include "engine/el_draw_internal.h"

namespace {

// Kinds 3 and 4 move a row or band by -(S - N + 1) to S - N pixels, one random number each. A
// counter past the step makes the span negative (the remainder then stays 0 to |span| - 1); only a
// counter of exactly S + 1 leaves no span at all, and that row or band is not drawn.
bool Jitter(int step, int counter, int& x) {
  const int span = 2 * (step - counter) + 2;
  if (span == 0) return false;
  x = (counter - 1) + (std::rand() % span) - step;
  return true;
}

void Snapshot(int x, int y, int left, int top, int right, int bottom) {
  elDraw::BltObjectOpaque(x, y, 1, left, top, right, bottom);
}

}  // namespace

void DrawTransitionStep(int kind, int step, int counter) {
  const int w = gScreenWidth;
  const int h = gScreenHeight;
  const int n = counter;
  const int s = step;
  if (kind == 0) {
    for (int i = 0; i < 10; ++i) {
      for (int j = 0; j < 10; ++j) {
        elDraw::BltObject(64 * i, 48 * j, gTransitionMaskSlot, 64 * (n - 1), 0, 64 * n, 48);
      }
    }
    return;
  }
  if (kind == 1 || kind == 3) {
    for (int y = 0; y < h; ++y) {
      if (y % n == 0) continue;
      int x = 0;
      if (kind == 3 && !Jitter(s, n, x)) continue;
      Snapshot(x, y, 0, y, w, y + 1);
    }
    return;
  }
  // Every other kind divides by the step.
  if (s <= 0) return;
  const int moved = s - n + 1;
  switch (kind) {
    case 2:
    case 4:
      for (int y = 0; y < h; y += s) {
        int x = 0;
        if (kind == 4 && !Jitter(s, n, x)) continue;
        Snapshot(x, y, 0, y, w, y + n + 1);
      }
      break;
    case 5: Snapshot(0, -moved * (h / s), 0, 0, w, h); break;
    case 6: Snapshot(0, moved * (h / s), 0, 0, w, h); break;
    case 7: Snapshot(-moved * (w / s), 0, 0, 0, w, h); break;
    case 8: Snapshot(moved * (w / s), 0, 0, 0, w, h); break;
    case 9:
      Snapshot(0, -((h / 2) / s) * moved, 0, 0, w, h / 2);
      Snapshot(0, h / 2 + moved * ((h / 2) / s), 0, h / 2, w, h);
      break;
    case 10:
      Snapshot(-((w / 2) / s) * moved, 0, 0, 0, w / 2, h);
      Snapshot(w / 2 + moved * ((w / 2) / s), 0, w / 2, 0, w, h);
      break;
    case 11: Snapshot(0, 0, 0, 0, (w / s) * n, h); break;
    case 12: Snapshot(moved * (w / s), 0, moved * (w / s), 0, w, h); break;
    default: break;
  }
}
