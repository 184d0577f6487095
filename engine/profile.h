// The display profile and revision a program is built for: a set of build-time constants that each
// program links in (profiles/). The engine and the game read every size, offset and bound that
// differs between the programs from here; everything else is the same in all of them.
#pragma once

struct DisplayProfile {
  const char* program;       // "morventica-w480", ...
  int fullScreen;            // 1 full screen, 0 window
  int windowOptions;         // 1 not topmost, 2 frames go on while inactive, 4 create hidden
  int screenWidth;           // elDraw::Screen width and height (the client area in a window)
  int screenHeight;
  int screenMode;            // elDraw::Screen mode: 1 current revision, 2 earlier revision
  int imagePlacement;        // placement of every image load: 2 current, 1 earlier revision
  int clipLeft, clipTop, clipRight, clipBottom;  // sprite clip rectangle = the play field
  int fieldX;                // x origin of the play field on the screen
  int bottomBound;           // objects and bullets leave below this y
  int rightBound;            // bullets, enemies and fragments leave right of this x
  int missileRightBound;     // the player's missiles leave right of this x
  int playerMinX, playerMaxX, playerMinY, playerMaxY;  // ship position clamp
  int tallOffsetY;           // 120 in the 600-high profiles, else 0 (background strips, ranking x2)
  int bossEntryY;            // boss entrance start y (480 or 600)
  int titleX, titleY;        // title picture position
  int continueX, continueY;  // continue picture position
  int rankingOffsetY;        // ranking rows moved down by this
  int endingPictureX, endingPictureY;  // ending's full-screen pictures
  int endingGoodX;           // ending congratulation picture x (y 100)
  int creditX;               // ending credit lines x
  int earlierRevision;       // 1: frame gate, 1 life per new game, system-memory surfaces
  int newGameLives;          // 999 current, 1 earlier revision
};

// Defined by each program (profiles/) and by the test support library.
extern const DisplayProfile kProfile;
