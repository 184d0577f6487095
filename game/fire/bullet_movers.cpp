#include "game/fire/bullet_movers.h"

void MoveBulletPool(BulletPoolId) {}
