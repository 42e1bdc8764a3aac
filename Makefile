# The two everyday commands: `make run` and `make test`. Both build first (Release, into build/).
BUILD ?= build
CMAKE_FLAGS ?=

.PHONY: build run test clean

build:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j 2

run: build
	$(BUILD)/mirelkon SampleDataMirelkon.txt

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j 2

clean:
	rm -rf $(BUILD)
