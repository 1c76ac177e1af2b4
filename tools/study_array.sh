#!/usr/bin/env bash
# A long study split into parts that run anywhere, then merged into one game file and one JSON.
#
# Settings (environment), the same for every part:
#   ZVX_ANALYSIS  the tool (default: build-release/zvx-analysis under the folder the job was submitted from,
#                 else zvx-analysis on PATH)
#   ZVX_HOURS     hours per part (default 1000000)
#   ZVX_SEED      the study's seed (default 1)
#   ZVX_OUT       the folder for the parts, their manifests, logs and the merge (default study)
#   ZVX_FLAGS     further flags for every part: rules, strategy (default none)
#   ZVX_PARTS     local mode only: how many parts to play (default 4)
# Every part plays the same seed on its own stream of the long generator (part k: --stream k), so no two
# parts ever deal the same shoes, and writes part-k.zvx, its manifest part-k.zvx.json and part-k.json.
#
# On Slurm (from the repository root; see the README for the merge and for resubmitting a failed part):
#   sbatch --parsable --array=0-99 --output="$ZVX_OUT/zvx-study-%A-%a.log" tools/study_array.sh
# Without a scheduler it plays ZVX_PARTS local processes and the merge; when one part fails the others are
# stopped and the script fails without merging:
#   ZVX_PARTS=4 tools/study_array.sh
#SBATCH --job-name=zvx-study
#SBATCH --cpus-per-task=2
set -euo pipefail
root=${SLURM_SUBMIT_DIR:-$PWD}
if [ -n "${ZVX_ANALYSIS:-}" ]; then bin=$ZVX_ANALYSIS
elif [ -x "$root/build-release/zvx-analysis" ]; then bin=$root/build-release/zvx-analysis
else bin=zvx-analysis
fi
hours=${ZVX_HOURS:-1000000}
seed=${ZVX_SEED:-1}
out=${ZVX_OUT:-study}
read -r -a flags <<<"${ZVX_FLAGS:-}"
mkdir -p "$out"

# The part becomes the tool itself (exec), so stopping it stops the tool, not only a shell around it.
part() {
    exec "$bin" --hours "$hours" --seed "$seed" --stream "$1" --jobs "${SLURM_CPUS_PER_TASK:-1}" "${flags[@]}" \
        --save "$out/part-$1.zvx" --json "$out/part-$1.json" >/dev/null
}

if [ -n "${SLURM_ARRAY_TASK_ID:-}" ]; then
    part "$SLURM_ARRAY_TASK_ID"
    exit
fi

parts=${ZVX_PARTS:-4}
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
        echo "study_array.sh: part $k failed (exit $status); the other parts were stopped, nothing was merged" >&2
        stop_all
        exit 1
    fi
done
"$bin" merge "$out"/part-*.zvx --expect-streams "0-$((parts - 1))" --save "$out/study.zvx" --json "$out/study.json"
