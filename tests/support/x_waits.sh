# Sourced by the drive scripts of the Xvfb tests: waits for what a step needs (a window manager
# running, a window shown or holding the focus, a file written, a process gone), each bounded,
# instead of sleeping a fixed time that is too long on a quiet machine and too short on a busy
# one.

# wait_until SECONDS COMMAND...: runs COMMAND every tenth of a second until it succeeds;
# status 1 when it still failed after SECONDS.
wait_until() {
    _tenths=$(($1 * 10))
    shift
    _tried=0
    until "$@" >/dev/null 2>&1; do
        _tried=$((_tried + 1))
        [ "$_tried" -ge "$_tenths" ] && return 1
        sleep 0.1
    done
    return 0
}

# A window manager runs on the display: it has named its check window on the root.
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; }

# The X focus is on window $1.
has_focus() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }

# Window $1 is mapped and shown.
viewable() { xwininfo -id "$1" 2>/dev/null | grep -q "Map State: IsViewable"; }

# Process $1 has ended.
gone() { ! kill -0 "$1" 2>/dev/null; }

# File $1 exists and is not empty.
written() { [ -s "$1" ]; }
