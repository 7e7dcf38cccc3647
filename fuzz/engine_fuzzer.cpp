// Fuzzes whole solve and plot requests through the calculator object: every
// number system, `ans` carried between expressions, and a short plot with or
// without the derivative.
#include <stdlib.h>

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/calculator.h"

namespace fs = std::filesystem;

namespace {

class QuietMessages : public korvex::Messages {
 public:
  void Show(const std::string&) override {}
};

class QuietSink : public korvex::ErrorSink {
 public:
  void ReportError(const std::string&, const std::string&) override {}
};

fs::path data_root;

void RemoveDataRoot() {
  std::error_code ignored;
  fs::remove_all(data_root, ignored);
}

// primepi, prime and powertower run as long as their arguments ask (known
// and bounded only by the stop flag), which would leave the fuzzer stuck on
// timeouts instead of searching.
bool NamesUnboundedFunction(std::string_view text) {
  std::string squeezed;
  for (unsigned char c : text)
    if (!std::isspace(c)) squeezed += static_cast<char>(std::tolower(c));
  for (const char* call : {"prime[", "primepi[", "powertower["})
    if (squeezed.find(call) != std::string::npos) return true;
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  std::string pattern = (fs::temp_directory_path() / "korvex-fuzz-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) {
    std::perror("mkdtemp");
    std::abort();
  }
  data_root = pattern;
  std::atexit(RemoveDataRoot);
  fs::create_directories(data_root / "bin");
  for (const char* folder : {"functions", "constants"})
    fs::copy(fs::path(KORVEX_FUZZ_SHIPPED_DATA) / folder, data_root / "bin" / folder);
  return 0;
}

// Byte 0: number system (low three bits), derivative, scientific notation,
// point separator, a whole-number plot range; byte 1: mantissa precision. The rest: up to four
// expressions, one a line, solved in turn; the last one is also plotted.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::uint8_t options = data[0];
  const std::uint8_t precision = data[1];
  const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);
  if (NamesUnboundedFunction(text)) return 0;

  std::vector<std::string_view> expressions;
  for (std::size_t begin = 0; begin <= text.size() && expressions.size() < 4;) {
    std::size_t end = text.find('\n', begin);
    if (end == std::string_view::npos) end = text.size();
    expressions.push_back(text.substr(begin, end - begin));
    begin = end + 1;
  }

  // Starting a calculator reads every catalogue and settings file, which
  // would cost more than most requests; one is kept, and each input begins
  // with `ans` back at 0 so a finding still reproduces alone.
  static QuietMessages messages;
  static QuietSink sink;
  static korvex::Calculator& calculator = *[] {
    auto* started = new korvex::Calculator(data_root, messages);
    started->set_error_sink(&sink);
    if (!started->StartWithoutWindows()) std::abort();
    return started;
  }();
  calculator.general() = korvex::GeneralSettings{};
  calculator.Solve("0");

  korvex::GeneralSettings& general = calculator.general();
  general.number_system = (options & 7) % 5;
  general.scientific = (options & 0x10) != 0;
  general.point = (options & 0x20) != 0;
  general.precision = 8 + precision % 57;
  for (std::string_view expression : expressions) calculator.Solve(expression);

  // At most 21 samples (twice that with the derivative); whole ones take the
  // integer path where the expression allows.
  korvex::PlotSettings& plot = calculator.plot_settings();
  const bool whole_range = (options & 0x40) != 0;
  plot.variable = "x";
  plot.start = whole_range ? "-10" : "-1";
  plot.stop = whole_range ? "10" : "1";
  plot.increment = whole_range ? "1" : "0,1";
  plot.derivative = (options & 8) != 0;
  calculator.Plot(expressions.back());
  return 0;
}
