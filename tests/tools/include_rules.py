#!/usr/bin/env python3
"""Every include of the project's sources keeps the README's table "which library may include which".

Reads the table as data: each row names libraries (folders) and what they may include. A source belongs to the
library of the deepest folder the table names; an include of another library's header must be allowed by its row
(a folder, a folder/* pattern, a single header, or "everything above": the rows before it). Non-library entries
(the standard library, Qt, SQLite, ...) are not checked here: the build's link lines keep those.
  include_rules.py SOURCE_ROOT
"""
import pathlib
import re
import sys

root = pathlib.Path(sys.argv[1])
readme = (root / "README.md").read_text(encoding="utf-8")
table = readme[readme.index("| library | may include |"):]
rows = []
for line in table.splitlines()[2:]:
    if not line.startswith("|"):
        break
    cells = [c.strip() for c in line.strip("|").split("|")]
    libraries = re.findall(r"`([^`]+)`", cells[0])
    allowed = re.findall(r"`([^`]+)`", cells[1])
    everything_above = "everything above" in cells[1]
    rows.append((libraries, allowed, everything_above))

# The libraries in table order; for "everything above", all that come before.
order = [lib for libraries, _, _ in rows for lib in libraries]
rules = {}
for libraries, allowed, above in rows:
    for lib in libraries:
        rules[lib] = (allowed + order[: order.index(lib)]) if above else allowed


def library_of(path: str):
    """The deepest library folder of the table that holds the path, or None."""
    best = None
    for lib in order:
        if path.startswith(lib + "/") and (best is None or len(lib) > len(best)):
            best = lib
    return best


def allowed(lib: str, header: str) -> bool:
    target = library_of(header)
    if target is None or target == lib:
        return True
    for entry in rules[lib]:
        if entry == header or entry == target:
            return True
        if entry.endswith("/*") and target.startswith(entry[:-1]):
            return True
    return False


faults = []
for source in sorted(root.glob("**/*")):
    relative = source.relative_to(root).as_posix()
    if source.suffix not in (".cpp", ".h") or relative.startswith(("build/", "tests/", ".")):
        continue
    lib = library_of(relative)
    if lib is None:
        continue
    for number, line in enumerate(source.read_text(encoding="utf-8").splitlines(), 1):
        found = re.match(r'\s*#\s*include\s+"([^"]+)"', line)
        if found and not allowed(lib, found.group(1)):
            faults.append(f"{relative}:{number}: {lib} may not include {found.group(1)}")
print("\n".join(faults) if faults else f"every include of {len(order)} libraries keeps the README's table")
sys.exit(1 if faults else 0)
