#!/usr/bin/env bash
# Writes the package a panel designer installs: dist/RadarGauge-<version>.zip
# with the 32-bit RadarGauge.gau, the panel designer's guide, the files the
# guide lays out (the control gauge, the panel.cfg lines) and screenshots of
# the four gauges in each display mode, drawn by the panel host from the
# Linux build over its default scenario. It prints the package's SHA-256
# and writes it to dist/SHA256SUMS.
#
#   tools/make_dist.sh [--docs-images] [--linux-build DIR]
#
# --docs-images also copies the guide's screenshots into docs/images;
# --linux-build names the Linux build whose panel host draws the screenshots
# (default build/linux). The Windows files (`shipped`, below) come from
# build/win32 of this tree.
#
# The version is the one of cmake/radar_version.cmake (the latest tag
# vX.Y.Z, or 0.0.0-<commit> on an untagged tree; RADAR_VERSION overrides
# it), and the module must carry it in its version resource. The package
# is the same byte for byte from the same commit: its entries are sorted,
# dated with the commit's time (SOURCE_DATE_EPOCH overrides it) and carry
# fixed permissions and no extra fields.
set -euo pipefail
cd "$(dirname "$0")/.."

update_docs_images=no
linux_build=build/linux
while [ $# -gt 0 ]; do
  case "$1" in
    --docs-images) update_docs_images=yes; shift ;;
    --linux-build) [ $# -ge 2 ] || { echo "make_dist: --linux-build needs a folder" >&2; exit 2; }
                   linux_build=$2; shift 2 ;;
    *) echo "usage: $0 [--docs-images] [--linux-build DIR]" >&2; exit 2 ;;
  esac
done

# The Windows files of the package, from the 32-bit build: each a 32-bit
# PE file that carries the version of the tree in its version resource and
# imports nothing but these system DLLs (the module only KERNEL32, gdiplus
# and msvcrt, which the artefact checks hold it to).
shipped=(build/win32/RadarGauge.gau build/win32/RadarPreview.exe)
system_dlls="kernel32.dll user32.dll gdi32.dll comdlg32.dll gdiplus.dll msvcrt.dll"
objdump=i686-w64-mingw32-objdump
# Pictures the guide shows that the package does not draw itself: the
# preview's window, as its tests last photographed it.
taken_pictures=(docs/images/preview.png)
host=$linux_build/panel-host
linux_module=$linux_build/RadarGauge.gau
guide=docs/panel-designer-guide.md
for file in "${shipped[@]}" "${taken_pictures[@]}" "$host" "$linux_module" "$guide"; do
  if [ ! -f "$file" ]; then
    echo "make_dist: $file is missing; build first (make build-linux build-windows)" >&2
    exit 1
  fi
done
for program in cmake python3 sha256sum "$objdump"; do
  command -v "$program" > /dev/null || { echo "make_dist: $program is not installed (tools/install_deps.sh)" >&2; exit 1; }
done
version=$(cmake -DRADAR_SOURCE_DIR=. -P cmake/radar_version.cmake)
for file in "${shipped[@]}"; do
  if [ "$(python3 tools/pe_resources.py machine "$file" 2> /dev/null)" != i386 ]; then
    echo "make_dist: $file is not a 32-bit Windows file" >&2
    exit 1
  fi
  for dll in $("$objdump" -p "$file" | sed -n 's/^\tDLL Name: //p' | tr 'A-Z' 'a-z'); do
    if [[ " $system_dlls " != *" $dll "* ]]; then
      echo "make_dist: $file imports $dll, which is not a system DLL" >&2
      exit 1
    fi
  done
  built=$(python3 tools/pe_resources.py version "$file" | sed -n 's/^FileVersion=//p' || true)
  if [ "$built" != "$version" ]; then
    echo "make_dist: $file carries version '${built:-none}', the tree is at $version; build it again (make build-windows)" >&2
    exit 1
  fi
done
if [ -n "${SOURCE_DATE_EPOCH:-}" ]; then
  epoch=$SOURCE_DATE_EPOCH
elif ! epoch=$(git log -1 --format=%ct 2> /dev/null); then
  epoch=315532800  # outside a git checkout: 1980-01-01, the earliest time a zip entry holds
fi
name="RadarGauge-$version"
stage="build/dist/$name"
rm -rf "build/dist"
mkdir -p "$stage/images" dist

# --- Screenshots --------------------------------------------------------
size=300
shots=build/dist/shots
mkdir -p "$shots"

# A target to click on: one the probe run shows ahead, at a third to three
# quarters of the range and near the own altitude, so that it stays on the
# screen in all three modes; its pixel on the plan display (heading up,
# range rings out to 475 of 1000 units).
"$host" "$linux_module" --gauge "Circular Green" --size "$size" --frames 3 \
  --set "Radar Mode=2@2" --print-traffic 3 --quiet > "$shots/traffic.txt"
click=$(python3 - "$size" "$shots/traffic.txt" <<'PYTHON'
import math, re, sys
size = int(sys.argv[1])
lines = open(sys.argv[2], encoding="utf-8").read().splitlines()
header = re.search(r"range (\S+) NM, own aircraft at \S+ \S+, (\S+) ft, heading (\S+):", lines[0])
range_nm, own_alt, heading = (float(v) for v in header.groups())
targets = []
for line in lines[2:]:
    fields = line.split()
    if len(fields) < 8 or "(not drawn" in line:
        continue
    altitude, distance, bearing = float(fields[4]), float(fields[5]), float(fields[6])
    relative = (bearing - heading + 540.0) % 360.0 - 180.0
    targets.append((distance, relative, altitude))
def pick(low, high, sweep, climb):
    for distance, relative, altitude in targets:
        if low * range_nm <= distance <= high * range_nm and abs(relative) <= sweep and abs(altitude - own_alt) <= climb:
            return distance, relative
    return None
chosen = pick(0.3, 0.75, 15, 2000) or pick(0.1, 0.9, 50, 1e9) or pick(0.0, 1.0, 180, 1e9)
if chosen is None:
    sys.exit("no target to click on")
distance, relative = chosen
radius = distance / range_nm * 475.0
x = (500.0 + radius * math.sin(math.radians(relative))) * size / 1000.0
y = (500.0 - radius * math.cos(math.radians(relative))) * size / 1000.0
print(f"{round(x)},{round(y)}")
PYTHON
)

# Every gauge in every mode: plan display from frame 2, the click after
# frame 3, the mode from frame 5, the picture of frame 12.
for display in plan:2 sector:3 altitude:4; do
  mode_name=${display%%:*}
  mode=${display##*:}
  "$host" "$linux_module" --size "$size" --frames 12 --set "Radar Mode=2@2" --click "$click@3" \
    --set "Radar Mode=$mode@5" --out "$shots/$mode_name" --last-frame-only --quiet > /dev/null
  for picture in "$shots/$mode_name"/*_f0012.png; do
    gauge=$(basename "$picture" _f0012.png)
    cp "$picture" "$stage/images/${gauge}_${mode_name}.png"
  done
done

# --- The guide and the files it lays out ---------------------------------
cp "${shipped[@]}" "$stage/"
cp "${taken_pictures[@]}" "$stage/images/"
cp "$guide" "$stage/panel-designer-guide.md"
# A code block announced by "<!-- file: PATH -->" in the guide is written
# to PATH in the package.
python3 - "$guide" "$stage" <<'PYTHON'
import os, re, sys
import xml.dom.minidom
guide, stage = sys.argv[1], sys.argv[2]
text = open(guide, encoding="utf-8").read()
found = re.findall(r"<!-- file: (.+?) -->\s*```[^\n]*\n(.*?)```", text, re.S)
if not found:
    sys.exit("the guide announces no files")
for path, body in found:
    target = os.path.join(stage, path)
    os.makedirs(os.path.dirname(target), exist_ok=True)
    with open(target, "w", encoding="utf-8", newline="\r\n") as out:
        out.write(body)
    if path.endswith(".xml"):
        xml.dom.minidom.parseString(body)  # stops the package on a malformed gauge
    print("  " + path)
PYTHON

# Every picture the guide shows must be in the package.
missing=0
while read -r picture; do
  if [ ! -f "$stage/$picture" ]; then
    echo "make_dist: the guide shows $picture, which the package lacks" >&2
    missing=1
  fi
done < <(grep -o '](images/[^)]*\.png)' "$guide" | sed 's/^](//; s/)$//')
[ $missing -eq 0 ] || exit 1

if [ "$update_docs_images" = yes ]; then
  mkdir -p docs/images
  grep -o '](images/[^)]*\.png)' "$guide" | sed 's/^](//; s/)$//' | sort -u | while read -r picture; do
    cp "$stage/$picture" "docs/$picture"
  done
  echo "docs/images updated"
fi

archive="dist/$name.zip"
rm -f "$archive"
python3 - build/dist "$name" "$archive" "$epoch" <<'PYTHON'
import os, sys, time, zipfile
root, name, archive, epoch = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])
# Zip entries hold a local time without a zone: the commit's time in UTC,
# from 1980 on.
stamp = time.gmtime(max(epoch, 315532800))[:6]
entries = []
for folder, folders, files in os.walk(os.path.join(root, name)):
    relative = os.path.relpath(folder, root).replace(os.sep, "/")
    entries.append(relative + "/")
    entries += [relative + "/" + file for file in files]
with zipfile.ZipFile(archive + ".part", "w") as package:
    for entry in sorted(entries):
        info = zipfile.ZipInfo(entry, stamp)
        info.create_system = 3  # Unix permissions, below
        if entry.endswith("/"):
            info.external_attr = (0o40755 << 16) | 0x10
            package.writestr(info, b"")
        else:
            info.external_attr = 0o100644 << 16
            info.compress_type = zipfile.ZIP_DEFLATED
            with open(os.path.join(root, entry), "rb") as f:
                package.writestr(info, f.read(), compresslevel=9)
        print("  " + entry)
os.replace(archive + ".part", archive)
PYTHON
sum=$(cd dist && sha256sum "$name.zip" | tee SHA256SUMS)
echo "Package: $(cd dist && pwd)/$name.zip"
echo "SHA-256: ${sum%% *} (dist/SHA256SUMS)"
