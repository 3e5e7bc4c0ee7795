#!/usr/bin/env bash
# Runs Ardour's VST2 scanner on the plug-in's shared object and checks what it recorded: the
# scanner's exit status says little, its cache file says what a user of Ardour will see.
#   ardour-vst2-scan-check.sh SCANNER PLUGIN.so
set -euo pipefail
scanner=$1
plugin=$2
cache=$(mktemp -d)
trap 'rm -rf "$cache"' EXIT

status=0
XDG_CACHE_HOME=$cache LD_LIBRARY_PATH=/usr/lib/ardour7${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH} \
  timeout 60 "$scanner" -f -v "$plugin" || status=$?
if [ "$status" -ne 0 ]; then
  [ "$status" -eq 124 ] && echo "FAIL: the scanner did not finish within 60 s" >&2
  [ "$status" -ne 124 ] && echo "FAIL: the scanner exited with status $status" >&2
  exit 1
fi

info=$(find "$cache" -name '*-x64.v2i' -print -quit)
if [ -z "$info" ]; then
  echo "FAIL: the scanner wrote no VST2 cache file" >&2
  exit 1
fi
cat "$info"

failed=0
for expected in 'name="VevadurROT"' 'creator="Rovazuro"' 'category="RoomFx"' \
  'id="1450594900"' 'n_inputs="2"' 'n_outputs="2"' 'is_instrument="0"' \
  'can_process_replace="1"' 'has_editor="1"'; do
  if ! grep -q "$expected" "$info"; then
    echo "FAIL: expected $expected" >&2
    failed=1
  fi
done
[ "$failed" -eq 0 ] && echo "Ardour lists the VST2 plug-in as expected"
exit "$failed"
