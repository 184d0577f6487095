// Reading WAVE files: ReadWaveFile's result, and the RIFF chunk walk over a file held in memory.
#include <gtest/gtest.h>

#include <cstring>

#include "engine/el_sound.h"
#include "platform/mmio.h"
#include "tests/sound/sound_test_util.h"

namespace sound_test {
namespace {

class WaveFileTest : public SoundTest {};

TEST_F(WaveFileTest, ReadsFormatAndSamplesPastOddChunksAndAcrossBufferRefills) {
  const Bytes samples = Tone16(12000, 3000, 37);  // 24000 bytes: several I/O buffers
  WriteData("T.WAV", RiffFile("WAVE", {{"LIST", {'I', 'N', 'F', 'O', 'x'}},  // odd: padded
                                       {"fmt ", PcmFormat(2, 44100, 16)},
                                       {"fact", {1, 2, 3}},
                                       {"data", samples}}));
  WAVEFORMATEX* format = nullptr;
  uint8_t* data = nullptr;
  uint32_t formatSize = 0, dataSize = 0;
  const std::string path = program_dir + "/T.WAV";
  ASSERT_EQ(ReadWaveFile(path.c_str(), &format, &formatSize, &data, &dataSize), 0);
  EXPECT_EQ(formatSize, 18u);
  EXPECT_EQ(format->nChannels, 2);
  EXPECT_EQ(format->nSamplesPerSec, 44100u);
  EXPECT_EQ(format->nBlockAlign, 4);
  ASSERT_EQ(dataSize, samples.size());
  EXPECT_EQ(std::memcmp(data, samples.data(), samples.size()), 0);
  FreeWaveBlock(format);
  FreeWaveBlock(data);
}

TEST(MemoryFileTest, ChunksAreCheckedAgainstTheBytesHeld) {
  Bytes bytes = RiffFile("WAVE", {{"fmt ", PcmFormat(1, 8000, 8)}, {"data", {9, 8, 7}, 50}});
  MMIOINFO info{};
  info.fccIOProc = FOURCC_MEM;
  info.pchBuffer = reinterpret_cast<char*>(bytes.data());
  info.cchBuffer = static_cast<LONG>(bytes.size());
  HMMIO m = mmioOpenA(nullptr, &info, MMIO_READ);
  ASSERT_NE(m, nullptr);
  MMCKINFO riff{};
  riff.fccType = mmioFOURCC('W', 'A', 'V', 'E');
  ASSERT_EQ(mmioDescend(m, &riff, nullptr, MMIO_FINDRIFF), MMSYSERR_NOERROR);
  EXPECT_EQ(riff.dwDataOffset, 8u);
  MMCKINFO chunk{};
  chunk.ckid = mmioFOURCC('f', 'm', 't', ' ');
  ASSERT_EQ(mmioDescend(m, &chunk, &riff, MMIO_FINDCHUNK), MMSYSERR_NOERROR);
  EXPECT_EQ(chunk.dwDataOffset, 20u);
  char first[2];
  EXPECT_EQ(mmioRead(m, first, 2), 2);
  EXPECT_EQ(mmioAscend(m, &chunk, 0), MMSYSERR_NOERROR);
  EXPECT_EQ(mmioSeek(m, 0, SEEK_CUR), 36);
  // "data" claims 50 bytes where 4 are left.
  chunk.ckid = mmioFOURCC('d', 'a', 't', 'a');
  EXPECT_EQ(mmioDescend(m, &chunk, &riff, MMIO_FINDCHUNK), MMIOERR_INVALIDFILE);
  EXPECT_EQ(mmioSeek(m, 1, SEEK_END), -1);
  char rest[8];
  EXPECT_EQ(mmioSeek(m, -2, SEEK_END), static_cast<LONG>(bytes.size() - 2));
  EXPECT_EQ(mmioRead(m, rest, 8), 2);
  EXPECT_EQ(mmioClose(m, 0), MMSYSERR_NOERROR);
}

}  // namespace
}  // namespace sound_test
