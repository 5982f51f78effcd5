#!/usr/bin/env bash
# Fails, naming the files, when a C++ source of the repository is not formatted as
# .clang-format says. Fix with: clang-format-14 -i <file>...
set -euo pipefail
cd "$(dirname "$0")/.."
formatter=${CLANG_FORMAT:-clang-format-14}
if ! command -v "$formatter" >/dev/null 2>&1; then
    echo "No $formatter: install it with bash scripts/install-deps.sh" >&2
    exit 1
fi
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    mapfile -t files < <(git ls-files --cached --others --exclude-standard -- '*.cpp' '*.h')
else
    mapfile -t files < <(find . -path ./build -prune -o \( -name '*.cpp' -o -name '*.h' \) -print)
fi
unformatted=()
for file in "${files[@]}"; do
    [ -f "$file" ] || continue
    "$formatter" --dry-run --Werror "$file" >/dev/null 2>&1 || unformatted+=("$file")
done
if [ ${#unformatted[@]} -gt 0 ]; then
    echo "Not formatted (run: $formatter -i <file>):" >&2
    printf '  %s\n' "${unformatted[@]}" >&2
    exit 1
fi
echo "${#files[@]} files formatted as .clang-format says"
