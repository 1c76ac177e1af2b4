#!/usr/bin/env bash
# A long study split into parts that run anywhere, then merged into one game file and one JSON.
#
# Settings (environment), the same for every part and for the merge:
#   ZVX_ANALYSIS  the tool (default: build-release/zvx-analysis under the folder the job was submitted from,
#                 else zvx-analysis on PATH)
#   ZVX_HOURS     hours per part (default 1000000)
#   ZVX_SEED      the study's seed (default 1)
#   ZVX_OUT       the folder for the parts, their manifests, logs and the merge (default study); one study each
#   ZVX_FLAGS     further flags for every part: rules, strategy (default none)
#   ZVX_PARTS     how many parts the study has, streams 0..ZVX_PARTS-1 (default 4): the local mode plays them,
#                 the merge expects them
# Every part plays the same seed on its own stream of the long generator (part k: --stream k), so no two
# parts ever deal the same shoes, and writes part-k.zvx, its manifest part-k.zvx.json and part-k.json.
# A study of one part needs no merge: its part is copied as the study.
#
# Flags:
#   --merge   only merge the parts (the job that waits for the array on Slurm)
#   --force   let a part (or the study file) replace one of another study: other seed, generator, rules,
#             strategy or hours; without it the script refuses and plays nothing
#   --local   play the local mode even inside a Slurm job that is no array task
#
# On Slurm (from the repository root; see the README for the merge and for resubmitting a failed part):
#   sbatch --parsable --array=0-99 --output="$ZVX_OUT/zvx-study-%A-%a.log" tools/study_array.sh
#   sbatch --dependency=afterok:ID --kill-on-invalid-dep=yes tools/study_array.sh --merge
# Without a scheduler it plays ZVX_PARTS local processes (bash 5.1 or later) and the merge; each part's
# messages go to ZVX_OUT/zvx-study-local-K.log, and when one part fails the others are stopped and the script
# fails without merging:
#   ZVX_PARTS=4 ZVX_OUT=study-local tools/study_array.sh
#SBATCH --job-name=zvx-study
#SBATCH --cpus-per-task=2
set -euo pipefail
me=study_array.sh
force=0 local_mode=0 merge_only=0
for arg in "$@"; do
    case $arg in
        --force) force=1 ;;
        --local) local_mode=1 ;;
        --merge) merge_only=1 ;;
        *) echo "$me: unknown flag '$arg' (--merge, --force, --local)" >&2; exit 2 ;;
    esac
done
root=${SLURM_SUBMIT_DIR:-$PWD}
if [ -n "${ZVX_ANALYSIS:-}" ]; then bin=$ZVX_ANALYSIS
elif [ -x "$root/build-release/zvx-analysis" ]; then bin=$root/build-release/zvx-analysis
else bin=zvx-analysis
fi
hours=${ZVX_HOURS:-1000000}
seed=${ZVX_SEED:-1}
out=${ZVX_OUT:-study}
parts=${ZVX_PARTS:-4}
read -r -a flags <<<"${ZVX_FLAGS:-}"
case $parts in '' | *[!0-9]* | 0*) echo "$me: ZVX_PARTS='$parts' is not a number of parts (1..65536)" >&2; exit 2 ;; esac
if [ "${#parts}" -gt 5 ] || [ "$parts" -gt 65536 ]; then
    echo "$me: ZVX_PARTS=$parts: a study has at most 65536 parts (streams 0..65535)" >&2
    exit 2
fi
mkdir -p "$out"

# What makes two manifests one study, as the tool writes them (two-space indent, one field a line): the
# seed, generator, rules and playing strategy; the hours are compared apart, since a merge adds them up.
field() {
    if [ "$1" = rules ]; then sed -n '/^  "rules": {/,/^  }/p' "$2" | tr -d ' \n'
    else sed -n "s/^  \"$1\": \\(.*\\)\$/\\1/p" "$2" | sed 's/,$//'
    fi
}
other_study() { # manifest_there manifest_here: the first field they differ in, or nothing
    local f
    for f in seed generator rules playing_strategy; do
        if [ "$(field "$f" "$1")" != "$(field "$f" "$2")" ]; then
            if [ "$f" = rules ]; then echo "other rules"
            else echo "its $f is $(field "$f" "$1" | cut -c1-60), this study's $(field "$f" "$2" | cut -c1-60)"
            fi
            return
        fi
    done
}

# Part k may replace part-k.zvx only when that is a part of this same study (a part played again), unless
# --force. What this study's parts look like comes from the tool itself: one hour played the same way.
check_part() {
    local k=$1 file=$out/part-$1.zvx why="" probe
    [ -f "$file" ] || [ -f "$file.json" ] || return 0 # a folder there is no part: the part fails on it
    [ "$force" = 1 ] && return 0
    if [ ! -s "$file.json" ]; then
        why="it has no manifest ($file.json), so which study it belongs to cannot be told"
    else
        probe=$(mktemp -d "${TMPDIR:-/tmp}/zvx-study.XXXXXX")
        "$bin" --hours 1 --seed "$seed" --stream "$k" "${flags[@]}" --save "$probe/part.zvx" >/dev/null ||
            { rm -rf "$probe"; echo "$me: part $k: the tool refused its settings; nothing was played" >&2; return 1; }
        why=$(other_study "$file.json" "$probe/part.zvx.json")
        rm -rf "$probe"
        if [ -z "$why" ] && [ "$(field hours "$file.json")" != "$hours" ]; then
            why="it played $(field hours "$file.json") hours, this study's parts $hours"
        fi
    fi
    [ -z "$why" ] && return 0
    echo "$me: will not replace $file, a part of another study ($why); nothing was played." \
        "Give each study its own ZVX_OUT, or add --force to replace it" >&2
    return 1
}

# The study from its parts: one merge, checked against the streams 0..parts-1; a study of one part is that
# part, copied (game file, manifest and JSON) under the study's names.
merge_parts() {
    if [ "$force" = 1 ]; then rm -f "$out/study.zvx" "$out/study.zvx.json"; fi
    if [ "$parts" -gt 1 ]; then
        "$bin" merge "$out"/part-*.zvx --expect-streams "0-$((parts - 1))" --save "$out/study.zvx" --json "$out/study.json"
        return
    fi
    local found=("$out"/part-*.zvx) why
    if [ ! -s "$out/part-0.zvx.json" ] || [ "${#found[@]}" -ne 1 ]; then
        echo "$me: a study of one part needs $out/part-0.zvx with its manifest and no other part; nothing was merged" >&2
        return 1
    fi
    if [ -s "$out/study.zvx.json" ] && why=$(other_study "$out/study.zvx.json" "$out/part-0.zvx.json") && [ -n "$why" ]; then
        echo "$me: $out/study.zvx holds another study ($why); nothing was written: remove it and" \
            "$out/study.zvx.json to replace it, or add --force" >&2
        return 1
    fi
    local name
    for name in zvx zvx.json json; do
        [ -e "$out/part-0.$name" ] || continue
        cp "$out/part-0.$name" "$out/.study.$name.$$" && mv -f "$out/.study.$name.$$" "$out/study.$name"
    done
    echo "$me: a study of one part: $out/study.zvx is $out/part-0.zvx"
}

if [ "$merge_only" = 1 ]; then
    merge_parts
    exit
fi

if [ -n "${SLURM_ARRAY_TASK_ID:-}" ]; then
    k=$SLURM_ARRAY_TASK_ID
    check_part "$k"
    status=0
    "$bin" --hours "$hours" --seed "$seed" --stream "$k" --jobs "${SLURM_CPUS_PER_TASK:-1}" "${flags[@]}" \
        --save "$out/part-$k.zvx" --json "$out/part-$k.json" >/dev/null || status=$?
    if [ "$status" -ne 0 ]; then
        log=$(scontrol show job "${SLURM_JOB_ID:-}" 2>/dev/null | sed -n 's/^ *StdOut=//p' | head -n 1) || true
        log=${log:-$out/zvx-study-${SLURM_ARRAY_JOB_ID:-JOB}-$k.log}
        echo "$me: part $k failed (stream $k, exit $status; its messages are in $log): the merge waiting for" \
            "this array is cancelled once the whole array has ended; resubmit the missing parts" >&2
    fi
    exit "$status"
fi

# A Slurm job that is no array task (an empty --array submits a plain job) has no part to play, and the local
# mode would play streams 0.. over the parts of the running study.
if [ -n "${SLURM_JOB_ID:-}" ] && [ "$local_mode" = 0 ]; then
    echo "$me: Slurm job $SLURM_JOB_ID is no array task, so it has no part to play; nothing was played." \
        "Submit with --array=A-B, or add --local to play the whole study in this job" >&2
    exit 2
fi

# The local mode waits for whichever part ends first and learns which (wait -n -p: bash 5.1).
if [ "${BASH_VERSINFO[0]}" -lt 5 ] || { [ "${BASH_VERSINFO[0]}" -eq 5 ] && [ "${BASH_VERSINFO[1]}" -lt 1 ]; }; then
    echo "$me: the local mode needs bash 5.1 or later, this is $BASH_VERSION; play the parts with GNU parallel" \
        "or on Slurm instead (see the README)" >&2
    exit 2
fi
for ((k = 0; k < parts; k++)); do check_part "$k"; done

# Each part becomes the tool itself (exec), so stopping it stops the tool, not only a shell around it.
part() {
    exec "$bin" --hours "$hours" --seed "$seed" --stream "$1" --jobs "${SLURM_CPUS_PER_TASK:-1}" "${flags[@]}" \
        --save "$out/part-$1.zvx" --json "$out/part-$1.json" >/dev/null 2>"$out/zvx-study-local-$1.log"
}
declare -A running=() # pid -> part
stop_all() {
    for pid in "${!running[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${!running[@]}"; do wait "$pid" 2>/dev/null || true; done
}
trap 'stop_all; exit 130' INT TERM
for ((k = 0; k < parts; k++)); do
    part "$k" &
    running[$!]=$k
done
while [ "${#running[@]}" -gt 0 ]; do
    status=0
    wait -n -p done_pid "${!running[@]}" || status=$?
    k=${running[$done_pid]}
    unset "running[$done_pid]"
    if [ "$status" -ne 0 ]; then
        log=$out/zvx-study-local-$k.log
        echo "$me: part $k failed (stream $k, exit $status; its messages are in $log): the other parts were" \
            "stopped, nothing was merged" >&2
        sed 's/^/  /' "$log" | tail -n 3 >&2
        stop_all
        exit 1
    fi
done
merge_parts
