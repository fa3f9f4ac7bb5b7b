# Two commands for a fresh Debian 12 machine: `make demo` and `make check`.
SHELL := /bin/bash
JOBS ?= 2
PRESETS := linux win32 win64

.PHONY: all deps build build-linux build-windows check demo clean

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

clean:
	rm -rf build
