// The named mutex across processes, the module file name, resources and global memory.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

#include "platform/host_headless.h"
#include "platform/instance_link.h"
#include "platform/kernel32.h"

namespace {

class Kernel32 : public ::testing::Test {
 protected:
  platform::HeadlessHost host;
  std::string dir_;
  void SetUp() override {
    char pattern[] = "/tmp/morv-k32-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    platform::SetLockDirectory(dir_);
    platform::SetHost(&host);
  }
  void TearDown() override {
    platform::CloseAllNamedMutexes();
    platform::SetLockDirectory("");
    platform::SetHost(nullptr);
    std::filesystem::remove_all(dir_);
  }
  // Whether a fresh process asking for `name` is told that it exists.
  static bool OtherProcessSeesIt(const char* name) {
    const pid_t pid = fork();
    if (pid == 0) {
      platform::CloseAllNamedMutexes();  // the child's copy of the table is not its own
      HANDLE h = CreateMutexA(nullptr, TRUE, name);
      _exit(h != nullptr && GetLastError() == ERROR_ALREADY_EXISTS ? 0 : 1);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
  }
};

TEST_F(Kernel32, NamedMutexIsSeenByAnotherProcessWhileItLives) {
  const char* name = "MORVENTICA SF SHOOTING VERSION2:ElMutex";
  EXPECT_FALSE(OtherProcessSeesIt(name));
  HANDLE h = CreateMutexA(nullptr, TRUE, name);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
  EXPECT_TRUE(OtherProcessSeesIt(name));
  // Releasing ownership keeps the mutex; only closing the last handle ends it.
  EXPECT_TRUE(ReleaseMutex(h));
  EXPECT_FALSE(ReleaseMutex(h));
  EXPECT_TRUE(OtherProcessSeesIt(name));
  EXPECT_TRUE(CloseHandle(h));
  EXPECT_FALSE(OtherProcessSeesIt(name));
}


TEST_F(Kernel32, LockFileNamesStayInTheLockDirectory) {
  const std::string path = platform::LockFilePath("../../etc/passwd\n:ElMutex");
  EXPECT_EQ(path.rfind(dir_ + "/morventica-", 0), 0u);
  EXPECT_EQ(path.find('/', dir_.size() + 1), std::string::npos);
  EXPECT_NE(platform::LockFilePath("a:b"), platform::LockFilePath("a_b"));
}

TEST_F(Kernel32, ModuleFileNameIsCutToTheBuffer) {
  host.module_path = "/opt/game/morventica-w480";
  char buf[64];
  EXPECT_EQ(GetModuleFileNameA(nullptr, buf, sizeof buf), 25u);
  EXPECT_STREQ(buf, "/opt/game/morventica-w480");
  char small[5];
  EXPECT_EQ(GetModuleFileNameA(nullptr, small, sizeof small), 4u);
  EXPECT_STREQ(small, "/opt");
}

TEST_F(Kernel32, ResourcesAreFoundByNameAndTypeWhateverTheCase) {
  platform::AddResource("bom.wav", "WAVE", 0, {1, 2, 3});
  platform::AddResource("TITLE", nullptr, RT_BITMAP, {9});
  HRSRC r = FindResourceA(nullptr, "BOM.WAV", "wave");
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(SizeofResource(nullptr, r), 3u);
  EXPECT_EQ(static_cast<uint8_t*>(LockResource(LoadResource(nullptr, r)))[2], 3);
  EXPECT_EQ(FindResourceA(nullptr, "BOM.WAV", MAKEINTRESOURCEA(RT_RCDATA)), nullptr);
  ASSERT_NE(platform::FindResourceBytes("title", nullptr, RT_BITMAP), nullptr);
  platform::ClearResources();
  EXPECT_EQ(platform::FindResourceBytes("title", nullptr, RT_BITMAP), nullptr);
}


}  // namespace
