#include "game/enemy_data.h"

Enemy gEnemies[kEnemyCount];
