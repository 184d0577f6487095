// The head-up display: the score panel, and the ranking the ending shows.
#pragma once

void DrawScorePanel();
void DrawRanking();

// The ranking's seven rows from the top: the fixed scores, the first one that the high score or
// the score reaches replaced by the high score.
inline constexpr int kRankingRows = 7;
void BuildRanking(int (&rows)[kRankingRows]);
