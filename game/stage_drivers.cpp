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

// Both stages run one procedure; this is what differs between them.
struct StageRules {
  int stage;
  float distanceRate;       // distance units per second
  bool clearsFlagsOnEntry;  // pause, prompt and in-play flag cleared on the first frame
  bool startsMusic;
  bool pickupBeforeBoss;    // the pickup runs right after the missiles instead of after the enemies
  bool playerBeforeCoins;
  float playerMovesFrom;    // distance from which the ship is moved (and its keys read)
  float bossFrom, bossTo;   // the boss section's window, both bounds open
  float timeLimit;          // distance at which the boss is destroyed whatever its life
  float attackLifeBound;    // the boss attacks while 0 < life < this
  Boss* boss;
  std::span<const int> enemySlots;
};

constexpr int kS1EnemySlots[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14};
constexpr int kS2EnemySlots[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 15, 16, 17, 18, 19, 20};

const StageRules kStage1 = {
    .stage = 1,
    .distanceRate = 20.0f,
    .clearsFlagsOnEntry = true,
    .startsMusic = true,
    .pickupBeforeBoss = false,
    .playerBeforeCoins = false,
    .playerMovesFrom = 150.0f,
    .bossFrom = 1460.0f,
    .bossTo = 10100.0f,
    .timeLimit = 10000.0f,
    .attackLifeBound = 1010.0f,
    .boss = &gS1Boss,
    .enemySlots = kS1EnemySlots,
};

const StageRules kStage2 = {
    .stage = 2,
    .distanceRate = 18.0f,
    .clearsFlagsOnEntry = false,
    .startsMusic = false,
    .pickupBeforeBoss = true,
    .playerBeforeCoins = true,
    .playerMovesFrom = std::numeric_limits<float>::lowest(),
    .bossFrom = 350.0f,
    .bossTo = 11100.0f,
    .timeLimit = 11000.0f,
    .attackLifeBound = 980.0f,
    .boss = &gS2Boss,
    .enemySlots = kS2EnemySlots,
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

// Scenery: the overlay layer, the stars, the stage's near and far layers, stage 1's backdrop.
void DrawScenery(const StageRules& s) {
  ScrollBackgroundOverlay();
  if (s.stage == 1) {
    UpdateStarField(80, 80);
    ScrollBackgroundS1Near();
    ScrollBackgroundS1Far();
    DrawS1Backdrop();
  } else {
    UpdateStarField(130, 130);
    ScrollBackgroundS2Near();
    ScrollBackgroundS2Far();
  }
}

// The special-weapon pickup: draw or take it, move it, spawn it in the stage's windows.
void RunPickup(const StageRules& s) {
  UpdateSpecialWeaponItem();
  MoveSpecialWeaponItem();
  RunSpecialWeaponItemWindows(s.stage);
}

// The boss's script and update, its attack schedule while 0 < life < the attack bound, and the time
// limit. The window closes at bossTo, but past the time limit the boss is already forced down and
// its destruction must still run to the change of state: a frame long enough to carry the distance
// past the window's end must not leave the stage without an end. The time limit reads the distance
// again: a boss whose destruction ended earlier in this frame has reset it to 0, and its fresh
// record must not be forced down.
void RunBossSection(const StageRules& s) {
  const bool inWindow = gDistance > s.bossFrom && gDistance < s.bossTo;
  if (!inWindow && gDistance < s.timeLimit) return;
  if (s.stage == 1) {
    MoveS1Boss();
    UpdateS1Boss();
  } else {
    MoveS2Boss();
    UpdateS2Boss();
  }
  if (s.boss->life > 0.0f && s.boss->life < s.attackLifeBound) {
    if (s.stage == 1) {
      RunS1BossSchedule();
    } else {
      RunS2BossSchedule();
    }
  }
  if (gDistance >= s.timeLimit) {
    s.boss->life = 0.0f;
    if (s.stage == 1) {
      FinishS1Boss();
    } else {
      FinishS2Boss();
    }
  }
}

// The dropped coins of the stage's enemy slots, then the stage's own coin pool.
void RunCoins(const StageRules& s) {
  for (int slot : s.enemySlots) {
    DrawDroppedCoin(slot);
    MoveDroppedCoin(slot);
  }
  if (s.stage == 1) {
    DrawS1Coins();
    MoveS1Coins();
  } else {
    DrawS2Coins();
    MoveS2Coins();
  }
}

// Boss-hit debris, draw then move: wide debris 2, wide debris 1, the boss's debris.
void RunDebris(const StageRules& s) {
  if (s.stage == 1) {
    DrawS1DebrisC();
    MoveS1DebrisC();
    DrawS1DebrisB();
    MoveS1DebrisB();
    DrawS1BossDebris();
    MoveS1BossDebris();
  } else {
    DrawS2DebrisC();
    MoveS2DebrisC();
    DrawS2DebrisB();
    MoveS2DebrisB();
    DrawS2BossDebris();
    MoveS2BossDebris();
  }
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
  MoveAndDrawStageEnemies(s.stage);
  RunEnemySpawnWindows(s.stage);
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
