#!/usr/bin/env python3
"""The real quillon.exe under Wine on a virtual X server, driven with xdotool like a person and
read through its windows (quillon_window_probe.exe) and the files it leaves: the window's title
and controls; the first click into the folder field selects 指定路徑; a typed folder of private-use
names renamed with rows in the list and the same log bytes as quillon-run.exe writes for the same
tree; Stop during a long walk, and closing the window during one; the folder chooser opened and
cancelled, Tab into each field; a bad table's message box before the window; a left journal
recovered at start-up.

Everything runs in one private prefix (no Z:, code page 950) whose only other drive, T:, is a
folder of the test's own temporary folder; Start is pressed only with 指定路徑 and a folder on T:,
after the window's drive list and the prefix's links have been checked.

Usage: quillon_window_test.py --prefix DIR --quillon EXE --run EXE --probe EXE --table TBL
"""
import argparse
import os
import shutil
import struct
import sys
import tempfile
import unittest
import zlib

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts"))
import wine_window  # noqa: E402
from wine_window import (BTN_BROWSER, BTN_START, BTN_STOP, CAPTION, EDT_HD, EDT_PATH, LBL_NOW, LV_LOG,  # noqa: E402
                         RG_DIR_FORWARD, RG_DIR_REVERSE, RG_FOLDER_ALL_DISKS, RG_FOLDER_ONE_FOLDER, control,
                         focused_id, ready_to_start_one_folder)

ARGS = None
WS_MAXIMIZEBOX, WS_MINIMIZEBOX, WS_THICKFRAME, WS_SYSMENU, WS_CAPTION = 0x10000, 0x20000, 0x40000, 0x80000, 0xC00000
ES_READONLY, LVS_REPORT, LVS_NOSORTHEADER, WS_DISABLED = 0x800, 0x1, 0x8000, 0x8000000


def pua(i):
    """Private-use characters the sample table maps (U+F6B1 ... become ① ...)."""
    return chr(0xF6B1 + i % 9)


def make_sample_tree(root):
    shutil.rmtree(root, ignore_errors=True)
    script = os.path.join(wine_window.REPO, "renamer", "scripts", "make-sample-tree.py")
    import subprocess
    subprocess.run([sys.executable, script, root], check=True)


def make_long_tree(root, folders, files):
    os.makedirs(root)
    for a in range(folders):
        folder = os.path.join(root, "d%03d%s" % (a, pua(a)))
        os.makedirs(folder)
        for f in range(files):
            open(os.path.join(folder, "f%03d%s.txt" % (f, pua(f + 1))), "w").close()


def names_below(root):
    found = []
    for folder, dirs, files in os.walk(root):
        found += [os.path.relpath(os.path.join(folder, n), root) for n in dirs + files]
    return sorted(found)


def log_records(data):
    """A run log's records: (source, target) pairs."""
    assert data[:2] == b"\xff\xfe", "no byte-order mark"
    lines = data[2:].decode("utf-16-le").split("\r\n")
    assert lines[-1] == "" and (len(lines) - 1) % 3 == 0, "not three lines a record"
    return [(lines[i][3:], lines[i + 1][3:]) for i in range(0, len(lines) - 1, 3)]


def journal(started, entries):
    """A journal as a run leaves it when it is killed: the header, and for each (folder, name,
    new name) the record made before the rename and the record of its result."""
    def time_bytes(t):
        return struct.pack("<H5B", *t)

    def text(s):
        units = s.encode("utf-16-le")
        return struct.pack("<I", len(units) // 2) + units

    def record(body):
        return struct.pack("<I", len(body)) + body + struct.pack("<I", zlib.crc32(body))

    header = b"QUILLONJ" + bytes([1, 0]) + time_bytes(started)
    out = header + struct.pack("<I", zlib.crc32(header))
    for folder, name, new_name in entries:
        out += record(bytes([1]) + time_bytes(started) + bytes([0]) + text(folder) + text(name) + text(new_name))
        out += record(bytes([2]) + time_bytes(started) + bytes([1]))
    return out


class QuillonWindowTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.work = tempfile.mkdtemp(prefix="quillon-window-")
        cls.wine = wine_window.WineWindows(cls.work, ARGS.prefix, ARGS.probe)
        cls.program = cls.wine.place(ARGS.quillon, "program", "quillon.exe")
        cls.run_program = cls.wine.place(ARGS.run, "program", "quillon-run.exe")
        cls.wine.place(ARGS.table, "program", "uc-o2n.tbl")
        cls.logs = os.path.join(cls.wine.profile(), "RenameLogs")

    @classmethod
    def tearDownClass(cls):
        cls.wine.close()
        shutil.rmtree(cls.work, ignore_errors=True)

    def tearDown(self):
        # Every program of the prefix ends before the next case.
        for process in self.wine.programs:
            if process.poll() is None:
                process.kill()
        self.wine.wait_server()

    def log_files(self):
        return set(os.listdir(self.logs)) if os.path.isdir(self.logs) else set()

    def wait_idle_after_run(self, logs_before):
        """Waits for the run's closing steps: a new log, and Start usable again."""
        def idle(windows):
            window = next((w for w in windows if control(w, BTN_START)), None)
            new_logs = [n for n in self.log_files() - logs_before if n.endswith(".log")]
            if window and new_logs and control(window, BTN_START)["enabled"] and not control(window, BTN_STOP)["enabled"]:
                return window, new_logs
            return None
        return self.wine.wait_for("end of the run", idle, CAPTION)

    def select_folder(self, window, folder):
        """Clicks into the folder field, replaces its text by FOLDER; returns the window read again."""
        self.wine.click(window, EDT_PATH)
        # Keys go where the focus is once the click has been handled.
        self.wine.wait_for("the focus in the folder field", lambda ws: next(
            (w for w in ws if control(w, EDT_PATH) and focused_id(w) == EDT_PATH), None), CAPTION)
        self.wine.key(window, "End", "shift+Home", "BackSpace")
        self.wine.type_text(window, folder)
        return self.wine.wait_for("the typed folder", lambda ws: next(
            (w for w in ws if control(w, EDT_PATH) and control(w, EDT_PATH)["text"] == folder), None), CAPTION)

    def test_a_typed_folder_is_renamed_as_quillon_run_renames_it(self):
        tree = os.path.join(self.wine.drive, "tree")
        make_sample_tree(tree)
        before = names_below(tree)
        self.wine.start(self.program)
        window = self.wine.main_window()

        # The window: caption, frame, size, place, and every control where the layout puts it.
        self.assertEqual(window["title"], CAPTION)
        self.assertEqual(window["client"][2:], [464, 334])
        style = window["style"]
        self.assertEqual(style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX), WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX)
        self.assertFalse(style & (WS_MAXIMIZEBOX | WS_THICKFRAME))
        screen_w, screen_h = window["screen"]
        left, top, width, height = window["rect"]
        self.assertLessEqual(abs((2 * left + width) - screen_w), 1)
        self.assertLessEqual(abs((2 * top + height) - screen_h), 1)
        expected = {  # id: (class, text, rectangle, enabled)
            1001: ("Button", "Unicode 轉換方向", [8, 112, 249, 65], True),
            1004: ("Button", "欲轉換之檔案所在路徑", [8, 8, 449, 97], True),
            EDT_HD: ("Edit", "C:\\,T:\\,", [104, 34, 297, 20], True),
            EDT_PATH: ("Edit", "", [104, 72, 297, 22], True),
            BTN_BROWSER: ("Button", "瀏覽", [408, 72, 41, 25], True),
            BTN_START: ("Button", "開始執行", [268, 116, 75, 25], True),
            LV_LOG: ("SysListView32", "", [8, 184, 449, 137], True),
            BTN_STOP: ("Button", "停止", [358, 116, 75, 25], False),
            LBL_NOW: ("Static", "", [270, 150, 187, 25], True),
        }
        for control_id, (class_name, text, rect, enabled) in expected.items():
            c = control(window, control_id)
            self.assertIsNotNone(c, control_id)
            self.assertEqual((c["class"], c["text"], c["rect"], c["enabled"]), (class_name, text, rect, enabled),
                             control_id)
        radios = {RG_DIR_FORWARD: ("使用者造字區 → 假名及漢字區", True), RG_DIR_REVERSE: ("假名及漢字區 → 使用者造字區", False),
                  RG_FOLDER_ALL_DISKS: ("所有硬碟", True), RG_FOLDER_ONE_FOLDER: ("指定路徑", False)}
        for control_id, (text, checked) in radios.items():
            c = control(window, control_id)
            self.assertEqual((c["text"], c["checked"]), (text, checked), control_id)
        # Each item lies inside its group, the direction's inside rgDir.
        for item, group in ((RG_DIR_FORWARD, 1001), (RG_DIR_REVERSE, 1001), (RG_FOLDER_ALL_DISKS, 1004)):
            i, g = control(window, item)["rect"], control(window, group)["rect"]
            self.assertTrue(g[0] <= i[0] and i[0] + i[2] <= g[0] + g[2] and g[1] <= i[1] and i[1] + i[3] <= g[1] + g[3])
        # A radio button takes every click in its rectangle: none may lie under the fields beside it.
        def overlap(a, b):
            return a[0] < b[0] + b[2] and b[0] < a[0] + a[2] and a[1] < b[1] + b[3] and b[1] < a[1] + a[3]
        for item in (RG_DIR_FORWARD, RG_DIR_REVERSE, RG_FOLDER_ALL_DISKS, RG_FOLDER_ONE_FOLDER):
            for field in (EDT_HD, EDT_PATH, BTN_BROWSER, BTN_START, BTN_STOP, LBL_NOW):
                self.assertFalse(overlap(control(window, item)["rect"], control(window, field)["rect"]), (item, field))
        hd, path, log = control(window, EDT_HD), control(window, EDT_PATH), control(window, LV_LOG)
        self.assertTrue(hd["style"] & ES_READONLY)
        self.assertTrue(path["unicode"])
        self.assertEqual(log["style"] & (LVS_REPORT | LVS_NOSORTHEADER), LVS_REPORT | LVS_NOSORTHEADER)
        self.assertEqual(log["columns"], [["更名前", 100], ["更名後", 100], ["所在位置", 225]])
        self.assertEqual(log["rows"], [])

        # The first click into the folder field selects 指定路徑; the typed folder keeps every unit.
        self.wine.click(window, EDT_PATH)
        window = self.wine.wait_for("指定路徑 selected by the click", lambda ws: next(
            (w for w in ws if control(w, RG_FOLDER_ONE_FOLDER) and control(w, RG_FOLDER_ONE_FOLDER)["checked"]), None),
            CAPTION)
        self.assertFalse(control(window, RG_FOLDER_ALL_DISKS)["checked"])
        self.assertEqual(focused_id(window), EDT_PATH)
        folder = self.wine.windows_path(tree)
        window = self.select_folder(window, folder)

        ready_to_start_one_folder(window, folder)
        logs_before = self.log_files()
        self.wine.click(window, BTN_START)
        window, new_logs = self.wait_idle_after_run(logs_before)
        self.assertEqual(len(new_logs), 1)
        with open(os.path.join(self.logs, new_logs[0]), "rb") as f:
            window_log = f.read()
        rows = control(window, LV_LOG)["rows"]
        renamed_by_window = names_below(tree)
        self.assertTrue(control(window, LBL_NOW)["text"].startswith(folder), control(window, LBL_NOW)["text"])

        # The sample tree's renames: files, and a folder after its contents (whose rows show its old
        # name); a new name that is taken; the dot folder left alone.
        data = "資料\uF6F8\uF6FA\uF6FC"
        self.assertIn(["報告\uF6B1.txt", "報告①.txt", folder], rows)
        self.assertIn(["\uF6C5\uF6C6.doc", "ⅰⅱ.doc", folder + "\\" + data], rows)
        self.assertIn(["<" + data + ">", "資料あいう", folder], rows)
        self.assertIn(["\uF6B2.txt", "*無法改名*", folder], rows)
        self.assertIn(os.path.join("資料あいう", "第③章.txt"), renamed_by_window)
        self.assertIn(os.path.join(".cache", "\uF6B1.tmp"), renamed_by_window)
        self.assertEqual(len(log_records(window_log)), len(rows))

        # quillon-run.exe on the same tree, made again at the same place: the same renames, rows and
        # log bytes.
        make_sample_tree(tree)
        self.assertEqual(names_below(tree), before)
        run_logs = os.path.join(self.wine.drive, "run-logs")
        os.makedirs(run_logs, exist_ok=True)
        status, out, _ = self.wine.run(self.run_program, "--log-dir", self.wine.windows_path(run_logs), folder)
        self.assertEqual(status, 3)  # one name could not be renamed
        self.assertEqual(names_below(tree), renamed_by_window)
        run_rows = [line.split("\t") for line in out.decode("utf-8").replace("\r\n", "\n").splitlines()]
        self.assertEqual(run_rows, rows)
        (run_log,) = os.listdir(run_logs)
        with open(os.path.join(run_logs, run_log), "rb") as f:
            self.assertEqual(f.read(), window_log)

    def test_stop_and_closing_during_long_walks(self):
        tree = os.path.join(self.wine.drive, "long")
        make_long_tree(tree, 60, 100)
        total = len(names_below(tree))
        self.wine.start(self.program)
        window = self.select_folder(self.wine.main_window(), self.wine.windows_path(tree))

        def running(windows):
            w = next((w for w in windows if control(w, BTN_STOP)), None)
            return w if w and control(w, BTN_STOP)["enabled"] and not control(w, BTN_START)["enabled"] else None

        # Stop: Start comes back, the log of what was renamed until then is written.
        ready_to_start_one_folder(window, self.wine.windows_path(tree))
        logs_before = self.log_files()
        self.wine.click(window, BTN_START)
        window = self.wine.wait_for("a running walk", running, CAPTION)
        self.wine.click(window, BTN_STOP)
        window, new_logs = self.wait_idle_after_run(logs_before)
        with open(os.path.join(self.logs, new_logs[0]), "rb") as f:
            stopped = log_records(f.read())
        left = [n for n in names_below(tree) if any(0xF6B1 <= ord(c) <= 0xF6B9 for c in n)]
        self.assertTrue(0 < len(stopped) < total, len(stopped))
        self.assertTrue(left, "the walk was not stopped")
        self.assertEqual(len(control(window, LV_LOG)["rows"]), len(stopped))

        # Closing the window during a run stops it, writes its log, and the program ends.
        ready_to_start_one_folder(window, self.wine.windows_path(tree))
        logs_before = self.log_files()
        self.wine.click(window, BTN_START)
        window = self.wine.wait_for("a running walk", running, CAPTION)
        self.wine.key(window, "alt+F4")
        self.wine.programs[-1].wait(timeout=60)
        new_logs = [n for n in self.log_files() - logs_before if n.endswith(".log")]
        self.assertEqual(len(new_logs), 1)
        self.assertFalse([n for n in self.log_files() if n.endswith(".journal")])
        with open(os.path.join(self.logs, new_logs[0]), "rb") as f:
            self.assertTrue(log_records(f.read()))

    def test_the_folder_chooser_cancelled_and_tab_into_the_fields(self):
        self.wine.start(self.program)
        window = self.wine.main_window()
        self.wine.click(window, RG_FOLDER_ONE_FOLDER)
        self.wine.wait_for("指定路徑 selected", lambda ws: next(
            (w for w in ws if control(w, RG_FOLDER_ONE_FOLDER) and control(w, RG_FOLDER_ONE_FOLDER)["checked"]), None),
            CAPTION)
        self.wine.click(window, RG_FOLDER_ALL_DISKS)  # Start is not pressed in this case
        window = self.wine.wait_for("所有硬碟 selected", lambda ws: next(
            (w for w in ws if control(w, RG_FOLDER_ALL_DISKS) and control(w, RG_FOLDER_ALL_DISKS)["checked"]), None),
            CAPTION)
        self.wine.click(window, BTN_BROWSER)

        def chooser(windows):
            return next((w for w in windows if w["owner"] == window["handle"] and w["class"] == "#32770"
                         and any(c["text"] == "請選擇資料夾：" for c in w["controls"])), None)
        dialog = self.wine.wait_for("folder chooser", chooser)
        self.assertFalse(next(w for w in self.wine.windows(CAPTION) if w["handle"] == window["handle"])["enabled"])
        self.wine.key(dialog, "Escape")
        # The window is activated again as the X server hands the focus back, a moment after.
        window = self.wine.wait_for("the window after the chooser, with the focus in the folder field", lambda ws: next(
            (w for w in ws if w["handle"] == window["handle"] and w["enabled"] and not chooser(ws)
             and focused_id(w) == EDT_PATH), None))
        self.assertTrue(control(window, RG_FOLDER_ONE_FOLDER)["checked"])
        self.assertFalse(control(window, RG_FOLDER_ALL_DISKS)["checked"])
        self.assertEqual(control(window, EDT_PATH)["text"], "")

        # Tabbing into a field enters it too: back into the drive field selects 所有硬碟, on into the
        # folder field 指定路徑.
        for keys, field, item, other in (("shift+Tab", EDT_HD, RG_FOLDER_ALL_DISKS, RG_FOLDER_ONE_FOLDER),
                                         ("Tab", EDT_PATH, RG_FOLDER_ONE_FOLDER, RG_FOLDER_ALL_DISKS)):
            self.wine.key(window, keys)
            window = self.wine.wait_for("%s into %d" % (keys, field), lambda ws: next(
                (w for w in ws if control(w, field) and focused_id(w) == field and control(w, item)["checked"]),
                None), CAPTION)
            self.assertFalse(control(window, other)["checked"])
        self.wine.key(window, "alt+F4")
        self.wine.programs[-1].wait(timeout=60)

    def test_a_bad_table_is_told_in_a_message_box_and_the_window_opens(self):
        program = self.wine.place(ARGS.quillon, "bad-table", "quillon.exe")
        with open(os.path.join(os.path.dirname(program), "uc-o2n.tbl"), "wb") as f:
            f.write(b"F6B1 2460\r\n24x1 0001\r\n")
        self.wine.start(program)
        box = self.wine.wait_for("message box", lambda ws: next(
            (w for w in ws if w["class"] == "#32770"), None), CAPTION)
        self.assertIn("'$24x1' is not a valid integer value.", [c["text"] for c in box["controls"]])
        self.assertFalse([w for w in self.wine.windows(CAPTION) if control(w, BTN_START)], "the window came first")
        self.wine.key(box, "Return")
        window = self.wine.main_window()
        self.assertEqual(control(window, EDT_HD)["text"], "")  # the start-up ended at the table
        self.assertTrue(control(window, BTN_START)["enabled"])
        self.wine.key(window, "alt+F4")
        self.wine.programs[-1].wait(timeout=60)

    def test_a_left_journal_is_recovered_at_start_up(self):
        tree = os.path.join(self.wine.drive, "killed")
        os.makedirs(tree)
        open(os.path.join(tree, "①.txt"), "w").close()  # renamed before the run was killed
        folder = self.wine.windows_path(tree)
        os.makedirs(self.logs, exist_ok=True)
        with open(os.path.join(self.logs, "20240315-093000.journal"), "wb") as f:
            f.write(journal((2024, 3, 15, 9, 30, 0), [(folder, pua(0) + ".txt", "①.txt")]))
        self.wine.start(self.program)
        box = self.wine.wait_for("message box", lambda ws: next(
            (w for w in ws if w["class"] == "#32770"), None), CAPTION)
        recovered = "C:\\users\\%s\\RenameLogs\\20240315-093000-recovered.log" % os.path.basename(self.wine.profile())
        texts = [c["text"] for c in box["controls"]]
        self.assertIn("上次的更名工作沒有完成，已完成的更名已存成記錄檔：\n" + recovered, texts)
        self.wine.key(box, "Return")
        window = self.wine.main_window()
        self.assertEqual(control(window, EDT_HD)["text"], "C:\\,T:\\,")
        self.assertNotIn("20240315-093000.journal", self.log_files())
        with open(os.path.join(self.logs, "20240315-093000-recovered.log"), "rb") as f:
            self.assertEqual(log_records(f.read()), [(folder + "\\" + pua(0) + ".txt", folder + "\\①.txt")])
        self.wine.key(window, "alt+F4")
        self.wine.programs[-1].wait(timeout=60)


if __name__ == "__main__":
    parser = argparse.ArgumentParser()
    for name in ("--prefix", "--quillon", "--run", "--probe", "--table"):
        parser.add_argument(name, required=True)
    ARGS, rest = parser.parse_known_args()
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)
