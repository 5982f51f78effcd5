#!/usr/bin/env bash
# Configures and builds everything (program, tests, benchmarks) into ./build.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DROCKPILE_BUILD_BENCHMARKS=ON
cmake --build build -j "$(nproc)"
