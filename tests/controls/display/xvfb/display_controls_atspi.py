#!/usr/bin/python3
# Reads the display controls as a screen reader does, through the accessibility bus (AT-SPI),
# while a person's keys (xdotool) drive them: the host of our own ($HOST) showing
# $FORMS/display_controls.frm. Run inside xvfb-run and dbus-run-session. Prints one line per
# fault, "fault: ...", and "done" at the end.
import os
import subprocess
import sys

# The screen-reader tests' shared reader and input helpers.
sys.path.insert(0, os.environ["READER_DIR"])
import pyatspi  # noqa: E402
from atspi_reader import application, descendants, fault, find, has, run_steps, screen_reader_on, wait_for, window  # noqa: E402
from window_input import click, focus_window_of, grab, key  # noqa: E402

APP = "display-form-host"


def start_host(form, caption, scale="1"):
    # The host showing $FORMS/<form> at the screen scale `scale`; returns the process and its
    # window, "caption", with the keys on it.
    host = subprocess.Popen([os.environ["HOST"], os.path.join(os.environ["FORMS"], form)],
                            env=dict(os.environ, QT_QPA_PLATFORM="xcb", QT_SCALE_FACTOR=scale),
                            stderr=subprocess.DEVNULL)
    try:
        app = wait_for("the host on the bus", lambda: application(APP), 60)
        frame = wait_for("the window " + caption, lambda: window(app, "frame", caption) or window(app, "window", caption))
        focus_window_of(host.pid)
        return host, app, frame
    except Exception:
        host.kill()
        host.wait()
        raise


def actions(acc):
    try:
        action = acc.queryAction()
    except NotImplementedError:
        return []
    return [action.getName(i) for i in range(action.nActions)]


def focused(root):
    for acc in descendants(root):
        if has(acc, pyatspi.STATE_FOCUSED):
            return acc
    return None


def stop_of(acc):
    # What tells one focus stop from another: its role, name and place on the screen.
    if acc is None:
        return None
    try:
        place = tuple(acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS))
    except Exception:
        place = None
    return acc.getRoleName(), acc.name, place


def key_moving_focus(frame, name):
    # Presses the key and waits (up to 5 s) for the focus to reach another stop; answers where
    # it is then, which the caller judges.
    before = stop_of(focused(frame))
    key(name)
    try:
        return wait_for("the focus to move on from %s after %s" % (before, name),
                        lambda: (lambda now: now if now is not None and stop_of(now) != before else None)(
                            focused(frame)), 5)
    except RuntimeError:
        return focused(frame)


def expect(condition, text):
    if not condition:
        fault(text)


def read_controls(frame):
    bar = find(frame, "progress bar", "Reading the domain list")
    expect(bar is not None, "the progress bar is not read by its caption: %s" %
           [a.name for a in descendants(frame) if a.getRoleName() == "progress bar"])
    bars = [a for a in descendants(frame) if a.getRoleName() == "progress bar"]
    for b in bars:
        expect(not has(b, pyatspi.STATE_FOCUSABLE), "the progress bar %s is a focus stop" % b.name)
        print("progress bar %r: value %s, actions %s" % (b.name, b.queryValue().currentValue, actions(b)), flush=True)
    label = find(frame, "label", "Domain")
    expect(label is not None and not has(label, pyatspi.STATE_FOCUSABLE), "the label Domain is missing or focusable")
    panel = find(frame, "grouping", "Domain details") or find(frame, "panel", "Domain details")
    expect(panel is not None, "the information panel is not read by its title")
    if panel is not None:
        expect(not has(panel, pyatspi.STATE_FOCUSABLE), "the information panel itself is a focus stop")
    link = find(frame, "link", "Full info...")
    expect(link is not None, "no link 'Full info...': %s" % [(a.getRoleName(), a.name) for a in descendants(panel)]
           if panel is not None else "no link 'Full info...'")
    if link is not None:
        expect(has(link, pyatspi.STATE_FOCUSABLE), "'Full info...' takes no focus")
        expect("Press" in actions(link), "'Full info...' offers %s, not Press" % actions(link))
    box = find(frame, "text", "Days")
    expect(box is not None, "the up-down box is not read by the label before it: %s" %
           [a.name for a in descendants(frame) if a.getRoleName() == "text"])
    spin = find(frame, "spin button", "Days")
    expect(spin is not None, "the up-down box's spin part is not a spin button named Days")
    if spin is not None:
        try:
            value = spin.queryValue()
            expect(value.currentValue == 7 and value.maximumValue == 30,
                   "the spin part reads %s of %s, not 7 of 30" % (value.currentValue, value.maximumValue))
        except NotImplementedError:
            fault("the spin part gives no value")
    read_disabled_up_down(frame)
    states = sorted(a.name for a in descendants(frame) if a.getRoleName() in ("image", "label")
                    and a.name in ("running", "skipped", "passed"))
    expect(states == ["passed", "running", "skipped"], "the step states read %s" % states)
    return box, link


def text_of(acc):
    for part in [acc] + list(descendants(acc)):
        try:
            text = part.queryText()
        except NotImplementedError:
            continue
        return text.getText(0, text.characterCount)
    return None


def read_disabled_up_down(frame):
    # A disabled up-down box: neither its text nor its spin part reads as something a person
    # could change, and its number is still read.
    box = find(frame, "text", "Weeks")
    spin = find(frame, "spin button", "Weeks")
    if box is None or spin is None:
        fault("the disabled up-down box is not read by the label before it: %s" %
              [(a.getRoleName(), a.name) for a in descendants(frame) if a.getRoleName() in ("text", "spin button")])
        return
    # Every node of the box a reader may stop at (the box's, the text field's, the spin part's)
    # reads disabled; the box reads as nothing to edit. (Qt's own node of the text field inside
    # reads editable whenever it is a line edit, enabled or not.)
    parts = [a for a in descendants(frame) if a.name == "Weeks" and a.getRoleName() in ("text", "spin button")]
    for part in parts:
        for state, word in ((pyatspi.STATE_ENABLED, "enabled"), (pyatspi.STATE_SENSITIVE, "sensitive")):
            expect(not has(part, state), "the disabled up-down's %s reads as %s" % (part.getRoleName(), word))
    expect(not has(box, pyatspi.STATE_EDITABLE), "the disabled up-down's box reads as editable")
    shown = text_of(box)
    expect(shown == "3", "the disabled up-down's text reads %r, not '3'" % shown)
    print("disabled up-down: text %r, %d nodes read, states of the box %s" % (
        shown, len(parts), sorted(str(s).split()[1] for s in box.getState().getStates())), flush=True)


def walk_tab(app, frame, link):
    # Tab from the first control round the window: every stop shows the focus (a box, a link,
    # a button), none is a label, a bar or a panel; the link is among them.
    seen = []
    for _ in range(8):
        acc = key_moving_focus(frame, "Tab")
        seen.append((acc.getRoleName(), acc.name) if acc is not None else ("nothing", ""))
    print("Tab stops: %s" % seen, flush=True)
    for role, name in seen:
        expect(role in ("text", "link", "push button"), "Tab stops on a %s %r" % (role, name))
    expect(("link", "Full info...") in seen, "Tab never reaches 'Full info...'")
    # On the link, Space opens the detail window; Esc closes it; Enter opens it again.
    tab_to(frame, "link")
    for opener in ("space", "Return"):
        key(opener)
        try:
            wait_for("the detail window", lambda: window(app, "dialog"), 5)
            grab("display_controls_detail_window")
            key("Escape")
            wait_for("the detail window to close", lambda: window(app, "dialog") is None, 5)
        except RuntimeError:
            fault("%s on 'Full info...' opens no detail window" % opener)


def tab_to(frame, role):
    for _ in range(8):
        acc = focused(frame)
        if acc is not None and acc.getRoleName() == role:
            return acc
        key_moving_focus(frame, "Tab")
    fault("Tab never reaches a %s" % role)
    return None


def up_down_keys(frame, box):
    # The person tabs into the box and presses Up: the value and the text follow.
    spin = find(frame, "spin button", "Days")
    typed_in = tab_to(frame, "text")
    if typed_in is None or spin is None:
        return
    key("Up")
    try:
        wait_for("the value to step", lambda: spin.queryValue().currentValue == 8, 5)
    except RuntimeError:
        fault("Up in the box reads %s, not 8" % spin.queryValue().currentValue)
    for acc in [typed_in] + list(descendants(typed_in)):
        try:
            text = acc.queryText()
        except NotImplementedError:
            continue
        shown = text.getText(0, text.characterCount)
        expect(shown == "8", "the box shows %r after Up" % shown)
        return
    fault("the box named Days gives no text")


PAGES = ("Start-up", "Fonts", "Theme", "Contrast")


def pages_showing(frame):
    return {a.name for a in descendants(frame) if a.name in PAGES and has(a, pyatspi.STATE_SHOWING)
            and a.getRoleName() not in ("tree item", "table cell", "label")}


def options_tree():
    # The options dialog walked by a person on the keyboard: Down through the tree, Right to open
    # a closed container. Every page is reached and read by its caption.
    host, _, frame = start_host("options_tree.frm", "Options")
    try:
        tree = wait_for("the tree", lambda: find(frame, "tree") or find(frame, "tree table"))
        expect(tree.name == "Options", "the tree is read as %r" % tree.name)
        items = [a for a in descendants(tree) if a.getRoleName() in ("tree item", "table cell")]
        expect(items and all(a.name.strip() for a in items), "tree items without names: %s" %
               [a.name for a in items])
        def chosen():
            # The chosen node's name and whether it is open, or None while none is chosen.
            nodes = [a for a in descendants(tree) if has(a, pyatspi.STATE_SELECTED)]
            return (nodes[0].name, has(nodes[0], pyatspi.STATE_EXPANDABLE),
                    has(nodes[0], pyatspi.STATE_EXPANDED)) if nodes else None

        def settled(before):
            # The key chose another node or opened this one, and a page's node shows its page.
            now = chosen()
            return now is not None and now != before and (now[0] not in PAGES or now[0] in pages_showing(frame))

        click(wait_for("the first node", lambda: find(tree, "tree item") or find(tree, "table cell")))
        wait_for("a node chosen by the click", lambda: settled(None), 5)
        reached = pages_showing(frame)
        for _ in range(20):
            if len(reached) == len(PAGES):
                break
            before = chosen()
            closed = before is not None and before[1] and not before[2]
            key("Right" if closed else "Down")
            try:
                wait_for("the tree to answer %s on %s" % ("Right" if closed else "Down", before),
                         lambda: settled(before), 5)
            except RuntimeError:
                pass  # the pages not reached are the fault reported below
            reached |= pages_showing(frame)
        grab("options_tree_by_keys")
        print("options tree: pages reached by keys %s" % sorted(reached), flush=True)
        expect(len(reached) == len(PAGES), "the keys reach only the pages %s" % sorted(reached))
    finally:
        host.kill()
        host.wait()


def picture_at_twice_the_scale():
    # The same window on a screen scaled by 2, for a person to look at: every text as sharp as
    # the others, the progress bars' captions included.
    host, _, frame = start_host("display_controls.frm", "Display controls", "2")
    try:
        wait_for("the progress bar", lambda: find(frame, "progress bar", "Reading the domain list"), 10)
        grab("display_controls_scale_2")  # which waits for the screen to settle
    finally:
        host.kill()
        host.wait()


def display_controls():
    host, app, frame = start_host("display_controls.frm", "Display controls")
    try:
        grab("display_controls")  # which waits for the screen to settle
        box, link = read_controls(frame)
        if link is not None:
            walk_tab(app, frame, link)
        if box is not None:
            focus_window_of(host.pid)  # no window manager hands the focus back from the detail window
            wait_for("the window to have the keys again", lambda: has(frame, pyatspi.STATE_ACTIVE), 5)
            up_down_keys(frame, box)
    finally:
        host.kill()
        host.wait()


def main():
    screen_reader_on()
    return run_steps([display_controls, options_tree, picture_at_twice_the_scale])


sys.exit(main())
