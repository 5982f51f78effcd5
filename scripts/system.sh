# Sourced by the scripts that change the system: root and apt-get in one place.

# as_root COMMAND...: runs it as root, through sudo when the script is not root. With
# neither, says so and what to do, and fails.
as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null 2>&1; then
        sudo "$@"
    else
        echo "This step needs root, and this account is not root and has no sudo: $*" >&2
        echo "Run the script again as root, or install sudo and allow this account to use it." >&2
        return 1
    fi
}

# apt_get ARGUMENTS...: apt-get as root, asking nothing. An install that finds the
# package lock held (another install, an automatic upgrade) waits up to ten minutes for
# it instead of failing with "Could not get lock"; "update" takes a lock of its own,
# which that option does not cover, so it is tried again while that lock is held.
apt_lock_seconds=600
apt_get() {
    local command=(env DEBIAN_FRONTEND=noninteractive apt-get -o "DPkg::Lock::Timeout=$apt_lock_seconds" "$@")
    case " $* " in
    *" update "*) ;;
    *)
        as_root "${command[@]}"
        return
        ;;
    esac
    local deadline=$((SECONDS + apt_lock_seconds)) output status
    while :; do
        status=0
        output=$(as_root "${command[@]}" 2>&1) || status=$?
        if [ "$status" -eq 0 ] || ! grep -q 'Could not get lock' <<<"$output" || [ "$SECONDS" -ge "$deadline" ]; then
            if [ "$status" -eq 0 ]; then
                [ -z "$output" ] || printf '%s\n' "$output"
            else
                printf '%s\n' "$output" >&2
            fi
            return "$status"
        fi
        echo "Another program holds the package lists' lock; trying again in 10 s." >&2
        sleep 10
    done
}
