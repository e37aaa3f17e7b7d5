#!/usr/bin/env python3
"""Prints what each of the project's targets links, one line per target, from the graph CMake
writes with --graphviz (docs/dependencies.md shows the output).

Usage: scripts/link-table.py BUILD_FOLDER [--check]
With --check it also fails when an arrow points up the house or a standard C++ core links Qt.
"""
import pathlib
import re
import subprocess
import sys

arguments = [a for a in sys.argv[1:] if a != "--check"]
check = "--check" in sys.argv[1:]
build = pathlib.Path(arguments[0] if arguments else "build-dev").resolve()

# The floors of the house: a target links only targets of lower floors.
FLOORS = [
    {"verbaria_formats", "verbaria_gridcells", "verbaria_codepage"},
    {"verbaria_checks", "verbaria_translator_core", "verbaria_settings_core", "verbaria_platform"},
    {"verbaria_document", "verbaria_translator", "verbaria_widgets", "verbaria_spelling", "verbaria_live_server"},
    {"verbaria_exchange", "verbaria_dialogs"},
    {"verbaria_editor_ui"},
    {"verbaria_settings_ui"},
    {"verbaria_app"},
    {"verbaria", "verbaria-tool", "verbaria_example", "verbaria_qt_way"},
]
NO_QT = {"verbaria_formats", "verbaria_gridcells", "verbaria_checks", "verbaria_translator_core",
         "verbaria_settings_core", "verbaria_document"}
graph = build / "graph" / "verbaria.dot"
graph.parent.mkdir(exist_ok=True)
subprocess.run(["cmake", f"--graphviz={graph}", "."], cwd=build, check=True, stdout=subprocess.DEVNULL)

names, links = {}, {}
for line in graph.read_text().splitlines():
    node = re.match(r'\s*"(node\d+)" \[ label = "([^"]+)"', line)
    if node:
        names[node.group(1)] = re.sub(r"\(.*\)$", "", node.group(2).replace("\\n", ""))
    edge = re.match(r'\s*"(node\d+)" -> "(node\d+)"', line)
    if edge:
        links.setdefault(edge.group(1), set()).add(edge.group(2))


def shown(name):
    # Qt's code generators, the shared options and the test frameworks are not rooms.
    return not (name.startswith(("verbaria_options", "Qt6::", "GTest", "benchmark")) or
                "_autogen" in name or name.endswith("_tests") or name.endswith("_bench"))


ours = sorted((n for n, name in names.items()
               if name.startswith("verbaria") and shown(name)), key=lambda n: names[n])
for node in ours:
    targets = sorted({names[t] for t in links.get(node, ())
                      if shown(names[t]) or names[t].startswith("Qt6::") and names[t] not in ("Qt6::moc", "Qt6::uic")})
    print(f"{names[node]:<26} -> {', '.join(targets) if targets else '(standard library only)'}")

if check:
    floor = {name: i for i, names_on in enumerate(FLOORS) for name in names_on}
    faults = []
    for node in ours:
        name = names[node]
        if name not in floor:
            faults.append(f"{name} stands on no floor of scripts/link-table.py")
            continue
        for target in links.get(node, ()):
            linked = names[target]
            if linked.startswith("Qt6::") and name in NO_QT:
                faults.append(f"{name} is standard C++ but links {linked}")
            elif linked in floor and floor[linked] >= floor[name]:
                faults.append(f"{name} links {linked}, which is not below it")
    for fault in faults:
        print("link-table: " + fault, file=sys.stderr)
    sys.exit(1 if faults else 0)
