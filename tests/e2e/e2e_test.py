#!/usr/bin/env python3
"""End-to-end test: the built program under a private X server, driven only from outside.

Usage: e2e_test.py PATH_TO_VOLUNDE [SCENARIO_NUMBER ...]

It starts Xvfb on a free display, launches the program as a user would, finds its window by
its title and works it with real mouse and key presses (xdotool) at window-relative pixels.
It reads the screen back through ImageMagick's `import` and the report through the real
clipboard (select all and copy in the report box, then xclip). Every expected report is
computed here from the pressed pixels, independently of the program's code.

Each scenario prints PASS or FAIL with the reason; the exit status is 1 if any failed. A
failing scenario leaves a screenshot next to the working directory for diagnosis.
"""

import ctypes
import math
import os
import re
import signal
import subprocess
import sys
import tempfile
import time

TITLE = "Геометрия - лице на неправилен N-ъгълник"
SCREEN = (1280, 1024)
CLIENT = (509, 424)
TWIPS_PER_PIXEL = 15

# Window-relative geometry of the controls, in pixels.
SURFACE_INSIDE = (10, 34)  # inner top left corner of the drawing surface's 2-pixel border
SURFACE_SIZE = (487, 196)  # its inside
X_LIST = (40, 240, 73, 23)
Y_LIST = (160, 240, 81, 23)
TRAPEZOIDS = (256, 240, 97, 25)
TRIANGLES = (384, 240, 113, 25)
CLEAR = (440, 0, 57, 25)
REPORT = (8, 272, 489, 145)
SCROLL_BAR = 14  # width of a list's or the report box's vertical scroll bar, about

WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
RED = (255, 0, 0)

TOTAL_LABEL = "Лице на изпъкнал многоъгълник = "
HELP_HEADING = "Алгоритъм за изчисляване на лице по метода на трапеците."

DEADLINE = time.monotonic() + 130  # the whole suite; CTest's own limit is a little longer


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


# ---------------------------------------------------------------------------------------------
# Expected reports, computed from the vertex texts as the lists hold them


def number_text(value, decimal_point):
    """A Double as the program prints it: 15 significant digits, shortest form."""
    if value == 0:
        return "0"
    if value == math.trunc(value) and abs(value) < 1e15:
        return str(int(value))
    return ("%.15g" % value).replace("e", "E").replace(".", decimal_point)


def to_integer(value):
    """Rounding to a 16-bit Integer: to nearest, halves to even."""
    rounded = round(value)
    check(-32768 <= rounded <= 32767, "an ordinate outside the 16-bit range: %r" % value)
    return rounded


def trapezoid_report(vertices, decimal_point="."):
    text = lambda v: number_text(v, decimal_point)
    n = len(vertices) - 1
    edges = [(i - 1, i) for i in range(1, n + 1)] + [(n, 0)]
    lines, total = [], 0.0
    for start, end in edges:
        xp, yp = vertices[start]
        xc, yc = vertices[end][0], to_integer(vertices[end][1])
        s = (0.5 * (yp + yc)) * (xp - xc)
        total += s
        lines.append("Координати бедро: %s,%s : %s,%d; лице на трапец = %s"
                     % (text(xp), text(yp), text(xc), yc, text(s)))
    lines.append(TOTAL_LABEL + text(abs(total)))
    return "".join(line + "\r\n" for line in lines), abs(total)


def triangle_report(vertices, decimal_point="."):
    text = lambda v: number_text(v, decimal_point)
    lines, total = [], 0.0
    x0, y0 = vertices[0]
    for i in range(2, len(vertices)):
        x1, y1 = vertices[i - 1]
        x2, y2 = vertices[i][0], to_integer(vertices[i][1])
        a = math.sqrt((x0 - x1) * (x0 - x1) + (y0 - y1) * (y0 - y1))
        b = math.sqrt((x1 - x2) * (x1 - x2) + (y1 - y2) * (y1 - y2))
        c = math.sqrt((x0 - x2) * (x0 - x2) + (y0 - y2) * (y0 - y2))
        s = (b + c + a) / 2
        product = ((s * (s - b)) * (s - c)) * (s - a)
        heron = math.sqrt(product) if product > 0 else 0.0
        oriented = 0.5 * (x0 * y1 + y0 * x2 + x1 * y2 - x2 * y1 - y2 * x0 - x1 * y0)
        total += oriented
        points = "%s,%s; %s,%s; %s,%d; " % (text(x0), text(y0), text(x1), text(y1), text(x2), y2)
        label = "Върхове 1%d%d: " % (i, i + 1)
        lines.append(label + points + " Херон = " + text(heron))
        lines.append(label + points + " Ориентирано = " + text(abs(oriented)))
    lines.append(TOTAL_LABEL + text(abs(total)))
    return "".join(line + "\r\n" for line in lines), abs(total)


def twips(pixel_vertices):
    return [(float(TWIPS_PER_PIXEL * x), float(TWIPS_PER_PIXEL * y)) for x, y in pixel_vertices]


# ---------------------------------------------------------------------------------------------
# Processes


def die_with_parent():
    """Run in a child before exec: it gets SIGTERM if this driver dies, even by SIGKILL."""
    try:
        ctypes.CDLL(None, use_errno=True).prctl(1, signal.SIGTERM)  # PR_SET_PDEATHSIG
    except (OSError, AttributeError):
        pass


class Processes:
    """Every process this driver starts, ended by pid in reverse order."""

    def __init__(self):
        self.started = []

    def start(self, args, **kwargs):
        process = subprocess.Popen(args, preexec_fn=die_with_parent, **kwargs)
        self.started.append(process)
        return process

    def stop(self, process):
        if process.poll() is None:
            process.terminate()
            try:
                process.wait(timeout=3)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait(timeout=3)
        if process in self.started:
            self.started.remove(process)

    def stop_all(self):
        for process in reversed(list(self.started)):
            self.stop(process)


def start_xvfb(processes, log, screen=SCREEN):
    """Starts Xvfb on a display number it picks itself among the free ones; returns ":N"."""
    read_end, write_end = os.pipe()
    processes.start(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "%dx%dx24" % screen,
         "-dpi", "96", "-nolisten", "tcp", "-noreset"],
        pass_fds=(write_end,), stdout=log, stderr=log)
    os.close(write_end)
    number = b""
    with os.fdopen(read_end, "rb") as pipe:
        while not number.endswith(b"\n"):
            chunk = pipe.read(1)
            if not chunk:
                log.seek(0)
                raise Failure("Xvfb did not start: %s" % log.read().decode(errors="replace"))
            number += chunk
    return ":" + number.decode().strip()


def parse_ppm(ppm):
    """(width, height, pixel bytes) of a binary PPM with maxval 255."""
    fields, pos = [], 0
    while len(fields) < 4:
        while ppm[pos:pos + 1].isspace():
            pos += 1
        start = pos
        while not ppm[pos:pos + 1].isspace():
            pos += 1
        fields.append(ppm[start:pos])
    check(fields[0] == b"P6" and fields[3] == b"255", "unexpected screenshot format")
    return int(fields[1]), int(fields[2]), ppm[pos + 1:]


class Screen:
    def __init__(self, ppm, origin):
        self.width, self.height, self.data = parse_ppm(ppm)
        self.origin = origin

    def __call__(self, x, y):
        ax, ay = self.origin[0] + x, self.origin[1] + y
        i = 3 * (ay * self.width + ax)
        return tuple(self.data[i:i + 3])

    def surface(self, px, py):
        return self(SURFACE_INSIDE[0] + px, SURFACE_INSIDE[1] + py)

    def region(self, x, y, w, h):
        """The raw pixel rows of a window-relative rectangle."""
        ax, ay = self.origin[0] + x, self.origin[1] + y
        return b"".join(self.data[3 * ((ay + r) * self.width + ax):3 * ((ay + r) * self.width + ax + w)]
                        for r in range(h))

    def typical_colour(self, rect):
        """The median colour of `rect` by brightness, which passes over captions and edges."""
        x0, y0, w, h = rect
        pixels = sorted((self(x, y) for y in range(y0, y0 + h) for x in range(x0, x0 + w)), key=sum)
        return pixels[len(pixels) // 2]

    def marked_columns(self, rect):
        """The columns of `rect` (x, y, w, h) that hold anything but white: text, also white
        text on a selection's background."""
        x0, y0, w, h = rect
        return [x for x in range(x0, x0 + w)
                if any(self(x, y) != WHITE for y in range(y0, y0 + h))]


# A desktop's dark colour scheme, as qt6ct sets it for every Qt program.
QT6CT_CONFIG = """[Appearance]
color_scheme_path=/usr/share/qt6ct/colors/darker.conf
custom_palette=true
style=Fusion
"""


class Session:
    """One run of the program on its own X server; `desktop` adds qt6ct's dark colour scheme
    and a window manager that frames the window; a dict also sets what its keys name."""

    def __init__(self, program, locale, workdir, desktop=False):
        self.desktop = bool(desktop)
        options = desktop if isinstance(desktop, dict) else {}
        screen = options.get("screen", SCREEN)
        self.primary = options.get("primary", (0, 0) + screen)
        self.processes = Processes()
        self.server_log = open(os.path.join(workdir, "xvfb.log"), "w+b")
        self.log = open(os.path.join(workdir, "program.log"), "w+b")
        try:
            self.display = start_xvfb(self.processes, self.server_log, screen)
        except BaseException:
            self.close()
            raise
        env = {k: v for k, v in os.environ.items()
               if not k.startswith(("QT_", "LC_")) and k not in ("LANG", "LANGUAGE")}
        runtime = os.path.join(workdir, "runtime")
        os.makedirs(runtime, mode=0o700, exist_ok=True)
        env.update(DISPLAY=self.display, QT_QPA_PLATFORM="xcb", LANG=locale, LC_ALL=locale,
                   XDG_RUNTIME_DIR=runtime)
        self.env = env
        try:
            if options.get("weston"):  # with XWayland, and Qt left to choose
                env = self._start_weston(workdir)
            elif desktop:
                config = os.path.join(workdir, "config")
                os.makedirs(os.path.join(config, "qt6ct"))
                with open(os.path.join(config, "qt6ct", "qt6ct.conf"), "w") as conf:
                    conf.write(QT6CT_CONFIG)
                self.processes.start(["openbox", "--sm-disable"], env=env, stdout=self.server_log,
                                     stderr=subprocess.STDOUT)
                self._wait_for_window_manager()
                for monitor in options.get("monitors", ()):
                    subprocess.run(["xrandr", "--setmonitor"] + monitor.split(), env=env, check=True,
                                   stdout=subprocess.DEVNULL)
                env = dict(env, QT_QPA_PLATFORMTHEME="qt6ct", XDG_CONFIG_HOME=config,
                           **options.get("qt", {}))
            self.program = self.processes.start([program], env=env, stdout=self.log,
                                                stderr=subprocess.STDOUT)
            self.window = self._find_window()
            weston = options.get("weston")
            self.origin = self._settled_origin() if desktop and not weston else self._window_origin()
        except BaseException:
            self.close()
            raise

    def _start_weston(self, workdir):
        log = os.path.join(workdir, "weston.log")
        self.processes.start(["weston", "-Bx11-backend.so", "--use-pixman", "--xwayland", "-Swayland-e2e",
                              "--log=" + log], env=self.env, stdout=self.server_log,
                             stderr=subprocess.STDOUT)
        for _ in range(100):
            found = re.search(rb"display (:\d+)", open(log, "rb").read() if os.path.exists(log) else b"")
            if found:
                self.env = dict(self.env, DISPLAY=found[1].decode(), WAYLAND_DISPLAY="wayland-e2e",
                                QT_QPA_PLATFORM="")
                return self.env
            time.sleep(0.1)
        raise Failure("weston started no X server")

    def _wait_for_window_manager(self):
        limit = time.monotonic() + 10
        while time.monotonic() < limit:
            out = subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=self.env,
                                 stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                 timeout=10).stdout
            if b"window id" in out:
                return
            time.sleep(0.1)
        raise Failure("the window manager did not start")

    def frame_extents(self):
        """(left, right, top, bottom) of the window manager's frame; zeros without one."""
        _, out = self._run(["xprop", "-id", self.window, "_NET_FRAME_EXTENTS"])
        values = out.decode().split("=")[-1].split(",")
        return tuple(int(v) for v in values) if len(values) == 4 else (0, 0, 0, 0)

    def close(self):
        self.processes.stop_all()
        self.log.close()
        self.server_log.close()

    def _run(self, args, timeout=10):
        self._alive()
        done = subprocess.run(args, env=self.env, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                              timeout=timeout, preexec_fn=die_with_parent)
        return done.returncode, done.stdout

    def program_output(self):
        self.log.seek(0)
        return self.log.read().decode(errors="replace").strip()

    def _alive(self):
        if self.program.poll() is not None:
            self.log.seek(0)
            raise Failure("the program ended with status %s: %s"
                          % (self.program.returncode, self.log.read().decode(errors="replace")))

    def _find_window(self):
        limit = time.monotonic() + 20
        while time.monotonic() < limit:
            status, out = self._run(["xdotool", "search", "--onlyvisible", "--name", TITLE])
            if status == 0 and out.split():
                return out.split()[0].decode()
            time.sleep(0.1)
        raise Failure("no visible window whose title contains %r" % TITLE)

    def _settled_origin(self):
        """The window's origin once the window manager has framed it and the program has
        placed it for that frame: framed, and the same over three looks 0.25 s apart."""
        limit = time.monotonic() + 10
        seen = []
        while time.monotonic() < limit:
            time.sleep(0.25)
            seen = (seen + [(self._window_origin(), self.frame_extents())])[-3:]
            if len(seen) == 3 and len(set(seen)) == 1 and any(seen[0][1]):
                return seen[0][0]
        raise Failure("the window did not settle in a frame: %s" % seen)

    def _window_origin(self):
        _, out = self._run(["xwininfo", "-id", self.window])
        info = dict(line.strip().split(":", 1) for line in out.decode().splitlines()
                    if ":" in line and not line.startswith("xwininfo"))
        self.size = (int(info["Width"]), int(info["Height"]))
        return (int(info["Absolute upper-left X"]), int(info["Absolute upper-left Y"]))

    # input -------------------------------------------------------------------------------

    def xdotool(self, *args):
        status, _ = self._run(["xdotool"] + list(args))
        check(status == 0, "xdotool %s failed" % " ".join(args))

    def click(self, x, y, button=1, shift=False):
        """A press and release at window-relative pixel (x, y)."""
        move = ["mousemove", "--window", self.window, str(x), str(y)]
        if shift:
            self.xdotool(*move, "keydown", "shift", "click", str(button), "keyup", "shift")
        else:
            self.xdotool(*move, "click", str(button))

    def press_surface(self, px, py, button=1, shift=False):
        self.click(SURFACE_INSIDE[0] + px, SURFACE_INSIDE[1] + py, button, shift)

    def press_button(self, rect):
        self.click(rect[0] + rect[2] // 2, rect[1] + rect[3] // 2)

    def key(self, *keys):
        self.xdotool("key", *keys)

    # output ------------------------------------------------------------------------------

    def shot(self):
        status, ppm = self._run(["import", "-silent", "-window", "root", "-depth", "8", "ppm:-"])
        check(status == 0 and ppm, "import could not take a screenshot")
        return Screen(ppm, self.origin)

    def wait_for(self, condition, what, timeout=10):
        """Polls screenshots until condition(shot) holds; fails with `what` otherwise."""
        limit = time.monotonic() + timeout
        while True:
            shot = self.shot()
            if condition(shot):
                return shot
            if time.monotonic() > limit:
                raise Failure(what(shot) if callable(what) else what)
            time.sleep(0.1)

    def settle(self):
        """Waits until the window above the report box stops changing (for checks that
        something did not happen); the report box's text cursor blinks."""
        previous = self.shot()
        for _ in range(20):
            time.sleep(0.15)
            current = self.shot()
            if current.region(0, 0, CLIENT[0], REPORT[1]) == previous.region(0, 0, CLIENT[0], REPORT[1]):
                return current
            previous = current
        return previous

    def clipboard(self):
        status, out = self._run(["xclip", "-selection", "clipboard", "-o"], timeout=5)
        return out.decode("utf-8", errors="replace") if status == 0 else None

    def copy_report(self, expected=None, timeout=10):
        """Selects everything in the report box, copies it and reads the clipboard: once it
        equals `expected`, or without one, once it has changed."""
        before = self.clipboard()
        self.click(REPORT[0] + 100, REPORT[1] + 60)
        self.key("ctrl+a", "ctrl+c")
        limit = time.monotonic() + timeout
        text = before
        while time.monotonic() < limit:
            text = self.clipboard()
            if text is not None and (text == expected if expected is not None else text != before):
                return text
            time.sleep(0.1)
        return text

    def xprop(self, *names):
        _, out = self._run(["xprop", "-id", self.window] + list(names))
        return out.decode(errors="replace")

    def save(self, name):
        """Keeps a picture of the window for a failure's diagnosis."""
        path = os.path.join(os.getcwd(), name)
        x, y = self.origin
        subprocess.run(["import", "-silent", "-window", "root", "-crop",
                        "%dx%d+%d+%d" % (CLIENT[0], CLIENT[1], x, y), path],
                       env=self.env, timeout=10, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
        return path


# ---------------------------------------------------------------------------------------------
# Checks on pictures

# The pixels of a vertex dot 5 pixels across relative to its centre, and the ring around it
# that stays clear.
DOT = [(dx, dy) for dy in range(-2, 3) for dx in range(-2, 3) if not (abs(dx) == 2 and abs(dy) == 2)]
RING = [(dx, dy) for dy in range(-3, 4) for dx in range(-3, 4)
        if max(abs(dx), abs(dy)) == 3 or (abs(dx) == 2 and abs(dy) == 2)]


def dot_problem(shot, vertex, colour, ring_clear=True):
    """None if a dot of `colour` is centred exactly on the surface pixel `vertex`."""
    px, py = vertex
    wrong = [(px + dx, py + dy) for dx, dy in DOT if shot.surface(px + dx, py + dy) != colour]
    if wrong:
        return "dot at %s: pixels %s are %s, not %s" % (
            vertex, wrong[:4], shot.surface(*wrong[0]), colour)
    if ring_clear:
        dirty = [(px + dx, py + dy) for dx, dy in RING if shot.surface(px + dx, py + dy) != WHITE]
        if dirty:
            return "dot at %s is too big or misplaced: pixels %s are not white" % (vertex, dirty[:4])
    return None


def line_coverage(shot, start, end, first=0.15, last=0.85):
    """Share of the steps along start-end (between fractions first and last) with a black pixel
    on the line or next to it across the line."""
    (x1, y1), (x2, y2) = start, end
    steps = max(abs(x2 - x1), abs(y2 - y1))
    along_x = abs(x2 - x1) >= abs(y2 - y1)
    hits = total = 0
    for k in range(int(steps * first), int(steps * last) + 1):
        t = k / steps
        x, y = x1 + (x2 - x1) * t, y1 + (y2 - y1) * t
        around = [(round(x), round(y) + d) if along_x else (round(x) + d, round(y)) for d in (-1, 0, 1)]
        total += 1
        hits += any(shot.surface(*p) == BLACK for p in around)
    return hits / total


def leg_problem(shot, vertex):
    """None if a dotted black leg runs from `vertex` straight down to the surface's bottom."""
    px, py = vertex
    rows = range(py + 4, SURFACE_SIZE[1])
    black = [y for y in rows if shot.surface(px, y) == BLACK]
    share = len(black) / len(rows)
    if not 0.2 <= share <= 0.65:
        return "leg below %s: %.0f%% of its pixels black, not a dotted line" % (vertex, 100 * share)
    if max(black) < SURFACE_SIZE[1] - 3:
        return "leg below %s stops at row %d, above the bottom" % (vertex, max(black))
    return None


def column_black(shot, px, top):
    return sum(shot.surface(px, y) == BLACK for y in range(top, SURFACE_SIZE[1]))


def all_white(shot):
    w, h = SURFACE_SIZE
    for y in range(h):
        for x in range(w):
            if shot.surface(x, y) != WHITE:
                return (x, y)
    return None


def list_rows(rect):
    """The inside of a list box left of its scroll bar."""
    x, y, w, h = rect
    return (x + 3, y + 3, w - SCROLL_BAR - 6, h - 6)


def report_inside():
    x, y, w, h = REPORT
    return (x + 3, y + 3, w - SCROLL_BAR - 8, h - 6)


def plain(text):
    """The report as the box shows and copies it: lines split at CR LF."""
    return text.replace("\r\n", "\n")


def compare_text(actual, expected_crlf, what):
    expected = plain(expected_crlf)
    if actual == expected:
        return
    if actual is None:
        raise Failure("%s: nothing could be read from the clipboard" % what)
    got, want = actual.split("\n"), expected.split("\n")
    for number, (g, w) in enumerate(zip(got, want), 1):
        if g != w:
            raise Failure("%s, line %d:\n    expected %r\n    copied   %r" % (what, number, w, g))
    raise Failure("%s: %d lines copied, %d expected (%r)" % (what, len(got), len(want),
                                                             (got if len(got) > len(want) else want)[-2:]))


# ---------------------------------------------------------------------------------------------
# Scenarios

# A concave pentagon: vertex 2 is a dent, so the fan's triangles differ in orientation. Most
# edges join ordinates and abscissae of odd sums and differences, so trapezoid areas end in .5.
PENTAGON = [(41, 23), (322, 40), (210, 96), (401, 171), (64, 150)]
PRESSES = [dict(button=1), dict(button=3), dict(button=2), dict(button=1, shift=True), dict(button=1)]
BLANK_SPOT = (452, 18)  # far from every edge, leg and fan line of the pentagon


def scenario_placed(s):
    """Centred with its frame, where a window manager frames it, on the primary monitor; kept on it."""
    left, right, top, bottom = s.frame_extents()
    check(any((left, right, top, bottom)) == s.desktop, "frame extents %s" % ((left, right, top, bottom),))
    frame = (s.origin[0] - left, s.origin[1] - top)
    frame_size = (s.size[0] + left + right, s.size[1] + top + bottom)
    x, y, width, height = s.primary
    centred = (x + max(0, (width - frame_size[0]) // 2), y + max(0, (height - frame_size[1]) // 2))
    check(all(abs(a - b) <= 1 for a, b in zip(frame, centred)),
          "window frame at %s, not centred on the screen (%s)" % (frame, centred))


def scenario_frame(s):
    """The window at its size, held there, and a frame that offers the close box only."""
    check(s.size == CLIENT, "window is %dx%d, not %dx%d" % (s.size + CLIENT))
    hints = s.xprop("WM_NORMAL_HINTS")
    size = "%d by %d" % CLIENT
    check("minimum size: " + size in hints and "maximum size: " + size in hints,
          "size hints do not fix the window at %s:\n%s" % (size, hints))
    motif = s.xprop("_MOTIF_WM_HINTS").split("=")[-1].split(",")
    if len(motif) >= 2 and int(motif[0], 16) & 1:  # functions given
        functions = int(motif[1], 16)
        check(not functions & (8 | 16), "the frame offers minimise or maximise: %s" % motif)
        check(functions & 32, "the frame offers no close: %s" % motif)


def scenario_start(s):
    title = s.xprop("_NET_WM_NAME")
    check(TITLE in title, "window title is %r" % title)
    scenario_frame(s)
    scenario_placed(s)
    icon = s.xprop("-notype", "32c", "_NET_WM_ICON").split("=", 1)[-1].split(",")
    check(len(icon) > 2, "the window has no icon")
    width, height = int(icon[0]), int(icon[1])
    check((width, height) == (32, 32), "icon is %dx%d, not 32x32" % (width, height))
    argb = [int(v) & 0xFFFFFFFF for v in icon[2:2 + 32 * 32]]
    opaque = [v & 0xFFFFFF for v in argb if v >> 24 == 0xFF]
    check(argb[0] >> 24 == 0 and argb[-1] >> 24 == 0, "icon has no transparent surround")
    check(len(opaque) > 300 and len(set(opaque)) >= 5,
          "icon holds %d opaque pixels in %d colours" % (len(opaque), len(set(opaque))))

    shot = s.wait_for(lambda shot: shot(3, 3) == (192, 192, 255),
                      "window background is not RGB 192,192,255")
    white = all_white(shot)
    check(white is None, "drawing surface not white at %s: %s" % (white, white and shot.surface(*white)))
    check(shot(SURFACE_INSIDE[0] - 1, SURFACE_INSIDE[1] - 1) != WHITE,
          "no border round the drawing surface's inside")
    for name, rect in (("X", X_LIST), ("Y", Y_LIST)):
        check(not shot.marked_columns(list_rows(rect)), "the %s list is not empty" % name)
    check(shot(X_LIST[0] - 28, X_LIST[1] + 20) == (255, 192, 128), "label X lacks its colour")
    for name, rect, face in (("Трапеци", TRAPEZOIDS, (128, 255, 128)),
                             ("Триъгълницци", TRIANGLES, (0, 192, 0)), ("Чисти", CLEAR, (255, 0, 0))):
        shown = shot(rect[0] + 4, rect[1] + rect[3] // 2)
        check(shown == face, "button %s shows the face %s, not %s" % (name, shown, face))
        inner = (rect[0] + 3, rect[1] + 3, rect[2] - 6, rect[3] - 6)
        typical = shot.typical_colour(inner)
        darkest = min(sum(shot(x, y)) for x in range(inner[0], inner[0] + inner[2])
                      for y in range(inner[1], inner[1] + inner[3]))
        check(typical == face and darkest < 3 * 64,
              "button %s: no dark caption on the face (typical %s, darkest sum %d)"
              % (name, typical, darkest))
    inside = report_inside()
    check(shot(inside[0] + inside[2] - 2, inside[1] + inside[3] - 2) == WHITE,
          "the report box is not white")

    # The first visible line of the report box is the first line of the help text.
    s.click(REPORT[0] + 6, REPORT[1] + 6)
    s.key("Home", "shift+End", "ctrl+c")
    first = None
    limit = time.monotonic() + 10
    while first is None and time.monotonic() < limit:
        first = s.clipboard()  # the clipboard of a new X server starts empty
        time.sleep(0.05)
    check(first and first.startswith("Много") and len(first) > 20,
          "report box does not show the help text from its top: first line %r" % first)
    help_text = s.copy_report()
    lines = (help_text or "").split("\n")
    check(len(lines) == 16 and lines[-1] == "",
          "help text has %d lines, not 15 each ended by a line break" % (len(lines) - 1))
    check(lines[6] == "", "help text line 7 is not empty: %r" % lines[6])
    check(lines[7] == HELP_HEADING, "help text line 8 is %r" % lines[7])
    check(first.strip() in lines[0], "first visible line %r is not part of line 1" % first)


def scenario_vertices(s):
    shot = None
    for vertex, how in zip(PENTAGON, PRESSES):
        s.press_surface(*vertex, **how)
        shot = s.wait_for(lambda shot: shot.surface(*vertex) != WHITE,
                          "press %s at surface pixel %s drew no dot there" % (how, vertex))
    shot = s.settle()
    for vertex in PENTAGON:
        problem = dot_problem(shot, vertex, BLACK)
        check(problem is None, problem)
    for name, rect in (("X", X_LIST), ("Y", Y_LIST)):
        check(shot.marked_columns(list_rows(rect)), "the %s list shows no coordinate" % name)
    # The coordinates themselves are checked through the report of the next scenario.


def scenario_trapezoids(s):
    s.press_button(TRAPEZOIDS)
    expected, _ = trapezoid_report(twips(PENTAGON))
    compare_text(s.copy_report(plain(expected)), expected, "trapezoid report")
    shot = s.settle()
    n = len(PENTAGON)
    for i in range(n):
        start, end = PENTAGON[i], PENTAGON[(i + 1) % n]
        coverage = line_coverage(shot, start, end)
        check(coverage > 0.97, "edge %s-%s is %.0f%% drawn, not solid" % (start, end, 100 * coverage))
        problem = leg_problem(shot, start)
        check(problem is None, problem)
        problem = dot_problem(shot, start, BLACK, ring_clear=False)
        check(problem is None, problem)

    # The polygon is closed: a further press adds nothing.
    s.press_surface(*BLANK_SPOT)
    shot = s.settle()
    check(shot.surface(*BLANK_SPOT) == WHITE, "a press after the trapezoids drew a dot")
    compare_text(s.copy_report(plain(expected)), expected, "trapezoid report after a further press")


def scenario_triangles(s):
    s.press_button(TRIANGLES)
    expected, total = triangle_report(twips(PENTAGON))
    compare_text(s.copy_report(plain(expected)), expected, "triangle report")
    _, trapezoid_total = trapezoid_report(twips(PENTAGON))
    check(total == trapezoid_total, "test data: totals differ (%r, %r)" % (total, trapezoid_total))
    shot = s.settle()
    n = len(PENTAGON)
    for i in range(n):
        start, end = PENTAGON[i], PENTAGON[(i + 1) % n]
        coverage = line_coverage(shot, start, end)
        check(coverage > 0.97, "edge %s-%s is %.0f%% drawn, not solid" % (start, end, 100 * coverage))
    for i in range(3, n):  # the fan line to vertex 1 retraces the first edge
        coverage = line_coverage(shot, PENTAGON[0], PENTAGON[i - 1], 0.1, 0.6)
        check(0.35 < coverage < 0.85, "fan line %s-%s is %.0f%% drawn, not dash-dot"
              % (PENTAGON[0], PENTAGON[i - 1], 100 * coverage))
    # Only the construction of the method pressed last: the trapezoids' legs are gone.
    px, py = PENTAGON[1]
    check(column_black(shot, px, py + 4) <= 4, "the leg below %s is still drawn" % (PENTAGON[1],))
    check(shot.surface(*BLANK_SPOT) == WHITE, "the ignored press shows a dot")


ADDS = (165, 205, 255)  # the tints of a figure whose area adds to the total
TAKES_AWAY = (255, 195, 130)  # and of one that takes away from it


def scenario_report_figure(s):
    """A click on the report's first line tints the first fan triangle, which adds; the caret
    moved down to the second triangle's lines tints that one, which lies outside the concave
    pentagon and takes away."""
    first = PENTAGON[:3]
    centroid = tuple(sum(v[k] for v in first) // 3 for k in (0, 1))
    s.click(REPORT[0] + 60, REPORT[1] + 10)
    shot = s.wait_for(lambda shot: shot.surface(*centroid) == ADDS,
                      lambda shot: "the first line tinted the first triangle's centre %s with %s"
                      % (centroid, shot.surface(*centroid)))
    for vertex in first:
        problem = dot_problem(shot, vertex, BLACK, ring_clear=False)
        check(problem is None, "under the tint: %s" % problem)
    # The second triangle is thin: count its tinted pixels, wherever the lines wrap.
    second = [PENTAGON[0], PENTAGON[2], PENTAGON[3]]
    left, top = (min(v[k] for v in second) for k in (0, 1))
    right, bottom = (max(v[k] for v in second) for k in (0, 1))

    def second_lit(shot):
        return sum(shot.surface(x, y) == TAKES_AWAY
                   for y in range(top, bottom) for x in range(left, right)) > 50

    for _ in range(8):
        s.key("Down")
        if second_lit(s.settle()):
            break
    shot = s.shot()
    check(second_lit(shot), "no line of the second triangle tinted it as taking away")
    check(shot.surface(*centroid) == WHITE, "the first triangle is still tinted")


def selection_problem(shot, selected):
    for index, vertex in enumerate(PENTAGON):
        colour = RED if index == selected else BLACK
        problem = dot_problem(shot, vertex, colour, ring_clear=False)
        if problem:
            return "with vertex %d selected: %s" % (selected + 1, problem)
    return None


def select_and_check(s, selected, action):
    return s.wait_for(lambda shot: selection_problem(shot, selected) is None,
                      lambda shot: "after %s: %s" % (action, selection_problem(shot, selected)))


def scenario_selection(s):
    x_row = (X_LIST[0] + 20, X_LIST[1] + X_LIST[3] // 2)
    y_row = (Y_LIST[0] + 20, Y_LIST[1] + Y_LIST[3] // 2)
    scroll_up = (X_LIST[0] + X_LIST[2] - 8, X_LIST[1] + 6)

    s.click(*x_row)  # the X list shows its first entry
    select_and_check(s, 0, "a click on the first X entry")
    s.click(*y_row)
    s.key("Down")
    select_and_check(s, 1, "Down in the Y list")
    s.click(*x_row)  # the X list followed to the second entry
    s.key("Down", "Down")
    select_and_check(s, 3, "Down twice in the X list")
    s.key("Up")
    select_and_check(s, 2, "Up in the X list")
    s.click(*scroll_up)
    s.click(*scroll_up)
    s.click(*x_row)  # scrolled back to the first entry
    select_and_check(s, 0, "a click on the first X entry after scrolling up")
    s.click(*y_row)
    s.key("End")
    select_and_check(s, len(PENTAGON) - 1, "End in the Y list")

    # An area command draws every vertex black again; the next click blackens the old one.
    s.press_button(TRIANGLES)
    select_and_check(s, -1, "the triangles command over a selection")
    s.click(*x_row)
    s.key("Up")
    select_and_check(s, len(PENTAGON) - 2, "Up in the X list after the triangles command")


def scenario_clear(s):
    s.press_button(CLEAR)
    shot = s.wait_for(lambda shot: all_white(shot) is None, "the surface is not white after clearing")
    shot = s.settle()
    for name, rect in (("X", X_LIST), ("Y", Y_LIST)):
        check(not shot.marked_columns(list_rows(rect)), "the %s list is not empty after clearing" % name)
    text_columns = shot.marked_columns(report_inside())
    check(len(text_columns) <= 2, "the report box is not empty after clearing")
    vertex = (150, 120)
    s.press_surface(*vertex)
    shot = s.wait_for(lambda shot: dot_problem(shot, vertex, BLACK) is None,
                      lambda shot: "a press after clearing: %s" % dot_problem(shot, vertex, BLACK))
    # It is vertex 1 of a new polygon.
    for vertex in ((300, 60), (420, 180)):
        s.press_surface(*vertex)
    s.settle()
    s.press_button(TRAPEZOIDS)
    expected, _ = trapezoid_report(twips([(150, 120), (300, 60), (420, 180)]))
    compare_text(s.copy_report(plain(expected)), expected,
                 "trapezoid report of a polygon entered after clearing")
    # Ctrl+Z after clearing brings the polygon, its drawing and its report, not yet copied, back.
    s.press_button(TRIANGLES)
    expected, _ = triangle_report(twips([(150, 120), (300, 60), (420, 180)]))
    s.press_button(CLEAR)
    s.wait_for(lambda shot: all_white(shot) is None, "the surface is not white after clearing")
    s.key("ctrl+z")
    s.wait_for(lambda shot: dot_problem(shot, (300, 60), BLACK, ring_clear=False) is None,
               "Ctrl+Z after clearing brought no vertex back")
    compare_text(s.copy_report(plain(expected)), expected, "the report brought back by Ctrl+Z")


# A quadrilateral whose trapezoid areas end in .5 and whose Heron areas are fractional.
QUADRILATERAL = [(37, 29), (250, 61), (403, 187), (118, 140)]


def scenario_locale(s):
    for vertex in QUADRILATERAL:
        s.press_surface(*vertex)
        s.wait_for(lambda shot: shot.surface(*vertex) == BLACK,
                   "press at %s drew no dot in the Bulgarian locale" % (vertex,))
    vertices = twips(QUADRILATERAL)
    s.press_button(TRAPEZOIDS)
    expected, _ = trapezoid_report(vertices, ",")
    check("," in expected.split("= ")[1], "test data: no fractional trapezoid area")
    compare_text(s.copy_report(plain(expected)), expected,
                 "trapezoid report with a decimal comma")
    s.press_button(TRIANGLES)
    expected, _ = triangle_report(vertices, ",")
    compare_text(s.copy_report(plain(expected)), expected,
                 "triangle report with a decimal comma")


def arrow_keys(start, end):
    """The arrow keys that move the cross from pixel `start` to `end`: tens with Shift, then
    ones."""
    keys = []
    for delta, less, more in ((end[0] - start[0], "Left", "Right"), (end[1] - start[1], "Up", "Down")):
        name = more if delta > 0 else less
        keys += ["shift+" + name] * (abs(delta) // 10) + [name] * (abs(delta) % 10)
    return keys


def scenario_keyboard(s):
    """From the start, without the mouse: Tab to the surface, place the vertices with the arrow
    keys and Space, take back a stray one with Backspace, Tab to "Трапеци" and press Space."""
    polygon = [(60, 30), (400, 52), (331, 170), (118, 147)]
    cross = (SURFACE_SIZE[0] // 2, SURFACE_SIZE[1] // 2)  # where the cross starts
    s.key("Tab")
    for vertex in polygon + [(200, 100)]:
        keys = arrow_keys(cross, vertex) + ["space"]
        for at in range(0, len(keys), 40):
            s.xdotool("key", "--delay", "5", *keys[at:at + 40])
        cross = vertex
        s.wait_for(lambda shot: shot.surface(*vertex) == BLACK,
                   "Space drew no dot at surface pixel %s" % (vertex,))
    s.key("BackSpace")
    s.wait_for(lambda shot: shot.surface(200, 100) == WHITE, "Backspace left the stray dot")
    s.key("Tab", "Tab", "Tab", "space")
    expected, _ = trapezoid_report(twips(polygon))
    compare_text(s.copy_report(plain(expected)), expected,
                 "trapezoid report of a polygon entered by keyboard")
    shot = s.settle()
    for vertex in polygon:
        problem = dot_problem(shot, vertex, BLACK, ring_clear=False)
        check(problem is None, problem)


def scenario_rescaled(s):
    """Moved onto monitor A at scale 2, past its edges: all of the layout on A, at twice the pixels."""
    s.xdotool("windowmove", s.window, "400", "300")
    doubled = (2 * CLIENT[0], 2 * CLIENT[1])

    def whole(shot):
        shot.origin = s.origin = s._window_origin()
        return (s.size == doubled and s.origin[0] + doubled[0] < 1280
                and s.origin[1] + doubled[1] < 1024 and shot(2 * CLEAR[0] + 8, 24) == RED
                and shot(doubled[0] - 2, doubled[1] - 2) == (192, 192, 255))
    s.wait_for(whole, lambda shot: "window %s at %s, not whole on monitor A" % (s.size, s.origin))


def scenario_copy_drawing(s):
    """Tab from the report box to the surface, then Ctrl+C: its drawing on the clipboard as a
    PNG, the surface as the screen shows it but for the focus mark a pixel inside its border."""
    s.click(REPORT[0] + 100, REPORT[1] + 60)
    s.key("Tab", "ctrl+c")
    png, limit = b"", time.monotonic() + 10
    while not png.startswith(b"\x89PNG") and time.monotonic() < limit:
        time.sleep(0.1)
        png = s._run(["xclip", "-selection", "clipboard", "-t", "image/png", "-o"], timeout=5)[1]
    check(png.startswith(b"\x89PNG"), "no PNG on the clipboard after Ctrl+C on the surface")
    ppm = subprocess.run(["convert", "png:-", "-depth", "8", "ppm:-"], input=png,
                         stdout=subprocess.PIPE, timeout=10).stdout
    width, height, data = parse_ppm(ppm)
    check((width, height) == SURFACE_SIZE, "the copied drawing is %dx%d" % (width, height))
    shot = s.settle()
    differ = [(x, y) for y in range(height) for x in range(width)
              if tuple(data[3 * (y * width + x):3 * (y * width + x) + 3]) != shot.surface(x, y)]
    check(differ and all(x in (1, width - 2) or y in (1, height - 2) for x, y in differ),
          "the copied drawing differs from the screen at %s" % differ[:4])


# (locale, on a desktop with a dark scheme and a window manager, scenarios)
SESSIONS = [
    ("C.UTF-8", False, [
        (1, "start: title, fixed size, icon, help text, white surface, empty lists", scenario_start),
        (2, "vertices by left, right, middle and Shift presses", scenario_vertices),
        (3, "trapezoids: report, edges, dotted legs, entry closed", scenario_trapezoids),
        (4, "triangles: report, fan lines, total as by trapezoids", scenario_triangles),
        (12, "report lines tint their triangles, adding and taking away", scenario_report_figure),
        (5, "selection by clicks and arrow keys in both lists", scenario_selection),
        (6, "clear: white surface, empty lists and report, entry open; Ctrl+Z undoes it",
         scenario_clear),
    ]),
    ("bg_BG.UTF-8", False, [
        (7, "Bulgarian locale: decimal comma in the reports", scenario_locale),
    ]),
    ("C.UTF-8", False, [
        (11, "keyboard alone: the same report as for the same points pressed", scenario_keyboard),
    ]),
    ("C.UTF-8", True, [
        (8, "dark desktop scheme and a window manager: the window as laid out", scenario_start),
        (9, "dark desktop scheme: black dots on the white surface", scenario_vertices),
        (10, "dark desktop scheme: the trapezoids' report and construction", scenario_trapezoids),
        (17, "Ctrl+C on the surface: its drawing as a PNG, without the focus mark",
         scenario_copy_drawing),
    ]),
    ("C.UTF-8", dict(weston=True), [
        (13, "weston: through XWayland, the close box only and the size kept", scenario_frame),
    ]),
    ("C.UTF-8", dict(screen=(2560, 1024), primary=(1280, 0, 1280, 1024),
                     monitors=["A 1280/338x1024/270+0+0 screen", "*B 1280/338x1024/270+1280+0 none"],
                     qt=dict(QT_SCREEN_SCALE_FACTORS="A=2;B=1")), [
        (14, "two monitors: centred on the primary one, right of the other", scenario_placed),
        (15, "moved onto a monitor of scale 2: whole, at twice the pixels", scenario_rescaled),
    ]),
    ("C.UTF-8", dict(screen=(800, 600), qt=dict(QT_SCALE_FACTOR="1.5")), [
        (16, "800 x 600 at scale 1.5: the frame's top edge and close box on the screen", scenario_placed),
    ]),
]


def locale_available(name):
    out = subprocess.run(["locale", "-a"], stdout=subprocess.PIPE, text=True).stdout.lower()
    return name.lower().replace("utf-8", "utf8") in out.replace("utf-8", "utf8").split()


def main():
    if len(sys.argv) < 2:
        print(__doc__)
        return 2
    program = os.path.abspath(sys.argv[1])
    if not os.access(program, os.X_OK):
        print("FAIL: no program at %s" % program)
        return 1
    wanted = {int(a) for a in sys.argv[2:]}
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("terminated"))
    for tool in ("Xvfb", "xdotool", "xclip", "import", "xprop", "xwininfo", "openbox", "weston",
                 "xrandr"):
        if not any(os.access(os.path.join(d, tool), os.X_OK)
                   for d in os.environ.get("PATH", "").split(os.pathsep)):
            print("FAIL: %s is missing; scripts/setup.sh installs it" % tool)
            return 1

    failures = 0
    started = time.monotonic()
    for locale, desktop, scenarios in SESSIONS:
        scenarios = [sc for sc in scenarios if not wanted or sc[0] in wanted]
        if not scenarios:
            continue
        if not locale_available(locale):
            for number, title, _ in scenarios:
                print("FAIL [%d] %s: locale %s is not generated (scripts/setup.sh makes it)"
                      % (number, title, locale))
                failures += 1
            continue
        with tempfile.TemporaryDirectory(prefix="volunde-e2e-") as workdir:
            session = None
            try:
                session = Session(program, locale, workdir, desktop)
                for number, title, run in scenarios:
                    began = time.monotonic()
                    try:
                        if time.monotonic() > DEADLINE:
                            raise Failure("out of time")
                        run(session)
                        print("PASS [%d] %s (%.1f s)" % (number, title, time.monotonic() - began))
                    except (Failure, subprocess.TimeoutExpired) as failure:
                        failures += 1
                        picture = session.save("e2e-failure-%d.png" % number)
                        print("FAIL [%d] %s: %s\n    (window at the failure: %s)"
                              % (number, title, failure, picture))
                        output = session.program_output()
                        if output:
                            print("    the program wrote:\n" + output)
                    sys.stdout.flush()
            except Failure as failure:
                failures += len(scenarios)
                print("FAIL [%s] could not start the session: %s"
                      % (",".join(str(sc[0]) for sc in scenarios), failure))
            finally:
                if session:
                    session.close()
    print("%s: %d failed, %.1f s" % ("FAILED" if failures else "PASSED", failures,
                                     time.monotonic() - started))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
