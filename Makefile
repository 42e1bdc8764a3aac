# The everyday commands: `make run` and `make test`; both build first (Release, into build/).
BUILD ?= build
CMAKE_FLAGS ?=
PREFIX ?= /usr/local

.PHONY: build build-tests run test bench install clean

build:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j 2

# The tests need GoogleTest; a plain build leaves them out where it is missing.
build-tests:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DMIRELKON_TESTS=ON $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j 2

run: build
	$(BUILD)/mirelkon SampleDataMirelkon.txt

test: build-tests
	ctest --test-dir $(BUILD) --output-on-failure -j 2

# Derivation and count timings (median of 7 runs) with the counter's statistics on the
# benchmark lattices of bench/data and bench/data/large, the generated jobs (the hard
# 30-element rule sets; 64-element sets of 64 to 4096 rules, several of 2n to 4n; rules that
# follow levels of antichains; random lattices of 28 to 62 elements given whole, by half of
# their equations, by their joins alone and by their meets alone) and synthetic jobs, with the
# literal enumeration as the baseline for jobs of at most 30 elements where it finishes within
# BASELINE seconds; then whole runs of the program on the large lattices and the generated
# jobs, from start to exit. BENCH_FLAGS go to the timing run, e.g. "--cnf DIR" to write each
# job's rules as CNF for general model counters.
BASELINE ?= 60
HARD30 ?= 20
bench: build
	python3 bench/make_random_jobs.py $(BUILD)/bench-jobs $(HARD30)
	$(BUILD)/bench/mirelkon_bench --baseline-seconds $(BASELINE) $(BENCH_FLAGS) bench/data/*.txt \
		examples/m28.txt bench/data/large/*.txt $(BUILD)/bench-jobs/*.txt
	$(BUILD)/bench/mirelkon_run_timer $(BUILD)/mirelkon bench/data/large/*.txt \
		$(BUILD)/bench-jobs/*.txt

# The prefix is set when configuring too: --help names the installed documentation.
install:
	$(MAKE) build CMAKE_FLAGS="$(CMAKE_FLAGS) -DCMAKE_INSTALL_PREFIX=$(PREFIX)"
	cmake --install $(BUILD)

clean:
	rm -rf $(BUILD)
