#!/usr/bin/env python3
"""Checks that the game's code includes one way only, lowest layer first. A folder is a layer:

  app/data (the shared records), sim, then render and sound side by side, ui, and app/shell
  (start-up, the window, the main loop); app/main.cpp, the entry point, stands above them all.

A source or header may include headers of its own layer and of the layers below; render and
sound never include each other; the data and sim layers include no GL, window or audio library.
Prints each offending include and exits 1; exits 0 when the layers hold.
Usage: check_layers.py ROOT
"""
import os
import re
import sys

# Each layer's folder and rank; a header's layer is the folder it sits in.
LAYERS = {"app/data": 0, "sim": 1, "render": 2, "sound": 2, "ui": 3, "app/shell": 4, "app": 5}
NAMES = {"app/data": "data", "app/shell": "shell", "app": "program"}
# Libraries below the renderer must not know a GL context, a window or an audio device exists.
FORBIDDEN_BELOW_RENDER = re.compile(r"^(GLFW/|glad/|GL/|miniaudio)")
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def layer_of(path):
    """The layer folder of a repository path such as 'app/data/camera.h', or None outside it."""
    folder = os.path.dirname(path)
    return folder if folder in LAYERS else None


def name_of(layer):
    return NAMES.get(layer, layer)


def allowed(source, target):
    if source == target:
        return True
    if {source, target} == {"render", "sound"}:
        return False
    return LAYERS[target] < LAYERS[source]


def problems(root):
    found = []
    for folder in LAYERS:
        for name in sorted(os.listdir(os.path.join(root, folder))):
            if not name.endswith((".h", ".cpp", ".c")):
                continue
            path = f"{folder}/{name}"
            with open(os.path.join(root, path), encoding="utf-8") as f:
                for number, line in enumerate(f, 1):
                    m = INCLUDE.match(line)
                    if not m:
                        continue
                    kind, target = m.groups()
                    where = f"{path}:{number}: {name_of(folder)} includes"
                    if kind == "<":
                        if LAYERS[folder] < LAYERS["render"] and FORBIDDEN_BELOW_RENDER.match(target):
                            found.append(f"{where} <{target}>, a library above it")
                        continue
                    # Quoted includes are read from the repository root, or beside the file.
                    beside = target.startswith(".") or "/" not in target
                    resolved = os.path.normpath(os.path.join(folder, target) if beside else target)
                    target_layer = layer_of(resolved)
                    if target_layer is None or not os.path.exists(os.path.join(root, resolved)):
                        found.append(f'{where} "{target}", which is not a module header')
                    elif not allowed(folder, target_layer):
                        found.append(f'{where} "{target}" of layer {name_of(target_layer)}')
    return found


def main():
    if len(sys.argv) != 2:
        print(__doc__.strip().splitlines()[-1], file=sys.stderr)
        return 2
    found = problems(sys.argv[1])
    for p in found:
        print(p)
    if found:
        print(f"{len(found)} include(s) break the layers")
        return 1
    print("layers hold: data < sim < render, sound < ui < shell")
    return 0


if __name__ == "__main__":
    sys.exit(main())
