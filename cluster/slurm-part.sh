#!/usr/bin/env bash
#SBATCH --job-name=mirelkon-part
#SBATCH --cpus-per-task=1
#SBATCH --output=slurm-%A_%a.log
# One part of a survey or count as one task of a Slurm job array: part K of M, where K is the
# task's index. Submitted by cluster/slurm-submit.sh, or by hand:
#
#   sbatch --array=1-M cluster/slurm-part.sh DIR M COMMAND...
#   sbatch --array=17,58 cluster/slurm-part.sh DIR M COMMAND...     # only parts 17 and 58 again
#
# The part goes to DIR/partK.jsonl, written beside it and renamed when the run succeeded, so a
# task that fails or is killed leaves no part behind. The task's cores become the part's
# threads.
set -euo pipefail
here=${MIRELKON_CLUSTER_DIR:-$(cd "$(dirname "$0")" && pwd)}
. "$here/part_command.sh"

[ $# -ge 3 ] || { echo "usage: sbatch --array=1-M slurm-part.sh DIR M COMMAND..." >&2; exit 2; }
[ -n "${SLURM_ARRAY_TASK_ID:-}" ] || { echo "SLURM_ARRAY_TASK_ID is not set: submit with sbatch --array" >&2; exit 2; }
dir=$1 parts=$2
shift 2
check_part_count "$parts"
k=$SLURM_ARRAY_TASK_ID
command=$(part_command "${SLURM_CPUS_PER_TASK:-1}" "$@")
mkdir -p "$dir"
eval "$command --part $k/$parts" > "$dir/part$k.jsonl.tmp"
mv "$dir/part$k.jsonl.tmp" "$dir/part$k.jsonl"
