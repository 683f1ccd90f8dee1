#pragma once

// A CPU load the benchmark starts itself: one busy child process per core, each ended
// by its own pid when the load goes. Figures taken beside it show how the work fares on
// a machine that is doing something else too.
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

namespace kolt::bench {

class CpuLoad {
 public:
  explicit CpuLoad(long processes = ::sysconf(_SC_NPROCESSORS_ONLN)) {
    char* const args[] = {const_cast<char*>("sh"), const_cast<char*>("-c"),
                          const_cast<char*>("while :; do :; done"), nullptr};
    for (long i = 0; i < processes; ++i) {
      pid_t pid = 0;
      if (::posix_spawn(&pid, "/bin/sh", nullptr, nullptr, args, environ) == 0) m_pids.push_back(pid);
    }
  }
  ~CpuLoad() {
    for (const pid_t pid : m_pids) ::kill(pid, SIGKILL);
    for (const pid_t pid : m_pids) ::waitpid(pid, nullptr, 0);
  }
  CpuLoad(const CpuLoad&) = delete;
  CpuLoad& operator=(const CpuLoad&) = delete;

 private:
  std::vector<pid_t> m_pids;
};

}  // namespace kolt::bench
