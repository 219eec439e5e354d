#pragma once
// A full disk, as far as this process sees it: writes beyond `bytes` fail half-way (the
// signal that would end the process is ignored meanwhile). Linux only.
#ifdef __linux__
#include <sys/resource.h>

#include <csignal>

namespace oxr::test {

class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    ok_ = getrlimit(RLIMIT_FSIZE, &saved_) == 0;
    old_handler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved_;
    small.rlim_cur = bytes;
    ok_ = ok_ && setrlimit(RLIMIT_FSIZE, &small) == 0;
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, old_handler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;
  bool ok() const { return ok_; }

 private:
  rlimit saved_{};
  void (*old_handler_)(int) = nullptr;
  bool ok_ = false;
};

}  // namespace oxr::test
#endif
