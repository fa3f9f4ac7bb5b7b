# Two commands for a fresh Debian 12 machine: `make demo` and `make check`.
SHELL := /bin/bash
JOBS ?= 2
PRESETS := linux win32 win64

.PHONY: all deps deps-demo deps-bench deps-dist build build-linux build-demo build-windows build-asan build-fuzz check check-tests check-asan check-fuzz fuzz demo bench clean

all: build

# Package sets (tools/install_deps.sh): `make demo` installs only what the
# demo builds with; everything else installs what `make check` needs.
deps:
	@tools/install_deps.sh check

deps-demo:
	@tools/install_deps.sh demo

deps-bench:
	@tools/install_deps.sh bench

deps-dist:
	@tools/install_deps.sh dist

build-linux: deps
	cmake --preset linux -DBUILD_TESTING=ON
	cmake --build --preset linux -j $(JOBS)

# The module, the network-player module, the panel host and the demo tools,
# without the tests (and so without their frameworks).
DEMO_TARGETS := RadarGauge IBNetPlayer panel-host panel-montage
# A build folder that `make check` configured keeps its tests.
build-demo: deps-demo
	cmake --preset linux $$(grep -qx 'BUILD_TESTING:BOOL=ON' build/linux/CMakeCache.txt 2> /dev/null || echo -DBUILD_TESTING=OFF)
	cmake --build --preset linux -j $(JOBS) --target $(DEMO_TARGETS)

build-windows: deps-dist
	cmake --preset win32
	cmake --build --preset win32 -j $(JOBS)
	cmake --preset win64
	cmake --build --preset win64 -j $(JOBS)

build: build-linux build-windows

# The whole suite, then the same under AddressSanitizer and
# UndefinedBehaviorSanitizer, then every fuzzer for FUZZ_RUNS executions;
# every stage runs even when an earlier one failed, and the reliability
# summary closes the run.
FUZZ_RUNS ?= 20000
check: build build-asan build-fuzz
	@status=0; \
	$(MAKE) --no-print-directory check-tests || status=1; \
	$(MAKE) --no-print-directory check-asan || status=1; \
	$(MAKE) --no-print-directory check-fuzz || status=1; \
	tools/reliability_summary.sh build/linux build/asan build/fuzz || status=1; \
	exit $$status

check-tests:
	tools/reliability_ctest.sh linux $(JOBS)

build-asan: deps
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)

check-asan:
	tools/reliability_ctest.sh asan $(JOBS)

# libFuzzer harnesses: a clang project of their own (fuzz/CMakeLists.txt).
FUZZ_DIR ?= build/fuzz
build-fuzz: deps
	cmake -S fuzz -B $(FUZZ_DIR) -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
	cmake --build $(FUZZ_DIR) -j $(JOBS)

check-fuzz:
	JOBS=$(JOBS) tools/reliability_fuzz.sh $(FUZZ_DIR) runs $(FUZZ_RUNS)

# Every fuzzer for FUZZ_SECONDS each (two at a time), growing the corpus in
# $(FUZZ_DIR)/work; crashes land in $(FUZZ_DIR)/artifacts.
FUZZ_SECONDS ?= 600
fuzz: build-fuzz
	JOBS=$(JOBS) tools/reliability_fuzz.sh $(FUZZ_DIR) seconds $(FUZZ_SECONDS); \
	status=$$?; tools/reliability_summary.sh $(FUZZ_DIR); exit $$status

demo: build-demo
	tools/demo.sh build/linux

# The package a panel designer installs: dist/RadarGauge-<version>.zip with
# the 32-bit module, the guide and screenshots from the Linux build; prints
# its SHA-256 and writes dist/SHA256SUMS. The same commit gives the same bytes.
.PHONY: dist
dist: build-demo build-windows
	tools/make_dist.sh

# The frame benchmark, optimised, in its own build folder (not part of check):
# prints the medians against the goals and writes the plot.
BENCH_DIR ?= build/bench
BENCH_PLOT ?= $(BENCH_DIR)/performance.png
bench: deps-bench
	cmake -S . -B $(BENCH_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DRADAR_BENCH=ON -DBUILD_TESTING=OFF
	cmake --build $(BENCH_DIR) --target frame_bench -j $(JOBS)
	$(BENCH_DIR)/bench/frame_bench --benchmark_out=$(BENCH_DIR)/results.json --benchmark_out_format=json
	python3 bench/report.py $(BENCH_DIR)/results.json --plot $(BENCH_PLOT) $(if $(wildcard bench/baselines/reference.json),--baseline bench/baselines/reference.json) | tee $(BENCH_DIR)/performance.txt

clean:
	rm -rf build
