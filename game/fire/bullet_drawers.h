// The drawers of the boss-bullet pools.
#pragma once

#include "game/fire/bullet_data.h"

void DrawBulletPool(BulletPoolId id);
