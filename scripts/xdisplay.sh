# Sourced by the scripts that drive the program under a virtual X server: the server, the
# program's window, and clicks at the design places of its controls.

# free_x_display FIRST LAST: prints the first display ":n" in that range that no X server
# holds (neither its lock file nor its socket exists); fails when all are taken.
free_x_display() {
    local n
    for n in $(seq "$1" "$2"); do
        if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
            echo ":$n"
            return 0
        fi
    done
    return 1
}

# start_xvfb FIRST LAST [WIDTHxHEIGHT]: starts a virtual X server (1024x768 unless told)
# on the first free display in that range and waits until it answers; sets xvfb_pid and
# exports DISPLAY. Fails, saying why, when no display number is free or the server does
# not answer within ten seconds.
start_xvfb() {
    local display deadline
    display=$(free_x_display "$1" "$2") || {
        echo "No free X display number from :$1 to :$2." >&2
        return 1
    }
    Xvfb "$display" -screen 0 "${3:-1024x768}x24" -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=$display
    deadline=$((SECONDS + 10))
    while [ "$SECONDS" -lt "$deadline" ]; do
        xdotool getdisplaygeometry >/dev/null 2>&1 && return 0
        kill -0 "$xvfb_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=""
    echo "The virtual X server on $display did not answer." >&2
    return 1
}

# wait_for_window TITLE SECONDS [SETTLE]: waits until a visible window whose title holds
# TITLE appears, then SETTLE seconds more (a window manager or Wine may still move it);
# sets window, X, Y, WIDTH and HEIGHT. Fails when no such window appears in time.
wait_for_window() {
    local deadline=$((SECONDS + $2))
    window=""
    while [ -z "$window" ] && [ "$SECONDS" -lt "$deadline" ]; do
        window=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 || true)
        [ -n "$window" ] || sleep 0.1
    done
    [ -n "$window" ] || return 1
    sleep "${3:-0}"
    eval "$(xdotool getwindowgeometry --shell "$window")"
}

# click X Y [SECONDS]: clicks the design point (X, Y) of the window, moves the mouse away
# (no tooltip in a screenshot), then lets the program settle, click_settle seconds unless
# given.
click_settle=0.8
click() {
    xdotool mousemove --window "$window" "$1" "$2" click 1
    xdotool mousemove 0 0
    sleep "${3:-$click_settle}"
}
