// Score and high score. Both are capped at 999,999,999; the high score starts at 500 with every run
// of the program and survives every reset.
#pragma once

extern int gScore;
extern int gHighScore;
