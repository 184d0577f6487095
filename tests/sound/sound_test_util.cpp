#include "tests/sound/sound_test_util.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "engine/midi.h"
#include "platform/kernel32.h"
#include "platform/mci.h"

namespace sound_test {

namespace {

// Little-endian unless `big`.
void Put(Bytes& b, uint32_t v, int bytes, bool big = false) {
  for (int i = 0; i < bytes; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * (big ? bytes - 1 - i : i))));
}
void PutId(Bytes& b, const std::string& id) { b.insert(b.end(), id.begin(), id.begin() + 4); }

}  // namespace

Bytes RiffFile(const char* form, const std::vector<Chunk>& chunks, int64_t claimedSize) {
  Bytes body;
  PutId(body, form);
  for (const Chunk& c : chunks) {
    PutId(body, c.id);
    Put(body, static_cast<uint32_t>(c.claimedSize >= 0 ? c.claimedSize : c.data.size()), 4);
    body.insert(body.end(), c.data.begin(), c.data.end());
    if (c.data.size() % 2 != 0) body.push_back(0);
  }
  Bytes file;
  PutId(file, "RIFF");
  Put(file, static_cast<uint32_t>(claimedSize >= 0 ? claimedSize : body.size()), 4);
  file.insert(file.end(), body.begin(), body.end());
  return file;
}

Bytes PcmFormat(int channels, int rate, int bits) {
  Bytes b;
  const int align = channels * bits / 8;
  for (auto [value, bytes] : {std::pair{1, 2}, {channels, 2}, {rate, 4}, {rate * align, 4},
                              {align, 2}, {bits, 2}}) {
    Put(b, static_cast<uint32_t>(value), bytes);
  }
  return b;
}

Bytes Tone16(int frames, int amplitude, int period) {
  Bytes b;
  for (int i = 0; i < frames; ++i) {
    Put(b, static_cast<uint16_t>((i % period) < period / 2 ? amplitude : -amplitude), 2);
  }
  return b;
}

Bytes ToneWave(int rate, int frames, int amplitude) {
  return RiffFile("WAVE", {{"fmt ", PcmFormat(1, rate, 16)}, {"data", Tone16(frames, amplitude, 50)}});
}

Bytes MidiFile(int format, int division, const std::vector<Bytes>& tracks) {
  Bytes b;
  PutId(b, "MThd");
  Put(b, 6, 4, true);
  Put(b, static_cast<uint32_t>(format), 2, true);
  Put(b, static_cast<uint32_t>(tracks.size()), 2, true);
  Put(b, static_cast<uint32_t>(division), 2, true);
  for (Bytes events : tracks) {
    events.insert(events.end(), {0x00, 0xFF, 0x2F, 0x00});
    PutId(b, "MTrk");
    Put(b, static_cast<uint32_t>(events.size()), 4, true);
    b.insert(b.end(), events.begin(), events.end());
  }
  return b;
}

Bytes OneNoteTune(int noteTicks, int endTicks) {
  auto vlq = [](Bytes& b, int v) {  // up to two bytes
    if (v >= 128) b.push_back(static_cast<uint8_t>(0x80 | (v >> 7)));
    b.push_back(static_cast<uint8_t>(v & 0x7F));
  };
  Bytes t = {0x00, 0xC0, 0x00, 0x00, 0x90, 60, 120, 0x00, 64, 120};
  vlq(t, noteTicks);
  t.insert(t.end(), {0x80, 60, 0x00, 0x00, 64, 0x00});  // running status for the second off
  vlq(t, endTicks - noteTicks);
  t.insert(t.end(), {0xFF, 0x01, 0x00});  // an empty text event marks the end time
  return MidiFile(0, 96, {t});
}

int Peak(const std::vector<int16_t>& stereo, int from, int to) {
  int peak = 0;
  for (int i = from * 2; i < to * 2 && i < static_cast<int>(stereo.size()); ++i) {
    peak = std::max(peak, std::abs(static_cast<int>(stereo[i])));
  }
  return peak;
}

void SoundTest::SetUp() {
  AppFixture::SetUp();
  platform::ClearResources();
}

void SoundTest::TearDown() {
  StopMidi();
  ReleaseSound();
  platform::ClearResources();
  AppFixture::TearDown();
}

void SoundTest::StartWithSound() {
  ASSERT_NE(Start(), 0);
  InitDirectSound();
  ResetMidiState();
}

void SoundTest::WriteData(const std::string& relative, const Bytes& bytes) {
  const std::filesystem::path path = program_dir + "/" + relative;
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

bool SoundTest::IsPlaying(IDirectSoundBuffer* buffer) {
  DWORD status = 0;
  return buffer->GetStatus(&status) == DS_OK && (status & DSBSTATUS_PLAYING) != 0;
}

std::string SoundTest::MidiMode() {
  char reply[32] = {};
  if (mciSendStringA("status midi mode", reply, sizeof reply, nullptr) != 0) return "error";
  return reply;
}

}  // namespace sound_test
