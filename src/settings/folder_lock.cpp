// The data folder's lock, and the tidying that only its holder may do.
#include "settings/folder_lock.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "settings/line_file.h"

namespace korvex {

FolderLock::FolderLock(const DataDirectory& data) {
  const std::filesystem::path folder = data.Folder();
  fd_ = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd_ < 0) return;
  while (::flock(fd_, LOCK_EX) != 0) {
    if (errno == EINTR) continue;
    // A file system without flock: go on unserialised rather than not at all.
    Release();
    return;
  }
  // No writer that takes turns is between creating its temporary file and
  // renaming it now; one whose process is gone never will be.
  RemoveStaleTemporaryFiles(folder);
}

FolderLock::~FolderLock() { Release(); }

void FolderLock::Release() {
  if (fd_ < 0) return;
  ::close(fd_);  // drops the flock with the last reference to it
  fd_ = -1;
}

}  // namespace korvex
