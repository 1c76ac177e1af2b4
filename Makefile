# The two everyday commands: `make run` and `make test`. Both install what is missing first.
JOBS    ?= $(shell nproc)
BUILD   ?= build
ASAN    ?= build-asan
RELEASE ?= build-release
FUZZ    ?= build-fuzz
HEADLESS ?= build-headless
FUZZ_SECONDS ?= 60

.PHONY: all deps build run tool test bench fuzz fuzz-seeds fuzz-build clean

all: build

deps:
	@tools/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZVX_DESKTOP=ON
	cmake --build $(BUILD) -j $(JOBS)

# Starts the desktop program in the current directory (where it keeps ZVX.PRM).
run: deps
	cmake -S . -B $(RELEASE) -DCMAKE_BUILD_TYPE=Release -DZVX_DESKTOP=ON
	cmake --build $(RELEASE) -j $(JOBS) --target zvx zvx-analysis
	@if [ -z "$$DISPLAY$$WAYLAND_DISPLAY$$QT_QPA_PLATFORM" ]; then \
	  echo "No display to open the window on: run $(RELEASE)/zvx-analysis --help for the analysis on the command line."; \
	else $(RELEASE)/zvx; fi

# The command-line tool alone, for a machine without root, Qt or GoogleTest (a cluster's login node): no
# install step; CLI11 and nlohmann-json come from the system or from a prefix on CMAKE_PREFIX_PATH.
tool:
	cmake -S . -B $(RELEASE) -DCMAKE_BUILD_TYPE=Release -DZVX_DESKTOP=OFF
	cmake --build $(RELEASE) -j $(JOBS) --target zvx-analysis

# The last step proves the tool still builds with Qt and GoogleTest out of reach, cheaply: unoptimised, the
# tool's target only, and one short run.
test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	cmake -S . -B $(ASAN) -DCMAKE_BUILD_TYPE=Debug -DZVX_SANITIZE=ON
	cmake --build $(ASAN) -j $(JOBS)
	cd $(ASAN) && ctest --output-on-failure -j $(JOBS)
	cmake -S . -B $(HEADLESS) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-O0 -DZVX_DESKTOP=OFF \
	  -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON
	cmake --build $(HEADLESS) -j $(JOBS) --target zvx-analysis
	$(HEADLESS)/zvx-analysis --hours 20 --seed 1 --jobs 2 --json - >/dev/null

bench: deps
	cmake -S . -B $(RELEASE) -DCMAKE_BUILD_TYPE=Release -DZVX_DESKTOP=ON
	cmake --build $(RELEASE) -j $(JOBS) --target zvx-analysis zvx
	bench/bench.sh $(RELEASE)/zvx-analysis $(RELEASE)/zvx

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
	rm -rf $(BUILD) $(ASAN) $(RELEASE) $(FUZZ) $(HEADLESS)
