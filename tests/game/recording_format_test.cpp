// The recording format the replay suites read: events by frame, checkpoints, comments, and a
// refusal of lines it cannot read (a typo in a new recording fails the test, not silently).
#include <gtest/gtest.h>

#include "platform/user32.h"
#include "tests/support/recording.h"

using morv_test::ParseRecording;
using morv_test::RecordedEvent;

TEST(RecordingFormat, EventsAndChecksAreReadInFrameOrderAndCommentsAreSkipped) {
  const auto r = ParseRecording(
      "# a comment\n"
      "121 up VK_RETURN\n"
      "120 down VK_RETURN   # trailing comment\n"
      "300 move 180 400\n"
      "301 button-down 1\n"
      "\n"
      "check 2400 state=2 lives=999\n"
      "check 10\n"
      "302 up Y\n");
  ASSERT_EQ(r.error, "");
  ASSERT_EQ(r.events.size(), 5u);
  EXPECT_EQ(r.events[0].frame, 120);
  EXPECT_EQ(r.events[0].kind, RecordedEvent::Down);
  EXPECT_EQ(r.events[0].a, VK_RETURN);
  EXPECT_EQ(r.events[2].kind, RecordedEvent::Move);
  EXPECT_EQ(r.events[2].b, 400);
  EXPECT_EQ(r.events[4].a, 'Y');
  ASSERT_EQ(r.checks.size(), 2u);
  EXPECT_EQ(r.checks[0].frame, 10);
  EXPECT_TRUE(r.checks[0].fields.empty());
  EXPECT_EQ(r.checks[1].line, 6);
  EXPECT_EQ(r.checks[1].fields[1], (std::pair<std::string, std::string>{"lives", "999"}));
  EXPECT_EQ(r.LastFrame(), 2400);
  EXPECT_EQ(morv_test::FormatEvent(r.events[3]), "301 button-down 1");
}

TEST(RecordingFormat, UnknownKeysKindsAndButtonsAreRefusedWithTheirLine) {
  EXPECT_EQ(ParseRecording("1 down VK_NOPE\n").error, "line 1: bad event: 1 down VK_NOPE");
  EXPECT_EQ(ParseRecording("\n5 jump\n").error, "line 2: bad event: 5 jump");
  EXPECT_EQ(ParseRecording("5 button-down 3\n").error, "line 1: bad event: 5 button-down 3");
  EXPECT_EQ(ParseRecording("x down A\n").error, "line 1: not an event: x down A");
  EXPECT_EQ(ParseRecording("check 5 state\n").error, "line 1: field without '=': state");
}
