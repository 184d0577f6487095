// The base profile: a 360 x 480 window, current revision.
#include "profiles/shared_screens.h"

const DisplayProfile kProfile = kWindow480Profile;
