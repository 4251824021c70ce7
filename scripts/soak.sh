#!/usr/bin/env bash
# The long runs on an optimised build: a full recording from trivant-sim at 50 times
# real speed, and the application idle with a full recording open for SOAK_IDLE_SECONDS
# (default 600). Both run at once, offscreen; each prints its figures.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build-soak -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build-soak -j "$(nproc)" --target test_soak
export QT_QPA_PLATFORM=offscreen
status=0
pids=()
for t in CapacityRecording IdleWithOpenRecording; do
    build-soak/tests/soak/test_soak --gtest_filter="Soak.$t" > "build-soak/$t.log" 2>&1 &
    pids+=($!)
done
for p in "${pids[@]}"; do wait "$p" || status=1; done
for t in CapacityRecording IdleWithOpenRecording; do
    echo "== $t"
    grep -E "^(soak|idle):|Failure|FAILED|PASSED|Expected|Which is|actual" "build-soak/$t.log" || true
done
exit $status
