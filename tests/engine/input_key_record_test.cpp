// The four-state key record that the game polls once per frame for each ship key.
#include <gtest/gtest.h>

#include <vector>

#include "engine/el_draw.h"
#include "engine/el_system.h"
#include "platform/host_headless.h"
#include "platform/user32.h"

namespace {

class KeyRecord : public ::testing::Test {
 protected:
  platform::HeadlessHost host;
  int state_ = kKeyUp;
  void SetUp() override {
    platform::SetHost(&host);
    gTransitionCounter = 0;
  }
  void TearDown() override {
    gTransitionCounter = 0;
    platform::SetHost(nullptr);
  }
  // Polls `vk` once per entry of `down`, with the key held or not at that poll.
  std::vector<int> Polls(int vk, std::vector<bool> down) {
    std::vector<int> seen;
    for (bool d : down) {
      host.keys_down[vk] = d;
      UpdateKeyState(vk, &state_);
      seen.push_back(state_);
    }
    return seen;
  }
};

TEST_F(KeyRecord, HeldKeyReadsPressedHeldHeldReleasedUp) {
  EXPECT_EQ(Polls('C', {true, true, true, false, false}), (std::vector<int>{1, 3, 3, 2, 0}));
}

TEST_F(KeyRecord, KeyDownAgainRightAfterReleaseReadsHeldNotPressed) {
  EXPECT_EQ(Polls(VK_UP, {true, true, false, true}), (std::vector<int>{1, 3, 2, 3}));
}

TEST_F(KeyRecord, PressAndReleaseBetweenTwoPollsIsNeverSeen) {
  EXPECT_EQ(Polls('V', {false}), std::vector<int>{0});
  host.keys_down[int{'V'}] = true;  // down and up again before the next poll
  host.keys_down[int{'V'}] = false;
  EXPECT_EQ(Polls('V', {false}), std::vector<int>{0});
}


TEST_F(KeyRecord, EveryKeyReadsUpDuringATransitionAndPressedAfterIt) {
  gTransitionCounter = 5;
  EXPECT_EQ(Polls('B', {true, true, true}), (std::vector<int>{0, 0, 0}));
  gTransitionCounter = 0;
  EXPECT_EQ(Polls('B', {true, true}), (std::vector<int>{1, 3}));
  gTransitionCounter = 1;
  EXPECT_EQ(Polls('B', {false}), std::vector<int>{0});
}

}  // namespace
