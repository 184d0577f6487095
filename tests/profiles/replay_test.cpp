// Recorded playthroughs, replayed headless in the program's own profile: every file in
// tests/recordings/<profile>/ (the program's name without "morventica-") is one test. Its input
// events are delivered at their frames and its checkpoints (state, distance, score, lives, a hash
// of the presented picture) must match; along the way no error box is raised and no blit is
// refused for its source rectangle.
//
// MORV_REGENERATE_CHECKPOINTS=1 makes the test write the values it saw into the file's check lines
// instead (a check line without fields gets every field), for a new or changed recording.
// MORV_REPLAY_FILE=path/to/<folder>/<name>.rec replays that one file instead of the tree's (the
// test is then Recordings/Replay.*/<folder>_<name>): scripts/window_record_test.sh replays a
// session it has just recorded in the window without putting it in the source tree.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/profile.h"
#include "platform/host_headless.h"
#include "tests/support/game_driver.h"
#include "tests/support/recording.h"
#include "tests/support/replay.h"

namespace {

namespace fs = std::filesystem;
using morv_test::Checkpoint;
using morv_test::GameDriver;
using morv_test::Recording;

std::string ProfileFolder() {
  std::string name = kProfile.program;
  const std::string prefix = "morventica-";
  if (name.rfind(prefix, 0) == 0) name = name.substr(prefix.size());
  return name;
}

std::vector<std::string> RecordingFiles() {
  if (const char* one = std::getenv("MORV_REPLAY_FILE"); one != nullptr && *one != '\0') {
    return {one};
  }
  std::vector<std::string> files;
  const fs::path dir = fs::path(MORV_RECORDINGS_DIR) / ProfileFolder();
  std::error_code ec;
  if (!fs::is_directory(dir, ec)) return files;
  for (const auto& entry : fs::directory_iterator(dir)) {
    if (entry.path().extension() == ".rec") files.push_back(entry.path().string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

constexpr const char* kAllFields[] = {"state", "distance", "score", "lives", "framehash"};

class Replay : public testing::TestWithParam<std::string> {};

TEST_P(Replay, ReachesEveryCheckpointWithNoErrorBoxAndNoRefusedSourceRectangle) {
  const std::string path = GetParam();
  Recording rec = morv_test::ParseRecording(morv_test::ReadWholeFile(path));
  ASSERT_EQ(rec.error, "") << path;
  ASSERT_FALSE(rec.checks.empty()) << path << " has no checkpoint";
  const bool regenerate = std::getenv("MORV_REGENERATE_CHECKPOINTS") != nullptr;

  GameDriver game;
  ASSERT_TRUE(game.started());
  const int ran = morv_test::Replay(game, rec, [&](Checkpoint& c) {
    if (regenerate) {
      if (c.fields.empty()) {
        for (const char* key : kAllFields) c.fields.emplace_back(key, "");
      }
      std::string line = "check " + std::to_string(c.frame);
      for (auto& [key, value] : c.fields) {
        line += " " + key + "=" + morv_test::CheckpointValue(key, game);
      }
      rec.lines[c.line] = line;
      return;
    }
    for (const auto& [key, value] : c.fields) {
      EXPECT_EQ(morv_test::CheckpointValue(key, game), value)
          << path << " line " << c.line + 1 << ": " << key;
    }
  });
  ASSERT_EQ(ran, rec.LastFrame()) << path << ": the program quit before frame " << ran;

  EXPECT_EQ(game.host.box_texts, std::vector<std::string>{}) << path;
  EXPECT_EQ(game.host.refused_source_rects, 0) << path;
  if (regenerate) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (const std::string& line : rec.lines) out << line << '\n';
    std::printf("regenerated %s\n", path.c_str());
  }
}

std::string TestName(const testing::TestParamInfo<std::string>& info) {
  const fs::path p(info.param);
  std::string name = p.parent_path().filename().string() + "_" + p.stem().string();
  for (char& ch : name) {
    if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
  }
  return name;
}

INSTANTIATE_TEST_SUITE_P(Recordings, Replay, testing::ValuesIn(RecordingFiles()), TestName);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(Replay);

}  // namespace
