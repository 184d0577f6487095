#include "game/game_states.h"

#include "engine/el_draw.h"
#include "engine/el_system.h"
#include "engine/midi.h"
#include "engine/profile.h"
#include "engine/shell.h"
#include "game/asset_list.h"
#include "game/resets.h"
#include "platform/user32.h"

int gPaused;
int gContinuePrompt;
int gMouseControl;
int gKeyboardControl;
int gNoDeath;
int gShipType;
int gPlayLevel;
int gScoreMode, gScoreMode2;
int gOverlayBlend;
int gTitleCounter;

void ChangeStateWithTransition(int state, int steps) {
  gTransitionKind = kTransitionBreakUp;
  gTransitionStep = steps;
  elDraw::CopyBackToObject(1, 0, 0, gScreenWidth, gScreenHeight);
  gGameState = state;
  gPrevGameState = 0;
  gTransitionCounter = steps;
  gTransitionDirection = -1;
}

void ChangeStateToTitle() {
  gGameState = kStateTitle;
  gPrevGameState = 0;
}

// Called for every key press, auto-repeats included, in every state.
void HandleKeyDown(int virtualKey) {
  gLastKey = virtualKey;
  switch (virtualKey) {
    case VK_ESCAPE:
      StopMidi();
      elSystem::SetWait(1, 1000);
      ShutdownApplication();
      PostQuitMessage(0);
      break;
    case 'S':
      if (gContinuePrompt != 1) gPaused = gPaused == 0 ? 1 : 0;
      break;
    case 'T':
      StopMidi();
      ResetPlayObjects();
      ResetGameState();
      ResetGamePools();
      gOverlayBlend = 0;
      gMouseControl = 0;
      gKeyboardControl = 1;
      gNoDeath = 0;
      gShipType = 0;
      ChangeStateToTitle();
      break;
    default:
      break;
  }
}

void RunTitle() {
  if (gStateEntered == 1) {
    gTitleCounter = 0;
    gOverlayBlend = 0;
    gMouseControl = 0;
    gKeyboardControl = 1;
    gNoDeath = 0;
    gShipType = 0;
  }
  elDraw::ClearBack();
  ++gTitleCounter;
  if (static_cast<unsigned>(gTitleCounter) <= 460u) {
    elDraw::BltObject(kProfile.titleX, kProfile.titleY, ImageSlot(kImgTITLEC), 0, 0, 360, 480);
  }
  if (gTitleCounter >= 460) gTitleCounter = 0;
  SetVSyncWait(1);
  PresentFrame();
  RunTitleKeys();
}

// Read after the frame is presented, so the snapshot a game start takes is the title picture.
void RunTitleKeys() {
  switch (gLastKey) {
    case VK_RETURN:
      gShipType = 1;
      ResetPlayObjects();
      ResetGameState();
      ResetGamePools();
      gPlayLevel = 1;
      gScoreMode = 1;
      gScoreMode2 = 0;
      ChangeStateWithTransition(kStateStage1, kStepsToStage1);
      gLastKey = 0;
      break;
    case 'M':
      gMouseControl = 1;
      gKeyboardControl = 0;
      gLastKey = 0;
      break;
    case 'K':
      gMouseControl = 0;
      gKeyboardControl = 1;
      gLastKey = 0;
      break;
    case 'O':
      gNoDeath = 1;
      gLastKey = 0;
      break;
    default:
      break;
  }
}
