#!/usr/bin/env bash
# Builds Qt's base module (Core, Gui, Widgets, PrintSupport, Test) for 64-bit Windows
# with MinGW-w64, from Debian's own source package of the Qt installed here, once:
# later runs find the finished build and return at once. Prints nothing else on
# stdout than the folder of the finished Qt, on the last line.
#
#   bash scripts/windows/build-qt.sh          # into ~/.cache/rockpile/
#   ROCKPILE_QT_MINGW=/some/folder bash scripts/windows/build-qt.sh
#
# The build goes into a work folder beside the cache and is installed into a
# ".partial" folder that is renamed only when it is complete, so an interrupted run
# never leaves a Qt that looks whole; the next run goes on where the build stopped.
set -euo pipefail
source "$(dirname "$0")/common.sh"
exec 3>&1 1>&2 # progress on stderr, the result on stdout

host_cmake_dir=/usr/lib/x86_64-linux-gnu/cmake
deb_version=$(dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null || true)
[ -n "$deb_version" ] ||
    rp_fail "the Linux Qt (qt6-base-dev) is not installed: its tools (moc, rcc, uic) build Qt for Windows" \
        "bash scripts/install-deps.sh"
qt_version=${deb_version%%+*} # 6.4.2+dfsg-10 -> 6.4.2
qt_version=${qt_version#*:}

prefix=${ROCKPILE_QT_MINGW:-$HOME/.cache/rockpile/qt6-base-$qt_version-mingw64}
prefix=${prefix%/}
work=$prefix.work
stamp_name=rockpile-qt-build.txt

# Everything that decides what the build is; a cache made with other options is not reused.
configure_options=(
    -G Ninja
    -DCMAKE_TOOLCHAIN_FILE="$rp_repo/scripts/windows/mingw64.cmake"
    -DCMAKE_BUILD_TYPE=Release
    -DBUILD_SHARED_LIBS=ON
    -DQT_HOST_PATH=/usr
    -DQT_HOST_PATH_CMAKE_DIR=$host_cmake_dir
    -DQT_BUILD_EXAMPLES=OFF
    -DQT_BUILD_TESTS=OFF
    -DQT_BUILD_BENCHMARKS=OFF
    # Debian's source drops the Wintab header that tablet events need.
    -DFEATURE_tabletevent=OFF
    # Without ICU, Qt on Windows converts text through the system's own code pages.
    -DFEATURE_icu=OFF
    -DFEATURE_pkg_config=OFF
    -DFEATURE_dbus=OFF
    -DFEATURE_network=OFF
    -DFEATURE_sql=OFF
    -DFEATURE_xml=OFF
    -DFEATURE_concurrent=OFF
    -DFEATURE_opengl=ON # dynamic, the default: the Windows platform plugin needs it
    -DFEATURE_system_zlib=OFF
    -DFEATURE_system_png=OFF
    -DFEATURE_system_jpeg=OFF
    -DFEATURE_system_freetype=OFF
    -DFEATURE_system_harfbuzz=OFF
    -DFEATURE_system_pcre2=OFF
    -DFEATURE_system_doubleconversion=OFF
    -DFEATURE_system_libb2=OFF
)
stamp_text=$(printf 'qt6-base %s for x86_64-w64-mingw32 (posix)\n' "$deb_version"
    printf '%s\n' "${configure_options[@]}" | grep -v CMAKE_TOOLCHAIN_FILE)

if [ -f "$prefix/$stamp_name" ]; then
    if [ "$(cat "$prefix/$stamp_name")" = "$stamp_text" ]; then
        rp_say "reusing Qt $qt_version for Windows in $prefix"
        echo "$prefix" >&3
        exit 0
    fi
    rp_fail "$prefix holds a Qt for Windows built from another Qt version or with other options" \
        "rm -rf '$prefix' (or set ROCKPILE_QT_MINGW to another folder), then run the script again"
fi
if [ -e "$prefix" ]; then
    rp_fail "$prefix exists but is no finished Qt build of this script" \
        "rm -rf '$prefix' (or set ROCKPILE_QT_MINGW to another folder), then run the script again"
fi

for tool in x86_64-w64-mingw32-g++-posix x86_64-w64-mingw32-windres ninja cmake dpkg-source; do
    command -v "$tool" >/dev/null ||
        rp_fail "$tool is missing" "bash scripts/windows/package.sh (it installs the cross compilers and tools)"
done
[ -f "$host_cmake_dir/Qt6CoreTools/Qt6CoreToolsConfig.cmake" ] ||
    rp_fail "the Linux Qt tools are missing ($host_cmake_dir/Qt6CoreTools)" "bash scripts/install-deps.sh"

# The source: Debian's package of the very Qt whose tools are used.
has_source() { apt-cache showsrc qt6-base 2>/dev/null | grep -qx "Version: $deb_version"; }
enable_deb_src() {
    # The binary package's own archive, as apt sees it: "500 URI SUITE/COMPONENT amd64 Packages".
    local list=/etc/apt/sources.list.d/rockpile-deb-src.sources line uri suite component keyring
    line=$(apt-cache policy qt6-base-dev | awk -v v="$deb_version" '
        $1 == "***" || ($1 == v) { found = 1; next }
        found && $2 ~ /^[a-z]+:\/\// { print; exit }')
    read -r _ uri dist _ <<<"$line"
    suite=${dist%%/*}
    component=${dist#*/}
    [ -n "$uri" ] && [ -n "$suite" ] ||
        rp_fail "cannot tell which archive qt6-base-dev $deb_version comes from" \
            "add a deb-src line for Debian's archive to /etc/apt/sources.list, apt-get update, run again"
    keyring=""
    [ -f /usr/share/keyrings/debian-archive-keyring.gpg ] &&
        keyring="Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg"
    rp_say "enabling Debian's source packages: $uri $suite $component (in $list)"
    printf 'Types: deb-src\nURIs: %s\nSuites: %s\nComponents: %s\n%s\n' \
        "$uri" "$suite" "$component" "$keyring" | as_root tee "$list" >/dev/null
    apt_get update -q ||
        rp_fail "apt-get update failed after adding $list" "check the network and $list, then run again"
}

src_dir=$work/source
if [ ! -f "$src_dir/CMakeLists.txt" ]; then
    if ! has_source; then
        apt_get update -q >/dev/null 2>&1 || true
        has_source || enable_deb_src
        has_source ||
            rp_fail "Debian's source package qt6-base $deb_version cannot be found" \
                "enable a deb-src entry for the archive that has it, apt-get update, run again"
    fi
    rp_say "fetching Debian's source package qt6-base $deb_version"
    rm -rf "$work/fetch"
    mkdir -p "$work/fetch"
    (cd "$work/fetch" && apt-get source -q "qt6-base=$deb_version") ||
        rp_fail "apt-get source qt6-base=$deb_version failed" "check the network and the deb-src entry, run again"
    unpacked=$(find "$work/fetch" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)
    [ -n "$unpacked" ] && [ -f "$unpacked/CMakeLists.txt" ] ||
        rp_fail "the source package did not unpack into $work/fetch" "rm -rf '$work' and run again"
    rm -rf "$src_dir"
    mv "$unpacked" "$src_dir"
    rm -rf "$work/fetch"
fi

build_dir=$work/build
partial=$prefix.partial
if [ ! -f "$build_dir/build.ninja" ] || [ "$(cat "$build_dir/rockpile-options.txt" 2>/dev/null)" != "$stamp_text" ]; then
    rp_say "configuring Qt $qt_version for Windows in $build_dir"
    rm -rf "$build_dir"
    mkdir -p "$build_dir"
    cmake -S "$src_dir" -B "$build_dir" "${configure_options[@]}" -DCMAKE_INSTALL_PREFIX="$partial" \
        >"$build_dir/configure.log" 2>&1 || {
        tail -n 40 "$build_dir/configure.log" >&2
        rp_fail "configuring Qt for Windows failed (whole log: $build_dir/configure.log)" \
            "read the log; after fixing its cause run the script again"
    }
    echo "$stamp_text" >"$build_dir/rockpile-options.txt"
fi

jobs=${ROCKPILE_JOBS:-$(nproc)}
rp_say "building Qt $qt_version for Windows with $jobs jobs (30 to 60 minutes on two cores; log: $build_dir/build.log)"
start=$(date +%s)
nice -n 10 cmake --build "$build_dir" --parallel "$jobs" >"$build_dir/build.log" 2>&1 || {
    tail -n 40 "$build_dir/build.log" >&2
    rp_fail "building Qt for Windows failed (whole log: $build_dir/build.log)" \
        "read the log; run the script again to go on from where the build stopped"
}
rp_say "Qt built in $((($(date +%s) - start) / 60)) minutes"

rm -rf "$partial"
cmake --install "$build_dir" >"$build_dir/install.log" 2>&1 || {
    rm -rf "$partial"
    rp_fail "installing Qt for Windows into $partial failed (log: $build_dir/install.log)" "run the script again"
}
# The Windows platform plugin is what makes it a Qt that can open a window at all.
[ -f "$partial/plugins/platforms/qwindows.dll" ] && [ -f "$partial/bin/Qt6Widgets.dll" ] || {
    rm -rf "$partial"
    rp_fail "the Qt build finished without qwindows.dll or Qt6Widgets.dll (log: $build_dir/configure.log)" \
        "rm -rf '$work' and run the script again"
}
echo "$stamp_text" >"$partial/$stamp_name"
mv "$partial" "$prefix"
rm -rf "$work"
rp_say "Qt $qt_version for Windows is in $prefix"
echo "$prefix" >&3
