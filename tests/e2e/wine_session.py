"""Runs Windows x64 programs under wine64 on a private Xvfb display and
watches them from outside: the MCI trace, X windows, screenshots, exit."""

import os
import re
import shutil
import subprocess
import time

WINE64 = "/usr/lib/wine/wine64"
WINESERVER = "/usr/lib/wine/wineserver"
WINE_LIB = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "wine", "wine-lib.sh")
SCREEN = (1024, 768)

_SEND = re.compile(r'^(\d+\.\d+):\w+:trace:mci:mciSendStringW \(L"((?:[^"\\]|\\.)*)"')
_REPLY = re.compile(r'^(\d+\.\d+):\w+:trace:mci:mciSendStringW => \w+/ *([0-9a-fA-F]+) \(L"((?:[^"\\]|\\.)*)"\)')


def _unescape(text):
    return re.sub(r"\\(.)", r"\1", text)


class MciExchange:
    def __init__(self, time_s, command):
        self.time = time_s
        self.command = command
        self.result = None
        self.reply = None

    def __repr__(self):
        return f"{self.time:.3f} {self.command!r} -> {self.result} {self.reply!r}"


class WineSession:
    """One Xvfb display and the shared wine prefix; programs started through
    it see both. Use as a context manager: everything started is ended."""

    def __init__(self, prefix, work_dir):
        self.prefix = prefix
        self.work_dir = work_dir
        self.xvfb = None
        self.programs = []
        os.makedirs(work_dir, exist_ok=True)

    def __enter__(self):
        self._start_xvfb()
        self._prepare_prefix()
        return self

    def __exit__(self, *exc):
        for program in self.programs:
            if program.poll() is None:
                program.kill()
        subprocess.run([WINESERVER, "-k"], env=self.env, timeout=15, check=False,
                       stderr=subprocess.DEVNULL)
        if self.xvfb:
            self.xvfb.kill()
            self.xvfb.wait()

    def _start_xvfb(self):
        read_end, write_end = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{SCREEN[0]}x{SCREEN[1]}x24",
             "-nolisten", "tcp"], pass_fds=(write_end,), stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as display_pipe:
            number = display_pipe.readline().strip()
        if not number:
            raise RuntimeError("Xvfb did not start")
        self.env = dict(os.environ, DISPLAY=f":{number}", WINEPREFIX=self.prefix, WINEARCH="win64",
                        WINEDLLOVERRIDES="mscoree,mshtml=", WINEDEBUG="-all")

    def _prepare_prefix(self):
        """Creates the prefix once, the way every wine test does (wine-lib.sh:
        unmanaged windows, since the display has no window manager), and sets
        the 96 dpi that the geometry checks assume (the prefix keeps the last
        dpi set)."""
        subprocess.run(["bash", "-c", '. "$0" && wine_env && wine_set_dpi 96', WINE_LIB],
                       env=dict(self.env, KVS_WINEPREFIX=self.prefix), timeout=300, check=True)

    def start(self, program, *args, trace=None, cwd=None, messages=False):
        """Starts a program; with `trace`, its MCI trace (and with `messages`
        the window messages it takes) goes to that file."""
        env = dict(self.env)
        stderr = subprocess.DEVNULL
        if trace:
            env["WINEDEBUG"] = "+timestamp,+mci" + (",+msg" if messages else "")
            stderr = open(trace, "w")
        process = subprocess.Popen([WINE64, program, *args], env=env, cwd=cwd or self.work_dir,
                                   stdout=subprocess.DEVNULL, stderr=stderr)
        process.started = time.monotonic()
        self.programs.append(process)
        return process

    def x(self, *args):
        """Runs an X tool (xdotool, import) on this display."""
        return subprocess.run(list(args), env=self.env, timeout=30, capture_output=True, text=True)

    def window_ids(self, title):
        """X windows with this title that are mapped (shown)."""
        found = self.x("xdotool", "search", "--onlyvisible", "--name", f"^{re.escape(title)}$")
        return found.stdout.split()

    def geometry(self, window_id):
        """(x, y, width, height) of an X window."""
        shown = self.x("xdotool", "getwindowgeometry", "--shell", window_id).stdout
        values = dict(line.split("=", 1) for line in shown.split())
        return tuple(int(values[key]) for key in ("X", "Y", "WIDTH", "HEIGHT"))

    def screenshot(self, path):
        self.x("import", "-window", "root", path)
        return path


def read_trace(path):
    """The MCI commands a program sent, in order, with result and reply."""
    exchanges = []
    with open(path, errors="replace") as trace:
        for line in trace:
            sent = _SEND.match(line)
            if sent:
                exchanges.append(MciExchange(float(sent.group(1)), _unescape(sent.group(2))))
                continue
            reply = _REPLY.match(line)
            if reply and exchanges:  # the last report of a send is its outcome
                exchanges[-1].result = int(reply.group(2), 16)
                exchanges[-1].reply = _unescape(reply.group(3))
    return exchanges


def wait_for(condition, timeout, step=0.05):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        value = condition()
        if value:
            return value
        time.sleep(step)
    return condition()


def wait_exit(process, timeout):
    """Seconds until the process ended, or None when it is still running."""
    start = time.monotonic()
    try:
        process.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        return None
    return time.monotonic() - start


def non_black_box(png):
    """(x, y, width, height) of the part of a screenshot that is not black."""
    geometry = subprocess.run(["convert", png, "-fuzz", "8%", "-format", "%@", "info:"],
                              capture_output=True, text=True, check=True).stdout
    match = re.match(r"(\d+)x(\d+)\+(\d+)\+(\d+)", geometry)
    width, height, x, y = map(int, match.groups())
    return x, y, width, height


def pixel(png, x, y):
    text = subprocess.run(["convert", png, "-format", f"%[pixel:p{{{x},{y}}}]", "info:"],
                          capture_output=True, text=True, check=True).stdout
    return text.strip()


def copy_saver(dist, target, with_clip=True):
    os.makedirs(target, exist_ok=True)
    shutil.copy(os.path.join(dist, "KVSsaver.scr"), target)
    if with_clip:
        shutil.copy(os.path.join(dist, "kvscrtel.avi"), target)
    return os.path.join(target, "KVSsaver.scr")
