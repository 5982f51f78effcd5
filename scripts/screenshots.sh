#!/usr/bin/env bash
# Takes the README's screenshots from the real program under a virtual X server:
#   docs/screenshot-input.png         the input screen after "计算" with the defaults
#   docs/screenshot-book.png          "结果": the calculation book of that pile
#   docs/screenshot-table.png         the page button: the summary table
#   docs/screenshot-optimization.png  "★", then "计算" with the default ranges
#   docs/chart-optimization.png      F6 on it: the chart of that list
#   docs/chart-pile.png              F6 on the input screen: the pile's chart
#   docs/pdf-book.png, docs/pdf-table.png
#                                     page 1 of the book's and the table's PDF, as the
#                                     memo's "导出PDF" wrote them (two piles)
# The program is driven with the mouse at the design places of its buttons, exactly as
# a user would; nothing is faked. Safe to run again: it uses a free display and cleans
# up after itself.
#
#   bash scripts/screenshots.sh [path/to/ZAV_PRJ_DWOR1]
set -euo pipefail
cd "$(dirname "$0")/.."
program=${1:-build/ZAV_PRJ_DWOR1}
out=docs

bash scripts/install-deps.sh xdotool imagemagick poppler-utils
if [ ! -x "$program" ]; then
    echo "No program at $program: build it first (bash scripts/build.sh)." >&2
    exit 1
fi

source scripts/xdisplay.sh

xvfb_pid=""
app_pid=""
# The program's documents folder, here a scratch one: the exported PDFs land there.
scratch=$(mktemp -d)
mkdir -p "$scratch/config" "$scratch/documents"
echo "XDG_DOCUMENTS_DIR=\"$scratch/documents\"" >"$scratch/config/user-dirs.dirs"
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT

start_xvfb 90 150 || exit 1

# A Chinese user's locale, so that numbers and the report time read as they would.
env -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb LANG=zh_CN.UTF-8 LC_ALL= LANGUAGE= \
    XDG_CONFIG_HOME="$scratch/config" \
    "$program" >/dev/null 2>&1 &
app_pid=$!

wait_for_window "TB10093-2017" 10 || { echo "The program's window did not appear." >&2; exit 1; }

shot() {
    mkdir -p "$out"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out/$1"
    echo "$out/$1"
}

# The memo's context menu, its last item "导出PDF" chosen with the keyboard.
export_pdf() {
    xdotool mousemove --window "$window" 190 300 click 3
    sleep 0.5
    xdotool key Up Return
    sleep 1.5
}
# Page 1 of an exported PDF as a picture, 100 dpi.
pdf_page() {
    local pdf="$scratch/documents/$1"
    [ -f "$pdf" ] || { echo "No PDF was exported: $pdf" >&2; exit 1; }
    pdftoppm -png -r 100 -f 1 -l 1 -singlefile "$pdf" "$out/${2%.png}"
    echo "$out/$2"
}

sleep 1
click 90 634        # "计算" with the defaults
shot screenshot-input.png
click 90 634        # "结果", in the same place
shot screenshot-book.png
click 346 16        # page button: the summary table
shot screenshot-table.png
click 346 16        # back to the book
click 90 634        # "返回"
# A second pile for the PDF pictures, from the keyboard: d = 1200, then Ctrl+Return.
click 305 140       # the d field
xdotool key ctrl+a
xdotool type 1200
xdotool key ctrl+Return
sleep 0.8
click 90 634        # "结果"
export_pdf
pdf_page "嵌岩桩计算书(依据TB10093-2017)_文本.pdf" pdf-book.png
click 346 16        # the table
export_pdf
pdf_page "嵌岩桩计算书(依据TB10093-2017)_表格.pdf" pdf-table.png
click 346 16        # back to the book
click 90 634        # "返回"
click 182 634       # "★"
click 67 634 3      # "计算" of the optimization screen
shot screenshot-optimization.png
chart_shot() {
    xdotool windowfocus --sync "$window" 2>/dev/null || true
    xdotool key F6
    sleep 1.5
    local chart
    # Its title ends like the main window's: the other window of that name.
    chart=$(xdotool search --onlyvisible --name "TB10093-2017" 2>/dev/null | grep -vx "$window" | head -n 1 || true)
    [ -n "$chart" ] || { echo "The chart window did not appear." >&2; exit 1; }
    # The pointer over the middle of the chart shows a read-out.
    xdotool mousemove --window "$chart" 380 280
    sleep 0.8
    import -window "$chart" "$out/$1"
    echo "$out/$1"
}
chart_shot chart-optimization.png
click 307 634       # "返回"
chart_shot chart-pile.png
click 274 634       # "退出"
for _ in $(seq 1 30); do
    kill -0 "$app_pid" 2>/dev/null || { app_pid=""; break; }
    sleep 0.1
done
