"""End to end: keys held as long as a person holds them (about 50 ms, longer
than a frame) type one character each. The text field of the real program is
emptied with Backspace, a word is typed, and the field's text is read back
from the window's pixels with the glyphs of the program's own font.

Usage: person_typing_test.py <program> <artefact folder>
Exits non-zero when the field does not show the word.
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


def main():
    arguments = e2e_test.program_and_artefacts()
    if arguments is None:
        return 0
    binary, artefacts = arguments
    masks = glyph_masks(os.path.join(os.path.dirname(binary), "Media", "smalfont.png"))
    program = e2e_test.start_program(binary)
    try:
        program.click(FIELD[0] + 20, FIELD[1] + 5)
        # Empty the field, type the word, then Tab away so that the focus marks
        # and the caret leave the field to its text.
        program.xdotool(*held("End", *["BackSpace"] * len(FIELD_TEXT), *WORD, "Tab"))
        frame = program.grab()
        x, y, w, h = FIELD
        shown = read_text(frame, masks, x + 1, y + 1, w - 2, h - 2)
        ok = shown == WORD
        print("%s typing %r with keys held 50 ms shows %r" % ("ok  " if ok else "FAIL", WORD, shown))
        if not ok:
            frame.save_png(os.path.join(artefacts, "person_typing.png"))
        return 0 if ok else 1
    finally:
        program.close()


if __name__ == "__main__":
    sys.exit(main())
