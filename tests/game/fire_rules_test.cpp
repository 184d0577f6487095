// The rules every enemy bullet shares: the aim angle's quadrants and single-precision steps, the
// inclusive hit window, flight along and against a heading in single-precision products.
#include <gtest/gtest.h>

#include "game/fire/bullet_data.h"
#include "game/fire/fire_rules.h"
#include "game/player_data.h"

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
