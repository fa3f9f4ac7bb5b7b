#!/usr/bin/env bash
# Stops the Wine server of each given prefix, and only of those.
#   tools/wine/stop_prefix.sh PREFIX...
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=wine_env.sh
. "$here/wine_env.sh"

[ -x "$RADAR_WINESERVER" ] || exit 0
for prefix in "$@"; do
  [ -d "$prefix" ] || continue
  WINEPREFIX=$(realpath "$prefix") "$RADAR_WINESERVER" -k 2> /dev/null || true
done
exit 0
