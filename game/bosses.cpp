#include "game/bosses.h"

#include <cstdlib>
#include <iterator>
#include <limits>

#include "engine/el_draw.h"
#include "engine/el_sound.h"
#include "engine/profile.h"
#include "engine/shell.h"
#include "game/asset_list.h"
#include "game/boss_data.h"
#include "game/game_states.h"
#include "game/parking.h"
#include "game/resets.h"

namespace {

// What a boss band does to the boss or the fly-by picture.
enum class BandAction {
  kFlyByHold,   // draw the fly-by where it is, then put it at its start below the field
  kFlyByRise,   // draw it, then it rises; above the field it is parked
  kPlace,       // the boss stands at (x, y)
  kMoveY,       // the boss moves down at `speed`
  kMoveX,       // the boss moves sideways at `speed` (negative: to the left)
};

// One band of a boss script: applies while the script timer lies in it. `from` is open when
// `fromOpen` is set; `to` is always closed.
struct ScriptBand {
  float from, to;
  bool fromOpen;
  BandAction action;
  float x, y;   // kPlace: position; kFlyBy..: the fly-by's x (both x before the field offset)
  float speed;  // kMoveY, kMoveX: the boss's speed; kFlyByHold: the fly-by's rising speed
};

constexpr ScriptBand Hold(float from, float to, float x, float speed) {
  return {from, to, false, BandAction::kFlyByHold, x, 0.0f, speed};
}
constexpr ScriptBand Rise(float from, float to, float x) {
  return {from, to, true, BandAction::kFlyByRise, x, 0.0f, 0.0f};
}
constexpr ScriptBand PlaceOpen(float from, float to, float x, float y) {
  return {from, to, true, BandAction::kPlace, x, y, 0.0f};
}
constexpr ScriptBand Place(float from, float to, float x, float y) {
  return {from, to, false, BandAction::kPlace, x, y, 0.0f};
}
constexpr ScriptBand Down(float from, float to, float speed) {
  return {from, to, false, BandAction::kMoveY, 0.0f, 0.0f, speed};
}
constexpr ScriptBand Side(float from, float to, float speed) {
  return {from, to, false, BandAction::kMoveX, 0.0f, 0.0f, speed};
}

// Stage 1: the fly-by, the entry from above, then the boss stays at its place; the timer loops
// inside the last band.
constexpr ScriptBand kS1Script[] = {
    Hold(0, 20, -60, 400),       Rise(21, 59, -60),   PlaceOpen(60, 90, -40, -360),
    Down(91, 135, 80),           Place(135, 162, -40, 0),
};

// Stage 2: the fly-by, the entry, then the sideways sway that loops from 331 back to 145.
constexpr ScriptBand kS2Script[] = {
    Hold(0, 13, -70, 500),  Rise(14, 59, -70),     PlaceOpen(60, 90, -70, -400),
    Down(91, 135, 93),      Place(135, 162, -70, 0), Side(162, 171, 80),
    Side(172, 190, -80),    Side(191, 200, 80),    Side(201, 210, 100),
    Side(211, 220, -100),   Side(221, 230, -100),  Side(231, 240, 100),
    Place(241, 250, -70, 0), Side(251, 270, 100),  Side(271, 290, -100),
    Side(291, 310, -100),   Side(311, 330, 100),
};

// A band in the life of a boss: (lo, hi].
struct LifeBand {
  float lo, hi;
};
constexpr bool InBand(float life, LifeBand b) { return life > b.lo && life <= b.hi; }

// While the life lies in one of these the boss shakes with explosions.
constexpr LifeBand kDamageBands[] = {{470, 530}, {270, 330}, {120, 180}};

// The stage-2 boss's picture by life; outside every band nothing is drawn.
struct PictureBand {
  LifeBand life;
  ImageId image;
};
constexpr PictureBand kS2Pictures[] = {
    {{500, 1000}, kImgBOSS71},
    {{300, 500}, kImgBOSS71_1},
    {{150, 300}, kImgBOSS71_2},
    {{-100, 150}, kImgBOSS71_3},
};

// A fire cell of the low-life fires: offset from the boss, moving down 28 px per fire frame.
struct FireSpot {
  int dx, dy;
};

struct BossRules {
  Boss* boss;
  BossFlyBy* flyBy;
  ImageId flyByImage;
  int flyByW, flyByH;
  const ScriptBand* script;
  int scriptBands;
  float loopAt, loopTo;  // t >= loopAt after the bands: t := loopTo
  const PictureBand* pictures;
  int pictureCount;
  int pictureW, pictureH;
  bool clearsHitFlag;
  FireSpot fires90[2];   // while 0 < life <= 90
  FireSpot fires70[2];   // while 0 < life <= 70
  int* fireFrame;
  BossBurst* deathBig;
  BossBurst* deathSmall;
  int spreadW, spreadH;  // the destruction bursts' spread
  int nextState, steps;
};

// The stage-1 boss shows one picture at every life.
constexpr PictureBand kS1Pictures[] = {
    {{std::numeric_limits<float>::lowest(), std::numeric_limits<float>::max()}, kImgBOSS11}};

const BossRules kS1Rules = {
    .boss = &gS1Boss,
    .flyBy = &gS1FlyBy,
    .flyByImage = kImgBOS111,
    .flyByW = 480,
    .flyByH = 480,
    .script = kS1Script,
    .scriptBands = static_cast<int>(std::size(kS1Script)),
    .loopAt = 160,
    .loopTo = 138,
    .pictures = kS1Pictures,
    .pictureCount = static_cast<int>(std::size(kS1Pictures)),
    .pictureW = 440,
    .pictureH = 360,
    .clearsHitFlag = true,
    .fires90 = {{140, 50}, {220, 50}},
    .fires70 = {{60, 100}, {300, 100}},
    .fireFrame = &gS1BossFireFrame,
    .deathBig = gS1DeathBigBursts,
    .deathSmall = gS1DeathSmallBursts,
    .spreadW = 440,
    .spreadH = 360,
    .nextState = kStateStage2,
    .steps = kStepsToStage2,
};

const BossRules kS2Rules = {
    .boss = &gS2Boss,
    .flyBy = &gS2FlyBy,
    .flyByImage = kImgBOSS71,
    .flyByW = 500,
    .flyByH = 400,
    .script = kS2Script,
    .scriptBands = static_cast<int>(std::size(kS2Script)),
    .loopAt = 331,
    .loopTo = 145,
    .pictures = kS2Pictures,
    .pictureCount = static_cast<int>(std::size(kS2Pictures)),
    .pictureW = 500,
    .pictureH = 400,
    .clearsHitFlag = false,
    .fires90 = {{150, 70}, {270, 70}},
    .fires70 = {{90, 0}, {330, 0}},
    .fireFrame = &gS2BossFireFrame,
    .deathBig = gS2DeathBigBursts,
    .deathSmall = gS2DeathSmallBursts,
    .spreadW = 500,
    .spreadH = 350,
    .nextState = kStateEnding,
    .steps = kStepsToEnding,
};

// Every band is a real interval and the bands follow one another in the order of the script.
template <size_t N>
constexpr bool BandsInOrder(const ScriptBand (&bands)[N]) {
  for (size_t i = 0; i < N; ++i) {
    if (bands[i].from > bands[i].to) return false;
    if (i > 0 && bands[i].from < bands[i - 1].from) return false;
  }
  return true;
}
static_assert(BandsInOrder(kS1Script) && BandsInOrder(kS2Script));
static_assert(std::size(kS2Script) == 17);

constexpr int kBigBurstCell = 160;
constexpr int kBigBurstLastFrame = 3;
constexpr int kSmallBurstCell = 60;
constexpr int kSmallBurstLastFrame = 9;
constexpr int kFireCell = 80;
constexpr int kFireLastFrame = 9;
constexpr int kDamageSpreadW = 440;
constexpr int kDamageSpreadH = 360;
constexpr float kScriptRate = 10.0f;  // script and death timers, units per second
constexpr float kDeathTime = 70.0f;

void PlayBom() { elSound::Play(gSndBom, -1); }

void DrawFlyBy(const BossRules& r) {
  elDraw::BltObject(static_cast<int>(r.flyBy->x), static_cast<int>(r.flyBy->y),
                    ImageSlot(r.flyByImage), 0, 0, r.flyByW, r.flyByH);
}

void ApplyBand(const BossRules& r, const ScriptBand& b) {
  Boss& boss = *r.boss;
  BossFlyBy& fly = *r.flyBy;
  const float fieldX = static_cast<float>(kProfile.fieldX);
  switch (b.action) {
    case BandAction::kFlyByHold:
      DrawFlyBy(r);
      fly = {b.x + fieldX, static_cast<float>(kProfile.bossEntryY), b.speed};
      break;
    case BandAction::kFlyByRise:
      DrawFlyBy(r);
      fly.x = b.x + fieldX;
      fly.y -= fly.speed * gFrameTime;
      if (fly.y < -480.0f) fly = {kParkX, kParkY, 0.0f};
      break;
    case BandAction::kPlace:
      boss.x = b.x + fieldX;
      boss.y = b.y;
      break;
    case BandAction::kMoveY:
      boss.y += b.speed * gFrameTime;
      break;
    case BandAction::kMoveX:
      boss.x += b.speed * gFrameTime;
      break;
  }
}

void RunScript(const BossRules& r) {
  float& t = r.boss->scriptTimer;
  t += kScriptRate * gFrameTime;
  for (int i = 0; i < r.scriptBands; ++i) {
    const ScriptBand& b = r.script[i];
    const bool afterFrom = b.fromOpen ? t > b.from : t >= b.from;
    if (afterFrom && t <= b.to) ApplyBand(r, b);
  }
  if (t >= r.loopAt) t = r.loopTo;
}

// Draws a burst's cell at its stored spot and steps its frame.
void DrawBurst(BossBurst& b, int slot, int cell, int lastFrame) {
  elDraw::BltObject(static_cast<int>(b.x), static_cast<int>(b.y), slot, cell * b.frame, 0,
                    cell * b.frame + cell, cell);
  if (++b.frame > lastFrame) b.frame = 0;
}

// Moves a burst to a random spot: the x offset is drawn first.
void ScatterBurst(BossBurst& b, const Boss& boss, int w, int h, int dx, int dy) {
  const int rx = rand() % w;
  const int ry = rand() % h;
  b.x = boss.x + static_cast<float>(rx) - static_cast<float>(dx);
  b.y = boss.y + static_cast<float>(ry) - static_cast<float>(dy);
}

void DrawDamageBursts(const Boss& boss) {
  bool inBand = false;
  for (LifeBand band : kDamageBands) inBand = inBand || InBand(boss.life, band);
  if (!inBand) return;
  for (BossBurst& b : gBossDamageBursts) {
    DrawBurst(b, ImageSlot(kImgBBAK1B), kBigBurstCell, kBigBurstLastFrame);
    ScatterBurst(b, boss, kDamageSpreadW, kDamageSpreadH, 100, 100);
    PlayBom();
  }
}

void DrawBossPicture(const BossRules& r) {
  const Boss& boss = *r.boss;
  for (int i = 0; i < r.pictureCount; ++i) {
    if (!InBand(boss.life, r.pictures[i].life)) continue;
    elDraw::BltObject(static_cast<int>(boss.x), static_cast<int>(boss.y),
                      ImageSlot(r.pictures[i].image), 0, 0, r.pictureW, r.pictureH);
    return;
  }
}

void DrawFires(const Boss& boss, const FireSpot (&spots)[2], int c) {
  for (FireSpot s : spots) {
    elDraw::BltObject(static_cast<int>(boss.x + static_cast<float>(s.dx)),
                      static_cast<int>(boss.y + static_cast<float>(s.dy + 28 * c)),
                      ImageSlot(kImgZBAK3B), kFireCell * c, 0, kFireCell * c + kFireCell,
                      kFireCell);
  }
}

void DrawLowLifeFires(const BossRules& r) {
  const Boss& boss = *r.boss;
  const int c = *r.fireFrame;
  if (boss.life > 0.0f && boss.life <= 90.0f) DrawFires(boss, r.fires90, c);
  if (boss.life > 0.0f && boss.life <= 70.0f) DrawFires(boss, r.fires70, c);
}

// One step of the destruction: the stage's bursts, one explosion sound, the death timer; past 7
// units of 10 the game data is reset and the next state comes in behind the break-up transition,
// whose snapshot is the back buffer as far as this frame has drawn it.
void DestructionStep(const BossRules& r) {
  Boss& boss = *r.boss;
  if (boss.life > 0.0f) return;
  for (int i = 0; i < kBigBurstCount; ++i) {
    DrawBurst(r.deathBig[i], ImageSlot(kImgBBAK1B), kBigBurstCell, kBigBurstLastFrame);
    ScatterBurst(r.deathBig[i], boss, r.spreadW, r.spreadH, 100, 0);
  }
  for (int i = 0; i < kSmallBurstCount; ++i) {
    DrawBurst(r.deathSmall[i], ImageSlot(kImgZBAK1B), kSmallBurstCell, kSmallBurstLastFrame);
    ScatterBurst(r.deathSmall[i], boss, r.spreadW, r.spreadH, 40, 0);
  }
  PlayBom();
  boss.deathTimer += kScriptRate * gFrameTime;
  if (boss.deathTimer > kDeathTime) {
    ResetGameState();
    ResetGamePools();
    ChangeStateWithTransition(r.nextState, r.steps);
  }
}

void UpdateBoss(const BossRules& r) {
  Boss& boss = *r.boss;
  DrawDamageBursts(boss);
  DrawBossPicture(r);
  if (r.clearsHitFlag && boss.hit != 0) boss.hit = 0;
  DrawLowLifeFires(r);
  if (++*r.fireFrame > kFireLastFrame) *r.fireFrame = 0;
  DestructionStep(r);
}

}  // namespace

void MoveS1Boss() { RunScript(kS1Rules); }
void MoveS2Boss() { RunScript(kS2Rules); }
void UpdateS1Boss() { UpdateBoss(kS1Rules); }
void UpdateS2Boss() { UpdateBoss(kS2Rules); }
void FinishS1Boss() { DestructionStep(kS1Rules); }
void FinishS2Boss() { DestructionStep(kS2Rules); }
