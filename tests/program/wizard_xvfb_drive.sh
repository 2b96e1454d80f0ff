#!/bin/sh
# Drives the wizard as a user at the keyboard: run inside xvfb-run, with $OSTREL the program,
# $SCREEN_GRAB the screen grabber, $PICTURES the folder for a picture of every page, $REPORT
# the file to save the report to. Welcome, option page, domain list (the network's), the run,
# the results (Return, then Back to them; Save through the real save dialog), the last page,
# Finish. Prints one line per step and "status=N" with the program's exit status.
set -u
. "$(dirname "$0")/../support/window_input.sh"
"$OSTREL" 2>"$PICTURES/wizard_xvfb_dc.err" &
pid=$!
fail() { echo "failed: $1"; kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; exit 1; }
# The window of the program, focused (there is no window manager to do it).
focus() {
    win=$(xdotool search --sync --onlyvisible --pid "$pid" 2>/dev/null | tail -n 1)
    [ -n "$win" ] || fail "no window of the program"
    focus_window "$win"
}
grab() {
    sleep "${2:-1}"
    "$SCREEN_GRAB" "$PICTURES/wizard_xvfb_dc_$1.png" 30 || fail "grab $1"
    echo "page $1"
}
key() { focus; send_keys "$@"; }

. "$(dirname "$0")/walk_to_results.sh"
walk_to_results
# Return on the results page goes on to the last page (never ends the program); Alt+B, the
# access key of "< &Back", brings the same results back.
key Return
grab 5_return_on_results
kill -0 "$pid" 2>/dev/null || fail "Return on the results page ended the program"
key alt+b
sleep 1
# Alt+S: the access key of "&Save...".
key alt+s
# The save dialog: the file's name typed, Enter to save.
sleep 2
grab 5_save_dialog 0
focus
type_text "$REPORT"
send_keys Return
sleep 2
[ -s "$REPORT" ] && echo "saved" || echo "not saved"
# Alt+N: the access key of "&Next >".
key alt+n
grab 6_finish
# Finish is the last page's default button.
key Return
i=0
while kill -0 "$pid" 2>/dev/null && [ $i -lt 100 ]; do sleep 0.1; i=$((i + 1)); done
kill -0 "$pid" 2>/dev/null && fail "still running after Finish"
wait "$pid"
echo "status=$?"
