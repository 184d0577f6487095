// The sequencer's player: sends the song's events to the synthesizer at their sample times and
// renders the synthesizer between them.
#include <fluidsynth.h>

#include <algorithm>

#include "platform/midi_synth.h"

namespace platform {

namespace {

void Send(fluid_synth_t* synth, const MidiEvent& e) {
  const int channel = e.status & 0x0F;
  switch (e.status & 0xF0) {
    case 0x80: fluid_synth_noteoff(synth, channel, e.data1); break;
    case 0x90: fluid_synth_noteon(synth, channel, e.data1, e.data2); break;
    case 0xA0: fluid_synth_key_pressure(synth, channel, e.data1, e.data2); break;
    case 0xB0: fluid_synth_cc(synth, channel, e.data1, e.data2); break;
    case 0xC0: fluid_synth_program_change(synth, channel, e.data1); break;
    case 0xD0: fluid_synth_channel_pressure(synth, channel, e.data1); break;
    case 0xE0: fluid_synth_pitch_bend(synth, channel, e.data1 | (e.data2 << 7)); break;
    default: break;
  }
}

// Releases every sounding note and puts the controllers back, as the sequencer does when a play
// is stopped or moved.
void Silence(fluid_synth_t* synth) {
  if (synth == nullptr) return;
  for (int channel = 0; channel < 16; ++channel) {
    fluid_synth_all_notes_off(synth, channel);
    fluid_synth_cc(synth, channel, 64, 0);   // sustain pedal up
    fluid_synth_cc(synth, channel, 121, 0);  // reset all controllers
  }
}

}  // namespace

void Sequencer::SeekToStart(fluid_synth_t* synth) {
  Stop(synth);
  position = 0;
  nextEvent = 0;
}

void Sequencer::SeekToEnd(fluid_synth_t* synth) {
  Stop(synth);
  position = song.lengthFrames;
  nextEvent = song.events.size();
}

void Sequencer::Stop(fluid_synth_t* synth) {
  if (playing) Silence(synth);
  playing = false;
}

void Sequencer::Render(fluid_synth_t* synth, float* left, float* right, int frames) {
  int done = 0;
  while (done < frames) {
    int chunk = frames - done;
    if (playing) {
      while (nextEvent < song.events.size() && song.events[nextEvent].frame <= position) {
        Send(synth, song.events[nextEvent++]);
      }
      if (position >= song.lengthFrames) {
        // The end of the tune: the notes still held are released and the owner is told.
        playing = false;
        for (int channel = 0; channel < 16; ++channel) fluid_synth_all_notes_off(synth, channel);
        if (onEnd != nullptr) onEnd(onEndUser);
        continue;
      }
      uint64_t until = song.lengthFrames;
      if (nextEvent < song.events.size()) until = std::min(until, song.events[nextEvent].frame);
      chunk = static_cast<int>(std::min<uint64_t>(static_cast<uint64_t>(chunk), until - position));
    }
    fluid_synth_write_float(synth, chunk, left + done, 0, 1, right + done, 0, 1);
    if (playing) position += static_cast<uint64_t>(chunk);
    done += chunk;
  }
}

}  // namespace platform
