#include "settings/line_file.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korvex {
namespace {

constexpr std::string_view kTemporaryMark = ".tmp";

// The process that wrote `name`, when it is one of WriteLines' temporary files.
std::optional<pid_t> TemporaryFileWriter(std::string_view name) {
  const size_t mark = name.rfind(kTemporaryMark);
  if (mark == std::string_view::npos || mark == 0) return std::nullopt;
  const std::string_view digits = name.substr(mark + kTemporaryMark.size());
  pid_t pid = 0;
  const char* end = digits.data() + digits.size();
  const auto [stop, error] = std::from_chars(digits.data(), end, pid);
  if (digits.empty() || error != std::errc() || stop != end || pid <= 0) return std::nullopt;
  return pid;
}

}  // namespace

Lines SplitLines(const std::string& text) {
  Lines lines;
  std::string current;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(std::move(current));
      current.clear();
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      current.push_back(c);
    }
  }
  if (!current.empty()) lines.push_back(std::move(current));
  return lines;
}

LineFile ReadLineFile(const std::filesystem::path& path) {
  LineFile file;
  // Non-blocking, so that a pipe in the file's place cannot hang the read.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    // ENOTDIR: the folder itself is a plain file, so no file can be there.
    const bool missing = errno == ENOENT || errno == ENOTDIR;
    file.state = missing ? LineFile::State::kMissing : LineFile::State::kUnreadable;
    return file;
  }
  struct stat info {};
  bool readable = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
  std::string text;
  char buffer[4096];
  while (readable) {
    const ssize_t count = ::read(fd, buffer, sizeof buffer);
    if (count > 0) {
      text.append(buffer, static_cast<size_t>(count));
    } else if (count == 0) {
      break;
    } else if (errno != EINTR) {
      readable = false;
    }
  }
  ::close(fd);
  if (!readable) {
    file.state = LineFile::State::kUnreadable;
    return file;
  }
  file.state = LineFile::State::kRead;
  file.lines = SplitLines(text);
  return file;
}

std::optional<Lines> ReadLines(const std::filesystem::path& path) {
  LineFile file = ReadLineFile(path);
  if (file.state != LineFile::State::kRead) return std::nullopt;
  return std::move(file.lines);
}

bool WriteLines(const std::filesystem::path& path, const Lines& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  std::filesystem::path temporary = path;
  temporary += std::string(kTemporaryMark) + std::to_string(::getpid());
  {
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr) return false;
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    const bool flushed = std::fflush(file) == 0 && ::fsync(::fileno(file)) == 0;
    const bool closed = std::fclose(file) == 0;
    if (!written || !flushed || !closed) {
      std::remove(temporary.c_str());
      return false;
    }
  }
  std::error_code error;
  std::filesystem::rename(temporary, path, error);
  if (error) {
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}

void RemoveStaleTemporaryFiles(const std::filesystem::path& folder) {
  // Collected first: removing entries while the folder is being listed may
  // make the listing skip or repeat some.
  std::vector<std::filesystem::path> stale;
  std::error_code error;
  for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
       entry.increment(error)) {
    const auto writer = TemporaryFileWriter(entry->path().filename().native());
    // EPERM means the process exists under another user: not stale.
    if (!writer || ::kill(*writer, 0) == 0 || errno != ESRCH) continue;
    std::error_code kind_error;
    if (entry->is_regular_file(kind_error)) stale.push_back(entry->path());
  }
  for (const std::filesystem::path& path : stale) std::filesystem::remove(path, error);
}

}  // namespace korvex
