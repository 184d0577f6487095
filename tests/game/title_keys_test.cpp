// The title, the state changes with and without the break-up transition, and the keys that work
// everywhere (Esc, S, T) or on the title only (Enter, M, K, O).
#include <gtest/gtest.h>

#include "engine/el_draw.h"
#include "engine/shell.h"
#include "engine/el_system.h"
#include "engine/midi.h"
#include "platform/host_headless.h"
#include "game/asset_list.h"
#include "game/game_states.h"
#include "game/stage_drivers.h"
#include "platform/user32.h"
#include "tests/support/game_driver.h"

using morv_test::GameDriver;

namespace {

// Every pixel of slot 1 (the snapshot) as 0x00RRGGBB.
std::vector<uint32_t> Snapshot(const GameDriver& game) {
  std::vector<uint32_t> pixels;
  for (int y = 0; y < gScreenHeight; ++y) {
    for (int x = 0; x < gScreenWidth; ++x) pixels.push_back(game.SlotPixel(1, x, y));
  }
  return pixels;
}

}  // namespace

TEST(Title, FirstFrameRunsTheEntryAndShowsTheTitlePicture) {
  GameDriver game;
  ASSERT_TRUE(game.started());
  gTitleCounter = 77;
  gNoDeath = 1;
  ASSERT_EQ(game.Frames(1), 1);
  EXPECT_EQ(gGameState, kStateTitle);
  EXPECT_EQ(gTitleCounter, 1);
  EXPECT_EQ(gNoDeath, 0);
  EXPECT_EQ(gKeyboardControl, 1);
  const int title = ImageSlot(kImgTITLEC);
  int lit = 0;
  for (int y = 0; y < 480; y += 7) {
    for (int x = 0; x < 360; x += 7) {
      ASSERT_EQ(game.Pixel(x, y), game.SlotPixel(title, x, y)) << x << "," << y;
      lit += game.Pixel(x, y) != 0;
    }
  }
  EXPECT_GT(lit, 100);
  game.Frames(1);
  EXPECT_EQ(gTitleCounter, 2);
}

TEST(Title, EnterStartsStage1BehindTheBreakUpOfTheTitlePicture) {
  GameDriver game;
  game.Frames(3);
  const std::vector<uint8_t> title = game.Picture();
  game.Press(VK_RETURN);
  game.Frames(1);
  EXPECT_EQ(gGameState, kStateStage1);
  EXPECT_EQ(gLastKey, 0);
  EXPECT_EQ(gShipType, 1);
  EXPECT_EQ(gPlayLevel, 1);
  EXPECT_EQ(gScoreMode, 1);
  EXPECT_EQ(gScoreMode2, 0);
  EXPECT_EQ(gTransitionKind, 3);
  EXPECT_EQ(gTransitionStep, 26);
  EXPECT_EQ(gTransitionCounter, 26);
  EXPECT_EQ(gTransitionDirection, -1);
  // The snapshot is the title frame just presented.
  EXPECT_EQ(game.Picture(), title);
  const int titleSlot = ImageSlot(kImgTITLEC);
  for (int y = 0; y < 480; y += 5) {
    for (int x = 0; x < 360; x += 5) {
      ASSERT_EQ(game.SlotPixel(1, x, y), game.SlotPixel(titleSlot, x, y)) << x << "," << y;
    }
  }
  // A pause toggled before the first stage frame does not hold it: the entry clears it.
  game.Release(VK_RETURN);
  game.Press('S');
  const int presented = game.presented();
  game.Frames(1);
  EXPECT_EQ(gPaused, 0);
  EXPECT_EQ(game.presented(), presented + 1);
  EXPECT_EQ(gStageFrameCounter, 1);
  EXPECT_GT(gDistance, 0.0f);
  EXPECT_EQ(gTransitionCounter, 25);
}

TEST(Title, HoldingEnterStartsOneGame) {
  GameDriver game;
  game.Frames(1);
  game.Press(VK_RETURN);
  game.Frames(2);
  ASSERT_EQ(gStageFrameCounter, 1);
  for (int i = 0; i < 10; ++i) {
    game.Repeat(VK_RETURN);
    game.Frames(1);
    EXPECT_EQ(gGameState, kStateStage1);
    EXPECT_EQ(gStageFrameCounter, i + 2);
    EXPECT_EQ(gTransitionCounter, 24 - i);
  }
  EXPECT_EQ(gLastKey, VK_RETURN);
}

TEST(Title, MKAndOSetTheOptionsAndClearTheKey) {
  GameDriver game;
  game.Frames(1);
  game.Tap('M');
  EXPECT_EQ(gMouseControl, 1);
  EXPECT_EQ(gKeyboardControl, 0);
  game.Press('K');
  game.Frames(1);
  EXPECT_EQ(gLastKey, 0);  // cleared while still held
  EXPECT_EQ(gMouseControl, 0);
  EXPECT_EQ(gKeyboardControl, 1);
  game.Release('K');
  game.Tap('O');
  EXPECT_EQ(gNoDeath, 1);
}

TEST(Title, OtherKeysStayLastUntilReleased) {
  GameDriver game;
  game.Press('Q');
  game.Frames(5);
  EXPECT_EQ(gLastKey, 'Q');
  EXPECT_EQ(gGameState, kStateTitle);
  game.Release('Q');
  game.Drain();
  EXPECT_EQ(gLastKey, 0);
}

TEST(Title, MouseControlChosenOnTheTitleCarriesIntoTheGame) {
  GameDriver game;
  game.Frames(1);
  game.Tap('M');
  game.StartGame();
  EXPECT_EQ(gGameState, kStateStage1);
  EXPECT_EQ(gMouseControl, 1);
  EXPECT_EQ(gKeyboardControl, 0);
  // Any way back to the title gives keyboard control on its entry frame.
  gGameState = kStateTitle;
  gPrevGameState = 0;
  gMouseControl = 1;
  gKeyboardControl = 0;
  game.Frames(1);
  EXPECT_EQ(gMouseControl, 0);
  EXPECT_EQ(gKeyboardControl, 1);
}

TEST(KeyT, DuringATransitionGoesToTheTitleAtOnceAndTheTransitionRunsOut) {
  GameDriver game;
  game.Frames(1);
  game.StartGame();
  game.Frames(3);
  ASSERT_EQ(gTransitionCounter, 22);
  const std::vector<uint32_t> snapshot = Snapshot(game);
  game.Press('T');
  game.Frames(1);
  EXPECT_EQ(gGameState, kStateTitle);
  EXPECT_EQ(gTitleCounter, 1);
  EXPECT_EQ(gTransitionCounter, 21);
  EXPECT_EQ(Snapshot(game), snapshot);
  game.Frames(20);
  EXPECT_EQ(gTransitionCounter, 1);
  game.Frames(1);
  EXPECT_EQ(gTransitionCounter, 0);
  EXPECT_EQ(gTransitionDirection, 0);
  EXPECT_EQ(gGameState, kStateTitle);
}

TEST(KeyT, OnTheTitleRunsItsEntryAgain) {
  GameDriver game;
  game.Frames(5);
  game.Tap('M');
  game.Tap('O');
  ASSERT_EQ(gTitleCounter, 7);
  game.Press('T');
  game.Drain();
  EXPECT_EQ(gPrevGameState, 0);
  game.Frames(1);
  EXPECT_EQ(gTitleCounter, 1);
  EXPECT_EQ(gMouseControl, 0);
  EXPECT_EQ(gKeyboardControl, 1);
  EXPECT_EQ(gNoDeath, 0);
  EXPECT_EQ(gTransitionCounter, 0);
}

TEST(KeyEsc, QuitsFromPlay) {
  GameDriver game;
  game.Frames(1);
  game.StartGame();
  game.Press(VK_ESCAPE);
  EXPECT_EQ(game.Frames(5), 0);
  EXPECT_TRUE(game.quit());
  EXPECT_EQ(gShutdownDone, 1);
}

namespace {

// The last two MCI commands sent: a stop closes the tune after stopping it.
void ExpectMusicStopped(const GameDriver& game, int commandsBefore) {
  const platform::HeadlessHost::MciCommandLog& log = game.host.mci_log;
  EXPECT_EQ(gMidiOpen, 0);
  ASSERT_EQ(log.count, commandsBefore + 2);
  EXPECT_STREQ(log.commands[log.count - 2], "stop midi");
  EXPECT_STREQ(log.commands[log.count - 1], "close midi");
}

}  // namespace

TEST(KeyT, StopsTheStageMusic) {
  GameDriver game;
  game.Frames(1);
  game.StartGame();
  game.Frames(2);
  ASSERT_EQ(gMidiOpen, 1);
  const int before = game.host.mci_log.count;
  game.Press('T');
  game.Drain();
  ExpectMusicStopped(game, before);
}

TEST(KeyEsc, StopsTheMusicBeforeQuitting) {
  GameDriver game;
  game.Frames(1);
  game.StartGame();
  ASSERT_EQ(gMidiOpen, 1);
  const int before = game.host.mci_log.count;
  game.Press(VK_ESCAPE);
  game.Frames(1);
  ASSERT_TRUE(game.quit());
  ExpectMusicStopped(game, before);
}
