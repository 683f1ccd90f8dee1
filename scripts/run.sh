#!/usr/bin/env bash
# Installs what is missing, builds the application and starts it. Arguments go to the
# program (for example a received KOLT.KLT).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --parallel "$(nproc)" --target kolt-helper
exec build/kolt-helper "$@"
