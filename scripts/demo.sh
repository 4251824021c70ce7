#!/usr/bin/env bash
# Starts the simulated pulse device playing a real recording in a loop, then Trivant,
# which finds the device by itself; Start records at once. Stops the device afterwards.
# TRIVANT_DEMO_TRAINING=1 (make demo TRAINING=1) reaches Trivant, which then records and opens
# the breathing training by itself.
set -euo pipefail
build=${1:-build}
root=$(cd "$(dirname "$0")/.." && pwd)
home="$root/$build/home"  # settings and the Data folder of the demo
mkdir -p "$home"

"$root/$build/tools/sim/trivant-sim" --ms "$root/examples/pyhrv-series_1.txt" --loop > "$home/sim.out" &
sim=$!
trap 'kill $sim 2>/dev/null || true; wait $sim 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -s "$home/sim.out" ] && break; sleep 0.1; done
echo "Simulated pulse device on $(head -n 1 "$home/sim.out"); starting Trivant."
cd "$home"
"$root/$build/src/main_window/trivant"
