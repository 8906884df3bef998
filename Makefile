# The two commands of the README: `make run` and `make test`. Both install what is missing first.
PRESET ?= default
BUILD_DIR := build/$(PRESET)
# `make test` runs the whole suite twice: in the development build, then built with the address
# and undefined-behaviour sanitizers (`make test-default` or `make test-asan` runs one of them).
TEST_PRESETS := default asan

.PHONY: deps configure build run test $(addprefix test-,$(TEST_PRESETS)) bench fuzz clean

deps:
	bash scripts/install-deps.sh

configure: deps
	cmake --preset $(PRESET)

build: configure
	cmake --build --preset $(PRESET)

run: configure
	cmake --build --preset $(PRESET) --target programs
	$(BUILD_DIR)/bin/Lorefinder.exe

test: $(addprefix test-,$(TEST_PRESETS))

$(addprefix test-,$(TEST_PRESETS)): test-%: deps
	cmake --preset $*
	cmake --build --preset $*
	ctest --preset $*

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
