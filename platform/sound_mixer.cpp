#include "platform/sound_mixer.h"

#include <fluidsynth.h>

#include <algorithm>
#include <cmath>
#include <thread>

#include "platform/host.h"

namespace platform {

namespace {

// Where a General MIDI soundfont is installed, in order of preference. The small TimGM6mb font
// first: loaded whole it holds about 14 MB, where the Fluid R3 font holds about 150 MB for the
// handful of programs the game's two tunes use.
constexpr const char* kSoundFonts[] = {
    "/usr/share/sounds/sf2/TimGM6mb.sf2",
    "/usr/share/sounds/sf2/FluidR3_GM.sf2",
    "/usr/share/sounds/sf2/default-GM.sf2",
};

constexpr int kBlockFrames = 256;
constexpr double kMusicGain = 0.55;

// Never destroyed: the host's audio thread may still run while the program's statics go away.
struct MixerState {
  int users = 0;
  std::vector<MixChannel*> channels;
  MusicSource* music = nullptr;
  fluid_settings_t* settings = nullptr;
  fluid_synth_t* synth = nullptr;
  bool soundFontLoaded = false;  // read by the mix: the music renders from here on
  // Loading the soundfont as soon as the device opens, on a thread of its own, so that the first
  // tune finds it ready. Until the loader is joined only it touches the synthesizer.
  bool loadEarly = false;
  std::thread loader;
  bool loaderFound = false;
};

MixerState& Mixer() {
  static MixerState* state = new MixerState;
  return *state;
}

// The synthesizer's float output as a sample; held to a few times full scale so that the sum
// over every source cannot overflow before the final clip.
inline int32_t MusicSample(float v) {
  return static_cast<int32_t>(std::lrint(std::clamp(v, -4.0f, 4.0f) * 32767.0f));
}

void Pull(void*, int16_t* stereo, int frames) {
  MixerState& m = Mixer();
  int32_t mix[kBlockFrames * 2];
  float left[kBlockFrames];
  float right[kBlockFrames];
  while (frames > 0) {
    const int n = std::min(frames, kBlockFrames);
    std::fill(mix, mix + n * 2, 0);
    for (MixChannel* c : m.channels) {
      if (c->playing) MixChannelInto(*c, mix, n);
    }
    if (m.synth != nullptr && m.soundFontLoaded) {
      std::fill(left, left + n, 0.0f);
      std::fill(right, right + n, 0.0f);
      if (m.music != nullptr) {
        m.music->Render(m.synth, left, right, n);
      } else {
        fluid_synth_write_float(m.synth, n, left, 0, 1, right, 0, 1);
      }
      for (int i = 0; i < n; ++i) {
        mix[i * 2] += MusicSample(left[i]);
        mix[i * 2 + 1] += MusicSample(right[i]);
      }
    }
    for (int i = 0; i < n * 2; ++i) {
      stereo[i] = static_cast<int16_t>(std::clamp(mix[i], -32768, 32767));
    }
    stereo += n * 2;
    frames -= n;
  }
}

void QuietLog(int, const char*, void*) {}

void CreateSynth(MixerState& m) {
  // Only errors reach the console; FluidSynth's own audio driver is never started.
  fluid_set_log_function(FLUID_WARN, QuietLog, nullptr);
  fluid_set_log_function(FLUID_INFO, QuietLog, nullptr);
  fluid_set_log_function(FLUID_DBG, QuietLog, nullptr);
  m.settings = new_fluid_settings();
  if (m.settings == nullptr) return;
  fluid_settings_setnum(m.settings, "synth.sample-rate", kMixRate);
  fluid_settings_setint(m.settings, "synth.lock-memory", 0);
  fluid_settings_setint(m.settings, "synth.cpu-cores", 1);
  // The synthesizer's own default (0.2) leaves the tunes some 27 dB under the effects of a fight.
  fluid_settings_setnum(m.settings, "synth.gain", kMusicGain);
  m.synth = new_fluid_synth(m.settings);
  if (m.synth == nullptr) {
    delete_fluid_settings(m.settings);
    m.settings = nullptr;
  }
}

// Loads the first soundfont of the list that the synthesizer accepts.
bool LoadFirstSoundFont(fluid_synth_t* synth) {
  for (const char* path : kSoundFonts) {
    if (fluid_is_soundfont(path) && fluid_synth_sfload(synth, path, 1) != FLUID_FAILED) {
      return true;
    }
  }
  return false;
}

void DestroySynth(MixerState& m) {
  if (m.loader.joinable()) m.loader.join();
  if (m.synth != nullptr) delete_fluid_synth(m.synth);
  if (m.settings != nullptr) delete_fluid_settings(m.settings);
  m.synth = nullptr;
  m.settings = nullptr;
  m.soundFontLoaded = false;
}

float DecibelGain(long hundredths) {
  if (hundredths <= -10000) return 0.0f;
  if (hundredths >= 0) return 1.0f;
  return static_cast<float>(std::pow(10.0, static_cast<double>(hundredths) / 2000.0));
}

inline int SampleAt(const MixChannel& c, uint32_t frame, int channel) {
  const uint8_t* p = c.data.data() + static_cast<size_t>(frame) * c.blockAlign;
  if (c.bits == 8) return (static_cast<int>(p[channel]) - 128) << 8;
  return static_cast<int16_t>(static_cast<uint16_t>(p[channel * 2]) |
                              (static_cast<uint16_t>(p[channel * 2 + 1]) << 8));
}

}  // namespace

AudioLock::AudioLock() { CurrentHost().LockAudio(); }
AudioLock::~AudioLock() { CurrentHost().UnlockAudio(); }

bool AcquireAudioOutput() {
  MixerState& m = Mixer();
  if (m.users > 0) {
    ++m.users;
    return true;
  }
  CreateSynth(m);
  if (!CurrentHost().OpenAudio(kMixRate, Pull, nullptr)) {
    DestroySynth(m);
    return false;
  }
  m.users = 1;
  if (m.loadEarly && m.synth != nullptr) {
    fluid_synth_t* synth = m.synth;
    m.loader = std::thread([&m, synth] { m.loaderFound = LoadFirstSoundFont(synth); });
  }
  return true;
}

void LoadSoundFontEarly() { Mixer().loadEarly = true; }

void ReleaseAudioOutput() {
  MixerState& m = Mixer();
  if (m.users <= 0) return;
  if (--m.users > 0) return;
  CurrentHost().CloseAudio();
  DestroySynth(m);
  m.channels.clear();
  m.music = nullptr;
}

void AttachChannel(MixChannel* channel) { Mixer().channels.push_back(channel); }

void DetachChannel(MixChannel* channel) {
  auto& list = Mixer().channels;
  list.erase(std::remove(list.begin(), list.end(), channel), list.end());
}

void SetMusicSource(MusicSource* source) { Mixer().music = source; }

fluid_synth_t* AudioSynth() { return Mixer().synth; }

bool LoadSoundFont() {
  MixerState& m = Mixer();
  if (m.synth == nullptr) return false;
  if (m.soundFontLoaded) return true;
  bool found;
  if (m.loader.joinable()) {
    m.loader.join();
    found = m.loaderFound;
  } else {
    found = LoadFirstSoundFont(m.synth);
  }
  if (!found) return false;
  AudioLock lock;
  m.soundFontLoaded = true;
  return true;
}

void GainsFor(long volume, long pan, float* left, float* right) {
  const float v = DecibelGain(volume);
  // Panning attenuates the far side only: +10000 silences the left channel.
  *left = v * (pan > 0 ? DecibelGain(-pan) : 1.0f);
  *right = v * (pan < 0 ? DecibelGain(pan) : 1.0f);
}

void MixChannelInto(MixChannel& c, int32_t* mix, int frames) {
  if (c.frames == 0 || c.frequency == 0) {
    c.playing = false;
    return;
  }
  const uint64_t step = (static_cast<uint64_t>(c.frequency) << 32) / kMixRate;
  const uint64_t end = static_cast<uint64_t>(c.frames) << 32;
  const int right = c.channels > 1 ? 1 : 0;
  for (int i = 0; i < frames; ++i) {
    if (c.position >= end) {
      if (!c.looping) {
        c.playing = false;
        c.position = end;
        return;
      }
      c.position %= end;
    }
    const uint32_t f0 = static_cast<uint32_t>(c.position >> 32);
    uint32_t f1 = f0 + 1;
    if (f1 >= c.frames) f1 = c.looping ? 0 : f0;
    const float t = static_cast<float>(c.position & 0xFFFFFFFFu) * (1.0f / 4294967296.0f);
    const int l0 = SampleAt(c, f0, 0), l1 = SampleAt(c, f1, 0);
    const int r0 = SampleAt(c, f0, right), r1 = SampleAt(c, f1, right);
    const float l = static_cast<float>(l0) + static_cast<float>(l1 - l0) * t;
    const float r = static_cast<float>(r0) + static_cast<float>(r1 - r0) * t;
    mix[i * 2] += static_cast<int32_t>(l * c.gainLeft);
    mix[i * 2 + 1] += static_cast<int32_t>(r * c.gainRight);
    c.position += step;
  }
}

}  // namespace platform
