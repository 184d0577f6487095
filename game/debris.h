// Debris that springs from the burst gun's hits on the bosses and the big targets.
#pragma once

void SpawnS1BossDebris();
void SpawnS2BossDebris();
void SpawnBigTarget1Debris();
void SpawnBigTarget2Debris();
void SpawnBigTarget3Debris();
void DrawS1DebrisC();
void MoveS1DebrisC();
void DrawS1DebrisB();
void MoveS1DebrisB();
void DrawS1BossDebris();
void MoveS1BossDebris();
void DrawS2DebrisC();
void MoveS2DebrisC();
void DrawS2DebrisB();
void MoveS2DebrisB();
void DrawS2BossDebris();
void MoveS2BossDebris();
