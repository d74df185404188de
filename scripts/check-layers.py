#!/usr/bin/env python3
"""Checks the include graph of the tree against its layers.

Layers, bottom first: core, platform, gui, data, widgets, richtext, then app and tools side by
side. A file may include its own layer and the layers below it, never one above; app and tools
may not include each other (a tool reaches the game's classes through registration hooks).
engine/ stands alone: it includes nothing outside itself, and the others include only its
interface folder engine/include/. tests/ and bench/ may include anything.

Qt is confined too: only gui/, the edit layer and Qt bridge of richtext/, platform/help/ and
platform/desktop/ include Qt headers directly, and core/, the non-visual part of data/, the RTF codec (richtext/rtf/) and
engine/ reach no Qt header even through the headers they include.

Usage: check-layers.py [ROOT]   (default: the repository this script lives in)
Prints one line per broken rule and exits 1 when there is any, 0 otherwise.
"""

import os
import re
import sys

RANKS = {"core": 0, "platform": 1, "gui": 2, "data": 3, "widgets": 4, "richtext": 5, "app": 6, "tools": 6}
FREE = ("tests", "bench")
ENGINE_INTERFACE = "engine/include/"
QT_ALLOWED = ("gui/", "richtext/edit/", "richtext/qt/", "platform/help/", "platform/desktop/", "tests/", "bench/")
QT_FREE = ("core/", "data/", "richtext/rtf/", "engine/")
QT_FREE_EXCEPT = ("data/dialogs/", "data/navigator/", "data/controls/")
SOURCE_ENDINGS = (".h", ".hpp", ".cpp", ".cc")
SKIPPED_FOLDERS = ("build", ".git", ".cache", "out")

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
QT_HEADER = re.compile(r"^Q[A-Za-z0-9_]*(/|$)")


def layer_of(path):
    return path.split("/", 1)[0]


def source_files(root):
    files = []
    for top in sorted(os.listdir(root)):
        if top.startswith(".") or top.startswith(SKIPPED_FOLDERS) or not os.path.isdir(os.path.join(root, top)):
            continue
        for folder, subfolders, names in os.walk(os.path.join(root, top)):
            subfolders[:] = sorted(d for d in subfolders if not d.startswith("."))
            for name in sorted(names):
                if name.endswith(SOURCE_ENDINGS):
                    files.append(os.path.relpath(os.path.join(folder, name), root).replace(os.sep, "/"))
    return files


def resolve(includer, target, files, by_suffix):
    """The tree file an #include "target" of includer names, or None (a system or generated header)."""
    beside = os.path.normpath(os.path.join(os.path.dirname(includer), target)).replace(os.sep, "/")
    if beside in files:
        return beside
    if target in files:
        return target
    candidates = by_suffix.get(target.split("/")[-1], [])
    candidates = [c for c in candidates if c.endswith("/" + target)]
    if not candidates:
        return None
    same_layer = [c for c in candidates if layer_of(c) == layer_of(includer)]
    return (same_layer or candidates)[0]


def read_includes(root, path):
    found = []
    with open(os.path.join(root, path), encoding="utf-8", errors="replace") as f:
        for number, line in enumerate(f, 1):
            m = INCLUDE.match(line)
            if m:
                found.append((number, m.group(1), m.group(2).strip()))
    return found


def layer_problem(includer, included):
    """Why includer may not include included, or None when it may."""
    a, b = layer_of(includer), layer_of(included)
    if a in FREE or a == b:
        return None
    if a == "engine":
        return "engine/ stands alone and includes nothing of " + b + "/"
    if b == "engine":
        return None if included.startswith(ENGINE_INTERFACE) else "only engine/include/ is the engine's interface"
    if b in FREE:
        return a + "/ includes from " + b + "/"
    if a not in RANKS or b not in RANKS:
        return None
    if RANKS[b] < RANKS[a]:
        return None
    if RANKS[b] == RANKS[a]:
        return a + "/ and " + b + "/ stand side by side and do not include each other"
    return a + "/ is below " + b + "/"


def qt_free(path):
    return path.startswith(QT_FREE) and not path.startswith(QT_FREE_EXCEPT)


def check(root):
    files = source_files(root)
    file_set = set(files)
    by_suffix = {}
    for f in files:
        by_suffix.setdefault(f.split("/")[-1], []).append(f)

    problems = []
    graph = {}
    direct_qt = {}
    for path in files:
        edges = []
        for number, kind, target in read_includes(root, path):
            if kind == "<":
                if QT_HEADER.match(target):
                    direct_qt.setdefault(path, (number, target))
                    if not path.startswith(QT_ALLOWED):
                        problems.append(f"{path}:{number}: includes the Qt header <{target}> outside the Qt layers")
                continue
            included = resolve(path, target, file_set, by_suffix)
            if included is None:
                continue
            edges.append((number, included))
            why = layer_problem(path, included)
            if why:
                problems.append(f"{path}:{number}: includes {included}: {why}")
        graph[path] = edges

    # Files that must build without Qt: follow their includes until a Qt header turns up.
    for path in files:
        if not qt_free(path):
            continue
        chain = qt_chain(path, graph, direct_qt)
        if chain:
            problems.append(f"{path}: reaches Qt through " + " -> ".join(chain))
    return problems


def qt_chain(start, graph, direct_qt):
    """The include chain from start to a Qt header, or None."""
    came_from = {start: None}
    queue = [start]
    while queue:
        path = queue.pop(0)
        if path in direct_qt:
            chain = ["<" + direct_qt[path][1] + ">"]
            while path is not None:
                chain.append(path)
                path = came_from[path]
            return list(reversed(chain))[1:]
        for _, included in graph.get(path, []):
            if included not in came_from:
                came_from[included] = path
                queue.append(included)
    return None


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    root = os.path.abspath(root)
    problems = check(root)
    for p in problems:
        print(p)
    if problems:
        print(f"{len(problems)} include(s) break the layers")
        return 1
    print("the include graph keeps to the layers")
    return 0


if __name__ == "__main__":
    sys.exit(main())
