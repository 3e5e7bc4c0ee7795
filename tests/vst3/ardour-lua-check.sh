#!/usr/bin/env bash
# Runs headless Ardour Lua scripts against the bundle, one process each and in order, in an
# Ardour of its own: configuration, scan cache and sessions stay in a temporary folder, which the
# scripts find in ARDOUR_TEST_DIR. Each script prints "RESULT: PASS" when its checks hold.
#   ardour-lua-check.sh ARDOUR_LUA SCANNER BUNDLE SECONDS SCRIPT...
set -euo pipefail
ardour_lua=$1
scanner=$2
bundle=$(cd "$3" && pwd)
seconds=$4
shift 4

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_CACHE_HOME=$work/cache \
  XDG_DATA_HOME=$work/data
mkdir -p "$HOME/.vst3" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$XDG_DATA_HOME"
unset VST3_PATH
# ~/.vst3 is on Ardour's default search path; only our bundle is there. The factory presets go
# where a user's are, as scripts/main installs them.
ln -s "$bundle" "$HOME/.vst3/"
if [ -d "$bundle/Contents/Resources/Presets/VST3" ]; then
  mkdir -p "$HOME/.vst3/presets"
  cp -r "$bundle/Contents/Resources/Presets/VST3/." "$HOME/.vst3/presets/"
fi
# Scanned beforehand, so the session finds a cache entry newer than the module.
status=0
LD_LIBRARY_PATH=/usr/lib/ardour7 timeout 60 "$scanner" -q -f "$HOME/.vst3/$(basename "$bundle")" ||
  status=$?
if [ "$status" -ne 0 ]; then
  [ "$status" -eq 124 ] && echo "FAIL: the scanner did not finish within 60 s" >&2
  [ "$status" -ne 124 ] && echo "FAIL: the scanner exited with status $status" >&2
  exit 1
fi
# An LV2 bundle, when a test names one, goes to ~/.lv2, also on Ardour's search path.
if [ -n "${VEVADUR_LV2_BUNDLE:-}" ]; then
  mkdir -p "$HOME/.lv2"
  ln -s "$VEVADUR_LV2_BUNDLE" "$HOME/.lv2/"
fi

# Scripts end with os.exit, as closing a session can hang in this Ardour version; its exit
# itself sometimes crashes after the verdict, so the verdict line decides. The timeout catches
# a hang before it.
for script in "$@"; do
  echo "== $(basename "$script")"
  status=0
  ARDOUR_TEST_DIR=$work timeout "$seconds" "$ardour_lua" "$script" >"$work/log" 2>&1 || status=$?
  grep -v '^$' "$work/log" | grep -v 'buffer of size' || true
  if [ "$status" -eq 124 ]; then
    echo "FAIL: $(basename "$script") did not finish within $seconds s" >&2
    exit 1
  fi
  if ! grep -q '^RESULT: PASS' "$work/log"; then
    echo "FAIL: $(basename "$script") exited with $status" >&2
    exit 1
  fi
done
