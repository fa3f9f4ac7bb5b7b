#!/usr/bin/env bash
# The live preview's tests: starts an X server of its own (Xvfb, on a
# display it picks), runs the tests with DISPLAY pointing at it, then stops
# the Wine servers of the preview's prefixes and the X server. Where no X server can
# be started, or the tools that drive and read it are missing, one line
# says why, the result file says skipped, and the exit status 77 marks the
# test as skipped.
#
#   run_preview.sh WIN64_BUILD_DIR RESULT_FILE WINE_PREVIEW_TESTS_PROGRAM PREFIX...
#
# PREFIX...: the prefixes the tests run the preview in, whose Wine servers
# serve this display only.
#
# The result file also carries what the tests measured: the start-up time
# under Wine, the frame rate over the full sky, the screenshot's path.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
tools="$here/../../tools/wine"

[ $# -ge 4 ] || { echo "usage: $0 WIN64_BUILD_DIR RESULT_FILE WINE_PREVIEW_TESTS_PROGRAM PREFIX..." >&2; exit 2; }
build=$1
result=$2
tests=$3
shift 3
prefixes=("$@")
mkdir -p "$(dirname "$result")"
measures="$result.measures"
rm -f "$result" "$measures"

write_result() {  # write_result pass|FAIL|skipped REASON
  { echo "stage=preview"; echo "result=$1"; echo "reason=$2"; echo "seconds=$SECONDS"
    [ -f "$measures" ] && cat "$measures"; } > "$result"
  rm -f "$measures"
}

skip() {
  echo "SKIPPED: the preview's tests: $1"
  write_result skipped "$1"
  exit 77
}

for file in "$build/RadarPreview.exe" "$build/RadarGauge.gau" "$build/IBNetPlayer.gau"; do
  if [ ! -f "$file" ]; then
    echo "$file is missing; build it first: cmake --preset win64 && cmake --build --preset win64" >&2
    write_result FAIL "$file is missing"
    exit 1
  fi
done

for tool in Xvfb:xvfb xdotool:xdotool import:imagemagick; do
  command -v "${tool%%:*}" > /dev/null ||
    skip "${tool%%:*} is not installed (Debian package ${tool##*:}; tools/install_deps.sh check installs it)"
done

# Xvfb picks a free display and writes its number once it accepts clients.
x_log=$(mktemp)
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1920x1200x24 -nolisten tcp -noreset 3> "$display_file" > "$x_log" 2>&1 &
x_server=$!
stop() {
  "$tools/stop_prefix.sh" "${prefixes[@]}"
  kill "$x_server" 2> /dev/null
  wait "$x_server" 2> /dev/null
  rm -f "$x_log" "$display_file"
}
trap stop EXIT
for _ in $(seq 100); do
  [ -s "$display_file" ] && break
  kill -0 "$x_server" 2> /dev/null || break
  sleep 0.1
done
if [ ! -s "$display_file" ]; then
  skip "no X server could be started: Xvfb said: $(tr '\n' ' ' < "$x_log" | cut -c1-300)"
fi
export DISPLAY=":$(tr -d '[:space:]' < "$display_file")"
echo "X server: Xvfb on $DISPLAY"

# A Wine server left from another display must not serve this one.
"$tools/stop_prefix.sh" "${prefixes[@]}"
RADAR_PREVIEW_MEASURES="$measures" "$tests"
status=$?
if [ $status -eq 0 ]; then write_result pass "ran"; else write_result FAIL "the preview's tests failed (status $status)"; fi
exit $status
