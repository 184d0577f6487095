// The earlier revision in the base window.
#include "profiles/shared_screens.h"

const DisplayProfile kProfile = EarlierRevisionOf(kWindow480Profile, "morventica-r1-w480");
