#!/usr/bin/env bash
# Draws the four radar gauges with the panel host, once per display mode,
# and prints where the PNG files are.
#   tools/demo.sh [BUILD_DIR]   (default build/linux)
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=${1:-build/linux}
host="$build_dir/panel-host"
module="$build_dir/RadarGauge.gau"
out="$build_dir/demo"

for file in "$host" "$module"; do
  if [ ! -f "$file" ]; then
    echo "demo: $file is missing; build first (make build-linux)" >&2
    exit 1
  fi
done

rm -rf "$out"
# "Radar Mode" is the panel's: every gauge on the panel shows the same mode.
# The radar writes its default in its first frame, so the mode is set from frame 2.
for display in plan:2 sector:3 altitude:4; do
  name=${display%%:*}
  mode=${display##*:}
  "$host" "$module" --size 500 --frames 12 --step 0.1 --set "Radar Mode=$mode@2" \
    --out "$out/$name" --last-frame-only --quiet > /dev/null
done

folder=$(cd "$out" && pwd)
echo "The four radar gauges in each display mode (plan, sector, altitude):"
find "$folder" -name '*.png' | sort
echo "Demo images: $folder"
