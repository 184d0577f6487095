#include "tests/support/replay.h"

#include <cstdio>

#include "game/game_states.h"
#include "game/player_data.h"
#include "game/score_data.h"
#include "game/stage_drivers.h"

namespace morv_test {

void Deliver(GameDriver& game, const RecordedEvent& e) {
  switch (e.kind) {
    case RecordedEvent::Down: game.Press(e.a); break;
    case RecordedEvent::Up: game.Release(e.a); break;
    case RecordedEvent::Move: game.MoveMouse(e.a, e.b); break;
    case RecordedEvent::ButtonDown: game.MouseDown(e.a); break;
    case RecordedEvent::ButtonUp: game.MouseUp(e.a); break;
  }
}

int Replay(GameDriver& game, Recording& rec, const std::function<void(Checkpoint&)>& check) {
  size_t next_event = 0, next_check = 0;
  const int last = rec.LastFrame();
  for (int frame = 0;; ++frame) {
    for (; next_check < rec.checks.size() && rec.checks[next_check].frame == frame; ++next_check) {
      check(rec.checks[next_check]);
    }
    for (; next_event < rec.events.size() && rec.events[next_event].frame == frame; ++next_event) {
      Deliver(game, rec.events[next_event]);
    }
    if (frame >= last) return frame;
    if (game.Frames(1) != 1) return frame;
  }
}

std::string CheckpointValue(const std::string& key, const GameDriver& game) {
  char text[32];
  if (key == "state") return std::to_string(gGameState);
  if (key == "distance") {
    std::snprintf(text, sizeof text, "%.9g", static_cast<double>(gDistance));
    return text;
  }
  if (key == "score") return std::to_string(gScore);
  if (key == "lives") return std::to_string(gLives);
  if (key == "framehash") {
    std::snprintf(text, sizeof text, "%08x", Fnv1a(game.Picture()));
    return text;
  }
  return "?";
}

}  // namespace morv_test
