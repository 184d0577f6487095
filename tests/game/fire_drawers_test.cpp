// The boss pools' drawers through real stage frames: every pool parked after the resets, the
// pictures and cells each form shows, truncation toward zero, parked and free records that show
// nothing, and animation phases that step on every drawn frame and wrap.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "engine/el_draw.h"
#include "game/asset_list.h"
#include "game/fire/bullet_data.h"
#include "game/fire/bullet_drawers.h"
#include "game/resets.h"
#include "platform/ddraw.h"
#include "tests/game/fire_pictures.h"
#include "tests/support/game_driver.h"

using fire_test::Differ;
using fire_test::Probe;
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

// Every phase of every pool, in pool order.
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
  // The resets as a stage change runs them, before any frame draws (and steps) a pool.
  ResetGameState();
  ResetGamePools();
  for (int id = 0; id < kBulletPoolCount; ++id) {
    const int phases = kBulletPools[id].type == ShotType::Angle ? 7 : 10;
    std::set<int> seen;
    VisitPool(BulletPoolId(id), [&](auto records) {
      for (const auto& r : records) {
        ASSERT_EQ(r.x, -500.0f) << kBulletPools[id].name;
        ASSERT_EQ(r.y, 2550.0f) << kBulletPools[id].name;
        ASSERT_EQ(r.active, 0) << kBulletPools[id].name;
        ASSERT_GE(r.phase, 0) << kBulletPools[id].name;
        ASSERT_LT(r.phase, phases) << kBulletPools[id].name;
        seen.insert(r.phase);
      }
    });
    // Each record draws its own phase: a large pool shows many of them.
    if (kBulletPools[id].count >= 50) {
      EXPECT_GE(seen.size(), 5u) << kBulletPools[id].name;
    }
  }
}

TEST(FireDrawerTable, EveryCellLiesOnItsLoadedPicture) {
  GameDriver game;
  int rows = 0;
  for (int id = 0; id < kBulletPoolCount; ++id) {
    const PoolDrawer* d = FindPoolDrawer(BulletPoolId(id));
    if (kBulletPools[id].stage == 0) {
      EXPECT_EQ(d, nullptr);
      continue;
    }
    ASSERT_NE(d, nullptr) << kBulletPools[id].name;
    ++rows;
    std::vector<std::pair<ImageId, SourceRect>> used = {{d->image, d->rect}};
    const int w = d->rect.right - d->rect.left;
    if (d->form == DrawForm::Animated || d->form == DrawForm::CellByPlace) {
      used.push_back({d->image, {(d->cells - 1) * w, 0, d->cells * w, d->rect.bottom}});
    }
    if (d->form == DrawForm::Pairs) used.push_back({d->image, d->oddRect});
    if (d->form == DrawForm::ActiveOnly) used.push_back({d->lastImage, d->rect});
    for (const auto& [image, r] : used) {
      const IDirectDrawSurface* s = gDrawObjects[ImageSlot(image)].surface;
      ASSERT_NE(s, nullptr) << kImageFiles[image];
      EXPECT_LE(r.right, s->width) << kBulletPools[id].name << " " << kImageFiles[image];
      EXPECT_LE(r.bottom, s->height) << kBulletPools[id].name << " " << kImageFiles[image];
    }
  }
  EXPECT_EQ(rows, 104);
}

TEST(FireDrawers, PositionsTruncateTowardZero) {
  GameDriver game;
  game.EnterStage(1, 0.0f);
  game.PlaceShip(150.0f, 100.0f);
  PlaceAt(pools::S1FallingShotsB[0], -0.5f, 150.9f);
  PlaceAt(pools::S1FallingShotsB[1], -1.5f, 250.2f);
  PlaceAt(pools::S1FallingShotsB[2], 200.99f, 350.5f);
  game.FixedFrames(1, kFrame);
  const int slot = ImageSlot(kImgVALL20);
  const SourceRect ball{0, 0, 20, 20};
  EXPECT_TRUE(Probe(game, slot, ball, 0, 150).shown());
  EXPECT_TRUE(Probe(game, slot, ball, -1, 250).shown());
  EXPECT_FALSE(Probe(game, slot, ball, 0, 250).shown());
  EXPECT_TRUE(Probe(game, slot, ball, 200, 350).shown());
  EXPECT_FALSE(Probe(game, slot, ball, 201, 351).shown());
}

// Two runs of the same frames, one with free records placed where a careless drawer would show
// them: the pictures must be the same.
TEST(FireDrawers, FreeAndParkedRecordsShowNothing) {
  std::vector<uint8_t> plain, placed, flying;
  {
    GameDriver game;
    game.EnterStage(1, 0.0f);
    game.PlaceShip(150.0f, 100.0f);
    game.FixedFrames(2, kFrame);
    plain = game.Picture();
  }
  {
    GameDriver game;
    game.EnterStage(1, 0.0f);
    game.PlaceShip(150.0f, 100.0f);
    PlaceAt(pools::S1AngleShotsA[3], 100.0f, 200.0f);     // drawn only in flight
    PlaceAt(pools::S1VolleyShotsB[0], 365.0f, 200.0f);    // a volley freed off the field
    PlaceAt(pools::S1VolleyShotsB[1], 100.0f, -31.0f);
    PlaceAt(pools::S1AimedFanShotsD[0], -40.0f, 250.0f);  // 39 wide: its last column is at -1
    game.FixedFrames(2, kFrame);
    placed = game.Picture();
  }
  {
    GameDriver game;
    game.EnterStage(1, 0.0f);
    game.PlaceShip(150.0f, 100.0f);
    AngleShot& r = pools::S1AngleShotsA[3];
    PlaceAt(r, 100.0f, 200.0f, 1);
    r.speed = 0.0f;
    game.FixedFrames(2, kFrame);
    flying = game.Picture();
    EXPECT_TRUE(Probe(game, ImageSlot(kImgVALL20), {0, 0, 20, 20}, 100, 200).shown());
  }
  ASSERT_FALSE(plain.empty());
  EXPECT_TRUE(plain == placed);
  EXPECT_FALSE(plain == flying);
}

TEST(FireDrawers, AnimatedPhasesStepOnEveryDrawnFrameAndWrap) {
  GameDriver game;
  game.EnterStage(1, 0.0f);
  game.PlaceShip(150.0f, 100.0f);
  pools::S1SpiralShotsA[0].phase = 23;
  PlaceAt(pools::S1SpiralShotsA[0], 100.0f, 200.0f);
  pools::S1SpiralShotsA[1].phase = 5;
  PlaceAt(pools::S1SpiralShotsA[1], 150.0f, 200.0f);
  // A phase from the reset's range 0 to 9 past the volley's 7-cell strip.
  pools::S1VolleyShotsA[0].phase = 9;
  PlaceAt(pools::S1VolleyShotsA[0], 200.0f, 250.0f);
  std::vector<int> before = AllPhases();
  game.FixedFrames(1, kFrame);
  const int strip = ImageSlot(kImgVAL20241);
  ASSERT_TRUE(Differ(game, strip, Cell(20, 20, 23), Cell(20, 20, 5)));
  EXPECT_TRUE(Probe(game, strip, Cell(20, 20, 23), 100, 200).shown());
  EXPECT_TRUE(Probe(game, strip, Cell(20, 20, 5), 150, 200).shown());
  EXPECT_EQ(pools::S1SpiralShotsA[0].phase, 0);
  EXPECT_EQ(pools::S1SpiralShotsA[1].phase, 6);
  EXPECT_EQ(pools::S1VolleyShotsA[0].phase, 0);

  // Every record of every animated stage-1 pool, parked ones included, stepped once; nothing else.
  for (int frame = 0; frame < 30; ++frame) {
    const std::vector<int> after = AllPhases();
    size_t i = 0;
    for (int id = 0; id < kBulletPoolCount; ++id) {
      const PoolDrawer* d = FindPoolDrawer(BulletPoolId(id));
      const bool steps = d != nullptr && d->form == DrawForm::Animated && kBulletPools[id].stage == 1;
      for (int k = 0; k < kBulletPools[id].count; ++k, ++i) {
        const int want = !steps ? before[i] : (before[i] + 1 >= d->cells ? 0 : before[i] + 1);
        ASSERT_EQ(after[i], want) << kBulletPools[id].name << " record " << k << " frame " << frame;
      }
    }
    before = after;
    game.FixedFrames(1, kFrame);
  }
  // The volley's bullet came round to cell 0 of its own strip and goes on from there.
  pools::S1VolleyShotsA[0].phase = 0;
  game.FixedFrames(1, kFrame);
  EXPECT_TRUE(Probe(game, ImageSlot(kImgVAL201), Cell(20, 20, 0), 200, 250).shown());
  EXPECT_EQ(pools::S1VolleyShotsA[0].phase, 1);
}

TEST(FireDrawers, CellsByPlaceAndThePairsTwoRectangles) {
  GameDriver game;
  game.EnterStage(1, 0.0f);
  game.PlaceShip(150.0f, 100.0f);
  for (int k = 0; k < 20; ++k) {
    PlaceAt(pools::S1PairShots[k], 10.0f + (k % 7) * 48.0f, 120.0f + (k / 7) * 50.0f);
  }
  for (int k = 0; k < 7; ++k) PlaceAt(pools::S1ArcShots[k], 10.0f + k * 48.0f, 300.0f);
  game.FixedFrames(1, kFrame);
  const int pair = ImageSlot(kImgVAL405);
  const SourceRect left{80, 0, 120, 40}, right{160, 0, 200, 40};
  ASSERT_TRUE(Differ(game, pair, left, right));
  for (int k = 0; k < 20; ++k) {
    // Positions as the frame left them (the pool's own drift moves free records too).
    const PatternShot& r = pools::S1PairShots[k];
    const int x = static_cast<int>(r.x), y = static_cast<int>(r.y);
    EXPECT_TRUE(Probe(game, pair, k % 2 == 0 ? left : right, x, y).shown()) << "pair bullet " << k;
  }
  const int arc = ImageSlot(kImgVAL404);
  for (int k = 0; k < 7; ++k) {
    const PatternShot& r = pools::S1ArcShots[k];
    ASSERT_TRUE(Differ(game, arc, Cell(40, 40, k), Cell(40, 40, (k + 1) % 7)));
    EXPECT_TRUE(Probe(game, arc, Cell(40, 40, k), static_cast<int>(r.x), static_cast<int>(r.y))
                    .shown())
        << "arc bullet " << k;
  }
}

TEST(FireDrawers, StageTwoFansAndTheCurvingSalvosLastPicture) {
  GameDriver game;
  game.EnterStage(2, 0.0f);
  game.PlaceShip(150.0f, 100.0f);
  for (int k = 5; k < 10; ++k) PlaceAt(pools::S2FanShotsG[k], 10.0f + (k - 5) * 60.0f, 150.0f);
  for (int k = 0; k < 7; ++k) {
    CurvingShot& c = pools::S2CurvingShotsA[k];
    PlaceAt(c, 10.0f + k * 48.0f, 350.0f, k == 3 ? 0 : 1);
    c.speed = 0.0f;
  }
  game.FixedFrames(1, kFrame);
  const int fan = ImageSlot(kImgVAL402);
  for (int k = 5; k < 10; ++k) {
    const PatternShot& r = pools::S2FanShotsG[k];
    EXPECT_TRUE(Probe(game, fan, Cell(40, 40, k - 5), static_cast<int>(r.x), static_cast<int>(r.y))
                    .shown())
        << "fan bullet " << k;
  }
  const int body = ImageSlot(kImgVAL3017A), last = ImageSlot(kImgVAL3015A);
  const SourceRect ball{0, 0, 30, 30};
  for (int k = 0; k < 7; ++k) {
    const CurvingShot& c = pools::S2CurvingShotsA[k];
    const int x = static_cast<int>(c.x), y = static_cast<int>(c.y);
    if (k == 3) {
      EXPECT_FALSE(Probe(game, body, ball, x, y).shown()) << "a free curving bullet is not drawn";
    } else {
      EXPECT_TRUE(Probe(game, k == 6 ? last : body, ball, x, y).shown()) << "curving bullet " << k;
    }
  }
}
