#!/usr/bin/env python3
"""Checks the shape of src/ that the build alone does not enforce.

- No folder cycles: a subsystem folder (with its ui/ subfolder) never
  includes from a folder that includes from it; app/main.cpp is the
  executable and stands outside the graph.
- Rules files (a folder's top level) include no ui/ header.
- The settings file is read and written only through the section
  accessors, so that every key string is spelled in one place.

Prints what is wrong and exits 1; exits 0 when the tree is in shape.
Usage: check-architecture.py [SOURCE_ROOT]
"""
import pathlib
import re
import sys

# The files that hold a section's keys, and the ini-file class itself.
SETTINGS_ACCESSORS = {
    "settings/Settings.cpp",
    "settings/GeneralSettings.cpp",
    "settings/WindowSettings.cpp",
    "settings/LanguageSettings.cpp",
    "entry/EntrySettings.cpp",
    "entry/DuplicateCheck.cpp",
    "entry/FieldBindings.cpp",
    "entry/ReferenceLogs.cpp",
    # DXCC.ini is an ini file of its own, read with the same class.
    "refdata/Dxcc.cpp",
    "qsl/QslSettings.cpp",
    "windows/ClockSettings.cpp",
    "settings/StatusBarTemplate.cpp",
    "cw/CwSettings.cpp",
    "links/CallbookSettings.cpp",
    "links/RigSettings.cpp",
    "links/PropagationSettings.cpp",
}
SETTINGS_CALL = re.compile(r"(\.|->)(read|write)(String|Integer|Bool|Float)\s*\(")
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def folder_of(path: str) -> str:
    return path.split("/")[0]


def is_ui(path: str) -> bool:
    parts = path.split("/")
    return len(parts) > 2 and parts[1] == "ui"


def find_cycle(graph):
    state = {}
    stack = []

    def visit(n):
        state[n] = 1
        stack.append(n)
        for m in sorted(graph.get(n, ())):
            if state.get(m) == 1:
                return stack[stack.index(m):] + [m]
            if m not in state:
                found = visit(m)
                if found:
                    return found
        stack.pop()
        state[n] = 2
        return None

    for n in sorted(graph):
        if n not in state:
            found = visit(n)
            if found:
                return found
    return None


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).resolve().parents[1])
    src = root / "src"
    problems = []
    graph = {}
    for f in sorted(src.rglob("*")):
        if f.suffix not in (".cpp", ".h"):
            continue
        rel = f.relative_to(src).as_posix()
        text = f.read_text(encoding="utf-8")
        if rel == "app/main.cpp":
            continue
        here = folder_of(rel)
        for inc in INCLUDE.findall(text):
            if not (src / inc).exists():
                continue
            if is_ui(inc) and not is_ui(rel):
                problems.append(f"{rel}: a rules file includes the widget header {inc}")
            there = folder_of(inc)
            if there != here:
                graph.setdefault(here, set()).add(there)
        if rel.endswith(".cpp") and rel not in SETTINGS_ACCESSORS:
            for number, line in enumerate(text.splitlines(), 1):
                if SETTINGS_CALL.search(line):
                    problems.append(f"{rel}:{number}: settings read or written outside a section accessor")
    cycle = find_cycle(graph)
    if cycle:
        problems.append("folder cycle: " + " -> ".join(cycle))
    for p in problems:
        print(p)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
