#!/usr/bin/env bash
# Runs one test preset and writes what it found for the reliability summary:
#   tools/reliability_ctest.sh PRESET JOBS
# The result goes to build/PRESET/reliability/tests.txt; the preset's tests
# write their own results there too (the soak), so the folder starts empty.
set -uo pipefail
cd "$(dirname "$0")/.."

preset=$1 jobs=${2:-2}
folder=build/$preset/reliability
rm -rf "$folder"
mkdir -p "$folder"
log=$folder/ctest.log

start=$(date +%s)
ctest --preset "$preset" -j "$jobs" 2>&1 | tee "$log"
status=${PIPESTATUS[0]}
seconds=$(( $(date +%s) - start ))

line=$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -1)
failed=$(sed -E 's/.* ([0-9]+) tests? failed out of.*/\1/' <<<"$line")
total=$(sed -E 's/.*failed out of ([0-9]+).*/\1/' <<<"$line")
# Reports of the sanitizers (they also fail their test).
reports=$(grep -cE 'ERROR: (AddressSanitizer|LeakSanitizer)|runtime error:' "$log")
{
  echo "preset=$preset"
  echo "tests=${total:-0}"
  echo "failed=${failed:-unknown}"
  echo "sanitizer_reports=$reports"
  echo "seconds=$seconds"
  echo "result=$([ "$status" -eq 0 ] && echo pass || echo FAIL)"
} > "$folder/tests.txt"
exit "$status"
