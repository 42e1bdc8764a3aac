#!/usr/bin/env bash
# Builds the libFuzzer target with clang and runs it for the given number of seconds
# (default 60), seeded with the sample, the examples and the transcript-test inputs.
# A finding stops the run with a non-zero status and leaves the input in build-fuzz/.
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds=${1:-60}

CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMIRELKON_FUZZ=ON \
  -DBUILD_TESTING=OFF >/dev/null
cmake --build build-fuzz -j 2 --target fuzz_input >/dev/null

corpus=build-fuzz/corpus
mkdir -p "$corpus"
cp SampleDataMirelkon.txt examples/*.txt tests/fuzz/regressions/* "$corpus"/
for file in tests/transcript/cases/*/files/*; do
  [ -f "$file" ] && cp "$file" "$corpus/$(basename "$(dirname "$(dirname "$file")")")-$(basename "$file")"
done

build-fuzz/fuzz_input -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
  -artifact_prefix=build-fuzz/ -print_final_stats=1 "$corpus"
