"""Reads the running program through the accessibility bus, as a screen
reader does: the question and the answers' captions, then chooses answer 1
through the bus and reads them again, listening for the name change that
makes a screen reader speak the new question.

Prints one line per thing read; the calling script compares them."""
import sys
import time

import pyatspi
from gi.repository import GLib


def find_app(timeout=30.0):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and (app.name or "").lower() == "kinsight":
                return app
        time.sleep(0.2)
    sys.exit("kinsight not found on the accessibility bus")


def walk(node):
    yield node
    for child in node:
        if child is not None:
            yield from walk(child)


def controls(app):
    """The main window's question label and option buttons, top to bottom."""
    for window in app:
        labels, options = [], []
        for node in walk(window):
            role = node.getRole()
            if role == pyatspi.ROLE_LABEL:
                labels.append(node)
            elif role == pyatspi.ROLE_RADIO_BUTTON:
                options.append(node)
        if options:
            def top(n):
                return n.queryComponent().getExtents(pyatspi.DESKTOP_COORDS).y
            labels.sort(key=top)
            options.sort(key=top)
            return labels[0], options
    sys.exit("no window with option buttons")


def show(step, question, options):
    print(f"{step} question: {question.name}")
    for option in options:
        print(f"{step} option: {option.name}")


app = find_app()
question, options = controls(app)
show("before", question, options)

heard = []


def listen(event):
    if event.source is not None and event.source.getRole() == pyatspi.ROLE_LABEL:
        heard.append(event.source.name)


def choose_first():
    action = options[0].queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    index = next((i for i, n in enumerate(names) if n.lower() in ("press", "click", "toggle")), 0)
    action.doAction(index)
    return False


pyatspi.Registry.registerEventListener(listen, "object:property-change:accessible-name")
GLib.timeout_add(500, choose_first)
GLib.timeout_add(3000, lambda: pyatspi.Registry.stop())
pyatspi.Registry.start()

question, options = controls(app)
show("after", question, options)
for name in heard:
    print(f"heard: {name}")
