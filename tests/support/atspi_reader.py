# What the screen-reader tests share: the faults they print, turning the bus on as a screen
# reader does, waiting, and walking the accessible tree.
import os
import subprocess
import time

import pyatspi
from gi.repository import Gio, GLib

faults = []


def fault(text):
    faults.append(text)
    print("fault: " + text, flush=True)


def screen_reader_on():
    # What a screen reader does on start: tell the desktop that assistive tools listen, so the
    # toolkits put their trees on the bus.
    bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    bus.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.freedesktop.DBus.Properties", "Set",
                  GLib.Variant("(ssv)", ("org.a11y.Status", "IsEnabled", GLib.Variant("b", True))),
                  None, Gio.DBusCallFlags.NONE, -1, None)
    # A program started while the accessibility bus and its registry are themselves still
    # starting (they start with their first client, slowly on a loaded machine) can miss them
    # and never put its tree on the bus: the registry answers before any program starts, and
    # the programs take "assistive tools listen" from their environment rather than a
    # question they might ask too early.
    wait_for("the accessibility registry", registry_answers, 60)
    os.environ["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"


def registry_answers():
    try:
        return pyatspi.Registry.getDesktop(0).childCount >= 0
    except Exception:
        return False


def wait_for(what, find, seconds=20.0):
    end = time.time() + seconds
    while time.time() < end:
        try:
            found = find()
        except Exception:
            found = None
        if found:
            return found
        time.sleep(0.2)
    raise RuntimeError("gave up waiting for " + what)


def children(acc):
    out = []
    for i in range(acc.childCount):
        try:
            child = acc.getChildAtIndex(i)
        except Exception:
            child = None
        if child is not None:
            out.append(child)
    return out


def descendants(acc):
    for child in children(acc):
        yield child
        yield from descendants(child)


def has(acc, state):
    return acc.getState().contains(state)


# The showing top-level window of `app` of role `role` ("frame", "dialog"), by name if given.
def application(name):
    # The program of that name among those on the bus.
    desktop = pyatspi.Registry.getDesktop(0)
    for app in children(desktop):
        if app.name == name:
            return app
    return None


def window(app, role, name=None):
    for w in children(app):
        if w.getRoleName() == role and (name is None or w.name == name) and has(w, pyatspi.STATE_SHOWING):
            return w
    return None


def find(root, role, name=None, showing=True):
    for acc in descendants(root):
        if acc.getRoleName() == role and (name is None or acc.name == name) and \
                (not showing or has(acc, pyatspi.STATE_SHOWING)):
            return acc
    return None


def run_steps(steps):
    # Runs each step of a reading; one that stops is a fault and the next still runs. Prints
    # "done" at the end and answers the exit code: 1 when anything was a fault.
    for step in steps:
        try:
            step()
        except Exception as error:
            fault("%s stopped: %r" % (step.__name__, error))
    print("done", flush=True)
    return 1 if faults else 0
