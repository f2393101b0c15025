#!/usr/bin/env bash
# Builds the fuzz targets with clang (in build-fuzz) and runs each for the
# given number of seconds (default 5) on a scratch copy of its seed corpus.
# Fails on the first crash, leak, sanitizer report or broken round trip; the
# input that caused it is left in build-fuzz/.
#
# The test command runs a few seconds of each, from a fixed seed so that a
# run explores the same inputs every time (FUZZ_SEED=0 draws one). A long run, one target at a
# time and gentle on a shared machine, ten minutes each:
#   nice -n 19 bash fuzz/run.sh 600
# or one target alone, keeping what it finds in its corpus:
#   nice -n 19 build-fuzz/settings_fuzz -max_total_time=600 -timeout=10 \
#     -rss_limit_mb=2048 fuzz/corpus/settings_fuzz
# The last line of build-fuzz/<target>.log shows the executions done.
set -euo pipefail
seconds="${1:-5}"
cd "$(dirname "$0")/.."
cmake -S fuzz -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j2
# Every fuzz/<name>_fuzz.cpp is one target.
targets=()
for source in fuzz/*_fuzz.cpp; do targets+=("$(basename "$source" .cpp)"); done
for target in "${targets[@]}"; do
  scratch="build-fuzz/corpus/$target"
  mkdir -p "$scratch"
  echo "fuzzing $target for ${seconds}s"
  log="build-fuzz/$target.log"
  if ! "build-fuzz/$target" -seed="${FUZZ_SEED:-1}" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="build-fuzz/$target-" "$scratch" "fuzz/corpus/$target" >"$log" 2>&1; then
    cat "$log"
    echo "fuzz/run.sh: $target failed; see $log" >&2
    exit 1
  fi
  tail -n 1 "$log"
done
