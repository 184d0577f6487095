#include "tests/stub_game/stub_game.h"

#include "engine/shell.h"

namespace stub_game {

std::function<void()> loadAllAssets;
std::function<void()> runTitle;
std::function<void()> runS1Frame;
std::function<void()> runS2Frame;
std::function<void()> runEnding;
std::function<void(int)> handleKeyDown;

void ResetHooks() {
  loadAllAssets = [] {
    gGameState = 1;
    gPrevGameState = 0;
  };
  runTitle = nullptr;
  runS1Frame = nullptr;
  runS2Frame = nullptr;
  runEnding = nullptr;
  handleKeyDown = nullptr;
}

namespace {
// Hooks start at their defaults without a test having to ask.
const bool kDefaultsSet = (ResetHooks(), true);
}  // namespace

}  // namespace stub_game

void LoadAllAssets() {
  if (stub_game::loadAllAssets) stub_game::loadAllAssets();
}
void RunTitle() {
  if (stub_game::runTitle) stub_game::runTitle();
}
void RunS1Frame() {
  if (stub_game::runS1Frame) stub_game::runS1Frame();
}
void RunS2Frame() {
  if (stub_game::runS2Frame) stub_game::runS2Frame();
}
void RunEnding() {
  if (stub_game::runEnding) stub_game::runEnding();
}
void HandleKeyDown(int virtualKey) {
  if (stub_game::handleKeyDown) stub_game::handleKeyDown(virtualKey);
}
