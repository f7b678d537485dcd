#!/usr/bin/python3
"""The comparison table's row buttons as a screen reader finds them through
AT-SPI: in a running Tintwell window with an emulated instrument, two
comparisons are measured, the first row's Delete and Report cells must offer
"Press", pressing Delete removes the row and pressing Report opens a window.
Run by atspi_row_buttons.sh inside a virtual X server and session bus."""
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402


def wait(condition, seconds):
    end = time.time() + seconds
    while time.time() < end:
        value = condition()
        if value:
            return value
        time.sleep(0.3)
    return condition()


def application():
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app and app.get_name() == "tintwell":
            return app
    return None


def nodes(node, depth=0):
    yield node
    # A table's cells are asked for by their place, not walked.
    if depth > 40 or node.get_role() == Atspi.Role.TABLE:
        return
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child:
            yield from nodes(child, depth + 1)


def actions(node):
    action = node.get_action_iface()
    return [action.get_action_name(i) for i in range(action.get_n_actions())] if action else []


def press(node):
    action = node.get_action_iface()
    return any(action.do_action(i) for i in range(action.get_n_actions()) if action.get_action_name(i) == "Press")


failures = []


def check(ok, what):
    print(("ok   " if ok else "FAIL ") + what)
    if not ok:
        failures.append(what)


app = wait(application, 30)
if not app:
    sys.exit("no tintwell on the accessibility bus")
everything = wait(lambda: [n for n in nodes(app) if n.get_role() == Atspi.Role.PUSH_BUTTON
                           and n.get_name() == "Scan Standard"] and list(nodes(app)), 20)
buttons = {n.get_name(): n for n in everything if n.get_role() == Atspi.Role.PUSH_BUTTON}
tables = [n.get_table_iface() for n in everything
          if n.get_role() == Atspi.Role.TABLE and n.get_table_iface() and n.get_table_iface().get_n_columns() > 30]
if "Scan Standard" not in buttons or not tables:
    sys.exit("no Scan Standard button or comparison table: %s" % sorted(k for k in buttons if k))
table = tables[0]
# The emulated instrument is found once the window is up; each scan takes a moment.
press(buttons["Scan Standard"])
time.sleep(3)
for rows in (1, 2):
    press(buttons["Scan Sample"])
    check(wait(lambda: table.get_n_rows() >= rows, 15), "a sample scanned makes row %d" % rows)

remove = table.get_accessible_at(0, 29)
report = table.get_accessible_at(0, 30)
check(remove.get_name() == "Delete row 1" and actions(remove) == ["Press"],
      "Delete cell: %r offers %s" % (remove.get_name(), actions(remove)))
check(report.get_name() == "Report for Comp1" and actions(report) == ["Press"],
      "Report cell: %r offers %s" % (report.get_name(), actions(report)))
check(press(remove) and wait(lambda: table.get_n_rows() == 1, 10), "pressing Delete removes the row")
windows = app.get_child_count()
report = table.get_accessible_at(0, 30)
check(press(report) and wait(lambda: app.get_child_count() > windows, 10),
      "pressing %r opens its report" % report.get_name())
sys.exit(1 if failures else 0)
