// The asset generator itself: a second run writes the very bytes the build wrote, in good time,
// and a run that cannot write its files fails instead of leaving the build without assets.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "tests/assets/asset_files.h"

namespace {

using asset_test::kProgramDir;
using asset_test::ReadBytes;

const std::string kGenerator = kProgramDir + "/morv_assetgen";

class AssetGenerator : public ::testing::Test {
 protected:
  std::string dir;
  void SetUp() override {
    char pattern[] = "/tmp/morv-assets-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(dir); }

  int Run(const std::string& args) {
    return std::system((kGenerator + " " + args + " > /dev/null 2>&1").c_str());
  }
};

TEST_F(AssetGenerator, SecondRunWritesTheSameBytesInGoodTime) {
  const auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(Run("--out " + dir), 0);
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::vector<std::string> files = asset_test::UniqueImages();
  for (const char* other : {"SOUND/SHOT.WAV", "SOUND/BOM.WAV", "MIDI/VKT1.MID", "MIDI/VKTEND.MID"}) {
    files.push_back(other);
  }
  for (const std::string& name : files) {
    const std::vector<uint8_t> built = ReadBytes(kProgramDir + "/" + name);
    ASSERT_FALSE(built.empty()) << name;
    EXPECT_TRUE(built == ReadBytes(dir + "/" + name)) << name << " differs between runs";
  }
#if defined(__SANITIZE_ADDRESS__)
  (void)seconds;  // the sanitizers slow the generator several times over
#else
  EXPECT_LT(seconds, 5.0);
#endif
}

TEST_F(AssetGenerator, FailsWhenItCannotWrite) {
  // A plain file where the IMAGE folder should go.
  std::filesystem::create_directories(dir);
  { std::ofstream(dir + "/IMAGE") << "in the way"; }
  EXPECT_NE(Run("--out " + dir), 0);
  EXPECT_NE(Run("--bogus"), 0);
}

}  // namespace
