// The seeker: steers the ship of a normal game (no O) into the enemy fire, so that the current
// revision's 999 lives run out within one game, and prints the steering as the string that
// tests/tools/make_recordings.py keeps for the profile (STEERING).
//
//   morv_seek_w480 [destructions in stage 1 before its boss is fought down] > steering.txt
//
// The game runs headless from the title: Enter, fire held from frame 12, Y every second from frame
// 600, as the recording has them. Whenever the ship comes out of a destruction (its untouchable
// recovery begins) every move of a grid, an arrow pair held for a number of frames, is tried on a
// forked copy of the game, and the one that meets a bullet soonest after the recovery wins; when
// the recovery ends without that hit near, a finer grid is tried from there. Fire is let go while
// a boss attacks and lives are still to be lost there: in stage 1 until the given number of
// destructions (40), in stage 2 until the continue. After the continue the ship is steered back
// to the middle of the lower field, the second gun (Ctrl) joins in and the seeking ends; in the
// ending Space is tapped after 300 frames. A checkpoint goes on the frame of the Y that continues.
// The last line is the length of the recording.
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "engine/profile.h"
#include "game/boss_data.h"
#include "game/game_states.h"
#include "game/player_data.h"
#include "game/stage_drivers.h"
#include "platform/user32.h"
#include "tests/support/game_driver.h"
#include "tests/support/recording.h"

namespace {

using morv_test::GameDriver;
using morv_test::RecordedEvent;
using Move = std::pair<int, int>;  // frames of Right (negative: Left), of Down (negative: Up)

constexpr int kNever = 1 << 30;
constexpr int kParallel = 4;

// A hit that destroys the ship: the flag is down outside a recovery and play is not paused.
bool Destroyed() {
  return gPlayerAlive == 0 && gPlayerRecovering == 0 && gPaused == 0 &&
         (gGameState == kStateStage1 || gGameState == kStateStage2);
}

void SortByFrame(std::vector<RecordedEvent>& events) {
  std::stable_sort(events.begin(), events.end(),
                   [](const RecordedEvent& a, const RecordedEvent& b) { return a.frame < b.frame; });
}

void AddMove(std::vector<RecordedEvent>& events, int frame, Move m) {
  auto hold = [&](int key, int frames) {
    events.push_back({frame, RecordedEvent::Down, key, 0});
    events.push_back({frame + frames, RecordedEvent::Up, key, 0});
  };
  if (m.first != 0) hold(m.first < 0 ? VK_LEFT : VK_RIGHT, std::abs(m.first));
  if (m.second != 0) hold(m.second < 0 ? VK_UP : VK_DOWN, std::abs(m.second));
}

void Deliver(GameDriver& game, const std::vector<RecordedEvent>& events, size_t& next, int frame) {
  for (; next < events.size() && events[next].frame == frame; ++next) {
    const RecordedEvent& e = events[next];
    if (e.kind == RecordedEvent::Down) game.Press(e.a);
    if (e.kind == RecordedEvent::Up) game.Release(e.a);
  }
}

size_t FirstAtOrAfter(const std::vector<RecordedEvent>& events, int frame) {
  size_t i = 0;
  while (i < events.size() && events[i].frame < frame) ++i;
  return i;
}

// The frame of the first destruction after each move made at `frame`, within `horizon` frames,
// each played on a forked copy of the game.
std::vector<int> TryMoves(GameDriver& game, const std::vector<RecordedEvent>& events, int frame,
                          const std::vector<Move>& moves, int horizon) {
  std::vector<int> hitAt(moves.size(), kNever);
  std::map<pid_t, std::pair<size_t, int>> running;  // child: move, read end of its pipe
  size_t next = 0;
  while (next < moves.size() || !running.empty()) {
    while (next < moves.size() && running.size() < kParallel) {
      int fds[2];
      if (pipe(fds) != 0) std::abort();
      const pid_t pid = fork();
      if (pid == 0) {
        close(fds[0]);
        alarm(120);
        std::vector<RecordedEvent> mine = events;
        AddMove(mine, frame, moves[next]);
        SortByFrame(mine);
        size_t i = FirstAtOrAfter(mine, frame);
        int hit = kNever;
        for (int f = frame; f < frame + horizon && hit == kNever; ++f) {
          Deliver(game, mine, i, f);
          game.Frames(1);
          if (Destroyed()) hit = f;
        }
        _exit(write(fds[1], &hit, sizeof hit) == sizeof hit ? 0 : 1);
      }
      close(fds[1]);
      running[pid] = {next, fds[0]};
      ++next;
    }
    int status = 0;
    const pid_t done = wait(&status);
    const auto it = running.find(done);
    if (it == running.end()) continue;
    int hit = kNever;
    if (read(it->second.second, &hit, sizeof hit) != sizeof hit) hit = kNever;
    close(it->second.second);
    hitAt[it->second.first] = hit;
    running.erase(it);
  }
  return hitAt;
}

// The soonest hit; of equal ones the shortest move.
size_t Best(const std::vector<int>& hitAt, const std::vector<Move>& moves) {
  auto length = [&](size_t k) { return std::abs(moves[k].first) + std::abs(moves[k].second); };
  size_t best = 0;
  for (size_t k = 1; k < moves.size(); ++k) {
    if (hitAt[k] < hitAt[best] || (hitAt[k] == hitAt[best] && length(k) < length(best))) best = k;
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  const int stage1Destructions = argc > 1 ? std::atoi(argv[1]) : 40;
  constexpr int kFirstSteer = 460;  // stage 1 moves the ship from distance 150 on

  std::vector<Move> coarse, fine;
  for (int dx : {-115, -80, -50, -25, -10, 0, 10, 25, 50, 80, 115}) {
    for (int dy : {-120, -70, -35, -15, 0, 15, 35, 70, 120}) coarse.push_back({dx, dy});
  }
  for (int dx : {-30, -15, -6, 0, 6, 15, 30}) {
    for (int dy : {-30, -15, -6, 0, 6, 15, 30}) fine.push_back({dx, dy});
  }

  GameDriver game;
  if (!game.started()) return 1;
  std::vector<RecordedEvent> events = {{6, RecordedEvent::Down, VK_RETURN, 0},
                                       {7, RecordedEvent::Up, VK_RETURN, 0},
                                       {12, RecordedEvent::Down, VK_SHIFT, 0}};
  for (int f = 600; f < 40000; f += 60) {
    events.push_back({f, RecordedEvent::Down, 'Y', 0});
    events.push_back({f + 1, RecordedEvent::Up, 'Y', 0});
  }
  std::vector<std::string> tokens;
  size_t next = 0;
  int decideAt = kFirstSteer, refineAt = -1, plannedHit = kNever;
  int destructions = 0, continues = 0, lastLives = 0, lastState = 0, lastRecovering = 0;
  int end = 40000;
  bool fire = true, wasDestroyed = false, seeking = true;

  auto steer = [&](int frame, Move m) {
    AddMove(events, frame, m);
    if (m.first != 0) tokens.push_back(std::to_string(frame) + (m.first < 0 ? "L" : "R") +
                                       std::to_string(std::abs(m.first)));
    if (m.second != 0) tokens.push_back(std::to_string(frame) + (m.second < 0 ? "U" : "D") +
                                        std::to_string(std::abs(m.second)));
    SortByFrame(events);
    next = FirstAtOrAfter(events, frame);
  };
  auto press = [&](int frame, int key, bool down, const std::string& token) {
    events.push_back({frame, down ? RecordedEvent::Down : RecordedEvent::Up, key, 0});
    SortByFrame(events);
    next = FirstAtOrAfter(events, frame);
    if (!token.empty()) tokens.push_back(std::to_string(frame) + token);
  };

  for (int frame = 0; frame < end; ++frame) {
    if (seeking && frame == decideAt) {
      const std::vector<int> hitAt = TryMoves(game, events, frame, coarse, 450);
      const size_t b = Best(hitAt, coarse);
      steer(frame, coarse[b]);
      plannedHit = hitAt[b];
      decideAt = plannedHit < kNever ? -1 : frame + 300;
    }
    if (seeking && frame == refineAt) {
      const std::vector<int> hitAt = TryMoves(game, events, frame, fine, 250);
      const size_t b = Best(hitAt, fine);
      if (hitAt[b] < plannedHit) steer(frame, fine[b]);
      refineAt = -1;
    }
    Deliver(game, events, next, frame);
    if (game.Frames(1) != 1) return 1;

    const bool destroyed = Destroyed();
    if (destroyed && !wasDestroyed) {
      ++destructions;
      std::fprintf(stderr, "%d: destruction %d, %d lives\n", frame, destructions, gLives);
    }
    wasDestroyed = destroyed;
    if (gLives == kContinueLives && lastLives <= 0 && ++continues == 1) {
      std::fprintf(stderr, "%d: continue\n", frame);
      tokens.push_back(std::to_string(frame) + "C");  // the prompt is still up before this Y
      seeking = false;
      const int x = kProfile.playerMinX + 150, y = kProfile.playerMaxY - 20;
      steer(frame + 1, {(x - static_cast<int>(gPlayerX)) * 3 / 8,
                        (y - static_cast<int>(gPlayerY)) * 3 / 8});
      press(frame + 1, VK_CONTROL, true, "X+");
    }
    lastLives = gLives;
    if (gGameState != lastState) {
      std::fprintf(stderr, "%d: state %d\n", frame, gGameState);
      if (gGameState == kStateEnding) {
        press(frame + 300, VK_SPACE, true, "S");
        press(frame + 301, VK_SPACE, false, "");
        next = FirstAtOrAfter(events, frame + 1);
      }
      if (gGameState == kStateTitle && lastState == kStateEnding) end = std::min(end, frame + 100);
      lastState = gGameState;
    }
    bool holdOff = false;
    if (gGameState == kStateStage1) {
      holdOff = gS1Boss.life > 0.0f && gS1Boss.life < 1010.0f && destructions < stage1Destructions;
    }
    if (gGameState == kStateStage2) {
      holdOff = gS2Boss.life > 0.0f && gS2Boss.life < 980.0f && continues == 0;
    }
    if (fire == holdOff && frame + 1 >= 12) {
      fire = !holdOff;
      press(frame + 1, VK_SHIFT, fire, fire ? "F+" : "F-");
      next = FirstAtOrAfter(events, frame + 1);
    }
    const int recovering = gPlayerRecovering;
    if (seeking && recovering == 1 && lastRecovering == 0 && frame + 1 >= kFirstSteer) {
      decideAt = frame + 1;
    }
    if (seeking && recovering == 0 && lastRecovering == 1 && plannedHit > frame + 8) {
      refineAt = frame + 1;
    }
    lastRecovering = recovering;
  }
  std::sort(tokens.begin(), tokens.end(), [](const std::string& a, const std::string& b) {
    return std::atoi(a.c_str()) < std::atoi(b.c_str());
  });
  for (const std::string& t : tokens) std::printf("%s ", t.c_str());
  std::printf("\n%d\n", end);
  return 0;
}
