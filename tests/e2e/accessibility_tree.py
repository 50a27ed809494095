"""Reads the player's accessibility tree as a screen reader does and takes
the first question through it: press "Commencer", read the question, tick
a proposition, ask for the correction, read the verdict, close it, quit."""

import sys
import time

import pyatspi

TREE_FILE = sys.argv[1]


def wait_for(what, find, seconds=10.0):
    deadline = time.monotonic() + seconds
    while True:
        found = find()
        if found is not None:
            return found
        if time.monotonic() > deadline:
            raise AssertionError(f"{what} never came")
        time.sleep(0.1)


def states(node):
    return {pyatspi.stateToString(s) for s in node.getState().getStates()}


def walk(node):
    yield node
    for child in node:
        if child is not None:
            yield from walk(child)


def fresh(node):
    # The client caches names and states; read them anew after each step.
    for n in walk(node):
        n.clear_cache()
    return node


def find(root, role, name=None, showing=None):
    for n in walk(fresh(root)):
        if n.getRoleName() != role or (name is not None and n.name != name):
            continue
        if showing is not None and ("showing" in states(n)) != showing:
            continue
        return n
    return None


def press(node):
    action = node.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    assert "Press" in names, f"{node.name!r} has no press action: {names}"
    action.doAction(names.index("Press"))


def dump(node, depth=0, lines=None):
    lines = [] if lines is None else lines
    shown = sorted(states(node) & {"showing", "visible", "focused", "focusable", "checked", "read only",
                                   "editable", "enabled"})
    lines.append("  " * depth + f"[{node.getRoleName()}] {node.name!r} ({', '.join(shown)})")
    # What is off screen is listed, not opened: a screen reader skips it.
    if "showing" not in states(node):
        return lines
    for child in node:
        if child is not None:
            dump(child, depth + 1, lines)
    return lines


def expect(condition, message):
    if not condition:
        raise AssertionError(message)


desktop = pyatspi.Registry.getDesktop(0)
app = wait_for("the player on the accessibility bus",
               lambda: next((a for a in desktop if a is not None and a.name == "Tavelor"), None))
main = wait_for("the main window", lambda: find(app, "frame", "Tavelor", showing=True))

# Ready: the picture buttons are push buttons named by their hint or their
# face's word; hidden ones are not on screen.
for name in ("Quitter ce programme", "Fichier", "Aide", "Commencer le QCM"):
    expect(find(main, "push button", name, showing=True) is not None, f"button {name!r} not shown")
for name in ("Question suivante", "Editer les résultats et le corrigé du QCM", "Bilan"):
    expect(find(main, "push button", name, showing=True) is None, f"hidden button {name!r} is shown")
expect(find(main, "label", "QCM prêt", showing=True) is not None, "status label not read as 'QCM prêt'")

press(find(main, "push button", "Commencer le QCM"))
question = wait_for("the question", lambda: find(main, "text", "Question 1/3", showing=True))
text = question.queryText().getText(0, -1)
expect(text == "Combien font 2 + 2 ?", f"question reads {text!r}")
expect("focused" in states(question), "the question does not have the focus")
expect(question.description == text, f"question description is {question.description!r}")

boxes = [b.name for b in walk(fresh(main)) if b.getRoleName() == "check box" and "showing" in states(b)]
expect(boxes == ["4", "5", "22"], f"proposition boxes read {boxes}")

with open(TREE_FILE, "w", encoding="utf-8") as out:
    out.write("\n".join(dump(fresh(main))) + "\n")
print(f"main window's accessibility tree during a question: {TREE_FILE}")

box = find(main, "check box", "4")
action = box.queryAction()
action.doAction([action.getName(i) for i in range(action.nActions)].index("Toggle"))
wait_for("the box ticked", lambda: True if "checked" in states(fresh(box)) else None)

press(find(main, "push button", "Editer les résultats et le corrigé du QCM", showing=True))
popup = wait_for("the correction window", lambda: find(app, "frame", "Correction", showing=True))
verdict = wait_for("the verdict", lambda: find(popup, "text", "Bonne réponse !"))
expect("focused" in states(verdict), "the correction's text does not have the focus")
expect(verdict.queryText().getText(0, -1) == "Bravo : 2 + 2 = 4.", "correction text")
expect(find(main, "push button", "Question suivante", showing=True) is None, "next shown before the close")

press(find(popup, "push button", "Fermer"))
wait_for("the next-question button", lambda: find(main, "push button", "Question suivante", showing=True))
expect(find(main, "label", "1/1", showing=True) is not None, "result label not read as 1/1")

press(find(main, "push button", "Quitter ce programme"))
print("question taken through the accessibility tree")
