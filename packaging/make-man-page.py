#!/usr/bin/env python3
"""Writes a manual page (roff) for a command-line program from what it prints for --help.

    make-man-page.py PROGRAM NAME VERSION OUTPUT [--gzip]

The help is read in this shape: "Usage:" lines (and "or:" lines), then a one-line summary and the
rest of the description; a line of its own ending in ":" starts a section ("Options:",
"Exit status:"); an indented line whose term is followed by two blanks is an item of a list, and
deeper-indented lines below it continue its text.
"""
import gzip
import os
import re
import subprocess
import sys

HEADING = re.compile(r"^([A-Z][A-Za-z ]*):\s*$")
USAGE = re.compile(r"^\s*(usage|or):\s*(.*)$", re.IGNORECASE)
ITEM = re.compile(r"^( {1,8})(\S.*?)(?: {2,}(\S.*))?$")


def escape(text):
    text = text.replace("\\", "\\e")
    if text.startswith((".", "'")):
        text = "\\&" + text
    return text


def term(text):
    """An option or value name in bold, with its hyphens as minus signs."""
    return "\\fB" + escape(text).replace("-", "\\-") + "\\fR"


def help_text(program):
    env = dict(os.environ, ASAN_OPTIONS="detect_leaks=0")
    run = subprocess.run([program, "--help"], capture_output=True, env=env, timeout=60)
    text = run.stdout.decode("utf-8") or run.stderr.decode("utf-8")
    if not text.strip():
        sys.exit(f"make-man-page: {program} --help printed nothing")
    return text.splitlines()


def to_roff(lines, name, version):
    synopsis, i = [], 0
    while i < len(lines) and USAGE.match(lines[i]):
        synopsis.append(USAGE.match(lines[i]).group(2))
        i += 1
    while i < len(lines) and not lines[i].strip():
        i += 1
    first = []
    while i < len(lines) and lines[i].strip():
        first.append(lines[i].strip())
        i += 1
    # The first sentence names the program; the rest of the paragraph opens the description.
    summary, _, rest = " ".join(first).partition(". ")
    summary = summary.rstrip(".") or name
    if summary[:1].isupper() and summary[1:2].islower():
        summary = summary[0].lower() + summary[1:]

    title = name.upper().replace("-", "\\-")
    out = [f'.TH {title} 1 "" "{name} {version}" "User Commands"',
           ".SH NAME", f"{escape(name)} \\- {escape(summary)}", ".SH SYNOPSIS"]
    for k, line in enumerate(synopsis):
        if k:
            out.append(".br")
        words = line.split(maxsplit=1)
        out.append(term(words[0]) + (" " + escape(words[1]) if len(words) > 1 else ""))
    out.append(".SH DESCRIPTION")
    if rest:
        out += [".PP", escape(rest)]

    in_list, paragraph_open = False, False
    for line in lines[i:]:
        if not line.strip():
            paragraph_open = False
            continue
        heading = HEADING.match(line)
        if heading:
            out.append(".SH " + heading.group(1).upper())
            in_list, paragraph_open = False, False
            continue
        item = ITEM.match(line)
        if item and item.group(3) is not None:
            out.append(".TP")
            out.append(term(item.group(2)))
            out.append(escape(item.group(3)))
            in_list = True
            continue
        if in_list and line.startswith(" "):
            out.append(escape(line.strip()))
            continue
        if not paragraph_open:
            out.append(".PP")
            paragraph_open = True
        in_list = False
        out.append(escape(line.strip()))
    return "\n".join(out) + "\n"


def main():
    args = sys.argv[1:]
    compress = "--gzip" in args
    args = [a for a in args if a != "--gzip"]
    if len(args) != 4:
        sys.exit(__doc__)
    program, name, version, output = args
    page = to_roff(help_text(program), name, version).encode("utf-8")
    if compress:
        with open(output, "wb") as f:
            # No name and no time in the header: the same page gives the same bytes.
            with gzip.GzipFile(filename="", mode="wb", fileobj=f, compresslevel=9, mtime=0) as z:
                z.write(page)
    else:
        with open(output, "wb") as f:
            f.write(page)


if __name__ == "__main__":
    main()
