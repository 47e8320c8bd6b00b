"""End to end: the real toolkit test program under X, driven with xdotool,
judged by the pixels of its window.

Usage: e2e_test.py <program> <artefact folder>
Prints one line per check and 'N passed, N failed' last; exits non-zero on a failure.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
TITLE = "Main Lumiset Test Program"


class Frame:
    """A screenshot of the window: width, height and RGB bytes."""

    def __init__(self, width, height, rgb):
        self.width, self.height, self.rgb = width, height, rgb

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.rgb[i:i + 3])

    def region(self, x, y, w, h):
        return [self.pixel(px, py) for py in range(y, y + h) for px in range(x, x + w)]

    def save_png(self, path):
        ppm = b"P6\n%d %d\n255\n" % (self.width, self.height) + self.rgb
        subprocess.run(["convert", "ppm:-", path], input=ppm, check=True)


def parse_ppm(data):
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b"#":
            pos = data.index(b"\n", pos)
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    pos += 1
    width, height = int(fields[1]), int(fields[2])
    return Frame(width, height, data[pos:pos + width * height * 3])


def start_program(binary, attempts=3):
    """Starts the program; a start that shows no window is retried, and each
    failed start is reported on the way."""
    for attempt in range(1, attempts + 1):
        try:
            return Program(binary)
        except RuntimeError as error:
            if attempt == attempts:
                raise
            print("note: start %d showed no window, starting again: %s" % (attempt, error))
    raise AssertionError("unreachable")


class Program:
    """One run of the program with its own temporary folder."""

    def __init__(self, binary):
        self.tmp = tempfile.mkdtemp(prefix="lumiset-e2e-")
        env = dict(os.environ, TMPDIR=self.tmp, SDL_AUDIODRIVER="dummy")
        # Output goes to a file: a full pipe would block the program.
        self.output_path = os.path.join(self.tmp, "output.txt")
        with open(self.output_path, "wb") as output:
            self.process = subprocess.Popen([binary], env=env, stdout=output, stderr=subprocess.STDOUT)
        self.window = self._find_window()
        self.settle()
        self.origin = self._origin()

    def _find_window(self):
        # Generous: a sanitizer build on a loaded machine starts slowly.
        deadline = time.time() + 60
        while time.time() < deadline:
            if self.process.poll() is not None:
                detail = "the program ended at start: %s" % self.output()
                self.close()
                raise RuntimeError(detail)
            found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", TITLE],
                                   capture_output=True, text=True)
            ids = found.stdout.split()
            if ids:
                return int(ids[0])
            time.sleep(0.1)
        detail = "no window titled %r; log %r; output %r" % (TITLE, self.log(), self.output())
        self.close()
        raise RuntimeError(detail)

    def _origin(self):
        info = subprocess.run(["xwininfo", "-id", str(self.window)], capture_output=True, text=True).stdout
        fields = dict(line.strip().split(":", 1) for line in info.splitlines() if ":" in line)
        self.size = int(fields["Width"]), int(fields["Height"])
        return int(fields["Absolute upper-left X"]), int(fields["Absolute upper-left Y"])

    def settle(self, seconds=0.4):
        time.sleep(seconds)

    def grab(self):
        # Cut from the root window: a GL window's own visual does not always
        # read back as plain RGB.
        x, y = self.origin
        shot = subprocess.run(["import", "-window", "root", "-crop", "640x480+%d+%d" % (x, y), "+repage", "-depth", "8", "ppm:-"],
                              capture_output=True, check=True)
        return parse_ppm(shot.stdout)

    def xdotool(self, *args):
        subprocess.run(["xdotool"] + [str(a) for a in args], check=True)
        self.settle()

    def move(self, x, y):
        self.xdotool("mousemove", "--window", self.window, x, y)

    def click(self, x, y):
        self.move(x, y)
        self.xdotool("mousedown", 1)
        self.xdotool("mouseup", 1)

    def key(self, *keys):
        # Real key events (XTEST) reach the window under the pointer; key
        # combinations sent straight to a window are not seen as held together.
        self.xdotool("key", *keys)

    def type(self, text):
        for ch in text:
            self.key(ch)

    def wait(self, timeout=15):
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
            return None

    def output(self):
        with open(self.output_path, "rb") as f:
            return f.read().decode(errors="replace")[-2000:]

    def log(self):
        try:
            with open(os.path.join(self.tmp, "ErrorLog.txt"), "rb") as f:
                return f.read().decode(errors="replace")
        except OSError:
            return ""

    def close(self):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        shutil.rmtree(self.tmp, ignore_errors=True)


def close_window(window_id):
    """Asks the window to close, as a window manager's close box does."""
    subprocess.run([sys.executable, os.path.join(HERE, "..", "system", "frame", "close_window.py"), str(window_id)],
                   check=True)


def changed(before, after, x, y, w, h):
    return before.region(x, y, w, h) != after.region(x, y, w, h)


def distinct_colours(frame, x, y, w, h):
    return len(set(frame.region(x, y, w, h)))


class Checks:
    def __init__(self):
        self.passed = 0
        self.failed = 0

    def check(self, name, ok, detail=""):
        if ok:
            self.passed += 1
            print("ok   %s" % name)
        else:
            self.failed += 1
            print("FAIL %s %s" % (name, detail))


def run_interactions(binary, artefacts, checks):
    program = start_program(binary)
    try:
        # A loaded machine can show the window some time before its first frame.
        deadline = time.time() + 30
        start = program.grab()
        while distinct_colours(start, 4, 4, 40, 8) <= 1 and time.time() < deadline:
            program.settle(0.2)
            start = program.grab()
        start.save_png(os.path.join(artefacts, "start_screen.png"))
        checks.check("window is 640 x 480", program.size == (640, 480), "got %dx%d" % program.size)
        # Every widget of the demonstration draws something where it is placed.
        places = {
            "label": (4, 4, 40, 8), "picture": (10, 30, 150, 150), "button": (200, 10, 50, 14),
            "text field": (280, 10, 80, 12), "list box": (200, 200, 70, 60), "drop-down": (500, 10, 100, 12),
            "check boxes": (500, 130, 90, 30), "radio buttons": (500, 200, 110, 70),
            "slider": (500, 300, 100, 10), "window": (50, 350, 200, 100), "tabbed area": (400, 350, 200, 100),
        }
        for name, rect in places.items():
            checks.check("initial screen shows the %s" % name, distinct_colours(start, *rect) > 1)

        def acted(name, rect, action):
            before = program.grab()
            action()
            after = program.grab()
            ok = changed(before, after, *rect)
            checks.check(name, ok)
            if not ok:
                after.save_png(os.path.join(artefacts, name.replace(" ", "_") + ".png"))

        acted("pressing the button changes it", (200, 10, 60, 16),
              lambda: (program.move(215, 15), program.xdotool("mousedown", 1)))
        program.xdotool("mouseup", 1)
        acted("typing into the text field shows the text", (280, 10, 120, 14),
              lambda: (program.click(300, 15), program.type("abc")))
        acted("clicking a check box toggles it", (500, 130, 12, 12), lambda: program.click(504, 134))
        acted("picking a radio button moves the selection", (500, 200, 12, 70), lambda: program.click(504, 264))
        acted("clicking the slider moves its marker", (500, 300, 100, 10), lambda: program.click(590, 305))
        acted("opening the drop-down shows its list", (500, 22, 130, 90), lambda: program.click(510, 15))
        acted("picking a drop-down row changes the shown text", (500, 10, 130, 12),
              lambda: program.click(520, 50))
        acted("selecting a list row highlights it", (200, 200, 80, 70), lambda: program.click(210, 230))
        acted("switching to the second tab shows its page", (400, 350, 200, 100),
              lambda: program.click(465, 355))

        def drag():
            program.move(80, 354)
            program.xdotool("mousedown", 1)
            program.move(120, 300)
            program.xdotool("mouseup", 1)
        acted("dragging the window by its title moves it", (50, 290, 300, 180), drag)
    finally:
        program.close()


def run_exit(binary, checks, name, action):
    program = start_program(binary)
    try:
        action(program)
        status = program.wait()
        checks.check("%s ends with status 0" % name, status == 0, "status %r" % status)
        checks.check("%s logs the shut-down" % name, "Shut down KRV" in program.log(), repr(program.log()))
    finally:
        program.close()


def program_and_artefacts():
    """The program and the artefact folder from the command line; None (after
    saying so) when there is no display to run it on."""
    binary, artefacts = sys.argv[1], sys.argv[2]
    os.makedirs(artefacts, exist_ok=True)
    if not os.environ.get("DISPLAY"):
        print("no DISPLAY: skipped")
        return None
    return binary, artefacts


def main():
    arguments = program_and_artefacts()
    if arguments is None:
        return 0
    binary, artefacts = arguments
    checks = Checks()
    runs = [
        ("interactions", lambda: run_interactions(binary, artefacts, checks)),
        ("Escape", lambda: run_exit(binary, checks, "Escape", lambda p: (p.move(300, 300), p.key("Escape")))),
        # Held as a person holds them: down together for a moment, then up.
        ("Alt+F4", lambda: run_exit(binary, checks, "Alt+F4",
                                    lambda p: (p.move(300, 300), p.xdotool("keydown", "alt", "keydown", "F4"),
                                               p.xdotool("keyup", "F4", "keyup", "alt")))),
        ("closing the window", lambda: run_exit(binary, checks, "closing the window",
                                                lambda p: close_window(p.window))),
    ]
    for name, run in runs:
        try:
            run()
        except Exception as error:  # a run that cannot even start is one failure
            checks.check("the program runs (%s)" % name, False, str(error))
    print("%d passed, %d failed" % (checks.passed, checks.failed))
    return 1 if checks.failed else 0


if __name__ == "__main__":
    sys.exit(main())
