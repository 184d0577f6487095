// The software mixer behind DirectSound and the MIDI sequencer: it owns the host's audio device and
// the one FluidSynth synthesizer, and fills the device's stream with every playing sound buffer
// (each resampled from its own frequency, with its pan and volume) plus the music.
//
// The device opens with its first user (DirectSound or the sequencer) and closes with its last.
// State that the mix reads is changed only between LockAudio and UnlockAudio (AudioLock below); the
// mix itself runs on the host's audio thread and never calls into the game.
#pragma once

#include <cstdint>
#include <vector>

typedef struct _fluid_synth_t fluid_synth_t;

namespace platform {

inline constexpr int kMixRate = 44100;

// One sound buffer as the mixer plays it. The owner fills it; the mixer reads it under the lock.
struct MixChannel {
  std::vector<uint8_t> data;  // the samples, 8-bit unsigned or 16-bit signed, interleaved
  int channels = 1;
  int bits = 16;
  int blockAlign = 2;         // bytes per frame
  uint32_t frames = 0;        // whole frames in `data`
  bool playing = false;
  bool looping = false;
  uint64_t position = 0;      // playing position in frames, 32.32 fixed point
  uint32_t frequency = 22050; // Hz
  float gainLeft = 1.0f;
  float gainRight = 1.0f;
};

// Something that renders music into the mix (the sequencer). Called on the audio thread.
struct MusicSource {
  virtual void Render(fluid_synth_t* synth, float* left, float* right, int frames) = 0;

 protected:
  ~MusicSource() = default;
};

// Brackets a change to what the mixer reads.
class AudioLock {
 public:
  AudioLock();
  ~AudioLock();
  AudioLock(const AudioLock&) = delete;
  AudioLock& operator=(const AudioLock&) = delete;
};

// Opens the audio device (and creates the synthesizer) for the first user; false when the host
// has no audio device. Each successful call is matched by one ReleaseAudioOutput.
bool AcquireAudioOutput();
void ReleaseAudioOutput();

// Both are called under AudioLock.
void AttachChannel(MixChannel* channel);
void DetachChannel(MixChannel* channel);
void SetMusicSource(MusicSource* source);  // nullptr: no music

// The synthesizer of the open device, or nullptr. LoadSoundFont loads the General MIDI soundfont
// into it once (not under AudioLock: it takes a while); false when no soundfont can be loaded.
fluid_synth_t* AudioSynth();
bool LoadSoundFont();
// Asks for the soundfont to be loaded in the background as soon as the device opens (the player's
// host does), so that starting the first tune does not hold up a frame. LoadSoundFont then waits
// for that load. The music still starts only with the first LoadSoundFont.
void LoadSoundFontEarly();

// Gains for a DirectSound volume and pan in hundredths of a decibel.
void GainsFor(long volume, long pan, float* left, float* right);

// Adds `channel` into `mix` (interleaved stereo, `frames` frames) at the output rate, advancing
// its position; stops a channel that is not looping at its end.
void MixChannelInto(MixChannel& channel, int32_t* mix, int frames);

}  // namespace platform
