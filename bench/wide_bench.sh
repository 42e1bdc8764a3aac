#!/usr/bin/env bash
# Lattices of more than 64 elements, each written by mirelkon-lattice make as a lattice file
# and counted by mirelkon on one core: the count, the wall time and the peak memory of the
# whole run, checked against the known count where there is one. WIDE_TERMS replaces the
# list ("TERM=COUNT" or "TERM=" where the count is not known).
# Usage: wide_bench.sh MIRELKON MIRELKON_LATTICE
set -euo pipefail
mirelkon=$1
lattice=$2
terms=${WIDE_TERMS:-"B7=13170652;B8=822378267;partitions 6=26709502;C4 x C4 x C5=;subspaces 2 4=;young 4 4=;diamond 200=1606938044258990275541962092341162602522202993782792835301979;chain 1024="}
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
printf '%-22s %6s %12s %10s  %s\n' term n seconds "peak MB" "|Sub(L)|"
IFS=';' read -ra entries <<<"$terms"
for entry in "${entries[@]}"; do
  term=${entry%%=*}
  known=${entry#*=}
  file="$folder/lattice.txt"
  rm -f "$file"
  "$lattice" make "$term" -o "$file"
  /usr/bin/time -f '%e %M' -o "$folder/time" \
    "$mirelkon" --batch --no-results "$file" >"$folder/out" </dev/null
  read -r seconds kilobytes <"$folder/time"
  count=$(sed -n 's/^-- Result:   |Sub(L)|=\([0-9]*\) .*/\1/p' "$folder/out")
  n=$(sed -n 's/.* \([0-9]*\) elements\. Thus,.*/\1/p' "$folder/out")
  printf '%-22s %6s %12s %10s  %s\n' "$term" "$n" "$seconds" "$((kilobytes / 1024))" "$count"
  if [ -n "$known" ] && [ "$count" != "$known" ]; then
    echo "wide_bench: $term: counted $count, known $known" >&2
    exit 1
  fi
done
