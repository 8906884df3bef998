# The commands of the README: `make run`, `make test`, `make install`, `make uninstall` and
# `make dist`. Those that build install what is missing first.
PRESET ?= default
BUILD_DIR := build/$(PRESET)
# `make install` installs for the user alone, who can then patch the browser with Tablepatch;
# `sudo make install PREFIX=/usr/local` installs for everyone.
PREFIX ?= $(HOME)/.local
# `make test` runs the whole suite twice: in the development build, then built with the address
# and undefined-behaviour sanitizers (`make test-default` or `make test-asan` runs one of them);
# then the Windows build's tests under 64-bit Wine (`make test-windows`). `make check` is the quick
# loop while editing: the development build and its tests, without the packaging checks.
TEST_PRESETS := default asan

.PHONY: deps configure build run check test $(addprefix test-,$(TEST_PRESETS)) test-windows install \
	uninstall dist windows web host-tools bench fuzz clean format check-format
# CI builds (CI=true) stop at the first compiler warning.
WARNINGS_AS_ERRORS := $(if $(filter-out 0 false,$(CI)),ON,OFF)
# `make test` first checks that every C++ file reads as clang-format writes it, when FORMAT_CHECK=1.
FORMAT_CHECK ?= 1

deps:
	bash scripts/install-deps.sh

configure: deps
	cmake --preset $(PRESET)

build: configure
	cmake --build --preset $(PRESET)

run: configure
	cmake --build --preset $(PRESET) --target programs
	$(BUILD_DIR)/bin/Lorefinder.exe

test: $(if $(filter 1,$(FORMAT_CHECK)),check-format) $(addprefix test-,$(TEST_PRESETS)) test-windows

check: configure
	cmake --build --preset $(PRESET)
	ctest --preset $(PRESET) --label-exclude packaging

$(addprefix test-,$(TEST_PRESETS)): test-%: deps
	cmake --preset $* -DCMAKE_COMPILE_WARNING_AS_ERROR=$(WARNINGS_AS_ERRORS)
	cmake --build --preset $*
	ctest --preset $*

# The Windows build runs generators made for this machine.
host-tools: deps
	cmake --preset default
	cmake --build --preset default --target host_tools

# The 32-bit programs are built for the tests too where this machine runs 32-bit programs.
test-windows: host-tools
	if /lib/ld-linux.so.2 --version >/dev/null 2>&1; then \
	  cmake --preset windows-x86 && \
	  cmake --build --preset windows-x86 --target LorefinderBare_with_catalogue Tablepatch lftool; \
	fi
	cmake --preset windows-x64 -DCMAKE_COMPILE_WARNING_AS_ERROR=$(WARNINGS_AS_ERRORS)
	cmake --build --preset windows-x64
	ctest --preset windows-x64

# The Windows folders, 32-bit and 64-bit, each as a zip in build/dist.
windows: host-tools
	cmake --preset windows-x86
	cmake --build --preset windows-x86 --target windows_zip
	cmake --preset windows-x64
	cmake --build --preset windows-x64 --target windows_zip

# The web catalogue: the cores in WebAssembly and the page around them, with the demo catalogue
# in build/web/site/, packed as build/dist/Lorefinder-VERSION-web.zip.
web: host-tools
	cmake --preset web
	cmake --build --preset web

# The programs are stripped of their debugging information on the way.
install: build
	cmake --install $(BUILD_DIR) --prefix $(abspath $(PREFIX)) --strip

# Removes what the last `make install` installed, as its manifest lists it.
uninstall:
	bash scripts/uninstall.sh $(BUILD_DIR)/install_manifest.txt

# The portable folder's tarball and the Debian package, in build/dist.
dist: build
	cpack --config $(BUILD_DIR)/CPackConfig.cmake -B build/dist
	rm -rf build/dist/_CPack_Packages

# The Windows start-up is timed under Wine, in the 64-bit Windows build; the web catalogue in
# headless Chromium, on the site of make web.
bench: deps host-tools web
	cmake --preset release
	cmake --build --preset release --target benchmarks lftool
	cmake --preset windows-x64
	cmake --build --preset windows-x64 --target windows_benchmarks
	bash scripts/run-benchmarks.sh build/release build/windows-x64 build/web/site

# libFuzzer targets, built with clang in build/fuzz, each run for SECONDS on its seed corpus.
SECONDS ?= 60
fuzz: deps
	bash fuzz/run.sh $(SECONDS)

# `make format` rewrites the C++ files clang-format would change; `make check-format` lists them.
format: deps
	bash scripts/check-format.sh --fix

check-format: deps
	bash scripts/check-format.sh

clean:
	rm -rf build
