// elSound: the table of 70 sounds, each a sample held in up to 10 duplicate DirectSound buffers
// that are played in turn, so an effect can overlap itself.
#include "engine/el_sound.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/shell.h"
#include "platform/dsound.h"
#include "platform/kernel32.h"

SoundObject gSoundObjects[kSoundObjectCount];
SoundStream gSoundStreams[kSoundObjectCount];
IDirectSound* gDirectSound = nullptr;
IDirectSoundBuffer* gPrimarySoundBuffer = nullptr;
int gSoundAvailable = 0;
int gSoundStreamingLoad = 0;
int gSoundReloadSlot = 0;

namespace {

constexpr const char* kLoadObject = "elSound::LoadObject";
constexpr const char* kResetStream = "elSound::ResetStream";
constexpr DWORD kEffectBufferFlags =
    DSBCAPS_STATIC | DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME;  // 0xE2

// The sound behind a number the game holds, or null: a failed load leaves the game holding -1.
SoundObject* LoadedSound(int sound) {
  if (sound < 0 || sound >= kSoundObjectCount || gSoundObjects[sound].loaded == 0) return nullptr;
  return &gSoundObjects[sound];
}

IDirectSoundBuffer* BufferOf(const SoundObject& s, int buffer) {
  if (buffer < 0 || buffer >= s.bufferCount || buffer >= kSoundMaxBuffers) return nullptr;
  return s.buffers[buffer];
}

uint32_t LoadU32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

void PlayBuffer(int sound, int buffer) {
  SoundObject& s = gSoundObjects[sound];
  IDirectSoundBuffer* b = BufferOf(s, buffer);
  if (b == nullptr) return;
  const bool streamed = gSoundStreams[sound].streamed != 0;
  if (streamed) elSound::ResetStream(sound);
  b->Stop();
  b->SetCurrentPosition(0);
  b->Play(0, 0, streamed ? DSBPLAY_LOOPING : 0);
}

// Runs `reset` on the picked buffers: one buffer, -2 the current one, any other negative all.
template <typename Reset>
void ForPickedBuffers(int sound, int buffer, Reset reset) {
  if (gSoundAvailable == 0) return;
  SoundObject* s = LoadedSound(sound);
  if (s == nullptr) return;
  if (buffer >= 0) {
    if (BufferOf(*s, buffer) != nullptr) reset(*s, buffer);
  } else if (buffer == -2) {
    if (BufferOf(*s, s->currentBuffer) != nullptr) reset(*s, s->currentBuffer);
  } else {
    for (int i = 0; i < s->bufferCount && i < kSoundMaxBuffers; ++i) {
      if (s->buffers[i] != nullptr) reset(*s, i);
    }
  }
}

}  // namespace

void ClearSoundTables() {
  for (int i = 0; i < kSoundObjectCount; ++i) {
    SoundObject& s = gSoundObjects[i];
    for (int b = 0; b < kSoundMaxBuffers; ++b) {
      s.buffers[b] = nullptr;
      s.pan[b] = 0;
      s.frequency[b] = 0;
      s.volume[b] = 0;
    }
    s.baseFrequency = 0;
    s.groupReset = -1;
    s.currentBuffer = 0;
    s.bufferCount = 1;
    s.loaded = 0;
    s.name[0] = '\0';
    gSoundStreams[i].streamed = 0;
  }
}

int InitDirectSound() {
  int ready = 0;
  if (DirectSoundCreate(nullptr, &gDirectSound, nullptr) != DS_OK) {
    // No sound device: the game runs silent, without a word.
    gDirectSound = nullptr;
    gSoundAvailable = 0;
  } else {
    if (gDirectSound->SetCooperativeLevel(gMainWindow, DSSCL_PRIORITY) != DS_OK) {
      gDirectSound->SetCooperativeLevel(gMainWindow, DSSCL_NORMAL);
    }
    DSBUFFERDESC desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = kDsBufferDescSize;
    desc.dwFlags = DSBCAPS_PRIMARYBUFFER;
    gDirectSound->CreateSoundBuffer(&desc, &gPrimarySoundBuffer, nullptr);
    gSoundStreamingLoad = 0;
    gSoundAvailable = 1;
    ready = 1;
  }
  ClearSoundTables();
  return ready;
}

int elSound::LoadObject(const char* name, int count) {
  if (gSoundAvailable == 0) return -1;
  if (count > kSoundMaxBuffers || count < -kSoundMaxBuffers) {
    ShowErrorMessage(kLoadObject, "ミックス数が多過ぎます");
    return -1;
  }
  int n = count < 0 ? -count : count;
  if (n == 0) n = 1;  // a sound has at least the one buffer it plays from

  int slot = -1;
  if (gSoundStreamingLoad == 0) {
    for (int i = 0; i < kSoundObjectCount; ++i) {
      if (gSoundObjects[i].loaded == 0) {
        slot = i;
        break;
      }
    }
    if (slot < 0) {
      ShowErrorMessage(kLoadObject, "オブジェクト数が多過ぎます");
      return -1;
    }
  } else {
    if (gSoundReloadSlot < 0 || gSoundReloadSlot >= kSoundObjectCount) return -1;
    slot = gSoundReloadSlot;
  }

  // The file first, then a "WAVE" or RCDATA resource of the same name.
  char path[512];
  std::snprintf(path, sizeof path, "%s%s", GetDataDirectory(), name);
  WAVEFORMATEX* fileFormat = nullptr;
  uint32_t formatSize = 0;
  uint8_t* fileData = nullptr;
  uint32_t dataSize = 0;
  // A resource's format is the plain record at byte 20, with nothing after it; a file's is its
  // whole format block, so DirectSound sees an extensible format's sub-format.
  WAVEFORMATEXTENSIBLE resourceFormat{};
  WAVEFORMATEX* format = &resourceFormat.Format;
  const uint8_t* samples = nullptr;
  const bool fromFile = ReadWaveFile(path, &fileFormat, &formatSize, &fileData, &dataSize) == 0;
  if (fromFile) {
    format = fileFormat;
    samples = fileData;
  } else {
    HRSRC resource = FindResourceA(nullptr, name, "WAVE");
    if (resource == nullptr) resource = FindResourceA(nullptr, name, MAKEINTRESOURCEA(RT_RCDATA));
    const uint8_t* bytes = nullptr;
    DWORD size = 0;
    if (resource != nullptr) {
      bytes = static_cast<const uint8_t*>(LockResource(LoadResource(nullptr, resource)));
      size = SizeofResource(nullptr, resource);
    }
    // A resource is a whole WAVE file with the plain 44-byte header; one too short for its
    // header or its claimed data is no WAVE resource.
    if (bytes != nullptr && size >= 44) dataSize = LoadU32(bytes + 40);
    if (bytes == nullptr || size < 44 || dataSize > size - 44) {
      ShowErrorMessage(kLoadObject, "WAVEリソースが見つかりません");
      return -1;
    }
    std::memcpy(&resourceFormat.Format, bytes + 20, sizeof resourceFormat.Format);
    samples = bytes + 44;
  }

  SoundObject& s = gSoundObjects[slot];
  s.bufferCount = n;
  s.groupReset = count >= 2 ? 0 : -1;
  if (gSoundStreamingLoad == 0) s.currentBuffer = 0;

  for (int i = 0; i < n; ++i) {
    DSBUFFERDESC desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = kDsBufferDescSize;
    desc.dwFlags = kEffectBufferFlags;
    desc.dwBufferBytes = dataSize;
    desc.lpwfxFormat = format;
    if (gDirectSound->CreateSoundBuffer(&desc, &s.buffers[i], nullptr) != DS_OK) {
      s.buffers[i] = nullptr;
      FreeWaveBlock(fileFormat);
      FreeWaveBlock(fileData);
      ShowErrorMessage(kLoadObject, "サウンドバッファが生成できません");
      return -1;
    }
    IDirectSoundBuffer* b = s.buffers[i];
    void* part1 = nullptr;
    void* part2 = nullptr;
    DWORD bytes1 = 0, bytes2 = 0;
    if (b->Lock(0, dataSize, &part1, &bytes1, &part2, &bytes2, 0) == DS_OK) {
      std::memcpy(part1, samples, bytes1);
      if (!fromFile && bytes2 != 0) std::memcpy(part2, samples + bytes1, bytes2);
      b->Unlock(part1, bytes1, part2, bytes2);
    }
    if (gSoundStreamingLoad == 0) {
      DWORD frequency = 0;
      b->GetFrequency(&frequency);
      s.frequency[i] = frequency;
      s.baseFrequency = frequency;
      s.volume[i] = 0;
      s.pan[i] = 0;
    } else {
      b->SetVolume(s.volume[i]);
      b->SetFrequency(s.frequency[i]);
      b->SetPan(s.pan[i]);
    }
  }

  s.loaded = 1;
  FreeWaveBlock(fileFormat);
  FreeWaveBlock(fileData);
  gSoundStreams[slot].streamed = 0;

  if (gSoundStreamingLoad == 0) {
    if (std::strlen(name) > 30) {
      ShowErrorMessage(kLoadObject, "ファイル名またはリソース名が長すぎます");
      return -1;
    }
    std::snprintf(s.name, sizeof s.name, "%s", name);
  }
  return slot;
}

void elSound::Play(int sound, int buffer) {
  if (gSoundAvailable == 0) return;
  SoundObject* s = LoadedSound(sound);
  if (s == nullptr) return;
  if (buffer >= 0) {
    PlayBuffer(sound, buffer);
    return;
  }
  if (buffer == -2 && s->groupReset >= 0) {
    ResetFrequency(sound, -1);
    ResetPan(sound, -1);
    ResetVolume(sound, -1);
    s->groupReset = 1;
  }
  PlayBuffer(sound, s->currentBuffer);
  s->currentBuffer += 1;
  if (s->currentBuffer >= s->bufferCount) s->currentBuffer = 0;
}

void elSound::ResetPan(int sound, int buffer) {
  ForPickedBuffers(sound, buffer, [](SoundObject& s, int i) {
    s.pan[i] = 0;
    s.buffers[i]->SetPan(0);
  });
}

void elSound::ResetFrequency(int sound, int buffer) {
  ForPickedBuffers(sound, buffer, [](SoundObject& s, int i) {
    s.frequency[i] = s.baseFrequency;
    s.buffers[i]->SetFrequency(s.baseFrequency);
  });
}

void elSound::ResetVolume(int sound, int buffer) {
  ForPickedBuffers(sound, buffer, [](SoundObject& s, int i) {
    s.volume[i] = 0;
    s.buffers[i]->SetVolume(0);
  });
}

int elSound::ResetStream(int sound) {
  if (gSoundAvailable == 0) return 0;
  if (sound < 0 || sound >= kSoundObjectCount) return 0;
  SoundStream& st = gSoundStreams[sound];
  FILE* f = std::fopen(st.path, "rb");
  if (f == nullptr) {
    ShowErrorMessage(kResetStream, "パックファイル名が指定されていません");
    return 0;
  }
  if (std::fseek(f, static_cast<long>(st.dataOffset), SEEK_SET) != 0) {
    std::fclose(f);
    ShowErrorMessage(kResetStream, "ストリーミング再生できません");
    return 0;
  }
  // A short read leaves the rest of the block silent rather than undefined.
  auto* block = static_cast<uint8_t*>(std::calloc(st.blockSize > 0 ? st.blockSize : 1, 1));
  if (block == nullptr) {
    std::fclose(f);
    return 0;
  }
  const size_t got = std::fread(block, 1, st.blockSize, f);
  (void)got;
  const long after = std::ftell(f);
  std::fclose(f);
  st.filePosition = after < 0 ? 0 : static_cast<uint32_t>(after);
  st.bytesHeld = st.blockSize;
  st.playedBytes = 0;
  st.lastCursor = 0;

  // A slot without a buffer, or a block larger than the buffer, takes nothing.
  IDirectSoundBuffer* b = gSoundObjects[sound].buffers[0];
  void* part1 = nullptr;
  void* part2 = nullptr;
  DWORD bytes1 = 0, bytes2 = 0;
  const bool locked =
      b != nullptr && b->Lock(0, st.blockSize, &part1, &bytes1, &part2, &bytes2, 0) == DS_OK;
  if (locked) {
    std::memcpy(part1, block, bytes1);
    b->Unlock(part1, bytes1, part2, bytes2);
  }
  std::free(block);
  return locked ? 1 : 0;
}

void ReleaseSound() {
  if (gSoundAvailable == 0) return;
  for (SoundObject& s : gSoundObjects) {
    if (s.loaded == 0) continue;
    for (int i = 0; i < s.bufferCount && i < kSoundMaxBuffers; ++i) {
      if (s.buffers[i] == nullptr) continue;
      s.buffers[i]->Stop();
      s.buffers[i]->Release();
      s.buffers[i] = nullptr;
    }
  }
  if (gPrimarySoundBuffer != nullptr) gPrimarySoundBuffer->Release();
  gPrimarySoundBuffer = nullptr;
  if (gDirectSound != nullptr) gDirectSound->Release();
  gDirectSound = nullptr;
  // Nothing is left to play on: later calls do nothing.
  gSoundAvailable = 0;
}
