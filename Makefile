# Entry points for users, CI and developers. Every target installs what is missing first.
JOBS ?= $(shell nproc)
BUILD ?= build
TEST_BUILD ?= build-asan
BENCH_BUILD ?= build-bench

.PHONY: deps build test run demo bench clean

deps:
	@bash scripts/deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRIVANT_TESTS=OFF
	cmake --build $(BUILD) -j $(JOBS)

test: deps
	cmake -S . -B $(TEST_BUILD) -DCMAKE_BUILD_TYPE=Debug -DTRIVANT_SANITIZE=ON
	cmake --build $(TEST_BUILD) -j $(JOBS)
	cd $(TEST_BUILD) && ctest --output-on-failure -j $(JOBS)

run: build
	@echo "The Trivant application is not available yet; trivant-cli is in $(BUILD)/tools/cli."

demo: build
	@echo "The live demo is not available yet; try: $(BUILD)/tools/cli/trivant-cli --help"

bench: deps
	cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release -DTRIVANT_TESTS=OFF -DTRIVANT_BENCH=ON
	cmake --build $(BENCH_BUILD) -j $(JOBS)
	$(BENCH_BUILD)/bench/trivant-bench

clean:
	rm -rf $(BUILD) $(TEST_BUILD) $(BENCH_BUILD)
