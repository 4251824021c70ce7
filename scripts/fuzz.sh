#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan and UBSan on) and runs each for
# FUZZ_SECONDS (default 600) or FUZZ_RUNS executions, whichever ends first, starting from
# the saved corpora. FUZZ_TARGETS picks targets. An input that makes a target fail is
# saved in fuzz/regressions/TARGET/, which CI replays on every run. After a clean run the
# inputs that add coverage replace the generated part of fuzz/corpus/TARGET (the named
# seeds stay), so that the saved corpus stays small.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-600}
runs=${FUZZ_RUNS:--1}
read -r -a targets <<< "${FUZZ_TARGETS:-rr text setup decoder heart_rate ms_list rr_list fragment}"
# Longest input per target: enough for every path, short enough to keep the speed.
declare -A max_len=([rr]=512 [text]=2048 [setup]=1024 [decoder]=1024 [heart_rate]=2048 [ms_list]=4096
    [rr_list]=4096 [fragment]=1200)
bash scripts/deps.sh fuzz
cmake -S . -B build-fuzz -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRIVANT_FUZZ=ON -DTRIVANT_SANITIZE=ON -DTRIVANT_TESTS=OFF \
    > /dev/null
cmake --build build-fuzz -j "$(nproc)" --target "${targets[@]/#/fuzz-}"
# Keeps the seeds with names and the smallest set of run inputs that covers as much.
minimise() {
    local t=$1 min="build-fuzz/min/$1"
    rm -rf "$min" && mkdir -p "$min"
    build-fuzz/fuzz/fuzz-"$t" -merge=1 -max_len="${max_len[$t]}" "$min" \
        "build-fuzz/corpus/$t" > "build-fuzz/$t.merge.log" 2>&1 || return 0
    find fuzz/corpus/"$t" -regextype egrep -regex '.*/[0-9a-f]{40}' -delete
    for f in fuzz/corpus/"$t"/*; do rm -f "$min/$(sha1sum < "$f" | cut -c1-40)"; done
    cp "$min"/* fuzz/corpus/"$t"/ 2>/dev/null || true
    echo "   corpus: $(ls fuzz/corpus/"$t" | wc -l) files, $(du -sb fuzz/corpus/"$t" | cut -f1) bytes"
}

status=0
for t in "${targets[@]}"; do
    corpus="build-fuzz/corpus/$t"
    mkdir -p "$corpus" "fuzz/regressions/$t"
    cp -n fuzz/corpus/"$t"/* "$corpus"/ 2>/dev/null || true
    echo "== $t: $seconds s or $runs runs"
    ok=1
    build-fuzz/fuzz/fuzz-"$t" -max_total_time="$seconds" -runs="$runs" \
        -max_len="${max_len[$t]}" -print_final_stats=1 \
        -artifact_prefix=fuzz/regressions/"$t"/ "$corpus" > "build-fuzz/$t.log" 2>&1 || ok=0
    grep -E "^stat::number_of_executed_units|^Done" "build-fuzz/$t.log" || true
    if [ $ok -eq 1 ]; then
        minimise "$t"
    else
        status=1
        echo "   FAILED: the input is in fuzz/regressions/$t/"
    fi
done
exit $status
