#!/usr/bin/env python3
"""Writes the machine-readable copyright file of a Debian package.

    make-copyright.py OUTPUT LICENSE CONTACT [--notice FILES NOTICE NAME...]

LICENSE is the project's licence ("Copyright (c) YEARS HOLDER" and the MIT text), which covers
every file. Each --notice adds a paragraph for the files matching FILES under a third-party
notice: NOTICE is a text whose sections are separated by lines of dashes; the first section says
what the notice covers (it becomes the paragraph's comment), each further section is one licence,
named by the NAMEs in order. The holders are read from the "Copyright" lines of the sections.
"""
import re
import sys

FORMAT = "https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/"
UPSTREAM_NAME = "eudc-toolkit"
PROJECT_LICENSE = "Expat"
COPYRIGHT_LINE = re.compile(r"^Copyright\s+(?:\(c\)|©)\s*(.+?)(?:\s+All rights reserved\.)?\s*$", re.IGNORECASE)
SEPARATOR = re.compile(r"^-{10,}\s*$")


def body(text):
    """A text as the continuation lines of a field: each line indented, empty lines as " ."."""
    lines = text.strip("\n").split("\n")
    return "\n".join(" " + line if line.strip() else " ." for line in lines)


def holders(text):
    found = [m.group(1) for m in map(COPYRIGHT_LINE.match, text.splitlines()) if m]
    if not found:
        sys.exit("make-copyright: no Copyright line in a licence text")
    return found


def field(name, values):
    return f"{name}: " + ("\n" + " " * (len(name) + 2)).join(values)


def project_licence(path):
    text = open(path, encoding="utf-8").read()
    lines = text.splitlines()
    copyright_index = next((i for i, line in enumerate(lines) if COPYRIGHT_LINE.match(line)), None)
    if copyright_index is None:
        sys.exit(f"make-copyright: {path} has no Copyright line")
    terms = "\n".join(lines[copyright_index + 1:])
    return holders(text), terms


def notice_paragraphs(files, path, names):
    sections, current = [], []
    for line in open(path, encoding="utf-8").read().splitlines():
        if SEPARATOR.match(line):
            sections.append("\n".join(current))
            current = []
        else:
            current.append(line)
    sections.append("\n".join(current))
    what, licences = sections[0], sections[1:]
    if len(licences) != len(names):
        sys.exit(f"make-copyright: {path} has {len(licences)} licences, {len(names)} names given")
    all_holders = [h for text in licences for h in holders(text)]
    files_paragraph = "\n".join([
        f"Files: {files}",
        field("Copyright", all_holders),
        "License: " + " and ".join(names),
        "Comment:\n" + body(what),
    ])
    return files_paragraph, [f"License: {name}\n{body(text)}" for name, text in zip(names, licences)]


def main():
    args = sys.argv[1:]
    if len(args) < 3:
        sys.exit(__doc__)
    output, licence, contact = args[:3]
    rest = args[3:]
    notices = []
    while rest:
        if rest[0] != "--notice" or len(rest) < 4:
            sys.exit(__doc__)
        end = next((i for i, a in enumerate(rest[1:], 1) if a == "--notice"), len(rest))
        notices.append((rest[1], rest[2], rest[3:end]))
        rest = rest[end:]

    project_holders, terms = project_licence(licence)
    paragraphs = [
        "\n".join([f"Format: {FORMAT}", f"Upstream-Name: {UPSTREAM_NAME}", f"Upstream-Contact: {contact}"]),
        "\n".join(["Files: *", field("Copyright", project_holders), f"License: {PROJECT_LICENSE}"]),
    ]
    licences = [f"License: {PROJECT_LICENSE}\n{body(terms)}"]
    for files, path, names in notices:
        files_paragraph, notice_licences = notice_paragraphs(files, path, names)
        paragraphs.append(files_paragraph)
        licences += notice_licences
    with open(output, "w", encoding="utf-8") as out:
        out.write("\n\n".join(paragraphs + licences) + "\n")


if __name__ == "__main__":
    main()
