#include "game/fire/volley_spawners.h"

void SpawnS1AimedFanShotsA(int, int) {}
void SpawnS1AimedFanShotsB(int, int) {}
void SpawnS1AimedFanShotsC(int, int) {}
void SpawnS1AimedFanShotsD(int, int) {}
void SpawnS1ArcShots(int, int) {}
void SpawnS1DriftShotsA(int, int) {}
void SpawnS1DriftShotsB(int, int) {}
void SpawnS1FallingShotsA(int, int) {}
void SpawnS1FallingShotsB(int, int) {}
void SpawnS1FallingShotsC(int, int) {}
void SpawnS1FallingShotsD(int, int) {}
void SpawnS1FallingShotsE(int, int) {}
void SpawnS1PairShots(int, int) {}
void SpawnS1SpiralShotsA(int, int) {}
void SpawnS1SpiralShotsB(int, int) {}
void SpawnS1SpiralShotsC(int, int) {}
void SpawnS1SpiralShotsD(int, int) {}
void SpawnS1SpiralShotsE(int, int) {}
void SpawnS1SpiralShotsF(int, int) {}
void SpawnS2AimedFanShotsA(int, int) {}
void SpawnS2AimedFanShotsB(int, int) {}
void SpawnS2AimedFanShotsC(int, int) {}
void SpawnS2AimedFanShotsD(int, int) {}
void SpawnS2AimedFanShotsE(int, int) {}
void SpawnS2AimedFanShotsF(int, int) {}
void SpawnS2AimedFanShotsG(int, int) {}
void SpawnS2DiagonalShotsA(int, int) {}
void SpawnS2DiagonalShotsB(int, int) {}
void SpawnS2DiagonalShotsC(int, int) {}
void SpawnS2DiagonalShotsD(int, int) {}
void SpawnS2DiagonalShotsE(int, int) {}
void SpawnS2DiagonalShotsF(int, int) {}
void SpawnS2DriftShotsA(int, int) {}
void SpawnS2DriftShotsB(int, int) {}
void SpawnS2DriftShotsC(int, int) {}
void SpawnS2FallingShotsC(int, int) {}
void SpawnS2FallingShotsD(int, int) {}
void SpawnS2FallingShotsE(int, int) {}
void SpawnS2FallingShotsF(int, int) {}
void SpawnS2FanShotsF(int, int) {}
void SpawnS2FanShotsG(int, int) {}
void SpawnS2FanShotsH(int, int) {}
void SpawnS2FanShotsI(int, int) {}
void SpawnS2FanShotsJ(int, int) {}
void SpawnS2RingShotsA(int) {}
void SpawnS2RingShotsB(int) {}
