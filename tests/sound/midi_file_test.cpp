// The Standard MIDI File reader: event times through the tempo map, merged tracks, running
// status, and damaged files refused.
#include <gtest/gtest.h>

#include "platform/midi_synth.h"
#include "tests/sound/sound_test_util.h"

namespace sound_test {
namespace {

platform::MidiSong Read(const Bytes& b) {
  platform::MidiSong song;
  EXPECT_TRUE(platform::ReadMidiFile(b.data(), b.size(), &song));
  return song;
}

bool Refused(const Bytes& b) {
  platform::MidiSong song;
  return !platform::ReadMidiFile(b.data(), b.size(), &song) && song.events.empty();
}

TEST(MidiFileTest, TempoChangesTimeTheEventsAfterThem) {
  // Division 96: a quarter note is 0.5 s at the default tempo, 0.25 s after the change.
  const Bytes track = {
      0x00, 0x90, 60, 100,                      // 0 s
      0x60, 0x80, 60, 0,                        // 0.5 s
      0x00, 0xFF, 0x51, 0x03, 0x03, 0xD0, 0x90,  // tempo 250000 us per quarter
      0x60, 0x90, 62, 100,                      // 0.75 s
      0x81, 0x40, 62, 0,                        // 192 ticks later (running status): 1.25 s
  };
  const platform::MidiSong song = Read(MidiFile(0, 96, {track}));
  ASSERT_EQ(song.events.size(), 4u);
  EXPECT_EQ(song.events[0].frame, 0u);
  EXPECT_EQ(song.events[1].frame, 22050u);
  EXPECT_EQ(song.events[2].frame, 33075u);
  EXPECT_EQ(song.events[3].frame, 55125u);
  EXPECT_EQ(song.events[3].status, 0x90);  // the running status
  EXPECT_EQ(song.events[3].data1, 62);
  EXPECT_EQ(song.lengthFrames, 55125u);
}

TEST(MidiFileTest, FormatOneMergesTracksUnderTheFirstTracksTempo) {
  const Bytes tempo = {0x00, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40};  // 1 s per quarter
  const Bytes notes = {0x00, 0xC1, 5, 0x30, 0x91, 64, 90, 0x30, 0x81, 64, 0};
  const Bytes drums = {0x18, 0x99, 36, 127, 0x60, 0x89, 36, 0};
  const platform::MidiSong song = Read(MidiFile(1, 96, {tempo, notes, drums}));
  ASSERT_EQ(song.events.size(), 5u);
  const uint8_t order[] = {0xC1, 0x99, 0x91, 0x81, 0x89};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(song.events[i].status, order[i]) << i;
  EXPECT_EQ(song.events[1].frame, 11025u);  // 24 ticks = 0.25 s
  EXPECT_EQ(song.events[2].frame, 22050u);
  EXPECT_EQ(song.lengthFrames, 55125u);     // the drum track ends last, at 120 ticks
}

TEST(MidiFileTest, DamagedFilesAreRefused) {
  const Bytes good = OneNoteTune(48, 96);
  std::vector<Bytes> bad = {good, good, good, Bytes{}, ToneWave(22050, 10)};
  bad[0].resize(good.size() - 3);  // the track chunk claims more than is left
  bad[1][9] = 2;                   // format 2
  bad[2][12] = bad[2][13] = 0;     // no division
  for (const Bytes& track : std::vector<Bytes>{
           {0x00, 60, 100},                             // data without a status
           {0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0x90, 60, 1},  // a five-byte delta time
           {0x00, 0x90, 0x80, 1},                       // a status byte as data
           {0x00, 0xFF, 0x01, 0x7F, 'a'},               // a meta event past the end
           // hours of silence between two notes: a damaged file, not a tune
           {0x00, 0xFF, 0x51, 0x03, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0x90, 60, 1}}) {
    bad.push_back(MidiFile(0, 1, {track}));
  }
  for (size_t i = 0; i < bad.size(); ++i) EXPECT_TRUE(Refused(bad[i])) << i;
}

}  // namespace
}  // namespace sound_test
