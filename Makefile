# The two commands of the README: `make run` and `make test`. Both install what is missing first.
PRESET ?= default
BUILD_DIR := build/$(PRESET)

.PHONY: deps configure build run test bench fuzz clean

deps:
	bash scripts/install-deps.sh

configure: deps
	cmake --preset $(PRESET)

build: configure
	cmake --build --preset $(PRESET)

run: build
	$(BUILD_DIR)/bin/Lorefinder.exe

test: build
	QT_QPA_PLATFORM=offscreen ctest --preset default

bench: deps
	cmake --preset release
	cmake --build --preset release --target benchmarks
	bash scripts/run-benchmarks.sh build/release

# libFuzzer targets, built with clang in build/fuzz, each run for SECONDS on its seed corpus.
SECONDS ?= 60
fuzz: deps
	bash fuzz/run.sh $(SECONDS)

clean:
	rm -rf build
