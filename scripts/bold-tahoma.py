# Writes the bold Tahoma of the Wine prefix, which must draw every letter of the Azerbaijani, Turkish
# and Russian alphabets whole. Run by fontforge:
#   fontforge -lang=py -script bold-tahoma.py TAHOMA.TTF TAHOMABD.TTF DEJAVUSANS-BOLD.TTF OUT
#
# Without a bold face Wine makes one up from the regular face, smoothed so thinly that the breve of "й"
# fades away; Wine's own bold face draws its small sizes from bitmaps half of which are regular-weight,
# and lacks the schwa. So the small sizes (the captions' 11 to 13 pixels) are the regular face's own
# bitmaps made bold the way bitmap fonts always were, each row widened by one pixel, with the letters
# those bitmaps lack drawn in from the regular outlines first. Larger sizes use Wine's bold outlines,
# and the letters they lack (the schwa) come from DejaVu Sans Bold.
import math
import os
import re
import struct
import sys
import tempfile

import fontforge

# The pixel sizes the bold captions are drawn at (8.25, 9 and 9.75 points): one advance per glyph must
# suit the bitmaps of all of them, which the regular face's hand-made sizes below and above would
# not allow. Other sizes are drawn from the outlines.
SIZES = (11, 12, 13)

LETTERS = (
    "abcçdeəfgğhxıijkqlmnoöprsştuüvyzABCÇDEƏFGĞHXIİJKQLMNOÖPRSŞTUÜVYZâîûÂÎÛ"
    "абвгдеёжзийклмнопрстуфхцчшщъыьэюяАБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ"
)


def has(font, code):
    return code in font and font[code].isWorthOutputting()


def strikes(folder, prefix):
    """The BDF files fontforge wrote for a font's bitmap sizes, by pixel size."""
    found = {}
    for name in os.listdir(folder):
        m = re.match(re.escape(prefix) + r"-(\d+)\.bdf$", name)
        if m:
            found[int(m.group(1))] = os.path.join(folder, name)
    return found


def export_strikes(font, folder, prefix):
    for name in os.listdir(folder):
        os.remove(os.path.join(folder, name))
    font.generate(os.path.join(folder, prefix + ".ttf"), bitmap_type="bdf")
    return strikes(folder, prefix)


def regular_strikes(regular, folder):
    """The regular face's bitmaps at the captions' sizes, each given the letters it lacks, drawn from
    the outlines."""
    for size, path in export_strikes(regular, folder, "r").items():
        if size not in SIZES:
            continue
        with open(path) as f:
            present = {int(c) for c in re.findall(r"^ENCODING (\d+)$", f.read(), re.M)}
        missing = [ord(c) for c in LETTERS if ord(c) not in present and has(regular, ord(c))]
        if missing:
            regular.selection.none()
            for code in missing:
                regular.selection.select(("more", "unicode"), code)
            regular.regenBitmaps((size,))
    return {size: path for size, path in export_strikes(regular, folder, "r").items() if size in SIZES}


def embolden(bdf, advance):
    """A BDF strike with every glyph one pixel wider and each row smeared one pixel to the right.
    advance(code, width) gives a glyph's advance in pixels."""
    out = []
    width = 0
    code = -1
    rows = False
    for line in bdf.split("\n"):
        word = line.split(" ", 1)[0]
        if rows and word != "ENDCHAR":
            bits = len(line) * 4
            size = (width + 1 + 7) // 8 * 8
            value = int(line, 16) if line else 0
            value = value << (size - bits) if size >= bits else value >> (bits - size)
            out.append("%0*X" % (size // 4, value | value >> 1))
            continue
        rows = word == "BITMAP"
        if word in ("FONTBOUNDINGBOX", "BBX"):
            w, h, x, y = map(int, line.split()[1:])
            width = w
            line = "%s %d %d %d %d" % (word, w + 1, h, x, y)
        elif word == "ENCODING":
            code = int(line.split()[1])
        elif word == "DWIDTH":
            dx, dy = map(int, line.split()[1:])
            line = "DWIDTH %d %d" % (advance(code, dx + 1), dy)
        elif word == "WEIGHT_NAME":
            line = 'WEIGHT_NAME "Bold"'
        out.append(line)
    return "\n".join(out)


def advances(path):
    """A strike's advance of each glyph, by code point."""
    with open(path) as f:
        found = re.findall(r"^ENCODING (\d+)\n(?:[^\n]*\n)*?DWIDTH (\d+)", f.read(), re.M)
    return {int(code): int(width) for code, width in found}


def fit_widths(bold, strikes):
    """Gives each glyph of the bold face an advance that, scaled to any bitmap size and rounded, is at
    least its bitmap's made-bold advance there, and no less than its outline needs."""
    needed = {}
    for size, path in strikes.items():
        for code, width in advances(path).items():
            need = (width + 1 - 0.5) * bold.em / size
            needed[code] = max(needed.get(code, 0), need)
    for code, need in needed.items():
        if has(bold, code):
            glyph = bold[code]
            glyph.width = int(math.ceil(max(need, glyph.boundingBox()[2])))


def raw_table(path, tag):
    with open(path, "rb") as f:
        data = f.read()
    (count,) = struct.unpack(">H", data[4:6])
    for i in range(count):
        name, _, offset, length = struct.unpack(">4sIII", data[12 + 16 * i : 28 + 16 * i])
        if name == tag:
            return data[offset : offset + length]
    return None


def take_letters(font, donor, donor_path):
    if font.em != donor.em:
        donor.em = font.em
    for code in (ord(c) for c in LETTERS):
        if has(font, code):
            continue
        if not has(donor, code):
            sys.exit("%s has no U+%04X either" % (donor_path, code))
        donor.selection.select(("unicode",), code)
        donor.unlinkReferences()
        donor.copy()
        font.createChar(code, donor[code].glyphname)
        font.selection.select(("unicode",), code)
        font.paste()


def main(regular_path, bold_path, donor_path, out):
    regular = fontforge.open(regular_path)
    bold = fontforge.open(bold_path)
    with tempfile.TemporaryDirectory() as work:
        made = {}
        strikes = regular_strikes(regular, work)
        # Wine measures text by the outlines' advances and places the glyphs by the bitmaps': they
        # must agree, or centred and right-aligned captions stand askew.
        fit_widths(bold, strikes)
        for size, path in strikes.items():

            def advance(code, made_bold, size=size):
                if has(bold, code):
                    return int(bold[code].width * size / bold.em + 0.5)
                return made_bold

            with open(path) as f:
                made[size] = os.path.join(work, "b-%d.bdf" % size)
                with open(made[size], "w") as g:
                    g.write(embolden(f.read(), advance))
        bold.bitmapSizes = ()
        for size in sorted(made):
            bold.importBitmaps(made[size])
    take_letters(bold, fontforge.open(donor_path), donor_path)
    # A font without any hinting program is hinted by FreeType's automatic hinter, which moves the
    # advances off the bitmaps' own; a program that does nothing keeps them at the outlines' widths.
    bold.setTableData("prep", bytes([0xB0, 0x00, 0x21]))  # PUSHB[0] 0, POP
    # Wine sizes the face by its device metrics, which fontforge does not read; the bitmaps keep the
    # regular face's heights and the letters taken in reach neither extreme, so the table stays true.
    vdmx = raw_table(bold_path, b"VDMX")
    if vdmx:
        bold.setTableData("VDMX", vdmx)
    bold.generate(out, bitmap_type="ttf")


if __name__ == "__main__":
    if len(sys.argv) != 5:
        sys.exit("usage: fontforge -lang=py -script bold-tahoma.py TAHOMA TAHOMABD DONOR OUT")
    main(*sys.argv[1:])
