#!/usr/bin/python3
"""Asks the running game through AT-SPI what a screen reader would hear.

The game window must show a board (a canvas with the table interface) whose
size is the puzzle's size (read from the window's accessible name, "TAVELO -
10x10"), and after a click on its first
cell that cell's name must say it is filled. Every wait is bounded; a failure
says what was missing. Exit status 0 when all holds.
"""
import re
import subprocess
import sys
import time

try:
    import pyatspi
except ImportError:
    print("atspi: FAILED: python3-pyatspi is not installed "
          "(bash scripts/install-deps.sh installs it)", file=sys.stderr)
    sys.exit(1)

WAIT = 20.0  # seconds for anything to appear or to change
SIZE = re.compile(r" - (\d+)x(\d+)$")


def fail(message):
    print("atspi: FAILED: " + message, file=sys.stderr)
    sys.exit(1)


def wait_for(what, probe, limit=WAIT):
    deadline = time.monotonic() + limit
    while True:
        try:
            found = probe()
        except Exception as error:  # the bus or the game is still starting
            found = None
            last = error
        else:
            last = None
        if found:
            return found
        if time.monotonic() > deadline:
            fail("no %s within %gs%s" % (what, limit, " (%s)" % last if last else ""))
        time.sleep(0.2)


def game():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and "tavelo" in (app.name or "").lower():
            return app
    return None


def find(node, role, depth=0):
    if node is None or depth > 12:
        return None
    if node.getRole() == role and node.getState().contains(pyatspi.STATE_SHOWING):
        return node
    for i in range(node.childCount):
        hit = find(node.getChildAtIndex(i), role, depth + 1)
        if hit is not None:
            return hit
    return None


def fresh_name(node):
    node.clear_cache()
    return node.name or ""


def main():
    app = wait_for("TAVELO on the accessibility bus", game)
    # The frame is named by the product and the puzzle's size.
    def captioned_frame():
        frame = find(app, pyatspi.ROLE_FRAME)
        return frame if frame is not None and SIZE.search(fresh_name(frame)) else None

    frame = wait_for("window frame named by the puzzle's size", captioned_frame)
    size = SIZE.search(fresh_name(frame))
    width, height = int(size.group(1)), int(size.group(2))
    # A canvas that answers as a table (a screen reader then reads cell by
    # cell, not row by row).
    board = wait_for("board canvas on the screen", lambda: find(frame, pyatspi.ROLE_CANVAS))
    table = board.queryTable()
    if (table.nRows, table.nColumns) != (height, width):
        fail("the table has %d rows and %d columns, the puzzle is %dx%d"
             % (table.nRows, table.nColumns, width, height))
    print("atspi: a table of %d x %d cells" % (table.nRows, table.nColumns))

    cell = table.getAccessibleAt(0, 0)
    if cell is None or cell.getRole() != pyatspi.ROLE_TABLE_CELL:
        fail("the table has no cell at row 1, column 1")
    before = fresh_name(cell)
    print("atspi: first cell before: %r" % before)
    if not before.endswith("empty"):
        fail("the first cell of a new game is not empty: %r" % before)

    box = cell.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    if box.width <= 0 or box.height <= 0:
        fail("the first cell has no place on the screen")
    subprocess.run(["xdotool", "mousemove", str(box.x + box.width // 2),
                    str(box.y + box.height // 2), "click", "1"], check=True)
    after = wait_for("'filled' in the first cell's name after a click",
                     lambda: "filled" in fresh_name(table.getAccessibleAt(0, 0)), 5.0)
    print("atspi: first cell after the click: %r" % fresh_name(table.getAccessibleAt(0, 0)))
    return 0 if after else 1


if __name__ == "__main__":
    sys.exit(main())
