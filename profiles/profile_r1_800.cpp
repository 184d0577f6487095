// The earlier revision in 800 x 600 full screen.
#include "profiles/shared_screens.h"

const DisplayProfile kProfile = EarlierRevisionOf(kFullScreen800Profile, "morventica-r1-800");
