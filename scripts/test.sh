#!/usr/bin/env bash
# Fresh machine to test results: install what is missing (poppler's tools read the
# program's PDF files back), build, run every test. ROCKPILE_PRESET chooses the preset
# as for scripts/build.sh: ROCKPILE_PRESET=asan bash scripts/test.sh runs every test
# under the sanitizers.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh poppler-utils
preset=${ROCKPILE_PRESET:-dev}
ROCKPILE_PRESET=$preset bash scripts/build.sh
ctest --preset "$preset" -j "$(nproc)"
