#!/usr/bin/env bash
# The Windows package, built on Debian 12 and proven under Wine:
#   build-windows/rockpile-<version>-win64.zip     unzip and run
#   build-windows/rockpile-<version>-setup.exe     the setup program (NSIS)
# Installs the cross compilers, Wine and the rest when missing, builds Qt for Windows
# once into ~/.cache/rockpile/ (or $ROCKPILE_QT_MINGW; the first run takes 30 to 60
# minutes for that), cross-compiles the program and every test, gathers the package
# and runs scripts/windows/check.sh on it.
#
#   bash scripts/windows/package.sh
set -euo pipefail
source "$(dirname "$0")/common.sh"
cd "$rp_repo"
started=$(date +%s)

rp_say "installing what is missing"
rp_install "${rp_windows_packages[@]}"

qt=$(bash scripts/windows/build-qt.sh | tail -n 1)
[ -f "$qt/lib/cmake/Qt6/Qt6Config.cmake" ] || rp_fail "no Qt for Windows in '$qt'" "bash scripts/windows/build-qt.sh"

# The preset "windows" of CMakePresets.json: its folder, toolchain and options.
build=build-windows
rp_say "cross-compiling the program and its tests into $build/"
mkdir -p "$build"
ROCKPILE_QT_MINGW=$qt cmake --preset windows >"$build/configure.log" 2>&1 || {
    tail -n 30 "$build/configure.log" >&2
    rp_fail "configuring the Windows build failed (log: $build/configure.log)" \
        "read the log; rm -rf $build and run the script again"
}
nice -n 10 cmake --build --preset windows --parallel "$(nproc)" >"$build/build.log" 2>&1 || {
    grep -E -m 20 'error|warning' "$build/build.log" >&2 || tail -n 30 "$build/build.log" >&2
    rp_fail "the Windows build failed; warnings count as errors here (log: $build/build.log)" \
        "fix the sources, then run the script again"
}

# The tests find Qt's translations beside them, as the program does in the package.
mkdir -p "$build/translations"
cp /usr/share/qt6/translations/qtbase_zh_CN.qm "$build/translations/" ||
    rp_fail "Qt's Chinese translations are missing" "apt-get install qt6-translations-l10n"

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
name=rockpile-$version-win64
stage=$build/package/$name
zip_path=$build/$name.zip
rp_say "gathering $zip_path"
rm -rf "$build/package" "$zip_path"
cmake --install "$build" --prefix "$stage" >"$build/install.log" 2>&1 ||
    rp_fail "installing into $stage failed (log: $build/install.log)" "run the script again"

# Release builds still carry symbol tables (the compiler's runtime its debugging
# information too); the user needs neither.
find "$stage" \( -iname '*.exe' -o -iname '*.dll' \) -exec x86_64-w64-mingw32-strip --strip-unneeded {} + ||
    rp_fail "stripping the package's programs failed" "apt-get install binutils-mingw-w64-x86-64"

# Every library the program and its plugins load must be in the package or be part of
# Windows itself: on a clean machine nothing else is there.
windows_dlls='^((kernel32|user32|gdi32|shell32|shlwapi|ole32|oleaut32|advapi32|comdlg32|comctl32|imm32|winmm|ws2_32|version|netapi32|userenv|uxtheme|dwmapi|d3d9|d3d11|d3d12|dxgi|dwrite|d2d1|shcore|setupapi|wtsapi32|mpr|authz|msvcrt|ntdll|rpcrt4|crypt32|bcrypt|secur32|opengl32|uiautomationcore|api-ms-win-.*)\.dll|winspool\.drv)$'
missing=()
while IFS= read -r binary; do
    while IFS= read -r dll; do
        lower=$(tr '[:upper:]' '[:lower:]' <<<"$dll")
        grep -Eq "$windows_dlls" <<<"$lower" && continue
        find "$stage" -maxdepth 1 -iname "$dll" | grep -q . || missing+=("$dll (needed by ${binary#"$stage"/})")
    done < <(x86_64-w64-mingw32-objdump -p "$binary" | sed -n 's/^\s*DLL Name: //p')
done < <(find "$stage" -iname '*.exe' -o -iname '*.dll')
if [ ${#missing[@]} -gt 0 ]; then
    printf '  %s\n' "${missing[@]}" >&2
    rp_fail "the package lacks libraries that the program loads" \
        "add them to the install() rules in CMakeLists.txt, then run the script again"
fi
# The license texts of everything the package ships, from where it comes from.
/usr/bin/python3 scripts/windows/notices.py --version "$version" --stage "$stage" \
    --qt-source "$qt.work/source" --qt-package "$(dpkg-query -W -f='${Version}' qt6-base-dev)" \
    --qt-options "$qt/rockpile-qt-build.txt" --cmake-cache "$build/CMakeCache.txt" \
    --license LICENSE --out "$stage/THIRD-PARTY-NOTICES.txt" ||
    rp_fail "writing THIRD-PARTY-NOTICES.txt failed" "read the message above; bash scripts/windows/build-qt.sh keeps Qt's source in $qt.work/source"
for needed in ZAV_PRJ_DWOR1.exe platforms/qwindows.dll translations/qtbase_zh_CN.qm README.txt \
    LICENSE.txt THIRD-PARTY-NOTICES.txt rockpile-project.ico; do
    [ -f "$stage/$needed" ] || rp_fail "the package lacks $needed" "check the install() rules in CMakeLists.txt"
done
ls "$stage"/styles/*.dll >/dev/null 2>&1 || rp_fail "the package lacks the styles plugin" "check the install() rules in CMakeLists.txt"
(cd "$build/package" && zip -q -r -X "../$name.zip" "$name") || rp_fail "zip failed" "bash scripts/install-deps.sh zip"
rp_say "$zip_path: $(du -h "$zip_path" | cut -f1), $(unzip -l "$zip_path" | tail -n 1 | awk '{print $2}') files"

# The setup program installs exactly the zip's files; its uninstaller removes exactly those.
setup_path=$build/rockpile-$version-setup.exe
rp_say "making $setup_path"
nsis=$build/nsis
rm -rf "$nsis" "$setup_path"
mkdir -p "$nsis"
(
    cd "$stage"
    find . -type d | sort | while IFS= read -r dir; do
        dir=${dir#.}
        dir=${dir#/}
        printf 'SetOutPath "$INSTDIR%s"\n' "${dir:+\\${dir//\//\\}}"
        find "./$dir" -mindepth 1 -maxdepth 1 -type f | sort | while IFS= read -r file; do
            printf 'File "%s"\n' "$(realpath "$file")"
        done
    done >"$OLDPWD/$nsis/files.nsh"
    find . -type f | sort | while IFS= read -r file; do
        file=${file#./}
        printf 'Delete "$INSTDIR\\%s"\n' "${file//\//\\}"
    done >"$OLDPWD/$nsis/unfiles.nsh"
    find . -mindepth 1 -type d | sort -r | while IFS= read -r dir; do
        dir=${dir#./}
        printf 'RMDir "$INSTDIR\\%s"\n' "${dir//\//\\}"
    done >>"$OLDPWD/$nsis/unfiles.nsh"
)
website=$(sed -n 's/^ROCKPILE_WEBSITE_URL:[A-Z]*=//p' "$build/CMakeCache.txt")
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DSTAGE="$stage" \
    -DICON="$rp_repo/app/windows/ZAV_PRJ_DWOR1.ico" -DFILES="$nsis/files.nsh" \
    -DUNFILES="$nsis/unfiles.nsh" -DOUTFILE="$rp_repo/$setup_path" ${website:+-DWEBSITE="$website"} \
    app/windows/installer.nsi >"$nsis/makensis.log" 2>&1 || {
    tail -n 20 "$nsis/makensis.log" >&2
    rp_fail "makensis failed (log: $nsis/makensis.log)" "apt-get install nsis; read the log"
}
rp_say "$setup_path: $(du -h "$setup_path" | cut -f1)"

bash scripts/windows/check.sh "$zip_path" "$build" "$setup_path"
rp_say "done in $((($(date +%s) - started) / 60)) min $((($(date +%s) - started) % 60)) s: $zip_path, $setup_path"
