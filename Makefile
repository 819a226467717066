# The two set-up commands of the README: `make run` and `make test`.
# Each installs what is missing, configures and builds first.
PRESET ?= dev
BUILD := build/$(PRESET)

.PHONY: all deps build run test format screenshots bench package fuzz soak clean windows

all: build

deps:
	@scripts/install-deps

build: deps
	@cmake --preset $(PRESET) >/dev/null
	@cmake --build --preset $(PRESET)

run: build
	@scripts/run $(BUILD)/src/app/tarq

# Every test: the formatting, the native suite, the same suite built with
# AddressSanitizer and UBSan, a few seconds of each fuzz target, then the
# Windows build's tests under Wine.
test: build
	@scripts/check-format
	@ctest --preset $(PRESET)
	@cmake --preset asan >/dev/null
	@cmake --build --preset asan
	@ctest --preset asan
	@scripts/fuzz 5
	@NATIVE_PRESET=$(PRESET) scripts/windows-tests

format: deps
	@scripts/check-format --fix

# Pictures of the windows for the README, made under Xvfb: the Qt windows,
# and the Win32 main window under Wine.
screenshots: build
	@cmake --build --preset $(PRESET) --target screenshots
	@cmake --preset windows-release >/dev/null
	@cmake --build --preset windows-release --target tarq
	@scripts/screenshot-windows build/windows-release/src/app/tarq.exe \
	  $(BUILD)/tools/grab/grab_window docs/windows-main-window.png

# Both tables run whole, the Win32 one under Wine, before a missed target
# fails the make.
bench: deps
	@cmake --preset release >/dev/null
	@cmake --build --preset release --target tarq_bench
	@QT_QPA_PLATFORM=offscreen scripts/xvfb-run-here build/release/bench/tarq_bench; native=$$?; \
	  scripts/windows-bench; windows=$$?; \
	  if [ $$native -ne 0 ] || [ $$windows -ne 0 ]; then \
	    echo "make bench: a target was missed (native table: exit $$native, Win32 table: exit $$windows)" >&2; \
	    exit 1; \
	  fi

FUZZ_SECONDS ?= 60
fuzz: deps
	@scripts/fuzz $(FUZZ_SECONDS)

# Long runs, not part of `make test`: kill trials, launcher races, every
# fuzz target for SOAK_FUZZ_SECONDS, the fault stages; one table.
SOAK_KILLS ?= 1000
SOAK_RACES ?= 1000
SOAK_FUZZ_SECONDS ?= 600
soak: deps
	@SOAK_KILLS=$(SOAK_KILLS) SOAK_RACES=$(SOAK_RACES) SOAK_FUZZ_SECONDS=$(SOAK_FUZZ_SECONDS) \
	  scripts/soak

package: deps
	@cmake --preset release >/dev/null
	@cmake --build --preset release --target tarq
	@cd build/release && cpack -G DEB
	@ls build/release/tarq_*.deb

# tarq.exe for Windows (mingw-w64, release, statically linked) and
# build/windows/tarq-<version>-win64.zip with a short text for users.
windows: deps
	@cmake --preset windows-release >/dev/null
	@rm -f build/windows-release/tarq-*-win64.zip
	@cmake --build --preset windows-release --target windows_zip
	@rm -rf build/windows && mkdir -p build/windows
	@cp build/windows-release/tarq-*-win64.zip build/windows/
	@ls build/windows/*.zip

clean:
	rm -rf build
