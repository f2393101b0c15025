// A full disk for the scope: a write beyond the given file size fails with
// EFBIG (the signal it would raise is ignored meanwhile).
#pragma once

#include <signal.h>
#include <sys/resource.h>

namespace test_support {

class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    FOldHandler = signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &FOld);
    rlimit limited = FOld;
    limited.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &FOld);
    signal(SIGXFSZ, FOldHandler);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit FOld{};
  sighandler_t FOldHandler;
};

}  // namespace test_support
