// Presentation and screen transitions.
#include <cstdlib>

#include "tests/engine/draw_fixture.h"

namespace {

class DrawPresent : public DrawTest {
 protected:
  // The snapshot shows column x of every row as x + 1; the new picture is black.
  void StartTransition(int kind, int step, int counter, int direction) {
    for (int y = 0; y < 480; ++y) {
      for (int x = 0; x < 360; ++x) Write(gBackSurface, x, y, static_cast<uint32_t>(x + 1));
    }
    gTransitionKind = kind;
    gTransitionStep = step;
    elDraw::CopyBackToObject(1, 0, 0, gScreenWidth, gScreenHeight);
    gTransitionCounter = counter;
    gTransitionDirection = direction;
    elDraw::ClearBack();
  }

  // How far row y of the snapshot moved: 0 when the row shows the new picture only.
  bool RowShift(int y, int& shift) {
    for (int x = 0; x < 360; ++x) {
      const uint32_t v = Back(x, y);
      if (v != 0) {
        shift = x - static_cast<int>(v - 1);
        return true;
      }
    }
    return false;
  }
};

TEST_F(DrawPresent, FrameReadBackEqualsTheBackBuffer) {
  Open();
  const int s = CodedSlot(64, 48);
  elDraw::BltObject(100, 200, s, 0, 0, 64, 48);
  Write(gBackSurface, 359, 479, 0xBEEF);
  PresentFrame();
  ASSERT_EQ(host.last_frame_width, 360);
  ASSERT_EQ(host.last_frame_height, 480);
  for (int y = 0; y < 480; ++y) {
    ASSERT_EQ(std::memcmp(host.last_frame.data() + y * 720, gBackSurface->pixels + y * gBackSurface->pitch, 720), 0)
        << "row " << y;
  }
  EXPECT_EQ(host.FramePixelRgb(100, 200) != 0, true);
}

TEST_F(DrawPresent, WaitsForTheVerticalBlankOnlyWhenAsked) {
  Open();
  SetVSyncWait(0);
  const uint64_t before = host.clock_ms;
  PresentFrame();
  EXPECT_EQ(host.vblank_waits, 0);
  EXPECT_EQ(host.clock_ms, before);
  EXPECT_EQ(host.present_count, 1);
  SetVSyncWait(1);
  PresentFrame();
  EXPECT_EQ(host.vblank_waits, 1);
  EXPECT_EQ(host.clock_ms * 60 % 1000 < 60, true);  // on the 60 Hz grid
  EXPECT_EQ(host.present_count, 2);
}

TEST_F(DrawPresent, Kind3LastsItsStepInFrames) {
  Open();
  SetVSyncWait(0);
  StartTransition(3, 26, 26, -1);
  for (int frame = 1; frame <= 25; ++frame) {
    elDraw::ClearBack();
    PresentFrame();
    ASSERT_NE(gTransitionCounter, 0) << frame;
  }
  EXPECT_EQ(gTransitionCounter, 1);
  elDraw::ClearBack();
  PresentFrame();  // the 26th frame shows the new picture alone
  EXPECT_EQ(gTransitionCounter, 0);
  EXPECT_EQ(gTransitionDirection, 0);
  EXPECT_TRUE(BackIsEmpty());
}

TEST_F(DrawPresent, Kind3FirstFrameMovesOldRowsByMinusOneOrZero) {
  Open();
  SetVSyncWait(0);
  std::srand(7);
  StartTransition(3, 26, 26, -1);
  PresentFrame();
  bool sawMinusOne = false, sawZero = false;
  for (int y = 0; y < 480; ++y) {
    int shift = 0;
    const bool old = RowShift(y, shift);
    EXPECT_EQ(old, y % 26 != 0) << "row " << y;
    if (!old) continue;
    ASSERT_TRUE(shift == -1 || shift == 0) << "row " << y << " moved " << shift;
    sawMinusOne |= shift == -1;
    sawZero |= shift == 0;
    if (shift == -1) {
      EXPECT_EQ(Back(359, y), 0u);  // the new picture shows at the right
    }
  }
  EXPECT_TRUE(sawMinusOne && sawZero);
}

TEST_F(DrawPresent, Kind3WithStep60AtCounter2ShowsOddRowsWithinRange) {
  Open();
  SetVSyncWait(0);
  StartTransition(3, 60, 2, -1);
  PresentFrame();
  int widest = 0;
  for (int y = 0; y < 480; ++y) {
    int shift = 0;
    const bool old = RowShift(y, shift);
    if (y % 2 == 0) {
      EXPECT_FALSE(old) << "row " << y;
      continue;
    }
    ASSERT_TRUE(old) << "row " << y;
    EXPECT_GE(shift, -59) << "row " << y;
    EXPECT_LE(shift, 58) << "row " << y;
    widest = std::max(widest, std::abs(shift));
  }
  EXPECT_GT(widest, 30);
  EXPECT_EQ(gTransitionCounter, 1);
}

TEST_F(DrawPresent, OutgoingTransitionEndsAfterTenFrames) {
  Open();
  SetVSyncWait(0);
  StartTransition(3, 26, 1, 1);
  for (int frame = 1; frame <= 9; ++frame) PresentFrame();
  EXPECT_EQ(gTransitionCounter, 10);
  PresentFrame();
  EXPECT_EQ(gTransitionCounter, 0);
  EXPECT_EQ(gTransitionDirection, 0);
}

TEST_F(DrawPresent, SlideKindsMoveTheWholeSnapshot) {
  Open();
  SetVSyncWait(0);
  StartTransition(7, 10, 10, -1);  // slides left by (S - N + 1) x (W div S) = 36
  PresentFrame();
  EXPECT_EQ(Back(0, 0), 37u);
  EXPECT_EQ(Back(323, 479), 360u);
  EXPECT_EQ(Back(324, 0), 0u);
  for (int kind = 0; kind <= 13; ++kind) {  // every kind, even with a bad step, draws safely
    for (int step : {5, 0, -4}) {
      StartTransition(kind, step, 3, -1);
      PresentFrame();
    }
  }
}

}  // namespace
