// 800 x 600 full screen, current revision: the play field is the 360 columns from x 220, black
// on both sides, and 600 rows tall.
#include "profiles/shared_screens.h"

const DisplayProfile kProfile = kFullScreen800Profile;
