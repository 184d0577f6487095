#include "game/backgrounds.h"

void ScrollBackgroundOverlay() {}
void ScrollBackgroundS1Far() {}
void ScrollBackgroundS1Near() {}
void ScrollBackgroundS2Far() {}
void ScrollBackgroundS2Near() {}
void UpdateStarField(int, int) {}
void DrawS1Backdrop() {}
