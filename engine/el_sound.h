// elSound: DirectSound effects with duplicate buffers, loaded from RIFF WAVE files or resources.
#pragma once

#include <cstdint>

inline constexpr int kSoundObjectCount = 70;
inline constexpr int kSoundMaxBuffers = 10;

class elSound {
 public:
  static int LoadObject(const char* name, int count);  // sound number, or -1
  static void Play(int sound, int buffer);
  static void ResetPan(int sound, int buffer);
  static void ResetFrequency(int sound, int buffer);
  static void ResetVolume(int sound, int buffer);
  static int ResetStream(int sound);
};

int InitDirectSound();
void ReleaseSound();
