#!/usr/bin/env bash
# Configures and builds into ./build: everything (program, tests, benchmarks), or only the
# targets named as arguments (scripts/run.sh builds just the program).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DROCKPILE_BUILD_BENCHMARKS=ON
targets=()
for target in "$@"; do
    targets+=(--target "$target")
done
cmake --build build -j "$(nproc)" "${targets[@]}"
