#!/bin/sh
# Inside xvfb-run: a window manager (openbox), the host with an owner window and a coupled
# modal dialog, and the user's minimise of the dialog through the window system (xdotool).
# Prints one "fault: ..." line per fault and "done" at the end. $HOST is the host program.
set -u
. "$(dirname "$0")/../../../support/window_input.sh"
. "$(dirname "$0")/../../../support/x_waits.sh"
openbox >/dev/null 2>&1 &
wm=$!
if ! wait_until 20 wm_running; then
	echo "fault: openbox did not start managing the display within 20 s"
	kill "$wm" 2>/dev/null
	echo done
	exit 0
fi
out=$(mktemp)
"$HOST" "$OWNER_FORM" "$DIALOG_FORM" >"$out" 2>&1 &
host=$!
owner=$(xdotool search --sync --onlyvisible --name '^Coupling owner$' | head -n1)
dialog=$(xdotool search --sync --onlyvisible --name '^Coupled dialog$' | head -n1)
state() { xprop -id "$1" WM_STATE 2>/dev/null | sed -n 's/.*window state: //p' | head -n1; }
wait_state() { # window, wanted state: up to 5 seconds
	i=0
	while [ $i -lt 50 ]; do
		[ "$(state "$1")" = "$2" ] && return 0
		sleep 0.1
		i=$((i + 1))
	done
	return 1
}
echo "owner $owner, dialog $dialog: $(state "$owner"), $(state "$dialog")"
xdotool windowminimize "$dialog"
wait_state "$dialog" Iconic || echo "fault: the window manager did not minimise the dialog ($(state "$dialog"))"
wait_state "$owner" Iconic || echo "fault: the owner stays $(state "$owner") when the dialog is minimised"
sleep 0.5
grep -q "modal run ended" "$out" && echo "fault: minimising the dialog ended its modal run"
xdotool windowactivate "$owner" 2>/dev/null || xdotool windowmap "$owner"
wait_state "$owner" Normal || echo "fault: the owner was not restored ($(state "$owner"))"
wait_state "$dialog" Normal || echo "fault: the dialog stays $(state "$dialog") when its owner is restored"
grep -q "modal run ended" "$out" && echo "fault: restoring ended the modal run"
[ -n "${PICTURE:-}" ] && [ -n "${SCREEN_GRAB:-}" ] && "$SCREEN_GRAB" "$PICTURE" 5 >/dev/null 2>&1
xdotool windowactivate --sync "$dialog" 2>/dev/null; key alt+F4 # the window manager closes it (WM_DELETE_WINDOW)
i=0
while [ $i -lt 50 ] && ! grep -q "modal run ended" "$out"; do sleep 0.1; i=$((i + 1)); done
grep -q "modal run ended" "$out" || echo "fault: closing the dialog did not end its modal run"
kill "$host" "$wm" 2>/dev/null
wait "$host" 2>/dev/null
sed 's/^/host: /' "$out"
rm -f "$out"
echo done
