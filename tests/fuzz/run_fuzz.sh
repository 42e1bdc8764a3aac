#!/usr/bin/env bash
# Builds a libFuzzer target with clang and runs it for the given number of seconds (default
# 60): fuzz_input (default; the input path), fuzz_queries (the questions beyond the count)
# or fuzz_merge (merge on damaged parts). The input targets are seeded with the sample, the
# examples and the transcript-test inputs, fuzz_queries with two bytes of queries before
# each; fuzz_merge with tests/fuzz/merge_seeds. A finding stops the run with a non-zero
# status and leaves the input in build-fuzz/.
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds=${1:-60}
target=${2:-fuzz_input}

CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMIRELKON_FUZZ=ON \
  -DBUILD_TESTING=OFF >/dev/null
cmake --build build-fuzz -j 2 --target "$target" >/dev/null

corpus=build-fuzz/corpus-$target
mkdir -p "$corpus"
if [ "$target" = fuzz_merge ]; then
  cp tests/fuzz/merge_seeds/* "$corpus"/
else
  cp SampleDataMirelkon.txt examples/*.txt tests/fuzz/regressions/* "$corpus"/
  for file in tests/transcript/cases/*/files/*; do
    [ -f "$file" ] && cp "$file" "$corpus/$(basename "$(dirname "$(dirname "$file")")")-$(basename "$file")"
  done
  if [ "$target" = fuzz_queries ]; then
    # Every query asked, --containing naming "a", JSON records on.
    for file in "$corpus"/*; do { printf '\x7fa'; cat "$file"; } >"$file.q" && mv "$file.q" "$file"; done
  fi
fi

build-fuzz/"$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
  -artifact_prefix=build-fuzz/"$target"- -print_final_stats=1 "$corpus"
