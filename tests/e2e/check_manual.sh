#!/usr/bin/env bash
# The manual page renders without a single warning from man, and its OPTIONS
# section has an entry for every option the program's --help names.
#
# usage: check_manual.sh PROGRAM PAGE
set -euo pipefail

if [ $# -ne 2 ]; then
  echo "usage: $0 PROGRAM PAGE" >&2
  exit 2
fi
program=$1
page=$2

fail() {
  echo "manual: FAILED: $*" >&2
  exit 1
}

command -v man >/dev/null || fail "'man' is not installed (bash scripts/install-deps.sh installs it)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings=all -l "$page" >"$work/page.txt" 2>"$work/warnings.txt" ||
  fail "man could not render $page: $(cat "$work/warnings.txt")"
[ ! -s "$work/warnings.txt" ] || fail "man warns about $page: $(cat "$work/warnings.txt")"

# An entry is a line of the section with the option first or after a comma:
# "       --generate WxH", "       --help, -h".
awk '/^OPTIONS/ { inside = 1; next } /^[A-Z]/ { inside = 0 } inside' "$work/page.txt" \
  >"$work/options.txt"
[ -s "$work/options.txt" ] || fail "$page has no OPTIONS section"
"$program" --help >"$work/help.txt"
options=$(grep -oE -- '(^|[[ ])--?[a-z][a-z-]*' "$work/help.txt" | tr -d '[ ' | sort -u)
[ -n "$options" ] || fail "no options found in '$program --help'"
for option in $options; do
  grep -qE -- "^ {7}(.*, )?${option}([ ,]|\$)" "$work/options.txt" ||
    fail "the OPTIONS section of $page does not describe $option"
done
echo "manual: renders cleanly and describes" $options
