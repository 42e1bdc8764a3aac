#!/bin/bash
# Runs two general model counters, d4 and SharpSAT-TD, over the CNF files that
# `mirelkon_bench --cnf FOLDER` wrote, and prints for each file and counter the count, the
# counter's own counting time as it reports it, and the whole run's wall time. Neither counter
# is part of this repository; build them from their public sources and name them here:
#
#   D4=/path/to/d4 SHARPSAT_TD=/path/to/sharpSAT FLOWCUTTER=/path/to/flow_cutter_pace17 \
#     bench/peers.sh FOLDER [SECONDS]
#
# SECONDS (default 40) bounds each run. SharpSAT-TD spends a fixed second on its tree
# decomposition (-decot 1) before it counts; its counting time is the time after that.
# A counter not named, or not found, is left out.
set -u
folder=${1:?usage: peers.sh FOLDER [SECONDS]}
limit=${2:-40}
D4=${D4:-}
SHARPSAT_TD=${SHARPSAT_TD:-}
FLOWCUTTER=${FLOWCUTTER:-}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# SharpSAT-TD runs the decomposer from the folder it runs in.
[ -n "$FLOWCUTTER" ] && ln -s "$(realpath "$FLOWCUTTER")" "$work/flow_cutter_pace17"

now() { date +%s.%N; }

run_d4() {
  local start out
  start=$(now)
  out=$(cd "$work" && timeout "$limit" "$D4" -mc "$1" 2>&1)
  local total count own
  total=$(echo "$(now) - $start" | bc)
  count=$(echo "$out" | awk '$1 == "s" { print $2 }')
  own=$(echo "$out" | awk '/Final time/ { print $NF }')
  printf "  d4 %s own %s s total %.3f s" "${count:-none}" "${own:-?}" "$total"
}

run_sharpsat_td() {
  local start out
  start=$(now)
  out=$(cd "$work" && timeout "$limit" "$SHARPSAT_TD" -decot 1 -decow 100 -tmpdir . \
    -cs 3500 "$1" 2>&1)
  local total count own
  total=$(echo "$(now) - $start" | bc)
  count=$(echo "$out" | awk '$1 == "c" && $2 == "s" && $3 == "exact" { print $NF }')
  own=$(echo "$out" | awk '/Now solving/ { from = $NF } /Solved in/ { print $(NF - 1) - from }')
  printf "  sharpsat-td %s own %s s total %.3f s" "${count:-none}" "${own:-?}" "$total"
}

for cnf in "$folder"/*.cnf; do
  path=$(realpath "$cnf")
  printf "%-34s" "$(basename "$cnf" .cnf)"
  [ -n "$D4" ] && [ -x "$D4" ] && run_d4 "$path"
  [ -n "$SHARPSAT_TD" ] && [ -x "$SHARPSAT_TD" ] && [ -n "$FLOWCUTTER" ] && run_sharpsat_td "$path"
  printf "\n"
done
