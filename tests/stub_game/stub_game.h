// The least game the engine suites link: every hook the shell calls is a replaceable function that
// a test sets. By default the hooks do nothing, except that loading the assets enters the title.
#pragma once

#include <functional>

namespace stub_game {

extern std::function<void()> loadAllAssets;
extern std::function<void()> runTitle;
extern std::function<void()> runS1Frame;
extern std::function<void()> runS2Frame;
extern std::function<void()> runEnding;
extern std::function<void(int)> handleKeyDown;

// Puts every hook back to its default.
void ResetHooks();

}  // namespace stub_game
