// Fuzz target: WAVE bytes loaded by elSound from a file and from a "WAVE" resource, then played
// through the mixer for a moment.
#include <stdlib.h>

#include <cstdio>
#include <string>

#include "engine/el_sound.h"
#include "engine/profile.h"
#include "platform/dsound.h"
#include "platform/host_headless.h"
#include "platform/kernel32.h"

namespace {

struct Setup {
  platform::HeadlessHost host;
  std::string file;
  IDirectSound* keepOpen = nullptr;  // keeps the audio device open between the runs
  // The engine reads the program's profile; naming it here links it in ahead of the engine.
  const DisplayProfile* profile = &kProfile;

  Setup() {
    char pattern[] = "/tmp/morv-fuzz-wave-XXXXXX";
    if (mkdtemp(pattern) == nullptr) abort();
    host.module_path = std::string(pattern) + "/morventica";
    file = std::string(pattern) + "/F.WAV";
    platform::SetHost(&host);
    DirectSoundCreate(nullptr, &keepOpen, nullptr);
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Setup* s = new Setup;
  FILE* f = std::fopen(s->file.c_str(), "wb");
  if (f == nullptr) return 0;
  if (size > 0) std::fwrite(data, 1, size, f);
  std::fclose(f);
  platform::ClearResources();
  platform::AddResource("R.WAV", "WAVE", 0, std::vector<uint8_t>(data, data + size));

  InitDirectSound();
  elSound::Play(elSound::LoadObject("F.WAV", 2), -2);
  elSound::Play(elSound::LoadObject("R.WAV", 1), -1);
  s->host.RenderAudio(256);
  ReleaseSound();
  s->host.box_texts.clear();
  s->host.box_captions.clear();
  s->host.box_styles.clear();
  return 0;
}
