# Set-up, build and test in one place. `make run` and `make test` work on a fresh
# Debian 12 machine: they install what is missing first.
BUILD ?= build
CMAKE_FLAGS ?=
FUZZ_SECONDS ?= 300

.PHONY: all deps configure build run test hardening fuzz bench package clean

all: build

deps:
	@scripts/install-deps test

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCALC_BUILD_TESTS=ON -DCALC_BUILD_BENCH=ON $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD)

run: build
	./$(BUILD)/calculator

# The sanitizer build with its suites and 30 seconds of each fuzz target come first;
# the main suites (unit, scenarios headless and against the windows, Qt tests) last,
# so the run ends with their summary.
test: build hardening
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2

hardening: deps
	scripts/hardening test

fuzz: deps
	scripts/hardening fuzz $(FUZZ_SECONDS)

bench: build
	./$(BUILD)/factorial_bench
	./$(BUILD)/paste_bench
	./$(BUILD)/script_start_bench
	@if [ -x ./$(BUILD)/display_bench ]; then ./$(BUILD)/display_bench; fi

# Packaged files are dated by the newest changelog entry, as Debian's own builds are.
SOURCE_DATE_EPOCH ?= $(shell date -u -d "$$(sed -n 's/^ -- .*  //p' packaging/changelog.in | head -1)" +%s)

# The Debian package, $(BUILD)/calculator_<version>_<arch>.deb: only what building it needs is
# installed, and neither the tests nor the benchmarks are built (`make test` turns them on again).
package: export SOURCE_DATE_EPOCH := $(SOURCE_DATE_EPOCH)
package:
	@scripts/install-deps build
	@cmake -S . -B $(BUILD) -G Ninja -DCALC_BUILD_TESTS=OFF -DCALC_BUILD_BENCH=OFF $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD)
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD) build-asan build-fuzz
