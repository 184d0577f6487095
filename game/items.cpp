#include "game/items.h"

void SpawnDroppedCoin(int) {}
void DrawDroppedCoin(int) {}
void MoveDroppedCoin(int) {}
void DrawS1Coins() {}
void MoveS1Coins() {}
void DrawS2Coins() {}
void MoveS2Coins() {}
void SpawnSpecialWeaponItem() {}
void MoveSpecialWeaponItem() {}
void UpdateSpecialWeaponItem() {}
void RunSpecialWeaponItemWindows(int) {}
