// elSound: DirectSound effects with duplicate buffers, loaded from RIFF WAVE files or resources.
#pragma once

#include <cstdint>

inline constexpr int kSoundObjectCount = 70;
inline constexpr int kSoundMaxBuffers = 10;

class IDirectSound;
class IDirectSoundBuffer;
struct WAVEFORMATEX;

// One loaded sound: a sample held in 1 to 10 identical buffers played in turn.
struct SoundObject {
  int32_t loaded;          // 0 free, 1 loaded
  int32_t bufferCount;     // 1 to 10
  int32_t currentBuffer;   // the buffer the next round-robin play uses
  uint32_t baseFrequency;  // Hz, as read back after the load
  int32_t groupReset;      // -1 single buffer, 0 several buffers, 1 after a play with -2
  char name[31];
  IDirectSoundBuffer* buffers[kSoundMaxBuffers];
  int32_t pan[kSoundMaxBuffers];        // hundredths of a decibel, 0 centre
  uint32_t frequency[kSoundMaxBuffers];  // Hz
  int32_t volume[kSoundMaxBuffers];     // hundredths of a decibel, 0 full
};

// A sound played from its file block by block (the engine can do it; the game never asks).
struct SoundStream {
  int32_t streamed;       // nonzero: the sound is streamed
  uint32_t dataOffset;    // offset of the sample data in the file
  uint32_t blockSize;     // bytes per block
  uint32_t filePosition;  // file position after the last block read
  uint32_t bytesHeld;     // bytes held in the buffer
  uint32_t playedBytes;   // play counters, restarted with each reload
  uint32_t lastCursor;
  char path[256];
};

extern SoundObject gSoundObjects[kSoundObjectCount];
extern SoundStream gSoundStreams[kSoundObjectCount];
extern IDirectSound* gDirectSound;
extern IDirectSoundBuffer* gPrimarySoundBuffer;
extern int gSoundAvailable;      // 1 once DirectSound was created
extern int gSoundStreamingLoad;  // nonzero: LoadObject reloads gSoundReloadSlot with its settings
extern int gSoundReloadSlot;

class elSound {
 public:
  static int LoadObject(const char* name, int count);  // sound number, or -1
  static void Play(int sound, int buffer);
  static void ResetPan(int sound, int buffer);
  static void ResetFrequency(int sound, int buffer);
  static void ResetVolume(int sound, int buffer);
  static int ResetStream(int sound);
};

// Creates DirectSound and clears the sound tables; 1 when sound is ready, 0 to run silent.
int InitDirectSound();
// Every slot free: pointers, settings and names cleared (InitDirectSound runs it).
void ClearSoundTables();
void ReleaseSound();

// Reads a RIFF WAVE file: 0 with the format block (18 + extra bytes) and the samples in global
// memory blocks the caller frees, 1 on any failure with nothing allocated.
int ReadWaveFile(const char* path, WAVEFORMATEX** format, uint32_t* formatSize, uint8_t** data,
                 uint32_t* dataSize);
// Frees a block ReadWaveFile returned (null does nothing).
void FreeWaveBlock(void* block);
