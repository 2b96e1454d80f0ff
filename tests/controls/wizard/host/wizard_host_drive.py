#!/usr/bin/python3
# Drives a host's own wizard (wizard_host, $HOST, with the form $FORM) from outside, as a
# person and a screen reader do: real clicks and window sizes through the X server (xdotool),
# Press through the accessibility bus (AT-SPI), and what the bus tells of the window. Run
# inside xvfb-run and dbus-run-session. Prints one line per fault, "fault: ...", and "done".
import os
import subprocess
import sys
import threading
import time

import pyatspi

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../../support"))
from atspi_reader import children, descendants, fault, find, has, move_pointer, run_steps, screen_reader_on, wait_for  # noqa: E402


WIZARD = "Host Wizard"


def window(wizard):
    # The host's wizard window, or with wizard False any other window it shows (a box).
    for app in children(pyatspi.Registry.getDesktop(0)):
        if app.name == "wizard-host":
            for w in children(app):
                if (w.name == WIZARD) == wizard and has(w, pyatspi.STATE_SHOWING):
                    return w
    return None


def press(acc):
    # What a screen reader's "activate" does: the Press action over the bus.
    action = acc.queryAction()
    for i in range(action.nActions):
        if action.getName(i) == "Press":
            action.doAction(i)
            return
    fault("%s offers no Press" % acc.name)


def xdotool(*args):
    return subprocess.run(["xdotool"] + list(args), check=True, capture_output=True, text=True).stdout


def centre(acc):
    x, y, w, h = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return x + w // 2, y + h // 2


def click_at(point):
    move_pointer(point[0], point[1])
    xdotool("click", "1")


def click(acc):
    click_at(centre(acc))


def grab(name):
    if os.environ.get("PICTURES") and os.environ.get("SCREEN_GRAB"):
        subprocess.run([os.environ["SCREEN_GRAB"], os.path.join(os.environ["PICTURES"], name + ".png"), "10"])


class Host:
    def __init__(self, mode):
        self.mode = mode
        self.lines = []
        self.process = subprocess.Popen([os.environ["HOST"], os.environ["FORM"], mode], stdout=subprocess.PIPE,
                                        stderr=subprocess.DEVNULL, text=True,
                                        env=dict(os.environ, QT_QPA_PLATFORM="xcb"))
        threading.Thread(target=self.read, daemon=True).start()
        wait_for("the host's window", lambda: "shown" in self.lines)
        self.frame = wait_for("the host's window on the bus", lambda: window(True))
        self.wid = wait_for("the host's X window", lambda: xdotool("search", "--onlyvisible", "--pid",
                                                                     str(self.process.pid)).split()[-1])
        subprocess.run(["xdotool", "windowfocus", "--sync", self.wid], capture_output=True)

    def read(self):
        for line in self.process.stdout:
            self.lines.append(line.rstrip("\n"))

    def said(self, prefix):
        return [line for line in self.lines if line.startswith(prefix)]

    def button(self, name):
        return wait_for(name, lambda: find(self.frame, "push button", name))

    def stop(self):
        self.process.kill()
        self.process.wait()
        print("%s host said: %s" % (self.mode, " | ".join(self.lines)), flush=True)


def expect_one_change_at_a_time(host, changes):
    befores = host.said("before depth")
    afters = host.said("after depth")
    if any(" depth 2" in line for line in befores + afters):
        fault("%s: a page change started inside another: %s" % (host.mode, befores))
    if len(befores) != changes or len(afters) != changes:
        fault("%s: %d BeforePageChange and %d AfterPageChange for %d changes" % (host.mode, len(befores),
                                                                                   len(afters), changes))


def read_the_window(host, title):
    # What a screen reader announces: the default button, the page shown, and no unnamed
    # pictures or frames among the nodes shown.
    next_button = host.button("Next >")
    if not has(next_button, pyatspi.STATE_IS_DEFAULT):
        fault("reader: the default button Next > is not told as default")
    page = find(host.frame, "panel", title)
    if page is None:
        shown = [(acc.getRoleName(), acc.name) for acc in descendants(host.frame) if has(acc, pyatspi.STATE_SHOWING)]
        fault("reader: no panel named by the page's title %s: %s" % (title, shown))
    for acc in descendants(host.frame):
        if not has(acc, pyatspi.STATE_SHOWING):
            continue
        # An unnamed panel without children is a separator frame.
        empty = acc.getRoleName() in ("image", "filler") or (acc.getRoleName() == "panel" and acc.childCount == 0)
        if empty and not acc.name.strip():
            fault("reader: an unnamed %s in %s '%s'" % (acc.getRoleName(), acc.parent.getRoleName(),
                                                         acc.parent.name))
    print("reader: the window read on the page %s" % title, flush=True)


def box_in_before_page_change():
    host = Host("box")
    try:
        read_the_window(host, "Welcome to the host wizard")
        click(host.button("Next >"))
        box = wait_for("the host's box", lambda: window(False))
        # The box is modal: a screen reader's Press on the wizard's Next does what a click
        # there does, nothing.
        press(find(host.frame, "push button", "Next >") or host.button("Next >"))
        time.sleep(1.0)
        press(wait_for("the box's OK", lambda: find(box, "push button", "OK")))
        wait_for("the change's end", lambda: host.said("after depth"), 10)
        time.sleep(1.0)
        expect_one_change_at_a_time(host, 1)
        read_the_window(host, "The host's work")
    finally:
        host.stop()


def pump_in_before_page_change():
    host = Host("pump")
    try:
        click(host.button("Next >"))
        wait_for("the host's pumping", lambda: host.said("pumping"), 10)
        press(host.button("Next >"))
        # The Press waits for the running change, then makes its own.
        wait_for("the second change", lambda: len(host.said("after depth")) >= 2, 10)
        time.sleep(0.5)
        expect_one_change_at_a_time(host, 2)
        if not host.said("after depth 1 to wtDone"):
            fault("pump: the Press made no change to the last page")
    finally:
        host.stop()


def cancel_during_the_hosts_job():
    host = Host("job")
    try:
        # Found before the job: the bus is slow while the host's loop answers it.
        cancel = centre(host.button("Cancel"))
        click(host.button("Next >"))
        wait_for("the host's job", lambda: host.said("job starts"), 10)
        time.sleep(0.3)
        clicked = time.time()
        click_at(cancel)
        wait_for("the job's end", lambda: host.said("job ends"), 10)
        answered = time.time() - clicked
        ends = host.said("job ends")[0]
        if "(cancelled)" not in ends or answered > 1.5:
            fault("job: Cancel was answered %.1f s after the click: %s" % (answered, ends))
    finally:
        host.stop()


def small_window():
    host = Host("box")
    try:
        for width, height in ((300, 40), (60, 40), (120, 30)):
            xdotool("windowsize", "--sync", host.wid, str(width), str(height))
            time.sleep(0.8)
        grab("wizard_host_120x30")
        size = xdotool("getwindowgeometry", host.wid).split("Geometry:")[-1].strip()
        print("small window: %s after the resizes" % size, flush=True)
        if size != "120x30":
            fault("small window: the host's free-size window is %s, not 120x30" % size)
        time.sleep(0.5)
        if host.said("box") or window(False):
            fault("small window: a resize below the bar's height shows boxes: %s" % host.said("box"))
        xdotool("windowsize", "--sync", host.wid, "501", "378")
        time.sleep(0.8)
        grab("wizard_host_full")
        if host.said("box"):
            fault("small window: boxes %s" % host.said("box"))
    finally:
        host.stop()


def main():
    screen_reader_on()
    return run_steps([box_in_before_page_change, pump_in_before_page_change, cancel_during_the_hosts_job, small_window])


sys.exit(main())
