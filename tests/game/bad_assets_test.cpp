// Damaged files in the program's directory: every picture in turn missing, cut short, or with a
// height that claims more rows than the file holds, and both sounds and both tunes each of the
// three ways. A picture or a sound the loader cannot read is reported through the error box (and
// on stderr) and the game goes on without it; a tune that cannot be opened plays nothing and says
// nothing. Each run then replays a recorded stretch of stage 1 from the title and of stage 2
// (tests/recordings/bad_assets/), reaching the recording's states, and leaves the program's
// directory as it found it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "game/asset_list.h"
#include "game/game_states.h"
#include "game/stage_drivers.h"
#include "platform/mci.h"
#include "platform/user32.h"
#include "tests/support/game_driver.h"
#include "tests/support/recording.h"
#include "tests/support/replay.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;
using morv_test::GameDriver;
using morv_test::GameOptions;
using morv_test::Recording;

namespace {

#if defined(__SANITIZE_ADDRESS__)
// The runs capture stderr to read the loader's messages. A crash inside one would leave the
// sanitizer's report in gtest's capture file, which nobody reads; reports go to a copy of the real
// stderr taken before any capture.
[[maybe_unused]] const bool kReportsToRealStderr = [] {
  const int fd = dup(2);
  if (fd >= 0) __sanitizer_set_report_fd(reinterpret_cast<void*>(static_cast<intptr_t>(fd)));
  return fd >= 0;
}();
#endif

const std::string kPictureError = "elDraw::LoadObject : BMPファイルを読み込めません";
const std::string kSoundError = "elSound::LoadObject : WAVEリソースが見つかりません";
const std::string kCaption = "エラー発生";

enum class Damage { Missing, Truncated, LyingSize };

const char* DamageName(Damage d) {
  switch (d) {
    case Damage::Missing: return "missing";
    case Damage::Truncated: return "truncated";
    case Damage::LyingSize: return "lying size";
  }
  return "";
}

std::vector<uint8_t> ReadFile(const fs::path& path) {
  const std::string bytes = morv_test::ReadWholeFile(path.string());
  return {bytes.begin(), bytes.end()};
}

uint32_t Le32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}
void PutLe32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}
uint32_t Be32(const std::vector<uint8_t>& b, size_t at) {
  return (static_cast<uint32_t>(b[at]) << 24) | (b[at + 1] << 16) | (b[at + 2] << 8) | b[at + 3];
}
void PutBe32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * (3 - i)));
}

// The field each kind of file sizes its contents by, claiming twice what is there: a bitmap's
// height (its rows), a wave's "data" chunk length, a tune's first track length.
std::vector<uint8_t> WithLyingSize(const std::string& name, std::vector<uint8_t> bytes) {
  const std::string ext = name.substr(name.size() - 4);
  if (ext == ".BMP") {
    const auto height = static_cast<int32_t>(Le32(bytes, 22));
    PutLe32(bytes, 22, static_cast<uint32_t>(height * 2));
  } else if (ext == ".WAV") {
    for (size_t at = 12; at + 8 <= bytes.size(); at += 8 + Le32(bytes, at + 4)) {
      if (std::string(bytes.begin() + at, bytes.begin() + at + 4) == "data") {
        PutLe32(bytes, at + 4, Le32(bytes, at + 4) * 2);
        break;
      }
    }
  } else {
    const size_t track = 8 + Be32(bytes, 4);
    PutBe32(bytes, track + 4, Be32(bytes, track + 4) * 2);
  }
  return bytes;
}

GameOptions Damaged(const std::string& name, Damage damage) {
  GameOptions options;
  if (damage == Damage::Missing) {
    options.missing_files = {name};
    return options;
  }
  std::vector<uint8_t> bytes = ReadFile(fs::path(MORV_PROGRAM_DIR) / name);
  if (damage == Damage::Truncated) {
    bytes.resize(bytes.size() / 2);
  } else {
    bytes = WithLyingSize(name, bytes);
  }
  options.replaced_files = {{name, bytes}};
  return options;
}

// Name, size and modification time of every file under a directory. (Names are cut from the
// walked paths: fs::relative would resolve every link of the game's copy on each listing.)
std::map<std::string, std::pair<uintmax_t, fs::file_time_type>> Listing(const std::string& dir) {
  const std::string prefix = dir.back() == '/' ? dir : dir + "/";
  std::map<std::string, std::pair<uintmax_t, fs::file_time_type>> files;
  for (const auto& entry : fs::recursive_directory_iterator(prefix)) {
    const std::string path = entry.path().generic_string();
    std::error_code ec;
    const uintmax_t size = entry.is_regular_file(ec) ? fs::file_size(entry.path(), ec) : 0;
    files[path.substr(prefix.size())] = {size, fs::last_write_time(entry.path(), ec)};
  }
  return files;
}

// The recorded stretch, parsed once: stage 1 from the title, then stage 2.
const Recording& Stretch(int stage) {
  static const Recording stage1 = morv_test::ParseRecording(
      morv_test::ReadWholeFile(MORV_RECORDINGS_DIR "/bad_assets/stage1.rec"));
  static const Recording stage2 = morv_test::ParseRecording(
      morv_test::ReadWholeFile(MORV_RECORDINGS_DIR "/bad_assets/stage2.rec"));
  return stage == 1 ? stage1 : stage2;
}

// Back to the title, then the recorded stretch: stage 1 as recorded from the title, stage 2 as
// recorded from its entry at distance 100. With `whole` every checkpoint field is compared. Else
// the state, the lives and the distance: a run without a picture presents other pixels, and a shot
// whose picture is missing hits nothing, so the hash and the score part from the file's. The
// distance only when the game comes to the recording fresh: a run that played before it (the tune
// runs) reaches the title at another point of the frame clock, and its frame times differ.
void PlayRecordedStages(GameDriver& game, bool whole) {
  const bool fresh = game.frame_count() == 0;
  if (gGameState != kStateTitle) {
    game.Tap('T');
    ASSERT_TRUE(game.FramesUntil([] { return gGameState == kStateTitle; }, 300));
  }
  const auto compared = [&](const std::string& key) {
    return whole || key == "state" || key == "lives" || (key == "distance" && fresh);
  };
  for (int stage : {1, 2}) {
    Recording rec = Stretch(stage);
    ASSERT_EQ(rec.error, "") << "stage" << stage << ".rec";
    ASSERT_FALSE(rec.checks.empty()) << "stage" << stage << ".rec";
    if (stage == 2) game.EnterStage(2, 100.0f);
    const int ran = morv_test::Replay(game, rec, [&](const morv_test::Checkpoint& c) {
      for (const auto& [key, value] : c.fields) {
        if (!compared(key)) continue;
        EXPECT_EQ(morv_test::CheckpointValue(key, game), value)
            << "stage" << stage << ".rec line " << c.line + 1 << ": " << key;
      }
    });
    ASSERT_EQ(ran, rec.LastFrame()) << "the program quit in stage " << stage;
  }
}

// Starts the game with one file damaged, plays, and returns the error boxes it showed.
struct Run {
  std::vector<std::string> boxes;
  std::string err;
};
Run StartAndPlay(const std::string& name, Damage damage,
                 const std::function<void(GameDriver&)>& at_start) {
  Run run;
  const GameOptions options = Damaged(name, damage);
  testing::internal::CaptureStderr();
  {
    GameDriver game(options);
    EXPECT_TRUE(game.started());
    if (!game.started()) {
      run.err = testing::internal::GetCapturedStderr();
      return run;
    }
    const auto before = Listing(game.data_dir());
    // The game's copy holds the damage (or lacks the file).
    std::error_code ec;
    const fs::path copy = fs::path(game.data_dir()) / name;
    if (damage == Damage::Missing) {
      EXPECT_FALSE(fs::exists(copy, ec));
    } else {
      EXPECT_EQ(ReadFile(copy), options.replaced_files[0].second);
    }
    at_start(game);
    const size_t boxes_at_start = game.host.box_texts.size();
    for (size_t i = 0; i < boxes_at_start; ++i) EXPECT_EQ(game.host.box_captions[i], kCaption);
    run.boxes = game.host.box_texts;
    PlayRecordedStages(game, false);
    EXPECT_EQ(game.host.box_texts.size(), boxes_at_start) << "an error box in play";
    EXPECT_FALSE(game.quit());
    EXPECT_EQ(Listing(game.data_dir()), before) << "the game wrote into its directory";
  }
  run.err = testing::internal::GetCapturedStderr();
  return run;
}

class BadAssets : public testing::Test {
 protected:
  void SetUp() override { program_before_ = Listing(MORV_PROGRAM_DIR); }
  void TearDown() override {
    EXPECT_EQ(Listing(MORV_PROGRAM_DIR), program_before_) << "the program's directory changed";
  }
  std::map<std::string, std::pair<uintmax_t, fs::file_time_type>> program_before_;
};

// Every picture file once, in load order; a file loaded into two slots is reported for each.
// Runs the files first, first + step, first + 2 step ...
void CheckPictures(Damage damage, size_t first, size_t step) {
  std::vector<std::string> files;
  std::map<std::string, int> loads;
  for (int i = 0; i < kImageCount; ++i) {
    if (loads[kPictureRows[i].file]++ == 0) files.push_back(kPictureRows[i].file);
  }
  ASSERT_EQ(files.size(), 237u);
  for (size_t f = first; f < files.size(); f += step) {
    const std::string& name = files[f];
    SCOPED_TRACE(name + " " + DamageName(damage));
    const Run run = StartAndPlay(name, damage, [&](GameDriver&) {
      for (int i = 0; i < kImageCount; ++i) {
        if (name == kPictureRows[i].file) {
          EXPECT_EQ(gImageSlot[i], 0);
        } else {
          EXPECT_NE(gImageSlot[i], 0) << kPictureRows[i].file;
        }
      }
      EXPECT_EQ(gSndShot, 0);
      EXPECT_EQ(gSndBom, 1);
    });
    EXPECT_EQ(run.boxes, std::vector<std::string>(static_cast<size_t>(loads[name]), kPictureError));
    EXPECT_NE(run.err.find(kCaption + ": " + kPictureError), std::string::npos) << run.err;
    if (testing::Test::HasFailure()) return;
  }
}

void CheckSounds(Damage damage) {
  for (const char* name : {"SOUND/SHOT.WAV", "SOUND/BOM.WAV"}) {
    SCOPED_TRACE(std::string(name) + " " + DamageName(damage));
    const bool shot = std::string(name) == "SOUND/SHOT.WAV";
    const Run run = StartAndPlay(name, damage, [&](GameDriver&) {
      for (int i = 0; i < kImageCount; ++i) EXPECT_NE(gImageSlot[i], 0) << kPictureRows[i].file;
      // The failed sound holds -1; the other takes the first free sound slot.
      EXPECT_EQ(gSndShot, shot ? -1 : 0);
      EXPECT_EQ(gSndBom, shot ? 0 : -1);
    });
    EXPECT_EQ(run.boxes, std::vector<std::string>{kSoundError});
    EXPECT_NE(run.err.find(kCaption + ": " + kSoundError), std::string::npos) << run.err;
  }
}

// The sequencer's state after the tune's PlayMidi: "playing", or "" when no tune is open.
std::string TuneMode() {
  char reply[32] = "";
  if (mciSendStringA("status midi mode", reply, sizeof reply, nullptr) != 0) return "";
  return reply;
}

// A tune is opened only when its stage (or the ending) starts: a bad one leaves the music silent
// and shows no box.
void CheckTunes(Damage damage) {
  {
    SCOPED_TRACE(std::string("MIDI/VKT1.MID ") + DamageName(damage));
    const Run run = StartAndPlay("MIDI/VKT1.MID", damage, [](GameDriver& game) {
      game.StartGame();
      EXPECT_EQ(gGameState, kStateStage1);
      EXPECT_EQ(TuneMode(), "");
      EXPECT_TRUE(game.host.box_texts.empty());
    });
    EXPECT_TRUE(run.boxes.empty());
  }
  {
    SCOPED_TRACE(std::string("MIDI/VKTEND.MID ") + DamageName(damage));
    const Run run = StartAndPlay("MIDI/VKTEND.MID", damage, [](GameDriver& game) {
      game.StartGame();
      EXPECT_EQ(TuneMode(), "playing");  // the stage tune is whole
      gGameState = kStateEnding;
      gPrevGameState = 0;
      gStageFrameCounter = 0;
      game.Frames(2);
      EXPECT_EQ(TuneMode(), "");
      EXPECT_TRUE(game.host.box_texts.empty());
    });
    EXPECT_TRUE(run.boxes.empty());
  }
}

// With every file whole the recorded stretch plays as recorded, to the picture.
TEST_F(BadAssets, WithEveryFileWholeTheRecordedStretchPlaysAsRecorded) {
  GameDriver game;
  ASSERT_TRUE(game.started());
  PlayRecordedStages(game, true);
  EXPECT_EQ(game.host.box_texts, std::vector<std::string>{});
}

// Every picture missing, cut short and lying in turn, each way's files shared among 24 tests that
// run side by side.
constexpr size_t kShares = 24;

class MissingPictures : public BadAssets, public testing::WithParamInterface<size_t> {};
TEST_P(MissingPictures, EachIsReportedAndTheGamePlaysWithoutIt) {
  CheckPictures(Damage::Missing, GetParam(), kShares);
}
INSTANTIATE_TEST_SUITE_P(Share, MissingPictures, testing::Range<size_t>(0, kShares));

class TruncatedPictures : public BadAssets, public testing::WithParamInterface<size_t> {};
TEST_P(TruncatedPictures, EachIsReportedAndTheGamePlaysWithoutIt) {
  CheckPictures(Damage::Truncated, GetParam(), kShares);
}
INSTANTIATE_TEST_SUITE_P(Share, TruncatedPictures, testing::Range<size_t>(0, kShares));

class PicturesWithALyingHeight : public BadAssets, public testing::WithParamInterface<size_t> {};
TEST_P(PicturesWithALyingHeight, EachIsReportedAndTheGamePlaysWithoutIt) {
  CheckPictures(Damage::LyingSize, GetParam(), kShares);
}
INSTANTIATE_TEST_SUITE_P(Share, PicturesWithALyingHeight, testing::Range<size_t>(0, kShares));

TEST_F(BadAssets, AMissingSoundIsReportedAndTheGamePlaysSilentOfIt) {
  CheckSounds(Damage::Missing);
}
TEST_F(BadAssets, ATruncatedSoundIsReportedAndTheGamePlaysSilentOfIt) {
  CheckSounds(Damage::Truncated);
}
TEST_F(BadAssets, ASoundWithALyingDataLengthIsReportedAndTheGamePlaysSilentOfIt) {
  CheckSounds(Damage::LyingSize);
}

TEST_F(BadAssets, AMissingTunePlaysNothingAndSaysNothing) { CheckTunes(Damage::Missing); }
TEST_F(BadAssets, ATruncatedTunePlaysNothingAndSaysNothing) { CheckTunes(Damage::Truncated); }
TEST_F(BadAssets, ATuneWithALyingTrackLengthPlaysNothingAndSaysNothing) {
  CheckTunes(Damage::LyingSize);
}

}  // namespace
