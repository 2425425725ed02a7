# Writes the bold Tahoma of the Wine prefix, which must draw every letter of the Azerbaijani, Turkish
# and Russian alphabets whole. Run by fontforge:
#   fontforge -lang=py -script bold-tahoma.py TAHOMA.TTF TAHOMABD.TTF DEJAVUSANS-BOLD.TTF OUT
# where TAHOMA.TTF is the prefix's regular face, as regular-tahoma.py writes it.
#
# Without a bold face Wine makes one up from the regular face, smoothed so thinly that the breve of "й"
# fades away; Wine's own bold face draws its small sizes from bitmaps half of which are regular-weight,
# and lacks the schwa. So the small sizes (the captions' 11 to 13 pixels) are the regular face's own
# bitmaps, which hold every letter there, made bold the way bitmap fonts always were, each row widened
# by one pixel and each advance with it, so that bold letters stand as far apart as regular ones. A row
# is not widened where that would close a gap the regular letter has: at these sizes the dots of "ü"
# and the strokes of "м" stand one pixel apart. Where that leaves a stroke of a letter thin, so that
# the letter comes out lopsided (the 11-pixel "м" read as "и"), the letter is Wine's own bold bitmap of
# it where that one is bold and whole, its advance growing with its width. Larger sizes use Wine's bold
# outlines, and the letters they lack (the schwa) come from DejaVu Sans Bold.
import os
import re
import sys
import tempfile

import fontforge
import freetype

from font_tables import copy_glyph, export_strikes, write_measured

# The pixel sizes the bold captions are drawn at (8.25, 9 and 9.75 points). Other sizes are drawn from
# the outlines.
SIZES = (11, 12, 13)

LETTERS = (
    "abcçdeəfgğhxıijkqlmnoöprsştuüvyzABCÇDEƏFGĞHXIİJKQLMNOÖPRSŞTUÜVYZâîûÂÎÛ"
    "абвгдеёжзийклмнопрстуфхцчшщъыьэюяАБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ"
)


def has(font, code):
    return code in font and font[code].isWorthOutputting()


def regular_strikes(regular, folder):
    """The regular face's bitmaps at the captions' sizes, which must hold every letter."""
    found = {}
    for size, path in export_strikes(regular, folder, "r").items():
        if size not in SIZES:
            continue
        with open(path) as f:
            present = {int(c) for c in re.findall(r"^ENCODING (\d+)$", f.read(), re.M)}
        missing = "".join(c for c in LETTERS if ord(c) not in present)
        if missing:
            sys.exit("The regular face has no bitmap of %s at %d pixels" % (missing, size))
        found[size] = path
    return found


def widen(rows):
    """A glyph's rows of pixels (lists of booleans, each with a blank column on the right) made bold:
    each run of ink grows by a pixel to its right, or to its left where the right is taken, but never
    so that it touches another run of its row or, even at a corner, another separate part of the
    letter: the one-pixel gaps between the dots of "ü" and between the strokes of "м" stay open. Also
    whether some run could grow neither way: that stroke stays thin beside bold ones."""
    height = len(rows)
    width = len(rows[0]) if rows else 0
    # Which separate part of the letter each pixel belongs to, 0 for none.
    part = [[0] * width for _ in rows]
    parts = 0
    for r in range(height):
        for c in range(width):
            if rows[r][c] and not part[r][c]:
                parts += 1
                part[r][c] = parts
                stack = [(r, c)]
                while stack:
                    y, x = stack.pop()
                    for v in range(max(y - 1, 0), min(y + 2, height)):
                        for u in range(max(x - 1, 0), min(x + 2, width)):
                            if rows[v][u] and not part[v][u]:
                                part[v][u] = parts
                                stack.append((v, u))

    def grow(r, c, beyond, owner, sideways=False):
        if c < 0 or c >= width or part[r][c] or (0 <= beyond < width and part[r][beyond]):
            return False
        # Growing left only thickens what stands alone in its column (a dot, a breve), so that a
        # round stroke does not get a square corner.
        if sideways and any(0 <= v < height and part[v][c] for v in (r - 1, r + 1)):
            return False
        for v in range(max(r - 1, 0), min(r + 2, height)):
            if any(part[v][u] not in (0, owner) for u in range(max(c - 1, 0), min(c + 2, width))):
                return False
        part[r][c] = owner
        return True

    thin = False
    for r in range(height):
        runs = []
        c = 0
        while c < width:
            if rows[r][c]:
                start = c
                while c < width and rows[r][c]:
                    c += 1
                runs.append((start, c - 1))
            else:
                c += 1
        blocked = [start for start, end in runs if not grow(r, end + 1, end + 2, part[r][end])]
        for start in blocked:
            thin |= not grow(r, start - 1, start - 2, part[r][start], sideways=True)
    return [[bool(p) for p in row] for row in part], thin


def pixels(rows, x, y):
    """A glyph's dark pixels as (column, row) from its origin, rows counted up from the baseline, given
    its rows top to bottom and where the bottom left corner of their box stands."""
    height = len(rows)
    return {(x + c, y + height - 1 - r) for r, row in enumerate(rows) for c, dark in enumerate(row) if dark}


def shape(ink):
    """What the font test counts in a letter: its pieces of ink (pixels touching at a corner are one
    piece), the holes they enclose (blank pixels meeting at their sides) and the runs of ink of each
    row."""
    xs, ys = [x for x, _ in ink], [y for _, y in ink]
    left, right, bottom, top = min(xs) - 1, max(xs) + 1, min(ys) - 1, max(ys) + 1
    found = {True: 0, False: 0}
    seen = set()
    for start in ((x, y) for x in range(left, right + 1) for y in range(bottom, top + 1)):
        if start in seen:
            continue
        dark = start in ink
        seen.add(start)
        stack, outside = [start], False
        while stack:
            x, y = stack.pop()
            outside |= x in (left, right) or y in (bottom, top)
            for u in range(max(x - 1, left), min(x + 2, right + 1)):
                for v in range(max(y - 1, bottom), min(y + 2, top + 1)):
                    if (u, v) not in seen and ((u, v) in ink) == dark and (dark or u == x or v == y):
                        seen.add((u, v))
                        stack.append((u, v))
        found[dark] += dark or not outside
    runs = {}
    for x, y in ink:
        runs[y] = runs.get(y, 0) + ((x - 1, y) not in ink)
    return found[True], found[False], runs


def whole(bold, regular):
    """Whether the bold letter keeps the regular one's pieces of ink, its holes and the gaps of each of
    its rows, as the font test counts them."""
    pieces, holes, runs = shape(bold)
    want_pieces, want_holes, want_runs = shape(regular)
    return (
        pieces == want_pieces
        and holes >= want_holes
        and all(runs.get(y, 0) >= n for y, n in want_runs.items())
    )


def own_letter(face, size, code):
    """The letter's pixels as the face's own bitmap at the pixel size draws it; None where the face has
    no bitmap of it."""
    face.set_pixel_sizes(0, size)
    if not face.get_char_index(code):
        return None
    face.load_char(code, freetype.FT_LOAD_DEFAULT)
    glyph, bitmap = face.glyph, face.glyph.bitmap
    if glyph.format != freetype.FT_GLYPH_FORMAT_BITMAP or bitmap.pixel_mode != freetype.FT_PIXEL_MODE_MONO:
        return None
    rows = [
        [bool(bitmap.buffer[r * bitmap.pitch + c // 8] >> (7 - c % 8) & 1) for c in range(bitmap.width)]
        for r in range(bitmap.rows)
    ]
    return pixels(rows, glyph.bitmap_left, glyph.bitmap_top - bitmap.rows)


def hex_rows(rows):
    size = (len(rows[0]) + 7) // 8 * 8 if rows else 8
    return [
        "%0*X" % (size // 4, sum(1 << (size - 1 - c) for c, ink in enumerate(row) if ink)) for row in rows
    ]


def embolden(bdf, own):
    """A BDF strike made bold: every glyph by widen, one pixel wider and its advance too, so that the
    letters stand as far apart as the regular ones. Where widen leaves a stroke of a letter thin, the
    letter comes out lopsided (the 11-pixel "м" read as "и"): it is then own(code), the bold face's
    own bitmap of it, if that is truly bold (more ink than the regular letter) and whole. Its ink
    starts where the regular letter's does and its advance grows with its width, so that the blank
    columns on either side stay the regular letter's."""
    letters = {ord(c) for c in LETTERS}
    boxes = []

    def glyph(found):
        lines = found.group(0).split("\n")
        start = lines.index("BITMAP") + 1
        field = {line.split(" ", 1)[0]: [int(n) for n in line.split()[1:]] for line in lines[1 : start - 1]}
        code = field["ENCODING"][0]
        advance, rise = field["DWIDTH"]
        w, h, x, y = field["BBX"]
        rows = []
        for line in lines[start:-1]:
            value, bits = int(line, 16) if line else 0, len(line) * 4
            rows.append([c < bits and bool(value >> (bits - 1 - c) & 1) for c in range(w + 1)])
        bold, thin = widen(rows)
        regular = pixels(rows, x, y)
        letter = own(code) if thin and code in letters else None
        if letter and len(letter) > len(regular) and whole(letter, regular):
            shift = min(u for u, _ in regular) - min(u for u, _ in letter)
            letter = {(u + shift, v) for u, v in letter}
            x, y = min(u for u, _ in letter), min(v for _, v in letter)
            w, h = max(u for u, _ in letter) - x + 1, max(v for _, v in letter) - y + 1
            advance += max(u for u, _ in letter) - max(u for u, _ in regular)
            bold = [[(x + c, y + h - 1 - r) in letter for c in range(w)] for r in range(h)]
        else:
            w, advance = w + 1, advance + 1
        boxes.append((x, y, x + w, y + h))
        metrics = {"DWIDTH": "DWIDTH %d %d" % (advance, rise), "BBX": "BBX %d %d %d %d" % (w, h, x, y)}
        head = [metrics.get(line.split(" ", 1)[0], line) for line in lines[:start]]
        return "\n".join(head + hex_rows(bold) + ["ENDCHAR"])

    bdf = re.sub(r"(?ms)^STARTCHAR .*?^ENDCHAR$", glyph, bdf)
    left, bottom = min(b[0] for b in boxes), min(b[1] for b in boxes)
    right, top = max(b[2] for b in boxes), max(b[3] for b in boxes)
    box = "FONTBOUNDINGBOX %d %d %d %d" % (right - left, top - bottom, left, bottom)
    bdf = re.sub(r"(?m)^FONTBOUNDINGBOX .*$", box, bdf)
    return re.sub(r"(?m)^WEIGHT_NAME .*$", 'WEIGHT_NAME "Bold"', bdf)


def take_letters(font, donor, donor_path):
    for code in (ord(c) for c in LETTERS):
        if has(font, code):
            continue
        if not has(donor, code):
            sys.exit("%s has no U+%04X either" % (donor_path, code))
        copy_glyph(font, donor, code)


def main(regular_path, bold_path, donor_path, out):
    regular = fontforge.open(regular_path)
    bold = fontforge.open(bold_path)
    with tempfile.TemporaryDirectory() as work:
        made = {}
        strikes = regular_strikes(regular, work)
        take_letters(bold, fontforge.open(donor_path), donor_path)
        drawn = freetype.Face(bold_path)
        for size, path in strikes.items():
            with open(path) as f:
                made[size] = os.path.join(work, "b-%d.bdf" % size)
                with open(made[size], "w") as g:
                    g.write(embolden(f.read(), lambda code: own_letter(drawn, size, code)))
        # The outlines keep the advances of Wine's bold face, whose larger sizes they draw. The bitmaps
        # keep the regular face's heights and the letters taken in reach neither extreme, so the bold
        # face's device metrics stay true.
        write_measured(bold, made, bold_path, out)


if __name__ == "__main__":
    if len(sys.argv) != 5:
        sys.exit("usage: fontforge -lang=py -script bold-tahoma.py TAHOMA TAHOMABD DONOR OUT")
    main(*sys.argv[1:])
