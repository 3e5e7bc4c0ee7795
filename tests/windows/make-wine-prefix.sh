#!/bin/sh
# make-wine-prefix.sh WINE64 WINESERVER PREFIX: a fresh Wine prefix for the Windows tests, so
# that nothing outside the build folder is touched. Headless: no display is needed for it.
set -eu
wine=$1 wineserver=$2 prefix=$3
rm -rf "$prefix"
mkdir -p "$prefix"
WINEPREFIX=$prefix WINEDEBUG=-all DISPLAY= "$wine" wineboot --init >/dev/null 2>&1
WINEPREFIX=$prefix "$wineserver" -w
test -f "$prefix/system.reg"
