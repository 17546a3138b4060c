#!/usr/bin/env python3
"""quillon-run from outside, on generated trees in a temporary folder: a missing folder, the
preview, undo, and runs killed at several points and recovered at the next start.

Usage: quillon_run_test.py QUILLON_RUN
"""

import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest

QUILLON_RUN = None
CANNOT_RENAME = "*無法改名*"

# U+F6B1.. become ① ② ③ ...; U+F6BA would become "/", which a name cannot hold.
TABLE = "".join(f"{0xF6B1 + i:04X} {0x2460 + i:04X}\r\n" for i in range(9)) + "F6BA 002F\r\n"


def pua(i):
    return chr(0xF6B1 + i % 9)


def build_tree(root, top, middle, files):
    """Nested private-use folders, private-use and plain file names, each file with its own
    contents, a name whose new name is taken and one whose new name is refused."""
    for a in range(top):
        for b in range(middle):
            folder = os.path.join(root, f"a{a}{pua(a)}", f"b{b}{pua(b + 1)}")
            os.makedirs(folder)
            for f in range(files):
                name = f"f{f}{pua(f + 2)}.txt" if f % 4 else f"plain{f}.txt"
                with open(os.path.join(folder, name), "wb") as out:
                    out.write(f"{a}/{b}/{f}".encode())
    os.makedirs(os.path.join(root, "taken"))
    for name in (pua(0), "\u2460", "bad" + chr(0xF6BA)):
        with open(os.path.join(root, "taken", name), "wb") as out:
            out.write(name.encode())


def snapshot(root):
    """Every path below root (as bytes, so that names are compared byte for byte) with its
    contents, None for folders."""
    tree = {}
    broot = os.fsencode(root)
    for folder, dirs, files in os.walk(broot):
        rel = os.path.relpath(folder, broot)
        for d in dirs:
            tree[os.path.normpath(os.path.join(rel, d))] = None
        for f in files:
            with open(os.path.join(folder, f), "rb") as data:
                tree[os.path.normpath(os.path.join(rel, f))] = data.read()
    return tree


def read_log(path):
    """The log's records as (folder, display name, result), read here independently of the
    program's own reader."""
    with open(path, "rb") as f:
        data = f.read()
    assert data[:2] == b"\xff\xfe", path
    lines = data[2:].decode("utf-16-le").split("\r\n")
    assert lines[-1] == "", "the last line ends in CR LF"
    records = []
    for i in range(0, len(lines) - 1, 3):
        source, target, empty = lines[i:i + 3]
        assert source.startswith("來源：") and target.startswith("改成：") and empty == "", (i, lines[i:i + 3])
        folder, display = source[3:].rsplit("/", 1)
        assert target[3:].startswith(folder + "/")
        records.append((folder, display, target[3 + len(folder) + 1:]))
    return records


def apply_log(tree, root, records):
    """The tree after the renames of the log, made in the log's order."""
    tree = dict(tree)
    broot = os.fsencode(root)
    for folder, display, result in records:
        if result == CANNOT_RENAME:
            continue
        old = display[1:-1] if len(display) == len(result) + 2 and display[0] == "<" else display
        rel = os.path.relpath(os.fsencode(folder), broot)
        source = os.path.normpath(os.path.join(rel, os.fsencode(old)))
        target = os.path.normpath(os.path.join(rel, os.fsencode(result)))
        assert source in tree and target not in tree, (source, target)
        tree[target] = tree.pop(source)
        if tree[target] is None:  # a folder: its contents move with it
            inside = [path for path in tree if path.startswith(source + b"/")]
            for path in inside:
                tree[target + path[len(source):]] = tree.pop(path)
    return tree


class QuillonRun(unittest.TestCase):
    def assertSameTree(self, actual, expected, what=""):
        """Compares two snapshots, naming a few differences (a full diff of large trees takes
        minutes)."""
        if actual == expected:
            return
        extra = sorted(set(actual) - set(expected))[:5]
        missing = sorted(set(expected) - set(actual))[:5]
        changed = sorted(p for p in set(actual) & set(expected) if actual[p] != expected[p])[:5]
        self.fail(f"{what}: trees differ; only here {extra}, missing {missing}, changed {changed}")

    def setUp(self):
        self.tmp = tempfile.mkdtemp(prefix="quillon-run-test-")
        self.table = os.path.join(self.tmp, "uc-o2n.tbl")
        with open(self.table, "w", newline="") as f:
            f.write(TABLE)
        self.logs = os.path.join(self.tmp, "logs")
        self.tree = os.path.join(self.tmp, "tree")
        self.env = dict(os.environ, HOME=os.path.join(self.tmp, "home"), ASAN_OPTIONS="detect_leaks=0")

    def tearDown(self):
        shutil.rmtree(self.tmp, ignore_errors=True)

    def run_quillon(self, *args):
        return subprocess.run([QUILLON_RUN, "--table", self.table, "--log-dir", self.logs, *args],
                              capture_output=True, env=self.env, timeout=600)

    def log_files(self):
        return sorted(os.listdir(self.logs)) if os.path.isdir(self.logs) else []

    def test_a_missing_folder_is_an_error_and_nothing_is_renamed(self):
        build_tree(self.tree, 1, 1, 4)
        before = snapshot(self.tree)
        missing = os.path.join(self.tmp, "no-such-folder")
        r = self.run_quillon(self.tree, missing)
        self.assertEqual(r.returncode, 4, r.stderr)
        self.assertIn(f"{missing}: no such folder".encode(), r.stderr)
        self.assertSameTree(snapshot(self.tree), before)
        self.assertEqual(self.log_files(), [])

    def test_help_version_and_usage(self):
        r = subprocess.run([QUILLON_RUN, "--help"], capture_output=True, env=self.env)
        self.assertEqual(r.returncode, 0)
        for option in ("--dry-run", "--undo LOGFILE", "--all-disks", "Exit status", "  4  "):
            self.assertIn(option.encode(), r.stdout)
        r = subprocess.run([QUILLON_RUN, "--version"], capture_output=True, env=self.env)
        self.assertEqual(r.returncode, 0)
        self.assertRegex(r.stdout.decode(), r"^quillon-run \d+\.\d+\.\d+\n$")
        for wrong in (["--frobnicate", "x"], [], ["--undo"], ["--undo", "a.log", "--dry-run"], ["x", "--all-disks"]):
            self.assertEqual(subprocess.run([QUILLON_RUN, *wrong], capture_output=True, env=self.env).returncode, 2,
                             wrong)

    def test_dry_run_lists_what_a_run_on_a_copy_does_and_renames_nothing(self):
        build_tree(self.tree, 3, 3, 6)
        copy = os.path.join(self.tmp, "copy")
        shutil.copytree(self.tree, copy, symlinks=True)
        before = snapshot(self.tree)
        preview = self.run_quillon("--dry-run", self.tree)
        real = self.run_quillon(copy)
        self.assertEqual(preview.returncode, real.returncode)
        self.assertEqual(preview.returncode, 3)  # the taken and the refused name
        self.assertSameTree(snapshot(self.tree), before)
        rows = lambda r, root: sorted(r.stdout.decode().replace(root, "ROOT").splitlines())
        self.assertEqual(rows(preview, self.tree), rows(real, copy))
        self.assertEqual(len(rows(real, copy)), 50)  # 36 files, 12 folders, the taken and the refused name
        counts = lambda r: re.match(rb"\d+ entries in \d+ folders, \d+ renamed, \d+ not renamed", r.stderr).group(0)
        self.assertEqual(counts(preview), counts(real))
        self.assertEqual(len([f for f in self.log_files() if f.endswith(".log")]), 1)  # the real run's alone
        self.assertNotIn(".journal", " ".join(self.log_files()))

    def test_run_then_undo_gives_back_the_tree_byte_for_byte(self):
        build_tree(self.tree, 3, 4, 8)
        before = snapshot(self.tree)
        run = self.run_quillon(self.tree)
        self.assertEqual(run.returncode, 3, run.stderr)
        self.assertNotEqual(snapshot(self.tree), before)
        (log,) = [f for f in self.log_files() if f.endswith(".log")]
        undo = self.run_quillon("--undo", os.path.join(self.logs, log))
        self.assertEqual(undo.returncode, 0, undo.stderr)
        self.assertSameTree(snapshot(self.tree), before)
        self.assertRegex(undo.stderr.decode(), r"\d+ renames in the log, (\d+) undone, 0 skipped")
        self.assertEqual(len([f for f in self.log_files() if f.endswith(".log")]), 2)  # the undo's own log

    def test_undo_skips_an_entry_whose_name_was_taken_and_undoes_the_rest(self):
        build_tree(self.tree, 2, 2, 4)
        before = snapshot(self.tree)
        self.run_quillon(self.tree)
        (log,) = [f for f in self.log_files() if f.endswith(".log")]
        # In between, a new file takes an old name, and a renamed file goes away (in the folder
        # as it is named now; the undo brings the folder back first).
        now = os.path.join(self.tree, "a0\u2460", "b0\u2461")
        with open(os.path.join(now, f"f1{pua(3)}.txt"), "wb") as f:
            f.write(b"new")
        os.remove(os.path.join(now, f"f2{chr(0x2460 + 4)}.txt"))
        folder = os.path.join(self.tree, f"a0{pua(0)}", f"b0{pua(1)}")
        taken = os.path.join(folder, f"f1{pua(3)}.txt")
        undo = self.run_quillon("--undo", os.path.join(self.logs, log))
        self.assertEqual(undo.returncode, 3)
        err = undo.stderr.decode()
        self.assertIn("its old name is taken", err)
        self.assertIn("it is no longer there", err)
        expected = dict(before)
        rel = lambda p: os.fsencode(os.path.relpath(p, self.tree))
        expected[rel(taken)] = b"new"
        expected[rel(os.path.join(folder, f"f1{chr(0x2460 + 3)}.txt"))] = b"0/0/1"
        del expected[rel(os.path.join(folder, f"f2{pua(4)}.txt"))]
        self.assertSameTree(snapshot(self.tree), expected)

    def test_runs_killed_at_several_points_are_recovered_exactly_and_undone(self):
        build_tree(self.tree, 20, 20, 40)  # 16,000 files, 12,000 of them renamed
        before = snapshot(self.tree)
        for rows_seen in (0, 50, 3000, 9000):
            run = subprocess.Popen([QUILLON_RUN, "--table", self.table, "--log-dir", self.logs, self.tree],
                                   stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, env=self.env)
            if rows_seen == 0:  # as soon as the journal is there
                deadline = time.monotonic() + 60
                while not any(f.endswith(".journal") for f in self.log_files()):
                    self.assertLess(time.monotonic(), deadline, "no journal appeared")
                    time.sleep(0.001)
            else:
                for _ in range(rows_seen):
                    self.assertTrue(run.stdout.readline(), "the run ended before it was killed")
            where = f"killed after {rows_seen} rows"
            run.send_signal(signal.SIGKILL)
            run.wait()
            run.stdout.close()
            self.assertEqual(run.returncode, -signal.SIGKILL)
            killed = snapshot(self.tree)

            # The next start recovers the journal into a log, and says so on one line.
            empty = os.path.join(self.tmp, "empty")
            os.makedirs(empty, exist_ok=True)
            start = self.run_quillon("--dry-run", empty)
            lines = [l for l in start.stderr.decode().splitlines() if "did not finish" in l]
            self.assertFalse(any(f.endswith(".journal") for f in self.log_files()))
            if rows_seen == 0 and not lines:
                # Killed before the journal's header was written: nothing was renamed.
                self.assertSameTree(killed, before, "killed at once")
                continue
            self.assertEqual(len(lines), 1, start.stderr)
            recovered = lines[0].rsplit(" ", 1)[1]
            self.assertRegex(recovered, r"/\d{8}-\d{6}-recovered(-\d+)?\.log$")  # -2 within the same second

            records = read_log(recovered)
            self.assertSameTree(apply_log(before, self.tree, records), killed, where)
            if rows_seen >= 3000:
                self.assertGreaterEqual(len(records), rows_seen)

            undo = self.run_quillon("--undo", recovered)
            self.assertEqual(undo.returncode, 0, undo.stderr)
            self.assertSameTree(snapshot(self.tree), before, where)


if __name__ == "__main__":
    QUILLON_RUN = os.path.abspath(sys.argv.pop(1))
    unittest.main(verbosity=2)
