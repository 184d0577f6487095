#include <algorithm>

#include "assets/writers.h"

namespace assetgen {

namespace {

void PutBE32(std::vector<uint8_t>& out, uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) out.push_back((v >> s) & 0xFF);
}

void PutBE16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back((v >> 8) & 0xFF);
  out.push_back(v & 0xFF);
}

void PutVarLen(std::vector<uint8_t>& out, uint32_t v) {
  uint8_t buf[5];
  int n = 0;
  buf[n++] = v & 0x7F;
  while (v >>= 7) buf[n++] = static_cast<uint8_t>((v & 0x7F) | 0x80);
  while (n > 0) out.push_back(buf[--n]);
}

// Order of events on one tick: a note ends before anything else happens, and program and
// controller changes come before the notes that need them.
int Rank(const MidiEvent& e) {
  uint8_t s = e.bytes.empty() ? 0 : e.bytes[0];
  if ((s & 0xF0) == 0x80 || ((s & 0xF0) == 0x90 && e.bytes.size() > 2 && e.bytes[2] == 0)) return 0;
  if ((s & 0xF0) == 0x90) return 2;
  return 1;
}

}  // namespace

std::vector<uint8_t> EncodeMidi(const std::vector<MidiTrack>& tracks, int ticksPerQuarter) {
  std::vector<uint8_t> out;
  out.insert(out.end(), {'M', 'T', 'h', 'd'});
  PutBE32(out, 6);
  PutBE16(out, 1);  // format 1: parallel tracks
  PutBE16(out, static_cast<uint32_t>(tracks.size()));
  PutBE16(out, static_cast<uint32_t>(ticksPerQuarter));
  for (const MidiTrack& track : tracks) {
    std::vector<MidiEvent> events = track.events;
    std::stable_sort(events.begin(), events.end(), [](const MidiEvent& a, const MidiEvent& b) {
      if (a.tick != b.tick) return a.tick < b.tick;
      return Rank(a) < Rank(b);
    });
    std::vector<uint8_t> body;
    uint32_t now = 0;
    for (const MidiEvent& e : events) {
      uint32_t tick = std::min(e.tick, track.endTick);
      PutVarLen(body, tick - now);
      now = tick;
      if (e.bytes[0] == 0xFF) {
        // Meta event: type, length, data.
        body.push_back(0xFF);
        body.push_back(e.bytes[1]);
        PutVarLen(body, static_cast<uint32_t>(e.bytes.size() - 2));
        body.insert(body.end(), e.bytes.begin() + 2, e.bytes.end());
      } else {
        body.insert(body.end(), e.bytes.begin(), e.bytes.end());
      }
    }
    PutVarLen(body, track.endTick - now);
    body.insert(body.end(), {0xFF, 0x2F, 0x00});  // end of track
    out.insert(out.end(), {'M', 'T', 'r', 'k'});
    PutBE32(out, static_cast<uint32_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
  }
  return out;
}

}  // namespace assetgen
