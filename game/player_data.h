// The player ship: position, velocity, lives, the destruction and recovery state, the polled ship
// keys and the 80 fragments of the ship's explosion.
#pragma once

#include <cstdint>

extern float gPlayerX, gPlayerY;    // top-left corner of the 60 x 70 ship picture
extern float gPlayerVX, gPlayerVY;  // pixels per second
extern int gPlayerAlive;            // 1 while the ship can be hit; a hit writes 0
extern int gPlayerRecovering;       // 1 during the recovery after a destruction or a continue
extern int gRecoveryTimer;          // frames of the current recovery
extern int gLives;
extern int gJetFrame;               // jet-flame cell 0 to 2
// Kept only for the reset, which sets it to 0; the key polling never reads or writes it.
extern int gPlayerFacing;
extern int gShipCellKeyboard;       // ship picture cell under keyboard control (always 3)
// Kept only for the reset, which sets it to 0; under mouse control the ship draws the keyboard cell.
extern int gShipCellMouse;

// The ship keys, each a four-state key record, in this order.
enum PlayerKey : int {
  kPadLeft, kPadRight, kPadUp, kPadDown, kPadC, kPadShift, kPadV, kPadCtrl, kPadB, kPadN, kPadM,
  kPlayerKeyCount
};
extern int gPlayerKeys[kPlayerKeyCount];

// One piece of the ship's explosion: five rings of 16 (ring r = records 16r to 16r + 15).
struct PlayerFragment {
  float x, y;        // parked at (-500, 2550)
  float heading;     // radians
  float speed;       // pixels per second
  int32_t launched;
  int32_t cellColumn;
  int32_t cellRow;
  int32_t animStep;
  int32_t ringTimer;
  int32_t phaseCounter;
};
inline constexpr int kPlayerFragmentCount = 80;
extern PlayerFragment gPlayerFragments[kPlayerFragmentCount];
