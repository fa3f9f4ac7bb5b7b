#!/usr/bin/env bash
# The product itself, run: the 32-bit panel host, module and network-player
# module under the 32-bit Wine, where this machine can execute 32-bit code.
# Elsewhere one line says why, the result file says skipped, and the exit
# status 77 marks the test as skipped.
#
#   run_i686.sh PREFIX WIN32_BUILD_DIR RESULT_FILE panel WINE_TESTS_PROGRAM
#   run_i686.sh PREFIX WIN32_BUILD_DIR RESULT_FILE soak CYCLES CONTEXTS RECONNECT_EVERY
#   run_i686.sh PREFIX WIN32_BUILD_DIR RESULT_FILE conventions
#
# panel:       the scripted run against the Linux build (WinePanel.*).
# soak:        radar_soak.exe under a 24-bit x87 precision; its result file
#              is RESULT_FILE.
# conventions: host_conventions.exe, a host declared apart from the
#              module's headers, on the simulator's calling conventions,
#              mouse lists, named-variable ids, token variables and the
#              Graphics on device contexts the host releases; its result
#              file is RESULT_FILE.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
tools="$here/../../tools/wine"

usage() {
  echo "usage: $0 PREFIX WIN32_BUILD_DIR RESULT_FILE panel WINE_TESTS_PROGRAM" >&2
  echo "       $0 PREFIX WIN32_BUILD_DIR RESULT_FILE soak CYCLES CONTEXTS RECONNECT_EVERY" >&2
  echo "       $0 PREFIX WIN32_BUILD_DIR RESULT_FILE conventions" >&2
  exit 2
}
[ $# -ge 4 ] || usage
prefix=$1
build=$2
result=$3
run=$4
shift 4
mkdir -p "$(dirname "$result")"

write_result() {  # write_result pass|FAIL|skipped REASON
  { echo "stage=i686_$run"; echo "result=$1"; echo "reason=$2"; echo "seconds=$SECONDS"; } > "$result"
}

# Z:\ is the Unix root in every Wine prefix.
windows_path() {
  echo "Z:$(realpath -m "$1" | tr / '\\')"
}

for file in "$build/panel-host.exe" "$build/RadarGauge.gau" "$build/IBNetPlayer.gau" "$build/radar_soak.exe" \
            "$build/host_conventions.exe"; do
  if [ ! -f "$file" ]; then
    echo "$file is missing; build it first: cmake --preset win32 && cmake --build --preset win32" >&2
    write_result FAIL "$file is missing"
    exit 1
  fi
done

if ! how=$("$tools/can_run_i686.sh"); then
  echo "SKIPPED: the i686 Wine run: $how"
  write_result skipped "$how"
  exit 77
fi
echo "$how"

case "$run" in
  panel)
    [ $# -eq 1 ] || usage
    RADAR_WINE_ARCH=i686 "$1" --gtest_filter='WinePanel.*'
    status=$?
    ;;
  soak)
    [ $# -eq 3 ] || usage
    rm -f "$result"
    "$tools/run_in_prefix.sh" "$prefix" --i686 --timeout 1500 "$build/radar_soak.exe" \
      "$(windows_path "$build/RadarGauge.gau")" --cycles "$1" --contexts "$2" --reconnect-every "$3" \
      --x87-precision 24 --result "$(windows_path "$result")"
    status=$?
    if [ ! -f "$result" ]; then
      write_result FAIL "radar_soak.exe ended with status $status and wrote no result"
      [ $status -ne 0 ] || status=1
    fi
    echo "how=$how" >> "$result"
    exit $status
    ;;
  conventions)
    [ $# -eq 0 ] || usage
    rm -f "$result"
    "$tools/run_in_prefix.sh" "$prefix" --i686 --timeout 600 "$build/host_conventions.exe" \
      "$(windows_path "$build/RadarGauge.gau")" --result "$(windows_path "$result")"
    status=$?
    if [ ! -f "$result" ]; then
      write_result FAIL "host_conventions.exe ended with status $status and wrote no result"
      [ $status -ne 0 ] || status=1
    fi
    { echo "seconds=$SECONDS"; echo "how=$how"; } >> "$result"
    exit $status
    ;;
  *) usage ;;
esac
if [ $status -eq 0 ]; then write_result pass "ran"; else write_result FAIL "the scripted run failed (status $status)"; fi
echo "how=$how" >> "$result"
exit $status
