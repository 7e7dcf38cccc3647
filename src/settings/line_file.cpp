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

#include "settings/atomic_file.h"

namespace korvex {

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
  return WriteFileAtomically(path, text);
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
