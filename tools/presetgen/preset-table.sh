#!/usr/bin/env bash
# Prints the README's table of the factory presets: name, description and the analyser's T30
# at 500 Hz and 4 kHz (the mean of both ears, in seconds), measured on an impulse rendered
# through each preset at 48 kHz; the default settings come first. Rotating presets are
# measured as they start, before the room has turned.
#   tools/presetgen/preset-table.sh [BUILD]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A 48 kHz mono 16-bit WAV file holding one full-scale sample.
printf 'RIFF\x26\x00\x00\x00WAVEfmt \x10\x00\x00\x00\x01\x00\x01\x00\x80\xbb\x00\x00' >"$work/impulse.wav"
printf '\x00\x77\x01\x00\x02\x00\x10\x00data\x02\x00\x00\x00\xff\x7f' >>"$work/impulse.wav"

# "T30 at 500 Hz | T30 at 4 kHz" of a render with the given options.
decay() {
  "$build/host/vevadur-render" "$work/impulse.wav" "$work/room.wav" "$@" >/dev/null
  "$build/tools/analyze/vevadur-analyze" "$work/room.wav" |
    awk '$1 == "500" { a += $3; na++ } $1 == "4000" { b += $3; nb++ }
         END { printf "%.2f | %.2f", a / na, b / nb }'
}

echo "| preset | what it does | T30 500 Hz (s) | T30 4 kHz (s) |"
echo "|---|---|---|---|"
echo "| (default settings) | \"Center\", every \"Abs\" at 7, hyperbolic decay, still | $(decay) |"
awk -F' = ' '/^\[/ { name = substr($0, 2, length($0) - 2) }
             /^Description = / { print name "\t" $2 }' "$root/resources/presets.ini" |
  while IFS=$'\t' read -r name description; do
    echo "| $name | $description | $(decay --preset "$name") |"
  done
