// The game's four states, the one way a state is changed, the key commands that work everywhere
// and the title screen.
#pragma once

enum GameState : int {
  kStateNone = 0,  // before the asset loader has run
  kStateTitle = 1,
  kStateStage1 = 2,
  kStateStage2 = 3,
  kStateEnding = 4,
};

// Lengths, in frames, of the break-up transition into each state.
inline constexpr int kStepsToStage1 = 26;
inline constexpr int kStepsToStage2 = 30;
inline constexpr int kStepsToEnding = 60;
inline constexpr int kStepsToTitle = 60;
inline constexpr int kTransitionBreakUp = 3;

extern int gPaused;          // 1 while play is frozen
extern int gContinuePrompt;  // 1 while the continue picture is up
extern int gMouseControl;    // 1: the ship follows the pointer
extern int gKeyboardControl; // 1: the arrow keys steer
extern int gNoDeath;         // 1: hits do not destroy the ship
extern int gShipType;        // 0 on the title, 1 in a game
extern int gPlayLevel;
extern int gScoreMode, gScoreMode2;
extern int gOverlayBlend;    // 1: the overlay layer is drawn additively
extern int gTitleCounter;

// Changes to `state` behind the break-up transition of `steps` frames: the back buffer (still the
// last presented picture) becomes the snapshot the transition breaks up. The caller runs its resets
// first.
void ChangeStateWithTransition(int state, int steps);
// Back to the title at once: no snapshot, no transition.
void ChangeStateToTitle();

void HandleKeyDown(int virtualKey);
void RunTitle();
void RunTitleKeys();
