# make run      - install what is missing, build, start the program against the simulated pump
# make test     - install what is missing, build, run every test headless, then the Qt-free
#                 tests again under AddressSanitizer and UndefinedBehaviorSanitizer
# make fuzz     - build the libFuzzer targets with clang, run each for FUZZ_SECONDS (60)
# make bench    - build and run the benchmarks (not part of make test)
# make package  - build the Debian package build/oxr-pump_<version>_<arch>.deb
PRESET ?= default
BUILD_DIR ?= build
FUZZ_SECONDS ?= 60

.PHONY: all deps build test test-asan run fuzz bench package clean

all: build

deps:
	@./tools/install-deps

build: deps
	@cmake --preset $(PRESET) >/dev/null
	@cmake --build --preset $(PRESET)

test: build
	@ctest --preset $(PRESET)
	@$(MAKE) --no-print-directory test-asan

test-asan: deps
	@cmake --preset asan >/dev/null
	@cmake --build --preset asan
	@ctest --preset asan

run: build
	@./tools/run-program $(BUILD_DIR)

fuzz:
	@./tools/install-deps fuzz
	@FUZZ_SECONDS=$(FUZZ_SECONDS) ./tools/fuzz

bench:
	@./tools/install-deps bench
	@./tools/bench

package: build
	@cmake --build --preset $(PRESET) --target package

clean:
	rm -rf $(BUILD_DIR) build-asan build-fuzz build-bench
