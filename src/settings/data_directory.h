// Where the data files live: a `bin` folder inside the program directory.
#pragma once

#include <filesystem>
#include <string>

namespace korvex {

class DataDirectory {
 public:
  explicit DataDirectory(std::filesystem::path program_directory)
      : program_directory_(std::move(program_directory)) {}

  const std::filesystem::path& program_directory() const { return program_directory_; }
  // The `bin` folder itself, as the About window shows it.
  std::filesystem::path Folder() const { return program_directory_ / "bin"; }
  // ProgramDirectory + "/bin/" + relative name.
  std::filesystem::path File(const std::string& relative_name) const {
    return program_directory_ / "bin" / relative_name;
  }

 private:
  std::filesystem::path program_directory_;
};

// The folder of the running executable.
std::filesystem::path ExecutableDirectory();

}  // namespace korvex
