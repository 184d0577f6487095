// The drawers of the 104 boss-bullet pools: one table row per pool (its drawing form, picture and
// source rectangle or cells) and one routine per form. The regular enemies' two pools are drawn per
// enemy slot instead (enemy_shots.h).
#pragma once

#include <cstdint>

#include "game/asset_list.h"
#include "game/fire/bullet_data.h"

enum class DrawForm : uint8_t {
  Plain,        // every record, one fixed rectangle
  Animated,     // every record, cell `phase` of a strip; the phase steps once per drawn frame
  CellByPlace,  // every record, cell (index mod group size) of a strip
  Pairs,        // every record, even indices one rectangle, odd indices another
  ActiveOnly,   // only records in flight, one fixed rectangle; the last record may show its own picture
};

struct SourceRect {
  int left, top, right, bottom;  // right and bottom exclusive
};

// How one pool is drawn. For the strip forms `rect` is cell 0 (cell i lies i cell widths to the
// right); `cells` is the strip's frame count (animated) or the group size (cell by place).
struct PoolDrawer {
  BulletPoolId pool;
  DrawForm form;
  ImageId image;
  SourceRect rect;
  int cells;
  SourceRect oddRect;  // pairs: the right bullet's rectangle
  ImageId lastImage;   // active only: the picture of the pool's last record
};

// The row of a boss pool; nullptr for the regular enemies' pools.
const PoolDrawer* FindPoolDrawer(BulletPoolId id);

// Draws every record of the pool by its row (nothing for the regular enemies' pools).
void DrawBulletPool(BulletPoolId id);
