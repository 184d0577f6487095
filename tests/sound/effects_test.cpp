// Sound effects: loading into the 70 slots with their duplicate buffers, the fall-back to
// resources, round-robin plays and group resets, and the silent game without a device.
#include <gtest/gtest.h>

#include <cstdio>

#include "engine/el_sound.h"
#include "platform/kernel32.h"
#include "tests/sound/sound_test_util.h"

namespace sound_test {
namespace {

constexpr const char* kTooManyMixes = "elSound::LoadObject : ミックス数が多過ぎます";
constexpr const char* kNoWave = "elSound::LoadObject : WAVEリソースが見つかりません";

class EffectsTest : public SoundTest {
 protected:
  void SetUp() override {
    SoundTest::SetUp();
    WriteData("SOUND/SHOT.WAV", ToneWave(22050, 2205));
    StartWithSound();
  }
  // A buffer's pan, volume and frequency.
  std::tuple<LONG, LONG, DWORD> Settings(int sound, int i) {
    LONG pan = 1, volume = 1;
    DWORD frequency = 0;
    Buffer(sound, i)->GetPan(&pan);
    Buffer(sound, i)->GetVolume(&volume);
    Buffer(sound, i)->GetFrequency(&frequency);
    return {pan, volume, frequency};
  }
};

TEST_F(EffectsTest, MixCountAboveTenFailsAndTenLoadsTenBuffers) {
  EXPECT_EQ(elSound::LoadObject("SOUND/SHOT.WAV", 11), -1);
  EXPECT_EQ(elSound::LoadObject("SOUND/SHOT.WAV", -11), -1);
  EXPECT_EQ(host.box_texts, (std::vector<std::string>{kTooManyMixes, kTooManyMixes}));
  ASSERT_EQ(elSound::LoadObject("SOUND/SHOT.WAV", 10), 0);
  ASSERT_EQ(elSound::LoadObject("SOUND/SHOT.WAV", -10), 1);
  for (int sound : {0, 1}) {
    EXPECT_EQ(gSoundObjects[sound].bufferCount, 10);
    for (int i = 0; i < 10; ++i) EXPECT_NE(Buffer(sound, i), nullptr) << sound << "/" << i;
    EXPECT_EQ(gSoundObjects[sound].baseFrequency, 22050u);
  }
  // Only a count of 2 or more takes part in group resets.
  EXPECT_EQ(gSoundObjects[0].groupReset, 0);
  EXPECT_EQ(gSoundObjects[1].groupReset, -1);
}

TEST_F(EffectsTest, SeventyFirstLoadFails) {
  for (int i = 0; i < kSoundObjectCount; ++i) ASSERT_EQ(elSound::LoadObject("SOUND/SHOT.WAV", 1), i);
  EXPECT_EQ(elSound::LoadObject("SOUND/SHOT.WAV", 1), -1);
  EXPECT_EQ(host.box_texts,
            std::vector<std::string>{"elSound::LoadObject : オブジェクト数が多過ぎます"});
}

TEST_F(EffectsTest, NextInTurnPlaysTheBuffersRoundRobin) {
  const int s = elSound::LoadObject("SOUND/SHOT.WAV", 3);
  for (int expected : {0, 1, 2}) {
    elSound::Play(s, -1);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(IsPlaying(Buffer(s, i)), i <= expected) << expected;
  }
  // The fourth play restarts buffer 0 from its beginning.
  host.RenderAudio(1000);
  DWORD before = 0, after = 0;
  Buffer(s, 0)->GetCurrentPosition(&before, nullptr);
  elSound::Play(s, -1);
  Buffer(s, 0)->GetCurrentPosition(&after, nullptr);
  EXPECT_EQ(before, 1000u);
  EXPECT_EQ(after, 0u);
  EXPECT_EQ(gSoundObjects[s].currentBuffer, 1);
}

TEST_F(EffectsTest, GroupResetSkipsOneBufferSoundsAndResetsEveryBufferOfOthersEachTime) {
  const int single = elSound::LoadObject("SOUND/SHOT.WAV", 1);
  Buffer(single, 0)->SetPan(-3000);
  elSound::Play(single, -2);
  EXPECT_EQ(std::get<0>(Settings(single, 0)), -3000);
  EXPECT_EQ(gSoundObjects[single].groupReset, -1);

  const int s = elSound::LoadObject("SOUND/SHOT.WAV", 2);
  for (int round = 0; round < 2; ++round) {
    for (int i = 0; i < 2; ++i) {
      Buffer(s, i)->SetPan(2500);
      Buffer(s, i)->SetVolume(-1200);
      Buffer(s, i)->SetFrequency(30000);
      gSoundObjects[s].pan[i] = 2500;
      gSoundObjects[s].frequency[i] = 30000;
    }
    elSound::Play(s, -2);
    EXPECT_EQ(gSoundObjects[s].groupReset, 1);
    for (int i = 0; i < 2; ++i) {
      EXPECT_EQ(Settings(s, i), std::make_tuple(0, 0, 22050u)) << round << "/" << i;
      EXPECT_EQ(gSoundObjects[s].pan[i], 0);
      EXPECT_EQ(gSoundObjects[s].frequency[i], 22050u);
    }
  }
}

TEST_F(EffectsTest, NameOverThirtyCharactersIsReportedAfterTheLoadThatKeepsItsSlot) {
  const std::string thirty = "SOUND/ABCDEFGHIJKLMNOPQRST.WAV";
  const std::string longer = "SOUND/ABCDEFGHIJKLMNOPQRSTU.WAV";
  WriteData(thirty, ToneWave(22050, 100));
  WriteData(longer, ToneWave(22050, 100));
  ASSERT_EQ(elSound::LoadObject(thirty.c_str(), 1), 0);
  EXPECT_STREQ(gSoundObjects[0].name, thirty.c_str());
  EXPECT_EQ(elSound::LoadObject(longer.c_str(), 1), -1);
  EXPECT_EQ(host.box_texts, std::vector<std::string>{
                                "elSound::LoadObject : ファイル名またはリソース名が長すぎます"});
  EXPECT_EQ(gSoundObjects[1].loaded, 1);
  EXPECT_EQ(elSound::LoadObject("SOUND/SHOT.WAV", 1), 2);
}

TEST_F(EffectsTest, StreamedSoundReloadsItsFirstBlockBeforeEachPlayAndLoops) {
  const int s = elSound::LoadObject("SOUND/SHOT.WAV", 1);  // 2205 frames at 22050 Hz
  Bytes raw(8, 0xEE);
  const Bytes block = Tone16(200, 7000, 1000);  // 200 frames of 7000
  raw.insert(raw.end(), block.begin(), block.end());
  WriteData("STREAM.RAW", raw);
  // Nothing to read from: the stream's file is not named.
  EXPECT_EQ(elSound::ResetStream(s), 0);
  EXPECT_EQ(elSound::ResetStream(5), 0);
  EXPECT_EQ(host.box_texts,
            std::vector<std::string>(2, "elSound::ResetStream : パックファイル名が指定されていません"));

  SoundStream& st = gSoundStreams[s];
  st.streamed = 1;
  st.dataOffset = 8;
  st.blockSize = 400;
  std::snprintf(st.path, sizeof st.path, "%s/STREAM.RAW", program_dir.c_str());
  elSound::Play(s, -1);
  EXPECT_EQ(st.filePosition, 408u);
  EXPECT_EQ(st.bytesHeld, 400u);
  DWORD status = 0;
  Buffer(s, 0)->GetStatus(&status);
  EXPECT_EQ(status, DSBSTATUS_PLAYING | DSBSTATUS_LOOPING);
  // The block replaced the buffer's start; the buffer plays round and round.
  const auto out = host.RenderAudio(4410 + 100);
  EXPECT_EQ(out[0], 7000);
  EXPECT_EQ(out[2 * 398], 7000);
  EXPECT_EQ(out[2 * (4410 + 50)], 7000);
}

TEST_F(EffectsTest, ResetsPickOneBufferTheNextToPlayOrEvery) {
  const int s = elSound::LoadObject("SOUND/SHOT.WAV", 3);
  auto volumes = [&](std::vector<LONG> set) {
    std::vector<LONG> now;
    for (int i = 0; i < 3; ++i) {
      now.push_back(std::get<1>(Settings(s, i)));
      EXPECT_EQ(gSoundObjects[s].volume[i], now.back()) << i;
      Buffer(s, i)->SetVolume(set[i]);
      gSoundObjects[s].volume[i] = set[i];
    }
    return now;
  };
  volumes({-500, -500, -500});
  elSound::Play(s, -1);  // buffer 1 is next
  elSound::ResetVolume(s, -2);
  EXPECT_EQ(volumes({-500, -500, -500}), (std::vector<LONG>{-500, 0, -500}));
  elSound::ResetVolume(s, 2);
  EXPECT_EQ(volumes({-500, -500, -500}), (std::vector<LONG>{-500, -500, 0}));
  elSound::ResetVolume(s, -7);
  elSound::ResetVolume(s, 3);  // no such buffer
  EXPECT_EQ(volumes({0, 0, 0}), (std::vector<LONG>{0, 0, 0}));
}

// Damaged files fall back to the resource of the same name, or fail.
Bytes BadWave(int kind) {
  const Bytes fmt = PcmFormat(1, 11025, 16);
  const Bytes tone = Tone16(400, 5000, 40);
  Bytes good = RiffFile("WAVE", {{"fmt ", fmt}, {"data", tone}});
  switch (kind) {
    case 0: good[0] = 'X'; return good;                                          // not RIFF
    case 1: return RiffFile("AVI ", {{"fmt ", fmt}, {"data", tone}});            // not WAVE
    case 2: return RiffFile("WAVE", {{"fmt ", Bytes(fmt.begin(), fmt.end() - 1)}, {"data", tone}});
    case 3: return RiffFile("WAVE", {{"fmt ", fmt}, {"junk", tone}});            // no "data"
    case 4: return RiffFile("WAVE", {{"fmt ", fmt}, {"data", tone, 0x7FFFFFF0}});  // data too big
    case 5: return RiffFile("WAVE", {{"fmt ", fmt}, {"data", tone}}, 1 << 20);   // RIFF too big
    case 6: good.resize(good.size() - 100); return good;                          // truncated
    default: return {};
  }
}

class BadWaveTest : public EffectsTest, public ::testing::WithParamInterface<int> {};

TEST_P(BadWaveTest, FallsBackToTheResourceOrFails) {
  WriteData("SOUND/BAD.WAV", BadWave(GetParam()));
  EXPECT_EQ(elSound::LoadObject("SOUND/BAD.WAV", 1), -1);
  EXPECT_EQ(host.box_texts, std::vector<std::string>{kNoWave});

  platform::AddResource("SOUND/BAD.WAV", "WAVE", 0, ToneWave(16000, 800));
  ASSERT_EQ(elSound::LoadObject("SOUND/BAD.WAV", 1), 0);
  EXPECT_EQ(gSoundObjects[0].baseFrequency, 16000u);  // the resource's, not the file's
  EXPECT_EQ(host.box_texts.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Files, BadWaveTest, ::testing::Range(0, 8));

// Some writers leave the RIFF size covering only the format chunk and the data chunk's header
// (4 + 8 + 16 + 8 = 36): the data chunk after it still loads whole and plays every sample. A data
// chunk that claims more bytes than the file holds is still no WAVE.
TEST_F(EffectsTest, RiffSizeEndingAtTheDataHeaderStillLoadsTheWholeDataChunk) {
  const Bytes fmt = PcmFormat(1, 44100, 16);
  const Bytes tone = Tone16(3000, 6000, 50);
  WriteData("SOUND/SHORT.WAV", RiffFile("WAVE", {{"fmt ", fmt}, {"data", tone}}, 36));
  WriteData("SOUND/OVER.WAV",
            RiffFile("WAVE", {{"fmt ", fmt}, {"data", tone, static_cast<int64_t>(tone.size()) + 2}},
                     36));
  ASSERT_EQ(elSound::LoadObject("SOUND/SHORT.WAV", 1), 0);
  EXPECT_TRUE(host.box_texts.empty());
  EXPECT_EQ(gSoundObjects[0].baseFrequency, 44100u);
  elSound::Play(0, -1);
  const std::vector<int16_t> out = host.RenderAudio(3010);
  for (int i = 0; i < 3010; ++i) {
    const int16_t expected = i < 3000 ? (i % 50 < 25 ? 6000 : -6000) : 0;
    ASSERT_EQ(out[i * 2], expected) << i;
    ASSERT_EQ(out[i * 2 + 1], expected) << i;
  }
  EXPECT_EQ(elSound::LoadObject("SOUND/OVER.WAV", 1), -1);
  EXPECT_EQ(host.box_texts, std::vector<std::string>{kNoWave});
  // The data chunk's header starts at byte 36: a RIFF chunk ending at 40 still holds its start and
  // finds it; one ending at 36 holds no data chunk at all.
  WriteData("SOUND/HALF.WAV", RiffFile("WAVE", {{"fmt ", fmt}, {"data", tone}}, 32));
  WriteData("SOUND/NONE.WAV", RiffFile("WAVE", {{"fmt ", fmt}, {"data", tone}}, 28));
  EXPECT_EQ(elSound::LoadObject("SOUND/HALF.WAV", 1), 1);
  EXPECT_EQ(elSound::LoadObject("SOUND/NONE.WAV", 1), -1);
  EXPECT_EQ(host.box_texts, (std::vector<std::string>{kNoWave, kNoWave}));
}

TEST_F(EffectsTest, MissingFileLoadsFromAnRcdataResource) {
  platform::AddResource("SOUND/BOM.WAV", nullptr, RT_RCDATA, ToneWave(8000, 600));
  ASSERT_EQ(elSound::LoadObject("SOUND/BOM.WAV", 1), 0);
  EXPECT_EQ(gSoundObjects[0].baseFrequency, 8000u);
  elSound::Play(0, -1);  // the samples are the resource's
  EXPECT_GT(Peak(host.RenderAudio(2000), 0, 2000), 4000);
}

TEST_F(EffectsTest, ResourceShorterThanItsHeaderOrItsDataIsNoWaveResource) {
  Bytes claimsTooMuch = ToneWave(8000, 100);
  claimsTooMuch[40] = 0xFF;  // data size past the resource's end
  platform::AddResource("SOUND/A.WAV", "WAVE", 0, Bytes(30, 0));
  platform::AddResource("SOUND/B.WAV", "WAVE", 0, claimsTooMuch);
  EXPECT_EQ(elSound::LoadObject("SOUND/A.WAV", 1), -1);
  EXPECT_EQ(elSound::LoadObject("SOUND/B.WAV", 1), -1);
  EXPECT_EQ(host.box_texts, (std::vector<std::string>{kNoWave, kNoWave}));
}

TEST_F(EffectsTest, FormatTheMixerCannotPlayFailsToMakeABuffer) {
  Bytes adpcm = PcmFormat(1, 22050, 4);
  adpcm[0] = 2;  // not PCM: followed by its extra size and bytes
  adpcm.insert(adpcm.end(), {2, 0, 0xAA, 0xBB});
  WriteData("SOUND/ADPCM.WAV", RiffFile("WAVE", {{"fmt ", adpcm}, {"data", Tone16(100, 1, 2)}}));
  EXPECT_EQ(elSound::LoadObject("SOUND/ADPCM.WAV", 1), -1);
  EXPECT_EQ(host.box_texts,
            std::vector<std::string>{"elSound::LoadObject : サウンドバッファが生成できません"});
  EXPECT_EQ(gSoundObjects[0].loaded, 0);
}

// The extensible format: its 22 extra bytes hold the valid bits, the speaker mask and the
// sub-format, whose first word 1 with the fixed tail names integer PCM (3: floating point).
struct Extensible {
  const char* name;
  int channels, bits, validBits;
  uint8_t subFormat;
  uint8_t extraSize;
  bool plays;
};

class ExtensibleWaveTest : public EffectsTest, public ::testing::WithParamInterface<Extensible> {};

TEST_P(ExtensibleWaveTest, PcmSubFormatPlaysAnythingElseMakesNoBuffer) {
  const Extensible& e = GetParam();
  Bytes fmt = PcmFormat(e.channels, 11025, e.bits);
  fmt[0] = 0xFE;
  fmt[1] = 0xFF;
  const Bytes extra = {e.extraSize, 0, static_cast<uint8_t>(e.validBits), 0,
                       static_cast<uint8_t>(e.channels == 1 ? 4 : 3), 0, 0, 0,
                       e.subFormat, 0, 0, 0, 0, 0, 0x10, 0,
                       0x80, 0, 0, 0xAA, 0, 0x38, 0x9B, 0x71};
  fmt.insert(fmt.end(), extra.begin(), extra.begin() + 2 + e.extraSize);
  WriteData("SOUND/X.WAV", RiffFile("WAVE", {{"fmt ", fmt}, {"data", Tone16(400, 8000, 50)}}));
  const int sound = elSound::LoadObject("SOUND/X.WAV", 1);
  if (!e.plays) {
    EXPECT_EQ(sound, -1);
    EXPECT_EQ(host.box_texts,
              std::vector<std::string>{"elSound::LoadObject : サウンドバッファが生成できません"});
    return;
  }
  ASSERT_EQ(sound, 0);
  EXPECT_TRUE(host.box_texts.empty());
  EXPECT_EQ(gSoundObjects[0].baseFrequency, 11025u);
  elSound::Play(0, -1);
  EXPECT_GT(Peak(host.RenderAudio(400), 0, 400), 4000);
}

// name, channels, bits, valid bits, sub-format's first word, extra size, plays
const Extensible kExtensibleForms[] = {
    {"Pcm8Mono", 1, 8, 8, 1, 22, true},
    {"Pcm16Stereo", 2, 16, 16, 1, 22, true},
    {"Pcm16With12ValidBits", 1, 16, 12, 1, 22, true},
    {"MoreValidBitsThanTheContainer", 1, 16, 17, 1, 22, false},
    {"FloatSubFormat", 1, 16, 16, 3, 22, false},
    {"ExtraTooShortForTheSubFormat", 1, 16, 16, 1, 20, false},
};

INSTANTIATE_TEST_SUITE_P(Forms, ExtensibleWaveTest, ::testing::ValuesIn(kExtensibleForms),
                         [](const ::testing::TestParamInfo<Extensible>& info) {
                           return std::string(info.param.name);
                         });

TEST_F(EffectsTest, PlayingAFailedLoadsNumberOrAMissingBufferDoesNothing) {
  ASSERT_EQ(elSound::LoadObject("SOUND/NONE.WAV", 1), -1);
  elSound::Play(-1, -1);
  elSound::ResetPan(-1, -1);
  elSound::Play(kSoundObjectCount, 0);
  const int shot = elSound::LoadObject("SOUND/SHOT.WAV", 1);
  elSound::Play(shot, 5);
  EXPECT_FALSE(IsPlaying(Buffer(shot, 0)));
}

TEST_F(EffectsTest, ReleaseStopsEverythingAndClosesTheDevice) {
  const int s = elSound::LoadObject("SOUND/SHOT.WAV", 2);
  elSound::Play(s, -1);
  ReleaseSound();
  EXPECT_EQ(Buffer(s, 0), nullptr);
  EXPECT_FALSE(host.audio_open);
  elSound::Play(s, -1);
  EXPECT_EQ(elSound::LoadObject("SOUND/SHOT.WAV", 1), -1);
}

// Without an audio device the game runs silent and is never told.
class NoDeviceTest : public SoundTest {};

TEST_F(NoDeviceTest, EveryLoadReturnsMinusOneSilently) {
  host.audio_device_present = false;
  WriteData("SOUND/SHOT.WAV", ToneWave(22050, 100));
  ASSERT_NE(Start(), 0);
  EXPECT_EQ(InitDirectSound(), 0);
  EXPECT_EQ(elSound::LoadObject("SOUND/SHOT.WAV", 1), -1);
  EXPECT_EQ(elSound::LoadObject("SOUND/SHOT.WAV", 11), -1);
  elSound::Play(-1, -1);
  EXPECT_EQ(elSound::ResetStream(0), 0);
  ReleaseSound();
  EXPECT_TRUE(host.box_texts.empty());
  EXPECT_TRUE(RunFrames(3));
}

}  // namespace
}  // namespace sound_test
