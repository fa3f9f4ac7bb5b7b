#!/usr/bin/env bash
# Runs a Windows program in a prefix made by prepare_prefix.sh, headless
# unless given an X display.
#
#   tools/wine/run_in_prefix.sh PREFIX [--i686] [--timeout SECONDS] [--display DISPLAY] PROGRAM [ARGUMENTS...]
#
# --i686 uses the 32-bit loader (Debian's wine32) for a 32-bit program.
# --display shows the program's windows on that X display (the preview's
# tests start an Xvfb for it); a prefix's Wine server should then serve
# only programs on that display.
# The exit status is the program's, or 124 when it ran out of time.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=wine_env.sh
. "$here/wine_env.sh"

[ $# -ge 2 ] || { echo "usage: $0 PREFIX [--i686] [--timeout SECONDS] [--display DISPLAY] PROGRAM [ARGUMENTS...]" >&2; exit 2; }
prefix=$1
shift
loader=$RADAR_WINE64
seconds=300
display=""
while [ $# -gt 0 ]; do
  case "$1" in
    --i686) loader=$RADAR_WINE32; shift ;;
    --timeout) seconds=$2; shift 2 ;;
    --display) display=$2; shift 2 ;;
    *) break ;;
  esac
done
[ $# -ge 1 ] || { echo "no program given" >&2; exit 2; }

require_wine64
if [ ! -f "$prefix/system.reg" ]; then
  echo "$prefix is not a Wine prefix; make it with tools/wine/prepare_prefix.sh" >&2
  exit 1
fi
if [ ! -x "$loader" ]; then
  echo "no Wine loader $loader" >&2
  exit 127
fi
use_prefix "$prefix"
[ -z "$display" ] || export DISPLAY="$display"
exec timeout --kill-after=10 "$seconds" "$loader" "$@" < /dev/null
