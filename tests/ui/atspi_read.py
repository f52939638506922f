"""Reads the running program through the accessibility bus, as a screen
reader does: the question and the answers' captions, then chooses answer 1
through the bus and reads them again, and answer 1 through the object held
from before, listening for the name change of the question. With "play" and lists of
answers ("Colour 1,Season 2"), plays each to a result instead.

With "hostile", asks every text control for its text at offsets no reader
should use instead, and says whether each call was answered.

Prints one line per thing read; the calling script compares them."""
import sys
import time

import pyatspi
from gi.repository import GLib


def find_app(timeout=90.0):
    """Waits for the program on the bus; a bus that refuses or does not
    answer yet (a busy machine) is asked again."""
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        try:
            for app in pyatspi.Registry.getDesktop(0):
                if app is not None and (app.name or "").lower() == "kinsight":
                    return app
        except (GLib.GError, ValueError):
            pass
        time.sleep(0.2)
    sys.exit("kinsight not found on the accessibility bus")


def walk(node):
    """The node and all below it. A live window's controls come and go (the
    question spoken to a reader is new each time): one gone while it is
    walked is passed over."""
    yield node
    for child in children(node):
        yield from walk(child)


def children(node):
    """The node's children as they are now. A node already gone answers
    with an error or a count of -1; it has none."""
    try:
        count = node.childCount
        found = [node.getChildAtIndex(i) for i in range(max(count, 0))]
    except (GLib.GError, ValueError):
        return []
    return [child for child in found if child is not None]


def controls(app):
    """The main window's question label and option buttons, top to bottom."""
    for window in children(app):
        labels, options = [], []
        for node in walk(window):
            role = node.getRole()
            if role == pyatspi.ROLE_LABEL and node.getState().contains(pyatspi.STATE_SHOWING):
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
    for window in children(app):
        for node in walk(window):
            try:
                if (node.getRole() == role and node.name == name
                        and node.getState().contains(pyatspi.STATE_SHOWING)):
                    return node
            except GLib.GError:
                pass  # gone while it was walked
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
    end = time.monotonic() + 60
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
    # Restarted once the result is empty again.
    end = time.monotonic() + 60
    while text and time.monotonic() < end:
        time.sleep(0.1)
        result = showing(app, pyatspi.ROLE_TEXT, "Result")
        text = result.queryText().getText(0, -1) if result is not None else text


def text_controls(app):
    """Every showing control that offers its text, in every window."""
    found = []
    for window in children(app):
        for node in walk(window):
            try:
                if node.getState().contains(pyatspi.STATE_SHOWING):
                    found.append((node, node.queryText()))
            except (NotImplementedError, GLib.GError):
                pass
    return found


def hostile(app):
    """Asks every text control for its text at offsets no reader should
    use, with every boundary; each call must be answered (even with an
    error) within a second. Prints the calls that were not; the caller then
    checks that the program plays on. Qt 6.4 itself loops on a range's
    extents up to INT_MAX, so those are asked only up to the text's end."""
    pyatspi.setTimeout(1000, 1000)
    boundaries = [pyatspi.TEXT_BOUNDARY_CHAR, pyatspi.TEXT_BOUNDARY_WORD_START,
                  pyatspi.TEXT_BOUNDARY_WORD_END, pyatspi.TEXT_BOUNDARY_SENTENCE_START,
                  pyatspi.TEXT_BOUNDARY_SENTENCE_END, pyatspi.TEXT_BOUNDARY_LINE_START,
                  pyatspi.TEXT_BOUNDARY_LINE_END]
    calls = 0
    for node, text in text_controls(app):
        end = text.characterCount
        offsets = [-5, -1, 0, end, end + 1, 2**31 - 1]
        asks = []
        for o in offsets:
            asks += [("getText", o, -1), ("getText", 0, o), ("getCharacterAtOffset", o),
                     ("getCharacterExtents", o, pyatspi.DESKTOP_COORDS),
                     ("getSelection", o), ("getAttributeRun", o), ("setCaretOffset", o),
                     ("getOffsetAtPoint", o, o, pyatspi.DESKTOP_COORDS)]
            asks += [(way, o, b) for b in boundaries
                     for way in ("getTextAtOffset", "getTextBeforeOffset", "getTextAfterOffset")]
            if o != 2**31 - 1:
                asks.append(("getRangeExtents", 0, o, pyatspi.DESKTOP_COORDS))
        for method, *arguments in asks:
            calls += 1
            start = time.monotonic()
            try:
                getattr(text, method)(*arguments)
            except GLib.GError as error:
                if "imeout" in error.message or "NoReply" in error.message:
                    print(f"no answer: {node.name!r} {method}{tuple(arguments)}")
                    return
            except Exception:  # a refusal is an answer
                pass
            if time.monotonic() - start > 1.0:
                print(f"slow: {node.name!r} {method}{tuple(arguments)}")
    print(f"answered: {calls} calls")


app = find_app()
if sys.argv[1:2] == ["hostile"]:
    hostile(app)
    sys.exit(0)
if sys.argv[1:2] == ["play"]:
    pyatspi.setTimeout(2000, 15000)
    for answers in sys.argv[2:]:
        play(app, answers.split(","))
    sys.exit(0)
question, options = controls(app)
show("before", question, options)
# Held across the answers, as a client that keeps a control does.
first = options[0]

heard = []


def listen(event):
    source = event.source
    if (source is not None and source.getRole() == pyatspi.ROLE_LABEL
            and source.getState().contains(pyatspi.STATE_SHOWING)):
        heard.append(source.name)
        pyatspi.Registry.stop()


def answer(node):
    """Chooses the answer through the bus and waits for the question's
    change; if it never comes, a deadline ends the wait."""
    def choose():
        try:
            act(node)
        except GLib.GError as error:
            print(f"no answer: {error.message}")
            pyatspi.Registry.stop()
        return False

    GLib.idle_add(choose)
    deadline = GLib.timeout_add_seconds(60, pyatspi.Registry.stop)
    pyatspi.Registry.start()
    GLib.source_remove(deadline)


pyatspi.Registry.registerEventListener(listen, "object:property-change:accessible-name")
answer(options[0])
question, options = controls(app)
show("after", question, options)
# Answer 1 again through the object held from before: it answers, and reads
# the caption it shows now.
answer(first)
print(f"same answer: {first.name}")
for name in heard:
    print(f"heard: {name}")
