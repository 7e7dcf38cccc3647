#include "settings/atomic_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <string>
#include <system_error>

namespace korvex {
namespace {

constexpr std::string_view kTemporaryMark = ".tmp";

bool WriteAll(int fd, std::string_view content) {
  while (!content.empty()) {
    const ssize_t written = ::write(fd, content.data(), content.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    content.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

// After the rename the folder's entry itself must reach the disk, or a crash
// could bring back the old file. A folder that cannot be synced (some file
// systems refuse) does not undo a write that has already replaced the target.
void SyncFolder(const std::filesystem::path& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

bool WriteThroughTemporaryFile(const std::filesystem::path& path,
                               const std::function<bool(const std::filesystem::path&)>& write) {
  std::filesystem::path temporary = path;
  temporary += std::string(kTemporaryMark) + std::to_string(::getpid());
  // One left by an earlier write of this process that died half-way.
  ::unlink(temporary.c_str());
  bool done = write(temporary);
  if (done) {
    const int fd = ::open(temporary.c_str(), O_RDONLY | O_CLOEXEC);
    done = fd >= 0 && ::fsync(fd) == 0;
    if (fd >= 0 && ::close(fd) != 0) done = false;
  }
  if (!done || std::rename(temporary.c_str(), path.c_str()) != 0) {
    ::unlink(temporary.c_str());
    return false;
  }
  SyncFolder(path.parent_path());
  return true;
}

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view content) {
  return WriteThroughTemporaryFile(path, [content](const std::filesystem::path& temporary) {
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    const bool written = WriteAll(fd, content);
    return ::close(fd) == 0 && written;
  });
}

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

}  // namespace korvex
