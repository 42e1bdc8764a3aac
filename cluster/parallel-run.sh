#!/usr/bin/env bash
# Runs one survey or count of every lattice of N elements as M parts with GNU parallel, on
# this machine's cores or on other machines over SSH, then adds the parts up with merge.
#
#   cluster/parallel-run.sh [-j JOBS] [--sshlogin LOGINS] [--threads T] DIR M COMMAND...
#
#   COMMAND  `survey N [--top T] [--at-least X]` or `all N --count`
#   DIR      the folder of the parts (partK.jsonl), the job log (joblog) and the result
#            (result.txt); created if missing
#   -j       parts run at once on each machine (default: its number of cores)
#   --sshlogin  passed to parallel: "4/node1,4/node2" or "..,:" to include this machine;
#            the program must be on every machine's PATH; the parts come back to DIR
#   --threads   threads within each part (mirelkon-lattice -j; default 1)
#
# Started again with the same arguments, it runs only the parts that failed or never ran
# (parallel --resume-failed reads the job log) and merges again. A part's file appears only
# once its run has succeeded, so a part lost half-way is never added.
# MIRELKON_LATTICE names the program (default: mirelkon-lattice from the PATH).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/part_command.sh"

jobs=100%
sshlogin=()
threads=1
while [ $# -gt 0 ]; do
  case "$1" in
    -j) jobs=$2; shift 2 ;;
    --sshlogin) sshlogin=(--sshlogin "$2" --return 'part{}.jsonl' --cleanup); shift 2 ;;
    --threads) threads=$2; shift 2 ;;
    *) break ;;
  esac
done
[ $# -ge 3 ] || { sed -n '2,20p' "$0" >&2; exit 2; }
dir=$1 parts=$2
shift 2
check_part_count "$parts"
mkdir -p "$dir"
command=$(part_command "$threads" "$@")
cd "$dir"
# A part writes to a file of its own beside the others and renames it when done.
status=0
seq 1 "$parts" | parallel -j "$jobs" "${sshlogin[@]}" --joblog joblog --resume-failed \
  "$command --part {}/$parts > part{}.jsonl.tmp && mv part{}.jsonl.tmp part{}.jsonl" ||
  status=$?
if [ "$status" -ne 0 ]; then
  echo "parallel-run: $status part(s) failed; run the same command again to redo them" >&2
fi
merge_parts "$parts" > result.txt.tmp && mv result.txt.tmp result.txt
rm -f result.txt.tmp
[ "$status" -eq 0 ] && echo "parallel-run: $dir/result.txt" >&2
exit "$status"
