// The ending: the ship's last flight, the ranking, the credit lines and the two pictures, then back to the title.
#pragma once

void FinishEnding();
