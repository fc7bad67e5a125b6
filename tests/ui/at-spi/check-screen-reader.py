#!/usr/bin/python3
"""Reads the editor's windows through AT-SPI, as a screen reader does.

Starts the editor on the current X display (with a session bus already
running), finds its main window, presses Load to bring up the card file
browser, and checks each window: its role (frame for the main window,
dialog for the browser), and that every control a user can reach (every
focusable object, every link and every group) has a name, unique within
its window. Prints the counts per window; exits 1 on any failure.

    check-screen-reader.py PROGRAM
"""
import subprocess
import sys
import time

import pyatspi

MAIN_TITLE = "Ostra Configuration Utility"
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


def press(top, name):
    for node in walk(top):
        if node.name == name and node.getRole() == pyatspi.ROLE_PUSH_BUTTON:
            action = node.queryAction()
            for index in range(action.nActions):
                if action.getName(index) in ("Press", "press", "click"):
                    action.doAction(index)
                    return
    sys.exit(f"FAIL: no button {name!r} to press")


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
    finally:
        editor.terminate()
        editor.wait(10)
    for failure in failures:
        print("FAIL:", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
