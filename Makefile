# Set-up, build and test entry points. Every target installs what is missing first.
JOBS ?= $(shell nproc)
CMAKE_GEN := -G Ninja
CTEST := ctest --output-on-failure -j $(JOBS)

.PHONY: deps build run test test-asan test-tsan fuzz bench clean

deps:
	bash scripts/install-deps.sh

build: deps
	cmake -S . -B build $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build build -j $(JOBS)

# Starts the player from the program folder; without a display it says so and fails.
run: build
	./build/dist/tovrin

test: build
	cd build && $(CTEST)

test-asan: deps
	cmake -S . -B build-asan $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DTOVRIN_SANITIZE=address
	cmake --build build-asan -j $(JOBS)
	cd build-asan && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
		LSAN_OPTIONS=suppressions=$(CURDIR)/cmake/lsan.supp:fast_unwind_on_malloc=0 $(CTEST)

# The build runs instrumented tools too (the default skin's painter), so it takes the same options.
TSAN_ENV := TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 report_signal_unsafe=0 ignore_noninstrumented_modules=1 suppressions=$(CURDIR)/cmake/tsan.supp"
test-tsan: deps
	cmake -S . -B build-tsan $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DTOVRIN_SANITIZE=thread
	$(TSAN_ENV) cmake --build build-tsan -j $(JOBS)
	cd build-tsan && $(TSAN_ENV) $(CTEST)

# libFuzzer targets, built with clang under ASan+UBSan. FUZZ_SECONDS per target.
FUZZ_SECONDS ?= 60
fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B build-fuzz $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOVRIN_FUZZ=ON
	cmake --build build-fuzz -j $(JOBS) --target fuzz_all
	bash fuzz/run.sh build-fuzz $(FUZZ_SECONDS)

bench: deps
	cmake -S . -B build-bench $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DTOVRIN_BENCH=ON
	cmake --build build-bench -j $(JOBS) --target bench_all
	bash bench/run.sh build-bench

clean:
	rm -rf build build-asan build-tsan build-fuzz build-bench
