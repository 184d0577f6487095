// The generated sound effects and tunes: the effects read through the engine's WAVE reader in the
// format the game plays, and the tunes are well-formed format-1 MIDI files that loop cleanly.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

#include "engine/el_sound.h"
#include "platform/host_headless.h"
#include "platform/kernel32.h"
#include "platform/midi_synth.h"
#include "platform/mmio.h"
#include "tests/assets/asset_files.h"

namespace {

using asset_test::kProgramDir;
using asset_test::ReadBytes;

// Reads an effect through the engine's reader and checks the format the game plays, its length
// and that it neither clicks nor whispers. The game restarts its effects many times a second over
// the music, so each stays well under full scale.
void CheckEffect(const char* name, int maxMilliseconds) {
  platform::HeadlessHost host;
  platform::SetHost(&host);
  WAVEFORMATEX* format = nullptr;
  uint8_t* data = nullptr;
  uint32_t formatSize = 0, dataSize = 0;
  const std::string path = kProgramDir + "/" + name;
  ASSERT_EQ(ReadWaveFile(path.c_str(), &format, &formatSize, &data, &dataSize), 0);
  EXPECT_EQ(format->wFormatTag, WAVE_FORMAT_PCM);
  EXPECT_EQ(format->nChannels, 1);
  EXPECT_EQ(format->nSamplesPerSec, 22050u);
  EXPECT_EQ(format->wBitsPerSample, 16);
  EXPECT_EQ(format->nBlockAlign, 2);
  EXPECT_EQ(format->nAvgBytesPerSec, 44100u);
  const size_t samples = dataSize / 2;
  EXPECT_GT(samples, 22050u * 40 / 1000);
  EXPECT_LT(samples, 22050u * maxMilliseconds / 1000);
  int peak = 0;
  int16_t first = 0, last = 0;
  double headEnergy = 0, tailEnergy = 0;  // first and last quarter
  for (size_t i = 0; i < samples; ++i) {
    const int16_t s = static_cast<int16_t>(data[2 * i] | (data[2 * i + 1] << 8));
    peak = std::max(peak, std::abs(static_cast<int>(s)));
    if (i == 0) first = s;
    last = s;
    if (i < samples / 4) headEnergy += double(s) * s;
    if (i >= samples - samples / 4) tailEnergy += double(s) * s;
  }
  EXPECT_LT(tailEnergy * 9, headEnergy) << "the effect must die away, not stop short";
  EXPECT_GT(peak, 6000) << "too quiet to hear over the music";
  EXPECT_LT(peak, 12000) << "so loud that the effects together clip and drown the music";
  EXPECT_LT(std::abs(first), 1000) << "starts with a click";
  EXPECT_LT(std::abs(last), 1000) << "ends with a click";
  GlobalFree(GlobalHandle(format));
  GlobalFree(GlobalHandle(data));
}

TEST(AssetSounds, ShotIsABriefMonoPcmEffect) { CheckEffect("SOUND/SHOT.WAV", 150); }

TEST(AssetSounds, ExplosionIsUnderASecondOfMonoPcm) { CheckEffect("SOUND/BOM.WAV", 1000); }

// ----------------------------------------------------------------------------------------- MIDI

// What a walk over every track of a Standard MIDI file found.
struct TuneFacts {
  std::string error;
  int format = -1;
  int division = 0;  // ticks per quarter note
  int tracks = 0;
  bool tempo = false;
  bool programs = false;
  int drumNotes = 0;     // note-ons on channel 10
  int hangingNotes = 0;  // note-ons without their note-off by the end of the track
  std::vector<uint32_t> endTicks;
};

uint32_t VarLen(const std::vector<uint8_t>& b, size_t& at, size_t end, bool& ok) {
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i) {
    if (at >= end) break;
    const uint8_t c = b[at++];
    v = (v << 7) | (c & 0x7F);
    if (!(c & 0x80)) return v;
  }
  ok = false;
  return 0;
}

TuneFacts WalkTune(const std::vector<uint8_t>& b) {
  TuneFacts f;
  auto be32 = [&](size_t at) {
    return (uint32_t{b[at]} << 24) | (uint32_t{b[at + 1]} << 16) | (b[at + 2] << 8) | b[at + 3];
  };
  if (b.size() < 14 || std::string(b.begin(), b.begin() + 4) != "MThd" || be32(4) != 6) {
    f.error = "header";
    return f;
  }
  f.format = (b[8] << 8) | b[9];
  f.division = (b[12] << 8) | b[13];
  const int declared = (b[10] << 8) | b[11];
  size_t at = 14;
  while (at + 8 <= b.size()) {
    if (std::string(b.begin() + at, b.begin() + at + 4) != "MTrk") {
      f.error = "chunk";
      return f;
    }
    const size_t end = at + 8 + be32(at + 4);
    if (end > b.size()) {
      f.error = "track length";
      return f;
    }
    size_t p = at + 8;
    uint32_t tick = 0;
    uint8_t status = 0;
    bool ok = true, ended = false;
    std::map<int, int> sounding;
    while (p < end && ok && !ended) {
      tick += VarLen(b, p, end, ok);
      if (!ok || p >= end) break;
      if (b[p] == 0xFF) {  // meta event: type, length, data
        if (++p >= end) break;
        const uint8_t type = b[p++];
        const uint32_t len = VarLen(b, p, end, ok);
        f.tempo |= type == 0x51 && len == 3;
        if (type == 0x2F) {
          ended = true;
          f.endTicks.push_back(tick);
        }
        p += len;
        continue;
      }
      if (b[p] == 0xF0 || b[p] == 0xF7) {
        ++p;
        p += VarLen(b, p, end, ok);
        continue;
      }
      if (b[p] & 0x80) status = b[p++];
      if (status == 0) {
        ok = false;
      } else {
        const int kind = status & 0xF0, channel = status & 0x0F;
        const int bytes = (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
        if (p + bytes > end) {
          ok = false;
          break;
        }
        const int key = channel * 128 + b[p];
        if (kind == 0xC0) f.programs = true;
        if (kind == 0x90 && b[p + 1] > 0) {
          ++sounding[key];
          if (channel == 9) ++f.drumNotes;
        } else if (kind == 0x80 || kind == 0x90) {
          --sounding[key];
        }
        p += bytes;
      }
    }
    if (!ok || !ended || p != end) {
      f.error = "track " + std::to_string(f.tracks) + " does not end with its end-of-track event";
      return f;
    }
    for (const auto& [key, count] : sounding) f.hangingNotes += std::abs(count);
    ++f.tracks;
    at = end;
  }
  if (at != b.size() || f.tracks != declared) f.error = "track count";
  return f;
}

void CheckTune(const char* name, double minSeconds) {
  const std::vector<uint8_t> bytes = ReadBytes(kProgramDir + "/" + name);
  const TuneFacts f = WalkTune(bytes);
  ASSERT_EQ(f.error, "");
  EXPECT_EQ(f.format, 1);
  EXPECT_GE(f.tracks, 3);
  EXPECT_TRUE(f.tempo);
  EXPECT_TRUE(f.programs);
  EXPECT_GT(f.drumNotes, 0);
  EXPECT_EQ(f.hangingNotes, 0) << "a note would ring on across the loop";
  // Every track ends on the same tick, so a restart never cuts one part short.
  for (uint32_t t : f.endTicks) EXPECT_EQ(t, f.endTicks.front());
  // ... and the end falls on a bar line of the tunes' 4/4 time, so the restart keeps the beat.
  ASSERT_GT(f.division, 0);
  EXPECT_EQ(f.endTicks.front() % (4 * f.division), 0u);

  platform::MidiSong song;
  ASSERT_TRUE(platform::ReadMidiFile(bytes.data(), bytes.size(), &song));
  EXPECT_GE(static_cast<double>(song.lengthFrames) / platform::kMixRate, minSeconds);
}

TEST(AssetMusic, StageTuneLoopsCleanlyAfterAtLeastAMinute) { CheckTune("MIDI/VKT1.MID", 60.0); }

TEST(AssetMusic, EndingTuneLoopsCleanly) { CheckTune("MIDI/VKTEND.MID", 30.0); }

}  // namespace
