#!/usr/bin/env bash
# Whole-process CPU time per puzzle of "tavelo --generate" beside Simon
# Tatham's Pattern ("sgt-pattern --generate", Debian package sgt-puzzles),
# measured in alternating pairs on the same machine; prints the median per
# puzzle of each and the median of the pairwise ratios TAVELO / Pattern, then
# the time per puzzle of "tavelo --solve" on 30x30 game IDs.
#
#   bash bench/compare_pattern.sh [TAVELO_BINARY] [RUNS]
#
# Counts are chosen so that a run takes a few tenths of a second or more
# (the time command counts in hundredths). Pattern takes minutes from about
# 50 x 50 on; those sizes are timed for TAVELO alone. Installs sgt-puzzles when it is missing (needs root).
set -euo pipefail

tavelo=${1:-build/src/app/tavelo}
runs=${2:-7}
pattern=/usr/games/sgt-pattern

if [[ ! -x $pattern ]]; then
  apt-get install -y sgt-puzzles >/dev/null || { apt-get update >/dev/null && apt-get install -y sgt-puzzles >/dev/null; }
fi
[[ -x $tavelo ]] || { echo "no tavelo binary at $tavelo (build the tavelo target first)" >&2; exit 1; }

# CPU seconds (user + system) of one whole run of a command.
times=$(mktemp)
ids=$(mktemp)
trap 'rm -f "$times" "$ids"' EXIT
cpu() {
  /usr/bin/time -o "$times" -f '%U %S' "$@" >/dev/null 2>&1
  awk '{ printf "%.4f\n", $1 + $2 }' "$times"
}

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

printf '%-9s %16s %16s %8s\n' size 'tavelo us/puz' 'pattern us/puz' ratio
# side:puzzles per tavelo run:puzzles per Pattern run
for entry in 5:100000:20000 10:6000:6000 15:4000:4000 20:1000:1000 25:1000:500 30:1000:100 \
  40:2000:10 50:1000:0 80:40:0 100:20:0 128:7:0; do
  IFS=: read -r side count count_b <<<"$entry"
  size=${side}x${side}
  a=() b=() r=()
  for ((i = 0; i < runs; ++i)); do
    ta=$(cpu "$tavelo" --generate "$size" --count "$count")
    a+=("$ta")
    if ((count_b > 0)); then
      tb=$(cpu "$pattern" --generate "$count_b" "$size")
      b+=("$tb")
      r+=("$(awk -v x="$ta" -v y="$tb" -v n="$count" -v m="$count_b" \
        'BEGIN { printf "%.4f\n", (y > 0 ? (x / n) / (y / m) : 0) }')")
    fi
  done
  ma=$(printf '%s\n' "${a[@]}" | median)
  per_a=$(awk -v t="$ma" -v n="$count" 'BEGIN { printf "%.1f", t / n * 1e6 }')
  if ((count_b > 0)); then
    mb=$(printf '%s\n' "${b[@]}" | median)
    per_b=$(awk -v t="$mb" -v n="$count_b" 'BEGIN { printf "%.1f", t / n * 1e6 }')
    ratio=$(printf '%s\n' "${r[@]}" | median)
  else
    per_b=-
    ratio=-
  fi
  printf '%-9s %16s %16s %8s\n' "$size" "$per_a" "$per_b" "$ratio"
done

# The solver from the command line: 2000 game IDs of 30x30 read and solved.
"$tavelo" --generate 30x30 --count 2000 --seed 1 >"$ids"
solve=()
for ((i = 0; i < runs; ++i)); do solve+=("$(cpu "$tavelo" --solve "$ids")"); done
ms=$(printf '%s\n' "${solve[@]}" | median)
printf '\ntavelo --solve, 30x30: %s us per puzzle\n' "$(awk -v t="$ms" 'BEGIN { printf "%.1f", t / 2000 * 1e6 }')"
