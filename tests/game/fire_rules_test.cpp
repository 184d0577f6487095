// The rules every enemy bullet shares: the aim angle's quadrants and single-precision steps, the
// inclusive hit window and every boss pool's own, flight along and against a heading in
// single-precision products.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/shell.h"
#include "game/fire/bullet_data.h"
#include "game/fire/bullet_movers.h"
#include "game/fire/fire_rules.h"
#include "game/player_data.h"
#include "tests/game/fire_movers_fixture.h"

TEST(FireAimAngle, EachQuadrantTheVerticalsAndAFloatQuotient) {
  EXPECT_EQ(fire::AimAngle(3.0f, 4.0f), 0.927295208f);
  EXPECT_EQ(fire::AimAngle(3.0f, -4.0f), -0.927295208f);
  EXPECT_EQ(fire::AimAngle(-3.0f, 4.0f), 2.21429753f);  // turned half a circle
  EXPECT_EQ(fire::AimAngle(-3.0f, -4.0f), 4.06888771f);
  EXPECT_EQ(fire::AimAngle(-7.0f, 0.0f), 3.14159274f);
  // Straight below: pi/2; straight above, or the target on the launch point: 3pi/2.
  EXPECT_EQ(fire::AimAngle(0.0f, 5.0f), 1.5707964f);
  EXPECT_EQ(fire::AimAngle(0.0f, -5.0f), 4.71238899f);
  EXPECT_EQ(fire::AimAngle(0.0f, 0.0f), 4.71238899f);
  // 3 / 10 rounded to a float first: the arc tangent of the exact 0.3 would give 0.291456789.
  EXPECT_EQ(fire::AimAngle(10.0f, 3.0f), 0.291456819f);
}

TEST(FireHitWindow, EveryBoundCounts) {
  gPlayerX = 100.0f;
  gPlayerY = 200.0f;
  const fire::HitWindow w{-10.0f, 30.0f, 20.0f, 30.0f};
  EXPECT_TRUE(fire::InHitWindow(w, 90.0f, 220.0f));
  EXPECT_TRUE(fire::InHitWindow(w, 130.0f, 230.0f));
  EXPECT_FALSE(fire::InHitWindow(w, 89.99f, 220.0f));
  EXPECT_FALSE(fire::InHitWindow(w, 130.01f, 220.0f));
  EXPECT_FALSE(fire::InHitWindow(w, 110.0f, 219.99f));
  EXPECT_FALSE(fire::InHitWindow(w, 110.0f, 230.01f));
}

TEST(FireFlight, AlongAndAgainstInSinglePrecisionProducts) {
  AimedShot s{};
  s.angle = -2.84732485f;
  s.speed = 377.0f;
  s.x = 3.31377792f;
  s.y = 200.0f;
  fire::FlyAlong(s, 1.0f / 64);
  EXPECT_EQ(s.x, -2.32363701f);  // the products in double would give -2.32363725
  EXPECT_EQ(s.y, 198.291489f);
  s.x = 3.31377792f;
  s.y = 200.0f;
  fire::FlyAgainst(s, 1.0f / 64);
  EXPECT_EQ(s.x, 8.95119286f);
  EXPECT_EQ(s.y, 201.708511f);
}

// ---- Every boss pool's hit window, row by row ----

namespace {

struct WindowRow {
  struct {
    float lx, hx, ly, hy;
  } window;     // dx from lx to hx, dy from ly to hy; all four bounds hit
  bool tested;  // false: the pool's bullets pass through the ship
  std::vector<const char*> pools;
};

// Whether one record of `pool`, standing still at (dx, dy) from the ship, hits it in one pass.
bool Hits(BulletPoolId pool, float dx, float dy) {
  ResetBulletPool(pool);
  gPlayerAlive = 1;
  VisitPool(pool, [&](auto records) {
    records[0].x = gPlayerX + dx;
    records[0].y = gPlayerY + dy;
    records[0].active = 1;
  });
  MoveBulletPool(pool);
  return gPlayerAlive == 0;
}

}  // namespace

class EveryPoolsHitWindow : public fire_test::MoverTest {};

TEST_F(EveryPoolsHitWindow, EachMoverHitsOnItsFourBoundsAndNotPastThem) {
  gFrameTime = 0.0f;  // nothing moves: each record is tested where it was put
  const WindowRow rows[] = {
      {{0, 20, 0, 20}, true,
       {"S1FallingShotsA", "S2FallingShotsC", "S1PairShots", "S2DriftShotsA", "S2FanShotsG",
        "S2FanShotsH", "S2FanShotsI", "S2FanShotsJ"}},
      {{10, 30, 20, 30}, true,
       {"S1FallingShotsB", "S1FallingShotsC", "S2FanShotsA", "S2FanShotsB", "S2FanShotsC",
        "S2FanShotsD", "S2FanShotsE", "S2FanShotsF", "S2DriftShotsB", "S2DriftShotsC",
        "S1DriftShotsA", "S1DriftShotsB", "S1VolleyShotsA", "S1VolleyShotsI", "S1AngleShotsA",
        "S1AimedFanShotsA", "S1AimedFanShotsB", "S1AimedFanShotsC", "S2AngleShots",
        "S2RingShotsA", "S2RingShotsB", "S1AngleShotsB", "S1AngleShotsC", "S1AngleShotsD",
        "S1AngleShotsE", "S1AngleShotsF", "S1AngleShotsG", "S1SpiralShotsA", "S1SpiralShotsB",
        "S1SpiralShotsC", "S1SpiralShotsD", "S1SpiralShotsE", "S1SpiralShotsF"}},
      {{-10, 30, 0, 30}, true,
       {"S2FallingShotsA", "S2FallingShotsB", "S1ArcShots", "S1AimedFanShotsD",
        "S2AimedFanShotsA", "S2AimedFanShotsB", "S2AimedFanShotsC", "S2AimedFanShotsD",
        "S2AimedFanShotsE", "S2AimedFanShotsF", "S2AimedFanShotsG"}},
      {{-120, 30, -140, 30}, true, {"S1FallingShotsD", "S1FallingShotsE"}},
      {{-90, 30, -80, 30}, true, {"S2FallingShotsD"}},
      {{-30, 30, -80, 30}, true, {"S2FallingShotsE", "S2FallingShotsF"}},
      {{14, 30, 24, 30}, true,
       {"S1SmallFanShotsA", "S1SmallFanShotsB", "S1SmallFanShotsC", "S2SmallFanShotsA",
        "S2SmallFanShotsB", "S2SmallFanShotsC", "S2SmallFanShotsD", "S2SmallFanShotsE",
        "S2SmallFanShotsF", "S2SmallFanShotsG", "S2SmallFanShotsH", "S2SmallFanShotsI",
        "S2SmallFanShotsJ", "S2SmallFanShotsK", "S2SmallFanShotsL", "S2SmallFanShotsM",
        "S2SmallFanShotsN", "S2SmallFanShotsO", "S2SmallFanShotsP"}},
      {{0, 30, 10, 30}, true,
       {"S1VolleyShotsB", "S1VolleyShotsC", "S1VolleyShotsD", "S1VolleyShotsE", "S1VolleyShotsF",
        "S1VolleyShotsG", "S1VolleyShotsH", "S1VolleyShotsJ", "S2VolleyShotsA", "S2VolleyShotsB",
        "S2VolleyShotsC", "S2VolleyShotsD", "S2VolleyShotsE", "S2VolleyShotsF", "S2VolleyShotsG",
        "S2VolleyShotsH", "S2VolleyShotsI", "S2VolleyShotsJ", "S2VolleyShotsK", "S2VolleyShotsL",
        "S2CurvingShotsA", "S2CurvingShotsB"}},
      {{0, 30, 0, 30}, false,
       {"S2DiagonalShotsA", "S2DiagonalShotsB", "S2DiagonalShotsC", "S2DiagonalShotsD",
        "S2DiagonalShotsE", "S2DiagonalShotsF"}},
  };
  int covered = 0;
  for (const WindowRow& row : rows) {
    const auto [lx, hx, ly, hy] = row.window;
    const float mx = (lx + hx) / 2, my = (ly + hy) / 2;
    const struct {
      float dx, dy;
      bool inside;
    } probes[] = {{lx, ly, true},         {hx, hy, true},         {lx, hy, true},
                  {hx, ly, true},         {lx - 0.5f, my, false}, {hx + 0.5f, my, false},
                  {mx, ly - 0.5f, false}, {mx, hy + 0.5f, false}};
    for (const char* name : row.pools) {
      BulletPoolId pool = kPoolEnemyShots;
      for (int p = 0; p < kBulletPoolCount; ++p) {
        if (std::string(kBulletPools[p].name) == name) pool = BulletPoolId(p);
      }
      ASSERT_NE(pool, kPoolEnemyShots) << "no pool " << name;
      ++covered;
      for (const auto& p : probes) {
        EXPECT_EQ(Hits(pool, p.dx, p.dy), row.tested && p.inside)
            << "hit window of " << name << " at (" << p.dx << ", " << p.dy << ")";
      }
    }
  }
  EXPECT_EQ(covered, 104);  // every boss pool once
}
