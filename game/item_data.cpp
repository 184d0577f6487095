#include "game/item_data.h"

Coin gDroppedCoins[kDroppedCoinCount];
Coin gS1Coins[kStageCoinCount];
Coin gS1CoinsB[kStageCoinCount];
Coin gS2Coins[kStageCoinCount];
SpecialWeaponItem gSpecialWeaponItem;
