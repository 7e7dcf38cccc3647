// FolderLock: one writer at a time in a data folder, across processes and
// threads alike.
#pragma once

#include "settings/data_directory.h"

namespace korvex {

// Held around every read-modify-write of a settings file and every save, so
// two programs sharing a data folder (the window and a korvex-cli run, say)
// cannot lose each other's writes. It is an advisory flock on the `bin`
// folder itself: no lock file to leave behind, and it works on a read-only
// folder too. Each holder opens the folder afresh, so two threads of one
// process wait for each other as well; a thread must not take it twice.
class FolderLock {
 public:
  // Waits for the lock. Where the folder cannot be opened (it does not
  // exist) no write can succeed either, and nothing is held.
  explicit FolderLock(const DataDirectory& data);
  ~FolderLock();
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

  bool held() const { return fd_ >= 0; }
  // Lets the next writer in before this object ends.
  void Release();

 private:
  int fd_ = -1;
};

}  // namespace korvex
