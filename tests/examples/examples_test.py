"""The example programs under X for a few frames, judged by the frame each
saves last and by what it prints.

Usage: examples_test.py <hello2d|scene3d> <program> <artefact folder>
Prints one line per check and 'N passed, N failed' last; exits 1 on a
failure and 77 (skipped) without a display.
"""
import math
import os
import re
import subprocess
import sys
import tempfile
import time

WIDTH, HEIGHT = 640, 480


class Frame:
    """A saved frame: RGB bytes, top row first."""

    def __init__(self, path):
        self.rgb = subprocess.run(["convert", path, "-depth", "8", "rgb:-"], capture_output=True, check=True).stdout

    def pixel(self, x, y):
        i = (y * WIDTH + x) * 3
        return tuple(self.rgb[i:i + 3])

    def region(self, x, y, w, h):
        return [self.pixel(px, py) for py in range(y, y + h) for px in range(x, x + w)]


class Checks:
    def __init__(self):
        self.failed = 0
        self.passed = 0

    def check(self, name, ok, detail=""):
        print("%s %s %s" % ("ok  " if ok else "FAIL", name, "" if ok else detail))
        if ok:
            self.passed += 1
        else:
            self.failed += 1


def near(pixel, colour, tolerance=8):
    return all(abs(a - b) <= tolerance for a, b in zip(pixel, colour))


def text_pixels(frame, x, y, w, h):
    """Pixels of the built-in font's white glyphs in the rectangle."""
    return sum(1 for p in frame.region(x, y, w, h) if min(p) >= 200)


def start(program, frames, shot, folder):
    env = dict(os.environ, KRV_EXAMPLE_FRAMES=str(frames), KRV_EXAMPLE_SHOT=shot, TMPDIR=folder)
    output = open(os.path.join(folder, "output.txt"), "wb")
    return subprocess.Popen([program], env=env, stdout=output, stderr=subprocess.STDOUT), output.name


def finish(process, output_path, checks):
    try:
        status = process.wait(timeout=60)
    except subprocess.TimeoutExpired:
        process.kill()
        status = process.wait()
    with open(output_path, "rb") as f:
        output = f.read().decode(errors="replace")
    checks.check("the program ends by itself with status 0", status == 0, "status %r, output %r" % (status, output))
    return output


def hello2d(program, shot, folder, checks):
    # Enough frames for the window to appear and take a click (60 a second).
    process, output_path = start(program, 240, shot, folder)
    found = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "^Hello 2D$"],
                           capture_output=True, text=True, timeout=30)
    window = found.stdout.split()[0]
    for args in (["mousemove", "--window", window, 400, 300], ["mousedown", 1], ["mouseup", 1]):
        subprocess.run(["xdotool"] + [str(a) for a in args], check=True)
        time.sleep(0.2)
    output = finish(process, output_path, checks)
    checks.check("the click plays the beep", re.search(r"click 1 beeps on channel \d+", output), repr(output))
    frame = Frame(shot)
    checks.check("the ball is drawn under the mouse", near(frame.pixel(406, 306), (255, 64, 0)),
                 frame.pixel(406, 306))
    checks.check("with its highlight", near(frame.pixel(395, 295), (255, 208, 64)), frame.pixel(395, 295))
    for x, y in ((100, 300), (630, 470), (400, 340)):
        checks.check("the background elsewhere (%d, %d)" % (x, y), frame.pixel(x, y) == (0x18, 0x28, 0x40),
                     frame.pixel(x, y))
    checks.check("the text line is written", text_pixels(frame, 8, 8, 330, 8) >= 100, text_pixels(frame, 8, 8, 330, 8))
    checks.check("and nothing else is white", text_pixels(frame, 0, 30, WIDTH, 400) == 0)


def screen_of(point, eye=(-40, 60, 90), target=(0, 10, 0), fov=60.0, near_plane=1.0):
    """Where the example's camera puts a world point in the window."""
    f = [e - t for e, t in zip(eye, target)]
    norm = lambda v: [c / math.sqrt(sum(x * x for x in v)) for c in v]
    cross = lambda a, b: [a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]]
    f = norm(f)
    s = norm(cross([0, 1, 0], f))
    u = cross(f, s)
    d = [p - e for p, e in zip(point, eye)]
    ex, ey, ez = (sum(a * b for a, b in zip(axis, d)) for axis in (s, u, f))
    h = math.tan(math.radians(fov) / 2) * near_plane
    nx = ex * near_plane / (-ez) / (h * WIDTH / HEIGHT)
    ny = ey * near_plane / (-ez) / h
    return int((nx + 1) * WIDTH / 2), int(HEIGHT - (ny + 1) * HEIGHT / 2)


def scene3d(program, shot, folder, checks):
    process, output_path = start(program, 5, shot, folder)
    output = finish(process, output_path, checks)
    frame = Frame(shot)
    at = lambda point: frame.pixel(*screen_of(point))

    top, left, front = at((0, 20, 0)), at((-10, 10, 0)), at((5, 5, 10))
    for name, p in (("top", top), ("sunny side", left)):
        checks.check("the crate's %s is lit in its orange" % name, p[0] > p[1] > p[2] and p[0] >= 90, p)
    checks.check("its side away from the sun is dark", max(front) <= 60 and top[0] >= 2 * front[0], (top, front))

    shadow, floor = at((20, 0, 15)), at((40, 0, 60))
    checks.check("the shadow is darker than the floor beside it", all(s < 0.7 * f for s, f in zip(shadow, floor)),
                 (shadow, floor))
    near_floor, far_floor = at((-40, 0, 40)), at((60, 0, -90))
    checks.check("the near floor is grey", abs(near_floor[2] - near_floor[0]) <= 4, near_floor)
    checks.check("the far floor fades into the blue fog", far_floor[2] - far_floor[0] >= 30, far_floor)

    # The ray through the window's centre meets the crate's front (z = 10).
    eye, target = (-40, 60, 90), (0, 10, 0)
    length = math.dist(eye, target)
    expected = length * (eye[2] - 10) / (eye[2] - target[2])
    picked = re.search(r"Picked face (\d+) at distance ([\d.]+)", output)
    checks.check("the pick names a face of the crate's front", picked and picked.group(1) in ("4", "5"), repr(output))
    checks.check("at the ray's distance", picked and abs(float(picked.group(2)) - expected) < 0.05,
                 "expected %.3f in %r" % (expected, output))
    marker = [p for p in frame.region(314, 234, 13, 13) if near(p, (255, 0, 255), 4)]
    checks.check("the picked point is marked", len(marker) >= 4, len(marker))
    checks.check("the pick is written on the window", text_pixels(frame, 8, 8, 300, 8) >= 100)


def main():
    name, program, artefacts = sys.argv[1], sys.argv[2], sys.argv[3]
    if not os.environ.get("DISPLAY"):
        print("no DISPLAY: skipped")
        return 77
    os.makedirs(artefacts, exist_ok=True)
    shot = os.path.join(artefacts, name + ".png")
    if os.path.exists(shot):
        os.remove(shot)
    checks = Checks()
    with tempfile.TemporaryDirectory(prefix="krv-example-") as folder:
        {"hello2d": hello2d, "scene3d": scene3d}[name](program, shot, folder, checks)
    print("%d passed, %d failed" % (checks.passed, checks.failed))
    return 1 if checks.failed else 0


if __name__ == "__main__":
    sys.exit(main())
