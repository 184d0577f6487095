// The player's weapons: volley cadences and their wraps, the slots and the shot sound, the motion
// laws and bounds, the muzzle flashes and the special weapon's cycle, pictures and strikes.
#include <gtest/gtest.h>

#include <vector>

#include "engine/shell.h"
#include "game/asset_list.h"
#include "game/enemy_data.h"
#include "game/item_data.h"
#include "game/game_states.h"
#include "game/player_data.h"
#include "game/player_weapons.h"
#include "game/score_data.h"
#include "game/stage_drivers.h"
#include "game/weapon_data.h"
#include "platform/user32.h"
#include "tests/support/game_driver.h"

using morv_test::GameDriver;

namespace {

constexpr float kDt = 1.0f / 64;

void Play(GameDriver& game) {
  game.Frames(1);
  game.EnterStage(1, 200.0f);
  game.PlaceShip(150.0f, 300.0f);
  game.before_frame = morv_test::HoldQuietField;
}

// The volley numbers that `calls` calls of a fire driver emit, read off the centre group's slots.
template <int N>
std::vector<int> Volleys(void (*fire)(), int calls, PlayerShot (&pool)[N]) {
  std::vector<int> out;
  for (int c = 0; c < calls; ++c) {
    fire();
    for (int k = 1; k < kGunGroupSize; ++k) {
      if (pool[k].active != 0) {
        out.push_back(c + 1);
        for (int g = 0; g < N; g += kGunGroupSize) pool[g + k].active = 0;
      }
    }
  }
  return out;
}

// Non-key pixels of `image`'s rectangle drawn at (x, y) that the presented frame shows.
int Shown(const GameDriver& game, ImageId image, int x, int y, int left, int top, int w, int h) {
  int shown = 0;
  for (int sy = 0; sy < h; ++sy) {
    for (int sx = 0; sx < w; ++sx) {
      const uint32_t want = game.SlotPixel(ImageSlot(image), left + sx, top + sy);
      if (want != 0 && game.Pixel(x + sx, y + sy) == want) ++shown;
    }
  }
  return shown;
}

int Lit(const GameDriver& game, ImageId image, int left, int top, int w, int h) {
  int lit = 0;
  for (int sy = 0; sy < h; ++sy) {
    for (int sx = 0; sx < w; ++sx) lit += game.SlotPixel(ImageSlot(image), left + sx, top + sy) != 0;
  }
  return lit;
}

}  // namespace

TEST(Cadence, GunsFireEveryFourthCallAndWrapAt100) {
  GameDriver game;
  Play(game);
  const std::vector<int> v = Volleys(FireNarrow, 12, gNarrowShots);
  EXPECT_EQ(v, (std::vector<int>{4, 8, 12}));
  EXPECT_EQ(gNarrowShots[1].y, 300 - 38);
  gNarrowCounter = 98;
  FireNarrow();
  EXPECT_EQ(gNarrowShots[25].active, 0);
  FireNarrow();  // count 100: volley 25, then 0
  EXPECT_EQ(gNarrowShots[25].active, 1);
  EXPECT_EQ(gNarrowCounter, 0);
  EXPECT_EQ(Volleys(FireWide, 8, gWideShots), (std::vector<int>{4, 8}));
  EXPECT_EQ(Volleys(FireSpread, 8, gSpreadShots), (std::vector<int>{4, 8}));
}

TEST(Cadence, TheBurstFiresEveryThirdCallAndWrapsAt147) {
  GameDriver game;
  Play(game);
  for (int c = 1; c <= 8; ++c) FireBurst();
  // Volleys 1 and 2 on calls 3 and 6; unpowered, groups 2 and 3 only.
  EXPECT_EQ(gBurstCounter, 8);
  EXPECT_EQ(gBurstShots[101].active, 1);
  EXPECT_EQ(gBurstShots[102].active, 1);
  EXPECT_EQ(gBurstShots[151].active, 1);
  EXPECT_EQ(gBurstShots[152].active, 1);
  EXPECT_EQ(gBurstShots[1].active, 0);
  EXPECT_EQ(gBurstShots[51].active, 0);
  EXPECT_EQ(gBurstShots[103].active, 0);
  EXPECT_EQ(gBurstShots[101].speed, 20);
  gWeaponPower = 1;
  gBurstCounter = 146;
  FireBurst();
  EXPECT_EQ(gBurstCounter, 0);
  for (int g = 0; g < 4; ++g) EXPECT_EQ(gBurstShots[50 * g + 49].active, 1) << g;
  EXPECT_EQ(gBurstShots[49].speed, 40);
  EXPECT_EQ(gBurstShots[49].x, 150 + 12);
  EXPECT_EQ(gBurstShots[99].x, 150 + 28);
  EXPECT_EQ(gBurstShots[199].y, 310);
}

TEST(Cadence, MissileFansTurnOneGroupEachAndPauseOncePer48Calls) {
  GameDriver game;
  Play(game);
  std::vector<int> groups;
  std::vector<int> calls;
  for (int c = 1; c <= 51; ++c) {
    FirePlayerMissiles();
    for (int g = 0; g < 8; ++g) {
      if (gPlayerMissiles[5 * g].active != 0) {
        groups.push_back(g);
        calls.push_back(c);
        for (int n = 0; n < 5; ++n) {
          ASSERT_EQ(gPlayerMissiles[5 * g + n].active, 1);
          gPlayerMissiles[5 * g + n].active = 0;
        }
      }
    }
  }
  EXPECT_EQ(groups, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 0, 1, 2, 3, 4, 5, 6, 7, 1}));
  EXPECT_EQ(calls.back(), 51);
  EXPECT_EQ(calls[14], 45);
  for (int i = 40; i < kPlayerMissileCount; ++i) EXPECT_EQ(gPlayerMissiles[i].active, 0) << i;
}

TEST(Slots, AnOccupiedSlotIsSkippedSilently) {
  GameDriver game;
  Play(game);
  gNarrowShots[1] = {7, 8, 0, 10, 1};
  gNarrowCounter = 3;
  game.ForgetSounds();
  FireNarrow();
  EXPECT_EQ(gNarrowShots[1].x, 7);
  EXPECT_EQ(gNarrowFlash, 0);
  EXPECT_EQ(game.SoundCount(gSndShot), 0);
  FireNarrow();
  FireNarrow();
  FireNarrow();
  FireNarrow();  // volley 2: free, sound and flash
  EXPECT_EQ(game.SoundCount(gSndShot), 1);
  EXPECT_EQ(gNarrowFlash, 1);
  // The burst is silent.
  for (int i = 0; i < 9; ++i) FireBurst();
  EXPECT_EQ(game.SoundCount(gSndShot), 1);
  // The spread gun sounds for its forward slot only.
  gSpreadShots[1].active = 1;
  gSpreadShots[53].active = 1;  // the rear inner left: the rear centre alone raises the flash
  gSpreadCounter = 3;
  gNarrowFlash = 0;
  FireSpread();
  EXPECT_EQ(game.SoundCount(gSndShot), 1);
  EXPECT_EQ(gSpreadShots[27].active, 1);
  EXPECT_EQ(gNarrowFlash, 1);
}

// Every gun spawner's slots, unpowered and powered, from the ship at (150, 300): position, speed,
// sideways drift, and whether the slot is filled at all.
TEST(Slots, EveryGunSlotByPowerTakesItsPlaceSpeedAndDrift) {
  GameDriver game;
  Play(game);
  struct Slot {
    const char* name;
    PlayerShot* shot;
    int x, y, speed, drift;  // unpowered; speed 0: the slot stays empty
    int px, py, pspeed, pdrift;  // powered
  };
  const Slot slots[] = {
      {"narrow centre", &gNarrowShots[3], 150, 262, 10, 0, 150, 262, 20, 0},
      {"narrow left", &gNarrowShots[29], 0, 0, 0, 0, 135, 262, 20, 4},
      {"narrow right", &gNarrowShots[55], 0, 0, 0, 0, 165, 262, 20, 4},
      {"wide centre", &gWideShots[3], 150, 262, 10, 0, 150, 262, 20, 0},
      {"wide left", &gWideShots[29], 0, 0, 0, 0, 120, 262, 20, 6},
      {"wide right", &gWideShots[55], 0, 0, 0, 0, 180, 262, 20, 6},
      {"spread forward", &gSpreadShots[3], 150, 262, 10, 0, 150, 262, 20, 0},
      {"spread rear outer left", &gSpreadShots[29], 135, 328, 10, 2, 135, 328, 20, 4},
      {"spread rear inner left", &gSpreadShots[55], 135, 328, 10, 1, 135, 328, 20, 2},
      {"spread rear centre", &gSpreadShots[81], 150, 328, 10, 0, 150, 328, 20, 0},
      {"spread rear inner right", &gSpreadShots[107], 165, 328, 10, 1, 165, 328, 20, 2},
      {"spread rear outer right", &gSpreadShots[133], 165, 328, 10, 2, 165, 328, 20, 4},
  };
  for (int power : {0, 1}) {
    for (const Slot& s : slots) *s.shot = PlayerShot{0, 0, 0, 0, 0};
    for (BeamFrame& b : gBeamFrames) b.active = 0;
    gWeaponPower = power;
    SpawnNarrowShots(3, 29, 55);
    SpawnWideShots(3, 29, 55);
    SpawnSpreadShots(3, 29, 55, 81, 107, 133);
    for (const Slot& s : slots) {
      const int speed = power != 0 ? s.pspeed : s.speed;
      const char* how = power != 0 ? " powered" : " unpowered";
      EXPECT_EQ(s.shot->active, speed != 0 ? 1 : 0) << s.name << how;
      if (speed == 0) continue;
      EXPECT_EQ(s.shot->x, power != 0 ? s.px : s.x) << s.name << how;
      EXPECT_EQ(s.shot->y, power != 0 ? s.py : s.y) << s.name << how;
      EXPECT_EQ(s.shot->speed, speed) << s.name << how;
      EXPECT_EQ(s.shot->drift, power != 0 ? s.pdrift : s.drift) << s.name << how << " drift";
    }
    // The powered narrow gun switches on every beam frame.
    for (const BeamFrame& b : gBeamFrames) EXPECT_EQ(b.active, power) << "beam frames";
  }
}

TEST(Motion, GunShotsMoveInsideTheHitTestsAndLeaveByTheirVerticalBounds) {
  GameDriver game;
  Play(game);
  gNarrowShots[30] = {-100, 0, 4, 10, 1};     // left group, far off the side
  gSpreadShots[140] = {50, 470, 2, 10, 1};    // rear outer right
  gSpreadShots[90] = {50, 465, 2, 10, 1};     // rear centre
  gWideShots[60] = {100, -50, 6, 20, 1};      // right group, leaving upward
  game.FixedFrames(1, kDt);
  EXPECT_EQ(gNarrowShots[30].x, -104);
  EXPECT_EQ(gNarrowShots[30].y, -10);
  EXPECT_EQ(gNarrowShots[30].active, 1);
  EXPECT_EQ(gSpreadShots[140].x, 52);
  EXPECT_EQ(gSpreadShots[140].y, 480);
  EXPECT_EQ(gSpreadShots[140].active, 1);
  EXPECT_EQ(gSpreadShots[90].x, 50);
  EXPECT_EQ(gSpreadShots[90].y, 475);
  EXPECT_EQ(gWideShots[60].active, 0);
  EXPECT_EQ(gWideShots[60].x, 5000);
  EXPECT_EQ(gWideShots[60].y, 5000);
  game.FixedFrames(1, kDt);
  EXPECT_EQ(gSpreadShots[140].active, 0);
  EXPECT_EQ(gSpreadShots[140].x, 5000);
}

TEST(Motion, BurstShotsFollowTheirBands) {
  EXPECT_EQ(BurstBandStep(0, 0.0f).dx, -6);
  EXPECT_EQ(BurstBandStep(1, 3.0f).dx, 6);
  EXPECT_EQ(BurstBandStep(0, 3.5f).dy, 0);  // between two bands: still
  EXPECT_EQ(BurstBandStep(0, 3.5f).dx, 0);
  EXPECT_EQ(BurstBandStep(0, 4.0f).dy, -3);
  EXPECT_EQ(BurstBandStep(3, 16.0f).dx, -1);
  EXPECT_EQ(BurstBandStep(0, 200.0f).dx, 5);
  EXPECT_EQ(BurstBandStep(2, 200.0f).dx, 3);
  EXPECT_EQ(BurstBandStep(3, 250.0f).dx, -3);
}

// One very long frame carries the band timer past the last band: the shot keeps that band's step
// and flies off, instead of standing on the field for good.
TEST(Motion, ABurstShotPastTheLastBandKeepsItsStep) {
  GameDriver game;
  Play(game);
  gBurstShots[10] = {100, 300, 20, 199.0f, 1};
  gBurstShots[110] = {100, 300, 20, 249.0f, 1};
  game.FixedFrames(1, 10.0f);
  EXPECT_EQ(gBurstShots[10].bandTimer, 399.0f);
  EXPECT_EQ(gBurstShots[10].x, 105);
  EXPECT_EQ(gBurstShots[10].y, 294);
  EXPECT_EQ(gBurstShots[110].x, 103);
  EXPECT_EQ(gBurstShots[110].y, 294);
  gBurstShots[10].y = -55;
  game.FixedFrames(1, kDt);
  EXPECT_EQ(gBurstShots[10].active, 0);
  EXPECT_EQ(gBurstShots[10].bandTimer, 0.0f);
}

TEST(Motion, MissilesLeaveAtTheProfilesBounds) {
  GameDriver game;
  Play(game);
  // Heading 0 with speed -30 moves exactly 30 to the left.
  gPlayerMissiles[50] = {470, 200, -30, 1, 0.0f};  // to 440: stays
  gPlayerMissiles[51] = {471, 200, -30, 1, 0.0f};  // to 441: leaves
  gPlayerMissiles[52] = {-50, 200, -30, 1, 0.0f};  // to -80: stays
  gPlayerMissiles[53] = {-51, 200, -30, 1, 0.0f};  // to -81: leaves
  game.FixedFrames(1, kDt);
  EXPECT_EQ(gPlayerMissiles[50].active, 1);
  EXPECT_EQ(gPlayerMissiles[50].x, 440);
  EXPECT_EQ(gPlayerMissiles[51].active, 0);
  EXPECT_EQ(gPlayerMissiles[51].x, -500);
  EXPECT_EQ(gPlayerMissiles[51].y, 500);
  EXPECT_EQ(gPlayerMissiles[52].active, 1);
  EXPECT_EQ(gPlayerMissiles[52].x, -80);
  EXPECT_EQ(gPlayerMissiles[53].active, 0);
}

TEST(Motion, MissileSevenFliesDownAndMissile25Up) {
  GameDriver game;
  Play(game);
  SpawnPlayerMissile(7);
  SpawnPlayerMissile(25);
  EXPECT_EQ(gPlayerMissiles[7].x, 140);
  EXPECT_EQ(gPlayerMissiles[7].y, 290);
  MovePlayerMissiles();
  EXPECT_EQ(gPlayerMissiles[7].x, 140);
  EXPECT_GE(gPlayerMissiles[7].y, 290 + 29);
  EXPECT_EQ(gPlayerMissiles[25].x, 140);
  EXPECT_LE(gPlayerMissiles[25].y, 290 - 29);
}

// The flashes go with loop index 0 of their pools, so they show though record 0 never flies.
TEST(Flashes, EachGunsFlashShowsOnceAtTheShip) {
  GameDriver game;
  Play(game);
  game.FixedFrames(1, kDt);
  gWideFlash = 1;
  game.FixedFrames(1, kDt);
  EXPECT_EQ(gWideFlash, 0);
  // Rows above the ship only: the ship is drawn over the flash's lower part.
  const int lit = Lit(game, kImgFLHST2, 0, 0, 70, 15);
  ASSERT_GT(lit, 20);
  EXPECT_EQ(Shown(game, kImgFLHST2, 145, 285, 0, 0, 70, 15), lit);
  game.FixedFrames(1, kDt);
  EXPECT_LT(Shown(game, kImgFLHST2, 145, 285, 0, 0, 70, 15), lit);

  gWeaponPower = 1;
  gSpreadFlash = 1;
  game.FixedFrames(1, kDt);
  EXPECT_EQ(gSpreadFlash, 0);
  EXPECT_EQ(Shown(game, kImgFLHST2, 145, 285, 0, 0, 70, 15), lit);
  const int litLeft = Lit(game, kImgFLHST22, 0, 0, 32, 70);  // left of the ship
  ASSERT_GT(litLeft, 0);
  EXPECT_EQ(Shown(game, kImgFLHST22, 118, 305, 0, 0, 32, 70), litLeft);

  gNarrowFlash = 1;
  game.FixedFrames(1, kDt);
  EXPECT_EQ(gNarrowFlash, 0);
  const int litNarrow = Lit(game, kImgFLHST12, 0, 0, 70, 15);
  ASSERT_GT(litNarrow, 20);
  EXPECT_EQ(Shown(game, kImgFLHST12, 145, 285, 0, 0, 70, 15), litNarrow);
}

TEST(Drawing, ShotsDrawOnlyForShipType1InPlayLevels1And2) {
  GameDriver game;
  Play(game);
  gNarrowShots[60] = {200, 150, 4, 0, 1};  // right group, speed 0: stays put
  game.FixedFrames(2, kDt);
  const int lit = Lit(game, kImgSFLH8, 0, 0, 60, 60);
  ASSERT_GT(lit, 20);
  EXPECT_EQ(Shown(game, kImgSFLH8, 204, 150, 0, 0, 60, 60), lit);
  gPlayLevel = 3;
  gNarrowShots[60].x = 200;
  game.FixedFrames(2, kDt);
  EXPECT_LT(Shown(game, kImgSFLH8, 204, 150, 0, 0, 60, 60), lit / 2);
}

TEST(SpecialWeapon, An81FrameCycleWithBothColumnsOnTheirOwnFrames) {
  GameDriver game;
  Play(game);
  gWeaponPower = 1;
  SpawnNarrowShots(1, 27, 53);
  // Count 41: the right column's first picture at frame 16 (x + 30, y - 170).
  const int lit = Lit(game, kImgMYRCL51G, 0, 0, 120, 280);
  ASSERT_GT(lit, 50);
  game.FixedFrames(1, kDt);
  ASSERT_EQ(gBeamCounter, 1);
  EXPECT_EQ(gBeamFrames[0].x, 60);
  EXPECT_EQ(gBeamFrames[31].x, 180);
  EXPECT_EQ(gBeamFrames[31].y, 130);
  EXPECT_EQ(Shown(game, kImgMYRCL51G, 60, 130, 0, 0, 120, 280), lit);
  game.FixedFrames(39, kDt);
  ASSERT_EQ(gBeamCounter, 40);
  game.FixedFrames(1, kDt);
  EXPECT_EQ(Shown(game, kImgMYRCL51G, 180, 130, 0, 0, 120, 280), lit);
  game.FixedFrames(39, kDt);
  EXPECT_EQ(gBeamCounter, 80);
  game.FixedFrames(1, kDt);
  EXPECT_EQ(gBeamCounter, 0);
  game.FixedFrames(1, kDt);
  EXPECT_EQ(gBeamCounter, 1);
  // Without the power the counter waits where it is.
  gWeaponPower = 0;
  game.FixedFrames(5, kDt);
  EXPECT_EQ(gBeamCounter, 1);
}

TEST(SpecialWeapon, StrikesOnCounts15_16_55_56WithEveryFrameOfAColumn) {
  GameDriver game;
  Play(game);
  gWeaponPower = 1;
  SpawnNarrowShots(1, 27, 53);
  gNarrowShots[1].active = gNarrowShots[27].active = gNarrowShots[53].active = 0;
  game.PlaceShip(150.0f, 200.0f);
  // The left column's strike point is (x - 90 + 120, y - 170 + 4) = (180, 34), the right one's
  // (300, 34). An enemy is reached from y -10 on.
  // A struck enemy explodes and is gone 20 frames later, dropping a coin: the targets are placed
  // afresh before each column's strikes, and the coins are kept off the field.
  auto place = [] {
    gEnemies[4] = Enemy{};
    gEnemies[4].x = 100.0f;  // box 100 to 180 x -11 to 69: holds the point, but above y -10
    gEnemies[4].y = -11.0f;
    gEnemies[5] = Enemy{};
    gEnemies[5].x = 180.0f;  // box 180 to 260 x -10 to 70
    gEnemies[5].y = -10.0f;
    gEnemies[6] = Enemy{};
    gEnemies[6].x = 220.0f;  // box 220 to 300 x 0 to 80
    gEnemies[6].y = 0.0f;
  };
  game.before_frame = [] {
    morv_test::HoldQuietField();
    for (Coin& c : gDroppedCoins) c = Coin{};
  };
  place();
  const int score0 = gScore;
  std::vector<int> strikes;
  for (int f = 1; f <= 81; ++f) {
    if (f == 40) place();
    const int before = gScore;
    game.FixedFrames(1, kDt);
    if (gScore != before) strikes.push_back(gBeamCounter * 100000 + (gScore - before));
    if (f == 16 || f == 56) {
      EXPECT_EQ(gEnemies[4].hit, 0);
      EXPECT_EQ(gEnemies[5].hit, 1);
      EXPECT_EQ(gEnemies[6].hit, 1);
    }
  }
  // Every strike frame tests all 32 frames: 16 of them, 500 each, on each of the two enemies.
  EXPECT_EQ(strikes, (std::vector<int>{1500000 + 16000, 1600000 + 16000, 5500000 + 16000,
                                       5600000 + 16000}));
  EXPECT_EQ(gScore - score0, 64000);
}
