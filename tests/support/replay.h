// Recorded input played into a running game frame by frame, as the recording's events fell, with
// its checkpoints handed back to the caller at their frames.
#pragma once

#include <functional>
#include <string>

#include "tests/support/game_driver.h"
#include "tests/support/recording.h"

namespace morv_test {

// One recorded event, delivered to the game at its next pass.
void Deliver(GameDriver& game, const RecordedEvent& e);

// Plays `rec` from where the game is now, that moment counting as the recording's frame 0: for
// each frame from 0 to the recording's last, the checkpoints of that frame go to `check` (after
// that many frames have run), the events of that frame are delivered, then one frame runs (none
// after the last). Returns the number of frames run: fewer than LastFrame() only when the program
// quit on the way.
int Replay(GameDriver& game, Recording& rec, const std::function<void(Checkpoint&)>& check);

// A checkpoint field's value in the running game, as recordings spell it: "state", "distance",
// "score", "lives" or "framehash" (a hash of the presented picture); "?" for any other key.
std::string CheckpointValue(const std::string& key, const GameDriver& game);

}  // namespace morv_test
