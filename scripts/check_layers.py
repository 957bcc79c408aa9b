#!/usr/bin/env python3
"""Fails when a source file includes a header from a layer above its own.

The folders of src/ are layers, lowest first; a folder may include its own
files and those of folders below it, never above. A qt/ subfolder belongs to
the layer of its parent, and only qt/ code may include qt/ headers, so the
core never reaches the Qt front end.
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
    for fault in faults:
        print(fault)
    print(f"layering: {len(faults)} upward include(s)" if faults else "layering: every include points down")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
