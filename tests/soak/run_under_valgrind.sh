#!/usr/bin/env bash
# Runs a program under valgrind's memcheck and writes what it found:
#   run_under_valgrind.sh VALGRIND SUPPRESSIONS RESULT_FILE PROGRAM [ARGS...]
# Fails on any error memcheck reports (invalid reads and writes, uses of
# uninitialised values, bad frees) and on any definitely lost block.
set -uo pipefail
valgrind=$1 suppressions=$2 result=$3
shift 3

mkdir -p "$(dirname "$result")"
log=$(mktemp)
trap 'rm -f "$log"' EXIT

start=$(date +%s)
"$valgrind" --tool=memcheck --leak-check=full --show-leak-kinds=definite --errors-for-leak-kinds=definite \
  --error-exitcode=99 --num-callers=30 --suppressions="$suppressions" --log-file="$log" "$@"
status=$?
seconds=$(( $(date +%s) - start ))

errors=$(sed -n 's/.*ERROR SUMMARY: \([0-9,]*\) errors.*/\1/p' "$log" | tail -1 | tr -d ,)
definite=$(sed -n 's/.*definitely lost: \([0-9,]*\) bytes.*/\1/p' "$log" | tail -1 | tr -d ,)
suppressed=$(sed -n 's/.*suppressed: \([0-9,]*\) bytes.*/\1/p' "$log" | tail -1 | tr -d ,)
verdict=pass
if [ "$status" -ne 0 ] || [ "${errors:-x}" != 0 ]; then verdict=FAIL; fi
{
  echo "errors=${errors:-unknown}"
  echo "definitely_lost_bytes=${definite:-0}"
  echo "suppressed_leak_bytes=${suppressed:-0}"
  echo "program_status=$status"
  echo "seconds=$seconds"
  echo "arguments=$*"
  echo "result=$verdict"
} > "$result"

if [ "$verdict" != pass ]; then
  cat "$log"
  exit 1
fi
grep -E 'ERROR SUMMARY|definitely lost|in use at exit' "$log"
echo "valgrind: clean in ${seconds} s"
