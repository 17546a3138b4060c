#!/usr/bin/env python3
"""Writes the sample rename table "uc-o2n.tbl".

For every Big5 code of the extension area C6A1-C8FE, code page 950 gives a private-use code point
(U+F6B1-U+F848) while the Big5-HKSCS mapping gives a standard character for the same code. Each
such pair becomes one one-way entry line "PPPP SSSS Big5 XXXX": private-use code, blank, standard
code, and after column 9 a note of the Big5 code, which the program does not read. Codes whose
HKSCS character lies outside the Basic Multilingual Plane (one name code unit cannot hold it) or
that HKSCS leaves unmapped are left out. There is no mark line, so the reverse direction renames
nothing until a user's table adds two-way entries.

Both mappings come from the system's converters: iconv, or ICU's uconv when iconv lacks them.
"""
import argparse
import shutil
import subprocess
import sys


def extension_area_codes():
    codes = []
    for lead in range(0xC6, 0xC9):
        for trail in list(range(0x40, 0x7F)) + list(range(0xA1, 0xFF)):
            code = (lead << 8) | trail
            if 0xC6A1 <= code <= 0xC8FE:
                codes.append(code)
    return codes


def decode_each(codes, encodings):
    """Decodes every code on its own line, so one code the converter refuses drops only itself."""
    data = b"".join(bytes([c >> 8, c & 0xFF]) + b"\n" for c in codes)
    errors = []
    for tool, name in encodings:
        if shutil.which(tool) is None:
            continue
        if tool == "iconv":
            cmd = ["iconv", "-c", "-f", name, "-t", "UTF-16LE"]
        else:
            cmd = ["uconv", "--from-callback", "skip", "-f", name, "-t", "UTF-16LE"]
        run = subprocess.run(cmd, input=data, capture_output=True)
        lines = run.stdout.decode("utf-16-le", errors="strict").split("\n")[:-1] if run.stdout else []
        if len(lines) == len(codes):
            return lines
        errors.append(f"{' '.join(cmd)}: {run.stderr.decode(errors='replace').strip() or 'unexpected output'}")
    sys.exit("make-sample-table: no converter for " + ", ".join(n for _, n in encodings) + "\n" + "\n".join(errors))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", required=True, help="file to write")
    args = parser.parse_args()

    codes = extension_area_codes()
    private = decode_each(codes, [("iconv", "CP950"), ("uconv", "windows-950")])
    standard = decode_each(codes, [("iconv", "BIG5-HKSCS"), ("uconv", "Big5-HKSCS")])

    lines = []
    for code, old, new in zip(codes, private, standard):
        if len(old) != 1 or not 0xE000 <= ord(old) <= 0xF8FF:
            continue
        if len(new) != 1 or ord(new) > 0xFFFF or 0xE000 <= ord(new) <= 0xF8FF or 0xD800 <= ord(new) <= 0xDFFF:
            continue
        lines.append(f"{ord(old):04X} {ord(new):04X} Big5 {code:04X}\r\n")

    if len(lines) < 300:
        sys.exit(f"make-sample-table: only {len(lines)} entries; the converters' mappings look wrong")
    with open(args.out, "w", encoding="ascii", newline="") as out:
        out.writelines(lines)


if __name__ == "__main__":
    main()
