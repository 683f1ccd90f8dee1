#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite (build/).
#
#   scripts/test.sh --no-gui   builds and tests without the window and without X11
#                              (build-nogui/): the core, kolt-cli and the tests that
#                              need neither, which shows the layers below ui/ stand alone.
#   scripts/test.sh --sanitize builds everything with AddressSanitizer and
#                              UndefinedBehaviorSanitizer (build-sanitize/, no benchmarks)
#                              and runs the whole suite under them.
#
# KOLT_WARNINGS_AS_ERRORS=ON in the environment makes any compiler warning fail the
# build (CI sets it).
set -euo pipefail
cd "$(dirname "$0")/.."
build=build
gui=ON
sanitize=OFF
bench=ON
case "${1:-}" in
  "") ;;
  --no-gui) build=build-nogui gui=OFF ;;
  --sanitize) build=build-sanitize sanitize=ON bench=OFF ;;
  *) echo "usage: $0 [--no-gui|--sanitize]" >&2; exit 2 ;;
esac
# A report ends the test with its stack; leaks are reported too, with the ones of the
# libraries below us (fontconfig, D-Bus, X11) suppressed.
export ASAN_OPTIONS="${ASAN_OPTIONS:-abort_on_error=0:detect_stack_use_after_return=0}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$PWD/tests/lsan.supp:print_suppressions=0}"
scripts/install-deps.sh
# ccache keeps objects across the builds and runs; paths are taken relative to the
# checkout, so a fresh clone elsewhere reuses them too.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
launcher=()
command -v ccache > /dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$build" -G Ninja "${launcher[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKOLT_BUILD_GUI="$gui" \
  -DKOLT_SANITIZE="$sanitize" -DKOLT_BUILD_BENCH="$bench" \
  -DKOLT_WARNINGS_AS_ERRORS="${KOLT_WARNINGS_AS_ERRORS:-OFF}"
cmake --build "$build" --parallel "$(nproc)"
cd "$build"
ctest --output-on-failure --parallel "$(nproc)" --timeout 900
