# The two everyday commands: `make run` and `make test`. Both build first (Release, into build/).
BUILD ?= build
CMAKE_FLAGS ?=

.PHONY: build run test bench clean

build:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j 2

run: build
	$(BUILD)/mirelkon SampleDataMirelkon.txt

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j 2

# Derivation and count timings on the benchmark lattices of bench/data and synthetic jobs, with the
# literal enumeration as the baseline where it finishes within BASELINE seconds.
BASELINE ?= 60
bench: build
	$(BUILD)/bench/mirelkon_bench --baseline-seconds $(BASELINE) bench/data/*.txt examples/m28.txt

clean:
	rm -rf $(BUILD)
