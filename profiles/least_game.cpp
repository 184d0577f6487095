// The least game the shell runs with before the real one is linked in: the title state shows a
// black screen, Esc quits, every other key is only remembered.
#include "engine/el_draw.h"
#include "engine/el_sound.h"
#include "engine/midi.h"
#include "engine/profile.h"
#include "engine/shell.h"
#include "engine/el_system.h"
#include "platform/user32.h"

void LoadAllAssets() {
  elDraw::Screen(kProfile.screenWidth, kProfile.screenHeight, kProfile.screenMode);
  elDraw::SetClipRect(kProfile.clipLeft, kProfile.clipTop, kProfile.clipRight, kProfile.clipBottom);
  gGameState = 1;
  gPrevGameState = 0;
}

void RunTitle() {
  elDraw::ClearBack();
  SetVSyncWait(1);
  PresentFrame();
}

void RunS1Frame() {}
void RunS2Frame() {}
void RunEnding() {}

void HandleKeyDown(int virtualKey) {
  gLastKey = virtualKey;
  if (virtualKey == VK_ESCAPE) {
    StopMidi();
    ShutdownApplication();
    PostQuitMessage(0);
  }
}
