// Coins dropped by enemies, the stage coin pools, and the special-weapon pickup.
#pragma once

void SpawnDroppedCoin(int n);
void DrawDroppedCoin(int n);
void MoveDroppedCoin(int n);
void DrawS1Coins();
void MoveS1Coins();
void DrawS2Coins();
void MoveS2Coins();
void SpawnSpecialWeaponItem();
void MoveSpecialWeaponItem();
void UpdateSpecialWeaponItem();
// SpawnSpecialWeaponItem on every frame on which the distance lies in one of the stage's windows.
void RunSpecialWeaponItemWindows(int stage);
