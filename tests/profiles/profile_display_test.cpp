// What each display profile changes, checked in the program built for it: this suite is linked
// once per profile, and every test reads the expected values from its own table of the profiles.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "engine/el_draw.h"
#include "engine/profile.h"
#include "engine/shell.h"
#include "game/asset_list.h"
#include "game/game_states.h"
#include "game/player_data.h"
#include "platform/user32.h"
#include "tests/support/game_driver.h"
#include "tests/support/panel_digits.h"

using morv_test::GameDriver;

namespace {

// The values as the profiles' table gives them, written out once more so that a wrong constant in
// a profile fails here.
struct Expected {
  const char* program;
  bool fullScreen;
  int width, height;
  int clipLeft, clipRight;
  int titleX, titleY;
  int continueX;
  int lives;
};

constexpr Expected kTable[] = {
    {"morventica-w480", false, 360, 480, 0, 360, 0, 0, 80, 999},
    {"morventica-w600", false, 360, 600, 0, 360, 0, 60, 80, 999},
    {"morventica-640", true, 640, 480, 140, 500, 140, 0, 220, 999},
    {"morventica-800", true, 800, 600, 220, 580, 220, 60, 300, 999},
    {"morventica-r1-w480", false, 360, 480, 0, 360, 0, 0, 80, 1},
    {"morventica-r1-800", true, 800, 600, 220, 580, 220, 60, 300, 1},
};

const Expected& ThisProgram() {
  for (const Expected& e : kTable) {
    if (std::strcmp(e.program, kProfile.program) == 0) return e;
  }
  ADD_FAILURE() << "no expectations for " << kProfile.program;
  return kTable[0];
}

// The first row of the title picture, from `fromRow` on, that is lit at column `column`.
int LitRow(const GameDriver& game, int slot, int column, int fromRow = 0) {
  for (int y = fromRow; y < 480; ++y) {
    if (game.SlotPixel(slot, column, y) != 0) return y;
  }
  return -1;
}

}  // namespace

TEST(ProfileScreen, OpensTheProfilesScreenAndClipRectangle) {
  const Expected& e = ThisProgram();
  GameDriver game;
  ASSERT_TRUE(game.started());
  EXPECT_EQ(gFullScreen, e.fullScreen ? 1 : 0);
  EXPECT_EQ(gWindowOptions, e.fullScreen ? 0 : 3);
  EXPECT_EQ(gScreenWidth, e.width);
  EXPECT_EQ(gScreenHeight, e.height);
  EXPECT_EQ(game.host.window_fullscreen, e.fullScreen);
  if (e.fullScreen) {
    // The exact display mode, and the cursor kept on the screen.
    EXPECT_TRUE(game.host.display_mode_set);
    EXPECT_EQ(game.host.mode_width, e.width);
    EXPECT_EQ(game.host.mode_height, e.height);
    EXPECT_TRUE(game.host.cursor_confined);
    EXPECT_EQ(game.host.confine_left, 0);
    EXPECT_EQ(game.host.confine_top, 0);
    EXPECT_EQ(game.host.confine_right, e.width);
    EXPECT_EQ(game.host.confine_bottom, e.height);
  } else {
    EXPECT_FALSE(game.host.display_mode_set);
    EXPECT_EQ(game.host.window_w, e.width);
    EXPECT_EQ(game.host.window_h, e.height);
    EXPECT_FALSE(game.host.cursor_confined);
  }
  EXPECT_EQ(kProfile.clipLeft, e.clipLeft);
  EXPECT_EQ(kProfile.clipRight, e.clipRight);
  EXPECT_EQ(kProfile.clipTop, 0);
  EXPECT_EQ(kProfile.clipBottom, e.height);
}

TEST(ProfileScreen, SpritesStayInsideThePlayField) {
  const Expected& e = ThisProgram();
  GameDriver game;
  ASSERT_TRUE(game.started());
  ASSERT_EQ(game.Frames(1), 1);
  const int title = ImageSlot(kImgTITLEC);
  const int rightRow = LitRow(game, title, 19);
  const int leftRow = LitRow(game, title, 20);
  ASSERT_GE(rightRow, 0);
  ASSERT_GE(leftRow, 0);
  // The title picture reaching 20 columns past either edge of the field.
  elDraw::ClearBack();
  elDraw::BltObject(e.clipRight - 20, 0, title, 0, 0, 360, 480);
  elDraw::BltObject(e.clipLeft - 20, 0, title, 0, 0, 360, 480);
  PresentFrame();
  EXPECT_EQ(game.Pixel(e.clipRight - 1, rightRow), game.SlotPixel(title, 19, rightRow));
  EXPECT_EQ(game.Pixel(e.clipLeft, leftRow), game.SlotPixel(title, 20, leftRow));
  if (e.fullScreen) {
    // Nothing is drawn outside the field: the columns left of it and from its right edge on.
    for (int y = 0; y < e.height; y += 3) {
      ASSERT_EQ(game.Pixel(e.clipRight, y), 0u) << y;
      ASSERT_EQ(game.Pixel(e.width - 1, y), 0u) << y;
      ASSERT_EQ(game.Pixel(e.clipLeft - 1, y), 0u) << y;
      ASSERT_EQ(game.Pixel(0, y), 0u) << y;
    }
  }
}

TEST(ProfileScreen, TitlePictureSitsAtTheProfilesPlace) {
  const Expected& e = ThisProgram();
  GameDriver game;
  ASSERT_TRUE(game.started());
  ASSERT_EQ(game.Frames(1), 1);
  const int title = ImageSlot(kImgTITLEC);
  int compared = 0;
  for (int column : {0, 90, 180, 270, 359}) {
    for (int y = LitRow(game, title, column); y >= 0 && y < 480 && compared < 40;
         y = LitRow(game, title, column, y + 37)) {
      ASSERT_EQ(game.Pixel(e.titleX + column, e.titleY + y), game.SlotPixel(title, column, y))
          << column << ", " << y;
      ++compared;
    }
  }
  EXPECT_GE(compared, 10);
  // Above a lowered title and beside the field the screen stays black.
  for (int x = 0; x < e.width; x += 7) {
    for (int y = 0; y < e.titleY; y += 5) ASSERT_EQ(game.Pixel(x, y), 0u) << x << ", " << y;
  }
  for (int y = 0; y < e.height; y += 5) {
    for (int x = 0; x < e.titleX; x += 7) ASSERT_EQ(game.Pixel(x, y), 0u) << x << ", " << y;
  }
}

TEST(ProfileRevision, NewGameLivesAndTheContinuePrompt) {
  const Expected& e = ThisProgram();
  GameDriver game;
  ASSERT_TRUE(game.started());
  game.StartGame();
  EXPECT_EQ(gLives, e.lives);
  // The stage's opening transition over first, so the presented frame is the stage's own picture.
  ASSERT_TRUE(game.FramesUntil([] { return gTransitionDirection == 0; }, 600));
  // The panel's lives digits at the field's x + 280.
  EXPECT_EQ(morv_test::Digits(game, morv_test::kSmallDigits, e.clipLeft + 280, 10, 6, 3),
            e.lives == 1 ? "001" : "999");
  // One destruction of the ship costs 16 lives: in the earlier revision the prompt comes at once.
  gLives -= 16;
  game.Frames(1);
  EXPECT_EQ(gContinuePrompt, e.lives == 1 ? 1 : 0);
  if (gContinuePrompt == 1) {
    const int picture = ImageSlot(kImgCONTINU1);
    // Every lit pixel of the picture (black is its colour key) lies at the profile's place.
    int lit = 0;
    for (int y = 0; y < 100; y += 3) {
      for (int x = 0; x < 200; ++x) {
        const uint32_t want = game.SlotPixel(picture, x, y);
        if (want == 0) continue;
        ASSERT_EQ(game.Pixel(e.continueX + x, 190 + y), want) << x << ", " << y;
        ++lit;
      }
    }
    EXPECT_GT(lit, 100);
  }
}

TEST(ProfileRevision, ScreenModeAndImagePlacement) {
  const bool earlier = ThisProgram().lives == 1;
  EXPECT_EQ(kProfile.earlierRevision, earlier ? 1 : 0);
  EXPECT_EQ(kProfile.screenMode, earlier ? 2 : 1);
  EXPECT_EQ(kProfile.imagePlacement, earlier ? 1 : 2);
  // The frame gate is linked into the earlier revision only.
  GameDriver game;
  ASSERT_TRUE(game.started());
  EXPECT_EQ(gFramePacing.gate != nullptr, earlier);
  EXPECT_EQ(gFramePacing.restart != nullptr, earlier);
}
