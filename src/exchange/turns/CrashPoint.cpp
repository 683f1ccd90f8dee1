#include "exchange/turns/CrashPoint.h"

#ifdef KOLT_CRASH_POINTS
#include <csignal>
#include <cstdlib>
#endif

namespace kolt {

void CrashPoint() {
#ifdef KOLT_CRASH_POINTS
  static const long target = [] {
    const char* text = std::getenv("KOLT_CRASH_AT");
    return text ? std::strtol(text, nullptr, 10) : 0L;
  }();
  static long passed = 0;
  if (target > 0 && ++passed == target) std::raise(SIGKILL);
#endif
}

}  // namespace kolt
