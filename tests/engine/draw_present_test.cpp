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
  EXPECT_TRUE(sawMinusOne);
  EXPECT_TRUE(sawZero);
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

// Every kind's picture for step S = 10 at counter N = 7 (S - N + 1 = 4, W div S = 36,
// H div S = 48), probed where the snapshot's pieces begin and end. The snapshot's pixel (x, y) holds
// 1 + x + 1000 y; the new picture is black.
TEST_F(DrawPresent, EveryKindPlacesTheSnapshotByItsFormula) {
  Open(platform::PixelLayout::Xrgb8888);
  SetVSyncWait(0);
  struct Probe {
    int kind, x, y;
    int fromX, fromY;  // the snapshot pixel expected there; -1: the new picture
  };
  const Probe probes[] = {
      // Rows y mod 7 = 0 stay new; bands of rows y to y + 7 every 10 rows.
      {1, 5, 1, 5, 1}, {1, 5, 7, -1, -1}, {2, 5, 17, 5, 17}, {2, 5, 18, -1, -1}, {2, 5, 20, 5, 20},
      // Up by 4 x 48, down by as much, right by 4 x 36.
      {5, 3, 0, 3, 192}, {5, 3, 287, 3, 479}, {5, 3, 288, -1, -1},
      {6, 3, 192, 3, 0}, {6, 3, 191, -1, -1}, {8, 144, 5, 0, 5}, {8, 143, 5, -1, -1},
      // The halves apart by 4 x 24 rows, then by 4 x 18 columns.
      {9, 3, 0, 3, 96}, {9, 3, 143, 3, 239}, {9, 3, 144, -1, -1},
      {9, 3, 335, -1, -1}, {9, 3, 336, 3, 240}, {9, 3, 479, 3, 383},
      {10, 0, 3, 72, 3}, {10, 107, 3, 179, 3}, {10, 108, 3, -1, -1},
      {10, 251, 3, -1, -1}, {10, 252, 3, 180, 3}, {10, 359, 3, 287, 3},
      // Columns 0 to 36 x 7 - 1 in place; columns from 4 x 36 on in place.
      {11, 251, 3, 251, 3}, {11, 252, 3, -1, -1},
      {12, 143, 3, -1, -1}, {12, 144, 3, 144, 3}, {12, 359, 479, 359, 479},
  };
  int kind = -1;
  for (const Probe& p : probes) {
    if (p.kind != kind) {
      kind = p.kind;
      for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 360; ++x) Write(gBackSurface, x, y, 1u + x + 1000u * y);
      }
      gTransitionKind = kind;
      gTransitionStep = 10;
      elDraw::CopyBackToObject(1, 0, 0, gScreenWidth, gScreenHeight);
      gTransitionCounter = 7;
      gTransitionDirection = -1;
      elDraw::ClearBack();
      PresentFrame();
      EXPECT_EQ(gTransitionCounter, 6);
    }
    const uint32_t expected = p.fromX < 0 ? 0u : 1u + p.fromX + 1000u * p.fromY;
    EXPECT_EQ(Back(p.x, p.y), expected) << "kind " << p.kind << " at " << p.x << ", " << p.y;
  }
}

// An outgoing transition's counter passes the step: the row offset's range turns round rather
// than the rows vanishing (S = 2, N = 5: moved right by 2 to 5 pixels).
TEST_F(DrawPresent, Kind3CounterPastTheStepStillDrawsTheOldRows) {
  Open();
  SetVSyncWait(0);
  StartTransition(3, 2, 5, 1);
  PresentFrame();
  for (int y = 0; y < 480; ++y) {
    int shift = 0;
    const bool old = RowShift(y, shift);
    ASSERT_EQ(old, y % 5 != 0) << "row " << y;
    if (old) {
      EXPECT_GE(shift, 2) << "row " << y;
      EXPECT_LE(shift, 5) << "row " << y;
    }
  }
  StartTransition(3, 2, 3, 1);  // N = S + 1: no offset range at all; nothing old is drawn
  PresentFrame();
  EXPECT_TRUE(BackIsEmpty());
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
