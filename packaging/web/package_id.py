#!/usr/bin/python3
"""Names the game's data package by its contents: Emscripten's file packager may stamp the loader
in navro.js with a random identifier, so two builds of one commit would differ. The identifier is
replaced by the SHA-256 of navro.data; a loader that already has another form is left as it is.

Usage: package_id.py GAME_JS GAME_DATA
"""
import hashlib
import os
import re
import sys

UUID = re.compile(rb'"?package_uuid"?:\s*"([0-9a-f]{8}(?:-[0-9a-f]{4}){3}-[0-9a-f]{12})"')


def main():
    script_path, data_path = sys.argv[1:3]
    with open(script_path, "rb") as f:
        script = f.read()
    found = UUID.search(script)
    if not found:
        return
    with open(data_path, "rb") as f:
        named = b"sha256-" + hashlib.sha256(f.read()).hexdigest().encode()
    script = script.replace(found.group(1), named)
    with open(script_path + ".tmp", "wb") as f:
        f.write(script)
    os.replace(script_path + ".tmp", script_path)


if __name__ == "__main__":
    main()
