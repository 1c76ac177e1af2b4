#!/usr/bin/env bash
# A long study split into parts that run anywhere, then merged into one game file and one JSON.
#
# On a Slurm cluster, one array task per part, then one merge once they have all ended:
#   id=$(sbatch --parsable --array=0-99 tools/study_array.sh)
#   sbatch --dependency=afterok:$id --wrap 'zvx-analysis merge study/part-*.zvx --save study/study.zvx --json study/study.json'
# Without a scheduler, ZVX_PARTS local processes and the merge, in one go:
#   ZVX_PARTS=4 tools/study_array.sh
#
# Every part plays the same seed on its own stream of the long generator (part k: --stream k), so no two
# parts ever deal the same shoes. Settings (environment): ZVX_ANALYSIS the binary (zvx-analysis on PATH),
# ZVX_HOURS hours per part, ZVX_SEED the seed, ZVX_OUT the folder, ZVX_FLAGS further flags (rules, strategy)
# for every part.
#SBATCH --job-name=zvx-study
#SBATCH --cpus-per-task=2
#SBATCH --output=zvx-study-%a.log
set -euo pipefail
bin=${ZVX_ANALYSIS:-zvx-analysis}
hours=${ZVX_HOURS:-1000000}
seed=${ZVX_SEED:-1}
out=${ZVX_OUT:-study}
read -r -a flags <<<"${ZVX_FLAGS:-}"
mkdir -p "$out"

part() {
    "$bin" --hours "$hours" --seed "$seed" --stream "$1" --jobs "${SLURM_CPUS_PER_TASK:-1}" "${flags[@]}" \
        --save "$out/part-$1.zvx" --json "$out/part-$1.json" >/dev/null
}

if [ -n "${SLURM_ARRAY_TASK_ID:-}" ]; then
    part "$SLURM_ARRAY_TASK_ID"
    exit
fi
pids=()
for ((k = 0; k < ${ZVX_PARTS:-4}; k++)); do
    part "$k" &
    pids+=($!)
done
for pid in "${pids[@]}"; do wait "$pid"; done
"$bin" merge "$out"/part-*.zvx --save "$out/study.zvx" --json "$out/study.json"
