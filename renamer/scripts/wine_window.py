"""quillon.exe under Wine on a virtual X server, driven like a person with xdotool: one private
prefix (scripts/wine-prefix: no Z:, code page 950, the Ming faces) whose only other drive, T:,
is a folder of the caller's own temporary folder; what the windows show is read with
quillon_window_probe.exe, a reader of windows through the system's window functions.

Used by the window tests and renamer/scripts/wine-demo (which ./scripts/demo runs)."""
import json
import os
import shutil
import signal
import struct
import subprocess
import tempfile
import time
import zlib

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
CAPTION = "重新命名程式"
DRIVE = "T"

# Control ids (resource.h)
RG_DIR_FORWARD, RG_DIR_REVERSE = 1002, 1003
RG_FOLDER_ALL_DISKS, RG_FOLDER_ONE_FOLDER = 1005, 1006
EDT_HD, EDT_PATH, BTN_BROWSER, BTN_START, LV_LOG, BTN_STOP, LBL_NOW = 1007, 1008, 1009, 1010, 1011, 1012, 1013


class Refused(Exception):
    """The session would reach outside its own folders: nothing is started."""


class WineWindows:
    def __init__(self, work, prefix, probe, wait=60):
        """Makes PREFIX (removed and made again) with T: on WORK/drive, and an X server."""
        self.work = os.path.abspath(work)
        self.prefix = os.path.abspath(prefix)
        self.drive = os.path.join(self.work, "drive")
        self.wait = wait
        os.makedirs(self.drive, exist_ok=True)
        made = subprocess.run(
            [os.path.join(REPO, "scripts", "wine-prefix"), self.prefix, "--chinese", "--drive", DRIVE + "=" + self.drive],
            capture_output=True, text=True)
        if made.returncode != 0:
            raise RuntimeError("wine-prefix failed:\n" + made.stderr)
        self.env = dict(os.environ)
        for name in ("LC_ALL", "DISPLAY"):
            self.env.pop(name, None)
        self.env.update(WINEPREFIX=self.prefix, WINEARCH="win32", WINEDEBUG="-all",
                        WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d",
                        LOCPATH=os.path.join(self.prefix, "locale"), LANG="zh_TW.UTF-8")
        self.probe_exe = self.place(probe, "probe")
        self.xvfb = None
        self.programs = []
        self._start_x_server()

    # -- the machine the programs see

    def check_confined(self):
        """Refuses unless the prefix reaches nothing but itself and the work folder, and its drives
        are C: (the prefix's own) and T: alone."""
        checked = subprocess.run([os.path.join(REPO, "scripts", "wine-prefix"), "--check", self.prefix, self.work],
                                 capture_output=True, text=True)
        if checked.returncode != 0:
            raise Refused(checked.stderr)
        drives = sorted(os.listdir(os.path.join(self.prefix, "dosdevices")))
        letters = [d for d in drives if len(d) == 2 and d.endswith(":")]
        if letters != ["c:", DRIVE.lower() + ":"]:
            raise Refused("the prefix has the drives %s, not c: and %s: alone" % (letters, DRIVE.lower()))

    def place(self, path, folder, name=None):
        """Copies a file into T:\\FOLDER; returns its Linux path."""
        target = os.path.join(self.drive, folder)
        os.makedirs(target, exist_ok=True)
        target = os.path.join(target, name or os.path.basename(path))
        shutil.copyfile(path, target)
        return target

    def windows_path(self, path):
        """The path under T: of a Linux path in the drive folder."""
        relative = os.path.relpath(os.path.abspath(path), self.drive)
        if relative.startswith(".."):
            raise Refused("%s is not on the test's drive" % path)
        return DRIVE + ":\\" + ("" if relative == "." else relative.replace("/", "\\"))

    def profile(self):
        """The Linux path of the prefix user's profile folder (C:\\users\\NAME)."""
        users = os.path.join(self.prefix, "drive_c", "users")
        names = [n for n in os.listdir(users) if n != "Public"]
        return os.path.join(users, names[0])

    # -- programs

    def _start_x_server(self):
        read, write = os.pipe()
        # The screen is also a file (XWD) in the work folder, from which screenshots are cut.
        self.frame_buffer = os.path.join(self.work, "screen")
        os.makedirs(self.frame_buffer, exist_ok=True)
        self.xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "1024x768x24", "-dpi", "96",
                                      "-nolisten", "tcp", "-fbdir", self.frame_buffer], pass_fds=(write,),
                                     stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as f:
            number = f.readline().strip()
        if not number:
            raise RuntimeError("Xvfb did not start")
        self.env["DISPLAY"] = ":" + number

    def start(self, program_path, *arguments):
        """Starts a program of the drive folder under Wine, in its own folder."""
        self.check_confined()
        process = subprocess.Popen(["wine", self.windows_path(program_path)] + list(arguments), env=self.env,
                                   cwd=os.path.dirname(program_path), stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        self.programs.append(process)
        return process

    def run(self, program_path, *arguments, cwd=None):
        """Runs a console program of the drive folder to its end: (status, stdout, stderr)."""
        self.check_confined()
        return self._run_to_end([self.windows_path(program_path)] + list(arguments),
                                cwd or os.path.dirname(program_path), 300)

    def _run_to_end(self, command, cwd, timeout):
        """Runs wine COMMAND until the program ends: (status, stdout, stderr). Its output goes to
        files, not pipes: the first program of a prefix starts the Wine server and its services,
        which inherit the program's output and keep a pipe open long after the program ended."""
        with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
            done = subprocess.run(["wine"] + command, env=self.env, cwd=cwd, stdin=subprocess.DEVNULL, stdout=out,
                                  stderr=err, timeout=timeout)
            out.seek(0)
            err.seek(0)
            return done.returncode, out.read(), err.read()

    def wait_server(self):
        """Waits for every program of the prefix to end."""
        subprocess.run(["wineserver", "-w"], env=self.env, timeout=120)

    def close(self):
        for process in self.programs:
            if process.poll() is None:
                process.kill()
            process.wait()
        subprocess.run(["wineserver", "-k"], env=self.env, stderr=subprocess.DEVNULL)
        if self.xvfb:
            self.xvfb.send_signal(signal.SIGTERM)
            self.xvfb.wait()

    # -- reading the windows

    def windows(self, title=None):
        """Every visible top-level window of the programs (with TITLE only), as the probe reads it."""
        arguments = [title] if title else []
        _, out, _ = self._run_to_end([self.windows_path(self.probe_exe)] + arguments, self.drive, 60)
        return [json.loads(line) for line in out.decode("utf-8").splitlines() if line.strip()]

    def wait_for(self, what, condition, title=None):
        """Reads the windows until CONDITION(windows) gives something true; returns that."""
        deadline = time.monotonic() + self.wait
        while True:
            found = condition(self.windows(title))
            if found:
                return found
            if time.monotonic() > deadline:
                raise TimeoutError("no " + what)
            time.sleep(0.2)

    def main_window(self):
        """The renamer's window (the caption's window that holds the start button), once it is there."""
        return self.wait_for("main window", lambda ws: next(
            (w for w in ws if control(w, BTN_START)), None), CAPTION)

    # -- the pointer and the keyboard, through the X server

    def x_window(self, window):
        """The X window of a window the probe read, by its title and position."""
        found = subprocess.run(["xdotool", "search", "--name", "^" + window["title"] + "$"], env=self.env,
                               capture_output=True, text=True).stdout.split()
        left, top = window["rect"][0], window["rect"][1]
        for xid in found:
            geometry = subprocess.run(["xdotool", "getwindowgeometry", "--shell", xid], env=self.env,
                                      capture_output=True, text=True).stdout
            values = dict(line.split("=", 1) for line in geometry.split())
            if abs(int(values["X"]) - left) <= 40 and abs(int(values["Y"]) - top) <= 40:
                return xid, int(values["X"]), int(values["Y"])
        raise LookupError("no X window for " + window["title"])

    def click(self, window, control_id, x=None, y=None):
        """A left click on a control (at its middle, or at X, Y of its rectangle)."""
        c = control(window, control_id)
        xid, x_left, x_top = self.x_window(window)
        left = window["client"][0] + c["rect"][0] + (c["rect"][2] // 2 if x is None else x) - x_left
        top = window["client"][1] + c["rect"][1] + (c["rect"][3] // 2 if y is None else y) - x_top
        self.xdotool("mousemove", "--window", xid, str(left), str(top), "click", "1")

    # Keys are pressed as a keyboard would (XTEST) into the window given the X input focus: keys
    # sent to a window (xdotool's --window) carry their modifiers only in the event's state, which
    # Wine does not read, so Shift and Alt would be lost (T: would arrive as t;).
    def type_text(self, window, text):
        self.xdotool("windowfocus", self.x_window(window)[0])
        self.xdotool("type", "--delay", "20", text)

    def key(self, window, *keys):
        self.xdotool("windowfocus", self.x_window(window)[0])
        self.xdotool("key", *keys)

    def xdotool(self, *arguments):
        subprocess.run(["xdotool"] + list(arguments), env=self.env, check=True, timeout=60)

    def screenshot(self, window, path):
        """The window's client area as the screen shows it, into a PNG (with no window manager
        there is no frame to show)."""
        with open(os.path.join(self.frame_buffer, "Xvfb_screen0"), "rb") as f:
            screen = f.read()
        write_png(path, *crop_xwd(screen, window["client"]))

def control(window, control_id):
    return next((c for c in window["controls"] if c["id"] == control_id), None)


def focused_id(window):
    return next((c["id"] for c in window["controls"] if c["handle"] == window["focus"]), None)


def ready_to_start_one_folder(window, folder):
    """Refuses to press Start unless 指定路徑 is selected with FOLDER on the test's drive."""
    if not control(window, RG_FOLDER_ONE_FOLDER)["checked"] or control(window, RG_FOLDER_ALL_DISKS)["checked"]:
        raise Refused("指定路徑 is not selected")
    if control(window, EDT_PATH)["text"] != folder or not folder.startswith(DRIVE + ":\\"):
        raise Refused("the folder field holds %r, not %r" % (control(window, EDT_PATH)["text"], folder))
    drives = control(window, EDT_HD)["text"]
    if drives != "C:\\," + DRIVE + ":\\,":
        raise Refused("the window lists the drives %r" % drives)


def crop_xwd(screen, rect):
    """The pixels of RECT (left, top, width, height) of an XWD screen of 24 or 32 bits a pixel:
    (width, height, rows of RGB bytes)."""
    fields = struct.unpack(">25I", screen[:100])
    header_size, byte_order, bits_per_pixel, bytes_per_line, colours = (fields[0], fields[7], fields[11], fields[12],
                                                                        fields[19])
    screen_width, screen_height = fields[4], fields[5]
    if bits_per_pixel not in (24, 32):
        raise ValueError("screen of %d bits a pixel" % bits_per_pixel)
    step = bits_per_pixel // 8
    red, green, blue = (2, 1, 0) if byte_order == 0 else (step - 3, step - 2, step - 1)
    pixels = header_size + 12 * colours
    left, top = max(rect[0], 0), max(rect[1], 0)
    right, bottom = min(rect[0] + rect[2], screen_width), min(rect[1] + rect[3], screen_height)
    rows = []
    for y in range(top, bottom):
        line = screen[pixels + y * bytes_per_line + left * step:pixels + y * bytes_per_line + right * step]
        rgb = bytearray(len(line) // step * 3)
        rgb[0::3], rgb[1::3], rgb[2::3] = line[red::step], line[green::step], line[blue::step]
        rows.append(bytes(rgb))
    return right - left, bottom - top, rows


def write_png(path, width, height, rows):
    """An 8-bit RGB PNG."""
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    raw = b"".join(b"\0" + row for row in rows)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)) +
                chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))
