// The SDL programs started as the system starts them: where no display can be opened, and asked by
// the system to end while the error box is up.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Child {
  pid_t pid = -1;
  int out = -1;  // read ends of its standard output and error
  int err = -1;
  std::string seen_out;
  std::string seen_err;
  int code = -1;  // exit code once it ended (128 + signal when a signal ended it)
};

// Starts `path` with only the environment `env` and the two quit signals at their defaults, as
// from a terminal (whatever ignores them here); its standard output and error are kept.
Child Spawn(const std::string& path, std::vector<std::string> env) {
  Child c;
  int out[2], err[2];
  if (pipe(out) != 0) return c;
  if (pipe(err) != 0) {
    close(out[0]);
    close(out[1]);
    return c;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  posix_spawn_file_actions_adddup2(&actions, err[1], 2);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  posix_spawn_file_actions_addclose(&actions, err[0]);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t quit_signals;
  sigemptyset(&quit_signals);
  sigaddset(&quit_signals, SIGTERM);
  sigaddset(&quit_signals, SIGINT);
  posix_spawnattr_setsigdefault(&attributes, &quit_signals);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
  std::vector<char*> envp;
  for (std::string& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);
  std::string program = path;
  char* argv[] = {program.data(), nullptr};
  if (posix_spawn(&c.pid, program.c_str(), &actions, &attributes, argv, envp.data()) != 0) {
    c.pid = -1;
  }
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  close(err[1]);
  c.out = out[0];
  c.err = err[0];
  return c;
}

// Reads what the child wrote until `done` holds or `ms` have passed; false on the time running out.
template <typename Done>
bool ReadUntil(Child& c, int ms, Done done) {
  const auto end = Clock::now() + std::chrono::milliseconds(ms);
  while (!done()) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
    if (left <= 0) return false;
    pollfd p[2] = {{c.out, POLLIN, 0}, {c.err, POLLIN, 0}};
    if (poll(p, 2, static_cast<int>(std::min<long long>(left, 10))) > 0) {
      char buf[512];
      for (int i = 0; i < 2; ++i) {
        if ((p[i].revents & (POLLIN | POLLHUP)) == 0) continue;
        const ssize_t n = read(p[i].fd, buf, sizeof buf);
        if (n > 0) (i == 0 ? c.seen_out : c.seen_err).append(buf, static_cast<size_t>(n));
      }
    }
    int status = 0;
    if (c.code < 0 && waitpid(c.pid, &status, WNOHANG) == c.pid) {
      c.code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
  }
  return true;
}

// Waits up to `ms` for the child to end, keeping what it wrote; a child still running is killed.
// Its exit code, or -1 when it had to be killed.
int Finish(Child& c, int ms) {
  const bool ended = ReadUntil(c, ms, [&] { return c.code >= 0; });
  if (!ended) {
    kill(c.pid, SIGKILL);
    waitpid(c.pid, nullptr, 0);
  } else {
    // What it wrote just before it ended.
    ReadUntil(c, 50, [] { return false; });
  }
  close(c.out);
  close(c.err);
  return ended ? c.code : -1;
}

std::string TempDirectory() {
  char pattern[] = "/tmp/morv-run-XXXXXX";
  return mkdtemp(pattern) != nullptr ? pattern : "";
}

// Started with neither DISPLAY nor WAYLAND_DISPLAY, and SDL left to choose its video driver, as
// over a remote shell: the program cannot open its window, says why on one line with SDL's reason
// and ends unsuccessful at once, instead of running its frames into nothing.
TEST(SdlProgram, WithoutADisplayTheProgramSaysWhyAndFails) {
  const std::string program = std::string(MORV_PROGRAM_DIR) + "/morventica-w480";
  if (access(program.c_str(), X_OK) != 0) GTEST_SKIP() << "program not built";
  const std::string runtime = TempDirectory();
  ASSERT_FALSE(runtime.empty());
  Child c = Spawn(program, {"XDG_RUNTIME_DIR=" + runtime, "SDL_AUDIODRIVER=dummy"});
  ASSERT_GT(c.pid, 0);
  EXPECT_EQ(Finish(c, 5000), 1) << c.seen_err;
  EXPECT_EQ(c.seen_out, "");
  const std::string prefix = "morventica-w480: cannot open a window: ";
  EXPECT_EQ(c.seen_err.rfind(prefix, 0), 0u) << c.seen_err;
  EXPECT_EQ(std::count(c.seen_err.begin(), c.seen_err.end(), '\n'), 1) << c.seen_err;
  EXPECT_GT(c.seen_err.size(), prefix.size() + 1) << "SDL's reason follows";
  EXPECT_TRUE(!c.seen_err.empty() && c.seen_err.back() == '\n') << c.seen_err;
  std::filesystem::remove_all(runtime);
}

std::string FindXvfb() {
  const char* path = getenv("PATH");
  std::string dirs = path != nullptr ? path : "/usr/bin";
  size_t start = 0;
  while (start <= dirs.size()) {
    size_t end = dirs.find(':', start);
    if (end == std::string::npos) end = dirs.size();
    const std::string candidate = dirs.substr(start, end - start) + "/Xvfb";
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
    start = end + 1;
  }
  return "";
}

// An X server of the test's own, ended with the test.
struct XServer {
  pid_t pid = -1;
  ~XServer() {
    if (pid <= 0) return;
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
  }
};

// Starts the server; its display number, or -1.
int StartXvfb(const std::string& xvfb, pid_t& pid) {
  int fds[2];
  if (pipe(fds) != 0) return -1;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addclose(&actions, fds[0]);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  std::string program = xvfb, fd = std::to_string(fds[1]);
  std::string args[] = {"-displayfd", fd, "-screen", "0", "640x480x24", "-nolisten", "tcp"};
  char* argv[] = {program.data(), args[0].data(), args[1].data(), args[2].data(), args[3].data(),
                  args[4].data(), args[5].data(), args[6].data(), nullptr};
  char* envp[] = {nullptr};
  if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, envp) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  std::string number;
  const auto end = Clock::now() + std::chrono::seconds(10);
  while (pid > 0 && number.find('\n') == std::string::npos && Clock::now() < end) {
    pollfd p{fds[0], POLLIN, 0};
    if (poll(&p, 1, 100) <= 0) continue;
    char buf[16];
    const ssize_t n = read(fds[0], buf, sizeof buf);
    if (n <= 0) break;
    number.append(buf, static_cast<size_t>(n));
  }
  close(fds[0]);
  return number.find('\n') != std::string::npos ? std::stoi(number) : -1;
}

// The kernel's list of the processes the program's main thread started (its box's).
std::string ChildList(pid_t pid) {
  return "/proc/" + std::to_string(pid) + "/task/" + std::to_string(pid) + "/children";
}

std::vector<pid_t> ChildrenOf(pid_t pid) {
  std::ifstream list(ChildList(pid));
  std::vector<pid_t> out;
  pid_t p;
  while (list >> p) out.push_back(p);
  return out;
}

// The system asks the program to end (SIGTERM, or SIGINT from a terminal) while the error box of
// its start-up is up: the box closes, the shutdown runs and the program ends with 0 within a
// second, as Esc ends it; the box's process does not outlive it.
TEST(SdlProgram, SystemQuitWhileTheErrorBoxIsUpEndsTheProgramInOrder) {
  const std::string probe = std::string(MORV_PROGRAM_DIR) + "/morv_box_probe";
  if (access(probe.c_str(), X_OK) != 0) GTEST_SKIP() << "probe program not built";
  const std::string xvfb = FindXvfb();
  if (xvfb.empty()) GTEST_SKIP() << "no Xvfb to show the box on";
  XServer server;
  const int display = StartXvfb(xvfb, server.pid);
  ASSERT_GE(display, 0);
  const std::string runtime = TempDirectory();
  for (const int signal : {SIGTERM, SIGINT}) {
    // The display's own libraries (D-Bus, through SDL) keep a little memory to the end, which a
    // leak check in the sanitizer build would report as the probe's: memory errors still end it.
    Child c = Spawn(probe, {"DISPLAY=:" + std::to_string(display), "SDL_AUDIODRIVER=dummy",
                            "XDG_RUNTIME_DIR=" + runtime, "ASAN_OPTIONS=detect_leaks=0"});
    ASSERT_GT(c.pid, 0);
    EXPECT_TRUE(ReadUntil(c, 10000, [&] { return c.seen_out.find("box\n") != std::string::npos; }))
        << c.seen_out << c.seen_err;
    // The box's process up and a moment for it to show the box.
    std::vector<pid_t> box;
    ReadUntil(c, 5000, [&] { return !(box = ChildrenOf(c.pid)).empty(); });
    if (std::filesystem::exists(ChildList(c.pid))) {
      EXPECT_EQ(box.size(), 1u) << "signal " << signal;
    }
    ReadUntil(c, 300, [] { return false; });
    kill(c.pid, signal);
    EXPECT_EQ(Finish(c, 1000), 0) << "signal " << signal << "\n" << c.seen_out << c.seen_err;
    EXPECT_EQ(c.seen_out, "box\nended, shutdown 1\n") << "signal " << signal;
    for (const pid_t p : box) {
      const bool gone = kill(p, 0) != 0 && errno == ESRCH;
      EXPECT_TRUE(gone) << "signal " << signal << ": the box's process " << p
                        << " outlived the program";
      if (!gone) kill(p, SIGKILL);
    }
  }
  std::filesystem::remove_all(runtime);
}

}  // namespace
