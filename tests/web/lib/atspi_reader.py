"""Reads a browser's page as a screen reader does, through the accessibility bus (AT-SPI, with
pyatspi), for the page's tests in node. Started with /usr/bin/python3 (Debian's, which has
python3-pyatspi) on the session bus the browser uses; answers one JSON line on standard output for
each command line on standard input:

  tree     the page's accessible objects: role, name, description, politeness of a live region
           and, for one, its text; the entries of lists and drop-downs left out
  events   what a screen reader was told since the last "events", in order: each text inserted
           into a live region, each object that took the focus, with its name, and each change of
           a description (which a screen reader speaks again where the object has the focus)
"""

import json
import sys

import pyatspi
from gi.repository import GLib

DOCUMENT_ROLES = {"document web", "document frame"}
# Objects whose children are a list's entries: ten thousand of them after a run.
LEAF_ROLES = {"combo box", "list box", "list", "menu"}

heard = []


def attributes(node):
    try:
        return dict(pair.split(":", 1) for pair in node.getAttributes() if ":" in pair)
    except Exception:  # an object that went away while being read
        return {}


def described(node):
    live = attributes(node).get("live")
    item = {"role": node.getRoleName(), "name": node.name, "description": node.description,
            "live": live}
    if live:
        item["text"] = node.queryText().getText(0, -1)
    return item


def walk(node, found):
    if node is None:
        return
    node.clear_cache()  # what the bus told earlier may be out of date
    found.append(described(node))
    if node.getRoleName() in LEAF_ROLES:
        return
    for index in range(node.childCount):
        walk(node.getChildAtIndex(index), found)


def documents():
    desktop = pyatspi.Registry.getDesktop(0)
    found = []
    for application in (desktop.getChildAtIndex(i) for i in range(desktop.childCount)):
        if application is not None:
            application.clear_cache()
            found.extend(pyatspi.findAllDescendants(
                application, lambda n: n is not None and n.getRoleName() in DOCUMENT_ROLES))
    return found


def tree():
    found = []
    for document in documents():
        walk(document, found)
    return found


def hear(event):
    try:
        if event.type.startswith("object:state-changed:focused"):
            if event.detail1:
                heard.append({"type": "focus", "role": event.source.getRoleName(),
                              "text": event.source.name})
            return
        if event.type.startswith("object:property-change:accessible-description"):
            heard.append({"type": "description", "role": event.source.getRoleName(),
                          "text": str(event.any_data)})
            return
        if "container-live" not in attributes(event.source):
            return
        heard.append({"type": "insert", "role": event.source.getRoleName(),
                      "text": str(event.any_data)})
    except Exception as error:  # an object that went away before it was read
        if "focused" not in event.type:  # a list replaced takes the focus and goes at once
            print(f"atspi_reader: {event.type} not read: {error}", file=sys.stderr, flush=True)


def answer(line):
    command = line.strip()
    try:
        if command == "tree":
            reply = {"tree": tree()}
        elif command == "events":
            reply = {"events": heard.copy()}
            heard.clear()
        else:
            reply = {"error": f"unknown command {command!r}"}
    except Exception as error:  # told to the test, which decides
        reply = {"error": f"{type(error).__name__}: {error}"}
    print(json.dumps(reply), flush=True)


def read_command(source, condition):
    line = sys.stdin.readline()
    if not line:
        pyatspi.Registry.stop()
        return False
    answer(line)
    return True


def main():
    pyatspi.Registry.registerEventListener(hear, "object:text-changed:insert",
                                           "object:state-changed:focused",
                                           "object:property-change:accessible-description")
    GLib.io_add_watch(sys.stdin, GLib.IO_IN | GLib.IO_HUP, read_command)
    print(json.dumps({"ready": True}), flush=True)
    pyatspi.Registry.start()


if __name__ == "__main__":
    main()
