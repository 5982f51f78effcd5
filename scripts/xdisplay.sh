# Sourced by the scripts that drive the program under a virtual X server.

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

# start_xvfb FIRST LAST: starts a virtual X server on the first free display in that range
# and waits until it answers; sets xvfb_pid and exports DISPLAY. Fails when no display
# number is free.
start_xvfb() {
    local display _
    display=$(free_x_display "$1" "$2") || return 1
    Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=$display
    for _ in $(seq 1 50); do
        xdotool getdisplaygeometry >/dev/null 2>&1 && break
        sleep 0.1
    done
}
