#!/usr/bin/env bash
# Runs every fuzzer of a fuzz build, from its committed corpus:
#   tools/reliability_fuzz.sh BUILD_DIR runs N      N executions each, seed 1 (make check)
#   tools/reliability_fuzz.sh BUILD_DIR seconds N   N seconds each, any seed (make fuzz)
# The fuzzers run side by side, JOBS (default 2) at a time. New inputs go to
# BUILD_DIR/work/<fuzzer> (fresh for a run by count, kept for runs by time),
# crashes to BUILD_DIR/artifacts/<fuzzer>/, results to BUILD_DIR/reliability/.
set -uo pipefail
cd "$(dirname "$0")/.."

build=$1 mode=$2 amount=$3
jobs=${JOBS:-2}
fuzzers=(traffic_refresh_fuzzer net_player_table_fuzzer frame_cycle_fuzzer)

case "$mode" in
  runs) limit=(-runs="$amount" -seed=1) ;;
  seconds) limit=(-max_total_time="$amount") ;;
  *) echo "reliability_fuzz: mode is runs or seconds" >&2; exit 2 ;;
esac

# A network-player table of 256 slots needs longer inputs than the others.
max_len() {
  case "$1" in
    net_player_table_fuzzer) echo 16384 ;;
    *) echo 4096 ;;
  esac
}

results=$build/reliability
mkdir -p "$results"
rm -f "$results"/*.txt

run_one() {
  local fuzzer=$1
  local work=$build/work/$fuzzer artifacts=$build/artifacts/$fuzzer/ log=$results/$fuzzer.log
  [ "$mode" = runs ] && rm -rf "$work"
  mkdir -p "$work" "$artifacts"
  local start status
  start=$(date +%s)
  "$build/$fuzzer" "${limit[@]}" -max_len="$(max_len "$fuzzer")" -timeout=60 -rss_limit_mb=3072 \
    -artifact_prefix="$artifacts" -print_final_stats=1 "$work" "fuzz/corpus/$fuzzer" > "$log" 2>&1
  status=$?
  local executions coverage crashes
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  coverage=$(grep -oE 'cov: [0-9]+' "$log" | tail -1 | cut -d' ' -f2)
  crashes=$(find "$artifacts" -type f -newermt "@$start" | wc -l)
  {
    echo "fuzzer=$fuzzer"
    echo "mode=$mode"
    echo "executions=${executions:-0}"
    echo "coverage=${coverage:-0}"
    echo "crashes=$crashes"
    echo "seconds=$(( $(date +%s) - start ))"
    echo "result=$([ "$status" -eq 0 ] && [ "$crashes" -eq 0 ] && echo pass || echo FAIL)"
  } > "$results/$fuzzer.txt"
  if [ "$status" -ne 0 ] || [ "$crashes" -ne 0 ]; then
    echo "== $fuzzer FAILED (status $status); its log:"
    tail -n 80 "$log"
    return 1
  fi
  echo "== $fuzzer: ${executions:-0} executions, coverage ${coverage:-0}, no crash"
}

for fuzzer in "${fuzzers[@]}"; do
  if [ ! -x "$build/$fuzzer" ]; then
    echo "reliability_fuzz: $build/$fuzzer is missing; build it first (make build-fuzz)" >&2
    exit 2
  fi
done
for fuzzer in "${fuzzers[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n; done
  run_one "$fuzzer" &
done
wait

# Judged by the result files: each fuzzer's own verdict.
status=0
for fuzzer in "${fuzzers[@]}"; do
  grep -qx 'result=pass' "$results/$fuzzer.txt" 2>/dev/null || status=1
done
exit "$status"
