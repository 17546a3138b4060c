#!/usr/bin/env python3
"""Times tessel-convert against the C library's iconv and ICU's uconv on every pair it converts.

Generates a text of random Big5 Han characters of CNS planes 1 and 2 (40 to a line, CR LF) and
makes every source form from it: with tessel-convert for tessel, and with each peer for that peer
(each tool reads the form it writes itself; the characters are the same). Then it runs the three
tools on every pair, interleaved (each round runs every pair once, the tools of a pair back to
back in a rotating order), and reports for each pair the median CPU time (user + system, of the
whole process and its children) and wall time of each tool, tessel's peak memory, and the ratio
of tessel's CPU time to the faster peer's in the same round: median and range over the rounds.

With --baseline, a folder holding an earlier build (bin/tessel-convert beside lib/ and share/, as
a build folder holds them), every pair's output is compared byte for byte with what that build
writes from the same input; any difference fails the run before anything is timed.

    cmake --preset release
    cmake --build --preset release --target tessel tessel-convert tessel_default_tables
    python3 convert/bench/file_convert_bench.py [--megabytes 32] [--rounds 7] [--build build-release]
                                                 [--baseline DIR] [--pairs big5:ucs,euc-tw:big5]
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

# Every pair tessel-convert converts: CNS in its three forms to and from Big5, UCS-2 and GBK, and
# Big5 to and from UCS-2 (two steps through CNS).
CNS_FORMS = ["cns", "euc", "euc-tw"]
OTHERS = ["big5", "ucs", "gbk"]
PAIRS = ([(c, o) for c in CNS_FORMS for o in OTHERS] + [(o, c) for c in CNS_FORMS for o in OTHERS] +
         [("big5", "ucs"), ("ucs", "big5")])

# Each encoding as the peers name it. Neither peer writes the four-byte EUC form for plane 1, so
# both EUC forms are their EUC-TW.
ICONV_NAMES = {"cns": "ISO-2022-CN-EXT", "euc": "EUC-TW", "euc-tw": "EUC-TW", "big5": "BIG5", "ucs": "UTF-16LE",
               "gbk": "GBK"}
UCONV_NAMES = {"cns": "ISO-2022-CN-EXT", "euc": "euc-tw-2014", "euc-tw": "euc-tw-2014", "big5": "windows-950",
               "ucs": "UTF-16LE", "gbk": "GBK"}

TOOLS = ["tessel", "iconv", "uconv"]


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


def run(command, stdout_path, work: Path):
    """CPU seconds (user + system, children included), wall seconds, peak resident memory (KiB)
    and exit status of one run. GNU time reports the memory: a child of this Python process would
    inherit its high-water mark. wait4 gives the CPU times of time and its child in microseconds."""
    memory_file = work / "memory"
    argv = ["/usr/bin/time", "-f", "%M %x", "-o", str(memory_file)] + [str(c) for c in command]
    redirections = [(os.POSIX_SPAWN_OPEN, 0, os.devnull, os.O_RDONLY, 0),
                    (os.POSIX_SPAWN_OPEN, 1, str(stdout_path), os.O_WRONLY | os.O_CREAT | os.O_TRUNC, 0o644),
                    (os.POSIX_SPAWN_OPEN, 2, os.devnull, os.O_WRONLY, 0)]
    start = time.perf_counter()
    pid = os.posix_spawn(argv[0], argv, os.environ, file_actions=redirections)
    _, _, usage = os.wait4(pid, 0)
    wall = time.perf_counter() - start
    memory, status = memory_file.read_text().split()[-2:]
    return {"cpu": usage.ru_utime + usage.ru_stime, "wall": wall, "memory": int(memory), "status": int(status)}


def load_text():
    with open("/proc/loadavg") as f:
        return " ".join(f.read().split()[:3])


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--megabytes", type=int, default=32, help="size of the Big5 text (default 32)")
    parser.add_argument("--rounds", type=int, default=7)
    parser.add_argument("--build", default="build-release", help="build folder holding bin/tessel-convert")
    parser.add_argument("--baseline", help="folder of an earlier build whose outputs must be matched byte for byte")
    parser.add_argument("--pairs", help="only these pairs, FROM:TO separated by commas")
    parser.add_argument("--work", help="folder for the files (default: a new folder in /dev/shm when it exists)")
    args = parser.parse_args()

    convert = Path(args.build).resolve() / "bin" / "tessel-convert"
    if not convert.exists():
        sys.exit(f"{convert} is missing: build the tessel, tessel-convert and tessel_default_tables targets")
    baseline = Path(args.baseline).resolve() / "bin" / "tessel-convert" if args.baseline else None
    if baseline and not baseline.exists():
        sys.exit(f"{baseline} is missing")
    pairs = PAIRS
    if args.pairs:
        wanted = [tuple(p.split(":")) for p in args.pairs.split(",")]
        unknown = [p for p in wanted if p not in PAIRS]
        if unknown:
            sys.exit(f"not a pair tessel-convert converts: {unknown}")
        pairs = wanted

    ram_disk = Path("/dev/shm")
    parent = args.work or (str(ram_disk) if ram_disk.is_dir() else None)
    with tempfile.TemporaryDirectory(prefix="tessel-bench-", dir=parent) as folder:
        work = Path(folder)
        print(f"Load average before: {load_text()}", flush=True)

        # The sources: tessel's from tessel-convert, each peer's from the peer itself.
        big5 = work / "text.big5"
        make_big5(big5, args.megabytes * 1000 * 1000, han_codes(convert.parent.parent / "share" / "CNS_B5.TBL"))
        sources = {"tessel": {"big5": big5}, "iconv": {"big5": big5}, "uconv": {"big5": big5}}
        for encoding in ["cns", "euc", "euc-tw", "ucs", "gbk"]:
            path = work / f"tessel.{encoding}"
            # Big5 and GBK share no selector that tessel can pair, so GBK is made from EUC.
            start = ("euc", sources["tessel"]["euc"]) if encoding == "gbk" else ("big5", big5)
            subprocess.run([convert, "-f", start[0], "-t", encoding, start[1], path], check=True,
                           stderr=subprocess.DEVNULL)
            sources["tessel"][encoding] = path
            for peer, names, command in [("iconv", ICONV_NAMES, ["iconv", "-c", "-f", "BIG5", "-t"]),
                                         ("uconv", UCONV_NAMES, ["uconv", "-f", "windows-950", "-t"])]:
                path = work / f"{peer}.{encoding}"
                with open(big5, "rb") as stdin, open(path, "wb") as stdout:
                    subprocess.run(command + [names[encoding]], stdin=stdin, stdout=stdout, stderr=subprocess.DEVNULL)
                sources[peer][encoding] = path

        out = work / "out"
        expected = work / "expected"

        def commands(source, target):
            return {
                "tessel": [convert, "-f", source, "-t", target, sources["tessel"][source], out],
                "iconv": ["iconv", "-c", "-f", ICONV_NAMES[source], "-t", ICONV_NAMES[target],
                          sources["iconv"][source]],
                "uconv": ["uconv", "-f", UCONV_NAMES[source], "-t", UCONV_NAMES[target], sources["uconv"][source]],
            }

        # The outputs of this build against the baseline's, before any timing.
        if baseline:
            for source, target in pairs:
                subprocess.run([convert, "-f", source, "-t", target, sources["tessel"][source], out], check=True,
                               stderr=subprocess.DEVNULL)
                subprocess.run([baseline, "-f", source, "-t", target, sources["tessel"][source], expected],
                               check=True, stderr=subprocess.DEVNULL)
                if out.read_bytes() != expected.read_bytes():
                    sys.exit(f"FAILED: {source} -> {target}: the output differs from {baseline}'s "
                             f"({out.stat().st_size} against {expected.stat().st_size} bytes)")
            print(f"Outputs of all {len(pairs)} pairs byte-identical to {baseline}'s.", flush=True)

        results = {pair: {tool: [] for tool in TOOLS} for pair in pairs}
        peer_failures = set()
        for round_number in range(args.rounds):
            for index, pair in enumerate(pairs):
                tool_commands = commands(*pair)
                shift = (round_number + index) % len(TOOLS)
                for tool in TOOLS[shift:] + TOOLS[:shift]:
                    outcome = run(tool_commands[tool], os.devnull if tool == "tessel" else out, work)
                    if tool == "tessel" and outcome["status"] != 0:
                        sys.exit(f"FAILED: tessel-convert -f {pair[0]} -t {pair[1]} exited with {outcome['status']}")
                    if outcome["status"] != 0:
                        peer_failures.add((tool, pair))
                    results[pair][tool].append(outcome)
        print(f"Load average after: {load_text()}\n")

        size = big5.stat().st_size
        print(f"Input: {size / 1e6:.1f} MB of Big5 text, in each pair's source form; {args.rounds} rounds, "
              "medians (range); CPU = user + system seconds of the whole process; peak memory in MB.\n")
        print("| pair | tessel CPU | iconv CPU | uconv CPU | tessel ÷ faster peer, CPU | tessel wall | "
              "iconv wall | uconv wall | tessel ÷ faster peer, wall | memory tessel / iconv / uconv |")
        print("|---|---|---|---|---|---|---|---|---|---|")
        worst = 0.0
        for pair in pairs:
            runs = results[pair]

            def median(tool, key):
                return statistics.median(r[key] for r in runs[tool])

            def ratios(key):
                return [t[key] / min(i[key], u[key]) for t, i, u in zip(runs["tessel"], runs["iconv"], runs["uconv"])]

            cpu_ratios, wall_ratios = ratios("cpu"), ratios("wall")
            worst = max(worst, statistics.median(cpu_ratios))
            memory = " / ".join(f"{max(r['memory'] for r in runs[tool]) / 1024:.1f}" for tool in TOOLS)
            cells = [f"{pair[0]} → {pair[1]}"]
            cells += [f"{median(tool, 'cpu'):.3f}" for tool in TOOLS]
            cells.append(f"{statistics.median(cpu_ratios):.2f} ({min(cpu_ratios):.2f}–{max(cpu_ratios):.2f})")
            cells += [f"{median(tool, 'wall'):.3f}" for tool in TOOLS]
            cells.append(f"{statistics.median(wall_ratios):.2f} ({min(wall_ratios):.2f}–{max(wall_ratios):.2f})")
            cells.append(memory)
            print("| " + " | ".join(cells) + " |")
        print(f"\nLargest median CPU ratio: {worst:.2f}")
        for tool, pair in sorted(peer_failures):
            print(f"note: {tool} exited with a non-zero status on {pair[0]} → {pair[1]} "
                  "(characters it cannot convert)")


if __name__ == "__main__":
    main()
