# Writes the regular Tahoma of the Wine prefix, which must space every letter of the Azerbaijani,
# Turkish and Russian alphabets as evenly as the Latin ones. Run by fontforge:
#   fontforge -lang=py -script regular-tahoma.py TAHOMA.TTF DEJAVUSANS.TTF OUT
#
# Wine's Tahoma draws its small sizes from bitmaps, but measures text by its outlines, which FreeType's
# automatic hinter gives advances of its own: at 13 pixels "д" is drawn 7 pixels on but measured 9, so
# the search box, which places each letter by the measure, leaves three blank columns after it. The
# bitmaps lack "ğ", "ş", "ı", "İ" and their capitals at 12 and 13 pixels, which are then drawn from the
# outlines a pixel off their neighbours, and the schwa, which comes through the font link to DejaVu
# Sans a pixel off too. And some Cyrillic bitmaps stand a blank column further from their neighbours
# than the Latin letters of their shape ("м" at 11 pixels, "б" at 13). So at the captions' and the
# search box's sizes the Turkish letters with a mark are made from their Latin letter and the mark of
# another ("ş" is "s" with the cedilla of "ç", "ı" is "i" without its dot), the schwa is "e" turned and
# its capital DejaVu Sans' spaced as "O", every Cyrillic letter leaves no blank column before it and at
# most one after it, as Tahoma's bitmaps leave around the Latin letters, and a table of advances by
# pixel size has every bitmap measured as it is drawn.
import math
import re
import sys
import tempfile

import fontforge
import freetype

from font_tables import copy_glyph, export_strikes, write_measured

# The pixel sizes of the forms' regular captions (8.25 points) and search box (10 points), and the
# 9 points of the bold built from these bitmaps.
SIZES = (11, 12, 13)

LETTERS = (
    "abcçdeəfgğhxıijkqlmnoöprsştuüvyzABCÇDEƏFGĞHXIİJKQLMNOÖPRSŞTUÜVYZâîûÂÎÛ"
    "абвгдеёжзийклмнопрстуфхцчшщъыьэюяАБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ"
)
CYRILLIC = [c for c in LETTERS if "\u0400" <= c <= "\u04ff"]

# A letter with a mark, the letter it is made from, and a letter of the strike with the same mark
# beside the same letter without it, whose mark is taken.
MARKED = (
    ("ğ", "g", "й", "и"),
    ("Ğ", "G", "Й", "И"),
    ("ş", "s", "ç", "c"),
    ("Ş", "S", "Ç", "C"),
    ("İ", "I", "Ė", "E"),
)


class Glyph:
    """A glyph of a strike: its advance and its dark pixels as (column, row) from its origin, rows
    counted up from the baseline."""

    def __init__(self, advance, ink):
        self.advance, self.ink = advance, set(ink)

    def left(self):
        return min(x for x, _ in self.ink)

    def right(self):
        return max(x for x, _ in self.ink)

    def bottom(self):
        return min(y for _, y in self.ink)

    def top(self):
        return max(y for _, y in self.ink)

    def blanks(self):
        return self.left(), self.advance - 1 - self.right()

    def centre(self):
        return (self.left() + self.right()) / 2

    def moved(self, dx):
        return Glyph(self.advance, {(x + dx, y) for x, y in self.ink})


def parse(text):
    lines = text.split("\n")
    start = lines.index("BITMAP") + 1
    field = {line.split(" ", 1)[0]: [int(n) for n in line.split()[1:]] for line in lines[1 : start - 1]}
    w, h, x, y = field["BBX"]
    ink = set()
    for r, line in enumerate(lines[start:-1]):
        value, bits = int(line, 16) if line else 0, len(line) * 4
        ink |= {(x + c, y + h - 1 - r) for c in range(min(w, bits)) if value >> (bits - 1 - c) & 1}
    return field["ENCODING"][0], Glyph(field["DWIDTH"][0], ink)


def written(code, glyph, size, head=None):
    """The glyph as BDF text, keeping the name and lines of head (the glyph it replaces) but for its
    advance and bitmap."""
    x, y = glyph.left(), glyph.bottom()
    w, h = glyph.right() - x + 1, glyph.top() - y + 1
    span, ink = (w + 7) // 8 * 8, glyph.ink
    rows = [
        "%0*X" % (span // 4, sum(1 << (span - 1 - c) for c in range(w) if (x + c, y + h - 1 - r) in ink))
        for r in range(h)
    ]
    if head is None:
        swidth = glyph.advance * 1000 // size
        head = ["STARTCHAR uni%04X" % code, "ENCODING %d" % code, "SWIDTH %d 0" % swidth]
    head = [line for line in head if line.split(" ", 1)[0] not in ("DWIDTH", "BBX", "BITMAP")]
    metrics = ["DWIDTH %d 0" % glyph.advance, "BBX %d %d %d %d" % (w, h, x, y), "BITMAP"]
    return "\n".join(head + metrics + rows + ["ENDCHAR"])


def rendered(face, code, size):
    """The letter as FreeType draws the face's outline at the pixel size, hinted, in black and white."""
    face.set_pixel_sizes(0, size)
    face.load_char(code, freetype.FT_LOAD_RENDER | freetype.FT_LOAD_NO_BITMAP | freetype.FT_LOAD_TARGET_MONO)
    glyph, bitmap = face.glyph, face.glyph.bitmap
    ink = {
        (glyph.bitmap_left + c, glyph.bitmap_top - 1 - r)
        for r in range(bitmap.rows)
        for c in range(bitmap.width)
        if bitmap.buffer[r * bitmap.pitch + c // 8] >> (7 - c % 8) & 1
    }
    return Glyph((glyph.advance.x + 32) // 64, ink)


def spaced_as(glyph, like):
    """The glyph moved and its advance set so that it leaves the blank columns the other leaves."""
    before, after = like.blanks()
    moved = glyph.moved(before - glyph.left())
    moved.advance = moved.right() + 1 + after
    return moved


def with_mark(base, marked, plain):
    """The base letter with the mark of marked, the letter plain with that mark: the pixels of marked
    above or below plain's rows, placed as they stand from the middle of marked's own letter (half a
    pixel to the left, as the cedilla meets the stroke of "s" where it ends)."""
    low, high = plain.bottom(), plain.top()
    mark = {(x, y) for x, y in marked.ink if y < low or y > high}
    body = Glyph(0, {(x, y) for x, y in marked.ink if low <= y <= high})
    shift = math.ceil(base.centre() - body.centre() - 0.5)
    return Glyph(base.advance, base.ink | {(x + shift, y) for x, y in mark})


def mended(glyphs, size, schwa_face):
    """The glyphs of a strike that change, by letter."""
    g = {chr(code): glyph for code, glyph in glyphs.items() if code >= 0}
    made = {}
    for letter, base, marked, plain in MARKED:
        made[letter] = with_mark(g[base], g[marked], g[plain])
        if made[letter].blanks() != g[base].blanks():
            sys.exit("%d pixels: the mark of %s reaches beyond %s" % (size, marked, base))
    made["ı"] = Glyph(g["i"].advance, {(x, y) for x, y in g["i"].ink if y <= g["u"].top()})
    e = g["e"]
    made["ə"] = Glyph(e.advance, {(e.left() + e.right() - x, e.bottom() + e.top() - y) for x, y in e.ink})
    made["Ə"] = spaced_as(rendered(schwa_face, ord("Ə"), size), g["O"])
    for letter in CYRILLIC:
        before, after = g[letter].blanks()
        if before > 0 or after > 1:
            moved = g[letter].moved(-before)
            moved.advance = min(moved.advance, moved.right() + 2)
            made[letter] = moved
    return made


def mend_strike(path, size, schwa_face):
    with open(path) as f:
        bdf = f.read()
    glyphs = dict(parse(m.group(0)) for m in re.finditer(r"(?ms)^STARTCHAR .*?^ENDCHAR$", bdf))
    changed = {ord(c): glyph for c, glyph in mended(glyphs, size, schwa_face).items()}
    missing = [c for c in LETTERS if ord(c) not in glyphs and ord(c) not in changed]
    if missing:
        sys.exit("%d pixels: no bitmap of %s" % (size, "".join(missing)))

    def replaced(found):
        lines = found.group(0).split("\n")
        code, _ = parse(found.group(0))
        if code not in changed:
            return found.group(0)
        return written(code, changed.pop(code), size, lines[: lines.index("BITMAP")])

    bdf = re.sub(r"(?ms)^STARTCHAR .*?^ENDCHAR$", replaced, bdf)
    added = "".join(written(code, glyph, size) + "\n" for code, glyph in sorted(changed.items()))
    count = int(re.search(r"^CHARS (\d+)$", bdf, re.M).group(1)) + len(changed)
    bdf = re.sub(r"^CHARS \d+$", "CHARS %d" % count, bdf, flags=re.M)
    with open(path, "w") as f:
        f.write(bdf.replace("ENDFONT", added + "ENDFONT"))


def take_schwas(font, donor_path):
    """The schwas' outlines, for the sizes drawn from outlines, from the face the regular one was linked
    to for them."""
    donor = fontforge.open(donor_path)
    for code in (ord("ə"), ord("Ə")):
        copy_glyph(font, donor, code)
    donor.close()


def main(regular_path, schwa_path, out):
    font = fontforge.open(regular_path)
    schwa_face = freetype.Face(schwa_path)
    take_schwas(font, schwa_path)
    with tempfile.TemporaryDirectory() as work:
        strikes = export_strikes(font, work, "r")
        for size in SIZES:
            if size not in strikes:
                sys.exit("%s has no bitmaps at %d pixels" % (regular_path, size))
            mend_strike(strikes[size], size, schwa_face)
        # The letters made here reach neither extreme of any strike: the device metrics stay true.
        write_measured(font, strikes, regular_path, out)


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit("usage: fontforge -lang=py -script regular-tahoma.py TAHOMA DEJAVUSANS OUT")
    main(*sys.argv[1:])
