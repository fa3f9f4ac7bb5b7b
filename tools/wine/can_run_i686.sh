#!/usr/bin/env bash
# Tells whether this machine can execute 32-bit Windows code under Wine:
# it needs the 32-bit loader (Debian's wine32) and a kernel that runs
# 32-bit programs. Tries a 32-bit program for real.
#
#   tools/wine/can_run_i686.sh PREFIX PROGRAM_EXE [EXPECTED_OUTPUT]
#
# Runs PROGRAM_EXE --help; exit status 0 when it ran (and printed
# EXPECTED_OUTPUT, if given), 1 with one line saying why not.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=wine_env.sh
. "$here/wine_env.sh"

[ $# -ge 2 ] || { echo "usage: $0 PREFIX PROGRAM_EXE [EXPECTED_OUTPUT]" >&2; exit 2; }
prefix=$1
program=$2
expected=${3:-}

if [ ! -x "$RADAR_WINE32" ]; then
  echo "no 32-bit Wine loader ($RADAR_WINE32, Debian package wine32)"
  exit 1
fi
output=$("$here/run_in_prefix.sh" "$prefix" --i686 --timeout 60 "$program" --help 2>&1)
status=$?
if [ $status -ne 0 ] || { [ -n "$expected" ] && ! grep -qF -- "$expected" <<< "$output"; }; then
  echo "the 32-bit program did not run (status $status): $(head -n 1 <<< "$output")"
  exit 1
fi
exit 0
