#include "game/hud.h"

void DrawScorePanel() {}
void DrawRanking() {}
