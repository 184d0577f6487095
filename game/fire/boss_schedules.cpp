#include "game/fire/boss_schedules.h"

#include <array>
#include <initializer_list>
#include <span>

#include "game/boss_data.h"
#include "game/fire/bullet_data.h"
#include "game/fire/emitter_rows.h"
#include "game/fire/fire_rules.h"
#include "game/fire/pattern_emitters.h"
#include "game/game_states.h"
#include "game/player_data.h"

// ---- Volleys ------------------------------------------------------------------------------------

namespace {

using VolleySpeeds = std::array<float, 5>;
constexpr VolleySpeeds kS1VolleySpeeds{260.0f, 280.0f, 300.0f, 320.0f, 340.0f};
constexpr VolleySpeeds kS2VolleySpeeds{170.0f, 200.0f, 230.0f, 250.0f, 270.0f};

// Heading offsets, in steps of 18 degrees.
constexpr float kTurn1 = 0.3141593f;
constexpr float kTurn2 = 0.6283185f;
constexpr float kTurn3 = 0.9424778f;

// A volley: its pool, the boss it fires from, the muzzle (mx, my) from the boss's corner, the aim
// offset added to both of the player's coordinates, the heading offset and the speed of each slot.
struct Volley {
  BulletPoolId pool;
  const Boss* boss;
  float mx, my;
  float aim;
  float turn;
  VolleySpeeds speeds;
};

constexpr Volley S1(BulletPoolId pool, float mx, float aim, float turn) {
  return {pool, &gS1Boss, mx, 100.0f, aim, turn, kS1VolleySpeeds};
}
constexpr Volley S2(BulletPoolId pool, float mx, float aim, float turn) {
  return {pool, &gS2Boss, mx, 100.0f, aim, turn, kS2VolleySpeeds};
}

constexpr Volley kVolleys[] = {
    S1(kPoolS1VolleyShotsA, 90.0f, 20.0f, 0.0f),
    S1(kPoolS1VolleyShotsB, 105.0f, 15.0f, 0.0f),
    S1(kPoolS1VolleyShotsC, 85.0f, 15.0f, kTurn1),
    S1(kPoolS1VolleyShotsD, 85.0f, 9.0f, 0.0f),
    S1(kPoolS1VolleyShotsE, 85.0f, 9.0f, -kTurn1),
    S1(kPoolS1VolleyShotsF, 325.0f, 15.0f, kTurn1),
    S1(kPoolS1VolleyShotsG, 325.0f, 15.0f, 0.0f),
    S1(kPoolS1VolleyShotsH, 325.0f, 15.0f, -kTurn1),
    S1(kPoolS1VolleyShotsI, 330.0f, 20.0f, 0.0f),
    S1(kPoolS1VolleyShotsJ, 305.0f, 15.0f, 0.0f),
    S2(kPoolS2VolleyShotsA, 355.0f, 15.0f, 0.0f),
    S2(kPoolS2VolleyShotsB, 355.0f, 15.0f, kTurn1),
    S2(kPoolS2VolleyShotsC, 355.0f, 15.0f, kTurn2),
    S2(kPoolS2VolleyShotsD, 115.0f, 15.0f, kTurn3),
    S2(kPoolS2VolleyShotsE, 115.0f, 15.0f, kTurn2),
    S2(kPoolS2VolleyShotsF, 115.0f, 15.0f, kTurn1),
    S2(kPoolS2VolleyShotsG, 115.0f, 15.0f, 0.0f),
    S2(kPoolS2VolleyShotsH, 115.0f, 15.0f, -kTurn1),
    S2(kPoolS2VolleyShotsI, 115.0f, 15.0f, -kTurn2),
    S2(kPoolS2VolleyShotsJ, 355.0f, 15.0f, -kTurn3),
    S2(kPoolS2VolleyShotsK, 355.0f, 15.0f, -kTurn2),
    S2(kPoolS2VolleyShotsL, 355.0f, 15.0f, -kTurn1),
};
static_assert(std::size(kVolleys) == 22);
static_assert(fire::EachPoolOnce(kVolleys), "a volley pool has two emitters");
constexpr bool VolleysFitTheirPools() {
  for (const Volley& v : kVolleys) {
    if (kBulletPools[v.pool].type != ShotType::Aimed) return false;
    if (kBulletPools[v.pool].count != static_cast<int>(v.speeds.size())) return false;
  }
  return true;
}
static_assert(VolleysFitTheirPools(), "a volley's speed row does not match its pool");

void FireVolley(const Volley& v, std::span<AimedShot> records) {
  for (AimedShot& r : records) {
    if (r.active != 0) continue;
    r.active = 1;
    r.x = r.x0 = v.boss->x + v.mx;
    r.y = r.y0 = v.boss->y + v.my;
    for (size_t j = 0; j < records.size(); ++j) records[j].speed = v.speeds[j];
    r.dx = (gPlayerX + v.aim) - r.x;
    r.dy = (gPlayerY + v.aim) - r.y;
    r.angle = fire::AimAngle(r.dx, r.dy, v.turn);
  }
}

template <BulletPoolId id>
void Fire() {
  constexpr int row = fire::RowOfPool(kVolleys, id);
  static_assert(row >= 0, "this pool has no volley");
  FireVolley(kVolleys[row], Pool<id>());
}

}  // namespace

void FireS1VolleyShotsA() { Fire<kPoolS1VolleyShotsA>(); }
void FireS1VolleyShotsB() { Fire<kPoolS1VolleyShotsB>(); }
void FireS1VolleyShotsC() { Fire<kPoolS1VolleyShotsC>(); }
void FireS1VolleyShotsD() { Fire<kPoolS1VolleyShotsD>(); }
void FireS1VolleyShotsE() { Fire<kPoolS1VolleyShotsE>(); }
void FireS1VolleyShotsF() { Fire<kPoolS1VolleyShotsF>(); }
void FireS1VolleyShotsG() { Fire<kPoolS1VolleyShotsG>(); }
void FireS1VolleyShotsH() { Fire<kPoolS1VolleyShotsH>(); }
void FireS1VolleyShotsI() { Fire<kPoolS1VolleyShotsI>(); }
void FireS1VolleyShotsJ() { Fire<kPoolS1VolleyShotsJ>(); }
void FireS2VolleyShotsA() { Fire<kPoolS2VolleyShotsA>(); }
void FireS2VolleyShotsB() { Fire<kPoolS2VolleyShotsB>(); }
void FireS2VolleyShotsC() { Fire<kPoolS2VolleyShotsC>(); }
void FireS2VolleyShotsD() { Fire<kPoolS2VolleyShotsD>(); }
void FireS2VolleyShotsE() { Fire<kPoolS2VolleyShotsE>(); }
void FireS2VolleyShotsF() { Fire<kPoolS2VolleyShotsF>(); }
void FireS2VolleyShotsG() { Fire<kPoolS2VolleyShotsG>(); }
void FireS2VolleyShotsH() { Fire<kPoolS2VolleyShotsH>(); }
void FireS2VolleyShotsI() { Fire<kPoolS2VolleyShotsI>(); }
void FireS2VolleyShotsJ() { Fire<kPoolS2VolleyShotsJ>(); }
void FireS2VolleyShotsK() { Fire<kPoolS2VolleyShotsK>(); }
void FireS2VolleyShotsL() { Fire<kPoolS2VolleyShotsL>(); }

// ---- Schedules ----------------------------------------------------------------------------------

namespace {

using Emitter = void (*)();
inline constexpr int kMaxRowEmitters = 12;

// When a row may run besides its window: always, or only in the score modes that no game of this
// program sets (mode 2, or the second mode 1).
enum class RowGate { Always, ScoreMode };

// A schedule row: an inclusive window of counts and the emitters it calls, in order.
struct ScheduleRow {
  int low, high;
  std::array<Emitter, kMaxRowEmitters> emitters;
  int emitterCount;
  RowGate gate;
};

constexpr ScheduleRow Row(int low, int high, std::initializer_list<Emitter> emitters,
                          RowGate gate = RowGate::Always) {
  ScheduleRow row{low, high, {}, 0, gate};
  for (Emitter e : emitters) row.emitters[row.emitterCount++] = e;
  return row;
}
template <size_t N>
constexpr ScheduleRow Row(int low, int high, const std::array<Emitter, N>& emitters) {
  static_assert(N <= kMaxRowEmitters);
  ScheduleRow row{low, high, {}, static_cast<int>(N), RowGate::Always};
  for (size_t i = 0; i < N; ++i) row.emitters[i] = emitters[i];
  return row;
}

// Stage 1's two three-way side fans.
constexpr std::array<Emitter, 6> kS1SideVolleys{FireS1VolleyShotsC, FireS1VolleyShotsD,
                                                FireS1VolleyShotsE, FireS1VolleyShotsF,
                                                FireS1VolleyShotsG, FireS1VolleyShotsH};
// Stage 2's two six-way fans.
constexpr std::array<Emitter, 12> kS2Volleys{
    FireS2VolleyShotsD, FireS2VolleyShotsE, FireS2VolleyShotsF, FireS2VolleyShotsG,
    FireS2VolleyShotsH, FireS2VolleyShotsI, FireS2VolleyShotsJ, FireS2VolleyShotsK,
    FireS2VolleyShotsL, FireS2VolleyShotsA, FireS2VolleyShotsB, FireS2VolleyShotsC};
constexpr std::array<Emitter, 9> kS2SmallFans{
    FireS2SmallFanShotsH, FireS2SmallFanShotsI, FireS2SmallFanShotsJ,
    FireS2SmallFanShotsK, FireS2SmallFanShotsL, FireS2SmallFanShotsM,
    FireS2SmallFanShotsN, FireS2SmallFanShotsO, FireS2SmallFanShotsP};

constexpr ScheduleRow kS1Rows[] = {
    Row(1, 200, {TickS1AimedFanShotsD}),
    Row(600, 900, {TickS1AimedFanShotsD}),
    Row(1400, 1900, {TickS1AimedFanShotsD}),
    Row(2300, 2800, {FireS1VolleyShotsB, FireS1VolleyShotsJ}),
    Row(3300, 3600, {FireS1VolleyShotsB, FireS1VolleyShotsJ}),
    Row(3600, 4250, kS1SideVolleys),
    Row(1, 3000, {TickS1SpiralShotsC, TickS1SpiralShotsD}),
    Row(1400, 4300, {TickS1SpiralShotsA, TickS1SpiralShotsB}),
    Row(2000, 4300, {TickS1SpiralShotsE, TickS1SpiralShotsF}),
    Row(100, 170, {FireS1VolleyShotsB, FireS1VolleyShotsJ}),
    Row(170, 200, kS1SideVolleys),
    Row(100, 200, {FireS1VolleyShotsA, FireS1VolleyShotsI}, RowGate::ScoreMode),
    Row(200, 300, {TickS1AimedFanShotsC}),
    Row(250, 460, {TickS1AimedFanShotsA}),
    Row(400, 580, {TickS1AimedFanShotsB}),
    Row(400, 500, {FireS1VolleyShotsA, FireS1VolleyShotsI}, RowGate::ScoreMode),
    Row(500, 600, {TickS1FallingShotsA, TickS1PairShots}),
    Row(600, 800, {TickS1FallingShotsB, TickS1FallingShotsC}),
    Row(600, 720, {FireS1VolleyShotsB, FireS1VolleyShotsJ}),
    Row(720, 760, kS1SideVolleys),
    Row(800, 900, {TickS1DriftShotsA, TickS1DriftShotsB, TickS1FallingShotsA, TickS1PairShots}),
    Row(900, 1100, {TickS1ArcShots}),
    Row(1100, 1400, kS1SideVolleys),
};

constexpr ScheduleRow kS2Rows[] = {
    Row(200, 250, {TickS2FanShotsI, TickS2FanShotsJ, TickS2FanShotsG, TickS2FanShotsH}),
    Row(250, 400, {TickS2FanShotsI, TickS2FanShotsJ, TickS2FanShotsG, TickS2FanShotsH}),
    Row(300, 500, {FireS2CurvingShotsA, FireS2CurvingShotsB}),
    Row(350, 380, kS2Volleys),
    Row(400, 500, {TickS2RingShotsA, TickS2RingShotsB}),
    Row(450, 500, {TickS2FanShotsF}),
    Row(500, 700, {TickS2FanShotsG, TickS2FanShotsH}),
    Row(480, 580, {TickS2FallingShotsC, TickS2DriftShotsA}),
    Row(580, 700, {TickS2DriftShotsB, TickS2DriftShotsC}),
    Row(800, 900, kS2Volleys),
    Row(700, 900, {FireS2CurvingShotsA, FireS2CurvingShotsB}),
    Row(700, 1000, {TickS2FanShotsG, TickS2FanShotsH}),
    Row(750, 1100, {TickS2FanShotsI, TickS2FanShotsJ}),
    Row(1050, 1300, {TickS2DriftShotsB, TickS2DriftShotsC}),
    Row(1320, 1500, {TickS2AimedFanShotsD, TickS2AimedFanShotsE}),
    Row(1520, 1800, {TickS2AimedFanShotsF, TickS2AimedFanShotsG}),
    Row(1820, 2000, {TickS2AimedFanShotsA}),
    Row(2020, 2300, {TickS2AimedFanShotsB, TickS2AimedFanShotsC}),
    Row(1, 30, kS2SmallFans),
};

// A boss's schedule: its record, its wave counter, the life bound under which it attacks, the count
// after which the counter wraps to 0, and its rows in the order they are walked.
struct BossSchedule {
  const Boss* boss;
  int* waveCounter;
  float attackBound;
  int wrap;
  std::span<const ScheduleRow> rows;
};
constexpr BossSchedule kS1Schedule{&gS1Boss, &gS1WaveCounter, 1010.0f, 4300, kS1Rows};
constexpr BossSchedule kS2Schedule{&gS2Boss, &gS2WaveCounter, 980.0f, 2300, kS2Rows};

constexpr bool RowsFit(const BossSchedule& s) {
  for (const ScheduleRow& r : s.rows) {
    if (r.low < 1 || r.low > r.high || r.high > s.wrap) return false;
    if (r.emitterCount < 1 || r.emitterCount > kMaxRowEmitters) return false;
  }
  return true;
}
static_assert(RowsFit(kS1Schedule), "a stage-1 row lies outside the cycle or has no emitters");
static_assert(RowsFit(kS2Schedule), "a stage-2 row lies outside the cycle or has no emitters");

bool GateOpen(RowGate gate) {
  return gate == RowGate::Always || gScoreMode == 2 || gScoreMode2 == 1;
}

void RunBossSchedule(const BossSchedule& s) {
  const float life = s.boss->life;
  if (!(life > 0.0f && life < s.attackBound)) return;
  const int count = *s.waveCounter + 1;
  *s.waveCounter = count;
  for (const ScheduleRow& r : s.rows) {
    if (count < r.low || count > r.high || !GateOpen(r.gate)) continue;
    for (int i = 0; i < r.emitterCount; ++i) r.emitters[i]();
  }
  if (count >= s.wrap) *s.waveCounter = 0;
}

}  // namespace

void RunS1BossSchedule() { RunBossSchedule(kS1Schedule); }
void RunS2BossSchedule() { RunBossSchedule(kS2Schedule); }
