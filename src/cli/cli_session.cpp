#include "cli/cli_session.h"

namespace korvex {

Calculator* CliSession::Start(const std::optional<std::string>& data_dir_option, ErrorSink* sink) {
  const auto data_dir = ChooseDataDir(data_dir_option, err_);
  if (!data_dir) return nullptr;
  Calculator& calculator = calculator_.emplace(*data_dir, messages_);
  calculator.set_error_sink(sink != nullptr ? sink : &errors_);
  if (!calculator.StartWithoutWindows()) return nullptr;
  return &calculator;
}

}  // namespace korvex
