#include "game/player_data.h"

float gPlayerX, gPlayerY;
float gPlayerVX, gPlayerVY;
int gPlayerAlive;
int gPlayerRecovering;
int gRecoveryTimer;
int gLives;
int gJetFrame;
int gPlayerFacing;
int gShipCellKeyboard;
int gShipCellMouse;
int gPlayerKeys[kPlayerKeyCount];
PlayerFragment gPlayerFragments[kPlayerFragmentCount];
