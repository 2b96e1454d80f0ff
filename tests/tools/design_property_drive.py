#!/usr/bin/python3
# Drives ostrel-design's property list as a person does, with real clicks and keys (xdotool),
# and reads what the tool shows as a screen reader does (AT-SPI). Run inside xvfb-run and
# dbus-run-session with $DESIGN (the tool), $FORM (the form file), $STEPS (steps separated by
# ";", each "row.property=value": the row of the control list, the property, the text typed)
# and $PICTURES/$SHOTS for pictures. For each step it clicks the row, then the property, types
# the value into the box over the old one and presses Enter; prints "step S: box TEXT" for a
# message the tool gave (then closed with Enter) and "step S: listed ROW" for the property's
# row after it. With $SAVE=1, Alt+S saves and "saved" follows once the file is written.
# "box at open: TEXT" is a message the tool gave on opening the file; "done" ends the output.
import os
import subprocess
import sys
import time

sys.path.insert(0, os.environ["READER_DIR"])
import pyatspi  # noqa: E402
from atspi_reader import application, children, descendants, has, run_steps, screen_reader_on, wait_for  # noqa: E402
import window_input  # noqa: E402
from window_input import click, key, xdotool  # noqa: E402

TITLE = "Ostrel Form Design"
ROWS = {"table cell", "list item", "tree item"}
BOXES = {"alert", "dialog"}
shots = os.environ.get("SHOTS", "design_property")
state = {}


def grab(name):
    window_input.grab("%s_%s" % (shots, name))


def design_frame(app):
    # The design window: the one that holds the list of the form's controls.
    for w in children(app):
        if w.name == TITLE and w.getRoleName() not in BOXES and has(w, pyatspi.STATE_SHOWING):
            return w
    return None


def message_box(app):
    for w in children(app):
        if w.getRoleName() in BOXES and has(w, pyatspi.STATE_SHOWING):
            return w
    return None


def box_text(box):
    words = [a.name for a in descendants(box) if a.getRoleName() == "label" and a.name]
    try:
        words += [box.queryText().getText(0, -1)]
    except NotImplementedError:
        pass
    return " | ".join(w for w in words if w)


def rows(frame, list_name):
    lists = [a for a in descendants(frame) if a.name == list_name and a.getRoleName() not in ROWS]
    return [acc for lst in lists for acc in descendants(lst) if acc.getRoleName() in ROWS]


def row(frame, list_name, start):
    for acc in rows(frame, list_name):
        if acc.name.startswith(start):
            return acc
    return None


def choose(frame, list_name, start):
    # A click into the list, then Home and Down, as a person walks a long list, until the row
    # is the chosen one.
    shown = [acc for acc in rows(frame, list_name) if has(acc, pyatspi.STATE_SHOWING)]
    click(shown[0])
    time.sleep(0.2)
    key("Home")
    for _ in range(100):
        target = row(frame, list_name, start)
        if target is not None and has(target, pyatspi.STATE_SELECTED):
            break
        key("Down")
        time.sleep(0.05)
    else:
        raise RuntimeError("no row " + start)
    time.sleep(0.3)


def start():
    screen_reader_on()
    design = subprocess.Popen([os.environ["DESIGN"], os.environ["FORM"]], env=dict(os.environ, QT_QPA_PLATFORM="xcb"),
                              stderr=open(os.path.join(os.environ["PICTURES"], shots + ".err"), "w"))
    state["process"] = design
    app = wait_for("ostrel-design on the bus", lambda: application("ostrel-design"), 60)
    state["app"] = app
    state["frame"] = wait_for("the design window", lambda: design_frame(app), 30)
    # No window manager places the windows: the design window goes beside the form's.
    win = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--pid", str(design.pid), "--name",
                          "^" + TITLE + " - "], capture_output=True, text=True, timeout=30).stdout.split()[0]
    state["window"] = win
    xdotool("windowmove", "--sync", win, "620", "0")
    time.sleep(1.0)
    box = message_box(app)
    if box is not None:
        print("box at open: " + box_text(box), flush=True)


def focus():
    xdotool("windowfocus", "--sync", state["window"])
    time.sleep(0.2)


def step(text):
    app, frame = state["app"], state["frame"]
    target, value = text.split("=", 1)
    control, prop = target.rsplit(".", 1)
    focus()
    choose(frame, "Controls of the form", control)
    choose(frame, "Properties", prop + ": ")
    box = wait_for("the value box", lambda: next(
        (a for a in descendants(frame) if a.getRoleName() == "text" and a.name == "Value of " + prop), None), 10)
    click(box)
    key("ctrl+a")
    xdotool("type", "--delay", "50", value)
    key("Return")
    time.sleep(1.0)
    message = message_box(app)
    if message is not None:
        print("step %s: box %s" % (text, box_text(message)), flush=True)
        grab("box")
        key("Return")
        wait_for("the box to close", lambda: message_box(app) is None, 10)
    listed = row(frame, "Properties", prop + ": ")
    print("step %s: listed %s" % (text, listed.name if listed else None), flush=True)


def steps():
    for s in [s for s in os.environ.get("STEPS", "").split(";") if s]:
        step(s)
    grab("window")


def save():
    if os.environ.get("SAVE") != "1":
        return
    form = os.environ["FORM"]
    before = os.stat(form).st_mtime_ns
    focus()
    key("alt+s")
    wait_for("the file to be written", lambda: os.stat(form).st_mtime_ns != before, 10)
    print("saved", flush=True)


def main():
    try:
        code = run_steps([start, steps, save])
    finally:
        if "process" in state:
            state["process"].kill()
            state["process"].wait()
    return code


if __name__ == "__main__":
    sys.exit(main())
