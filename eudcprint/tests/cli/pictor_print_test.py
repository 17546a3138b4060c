#!/usr/bin/env python3
"""pictor-print end to end: a generated EUDC font lacking a few codes, printed to PDF, read back with
poppler's pdftotext (texts and their positions) and rendered with pdftoppm (ink in the boxes)."""
import os
import re
import subprocess
import sys
import tempfile

BIN = sys.argv[1]
MM_PER_POINT = 25.4 / 72
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAIL:", what)


def run(*args, env=None):
    return subprocess.run(list(args), capture_output=True, text=True, env=env)


def pictor_print(*args, env=None):
    return run(os.path.join(BIN, "pictor-print"), *args, env=env)


def words(pdf, page):
    """(text, left mm, top mm) of each word of a page, from pdftotext's bounding boxes."""
    html = run("pdftotext", "-bbox", "-f", str(page), "-l", str(page), pdf, "-").stdout
    found = []  # in reading order: by line, then left to right
    for m in re.finditer(r'<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="[\d.]+" yMax="[\d.]+">([^<]*)</word>', html):
        found.append((m.group(3), float(m.group(1)) * MM_PER_POINT, float(m.group(2)) * MM_PER_POINT))
    return sorted(found, key=lambda w: (round(w[2], 1), w[1]))


def text_of(pdf, first=1, last=1, *options):
    return run("pdftotext", *options, "-f", str(first), "-l", str(last), pdf, "-").stdout


def render_gray(pdf, page, dpi):
    """The page as rows of 8-bit grey values."""
    data = subprocess.run(["pdftoppm", "-gray", "-r", str(dpi), "-f", str(page), "-l", str(page), pdf],
                          capture_output=True, check=True).stdout
    fields = data.split(maxsplit=4)  # P5 width height maxval pixels
    width, height = int(fields[1]), int(fields[2])
    pixels = fields[4]
    return width, height, pixels


def dark_pixels(image, left_mm, top_mm, right_mm, bottom_mm, dpi):
    width, _, pixels = image
    px = lambda mm: int(round(mm / 25.4 * dpi))
    return sum(1 for y in range(px(top_mm), px(bottom_mm)) for x in range(px(left_mm), px(right_mm))
               if pixels[y * width + x] < 128)


with tempfile.TemporaryDirectory(prefix="pictor-print-test-") as folder:
    font = os.path.join(folder, "eudc.ttf")
    omitted = ["FA41", "FA48", "FA4F", "FA7E"]
    made = run(os.path.join(BIN, "pictor-mkfont"), font, "--omit", *omitted)
    check(made.returncode == 0, "pictor-mkfont: " + made.stderr)
    font_bytes = open(font, "rb").read()

    # --- Bad command lines: a clear message and a non-zero status, nothing written. -----------------
    pdf = os.path.join(folder, "catalogue.pdf")
    with open(pdf, "wb") as existing:
        existing.write(b"kept")
    not_a_font = os.path.join(folder, "notes.txt")
    with open(not_a_font, "w") as text:
        text.write("not a font\n")
    bad = [
        ([], 2, "--association NAME or --font FILE"),
        (["--font", font, "--association", "x", "--pdf", pdf], 2, "--association NAME or --font FILE"),
        (["--association", "x", "--name", "y", "--pdf", pdf], 2, "--name goes with --font"),
        (["--font", font], 2, "--pdf OUT is required"),
        (["--font", font, "--pdf", pdf, "--range", "FA40"], 2, "FROM-TO"),
        (["--font", font, "--pdf", pdf, "--range", "FA4-FA50"], 2, "four hexadecimal digits"),
        (["--font", font, "--pdf", pdf, "--range", "A140-FA40"], 2, "A140 is not a user-defined Big5 code"),
        (["--font", font, "--pdf", pdf, "--range", "FA40-C6A0"], 2, "C6A0 is not a user-defined Big5 code"),
        (["--font", font, "--pdf", pdf, "--range", "FEFE-FA40"], 2, "above the end code"),
        (["--font", font, "--pdf", pdf, "--paper", "Z9"], 2, "unknown paper size Z9"),
        (["--font", font, "--pdf", pdf, "--name", "x" * 32], 2, "--name is longer"),
        (["--font", font, "--pdf", pdf, "--frobnicate"], 2, "unknown option --frobnicate"),
        (["--font", font, "--pdf", pdf, "--name"], 2, "--name needs a value"),
        (["--font", os.path.join(folder, "missing.ttf"), "--pdf", pdf], 1, "no such file"),
        (["--font", not_a_font, "--pdf", pdf], 1, "not a TrueType font file"),
        (["--font", font, "--pdf", os.path.join(folder, "no", "such", "folder.pdf")], 1, "cannot write"),
        (["--font", font, "--pdf", os.path.join(folder, ".", "eudc.ttf")], 2, "is the font file itself"),
    ]
    for args, status, message in bad:
        result = pictor_print(*args)
        check(result.returncode == status and message in result.stderr,
              "%s: status %d, stderr %r" % (args, result.returncode, result.stderr))
    check(open(pdf, "rb").read() == b"kept", "a refused job left the existing PDF alone")
    check(open(font, "rb").read() == font_bytes, "the font file is intact")
    check(sorted(os.listdir(folder)) == ["catalogue.pdf", "eudc.ttf", "notes.txt"], "no stray files after refusals")
    check(pictor_print("--version").stdout.startswith("pictor-print "), "--version")
    check("--range FROM-TO" in pictor_print("--help").stdout, "--help")

    # --- One page of FA40-FA7E: texts, positions, and the boxes of the lacking codes empty. ---------
    result = pictor_print("--font", font, "--name", "標準造字", "--range", "FA40-FA7E", "--pdf", pdf)
    check(result.returncode == 0, "one page: " + result.stderr)
    check(result.stdout == "pages: 1\ncodes: 63\ncodes without a glyph: 4\n", "one page summary: " + result.stdout)
    page = text_of(pdf)
    check("字型：標準造字" in page, "title holds the name")
    check("外字檔案：" + font.upper() in page, "title holds the upper-cased file path")
    check(page.count("內碼") == 7, "a 內碼 caption over each of 7 columns")
    check("第 1 頁" in page, "page number")
    codes = [w for w, _, _ in words(pdf, 1) if re.fullmatch(r"[0-9A-F]{4}", w)]
    check(codes == ["%04X" % (0xFA40 + n) for n in range(63)], "codes FA40-FA7E in order: %s" % codes[:10])

    placed = {w: (x, y) for w, x, y in words(pdf, 1)}
    fa40, fa41, fa47 = placed["FA40"], placed["FA41"], placed["FA47"]
    check(abs(fa41[0] - fa40[0] - 24.8) < 0.05, "columns 24.8 mm apart")
    check(abs(fa47[1] - fa40[1] - 8.4) < 0.05, "rows 8.4 mm apart")
    caption = placed["內碼"]
    check(abs(fa40[1] - caption[1] - 8.6) < 0.05, "codes 8.6 mm below the caption row")

    dpi = 150
    image = render_gray(pdf, 1, dpi)
    for n in range(63):
        code = "%04X" % (0xFA40 + n)
        column, row = n % 7, n // 7
        # The character cell starts 8.4 mm left of its code and 1.6 mm above it; look inside the box.
        left = fa40[0] - 8.4 + 24.8 * column
        top = fa40[1] - 1.6 + 8.4 * row
        ink = dark_pixels(image, left + 0.8, top + 0.8, left + 5.6, top + 5.6, dpi)
        if code in omitted:
            check(ink == 0, "%s lacks its glyph: its box is empty (%d dark pixels)" % (code, ink))
            outline = dark_pixels(image, left - 0.3, top + 2, left + 0.1, top + 4, dpi)
            check(outline > 0, "%s keeps its box outline" % code)
        else:
            check(ink > 50, "%s shows its glyph (%d dark pixels)" % (code, ink))

    # --- Roots of the input methods in the registry. ------------------------------------------------
    fixture = run(os.path.join(BIN, "pictor-mkfixture"), folder)
    check(fixture.returncode == 0, "pictor-mkfixture: " + fixture.stderr)
    env = dict(os.environ, PICTOR_REGISTRY=os.path.join(folder, "registry.reg"))
    annotated = os.path.join(folder, "annotated.pdf")
    result = pictor_print("--font", font, "--range", "FA40-FA42", "--annotate", "--pdf", annotated, env=env)
    check(result.returncode == 0, "annotated: " + result.stderr)
    raw = text_of(annotated, 1, 1, "-raw")
    # The characters are embedded text at their private-use code points: FA40 and FA42 are, FA41
    # (not in the font) is not. Apart from them: code, phonetic readings (full-width spaces come
    # out as spaces), Changjie roots; FA42 has none.
    private_use = sorted(set(c for c in raw if 0xE000 <= ord(c) <= 0xF848))
    check(private_use in ([], ["\ue000", "\ue002"]), "characters drawn: %r" % private_use)
    lines = [" ".join(re.sub("[\ue000-\uf848]", "", line).split()) for line in raw.splitlines()]
    check(lines[0].startswith("字型：eudc 外字檔案："), "default name: the file's base name")
    for row in ["內碼 注音 倉頡", "FA40 ㄅ ㄚˋ ㄆ ㄛˊ 日月金", "FA41 ㄇㄧㄢˊ 木水火土竹", "FA42"]:
        check(row in lines, "row %r in %r" % (row, lines))
    placed = {w: (x, y) for w, x, y in words(annotated, 1)}
    check("注音" in placed and "倉頡" in placed, "input-method captions")
    if "注音" in placed and "倉頡" in placed:
        check(abs(placed["倉頡"][0] - placed["注音"][0] - 118.0) < 0.05, "Changjie column 118 mm after Phonetic")
        check(abs(placed["注音"][0] - placed["內碼"][0] - 8.4) < 0.05, "first root column 8.4 mm after the code")
    plain = pictor_print("--font", font, "--range", "FA40-FA42", "--pdf", annotated, env=env)
    check(plain.returncode == 0 and "注音" not in text_of(annotated), "no roots without --annotate")

    # --- An association of the registry's EUDC links, by the name the font-setting dialog shows. -----
    linked = os.path.join(folder, "linked.pdf")
    result = pictor_print("--association", "標準造字", "--range", "FA40-FA42", "--pdf", linked, env=env)
    check(result.returncode == 0, "association: " + result.stderr)
    title = " ".join(text_of(linked).split()[:2])
    check(title == "字型：標準造字 外字檔案：" + os.path.join(folder, "eudc.tte").upper(),
          "the system default's title names its file upper-cased: %r" % title)
    check("codes without a glyph: 0" in result.stdout, "the linked file has every glyph: " + result.stdout)
    unknown = pictor_print("--association", "Nonesuch", "--pdf", linked, env=env)
    check(unknown.returncode == 2 and "no association named Nonesuch" in unknown.stderr
          and '"標準造字"' in unknown.stderr, "an unknown association lists the known ones: " + unknown.stderr)

    # --- The whole catalogue, on A4 and on Letter. --------------------------------------------------
    for paper, pages, last_code in [("A4", 32, "C8FE"), ("Letter", 35, "C8FE")]:
        whole = os.path.join(folder, paper + ".pdf")
        result = pictor_print("--font", font, "--paper", paper, "--pdf", whole)
        check(result.stdout == "pages: %d\ncodes: 6217\ncodes without a glyph: 4\n" % pages,
              "%s summary: %s" % (paper, result.stdout))
        check(re.search(r"^Pages:\s+%d$" % pages, run("pdfinfo", whole).stdout, re.M), "%s has %d pages" % (paper, pages))
        last = text_of(whole, pages, pages)
        check("第 %d 頁" % pages in last and last_code in last, "%s: last page ends with %s" % (paper, last_code))
        check("page %d of %d" % (pages, pages) in result.stderr, "%s: progress reaches the last page" % paper)
    first = text_of(os.path.join(folder, "A4.pdf"))
    check(first.index("FA40") < first.index("FA41"), "all codes start FA40, FA41")

if failures:
    print("%d checks failed" % len(failures))
    sys.exit(1)
print("pictor-print: all checks passed")
