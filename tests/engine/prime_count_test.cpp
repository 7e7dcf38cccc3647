// Large prime counts: the choice between sieve and counter, the helper
// program korvex-primecount and the counter that runs it as a child process.
#include "engine/prime_count.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "engine/function_helpers.h"

extern char** environ;

namespace korvex {
namespace {

namespace fs = std::filesystem;
using ::testing::IsEmpty;
using ::testing::MatchesRegex;

const fs::path kHelper = KORVEX_TEST_PRIMECOUNT_HELPER;
constexpr std::uint64_t kTenTo18 = 1'000'000'000'000'000'000ULL;

// The processes whose parent is `parent`, zombies included: a child that was
// not reaped still counts.
std::vector<pid_t> ChildrenOf(pid_t parent) {
  std::vector<pid_t> children;
  for (const auto& entry : fs::directory_iterator("/proc")) {
    const std::string name = entry.path().filename();
    if (name.find_first_not_of("0123456789") != std::string::npos) continue;
    std::ifstream in(entry.path() / "stat");
    const std::string stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // "pid (command) state ppid ...": the command may hold spaces and brackets.
    const size_t close = stat.rfind(')');
    if (close == std::string::npos) continue;
    char state = 0;
    long ppid = 0;
    if (std::sscanf(stat.c_str() + close + 1, " %c %ld", &state, &ppid) == 2 && ppid == parent)
      children.push_back(static_cast<pid_t>(std::stol(name)));
  }
  return children;
}

// False once `pid` has ended, reaped or not.
bool Running(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  const std::string stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const size_t close = stat.rfind(')');
  return close != std::string::npos && close + 2 < stat.size() && stat[close + 2] != 'Z' &&
         stat[close + 2] != 'X';
}

struct ProgramRun {
  int status = -1;  // the exit status, or -1 when the program did not exit
  std::string out;
  std::string err;
};

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Runs `program` with `arguments` as a child of this process and waits for
// it; its output goes through files, so nothing can fill a pipe.
ProgramRun RunProgram(const fs::path& program, std::vector<std::string> arguments) {
  std::string pattern = fs::temp_directory_path() / "korvex-primecount-XXXXXX";
  const fs::path folder = ::mkdtemp(pattern.data());
  const fs::path out = folder / "out";
  const fs::path err = folder / "err";
  posix_spawn_file_actions_t actions;
  ::posix_spawn_file_actions_init(&actions);
  ::posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
  ::posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
  arguments.insert(arguments.begin(), program.string());
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  ProgramRun run;
  pid_t pid = -1;
  if (::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) == 0) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status)) run.status = WEXITSTATUS(status);
  }
  ::posix_spawn_file_actions_destroy(&actions);
  run.out = ReadFile(out);
  run.err = ReadFile(err);
  fs::remove_all(folder);
  return run;
}

TEST(PrimeCountHelper, PrintsTheCountOrExitsWithOneLineOfComplaint) {
  const std::string self = std::to_string(::getpid());
  const std::string not_parent = std::to_string(::getppid());
  struct Case {
    std::vector<std::string> arguments;
    std::string out;  // empty when the helper must fail
  };
  const Case cases[] = {
      {{"0", self}, "0\n"},
      {{"2", self}, "1\n"},
      {{"1000", self}, "168\n"},
      {{"4294967296", self}, "203280221\n"},
      {{}, ""},
      {{"1000"}, ""},
      {{"1000", self, "7"}, ""},
      {{"", self}, ""},
      {{"-5", self}, ""},
      {{"+5", self}, ""},
      {{"1000x", self}, ""},
      {{"18446744073709551616", self}, ""},
      {{"1000", "x"}, ""},
      {{"1000", "0"}, ""},
      // A parent other than the one that runs it: that one has ended.
      {{"1000", not_parent}, ""},
  };
  for (const Case& c : cases) {
    const std::string call = ::testing::PrintToString(c.arguments);
    const ProgramRun run = RunProgram(kHelper, c.arguments);
    if (!c.out.empty()) {
      EXPECT_EQ(run.status, 0) << call;
      EXPECT_EQ(run.out, c.out) << call;
      EXPECT_EQ(run.err, "") << call;
    } else {
      EXPECT_EQ(run.status, 1) << call;
      EXPECT_EQ(run.out, "") << call;
      EXPECT_THAT(run.err, MatchesRegex("korvex-primecount: [^\n]+\n")) << call;
    }
  }
}

// The calculator may crash or be killed mid-count; the helper's count at the
// top of the range would otherwise run on for minutes.
TEST(PrimeCountHelper, EndsWithItsParent) {
  // The shell starts the helper as its own child, says which process it is,
  // lets it begin counting and exits.
  const ProgramRun run = RunProgram(
      "/bin/sh", {"-c", "\"$0\" 18446744073709551615 $$ >/dev/null 2>&1 & echo $!; sleep 0.5",
                  kHelper.string()});
  ASSERT_EQ(run.status, 0) << run.err;
  const pid_t helper = static_cast<pid_t>(std::stol(run.out));
  // Generous: ending takes milliseconds, the count minutes.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (Running(helper) && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  const bool ended = !Running(helper);
  if (!ended) ::kill(helper, SIGKILL);
  EXPECT_TRUE(ended);
}

TEST(SpawnedPrimeCounter, CountsThroughTheHelper) {
  const SpawnedPrimeCounter counter(kHelper);
  const std::pair<std::uint64_t, std::uint64_t> cases[] = {
      {0, 0},
      {100'000'000, 5'761'455},
      {1'000'000'000, 50'847'534},
      {4'294'967'296, 203'280'221},
      {1'000'000'000'000, 37'607'912'018},
  };
  for (const auto& [limit, count] : cases) EXPECT_EQ(counter.Count(limit, nullptr), count) << limit;
  EXPECT_THAT(ChildrenOf(::getpid()), IsEmpty());
}

// Where the counter takes over from the sieve, and at a few seeded limits
// above it, both must give the same counts.
TEST(PrimesUpTo, CounterAgreesWithTheSieve) {
  const SpawnedPrimeCounter counter(kHelper);
  std::mt19937_64 generator(11);
  std::vector<std::uint64_t> limits = {kLibraryCountFrom - 1, kLibraryCountFrom,
                                       kLibraryCountFrom + 7};
  for (int i = 0; i < 3; ++i) limits.push_back(kLibraryCountFrom + generator() % 300'000'000);
  for (const std::uint64_t limit : limits)
    ASSERT_EQ(PrimesUpTo(limit, nullptr, &counter), CountPrimes(limit)) << "limit " << limit;
}

// Answers what it is told to and remembers what it was asked.
class ScriptedCounter : public PrimeCounter {
 public:
  explicit ScriptedCounter(std::optional<std::uint64_t> answer) : answer_(answer) {}
  std::optional<std::uint64_t> Count(std::uint64_t limit, const StopFlag*) const override {
    asked.push_back(limit);
    return answer_;
  }
  mutable std::vector<std::uint64_t> asked;

 private:
  std::optional<std::uint64_t> answer_;
};

TEST(PrimesUpTo, AsksTheCounterFromItsLimitOnAndSievesWithoutAnAnswer) {
  const std::uint64_t below = kLibraryCountFrom - 1;
  const std::uint64_t sieved = CountPrimes(kLibraryCountFrom);

  const ScriptedCounter answering(42);
  EXPECT_EQ(PrimesUpTo(below, nullptr, &answering), CountPrimes(below));
  EXPECT_THAT(answering.asked, IsEmpty());
  EXPECT_EQ(PrimesUpTo(kLibraryCountFrom, nullptr, &answering), 42u);
  EXPECT_THAT(answering.asked, ::testing::ElementsAre(kLibraryCountFrom));

  const ScriptedCounter silent(std::nullopt);
  EXPECT_EQ(PrimesUpTo(kLibraryCountFrom, nullptr, &silent), sieved);
  EXPECT_EQ(PrimesUpTo(kLibraryCountFrom, nullptr, nullptr), sieved);
}

// A helper that is missing, fails, says nothing, says something else or will
// not stop talking gives no answer, leaves no child behind, and the count is
// sieved.
TEST(SpawnedPrimeCounter, WithoutAValidAnswerTheSieveCounts) {
  const std::uint64_t limit = kLibraryCountFrom + 7;
  const std::uint64_t sieved = CountPrimes(limit);
  for (const fs::path& helper :
       {fs::path("/nonexistent/korvex-primecount"), fs::path("/bin/false"), fs::path("/bin/true"),
        fs::path("/bin/echo"), fs::path("/bin/yes")}) {
    const SpawnedPrimeCounter counter(helper);
    EXPECT_EQ(counter.Count(limit, nullptr), std::nullopt) << helper;
    EXPECT_EQ(PrimesUpTo(limit, nullptr, &counter), sieved) << helper;
    EXPECT_THAT(ChildrenOf(::getpid()), IsEmpty()) << helper;
  }
}

TEST(SpawnedPrimeCounter, StopEndsTheCountAndTheHelper) {
  const SpawnedPrimeCounter counter(kHelper);
  const pid_t self = ::getpid();

  // Asked for before the count starts.
  StopFlag stopped;
  stopped.Request();
  EXPECT_THROW(counter.Count(kTenTo18, &stopped), Cancelled);
  EXPECT_THAT(ChildrenOf(self), IsEmpty());

  // Asked for while the helper counts (10^18 takes it tens of seconds):
  // only a stop that ends it gives Cancelled rather than the count.
  StopFlag stop;
  std::atomic<bool> returned{false};
  std::thread stopper([&] {
    while (!returned && ChildrenOf(self).empty())
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    stop.Request();
  });
  EXPECT_THROW(counter.Count(kTenTo18, &stop), Cancelled);
  returned = true;
  stopper.join();
  EXPECT_THAT(ChildrenOf(self), IsEmpty());
}

}  // namespace
}  // namespace korvex
