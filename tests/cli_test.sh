#!/usr/bin/env bash
# Behaviour of the zvx-analysis command line: flags, exit codes, files and determinism.
set -u
bin=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

expect_status() { # expected-status description command...
    local want=$1 what=$2; shift 2
    "$@" >out.txt 2>err.txt
    local got=$?
    [ "$got" -eq "$want" ] || fail "$what: exit $got, wanted $want ($(head -c 200 err.txt))"
    if [ "$want" -ne 0 ]; then
        [ "$(wc -l <err.txt)" -eq 1 ] || fail "$what: wanted one line on standard error, got: $(cat err.txt)"
        [ ! -s out.txt ] || fail "$what: printed to standard output on failure"
    fi
}

expect_status 0 "help" "$bin" --help
for flag in --hours --seed --single --decks --penetration --minimum --surrender --soft17 --double-any --das \
            --resplit --two-hands --strategy --save --screen --tsv --jobs --json merge --generator --stream; do
    grep -q -- "$flag" out.txt || fail "--help does not describe $flag"
done

expect_status 2 "unknown flag" "$bin" --hours 1 --fast
expect_status 2 "missing hours" "$bin" --seed 1
expect_status 2 "zero hours" "$bin" --hours 0
expect_status 2 "hours not a number" "$bin" --hours 12x
expect_status 2 "decks outside the set" "$bin" --hours 1 --decks 3
expect_status 2 "penetration outside the set" "$bin" --hours 1 --penetration 4
expect_status 2 "minimum outside the set" "$bin" --hours 1 --minimum 10
expect_status 2 "switch not 0 or 1" "$bin" --hours 1 --soft17 2
expect_status 2 "seed too large" "$bin" --hours 1 --seed 4294967296
expect_status 2 "seed negative" "$bin" --hours 1 --seed -1
expect_status 2 "screen outside the set" "$bin" --hours 1 --screen 5
expect_status 2 "bankroll of nothing" "$bin" --hours 1 --bankroll 0
expect_status 2 "value missing" "$bin" --hours 1 --seed
expect_status 2 "no jobs" "$bin" --hours 1 --jobs 0
expect_status 2 "too many jobs" "$bin" --hours 1 --jobs 257
expect_status 2 "hours in hexadecimal" "$bin" --hours 0x10
expect_status 2 "unknown generator" "$bin" --hours 1 --generator fast
expect_status 2 "stream too large" "$bin" --hours 1 --stream 65536
expect_status 2 "stream with the classic generator" "$bin" --hours 1 --stream 1 --generator classic
expect_status 1 "json into a missing folder" "$bin" --hours 1 --json nosuch/dir/out.json
expect_status 1 "missing strategy file" "$bin" --hours 1 --strategy nosuch.zvx
head -c 100 /dev/urandom >short.zvx
expect_status 1 "damaged strategy file" "$bin" --hours 1 --strategy short.zvx
expect_status 1 "save into a missing folder" "$bin" --hours 1 --save nosuch/dir/game.zvx
[ ! -e nosuch ] || fail "a failed save created something"

# The same seed and flags give byte-identical output and game files.
expect_status 0 "seeded run" "$bin" --hours 200 --seed 42 --save a.zvx
cp out.txt first.txt
expect_status 0 "seeded run again" "$bin" --hours 200 --seed 42 --save b.zvx
cmp -s first.txt out.txt || fail "the same seed printed different screens"
cmp -s a.zvx b.zvx || fail "the same seed wrote different game files"
[ "$(stat -c %s a.zvx)" -eq 9732 ] || fail "the game file is not 9732 bytes"
grep -q "STATISTICS, By Betting Strategy" first.txt || fail "the statistics screen is not the default"
"$bin" --hours 200 --seed 43 >other.txt 2>/dev/null
cmp -s first.txt other.txt && fail "another seed printed the same screen"

# A saved game file's strategy can drive a run, and the tool never writes the options file.
expect_status 0 "strategy from a game file" "$bin" --hours 10 --seed 1 --strategy a.zvx
[ ! -e ZVX.PRM ] || fail "the tool wrote ZVX.PRM"

# TSV: exactly 20 rows of 7 cells.
expect_status 0 "tsv" "$bin" --hours 20 --seed 1 --screen 1 --tsv
[ "$(wc -l <out.txt)" -eq 20 ] || fail "tsv output is not 20 rows"
awk -F'\t' 'NF != 7 { bad = 1 } END { exit bad }' out.txt || fail "a tsv row has not 7 cells"
grep -q "/ hour" out.txt || fail "screen 1 has no odds labels"
for s in 1 2 3 4; do
    "$bin" --hours 20 --seed 1 --screen "$s" --tsv | grep -qiE 'nan|inf' && fail "screen $s prints nan or inf"
done
# The risk screen: its title, 20 rows of 7 cells as tsv, the bankroll it was asked for.
expect_status 0 "risk screen" "$bin" --hours 300 --seed 1 --screen 4 --bankroll 12345
head -1 out.txt | grep -qx "RISK AND PRECISION" || fail "screen 4 has not its title: $(head -1 out.txt)"
grep -q "Bankroll  *\$ 12,345" out.txt || fail "screen 4 does not use --bankroll"
"$bin" --hours 300 --seed 1 --screen 4 --tsv >risk.tsv
[ "$(wc -l <risk.tsv)" -eq 20 ] || fail "screen 4's tsv is not 20 rows"
awk -F'\t' 'NF != 7 { bad = 1 } END { exit bad }' risk.tsv || fail "a screen 4 tsv row has not 7 cells"

# A damaged options file is repaired or ignored, never a crash.
head -c 3886 /dev/urandom >ZVX.PRM
expect_status 0 "random options file" "$bin" --hours 5 --seed 1
printf 'junk' >ZVX.PRM
expect_status 0 "short options file" "$bin" --hours 5 --seed 1
[ "$(cat ZVX.PRM)" = junk ] || fail "the tool changed ZVX.PRM"
grep -q "ZVX.PRM.*4 bytes long.*default options" err.txt || fail "the short options file was not told: $(cat err.txt)"
rm ZVX.PRM

# Single-strategy mode books strategy #4 only.
expect_status 0 "single" "$bin" --hours 100 --seed 1 --single --tsv
awk -F'\t' 'NR == 4 && ($4 != "" || $5 != "" || $6 != "" || $7 == "") { bad = 1 } END { exit bad }' out.txt \
    || fail "single-strategy mode shows other strategies"

# Without a terminal the run says nothing on standard error: no progress line.
expect_status 0 "quiet run" "$bin" --hours 50 --seed 1 --jobs 2
[ ! -s err.txt ] || fail "a run without a terminal wrote to standard error: $(head -c 200 err.txt)"

# On a terminal it shows its progress (when the system has script(1) to give it one).
if command -v script >/dev/null; then
    script -qec "$bin --hours 2000 --seed 1 --jobs 2 --tsv >/dev/null" /dev/null >tty.txt 2>&1
    grep -q "rounds/s" tty.txt || fail "no progress line on a terminal: $(head -c 200 tty.txt)"
fi

# The output before jobs, kept from then: one job is still exactly that (the run time aside, now real).
data=$here/data
without_run_time() { grep -v -e "Run Time" -e "S.E. \[95 %\]" -e "^ *\[" "$@"; }
"$bin" --hours 200 --seed 42 --screen 1 | cmp -s - "$data/seed42-200h-screen1.txt" || fail "jobs 1 changed screen 1"
"$bin" --hours 200 --seed 42 --screen 2 --tsv --jobs 1 | cmp -s - "$data/seed42-200h-screen2.tsv" \
    || fail "jobs 1 changed screen 2"
"$bin" --hours 200 --seed 42 >s3.txt
cmp -s <(without_run_time s3.txt) <(without_run_time "$data/seed42-200h-screen3.txt") || fail "jobs 1 changed screen 3"
grep -qE "Run Time +0:00:0[1-9]" s3.txt || fail "the run time is not the real one: $(grep 'Run Time' s3.txt)"
grep -q "S.E. \[95 %\]" s3.txt || fail "no error line under the statistics screen"
# The errors and their intervals start where each strategy's column starts.
starts() { awk -v pat="$1" 'index($0, pat) { line = $0; out = ""; for (i = 14; i <= length(line); i++) \
    if (substr(line, i, 1) != " " && substr(line, i - 2, 2) == "  ") out = out " " i; print out; exit }' s3.txt; }
[ "$(starts "Ratio ")" = "$(starts "S.E. [95")" ] || fail "the S.E. line does not line up: $(grep -A1 S.E. s3.txt)"
[ "$(starts "Ratio ")" = "$(awk '/S.E. \[95/ { getline; print; exit }' s3.txt | awk '{ out = ""; \
    for (i = 14; i <= length($0); i++) if (substr($0, i, 1) == "[") out = out " " i; print out }')" ] \
    || fail "the intervals do not line up: $(grep -A1 S.E. s3.txt)"
"$bin" --hours 200 --seed 42 --single --decks 6 --two-hands 0 >single.txt
cmp -s <(without_run_time single.txt) "$data/seed42-200h-single-6decks.txt" || fail "jobs 1 changed single-strategy mode"
"$bin" --hours 200 --seed 42 --tsv | grep -q "S.E." && fail "the tsv screen has the error line"

# Jobs: the same seed and count give the same figures; under the classic generator another count gives others.
"$bin" --hours 300 --seed 5 --jobs 3 --save j3a.zvx >j3a.txt
"$bin" --hours 300 --seed 5 --jobs 3 --save j3b.zvx >j3b.txt
cmp -s <(without_run_time j3a.txt) <(without_run_time j3b.txt) || fail "jobs 3 printed different screens"
cmp -s <(head -c 5868 j3a.zvx) <(head -c 5868 j3b.zvx) || fail "jobs 3 wrote different statistics"
"$bin" --hours 300 --seed 5 --jobs 2 --generator classic >j2.txt
"$bin" --hours 300 --seed 5 --jobs 3 --generator classic >j3c.txt
cmp -s <(without_run_time j3c.txt) <(without_run_time j2.txt) && fail "classic jobs 2 and 3 printed the same screen"
grep -q "Total Hands   [0-9]" j3a.txt || fail "jobs 3 printed no hands"

# A study does not depend on the cores that played it: four streams, each with 1, 2 and 3 jobs, byte for byte
# (the game file up to its run time, the JSON's sums, the screen without its clock).
for stream in 0 1 2 3; do
    for jobs in 1 2 3; do
        "$bin" --hours 620 --seed 11 --stream "$stream" --jobs "$jobs" --save "s$stream-j$jobs.zvx" \
            --json "s$stream-j$jobs.json" >"s$stream-j$jobs.txt"
        cmp -s <(head -c 5868 "s$stream-j1.zvx") <(head -c 5868 "s$stream-j$jobs.zvx") \
            || fail "stream $stream: $jobs jobs wrote other statistics than one"
        cmp -s <(without_run_time "s$stream-j1.txt") <(without_run_time "s$stream-j$jobs.txt") \
            || fail "stream $stream: $jobs jobs printed another screen than one"
        cmp -s <(grep -v -e _seconds -e run_time -e '"jobs"' -e rounds_per_second "s$stream-j1.json") \
            <(grep -v -e _seconds -e run_time -e '"jobs"' -e rounds_per_second "s$stream-j$jobs.json") \
            || fail "stream $stream: $jobs jobs wrote another JSON than one"
    done
done
cmp -s <(head -c 5868 s0-j1.zvx) <(head -c 5868 s1-j1.zvx) && fail "streams 0 and 1 played the same shoes"

# More jobs than hours (or chunks) to share: the spare ones are not started, and nothing spins.
timeout 60 "$bin" --hours 1 --seed 1 --jobs 2 >/dev/null || fail "--jobs 2 with one hour did not finish"
timeout 60 "$bin" --hours 3 --seed 1 --jobs 8 --generator classic >/dev/null \
    || fail "--jobs 8 with three classic hours did not finish"

# What the tool never replaces: a device (as root the rename would swap the node) or a pipe; nor does it
# wait on a pipe given as a game file.
expect_status 1 "save over a device" "$bin" --hours 1 --seed 1 --save /dev/full
grep -q "not a plain file" err.txt || fail "the device refusal does not say why: $(cat err.txt)"
expect_status 1 "json over a device" "$bin" --hours 1 --seed 1 --json /dev/full
[ -c /dev/full ] || fail "/dev/full is no longer a device"
mkfifo pipe.zvx
expect_status 1 "strategy from a pipe" timeout 20 "$bin" --hours 1 --seed 1 --strategy pipe.zvx
grep -q "pipe.zvx.*not a file" err.txt || fail "the pipe is not refused by name: $(cat err.txt)"
expect_status 1 "merge of a pipe" timeout 20 "$bin" merge s0-j1.zvx pipe.zvx
[ -p pipe.zvx ] || fail "the pipe was replaced"
mkdir prm && (cd prm && mkfifo ZVX.PRM && timeout 20 "$bin" --hours 1 --seed 1 >../prm.txt 2>../prm-err.txt) \
    || fail "a pipe named ZVX.PRM stopped the tool"
grep -q "ZVX.PRM.*pipe" prm-err.txt || fail "a pipe named ZVX.PRM was not told: $(cat prm-err.txt)"
[ -p prm/ZVX.PRM ] || fail "the tool moved or replaced ZVX.PRM"

# A saved game carries the preferences in force: without ZVX.PRM a new player's speed 8000 and no first
# start to replay (offsets 6 and 16).
"$bin" --hours 1 --seed 1 --save prefs.zvx >/dev/null
[ "$(od -An -tu2 -j6 -N2 prefs.zvx | tr -d ' ')" = 8000 ] || fail "the saved speed is not 8000"
[ "$(od -An -tu1 -j16 -N1 prefs.zvx | tr -d ' ')" = 0 ] || fail "the saved first-run flag is set"

# JSON: on standard output instead of the screen, or to a file beside it.
expect_status 0 "json to standard output" "$bin" --hours 30 --seed 1 --jobs 2 --json -
head -c 1 out.txt | grep -q "{" || fail "--json - did not print JSON"
grep -q '"schema_version": 2' out.txt || fail "the JSON has no schema version"
grep -q '"generator": "long"' out.txt || fail "two jobs did not default to the long generator"
"$bin" --hours 30 --seed 1 --json - | grep -q '"generator": "classic"' || fail "one job did not default to classic"
"$bin" --hours 30 --seed 1 --stream 2 --json - | grep -q '"stream": 2' || fail "a stream did not reach the JSON"
expect_status 0 "json to a file" "$bin" --hours 30 --seed 1 --json r.json
grep -q "STATISTICS" out.txt || fail "--json FILE did not print the screen too"
grep -q '"standard_error_percent": [0-9]' r.json || fail "the JSON file has no standard error"

# A study split into four processes and merged: the merged accounts are the sums of the four.
json_sum() { # field strategy files... : the field of that strategy, added over the files
    local field=$1 strategy=$2; shift 2
    awk -v f="\"$field\":" -v want="$strategy" '$1 == "\"number\":" { n = $2 + 0 } $1 == f && n == want { s += $2 } END { printf "%.1f\n", s }' "$@"
}
for k in 1 2 3 4; do "$bin" --hours 60 --seed 1 --stream "$k" --save "p$k.zvx" --json "p$k.json" >/dev/null; done
[ -s p1.zvx.json ] || fail "a saved part has no manifest beside it"
expect_status 0 "merge of four" "$bin" merge p1.zvx p2.zvx p3.zvx p4.zvx --save all.zvx --json all.json \
    --expect-streams 1-4
grep -q "S.E. \[95 %\] *[0-9]" out.txt || fail "a merge with manifests printed no error line"
[ ! -s err.txt ] || fail "a merge with manifests warned: $(cat err.txt)"
grep -q '"hours": 240,' all.json || fail "the merge does not have 240 hours"
for field in hands total_bet total_won swings_won; do
    for strategy in 1 2 3 4; do
        [ "$(json_sum "$field" "$strategy" p?.json)" = "$(json_sum "$field" "$strategy" all.json)" ] \
            || fail "merged $field of strategy $strategy is not the sum of the parts"
    done
done
# The exact sums behind the risk figures add up over the parts, digit for digit.
for strategy in 1 2 3 4; do
    wide_sum=$(for k in 1 2 3 4; do awk -v want="$strategy" '$1 == "\"number\":" { n = $2 + 0 }
        $1 == "\"sum_of_squares_halves\":" && n == want { gsub(/[",]/, "", $2); print $2 }' "p$k.json"; done |
        python3 -c 'import sys; print(sum(int(l) for l in sys.stdin))')
    merged_sum=$(awk -v want="$strategy" '$1 == "\"number\":" { n = $2 + 0 }
        $1 == "\"sum_of_squares_halves\":" && n == want { gsub(/[",]/, "", $2); print $2 }' all.json)
    [ -n "$merged_sum" ] && [ "$wide_sum" = "$merged_sum" ] || fail "strategy $strategy: merged squares $merged_sum, parts $wide_sum"
done
"$bin" merge p1.zvx p2.zvx --screen 4 | grep -q "not known" && fail "a merge with manifests does not know its risk figures"
"$bin" --hours 60 --seed 1 --stream 5 --save p5.zvx >/dev/null
"$bin" merge all.zvx p5.zvx --tsv --screen 1 >/dev/null || fail "a merged file cannot be merged again"

# What does not belong to the study, one clear line each and nothing written: a file given twice, a stream
# given twice, a part of another seed, a stream missing; without manifests the merge goes on, with a warning.
expect_status 1 "merge of a file with itself" "$bin" merge p1.zvx ./p1.zvx --save never.zvx
grep -q "same file" err.txt || fail "the doubled file is not told: $(cat err.txt)"
cp p1.zvx again.zvx && cp p1.zvx.json again.zvx.json
expect_status 1 "merge of a doubled stream" "$bin" merge p1.zvx p2.zvx again.zvx --save never.zvx
grep -q "again.zvx.*stream 1 again.*p1.zvx" err.txt || fail "the doubled stream is not told: $(cat err.txt)"
expect_status 1 "merge of a merged study and its own part" "$bin" merge all.zvx p2.zvx --save never.zvx
"$bin" --hours 60 --seed 2 --stream 7 --save foreign.zvx >/dev/null
expect_status 1 "merge of a foreign part" "$bin" merge p1.zvx foreign.zvx --save never.zvx
grep -q "foreign.zvx.*seed 2.*seed 1" err.txt || fail "the foreign part is not told: $(cat err.txt)"
expect_status 1 "merge with a stream missing" "$bin" merge p1.zvx p2.zvx p4.zvx --expect-streams 1-4 --save never.zvx
grep -q "stream 3 of 1-4 is missing" err.txt || fail "the missing stream is not told: $(cat err.txt)"
expect_status 2 "a wrong stream range" "$bin" merge p1.zvx p2.zvx --expect-streams 4-1
cp p3.zvx stale.zvx && cp p4.zvx.json stale.zvx.json
expect_status 1 "merge with a manifest of another file" "$bin" merge p1.zvx stale.zvx --save never.zvx
grep -q "stale.zvx.json.*does not describe" err.txt || fail "the stale manifest is not told: $(cat err.txt)"
cp p2.zvx bare.zvx
"$bin" merge p1.zvx bare.zvx >out.txt 2>err.txt || fail "a part without a manifest was refused"
grep -q "warning: 'bare.zvx' has no manifest" err.txt || fail "no warning for a part without a manifest"
grep -q "not known" out.txt || fail "a merge without every manifest printed an error line it cannot know"
"$bin" merge p1.zvx bare.zvx --screen 4 2>/dev/null | grep -q "not known" || fail "a merge without every manifest shows risk figures"
expect_status 1 "expected streams without manifests" "$bin" merge p1.zvx bare.zvx --expect-streams 1-2
[ ! -e never.zvx ] || fail "a refused merge wrote its game file"

# Merges that are refused, by name, with nothing written.
"$bin" --hours 10 --seed 9 --decks 6 --save six.zvx >/dev/null
"$bin" --hours 10 --seed 9 --strategy advanced --save adv.zvx >/dev/null
expect_status 1 "merge of other rules" "$bin" merge p1.zvx six.zvx --save never.zvx
grep -q "six.zvx.*decks 2 and 6" err.txt || fail "the rules refusal does not name the file and difference: $(cat err.txt)"
expect_status 1 "merge of another strategy" "$bin" merge p1.zvx adv.zvx --save never.zvx
grep -q "adv.zvx.*playing strategy" err.txt || fail "the strategy refusal does not say so: $(cat err.txt)"
expect_status 1 "merge of a damaged file" "$bin" merge p1.zvx short.zvx --save never.zvx
grep -q "short.zvx" err.txt || fail "the damaged file is not named"
expect_status 1 "merge of a missing file" "$bin" merge p1.zvx nosuch.zvx --save never.zvx
expect_status 2 "merge of one file" "$bin" merge p1.zvx
# Strategy #1's hands at the largest count a file keeps (offset 3888 + 396 + 380): the true count is lost.
cp p2.zvx full.zvx
printf '\377\377\377\177' | dd of=full.zvx bs=1 seek=4664 conv=notrunc status=none
expect_status 1 "merge of a file whose counter is full" "$bin" merge p1.zvx full.zvx --save never.zvx
grep -q "full.zvx.*hands of strategy #1" err.txt || fail "the full counter is not named: $(cat err.txt)"
[ ! -e never.zvx ] || fail "a refused merge wrote its game file"

# The distributed example, end to end with four local processes.
ZVX_ANALYSIS=$bin ZVX_PARTS=4 ZVX_HOURS=40 ZVX_OUT=study "$here/../tools/study_array.sh" >study.txt 2>study-err.txt \
    || fail "the study script failed: $(head -c 300 study-err.txt)"
[ "$(ls study/part-*.zvx 2>/dev/null | wc -l)" -eq 4 ] || fail "the study script did not write four parts"
grep -q '"hours": 160,' study/study.json || fail "the study's merge does not have 160 hours"
grep -q "STATISTICS" study.txt || fail "the study script printed no screen"
[ -s study/part-3.zvx.json ] || fail "the study script's parts have no manifests"

# When one local part fails the others are stopped at once, and nothing is merged.
mkdir -p broken/part-2.zvx # a folder where part 2's game file goes: that part fails at once
start=$SECONDS
ZVX_ANALYSIS=$bin ZVX_PARTS=3 ZVX_HOURS=100000000 ZVX_OUT=broken timeout 120 "$here/../tools/study_array.sh" \
    >broken.txt 2>broken-err.txt
status=$?
[ "$status" -eq 1 ] || fail "a study with a failed part exited $status, wanted 1"
[ $((SECONDS - start)) -lt 60 ] || fail "the other parts were not stopped when one failed"
grep -q "part 2 failed" broken-err.txt || fail "the failed part is not named: $(cat broken-err.txt)"
[ ! -e broken/study.zvx ] && [ ! -e broken/part-0.zvx ] || fail "a failed study merged or a stopped part saved"
sleep 1
pgrep -f -- "--save broken/part-" >/dev/null && fail "a part of the failed study is still running"

# The exact analysis: its flags, exit codes and figures (the advanced table at 8 decks, the defaults otherwise).
expect_status 0 "exact" "$bin" exact --decks 8 --strategy advanced
grep -q "Playing strategy (advanced): -0.5242 %" out.txt || fail "exact: wrong edge: $(cat out.txt)"
expect_status 0 "exact again" "$bin" exact --decks 8 --strategy advanced
cp out.txt exact-again.txt
"$bin" exact --decks 8 --strategy advanced | cmp -s - exact-again.txt || fail "exact: not the same output twice"
expect_status 0 "exact best" "$bin" exact --decks 1 --resplit 0 --best --json exact.json
grep -q "Best table for these rules" out.txt || fail "exact --best printed no best table"
grep -q '"kind": "exact"' exact.json && grep -q '"best"' exact.json || fail "exact --json lacks its fields"
expect_status 2 "exact with decks outside the set" "$bin" exact --decks 3
expect_status 2 "exact with an unknown flag" "$bin" exact --hours 10
expect_status 1 "exact with a missing game file" "$bin" exact --strategy nosuch.zvx
expect_status 1 "exact into a missing folder" "$bin" exact --json nosuch/exact.json
# A run with --exact: its screen as without, then the exact advantage beside strategy #1's and why they differ.
"$bin" --hours 20 --seed 3 >plain.txt
"$bin" --hours 20 --seed 3 --exact >with-exact.txt
cmp -s <(without_run_time plain.txt) <(head -n "$(wc -l <plain.txt)" with-exact.txt | without_run_time) \
    || fail "--exact changed the screen"
grep -q "^Exact advantage off the top -0.263 % of the money bet, beside strategy #1's simulated" with-exact.txt \
    || fail "--exact printed no exact line: $(tail -3 with-exact.txt)"
grep -q "^Why they differ" with-exact.txt || fail "--exact does not say why the figures differ"
"$bin" --hours 20 --seed 3 --exact --json - | grep -q '"advantage_per_money_bet_percent": -0.26' \
    || fail "--exact --json lacks the exact figures"

if [ "$failures" -ne 0 ]; then
    echo "$failures failure(s)"
    exit 1
fi
echo "all command-line checks passed"
