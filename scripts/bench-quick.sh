#!/usr/bin/env bash
# Runs every benchmark once at a small size from the repository root, as a contributor
# would, so that CI sees them build, run and leave nothing behind in the checkout. The
# figures of such a run mean little; BENCHMARKS.md says how to measure.
#
#   scripts/bench-quick.sh [BUILD_FOLDER]   default: build
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
export QT_QPA_PLATFORM=offscreen
run() {
  echo "== $*"
  "$build/bench/$@" | tail -3
}
run bench_settings
run bench_archive 5
run bench_receive 1 50
run bench_fetch 1 0
run bench_refresh 500
