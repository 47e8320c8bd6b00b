"""End to end: keys held as long as a person holds them (about 50 ms, longer
than a frame) act once each. The text field of the real program is emptied
with Backspace and a word is typed into it; its text is read back from the
window's pixels with the glyphs of the program's own font. Tab leaves the
field and Shift+Tab comes back; one Down moves a list box's selection one row.

Usage: person_typing_test.py <program> <artefact folder>
Prints one line per check and 'N passed, N failed' last; exits non-zero on a failure.
"""
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e_test  # noqa: E402  (the program runner and screen grabs)

WORD = "hello"
FIELD_TEXT = "Text Field"  # what the demonstration puts in the field
FIELD = (280, 10, 87, 16)  # its rectangle on the screen, sized to that text
CELL_W, CELL_H = 8, 12  # the font's cells: 16 x 8 of them, codes 0 to 127
HOLD, GAP = "0.05", "0.1"  # seconds: as a person types


def glyph_masks(font_png):
    """The ink of every printable character of the font, by its mask."""
    raw = subprocess.run(["convert", font_png, "-depth", "8", "rgba:-"], capture_output=True, check=True).stdout
    width = 16 * CELL_W
    masks = {}
    for code in range(33, 127):
        cx, cy = (code % 16) * CELL_W, (code // 16) * CELL_H
        mask = frozenset((x, y) for y in range(CELL_H) for x in range(CELL_W)
                         if raw[((cy + y) * width + cx + x) * 4 + 3] > 0)
        masks[mask] = chr(code)
    return masks


def read_text(frame, masks, left, top, width, height):
    """The text drawn in the box, read as whole glyph cells. Every dark pixel
    must belong to a known glyph; None when no placement explains them all."""
    dark = {(x, y) for y in range(top, top + height) for x in range(left, left + width)
            if sum(frame.pixel(x, y)) < 200}
    if not dark:
        return ""
    for oy in range(top - CELL_H, top + CELL_H):
        for ox in range(left - CELL_W, left + CELL_W):
            cells = {}
            for x, y in dark:
                if y < oy or y >= oy + CELL_H or x < ox:
                    break
                cells.setdefault((x - ox) // CELL_W, set()).add(((x - ox) % CELL_W, y - oy))
            else:
                chars = [masks.get(frozenset(cells.get(i, ()))) if i in cells else " "
                         for i in range(max(cells) + 1)]
                if None not in chars:
                    return "".join(chars).strip()
    return None


def held(*keys):
    """xdotool arguments that press each key for HOLD seconds, GAP apart."""
    args = []
    for key in keys:
        args += ["keydown", key, "sleep", HOLD, "keyup", key, "sleep", GAP]
    return args


def shift_tab():
    return ["keydown", "shift", "sleep", GAP] + held("Tab") + ["keyup", "shift", "sleep", GAP]


def run(program, masks, checks, artefacts):
    x, y, w, h = FIELD
    inside = (x + 1, y + 1, w - 2, h - 2)

    def check(name, ok, frame, detail=""):
        checks.check(name, ok, detail)
        if not ok:
            frame.save_png(os.path.join(artefacts, "person_" + name.replace(" ", "_") + ".png"))

    program.click(x + 20, y + 5)
    # Empty the field and type the word; then Tab away, so that the focus marks
    # and the caret leave the field to its text, and Shift+Tab back.
    program.xdotool(*held("End", *["BackSpace"] * len(FIELD_TEXT), *WORD))
    focused = program.grab()
    program.xdotool(*held("Tab"))
    left = program.grab()
    shown = read_text(left, masks, *inside)
    check("typing %r with keys held 50 ms shows it" % WORD, shown == WORD, left, "shows %r" % shown)
    program.xdotool(*shift_tab())
    back = program.grab()
    check("Shift+Tab brings the focus back to the field",
          back.region(*inside) == focused.region(*inside) != left.region(*inside), back)

    # One Down moves the list box's selection one row: as far as a click on
    # the next row does.
    rows = (200, 200, 100, 96)
    program.click(210, 217)
    second_row = program.grab()
    program.click(210, 205)
    program.xdotool(*held("Down"))
    after = program.grab()
    check("one Down moves the list selection one row", after.region(*rows) == second_row.region(*rows), after)


def main():
    arguments = e2e_test.program_and_artefacts()
    if arguments is None:
        return 0
    binary, artefacts = arguments
    masks = glyph_masks(os.path.join(os.path.dirname(binary), "Media", "smalfont.png"))
    checks = e2e_test.Checks()
    program = e2e_test.start_program(binary)
    try:
        run(program, masks, checks, artefacts)
    finally:
        program.close()
    print("%d passed, %d failed" % (checks.passed, checks.failed))
    return 1 if checks.failed else 0


if __name__ == "__main__":
    sys.exit(main())
