# The everyday commands: `make` builds the two programs (Release, into build/) and the Python
# module where pybind11 and Python's headers are found, `make python` the module alone,
# `make run` and `make test` build what they need first, `make install` copies what `make`
# built and `make uninstall` removes it again. Building checks the Debian packages it needs
# first (scripts/debian_packages.sh): as root it installs the missing ones, else it names them.
BUILD ?= build
CMAKE_FLAGS ?=
PREFIX ?= /usr/local
PROGRAMS = mirelkon mirelkon-lattice

.PHONY: build python build-tests run test bench install uninstall clean

build:
	@bash scripts/debian_packages.sh build
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j 2 --target $(PROGRAMS) python

# The Python module mirelkon into $(BUILD)/python (PYTHONPATH=$(BUILD)/python to use it there).
python:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j 2 --target python

# The tests need GoogleTest; a plain build leaves them out where it is missing.
build-tests:
	@bash scripts/debian_packages.sh test
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
# their equations, by their joins alone and by their meets alone; the structured families of
# bench/make_family_jobs.py: bands, grids, dumbbells, necklaces, midpoint and sum rules,
# lattices times a chain given whole, Boolean products by their joins or meets alone) and
# synthetic jobs, with the literal enumeration as the baseline for jobs of at most 30 elements
# where it finishes within BASELINE seconds; the counts by size beside the count on the large lattices; then whole
# runs of the program on the large lattices and the generated jobs, from start to exit.
# BENCH_FLAGS go to the timing run, e.g. "--cnf DIR" to write each job's rules as CNF for
# general model counters (bench/peers.sh runs two of them over such a folder).
#
# Then the lattice generator (see bench/generate_bench.cpp): all N for N up to GENERATE_N,
# survey up to SURVEY_N, the balance of parts, and the public route (nauty-genposetg with a
# lattice filter) up to GENERATE_BASELINE_N. The defaults take about a minute of CPU;
# GENERATE_N=14 adds two minutes, 15 about fifteen, SURVEY_N=13 about a minute, 14 about
# fifteen, GENERATE_BASELINE_N=13 about two. GENERATE_BASE=PATH times an older
# mirelkon-lattice beside each `all N --count` row, by turns, with the ratio of the rates.
#
# Then lattices of more than 64 elements through lattice files (bench/wide_bench.sh): B7, B8
# and the partitions of a 6-set against their known counts, C4 x C4 x C5, the subspaces of
# GF(2)^4, Young 4 x 4, M_200 and the chain of 1024, with time and memory; WIDE_TERMS="..."
# counts others instead.
#
# Last, where the Python module is built, the count of the large lattices from Python beside
# the library's own, and the construction of lattices of 64 elements from their cover pairs
# (bench/python_bench.py).
BASELINE ?= 60
HARD30 ?= 20
GENERATE_N ?= 13
SURVEY_N ?= 12
GENERATE_BASELINE_N ?= 12
bench:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j 2 --target mirelkon mirelkon_bench mirelkon_run_timer \
		mirelkon-lattice mirelkon_generate_bench
	python3 bench/make_random_jobs.py $(BUILD)/bench-jobs $(HARD30)
	python3 bench/make_family_jobs.py $(BUILD)/bench-jobs
	$(BUILD)/bench/mirelkon_bench --baseline-seconds $(BASELINE) $(BENCH_FLAGS) bench/data/*.txt \
		examples/m28.txt bench/data/large/*.txt $(BUILD)/bench-jobs/*.txt
	$(BUILD)/bench/mirelkon_bench --baseline-seconds 0 --by-size bench/data/large/*.txt
	$(BUILD)/bench/mirelkon_run_timer $(BUILD)/mirelkon bench/data/large/*.txt \
		$(BUILD)/bench-jobs/*.txt
	$(BUILD)/bench/mirelkon_generate_bench $(BUILD)/mirelkon-lattice --largest $(GENERATE_N) \
		--survey $(SURVEY_N) --baseline $(GENERATE_BASELINE_N) \
		$(if $(GENERATE_BASE),--base $(GENERATE_BASE))
	bash bench/wide_bench.sh $(BUILD)/mirelkon $(BUILD)/mirelkon-lattice
	cmake --build $(BUILD) -j 2 --target python_bench

# Copies the programs `make` built, the documentation and the examples under PREFIX, and the
# Python module where it was built into PREFIX/lib/python3.X/dist-packages (site-packages for
# an interpreter other than Debian's); nothing is compiled (the programs find their
# documentation from where they are installed).
install:
	@for program in $(PROGRAMS); do test -x $(BUILD)/$$program || \
		{ echo "$(BUILD)/$$program is missing: run make first"; exit 1; }; done
	cmake --install $(BUILD) --prefix $(PREFIX)

# What install put under PREFIX: the two programs, the module, the library with its headers
# and CMake package, and the shared folder of documentation.
uninstall:
	rm -f $(addprefix $(PREFIX)/bin/,$(PROGRAMS))
	rm -f $(PREFIX)/lib/python3*/*-packages/mirelkon.*.so
	rm -f $(PREFIX)/lib/libmirelkon_*.a $(PREFIX)/lib/*/libmirelkon_*.a
	rm -rf $(PREFIX)/lib/cmake/Mirelkon $(PREFIX)/lib/*/cmake/Mirelkon $(PREFIX)/include/mirelkon
	rm -rf $(PREFIX)/share/mirelkon

clean:
	rm -rf $(BUILD)
