# The front door: `make run` and `make test` set up, build and go, from a fresh clone.
BUILD      ?= build
ASAN_BUILD ?= build-asan
CORE_BUILD ?= build-core
JOBS       ?= $(shell nproc)

.PHONY: run test build setup asan-test core-test bench format clean

run: build
	$(BUILD)/app/zelvorn

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

setup:
	@tools/setup-deps

build: setup
	@test -f $(BUILD)/build.ninja || cmake -S . -B $(BUILD) -G Ninja
	cmake --build $(BUILD)

# The same tests with AddressSanitizer and UndefinedBehaviorSanitizer.
asan-test: setup
	@test -f $(ASAN_BUILD)/build.ninja || \
	  cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZELVORN_SANITIZE=ON \
	    -DZELVORN_BENCHMARKS=OFF
	cmake --build $(ASAN_BUILD)
	ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

# The training core and its tests, built without Qt.
core-test: setup
	@test -f $(CORE_BUILD)/build.ninja || \
	  cmake -S . -B $(CORE_BUILD) -G Ninja -DZELVORN_WITH_QT=OFF -DZELVORN_BENCHMARKS=OFF
	cmake --build $(CORE_BUILD)
	ctest --test-dir $(CORE_BUILD) --output-on-failure -j $(JOBS)

bench: build
	@for b in $(BUILD)/bench/*_bench; do echo "== $$b"; $$b; done
	@echo "== start-up, next to the smallest Qt window"
	@bench/startup.sh $(BUILD)/app/startup_zelvorn $(BUILD)/bench/startup_minimal

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(CORE_BUILD)
