// The DirectSound stand-in and its mixer: what the host's audio stream receives.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/dsound.h"
#include "platform/host_headless.h"
#include "tests/sound/sound_test_util.h"

namespace sound_test {
namespace {

class MixerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::SetHost(&host);
    ASSERT_EQ(DirectSoundCreate(nullptr, &ds, nullptr), DS_OK);
    EXPECT_EQ(host.audio_rate, 44100);
    ASSERT_EQ(ds->SetCooperativeLevel(nullptr, DSSCL_PRIORITY), DS_OK);
  }
  void TearDown() override {
    ds->Release();
    EXPECT_FALSE(host.audio_open);
    platform::SetHost(nullptr);
  }

  // A buffer of 16-bit mono samples at `rate`.
  IDirectSoundBuffer* Samples(const std::vector<int16_t>& samples, int rate) {
    WAVEFORMATEX f{WAVE_FORMAT_PCM, 1, static_cast<DWORD>(rate), static_cast<DWORD>(rate * 2), 2,
                   16, 0};
    DSBUFFERDESC d{36, 0xE2, static_cast<DWORD>(samples.size() * 2), 0, &f, {}};
    IDirectSoundBuffer* b = nullptr;
    void *p1, *p2;
    DWORD n1, n2;
    EXPECT_EQ(ds->CreateSoundBuffer(&d, &b, nullptr), DS_OK);
    EXPECT_EQ(b->Lock(0, d.dwBufferBytes, &p1, &n1, &p2, &n2, 0), DS_OK);
    std::memcpy(p1, samples.data(), n1);
    b->Unlock(p1, n1, p2, n2);
    return b;
  }
  IDirectSoundBuffer* Constant(int frames, int rate, int16_t value) {
    return Samples(std::vector<int16_t>(static_cast<size_t>(frames), value), rate);
  }

  // The first silent frame from the start, or -1.
  static int FirstSilentFrame(const std::vector<int16_t>& s) {
    for (size_t i = 0; i < s.size() / 2; ++i) {
      if (s[i * 2] == 0 && s[i * 2 + 1] == 0) return static_cast<int>(i);
    }
    return -1;
  }

  platform::HeadlessHost host;
  IDirectSound* ds = nullptr;
};

TEST_F(MixerTest, EachBufferIsResampledFromItsOwnFrequency) {
  IDirectSoundBuffer* b = Constant(1000, 22050, 1000);
  b->Play(0, 0, 0);
  auto out = host.RenderAudio(3000);
  EXPECT_EQ(out[0], 1000);
  EXPECT_EQ(FirstSilentFrame(out), 2000);  // 1000 frames at half the output rate
  b->SetFrequency(88200);
  b->SetCurrentPosition(0);
  b->Play(0, 0, 0);
  EXPECT_EQ(FirstSilentFrame(host.RenderAudio(3000)), 500);
  DWORD status = 1;
  b->GetStatus(&status);
  EXPECT_EQ(status, 0u);
}

TEST_F(MixerTest, ResamplingInterpolatesBetweenNeighbouringSamples) {
  IDirectSoundBuffer* b = Samples({0, 1000, 2000, 3000, 4000, 5000, 6000, 7000}, 11025);
  b->Play(0, 0, 0);
  const auto out = host.RenderAudio(28);
  for (int i = 0; i < 28; ++i) EXPECT_EQ(out[i * 2], 250 * i) << i;
}

TEST_F(MixerTest, SumsBeyondFullScaleAreClippedNotWrapped) {
  IDirectSoundBuffer* up[2] = {Constant(100, 44100, 30000), Constant(100, 44100, 30000)};
  IDirectSoundBuffer* down[2] = {Constant(100, 44100, -30000), Constant(100, 44100, -30000)};
  for (IDirectSoundBuffer* b : up) b->Play(0, 0, 0);
  auto out = host.RenderAudio(10);
  EXPECT_EQ(out[0], 32767);
  EXPECT_EQ(out[1], 32767);
  for (IDirectSoundBuffer* b : up) b->Stop();
  for (IDirectSoundBuffer* b : down) b->Play(0, 0, 0);
  out = host.RenderAudio(10);
  EXPECT_EQ(out[0], -32768);
  EXPECT_EQ(out[1], -32768);
}

TEST_F(MixerTest, PlayingBuffersAddUpAndLoopingGoesOn) {
  IDirectSoundBuffer* a = Constant(100, 44100, 1000);
  IDirectSoundBuffer* b = Constant(4410, 44100, 300);
  a->Play(0, 0, DSBPLAY_LOOPING);
  b->Play(0, 0, 0);
  const auto out = host.RenderAudio(8820);
  EXPECT_EQ(out[0], 1300);
  EXPECT_EQ(out[8819 * 2], 1000);  // b has ended, a still loops
  a->Stop();
  EXPECT_EQ(Peak(host.RenderAudio(100), 0, 100), 0);
}

TEST_F(MixerTest, PanAndVolumeAreHundredthsOfADecibel) {
  IDirectSoundBuffer* b = Constant(1000, 44100, 10000);
  b->SetPan(DSBPAN_RIGHT);
  b->Play(0, 0, DSBPLAY_LOOPING);
  auto out = host.RenderAudio(10);
  EXPECT_EQ(out[0], 0);
  EXPECT_EQ(out[1], 10000);
  b->SetPan(-600);  // 6 dB down on the right
  b->SetVolume(-600);
  out = host.RenderAudio(10);
  EXPECT_NEAR(out[0], 5012, 2);
  EXPECT_NEAR(out[1], 2512, 2);
  b->SetVolume(DSBVOLUME_MIN);
  EXPECT_EQ(Peak(host.RenderAudio(10), 0, 10), 0);
  EXPECT_EQ(b->SetVolume(1), DSERR_INVALIDPARAM);
}

TEST_F(MixerTest, LockGivesTwoPartsWhenTheRangeWraps) {
  IDirectSoundBuffer* b = Constant(8, 44100, 0);  // 16 bytes
  void *p1, *p2;
  DWORD n1, n2;
  ASSERT_EQ(b->Lock(12, 8, &p1, &n1, &p2, &n2, 0), DS_OK);
  ASSERT_EQ(n1, 4u);
  ASSERT_EQ(n2, 4u);
  std::memset(p1, 0x11, n1);
  std::memset(p2, 0x22, n2);
  ASSERT_EQ(b->Unlock(p1, n1, p2, n2), DS_OK);
  b->Play(0, 0, 0);
  const auto out = host.RenderAudio(8);
  const int16_t expected[8] = {0x2222, 0x2222, 0, 0, 0, 0, 0x1111, 0x1111};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(out[i * 2], expected[i]) << i;
  EXPECT_EQ(b->Lock(16, 1, &p1, &n1, &p2, &n2, 0), DSERR_INVALIDPARAM);
  EXPECT_EQ(b->Lock(0, 17, &p1, &n1, &p2, &n2, 0), DSERR_INVALIDPARAM);
}

}  // namespace
}  // namespace sound_test
