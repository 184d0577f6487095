// The main() of every GoogleTest suite: each test case runs in a child forked from this process
// before any test has run, so every case starts from the state a freshly started program has (the
// game's globals as loaded, no window, no sound device, no tune), whether the suite runs as one
// command, shuffled, or one case at a time under ctest. The game's code is tested unchanged.
//
// The parent picks the cases as GoogleTest would (--gtest_filter, disabled cases,
// --gtest_shuffle with --gtest_random_seed, --gtest_repeat, --gtest_fail_fast), runs each in its
// own child and sums them up. A case passes when its child ran exactly that case, passed it and
// ended with status 0 (a sanitizer's report at exit fails it too). Listing the cases, a death
// test's own re-run, and MORV_TEST_ONE_PROCESS=1 (to step through a run in a debugger) run
// GoogleTest in this process as usual.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

// The summary speaks as GoogleTest's own does ("1 test.", "2 tests."), which scripts match.
const char* Tests(size_t n) { return n == 1 ? "test" : "tests"; }

using Clock = std::chrono::steady_clock;

// Exit statuses of a child beyond RUN_ALL_TESTS's own 0 and 1.
constexpr int kChildSkipped = 100;
constexpr int kChildRanOther = 101;  // the filter picked no case or more than one

// GoogleTest's filter: positive patterns, then '-' and negative ones, each list ':'-separated,
// '*' any run of characters and '?' any one.
bool PatternMatches(const char* pattern, const char* name) {
  for (;; ++pattern, ++name) {
    switch (*pattern) {
      case '\0':
      case ':':
        return *name == '\0';
      case '?':
        if (*name == '\0') return false;
        break;
      case '*':
        return (*name != '\0' && PatternMatches(pattern, name + 1)) ||
               PatternMatches(pattern + 1, name);
      default:
        if (*pattern != *name) return false;
    }
  }
}

bool AnyPatternMatches(const std::string& patterns, const std::string& name) {
  size_t start = 0;
  for (;;) {
    if (PatternMatches(patterns.c_str() + start, name.c_str())) return true;
    const size_t colon = patterns.find(':', start);
    if (colon == std::string::npos) return false;
    start = colon + 1;
  }
}

bool FilterMatches(const std::string& filter, const std::string& name) {
  const size_t dash = filter.find('-');
  const std::string positive = dash == std::string::npos ? filter : filter.substr(0, dash);
  const std::string negative = dash == std::string::npos ? "" : filter.substr(dash + 1);
  return AnyPatternMatches(positive.empty() ? "*" : positive, name) &&
         !AnyPatternMatches(negative, name);
}

struct Case {
  std::string name;  // Suite.Test
  std::string param;  // the printed parameter of a parameterised case, or ""
};

// The cases to run, suite by suite in registration order.
std::vector<std::vector<Case>> SelectedCases() {
  const testing::UnitTest& unit = *testing::UnitTest::GetInstance();
  const std::string filter = GTEST_FLAG_GET(filter);
  const bool disabled_too = GTEST_FLAG_GET(also_run_disabled_tests);
  std::vector<std::vector<Case>> suites;
  for (int i = 0; i < unit.total_test_suite_count(); ++i) {
    const testing::TestSuite& suite = *unit.GetTestSuite(i);
    std::vector<Case> cases;
    for (int j = 0; j < suite.total_test_count(); ++j) {
      const testing::TestInfo& info = *suite.GetTestInfo(j);
      const std::string name = std::string(info.test_suite_name()) + "." + info.name();
      const bool disabled = std::strncmp(info.test_suite_name(), "DISABLED_", 9) == 0 ||
                            std::strncmp(info.name(), "DISABLED_", 9) == 0;
      if ((disabled && !disabled_too) || !FilterMatches(filter, name)) continue;
      cases.push_back({name, info.value_param() != nullptr ? info.value_param() : ""});
    }
    if (!cases.empty()) suites.push_back(std::move(cases));
  }
  return suites;
}

// The child's report: each case's start, failures and end, without the run's headers and totals
// (the parent prints those once).
class CaseReport : public testing::EmptyTestEventListener {
  void OnTestStart(const testing::TestInfo& info) override {
    std::printf("[ RUN      ] %s.%s\n", info.test_suite_name(), info.name());
    std::fflush(stdout);
  }
  void OnTestPartResult(const testing::TestPartResult& result) override {
    if (result.type() == testing::TestPartResult::kSuccess) return;
    if (result.type() == testing::TestPartResult::kSkip) {
      std::printf("%s:%d: Skipped\n%s\n", result.file_name() ? result.file_name() : "unknown file",
                  result.line_number(), result.message());
    } else {
      std::printf("%s:%d: Failure\n%s\n", result.file_name() ? result.file_name() : "unknown file",
                  result.line_number(), result.message());
    }
    std::fflush(stdout);
  }
  void OnTestEnd(const testing::TestInfo& info) override {
    const testing::TestResult& r = *info.result();
    const char* tag = r.Failed() ? "[  FAILED  ]" : r.Skipped() ? "[  SKIPPED ]" : "[       OK ]";
    std::printf("%s %s.%s (%lld ms)\n", tag, info.test_suite_name(), info.name(),
                static_cast<long long>(r.elapsed_time()));
    std::fflush(stdout);
  }
};

[[noreturn]] void RunCaseInChild(const Case& c) {
  GTEST_FLAG_SET(filter, c.name);
  GTEST_FLAG_SET(shuffle, false);
  GTEST_FLAG_SET(repeat, 1);
  GTEST_FLAG_SET(output, "");  // one report file per run, written by no child
  testing::TestEventListeners& listeners = testing::UnitTest::GetInstance()->listeners();
  delete listeners.Release(listeners.default_result_printer());
  listeners.Append(new CaseReport);
  const int failed = RUN_ALL_TESTS();
  const testing::UnitTest& unit = *testing::UnitTest::GetInstance();
  int status = failed;
  if (unit.test_to_run_count() != 1) {
    std::printf("[  FAILED  ] %s: %d cases matched its name\n", c.name.c_str(),
                unit.test_to_run_count());
    status = kChildRanOther;
  } else if (failed == 0 && unit.skipped_test_count() == 1) {
    status = kChildSkipped;
  }
  std::fflush(stdout);
  std::exit(status);  // as a program ends: static destructors, sanitizers' checks at exit
}

enum class Outcome { Passed, Skipped, Failed };

Outcome RunCase(const Case& c) {
  std::fflush(stdout);
  std::fflush(stderr);
  const pid_t pid = fork();
  if (pid < 0) {
    std::perror("fork");
    return Outcome::Failed;
  }
  if (pid == 0) RunCaseInChild(c);
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
  }
  if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return Outcome::Passed;
  if (WIFEXITED(status) && WEXITSTATUS(status) == kChildSkipped) return Outcome::Skipped;
  if (WIFSIGNALED(status)) {
    std::printf("[  FAILED  ] %s: the case's process was killed by signal %d (%s)\n",
                c.name.c_str(), WTERMSIG(status), strsignal(WTERMSIG(status)));
  } else if (WEXITSTATUS(status) != 1) {
    std::printf("[  FAILED  ] %s: the case's process ended with status %d\n", c.name.c_str(),
                WEXITSTATUS(status));
  }
  return Outcome::Failed;
}

int RunEveryCaseInAChild() {
  std::vector<std::vector<Case>> suites = SelectedCases();
  size_t total = 0;
  for (const auto& s : suites) total += s.size();
  const int repeat = GTEST_FLAG_GET(repeat);
  const bool shuffle = GTEST_FLAG_GET(shuffle);
  uint32_t seed = static_cast<uint32_t>(GTEST_FLAG_GET(random_seed));
  if (shuffle && seed == 0) {
    seed = static_cast<uint32_t>(Clock::now().time_since_epoch().count() % 99999) + 1;
  }
  std::vector<std::string> failed;
  bool stop = false;
  for (int round = 0; !stop && (repeat < 0 || round < repeat); ++round) {
    if (repeat != 1) std::printf("\nRepeating all tests (iteration %d) . . .\n\n", round + 1);
    if (shuffle) {
      std::printf("Note: Randomizing tests' orders with a seed of %u .\n", seed + round);
      std::mt19937 order(seed + round);
      std::shuffle(suites.begin(), suites.end(), order);
      for (auto& s : suites) std::shuffle(s.begin(), s.end(), order);
    }
    std::printf("[==========] Running %zu %s from %zu test %s, each in a fresh process.\n", total,
                Tests(total), suites.size(), suites.size() == 1 ? "suite" : "suites");
    const auto start = Clock::now();
    size_t passed = 0, skipped = 0;
    failed.clear();
    for (const auto& s : suites) {
      for (const Case& c : s) {
        switch (RunCase(c)) {
          case Outcome::Passed: ++passed; break;
          case Outcome::Skipped: ++skipped; break;
          case Outcome::Failed:
            failed.push_back(c.param.empty() ? c.name : c.name + ", where GetParam() = " + c.param);
            stop = GTEST_FLAG_GET(fail_fast);
            break;
        }
        if (stop) break;
      }
      if (stop) break;
    }
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
    const size_t ran = passed + skipped + failed.size();
    std::printf("[==========] %zu %s ran. (%lld ms total)\n", ran, Tests(ran),
                static_cast<long long>(ms));
    std::printf("[  PASSED  ] %zu %s.\n", passed, Tests(passed));
    if (skipped != 0) std::printf("[  SKIPPED ] %zu %s.\n", skipped, Tests(skipped));
    if (!failed.empty()) {
      std::printf("[  FAILED  ] %zu %s, listed below:\n", failed.size(), Tests(failed.size()));
      for (const std::string& f : failed) std::printf("[  FAILED  ] %s\n", f.c_str());
      std::printf("\n%2zu FAILED TEST%s\n", failed.size(), failed.size() == 1 ? "" : "S");
    }
    std::fflush(stdout);
  }
  return failed.empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  bool death_test_rerun = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], "--gtest_internal_run_death_test", 31) == 0) death_test_rerun = true;
  }
  testing::InitGoogleTest(&argc, argv);
  const char* one = std::getenv("MORV_TEST_ONE_PROCESS");
  const bool one_process = one != nullptr && std::strcmp(one, "1") == 0;
  if (death_test_rerun || GTEST_FLAG_GET(list_tests) || one_process) {
    return RUN_ALL_TESTS();
  }
  return RunEveryCaseInAChild();
}
