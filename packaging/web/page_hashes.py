#!/usr/bin/python3
"""Writes the web page with its Content-Security-Policy completed: the policy allows the page's own
inline style and script by their SHA-256 hashes, so no other inline code can run in the page.

Usage: page_hashes.py SOURCE_HTML TARGET_HTML
"""
import base64
import hashlib
import re
import sys


def hashes(html, tag):
    """The policy's source expressions for every inline element `tag` (one without a src)."""
    found = re.findall(rf"<{tag}>(.*?)</{tag}>", html, re.S)
    if not found:
        sys.exit(f"page_hashes: {sys.argv[1]} has no inline <{tag}>")
    return " ".join("'sha256-" + base64.b64encode(hashlib.sha256(text.encode()).digest()).decode()
                    + "'" for text in found)


def main():
    source, target = sys.argv[1:3]
    with open(source, encoding="utf-8") as f:
        html = f.read()
    for placeholder, tag in (("@NAVRO_SCRIPT_HASHES@", "script"), ("@NAVRO_STYLE_HASHES@", "style")):
        if placeholder not in html:
            sys.exit(f"page_hashes: {source} does not name {placeholder} in its policy")
        html = html.replace(placeholder, hashes(html, tag))
    with open(target, "w", encoding="utf-8") as f:
        f.write(html)


if __name__ == "__main__":
    main()
