#!/usr/bin/env python3
"""Checks that the game's modules include one way only, lowest layer first:

  data (the shared records of app/), sim, then render and sound side by side, ui, and the
  application shell (the rest of app/).

A source or header may include headers of its own layer and of the layers below; render and
sound never include each other; the data and sim layers include no GL, window or audio library.
Prints each offending include and exits 1; exits 0 when the layers hold.
Usage: check_layers.py ROOT DATA_MODULES
  DATA_MODULES: the comma-separated names of app/'s shared-data modules (the build's list);
  every other file of app/ belongs to the shell.
"""
import os
import re
import sys

RANK = {"data": 0, "sim": 1, "render": 2, "sound": 2, "ui": 3, "shell": 4}
# Libraries below the renderer must not know a GL context, a window or an audio device exists.
FORBIDDEN_BELOW_RENDER = re.compile(r"^(GLFW/|glad/|GL/|miniaudio)")
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
SOURCE_FOLDERS = ("app", "sim", "render", "sound", "ui")


def layer_of(path, data_modules):
    """The layer of a repository path such as 'app/camera.h', or None outside the game's code."""
    parts = path.split("/")
    if len(parts) != 2 or parts[0] not in SOURCE_FOLDERS:
        return None
    folder, name = parts
    if folder == "app":
        # A system's own file (save_file_posix.cpp) belongs to the module it completes.
        module = re.sub(r"_(posix|windows|web|desktop)$", "", os.path.splitext(name)[0])
        return "data" if module in data_modules else "shell"
    return folder


def allowed(source_layer, target_layer):
    if source_layer == target_layer:
        return True
    if {source_layer, target_layer} == {"render", "sound"}:
        return False
    return RANK[target_layer] < RANK[source_layer]


def problems(root, data_modules):
    found = []
    for folder in SOURCE_FOLDERS:
        for name in sorted(os.listdir(os.path.join(root, folder))):
            if not name.endswith((".h", ".cpp", ".c")):
                continue
            path = f"{folder}/{name}"
            source_layer = layer_of(path, data_modules)
            with open(os.path.join(root, path), encoding="utf-8") as f:
                for number, line in enumerate(f, 1):
                    m = INCLUDE.match(line)
                    if not m:
                        continue
                    kind, target = m.groups()
                    where = f"{path}:{number}: {source_layer} includes"
                    if kind == "<":
                        if RANK[source_layer] < RANK["render"] and FORBIDDEN_BELOW_RENDER.match(target):
                            found.append(f"{where} <{target}>, a library above it")
                        continue
                    # Quoted includes are read from the repository root, or beside the file.
                    resolved = os.path.normpath(target if "/" in target and
                                                not target.startswith(".")
                                                else os.path.join(folder, target))
                    target_layer = layer_of(resolved, data_modules)
                    if target_layer is None:
                        found.append(f'{where} "{target}", which is not a module header')
                    elif not allowed(source_layer, target_layer):
                        found.append(f'{where} "{target}" of layer {target_layer}')
    return found


def main():
    if len(sys.argv) != 3:
        print(__doc__.strip().splitlines()[-3], file=sys.stderr)
        return 2
    root, data_modules = sys.argv[1], set(sys.argv[2].split(","))
    found = problems(root, data_modules)
    for p in found:
        print(p)
    if found:
        print(f"{len(found)} include(s) break the layers")
        return 1
    print("layers hold: data < sim < render, sound < ui < shell")
    return 0


if __name__ == "__main__":
    sys.exit(main())
