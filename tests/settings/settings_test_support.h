// Shared pieces of the settings tests: a recording message seam, a temporary
// program directory with its bin folder, raw file access, and a way to make
// every file write fail while reads still work.
#pragma once

#include <gtest/gtest.h>

#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "settings/data_directory.h"
#include "settings/messages.h"

namespace korvex::settings_test {

inline constexpr const char* kReadOnly =
    "This can occur if you are using Korvex on a read only device, like a CD or DVD";

class RecordingMessages : public Messages {
 public:
  void Show(const std::string& text) override { shown.push_back(text); }
  std::vector<std::string> shown;
};

inline void WriteRaw(const std::filesystem::path& path, const std::string& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

// The file's bytes, or "<missing>" when there is no such file.
inline std::string ReadRaw(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return "<missing>";
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// A program directory of its own with an empty bin folder, removed afterwards.
class DataDirectoryTest : public ::testing::Test {
 protected:
  ~DataDirectoryTest() override { std::filesystem::remove_all(root_); }

  static std::filesystem::path MakeRoot() {
    std::string pattern = std::filesystem::temp_directory_path() / "korvex-settings-XXXXXX";
    const std::filesystem::path root = ::mkdtemp(pattern.data());
    std::filesystem::create_directory(root / "bin");
    return root;
  }

  std::filesystem::path File(const std::string& name) const { return data.File(name); }

  std::filesystem::path root_ = MakeRoot();
  DataDirectory data{root_};
  // A program directory that does not exist: nothing there reads or writes.
  DataDirectory missing{root_ / "no such program directory"};
  RecordingMessages messages;
};

// While alive, no file can grow beyond zero bytes, so every non-empty write
// fails the way it does on a read-only device, even for root (for whom
// permission bits stop nothing). Reads are unaffected.
class ScopedWriteFailure {
 public:
  ScopedWriteFailure() {
    old_handler_ = ::signal(SIGXFSZ, SIG_IGN);
    ::getrlimit(RLIMIT_FSIZE, &old_limit_);
    rlimit limit = old_limit_;
    limit.rlim_cur = 0;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~ScopedWriteFailure() {
    ::setrlimit(RLIMIT_FSIZE, &old_limit_);
    ::signal(SIGXFSZ, old_handler_);
  }
  ScopedWriteFailure(const ScopedWriteFailure&) = delete;
  ScopedWriteFailure& operator=(const ScopedWriteFailure&) = delete;

 private:
  rlimit old_limit_{};
  sighandler_t old_handler_ = SIG_DFL;
};

}  // namespace korvex::settings_test
