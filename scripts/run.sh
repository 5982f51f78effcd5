#!/usr/bin/env bash
# Fresh machine to running program: install what is missing, build, start.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
exec ./build/ZAV_PRJ_DWOR1
