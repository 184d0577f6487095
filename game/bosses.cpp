#include "game/bosses.h"

void MoveS1Boss() {}
void MoveS2Boss() {}
void UpdateS1Boss() {}
void UpdateS2Boss() {}
void FinishS1Boss() {}
void FinishS2Boss() {}
