"""Reads and drives Lexorant through the accessibility tree, as a screen reader or voice control would.

    atspi.py press ROLE NAME   press the control with that role and name (exit 1 when there is none or it offers
                               no press action)
    atspi.py has ROLE NAME     exit 0 when such a control is showing
    atspi.py can ROLE NAME     exit 0 when such a control is showing and offers the press action
    atspi.py items ROLE NAME   print the names of the showing control's children, one a line
    atspi.py text ROLE DESCRIPTION   print the whole text of the showing control so described, as its text
                               interface gives it to a screen reader
    atspi.py value ROLE NAME   the same for the showing control so named (a box that shows no text of its own)
    atspi.py size ROLE DESCRIPTION   print the size of the text's font in the showing control so described
"""
import sys

import pyatspi


def controls():
    for app in pyatspi.Registry.getDesktop(0):
        if app is None or app.name != "Lexorant":
            continue
        stack = [app]
        while stack:
            node = stack.pop()
            if node is None:
                continue
            yield node
            stack.extend(node)


def find(role, name, by="name"):
    for node in controls():
        if node.getRoleName() == role and getattr(node, by) == name and \
                node.getState().contains(pyatspi.STATE_SHOWING):
            return node
    return None


def main():
    verb, role, name = sys.argv[1:4]
    if verb == "size":
        node = find(role, name, by="description")
        if node is None:
            print(f"no showing {role} described {name!r}", file=sys.stderr)
            return 1
        attributes = node.queryText().getAttributeRun(0, True)[0]
        sizes = [a.split(":", 1)[1] for a in attributes if a.startswith("size:")]
        print(sizes[0] if sizes else "")
        return 0 if sizes else 1
    if verb in ("text", "value"):
        node = find(role, name, by="description" if verb == "text" else "name")
        if node is None:
            print(f"no showing {role} {'described' if verb == 'text' else 'named'} {name!r}", file=sys.stderr)
            return 1
        text = node.queryText()
        sys.stdout.write(text.getText(0, text.characterCount))
        return 0
    node = find(role, name)
    if node is None:
        print(f"no showing {role} named {name!r}", file=sys.stderr)
        return 1
    if verb == "has":
        return 0
    if verb == "items":
        for child in node:
            if child is not None and child.name:
                print(child.name)
        return 0
    if verb == "choose":  # the row named by the fourth argument, by its own action
        for child in node:
            if child is not None and child.name == sys.argv[4]:
                action = child.queryAction()
                names = [action.getName(i) for i in range(action.nActions)]
                if not names:
                    print(f"the row {sys.argv[4]!r} offers no action", file=sys.stderr)
                    return 1
                action.doAction(0)
                return 0
        print(f"no row {sys.argv[4]!r}", file=sys.stderr)
        return 1
    action = node.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    if "Press" not in names:
        print(f"the {role} {name!r} offers no press: {names}", file=sys.stderr)
        return 1
    if verb == "can":
        return 0
    try:
        action.doAction(names.index("Press"))
    except Exception as error:  # a press that ends the program gets no reply; the caller checks what it did
        if "disconnected" not in str(error):
            raise
    return 0


sys.exit(main())
