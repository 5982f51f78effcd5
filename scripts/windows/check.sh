#!/usr/bin/env bash
# The proof under Wine of a Windows package made by package.sh, on a Chinese system
# (ANSI code page 936), in a Wine prefix and a home folder of its own:
#   1. every cross-compiled test executable passes;
#   2. the program from the unzipped package opens its 380 x 700 window with its title;
#      "计算" with the defaults, "结果", "保存" write the calculation book into the Wine
#      user's documents folder: code page 936, no byte-order mark, byte for byte what the
#      Linux program writes for the same pile, but for the time stamp;
#   3. a second save into a documents folder that cannot be written reports the error
#      and keeps the earlier file;
#   4. the setup program, in a clean prefix of its own: a silent install (/S), the
#      Start-menu entry, the uninstaller's entry with version and size, the project file
#      type; the installed program shows its window, "wine start" on a project file
#      starts it with that file; a second install upgrades in place; a silent uninstall
#      leaves no program file, entry or association behind and the user's files alone.
# Leaves build-windows/screenshot-windows.png (the window) and the logs in
# build-windows/check/.
#
#   bash scripts/windows/check.sh [build-windows/rockpile-<version>-win64.zip [build-windows [setup.exe]]]
set -euo pipefail
source "$(dirname "$0")/common.sh"
cd "$rp_repo"

build=${2:-build-windows}
zip_path=${1:-$(ls -t "$build"/rockpile-*-win64.zip 2>/dev/null | head -n 1 || true)}
setup_path=${3:-$(ls -t "$build"/rockpile-*-setup.exe 2>/dev/null | head -n 1 || true)}
[ -n "$zip_path" ] && [ -f "$zip_path" ] ||
    rp_fail "no Windows package in $build/" "bash scripts/windows/package.sh"
qt=$(sed -n 's/^ROCKPILE_QT_MINGW:[A-Z]*=//p' "$build/CMakeCache.txt")
[ -d "$qt/bin" ] || rp_fail "the Qt for Windows that $build was made with is gone ($qt)" "bash scripts/windows/package.sh"
rp_install "${rp_windows_packages[@]}"
for tool in wine wineserver Xvfb xdotool import iconv; do
    command -v "$tool" >/dev/null || rp_fail "$tool is missing" "bash scripts/windows/package.sh"
done

# Wine's ANSI code page follows the Unix locale, and falls back to 1252 when that locale
# has not been generated.
if ! locale -a 2>/dev/null | grep -qix 'zh_CN.utf8'; then
    rp_say "generating the locale zh_CN.UTF-8"
    as_root localedef -i zh_CN -f UTF-8 zh_CN.UTF-8 ||
        rp_fail "cannot generate the locale zh_CN.UTF-8" "apt-get install locales; localedef -i zh_CN -f UTF-8 zh_CN.UTF-8"
fi

logs=$build/check
rm -rf "$logs"
mkdir -p "$logs"
logs=$(cd "$logs" && pwd)
work=$(mktemp -d /tmp/rockpile-wine.XXXXXX)
xvfb_pid=""
app_pids=()
cleanup() {
    [ -d "$work/home/Documents" ] && chattr -i "$work/home/Documents" 2>/dev/null || true
    for pid in "${app_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    WINEPREFIX=$work/prefix wineserver -k 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

source "$rp_repo/scripts/xdisplay.sh"
start_xvfb 150 220 || rp_fail "no virtual X server" "end an old Xvfb, then run again"

mkdir -p "$work/home/Documents"
export HOME=$work/home
export WINEPREFIX=$work/prefix
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 LANGUAGE=
unset WAYLAND_DISPLAY QT_QPA_PLATFORM

rp_say "making a Wine prefix in $WINEPREFIX"
wineboot -i >"$logs/wineboot.log" 2>&1 || rp_fail "wineboot failed (log: $logs/wineboot.log)" "apt-get install wine wine64"
wineserver -w
code_page=$(wine reg query 'HKLM\System\CurrentControlSet\Control\Nls\CodePage' /v ACP 2>/dev/null |
    tr -d '\r' | awk '$1 == "ACP" { print $3 }' || true)
[ "$code_page" = 936 ] ||
    rp_fail "Wine's code page is '$code_page', not 936" "localedef -i zh_CN -f UTF-8 zh_CN.UTF-8, then run again"
rp_say "Wine $(wine --version 2>/dev/null), code page $code_page"
# A Chinese Windows has SimSun, SimHei and Microsoft YaHei; this one has Debian's Noto
# CJK fonts under those names. Without them Wine's dialog font falls back to whatever
# font it finds first (here a math font whose tall lines leave the fields empty).
for family in SimSun NSimSun "Microsoft YaHei" "Microsoft YaHei UI"; do
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$family" /t REG_SZ \
        /d "Noto Sans CJK SC" /f >>"$logs/wineboot.log" 2>&1
done
# SimHei's Chinese characters are two columns of its Latin ones, as the reports need.
wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v SimHei /t REG_SZ \
    /d "Noto Sans Mono CJK SC" /f >>"$logs/wineboot.log" 2>&1
wineserver -w

# 1. The tests, run as CTest would (one run per test class, as the build registered
#    them) through the build's Wine runner, each log kept.
mapfile -t registered < <(grep -h '^add_test' "$build"/tests/CTestTestfile.cmake 2>/dev/null || true)
[ ${#registered[@]} -gt 0 ] || rp_fail "no tests registered in $build/tests/" "bash scripts/windows/package.sh"
failed=()
declare -A classes=() passed=() failures=() skipped=() seconds=()
for line in "${registered[@]}"; do
    test_name=$(sed 's/^add_test(\[=\[\([^]]*\)\]=\].*/\1/' <<<"$line")
    mapfile -t words < <(grep -o '"[^"]*"' <<<"$line" | tr -d '"')
    # The emulator comes first (the runner and its Qt), then the program and its arguments.
    first=0
    while [ "$first" -lt ${#words[@]} ] && [[ "${words[first]}" != *.exe ]]; do
        first=$((first + 1))
    done
    [ "$first" -lt ${#words[@]} ] || continue # the source-format and layer checks run on Linux
    exe=${words[first]}
    group=$(basename "$exe" .exe)
    log=$logs/$test_name.log
    start=$(date +%s)
    rc=0
    QT_QPA_PLATFORM=offscreen timeout 1800 bash "$rp_repo/scripts/windows/wine-run.sh" "$qt" \
        "${words[@]:first}" >"$log" 2>&1 || rc=$?
    totals=$(grep -a '^Totals:' "$log" | tail -n 1 || true)
    read -r p f k < <(sed -E 's/^Totals: ([0-9]+) passed, ([0-9]+) failed, ([0-9]+) skipped.*/\1 \2 \3/' <<<"${totals:-Totals: 0 passed, 0 failed, 0 skipped}")
    classes[$group]=$((${classes[$group]:-0} + 1))
    passed[$group]=$((${passed[$group]:-0} + p))
    failures[$group]=$((${failures[$group]:-0} + f))
    skipped[$group]=$((${skipped[$group]:-0} + k))
    seconds[$group]=$((${seconds[$group]:-0} + $(date +%s) - start))
    if [ "$rc" -ne 0 ]; then
        failed+=("$test_name")
        grep -a -A3 '^FAIL!' "$log" | head -n 20 >&2 || true
    fi
done
for group in $(printf '%s\n' "${!classes[@]}" | sort); do
    printf '   %s: %d CTest tests, %d passed, %d failed, %d skipped (test functions and rows), %d s\n' \
        "$group" "${classes[$group]}" "${passed[$group]}" "${failures[$group]}" "${skipped[$group]}" "${seconds[$group]}"
done | tee "$logs/tests.txt"
# A failed test does not stop the proof of the program; the script fails at its end.
[ ${#failed[@]} -eq 0 ] || rp_say "tests FAILED under Wine: ${failed[*]} (logs in $logs/); going on with the program"

# 2. The program, unzipped as a user would, driven at the design places of its buttons.
mkdir -p "$work/app"
unzip -q "$zip_path" -d "$work/app"
exe=$(find "$work/app" -name ZAV_PRJ_DWOR1.exe | head -n 1)
[ -n "$exe" ] || rp_fail "no ZAV_PRJ_DWOR1.exe in $zip_path" "bash scripts/windows/package.sh"
title="嵌岩桩承载力计算 (TB10093-2017)"
book_name="嵌岩桩计算书(依据TB10093-2017)_文本.txt"

# Wine takes its time over each click.
click_settle=1.5
# start_program COMMAND...: starts it, waits for its window; sets window, X, Y, WIDTH, HEIGHT.
start_program() {
    "$@" >>"$logs/program.log" 2>&1 &
    app_pids+=($!)
    wait_for_window "TB10093-2017" 60 2 ||
        rp_fail "the program's window did not appear (log: $logs/program.log)" "read the log"
}
save_book() {
    click 90 634 # "计算" with the defaults
    click 90 634 # "结果"
    click 274 634 # "保存"
}

rp_say "starting the program under Wine"
start_program wine "$exe"
win_title=$(xdotool getwindowname "$window")
[ "$win_title" = "$title" ] || rp_fail "the window is titled '$win_title', not '$title'" "see $logs/program.log"
[ "$WIDTH" = 380 ] && [ "$HEIGHT" = 700 ] ||
    rp_fail "the window is ${WIDTH}x$HEIGHT, not 380x700" "see $logs/program.log"
sleep 1
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$build/screenshot-windows.png"
save_book
windows_book=$HOME/Documents/$book_name
[ -f "$windows_book" ] || rp_fail "\"保存\" under Wine wrote no $book_name into the documents folder" "see $logs/program.log"
cp "$windows_book" "$logs/book-windows.txt"

# 3. Another pile (R changed to 30 MPa), calculated and shown, then "保存" into a
#    documents folder that cannot be written: an error box, and the earlier file kept.
click 90 634 # "返回"
xdotool mousemove --window "$window" 320 337 click --repeat 3 1 # the R field
sleep 0.3
xdotool key ctrl+a
xdotool type 30
xdotool key Tab
sleep 1
click 90 634 # "计算"
click 90 634 # "结果"
chattr +i "$HOME/Documents" 2>/dev/null && readonly_folder=yes || readonly_folder=no
if [ "$readonly_folder" = yes ]; then
    click 274 634 # "保存"
    boxes=$(xdotool search --onlyvisible --name "TB10093-2017" 2>/dev/null | wc -l)
    import -window root "$logs/read-only-save.png"
    chattr -i "$HOME/Documents"
    [ "$boxes" -ge 2 ] || rp_fail "a save into a folder that cannot be written showed no error" "see $logs/read-only-save.png"
    cmp -s "$windows_book" "$logs/book-windows.txt" ||
        rp_fail "a failed save changed the earlier book file" "see $logs/"
    [ "$(ls "$HOME/Documents")" = "$book_name" ] || rp_fail "a failed save left files behind: $(ls "$HOME/Documents")" "see $logs/"
    rp_say "a save into a read-only documents folder: error shown, earlier file kept"
else
    rp_say "cannot make the documents folder read-only here (chattr); that check is left out"
fi
wineserver -k 2>/dev/null || true
for pid in "${app_pids[@]}"; do wait "$pid" 2>/dev/null || true; done
app_pids=()

# The same pile through the Linux program, in a home of its own.
linux_build=$build/linux-reference
rp_say "building the Linux program for comparison in $linux_build/"
{ cmake -S . -B "$linux_build" -DCMAKE_BUILD_TYPE=Release -DROCKPILE_BUILD_TESTS=OFF &&
    nice -n 10 cmake --build "$linux_build" --target ZAV_PRJ_DWOR1 --parallel "$(nproc)"; } \
    >"$logs/linux-build.log" 2>&1 || rp_fail "the Linux build failed (log: $logs/linux-build.log)" "bash scripts/install-deps.sh"
mkdir -p "$work/linux-home/Documents"
start_program env HOME="$work/linux-home" QT_QPA_PLATFORM=xcb "$linux_build/ZAV_PRJ_DWOR1"
save_book
for pid in "${app_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
linux_book=$work/linux-home/Documents/$book_name
[ -f "$linux_book" ] || rp_fail "the Linux program wrote no book" "see $logs/program.log"
cp "$linux_book" "$logs/book-linux.txt"

# Code page 936 without a byte-order mark, CR LF, equal but for the time stamp.
[ "$(head -c 3 "$windows_book" | od -An -tx1 | tr -d ' ')" != efbbbf ] || rp_fail "the book under Wine starts with a byte-order mark" "see $logs/book-windows.txt"
iconv -f CP936 -t UTF-8 "$windows_book" >/dev/null || rp_fail "the book under Wine is not code page 936" "see $logs/book-windows.txt"
grep -aq $'\r$' "$windows_book" || rp_fail "the book under Wine has no CR LF line ends" "see $logs/book-windows.txt"
stamp=$(printf '计算时间' | iconv -f UTF-8 -t CP936)
grep -a -v -F "$stamp" "$windows_book" >"$logs/book-windows.unstamped"
grep -a -v -F "$stamp" "$linux_book" >"$logs/book-linux.unstamped"
[ "$(grep -a -c -F "$stamp" "$windows_book")" = "$(grep -a -c -F "$stamp" "$linux_book")" ] ||
    rp_fail "the books differ in their time stamps" "diff $logs/book-windows.txt $logs/book-linux.txt"
cmp "$logs/book-windows.unstamped" "$logs/book-linux.unstamped" ||
    rp_fail "the book under Wine differs from the Linux program's" \
        "diff <(iconv -f CP936 -t UTF-8 $logs/book-windows.txt) <(iconv -f CP936 -t UTF-8 $logs/book-linux.txt)"
rp_say "the book under Wine ($(wc -c <"$windows_book") bytes, code page 936, no byte-order mark) equals the Linux program's but for the time stamp"
# 4. The setup program, in a clean prefix of its own, as a user's machine would get it.
if [ -n "$setup_path" ] && [ -f "$setup_path" ]; then
    export WINEPREFIX=$work/prefix-setup
    rp_say "the setup program $(basename "$setup_path") in a clean Wine prefix"
    wineboot -i >>"$logs/wineboot.log" 2>&1 || rp_fail "wineboot failed (log: $logs/wineboot.log)" "apt-get install wine wine64"
    wineserver -w
    version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
    key='Software\Microsoft\Windows\CurrentVersion\Uninstall\RockPile'
    # reg_value ROOT\KEY NAME: the value, or nothing.
    reg_value() {
        wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' |
            awk -v name="$2" '$1 == name { $1 = ""; $2 = ""; sub(/^ +/, ""); print; exit }'
    }
    install_silently() {
        wine "$(winepath -w "$setup_path")" /S >>"$logs/setup.log" 2>&1 || rp_fail "the setup program failed (log: $logs/setup.log)" "read the log"
        wineserver -w
        root=""
        for candidate in HKLM HKCU; do
            [ -n "$(reg_value "$candidate\\$key" InstallLocation)" ] && root=$candidate && break
        done
        [ -n "$root" ] || rp_fail "the silent install registered no uninstaller under $key" "see $logs/setup.log"
        install_dir=$(winepath -u "$(reg_value "$root\\$key" InstallLocation)")
    }
    install_silently
    [ -f "$install_dir/ZAV_PRJ_DWOR1.exe" ] || rp_fail "no ZAV_PRJ_DWOR1.exe in $install_dir after the install" "see $logs/setup.log"
    [ "$(reg_value "$root\\$key" DisplayVersion)" = "$version" ] ||
        rp_fail "the uninstaller's entry shows version '$(reg_value "$root\\$key" DisplayVersion)', not $version" "check installer.nsi"
    size=$(reg_value "$root\\$key" EstimatedSize)
    [ $((size)) -gt 1000 ] || rp_fail "the uninstaller's entry gives no size ($size)" "check installer.nsi"
    [ "$(wine reg query "$root\\Software\\Classes\\.rockpile" /ve 2>/dev/null | tr -d '\r' | awk 'NF >= 3 { v = $NF } END { print v }')" = RockPile.Project ] ||
    rp_fail "the .rockpile file type is not associated with the program" "check installer.nsi"
    menu=$(find "$WINEPREFIX/drive_c" -path '*Start Menu/Programs/*' -name '嵌岩桩承载力计算.lnk' | head -n 1)
    [ -n "$menu" ] || rp_fail "no Start-menu entry" "check installer.nsi"
    for needed in LICENSE.txt THIRD-PARTY-NOTICES.txt rockpile-project.ico uninstall.exe; do
        [ -f "$install_dir/$needed" ] || rp_fail "the install lacks $needed" "check package.sh and installer.nsi"
    done
    rp_say "installed silently for ${root/HKLM/all users}${root/HKCU/the current user} into $(reg_value "$root\\$key" InstallLocation): version $version, $((size)) KB, Start-menu entry, .rockpile associated"

    start_program wine "$install_dir/ZAV_PRJ_DWOR1.exe"
    [ "$WIDTH" = 380 ] && [ "$HEIGHT" = 700 ] || rp_fail "the installed program's window is ${WIDTH}x$HEIGHT" "see $logs/program.log"
    wineserver -k 2>/dev/null || true
    for pid in "${app_pids[@]}"; do wait "$pid" 2>/dev/null || true; done
    app_pids=()
    rp_say "the installed program shows its window"

    # A project file in the user's documents, opened as a double click would.
    project_dir=$(winepath -u 'C:\users\'"$USER"'\Documents' 2>/dev/null || echo "$WINEPREFIX/drive_c/users/$USER/Documents")
    mkdir -p "$project_dir"
    project=$project_dir/桥墩1.rockpile
    [ -f "$rp_repo/tests/data/sample.rockpile" ] && cp "$rp_repo/tests/data/sample.rockpile" "$project" ||
        printf '{}\n' >"$project"
    start_program wine start /unix "$project"
    opened=$(tr '\0' ' ' </proc/"$(pgrep -n -f 'ZAV_PRJ_DWOR1.exe' || echo 0)"/cmdline 2>/dev/null || true)
    wineserver -k 2>/dev/null || true
    for pid in "${app_pids[@]}"; do wait "$pid" 2>/dev/null || true; done
    app_pids=()
    case "$opened" in
    *桥墩1.rockpile*) rp_say "\"wine start\" on a project file started the program with that file" ;;
    *) rp_fail "\"wine start\" on a project file did not start the program with it (command line: $opened)" "check the association in installer.nsi" ;;
    esac

    # Over the installed version: upgraded in place, one entry.
    install_silently
    [ "$(winepath -u "$(reg_value "$root\\$key" InstallLocation)")" = "$install_dir" ] ||
        rp_fail "a second install went elsewhere" "check .onInit in installer.nsi"
    rp_say "a second install upgraded the first in place"

    printf 'mine\n' >"$install_dir/notes-of-the-user.txt"
    wine "$install_dir/uninstall.exe" /S >>"$logs/setup.log" 2>&1 || true
    wineserver -w
    left=$(find "$install_dir" -type f ! -name notes-of-the-user.txt 2>/dev/null || true)
    [ -z "$left" ] || rp_fail "the uninstaller left program files behind: $left" "check the Delete lines of package.sh"
    [ -f "$install_dir/notes-of-the-user.txt" ] || rp_fail "the uninstaller removed a file of the user's in the program folder" "check installer.nsi"
    [ -f "$project" ] || rp_fail "the uninstaller removed the user's project file" "check installer.nsi"
    [ -z "$(reg_value "$root\\$key" InstallLocation)" ] || rp_fail "the uninstaller's entry is still there" "check installer.nsi"
    wine reg query "$root\\Software\\Classes\\RockPile.Project" >/dev/null 2>&1 &&
        rp_fail "the file type is still registered after the uninstall" "check installer.nsi"
    [ -z "$(find "$WINEPREFIX/drive_c" -name '嵌岩桩承载力计算.lnk' | head -n 1)" ] || rp_fail "a shortcut is left after the uninstall" "check installer.nsi"
    rp_say "a silent uninstall left no program file, entry, association or shortcut, and the user's files where they were"
    rp_say "setup program: $(du -h "$setup_path" | cut -f1) ($(stat -c %s "$setup_path") bytes)"
else
    rp_say "no setup program in $build/; its proof is left out"
fi

[ ${#failed[@]} -eq 0 ] ||
    rp_fail "tests failed under Wine: ${failed[*]} (logs in $logs/)" "read the logs; the failing lines start with FAIL!"
rp_say "the Wine proof passed; the window: $build/screenshot-windows.png"

