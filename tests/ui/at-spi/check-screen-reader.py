#!/usr/bin/python3
"""Reads the editor's windows through AT-SPI, as a screen reader does.

Starts the editor on the current X display (with a session bus already
running), finds its main window, presses Load to bring up the card file
browser, and checks each window: its role (frame for the main window and
the Zone Overview, dialog for the browser and Review Changes), and that
every control a user can reach (every focusable object, every link and
every group) has a name, unique within its window. Then does a routing
job as a blind user would: marks a cell of the Zone Overview through its
Toggle action, hears it marked, finds the counts offer no action, and
reverts the change through the Revert button of Review Changes. Prints
the counts per window; exits 1 on any failure.

    check-screen-reader.py PROGRAM
"""
import subprocess
import sys
import time

import pyatspi

MAIN_TITLE = "Ostra Configuration Utility"
OVERVIEW_TITLE = "Zone Overview"
REVIEW_TITLE = "Review Changes"
MARK_CELL = "A1 - 01, zone 1"
COUNT_CELL = "A1 - 01, zones: 1"
BROWSER_TITLE_PREFIXES = ("Open Configuration File", "No Files Found", "Populating")
# Objects a screen reader offers the user although they take no focus.
REACHABLE_ROLES = {pyatspi.ROLE_LINK, pyatspi.ROLE_PANEL}
# Parts of a control rather than controls: read with the control.
PART_ROLES = {pyatspi.ROLE_LIST_ITEM, pyatspi.ROLE_SCROLL_BAR, pyatspi.ROLE_MENU_ITEM, pyatspi.ROLE_MENU}
TIMEOUT_SECONDS = 30


def wait_for(find, what):
    deadline = time.monotonic() + TIMEOUT_SECONDS
    while time.monotonic() < deadline:
        found = find()
        if found is not None:
            return found
        time.sleep(0.2)
    sys.exit(f"FAIL: {what} did not appear within {TIMEOUT_SECONDS} s")


def application(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def window(app, accept):
    for top in app:
        if top is not None and accept(top.name):
            return top
    return None


def walk(node):
    """Every object below node, except the insides of a combo box (its
    pop-up list), which a screen reader reads as part of the box."""
    for child in node:
        if child is None:
            continue
        yield child
        if child.getRole() != pyatspi.ROLE_COMBO_BOX:
            yield from walk(child)


def is_reachable(node):
    role = node.getRole()
    if role in PART_ROLES:
        return False
    return role in REACHABLE_ROLES or node.getState().contains(pyatspi.STATE_FOCUSABLE)


def check_window(top, role, label):
    failures = []
    if top.getRole() != role:
        failures.append(f"{label}: role {top.getRoleName()}, expected {pyatspi.Role(role).value_nick}")
    controls = [node for node in walk(top) if is_reachable(node)]
    names = {}
    for node in controls:
        names.setdefault(node.name, []).append(node.getRoleName())
    named = [node for node in controls if node.name.strip()]
    for node in controls:
        if not node.name.strip():
            failures.append(f"{label}: a {node.getRoleName()} without a name")
    for name, roles in names.items():
        if name.strip() and len(roles) > 1:
            failures.append(f"{label}: {len(roles)} controls named {name!r} ({', '.join(roles)})")
    print(f"{label} ({top.getRoleName()}, {top.name!r}): {len(named)} of {len(controls)} controls named")
    return failures


def find(top, name, role):
    for node in walk(top):
        if node.name == name and node.getRole() == role:
            return node
    return None


def act(node, names):
    """Runs the node's first action among names; False when it has none."""
    try:
        action = node.queryAction()
    except NotImplementedError:
        return False
    for index in range(action.nActions):
        if action.getName(index) in names:
            action.doAction(index)
            return True
    return False


def press(top, name):
    node = find(top, name, pyatspi.ROLE_PUSH_BUTTON)
    if node is None or not act(node, ("Press", "press", "click")):
        sys.exit(f"FAIL: no button {name!r} to press")


def checked(top, name):
    node = find(top, name, pyatspi.ROLE_TABLE_CELL)
    return node is not None and node.getState().contains(pyatspi.STATE_CHECKED)


def check_routing(app, main_window):
    """Marks a cell through its Toggle and takes it back through Review."""
    failures = []
    press(main_window, "Zone Overview")
    overview = wait_for(lambda: window(app, lambda name: name == OVERVIEW_TITLE), "the Zone Overview")
    failures += check_window(overview, pyatspi.ROLE_FRAME, "Zone Overview")
    cell = find(overview, MARK_CELL, pyatspi.ROLE_TABLE_CELL)
    if cell is None:
        return failures + [f"Zone Overview: no cell {MARK_CELL!r}"]
    if cell.description != "not marked":
        failures.append(f"Zone Overview: an unmarked cell is described {cell.description!r}")
    if not act(cell, ("Toggle", "toggle")):
        return failures + ["Zone Overview: a mark cell offers no Toggle"]
    wait_for(lambda: True if checked(overview, MARK_CELL) else None, "the cell marked")
    count = find(overview, COUNT_CELL, pyatspi.ROLE_TABLE_CELL)
    if count is None:
        failures.append(f"Zone Overview: no count cell {COUNT_CELL!r}")
    elif act(count, ("Toggle", "toggle", "Press", "press")):
        failures.append("Zone Overview: a count cell offers an action")
    press(overview, "Review Changes...")
    review = wait_for(lambda: window(app, lambda name: name == REVIEW_TITLE), "Review Changes")
    failures += check_window(review, pyatspi.ROLE_DIALOG, "Review Changes")
    press(review, "Revert Zone 1 wallplates")
    wait_for(lambda: None if checked(overview, MARK_CELL) else True, "the cell unmarked by Revert")
    return failures


def main():
    program = sys.argv[1]
    editor = subprocess.Popen([program], stdout=subprocess.DEVNULL)
    try:
        app = wait_for(lambda: application(editor.pid), "the editor on the accessibility bus")
        main_window = wait_for(lambda: window(app, lambda name: name == MAIN_TITLE), "the main window")
        failures = check_window(main_window, pyatspi.ROLE_FRAME, "main window")
        press(main_window, "Load")
        browser = wait_for(lambda: window(app, lambda name: name.startswith(BROWSER_TITLE_PREFIXES)),
                           "the card file browser")
        failures += check_window(browser, pyatspi.ROLE_DIALOG, "card file browser")
        press(browser, "Cancel")
        failures += check_routing(app, main_window)
    finally:
        editor.terminate()
        editor.wait(10)
    for failure in failures:
        print("FAIL:", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
