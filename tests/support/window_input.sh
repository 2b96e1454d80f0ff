# A person's input to a real window for the shell drivers of the Xvfb tests, through the X
# server (xdotool): sourced with `. "$(dirname "$0")/<path to>/support/window_input.sh"`. The
# shell side of tests/support/window_input.py.

# Keys as xdotool names them ("Return", "alt+s"), whatever modifiers are held, where the X
# focus is. `key` is what the drivers (and walk_to_results.sh) call; a driver that must focus
# its window first redefines it over send_keys.
send_keys() { xdotool key --clearmodifiers "$@"; }
key() { send_keys "$@"; }

# Text typed key by key.
type_text() { xdotool type --delay 20 "$1"; }

# A left click at the screen point X Y.
click_at() { xdotool mousemove "$1" "$2" click 1; }

# The X focus to window WIN (there is no window manager to give it).
focus_window() { xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"; }
