// Two real starts of the program: the second finds the first, brings it to the front and ends
// with 0 while the first goes on.
#include <gtest/gtest.h>
#include <poll.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct Child {
  pid_t pid = -1;
  int out = -1;  // read end of its standard output
  std::string seen;
};

std::string ProbePath() { return std::string(MORV_PROGRAM_DIR) + "/morv_instance_probe"; }

Child Spawn(const std::string& runtime_dir) {
  Child c;
  int fds[2];
  if (pipe(fds) != 0) return c;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
  posix_spawn_file_actions_addclose(&actions, fds[0]);
  std::vector<std::string> env = {"SDL_VIDEODRIVER=dummy", "SDL_AUDIODRIVER=dummy",
                                  "XDG_RUNTIME_DIR=" + runtime_dir};
  std::vector<char*> envp;
  for (std::string& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);
  std::string path = ProbePath();
  char* argv[] = {path.data(), nullptr};
  if (posix_spawn(&c.pid, path.c_str(), &actions, nullptr, argv, envp.data()) != 0) c.pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  c.out = fds[0];
  return c;
}

// Reads the child's output until `word` has appeared or `ms` have passed.
bool WaitFor(Child& c, const std::string& word, int ms) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (c.seen.find(word) == std::string::npos) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        end - std::chrono::steady_clock::now()).count();
    if (left <= 0) return false;
    pollfd p{c.out, POLLIN, 0};
    if (poll(&p, 1, static_cast<int>(left)) <= 0) continue;
    char buf[256];
    const ssize_t n = read(c.out, buf, sizeof buf);
    if (n <= 0) return c.seen.find(word) != std::string::npos;
    c.seen.append(buf, static_cast<size_t>(n));
  }
  return true;
}

// Exit code, or -1 when it has not ended within `ms`.
int WaitExit(Child& c, int ms) {
  for (int waited = 0; waited <= ms; waited += 10) {
    int status = 0;
    if (waitpid(c.pid, &status, WNOHANG) == c.pid) {
      close(c.out);
      return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    usleep(10000);
  }
  return -1;
}

TEST(SecondInstance, SecondStartRaisesTheFirstAndEndsWithZero) {
  if (access(ProbePath().c_str(), X_OK) != 0) GTEST_SKIP() << "probe program not built";
  char pattern[] = "/tmp/morv-run-XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const std::string runtime = pattern;

  Child first = Spawn(runtime);
  ASSERT_GT(first.pid, 0);
  ASSERT_TRUE(WaitFor(first, "ready", 5000)) << first.seen;

  Child second = Spawn(runtime);
  ASSERT_GT(second.pid, 0);
  EXPECT_EQ(WaitExit(second, 5000), 0);
  EXPECT_TRUE(second.seen.empty());  // it never ran a frame

  EXPECT_TRUE(WaitFor(first, "raised", 5000)) << first.seen;
  EXPECT_EQ(WaitExit(first, 5000), 0);

  // With the first gone, a new start runs as the first again.
  Child third = Spawn(runtime);
  ASSERT_GT(third.pid, 0);
  EXPECT_TRUE(WaitFor(third, "ready", 5000));
  kill(third.pid, SIGTERM);  // SDL turns it into a close request
  EXPECT_EQ(WaitExit(third, 5000), 0);
  std::filesystem::remove_all(runtime);
}

}  // namespace
