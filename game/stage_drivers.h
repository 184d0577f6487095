// The frame routines of the two stages, the continue prompt and the game-over check.
#pragma once

extern float gDistance;          // stage progress: 20 units per second in stage 1, 18 in stage 2
extern int gStageFrameCounter;   // frames since the reset; 1 starts the stage music
extern int gS1AutoFire;          // stage 1's auto-fire flag
extern int gGameOver;
extern int gInPlay;
extern int gGameOverCountdown;
extern float gGameOverTimer;     // seconds

// Lives a continue gives.
inline constexpr int kContinueLives = 111;
// Narrow-gun shots the continue prompt takes off the field.
inline constexpr int kPromptFreedShots = 39;

void RunS1Frame();
void RunS2Frame();
void ShowContinuePrompt();
void CheckLifeAndGameOver();
