// Recorded playthroughs: a plain-text file of input events by frame number and of checkpoints.
//
//   # a comment
//   120 down VK_RETURN        key pressed before frame 120 runs (frames count from 0)
//   121 up VK_RETURN
//   300 move 180 400          pointer moved, client coordinates
//   301 button-down 1         1 left, 2 right
//   302 button-up 1
//   check 2400 state=2 distance=... score=... lives=... framehash=...
//
// A checkpoint is taken after `frame` frames have run (before that frame's events are delivered).
// A check line with no fields is filled in by the regeneration run.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace morv_test {

struct RecordedEvent {
  enum Kind { Down, Up, Move, ButtonDown, ButtonUp };
  int frame = 0;
  Kind kind = Down;
  int a = 0, b = 0;  // key code, or x and y, or the button
};

struct Checkpoint {
  int frame = 0;
  int line = 0;  // index into Recording::lines
  std::vector<std::pair<std::string, std::string>> fields;  // in the file's order
};

struct Recording {
  std::vector<std::string> lines;  // the file as read, for rewriting check lines
  std::vector<RecordedEvent> events;
  std::vector<Checkpoint> checks;
  std::string error;  // empty when the file parsed
  int LastFrame() const;
};

Recording ParseRecording(const std::string& text);
std::string ReadWholeFile(const std::string& path);

// Key names as recordings spell them: "VK_RETURN", "VK_LEFT", ... or one letter or digit.
int KeyFromName(const std::string& name);  // -1 when unknown
std::string KeyName(int vk);               // "" when the key has no name

std::string FormatEvent(const RecordedEvent& e);

// FNV-1a, 32 bits, over a byte buffer.
uint32_t Fnv1a(const std::vector<uint8_t>& bytes);

}  // namespace morv_test
