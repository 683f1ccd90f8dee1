#!/usr/bin/env bash
# Runs clang-tidy with the repository's .clang-tidy over every source file of src/ (and
# the project headers they include), using the compilation database of a configured
# build folder. Prints each finding once and fails when there is any.
#
#   scripts/tidy.sh [BUILD_FOLDER]   default: build (configured by scripts/test.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
if [ ! -f "$build/compile_commands.json" ]; then
  echo "tidy: $build/compile_commands.json is missing; build first (scripts/test.sh)" >&2
  exit 2
fi
# The generated sources (moc, uic, resources) must exist for the files that include them.
cmake --build "$build" --parallel "$(nproc)" > /dev/null
log="$build/tidy.log"
status=0
git ls-files 'src/*.cpp' |
  xargs -P "$(nproc)" -n 4 clang-tidy -p "$build" --quiet > "$log" 2> "$build/tidy.err" || status=$?
# 123: some file had findings (listed below); anything else is clang-tidy that did not run.
if [ "$status" -ne 0 ] && [ "$status" -ne 123 ]; then
  cat "$build/tidy.err" >&2
  echo "tidy: clang-tidy failed (status $status)" >&2
  exit 2
fi
# A header's finding is reported once for every file that includes it: keep one of each.
findings=$(grep -E '^/.*: (warning|error): ' "$log" | sort -u || true)
if [ -n "$findings" ]; then
  echo "$findings"
  echo "tidy: $(echo "$findings" | wc -l) finding(s); details in $log" >&2
  exit 1
fi
echo "tidy: $(git ls-files 'src/*.cpp' | wc -l) files clean"
