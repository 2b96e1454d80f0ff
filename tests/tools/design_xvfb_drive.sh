#!/bin/sh
# Drives ostrel-design as a person at the keyboard and mouse: run inside xvfb-run with $DESIGN
# the program, $FORM the form file, $SCREEN_GRAB the screen grabber and $PICTURES the folder for
# pictures, named after $SHOTS (design_xvfb when unset). Prints the design window's size, then
# for each of the form's $COUNT controls (chosen in the list with a click, Home and Down) the
# title of the sheet Alt+P opened, which Return closes with OK; then Alt+S saves, and
# "status=N" ends the output.
set -u
. "$(dirname "$0")/../support/window_input.sh"
shots="$PICTURES/${SHOTS:-design_xvfb}"
"$DESIGN" "$FORM" 2>"${shots}.err" &
pid=$!
fail() { echo "failed: $1"; kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; exit 1; }
win=
for i in $(seq 100); do
    win=$(xdotool search --onlyvisible --pid "$pid" --name "Ostrel Form Design" 2>/dev/null | head -n 1)
    [ -n "$win" ] && break
    sleep 0.1
done
[ -n "$win" ] || fail "no design window"
sleep 1
# No window manager places the windows: the design window goes beside the form's.
xdotool windowmove --sync "$win" 620 0 2>/dev/null || xdotool windowmove "$win" 620 0
sleep 0.5
focus() { focus_window "$win"; }
eval "$(xdotool getwindowgeometry --shell "$win")"
echo "window=${WIDTH}x${HEIGHT}"
sheet_titles() {
    for w in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do xdotool getwindowname "$w"; done |
        grep "Property Pages" | tr '\n' '|'
}
i=1
while [ "$i" -le "$COUNT" ]; do
    focus
    # A click on the list's first row, Home, then Down to the control.
    click_at $((X + 40)) $((Y + 34))
    sleep 0.3
    key Home
    n=1
    while [ "$n" -lt "$i" ]; do key Down; n=$((n + 1)); done
    sleep 0.3
    key alt+p
    # Up to ten seconds for the sheet to show, then up to five for it to take the keys.
    t=0
    while [ -z "$(sheet_titles)" ] && [ "$t" -lt 100 ]; do sleep 0.1; t=$((t + 1)); done
    t=0
    while ! xdotool getwindowfocus getwindowname 2>/dev/null | grep -q "Property Pages" && [ "$t" -lt 50 ]; do
        sleep 0.1
        t=$((t + 1))
    done
    [ "$i" -eq 1 ] && "$SCREEN_GRAB" "${shots}_sheet.png" 30
    echo "sheet $i $(sheet_titles)"
    # Return: the sheet's default button, OK; up to ten seconds for it to close.
    key Return
    t=0
    while [ -n "$(sheet_titles)" ] && [ "$t" -lt 100 ]; do sleep 0.1; t=$((t + 1)); done
    i=$((i + 1))
done
echo "open after OK: $(sheet_titles)"
focus
"$SCREEN_GRAB" "${shots}_window.png" 30
marker="${shots}.marker"
touch "$marker"
key alt+s
# Up to ten seconds for the file to be written.
t=0
while [ ! "$FORM" -nt "$marker" ] && [ "$t" -lt 100 ]; do sleep 0.1; t=$((t + 1)); done
rm -f "$marker"
kill -0 "$pid" 2>/dev/null || fail "ended before it was closed"
kill "$pid"
wait "$pid"
echo "status=$?"
