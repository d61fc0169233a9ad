# Sourced by the scripts that need an X server of their own (needs Xvfb).
#
# start_xvfb FOLDER: starts Xvfb (1280x1024x24, no TCP) on a display number it chooses
# itself, noted in FOLDER/display, and waits up to 10 s for it. Sets xvfb_pid and exports
# DISPLAY; returns 1 when the server does not come up. The caller kills $xvfb_pid.
start_xvfb() {
    local folder=$1
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$folder/display" 2>/dev/null &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$folder/display" ] && break
        sleep 0.1
    done
    [ -s "$folder/display" ] || return 1
    DISPLAY=":$(head -n1 "$folder/display")"
    export DISPLAY
}
