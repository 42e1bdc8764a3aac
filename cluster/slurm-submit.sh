#!/usr/bin/env bash
# Submits a survey or count of every lattice of N elements to Slurm: a job array of M parts
# and a merge job that starts when the array has ended, whatever became of its tasks.
#
#   cluster/slurm-submit.sh [SBATCH OPTIONS...] DIR M COMMAND...
#
# for instance
#   cluster/slurm-submit.sh --cpus-per-task=2 --time=01:00:00 runs/survey18 10000 survey 18
# Options before DIR (up to the first word without a leading dash) go to both sbatch calls.
# Slurm caps an array's size (MaxArraySize, often 1001 or 10001); split larger runs by hand.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/part_command.sh"

options=()
while [ $# -gt 0 ] && [ "${1#-}" != "$1" ]; do
  options+=("$1")
  shift
done
[ $# -ge 3 ] || { sed -n '2,12p' "$0" >&2; exit 2; }
dir=$1 parts=$2
check_part_count "$parts"
mkdir -p "$dir"
array=$(sbatch --parsable "${options[@]}" --array="1-$parts" --chdir="$PWD" \
  --export=ALL,MIRELKON_CLUSTER_DIR="$here" "$here/slurm-part.sh" "$@")
array=${array%%;*}
merge=$(sbatch --parsable "${options[@]}" --dependency="afterany:$array" --chdir="$PWD" \
  --export=ALL,MIRELKON_CLUSTER_DIR="$here" "$here/slurm-merge.sh" "$dir" "$parts")
echo "array job $array ($parts parts into $dir), merge job ${merge%%;*}"
