#pragma once

namespace kolt {

// Marks a window busy for the lifetime of one command. Only the first guard takes the
// flag: a command that finds the window busy tests the guard and returns.
class BusyGuard final {
 public:
  explicit BusyGuard(bool& busy) : m_busy(busy), m_taken(!busy) { m_busy = true; }
  ~BusyGuard() {
    if (m_taken) m_busy = false;
  }
  BusyGuard(const BusyGuard&) = delete;
  BusyGuard& operator=(const BusyGuard&) = delete;

  // Whether this guard took the flag, i.e. whether the command may run.
  explicit operator bool() const { return m_taken; }

 private:
  bool& m_busy;
  bool m_taken;
};

}  // namespace kolt
