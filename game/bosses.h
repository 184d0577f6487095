// The two bosses: their scripts, damage, pictures, low-life fires and destruction sequences.
#pragma once

void MoveS1Boss();
void MoveS2Boss();
void UpdateS1Boss();
void UpdateS2Boss();
void FinishS1Boss();
void FinishS2Boss();
