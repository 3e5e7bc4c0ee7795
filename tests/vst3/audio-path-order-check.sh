#!/usr/bin/env bash
# Checks the audio path's layout list against the built module: every entry must still name a
# function of it (a renamed or removed function would silently drop out of the layout), and the
# entries that name one function each must find them in the list's order (the layout was applied).
# Split-off cold parts (NAME.cold) stay where the compiler put them and are not counted.
#   audio-path-order-check.sh MODULE ORDER_FILE
set -euo pipefail
module=$1
order=$2
symbols=$(nm --defined-only -n "$module" |
  awk '($2 == "t" || $2 == "T") && $3 !~ /\.cold$/ { print $1, $3 }')
[ -n "$symbols" ] || { echo "FAIL: no functions in $module" >&2; exit 1; }

failures=0
previous=0
while IFS= read -r entry; do
  [ -n "$entry" ] || continue
  pattern=${entry#.text.}
  first=""
  matches=0
  while read -r address name; do
    # shellcheck disable=SC2053 # the entry is a glob
    if [[ $name == $pattern ]]; then
      [ -n "$first" ] || first=$((16#$address))
      matches=$((matches + 1))
    fi
  done <<<"$symbols"
  if [ "$matches" -eq 0 ]; then
    echo "FAIL: '$entry' names no function of the module" >&2
    failures=$((failures + 1))
  elif [ "$matches" -eq 1 ]; then
    if [ "$first" -lt "$previous" ]; then
      echo "FAIL: '$entry' lies before the function listed ahead of it" >&2
      failures=$((failures + 1))
    fi
    previous=$first
  fi
done <"$order"
[ "$failures" -eq 0 ] || exit 1
echo "every entry names a function of the module, in the list's order"
