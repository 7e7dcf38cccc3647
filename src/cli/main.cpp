// korvex-cli: the calculator without windows.
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/standard_streams.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  const bool input_open = korvex::ReserveStandardDescriptor(STDIN_FILENO);
  const bool output_open = korvex::ReserveStandardDescriptor(STDOUT_FILENO);
  korvex::ReserveStandardDescriptor(STDERR_FILENO);
  korvex::DescriptorInputBuffer input(STDIN_FILENO, input_open);
  korvex::DescriptorOutputBuffer output(STDOUT_FILENO, output_open);
  std::streambuf* const standard_input = std::cin.rdbuf(&input);
  std::streambuf* const standard_output = std::cout.rdbuf(&output);
  int status = korvex::RunCli(args, std::cin, std::cout, std::cerr);
  std::cout.flush();
  status = korvex::StatusAfterStreams(status, input, output, std::cerr);
  std::cin.rdbuf(standard_input);
  std::cout.rdbuf(standard_output);
  return status;
}
