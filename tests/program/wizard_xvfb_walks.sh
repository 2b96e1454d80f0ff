#!/bin/sh
# Walks through the wizard by the keyboard alone, against the network's domains: run inside
# xvfb-run, with $OSTREL the program, $SCREEN_GRAB the screen grabber, $PICTURES the folder
# for pictures, $WALK the walk, and $WM a window manager to start first (empty: none).
#   finish: Return on every page, from the welcome page to Finish.
#   esc:    Return to the results, then Esc: the wizard asks before the results go; No (the
#           default, by Return) keeps them, then Esc and Alt+Y (Yes) end the wizard.
#   viewlog: Return to the results on a machine without a program that opens a text file (no
#           xdg-open on the program's PATH), then Alt+V: the log shows in the program's own
#           window, Esc closes it; Alt+S (Save...) then reaches the wizard, Esc closes the save
#           dialog, and Alt+C (Copy) and Esc end the wizard without a question.
# Prints one line per step, "transient=<id>" for a question's WM_TRANSIENT_FOR, "focus=ok"
# when the keys are back on the wizard after it, and "status=N" with the exit status.
set -u
. "$(dirname "$0")/../support/window_input.sh"
. "$(dirname "$0")/../support/x_waits.sh"
if [ -n "${WM:-}" ]; then
    "$WM" >/dev/null 2>&1 &
    wm=$!
    # A walk that is to have a window manager must not go on without one.
    if ! wait_until 20 wm_running; then
        echo "failed: $WM did not start managing the display within 20 s"
        kill "$wm" 2>/dev/null
        exit 1
    fi
fi
if [ "$WALK" = viewlog ]; then
    PATH=/nonexistent "$OSTREL" 2>"$PICTURES/walk_$WALK.err" &
else
    "$OSTREL" 2>"$PICTURES/walk_$WALK.err" &
fi
pid=$!
fail() {
    echo "failed: $1"
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    [ -n "${wm:-}" ] && kill "$wm" 2>/dev/null
    exit 1
}
windows() { xdotool search --onlyvisible --pid "$pid" 2>/dev/null; }
wizard=""
for i in $(seq 150); do
    wizard=$(windows | head -n 1)
    [ -n "$wizard" ] && break
    sleep 0.2
done
[ -n "$wizard" ] || fail "no window of the program"
echo "wizard=$(printf 0x%x "$wizard")"
sleep 1
# There is no window manager to focus the window (or it has not yet): the test does once.
focus_window "$wizard"
grab() {
    sleep "${2:-1}"
    "$SCREEN_GRAB" "$PICTURES/walk_${WALK}_$1.png" 30 || fail "grab $1"
    echo "page $1"
}
# Keys go where the X focus is (window_input.sh's key): a walk that needs the test to focus
# the window is no walk.
# A window of the program other than the wizard (a message box), waited for.
other_window() {
    for i in $(seq 100); do
        d=$(windows | grep -vx "$wizard" | tail -n 1)
        [ -n "$d" ] && { echo "$d"; return; }
        sleep 0.1
    done
}
transient() { xprop -id "$1" WM_TRANSIENT_FOR | sed -n 's/.*window id # /transient=/p'; }
# The dialog the last key opened, as `name`: its picture, the window it is transient for and its
# title ("<name>_title=").
dialog() {
    d=$(other_window)
    [ -n "$d" ] || fail "$2"
    grab "5_$1" 0.5
    transient "$d"
    xdotool getwindowname "$d" | sed "s/^/$1_title=/"
}
# The keys are back on the wizard: the X focus is its window (or a child of it).
focus_back() {
    for i in $(seq 50); do
        f=$(xdotool getwindowfocus 2>/dev/null)
        [ "$f" = "$wizard" ] && { echo "focus=ok"; return; }
        sleep 0.1
    done
    echo "focus=$(printf 0x%x "${f:-0}")"
}

. "$(dirname "$0")/walk_to_results.sh"
walk_to_results
case "$WALK" in
finish)
    key Return
    grab 6_finish
    kill -0 "$pid" 2>/dev/null || fail "Return on the results page ended the program"
    key Return
    ;;
esc)
    key Escape
    dialog question "Esc on the results page asked nothing"
    key Return
    sleep 1
    kill -0 "$pid" 2>/dev/null || fail "No ended the program"
    [ -z "$(windows | grep -vx "$wizard")" ] || fail "the question stays after No"
    focus_back
    grab 5_kept
    key Escape
    box=$(other_window)
    [ -n "$box" ] || fail "the second Esc asked nothing"
    key alt+y
    ;;
viewlog)
    key alt+v
    dialog view "View Log showed no window"
    key Escape
    sleep 1
    focus_back
    key alt+s
    dialog save "Alt+S after View Log reached no Save dialog"
    key Escape
    sleep 1
    focus_back
    key alt+c
    sleep 0.5
    key Escape
    ;;
esac
i=0
while kill -0 "$pid" 2>/dev/null && [ $i -lt 100 ]; do sleep 0.1; i=$((i + 1)); done
kill -0 "$pid" 2>/dev/null && fail "still running at the end of the walk"
wait "$pid"
echo "status=$?"
[ -n "${wm:-}" ] && kill "$wm" 2>/dev/null
exit 0
