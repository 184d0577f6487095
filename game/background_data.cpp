#include "game/background_data.h"

BackgroundTile gBackS1Far[kBackgroundTileCount];
BackgroundTile gBackS2Far[kBackgroundTileCount];
BackgroundTile gBackS1Near[kBackgroundTileCount];
BackgroundTile gBackS2Near[kBackgroundTileCount];
BackgroundTile gBackOverlay[kBackgroundTileCount];
Star gStars[kStarCount];
Backdrop gS1Backdrop;
