#!/usr/bin/env bash
# Fresh machine to running program: install what is missing, build the program alone
# (the tests and benchmarks are the test command's), start it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
ROCKPILE_PRESET=dev bash scripts/build.sh ZAV_PRJ_DWOR1
exec ./build/ZAV_PRJ_DWOR1
