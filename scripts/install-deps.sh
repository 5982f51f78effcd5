#!/usr/bin/env bash
# Installs the Debian 12 packages the program and its tests need, if any is missing;
# further package names may be given as arguments.
set -euo pipefail

# qt6-translations-l10n: Qt's own dialog texts ("确定", the print dialog) in Chinese.
packages=(build-essential cmake qt6-base-dev libgl1-mesa-dev fonts-noto-cjk qt6-translations-l10n
    libbenchmark-dev xvfb xauth clang-format-14 git "$@")

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi
echo "Installing: ${missing[*]}"
source "$(dirname "$0")/system.sh"
apt_get update -q
apt_get install -y -q --no-install-recommends "${missing[@]}"
