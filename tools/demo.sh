#!/usr/bin/env bash
# What the radar gauges look like, drawn by the panel host over its default
# sky (a busy terminal area around the own aircraft):
#   - the two circular gauges in the plan display at four moments of one
#     sweep turn, with a target selected by a click, and the "Radar Target ..."
#     variables the radar publishes for it;
#   - a contact sheet of the four gauges in the three display modes;
#   - animated GIFs of each sweep: the plan display's full turn, the sector's
#     swing there and back, the altitude display's scan;
#   - a panel changing "Radar Range" and "Radar Mode": range 40, then 10, the
#     sector, the altitude display.
#   tools/demo.sh [BUILD_DIR]   (default build/linux)
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=${1:-build/linux}
host="$build_dir/panel-host"
montage="$build_dir/panel-montage"
module="$build_dir/RadarGauge.gau"
out="$build_dir/demo"
scratch="$out/.frames"

for file in "$host" "$montage" "$module"; do
  if [ ! -f "$file" ]; then
    echo "demo: $file is missing; build first (make build-linux)" >&2
    exit 1
  fi
done

rm -rf "$out"
mkdir -p "$out/sweep" "$out/animations" "$scratch"
out=$(cd "$out" && pwd)
scratch="$out/.frames"

# ---------------------------------------------------------------------------
# Click points, in the radar's virtual screen (1000 x 1000 units, scaled to
# the image), read off the default sky with --print-traffic at frames 10 and
# 20 (the own aircraft flies north at 10000 ft, heading 0):
#   Kestrel, a network player (a diamond), 12 NM at bearing 344, 10800 ft;
#   AUA56C, a traffic-interface aircraft (a cross), 9 NM at bearing 355, 9600 ft.
kestrel_plan_40="461 364"    # plan display, range 40: 475/40 units per NM from (500, 500)
kestrel_sector_40="422 703"  # sector display, range 40: 950/40 units per NM from (500, 975)
kestrel_altitude="180 341"   # altitude display: 20 units per degree, 0.2 per foot above
aua56c_plan_40="491 394"
click_frame=10               # the targets stand there after this frame

# "X,Y@FRAME" in pixels of an image SIZE pixels wide for a virtual point.
click_at() {
  local point=$1 size=$2 frame=$3
  awk -v p="$point" -v s="$size" -v f="$frame" \
    'BEGIN { split(p, v, " "); printf "%d,%d@%d", v[1] * s / 1000 + 0.5, v[2] * s / 1000 + 0.5, f }'
}

# The named variables of one frame line, one "Name=value" a line.
variables_of_frame() {
  local lines=$1 frame=$2
  grep "^frame $frame " "$lines" | tr '|' '\n' | sed -n 's/^ *\(Radar [^=]*=.*[^ ]\) *$/\1/p'
}

# Says whether the selection took, as a warning rather than a failure.
report_selection() {
  local lines=$1 frame=$2 what=$3
  if variables_of_frame "$lines" "$frame" | grep -qx "Radar Target Selected=1"; then
    echo "  selection: OK, \"Radar Target Selected\" became 1 ($what)"
  else
    echo "  WARNING: \"Radar Target Selected\" is not 1 after the click on $what;" \
         "the default sky may have changed: pick new click points with --print-traffic"
  fi
}

declare -A mode_number=([plan]=2 [sector]=3 [altitude]=4)
gauges=("Circular Amber" "Circular Green" "Rectangular Amber" "Rectangular Green")
slug() { echo "$1" | tr 'A-Z ' 'a-z_'; }

# Each gauge is drawn by a panel host of its own: in one module the gauge
# objects share one traffic refresh clock, and only the gauge that draws
# first in a host second rebuilds its traffic list.
#
# A run of one gauge, the lines per frame kept in LINES, the last frame's
# picture written as FILE: run_gauge GAUGE SIZE FRAMES LINES FILE [panel-host options]
run_gauge() {
  local gauge=$1 size=$2 frames=$3 lines=$4 file=$5
  shift 5
  local folder="$scratch/run"
  rm -rf "$folder"
  "$host" "$module" --gauge "$gauge" --size "$size" --frames "$frames" --out "$folder" --last-frame-only "$@" > "$lines"
  mv "$folder/$(slug "$gauge")_f$(printf "%04d" "$frames").png" "$file"
}

# ---------------------------------------------------------------------------
echo "1. The circular gauges in the plan display at four moments of a sweep turn, Kestrel selected"
# The sweep turns 5 degrees a frame: after frame 18 it points behind (bearing
# 180), after 36 left (270), after 54 ahead (0) and after 72 right (90).
size=500
click=$(click_at "$kestrel_plan_40" $size $click_frame)
published=$((click_frame + 2))  # the first publication after the click has no distance yet
for gauge in "Circular Amber" "Circular Green"; do
  for moment in 18:180 36:270 54:000 72:090; do
    lines="$scratch/sweep_$(slug "$gauge")_${moment%%:*}.txt"
    run_gauge "$gauge" $size "${moment%%:*}" "$lines" "$out/sweep/$(slug "$gauge")_sweep_at_${moment##*:}.png" \
      --set "Radar Mode=2@2" --set "Radar Range=40@2" --click "$click"
  done
  echo "  $gauge, clicked at pixel ${click%@*} after frame $click_frame; published in frame $published:"
  variables_of_frame "$lines" $published | grep "^Radar Target" | sed 's/^/    /'
  report_selection "$lines" $published "Kestrel"
done

# ---------------------------------------------------------------------------
echo "2. Contact sheet: the four gauges in the three display modes, Kestrel selected"
declare -A kestrel_in=([plan]="$kestrel_plan_40" [sector]="$kestrel_sector_40" [altitude]="$kestrel_altitude")
sheet_inputs=()
for display in plan sector altitude; do
  mkdir -p "$out/gauges/$display"
  click=$(click_at "${kestrel_in[$display]}" $size 20)
  for gauge in "${gauges[@]}"; do
    # Range 40 in every display; the sweep has lit the sky by frame 30.
    file="$out/gauges/$display/$(slug "$gauge").png"
    lines="$scratch/${display}_$(slug "$gauge").txt"
    run_gauge "$gauge" $size 30 "$lines" "$file" \
      --set "Radar Mode=${mode_number[$display]}@2" --set "Radar Range=40@2" --click "$click"
    report_selection "$lines" 22 "Kestrel on $gauge, $display display"
    sheet_inputs+=("$file=$gauge — $display")
  done
done
"$montage" sheet --out "$out/contact_sheet.png" --columns 4 --rows 3 --cell 300 \
  --title "The four radar gauges in the plan, sector and altitude displays" "${sheet_inputs[@]}" > /dev/null

# ---------------------------------------------------------------------------
echo "3. Animated sweeps (256 x 256, a frame each 0.1 s of host time, looping)"
# One whole period of each sweep, drawn after a few frames in which the
# click has selected Kestrel and the sweep has lit the targets it passed, so
# that their afterglow (0.8 s) runs on across the loop's seam.
animate() {
  local name=$1 gauge=$2 mode=$3 period=$4 point=$5
  local lead=12 gif_size=256
  local frames=$((lead + period))
  "$host" "$module" --gauge "$gauge" --size $gif_size --frames $frames --set "Radar Mode=$mode@2" \
    --set "Radar Range=40@2" --click "$(click_at "$point" $gif_size $click_frame)" \
    --out "$scratch/$name" > "$scratch/$name.txt"
  local pictures=()
  for ((frame = lead + 1; frame <= frames; frame++)); do
    pictures+=("$scratch/$name/$(slug "$gauge")_f$(printf "%04d" $frame).png")
  done
  "$montage" gif --out "$out/animations/$name.gif" --delay 10 "${pictures[@]}" > /dev/null
  echo "  $name.gif: $gauge, $period frames"
  report_selection "$scratch/$name.txt" "$published" "Kestrel"
}
animate plan_sweep "Circular Green" 2 72 "$kestrel_plan_40"         # 72 steps of 5 degrees: a full turn
animate sector_sweep "Rectangular Amber" 3 50 "$kestrel_sector_40"  # 50 steps: across the fan and back
animate altitude_scan "Rectangular Green" 4 82 "$kestrel_altitude"  # 82 steps: across, held at each end, back

# ---------------------------------------------------------------------------
echo "4. The panel changes \"Radar Range\" and \"Radar Mode\" (Circular Green, AUA56C selected)"
name=range_and_mode
gauge="Circular Green"
lines="$scratch/$name.txt"
"$host" "$module" --gauge "$gauge" --size 256 --frames 104 \
  --set "Radar Mode=2@2" --set "Radar Range=40@2" --click "$(click_at "$aua56c_plan_40" 256 $click_frame)" \
  --set "Radar Range=10@25" --set "Radar Mode=3@45" --set "Radar Range=40@65" --set "Radar Mode=4@85" \
  --out "$scratch/$name" > "$lines"
report_selection "$lines" "$published" "AUA56C"
snapshots=()
for moment in "24:plan, range 40" "44:plan, range 10" "64:sector, range 10" "84:sector, range 40" "104:altitude"; do
  frame=${moment%%:*}
  echo "  frame $frame: $(variables_of_frame "$lines" "$frame" | grep -E '^Radar (Mode|Range)=' | paste -sd ' ')"
  snapshots+=("$scratch/$name/$(slug "$gauge")_f$(printf "%04d" "$frame").png=${moment#*:}")
done
"$montage" sheet --out "$out/$name.png" --columns 5 --cell 256 \
  --title "Range 40, range 10, the sector, the altitude display" "${snapshots[@]}" > /dev/null
all_frames=("$scratch/$name"/*.png)
"$montage" gif --out "$out/animations/$name.gif" --delay 10 "${all_frames[@]}" > /dev/null

rm -rf "$scratch"

# ---------------------------------------------------------------------------
echo
echo "Demo pictures in $out:"
echo "  sweep/                  the circular gauges, sweep pointing behind, left, ahead, right"
find "$out/sweep" -name '*.png' | sort | sed 's/^/    /'
echo "  contact_sheet.png       the four gauges x plan, sector, altitude"
echo "  gauges/                 the sheet's pictures at full size"
echo "  range_and_mode.png      range 40, range 10, the sector, the altitude display"
echo "  animations/             the sweeps and the range and mode changes, animated"
find "$out/animations" -name '*.gif' | sort | sed 's/^/    /'
echo "Demo: $out"
