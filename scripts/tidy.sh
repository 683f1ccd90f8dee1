#!/usr/bin/env bash
# Runs clang-tidy with the repository's .clang-tidy over every source file of src/ (and
# the project headers they include), using the compilation database of a configured
# build folder. Prints each finding once and fails when there is any.
#
#   scripts/tidy.sh [BUILD_FOLDER]   default: build (configured by scripts/test.sh)
#
# A file's result is kept in a cache (KOLT_TIDY_CACHE, default ~/.cache/kolt-tidy) under
# a key made of the file, every header and form under src/, .clang-tidy, the compile
# commands and the installed packages; a run over an unchanged tree takes seconds, and
# a change to one .cpp file checks that file again. Entries unused for 30 days go.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
if [ ! -f "$build/compile_commands.json" ]; then
  echo "tidy: $build/compile_commands.json is missing; build first (scripts/test.sh)" >&2
  exit 2
fi
cache="${KOLT_TIDY_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/kolt-tidy}"
mkdir -p "$cache"
find "$cache" -type f -mtime +30 -delete
# The generated sources (moc, uic, resources) must exist for the files that include them.
cmake --build "$build" --parallel "$(nproc)" > /dev/null
log="$build/tidy.log"
: > "$log"
: > "$build/tidy.err"
# What every file's result depends on besides the file itself. The checkout's folder is
# left out of the compile commands, so a clone elsewhere finds the same keys.
common=$(
  {
    clang-tidy --version
    cat .clang-tidy
    sed "s#$PWD#.#g" "$build/compile_commands.json"
    find src \( -name '*.h' -o -name '*.ui' -o -name '*.qrc' \) -print0 | sort -z | xargs -0 cat
    dpkg-query -W -f '${Package} ${Version}\n' 2> /dev/null || true
  } | sha256sum | cut -d' ' -f1
)
tidy_one() {  # FILE: prints its findings, from the cache when its key is there
  local key out
  key=$({ echo "$common"; cat "$1"; } | sha256sum | cut -d' ' -f1)
  out="$cache/$key"
  if [ -f "$out" ]; then
    touch "$out"
  elif clang-tidy -p "$build" --quiet "$1" > "$out.$$" 2>> "$build/tidy.err"; then
    mv "$out.$$" "$out"
  else
    # clang-tidy did not run through (a compile error, say): report it, keep nothing.
    cat "$out.$$"
    rm -f "$out.$$"
    return 1
  fi
  cat "$out"
}
export -f tidy_one
export build cache common
status=0
git ls-files -z 'src/*.cpp' |
  xargs -0 -P "$(nproc)" -n 1 bash -c 'tidy_one "$0"' >> "$log" || status=$?
# 123: some file's clang-tidy did not run through; anything else is xargs itself failing.
if [ "$status" -ne 0 ]; then
  cat "$build/tidy.err" >&2
  grep -E '^/.*: error: ' "$log" | sort -u >&2 || true
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
