#pragma once

#include <sys/resource.h>

#include <csignal>

namespace kolt::test {

// Writes of files larger than `bytes` fail with EFBIG while it lives: a full disk, also
// for root, who writes into read-only folders.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &m_old);
    m_handler = ::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = m_old;
    small.rlim_cur = bytes;
    m_set = ::setrlimit(RLIMIT_FSIZE, &small) == 0;
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &m_old);
    ::signal(SIGXFSZ, m_handler);
  }
  bool IsSet() const { return m_set; }

 private:
  struct rlimit m_old {};
  sighandler_t m_handler = SIG_DFL;
  bool m_set = false;
};

}  // namespace kolt::test
