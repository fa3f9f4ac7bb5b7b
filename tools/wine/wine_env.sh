# Shared by the scripts in tools/wine: where Wine is and how it is started
# here, headless and quiet. Source it; it defines no commands of its own
# beyond the functions below.

# The 64-bit loader and the server, as Debian's wine64 installs them.
RADAR_WINE64=${RADAR_WINE64:-/usr/lib/wine/wine64}
RADAR_WINESERVER=${RADAR_WINESERVER:-/usr/lib/wine/wineserver}
# The 32-bit loader, from Debian's wine32 (i386), where it is installed.
RADAR_WINE32=${RADAR_WINE32:-/usr/lib/wine/wine}

# Stops with a plain message when the 64-bit Wine is not installed.
require_wine64() {
  local missing=()
  [ -x "$RADAR_WINE64" ] || missing+=("$RADAR_WINE64")
  [ -x "$RADAR_WINESERVER" ] || missing+=("$RADAR_WINESERVER")
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Wine is not installed: ${missing[*]} missing (Debian package wine64; tools/install_deps.sh installs it)" >&2
    exit 1
  fi
}

# Environment for one prefix: no display (memory device contexts need none,
# and nothing may wait for a window), no debug output, no Mono or Gecko
# installer, no desktop menu entries, and the system's own fontconfig
# setup: Wine lists every font fontconfig shows it, so a caller's private
# configuration (the Linux panel host sets one that adds Tahoma) would
# change the fonts a prefix has.
use_prefix() {
  unset FONTCONFIG_FILE FONTCONFIG_PATH FONTCONFIG_SYSROOT
  export WINEPREFIX
  WINEPREFIX=$(realpath -m "$1")
  export WINEDEBUG=${RADAR_WINEDEBUG:--all}
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  unset DISPLAY WAYLAND_DISPLAY
}
