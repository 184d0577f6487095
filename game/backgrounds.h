// The scenery: five scrolling layers of tiles, the star field and the stage-1 backdrop.
#pragma once

void ScrollBackgroundOverlay();
void ScrollBackgroundS1Far();
void ScrollBackgroundS1Near();
void ScrollBackgroundS2Far();
void ScrollBackgroundS2Near();
// A star that passes the bottom is reborn with speed rand() % modulus + base.
void UpdateStarField(int modulus, int base);
void DrawS1Backdrop();
