#!/usr/bin/env bash
# The cluster recipes of cluster/ against the whole run on this machine: GNU parallel over 16
# parts with a part that fails and is redone, the Slurm array task and merge scripts under a
# stand-in task index, and the submit script against a stand-in sbatch.
#   tests/cluster/cluster_recipes_test.sh PROGRAM CLUSTER_DIR
set -euo pipefail
program=$(realpath "$1") recipes=$2
export MIRELKON_LATTICE=$program
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
same() { cmp -s "$1" "$2" || { fail "$3"; diff "$1" "$2" | head -5 >&2; }; }

"$program" survey 11 > "$work/whole.txt"

# GNU parallel: part 5 fails on the first run (a stand-in program refuses it), the run says
# so and leaves no part 5; the second run redoes only part 5.
if command -v parallel >/dev/null; then
  cat > "$work/flaky" <<FLAKY
#!/usr/bin/env bash
for word in "\$@"; do [ "\$word" = 5/16 ] && exit 1; done
exec "$program" "\$@"
FLAKY
  chmod +x "$work/flaky"
  if MIRELKON_LATTICE=$work/flaky "$recipes/parallel-run.sh" -j 2 "$work/p" 16 survey 11 2>"$work/err"; then
    fail "parallel-run succeeded with a failed part"
  fi
  [ ! -e "$work/p/part5.jsonl" ] || fail "the failed part left its file"
  grep -q "part(s) failed" "$work/err" || fail "parallel-run did not name the failure"
  "$recipes/parallel-run.sh" -j 2 "$work/p" 16 survey 11 2>/dev/null || fail "the rerun failed"
  [ "$(grep -c "part 5/16\|--part 5/16" "$work/p/joblog")" -eq 2 ] || fail "part 5 was not run again"
  [ "$(wc -l < "$work/p/joblog")" -eq 18 ] || fail "the rerun ran more than the failed part"
  same "$work/p/result.txt" "$work/whole.txt" "parallel parts differ from the whole survey"
else
  fail "GNU parallel is not installed"
fi

# Slurm: each task of the array by its index, then the merge; a lost task is named.
for k in $(seq 1 16); do
  SLURM_ARRAY_TASK_ID=$k "$recipes/slurm-part.sh" "$work/s" 16 survey 11 || fail "task $k failed"
done
rm "$work/s/part3.jsonl"
if "$recipes/slurm-merge.sh" "$work/s" 16 2>"$work/err"; then fail "merge accepted a missing part"; fi
grep -q "missing: 3$" "$work/err" || { fail "merge did not name part 3"; cat "$work/err" >&2; }
SLURM_ARRAY_TASK_ID=3 "$recipes/slurm-part.sh" "$work/s" 16 survey 11
"$recipes/slurm-merge.sh" "$work/s" 16 || fail "merge failed"
same "$work/s/result.txt" "$work/whole.txt" "Slurm parts differ from the whole survey"

# The same recipes for all N --count: the parts' records add up to the whole count.
"$recipes/parallel-run.sh" -j 2 "$work/c" 16 all 11 --count 2>/dev/null || fail "parallel count failed"
for k in 1 2 3; do
  SLURM_ARRAY_TASK_ID=$k "$recipes/slurm-part.sh" "$work/sc" 3 all 11 --count || fail "count task $k"
done
"$recipes/slurm-merge.sh" "$work/sc" 3 || fail "merge of the counted parts failed"
"$program" all 11 --count > "$work/count.txt"
same "$work/c/result.txt" "$work/count.txt" "parallel count parts differ from the whole count"
same "$work/sc/result.txt" "$work/count.txt" "Slurm count parts differ from the whole count"

# slurm-submit: the merge job waits for the array, both get the user's options.
mkdir "$work/bin"
cat > "$work/bin/sbatch" <<'SBATCH'
#!/usr/bin/env bash
echo "$*" >> "$SBATCH_LOG"
n=$(wc -l < "$SBATCH_LOG")
echo "$((4000 + n));cluster"
SBATCH
chmod +x "$work/bin/sbatch"
SBATCH_LOG=$work/sbatch.log PATH="$work/bin:$PATH" \
  "$recipes/slurm-submit.sh" --time=01:00:00 "$work/q" 16 survey 11 >/dev/null
grep -q -- "--time=01:00:00 --array=1-16 .*slurm-part.sh $work/q 16 survey 11" "$work/sbatch.log" ||
  fail "the array was not submitted as expected"
grep -q -- "--time=01:00:00 --dependency=afterany:4001 .*slurm-merge.sh $work/q 16" "$work/sbatch.log" ||
  fail "the merge does not wait for the array"

if [ "$failures" -eq 0 ]; then echo "cluster recipes: all checks passed"; fi
exit $((failures > 0))
