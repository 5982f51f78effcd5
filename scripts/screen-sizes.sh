#!/usr/bin/env bash
# The window on small and scaled screens, for real under a virtual X server: for each
# screen and scale the whole screen is photographed with the window on it, then the
# form is scrolled down with the mouse wheel and "计算" is pressed with the mouse, and the
# screen is photographed again:
#   docs/screen-<W>x<H>-<scale>.png           the window as it opens
#   docs/screen-<W>x<H>-<scale>-computed.png  scrolled to "计算" and pressed
# The program is driven only with the mouse, as a user would.
#
#   bash scripts/screen-sizes.sh [path/to/ZAV_PRJ_DWOR1]
set -euo pipefail
cd "$(dirname "$0")/.."
program=${1:-build/ZAV_PRJ_DWOR1}
out=docs

bash scripts/install-deps.sh xdotool imagemagick
[ -x "$program" ] || { echo "No program at $program: build it first (bash scripts/build.sh)." >&2; exit 1; }
source scripts/xdisplay.sh

xvfb_pid=""
app_pid=""
stop() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    app_pid=""
    xvfb_pid=""
}
trap stop EXIT

# shoot SCREEN SCALE: one screen size at one scale.
shoot() {
    local screen=$1 scale=$2 name
    name=$out/screen-$screen-$scale
    start_xvfb 150 220 "$screen" || exit 1
    env -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR="$scale" LANG=zh_CN.UTF-8 LC_ALL= LANGUAGE= \
        "$program" >/dev/null 2>&1 &
    app_pid=$!
    wait_for_window "TB10093-2017" 10 1.5 || { echo "The program's window did not appear." >&2; exit 1; }
    import -window root "$name.png"
    echo "$name.png: window ${WIDTH}x$HEIGHT at $X,$Y on $screen, scale $scale"
    # The wheel over the form's left margin, down to its foot, then "计算" where it now is.
    xdotool mousemove --window "$window" 8 $((HEIGHT / 2))
    for _ in $(seq 1 12); do xdotool click 5; sleep 0.05; done
    sleep 0.5
    # "计算" is 40..140 x 618..651 in the form; scrolled to the end, the form's foot is
    # the window's foot (the window is wide enough for the form: no horizontal scroll bar).
    local x y
    x=$(awk -v s="$scale" 'BEGIN { printf "%d", 90 * s }')
    y=$(awk -v h="$HEIGHT" -v s="$scale" 'BEGIN { printf "%d", h - (700 - 634) * s }')
    click "$x" "$y" 1
    import -window root "$name-computed.png"
    echo "$name-computed.png: \"计算\" clicked at $x,$y in the window"
    stop
}

mkdir -p "$out"
shoot 1280x1024 1.5
shoot 1280x1024 2
shoot 1366x768 1
shoot 1366x768 2
