#!/usr/bin/env bash
# The scripted panel run of the 32-bit module (the product) under Wine,
# where this machine can execute 32-bit code; elsewhere one line says why
# and the exit status 77 marks the test as skipped.
#
#   run_i686.sh PREFIX WIN32_BUILD_DIR WINE_TESTS_PROGRAM
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
tools="$here/../../tools/wine"

[ $# -eq 3 ] || { echo "usage: $0 PREFIX WIN32_BUILD_DIR WINE_TESTS_PROGRAM" >&2; exit 2; }
prefix=$1
build=$2
wine_tests=$3

for file in "$build/panel-host.exe" "$build/RadarGauge.gau"; do
  if [ ! -f "$file" ]; then
    echo "$file is missing; build it first: cmake --preset win32 && cmake --build --preset win32" >&2
    exit 1
  fi
done

if ! reason=$("$tools/can_run_i686.sh" "$prefix" "$build/panel-host.exe" "Usage: panel-host"); then
  echo "SKIPPED: the i686 Wine run: this machine cannot execute 32-bit code ($reason)"
  exit 77
fi
RADAR_WINE_ARCH=i686 exec "$wine_tests" --gtest_filter='WinePanel.*'
