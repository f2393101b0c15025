#!/usr/bin/env bash
# Whole-process CPU time per puzzle of "tavelo --generate" beside Simon
# Tatham's Pattern ("sgt-pattern --generate", Debian package sgt-puzzles),
# measured in alternating pairs on the same machine; prints the median per
# puzzle of each and the median of the pairwise ratios TAVELO / Pattern.
#
#   bash bench/compare_pattern.sh [TAVELO_BINARY] [RUNS]
#
# Counts are chosen so that a run takes a few tenths of a second or more
# (the time command counts in hundredths).
# Pattern gives up on sizes past about 45 x 45; those are timed for TAVELO
# alone. Installs sgt-puzzles when it is missing (needs root).
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
trap 'rm -f "$times"' EXIT
cpu() {
  /usr/bin/time -o "$times" -f '%U %S' "$@" >/dev/null 2>&1
  awk '{ printf "%.4f\n", $1 + $2 }' "$times"
}

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

printf '%-9s %7s %16s %16s %8s\n' size count 'tavelo us/puz' 'pattern us/puz' ratio
for entry in 5:100000 10:6000 15:4000 20:1000 25:500 30:300 40:10 50:1000 80:40 100:20 128:7; do
  side=${entry%%:*}
  count=${entry##*:}
  size=${side}x${side}
  a=() b=() r=()
  for ((i = 0; i < runs; ++i)); do
    ta=$(cpu "$tavelo" --generate "$size" --count "$count")
    a+=("$ta")
    if ((side <= 40)); then
      tb=$(cpu "$pattern" --generate "$count" "$size")
      b+=("$tb")
      r+=("$(awk -v x="$ta" -v y="$tb" 'BEGIN { printf "%.4f\n", (y > 0 ? x / y : 0) }')")
    fi
  done
  ma=$(printf '%s\n' "${a[@]}" | median)
  per_a=$(awk -v t="$ma" -v n="$count" 'BEGIN { printf "%.1f", t / n * 1e6 }')
  if ((side <= 40)); then
    mb=$(printf '%s\n' "${b[@]}" | median)
    per_b=$(awk -v t="$mb" -v n="$count" 'BEGIN { printf "%.1f", t / n * 1e6 }')
    ratio=$(printf '%s\n' "${r[@]}" | median)
  else
    per_b=-
    ratio=-
  fi
  printf '%-9s %7s %16s %16s %8s\n' "$size" "$count" "$per_a" "$per_b" "$ratio"
done
