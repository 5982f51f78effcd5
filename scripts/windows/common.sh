# Shared by the Windows scripts: messages, failures that say what to do, installs.
# Sourced, not run.

rp_script=$(basename "$0")
rp_repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

rp_say() { printf '== %s: %s\n' "$rp_script" "$*"; }

# rp_fail WHAT [WHAT TO RUN]: stops the script with what went wrong and how to go on.
rp_fail() {
    printf '\n%s: FAILED: %s\n' "$rp_script" "$1" >&2
    if [ $# -ge 2 ]; then
        printf '%s: to go on: %s\n' "$rp_script" "$2" >&2
    fi
    exit 1
}

# Root and apt-get as the Linux scripts have them (as_root, apt_get).
source "$rp_repo/scripts/system.sh"

# rp_install PACKAGE...: installs those Debian packages that are missing, with the
# program's own build dependencies, through the repository's install script.
rp_install() {
    bash "$rp_repo/scripts/install-deps.sh" "$@" ||
        rp_fail "could not install Debian packages: $*" \
            "apt-get update && apt-get install $* (as root), then run the script again"
}

# What the Windows build and its proof under Wine need besides the Linux build's own.
rp_windows_packages=(
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    mingw-w64-x86-64-dev ninja-build dpkg-dev wine wine64 locales xvfb xauth xdotool
    x11-utils imagemagick fonts-noto-cjk qt6-translations-l10n zip unzip nsis python3
)
