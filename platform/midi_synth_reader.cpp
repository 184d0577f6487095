// Standard MIDI File reader: every track's events merged in time order, with tick times turned
// into sample times through the tempo map. Every length is checked against the bytes at hand.
#include <algorithm>
#include <cmath>

#include "platform/midi_synth.h"

namespace platform {

namespace {

constexpr size_t kMaxEvents = 1u << 21;           // far above any tune; keeps damaged files cheap
constexpr double kMaxSeconds = 6.0 * 60.0 * 60.0;  // longer "tunes" are damaged files
constexpr uint32_t kDefaultTempo = 500000;         // microseconds per quarter note

struct RawEvent {
  uint64_t tick;
  uint32_t tempo;  // non-zero: a tempo change, no channel message
  uint8_t status, data1, data2;
};

class Cursor {
 public:
  Cursor(const uint8_t* p, size_t n) : p_(p), end_(p + n) {}
  bool AtEnd() const { return p_ >= end_; }
  size_t Left() const { return static_cast<size_t>(end_ - p_); }
  bool Byte(uint8_t* v) {
    if (p_ >= end_) return false;
    *v = *p_++;
    return true;
  }
  bool Peek(uint8_t* v) const {
    if (p_ >= end_) return false;
    *v = *p_;
    return true;
  }
  bool Skip(size_t n) {
    if (n > Left()) return false;
    p_ += n;
    return true;
  }
  bool U32(uint32_t* v) {
    if (Left() < 4) return false;
    *v = (static_cast<uint32_t>(p_[0]) << 24) | (static_cast<uint32_t>(p_[1]) << 16) |
         (static_cast<uint32_t>(p_[2]) << 8) | p_[3];
    p_ += 4;
    return true;
  }
  bool U16(uint16_t* v) {
    if (Left() < 2) return false;
    *v = static_cast<uint16_t>((p_[0] << 8) | p_[1]);
    p_ += 2;
    return true;
  }
  // Variable-length quantity: at most four bytes.
  bool Vlq(uint32_t* v) {
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
      uint8_t b;
      if (!Byte(&b)) return false;
      value = (value << 7) | (b & 0x7F);
      if ((b & 0x80) == 0) {
        *v = value;
        return true;
      }
    }
    return false;
  }
  const uint8_t* Here() const { return p_; }

 private:
  const uint8_t* p_;
  const uint8_t* end_;
};

int DataBytes(uint8_t status) {
  const uint8_t kind = status & 0xF0;
  return (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
}

// Appends one track's events; `endTick` receives the tick of its end.
bool ReadTrack(Cursor track, std::vector<RawEvent>* out, uint64_t* endTick) {
  uint64_t tick = 0;
  uint8_t running = 0;
  while (!track.AtEnd()) {
    uint32_t delta;
    if (!track.Vlq(&delta)) return false;
    tick += delta;
    uint8_t b;
    if (!track.Peek(&b)) return false;
    uint8_t status;
    if (b < 0x80) {
      if (running == 0) return false;  // data without a status to run on
      status = running;
    } else {
      track.Byte(&status);
    }
    if (status < 0xF0) {
      running = status;
      RawEvent e{tick, 0, status, 0, 0};
      if (!track.Byte(&e.data1) || e.data1 > 0x7F) return false;
      if (DataBytes(status) == 2 && (!track.Byte(&e.data2) || e.data2 > 0x7F)) return false;
      if (out->size() >= kMaxEvents) return false;
      out->push_back(e);
      continue;
    }
    running = 0;  // system messages cancel running status
    if (status == 0xF0 || status == 0xF7) {
      uint32_t length;
      if (!track.Vlq(&length) || !track.Skip(length)) return false;
      continue;
    }
    if (status != 0xFF) return false;  // no other system message belongs in a file
    uint8_t type;
    uint32_t length;
    if (!track.Byte(&type) || !track.Vlq(&length) || length > track.Left()) return false;
    const uint8_t* data = track.Here();
    track.Skip(length);
    if (type == 0x2F) break;  // end of track
    if (type == 0x51 && length >= 3) {
      const uint32_t tempo = (static_cast<uint32_t>(data[0]) << 16) |
                             (static_cast<uint32_t>(data[1]) << 8) | data[2];
      if (tempo > 0) {
        if (out->size() >= kMaxEvents) return false;
        out->push_back(RawEvent{tick, tempo, 0, 0, 0});
      }
    }
  }
  *endTick = tick;
  return true;
}

}  // namespace

bool ReadMidiFile(const uint8_t* bytes, size_t size, MidiSong* song) {
  song->events.clear();
  song->lengthFrames = 0;
  if (bytes == nullptr) return false;
  Cursor file(bytes, size);
  uint32_t id, headerLength;
  if (!file.U32(&id) || id != 0x4D546864 /* MThd */ || !file.U32(&headerLength) ||
      headerLength < 6 || headerLength > file.Left()) {
    return false;
  }
  uint16_t format, trackCount, division;
  file.U16(&format);
  file.U16(&trackCount);
  file.U16(&division);
  file.Skip(headerLength - 6);
  if (format > 1 || trackCount == 0 || division == 0) return false;

  std::vector<RawEvent> raw;
  uint64_t endTick = 0;
  int tracksRead = 0;
  while (tracksRead < trackCount && !file.AtEnd()) {
    uint32_t chunkId, chunkLength;
    if (!file.U32(&chunkId) || !file.U32(&chunkLength) || chunkLength > file.Left()) return false;
    Cursor chunk(file.Here(), chunkLength);
    file.Skip(chunkLength);
    if (chunkId != 0x4D54726B /* MTrk */) continue;  // unknown chunks are skipped
    uint64_t trackEnd = 0;
    const size_t first = raw.size();
    if (!ReadTrack(chunk, &raw, &trackEnd)) return false;
    // Each track is in time order; merging keeps earlier tracks first at equal times.
    std::inplace_merge(raw.begin(), raw.begin() + static_cast<std::ptrdiff_t>(first), raw.end(),
                       [](const RawEvent& a, const RawEvent& b) { return a.tick < b.tick; });
    endTick = std::max(endTick, trackEnd);
    ++tracksRead;
  }
  if (tracksRead == 0) return false;

  // Ticks to seconds: by the tempo map for a metrical division, at a fixed rate for SMPTE time.
  double secondsPerTick;
  const bool smpte = (division & 0x8000) != 0;
  if (smpte) {
    const int fps = -static_cast<int8_t>(division >> 8);
    const int ticksPerFrame = division & 0xFF;
    if (fps <= 0 || ticksPerFrame == 0) return false;
    secondsPerTick = 1.0 / (fps * ticksPerFrame);
  } else {
    secondsPerTick = kDefaultTempo / 1e6 / division;
  }
  double seconds = 0.0;
  uint64_t lastTick = 0;
  auto advance = [&](uint64_t tick) {
    seconds += static_cast<double>(tick - lastTick) * secondsPerTick;
    lastTick = tick;
    return seconds <= kMaxSeconds;
  };
  song->events.reserve(raw.size());
  for (const RawEvent& e : raw) {
    if (!advance(e.tick)) {
      song->events.clear();
      return false;
    }
    if (e.tempo != 0) {
      if (!smpte) secondsPerTick = e.tempo / 1e6 / division;
      continue;
    }
    const auto frame = static_cast<uint64_t>(std::llround(seconds * kMixRate));
    song->events.push_back(MidiEvent{frame, e.status, e.data1, e.data2});
  }
  if (!advance(std::max(endTick, lastTick))) {
    song->events.clear();
    return false;
  }
  song->lengthFrames = static_cast<uint64_t>(std::llround(seconds * kMixRate));
  return true;
}

}  // namespace platform
