#!/usr/bin/env bash
# Runs Ardour's VST3 scanner on a bundle and checks what it wrote to its cache: the scanner's
# exit status says nothing about the plug-in, the cache file does.
#   ardour-scan-check.sh SCANNER BUNDLE
set -euo pipefail
scanner=$1
bundle=$2
cache=$(mktemp -d)
trap 'rm -rf "$cache"' EXIT

status=0
XDG_CACHE_HOME=$cache LD_LIBRARY_PATH=/usr/lib/ardour7 timeout 60 "$scanner" -f -v "$bundle" || status=$?
if [ "$status" -ne 0 ]; then
  [ "$status" -eq 124 ] && echo "FAIL: the scanner did not finish within 60 s" >&2
  [ "$status" -ne 124 ] && echo "FAIL: the scanner exited with status $status" >&2
  exit 1
fi
file=$(find "$cache" -name '*.v3i' | head -n 1)
if [ -z "$file" ]; then
  echo "FAIL: the scanner wrote no cache entry for $bundle" >&2
  exit 1
fi
cat "$file"

status=0
expect() {
  if grep -q -- "$1" "$file"; then
    echo "ok: $1"
  else
    echo "FAIL: $1 not reported" >&2
    status=1
  fi
}
expect 'name="VevadurROT"'
expect 'vendor="Rovazuro"'
expect 'category="FX|Reverb"'
expect 'version="0.0.1.0"'
expect 'n_inputs="2"'
expect 'n_outputs="2"'
expect 'n_aux_inputs="0"'
expect 'n_midi_inputs="1"'
expect 'uid="5A3C91E247B04F6D9E21C8A53D7F0B14"'
exit $status
