# Everyday commands. Each one installs what is missing first, so that a fresh Debian
# machine needs nothing but `make run` or `make test`.
BUILD_DIR ?= build
ASAN_DIR ?= build-asan
BENCH_DIR ?= build-bench
JOBS ?= 2
CMAKE_FLAGS ?=

ifeq ($(CI),true)
CMAKE_FLAGS += -DWENDLE_WARNINGS_AS_ERRORS=ON
endif

.PHONY: all deps build run test bench asan format clean

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
	ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
	    ctest --test-dir $(ASAN_DIR) --output-on-failure -j$(JOBS)

# The Debian package, from the tree that `make build` (or `make test`) has built.
.PHONY: package
package: build
	cmake --build $(BUILD_DIR) --target package

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR) $(ASAN_DIR) $(BENCH_DIR)
