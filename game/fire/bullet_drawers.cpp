#include "game/fire/bullet_drawers.h"

void DrawBulletPool(BulletPoolId) {}
