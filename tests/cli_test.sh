#!/usr/bin/env bash
# Behaviour of the zvx-analysis command line: flags, exit codes, files and determinism.
set -u
bin=$(realpath "$1")
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
            --resplit --two-hands --strategy --save --screen --tsv; do
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
expect_status 2 "screen outside the set" "$bin" --hours 1 --screen 4
expect_status 2 "value missing" "$bin" --hours 1 --seed
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
for s in 1 2 3; do
    "$bin" --hours 20 --seed 1 --screen "$s" --tsv | grep -qiE 'nan|inf' && fail "screen $s prints nan or inf"
done

# A damaged options file is repaired or ignored, never a crash.
head -c 3886 /dev/urandom >ZVX.PRM
expect_status 0 "random options file" "$bin" --hours 5 --seed 1
printf 'junk' >ZVX.PRM
expect_status 0 "short options file" "$bin" --hours 5 --seed 1
[ "$(cat ZVX.PRM)" = junk ] || fail "the tool changed ZVX.PRM"

# Single-strategy mode books strategy #4 only.
expect_status 0 "single" "$bin" --hours 100 --seed 1 --single --tsv
awk -F'\t' 'NR == 4 && ($4 != "" || $5 != "" || $6 != "" || $7 == "") { bad = 1 } END { exit bad }' out.txt \
    || fail "single-strategy mode shows other strategies"

if [ "$failures" -ne 0 ]; then
    echo "$failures failure(s)"
    exit 1
fi
echo "all command-line checks passed"
