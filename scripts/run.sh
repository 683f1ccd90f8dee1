#!/usr/bin/env bash
# Installs what is missing, builds the application and starts it. Arguments go to the
# program (for example a received KOLT.KLT).
#
# When you have no home folder yet (no $KOLT_HOME and no ~/.local/share/kolt/KOLT.INI),
# the program starts on a demo home folder with synthetic game installations
# (build/demo-home), so there is something to look at.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --parallel "$(nproc)" --target kolt-helper
user_home="${XDG_DATA_HOME:-$HOME/.local/share}/kolt"
if [ -z "${KOLT_HOME:-}" ] && [ ! -f "$user_home/KOLT.INI" ]; then
  if [ ! -f build/demo-home/KOLT.INI ]; then
    python3 scripts/make-demo-home.py build/demo-home >/dev/null
  fi
  export KOLT_HOME="$PWD/build/demo-home"
  echo "No home folder yet: starting on the demo home $KOLT_HOME"
fi
exec build/kolt-helper "$@"
