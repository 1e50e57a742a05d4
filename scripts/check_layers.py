#!/usr/bin/env python3
"""Checks every #include of the layer folders against the layer graph.

    check_layers.py <graph.txt> [<source root>]

The graph is the one the build declares (cmake/Layers.cmake writes it to
<build>/layers/graph.txt): one line per layer, "name | folders | uses", and
one per module entry file, "module name | entry file | layers it stands on". A
layer may use the layers it names and, through them, everything below. The
check fails, one line per finding, when
  - a file includes a project header of a layer its own may not use (a file
    in a folder built into several layers may use only what all of them may);
  - a file includes a project file outside the layer folders;
  - Win32 headers appear outside the win/ folders and the module entry files;
  - a source file under a product folder lies in no layer's folder and is no
    module entry file (it would be built into nothing);
  - the graph names an unknown layer or loops.
"""
import os
import re
import sys

PRODUCT_ROOTS = ("base", "platform", "renderer", "toolkit", "drawing", "window", "framework", "abi", "wrappers",
                 "engine", "plugin")
SOURCE_SUFFIXES = (".h", ".cpp", ".c")
WIN32_HEADERS = {
    "windows.h", "windowsx.h", "shlwapi.h", "shellapi.h", "shlobj.h", "commdlg.h", "commctrl.h",
    "ole2.h", "oleidl.h", "objbase.h", "wininet.h", "winuser.h", "wingdi.h", "dwmapi.h", "gl/gl.h",
}
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def read_graph(path):
    layers, folders_of, modules = {}, {}, []
    with open(path, encoding="utf-8") as f:
        for line in f:
            if not line.strip():
                continue
            name, folders, uses = (part.strip() for part in line.split("|"))
            if name.startswith("module "):
                modules.append((name.split()[1], folders, uses))
                continue
            layers[name] = uses.split()
            for folder in folders.split():
                folders_of.setdefault(folder, []).append(name)
    return layers, folders_of, modules


def closures(layers, problems):
    """Every layer with all the layers it may use, itself included."""
    result = {}

    def visit(name, path):
        if name in result:
            return result[name]
        if name in path:
            problems.append("graph: the layers loop: " + " -> ".join(path + [name]))
            return {name}
        reach = {name}
        for used in layers.get(name, []):
            if used not in layers:
                problems.append(f"graph: layer {name} uses unknown layer {used}")
                continue
            reach |= visit(used, path + [name])
        result[name] = reach
        return reach

    for name in layers:
        visit(name, [])
    return result


def main(argv):
    if len(argv) not in (2, 3):
        print(__doc__.strip().splitlines()[2].strip(), file=sys.stderr)
        return 2
    graph = argv[1]
    root = os.path.abspath(argv[2] if len(argv) == 3 else os.path.join(os.path.dirname(__file__), ".."))
    problems = []
    layers, folders_of, modules = read_graph(graph)
    reach = closures(layers, problems)
    entries = {entry: set().union(*(reach.get(layer, set()) for layer in uses.split())) for _, entry, uses in modules}
    entry_names = {entry: "module " + name for name, entry, _ in modules}

    def owners(relpath):
        return folders_of.get(os.path.dirname(relpath), [])

    # Files to check: every file of the layer folders, and every source file
    # under the product roots (which must lie in some layer's folder).
    files = set(entries)
    for folder in folders_of:
        full = os.path.join(root, folder)
        if not os.path.isdir(full):
            problems.append(f"graph: no folder {folder}")
            continue
        files |= {os.path.join(folder, n) for n in os.listdir(full) if n.endswith(SOURCE_SUFFIXES)}
    for top in PRODUCT_ROOTS:
        for dirpath, _, names in os.walk(os.path.join(root, top)):
            for n in names:
                rel = os.path.relpath(os.path.join(dirpath, n), root)
                if n.endswith(SOURCE_SUFFIXES) and not owners(rel) and rel not in entries:
                    problems.append(f"{rel}: in no layer's folder (add the folder to a layer in cmake/Layers.cmake)")

    includes = 0
    for rel in sorted(files):
        is_entry = rel in entries
        mine = owners(rel)
        # What this file may include: for a folder built into several layers,
        # only what every one of them may use.
        allowed = set.intersection(*(reach.get(name, {name}) for name in mine)) | set(mine) if mine else set()
        if is_entry:
            allowed = allowed | entries[rel]
        in_win_half = "/win/" in "/" + rel or is_entry
        with open(os.path.join(root, rel), encoding="utf-8", errors="replace") as f:
            for number, line in enumerate(f, 1):
                m = INCLUDE.match(line)
                if not m:
                    continue
                includes += 1
                quote, name = m.groups()
                where = f"{rel}:{number}: #include {quote}{name}{'>' if quote == '<' else quote}"
                target = None
                candidates = [os.path.join(os.path.dirname(rel), name)] if quote == '"' else []
                candidates.append(name)
                for candidate in candidates:
                    candidate = os.path.normpath(candidate)
                    if not candidate.startswith("..") and os.path.isfile(os.path.join(root, candidate)):
                        target = candidate
                        break
                if target is None:
                    if name.lower() in WIN32_HEADERS and not in_win_half:
                        problems.append(f"{where}: Win32 headers belong in the win/ folders")
                    continue
                theirs = owners(target)
                if not theirs:
                    problems.append(f"{where}: {target} is in no layer")
                elif not any(layer in allowed for layer in theirs):
                    who = entry_names[rel] if is_entry else "layer " + "/".join(mine)
                    problems.append(f"{where}: {who} may not use layer {'/'.join(theirs)}")

    for p in problems:
        print(p)
    if problems:
        print(f"layers: {len(problems)} problem(s)")
        return 1
    print(f"layers: {len(layers)} layers, {len(files)} files, {includes} includes follow the graph")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
