// The movers of the boss-bullet pools: one step of every record of a pool, with the hit test against the ship.
#pragma once

#include "game/fire/bullet_data.h"

void MoveBulletPool(BulletPoolId id);
