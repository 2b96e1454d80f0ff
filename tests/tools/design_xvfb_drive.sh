#!/bin/sh
# Drives ostrel-design as a person at the keyboard and mouse: run inside xvfb-run with $DESIGN
# the program, $FORM the form file, $SCREEN_GRAB the screen grabber and $PICTURES the folder for
# pictures, named after $SHOTS (design_xvfb when unset). Prints the design window's size, then
# for each of the form's $COUNT controls (chosen in the list with a click, Home and Down) the
# title of the sheet Alt+P opened, which Return closes with OK; then Alt+S saves, and
# "status=N" ends the output.
set -u
. "$(dirname "$0")/../support/window_input.sh"
. "$(dirname "$0")/../support/x_waits.sh"
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
wait_until 10 viewable "$win" || fail "the design window was not shown within 10 s"
# No window manager places the windows: the design window goes beside the form's.
xdotool windowmove --sync "$win" 620 0 2>/dev/null || xdotool windowmove "$win" 620 0
focus() {
    focus_window "$win"
    wait_until 5 has_focus "$win" || fail "the design window did not take the focus within 5 s"
}
eval "$(xdotool getwindowgeometry --shell "$win")"
echo "window=${WIDTH}x${HEIGHT}"
sheet_titles() {
    for w in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do xdotool getwindowname "$w"; done |
        grep "Property Pages" | tr '\n' '|'
}
sheet_shown() { [ -n "$(sheet_titles)" ]; }
sheet_closed() { [ -z "$(sheet_titles)" ]; }
sheet_has_keys() { xdotool getwindowfocus getwindowname 2>/dev/null | grep -q "Property Pages"; }
i=1
while [ "$i" -le "$COUNT" ]; do
    focus
    # A click on the list's first row, Home, then Down to the control.
    # The X server hands the click and the keys to the program in the order they were sent.
    click_at $((X + 40)) $((Y + 34))
    key Home
    n=1
    while [ "$n" -lt "$i" ]; do key Down; n=$((n + 1)); done
    key alt+p
    # Up to ten seconds for the sheet to show, then up to five for it to take the keys.
    wait_until 10 sheet_shown || echo "failed: Alt+P on control $i showed no property sheet within 10 s"
    wait_until 5 sheet_has_keys || echo "failed: the sheet of control $i did not take the keys within 5 s"
    [ "$i" -eq 1 ] && "$SCREEN_GRAB" "${shots}_sheet.png" 30
    echo "sheet $i $(sheet_titles)"
    # Return: the sheet's default button, OK; up to ten seconds for it to close.
    key Return
    wait_until 10 sheet_closed || echo "failed: OK left the sheet of control $i open after 10 s"
    i=$((i + 1))
done
echo "open after OK: $(sheet_titles)"
focus
"$SCREEN_GRAB" "${shots}_window.png" 30
marker="${shots}.marker"
touch "$marker"
key alt+s
# Up to ten seconds for the file to be written.
saved() { [ "$FORM" -nt "$marker" ]; }
wait_until 10 saved || echo "failed: Alt+S did not write $FORM within 10 s"
rm -f "$marker"
kill -0 "$pid" 2>/dev/null || fail "ended before it was closed"
kill "$pid"
wait "$pid"
echo "status=$?"
