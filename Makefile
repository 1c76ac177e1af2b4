# The two everyday commands: `make run` and `make test`. Both install what is missing first.
JOBS    ?= $(shell nproc)
BUILD   ?= build
ASAN    ?= build-asan
RELEASE ?= build-release
FUZZ    ?= build-fuzz
FUZZ_SECONDS ?= 60

.PHONY: all deps build run test bench fuzz fuzz-seeds fuzz-build clean

all: build

deps:
	@tools/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

# Until the desktop program exists, `run` plays a short analysis on the command line.
run: deps
	cmake -S . -B $(RELEASE) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(RELEASE) -j $(JOBS) --target zvx-analysis
	$(RELEASE)/zvx-analysis --hours 2000

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	cmake -S . -B $(ASAN) -DCMAKE_BUILD_TYPE=Debug -DZVX_SANITIZE=ON
	cmake --build $(ASAN) -j $(JOBS)
	cd $(ASAN) && ctest --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B $(RELEASE) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(RELEASE) -j $(JOBS) --target zvx-analysis
	bench/bench.sh $(RELEASE)/zvx-analysis

# Each loader's fuzz target for FUZZ_SECONDS seconds, one after the other; the only command that needs clang.
fuzz: fuzz-build
	fuzz/run_fuzzers.sh $(FUZZ) $(FUZZ_SECONDS)

# Rewrites the seed corpora in fuzz/corpus from files the program makes.
fuzz-seeds: fuzz-build
	$(FUZZ)/fuzz/zvx_fuzz_seeds fuzz/corpus

fuzz-build:
	@tools/install-deps.sh fuzz
	cmake -S . -B $(FUZZ) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ -DZVX_FUZZ=ON
	cmake --build $(FUZZ) -j $(JOBS) --target fuzz_targets

clean:
	rm -rf $(BUILD) $(ASAN) $(RELEASE) $(FUZZ)
