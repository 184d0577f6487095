// The ending: the tune on its first frame, the timeline's windows at their bounds, the credit
// lines, and its end by time or by Space.
#include <gtest/gtest.h>

#include "engine/el_draw.h"
#include "engine/el_system.h"
#include "engine/midi.h"
#include "engine/shell.h"
#include "game/asset_list.h"
#include "game/background_data.h"
#include "game/boss_data.h"
#include "game/ending.h"
#include "game/game_states.h"
#include "game/player_data.h"
#include "game/score_data.h"
#include "game/stage_drivers.h"
#include "platform/user32.h"
#include "tests/support/game_driver.h"

using morv_test::GameDriver;

namespace {

constexpr float kDt = 1.0f / 64;         // the timeline moves 0.28125 a frame
constexpr float kStep = 18.0f / 64;

// Stage 2's boss destroyed on this frame: the ending's first frame runs next.
void ReachEnding(GameDriver& game) {
  game.EnterStage(2, 1100.0f);
  gNoDeath = 1;
  gS2Boss.life = 0.0f;
  gS2Boss.deathTimer = 69.99f;
  StopMidi();
  game.FixedFrames(1, kDt);
  ASSERT_EQ(gGameState, kStateEnding);
  gTransitionCounter = 0;
  gTransitionDirection = 0;
}

// The frame whose timeline ends at `distance`.
void FrameAt(GameDriver& game, float distance) {
  gDistance = distance - kStep;
  game.FixedFrames(1, kDt);
  ASSERT_EQ(gDistance, distance);
}

// Share of the non-black points of a picture drawn at (sx, sy) that the presented frame shows.
double Shown(const GameDriver& game, ImageId image, int sx, int sy, int w, int h) {
  const int slot = ImageSlot(image);
  int points = 0, shown = 0;
  for (int y = 0; y < h; y += 5) {
    for (int x = 0; x < w; x += 5) {
      const uint32_t p = game.SlotPixel(slot, x, y);
      if (p == 0) continue;
      ++points;
      shown += game.Pixel(sx + x, sy + y) == p ? 1 : 0;
    }
  }
  return points == 0 ? 0.0 : static_cast<double>(shown) / points;
}

int WhitePixels(const GameDriver& game, int x0, int x1, int y0, int y1) {
  int n = 0;
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) n += game.Pixel(x, y) == 0xFFFFFF ? 1 : 0;
  }
  return n;
}

}  // namespace

TEST(Ending, FirstFrameStartsTheTuneAndTheTimelineAt0) {
  GameDriver game;
  ReachEnding(game);
  EXPECT_EQ(gMidiOpen, 0);
  gDistance = 5000.0f;
  game.FixedFrames(1, kDt);
  EXPECT_EQ(gStageFrameCounter, 1);
  EXPECT_EQ(gMidiOpen, 1);
  EXPECT_EQ(gMidiLoop, 1);
  EXPECT_EQ(gDistance, kStep);
  EXPECT_GT(Shown(game, kImgMYGOODN, 30, 100, 300, 100), 0.9);
  game.FixedFrames(1, kDt);
  EXPECT_EQ(gStageFrameCounter, 2);
  EXPECT_EQ(gGameState, kStateEnding);
}

// Unlike stage 1, whose ship waits for distance 150, the ending steers the ship from its first
// frame: a held key moves it 160 px/s from the second frame of the press.
TEST(Ending, TheShipSteersFromTheFirstFrameNotFromDistance150) {
  GameDriver game;
  ReachEnding(game);
  const float x = gPlayerX, y = gPlayerY;
  ASSERT_LE(x, 290.0f);
  ASSERT_GE(y, 110.0f);
  game.Press(VK_RIGHT);
  game.Press(VK_UP);
  game.FixedFrames(5, kDt);
  ASSERT_LT(gDistance, 150.0f);
  EXPECT_EQ(gPlayerX, x + 4 * 160.0f * kDt) << "the ending's ship moves below distance 150";
  EXPECT_EQ(gPlayerY, y - 4 * 160.0f * kDt) << "the ending's ship moves below distance 150";
}

TEST(Ending, WindowsHoldAtBothBoundsAndNotBetween) {
  GameDriver game;
  ReachEnding(game);
  // The credit text is told from the scenery by its white: the stars are held above the field.
  game.before_frame = [] {
    for (Star& s : gStars) s.y = -100.0f;
  };
  game.FixedFrames(1, kDt);
  FrameAt(game, 300.0f);
  EXPECT_GT(Shown(game, kImgMYGOODN, 30, 100, 300, 100), 0.9);
  FrameAt(game, 300.5f);  // between the windows only the stars
  EXPECT_LT(Shown(game, kImgMYGOODN, 30, 100, 300, 100), 0.1);
  EXPECT_EQ(WhitePixels(game, 0, 360, 170, 320), 0);
  FrameAt(game, 500.0f);
  EXPECT_EQ(WhitePixels(game, 0, 60, 170, 320), 0);
  const int before = WhitePixels(game, 60, 360, 170, 320);
  FrameAt(game, 501.0f);
  // Seven lines, 20 pixels apart from y 180, all from x 60 on.
  for (int i = 0; i < kCreditLineCount; ++i) {
    EXPECT_GT(WhitePixels(game, 60, 360, 180 + 20 * i, 192 + 20 * i), 20) << i;
  }
  EXPECT_EQ(WhitePixels(game, 0, 60, 170, 320), 0);
  EXPECT_EQ(WhitePixels(game, 60, 360, 320, 480), 0);
  EXPECT_EQ(before, 0);
  FrameAt(game, 700.0f);
  EXPECT_GT(WhitePixels(game, 60, 360, 170, 320), 20 * kCreditLineCount);
  EXPECT_LT(Shown(game, kImgQZCG1, 0, 0, 360, 480), 0.5);
  FrameAt(game, 701.0f);
  EXPECT_GT(Shown(game, kImgQZCG1, 0, 0, 360, 480), 0.95);
  FrameAt(game, 900.0f);
  EXPECT_GT(Shown(game, kImgQZCG1, 0, 0, 360, 480), 0.95);
  FrameAt(game, 901.0f);
  EXPECT_GT(Shown(game, kImgQZCG2, 0, 0, 360, 480), 0.95);
  FrameAt(game, 1100.0f);
  EXPECT_GT(Shown(game, kImgQZCG2, 0, 0, 360, 480), 0.95);
  EXPECT_EQ(gGameState, kStateEnding);
  gScore = 1234;
  gDistance = 1101.0f - kStep;
  game.FixedFrames(1, kDt);  // ends after presenting: resets, then the title behind 60 steps
  EXPECT_EQ(gGameState, kStateTitle);
  EXPECT_EQ(gTransitionKind, 3);
  EXPECT_EQ(gTransitionStep, 60);
  EXPECT_EQ(gTransitionCounter, 60);
  EXPECT_EQ(gTransitionDirection, -1);
  EXPECT_EQ(gDistance, 0.0f);
  EXPECT_EQ(gScore, 0);
  EXPECT_EQ(gLives, 999);
  EXPECT_EQ(gPlayerX, 150.0f);
  EXPECT_EQ(gS2Boss.life, 1000.0f);
  EXPECT_EQ(game.SlotPixel(1, 100, 200), game.Pixel(100, 200));  // the snapshot is that frame
}

TEST(Ending, SpaceOnTheFirstFrameEndsItAtOnceAndStaysTheLastKey) {
  GameDriver game;
  ReachEnding(game);
  game.Press(VK_SPACE);
  game.FixedFrames(1, kDt);
  EXPECT_EQ(gGameState, kStateTitle);
  EXPECT_EQ(gTransitionStep, 60);
  EXPECT_EQ(gLastKey, VK_SPACE);
  // The snapshot is the ending's first frame, with the congratulation picture.
  const int slot = ImageSlot(kImgMYGOODN);
  int points = 0, shown = 0;
  for (int y = 0; y < 100; y += 5) {
    for (int x = 0; x < 300; x += 5) {
      const uint32_t p = game.SlotPixel(slot, x, y);
      if (p == 0) continue;
      ++points;
      shown += game.SlotPixel(1, 30 + x, 100 + y) == p ? 1 : 0;
    }
  }
  EXPECT_GT(shown, points * 9 / 10);
  game.FixedFrames(1, kDt);  // the title does not act on Space
  EXPECT_EQ(gGameState, kStateTitle);
  EXPECT_EQ(gLastKey, VK_SPACE);
}
