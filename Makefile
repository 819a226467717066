# The two set-up commands of the README: `make run` and `make test`.
# Each installs what is missing, configures and builds first.
PRESET ?= dev
BUILD := build/$(PRESET)

.PHONY: all deps build run test format screenshot bench package fuzz clean windows screenshot-windows

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

screenshot: build
	@cmake --build --preset $(PRESET) --target screenshot

bench: deps
	@cmake --preset release >/dev/null
	@cmake --build --preset release --target tarq_bench
	@QT_QPA_PLATFORM=offscreen scripts/xvfb-run-here build/release/bench/tarq_bench
	@scripts/windows-bench

FUZZ_SECONDS ?= 60
fuzz: deps
	@scripts/fuzz $(FUZZ_SECONDS)

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

# docs/windows-main-window.png: the Win32 main window under Wine on Xvfb.
screenshot-windows: deps
	@cmake --preset dev >/dev/null
	@cmake --build --preset dev --target grab_window
	@cmake --preset windows-release >/dev/null
	@cmake --build --preset windows-release --target tarq
	@scripts/screenshot-windows build/windows-release/src/app/tarq.exe \
	  build/dev/tools/grab/grab_window docs/windows-main-window.png

clean:
	rm -rf build
