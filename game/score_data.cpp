#include "game/score_data.h"

int gScore;
int gHighScore;
