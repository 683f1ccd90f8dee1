#pragma once

#include <QElapsedTimer>
#include <QThread>
#include <functional>

namespace kolt::test {

// Polls `condition` until it holds; false once `ms` have passed. The time is a deadline
// for something another process does, generous enough for a busy machine.
inline bool WaitFor(const std::function<bool()>& condition, int ms = 5000) {
  QElapsedTimer t;
  t.start();
  while (!condition()) {
    if (t.elapsed() > ms) return false;
    QThread::msleep(20);
  }
  return true;
}

}  // namespace kolt::test
