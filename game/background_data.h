// Scenery: five layers of stacked 360 x 480 tiles, the star field and the stage-1 backdrop.
#pragma once

#include <cstdint>

struct BackgroundTile {
  float x, y;  // top-left corner
};
inline constexpr int kBackgroundTileCount = 5000;  // tile i starts 480 x i above the screen
extern BackgroundTile gBackS1Far[kBackgroundTileCount];
extern BackgroundTile gBackS2Far[kBackgroundTileCount];
extern BackgroundTile gBackS1Near[kBackgroundTileCount];
extern BackgroundTile gBackS2Near[kBackgroundTileCount];
extern BackgroundTile gBackOverlay[kBackgroundTileCount];

struct Star {
  int32_t colour;  // 0 to 6
  float x, y;
  float dx;        // sideways, pixels per second
  float speed;     // downward, pixels per second
};
inline constexpr int kStarCount = 100;
extern Star gStars[kStarCount];

struct Backdrop {
  float x, y;
};
extern Backdrop gS1Backdrop;  // "IMAGE/BACK/Kiti01.BMP"
