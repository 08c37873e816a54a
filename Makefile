# The front door: `make run` and `make test` set up, build and go, from a fresh clone.
BUILD      ?= build
ASAN_BUILD ?= build-asan
CORE_BUILD ?= build-core
WINDOWS_BUILD ?= build-windows
JOBS       ?= $(shell nproc)

# Our own builds treat warnings as errors; a plain `cmake` configure, as a packager runs it,
# does not.
CONFIGURE  = cmake -G Ninja -DZELVORN_WERROR=ON \
  $(if $(shell command -v ccache),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

.PHONY: run test build package setup asan-test core-test windows windows-test bench format clean

run: build
	$(BUILD)/app/zelvorn

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

setup:
	@tools/setup-deps

build: setup
	@test -f $(BUILD)/build.ninja || $(CONFIGURE) -S . -B $(BUILD)
	cmake --build $(BUILD)

# The Debian package zelvorn_<version>_<architecture>.deb, in $(BUILD).
package: build
	cd $(BUILD) && cpack

# The same tests with AddressSanitizer and UndefinedBehaviorSanitizer.
asan-test: setup
	@test -f $(ASAN_BUILD)/build.ninja || \
	  $(CONFIGURE) -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DZELVORN_SANITIZE=ON \
	    -DZELVORN_BENCHMARKS=OFF
	cmake --build $(ASAN_BUILD)
	ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

# The training core and its tests, built without Qt.
core-test: setup
	@test -f $(CORE_BUILD)/build.ninja || \
	  $(CONFIGURE) -S . -B $(CORE_BUILD) -DZELVORN_WITH_QT=OFF -DZELVORN_BENCHMARKS=OFF
	cmake --build $(CORE_BUILD)
	ctest --test-dir $(CORE_BUILD) --output-on-failure -j $(JOBS)

# The 32-bit Windows program, cross-built with MinGW-w64: $(WINDOWS_BUILD)/zelvorn.exe with its
# snd.wav, zelvorn-<version>-win32.zip and the installer zelvorn-<version>-setup.exe.
WINDOWS_CONFIGURE = $(CONFIGURE) -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/i686-w64-mingw32.cmake

windows: setup
	@test -f $(WINDOWS_BUILD)/build.ninja || $(WINDOWS_CONFIGURE) -S . -B $(WINDOWS_BUILD)
	cmake --build $(WINDOWS_BUILD) --target zelvorn_delivery

# The Windows build's tests, run under Wine.
windows-test: setup
	@test -f $(WINDOWS_BUILD)/build.ninja || $(WINDOWS_CONFIGURE) -S . -B $(WINDOWS_BUILD)
	cmake --build $(WINDOWS_BUILD)
	ctest --test-dir $(WINDOWS_BUILD) --output-on-failure -j $(JOBS)

bench: build
	@for b in $(BUILD)/bench/*_bench; do echo "== $$b"; $$b; done
	@echo "== start-up, next to the smallest Qt window"
	@bench/startup.sh $(BUILD)/app/startup_zelvorn $(BUILD)/bench/startup_minimal

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(CORE_BUILD) $(WINDOWS_BUILD)
