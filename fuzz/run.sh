#!/usr/bin/env bash
# Builds the fuzz targets with clang (in build-fuzz) and runs each for the
# given number of seconds (default 5) on a scratch copy of its seed corpus.
# Fails on the first crash, leak, sanitizer report or broken round trip; the
# input that caused it is left in build-fuzz/.
set -euo pipefail
seconds="${1:-5}"
cd "$(dirname "$0")/.."
cmake -S fuzz -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j2
targets=(
  json_fuzz
  game_state_fuzz
  game_id_fuzz
  non_fuzz
  pbn_xml_fuzz
)
for target in "${targets[@]}"; do
  scratch="build-fuzz/corpus/$target"
  mkdir -p "$scratch"
  echo "fuzzing $target for ${seconds}s"
  log="build-fuzz/$target.log"
  if ! "build-fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="build-fuzz/$target-" "$scratch" "fuzz/corpus/$target" >"$log" 2>&1; then
    cat "$log"
    echo "fuzz/run.sh: $target failed; see $log" >&2
    exit 1
  fi
  tail -n 1 "$log"
done
