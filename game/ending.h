// The ending: the ship's last flight, the ranking, the credit lines and the two pictures, then back to the title.
#pragma once

// Frame routine of the ending state (declared with the other state routines in engine/shell.h).
void RunEnding();
// Resets the game and goes back to the title behind the break-up transition.
void FinishEnding();

// The ending's credit lines, top to bottom.
inline constexpr int kCreditLineCount = 7;
extern const char* const kCreditLines[kCreditLineCount];
