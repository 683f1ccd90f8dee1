#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite (build/).
#
#   scripts/test.sh --no-gui   builds and tests without the window and without X11
#                              (build-nogui/): the core, kolt-cli and the tests that
#                              need neither, which shows the layers below ui/ stand alone.
#
# KOLT_WARNINGS_AS_ERRORS=ON in the environment makes any compiler warning fail the
# build (CI sets it).
set -euo pipefail
cd "$(dirname "$0")/.."
build=build
gui=ON
case "${1:-}" in
  "") ;;
  --no-gui) build=build-nogui gui=OFF ;;
  *) echo "usage: $0 [--no-gui]" >&2; exit 2 ;;
esac
scripts/install-deps.sh
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKOLT_BUILD_GUI="$gui" \
  -DKOLT_WARNINGS_AS_ERRORS="${KOLT_WARNINGS_AS_ERRORS:-OFF}"
cmake --build "$build" --parallel "$(nproc)"
cd "$build"
ctest --output-on-failure --parallel "$(nproc)" --timeout 900
