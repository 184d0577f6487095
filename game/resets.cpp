#include "game/resets.h"

#include <cstdlib>

#include "engine/profile.h"
#include "game/background_data.h"
#include "game/boss_data.h"
#include "game/debris_data.h"
#include "game/enemy_data.h"
#include "game/fire/bullet_data.h"
#include "game/game_states.h"
#include "game/item_data.h"
#include "game/parking.h"
#include "game/player_data.h"
#include "game/score_data.h"
#include "game/stage_drivers.h"
#include "game/weapon_data.h"
#include "platform/crt.h"

namespace {

void StackTiles(BackgroundTile (&layer)[kBackgroundTileCount], float x) {
  for (int i = 0; i < kBackgroundTileCount; ++i) {
    layer[i].x = x;
    layer[i].y = -480.0f * static_cast<float>(i);
  }
}

void ParkSpecialWeaponItem() {
  gSpecialWeaponItem.x = kParkX;
  gSpecialWeaponItem.y = kParkY;
  gSpecialWeaponItem.vy = 0.0f;
  gSpecialWeaponItem.active = 0;
  gSpecialWeaponItem.taken = 0;
}

template <int N>
void ParkShots(PlayerShot (&shots)[N]) {
  for (PlayerShot& s : shots) s = {kShotParkX, kShotParkY, 0, 0, 0};
}

template <int N>
void KillDebris(DebrisFragment (&table)[N]) {
  for (DebrisFragment& f : table) f = {kDebrisParkX, kDebrisParkY, 0};
}

template <int N>
void ParkCoins(Coin (&coins)[N]) {
  for (Coin& c : coins) c = {kParkX, kParkY, 0.0f, 0, 0, 0, 0};
}

void ParkBoss(Boss& boss, float life) {
  boss.x = kParkX;
  boss.y = kParkY;
  boss.scriptTimer = 0.0f;
  boss.life = life;
  boss.deathTimer = 0.0f;
}

template <int N>
void ClearBursts(BossBurst (&bursts)[N]) {
  for (BossBurst& b : bursts) b = {};
}

void ResetPlayerState() {
  gPlayerAlive = 1;
  gPlayerVX = 0.0f;
  gPlayerVY = 0.0f;
  gPlayerFacing = 0;
  gPlayerRecovering = 0;
  gRecoveryTimer = 0;
  gJetFrame = 0;
  gShipCellKeyboard = 3;
  gShipCellMouse = 0;
}

void ResetWeaponState() {
  gNarrowCounter = 0;
  gBurstCounter = 0;
  gWideCounter = 0;
  gSpreadCounter = 0;
  gMissileCounter = 0;
  gNarrowFlash = 0;
  gWideFlash = 0;
  gSpreadFlash = 0;
  gBeamCounter = 0;
}

void ResetFlow() {
  gDistance = 0.0f;
  gStageFrameCounter = 0;
  gPaused = 0;
  gContinuePrompt = 0;
  gGameOver = 0;
  gInPlay = 0;
  gGameOverCountdown = 800;
  gClearEnemyShots = 0;
}

void ResetPlayerPools() {
  ParkShots(gNarrowShots);
  ParkShots(gWideShots);
  ParkShots(gSpreadShots);
  ParkShots(gSpreadShotTable);
  for (BeamFrame& b : gBeamFrames) b = {kShotParkX, kShotParkY, 0};
  for (BurstShot& b : gBurstShots) b = {kShotParkX, kShotParkY, b.speed, 0.0f, 0};
  for (PlayerMissile& m : gPlayerMissiles) m = {kShotParkX, kShotParkY, m.speed, 0, kRestHeading};
  // The phase counter goes back to 0 with the rest: a fragment that kept it through a reset in
  // mid-explosion would count on from there, and once past 250 no explosion would ever end.
  for (PlayerFragment& f : gPlayerFragments) {
    f = {kParkX, kParkY, kRestHeading, 0.0f, 0, 0, 0, 0, 0, 0};
  }
}

void ResetDebris() {
  KillDebris(gS1BossDebris);
  KillDebris(gS2BossDebris);
  KillDebris(gBigTarget1Debris);
  KillDebris(gBigTarget2Debris);
  KillDebris(gBigTarget3Debris);
  KillDebris(gS1DebrisB);
  KillDebris(gS1DebrisC);
  KillDebris(gS2DebrisB);
  KillDebris(gS2DebrisC);
}

void ResetEnemies() {
  for (Enemy& e : gEnemies) {
    e.explosionPass = 0;
    e.explosionFrame = 0;
    e.flameFrame = 0;
    e.explosionStyle = rand() % 4;
    e.x = kParkX;
    e.y = kParkY;
    e.vx = 0.0f;
    e.vy = 0.0f;
    e.patternTimer = 0.0f;
    e.active = 0;
    e.hit = 0;
  }
}

void ResetStars() {
  for (Star& s : gStars) {
    s.colour = rand() % 7;
    const int x = rand() % 1240;
    const int y = rand() % 480;
    s.x = static_cast<float>(x - 400);
    s.y = static_cast<float>(y);
    s.dx = 0.0f;
    s.speed = static_cast<float>(rand() % 100 + 100);
  }
}

}  // namespace

void ResetPlayObjects() {
  const float fieldX = static_cast<float>(kProfile.fieldX);
  const float tallY = static_cast<float>(kProfile.tallOffsetY);
  gS1Backdrop = {-40.0f + fieldX, 120.0f + tallY};
  StackTiles(gBackS1Far, -40.0f + fieldX);
  StackTiles(gBackS2Far, -40.0f + fieldX);
  StackTiles(gBackS1Near, -40.0f + fieldX);
  StackTiles(gBackS2Near, -40.0f + fieldX);
  StackTiles(gBackOverlay, kParkX);
  gS1AutoFire = 0;
  gPlayLevel = 0;
  gScore = 0;
  gLives = kProfile.newGameLives;
  gPlayerX = 150.0f + fieldX;
  gPlayerY = 400.0f + tallY;
  ParkSpecialWeaponItem();
  gWeaponPower = 0;
}

void ResetGameState() {
  srand(static_cast<unsigned>(TimeNow()));
  ParkSpecialWeaponItem();
  ResetPlayerState();
  ResetWeaponState();
  ResetFlow();
  ResetPlayerPools();
  ResetDebris();
  ResetEnemies();
  ParkCoins(gDroppedCoins);
  ResetBulletPool(kPoolEnemyShots);
  ResetBulletPool(kPoolEnemyBursts);
  ResetStars();
}

void ResetGamePools() {
  ParkBoss(gS1Boss, kS1BossLife);
  gS1Boss.hit = 0;
  gS1BossFireFrame = 0;
  gS1WaveCounter = 0;
  for (int& c : gS1SpiralCounters) c = 0;
  gS1FlyBy = {kParkX, kParkY, 0.0f};
  ClearBursts(gS1DeathBigBursts);
  ClearBursts(gS1DeathSmallBursts);

  // The stage-2 boss keeps its hit flag.
  ParkBoss(gS2Boss, kS2BossLife);
  gS2BossFireFrame = 0;
  gS2WaveCounter = 0;
  gS2FlyBy = {kParkX, kParkY, 0.0f};
  ClearBursts(gS2DeathBigBursts);
  ClearBursts(gS2DeathSmallBursts);
  ClearBursts(gBossDamageBursts);

  gBigTarget1 = {kParkX, kParkY, 0.0f, 1500.0f, 0.0f, 0};
  gBigTarget2 = {kParkX, kParkY, 0.0f, 1000.0f, 0.0f, 0};
  gBigTarget3 = {kParkX, kParkY, 0.0f, 1000.0f, 0.0f, 0};

  ParkCoins(gS1Coins);
  ParkCoins(gS1CoinsB);
  ParkCoins(gS2Coins);

  for (int id = 0; id < kBulletPoolCount; ++id) {
    if (kBulletPools[id].stage != 0) ResetBulletPool(static_cast<BulletPoolId>(id));
  }
}
