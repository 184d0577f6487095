// The two screens the earlier revision was also built for, shared by the current-revision program
// and the earlier-revision program of each screen: the earlier revision differs only in its name,
// its screen mode, its surface placement and the lives of a new game.
#pragma once

#include "engine/profile.h"

inline constexpr DisplayProfile kWindow480Profile = {
    .program = "morventica-w480",
    .fullScreen = 0,
    .windowOptions = 3,
    .screenWidth = 360,
    .screenHeight = 480,
    .screenMode = 1,
    .imagePlacement = 2,
    .clipLeft = 0,
    .clipTop = 0,
    .clipRight = 360,
    .clipBottom = 480,
    .fieldX = 0,
    .bottomBound = 480,
    .rightBound = 360,
    .missileRightBound = 440,
    .playerMinX = 0,
    .playerMaxX = 300,
    .playerMinY = 100,
    .playerMaxY = 420,
    .tallOffsetY = 0,
    .bossEntryY = 480,
    .titleX = 0,
    .titleY = 0,
    .continueX = 80,
    .continueY = 190,
    .rankingOffsetY = 0,
    .endingPictureX = 0,
    .endingPictureY = 0,
    .endingGoodX = 30,
    .creditX = 60,
    .earlierRevision = 0,
    .newGameLives = 999,
};

inline constexpr DisplayProfile kFullScreen800Profile = {
    .program = "morventica-800",
    .fullScreen = 1,
    .windowOptions = 0,
    .screenWidth = 800,
    .screenHeight = 600,
    .screenMode = 1,
    .imagePlacement = 2,
    .clipLeft = 220,
    .clipTop = 0,
    .clipRight = 580,
    .clipBottom = 600,
    .fieldX = 220,
    .bottomBound = 600,
    .rightBound = 800,
    .missileRightBound = 880,
    .playerMinX = 220,
    .playerMaxX = 520,
    .playerMinY = 220,
    .playerMaxY = 540,
    .tallOffsetY = 120,
    .bossEntryY = 600,
    .titleX = 220,
    .titleY = 60,
    .continueX = 300,
    .continueY = 190,
    .rankingOffsetY = 60,
    .endingPictureX = 220,
    .endingPictureY = 120,
    .endingGoodX = 250,
    .creditX = 280,
    .earlierRevision = 0,
    .newGameLives = 999,
};

// The earlier revision on the same screen: frames behind the frame gate, one life per new game,
// surfaces in system memory.
constexpr DisplayProfile EarlierRevisionOf(DisplayProfile p, const char* program) {
  p.program = program;
  p.screenMode = 2;
  p.imagePlacement = 1;
  p.earlierRevision = 1;
  p.newGameLives = 1;
  return p;
}
