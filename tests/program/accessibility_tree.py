#!/usr/bin/python3
# Reads the wizard and every property page of the control library as a screen reader does,
# through the accessibility bus (AT-SPI), while a person's real clicks and keys (xdotool)
# drive them. Run inside xvfb-run and dbus-run-session with $OSTREL (the program),
# $SILENT_HOST (a host that accepts and never answers), $REFUSING_HOST (one that refuses),
# $OSTREL_DESIGN (the design tool), $CONTROLS_FORM (a form with one control of each class that
# has property pages) and $CONTROLS (their names, blank-separated). Prints one line per fault,
# "fault: ...", and "done" at the end.
import os
import re
import subprocess
import sys
import time

import pyatspi

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../support"))
from atspi_reader import application, children, descendants, fault, faults, find, has, screen_reader_on, wait_for, window  # noqa: E402
from window_input import click, focus_window_of, grab, key, type_text  # noqa: E402


# Names a developer gives (lstDomainsList, txtDomainName, wtWelcome, KyWizardNavigator1)
# rather than words a person reads.
IDENTIFIER = re.compile(r"^(?:[a-z]{2,4}[A-Z0-9][A-Za-z0-9_]*|[A-Z][a-z]+(?:[A-Z][a-z0-9]*)+\d*|[A-Za-z]+_\w*)$")
# The content of a control (a list's items, a grid's cells), not a control of its own.
CONTENT = {"table cell", "list item", "tree item", "table column header", "table row header", "menu item"}


def seen_words(root):
    # What the window shows as text: labels, tabs, buttons, and the value a combo box shows
    # (Qt on Linux names a combo box by its current text and leaves its label to a relation).
    words = set()
    for acc in descendants(root):
        if acc.getRoleName() in ("label", "page tab", "push button", "check box", "radio button", "combo box"):
            words.add(acc.name.strip().rstrip(":"))
    return words


def check_names(root, where):
    words = seen_words(root)
    checked = 0

    def visit(acc, place):
        nonlocal checked
        role = acc.getRoleName()
        if role == "page tab" and acc.name:
            place = "%s, page %s" % (where, acc.name)
        if role not in CONTENT and has(acc, pyatspi.STATE_FOCUSABLE):
            checked += 1
            if not acc.name.strip():
                fault("%s: a focusable %s in %s '%s' has no name" % (place, role, acc.parent.getRoleName(),
                                                                     acc.parent.name))
            elif IDENTIFIER.match(acc.name) and acc.name not in words:
                fault("%s: a focusable %s is named by an identifier: %s" % (place, role, acc.name))
        if role == "combo box":
            return  # its drop-down list is the box's own
        for child in children(acc):
            visit(child, place)

    visit(root, where)
    if checked == 0:
        fault("%s: no focusable control was read (is the tree exposed?)" % where)
    return checked


def expect_checked(acc, checked, where):
    try:
        wait_for("%s %s" % (acc.name, "checked" if checked else "unchecked"),
                 lambda: has(acc, pyatspi.STATE_CHECKED) == checked, 5)
    except RuntimeError:
        fault("%s: %s reads %s after a click" % (where, acc.name, "unchecked" if checked else "checked"))


def expect_actions(acc, wanted, where):
    action = acc.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    if wanted not in names:
        fault("%s: %s %s offers %s, not %s" % (where, acc.getRoleName(), acc.name, names, wanted))


def expect_default(root, caption, where):
    # The button Return presses reads as the window's default.
    button = find(root, "push button", caption)
    if button is None:
        fault("%s: no button %s" % (where, caption))
    elif not has(button, pyatspi.STATE_IS_DEFAULT):
        fault("%s: %s does not read as the default button" % (where, caption))


def start_wizard():
    ostrel = subprocess.Popen([os.environ["OSTREL"]], env=dict(os.environ, QT_QPA_PLATFORM="xcb"),
                              stderr=subprocess.DEVNULL)
    app = wait_for("Ostrel on the bus", lambda: application("Ostrel"), 60)
    frame = wait_for("the wizard's window", lambda: window(app, "frame"))
    focus_window_of(ostrel.pid)
    return ostrel, app, frame


def next_to(frame, what, shown):
    # One click on Next, and the page it leads to. The walk's clicks on Next come quickly, on
    # one spot: the window system makes the second of two a double click, which a button takes
    # as a click like the first.
    click(wait_for("Next", lambda: find(frame, "push button", "Next >")))
    return wait_for(what, shown)


def run_on(app, frame, domain):
    # From the domain list: the domain typed into Add Domain, then Next.
    add_domain(app, frame, domain)
    click(wait_for("Next", lambda: find(frame, "push button", "Next >")))


def reads_checkable(acc, bridge_sends_checkable):
    # Whether a screen reader takes the item for a box to tick: by its CHECKABLE state where
    # the toolkit's bridge sends that state at all, else (Qt's bridge of 6.4 sends it for
    # nothing, not even a check box) by a table cell offering Toggle.
    if bridge_sends_checkable:
        return has(acc, pyatspi.STATE_CHECKABLE)
    action = acc.queryAction()
    return "Toggle" in [action.getName(i) for i in range(action.nActions)]


def tick_by_toggle(frame, domain, bridge_sends_checkable):
    # A screen reader ticks a domain with the item's Toggle, as a person does with Space or a
    # click: after Clear All nothing is ticked and Next is disabled; Toggle on the domain ticks
    # it, and the wizard counts it (Next enabled again).
    click(wait_for("Clear All", lambda: find(frame, "push button", "Clear All")))
    next_button = find(frame, "push button", "Next >")
    wait_for("Next disabled after Clear All", lambda: not has(next_button, pyatspi.STATE_ENABLED), 5)
    try:
        item = wait_for("the domain's item", lambda: find(frame, "table cell", domain) or find(frame, "tree item", domain), 5)
    except RuntimeError:
        fault("domain list: no item %s among %s" % (domain, [(a.getRoleName(), a.name) for a in descendants(frame)
                                                            if a.getRoleName() in ("list", "tree", "tree item",
                                                                                   "table cell", "list item")]))
        return
    if has(item, pyatspi.STATE_CHECKED) or not reads_checkable(item, bridge_sends_checkable):
        fault("domain list: %s reads %s after Clear All" % (domain, item.getState().getStates()))
    action = item.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    if "Toggle" not in names:
        fault("domain list: the item %s offers %s, not Toggle" % (domain, names))
        return
    action.doAction(names.index("Toggle"))
    try:
        wait_for("the domain ticked", lambda: has(item, pyatspi.STATE_CHECKED), 5)
        wait_for("Next enabled", lambda: has(next_button, pyatspi.STATE_ENABLED), 5)
        print("domain list: Toggle ticked %s and enabled Next" % domain, flush=True)
    except RuntimeError as error:
        fault("domain list: Toggle on %s: %s (checked %s, Next enabled %s)" % (
            domain, error, has(item, pyatspi.STATE_CHECKED), has(next_button, pyatspi.STATE_ENABLED)))


def add_domain(app, frame, domain):
    # The domain typed into Add Domain on the domain list page.
    click(wait_for("Add Domain...", lambda: find(frame, "push button", "Add Domain...")))
    dialog = wait_for("the Add Domain dialog", lambda: window(app, "dialog"))
    print("dialog: %d focusable controls read" % check_names(dialog, "Add Domain dialog"), flush=True)
    expect_default(dialog, "OK", "Add Domain dialog")
    wait_for("the name box to take the keys", lambda: find(dialog, "text", "Domain Name"))
    wait_for("the name box to have the focus",
             lambda: any(has(acc, pyatspi.STATE_FOCUSED) for acc in descendants(dialog)), 10)
    type_text(domain)
    key("Return")
    wait_for("the dialog to close", lambda: window(app, "dialog") is None)


def wizard():
    ostrel, app, frame = start_wizard()
    try:
        print("wizard: %d focusable controls read on all pages" % check_names(frame, "wizard"), flush=True)
        for button in ("Next >", "Cancel", "< Back"):
            acc = find(frame, "push button", button, showing=False)
            if acc is None:
                fault("wizard: no button %s" % button)
            elif has(acc, pyatspi.STATE_ENABLED):
                expect_actions(acc, "Press", "wizard")
        expect_default(frame, "Next >", "wizard")
        next_to(frame, "the option page", lambda: find(frame, "radio button"))
        options = [acc for acc in descendants(frame) if acc.getRoleName() == "radio button"
                   and has(acc, pyatspi.STATE_SHOWING)]
        if len(options) != 2:
            raise RuntimeError("the option page shows %d option buttons" % len(options))
        for acc in options:
            expect_actions(acc, "Toggle", "wizard")
        # The option buttons say checkable to the bridge: whether it passes that on.
        bridge_sends_checkable = all(has(acc, pyatspi.STATE_CHECKABLE) for acc in options)
        print("wizard: the bridge sends the checkable state: %s" % bridge_sends_checkable, flush=True)
        click(options[1])
        expect_checked(options[1], True, "wizard")
        expect_checked(options[0], False, "wizard")
        click(options[0])
        expect_checked(options[0], True, "wizard")
        expect_checked(options[1], False, "wizard")
        print("wizard: option buttons follow clicks", flush=True)
        next_to(frame, "the domain list", lambda: find(frame, "push button", "Add Domain..."))
        add_domain(app, frame, os.environ["SILENT_HOST"])
        tick_by_toggle(frame, os.environ["SILENT_HOST"], bridge_sends_checkable)
        click(wait_for("Next", lambda: find(frame, "push button", "Next >")))
        grab("accessibility_processing")
        # Where the focus rests while the run waits: the test reads its place on the picture.
        focus = wait_for("the focus on the processing page",
                         lambda: next((acc for acc in descendants(frame) if has(acc, pyatspi.STATE_FOCUSED)), None), 10)
        time.sleep(0.5)
        grab("accessibility_processing_focus")
        x, y, w, h = focus.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        print("processing: focus on %s '%s' at %d,%d %dx%d" % (focus.getRoleName(), focus.name, x, y, w, h), flush=True)
        bar = wait_for("the processing page's progress bar", lambda: find(frame, "progress bar"))
        value = bar.queryValue()
        first = value.currentValue
        try:
            wait_for("the progress bar's value to rise", lambda: value.currentValue > first, 15)
            print("processing: the progress bar rose from %s to %s of %s" % (first, value.currentValue,
                                                                             value.maximumValue), flush=True)
        except RuntimeError:
            fault("processing: the progress bar stays at %s" % first)
    finally:
        ostrel.kill()
        ostrel.wait()


def results():
    # A host that refuses the connection: the run ends at once on the results page.
    ostrel, app, frame = start_wizard()
    try:
        next_to(frame, "the option page", lambda: find(frame, "radio button"))
        next_to(frame, "the domain list", lambda: find(frame, "push button", "Add Domain..."))
        run_on(app, frame, os.environ["REFUSING_HOST"])
        outer = wait_for("the results grid", lambda: find(frame, "table",
                                                          "Statistics for successfully inspected items"), 30)
        # The grid's cells come onto the bus a moment after the grid itself.
        table = wait_for("the grid's cells", lambda: find(outer, "table"), 10).queryTable()
        grab("accessibility_results")
        headers = [table.getColumnDescription(i) for i in range(table.nColumns)]
        print("results grid: column headers %s" % headers, flush=True)
        if len(headers) < 2 or not all(headers):
            fault("results: the grid's columns have no headers: %s" % headers)
        check_names(frame, "results page")
    finally:
        ostrel.kill()
        ostrel.wait()


def property_pages(control):
    design = subprocess.Popen([os.environ["OSTREL_DESIGN"], os.environ["CONTROLS_FORM"], control],
                              env=dict(os.environ, QT_QPA_PLATFORM="xcb"), stderr=subprocess.DEVNULL)
    try:
        app = wait_for("ostrel-design on the bus", lambda: application("ostrel-design"))
        sheet = wait_for("the property sheet", lambda: window(app, "dialog"))
        stack = wait_for("the pages", lambda: find(sheet, "layered pane"))
        pages = children(stack)
        where = control + " property pages"
        print("%s: %d focusable controls read on %d pages" % (where, check_names(sheet, where), len(pages)),
              flush=True)
        focus_window_of(design.pid)
        tabs = wait_for("the page tabs", lambda: find(sheet, "page tab list"))
        for index, page in enumerate(pages):
            click(children(tabs)[index])
            shown = wait_for(page.name + " to show", lambda: has(page, pyatspi.STATE_SHOWING) and page, 5)
            boxes = [acc for acc in descendants(shown) if acc.getRoleName() == "check box"
                     and has(acc, pyatspi.STATE_SHOWING) and has(acc, pyatspi.STATE_ENABLED)]
            if boxes:
                box = boxes[0]
                expect_actions(box, "Toggle", where)
                before = has(box, pyatspi.STATE_CHECKED)
                click(box)
                expect_checked(box, not before, "%s, page %s" % (where, page.name))
                click(box)
                expect_checked(box, before, "%s, page %s" % (where, page.name))
    finally:
        design.kill()
        design.wait()


def design_window():
    # The design tool's own windows: the form with its controls (an up-down box among them)
    # and the list of the form's controls and properties.
    design = subprocess.Popen([os.environ["OSTREL_DESIGN"], os.environ["CONTROLS_FORM"]],
                              env=dict(os.environ, QT_QPA_PLATFORM="xcb"), stderr=subprocess.DEVNULL)
    try:
        app = wait_for("ostrel-design on the bus", lambda: application("ostrel-design"))
        def both_windows():
            # The form's window and the design window with its lists.
            shown = [w for w in children(app) if has(w, pyatspi.STATE_SHOWING)]
            return shown if len(shown) >= 2 else None
        shown = wait_for("the form and the design window", both_windows)
        read = sum(check_names(w, "design window '%s'" % w.name) for w in shown)
        print("design windows: %d focusable controls read in %d windows" % (read, len(shown)), flush=True)
    finally:
        design.kill()
        design.wait()


def main():
    started = time.time()
    screen_reader_on()
    for step in [wizard, results, design_window] + [lambda c=c: property_pages(c) for c in os.environ["CONTROLS"].split()]:
        try:
            step()
        except Exception as error:
            fault("stopped: %r" % error)
        print("(%.1f s)" % (time.time() - started), flush=True)
    print("done", flush=True)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
