#!/usr/bin/env bash
# Fresh machine to test results: install what is missing (poppler's tools read the
# program's PDF files back), build, run every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh poppler-utils
bash scripts/build.sh
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)"
