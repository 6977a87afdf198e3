# Everyday commands. Each one installs what is missing first, so that a fresh Debian
# machine needs nothing but `make run` or `make test`.
BUILD_DIR ?= build
ASAN_DIR ?= build-asan
BENCH_DIR ?= build-bench
FUZZ_DIR ?= build-fuzz
# Seconds each fuzz target runs; CI runs each for 60.
FUZZ_SECONDS ?= 20
FUZZ_TARGETS := layout spin page
JOBS ?= 2
CMAKE_FLAGS ?=
SHELL := bash

ifeq ($(CI),true)
CMAKE_FLAGS += -DWENDLE_WARNINGS_AS_ERRORS=ON
endif

# A compiler cache, where there is one, makes the second and later builds cheap, also in
# another clone: paths below this folder are hashed relative to it.
ifneq ($(shell command -v ccache 2>/dev/null),)
CMAKE_FLAGS += -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
export CCACHE_BASEDIR := $(CURDIR)
endif

.PHONY: all deps build run test bench asan fuzz format clean

all: build

deps:
	@bash scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)
	cmake --build $(BUILD_DIR) -j$(JOBS)

run: build
	./$(BUILD_DIR)/app/wendle

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j$(JOBS)

bench: deps
	cmake -S . -B $(BENCH_DIR) -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF $(CMAKE_FLAGS)
	cmake --build $(BENCH_DIR) -j$(JOBS)
	@# Only the benchmark programs: the folder also holds CMake's *_autogen folders.
	@set -e; for b in $(BENCH_DIR)/bench/wendle_bench_*; do \
	    if [ -f "$$b" ] && [ -x "$$b" ]; then echo "== $$b"; QT_QPA_PLATFORM=offscreen "$$b"; fi; \
	done

asan: deps
	cmake -S . -B $(ASAN_DIR) -DCMAKE_BUILD_TYPE=Debug -DWENDLE_SANITIZE=ON \
	    -DWENDLE_BUILD_BENCHMARKS=OFF $(CMAKE_FLAGS)
	cmake --build $(ASAN_DIR) -j$(JOBS)
	ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp \
	    UBSAN_OPTIONS=print_stacktrace=1 ctest --test-dir $(ASAN_DIR) --output-on-failure -j$(JOBS)

# Each fuzz target for FUZZ_SECONDS on a copy of its checked-in corpus, so that what it
# learns stays out of the source tree; a failing input is left in $(FUZZ_DIR)/crashes.
fuzz: deps
	cmake -S . -B $(FUZZ_DIR) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DWENDLE_FUZZ=ON -DBUILD_TESTING=OFF -DWENDLE_BUILD_BENCHMARKS=OFF $(CMAKE_FLAGS)
	cmake --build $(FUZZ_DIR) -j$(JOBS) $(addprefix --target wendle_fuzz_,$(FUZZ_TARGETS))
	@set -e; mkdir -p $(FUZZ_DIR)/crashes; for t in $(FUZZ_TARGETS); do \
	    echo "== fuzz $$t for $(FUZZ_SECONDS) s"; rm -rf $(FUZZ_DIR)/corpus/$$t; \
	    mkdir -p $(FUZZ_DIR)/corpus/$$t; cp fuzz/corpus/$$t/* $(FUZZ_DIR)/corpus/$$t/; \
	    $(FUZZ_DIR)/fuzz/wendle_fuzz_$$t -max_total_time=$(FUZZ_SECONDS) -timeout=10 \
	        -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix=$(FUZZ_DIR)/crashes/$$t- \
	        $(FUZZ_DIR)/corpus/$$t 2>&1 | grep -v '^#' ; \
	    test $${PIPESTATUS[0]} -eq 0; \
	done

# The Debian package, from the tree that `make build` (or `make test`) has built.
.PHONY: package
package: build
	cmake --build $(BUILD_DIR) --target package

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR) $(ASAN_DIR) $(BENCH_DIR) $(FUZZ_DIR)
