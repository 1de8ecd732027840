# QL240: two commands for a newcomer.
#   make run    installs what is missing, builds, starts the program
#   make test   installs what is missing, checks the include arrows and the formatting, builds,
#               runs every test (plain and sanitized) and the fuzzers for a bounded time
# Either check runs alone too: make check-includes, make check-format.

BUILD      ?= build
ASAN_BUILD ?= build-asan
BENCH_BUILD ?= build-bench
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 30
JOBS       ?= $(shell nproc)
CMAKE_GEN  := -G Ninja

SANITIZER_ENV := ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1 \
                 LSAN_OPTIONS=suppressions=$(CURDIR)/tools/sanitizers/lsan.supp:print_suppressions=0 \
                 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

# The C++ sources kept in the shape of the root .clang-format: `format` rewrites them,
# `check-format` fails on any that differ.
FORMAT_FILES = $(shell find src tests tools bench fuzz -name '*.cpp' -o -name '*.h')

.PHONY: all deps build run test check-includes check-format test-plain test-asan fuzz bench format \
        clean

all: build

deps:
	@bash scripts/install-deps

build: deps
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

run: build
	bash scripts/run $(BUILD)

# The two checks come before the builds so that a misplaced include or an unformatted file fails
# in seconds.
test: deps check-includes check-format test-plain test-asan fuzz

# Every include in src/ follows the folder arrows of the design; no Qt header in the core.
check-includes:
	bash scripts/check-includes

check-format: deps
	@echo "clang-format-14 --dry-run -Werror: $(words $(FORMAT_FILES)) files"
	@clang-format-14 --dry-run -Werror $(FORMAT_FILES)

test-plain:
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-asan:
	cmake -S . -B $(ASAN_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DQL240_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && $(SANITIZER_ENV) ctest --output-on-failure -j $(JOBS)

# The fuzzers, built with clang, each run for FUZZ_SECONDS over a corpus that starts from
# generated good inputs and grows between runs; any crash or sanitizer finding fails the target
# and leaves the input that caused it in $(FUZZ_BUILD). Each target's executions and coverage
# are printed at the end.
fuzz: deps
	cmake -S fuzz -B $(FUZZ_BUILD) $(CMAKE_GEN) -DCMAKE_CXX_COMPILER=clang++ \
	    -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	bash scripts/run-fuzzers $(FUZZ_BUILD) $(FUZZ_SECONDS)

bench: deps
	cmake -S . -B $(BENCH_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DQL240_BUILD_BENCH=ON -DBUILD_TESTING=OFF
	cmake --build $(BENCH_BUILD) -j $(JOBS)
	bash scripts/run-benchmarks $(BENCH_BUILD)

format:
	@echo "clang-format-14 -i: $(words $(FORMAT_FILES)) files"
	@clang-format-14 -i $(FORMAT_FILES)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(BENCH_BUILD) $(FUZZ_BUILD)
