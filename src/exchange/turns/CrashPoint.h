#pragma once

namespace kolt {

// A moment at which a receive may be killed: with the test builds' KOLT_CRASH_AT=N in
// the environment, the process kills itself (SIGKILL, nothing cleaned up) at the Nth
// such moment, so that a test can stop a real receive exactly there. Does nothing in
// other builds.
void CrashPoint();

}  // namespace kolt
