#!/usr/bin/env bash
# zvx-analysis's outputs: refused before any work when two share a name or one is an input or no plain file,
# and written without ever following a link or opening a pipe at a name beside them.
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

"$bin" --hours 2 --seed 1 --stream 0 --save a.zvx >/dev/null || fail "a first part"
"$bin" --hours 2 --seed 1 --stream 1 --save b.zvx >/dev/null || fail "a second part"
cp a.zvx a.kept && cp a.zvx.json a.json.kept && cp b.zvx.json b.json.kept
printf 'old' >same.zvx

# Two outputs with one name, an output that is an input, a game file to standard output.
refused 2 "--save and --json one file" "$bin" --hours 1 --save same.zvx --json same.zvx
[ "$(cat same.zvx)" = old ] || fail "the colliding outputs replaced same.zvx"
refused 2 "--json over the manifest of --save" "$bin" --hours 1 --save m.zvx --json m.zvx.json
[ ! -e m.zvx ] && [ ! -e m.zvx.json ] || fail "a refused run wrote m.zvx or its manifest"
refused 2 "--save -" "$bin" --hours 1 --save -
[ ! -e ./- ] || fail "--save - made a file named -"
refused 2 "--save over the --strategy file" "$bin" --hours 1 --strategy a.zvx --save a.zvx
refused 2 "--json over the options file read" "$bin" --hours 1 --json ZVX.PRM
[ ! -e ZVX.PRM ] || fail "the tool wrote ZVX.PRM"
refused 2 "merge --save over a part" "$bin" merge a.zvx b.zvx --save a.zvx
ln -s a.zvx link.zvx
refused 2 "merge --save over a part by a link" "$bin" merge a.zvx b.zvx --save link.zvx
refused 2 "merge --json over a part's manifest" "$bin" merge a.zvx b.zvx --save ab.zvx --json b.zvx.json
refused 2 "merge with --json over --save's manifest" "$bin" merge a.zvx b.zvx --save ab.zvx --json ./ab.zvx.json
cmp -s a.zvx a.kept && cmp -s a.zvx.json a.json.kept && cmp -s b.zvx.json b.json.kept || fail "a refused merge changed a part"
[ ! -e ab.zvx ] || fail "a refused merge wrote ab.zvx"

# The exact analysis checks its output before the work, as the other commands do.
refused 1 "exact --json /dev/full" "$bin" exact --json /dev/full
refused 1 "exact --json into a missing folder" "$bin" exact --json nosuch/x.json
refused 2 "exact --json over the --strategy file" "$bin" exact --strategy a.zvx --json ./a.zvx
refused 2 "exact --json over the options file read" "$bin" exact --json ZVX.PRM
refused 1 "merge --json /dev/full" "$bin" merge a.zvx b.zvx --json /dev/full

# Links and pipes at the names saves once wrote through are neither followed nor opened.
printf 'victim' >victim
ln -s victim out.zvx.tmp~ && ln -s victim out.zvx.json.tmp~ && ln -s victim .zvx-exact-probe~
mkfifo r.json.tmp~ e.json.tmp~
timeout 60 "$bin" --hours 2 --seed 1 --save out.zvx --json r.json >/dev/null || fail "a save beside planted links"
timeout 120 "$bin" exact --decks 1 --json e.json >/dev/null || fail "exact beside planted links"
[ "$(cat victim)" = victim ] || fail "a save wrote through a link to the victim"
for f in out.zvx out.zvx.json r.json e.json; do
    [ -f "$f" ] && [ ! -L "$f" ] || fail "$f is not a plain file"
done
[ -L out.zvx.tmp~ ] && [ -p r.json.tmp~ ] || fail "a planted link or pipe was replaced"
# A link at the target itself is replaced by the file; what it pointed to stays.
ln -s victim target.zvx
"$bin" --hours 1 --seed 1 --save target.zvx >/dev/null || fail "a save over a link"
[ -f target.zvx ] && [ ! -L target.zvx ] && [ "$(cat victim)" = victim ] || fail "a save over a link wrote through it"
# No temporary file is left behind.
ls -A | grep -q '\.tmp-' && fail "a temporary file was left: $(ls -A | grep '\.tmp-')"

[ "$failures" -eq 0 ] && echo "all file checks passed"
exit $((failures > 0))
