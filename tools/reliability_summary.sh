#!/usr/bin/env bash
# Prints the reliability summary from the result files the stages of
# `make check` (and `make fuzz`) write under BUILD_DIR/reliability/:
#   tools/reliability_summary.sh BUILD_DIR...
# Fails when a result says FAIL or a folder has no results.
set -uo pipefail
cd "$(dirname "$0")/.."

status=0

value() {  # value FILE KEY (files written under Wine end their lines with CR LF)
  sed -n "s/^$2=//p" "$1" | tr -d '\r' | tail -1
}

verdict() {  # verdict FILE: sets V, and the status when the stage failed
  if [ "$(value "$1" result)" = pass ]; then
    V=clean
  else
    V=FAILED
    status=1
  fi
}

tests_line() {
  local f=$1 preset reports
  verdict "$f"
  preset=$(value "$f" preset)
  reports=$(value "$f" sanitizer_reports)
  if [ "$preset" = asan ]; then
    printf '  %-22s %s tests under ASan+UBSan, %s failed, %s sanitizer reports, %s s: %s\n' "sanitizers ($preset)" \
      "$(value "$f" tests)" "$(value "$f" failed)" "$reports" "$(value "$f" seconds)" "$V"
  else
    printf '  %-22s %s tests, %s failed, %s s: %s\n' "tests ($preset)" \
      "$(value "$f" tests)" "$(value "$f" failed)" "$(value "$f" seconds)" "$V"
  fi
}

soak_line() {
  local f=$1 label=$2 limit memory
  verdict "$f"
  limit=$(value "$f" rss_growth_limit_kb)
  if [ "$limit" = 0 ]; then limit="not judged"; else limit="limit +$limit KiB"; fi
  memory="RSS $(value "$f" rss_start_kb) -> $(value "$f" rss_end_kb) KiB (+$(value "$f" rss_growth_kb)), $(value "$f" rss_after_contexts_kb) KiB after the contexts, $limit"
  printf '  %-22s %s cycles x %s frames x 4 gauges, %s reconnections, %s device contexts on one gauge, %s s\n' \
    "$label" "$(value "$f" cycles)" "$(value "$f" frames_per_cycle)" "$(value "$f" reconnects)" \
    "$(value "$f" contexts)" "$(value "$f" seconds)"
  printf '  %-22s %s: %s\n' "" "$memory" "$V"
}

valgrind_line() {
  local f=$1
  verdict "$f"
  printf '  %-22s %s errors, %s bytes definitely lost (%s bytes inside fontconfig suppressed), %s s: %s\n' \
    "valgrind memcheck" "$(value "$f" errors)" "$(value "$f" definitely_lost_bytes)" \
    "$(value "$f" suppressed_leak_bytes)" "$(value "$f" seconds)" "$V"
}

# One line on the product itself: whether the 32-bit module ran under the
# 32-bit Wine, and how, or why not; the soak's own line follows.
product_line() {
  local panel=$1 soak=$2 result reason
  result=$(value "$panel" result)
  reason=$(value "$panel" reason)
  case "$result" in
    pass)
      printf '  %-22s the 32-bit module ran under the 32-bit Wine (%s): scripted run against the Linux build, %s s: clean\n' \
        "product (i686)" "$(value "$panel" how | sed 's/^32-bit programs run on this machine //; s/^(//; s/)$//')" \
        "$(value "$panel" seconds)" ;;
    skipped)
      printf '  %-22s NOT RUN: %s\n' "product (i686)" "$reason" ;;
    *)
      printf '  %-22s the scripted run of the 32-bit module FAILED: %s\n' "product (i686)" "$reason"
      status=1 ;;
  esac
  if [ -f "$soak" ]; then
    if [ "$(value "$soak" result)" = skipped ]; then
      :
    elif [ -n "$(value "$soak" cycles)" ]; then
      soak_line "$soak" "soak (i686, x87 24)"
    else
      printf '  %-22s FAILED: %s\n' "soak (i686, x87 24)" "$(value "$soak" reason)"
      status=1
    fi
  fi
}

# One line on the simulator's conventions as a host declared apart from the
# module's headers found them; on failure, the checks that did not hold.
conventions_line() {
  local f=$1 result
  result=$(value "$f" result)
  case "$result" in
    pass)
      printf '  %-22s thiscall interface calls, mouse lists to type 0, no -1 to get or set, entry 38 first, no Graphics on a released context (%s), %s s: clean\n' \
        "conventions (i686)" "$(value "$f" reason)" "$(value "$f" seconds)" ;;
    skipped)
      printf '  %-22s NOT RUN: %s\n' "conventions (i686)" "$(value "$f" reason)" ;;
    *)
      printf '  %-22s FAILED: %s\n' "conventions (i686)" "$(value "$f" reason)"
      sed -n 's/^check_[0-9]*=//p' "$f" | tr -d '\r' | grep -Ev ' [1-9][0-9]* checked, 0 failed$' |
        sed 's/^/                           /'
      status=1 ;;
  esac
}

# One line on the live preview under Wine in an X server: how fast it
# started and how fast it ran, or why it did not run.
preview_line() {
  local f=$1 result
  result=$(value "$f" result)
  case "$result" in
    pass)
      printf '  %-22s RadarPreview.exe under Wine in Xvfb: first picture %s s after start, %s frames/s held with 4 gauges at 400 px over 356 targets (%s ms a frame), %s s: clean\n' \
        "preview (x86_64)" "$(value "$f" startup_seconds)" "$(value "$f" frames_per_second)" \
        "$(value "$f" frame_ms)" "$(value "$f" seconds)" ;;
    skipped)
      printf '  %-22s NOT RUN: %s\n' "preview (x86_64)" "$(value "$f" reason)" ;;
    *)
      printf '  %-22s FAILED: %s\n' "preview (x86_64)" "$(value "$f" reason)"
      status=1 ;;
  esac
}

fuzz_line() {
  local f=$1
  verdict "$f"
  printf '  %-22s %s executions (%s), coverage %s, %s crashes, %s s: %s\n' "$(value "$f" fuzzer)" \
    "$(value "$f" executions)" "$(value "$f" mode)" "$(value "$f" coverage)" "$(value "$f" crashes)" \
    "$(value "$f" seconds)" "$V"
}

echo
echo "Reliability summary"
for build in "$@"; do
  folder=$build/reliability
  found=0
  name=$(basename "$build")
  if [ -f "$folder/tests.txt" ]; then tests_line "$folder/tests.txt"; found=1; fi
  if [ -f "$folder/soak.txt" ]; then soak_line "$folder/soak.txt" "soak ($name)"; found=1; fi
  if [ -f "$folder/valgrind.txt" ]; then valgrind_line "$folder/valgrind.txt"; found=1; fi
  if [ -f "$folder/i686_panel.txt" ]; then product_line "$folder/i686_panel.txt" "$folder/i686_soak.txt"; found=1; fi
  if [ -f "$folder/i686_conventions.txt" ]; then conventions_line "$folder/i686_conventions.txt"; found=1; fi
  if [ -f "$folder/preview.txt" ]; then preview_line "$folder/preview.txt"; found=1; fi
  for f in "$folder"/*_fuzzer.txt; do
    [ -f "$f" ] || continue
    fuzz_line "$f"
    found=1
  done
  if [ "$found" -eq 0 ]; then
    printf '  %-22s no results\n' "$name"
    status=1
  fi
done
if [ "$status" -eq 0 ]; then echo "  all clean"; else echo "  SOMETHING FAILED: see above"; fi
exit "$status"
