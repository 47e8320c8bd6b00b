"""A game's media packed with korvane-pack and loaded from the archive alone.

A small tree of pictures, sounds, music, a model, an INI file and a text file
is packed into an archive appended to a copy of a game, and into a separate
archive; the tree is then removed, and each copy of the game must load what it
loaded from the loose files. The packer's listing and its refusal of two
files of one entry name are checked on the way.

Usage: packed_game_test.py <korvane-pack> <game> <source folder>
Prints one line per check and exits 1 on a failure, 77 (skipped) without a display.
"""
import os
import shutil
import subprocess
import sys
import tempfile

TREE = {
    "gfx/hero.png": "tests/data/render2d/pattern_rgba.png",
    "gfx/wall.jpg": "tests/data/render2d/blocks.jpg",
    "sfx/beep.wav": "tests/data/sound/tone_1khz_44100_stereo.wav",
    "music/theme.wav": "tests/data/sound/tone_440hz_11025_8bit.wav",
    "models/crate.ddd": "examples/scene3d/crate.ddd",
}
WRITTEN = {
    "config/game.ini": b"[player]\r\nname=Ada\r\n",
    "text/credits.txt": b"Made with Korvane\n",
}

failures = 0


def check(name, ok, detail=""):
    global failures
    print("%s %s %s" % ("ok  " if ok else "FAIL", name, "" if ok else detail))
    failures += 0 if ok else 1


def run(args, **kwargs):
    return subprocess.run(args, capture_output=True, text=True, timeout=60, **kwargs)


def play(game, work, archive=""):
    """The game's report, run in its own folder with a temporary folder of its own."""
    tmp = os.path.join(work, "tmp-" + os.path.basename(os.path.dirname(game)))
    os.makedirs(tmp)
    env = dict(os.environ, TMPDIR=tmp, KRV_GAME_ARCHIVE=archive)
    env.setdefault("SDL_AUDIODRIVER", "dummy")  # a sound device without sound hardware
    result = run([game], env=env)
    left = [name for name in os.listdir(tmp) if name != "ErrorLog.txt"]
    check("no temporary file outlives " + game, left == [], str(left))
    return result.returncode, result.stdout


def copy_game(game, folder):
    os.makedirs(folder)
    return shutil.copy2(game, os.path.join(folder, "game"))


def main():
    pack, game, source = sys.argv[1:4]
    if not os.environ.get("DISPLAY"):
        print("no DISPLAY: skipped")
        return 77
    work = tempfile.mkdtemp(prefix="krv_packed_game_")
    try:
        tree = os.path.join(work, "media")
        for name, origin in TREE.items():
            os.makedirs(os.path.dirname(os.path.join(tree, name)), exist_ok=True)
            shutil.copy(os.path.join(source, origin), os.path.join(tree, name))
        for name, data in WRITTEN.items():
            os.makedirs(os.path.dirname(os.path.join(tree, name)), exist_ok=True)
            with open(os.path.join(tree, name), "wb") as f:
                f.write(data)

        # The reference: the game beside its loose files.
        loose = copy_game(game, os.path.join(work, "loose"))
        for entry in os.listdir(tree):
            shutil.copytree(os.path.join(tree, entry), os.path.join(work, "loose", entry))
        status, reference = play(loose, work)
        check("the game loads every loose file", status == 0 and " 0" not in reference and "missing" not in reference
              and reference.count("\n") == 7 and "text Made with Korvane" in reference, reference)

        appended = copy_game(game, os.path.join(work, "appended"))
        result = run([pack, "append", appended, tree])
        check("append", result.returncode == 0 and "7 files packed" in result.stdout, result.stderr)
        check("the packed game stays executable", os.access(appended, os.X_OK))
        result = run([pack, "append", appended, tree])
        check("a second append is refused", result.returncode == 1 and "already ends in an archive" in result.stderr,
              result.stderr)

        separate = copy_game(game, os.path.join(work, "separate"))
        archive = os.path.join(work, "separate", "media.pak")
        result = run([pack, "create", archive, tree])
        check("create", result.returncode == 0, result.stderr)

        result = run([pack, "list", archive])
        names = sorted(os.path.basename(name) for name in list(TREE) + list(WRITTEN))
        listed = sorted(line.split()[-1] for line in result.stdout.splitlines()[1:-1])
        check("list", result.returncode == 0 and listed == names and result.stdout.endswith("7 entries\n"),
              result.stdout + result.stderr)
        result = run([pack, "list", appended])
        check("list the program", result.returncode == 0 and result.stdout.endswith("7 entries\n"), result.stderr)

        shutil.rmtree(tree)
        status, output = play(appended, work)
        check("the game loads everything from its own file", status == 0 and output == reference, output)
        status, output = play(separate, work, "media.pak")
        check("the game loads everything from a separate archive", status == 0 and output == reference, output)
        status, output = play(copy_game(game, os.path.join(work, "bare")), work)
        check("without an archive nothing loads", status == 0 and output != reference and "ini missing" in output,
              output)

        for folder in ("hud", "ui"):
            os.makedirs(os.path.join(work, "clash", folder))
            with open(os.path.join(work, "clash", folder, "button.png"), "wb") as f:
                f.write(b"button")
        clash = os.path.join(work, "clash.pak")
        result = run([pack, "create", clash, os.path.join(work, "clash")])
        check("two files of one name are refused",
              result.returncode == 1 and "hud/button.png" in result.stderr and "ui/button.png" in result.stderr
              and not os.path.exists(clash), result.stderr)
    finally:
        shutil.rmtree(work, ignore_errors=True)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
