#!/usr/bin/env bash
# zvx-analysis indices: its flags, the JSON it writes, and the refusals made before any work.
set -u
bin=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

refused() { # expected-status description command...: refused with one line, nothing printed to standard output
    local want=$1 what=$2; shift 2
    timeout 60 "$@" >out.txt 2>err.txt
    local got=$?
    [ "$got" -eq "$want" ] || fail "$what: exit $got, wanted $want ($(head -c 300 err.txt))"
    [ "$(wc -l <err.txt)" -eq 1 ] || fail "$what: wanted one line on standard error, got: $(cat err.txt)"
    [ ! -s out.txt ] || fail "$what: printed to standard output, so the work was done first"
}

timeout 60 "$bin" indices --help >help.txt || fail "--help"
grep -q -- "--system" help.txt || fail "--help does not name --system"
grep -q "omega" help.txt || fail "--help does not list the systems"

# The table for one deck with surrender, the usual plays only.
timeout 300 "$bin" indices --decks 1 --surrender 1 --no-scan >table.txt 2>err.txt || fail "a table: $(cat err.txt)"
grep -q "1 deck, dealer stands on soft 17" table.txt || fail "the rules line: $(head -2 table.txt)"
grep -q "stand 16 against Dealer 10" table.txt || fail "no 16 against 10"
grep -q "take insurance" table.txt || fail "no insurance"
grep -q "surrender 14 against Dealer 10" table.txt || fail "no surrender play"
grep -q "Other departures" table.txt && fail "--no-scan still scanned"
[ "$(grep -c "^  hard\|^  10,10\|^  insurance" table.txt)" -eq 22 ] || fail "not 22 plays: $(cat table.txt)"
grep -q "Worked out in" table.txt || fail "no run time"

# Without surrender the surrender plays are there, not offered.
timeout 300 "$bin" indices --decks 1 --surrender 0 --soft17 1 --no-scan >plain.txt || fail "no surrender"
grep -q "dealer hits on soft 17" plain.txt || fail "--soft17 1 not applied"
[ "$(grep -c "not offered" plain.txt)" -eq 4 ] || fail "the surrender plays are not marked: $(cat plain.txt)"

# The JSON, to a file and to standard output, and another system.
timeout 300 "$bin" indices --decks 1 --surrender 1 --no-scan --json t.json >/dev/null || fail "--json FILE"
python3 - t.json <<'PY' || fail "the JSON file"
import json, sys
j = json.load(open(sys.argv[1]))
assert j["kind"] == "indices" and j["system"] == "hi-lo" and j["rules"]["decks"] == 1, j
e = j["indices"]
assert len(e) == 22, len(e)
assert e[0]["hand"] == "insurance" and e[1]["hand"] == "hard 16" and e[1]["up"] == "10", e[:2]
assert e[1]["advice"].startswith("At a true count of ") and e[1]["advice"].endswith("stand 16 against Dealer 10")
assert all(len(x["difference_by_true_count"]) == 21 for x in e)
assert [x["group"] for x in e].count("surrender") == 4
PY
timeout 300 "$bin" indices --decks 1 --no-scan --system ko --json - >ko.json 2>err.txt || fail "--system ko --json -"
python3 -c 'import json,sys; j=json.load(open(sys.argv[1])); assert j["system"]=="ko", j["system"]' ko.json \
    || fail "--json - is not the JSON alone"

# Refusals: before any work, one line, the exit status of the kind.
refused 2 "an unknown system" "$bin" indices --system nope
refused 2 "3 decks" "$bin" indices --decks 3
refused 2 "a negative threshold" "$bin" indices --threshold -1
refused 2 "--json over the options file read" "$bin" indices --json ZVX.PRM
[ ! -e ZVX.PRM ] || fail "the tool wrote ZVX.PRM"
refused 2 "--json with no name" "$bin" indices --json ''
refused 1 "--json in a missing folder" "$bin" indices --json no/such/folder.json
mkdir adir
refused 1 "--json onto a folder" "$bin" indices --json adir

[ "$failures" -eq 0 ] && echo "indices_cli_test: all passed"
exit "$failures"
