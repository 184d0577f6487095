// Shared pieces of the sound suite: small WAVE and MIDI files built in memory, and a headless start
// of the program with sound opened as the screen start-up opens it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/el_sound.h"
#include "platform/dsound.h"
#include "tests/support/app_fixture.h"

namespace sound_test {

using Bytes = std::vector<uint8_t>;

struct Chunk {
  std::string id;  // four characters
  Bytes data;
  int64_t claimedSize = -1;  // the size written in the header; -1: the real size
};

// "RIFF" <size> <form> and the chunks, each padded to an even length.
Bytes RiffFile(const char* form, const std::vector<Chunk>& chunks, int64_t claimedSize = -1);
Bytes PcmFormat(int channels, int rate, int bits);  // a 16-byte "fmt " chunk
Bytes Tone16(int frames, int amplitude, int period);  // 16-bit mono square wave
// A PCM WAVE file with the plain 44-byte header holding Tone16(frames, amplitude, 50).
Bytes ToneWave(int rate, int frames, int amplitude = 8000);

// A Standard MIDI File with the given tracks (event bytes without the end-of-track event).
Bytes MidiFile(int format, int division, const std::vector<Bytes>& tracks);
// Format 0 at 120 bpm, division 96 (96 ticks = 0.5 s): two loud notes from 0 for `noteTicks`,
// the tune ending at `endTicks`.
Bytes OneNoteTune(int noteTicks, int endTicks);

// Largest sample magnitude in stereo frames [from, to).
int Peak(const std::vector<int16_t>& stereo, int from, int to);

class SoundTest : public morv_test::AppFixture {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Starts the program and opens sound and music as the screen start-up does.
  void StartWithSound();
  void WriteData(const std::string& relative, const Bytes& bytes);
  IDirectSoundBuffer* Buffer(int sound, int index) { return gSoundObjects[sound].buffers[index]; }
  bool IsPlaying(IDirectSoundBuffer* buffer);
  // Loop passes until the queued messages are dispatched and a frame ran.
  void DispatchMessages() { RunUntilFrame(); }
  std::string MidiMode();  // the "status midi mode" reply, or "error" when the command fails
};

}  // namespace sound_test
