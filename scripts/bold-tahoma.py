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
import os
import re
import struct
import sys
import tempfile

import fontforge

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
    """The regular face's bitmaps, each size given the letters it lacks, drawn from the outlines."""
    for size, path in export_strikes(regular, folder, "r").items():
        with open(path) as f:
            present = {int(c) for c in re.findall(r"^ENCODING (\d+)$", f.read(), re.M)}
        missing = [ord(c) for c in LETTERS if ord(c) not in present and has(regular, ord(c))]
        if missing:
            regular.selection.none()
            for code in missing:
                regular.selection.select(("more", "unicode"), code)
            regular.regenBitmaps((size,))
    return export_strikes(regular, folder, "r")


def embolden(bdf):
    """A BDF strike with every glyph one pixel wider and each row smeared one pixel to the right."""
    out = []
    width = 0
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
        elif word == "DWIDTH":
            dx, dy = map(int, line.split()[1:])
            line = "DWIDTH %d %d" % (dx + 1, dy)
        elif word == "WEIGHT_NAME":
            line = 'WEIGHT_NAME "Bold"'
        out.append(line)
    return "\n".join(out)


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
        for size, path in regular_strikes(regular, work).items():
            with open(path) as f:
                made[size] = os.path.join(work, "b-%d.bdf" % size)
                with open(made[size], "w") as g:
                    g.write(embolden(f.read()))
        bold.bitmapSizes = ()
        for size in sorted(made):
            bold.importBitmaps(made[size])
    take_letters(bold, fontforge.open(donor_path), donor_path)
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
