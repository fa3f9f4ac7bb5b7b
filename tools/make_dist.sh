#!/usr/bin/env bash
# Writes the package a panel designer installs: dist/RadarGauge-<version>.zip
# with the 32-bit RadarGauge.gau, the panel designer's guide, the files the
# guide lays out (the control gauge, the panel.cfg lines) and screenshots of
# the four gauges in each display mode, drawn by the panel host from the
# Linux build over its default scenario.
#
#   tools/make_dist.sh [--docs-images]
#
# --docs-images also copies the guide's screenshots into docs/images.
# The version is the latest tag vX.Y.Z (git describe), or dev-<commit> on
# an untagged tree; RADAR_VERSION overrides it.
set -euo pipefail
cd "$(dirname "$0")/.."

update_docs_images=no
case "${1:-}" in
  "") ;;
  --docs-images) update_docs_images=yes ;;
  *) echo "usage: $0 [--docs-images]" >&2; exit 2 ;;
esac

product=build/win32/RadarGauge.gau
host=build/linux/panel-host
linux_module=build/linux/RadarGauge.gau
guide=docs/panel-designer-guide.md
for file in "$product" "$host" "$linux_module" "$guide"; do
  if [ ! -f "$file" ]; then
    echo "make_dist: $file is missing; build first (make build-linux build-windows)" >&2
    exit 1
  fi
done
for program in zip python3; do
  command -v "$program" > /dev/null || { echo "make_dist: $program is not installed (tools/install_deps.sh)" >&2; exit 1; }
done
# The product is the 32-bit DLL (PE machine i386).
if ! python3 - "$product" <<'PYTHON'
import struct, sys
data = open(sys.argv[1], "rb").read(4096)
offset = struct.unpack_from("<I", data, 0x3C)[0]
sys.exit(0 if data[offset:offset + 4] == b"PE\0\0" and struct.unpack_from("<H", data, offset + 4)[0] == 0x14C else 1)
PYTHON
then
  echo "make_dist: $product is not a 32-bit Windows DLL" >&2
  exit 1
fi

version=${RADAR_VERSION:-}
if [ -z "$version" ]; then
  if tag=$(git describe --tags --match 'v[0-9]*' 2> /dev/null); then
    version=${tag#v}
  else
    version="dev-$(git rev-parse --short HEAD)"
  fi
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
cp "$product" "$stage/RadarGauge.gau"
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
(cd build/dist && zip -q -r -X "../../$archive" "$name")
echo "Package: $(cd dist && pwd)/$name.zip"
python3 -c 'import sys, zipfile; [print("  " + n) for n in zipfile.ZipFile(sys.argv[1]).namelist()]' "$archive"
