#include "game/ending.h"

#include "engine/el_draw.h"
#include "engine/midi.h"
#include "engine/profile.h"
#include "engine/shell.h"
#include "engine/el_system.h"
#include "game/asset_list.h"
#include "game/backgrounds.h"
#include "game/collisions.h"
#include "game/game_states.h"
#include "game/hud.h"
#include "game/player_ship.h"
#include "game/player_weapons.h"
#include "game/resets.h"
#include "game/stage_drivers.h"

const char* const kCreditLines[kCreditLineCount] = {
    "MORVENTICA SF SHOOTING VERSION2",
    "GAME DESIGN      MORVENTICA TEAM",
    "PROGRAM          MORVENTICA TEAM",
    "GRAPHICS         MORVENTICA TEAM",
    "SOUND AND MUSIC  MORVENTICA TEAM",
    "TEST PLAY        EVERY PILOT",
    "THANK YOU FOR PLAYING",
};

namespace {

constexpr float kEndingRate = 18.0f;  // timeline units per second
constexpr float kEndOfTimeline = 1101.0f;
constexpr int kCreditTop = 180;
constexpr int kCreditSpacing = 20;
constexpr int kSpace = 0x20;

// A timeline window, inclusive at both ends.
struct Window {
  float from, to;
  bool Holds(float d) const { return d >= from && d <= to; }
};
constexpr Window kFlightWindow = {0, 300};
constexpr Window kRankingWindow = {301, 500};
constexpr Window kCreditsWindow = {501, 700};
constexpr Window kPicture1Window = {701, 900};
constexpr Window kPicture2Window = {901, 1100};

// The ship still flies and fires over the stars, under the congratulation picture.
void RunLastFlight() {
  DrawPlayerMissiles();
  DrawPlayerShots();
  UpdateSpecialWeapon();
  UpdatePlayer();
  DrawScorePanel();
  elDraw::BltObject(kProfile.endingGoodX, 100, ImageSlot(kImgMYGOODN), 0, 0, 300, 100);
  MovePlayer();
  UpdateCollisions();
  MovePlayerMissiles();
}

void DrawCredits() {
  for (int i = 0; i < kCreditLineCount; ++i) {
    DrawCreditLine(kProfile.creditX, kCreditTop + kCreditSpacing * i, kCreditLines[i]);
  }
}

void DrawFullPicture(ImageId image) {
  elDraw::BltObject(kProfile.endingPictureX, kProfile.endingPictureY, ImageSlot(image), 0, 0, 360,
                    480);
}

}  // namespace

void RunEnding() {
  if (gStateEntered == 1) gDistance = 0.0f;
  ++gStageFrameCounter;
  if (gStageFrameCounter == 1) PlayMidi("MIDI/VKTEND.MID", 1);
  if (gStageFrameCounter >= 100999999) gStageFrameCounter = 0;
  elDraw::ClearBack();
  gDistance += gFrameTime * kEndingRate;
  UpdateStarField(80, 80);
  if (kFlightWindow.Holds(gDistance)) RunLastFlight();
  if (kRankingWindow.Holds(gDistance)) DrawRanking();
  if (kCreditsWindow.Holds(gDistance)) DrawCredits();
  if (kPicture1Window.Holds(gDistance)) DrawFullPicture(kImgQZCG1);
  if (kPicture2Window.Holds(gDistance)) DrawFullPicture(kImgQZCG2);
  SetVSyncWait(1);
  PresentFrame();
  if (gDistance >= kEndOfTimeline) FinishEnding();
  // Space is left in the last key: held, it ends the ending on the frame it comes into.
  if (gLastKey == kSpace) FinishEnding();
}

void FinishEnding() {
  ResetGameState();
  ResetGamePools();
  ResetPlayObjects();
  ChangeStateWithTransition(kStateTitle, kStepsToTitle);
}
