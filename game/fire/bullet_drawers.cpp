#include "game/fire/bullet_drawers.h"

#include "engine/el_draw.h"

namespace {

// Rows read as the drawing rules: Plain(pool, picture, rectangle), Animated(pool, picture, cell
// width, cell height, frames), ByPlace(pool, picture, cell width, cell height, group size) ...
constexpr PoolDrawer Plain(BulletPoolId pool, ImageId image, SourceRect rect) {
  return {pool, DrawForm::Plain, image, rect, 1, {}, image};
}
constexpr PoolDrawer Animated(BulletPoolId pool, ImageId image, int w, int h, int frames) {
  return {pool, DrawForm::Animated, image, {0, 0, w, h}, frames, {}, image};
}
constexpr PoolDrawer ByPlace(BulletPoolId pool, ImageId image, int w, int h, int group) {
  return {pool, DrawForm::CellByPlace, image, {0, 0, w, h}, group, {}, image};
}
constexpr PoolDrawer Pairs(BulletPoolId pool, ImageId image, SourceRect even, SourceRect odd) {
  return {pool, DrawForm::Pairs, image, even, 2, odd, image};
}
constexpr PoolDrawer ActiveOnly(BulletPoolId pool, ImageId image, SourceRect rect,
                                ImageId lastImage) {
  return {pool, DrawForm::ActiveOnly, image, rect, 1, {}, lastImage};
}
constexpr PoolDrawer ActiveOnly(BulletPoolId pool, ImageId image, SourceRect rect) {
  return ActiveOnly(pool, image, rect, image);
}

constexpr SourceRect k30{0, 0, 30, 30};
constexpr SourceRect k20{0, 0, 20, 20};
constexpr SourceRect k16{0, 0, 16, 16};
constexpr SourceRect k39{0, 0, 39, 39};  // the 40-pixel balls are copied 39 wide and high
constexpr SourceRect k120{0, 0, 120, 120};
constexpr SourceRect k60{0, 0, 60, 60};
constexpr SourceRect kPairLeft{80, 0, 120, 40};
constexpr SourceRect kPairRight{160, 0, 200, 40};

constexpr PoolDrawer kPoolDrawers[] = {
    // Volleys.
    Animated(kPoolS1VolleyShotsA, kImgVAL201, 20, 20, 7),
    Animated(kPoolS1VolleyShotsI, kImgVAL201, 20, 20, 7),
    Plain(kPoolS1VolleyShotsB, kImgVALL301, k30),
    Plain(kPoolS1VolleyShotsC, kImgVALL301, k30),
    Plain(kPoolS1VolleyShotsD, kImgVALL301, k30),
    Plain(kPoolS1VolleyShotsE, kImgVALL301, k30),
    Plain(kPoolS1VolleyShotsF, kImgVALL301, k30),
    Plain(kPoolS1VolleyShotsG, kImgVALL301, k30),
    Plain(kPoolS1VolleyShotsH, kImgVALL301, k30),
    Plain(kPoolS1VolleyShotsJ, kImgVALL301, k30),
    Plain(kPoolS2VolleyShotsB, kImgVALL301, k30),
    Plain(kPoolS2VolleyShotsC, kImgVALL301, k30),
    Plain(kPoolS2VolleyShotsD, kImgVALL301, k30),
    Plain(kPoolS2VolleyShotsE, kImgVALL301, k30),
    Plain(kPoolS2VolleyShotsF, kImgVALL301, k30),
    Plain(kPoolS2VolleyShotsH, kImgVALL301, k30),
    Plain(kPoolS2VolleyShotsI, kImgVALL301, k30),
    Plain(kPoolS2VolleyShotsJ, kImgVALL301, k30),
    Plain(kPoolS2VolleyShotsK, kImgVALL301, k30),
    Plain(kPoolS2VolleyShotsL, kImgVALL301, k30),
    Plain(kPoolS2VolleyShotsA, kImgVALL302, k30),
    Plain(kPoolS2VolleyShotsG, kImgVALL302, k30),
    // Falling patterns, arcs, pairs and drifts.
    ByPlace(kPoolS1ArcShots, kImgVAL404, 40, 40, 7),
    Pairs(kPoolS1PairShots, kImgVAL405, kPairLeft, kPairRight),
    Pairs(kPoolS2DriftShotsA, kImgVAL405, kPairLeft, kPairRight),
    Plain(kPoolS1FallingShotsA, kImgVAL405, {120, 0, 160, 40}),
    Plain(kPoolS2FallingShotsA, kImgVAL405, {120, 0, 160, 40}),
    Plain(kPoolS2FallingShotsB, kImgVAL405, {120, 0, 160, 40}),
    Plain(kPoolS2FallingShotsC, kImgVAL405, {120, 0, 160, 40}),
    Plain(kPoolS1FallingShotsB, kImgVALL20, k20),
    Plain(kPoolS1FallingShotsC, kImgVALL20, k20),
    Plain(kPoolS1FallingShotsD, kImgVALARM11, {0, 0, 150, 180}),
    Plain(kPoolS1FallingShotsE, kImgVALARM12, {0, 0, 150, 180}),
    Plain(kPoolS2FallingShotsD, kImgVALARM70, k120),
    Plain(kPoolS2DiagonalShotsA, kImgVALARM71, k120),
    Plain(kPoolS2DiagonalShotsB, kImgVALARM72, k120),
    Plain(kPoolS2FallingShotsE, kImgVALARM73, {0, 0, 60, 120}),
    Plain(kPoolS2FallingShotsF, kImgVALARM73, {0, 0, 60, 120}),
    Plain(kPoolS2DiagonalShotsC, kImgVALARM74, k60),
    Plain(kPoolS2DiagonalShotsE, kImgVALARM74, k60),
    Plain(kPoolS2DiagonalShotsD, kImgVALARM75, k60),
    Plain(kPoolS2DiagonalShotsF, kImgVALARM75, k60),
    // Fans and drifts of stage 2.
    Animated(kPoolS2FanShotsA, kImgVAL20241, 20, 20, 24),
    Animated(kPoolS2FanShotsB, kImgVAL20241, 20, 20, 24),
    Animated(kPoolS2FanShotsC, kImgVAL20241, 20, 20, 24),
    Animated(kPoolS2FanShotsF, kImgVAL20241, 20, 20, 24),
    Animated(kPoolS2DriftShotsB, kImgVAL20241, 20, 20, 24),
    Animated(kPoolS2DriftShotsC, kImgVAL20241, 20, 20, 24),
    Plain(kPoolS2FanShotsD, kImgVALL20, k20),
    Plain(kPoolS2FanShotsE, kImgVALL20, k20),
    ByPlace(kPoolS2FanShotsG, kImgVAL402, 40, 40, 5),
    ByPlace(kPoolS2FanShotsH, kImgVAL402, 40, 40, 5),
    ByPlace(kPoolS2FanShotsI, kImgVAL402, 40, 40, 5),
    ByPlace(kPoolS2FanShotsJ, kImgVAL402, 40, 40, 5),
    // Curving salvos and the unused angle pool of stage 1: only bullets in flight.
    ActiveOnly(kPoolS2CurvingShotsA, kImgVAL3017A, k30, kImgVAL3015A),
    ActiveOnly(kPoolS2CurvingShotsB, kImgVAL3018A, k30, kImgVAL3016A),
    ActiveOnly(kPoolS1AngleShotsA, kImgVALL20, k20),
    // Aimed fans.
    Plain(kPoolS1AimedFanShotsA, kImgVALL20, k20),
    Animated(kPoolS1AimedFanShotsB, kImgVAL20241, 20, 20, 24),
    Animated(kPoolS1AimedFanShotsC, kImgVAL20241, 20, 20, 24),
    Plain(kPoolS1AimedFanShotsD, kImgVAL40L, k39),
    Plain(kPoolS2AimedFanShotsA, kImgVAL40L2, k39),
    Plain(kPoolS2AimedFanShotsB, kImgVAL40L2, k39),
    Plain(kPoolS2AimedFanShotsC, kImgVAL40L2, k39),
    Plain(kPoolS2AimedFanShotsD, kImgVAL40L2, k39),
    Plain(kPoolS2AimedFanShotsE, kImgVAL40L2, k39),
    Plain(kPoolS2AimedFanShotsF, kImgVAL40L2, k39),
    Plain(kPoolS2AimedFanShotsG, kImgVAL40L2, k39),
    // Rings, angle shots and spirals.
    Animated(kPoolS2AngleShots, kImgVAL20241, 20, 20, 24),
    Animated(kPoolS2RingShotsA, kImgVAL20241, 20, 20, 24),
    Animated(kPoolS2RingShotsB, kImgVAL20241, 20, 20, 24),
    Animated(kPoolS1AngleShotsB, kImgVAL20241, 20, 20, 24),
    Animated(kPoolS1AngleShotsC, kImgVAL20241, 20, 20, 24),
    Animated(kPoolS1AngleShotsD, kImgVAL20241, 20, 20, 24),
    Animated(kPoolS1AngleShotsE, kImgVAL20241, 20, 20, 24),
    Animated(kPoolS1AngleShotsF, kImgVAL20241, 20, 20, 24),
    Animated(kPoolS1AngleShotsG, kImgVAL20241, 20, 20, 24),
    Animated(kPoolS1SpiralShotsA, kImgVAL20241, 20, 20, 24),
    Animated(kPoolS1SpiralShotsB, kImgVAL20241, 20, 20, 24),
    Animated(kPoolS1SpiralShotsC, kImgVAL20241, 20, 20, 24),
    Animated(kPoolS1SpiralShotsD, kImgVAL20241, 20, 20, 24),
    Animated(kPoolS1SpiralShotsE, kImgVAL20241, 20, 20, 24),
    Animated(kPoolS1SpiralShotsF, kImgVAL20241, 20, 20, 24),
    // Drifts and small fans.
    Plain(kPoolS1DriftShotsA, kImgVALL20, k20),
    Plain(kPoolS1DriftShotsB, kImgVALL20, k20),
    Plain(kPoolS1SmallFanShotsA, kImgVAL12, k16),
    Plain(kPoolS1SmallFanShotsB, kImgVAL12, k16),
    Plain(kPoolS1SmallFanShotsC, kImgVAL12, k16),
    Plain(kPoolS2SmallFanShotsA, kImgVAL12, k16),
    Plain(kPoolS2SmallFanShotsB, kImgVAL12, k16),
    Plain(kPoolS2SmallFanShotsC, kImgVAL12, k16),
    Plain(kPoolS2SmallFanShotsD, kImgVAL12, k16),
    Plain(kPoolS2SmallFanShotsE, kImgVAL12, k16),
    Plain(kPoolS2SmallFanShotsF, kImgVAL12, k16),
    Plain(kPoolS2SmallFanShotsG, kImgVAL12, k16),
    Animated(kPoolS2SmallFanShotsH, kImgVAL1, 16, 16, 16),
    Animated(kPoolS2SmallFanShotsI, kImgVAL1, 16, 16, 16),
    Animated(kPoolS2SmallFanShotsJ, kImgVAL1, 16, 16, 16),
    Animated(kPoolS2SmallFanShotsK, kImgVAL1, 16, 16, 16),
    Animated(kPoolS2SmallFanShotsL, kImgVAL1, 16, 16, 16),
    Animated(kPoolS2SmallFanShotsM, kImgVAL1, 16, 16, 16),
    Animated(kPoolS2SmallFanShotsN, kImgVAL1, 16, 16, 16),
    Animated(kPoolS2SmallFanShotsO, kImgVAL1, 16, 16, 16),
    Animated(kPoolS2SmallFanShotsP, kImgVAL1, 16, 16, 16),
};

// Row number of each pool in the table, -1 for none; built at compile time so that a pool named
// twice, or a boss pool left out, stops the build.
struct DrawerIndex {
  int row[kBulletPoolCount];
  bool valid;
};
constexpr DrawerIndex BuildDrawerIndex() {
  DrawerIndex index{};
  index.valid = true;
  for (int& r : index.row) r = -1;
  int n = 0;
  for (const PoolDrawer& d : kPoolDrawers) {
    if (index.row[d.pool] != -1) index.valid = false;  // named twice
    index.row[d.pool] = n++;
  }
  for (int id = 0; id < kBulletPoolCount; ++id) {
    const bool boss = kBulletPools[id].stage != 0;
    if (boss != (index.row[id] != -1)) index.valid = false;  // boss pool missing, or an enemy pool
  }
  return index;
}
constexpr DrawerIndex kDrawerIndex = BuildDrawerIndex();
static_assert(kDrawerIndex.valid, "every boss pool has exactly one drawer row");
static_assert(sizeof kPoolDrawers / sizeof kPoolDrawers[0] == 104);

// A strip form's group or frame count must be what its pools hold: pairs alternate, arcs of 7 and
// fans of 5 fill their pools whole.
constexpr bool GroupsFit() {
  for (const PoolDrawer& d : kPoolDrawers) {
    if (d.cells < 1) return false;
    if (d.form == DrawForm::CellByPlace && kBulletPools[d.pool].count % d.cells != 0) return false;
  }
  return true;
}
static_assert(GroupsFit());

inline int ToPixel(float v) { return static_cast<int>(v); }  // truncation toward zero

void Blit(const auto& r, ImageId image, const SourceRect& s) {
  elDraw::BltObject(ToPixel(r.x), ToPixel(r.y), ImageSlot(image), s.left, s.top, s.right, s.bottom);
}

// Cell `cell` of a strip whose cell 0 is `c0`.
SourceRect Cell(const SourceRect& c0, int cell) {
  const int w = c0.right - c0.left;
  return {c0.left + cell * w, c0.top, c0.left + cell * w + w, c0.bottom};
}

template <class T>
void DrawRecords(const PoolDrawer& d, std::span<T> records) {
  const int count = static_cast<int>(records.size());
  for (int k = 0; k < count; ++k) {
    T& r = records[k];
    switch (d.form) {
      case DrawForm::Plain:
        Blit(r, d.image, d.rect);
        break;
      case DrawForm::Animated:
        Blit(r, d.image, Cell(d.rect, r.phase));
        // A reset phase may start past a short strip (phases 0 to 9, strips of 7 cells): such a
        // phase draws nothing for one frame and then wraps like any other.
        if (++r.phase >= d.cells) r.phase = 0;
        break;
      case DrawForm::CellByPlace:
        Blit(r, d.image, Cell(d.rect, k % d.cells));
        break;
      case DrawForm::Pairs:
        Blit(r, d.image, k % 2 == 0 ? d.rect : d.oddRect);
        break;
      case DrawForm::ActiveOnly:
        if (r.active == 1) Blit(r, k == count - 1 ? d.lastImage : d.image, d.rect);
        break;
    }
  }
}

}  // namespace

const PoolDrawer* FindPoolDrawer(BulletPoolId id) {
  const int row = kDrawerIndex.row[id];
  return row < 0 ? nullptr : &kPoolDrawers[row];
}

void DrawBulletPool(BulletPoolId id) {
  const PoolDrawer* d = FindPoolDrawer(id);
  if (d == nullptr) return;
  VisitPool(id, [d](auto records) { DrawRecords(*d, records); });
}
