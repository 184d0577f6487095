#include "game/asset_list.h"

#include "engine/el_draw.h"
#include "engine/el_sound.h"
#include "engine/profile.h"
#include "engine/shell.h"
#include "game/game_states.h"
#include "game/resets.h"

int gImageSlot[kImageCount];
int gSndShot;
int gSndBom;

static void LoadImages(int from, int to) {
  for (int i = from; i < to; ++i) {
    gImageSlot[i] = elDraw::LoadObject(kPictureRows[i].file, kProfile.imagePlacement);
  }
}

// Start-up: open the display, load every picture and both sounds, set the high score and enter the
// title. No result is tested: a picture that fails keeps slot 0 and loading goes on.
void LoadAllAssets() {
  elDraw::Screen(kProfile.screenWidth, kProfile.screenHeight, kProfile.screenMode);
  elDraw::SetClipRect(kProfile.clipLeft, kProfile.clipTop, kProfile.clipRight, kProfile.clipBottom);
  LoadImages(0, kImagesBeforeSounds);
  gSndShot = elSound::LoadObject("SOUND/SHOT.WAV", 1);
  gSndBom = elSound::LoadObject("SOUND/BOM.WAV", 1);
  LoadImages(kImagesBeforeSounds, kImageCount);
  gHighScore = 500;
  ResetPlayObjects();
  gGameState = kStateTitle;
  gPrevGameState = 0;
}
