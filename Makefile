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

# Derivation and count timings on the benchmark lattices of bench/data and synthetic jobs,
# with the literal enumeration as the baseline where it finishes within BASELINE seconds.
BASELINE ?= 60
bench: build
	$(BUILD)/bench/mirelkon_bench --baseline-seconds $(BASELINE) bench/data/*.txt examples/m28.txt

# The prefix is set when configuring too: --help names the installed documentation.
install:
	$(MAKE) build CMAKE_FLAGS="$(CMAKE_FLAGS) -DCMAKE_INSTALL_PREFIX=$(PREFIX)"
	cmake --install $(BUILD)

clean:
	rm -rf $(BUILD)
