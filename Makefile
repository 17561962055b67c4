# Vantorel: build, run and test. See README.md.
BUILD ?= build
GENERATOR := Ninja
JOBS ?= $(shell nproc)
COVERAGE_BUILD ?= build-coverage
INCLUDES_BUILD ?= build-includes

.PHONY: all deps configure build run test package install screenshots bench fuzz coverage check-includes clean

all: build

deps:
	@sh scripts/install-deps.sh

configure: deps
	@test -f $(BUILD)/build.ninja || cmake -S . -B $(BUILD) -G $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/vantorel

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The Debian package (vantorel_<version>_<arch>.deb in the build folder), with its contents listed.
package: build
	@sh scripts/build-package.sh $(BUILD)

# Installs into PREFIX (/usr/local unless given).
PREFIX ?= /usr/local
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# Retakes the user manual's pictures (doc/manual) from the program's windows.
screenshots: configure
	@sh scripts/take-screenshots.sh $(BUILD)

# Turns the benchmarks on in the build folder (they stay out of `make build` and `make test`).
bench: build
	cmake -S . -B $(BUILD) -DVANTOREL_BENCHMARKS=ON > /dev/null
	cmake --build $(BUILD) --target benchmarks -j $(JOBS)
	@for b in $(BUILD)/bench/bench_*; do \
	    [ -f "$$b" ] && [ -x "$$b" ] || continue; \
	    echo "== $$b"; "$$b" || exit 1; \
	done

fuzz:
	@sh scripts/run-fuzz.sh

# Line and branch coverage of the test suite, per folder (gcc --coverage, gcovr).
coverage: deps
	@sh scripts/coverage.sh $(COVERAGE_BUILD)

# Builds without precompiled headers: a source that leans on them for an include fails here.
check-includes: deps
	@test -f $(INCLUDES_BUILD)/build.ninja || cmake -S . -B $(INCLUDES_BUILD) -G $(GENERATOR) \
	    -DCMAKE_BUILD_TYPE=Debug -DCMAKE_DISABLE_PRECOMPILE_HEADERS=ON
	cmake --build $(INCLUDES_BUILD) -j $(JOBS)

clean:
	rm -rf $(BUILD) $(COVERAGE_BUILD) $(INCLUDES_BUILD)
