#!/usr/bin/env bash
# Configures and builds with a preset of CMakePresets.json: "dev" (Release, into ./build)
# unless ROCKPILE_PRESET names another (ci, asan). Builds everything (program, tests,
# benchmarks), or only the targets named as arguments (scripts/run.sh builds just the
# program).
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${ROCKPILE_PRESET:-dev}
cmake --preset "$preset"
targets=()
for target in "$@"; do
    targets+=(--target "$target")
done
cmake --build --preset "$preset" -j "$(nproc)" "${targets[@]}"
