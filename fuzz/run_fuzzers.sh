#!/usr/bin/env bash
# run_fuzzers.sh BUILD SECONDS: runs each fuzz target of BUILD/fuzz for SECONDS seconds, one after the other, at
# the lowest priority. A target starts from its seeds in fuzz/corpus/<target> and from what earlier runs on this
# machine found (BUILD/fuzz-corpus/<target>, never committed). The first crash, hang or broken promise stops the
# run with the path of the input that caused it.
set -uo pipefail
build=$1
seconds=${2:-60}
here=$(cd "$(dirname "$0")" && pwd)

for target in options_file game_file strategy_file real48; do
  case $target in
    options_file) max_len=8192; seeds=("$here/corpus/options_file") ;;
    game_file) max_len=16384; seeds=("$here/corpus/game_file") ;;
    strategy_file) max_len=16384; seeds=("$here/corpus/strategy_file" "$here/corpus/game_file") ;;
    real48) max_len=64; seeds=("$here/corpus/real48") ;;
  esac
  work=$build/fuzz-corpus/$target
  crashes=$build/fuzz-crashes/$target
  log=$build/fuzz-$target.log
  mkdir -p "$work" "$crashes"
  echo "== $target: ${seconds}s, log in $log"
  nice -n 19 "$build/fuzz/${target}_fuzzer" -max_total_time="$seconds" -max_len="$max_len" -timeout=20 \
    -print_final_stats=1 -artifact_prefix="$crashes/" "$work" "${seeds[@]}" >"$log" 2>&1
  status=$?
  if [ $status -ne 0 ]; then
    # The broken promise, sanitizer report or libFuzzer's verdict, then where the whole story is.
    grep -E '^(options file|game file|strategy file|Real48): |runtime error|^SUMMARY|^==[0-9]+== ?ERROR' "$log" | head -n 5
    echo "(the full report: $log)"
    input=$(sed -n 's/.*Test unit written to \([^ ]*\).*/\1/p' "$log" | tail -n 1)
    echo "FUZZ FAILURE in $target (exit $status): the input is ${input:-not saved, see $log}"
    [ -n "$input" ] && echo "replay it with: $build/fuzz/${target}_fuzzer $input"
    exit 1
  fi
  # The last status line: executions, coverage (cov: edges, ft: features) and corpus size.
  grep -E '^#[0-9]+' "$log" | tail -n 1
  grep -E 'stat::number_of_executed_units|stat::peak_rss_mb' "$log"
done
echo "All fuzz targets ran ${seconds}s without a finding."
