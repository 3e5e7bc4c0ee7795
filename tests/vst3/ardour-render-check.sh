#!/usr/bin/env bash
# A real host renders audio through the bundle: Ardour's headless Lua session (Dummy backend)
# bounces a noise region on a stereo track once dry, once through the plug-in and once with the
# plug-in deactivated, and ardour-render.lua checks the three results.
#   ardour-render-check.sh ARDOUR_LUA SCANNER BUNDLE
# Everything Ardour writes (configuration, scan cache, session) stays in a temporary folder.
set -euo pipefail
ardour_lua=$1
scanner=$2
bundle=$(cd "$3" && pwd)
script=$(dirname "$0")/ardour-render.lua

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_CACHE_HOME=$work/cache \
  XDG_DATA_HOME=$work/data
mkdir -p "$HOME/.vst3" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$XDG_DATA_HOME"
unset VST3_PATH
# ~/.vst3 is on Ardour's default search path; only our bundle is there.
ln -s "$bundle" "$HOME/.vst3/"
# Scanned beforehand, so the session finds a cache entry newer than the module.
LD_LIBRARY_PATH=/usr/lib/ardour7 timeout 60 "$scanner" -q -f "$HOME/.vst3/$(basename "$bundle")"

# Closing a session can hang in this Ardour version: the script ends with os.exit, and the
# timeout guards the rest.
status=0
ARDOUR_RENDER_SESSION=$work/session timeout 120 "$ardour_lua" "$script" >"$work/log" 2>&1 ||
  status=$?
grep -v '^$' "$work/log" || true
if [ "$status" -ne 0 ] || ! grep -q '^RESULT: PASS' "$work/log"; then
  echo "FAIL: ardour7-lua exited with $status" >&2
  exit 1
fi
