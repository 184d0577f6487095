// The MIDI sequencer behind the MCI "sequencer" device: a Standard MIDI File reader (formats 0 and
// 1, tempo map, running status) and a player that sends the file's events to the FluidSynth
// synthesizer at their sample times while the mixer pulls the music.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/sound_mixer.h"

namespace platform {

// One channel message at its time in output frames (kMixRate) from the start of the tune.
struct MidiEvent {
  uint64_t frame;
  uint8_t status;
  uint8_t data1;
  uint8_t data2;
};

struct MidiSong {
  std::vector<MidiEvent> events;  // in time order
  uint64_t lengthFrames = 0;      // the end of the longest track
};

// Reads a Standard MIDI File. False (and `song` empty) when the bytes are not a format 0 or 1 file
// or any chunk, event or length runs past the data.
bool ReadMidiFile(const uint8_t* bytes, size_t size, MidiSong* song);

// Plays one song. Everything but Render runs under AudioLock on the program's thread; Render runs
// in the mix.
class Sequencer final : public MusicSource {
 public:
  MidiSong song;
  uint64_t position = 0;   // frames from the start
  size_t nextEvent = 0;    // first event not yet sent
  bool playing = false;
  // Called inside Render when a play reaches the end of the song.
  void (*onEnd)(void* user) = nullptr;
  void* onEndUser = nullptr;

  // Moves to the start or the end; stops a play and silences the notes that sound.
  void SeekToStart(fluid_synth_t* synth);
  void SeekToEnd(fluid_synth_t* synth);
  void Stop(fluid_synth_t* synth);

  void Render(fluid_synth_t* synth, float* left, float* right, int frames) override;
};

}  // namespace platform
