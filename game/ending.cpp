#include "game/ending.h"
#include "engine/el_draw.h"
#include "engine/shell.h"

void RunEnding() {
  elDraw::ClearBack();
  SetVSyncWait(1);
  PresentFrame();
}

void FinishEnding() {}
