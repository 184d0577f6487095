// An effect and a tune through the real mixer and synthesizer, as the sound card would hear them.
#include <gtest/gtest.h>

#include "engine/el_sound.h"
#include "engine/midi.h"
#include "tests/sound/sound_test_util.h"

namespace sound_test {
namespace {

constexpr int kSecond = 44100;
constexpr int kWindow = kSecond / 20;  // 50 ms

class RenderTest : public SoundTest {};

TEST_F(RenderTest, EffectAndLoopingTuneAreHeardAndTheTuneRestartsAtItsEnd) {
  WriteData("SOUND/SHOT.WAV", ToneWave(22050, 2205, 12000));  // 0.1 s
  WriteData("MIDI/VKT1.MID", OneNoteTune(24, 192));  // a 0.125 s note in a 1 s tune
  StartWithSound();
  const int shot = elSound::LoadObject("SOUND/SHOT.WAV", 1);
  ASSERT_EQ(shot, 0);

  // The effect alone: a tenth of a second of tone, then silence.
  elSound::Play(shot, -1);
  auto effect = host.RenderAudio(kSecond / 5);
  EXPECT_GE(Peak(effect, 0, kSecond / 10 - 10), 11000);
  EXPECT_EQ(Peak(effect, kSecond / 10 + 10, kSecond / 5), 0);

  // The tune: its note sounds at once and has died away before the tune's end.
  PlayMidi("MIDI/VKT1.MID", 1);
  auto first = host.RenderAudio(kSecond);
  const int attack = Peak(first, 0, kWindow);
  const int tail = Peak(first, kSecond - kWindow, kSecond);
  EXPECT_GT(attack, 1000);
  EXPECT_LT(tail * 4, attack);

  // The end posts the notification; the window procedure starts the tune again.
  host.RenderAudio(64);
  DispatchMessages();
  auto second = host.RenderAudio(kSecond);
  EXPECT_GT(Peak(second, 0, kWindow), attack / 2);
  // The effect plays over the music.
  elSound::Play(shot, -1);
  auto both = host.RenderAudio(kWindow);
  EXPECT_GT(Peak(both, 0, kWindow), 10000);
}

}  // namespace
}  // namespace sound_test
