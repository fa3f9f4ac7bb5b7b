# Two commands for a fresh Debian 12 machine: `make demo` and `make check`.
SHELL := /bin/bash
JOBS ?= 2
PRESETS := linux win32 win64

.PHONY: all deps build build-linux build-windows check demo bench clean

all: build

deps:
	@tools/install_deps.sh

build-linux: deps
	cmake --preset linux
	cmake --build --preset linux -j $(JOBS)

build-windows: deps
	cmake --preset win32
	cmake --build --preset win32 -j $(JOBS)
	cmake --preset win64
	cmake --build --preset win64 -j $(JOBS)

build: build-linux build-windows

check: build
	ctest --preset linux -j $(JOBS)

demo: build-linux
	tools/demo.sh build/linux

# The package a panel designer installs: dist/RadarGauge-<version>.zip with
# the 32-bit module, the guide and screenshots from the Linux build.
.PHONY: dist
dist: build-linux build-windows
	tools/make_dist.sh

# The frame benchmark, optimised, in its own build folder (not part of check):
# prints the medians against the goals and writes the plot.
BENCH_DIR ?= build/bench
BENCH_PLOT ?= $(BENCH_DIR)/performance.png
bench: deps
	cmake -S . -B $(BENCH_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DRADAR_BENCH=ON -DBUILD_TESTING=OFF
	cmake --build $(BENCH_DIR) --target frame_bench -j $(JOBS)
	$(BENCH_DIR)/bench/frame_bench --benchmark_out=$(BENCH_DIR)/results.json --benchmark_out_format=json
	python3 bench/report.py $(BENCH_DIR)/results.json --plot $(BENCH_PLOT) $(if $(wildcard bench/baselines/reference.json),--baseline bench/baselines/reference.json) | tee $(BENCH_DIR)/performance.txt

clean:
	rm -rf build
