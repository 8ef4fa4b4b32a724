"""Reads the editor's window through AT-SPI and checks that a screen reader can tell its
controls apart: each has the name that says what it is for, and the exceptions list exposes
its rows and cells. Exits 0 when all is there, 1 with what is missing."""

import sys
import time

import pyatspi

WANTED = ["Label", "Number to dial", "Transfer style", "Exceptions", "Hold target type",
          "Hold target number", "First node", "Previous node", "Next node", "Last node",
          "XFER node", "Record position", "OK", "Cancel"]


def walk(node, depth=0):
    if node is None or depth > 30:
        return
    yield node
    for i in range(node.childCount):
        yield from walk(node.getChildAtIndex(i), depth + 1)


def editor_window():
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is None:
            continue
        for window in app:
            if window is not None and window.name.startswith("XFER"):
                return window
    return None


def main():
    deadline = time.time() + 60
    window = None
    names = set()
    while time.time() < deadline:
        window = editor_window()
        if window is not None:
            nodes = list(walk(window))
            names = {n.name for n in nodes}
            if all(w in names for w in WANTED):
                break
        time.sleep(0.5)
    if window is None:
        print("FAIL: no editor window on the accessibility bus")
        return 1
    missing = [w for w in WANTED if w not in names]
    if missing:
        print("FAIL: not named:", missing, "; names seen:", sorted(names))
        return 1
    table = next((n for n in walk(window) if n.name == "Exceptions" and
                  n.getRole() in (pyatspi.ROLE_TABLE, pyatspi.ROLE_TREE_TABLE, pyatspi.ROLE_TREE)),
                 None)
    if table is None:
        print("FAIL: the exceptions list is not a table")
        return 1
    rows = table.queryTable().nRows
    cells = [table.queryTable().getAccessibleAt(0, c) for c in range(table.queryTable().nColumns)]
    texts = [c.name for c in cells if c is not None and c.name]
    if rows != 6 or not texts:
        print("FAIL: the list exposes", rows, "rows and first-row cells", texts)
        return 1
    print("ok:", len(names), "names;", rows, "rows; first row:", texts)
    return 0


if __name__ == "__main__":
    sys.exit(main())
