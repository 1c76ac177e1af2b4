#!/usr/bin/env bash
# Studies split into parts: the study script's modes (local, a Slurm array task, the merge job, a plain Slurm
# job), the README's resubmit recipe under a stand-in sbatch, two studies in one folder, a study of one part,
# the merge's range of streams, warnings and manifest, and the tool's build without Qt or GoogleTest.
# Usage: study_cluster_test.sh path/to/zvx-analysis (run in an empty folder).
set -u
bin=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
here=$(cd "$(dirname "$0")" && pwd)
script=$here/../tools/study_array.sh
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
rm -rf run && mkdir run && cd run || exit 1 # a fresh folder for each run: the studies below must not meet old ones
unset SLURM_JOB_ID SLURM_ARRAY_TASK_ID SLURM_ARRAY_JOB_ID SLURM_CPUS_PER_TASK SLURM_SUBMIT_DIR
export ZVX_ANALYSIS=$bin ZVX_HOURS=5
study() { "$script" "$@" >out.txt 2>err.txt; }

# --expect-streams: ranges past the last stream, wrapping round or empty are refused at once, in one line.
"$bin" --hours 5 --seed 3 --stream 0 --save p0.zvx >/dev/null && "$bin" --hours 5 --seed 3 --stream 1 --save p1.zvx >/dev/null ||
    fail "two parts could not be played"
for range in '' 0-99999999999 0-4294967296 4294967296 0-65536 9-3; do
    timeout 20 "$bin" merge p0.zvx p1.zvx --expect-streams "$range" --save never.zvx >/dev/null 2>err.txt
    status=$?
    [ "$status" -eq 2 ] || fail "--expect-streams '$range' exited $status, wanted 2"
    [ "$(wc -l <err.txt)" -eq 1 ] && grep -q "0..65535" err.txt || fail "--expect-streams '$range': $(cat err.txt)"
done
grep -q "goes past stream 65535" <("$bin" merge p0.zvx p1.zvx --expect-streams 0-4294967296 2>&1) ||
    fail "a range past the last stream does not say so"
"$bin" merge p0.zvx p1.zvx --expect-streams 0-65535 >/dev/null 2>err.txt
grep -q "are missing" err.txt || fail "the widest range is not checked: $(cat err.txt)"
[ ! -e never.zvx ] || fail "a refused range wrote the merge"

# A merge's warnings are in its JSON too; its manifest lists the streams the parts named, marked incomplete
# when a part had none, and a later merge neither takes it as whole nor checks a range by it.
"$bin" --hours 5 --seed 3 --stream 2 --save bare.zvx >/dev/null && rm bare.zvx.json
"$bin" merge p0.zvx p1.zvx bare.zvx --save m.zvx --json m.json >/dev/null 2>err.txt || fail "a merge with a bare part failed"
grep -q "has no manifest" err.txt && grep -A2 '"warnings"' m.json | grep -q "bare.zvx' has no manifest" ||
    fail "the merge's warning is not in its JSON"
tr -d ' \n' <m.json | grep -q '"streams":\[0,1\],"streams_complete":false' || fail "the JSON does not list the streams"
tr -d ' \n' <m.zvx.json | grep -q '"streams":\[0,1\],.*"incomplete":true' || fail "the merged manifest is not marked incomplete"
"$bin" merge m.zvx p1.zvx >/dev/null 2>&1 && fail "a stream of an incomplete merge was taken again"
"$bin" --hours 5 --seed 3 --stream 3 --save p3.zvx >/dev/null
"$bin" merge m.zvx p3.zvx --expect-streams 0-3 >/dev/null 2>err.txt && fail "an incomplete merge passed --expect-streams"
grep -q "incomplete" err.txt || fail "the refusal does not say the part is incomplete: $(cat err.txt)"
"$bin" merge p0.zvx p1.zvx --json whole.json >/dev/null 2>&1
tr -d ' \n' <whole.json | grep -q '"streams":\[0,1\],"streams_complete":true.*"warnings":\[\]' || fail "a whole merge's JSON"
# What --jobs leaves alone: the figures. The JSON differs in jobs and the wall clock's fields only.
"$bin" --hours 600 --seed 5 --generator long --jobs 1 --json j1.json >/dev/null
"$bin" --hours 600 --seed 5 --generator long --jobs 3 --json j3.json >/dev/null
[ "$(diff j1.json j3.json | grep '^[<>]' | grep -cv '"jobs"\|"wall_time_seconds"\|"rounds_per_second"\|"run_time')" -eq 0 ] ||
    fail "--jobs changed a figure: $(diff j1.json j3.json | head -5)"
"$bin" --help | tr '\n' ' ' | grep -q "figures are the same *for any --jobs" || fail "--help does not say what --jobs keeps"

# merge --save never replaces the study file of another study; the same study's file it does.
"$bin" --hours 5 --seed 4 --stream 0 --save other.zvx >/dev/null
cp other.zvx other-before.zvx
"$bin" merge p0.zvx p1.zvx --save other.zvx >/dev/null 2>err.txt && fail "a merge replaced another study's file"
cmp -s other.zvx other-before.zvx || fail "another study's file was changed"
grep -q "remove it.*--force" err.txt || fail "the refusal names no way out: $(cat err.txt)"
"$bin" merge p0.zvx p1.zvx --save other.zvx --force >/dev/null 2>err.txt || fail "merge --force was refused: $(cat err.txt)"
cmp -s other.zvx other-before.zvx && fail "merge --force left the other study's file"
"$bin" merge p0.zvx p1.zvx --save same.zvx >/dev/null && "$bin" merge p0.zvx p1.zvx p3.zvx --save same.zvx >/dev/null 2>&1 ||
    fail "a merge of the same study could not replace its own file"

# Two studies one after the other in one folder: the second refuses, and the first one's parts stay.
ZVX_OUT=two ZVX_PARTS=2 ZVX_SEED=1 study || fail "the first study failed: $(cat err.txt)"
cp two/part-0.zvx first-part-0.zvx
for settings in "ZVX_SEED=2" "ZVX_HOURS=6" "ZVX_FLAGS=--decks 6"; do
    env ZVX_OUT=two ZVX_PARTS=2 ZVX_SEED=1 "$settings" "$script" >out.txt 2>err.txt # the last setting wins
    status=$?
    [ "$status" -eq 1 ] || fail "a study with $settings over another exited $status"
    grep -q "will not replace two/part-0.zvx.*--force" err.txt || fail "$settings: $(cat err.txt)"
    cmp -s two/part-0.zvx first-part-0.zvx || fail "a study with $settings replaced the other's part"
done
ZVX_OUT=two ZVX_PARTS=2 ZVX_SEED=1 study || fail "the same study could not be played again: $(cat err.txt)"
ZVX_OUT=two ZVX_PARTS=2 ZVX_SEED=2 study --force || fail "--force did not replace the other study: $(cat err.txt)"
grep -q '"seed": 2,' two/part-1.zvx.json && grep -q '"seed": 2,' two/study.zvx.json || fail "--force left the old study"

# Inside a Slurm job that is no array task (an empty --array) the script plays nothing, unless --local.
ZVX_OUT=jobbed ZVX_PARTS=2 study
cp jobbed/part-0.zvx jobbed-part-0.zvx
SLURM_JOB_ID=77 ZVX_OUT=jobbed ZVX_PARTS=2 ZVX_HOURS=7 timeout 60 "$script" >out.txt 2>err.txt
status=$?
[ "$status" -eq 2 ] && grep -q -- "--local" err.txt || fail "a plain Slurm job ran the local mode ($status): $(cat err.txt)"
cmp -s jobbed/part-0.zvx jobbed-part-0.zvx || fail "a plain Slurm job replaced a part"
SLURM_JOB_ID=77 ZVX_OUT=jobbed2 ZVX_PARTS=2 study --local || fail "--local inside a job failed: $(cat err.txt)"
[ -s jobbed2/study.zvx ] || fail "--local inside a job merged nothing"

# A study of one part: the part is the study, locally and as Slurm's merge job.
ZVX_OUT=one ZVX_PARTS=1 study || fail "a one-part study failed: $(cat err.txt)"
cmp -s one/part-0.zvx one/study.zvx && cmp -s one/part-0.zvx.json one/study.zvx.json || fail "a one-part study kept no study"
SLURM_JOB_ID=80 SLURM_ARRAY_JOB_ID=80 SLURM_ARRAY_TASK_ID=0 ZVX_OUT=one-slurm study || fail "an array task failed: $(cat err.txt)"
SLURM_JOB_ID=81 ZVX_OUT=one-slurm ZVX_PARTS=1 study --merge || fail "the one-part merge job failed: $(cat err.txt)"
cmp -s one-slurm/part-0.zvx one-slurm/study.zvx || fail "the one-part merge job kept no study"
SLURM_JOB_ID=82 ZVX_OUT=one-slurm ZVX_PARTS=1 study --merge || fail "the one-part merge job cannot run twice"
cp two/study.zvx one/study.zvx && cp two/study.zvx.json one/study.zvx.json
ZVX_OUT=one ZVX_PARTS=1 study --merge && fail "a one-part study replaced another study's file"
cmp -s two/study.zvx one/study.zvx || fail "a one-part study changed another study's file"

# A failed array task names its stream and its log; a failed local part names its log.
mkdir -p bin
printf '#!/bin/sh\necho "   StdOut=/shared/zvx-study-90-5.log"\n' >bin/scontrol && chmod +x bin/scontrol
PATH=$PWD/bin:$PATH SLURM_JOB_ID=95 SLURM_ARRAY_JOB_ID=90 SLURM_ARRAY_TASK_ID=5 ZVX_OUT=failed ZVX_FLAGS="--decks 3" study
[ $? -ne 0 ] && grep -q "part 5 failed (stream 5.*/shared/zvx-study-90-5.log" err.txt || fail "a failed task: $(cat err.txt)"
ZVX_OUT=failed-local ZVX_PARTS=2 ZVX_FLAGS="--decks 3" study
grep -q "failed-local/zvx-study-local-[01].log" err.txt && grep -q "decks" err.txt || fail "a failed local part: $(cat err.txt)"

# The README's resubmit recipe under a stand-in sbatch: nothing missing (run twice) submits nothing; one
# missing part submits that part and the merge.
sed -n '/^    missing=\$(/,/^    if /p' "$here/../README.md" | sed 's/^    //' >resubmit.sh
grep -q 'sbatch' resubmit.sh || fail "the README has no resubmit recipe"
printf '#!/bin/sh\nprintf "%%s\\n" "$*" >>"$SBATCH_LOG"\necho 42\n' >bin/sbatch && chmod +x bin/sbatch
printf '#!/bin/sh\ncat "$SQUEUE_SHOWS"\n' >bin/squeue && chmod +x bin/squeue
export SQUEUE_SHOWS=$PWD/queue.txt && : >queue.txt
export SBATCH_LOG=$PWD/sbatch.log
resubmit() { PATH=$PWD/bin:$PATH ZVX_OUT=$PWD/two ZVX_PARTS=2 bash resubmit.sh >>resubmit.txt 2>&1; }
resubmit && resubmit || fail "the recipe failed with nothing missing: $(cat resubmit.txt)"
[ ! -s sbatch.log ] || fail "the recipe submitted with nothing missing: $(cat sbatch.log)"
grep -q "no part is missing" resubmit.txt || fail "the recipe did not say that nothing is missing"
rm two/part-1.zvx.json && resubmit
grep -q -- '--array=1 ' sbatch.log && grep -q -- '--dependency=afterok:42 .*--merge' sbatch.log ||
    fail "the recipe did not resubmit the missing part and the merge: $(cat sbatch.log)"
# While a study's jobs are queued or running, a second run submits nothing.
: >sbatch.log && echo "  43_1 debug zvx-study root R 0:05 1 vm" >queue.txt && resubmit
[ ! -s sbatch.log ] && grep -q "still queued or running" resubmit.txt || fail "the recipe submitted beside running jobs"

# The tool alone configures with Qt and GoogleTest out of reach, and leaves out what needs them.
if command -v cmake >/dev/null; then
    cmake -S "$here/.." -B headless -DZVX_DESKTOP=OFF -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON \
        -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON >cmake.txt 2>&1 || fail "the tool alone does not configure: $(tail -5 cmake.txt)"
    cmake --build headless --target help >targets.txt 2>&1
    grep -q "zvx-analysis" targets.txt && ! grep -q "zvx_tests\|\.\.\. zvx$" targets.txt ||
        fail "the tool-alone build has the wrong targets: $(cat targets.txt)"
fi

[ "$failures" -eq 0 ] && echo "study cluster tests passed" && exit 0
echo "$failures failure(s)"
exit 1
