// A full disk for the tests: while a FileSizeLimit lives, no file of the
// process may grow beyond a few bytes, so a write fails part-way (EFBIG) as
// one on a full file system fails with ENOSPC.
#pragma once

#include <signal.h>
#include <sys/resource.h>

namespace korvex::testing {

class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &before_);
    // The write must fail, not end the process.
    old_handler_ = ::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = before_;
    limited.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &before_);
    ::signal(SIGXFSZ, old_handler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit before_{};
  sighandler_t old_handler_;
};

}  // namespace korvex::testing
