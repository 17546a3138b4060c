#!/usr/bin/env python3
"""Times tessel-convert against the C library's iconv and ICU's uconv on the same files.

Generates a text of random Big5 Han characters (40 to a line) and its EUC form, then runs the
three tools on each pair of encodings, interleaved, several rounds, and reports the median speed
(input bytes per second), the peak memory of each run and the ratios.

    cmake --preset bench && cmake --build --preset bench
    python3 convert/bench/file_convert_bench.py [--megabytes 50] [--rounds 3] [--build build-bench]
"""

import argparse
import os
import random
import statistics
import struct
import subprocess
import sys
import tempfile
import time
from pathlib import Path


def han_codes(table: Path):
    """Big5 codes of Han characters of CNS planes 1 and 2 that both the tables and glibc map."""
    data = table.read_bytes()
    count = struct.unpack_from("<i", data, 16)[0]
    codes = []
    for i in range(count):
        record = data[128 + 5 * i:128 + 5 * i + 5]
        cns = record[0] | record[1] << 8 | record[2] << 16
        big5 = record[3] | record[4] << 8
        plane, first = cns >> 16, (cns >> 8) & 0xFF
        if (plane == 1 and first >= 0x44) or plane == 2:
            pair = bytes([big5 >> 8, big5 & 0xFF])
            try:
                pair.decode("big5")
            except UnicodeDecodeError:
                continue
            codes.append(pair)
    return codes


def make_big5(path: Path, size: int, codes):
    rng = random.Random(1)
    with path.open("wb") as out:
        written = 0
        while written < size:
            lines = []
            for _ in range(1000):
                lines.append(b"".join(rng.choice(codes) for _ in range(40)) + b"\r\n")
            block = b"".join(lines)
            out.write(block)
            written += len(block)


def plane_one_in_two_bytes(source: Path, target: Path):
    """The same EUC text with plane 1 in its two-byte form, the only one ICU's euc-tw-2014 reads."""
    data = source.read_bytes()
    target.write_bytes(data.replace(b"\x8e\xa1", b""))  # 8E A1 only starts plane-1 characters here


def run(command, stdin_path, stdout_path, memory_file):
    """Wall time and peak resident memory (KiB) of one run. GNU time reports the memory: a child
    of this (large) Python process would inherit its high-water mark."""
    with open(stdin_path, "rb") as stdin, open(stdout_path, "wb") as stdout:
        start = time.perf_counter()
        subprocess.run(["/usr/bin/time", "-f", "%M", "-o", memory_file] + [str(c) for c in command],
                       stdin=stdin, stdout=stdout, stderr=subprocess.DEVNULL, check=True)
        elapsed = time.perf_counter() - start
    return elapsed, int(Path(memory_file).read_text().split()[-1])


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--megabytes", type=int, default=50)
    parser.add_argument("--rounds", type=int, default=3)
    parser.add_argument("--build", default="build-bench")
    args = parser.parse_args()

    build = Path(args.build).resolve()
    convert = build / "bin" / "tessel-convert"
    if not convert.exists():
        sys.exit(f"{convert} is missing: cmake --preset bench && cmake --build --preset bench")

    with tempfile.TemporaryDirectory(prefix="tessel-bench-") as folder:
        work = Path(folder)
        big5, euc, euc2 = work / "text.big5", work / "text.euc", work / "text2.euc"
        make_big5(big5, args.megabytes * 1000 * 1000, han_codes(build / "share" / "CNS_B5.TBL"))
        subprocess.run([convert, "-f", "big5", "-t", "euc", big5, euc], check=True, stderr=subprocess.DEVNULL)
        plane_one_in_two_bytes(euc, euc2)
        out = work / "out"

        def tessel(source, target):
            # tessel-convert reads and writes files; the stdin/stdout of run() stay unused.
            return lambda src: [convert, "-f", source, "-t", target, src, out]

        pairs = [
            ("EUC to Big5", euc, tessel("euc", "big5"), ["iconv", "-f", "EUC-TW", "-t", "BIG5"],
             ["uconv", "-f", "euc-tw-2014", "-t", "windows-950"], euc2),
            ("Big5 to EUC", big5, tessel("big5", "euc"), ["iconv", "-f", "BIG5", "-t", "EUC-TW"],
             ["uconv", "-f", "windows-950", "-t", "euc-tw-2014"], big5),
            ("Big5 to seven-bit CNS", big5, tessel("big5", "cns"), ["iconv", "-c", "-f", "BIG5", "-t", "ISO-2022-CN-EXT"],
             ["uconv", "-f", "windows-950", "-t", "ISO-2022-CN-EXT"], big5),
            ("Big5 to UCS-2", big5, tessel("big5", "ucs"), ["iconv", "-f", "BIG5", "-t", "UTF-16LE"],
             ["uconv", "-f", "windows-950", "-t", "UTF-16LE"], big5),
        ]
        results = {name: {"tessel": [], "iconv": [], "uconv": []} for name, *_ in pairs}
        for _ in range(args.rounds):
            for name, source, tessel_command, iconv_command, uconv_command, uconv_source in pairs:
                memory = work / "memory"
                results[name]["tessel"].append(run(tessel_command(source), os.devnull, os.devnull, memory))
                results[name]["iconv"].append(run(iconv_command + [source], os.devnull, out, memory))
                results[name]["uconv"].append(run(uconv_command + [uconv_source], os.devnull, out, memory))

        size = big5.stat().st_size
        print(f"Input: {size / 1e6:.1f} MB of Big5 ({euc.stat().st_size / 1e6:.1f} MB as EUC), "
              f"{args.rounds} rounds, medians; speed in input MB/s, peak memory in MB.\n")
        print("| conversion | tessel-convert | iconv | uconv | tessel / iconv | tessel / uconv |")
        print("|---|---|---|---|---|---|")
        for name, source, *_ in pairs:
            input_size = source.stat().st_size
            speed = {tool: input_size / 1e6 / statistics.median(t for t, _ in runs)
                     for tool, runs in results[name].items()}
            memory = {tool: max(m for _, m in runs) / 1024 for tool, runs in results[name].items()}
            cell = lambda tool: f"{speed[tool]:.0f} MB/s, {memory[tool]:.1f} MB"
            print(f"| {name} | {cell('tessel')} | {cell('iconv')} | {cell('uconv')} | "
                  f"{speed['tessel'] / speed['iconv']:.2f} | {speed['tessel'] / speed['uconv']:.2f} |")


if __name__ == "__main__":
    main()
