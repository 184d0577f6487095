// elSystem's wait timers and their reset.
#include <gtest/gtest.h>

#include "engine/el_system.h"
#include "engine/shell.h"
#include "platform/host_headless.h"
#include "platform/user32.h"

namespace {

class WaitTimers : public ::testing::Test {
 protected:
  platform::HeadlessHost host;
  void SetUp() override {
    platform::SetHost(&host);
    ResetWaits();
  }
  void TearDown() override { platform::SetHost(nullptr); }
};

TEST_F(WaitTimers, NumbersOutsideOneToTenAreRefusedWithTheErrorBox) {
  ASSERT_EQ(elSystem::SetWait(1, 50), 1);
  const uint32_t before[12] = {gWaits[0], gWaits[1], gWaits[2], gWaits[3], gWaits[4], gWaits[5],
                               gWaits[6], gWaits[7], gWaits[8], gWaits[9], gWaits[10], gWaits[11]};
  EXPECT_EQ(elSystem::SetWait(0, 100), 0);
  EXPECT_EQ(elSystem::SetWait(11, 100), 0);
  ASSERT_EQ(host.box_texts.size(), 2u);
  EXPECT_EQ(host.box_texts[0], "elSystem::SetWait : ウェイトNoが範囲外です");
  EXPECT_EQ(host.box_captions[1], "エラー発生");
  for (int n = 0; n < 12; ++n) EXPECT_EQ(gWaits[n], before[n]) << n;
}

TEST_F(WaitTimers, ATimerNeverSetIsNeverOver) {
  for (uint64_t at : {0ull, 999999999ull, 1000000000ull, 4294967295ull, 5000000000ull}) {
    host.clock_ms = at;
    EXPECT_EQ(elSystem::IsWaitOver(1), 0) << at;
    EXPECT_EQ(elSystem::IsWaitOver(11), 0) << at;
  }
}

TEST_F(WaitTimers, OverAfterExactlyItsTime) {
  ASSERT_EQ(elSystem::SetWait(3, 1000), 1);
  host.AdvanceMs(999);
  EXPECT_EQ(elSystem::IsWaitOver(3), 0);
  host.AdvanceMs(1);
  EXPECT_EQ(elSystem::IsWaitOver(3), 1);
  host.AdvanceMs(100000);
  EXPECT_EQ(elSystem::IsWaitOver(3), 1);
}

TEST_F(WaitTimers, OverAfterExactlyItsTimeAcrossTheClockWrap) {
  host.clock_ms = 0xFFFFFFFFull - 500;  // 500 ms before the 32-bit clock wraps
  ASSERT_EQ(elSystem::SetWait(10, 1000), 1);
  EXPECT_EQ(elSystem::IsWaitOver(10), 0);  // the deadline has wrapped, the clock not yet
  host.AdvanceMs(400);
  EXPECT_EQ(elSystem::IsWaitOver(10), 0);
  host.AdvanceMs(599);
  EXPECT_EQ(elSystem::IsWaitOver(10), 0);
  host.AdvanceMs(1);
  EXPECT_EQ(elSystem::IsWaitOver(10), 1);
}

TEST_F(WaitTimers, NumbersOutsideTheTableAreNeverOver) {
  host.clock_ms = 5000;
  EXPECT_EQ(elSystem::IsWaitOver(0), 0);
  EXPECT_EQ(elSystem::IsWaitOver(12), 0);
  EXPECT_EQ(elSystem::IsWaitOver(-1), 0);
}

TEST_F(WaitTimers, ResetTurnsEveryTimerOffAndClearsTheLastKey) {
  ASSERT_EQ(elSystem::SetWait(2, 0), 1);
  ASSERT_EQ(elSystem::IsWaitOver(2), 1);
  gLastKey = 'T';
  gSystemKeyMode = 2;
  EXPECT_EQ(ResetWaits(), 1);
  EXPECT_EQ(elSystem::IsWaitOver(2), 0);
  for (int n = 1; n <= 11; ++n) EXPECT_EQ(gWaits[n], kWaitOff);
  EXPECT_EQ(gLastKey, 0);
  EXPECT_EQ(gSystemKeyMode, 0);
}

}  // namespace
