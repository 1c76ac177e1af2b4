#!/bin/bash
# Rounds per second of a zvx-analysis binary, best of five runs for each set of rules; then the desktop
# program's analysis window and table when its path is given too.
# Usage: bench/bench.sh path/to/zvx-analysis [path/to/zvx]
# The machine is shared, so the best run is the one least disturbed by other work. With ZVX_BENCH_BASELINE set
# to another zvx-analysis (the binary before a change), the default rules are also run against it in pairs and
# the median of the pairs' ratios printed: a change must keep it within a few percent of 1.
set -euo pipefail
bin=$(realpath "${1:?usage: bench.sh path/to/zvx-analysis [path/to/zvx]}")
rounds_per_hour=100

# Rounds per second of one run.
rate() {
    local hours=$1
    shift
    local start end
    start=$(date +%s%N)
    "$bin" --hours "$hours" --seed 1 "$@" >/dev/null
    end=$(date +%s%N)
    echo $((hours * rounds_per_hour * 1000000000 / (end - start)))
}

bench() {
    local name=$1 hours=$2
    shift 2
    local best=0
    for _ in 1 2 3 4 5; do
        local r
        r=$(rate "$hours" "$@")
        ((r > best)) && best=$r
    done
    printf '%-34s %12d rounds/s\n' "$name" "$best"
    last_best=$best
}

# Two settings against each other, run in turn so that a spell of other work on the machine falls on both.
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a / b }'; }
against_default() {
    local name=$1 hours=$2 label=$3
    shift 3
    local best=0 base=0
    for _ in 1 2 3 4 5; do
        local r
        r=$(rate 50000)
        ((r > base)) && base=$r
        r=$(rate "$hours" "$@")
        ((r > best)) && best=$r
    done
    printf '%-34s %12d rounds/s\n' "$name" "$best"
    printf '%-34s %12s\n' "  $label" "$(ratio "$best" "$base")"
}

bench "default rules" 50000
default_rules=$last_best

# This binary against the baseline, in turn, so a spell of other work falls on both: the median pair ratio.
if [ -n "${ZVX_BENCH_BASELINE:-}" ]; then
    baseline=$(realpath "$ZVX_BENCH_BASELINE")
    ratios=()
    for _ in 1 2 3 4 5 6 7; do
        a=$(rate 30000)
        b=$(bin=$baseline rate 30000)
        ratios+=("$(ratio "$a" "$b")")
    done
    printf '%-34s %12s\n' "  default rules against baseline" \
        "$(printf '%s\n' "${ratios[@]}" | sort -n | sed -n 4p)"
fi
bench "8 decks, two hands" 40000 --decks 8 --two-hands 1
bench "one box" 60000 --two-hands 0
# The analysis at scale: two jobs on this machine's two cores, and the long-period generator, each against
# the default rules run beside it.
against_default "default rules, --jobs 2" 100000 "--jobs 2 against --jobs 1" --jobs 2
against_default "default rules, --generator long" 50000 "long against classic" --generator long
bench "single strategy" 80000 --single

# The exact analysis on one core: the edge of one table at 8 decks, and the best table for the rules (best
# of three runs each, the program's start included).
exact_ms() {
    local best=0 start end ms
    for _ in 1 2 3; do
        start=$(date +%s%N)
        "$bin" exact --decks 8 --strategy advanced "$@" >/dev/null
        end=$(date +%s%N)
        ms=$(((end - start) / 1000000))
        ((best == 0 || ms < best)) && best=$ms
    done
    echo "$best"
}
printf '%-34s %12d ms\n' "exact edge of a table, 8 decks" "$(exact_ms)"
printf '%-34s %12d ms\n' "exact best table, 8 decks" "$(exact_ms --best)"

# The index plays for 6 decks (the usual ones, the surrender ones and the scan of every two-card hand), once:
# the target is under 30 s on one core.
start=$(date +%s%N)
"$bin" indices --decks 6 --surrender 1 >/dev/null
end=$(date +%s%N)
printf '%-34s %12d ms\n' "index plays, 6 decks" "$(((end - start) / 1000000))"

# The same analysis in the desktop program's window (offscreen): events handled every few milliseconds and the
# grid refreshed by the clock. Its figure is the analysis alone, without the window's start.
gui=${2:+$(realpath "$2")}
if [ -n "$gui" ]; then
    hours=50000
    best=0
    dir=$(mktemp -d)
    for _ in 1 2 3 4 5; do
        rate=$(cd "$dir" && QT_QPA_PLATFORM=offscreen "$gui" --analysis-hours "$hours" --seed 1 2>&1 >/dev/null |
               sed -n 's/.*: \([0-9]*\) rounds\/s$/\1/p')
        ((rate > best)) && best=$rate
    done
    rm -rf "$dir"
    printf '%-34s %12d rounds/s (%d %% of the command line)\n' "default rules, in the window" "$best" \
        $((best * 100 / default_rules))
fi

# The table at the default speed: the time to the first card of computer play, the frames painted while it
# deals, and the processor's use while Normal Play waits for a bet. Needs a display (xvfb-run will do); the
# offscreen platform stands in without one.
if [ -n "$gui" ]; then
    dir=$(mktemp -d)
    platform=${DISPLAY:+xcb}
    (cd "$dir" && QT_QPA_PLATFORM=${platform:-offscreen} "$gui" --table-bench --seed 1 2>/dev/null)
    rm -rf "$dir"
fi
