// The rules every enemy bullet shares: the aim angle's quadrants and its single-precision steps,
// the inclusive hit window, flight along and against a heading, parking.
#include <gtest/gtest.h>

#include "game/fire/bullet_data.h"
#include "game/fire/fire_rules.h"
#include "game/player_data.h"

TEST(FireAimAngle, EachQuadrantAndTheVerticals) {
  EXPECT_EQ(fire::AimAngle(3.0f, 4.0f), 0.927295208f);
  EXPECT_EQ(fire::AimAngle(3.0f, -4.0f), -0.927295208f);
  EXPECT_EQ(fire::AimAngle(-3.0f, 4.0f), 2.21429753f);   // turned half a circle
  EXPECT_EQ(fire::AimAngle(-3.0f, -4.0f), 4.06888771f);
  EXPECT_EQ(fire::AimAngle(7.0f, 0.0f), 0.0f);
  EXPECT_EQ(fire::AimAngle(-7.0f, 0.0f), 3.14159274f);
  // Straight below: pi/2; straight above, or the target on the launch point: 3pi/2.
  EXPECT_EQ(fire::AimAngle(0.0f, 5.0f), 1.5707964f);
  EXPECT_EQ(fire::AimAngle(0.0f, -5.0f), 4.71238899f);
  EXPECT_EQ(fire::AimAngle(0.0f, 0.0f), 4.71238899f);
  EXPECT_EQ(fire::AimAngle(-0.0f, 5.0f), 1.5707964f);
}

TEST(FireAimAngle, TheQuotientIsSinglePrecision) {
  // 3 / 10 rounded to a float first: the arc tangent of the exact 0.3 would give 0.291456789.
  EXPECT_EQ(fire::AimAngle(10.0f, 3.0f), 0.291456819f);
}

TEST(FireHitWindow, EveryBoundCounts) {
  gPlayerX = 100.0f;
  gPlayerY = 200.0f;
  const fire::HitWindow w{10.0f, 30.0f, 20.0f, 30.0f};
  EXPECT_TRUE(fire::InHitWindow(w, 110.0f, 220.0f));
  EXPECT_TRUE(fire::InHitWindow(w, 130.0f, 230.0f));
  EXPECT_TRUE(fire::InHitWindow(w, 110.0f, 230.0f));
  EXPECT_TRUE(fire::InHitWindow(w, 130.0f, 220.0f));
  EXPECT_FALSE(fire::InHitWindow(w, 109.99f, 220.0f));
  EXPECT_FALSE(fire::InHitWindow(w, 130.01f, 220.0f));
  EXPECT_FALSE(fire::InHitWindow(w, 110.0f, 219.99f));
  EXPECT_FALSE(fire::InHitWindow(w, 110.0f, 230.01f));
  // Negative bounds reach above and left of the ship's corner.
  const fire::HitWindow big{-120.0f, 30.0f, -140.0f, 30.0f};
  EXPECT_TRUE(fire::InHitWindow(big, -20.0f, 60.0f));
  EXPECT_FALSE(fire::InHitWindow(big, -20.5f, 60.0f));
}

TEST(FireFlight, AlongAndAgainstInSinglePrecisionProducts) {
  AimedShot s{};
  s.angle = -2.84732485f;
  s.speed = 377.0f;
  s.x = 3.31377792f;
  s.y = 200.0f;
  fire::FlyAlong(s, 1.0f / 64);
  // The products in double would give x -2.32363725.
  EXPECT_EQ(s.x, -2.32363701f);
  EXPECT_EQ(s.y, 198.291489f);
  s.x = 3.31377792f;
  s.y = 200.0f;
  fire::FlyAgainst(s, 1.0f / 64);
  EXPECT_EQ(s.x, 8.95119286f);
  EXPECT_EQ(s.y, 201.708511f);
}

TEST(FireFlight, StraightDownMovesOnlyDown) {
  CurvingShot c{};
  c.angle = 1.5707964f;
  c.speed = 64.0f;
  c.x = 100.0f;
  c.y = 200.0f;
  fire::FlyAlong(c, 1.0f / 64);
  EXPECT_EQ(c.x, 100.0f);
  EXPECT_EQ(c.y, 201.0f);
}

TEST(FireParking, AFreeRecordWaitsOffTheFieldWithItsOtherFields) {
  RingShot r{};
  r.active = 1;
  r.x = 12.0f;
  r.y = 34.0f;
  r.speed = 99.0f;
  r.phase = 5;
  fire::Park(r);
  EXPECT_EQ(r.active, 0);
  EXPECT_EQ(r.x, -500.0f);
  EXPECT_EQ(r.y, 2550.0f);
  EXPECT_EQ(r.speed, 99.0f);
  EXPECT_EQ(r.phase, 5);
}
