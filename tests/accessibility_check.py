"""Drives the program on an X server as a user does (xdotool) and reads it as a screen reader does
(AT-SPI, through pyatspi). Started by accessibility_check.sh inside its X server and session bus.

Usage: accessibility_check.py PROGRAM
"""

import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

LEGEND = "Red points: Euler's positions. Blue points: the exact cosine."
APPLICATION = "sho-euler"
failures = []


def check(description, passed, detail=""):
    print(("ok      " if passed else "FAILED  ") + description + (f" ({detail})" if detail else ""))
    if not passed:
        failures.append(description)
    return passed


def wait_for(what, probe, timeout=20.0):
    """Polls probe() until it returns something true; that value, or None after timeout seconds."""
    deadline = time.monotonic() + timeout
    while True:
        while GLib.MainContext.default().iteration(False):  # the bus events that came in
            pass
        try:
            value = probe()
        except Exception:  # an object that went away while being read: read again
            value = None
        if value or time.monotonic() > deadline:
            if not value:
                print(f"        gave up waiting for {what} after {timeout:.0f} s")
            return value
        time.sleep(0.05)


def nodes(root):
    """Every accessible object under root, root included, fresh from the application; a list's
    entries left out (the results list has 10,000)."""
    root.clear_cache()
    found = [root]
    if root.getRoleName() == "list":
        return found
    for index in range(root.childCount):
        child = root.getChildAtIndex(index)
        if child is not None:
            found.extend(nodes(child))
    return found


def find(root, role, name=None):
    for node in nodes(root):
        if node.getRoleName() == role and (name is None or node.name == name):
            return node
    return None


def extents(node):
    return node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)


def xdotool(*arguments):
    subprocess.run(["xdotool", *map(str, arguments)], check=True, timeout=10)


def click(node, button=1, at=None):
    box = extents(node)
    x, y = at if at else (box.x + box.width // 2, box.y + box.height // 2)
    xdotool("mousemove", x, y, "click", button)


def visible_windows():
    result = subprocess.run(
        ["xdotool", "search", "--onlyvisible", "--classname", f"^{APPLICATION}$"],
        capture_output=True, text=True, timeout=10)
    return result.stdout.split()


def clipboard_targets():
    result = subprocess.run(["xclip", "-selection", "clipboard", "-t", "TARGETS", "-o"],
                            capture_output=True, text=True, timeout=10)
    return result.stdout.split() if result.returncode == 0 else []


def clipboard_png_size():
    """The width and height of the PNG on the clipboard, or None."""
    data = subprocess.run(["xclip", "-selection", "clipboard", "-t", "image/png", "-o"],
                          capture_output=True, timeout=10).stdout
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        return None
    return int.from_bytes(data[16:20], "big"), int.from_bytes(data[20:24], "big")


def put_text_on_clipboard(text):
    # xclip stays in the background to serve the text until another program takes the clipboard.
    subprocess.run(["xclip", "-selection", "clipboard", "-i"], input=text.encode(), check=True,
                   timeout=10)


def description_of(node):
    node.clear_cache()
    return node.description


class BusEvents:
    """What a screen reader hears of the program through the bus and speaks: an object that gets
    the focus, and text put into one."""

    def __init__(self):
        self.heard = []
        pyatspi.Registry.registerEventListener(self._hear, "object:state-changed:focused",
                                               "object:text-changed:insert")

    def _hear(self, event):
        try:
            if event.type.startswith("object:state-changed:focused") and event.detail1:
                self.heard.append(("focus", event.source.getRoleName(), event.source.name))
            elif event.type.startswith("object:text-changed:insert"):
                self.heard.append(("text", event.source.getRoleName(), str(event.any_data)))
        except Exception:  # an object that went away before it was read
            pass

    def focused(self):
        """The role and name of the object that got the focus last, or None."""
        return next(((r, n) for kind, r, n in reversed(self.heard) if kind == "focus"), None)

    def texts(self):
        return [text for kind, _, text in self.heard if kind == "text"]


def keys_and_hear(events, what, keys, probe):
    """Presses keys and waits until what the bus tells passes probe, and then for what follows at
    once, which a screen reader would take instead; probe's value after that."""
    events.heard.clear()
    xdotool("key", "--delay", 100, *keys)
    if not wait_for(what, probe):
        return None
    time.sleep(0.5)
    return wait_for(what, probe, timeout=0)


def check_entries_on_the_bus(events):
    """Walks the list with the keyboard from the box that has the focus and entry 4 chosen: what
    the program tells a screen reader names each entry as it is highlighted and chosen."""
    opened = keys_and_hear(events, "the highlighted entry", ["alt+Down"],
                           lambda: (events.focused() or ("", ""))[0] == "list item")
    check("opening the list gives the focus to its highlighted entry, not to the list",
          bool(opened) and events.focused()[1].startswith(" 4 "), str(events.focused()))
    walked = keys_and_hear(events, "entry 7 highlighted", ["Down", "Down", "Down"],
                           lambda: (events.focused() or ("", ""))[1].startswith(" 7 "))
    check("each Down gives the focus to the next entry",
          bool(walked) and [n[:3] for k, r, n in events.heard if k == "focus"] ==
          [" 5 ", " 6 ", " 7 "], str(events.heard))
    chosen = keys_and_hear(events, "entry 7 in the edit field", ["Return"],
                           lambda: any(t.startswith(" 7 ") for t in events.texts()))
    check("Return puts the highlighted entry into the edit field", bool(chosen),
          str(events.heard))
    for key, step in [("Up", " 6 "), ("Down", " 7 ")]:
        changed = keys_and_hear(events, f"entry{step}in the edit field", [key],
                                lambda: any(t.startswith(step) for t in events.texts()))
        check(f"{key} in the closed box puts entry{step}into the edit field", bool(changed),
              str(events.heard))


def main(program):
    environment = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    desktop = pyatspi.Registry.getDesktop(0)  # starts the accessibility bus before the program
    events = BusEvents()
    process = subprocess.Popen([program], env=environment)
    try:
        app = wait_for("the program on the accessibility bus", lambda: next(
            (a for a in (desktop.getChildAtIndex(i) for i in range(desktop.childCount))
             if a is not None and a.name == APPLICATION), None), timeout=30)
        if not check("the program shows on the accessibility bus", app is not None):
            return
        wait_for("the window's controls", lambda: find(app, "push button", "Run"))

        every = nodes(app)
        unnamed = [f"{n.getRoleName()} {n.name!r}" for n in every
                   if n.getState().contains(pyatspi.STATE_FOCUSABLE) and not n.name.strip()]
        check("every control that takes the focus has a name", not unnamed, ", ".join(unnamed))
        for role, name in [("text", "y(0)"), ("text", "Phi(0)Degree"), ("text", "Time step<0.01"),
                           ("push button", "Run"), ("push button", "Exit"),
                           ("combo box", "Current values"), ("chart", "Graphs")]:
            check(f"a {role} named {name!r}", find(app, role, name) is not None)
        plot = find(app, "chart", "Graphs")
        box = find(app, "combo box", "Current values")
        if plot is None or box is None:
            return
        check("the plot's description names the colours before a run",
              description_of(plot) == LEGEND + " No step is shown.", description_of(plot))

        # A run as a user makes it: the three entries typed, Run clicked.
        for name, text in [("y(0)", "-1.5"), ("Phi(0)Degree", "30"), ("Time step<0.01", "0.01")]:
            click(find(app, "text", name))
            xdotool("type", "--delay", 20, "--", text)
        click(find(app, "push button", "Run"))
        described = wait_for("the run's description of the plot",
                             lambda: "Shown: steps 1 to 5279." in description_of(plot))
        check("after the run the plot's description says which steps are shown and how far apart "
              "the curves end", described and "At step 5279 the red point is" in
              description_of(plot), description_of(plot))
        told = wait_for("the run's notification", lambda: find(app, "notification"))
        check("the run tells what it did in a notification, in the plot description's words",
              told is not None and told.name == "The run is done. " +
              description_of(plot)[len(LEGEND) + 1:], told.name if told else "none")

        # The drop-down opens wider than the box, as wide as its entries.
        box_extents = extents(box)
        click(box, at=(box_extents.x + box_extents.width - 8,
                       box_extents.y + box_extents.height // 2))
        drop_down = find(box, "list")
        opened = wait_for("the drop-down list", lambda: drop_down.getState().contains(
            pyatspi.STATE_SHOWING) and extents(drop_down).width > 0)
        if check("the drop-down list opens", bool(opened)):
            check("the drop-down list is wider than the box",
                  extents(drop_down).width > box_extents.width,
                  f"{extents(drop_down).width} px against {box_extents.width} px")
        # Entry 4 chosen from it shows in the edit field from its first character.
        entry = drop_down.getChildAtIndex(3)
        check("the list's entry 4 is step 4", entry.name.startswith(" 4 "), entry.name)
        click(entry)
        edit = find(box, "text")
        chosen = wait_for("entry 4 in the edit field",
                          lambda: edit.queryText().getText(0, -1).startswith(" 4 "))
        if check("choosing entry 4 puts it in the edit field", bool(chosen),
                 edit.queryText().getText(0, -1)):
            check("the edit field shows entry 4 from its first character",
                  edit.queryText().caretOffset == 0, f"caret at {edit.queryText().caretOffset}")
            check_entries_on_the_bus(events)

        # Copy plot from the plot's menu. Qt leaves popup menus out of the tree (a screen reader
        # hears of them through focus events), so the menu is found as a window of the program's
        # and its first entry chosen with the keyboard.
        put_text_on_clipboard("not a picture")
        click(plot, button=3)
        opened = wait_for("the plot's menu", lambda: len(visible_windows()) >= 2)
        if check("right-clicking the plot opens a menu", bool(opened)):
            xdotool("key", "Down", "Return")
            copied = wait_for("a PNG on the clipboard", lambda: "image/png" in clipboard_targets())
            check("after Copy plot the clipboard holds a PNG", bool(copied),
                  " ".join(clipboard_targets()))
            check("the PNG is the plot's size", clipboard_png_size() == (352, 345),
                  str(clipboard_png_size()))

        # Ctrl+C on the plot when it has the focus.
        put_text_on_clipboard("not a picture")
        check("the clipboard holds text only", "image/png" not in clipboard_targets())
        click(plot)
        focused = wait_for("the plot to have the focus",
                           lambda: plot.getState().contains(pyatspi.STATE_FOCUSED))
        check("a click gives the plot the focus", bool(focused))
        xdotool("key", "ctrl+c")
        copied = wait_for("a PNG on the clipboard", lambda: "image/png" in clipboard_targets())
        check("after Ctrl+C on the plot the clipboard holds a PNG", bool(copied))
        check("the program is still running", process.poll() is None)
    finally:
        process.terminate()
        try:
            process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            process.kill()


if __name__ == "__main__":
    main(sys.argv[1])
    print(f"{'all checks passed' if not failures else f'{len(failures)} checks failed'}")
    sys.exit(1 if failures else 0)
