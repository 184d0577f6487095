// Fuzz target: the Standard MIDI File reader. A file it accepts must come out as events in time
// order that all lie within the tune.
#include <cstddef>
#include <cstdint>

#include "platform/midi_synth.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  platform::MidiSong song;
  if (!platform::ReadMidiFile(data, size, &song)) {
    if (!song.events.empty() || song.lengthFrames != 0) __builtin_trap();
    return 0;
  }
  uint64_t last = 0;
  for (const platform::MidiEvent& e : song.events) {
    if (e.frame < last || e.frame > song.lengthFrames) __builtin_trap();
    if (e.status < 0x80 || e.status >= 0xF0 || e.data1 > 0x7F || e.data2 > 0x7F) __builtin_trap();
    last = e.frame;
  }
  return 0;
}
