#!/usr/bin/env python3
"""Fails when a source file includes a header from a layer above its own.

The folders of src/ are layers, lowest first; a folder may include its own
files and those of folders below it, never above. A qt/ subfolder belongs to
the layer of its parent, and only qt/ code may include qt/ headers, so the
core never reaches the Qt front end.

It also fails on a circle between file pairs: A.cpp or A.h includes B.h while
B.cpp or B.h includes A.h, directly or through further pairs.
"""
import pathlib
import re
import sys

LAYERS = [
    # numbers: reading and writing cell values, for table and calc alike
    "text", "numbers", "settings", "platform", "buffer", "undo", "editor",
    # the subsystems, lowest first: plain dialog data, then the commands that use it
    "dialogs", "table", "calc", "document", "display", "find", "print",
    "app",
]
RANK = {name: i for i, name in enumerate(LAYERS)}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)


def file_circles(src: pathlib.Path) -> list:
    """The circles of the include graph between file pairs (a .h and its .cpp
    are one node), each as a list of pairs "folder/Name", sorted."""
    includes = {}
    for path in src.rglob("*"):
        if path.suffix not in (".h", ".cpp"):
            continue
        node = path.relative_to(src).with_suffix("").as_posix()
        targets = includes.setdefault(node, set())
        for m in INCLUDE.finditer(path.read_text(encoding="utf-8")):
            target = m.group(1)
            if "/" not in target:
                target = (path.parent.relative_to(src) / target).as_posix()
            target = target.removesuffix(".h")
            if target != node:
                targets.add(target)
    # Tarjan's strongly connected components; any of more than one node is a circle.
    index, low, stack, on_stack, circles = {}, {}, [], set(), []

    def visit(node):
        index[node] = low[node] = len(index)
        stack.append(node)
        on_stack.add(node)
        for to in includes.get(node, ()):
            if to not in includes:
                continue
            if to not in index:
                visit(to)
                low[node] = min(low[node], low[to])
            elif to in on_stack:
                low[node] = min(low[node], index[to])
        if low[node] == index[node]:
            component = []
            while True:
                top = stack.pop()
                on_stack.discard(top)
                component.append(top)
                if top == node:
                    break
            if len(component) > 1:
                circles.append(sorted(component))

    sys.setrecursionlimit(max(sys.getrecursionlimit(), 10 * len(includes)))
    for node in sorted(includes):
        if node not in index:
            visit(node)
    return sorted(circles)


def main() -> int:
    src = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).resolve().parent.parent / "src")
    faults = []
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".h", ".cpp"):
            continue
        rel = path.relative_to(src)
        folder = rel.parts[0]
        if folder not in RANK:
            faults.append(f"{rel}: folder '{folder}' has no place in the layer list")
            continue
        in_qt = "qt" in rel.parts[1:-1]
        text = path.read_text(encoding="utf-8")
        for line_no, target in ((text.count("\n", 0, m.start()) + 1, m.group(1)) for m in INCLUDE.finditer(text)):
            parts = pathlib.PurePosixPath(target).parts
            if len(parts) < 2:
                continue  # a header beside the file
            to = parts[0]
            if to not in RANK:
                faults.append(f"{rel}:{line_no}: includes \"{target}\" outside the layers")
            elif RANK[to] > RANK[folder]:
                faults.append(f"{rel}:{line_no}: '{folder}' includes \"{target}\" from '{to}', a layer above it")
            elif "qt" in parts[1:-1] and not in_qt:
                faults.append(f"{rel}:{line_no}: core code includes the Qt front end's \"{target}\"")
    for circle in file_circles(src):
        faults.append("include circle between " + ", ".join(circle))
    for fault in faults:
        print(fault)
    print(f"layering: {len(faults)} fault(s)" if faults else "layering: every include points down, no include circle")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
