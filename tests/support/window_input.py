# A person's input to a real window, for the tests that drive a program from outside on an X
# display: the pointer and the keys through the X server (xdotool), where an accessible object
# of the bus (AT-SPI) says a control lies. Also the picture of the screen a test saves
# ($PICTURES, with the grabber $SCREEN_GRAB). The one such helper of the Python tests.
import os
import subprocess

import pyatspi

from atspi_reader import wait_for


def xdotool(*args):
    # xdotool's output (a window id, a geometry); a failing command fails the test.
    return subprocess.run(["xdotool"] + list(args), check=True, capture_output=True, text=True).stdout


def centre(acc):
    x, y, w, h = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return x + w // 2, y + h // 2


def move_pointer(x, y):
    # Moves the pointer through the X server and waits (up to 5 s) until it is there, so that
    # a click that follows lands where it was meant to.
    subprocess.run(["xdotool", "mousemove", str(x), str(y)], check=True, capture_output=True)
    at = "x:%d y:%d " % (x, y)
    wait_for("the pointer at %d,%d" % (x, y), lambda: subprocess.run(
        ["xdotool", "getmouselocation"], capture_output=True, text=True).stdout.startswith(at), 5)



def click_at(point):
    move_pointer(point[0], point[1])
    xdotool("click", "1")


# A left click at the middle of the accessible object `acc`.
def click(acc):
    click_at(centre(acc))


# Keys as xdotool names them ("Return", "alt+a"), whatever modifiers are held.
def key(*keys):
    xdotool("key", "--clearmodifiers", *keys)


def type_text(text):
    xdotool("type", "--delay", "20", text)


# The keyboard focus to the last visible window of process `pid`.
def focus_window_of(pid):
    out = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--pid", str(pid)],
                         capture_output=True, text=True, timeout=30).stdout.split()
    if out:
        subprocess.run(["xdotool", "windowfocus", "--sync", out[-1]], capture_output=True)


def grab(name):
    if os.environ.get("PICTURES") and os.environ.get("SCREEN_GRAB"):
        subprocess.run([os.environ["SCREEN_GRAB"], os.path.join(os.environ["PICTURES"], name + ".png"), "10"])
