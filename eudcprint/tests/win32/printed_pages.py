#!/usr/bin/env python3
"""Reads catalogue pages that Wine's PostScript driver printed, as Ghostscript renders them: every
box holds the glyph of its own code, read back from the glyph (the generated test fonts draw each
character as a frame round its code point in bits: four rows of four, one hexadecimal digit a row
from the top, the most significant bit on the left), and the codes the font lacks leave their boxes
empty but drawn.

  printed_pages.py POSTSCRIPT "LAYOUT" FROM-TO OMITTED [PAGE_IMAGE_FOLDER]

LAYOUT is the host's line "layout: pageWidth pageHeight cellWidth columns rows firstColumnLeft"; OMITTED
the codes left out of the font, comma-separated. The pages are rendered into a temporary folder (or
PAGE_IMAGE_FOLDER, to keep them). Exits 1 naming each check that failed.
"""
import os
import re
import subprocess
import sys
import tempfile

DPI = 200
TENTHS_PER_INCH = 254
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAIL:", what)


def trail_positions():
    return list(range(0x40, 0x7F)) + list(range(0xA1, 0xFF))


def ordinal(code):
    """The EUDC ordinal of a user-defined Big5 code: its code point is U+E000 plus it."""
    lead, trail = code >> 8, code & 0xFF
    position = trail_positions().index(trail)
    if 0xFA <= lead <= 0xFE:
        return (lead - 0xFA) * 157 + position
    if 0x8E <= lead <= 0xA0:
        return 785 + (lead - 0x8E) * 157 + position
    if 0x81 <= lead <= 0x8D:
        return 3768 + (lead - 0x81) * 157 + position
    if lead == 0xC6:
        return 5809 + trail - 0xA1
    return 5903 + (lead - 0xC7) * 157 + position


def codes_between(first, last):
    """The user-defined codes from first to last in code order (within one range of leads)."""
    codes = []
    for lead in range(first >> 8, (last >> 8) + 1):
        for trail in trail_positions():
            code = lead << 8 | trail
            if first <= code <= last and not (lead == 0xC6 and trail < 0xA1):
                codes.append(code)
    return codes


def read_pgm(path):
    """(width, height, pixels) of a binary grey map; its header may hold comments."""
    with open(path, "rb") as image:
        data = image.read()
    fields, at = [], 0
    while len(fields) < 4:
        while data[at:at + 1].isspace():
            at += 1
        if data[at:at + 1] == b"#":
            at = data.index(b"\n", at) + 1
            continue
        end = at
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[at:end])
        at = end
    return int(fields[1]), int(fields[2]), data[at + 1:]


def main():
    postscript, layout_line, span, omitted = sys.argv[1:5]
    keep = sys.argv[5] if len(sys.argv) > 5 else None
    page_width, page_height, cell_width, columns, rows, first_left = map(int, layout_line.split(":")[1].split())
    first, last = (int(code, 16) for code in span.split("-"))
    omitted = {int(code, 16) for code in omitted.split(",") if code}
    codes = codes_between(first, last)
    per_page = columns * rows
    pages = (len(codes) - 1) // per_page + 1

    text = open(postscript, "rb").read().decode("latin-1")
    check(text.startswith("%!PS-Adobe"), "PostScript")
    check(len(re.findall(r"^%%Page: ", text, re.M)) == pages, "%d pages" % pages)
    # Each page maps the printer's pixels (y downward from the printable area's top-left corner)
    # onto the paper: "72 R div 72 R div scale", "X Y translate", "1 -1 scale".
    setup = re.search(r"72 (\d+) div 72 \d+ div scale\s+(-?\d+) (-?\d+) translate\s+1 -1 scale", text)
    paper = re.search(r"/PageSize\[(\d+) (\d+)\]", text)
    check(setup and paper, "page set-up and paper size")
    if not (setup and paper):
        return
    resolution, origin_x, origin_y = (int(group) for group in setup.groups())
    paper_height = int(paper.group(2)) * DPI / 72

    def pixel(x, y):
        """The image pixel of a page point in 0.1 mm (y upward from the printable area's top)."""
        device_x, device_y = x * resolution / TENTHS_PER_INCH, -y * resolution / TENTHS_PER_INCH
        return (int(round((origin_x + device_x) * DPI / resolution)),
                int(round(paper_height - (origin_y - device_y) * DPI / resolution)))

    folder = keep or tempfile.mkdtemp(prefix="pictor-pages-")
    os.makedirs(folder, exist_ok=True)
    subprocess.run(["gs", "-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-sDEVICE=pgmraw", "-r%d" % DPI,
                    "-sOutputFile=" + os.path.join(folder, "page-%d.pgm"), postscript], check=True)
    images = [read_pgm(os.path.join(folder, "page-%d.pgm" % (n + 1))) for n in range(pages)]

    def dark(image, x, y, right, bottom):
        """Dark pixels between two page points (0.1 mm), the second below and right of the first."""
        width, _, pixels = image
        (left, top), (end_x, end_y) = pixel(x, y), pixel(right, bottom)
        return sum(1 for py in range(top, end_y) for px in range(left, end_x) if pixels[py * width + px] < 128)

    # Within a cell of the character font (64 units high, an em of 1024 font units, ascender 896):
    # the bit square of row r and column c is centred (212 + 200 c) / 16 right of the cell's left
    # edge and (212 + 200 r) / 16 below its top; the frame's left stroke 5.5 right of it.
    def read_glyph(image, x, y):
        bits = 0
        for row in range(4):
            for column in range(4):
                cx, cy = x + (212 + 200 * column) / 16, y - (212 + 200 * row) / 16
                # Most of a window well inside the square (8.75 units wide) is dark for a 1.
                bits = bits << 1 | (dark(image, cx - 2.5, cy + 2.5, cx + 2.5, cy - 2.5) > 8)
        return bits

    read, empty = 0, 0
    for n, code in enumerate(codes):
        image = images[n // per_page]
        cell = n % per_page
        x = first_left + (cell_width + 100) * (cell % columns)
        y = -300 - 84 * (cell // columns)
        outline = dark(image, x - 2, y - 10, x + 1, y - 50)
        check(outline > 0, "%04X: its box is drawn" % code)
        if code in omitted:
            inside = dark(image, x + 3, y - 3, x + 63, y - 63)
            check(inside == 0, "%04X is not in the font: its box is empty (%d dark pixels)" % (code, inside))
            empty += 1
            continue
        frame = dark(image, x + 4.5, y - 20, x + 6.5, y - 40)
        glyph = read_glyph(image, x, y)
        expected = 0xE000 + ordinal(code)
        check(frame > 0 and glyph == expected, "%04X shows U+%04X, read U+%04X" % (code, expected, glyph))
        read += 1
    print("pages: %d, glyphs read: %d, empty boxes: %d" % (pages, read, empty))


main()
if failures:
    print("%d checks failed" % len(failures))
    sys.exit(1)
