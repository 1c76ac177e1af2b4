#!/usr/bin/env bash
# What the tool's risk screen, exact line and help say: "never" for a losing strategy, the notes under the
# screen, no talk of two boxes when one is played, and the 1.96 the intervals use.
set -u
bin=$(realpath "$1")
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

"$bin" --hours 300 --seed 5 --screen 4 >risk.txt || fail "the risk screen did not run"
grep -q "^ N0 (Rounds)  *never " risk.txt || fail "a losing #1 has an N0: $(grep N0 risk.txt)"
grep -q "none" risk.txt && fail "the risk screen still says none: $(grep none risk.txt)"
grep -qE -- "-0(\.0+)?([^0-9.]|$)" risk.txt && fail "the risk screen shows a signed zero: $(grep -E -- '-0(\.0+)?([^0-9.]|$)' risk.txt)"
grep -q "lifetime risk, bets never resized (diffusion approximation)" risk.txt || fail "no note under the risk rows"
grep -q "Player's advantage; #1's is minus the house edge" risk.txt || fail "the advantage's sign is not explained"

"$bin" --hours 20 --seed 5 --two-hands 0 --exact >one.txt || fail "--exact with one box did not run"
grep -q "Why they differ" one.txt || fail "no exact line with one box"
grep -q "two boxes" one.txt && fail "--two-hands 0 still speaks of two boxes: $(grep 'two boxes' one.txt)"
"$bin" --hours 20 --seed 5 --two-hands 1 --exact | grep -q "(two boxes share it)" || fail "two boxes are not said"

"$bin" --help | grep -q "1\.96" || fail "the help does not name the 1.96"
# Every interval of the JSON is its figure -+ 1.96 standard errors.
"$bin" --hours 100 --seed 5 --json - | python3 -c '
import json, sys
for s in json.load(sys.stdin)["strategies"]:
    if s["standard_error_percent"] is None: continue
    low = s["advantage_percent"] - 1.96 * s["standard_error_percent"]
    assert abs(s["interval_95_percent"][0] - low) < 1e-9, (s["number"], s["interval_95_percent"], low)
' || fail "an interval does not use 1.96"

[ "$failures" -eq 0 ] && echo "all risk text checks passed"
exit $((failures > 0))
