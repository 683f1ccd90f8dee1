#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (build-fuzz/) and runs each for a bounded time
# on its seed corpus (fuzz/corpus/<target>/, never written to: new inputs go to a
# scratch copy). A finding stops the script with the target's report and leaves the
# input as build-fuzz/<target>-crash-*; fix it and keep the input as a seed.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]   default: 60 seconds each, every target
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
shift || true
scripts/install-deps.sh
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
launcher=()
command -v ccache > /dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build-fuzz -G Ninja "${launcher[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DKOLT_BUILD_GUI=OFF -DKOLT_BUILD_TESTS=OFF -DKOLT_BUILD_BENCH=OFF -DKOLT_WITH_KEYCHAIN=OFF \
  -DKOLT_BUILD_FUZZERS=ON -DKOLT_WARNINGS_AS_ERRORS="${KOLT_WARNINGS_AS_ERRORS:-OFF}"
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=(fuzz_settings fuzz_next_token fuzz_sender_record fuzz_pe_version fuzz_wine_registry
           fuzz_description_rule fuzz_se4_header fuzz_definition fuzz_extract fuzz_turn_mail)
fi
cmake --build build-fuzz --parallel "$(nproc)" --target "${targets[@]}"
export ASAN_OPTIONS="detect_leaks=0"  # Qt keeps its application object for the whole run
# The targets' scratch files, in a folder of ours: a target that crashes or is killed
# cannot leave them in /tmp.
export TMPDIR="$PWD/build-fuzz/tmp"
trap 'rm -rf "$TMPDIR"' EXIT
for t in "${targets[@]}"; do
  rm -rf "$TMPDIR"
  mkdir -p "$TMPDIR"
  scratch="build-fuzz/corpus-$t"
  mkdir -p "$scratch"
  echo "== $t: $seconds s"
  if ! (cd build-fuzz && "./fuzz/$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
          -artifact_prefix="$t-" "../$scratch" "../fuzz/corpus/$t" > "$t.log" 2>&1); then
    tail -60 "build-fuzz/$t.log"
    exit 1
  fi
  grep -E "^(Done|#[0-9]+ *DONE)" "build-fuzz/$t.log" | tail -1
done
