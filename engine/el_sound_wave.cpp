// Reading a RIFF WAVE file through the multimedia file functions.
#include <cstdio>
#include <cstring>

#include "engine/el_sound.h"
#include "platform/kernel32.h"
#include "platform/mmio.h"

void FreeWaveBlock(void* block) {
  if (block == nullptr) return;
  GlobalUnlock(GlobalHandle(block));
  GlobalFree(GlobalHandle(block));
}

int ReadWaveFile(const char* path, WAVEFORMATEX** format, uint32_t* formatSize, uint8_t** data,
                 uint32_t* dataSize) {
  *format = nullptr;
  *formatSize = 0;
  *data = nullptr;
  *dataSize = 0;

  char name[512];
  std::snprintf(name, sizeof name, "%s", path);
  HMMIO file = mmioOpenA(name, nullptr, MMIO_ALLOCBUF | MMIO_READ);
  if (file == nullptr) return 1;

  WAVEFORMATEX* fmt = nullptr;
  uint8_t* samples = nullptr;
  auto fail = [&]() {
    FreeWaveBlock(fmt);
    FreeWaveBlock(samples);
    mmioClose(file, 0);
    return 1;
  };

  MMCKINFO riff{};
  if (mmioDescend(file, &riff, nullptr, 0) != MMSYSERR_NOERROR || riff.ckid != FOURCC_RIFF ||
      riff.fccType != mmioFOURCC('W', 'A', 'V', 'E')) {
    return fail();
  }

  MMCKINFO fmtChunk{};
  fmtChunk.ckid = mmioFOURCC('f', 'm', 't', ' ');
  if (mmioDescend(file, &fmtChunk, &riff, MMIO_FINDCHUNK) != MMSYSERR_NOERROR ||
      fmtChunk.cksize < 16) {
    return fail();
  }
  uint8_t pcm[16];
  if (mmioRead(file, reinterpret_cast<HPSTR>(pcm), 16) != 16) return fail();
  WORD tag;
  std::memcpy(&tag, pcm, 2);
  WORD extra = 0;
  if (tag != WAVE_FORMAT_PCM &&
      mmioRead(file, reinterpret_cast<HPSTR>(&extra), sizeof extra) != sizeof extra) {
    return fail();
  }
  fmt = static_cast<WAVEFORMATEX*>(static_cast<void*>(GlobalAlloc(GMEM_FIXED, 18u + extra)));
  if (fmt == nullptr) return fail();
  std::memcpy(fmt, pcm, 16);
  fmt->cbSize = extra;
  if (extra > 0 &&
      mmioRead(file, reinterpret_cast<HPSTR>(fmt) + 18, extra) != static_cast<LONG>(extra)) {
    return fail();
  }

  if (mmioAscend(file, &fmtChunk, 0) != MMSYSERR_NOERROR ||
      mmioSeek(file, static_cast<LONG>(riff.dwDataOffset + 4), SEEK_SET) == -1) {
    return fail();
  }
  MMCKINFO dataChunk{};
  dataChunk.ckid = mmioFOURCC('d', 'a', 't', 'a');
  if (mmioDescend(file, &dataChunk, &riff, MMIO_FINDCHUNK) != MMSYSERR_NOERROR) return fail();

  samples = static_cast<uint8_t*>(static_cast<void*>(GlobalAlloc(GMEM_FIXED, dataChunk.cksize)));
  if (samples == nullptr) return fail();
  // Straight out of the file's I/O buffer, refilling it whenever it runs dry.
  MMIOINFO io;
  if (mmioGetInfo(file, &io, 0) != MMSYSERR_NOERROR) return fail();
  for (DWORD i = 0; i < dataChunk.cksize; ++i) {
    if (io.pchNext == io.pchEndRead) {
      if (mmioAdvance(file, &io, MMIO_READ) != MMSYSERR_NOERROR || io.pchNext == io.pchEndRead) {
        return fail();
      }
    }
    samples[i] = static_cast<uint8_t>(*io.pchNext++);
  }
  if (mmioSetInfo(file, &io, 0) != MMSYSERR_NOERROR) return fail();

  mmioClose(file, 0);
  *format = fmt;
  *formatSize = 18u + extra;
  *data = samples;
  *dataSize = dataChunk.cksize;
  return 0;
}
