# Set-up and everyday commands. `make run` and `make test` work on a fresh Debian 12 machine.
PRESET ?= default
BUILD  := build/$(PRESET)
JOBS   ?= $(shell nproc)

.PHONY: deps configure build test run asan release-check bench package fuzz format format-check clean

deps:
	@scripts/install-deps.sh

configure: deps
	@cmake --preset $(PRESET) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# Through the test preset, so that the sanitizer build's tests get their options.
test: build
	@ctest --preset $(PRESET) --no-tests=error -j $(JOBS)

run: build
	@scripts/run-demo.sh $(BUILD)

asan:
	@$(MAKE) --no-print-directory test PRESET=asan

# A user's plain Release configure, without the presets (so without -Werror), must build and
# pass: another optimiser's warnings are not errors there.
release-check: deps
	@cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build build/release -j $(JOBS)
	@ctest --test-dir build/release --no-tests=error -j $(JOBS) --output-on-failure

bench: build
	@scripts/run-bench.sh $(BUILD)

# A Debian package of the desktop program in $(BUILD): apt install ./$(BUILD)/xfer-node-editor_*.deb
package: build
	@cd $(BUILD) && cpack -G DEB

# Every fuzz target for FUZZ_SECONDS each (a few minutes by default), from its seed corpus.
FUZZ_SECONDS ?= 180
fuzz: deps
	@cmake --preset fuzz >/dev/null
	@cmake --build build/fuzz -j $(JOBS)
	@scripts/run-fuzz.sh build/fuzz $(FUZZ_SECONDS)

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

format-check:
	@git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror

clean:
	@rm -rf build
