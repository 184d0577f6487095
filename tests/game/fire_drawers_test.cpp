// The boss pools' drawers through real stage frames: every pool parked after the resets, the cells
// each form shows, truncation toward zero, free records that show nothing, and animation phases
// that step on every drawn frame and wrap.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "engine/el_draw.h"
#include "game/asset_list.h"
#include "game/fire/bullet_drawers.h"
#include "game/resets.h"
#include "platform/ddraw.h"
#include "tests/game/fire_pictures.h"

using fire_test::Differ;
using fire_test::Shown;
using morv_test::GameDriver;

namespace {

constexpr float kFrame = 1.0f / 64;

template <class T>
void PlaceAt(T& r, float x, float y, int active = 0) {
  r.x = x;
  r.y = y;
  r.active = active;
}
SourceRect Cell(int w, int h, int i) { return {i * w, 0, i * w + w, h}; }
template <class T>
bool ShownAt(const GameDriver& game, ImageId image, const SourceRect& s, const T& r) {
  return Shown(game, ImageSlot(image), s, static_cast<int>(r.x), static_cast<int>(r.y));
}

std::vector<int> AllPhases() {
  std::vector<int> phases;
  for (int id = 0; id < kBulletPoolCount; ++id) {
    VisitPool(BulletPoolId(id), [&](auto records) {
      for (const auto& r : records) phases.push_back(r.phase);
    });
  }
  return phases;
}

}  // namespace

TEST(FirePools, EveryRecordParkedAfterTheResetsWithItsPhaseInRange) {
  GameDriver game;
  game.StartGame();
  ResetGameState();  // as a stage change runs them, before a frame steps any phase
  ResetGamePools();
  for (int id = 0; id < kBulletPoolCount; ++id) {
    const int phases = kBulletPools[id].type == ShotType::Angle ? 7 : 10;
    std::set<int> seen;
    VisitPool(BulletPoolId(id), [&](auto records) {
      for (const auto& r : records) {
        EXPECT_EQ(r.x, -500.0f) << kBulletPools[id].name;
        EXPECT_EQ(r.y, 2550.0f) << kBulletPools[id].name;
        EXPECT_EQ(r.active, 0) << kBulletPools[id].name;
        EXPECT_GE(r.phase, 0) << kBulletPools[id].name << " " << r.phase;
        EXPECT_LT(r.phase, phases) << kBulletPools[id].name << " " << r.phase;
        seen.insert(r.phase);
      }
    });
    if (kBulletPools[id].count >= 50) {
      EXPECT_GE(seen.size(), 5u) << kBulletPools[id].name;
    }
  }
}

TEST(FireDrawerTable, EveryCellLiesOnItsLoadedPicture) {
  GameDriver game;
  for (int id = 0; id < kBulletPoolCount; ++id) {
    const PoolDrawer* d = FindPoolDrawer(BulletPoolId(id));
    ASSERT_EQ(d == nullptr, kBulletPools[id].stage == 0) << kBulletPools[id].name;
    if (d == nullptr) continue;
    const int w = d->rect.right - d->rect.left;
    const bool strip = d->form == DrawForm::Animated || d->form == DrawForm::CellByPlace;
    const SourceRect last = strip ? Cell(w, d->rect.bottom, d->cells - 1) : d->rect;
    const SourceRect odd = d->form == DrawForm::Pairs ? d->oddRect : d->rect;
    for (const auto& [image, r] : {std::pair{d->image, last}, {d->image, odd}, {d->lastImage, d->rect}}) {
      const IDirectDrawSurface* s = gDrawObjects[ImageSlot(image)].surface;
      ASSERT_NE(s, nullptr) << kPictureRows[image].file;
      EXPECT_LE(r.right, s->width) << kBulletPools[id].name;
      EXPECT_LE(r.bottom, s->height) << kBulletPools[id].name;
    }
  }
}

TEST(FireDrawers, PositionsTruncateTowardZero) {
  GameDriver game;
  game.EnterStage(1, 0.0f);
  game.PlaceShip(150.0f, 100.0f);
  PlaceAt(pools::S1FallingShotsB[0], -0.5f, 150.9f);
  PlaceAt(pools::S1FallingShotsB[1], -1.5f, 250.2f);
  game.FixedFrames(1, kFrame);
  const int slot = ImageSlot(kImgVALL20);
  EXPECT_TRUE(Shown(game, slot, {0, 0, 20, 20}, 0, 150));
  EXPECT_TRUE(Shown(game, slot, {0, 0, 20, 20}, -1, 250));
  EXPECT_FALSE(Shown(game, slot, {0, 0, 20, 20}, 0, 250));
}

// The same frames run three times: free records placed where a careless drawer would show them
// leave the picture as it is; one bullet in flight changes it.
TEST(FireDrawers, FreeAndParkedRecordsShowNothing) {
  std::vector<uint8_t> pictures[3];
  for (int run = 0; run < 3; ++run) {
    GameDriver game;
    game.EnterStage(1, 0.0f);
    game.PlaceShip(150.0f, 100.0f);
    if (run == 1) {
      PlaceAt(pools::S1AngleShotsA[3], 100.0f, 200.0f);     // drawn only in flight
      PlaceAt(pools::S1VolleyShotsB[0], 365.0f, 200.0f);    // a volley freed off the field
      PlaceAt(pools::S1AimedFanShotsD[0], -40.0f, 250.0f);  // 39 wide: its last column at -1
    }
    if (run == 2) PlaceAt(pools::S1AngleShotsA[3], 100.0f, 200.0f, 1);
    pools::S1AngleShotsA[3].speed = 0.0f;
    game.FixedFrames(2, kFrame);
    pictures[run] = game.Picture();
  }
  EXPECT_TRUE(pictures[0] == pictures[1]);
  EXPECT_FALSE(pictures[0] == pictures[2]);
}

TEST(FireDrawers, AnimatedPhasesStepOnEveryDrawnFrameAndWrap) {
  GameDriver game;
  game.EnterStage(1, 0.0f);
  game.PlaceShip(150.0f, 100.0f);
  pools::S1SpiralShotsA[0].phase = 23;
  PlaceAt(pools::S1SpiralShotsA[0], 100.0f, 200.0f);
  pools::S1SpiralShotsA[1].phase = 5;
  PlaceAt(pools::S1SpiralShotsA[1], 150.0f, 200.0f);
  pools::S1VolleyShotsA[0].phase = 9;  // a reset phase past the volley's 7-cell strip
  PlaceAt(pools::S1VolleyShotsA[0], 200.0f, 250.0f);
  std::vector<int> before = AllPhases();
  game.FixedFrames(1, kFrame);
  ASSERT_TRUE(Differ(game, ImageSlot(kImgVAL20241), Cell(20, 20, 23), Cell(20, 20, 5)));
  EXPECT_TRUE(ShownAt(game, kImgVAL20241, Cell(20, 20, 23), pools::S1SpiralShotsA[0]));
  EXPECT_TRUE(ShownAt(game, kImgVAL20241, Cell(20, 20, 5), pools::S1SpiralShotsA[1]));
  EXPECT_EQ(pools::S1SpiralShotsA[0].phase, 0);
  EXPECT_EQ(pools::S1VolleyShotsA[0].phase, 0);
  // Every record of every animated stage-1 pool, parked ones included, steps once a frame.
  for (int frame = 0; frame < 30; ++frame) {
    const std::vector<int> after = AllPhases();
    size_t i = 0;
    for (int id = 0; id < kBulletPoolCount; ++id) {
      const PoolDrawer* d = FindPoolDrawer(BulletPoolId(id));
      const bool steps = d != nullptr && d->form == DrawForm::Animated && kBulletPools[id].stage == 1;
      for (int k = 0; k < kBulletPools[id].count; ++k, ++i) {
        const int want = !steps ? before[i] : (before[i] + 1 >= d->cells ? 0 : before[i] + 1);
        ASSERT_EQ(after[i], want) << kBulletPools[id].name << " record " << k;
      }
    }
    before = after;
    game.FixedFrames(1, kFrame);
  }
}

TEST(FireDrawers, CellsByPlaceThePairsAndTheCurvingSalvosLastPicture) {
  GameDriver game;
  game.EnterStage(2, 0.0f);
  game.PlaceShip(150.0f, 100.0f);
  for (int k = 0; k < 20; ++k) {
    PlaceAt(pools::S2DriftShotsA[k], 10.0f + (k % 7) * 48.0f, 120.0f + (k / 7) * 50.0f);
  }
  for (int k = 5; k < 10; ++k) PlaceAt(pools::S2FanShotsG[k], 10.0f + (k - 5) * 60.0f, 270.0f);
  for (int k = 0; k < 7; ++k) {
    PlaceAt(pools::S2CurvingShotsA[k], 10.0f + k * 48.0f, 350.0f, k == 3 ? 0 : 1);
    pools::S2CurvingShotsA[k].speed = 0.0f;
  }
  game.FixedFrames(1, kFrame);
  // Positions as the frame left them: the pools' own drift moves free records too.
  const SourceRect left{80, 0, 120, 40}, right{160, 0, 200, 40};
  ASSERT_TRUE(Differ(game, ImageSlot(kImgVAL405), left, right));
  for (int k = 0; k < 20; ++k) {
    EXPECT_TRUE(ShownAt(game, kImgVAL405, k % 2 == 0 ? left : right, pools::S2DriftShotsA[k])) << k;
  }
  for (int k = 5; k < 10; ++k) {
    ASSERT_TRUE(Differ(game, ImageSlot(kImgVAL402), Cell(40, 40, k - 5), Cell(40, 40, (k - 4) % 5)));
    EXPECT_TRUE(ShownAt(game, kImgVAL402, Cell(40, 40, k - 5), pools::S2FanShotsG[k])) << k;
  }
  for (int k = 0; k < 7; ++k) {
    const ImageId image = k == 6 ? kImgVAL3015A : kImgVAL3017A;
    EXPECT_EQ(ShownAt(game, image, {0, 0, 30, 30}, pools::S2CurvingShotsA[k]), k != 3) << k;
  }
}
