#!/usr/bin/env python3
"""Creates a small folder tree whose names hold user-defined characters (private-use code points
of code page 950), for the demo and the screenshot. Names are written with escapes so that the
private-use characters are exact whatever the terminal or editor shows."""
import os
import sys

FILES = [
    "報告\uF6B1.txt",                          # ① in the sample table
    "資料\uF6F8\uF6FA\uF6FC/\uF6C5\uF6C6.doc",  # あいう / ⅰⅱ
    "資料\uF6F8\uF6FA\uF6FC/第\uF6B3章.txt",    # 第③章
    "\uF6B2.txt",                              # ② ...
    "\u2461.txt",                              # ... is taken already: not renamed
    ".cache/\uF6B1.tmp",                       # names beginning with "." are left alone
    "plain.txt",
]


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make-sample-tree.py FOLDER")
    root = sys.argv[1]
    for name in FILES:
        path = os.path.join(root, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "w", encoding="utf-8") as f:
            f.write(name + "\n")


if __name__ == "__main__":
    main()
