# The two set-up commands of the README: `make run` and `make test`.
# Each installs what is missing, configures and builds first. The chains of
# configure, build, test and package steps are CMake's workflow presets
# (CMakePresets.json).
PRESET ?= dev
BUILD := build/$(PRESET)

.PHONY: all deps test-deps build run test format screenshots bench package deb package-install-test fuzz soak clean windows

all: build

# What building and running need; test-deps adds what the tests need.
deps:
	@scripts/install-deps

test-deps:
	@scripts/install-deps --test

build: deps
	@cmake --workflow --preset $(PRESET)

run: build
	@scripts/run $(BUILD)/src/app/tarq

# Every test: the formatting, the native suite, the same suite built with
# AddressSanitizer and UBSan, a few seconds of each fuzz target, then the
# Windows build's tests under Wine.
test: test-deps
	@scripts/check-format
	@cmake --workflow --preset $(PRESET)-test
	@cmake --workflow --preset asan-test
	@scripts/fuzz 5
	@NATIVE_PRESET=$(PRESET) scripts/windows-tests

format: test-deps
	@scripts/check-format --fix

# Pictures of the windows for the README, made under Xvfb: the Qt windows,
# and the Win32 main window under Wine.
screenshots: test-deps build
	@cmake --build --preset $(PRESET) --target screenshots
	@cmake --workflow --preset windows-tarq
	@scripts/screenshot-windows build/windows-release/src/app/tarq.exe \
	  $(BUILD)/tools/grab/grab_window docs/windows-main-window.png \
	  "TARQ $$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/windows-release/CMakeCache.txt)"

# Both tables run whole, the Win32 one under Wine, before a missed target
# fails the make.
bench: test-deps
	@cmake --preset release >/dev/null
	@cmake --build --preset release --target tarq_bench
	@QT_QPA_PLATFORM=offscreen scripts/xvfb-run-here build/release/bench/tarq_bench; native=$$?; \
	  scripts/windows-bench; windows=$$?; \
	  if [ $$native -ne 0 ] || [ $$windows -ne 0 ]; then \
	    echo "make bench: a target was missed (native table: exit $$native, Win32 table: exit $$windows)" >&2; \
	    exit 1; \
	  fi

FUZZ_SECONDS ?= 60
fuzz: test-deps
	@scripts/fuzz $(FUZZ_SECONDS)

# Long runs, not part of `make test`: kill trials and launcher races, native
# and of the Windows build under Wine, every fuzz target for
# SOAK_FUZZ_SECONDS, the fault stages; one table.
SOAK_KILLS ?= 1000
SOAK_RACES ?= 1000
SOAK_FUZZ_SECONDS ?= 600
soak: test-deps
	@SOAK_KILLS=$(SOAK_KILLS) SOAK_RACES=$(SOAK_RACES) SOAK_FUZZ_SECONDS=$(SOAK_FUZZ_SECONDS) \
	  scripts/soak

# Both packages: the Debian package and the Windows zip.
package: deb windows

deb: test-deps
	@cmake --workflow --preset package
	@ls build/release/tarq_*.deb

# The Debian package installed with apt-get into a minimal Debian 12 root
# (made once with debootstrap, kept in /var/tmp) and started on Xvfb until its
# window shows. Slow, so not part of `make test`; needs root (through sudo).
package-install-test: deb
	@scripts/install-deps --debian-root
	@$(if $(filter 0,$(shell id -u)),,sudo) tests/package/install_and_start.sh build/release/tarq_*.deb

# tarq.exe for Windows (mingw-w64, release, statically linked) and
# build/windows/tarq-<version>-win64.zip with short texts for users, in
# English and Japanese.
windows: test-deps
	@rm -f build/windows-release/tarq-*-win64.zip
	@cmake --workflow --preset windows
	@rm -rf build/windows && mkdir -p build/windows
	@cp build/windows-release/tarq-*-win64.zip build/windows/
	@ls build/windows/*.zip

clean:
	rm -rf build
