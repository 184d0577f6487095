// Coins and the special-weapon pickup.
#pragma once

#include <cstdint>

struct Coin {
  float x, y;  // top-left of the 30 x 30 picture
  float vy;    // pixels per second
  int32_t active;
  int32_t collected;     // 1 once touched: the sparkle runs
  int32_t sparklePass;
  int32_t sparkleFrame;  // 0 to 9
};
inline constexpr int kDroppedCoinCount = 21;  // coin n belongs to enemy slot n
inline constexpr int kStageCoinCount = 30;
extern Coin gDroppedCoins[kDroppedCoinCount];
extern Coin gS1Coins[kStageCoinCount];
extern Coin gS1CoinsB[kStageCoinCount];
extern Coin gS2Coins[kStageCoinCount];

struct SpecialWeaponItem {
  float x, y;  // top-left of the 60 x 60 picture
  float vy;
  int32_t active;
  int32_t taken;
};
extern SpecialWeaponItem gSpecialWeaponItem;
