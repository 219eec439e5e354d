# make run   - install what is missing, build, start the program against the simulated pump
# make test  - install what is missing, build, run every test headless
PRESET ?= default
BUILD_DIR ?= build

.PHONY: all deps build test run clean

all: build

deps:
	@./tools/install-deps

build: deps
	@cmake --preset $(PRESET) >/dev/null
	@cmake --build --preset $(PRESET)

test: build
	@ctest --preset $(PRESET)

run: build
	@./tools/run-program $(BUILD_DIR)

clean:
	rm -rf $(BUILD_DIR)
