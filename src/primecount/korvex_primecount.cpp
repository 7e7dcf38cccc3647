// korvex-primecount LIMIT PARENT_PID: prints the number of primes p <= LIMIT.
// The calculator runs it for large limits, because a process can be ended
// where the counting library cannot be interrupted.
#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <primecount.hpp>
#include <string>
#include <string_view>
#include <system_error>

namespace {

int Fail(const std::string& message) {
  std::fprintf(stderr, "korvex-primecount: %s\n", message.c_str());
  return 1;
}

// The whole text as a decimal number of type T, nothing before or after it.
template <typename T>
bool ParseDecimal(std::string_view text, T& value) {
  const char* end = text.data() + text.size();
  const auto [stopped, error] = std::from_chars(text.data(), end, value);
  return !text.empty() && error == std::errc() && stopped == end;
}

}  // namespace

int main(int argc, char** argv) {
  // A count runs for minutes at the top of the range; nobody would wait for
  // it once the calculator has gone.
  if (::prctl(PR_SET_PDEATHSIG, SIGKILL) != 0)
    return Fail(std::string("cannot follow the calling program: ") +
                std::generic_category().message(errno));
  if (argc != 3) return Fail("usage: korvex-primecount LIMIT PARENT_PID");
  pid_t parent = 0;
  if (!ParseDecimal(argv[2], parent) || parent <= 0)
    return Fail(std::string("not a process id: '") + argv[2] + "'");
  // The death signal only covers a parent that ends from now on.
  if (::getppid() != parent) return Fail("the calling program has ended");
  std::uint64_t limit = 0;
  if (!ParseDecimal(argv[1], limit))
    return Fail(std::string("not a limit from 0 to 18446744073709551615: '") + argv[1] + "'");

  std::string count;
  try {
    count = primecount::pi(std::to_string(limit));
  } catch (const std::exception& failure) {
    return Fail(failure.what());
  }
  count += '\n';
  if (std::fputs(count.c_str(), stdout) == EOF || std::fflush(stdout) != 0)
    return Fail("cannot write the count");
  return 0;
}
