// The ship: keys and mouse, the clamps, the stage-1 gate, the destruction with its lives and
// sound, the recovery, the no-death option and the continue that the lives running out bring.
#include <gtest/gtest.h>

#include "engine/el_system.h"
#include "engine/shell.h"
#include "game/asset_list.h"
#include "game/game_states.h"
#include "game/player_data.h"
#include "game/stage_drivers.h"
#include "game/weapon_data.h"
#include "platform/user32.h"
#include "tests/support/game_driver.h"

using morv_test::GameDriver;

namespace {

constexpr float kDt = 1.0f / 64;  // 160 px/s is then 2.5 px a frame, exactly

// Keys held together over `frames` exact frames, then released.
void HoldKeys(GameDriver& game, std::initializer_list<int> keys, int frames) {
  for (int vk : keys) game.Press(vk);
  game.FixedFrames(frames, kDt);
  for (int vk : keys) game.Release(vk);
  game.Drain();
}

// Stage 1 past the gate, ship at the start position.
void Play(GameDriver& game) {
  game.Frames(1);
  game.EnterStage(1, 200.0f);
  game.PlaceShip(150.0f, 300.0f);
  game.before_frame = morv_test::HoldQuietField;
}

}  // namespace

TEST(ShipKeys, AOneFramePressNeitherMovesNorFires) {
  GameDriver game;
  Play(game);
  HoldKeys(game, {VK_RIGHT, VK_SHIFT, 'N'}, 1);
  game.FixedFrames(3, kDt);
  EXPECT_EQ(gPlayerX, 150.0f);
  EXPECT_EQ(gNarrowCounter, 0);
  EXPECT_EQ(gBurstCounter, 0);
  // Held: the first frame is the press, each later one moves 2.5 and fires.
  HoldKeys(game, {VK_RIGHT, VK_SHIFT}, 5);
  EXPECT_EQ(gPlayerX, 160.0f);
  EXPECT_EQ(gNarrowCounter, 4);
}

TEST(ShipKeys, AMouseButtonFiresOnItsFirstFrame) {
  GameDriver game;
  Play(game);
  game.MouseDown(1);
  game.FixedFrames(1, kDt);
  EXPECT_EQ(gNarrowCounter, 1);
  EXPECT_EQ(gSpreadCounter, 0);
  game.MouseUp(1);
  game.Drain();  // one host event at a time: Drain stops once the host has none left
  game.MouseDown(2);
  game.FixedFrames(1, kDt);
  EXPECT_EQ(gNarrowCounter, 1);
  EXPECT_EQ(gSpreadCounter, 1);
}

TEST(ShipKeys, RightAndDownWinWhenBothDirectionsAreHeld) {
  GameDriver game;
  Play(game);
  HoldKeys(game, {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN}, 3);
  EXPECT_EQ(gPlayerX, 155.0f);
  EXPECT_EQ(gPlayerY, 305.0f);
  game.FixedFrames(2, kDt);  // released, then up: the next press starts afresh
  HoldKeys(game, {VK_LEFT, VK_UP}, 3);
  EXPECT_EQ(gPlayerX, 150.0f);
  EXPECT_EQ(gPlayerY, 300.0f);
}

TEST(ShipKeys, TwoTriggersOfOneGunAdvanceItTwice) {
  GameDriver game;
  Play(game);
  HoldKeys(game, {VK_SHIFT, 'C'}, 3);
  EXPECT_EQ(gNarrowCounter, 4);  // two held frames, two calls each
  HoldKeys(game, {VK_CONTROL, 'B', 'V', 'M'}, 2);
  EXPECT_EQ(gSpreadCounter, 2);
  EXPECT_EQ(gWideCounter, 1);
  EXPECT_EQ(gMissileCounter, 1);
}

TEST(ShipKeys, TheClampsHoldExactly) {
  GameDriver game;
  Play(game);
  game.PlaceShip(299.0f, 419.0f);
  HoldKeys(game, {VK_RIGHT, VK_DOWN}, 4);
  EXPECT_EQ(gPlayerX, 300.0f);
  EXPECT_EQ(gPlayerY, 420.0f);
  game.PlaceShip(1.0f, 101.0f);
  HoldKeys(game, {VK_LEFT, VK_UP}, 4);
  EXPECT_EQ(gPlayerX, 0.0f);
  EXPECT_EQ(gPlayerY, 100.0f);
}

TEST(ShipKeys, InStage1TheShipNeitherMovesNorFiresBeforeDistance150) {
  GameDriver game;
  game.Frames(1);
  game.EnterStage(1, 140.0f);
  game.PlaceShip(150.0f, 300.0f);
  HoldKeys(game, {VK_RIGHT, VK_SHIFT}, 20);  // 20 frames of 1/64 s: distance 146.25
  ASSERT_LT(gDistance, 150.0f);
  EXPECT_EQ(gPlayerX, 150.0f);
  EXPECT_EQ(gNarrowCounter, 0);
  gDistance = 150.0f;
  HoldKeys(game, {VK_RIGHT, VK_SHIFT}, 3);
  EXPECT_EQ(gPlayerX, 155.0f);
  EXPECT_EQ(gNarrowCounter, 2);
}

TEST(ShipMouse, TheShipFollowsThePointerAndMovesOutsideTheWindowAreIgnored) {
  GameDriver game;
  game.Frames(1);
  game.Tap('M');
  game.EnterStage(1, 200.0f);
  game.MoveMouse(200, 250);
  game.FixedFrames(1, kDt);
  EXPECT_EQ(gPlayerX, 170.0f);
  EXPECT_EQ(gPlayerY, 220.0f);
  // A drag past the left edge: the host goes on reporting, the window hears nothing.
  game.MouseDown(1);
  game.MoveMouse(-5, 250);
  game.FixedFrames(1, kDt);
  EXPECT_EQ(gMouseX, 200);
  EXPECT_EQ(gPlayerX, 170.0f);
  game.MoveMouse(100, 480);
  game.FixedFrames(1, kDt);
  EXPECT_EQ(gMouseY, 250);
  // Near the corner the pointer puts the ship beyond the clamp, the movement step pulls it back.
  game.MoveMouse(359, 479);
  game.FixedFrames(1, kDt);
  EXPECT_EQ(gPlayerX, 300.0f);
  EXPECT_EQ(gPlayerY, 420.0f);
}

TEST(ShipDestruction, SixteenLivesGoOnTheExplosionsFortiethFrame) {
  GameDriver game;
  Play(game);
  gWeaponPower = 1;
  game.ForgetSounds();
  const int start = game.frame_count();
  gPlayerAlive = 0;
  game.FixedFrames(1, kDt);
  EXPECT_EQ(gWeaponPower, 0);
  int launched = 0;
  for (const PlayerFragment& f : gPlayerFragments) launched += f.launched;
  EXPECT_EQ(launched, 16);
  game.FixedFrames(38, kDt);
  EXPECT_EQ(gLives, 999);
  game.FixedFrames(1, kDt);  // the 40th
  EXPECT_EQ(gLives, 983);
  game.FixedFrames(9, kDt);
  EXPECT_EQ(gPlayerAlive, 0);
  EXPECT_EQ(gPlayerRecovering, 0);
  game.FixedFrames(1, kDt);  // the 50th ends the explosion
  EXPECT_EQ(gPlayerAlive, 1);
  EXPECT_EQ(gPlayerRecovering, 1);
  // The explosion's sound starts on each of its 50 frames, and only then.
  const std::vector<GameDriver::SoundStart> sounds = game.Sounds();
  ASSERT_EQ(sounds.size(), 50u);
  for (int i = 0; i < 50; ++i) {
    EXPECT_EQ(sounds[i].sound, gSndBom);
    EXPECT_EQ(sounds[i].frame, start + i);
  }
  game.FixedFrames(5, kDt);
  EXPECT_EQ(game.SoundCount(gSndBom), 50);
  EXPECT_EQ(gLives, 983);
}

TEST(ShipDestruction, RecoveryEnds249FramesAfterItStartsAndAHitOnlyDelaysIt) {
  GameDriver game;
  Play(game);
  gPlayerAlive = 0;
  game.FixedFrames(50, kDt);
  ASSERT_EQ(gPlayerRecovering, 1);
  game.FixedFrames(248, kDt);
  EXPECT_EQ(gPlayerRecovering, 1);
  EXPECT_EQ(gRecoveryTimer, 248);
  game.FixedFrames(1, kDt);
  EXPECT_EQ(gPlayerRecovering, 0);
  EXPECT_EQ(gRecoveryTimer, 0);
  for (const PlayerFragment& f : gPlayerFragments) {
    const int i = static_cast<int>(&f - gPlayerFragments);
    ASSERT_EQ(f.x, -500.0f) << i;
    ASSERT_EQ(f.y, 2550.0f) << i;
    ASSERT_EQ(f.launched, 0) << i;
    ASSERT_EQ(f.ringTimer, 0) << i;
    ASSERT_EQ(f.phaseCounter, 0) << i;
    ASSERT_EQ(f.heading, -0.0523599f) << i;
  }

  // A second destruction; a hit half-way through the recovery costs it one frame and nothing else.
  gPlayerAlive = 0;
  game.FixedFrames(50 + 100, kDt);
  ASSERT_EQ(gRecoveryTimer, 100);
  gWeaponPower = 1;
  const int ringTimer = gPlayerFragments[0].ringTimer;
  game.ForgetSounds();
  gPlayerAlive = 0;
  game.FixedFrames(1, kDt);
  // The hit is undone: no step of an explosion (its sound, the power lost, the fragments' timers).
  EXPECT_EQ(gPlayerAlive, 1) << "a hit during recovery is undone";
  EXPECT_EQ(gRecoveryTimer, 100);
  EXPECT_EQ(gWeaponPower, 1) << "a hit during recovery is undone";
  EXPECT_EQ(game.SoundCount(gSndBom), 0) << "a hit during recovery is undone";
  EXPECT_EQ(gPlayerFragments[0].ringTimer, ringTimer) << "a hit during recovery is undone";
  game.FixedFrames(148, kDt);
  EXPECT_EQ(gPlayerRecovering, 1);
  game.FixedFrames(1, kDt);
  EXPECT_EQ(gPlayerRecovering, 0);
  EXPECT_EQ(gLives, 999 - 32);
}

// "T" in the middle of a destruction resets every fragment, its phase counter too: a counter
// kept through the reset would climb by one per cut-short destruction, and from the 251st on no
// explosion would end (ship untouchable, power held at 0, the explosion sound every frame).
TEST(ShipDestruction, ADestructionCutShortByTLeavesNoCountForTheNextToEndOn) {
  GameDriver game;
  Play(game);
  for (int cut = 0; cut < 3; ++cut) {
    gPlayerAlive = 0;
    game.FixedFrames(49, kDt);
    ASSERT_EQ(gPlayerRecovering, 0) << cut;
    game.FixedFrames(1, kDt);
    ASSERT_EQ(gPlayerRecovering, 1) << "destruction " << cut << " did not end on its 50th frame";
    game.Tap('T');  // still recovering: the recovery's end has not reset the fragments
    for (const PlayerFragment& f : gPlayerFragments) ASSERT_EQ(f.phaseCounter, 0) << cut;
    game.StartGame();
  }
}

TEST(ShipDestruction, NoDeathNeverCostsALife) {
  GameDriver game;
  game.Frames(1);
  game.Tap('O');
  game.EnterStage(1, 200.0f);
  ASSERT_EQ(gNoDeath, 1);
  game.ForgetSounds();
  gPlayerAlive = 0;
  game.FixedFrames(120, kDt);
  EXPECT_EQ(gLives, 999);
  EXPECT_EQ(gPlayerAlive, 0);  // untouchable for the rest of the game
  EXPECT_EQ(gPlayerRecovering, 0);
  EXPECT_EQ(game.SoundCount(gSndBom), 0);
}

TEST(ShipDestruction, TheSeventhFrom111LeavesMinusOneAndRaisesThePromptThatFrame) {
  GameDriver game;
  Play(game);
  gLives = 111;
  for (int d = 1; d <= 6; ++d) {
    gPlayerAlive = 0;
    game.FixedFrames(50 + 249, kDt);
    ASSERT_EQ(gLives, 111 - 16 * d);
    ASSERT_EQ(gContinuePrompt, 0);
    ASSERT_EQ(gPlayerRecovering, 0);
  }
  gPlayerAlive = 0;
  game.FixedFrames(39, kDt);
  EXPECT_EQ(gLives, 15);
  EXPECT_EQ(gContinuePrompt, 0);
  game.FixedFrames(1, kDt);
  EXPECT_EQ(gLives, -1);
  EXPECT_EQ(gContinuePrompt, 1);
  EXPECT_EQ(gPaused, 1);
}

TEST(ShipPicture, TheJetFlameShowsFromDistance70) {
  GameDriver game;
  game.Frames(1);
  game.EnterStage(1, 10.0f);
  game.PlaceShip(100.0f, 200.0f);
  gJetFrame = 0;
  game.FixedFrames(3, kDt);
  EXPECT_EQ(gJetFrame, 0);
  gDistance = 70.0f;
  game.FixedFrames(1, kDt);
  EXPECT_EQ(gJetFrame, 1);
  game.FixedFrames(2, kDt);
  EXPECT_EQ(gJetFrame, 0);
  // The ship's one cell (180, 0)-(240, 70) at the ship's corner.
  const int slot = ImageSlot(kImgMYME1);
  const int x = static_cast<int>(gPlayerX), y = static_cast<int>(gPlayerY);
  int compared = 0;
  for (int sy = 0; sy < 70; sy += 2) {
    for (int sx = 0; sx < 60; sx += 2) {
      const uint32_t want = game.SlotPixel(slot, 180 + sx, sy);
      if (want == 0) continue;
      ASSERT_EQ(game.Pixel(x + sx, y + sy), want) << sx << "," << sy;
      ++compared;
    }
  }
  EXPECT_GT(compared, 50);
}
