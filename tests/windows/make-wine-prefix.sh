#!/bin/sh
# make-wine-prefix.sh WINE64 WINESERVER PREFIX: a fresh Wine prefix for the Windows tests, so
# that nothing outside the build folder is touched. Headless: no display is needed for it.
# The panel's faces (Verdana, Microsoft Sans Serif) are replaced by DejaVu Sans, the one face the
# tests' fontconfig file offers (FONTCONFIG_FILE, set by the test), so that Windows text looks
# the same on every machine. Every step has a time limit.
set -eu
wine=$1 wineserver=$2 prefix=$3
rm -rf "$prefix"
mkdir -p "$prefix"
export WINEPREFIX="$prefix" WINEDEBUG=-all DISPLAY=
step() {
  limit=$1 what=$2; shift 2
  status=0
  timeout "$limit" "$@" >"$prefix/step.log" 2>&1 || status=$?
  if [ "$status" -ne 0 ]; then
    echo "make-wine-prefix: $what did not finish within $limit s (status $status); it printed:" >&2
    tail -n 20 "$prefix/step.log" >&2
    exit 1
  fi
}
step 90 "wineboot --init" "$wine" wineboot --init
step 60 "the first wineserver" "$wineserver" -w
cat >"$prefix/fonts.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Verdana"="DejaVu Sans"
"Microsoft Sans Serif"="DejaVu Sans"
"Tahoma"="DejaVu Sans"
"Arial"="DejaVu Sans"
REG
step 60 "regedit of the font replacements" "$wine" regedit /S "Z:$(echo "$prefix/fonts.reg" | tr / '\\')"
step 60 "wineserver after regedit" "$wineserver" -w
grep -q '"Verdana"="DejaVu Sans"' "$prefix/user.reg" || {
  echo "make-wine-prefix: the font replacements did not reach $prefix/user.reg" >&2
  exit 1
}
test -f "$prefix/system.reg"
