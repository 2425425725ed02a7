# Writes a bold Tahoma that has every letter of the Azerbaijani, Turkish and Russian alphabets:
# Wine's own bold face with the letters it lacks (the schwa) taken from DejaVu Sans Bold.
# Run by fontforge: fontforge -lang=py -script bold-tahoma.py <Wine's tahomabd.ttf> <DejaVuSans-Bold.ttf> <out>
#
# The bold face is needed at all because a bold made up from the regular face loses the breve of "й",
# and the font link that lends the regular face its schwa is not followed from a bold face.
import struct
import sys

import fontforge

LETTERS = (
    "abcçdeəfgğhxıijkqlmnoöprsştuüvyzABCÇDEƏFGĞHXIİJKQLMNOÖPRSŞTUÜVYZâîûÂÎÛ"
    "абвгдеёжзийклмнопрстуфхцчшщъыьэюяАБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ"
)


def has(font, code):
    return code in font and font[code].isWorthOutputting()


def raw_table(path, tag):
    with open(path, "rb") as f:
        data = f.read()
    (count,) = struct.unpack(">H", data[4:6])
    for i in range(count):
        name, _, offset, length = struct.unpack(">4sIII", data[12 + 16 * i : 28 + 16 * i])
        if name == tag:
            return data[offset : offset + length]
    return None


def main(bold, donor_path, out):
    font = fontforge.open(bold)
    donor = fontforge.open(donor_path)
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
    # Wine sizes the face by its device metrics, which fontforge does not read; the letters taken in
    # reach neither extreme, so Wine's table stays true.
    vdmx = raw_table(bold, b"VDMX")
    if vdmx:
        font.setTableData("VDMX", vdmx)
    # The small sizes are drawn from the face's own bitmaps, which are kept; a letter taken in has no
    # bitmap there and is drawn from its outline.
    font.generate(out, bitmap_type="ttf")


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit("usage: fontforge -lang=py -script bold-tahoma.py BOLD DONOR OUT")
    main(*sys.argv[1:])
