"""Reads the running program through the accessibility bus, as a screen
reader does: the question and the answers' captions, then chooses answer 1
through the bus and reads them again, listening for the name change that
makes a screen reader speak the new question. With "play" and lists of
answers ("Colour 1,Season 2"), plays each to a result instead.

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


def act(node, names=("press", "click", "toggle")):
    action = node.queryAction()
    found = [i for i in range(action.nActions) if action.getName(i).lower() in names]
    action.doAction(found[0] if found else 0)


def showing(app, role, name):
    """The first showing control of that role and name, in any window."""
    for window in app:
        for node in walk(window):
            if (node.getRole() == role and node.name == name
                    and node.getState().contains(pyatspi.STATE_SHOWING)):
                return node
    return None


def play(app, answers):
    """Chooses the answers by name, presses OK on every box and Stop once
    until the result shows, prints it, and restarts."""
    for name in answers:
        try:
            act(showing(app, pyatspi.ROLE_RADIO_BUTTON, name))
        except GLib.GError:
            pass  # no reply while the draw message it brought up is open
    stopped, text = False, ""
    end = time.monotonic() + 30
    while not text and time.monotonic() < end:
        for button in ("OK", "Stop"):
            node = showing(app, pyatspi.ROLE_PUSH_BUTTON, button)
            if node is not None and not (button == "Stop" and stopped):
                act(node)
                stopped = stopped or button == "Stop"
        time.sleep(0.5)
        result = showing(app, pyatspi.ROLE_TEXT, "Result")
        text = result.queryText().getText(0, -1) if result is not None else ""
    print(f"result: {text}")
    act(showing(app, pyatspi.ROLE_PUSH_BUTTON, "Сначала"))
    time.sleep(1)


app = find_app()
if sys.argv[1:2] == ["play"]:
    pyatspi.setTimeout(2000, 15000)
    for answers in sys.argv[2:]:
        play(app, answers.split(","))
    sys.exit(0)
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
