#!/usr/bin/env bash
# Makes a Wine prefix in which the panel host and a gauge module run as on a
# Windows panel: headless, and with the fonts such a panel has.
#
#   tools/wine/prepare_prefix.sh PREFIX [--fonts SET] [--clone-from PREFIX]
#
# Font sets:
#   panel           Wine's own TrueType fonts (Tahoma among them) in the
#                   prefix's windows/Fonts folder, and "Arial" and
#                   "Microsoft Sans Serif" standing for Liberation Sans
#                   (FontSubstitutes). The default.
#   without-tahoma  the same without Tahoma: a panel on which the gauges'
#                   label font is missing and GDI+'s generic sans-serif
#                   family stands in.
#   none            the prefix as Wine makes it: Wine's data-folder fonts
#                   are not loaded and no family the gauges ask for, nor
#                   GDI+'s generic sans-serif family, can be found.
#
# --clone-from makes the prefix from an existing one instead of starting
# Wine afresh (a prefix is some 700 MB and takes a while to make): Wine's
# DLL folders are shared through hard links, everything else is copied.
# A prefix already made by this script with the same font set and the same
# Wine is left as it is.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=wine_env.sh
. "$here/wine_env.sh"

usage() {
  echo "usage: $0 PREFIX [--fonts panel|without-tahoma|none] [--clone-from PREFIX]" >&2
  exit 2
}

prefix=""
font_set=panel
clone_from=""
while [ $# -gt 0 ]; do
  case "$1" in
    --fonts) [ $# -ge 2 ] || usage; font_set=$2; shift 2 ;;
    --clone-from) [ $# -ge 2 ] || usage; clone_from=$2; shift 2 ;;
    -*) usage ;;
    *) [ -z "$prefix" ] || usage; prefix=$1; shift ;;
  esac
done
[ -n "$prefix" ] || usage
case "$font_set" in panel|without-tahoma|none) ;; *) usage ;; esac

wine_font_dir=/usr/share/wine/fonts
liberation_sans=/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf
substitutes_key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'

require_wine64
if [ "$font_set" != none ]; then
  if [ ! -f "$wine_font_dir/tahoma.ttf" ] || [ ! -f "$liberation_sans" ]; then
    echo "fonts missing: $wine_font_dir/tahoma.ttf (fonts-wine) or $liberation_sans (fonts-liberation)" >&2
    exit 1
  fi
fi

stamp_text() {
  echo "fonts=$font_set"
  echo "wine=$("$RADAR_WINE64" --version 2>/dev/null)"
  # A prefix made before the 32-bit Wine came lacks its 32-bit half.
  echo "wine32=$([ -x "$RADAR_WINE32" ] && echo yes || echo no)"
  echo "script=$(cat "$0" "$here/wine_env.sh" | sha1sum | cut -d' ' -f1)"
}

prefix=$(realpath -m "$prefix")
stamp="$prefix/.radar-prefix"
if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$(stamp_text)" ]; then
  echo "Wine prefix $prefix ($font_set fonts) is ready"
  exit 0
fi

# Waits until the prefix's own server has written the registry and gone.
wait_for_server() {
  WINEPREFIX=$1 "$RADAR_WINESERVER" -w
}

rm -rf "$prefix"
mkdir -p "$(dirname "$prefix")"
use_prefix "$prefix"

if [ -n "$clone_from" ]; then
  clone_from=$(realpath -m "$clone_from")
  if [ ! -f "$clone_from/system.reg" ]; then
    echo "cannot clone $clone_from: not a Wine prefix (prepare it first)" >&2
    exit 1
  fi
  wait_for_server "$clone_from"
  cp -al "$clone_from" "$prefix"
  rm -f "$prefix/.radar-prefix"
  # Wine changes nothing in its DLL folders while it runs; every other file
  # (the registry, the .ini files, the user folders) the clone gets as its
  # own copy, so that nothing it writes reaches the original.
  windows="$prefix/drive_c/windows"
  while IFS= read -r -d '' file; do
    cp -p --remove-destination "$clone_from/${file#"$prefix"/}" "$file"
  done < <(find "$prefix" -type f ! -path "$windows/system32/*" ! -path "$windows/syswow64/*" \
             ! -path "$windows/winsxs/*" -print0)
  rm -rf "$prefix/drive_c/windows/Fonts"
  mkdir "$prefix/drive_c/windows/Fonts"
  if [ "$font_set" = none ]; then
    for name in Arial 'Microsoft Sans Serif'; do
      "$RADAR_WINE64" reg delete "$substitutes_key" /v "$name" /f > /dev/null 2>&1 || true
    done
  fi
else
  echo "Making the Wine prefix $prefix (Wine's first start takes a while)"
  if ! "$RADAR_WINE64" wineboot --init > "$prefix.wineboot.log" 2>&1; then
    cat "$prefix.wineboot.log" >&2
    echo "wineboot failed in $prefix" >&2
    exit 1
  fi
  rm -f "$prefix.wineboot.log"
fi

if [ "$font_set" != none ]; then
  fonts_folder="$prefix/drive_c/windows/Fonts"
  mkdir -p "$fonts_folder"
  for font in "$wine_font_dir"/*.ttf; do
    case "$(basename "$font")" in
      tahoma*) [ "$font_set" = without-tahoma ] && continue ;;
    esac
    cp "$font" "$fonts_folder/"
  done
  for name in Arial 'Microsoft Sans Serif'; do
    "$RADAR_WINE64" reg add "$substitutes_key" /v "$name" /t REG_SZ /d 'Liberation Sans' /f > /dev/null
  done
fi

wait_for_server "$prefix"
if [ ! -f "$prefix/system.reg" ] || [ ! -f "$prefix/drive_c/windows/system32/kernel32.dll" ]; then
  echo "Wine did not make a usable prefix in $prefix" >&2
  exit 1
fi
stamp_text > "$stamp"
echo "Wine prefix $prefix ($font_set fonts) is ready"
