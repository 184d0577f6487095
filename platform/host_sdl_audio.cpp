// SdlHost, audio part: the SDL audio device, pulled by the program's mixer from SDL's callback.
#include <cstring>

#include "platform/host_sdl.h"
#include "platform/sound_mixer.h"

namespace platform {

bool SdlHost::OpenAudio(int rate, AudioPullFn pull, void* user) {
  if (audio_device_ != 0) CloseAudio();
  if (SDL_WasInit(SDL_INIT_AUDIO) == 0 && SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  pull_ = pull;
  pull_user_ = user;
  SDL_AudioSpec want;
  std::memset(&want, 0, sizeof(want));
  want.freq = rate;
  want.format = AUDIO_S16SYS;
  want.channels = 2;
  want.samples = 1024;
  want.callback = &SdlHost::AudioCallback;
  want.userdata = this;
  SDL_AudioSpec have;
  // No changes allowed: whatever the device really runs at, SDL converts our stream for it, so
  // the mixer always works at `rate`.
  audio_device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (audio_device_ == 0) {
    pull_ = nullptr;
    pull_user_ = nullptr;
    return false;
  }
  SDL_PauseAudioDevice(audio_device_, 0);
  // A player's program should not stall a frame loading the music's instruments on its first
  // tune: they load in the background from now on.
  LoadSoundFontEarly();
  return true;
}

void SdlHost::CloseAudio() {
  if (audio_device_ == 0) return;
  // Waits for a running callback to finish: the mixer may free its state right after.
  SDL_CloseAudioDevice(audio_device_);
  audio_device_ = 0;
  pull_ = nullptr;
  pull_user_ = nullptr;
}

void SdlHost::LockAudio() {
  if (audio_device_ != 0) SDL_LockAudioDevice(audio_device_);
}

void SdlHost::UnlockAudio() {
  if (audio_device_ != 0) SDL_UnlockAudioDevice(audio_device_);
}

void SdlHost::AudioCallback(void* self, Uint8* stream, int len) {
  auto* host = static_cast<SdlHost*>(self);
  const int frames = len / static_cast<int>(2 * sizeof(int16_t));
  if (host->pull_ == nullptr) {
    std::memset(stream, 0, static_cast<size_t>(len));
    return;
  }
  host->pull_(host->pull_user_, reinterpret_cast<int16_t*>(stream), frames);
}

}  // namespace platform
