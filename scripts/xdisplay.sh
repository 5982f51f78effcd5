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
