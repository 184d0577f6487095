// The head-up display: the score panel, and the ranking the ending shows.
#pragma once

void DrawScorePanel();
void DrawRanking();
