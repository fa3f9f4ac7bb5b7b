#!/usr/bin/env bash
# Tells whether this machine can execute 32-bit Windows code under Wine: it
# needs the 32-bit loader (Debian's wine32) and 32-bit programs running,
# natively or through a registered handler (tools/register_i386_handler.sh).
# Starts no Wine: where both are there, a 32-bit run must be attempted, and
# whatever then goes wrong (a time-out among them) is a failure, not a
# reason to skip.
#
#   tools/wine/can_run_i686.sh
#
# Exit status 0 with one line saying how 32-bit code runs; 1 with one line
# saying why it cannot.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=wine_env.sh
. "$here/wine_env.sh"

if [ ! -x "$RADAR_WINE32" ]; then
  echo "no 32-bit Wine loader ($RADAR_WINE32, Debian package wine32:i386; tools/install_deps.sh check installs it)"
  exit 1
fi
"$here/../register_i386_handler.sh" --check
