"""Reads the running program as a screen reader does, over AT-SPI.

Run inside a private X display and session bus (screen_reader_test.sh). It says it is a screen
reader on the session bus, listens for the events a screen reader follows, starts the program,
reads the main window's tree, presses 开始训练 through its action, clicks the cells showing 1 and 2
where they say they lie on the screen, and checks what is heard: the names and values of the
controls, the cells' rectangles, the focus arriving at the clicked cell and moving on, and each
change of the progress number.

Usage: screen_reader_test.py <zelvorn executable>
"""

import os
import re
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Gio, GLib  # noqa: E402

# Long enough for a slow, loaded machine; the test as a whole has a hard limit above these.
STARTUP_SECONDS = 20
EVENT_SECONDS = 10
# The cells of a 5 × 5 board in the main window's grid, inside the grid's 2-pixel edge.
CELL_WIDTH = 111
CELL_HEIGHT = 104
GRID_EDGE = 2

failures = []


def check(what, actual, expected):
    if actual != expected:
        failures.append(f"{what} is {actual!r}, expected {expected!r}")


def say_a_screen_reader_runs():
    """What a screen reader sets when it starts; toolkits turn their bridge on for it."""
    bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    bus.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.freedesktop.DBus.Properties", "Set",
                  GLib.Variant("(ssv)", ("org.a11y.Status", "ScreenReaderEnabled",
                                         GLib.Variant("b", True))),
                  None, Gio.DBusCallFlags.NONE, 10000, None)


say_a_screen_reader_runs()
import pyatspi  # noqa: E402  (it connects to the accessibility bus as it loads)

heard = []  # (event type, role, name, detail1) of every event received


def on_event(event):
    try:
        source = event.source
        heard.append((event.type, source.getRole(), source.name, event.detail1))
    except Exception as error:  # an object that is gone by now
        heard.append((event.type, None, repr(error), event.detail1))


EVENTS = ("focus:", "object:state-changed:focused", "object:active-descendant-changed",
          "object:property-change:accessible-value", "object:value-changed", "window:activate")
pyatspi.Registry.registerEventListener(on_event, *EVENTS)

# Wakes the loop below now and then, so that a wait with nothing to deliver still sees its end.
GLib.timeout_add(20, lambda: True)


def wait_for(what, condition, seconds=EVENT_SECONDS):
    """Delivers events until condition() holds (returning its value) or the time is up."""
    deadline = time.monotonic() + seconds
    context = GLib.MainContext.default()
    while True:
        result = condition()
        if result:
            return result
        if time.monotonic() > deadline:
            failures.append(f"gave up waiting {seconds} s for {what}")
            return None
        context.iteration(True)


def find_app():
    desktop = pyatspi.Registry.getDesktop(0)
    for index in range(desktop.childCount):
        app = desktop.getChildAtIndex(index)
        if app is not None and app.name == "zelvorn" and app.childCount > 0:
            return app
    return None


def find(root, role, name=None):
    return pyatspi.findDescendant(
        root, lambda a: a.getRole() == role and (name is None or a.name == name), True)


def extents(accessible):
    box = accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return (box.x, box.y, box.width, box.height)


def text_of(accessible):
    return accessible.queryText().getText(0, -1)


def value_of(accessible):
    try:
        value = accessible.queryValue()
    except NotImplementedError:
        return None
    return (value.minimumValue, value.currentValue, value.maximumValue)


def relation_targets(accessible, relation_type):
    return [relation.getTarget(index).name
            for relation in accessible.getRelationSet()
            if relation.getRelationType() == relation_type
            for index in range(relation.getNTargets())]


def dealt_cells(table):
    """The cells by their names, once they name the numbers 1 to 25."""
    cells = {table.getChildAtIndex(i).name: table.getChildAtIndex(i)
             for i in range(table.childCount)}
    return cells if set(cells) == {str(n) for n in range(1, 26)} else None


def read_the_window(app):
    """The controls a screen reader finds, by what it calls them, checked as they first read."""
    frames = [app.getChildAtIndex(i) for i in range(app.childCount)]
    check("the application's windows (role, name)",
          [(frame.getRoleName(), frame.name) for frame in frames], [("frame", "Zelvorn")])
    controls = {
        "progress bar 进度": find(frames[0], pyatspi.ROLE_PROGRESS_BAR, "进度"),
        "text 用时": find(frames[0], pyatspi.ROLE_TEXT, "用时"),
        "combo box": find(frames[0], pyatspi.ROLE_COMBO_BOX),
        "table": find(frames[0], pyatspi.ROLE_TABLE),
        "push button 开始训练": find(frames[0], pyatspi.ROLE_PUSH_BUTTON, "开始训练"),
    }
    for what, accessible in controls.items():
        if accessible is None:
            failures.append(f"no {what} in the window")
    if progress := controls["progress bar 进度"]:
        check("进度 before a run (minimum, current, maximum)", value_of(progress), (0, 0, 25))
    if clock := controls["text 用时"]:
        check("用时 before a run", text_of(clock), "00:00:00")
    if chooser := controls["combo box"]:
        check("the size chooser's name", chooser.name, "5×5")
        check("the size chooser labelled by", relation_targets(
            chooser, pyatspi.RELATION_LABELLED_BY), ["表格"])
    if table := controls["table"]:
        check("the table's name", table.name, "表格")
        grid = table.queryTable()
        check("the table's rows and columns", (grid.nRows, grid.nColumns), (5, 5))
    return controls


def check_cell_rectangles(table):
    """Cell (row, col) lies where the grid paints it, on the screen and at the table's point."""
    left, top, _, _ = extents(table)
    component = table.queryComponent()
    grid = table.queryTable()
    for row, col in ((0, 0), (2, 3), (4, 4)):
        cell = grid.getAccessibleAt(row, col)
        x = left + GRID_EDGE + col * CELL_WIDTH
        y = top + GRID_EDGE + row * CELL_HEIGHT
        check(f"cell ({row}, {col})'s rectangle", extents(cell), (x, y, CELL_WIDTH, CELL_HEIGHT))
        found = component.getAccessibleAtPoint(x + CELL_WIDTH // 2, y + CELL_HEIGHT // 2,
                                               pyatspi.DESKTOP_COORDS)
        check(f"the cell at the middle of ({row}, {col})",
              found is not None and found.name == cell.name, True)


def focused_cells():
    return [name for kind, role, name, detail1 in heard
            if kind == "object:state-changed:focused" and detail1 == 1
            and role == pyatspi.ROLE_TABLE_CELL]


def progress_changes():
    return len([kind for kind, role, _, _ in heard
                if kind in ("object:property-change:accessible-value", "object:value-changed")
                and role == pyatspi.ROLE_PROGRESS_BAR])


def click_number(cells, number, progress):
    """Clicks the cell showing `number` in its middle; it gets the focus and counts."""
    x, y, width, height = extents(cells[number])
    if width <= 0 or height <= 0:
        failures.append(f"the cell {number} has no rectangle on the screen to click")
        return False
    changes = progress_changes()
    subprocess.run(["xdotool", "mousemove", "--sync", str(x + width // 2), str(y + height // 2),
                    "click", "1"], check=True)
    wait_for(f"the focus to reach the cell {number}", lambda: number in focused_cells())
    state = cells[number].getState()
    check(f"the cell {number} focused and selected", (state.contains(pyatspi.STATE_FOCUSED),
                                                      state.contains(pyatspi.STATE_SELECTED)),
          (True, True))
    if progress is not None:
        wait_for(f"an event for the progress number after the click on {number}",
                 lambda: progress_changes() > changes)
        check(f"进度 after the click on {number}", value_of(progress), (0, int(number), 25))
    return True


def run(program):
    environment = dict(os.environ, QT_QPA_PLATFORM="xcb")
    process = subprocess.Popen([program], env=environment)
    try:
        app = wait_for("the program on the accessibility bus", find_app, STARTUP_SECONDS)
        if app is None:
            return
        controls = read_the_window(app)
        table, button = controls["table"], controls["push button 开始训练"]
        if table is None or button is None:
            return
        button.queryAction().doAction(0)
        cells = wait_for("a dealt board of 1 to 25", lambda: dealt_cells(table))
        if cells is None:
            return
        check_cell_rectangles(table)
        # The first click brings the window forward (there is no window manager to do it).
        progress = controls["progress bar 进度"]
        if not click_number(cells, "1", progress) or not click_number(cells, "2", progress):
            return
        check("the windows activated", sorted({name for kind, _, name, _ in heard
                                               if kind == "window:activate"}), ["Zelvorn"])
        check("the cells that got the focus", focused_cells(), ["1", "2"])
        if clock := controls["text 用时"]:
            wait_for("the clock to run", lambda: text_of(clock) != "00:00:00"
                     and re.fullmatch(r"\d\d:\d\d:\d\d", text_of(clock)))
    finally:
        process.terminate()
        try:
            process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


def main():
    run(sys.argv[1])
    for kind, role, name, detail1 in heard:
        role_name = pyatspi.Atspi.role_get_name(role) if role is not None else None
        print(f"heard {kind} from {role_name} {name!r} ({detail1})")
    for failure in failures:
        print(f"FAIL: {failure}")
    if not failures:
        print("screen reader test passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
