# Entry points for users, CI and developers. Every target installs what is missing first.
JOBS ?= $(shell nproc)
BUILD ?= build
TEST_BUILD ?= build-asan
WINDOWS_BUILD ?= build-windows
BENCH_BUILD ?= build-bench
# TRAINING=1: the demos start recording by themselves and open the breathing training.
TRAINING ?=

.PHONY: deps build test test-windows run demo demo-ble bench package fuzz soak clean translations

deps:
	@bash scripts/deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRIVANT_TESTS=OFF
	cmake --build $(BUILD) -j $(JOBS)

# The test build is CI's: sanitizers on, warnings are errors, and the sources are formatted.
test: deps
	bash scripts/format_check.sh
	cmake -S . -B $(TEST_BUILD) -DCMAKE_BUILD_TYPE=Debug -DTRIVANT_SANITIZE=ON -DTRIVANT_WERROR=ON
	cmake --build $(TEST_BUILD) -j $(JOBS)
	cd $(TEST_BUILD) && ASAN_OPTIONS=detect_leaks=1 \
		LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp ctest --output-on-failure -j $(JOBS)
	$(MAKE) --no-print-directory test-windows

# The plain C++ libraries and their tests built for Windows (MinGW-w64) and run under Wine,
# in a Wine prefix of their own inside the build directory.
WINE ?= /usr/lib/wine/wine64
test-windows: deps
	cmake -S windows -B $(WINDOWS_BUILD) -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64.cmake \
		-DCMAKE_BUILD_TYPE=Debug > /dev/null
	cmake --build $(WINDOWS_BUILD) -j $(JOBS)
	@test -d $(WINDOWS_BUILD)/wineprefix || { echo "Creating the Wine prefix (once)"; \
		WINEPREFIX=$(CURDIR)/$(WINDOWS_BUILD)/wineprefix WINEDEBUG=-all $(WINE) wineboot --init \
		> /dev/null 2>&1; }
	cd $(WINDOWS_BUILD) && ctest --output-on-failure -j $(JOBS)

# The English translation brought up to date with the texts of src/: new texts come in
# unfinished, for Qt Linguist or an editor.
translations: deps
	bash scripts/update_translations.sh

# The application keeps its settings and the Data folder in the folder it starts in.
run: build
	@mkdir -p $(BUILD)/home
	cd $(BUILD)/home && ../src/main_window/trivant

demo: build
	@if [ -z "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
		echo "make demo needs a display. Without one: Xvfb :99 & DISPLAY=:99 make demo"; exit 1; fi
	TRIVANT_DEMO_TRAINING=$(TRAINING) bash scripts/demo.sh $(BUILD)

# A chest strap without a radio: Trivant plays a real strap's notification log in a loop.
demo-ble: build
	@if [ -z "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
		echo "make demo-ble needs a display. Without one: Xvfb :99 & DISPLAY=:99 make demo-ble"; exit 1; fi
	@mkdir -p $(BUILD)/home-ble
	cd $(BUILD)/home-ble && TRIVANT_BLE_REPLAY=$(CURDIR)/examples/strap/polar-noisy.log \
		TRIVANT_DEMO_TRAINING=$(TRAINING) ../src/main_window/trivant

# Five repetitions of every benchmark, their min/median/max, and the same 5-minute analysis
# in Python beside them. Debian's python3 is the one with the numpy and scipy deps.sh installs.
PYTHON ?= /usr/bin/python3
bench:
	bash scripts/deps.sh bench
	cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release -DTRIVANT_TESTS=OFF -DTRIVANT_BENCH=ON
	cmake --build $(BENCH_BUILD) -j $(JOBS)
	$(BENCH_BUILD)/bench/trivant-bench --benchmark_repetitions=5 \
		--benchmark_report_aggregates_only=false \
		--benchmark_out=$(BENCH_BUILD)/bench.json --benchmark_out_format=json
	$(PYTHON) bench/compare.py $(BENCH_BUILD)/bench.json

# Every fuzz target for FUZZ_SECONDS (default 600) each; needs clang, installed if missing.
fuzz:
	bash scripts/fuzz.sh

# A full recording at 50 times real speed and 10 minutes idle, with their figures.
soak:
	bash scripts/soak.sh

# A .deb in build-pkg/ (install it with: apt install ./build-pkg/trivant_*.deb).
package: deps
	cmake -S . -B build-pkg -DCMAKE_BUILD_TYPE=Release -DTRIVANT_TESTS=OFF
	cmake --build build-pkg -j $(JOBS) --target trivant trivant-cli trivant-sim
	cd build-pkg && cpack -G DEB

clean:
	rm -rf $(BUILD) $(TEST_BUILD) $(BENCH_BUILD) $(WINDOWS_BUILD) build-pkg build-fuzz build-soak
