# The front door: `make run` and `make test` set up, build and go, from a fresh clone.
BUILD      ?= build
ASAN_BUILD ?= build-asan
CORE_BUILD ?= build-core
WINDOWS_BUILD ?= build-windows
JOBS       ?= $(shell nproc)
# Compiles through ccache when the machine has it; `CCACHE=` builds without.
CCACHE     ?= $(if $(shell command -v ccache),ccache)
# More options for every configure, e.g. CMAKE_OPTIONS=-DBUILD_TESTING=OFF.
CMAKE_OPTIONS ?=

# Our own builds treat warnings as errors; a plain `cmake` configure, as a packager runs it,
# does not.
CONFIGURE  = cmake -G Ninja -DZELVORN_WERROR=ON \
  $(if $(CCACHE),-DCMAKE_CXX_COMPILER_LAUNCHER=$(CCACHE)) $(CMAKE_OPTIONS)

# The one date of everything the build stamps with a time (tools/source-date-epoch: the last
# commit's, unless the environment brings its own), for every tool the build runs: Qt's resource
# compiler takes it for its files' times. The packing steps ask for it themselves too, for a
# build that CMake runs without this Makefile.
export SOURCE_DATE_EPOCH := $(shell tools/source-date-epoch)

# $(call configure,FOLDER,OPTIONS): configures FOLDER with OPTIONS when it has no build yet or was
# configured by another command than this one, which it keeps in FOLDER/configure-command. Then
# the cache starts afresh, since an option left out would otherwise keep its old value.
define configure
@command='$(strip $(CONFIGURE) -S . -B $(1) $(2))'; \
if [ ! -f $(1)/build.ninja ] || [ "$$(cat $(1)/configure-command 2>/dev/null)" != "$$command" ]; \
then \
  echo "$$command --fresh" && $$command --fresh && echo "$$command" > $(1)/configure-command; \
fi
endef

.PHONY: run test build package setup asan-test core-test windows windows-test windows-test-in \
  reproducible bench windows-bench windows-bench-in format clean

run: build
	$(BUILD)/app/zelvorn

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

setup:
	@tools/setup-deps

build: setup
	$(call configure,$(BUILD))
	cmake --build $(BUILD)

# The Debian package zelvorn_<version>_<architecture>.deb, in $(BUILD), and its SHA256SUMS.
package: build
	cd $(BUILD) && cpack
	@cat $(BUILD)/SHA256SUMS

# The same tests with AddressSanitizer and UndefinedBehaviorSanitizer.
asan-test: setup
	$(call configure,$(ASAN_BUILD),-DCMAKE_BUILD_TYPE=Debug -DZELVORN_SANITIZE=ON \
	  -DZELVORN_BENCHMARKS=OFF)
	cmake --build $(ASAN_BUILD)
	ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

# The training core and its tests, built without Qt.
core-test: setup
	$(call configure,$(CORE_BUILD),-DZELVORN_WITH_QT=OFF -DZELVORN_BENCHMARKS=OFF)
	cmake --build $(CORE_BUILD)
	ctest --test-dir $(CORE_BUILD) --output-on-failure -j $(JOBS)

# The 32-bit Windows program, cross-built with MinGW-w64: $(WINDOWS_BUILD)/zelvorn.exe with its
# snd.wav, zelvorn-<version>-win32.zip and the installer zelvorn-<version>-setup.exe, with the
# SHA256SUMS of these two and of the delivered zelvorn.exe.
WINDOWS_OPTIONS = -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/i686-w64-mingw32.cmake

windows: setup
	$(call configure,$(WINDOWS_BUILD),$(WINDOWS_OPTIONS))
	cmake --build $(WINDOWS_BUILD) --target zelvorn_delivery
	@cat $(WINDOWS_BUILD)/SHA256SUMS

# The Windows build's tests, run under Wine on the 32-bit program as it is delivered. A kernel
# started without ia32 emulation runs no 32-bit program, Wine's included; on such a machine they
# run on a 64-bit build of the same code, in $(WINDOWS_BUILD)64, under 64-bit Wine.
WINDOWS64_OPTIONS = -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/x86_64-w64-mingw32.cmake

windows-test: setup
	@if /lib/ld-linux.so.2 --version >/dev/null 2>&1; then \
	  $(MAKE) --no-print-directory windows-test-in DIR=$(WINDOWS_BUILD) OPTIONS='$(WINDOWS_OPTIONS)'; \
	else \
	  echo "This machine runs no 32-bit program: testing the 64-bit build of the Windows program"; \
	  $(MAKE) --no-print-directory windows-test-in DIR=$(WINDOWS_BUILD)64 \
	    OPTIONS='$(WINDOWS64_OPTIONS)'; \
	fi

windows-test-in:
	$(call configure,$(DIR),$(OPTIONS))
	cmake --build $(DIR)
	ctest --test-dir $(DIR) --output-on-failure -j $(JOBS)

# Builds the package and the Windows delivery twice, in two clones of the sources in other
# folders, and checks that both builds give the same bytes (tools/check-reproducible).
reproducible: setup
	tools/check-reproducible

bench: build
	@for b in $(BUILD)/bench/*_bench; do echo "== $$b"; $$b; done
	@echo "== start-up, next to the same window built from stock Qt widgets"
	@bench/qt/startup.sh $(BUILD)/app/startup_zelvorn $(BUILD)/bench/startup_stock
	@echo "== peak memory once the audio module and the faces drawn later are loaded too"
	@bench/qt/peak_memory.sh -- $(BUILD)/app/zelvorn

# The Windows program's start under Wine next to its floor, the same window from stock controls,
# and next to the Linux program's; then how long its loop stays busy after a start, a zoom and a
# drag. Like windows-test, on a 64-bit build where no 32-bit program runs.
windows-bench: setup build
	@if /lib/ld-linux.so.2 --version >/dev/null 2>&1; then \
	  $(MAKE) --no-print-directory windows-bench-in DIR=$(WINDOWS_BUILD) OPTIONS='$(WINDOWS_OPTIONS)'; \
	else \
	  echo "This machine runs no 32-bit program: timing the 64-bit build of the Windows program"; \
	  $(MAKE) --no-print-directory windows-bench-in DIR=$(WINDOWS_BUILD)64 \
	    OPTIONS='$(WINDOWS64_OPTIONS)'; \
	fi

windows-bench-in:
	$(call configure,$(DIR),$(OPTIONS))
	cmake --build $(DIR) --target zelvorn_windows_benchmarks
	@PATH="$(CURDIR)/$(DIR)/wine-bin:$$PATH" bench/win32/startup.sh $(DIR)/bench/win32/zelvorn.exe \
	  $(DIR)/bench/win32/stock_window.exe $(DIR)/wine-prefix $(BUILD)/app/zelvorn
	@echo "== the message loop after each step: step|longest wait for a ping, ms|longest message, ms|to the board painted, ms"
	@PATH="$(CURDIR)/$(DIR)/wine-bin:$$PATH" WINEPREFIX="$(CURDIR)/$(DIR)/wine-prefix" WINEDEBUG=-all \
	  xvfb-run -a -s "-screen 0 1280x1024x24" wine $(DIR)/bench/win32/stall_bench.exe 2>/dev/null

format:
	@tools/setup-deps clang-format
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(CORE_BUILD) $(WINDOWS_BUILD) $(WINDOWS_BUILD)64
