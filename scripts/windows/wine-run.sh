#!/usr/bin/env bash
# Runs one cross-compiled program of the build under Wine as a Chinese Windows would
# (ANSI code page 936): CTest's emulator for the Windows build (ctest --preset windows)
# and how scripts/windows/check.sh runs every test class.
#
#   scripts/windows/wine-run.sh QT_FOR_WINDOWS PROGRAM.exe [ARGUMENTS...]
#
# The Qt and compiler libraries are put on Wine's search path and Qt's plugins found in
# QT_FOR_WINDOWS. A Qt Test program's log does not reach a pipe under Wine, so it writes
# it to a file, printed here when the program ends.
set -euo pipefail
qt=$1
exe=$2
shift 2

# Wine's drive Z: is the Unix root.
windows_path() {
    local path
    path=$(realpath -m "$1")
    printf 'Z:%s' "${path//\//\\}"
}
compiler=x86_64-w64-mingw32-g++-posix
runtime_dir=$(dirname "$("$compiler" -print-file-name=libstdc++-6.dll)")
pthread_dir=$(dirname "$(realpath "$("$compiler" -print-file-name=libwinpthread-1.dll)")")
WINEPATH="$(windows_path "$qt/bin");$(windows_path "$runtime_dir");$(windows_path "$pthread_dir")"
QT_PLUGIN_PATH=$(windows_path "$qt/plugins")
export WINEPATH QT_PLUGIN_PATH QTEST_DISABLE_STACK_DUMP=1 WINEDEBUG=${WINEDEBUG:--all}
# Wine's ANSI code page follows the Unix locale: CTest's C.UTF-8 would make it UTF-8.
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 LANGUAGE=

cd "$(dirname "$exe")"
# The check that the build registered every test class prints with printf, not Qt Test.
if [ "${1:-}" = --expect-classes ]; then
    exec wine "$exe" "$@" </dev/null
fi
log=$(mktemp --suffix=.txt)
trap 'rm -f "$log"' EXIT
# A time limit (CTest's, or timeout's) that ends this script ends the program too.
wine "$exe" "$@" -o "$(windows_path "$log"),txt" </dev/null &
program=$!
trap 'kill "$program" 2>/dev/null || true' TERM INT
status=0
wait "$program" || status=$?
tr -d '\r' <"$log"
exit "$status"
