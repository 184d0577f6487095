#include "game/stage_drivers.h"

#include <limits>
#include <span>

#include "engine/el_draw.h"
#include "engine/el_system.h"
#include "engine/midi.h"
#include "engine/profile.h"
#include "engine/shell.h"
#include "game/asset_list.h"
#include "game/backgrounds.h"
#include "game/bosses.h"
#include "game/collisions.h"
#include "game/debris.h"
#include "game/enemies.h"
#include "game/fire/boss_schedules.h"
#include "game/fire/bullet_data.h"
#include "game/fire/enemy_shots.h"
#include "game/hud.h"
#include "game/items.h"
#include "game/player_ship.h"
#include "game/player_weapons.h"
#include "game/boss_data.h"
#include "game/game_states.h"
#include "game/parking.h"
#include "game/player_data.h"
#include "game/score_data.h"
#include "game/weapon_data.h"

float gDistance;
int gStageFrameCounter;
int gS1AutoFire;
int gGameOver;
int gInPlay;
int gGameOverCountdown;
float gGameOverTimer;

namespace {

using Step = void (*)();

// Both stages run one procedure; this is what differs between them: numbers, and the stage's own
// routines for its scenery, boss, coins and debris.
struct StageRules {
  int stage;
  float distanceRate;       // distance units per second
  bool clearsFlagsOnEntry;  // pause, prompt and in-play flag cleared on the first frame
  bool startsMusic;
  bool pickupBeforeBoss;    // the pickup runs right after the missiles instead of after the enemies
  bool playerBeforeCoins;
  float playerMovesFrom;    // distance from which the ship is moved (and its keys read)
  int starModulus, starBase;      // the star field's speeds
  std::span<const Step> scenery;  // after the overlay and the stars: the stage's layers
  float bossFrom, bossTo;   // the boss section's window, both bounds open
  float timeLimit;          // distance at which the boss is destroyed whatever its life
  Boss* boss;
  Step moveBoss, updateBoss;
  Step runSchedule;  // the boss's attack; it attacks only while its life is under its bound
  Step finishBoss;
  const StageEnemies* enemies;  // the slots moved and drawn, whose dropped coins run too
  Step drawCoins, moveCoins;    // the stage's own coin pool
  std::span<const Step> debris;  // draw then move: wide debris 2, wide debris 1, the boss's
};

constexpr Step kS1Scenery[] = {ScrollBackgroundS1Near, ScrollBackgroundS1Far, DrawS1Backdrop};
constexpr Step kS2Scenery[] = {ScrollBackgroundS2Near, ScrollBackgroundS2Far};
constexpr Step kS1Debris[] = {DrawS1DebrisC, MoveS1DebrisC,    DrawS1DebrisB,
                              MoveS1DebrisB, DrawS1BossDebris, MoveS1BossDebris};
constexpr Step kS2Debris[] = {DrawS2DebrisC, MoveS2DebrisC,    DrawS2DebrisB,
                              MoveS2DebrisB, DrawS2BossDebris, MoveS2BossDebris};

const StageRules kStage1 = {
    .stage = 1,
    .distanceRate = 20.0f,
    .clearsFlagsOnEntry = true,
    .startsMusic = true,
    .pickupBeforeBoss = false,
    .playerBeforeCoins = false,
    .playerMovesFrom = 150.0f,
    .starModulus = 80,
    .starBase = 80,
    .scenery = kS1Scenery,
    .bossFrom = 1460.0f,
    .bossTo = 10100.0f,
    .timeLimit = 10000.0f,
    .boss = &gS1Boss,
    .moveBoss = MoveS1Boss,
    .updateBoss = UpdateS1Boss,
    .runSchedule = RunS1BossSchedule,
    .finishBoss = FinishS1Boss,
    .enemies = &kS1Enemies,
    .drawCoins = DrawS1Coins,
    .moveCoins = MoveS1Coins,
    .debris = kS1Debris,
};

const StageRules kStage2 = {
    .stage = 2,
    .distanceRate = 18.0f,
    .clearsFlagsOnEntry = false,
    .startsMusic = false,
    .pickupBeforeBoss = true,
    .playerBeforeCoins = true,
    .playerMovesFrom = std::numeric_limits<float>::lowest(),
    .starModulus = 130,
    .starBase = 130,
    .scenery = kS2Scenery,
    .bossFrom = 350.0f,
    .bossTo = 11100.0f,
    .timeLimit = 11000.0f,
    .boss = &gS2Boss,
    .moveBoss = MoveS2Boss,
    .updateBoss = UpdateS2Boss,
    .runSchedule = RunS2BossSchedule,
    .finishBoss = FinishS2Boss,
    .enemies = &kS2Enemies,
    .drawCoins = DrawS2Coins,
    .moveCoins = MoveS2Coins,
    .debris = kS2Debris,
};

void ContinueGame() {
  gPaused = 0;
  gContinuePrompt = 0;
  gLives = kContinueLives;
  gScore = 0;
  gPlayerRecovering = 1;
  gPlayerAlive = 1;
}

// First frame: stage 1 drops the pause, the prompt and the in-play flag and plays on. Later
// frames: while paused only "Y" under the continue prompt does anything, and nothing is drawn or
// presented, so the screen keeps the last picture. Returns false when the frame ends here.
bool EnterOrStayPaused(const StageRules& s) {
  if (gStateEntered == 1) {
    if (s.clearsFlagsOnEntry) {
      gPaused = 0;
      gContinuePrompt = 0;
      gInPlay = 0;
    }
    return true;
  }
  if (gPaused == 0) return true;
  if (gContinuePrompt == 1 && gPaused == 1 && gLastKey == 'Y') ContinueGame();
  return false;
}

// The stage music starts on the first frame of play after a reset only.
void AdvanceStageMusic() {
  ++gStageFrameCounter;
  if (gStageFrameCounter == 1) PlayMidi("MIDI/VKT1.MID", 1);
  if (gStageFrameCounter >= 100999999) gStageFrameCounter = 0;
}

// Scenery: the overlay layer, the stars, then the stage's own layers.
void DrawScenery(const StageRules& s) {
  ScrollBackgroundOverlay();
  UpdateStarField(s.starModulus, s.starBase);
  for (Step layer : s.scenery) layer();
}

// The special-weapon pickup: draw or take it, move it, spawn it in the stage's windows.
void RunPickup(const StageRules& s) {
  UpdateSpecialWeaponItem();
  MoveSpecialWeaponItem();
  RunSpecialWeaponItemWindows(s.stage);
}

// The boss's script and update, its attack schedule (which holds the life bound under which the
// boss attacks), and the time limit. The window closes at bossTo, but past the time limit the boss
// is already forced down and its destruction must still run to the change of state: a frame long
// enough to carry the distance past the window's end must not leave the stage without an end. The
// time limit reads the distance again: a boss whose destruction ended earlier in this frame has
// reset it to 0, and its fresh record must not be forced down.
void RunBossSection(const StageRules& s) {
  const bool inWindow = gDistance > s.bossFrom && gDistance < s.bossTo;
  if (!inWindow && gDistance < s.timeLimit) return;
  s.moveBoss();
  s.updateBoss();
  s.runSchedule();
  if (gDistance >= s.timeLimit) {
    s.boss->life = 0.0f;
    s.finishBoss();
  }
}

// The dropped coins of the stage's enemy slots, then the stage's own coin pool.
void RunCoins(const StageRules& s) {
  for (const SlotRow& r : s.enemies->slots) {
    DrawDroppedCoin(r.slot);
    MoveDroppedCoin(r.slot);
  }
  s.drawCoins();
  s.moveCoins();
}

// Boss-hit debris, draw then move.
void RunDebris(const StageRules& s) {
  for (Step step : s.debris) step();
}

// After the picture is shown: the ship's keys and movement (in stage 1 from distance 150 on), the
// missiles, then the hit tests.
void MoveAfterPresent(const StageRules& s) {
  if (gDistance >= s.playerMovesFrom) MovePlayer();
  MovePlayerMissiles();
  UpdateCollisions();
}

// One frame of play. Everything is drawn first, over what came before, and the frame is presented
// before anything moves, so a frame shows the positions from before its own movement.
void RunStageFrame(const StageRules& s) {
  if (!EnterOrStayPaused(s)) return;
  if (s.startsMusic) AdvanceStageMusic();
  elDraw::ClearBack();
  gDistance += gFrameTime * s.distanceRate;
  DrawScenery(s);
  DrawPlayerMissiles();
  if (s.pickupBeforeBoss) RunPickup(s);
  RunBossSection(s);
  DrawPlayerShots();
  MoveAndDrawStageEnemies(*s.enemies);
  RunEnemySpawnWindows(*s.enemies);
  if (!s.pickupBeforeBoss) RunPickup(s);
  if (s.playerBeforeCoins) {
    UpdatePlayer();
    RunCoins(s);
  } else {
    RunCoins(s);
    UpdatePlayer();
  }
  RunBossBulletPools(s.stage);
  RunEnemyShotSlots(s.stage);
  RunDebris(s);
  UpdateSpecialWeapon();
  DrawScorePanel();
  ShowContinuePrompt();
  SetVSyncWait(1);
  PresentFrame();
  MoveAfterPresent(s);
  CheckLifeAndGameOver();
}

}  // namespace

void RunS1Frame() { RunStageFrame(kStage1); }
void RunS2Frame() { RunStageFrame(kStage2); }

// When the lives run out: the continue picture, drawn once, and play frozen until "Y", "T" or Esc.
void ShowContinuePrompt() {
  if (gLives > 0 || gContinuePrompt != 0) return;
  elDraw::BltObject(kProfile.continueX, kProfile.continueY, ImageSlot(kImgCONTINU1), 0, 0, 200,
                    100);
  gContinuePrompt = 1;
  gPaused = 1;
  gPlayerAlive = 0;
  gPlayerVX = 0.0f;
  gPlayerVY = 0.0f;
  for (int i = 0; i < kPromptFreedShots; ++i) {
    gNarrowShots[i].active = 0;
    gNarrowShots[i].x = kShotParkX;
    gNarrowShots[i].y = kShotParkY;
  }
}

// Game over on wait 1. Nothing raises the in-play flag, so running out of lives is left to the
// continue prompt and this check never ends a game.
void CheckLifeAndGameOver() {
  if (elSystem::IsWaitOver(1)) {
    if (gGameOver != 0 || gInPlay != 1) {
      ChangeStateToTitle();
    } else if (--gGameOverCountdown == 0) {
      gGameOver = 1;
      StopMidi();
      elSystem::SetWait(1, 3000);
    } else {
      elSystem::SetWait(1, 1000);
    }
  }
  if (gGameOver == 0 && gInPlay == 1 && gLives <= 0) {
    gGameOverTimer += gFrameTime;
    gGameOver = 1;
    StopMidi();
    elSystem::SetWait(1, 9000);
  }
  if (gGameOverTimer >= 30.0f) {
    gGameOverTimer = 0.0f;
    ChangeStateToTitle();
  }
}
