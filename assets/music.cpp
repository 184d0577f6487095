// The two tunes, composed here from our own note data: a driving stage tune in E minor and a
// calm ending tune in C major. Both are format-1 Standard MIDI files with General MIDI programs
// and drums on channel 10; every track ends on the same bar line with no note left sounding, so
// the tunes loop cleanly when the player restarts them.
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "assets/asset_table.h"
#include "assets/writers.h"

namespace assetgen {

namespace {

constexpr int kTicksPerQuarter = 480;
constexpr int kSixteenth = kTicksPerQuarter / 4;
constexpr int kBar = kTicksPerQuarter * 4;
constexpr int kDrumChannel = 9;  // channel 10

// GM drum keys.
constexpr int kKick = 36, kSideStick = 37, kSnare = 38, kClosedHat = 42, kOpenHat = 46,
              kCrash = 49, kRide = 51, kHighTom = 50, kMidTom = 47, kLowTom = 45, kFloorTom = 41;

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "morv_assetgen: bad note data: %s\n", what.c_str());
  std::exit(1);
}

struct Song {
  std::vector<MidiTrack> tracks;

  int AddTrack(const std::string& name) {
    MidiTrack t;
    std::vector<uint8_t> meta = {0xFF, 0x03};
    meta.insert(meta.end(), name.begin(), name.end());
    t.events.push_back({0, meta});
    tracks.push_back(t);
    return static_cast<int>(tracks.size()) - 1;
  }
  // The first track, named for the tune, sets its tempo and four-four time.
  void AddConductor(const std::string& name, uint32_t microsecondsPerQuarter) {
    const int c = AddTrack(name);
    const uint32_t q = microsecondsPerQuarter;
    tracks[c].events.push_back({0, {0xFF, 0x51, static_cast<uint8_t>(q >> 16),
                                    static_cast<uint8_t>(q >> 8), static_cast<uint8_t>(q)}});
    tracks[c].events.push_back({0, {0xFF, 0x58, 4, 2, 24, 8}});
  }
  void Program(int track, int channel, int program) {
    tracks[track].events.push_back({0, {static_cast<uint8_t>(0xC0 | channel),
                                        static_cast<uint8_t>(program)}});
  }
  void Control(int track, int channel, int controller, int value) {
    tracks[track].events.push_back({0, {static_cast<uint8_t>(0xB0 | channel),
                                        static_cast<uint8_t>(controller),
                                        static_cast<uint8_t>(value)}});
  }
  void Note(int track, int channel, uint32_t start, uint32_t length, int key, int velocity) {
    if (key < 0 || key > 127) Fail("key out of range");
    uint8_t st = static_cast<uint8_t>(channel);
    tracks[track].events.push_back(
        {start, {static_cast<uint8_t>(0x90 | st), static_cast<uint8_t>(key),
                 static_cast<uint8_t>(velocity)}});
    tracks[track].events.push_back(
        {start + length, {static_cast<uint8_t>(0x80 | st), static_cast<uint8_t>(key), 0}});
  }
  std::vector<uint8_t> Encode(uint32_t endTick) {
    for (MidiTrack& t : tracks) t.endTick = endTick;
    return EncodeMidi(tracks, kTicksPerQuarter);
  }
};

int PitchClass(const std::string& name, size_t& pos) {
  static const int kBase[7] = {9, 11, 0, 2, 4, 5, 7};  // a b c d e f g
  char c = name[pos];
  if (c < 'a' || c > 'g') {
    if (c >= 'A' && c <= 'G') {
      c = static_cast<char>(c - 'A' + 'a');
    } else {
      Fail(name);
    }
  }
  int pc = kBase[c - 'a'];
  ++pos;
  if (pos < name.size() && name[pos] == '#') {
    ++pc;
    ++pos;
  }
  return pc;
}

// A phrase: tokens "e5:4" (note E5, four sixteenths) or "r:2" (rest), bars of 16 sixteenths.
// Plays it from `start` and returns its length; a phrase must fill exactly `bars` bars.
uint32_t Phrase(Song& song, int track, int channel, uint32_t start, int bars, const std::string& text,
                int velocity, int transpose = 0) {
  std::istringstream in(text);
  std::string token;
  uint32_t t = start;
  while (in >> token) {
    size_t colon = token.find(':');
    if (colon == std::string::npos) Fail(token);
    int units = std::atoi(token.c_str() + colon + 1);
    if (units <= 0) Fail(token);
    uint32_t len = static_cast<uint32_t>(units) * kSixteenth;
    if (token[0] != 'r') {
      size_t pos = 0;
      int pc = PitchClass(token, pos);
      int octave = token[pos] - '0';
      int key = 12 * (octave + 1) + pc + transpose;
      // Slightly detached, accent on the beat.
      int vel = velocity + (((t - start) % kTicksPerQuarter) == 0 ? 8 : 0);
      song.Note(track, channel, t, len - len / 8, key, vel > 127 ? 127 : vel);
    }
    t += len;
  }
  if (t - start != static_cast<uint32_t>(bars) * kBar) Fail("phrase length: " + text);
  return t - start;
}

struct Chord {
  int root;  // pitch class
  int third;
  bool seventh;
};

Chord ParseChord(const std::string& name) {
  size_t pos = 0;
  Chord c{PitchClass(name, pos), 4, false};
  if (pos < name.size() && name[pos] == 'm') {
    c.third = 3;
    ++pos;
  }
  if (pos < name.size() && name[pos] == '7') c.seventh = true;
  return c;
}

std::vector<Chord> Chords(const std::string& text) {
  std::istringstream in(text);
  std::vector<Chord> out;
  std::string token;
  while (in >> token) out.push_back(ParseChord(token));
  return out;
}

// ---------------------------------------------------------------- stage tune

enum class Beat { Intro, Full, Half };

void StageDrums(Song& s, int track, uint32_t bar0, int bars, Beat beat, bool fill) {
  for (int b = 0; b < bars; ++b) {
    uint32_t t0 = bar0 + static_cast<uint32_t>(b) * kBar;
    bool last = fill && b == bars - 1;
    for (int step = 0; step < 16; ++step) {
      uint32_t t = t0 + static_cast<uint32_t>(step) * kSixteenth;
      if (last && step >= 12) {
        const int toms[4] = {kHighTom, kMidTom, kLowTom, kFloorTom};
        s.Note(track, kDrumChannel, t, kSixteenth, toms[step - 12], 100);
        if (step % 2 == 0) s.Note(track, kDrumChannel, t, kSixteenth, kKick, 90);
        continue;
      }
      switch (beat) {
        case Beat::Intro:
          if (step % 4 == 0) s.Note(track, kDrumChannel, t, kSixteenth, kKick, 100);
          s.Note(track, kDrumChannel, t, kSixteenth, kClosedHat, step % 2 ? 45 : 70);
          break;
        case Beat::Full:
          if (step == 0 || step == 6 || step == 8 || step == 11)
            s.Note(track, kDrumChannel, t, kSixteenth, kKick, 110);
          if (step == 4 || step == 12) s.Note(track, kDrumChannel, t, kSixteenth, kSnare, 105);
          if (step % 2 == 0 && step != 14)
            s.Note(track, kDrumChannel, t, kSixteenth, kClosedHat, step % 4 ? 60 : 80);
          if (step == 14) s.Note(track, kDrumChannel, t, kSixteenth, kOpenHat, 75);
          break;
        case Beat::Half:
          if (step == 0 || step == 10) s.Note(track, kDrumChannel, t, kSixteenth, kKick, 100);
          if (step == 8) s.Note(track, kDrumChannel, t, kSixteenth, kSnare, 100);
          if (step % 4 == 0) s.Note(track, kDrumChannel, t, kSixteenth, kRide, 70);
          break;
      }
    }
  }
  if (beat != Beat::Intro) s.Note(track, kDrumChannel, bar0, kBar / 2, kCrash, 100);
}

void StageBacking(Song& s, int bass, int pad, int arp, uint32_t bar0, const std::vector<Chord>& chords,
                  bool withPad, bool withArp) {
  for (size_t b = 0; b < chords.size(); ++b) {
    const Chord& c = chords[b];
    uint32_t t0 = bar0 + static_cast<uint32_t>(b) * kBar;
    int root = 24 + c.root;  // from C1, kept between G1 and F#2
    if (root < 31) root += 12;
    // Driving eighth-note bass with an octave kick on the off-beats.
    const int octave[8] = {0, 0, 12, 0, 0, 12, 0, 7};
    for (int e = 0; e < 8; ++e) {
      s.Note(bass, 2, t0 + static_cast<uint32_t>(e) * 2 * kSixteenth, 2 * kSixteenth - 20,
             root + octave[e], e % 2 ? 88 : 105);
    }
    if (withPad) {
      int base = 48 + c.root;  // from C3, kept between G2 and F#3
      if (base > 54) base -= 12;
      for (int k : {0, c.third, 7}) s.Note(pad, 1, t0, kBar - 10, base + 12 + k, 62);
    }
    if (withArp) {
      int base = 60 + c.root;  // from C4, kept between G3 and F#4
      if (base > 66) base -= 12;
      const int up[4] = {0, c.third, 7, 12};
      for (int st = 0; st < 16; ++st) {
        int k = c.seventh && st % 8 == 7 ? 10 : up[st % 4];
        s.Note(arp, 3, t0 + static_cast<uint32_t>(st) * kSixteenth, kSixteenth - 10, base + k,
               st % 4 == 0 ? 62 : 48);
      }
    }
  }
}

const char* const kStageA =
    "e5:3 e5:1 g5:2 b5:2 a5:2 g5:2 f#5:2 g5:2 "
    "e5:6 d5:2 e5:2 g5:2 c6:4 "
    "b5:3 a5:1 f#5:4 d5:2 f#5:2 a5:4 "
    "b5:8 d#5:4 f#5:4 "
    "e5:3 e5:1 g5:2 b5:2 e6:4 d6:2 b5:2 "
    "c6:4 b5:2 a5:2 g5:4 e5:4 "
    "f#5:4 a5:4 d6:4 c6:2 a5:2 "
    "b5:12 r:4";
const char* const kStageA2 =
    "b5:3 b5:1 a5:2 g5:2 f#5:2 g5:2 a5:2 b5:2 "
    "c6:6 b5:2 a5:4 g5:4 "
    "a5:3 f#5:1 d5:4 f#5:2 a5:2 d6:4 "
    "d#6:8 b5:4 f#5:4 "
    "e6:6 d6:2 b5:4 g5:4 "
    "e5:2 g5:2 c6:4 b5:2 a5:2 g5:4 "
    "f#5:4 g5:2 a5:2 b5:4 a5:2 f#5:2 "
    "b4:4 d#5:4 f#5:4 b5:4";
const char* const kStageB =
    "a5:4 c6:4 e6:6 d6:2 "
    "d6:4 c6:2 b5:2 a5:4 f#5:4 "
    "g5:4 b5:4 d6:4 g6:4 "
    "f#6:6 e6:2 b5:8 "
    "c6:4 e6:4 a6:6 g6:2 "
    "f#6:4 d#6:4 b5:4 f#6:4 "
    "g6:6 f#6:2 e6:4 c6:4 "
    "d#6:8 f#6:4 b6:4";
const char* const kStageBridge =
    "a5:12 c6:4 "
    "b5:8 g5:8 "
    "f#5:12 a5:4 "
    "b5:8 d#6:8";

}  // namespace

std::vector<uint8_t> ComposeStageTune() {
  Song s;
  s.AddConductor("MORVENTICA STAGE", 400000);  // 150 beats per minute
  int lead = s.AddTrack("Lead");
  int pad = s.AddTrack("Strings");
  int bass = s.AddTrack("Bass");
  int arp = s.AddTrack("Arpeggio");
  int drums = s.AddTrack("Drums");
  s.Program(lead, 0, 80);  // Lead 1 (square)
  s.Control(lead, 0, 91, 50);
  s.Program(pad, 1, 48);   // String Ensemble 1
  s.Control(pad, 1, 7, 80);
  s.Program(bass, 2, 38);  // Synth Bass 1
  s.Program(arp, 3, 81);   // Lead 2 (sawtooth)
  s.Control(arp, 3, 7, 60);
  s.Control(arp, 3, 10, 84);

  const std::vector<Chord> verse = Chords("Em C D B Em C D B7");
  const std::vector<Chord> chorus = Chords("Am D G Em Am B C B7");
  uint32_t t = 0;
  // Intro: 4 bars of bass, arpeggio and a building beat.
  StageBacking(s, bass, pad, arp, t, Chords("Em Em C D"), false, true);
  StageDrums(s, drums, t, 4, Beat::Intro, true);
  t += 4 * kBar;
  // Verse twice, chorus, verse again.
  const char* const phrases[4] = {kStageA, kStageA2, kStageB, kStageA};
  for (int part = 0; part < 4; ++part) {
    const std::vector<Chord>& chords = part == 2 ? chorus : verse;
    StageBacking(s, bass, pad, arp, t, chords, true, part != 0);
    StageDrums(s, drums, t, 8, Beat::Full, true);
    t += Phrase(s, lead, 0, t, 8, phrases[part], 96);
  }
  // Bridge at half time, leading back to the intro's E minor.
  StageBacking(s, bass, pad, arp, t, Chords("Am G F# B7"), true, true);
  StageDrums(s, drums, t, 4, Beat::Half, true);
  t += Phrase(s, lead, 0, t, 4, kStageBridge, 92);
  return s.Encode(t);
}

// ---------------------------------------------------------------- ending tune

namespace {

const char* const kEndA =
    "e5:6 d5:2 c5:4 g5:4 "
    "d5:6 b4:2 g4:8 "
    "c5:4 e5:4 a5:6 g5:2 "
    "g5:8 e5:8 "
    "f5:4 a5:4 c6:4 a5:4 "
    "g5:6 e5:2 c5:8 "
    "a5:4 g5:4 f5:4 e5:4 "
    "d5:12 r:4";
const char* const kEndB =
    "g5:6 f5:2 e5:4 c5:4 "
    "d5:4 g5:4 b5:8 "
    "c6:6 b5:2 a5:4 e5:4 "
    "g5:12 r:4 "
    "a5:4 c6:4 f6:4 e6:2 d6:2 "
    "e6:6 d6:2 c6:8 "
    "c6:4 a5:4 f5:4 a5:4 "
    "g5:8 b5:8";
const char* const kEndCoda =
    "a5:8 c6:8 "
    "b5:8 d6:8 "
    "c6:16 "
    "r:16";

void EndingBacking(Song& s, int piano, int strings, int bass, int drums, uint32_t bar0,
                   const std::vector<Chord>& chords) {
  for (size_t b = 0; b < chords.size(); ++b) {
    const Chord& c = chords[b];
    uint32_t t0 = bar0 + static_cast<uint32_t>(b) * kBar;
    int root = 48 + c.root;  // C3 to B3
    // Broken chords on the piano, in eighths.
    const int shape[8] = {0, 7, 12, 12 + c.third, 19, 12 + c.third, 12, 7};
    for (int e = 0; e < 8; ++e) {
      s.Note(piano, 3, t0 + static_cast<uint32_t>(e) * 2 * kSixteenth, 2 * kSixteenth,
             root + shape[e], e == 0 ? 70 : 56);
    }
    for (int k : {0, c.third, 7}) s.Note(strings, 1, t0, kBar - 10, root + 12 + k, 48);
    s.Note(bass, 2, t0, kBar / 2 - 20, root - 12, 80);
    s.Note(bass, 2, t0 + kBar / 2, kBar / 2 - 20, root - 12 + 7, 70);
    s.Note(drums, kDrumChannel, t0, kSixteenth, kKick, 60);
    s.Note(drums, kDrumChannel, t0 + kBar / 2, kSixteenth, kSideStick, 50);
    for (int e = 0; e < 8; ++e) {
      s.Note(drums, kDrumChannel, t0 + static_cast<uint32_t>(e) * 2 * kSixteenth, kSixteenth,
             kRide, e % 2 ? 30 : 42);
    }
  }
}

}  // namespace

std::vector<uint8_t> ComposeEndingTune() {
  Song s;
  s.AddConductor("MORVENTICA ENDING", 714286);  // 84 beats per minute
  int flute = s.AddTrack("Flute");
  int piano = s.AddTrack("Piano");
  int strings = s.AddTrack("Strings");
  int bass = s.AddTrack("Bass");
  int drums = s.AddTrack("Drums");
  s.Program(flute, 0, 73);    // Flute
  s.Control(flute, 0, 91, 70);
  s.Program(piano, 3, 0);     // Acoustic Grand Piano
  s.Program(strings, 1, 48);  // String Ensemble 1
  s.Control(strings, 1, 7, 70);
  s.Program(bass, 2, 35);     // Fretless Bass
  const std::vector<Chord> verse = Chords("C G Am Em F C F G");
  uint32_t t = 0;
  const char* const phrases[3] = {kEndA, kEndB, kEndA};
  for (int part = 0; part < 3; ++part) {
    EndingBacking(s, piano, strings, bass, drums, t, verse);
    t += Phrase(s, flute, 0, t, 8, phrases[part], 84);
  }
  EndingBacking(s, piano, strings, bass, drums, t, Chords("F G C C"));
  t += Phrase(s, flute, 0, t, 4, kEndCoda, 80);
  return s.Encode(t);
}

}  // namespace assetgen
