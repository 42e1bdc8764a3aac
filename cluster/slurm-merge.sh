#!/usr/bin/env bash
#SBATCH --job-name=mirelkon-merge
#SBATCH --cpus-per-task=1
#SBATCH --output=slurm-merge-%j.log
# Adds up the parts in DIR into DIR/result.txt once the array has ended (cluster/slurm-submit.sh
# makes it wait for the array). When parts are missing, merge names them on standard error
# (the job's log) and the job fails: resubmit the array for just those indices, then this.
#
#   sbatch cluster/slurm-merge.sh DIR M
set -euo pipefail
here=${MIRELKON_CLUSTER_DIR:-$(cd "$(dirname "$0")" && pwd)}
. "$here/part_command.sh"

[ $# -eq 2 ] || { echo "usage: sbatch slurm-merge.sh DIR M" >&2; exit 2; }
check_part_count "$2"
cd "$1"
merge_parts "$2" > result.txt.tmp
mv result.txt.tmp result.txt
