# Writes the bold Tahoma of the Wine prefix, which must draw every letter of the Azerbaijani, Turkish
# and Russian alphabets whole. Run by fontforge:
#   fontforge -lang=py -script bold-tahoma.py TAHOMA.TTF TAHOMABD.TTF DEJAVUSANS.TTF \
#     DEJAVUSANS-BOLD.TTF OUT
#
# Without a bold face Wine makes one up from the regular face, smoothed so thinly that the breve of "й"
# fades away; Wine's own bold face draws its small sizes from bitmaps half of which are regular-weight,
# and lacks the schwa. So the small sizes (the captions' 11 to 13 pixels) are the regular face's own
# bitmaps made bold the way bitmap fonts always were, each row widened by one pixel and each advance
# with it, so that bold letters stand as far apart as regular ones. The letters those bitmaps lack are
# first drawn in as Wine draws them in the regular face: by FreeType from the regular outlines, and
# the schwa from DejaVu Sans, to which the regular face is linked. A row is not widened where that
# would close a gap the regular letter has: at these sizes the dots of "ü" and the strokes of "м" stand
# one pixel apart. Larger sizes use Wine's bold outlines, and the letters they lack (the schwa) come
# from DejaVu Sans Bold.
import os
import re
import struct
import sys
import tempfile

import fontforge
import freetype

# The pixel sizes the bold captions are drawn at (8.25, 9 and 9.75 points). Other sizes are drawn from
# the outlines.
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


def regular_strikes(regular, folder, faces):
    """The regular face's bitmaps at the captions' sizes, each given the letters it lacks as Wine draws
    them: FreeType's hinted monochrome rendering of the first of faces (paths) that has the letter."""
    renderers = [freetype.Face(path) for path in faces]
    found = {}
    for size, path in export_strikes(regular, folder, "r").items():
        if size not in SIZES:
            continue
        with open(path) as f:
            bdf = f.read()
        present = {int(c) for c in re.findall(r"^ENCODING (\d+)$", bdf, re.M)}
        missing = [ord(c) for c in LETTERS if ord(c) not in present]
        glyphs = []
        for code in missing:
            face = next((face for face in renderers if face.get_char_index(code)), None)
            if face is None:
                sys.exit("No face has U+%04X" % code)
            glyphs.append(rendered(face, code, size))
        count = int(re.search(r"^CHARS (\d+)$", bdf, re.M).group(1)) + len(glyphs)
        bdf = re.sub(r"^CHARS \d+$", "CHARS %d" % count, bdf, flags=re.M)
        with open(path, "w") as f:
            f.write(bdf.replace("ENDFONT", "".join(glyphs) + "ENDFONT"))
        found[size] = path
    return found


def rendered(face, code, size):
    """A BDF glyph of the letter as FreeType draws it at the pixel size."""
    face.set_pixel_sizes(0, size)
    flags = freetype.FT_LOAD_RENDER | freetype.FT_LOAD_NO_BITMAP | freetype.FT_LOAD_TARGET_MONO
    face.load_char(code, flags)
    glyph, bitmap = face.glyph, face.glyph.bitmap
    advance = (glyph.advance.x + 32) // 64
    span = (bitmap.width + 7) // 8
    rows = "".join(
        bytes(bitmap.buffer[r * bitmap.pitch : r * bitmap.pitch + span]).hex().upper() + "\n"
        for r in range(bitmap.rows)
    )
    box = (bitmap.width, bitmap.rows, glyph.bitmap_left, glyph.bitmap_top - bitmap.rows)
    return (
        "STARTCHAR uni%04X\nENCODING %d\nSWIDTH %d 0\nDWIDTH %d 0\nBBX %d %d %d %d\nBITMAP\n%sENDCHAR\n"
        % ((code, code, advance * 1000 // size, advance) + box + (rows,))
    )


def widen(rows):
    """A glyph's rows of pixels (lists of booleans, each with a blank column on the right) made bold:
    each run of ink grows by a pixel to its right, or to its left where the right is taken, but never
    so that it touches another run of its row or, even at a corner, another separate part of the
    letter: the one-pixel gaps between the dots of "ü" and between the strokes of "м" stay open."""
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
            grow(r, start - 1, start - 2, part[r][start], sideways=True)
    return [[bool(p) for p in row] for row in part]


def embolden(bdf):
    """A BDF strike with every glyph made bold by widen, and one pixel wider, its advance too: the
    letters stand as far apart as the regular ones."""
    out = []
    width = 0
    rows = None
    for line in bdf.split("\n"):
        word = line.split(" ", 1)[0]
        if rows is not None and word != "ENDCHAR":
            value = int(line, 16) if line else 0
            bits = len(line) * 4
            rows.append([c < bits and bool(value >> (bits - 1 - c) & 1) for c in range(width + 1)])
            continue
        if word == "ENDCHAR" and rows is not None:
            size = (width + 1 + 7) // 8 * 8
            for row in widen(rows):
                value = sum(1 << (size - 1 - c) for c, ink in enumerate(row) if ink)
                out.append("%0*X" % (size // 4, value))
            rows = None
        elif word == "BITMAP":
            rows = []
        elif word in ("FONTBOUNDINGBOX", "BBX"):
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


def advances(path):
    """A strike's advance of each glyph, by code point."""
    with open(path) as f:
        found = re.findall(r"^ENCODING (\d+)\n(?:[^\n]*\n)*?DWIDTH (\d+)", f.read(), re.M)
    return {int(code): int(width) for code, width in found}


def tables(path):
    """A font file's tables, by tag."""
    with open(path, "rb") as f:
        data = f.read()
    (count,) = struct.unpack(">H", data[4:6])
    found = {}
    for i in range(count):
        name, _, offset, length = struct.unpack(">4sIII", data[12 + 16 * i : 28 + 16 * i])
        found[name] = data[offset : offset + length]
    return found


def checksum(data):
    data += b"\0" * (-len(data) % 4)
    return sum(struct.unpack(">%dI" % (len(data) // 4), data)) & 0xFFFFFFFF


def add_table(path, tag, data):
    """Adds a table to a font file. fontforge cannot write this one: it depends on the order of the
    glyphs in the file, which fontforge settles only while writing it."""
    found = tables(path)
    found[tag] = data
    head = bytearray(found[b"head"])
    head[8:12] = bytes(4)
    found[b"head"] = bytes(head)
    tags = sorted(found)
    power = 1 << (len(tags).bit_length() - 1)
    header = struct.pack(
        ">IHHHH", 0x10000, len(tags), 16 * power, power.bit_length() - 1, 16 * (len(tags) - power)
    )
    offset = len(header) + 16 * len(tags)
    directory, body, at = b"", b"", {}
    for name in tags:
        at[name] = offset + len(body)
        directory += struct.pack(">4sIII", name, checksum(found[name]), at[name], len(found[name]))
        body += found[name] + bytes(-len(found[name]) % 4)
    font = bytearray(header + directory + body)
    adjust = at[b"head"] + 8
    font[adjust : adjust + 4] = struct.pack(">I", (0xB1B0AFBA - checksum(bytes(font))) & 0xFFFFFFFF)
    with open(path, "wb") as f:
        f.write(font)


def device_metrics(path, widths):
    """An hdmx table giving each glyph of the font file its advance in pixels at the bitmap sizes:
    widths[size][code] where the strike has the glyph, else its outline's advance rounded."""
    font = fontforge.open(path)
    (count,) = struct.unpack(">H", tables(path)[b"maxp"][4:6])
    glyphs = {g.originalgid: g for g in font.glyphs()}
    record = (count + 2 + 3) // 4 * 4
    table = struct.pack(">HHI", 0, len(widths), record)
    for size in sorted(widths):
        row = [0] * count
        for gid, g in glyphs.items():
            row[gid] = widths[size].get(g.unicode, int(g.width * size / font.em + 0.5))
        table += struct.pack(">BB", size, max(row)) + bytes(row) + bytes(record - 2 - count)
    font.close()
    return table


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


def main(regular_path, bold_path, linked_path, donor_path, out):
    regular = fontforge.open(regular_path)
    bold = fontforge.open(bold_path)
    with tempfile.TemporaryDirectory() as work:
        made = {}
        strikes = regular_strikes(regular, work, (regular_path, linked_path))
        take_letters(bold, fontforge.open(donor_path), donor_path)
        for size, path in strikes.items():
            with open(path) as f:
                made[size] = os.path.join(work, "b-%d.bdf" % size)
                with open(made[size], "w") as g:
                    g.write(embolden(f.read()))
        bold.bitmapSizes = ()
        for size in sorted(made):
            bold.importBitmaps(made[size])
        widths = {size: advances(path) for size, path in made.items()}
    # Wine measures text by the outlines' advances and places the glyphs by the bitmaps': they must
    # agree, or centred and right-aligned captions stand askew. No one advance suits the bitmaps of all
    # three sizes (the regular "m" is 8, 10 and 11 pixels wide), so a table of advances by pixel size
    # (hdmx) gives each size its own, and the outlines keep the advances of Wine's bold face, whose
    # larger sizes they draw. FreeType reads that table only for a font whose hinting program asks to
    # be run as written (INSTCTRL 3); a font without any program would be hinted by FreeType's
    # automatic hinter instead.
    bold.setTableData("prep", bytes([0xB1, 0x04, 0x03, 0x8E]))  # PUSHB[1] 4 3, INSTCTRL
    # Wine sizes the face by its device metrics, which fontforge does not read; the bitmaps keep the
    # regular face's heights and the letters taken in reach neither extreme, so the table stays true.
    vdmx = tables(bold_path).get(b"VDMX")
    if vdmx:
        bold.setTableData("VDMX", vdmx)
    bold.generate(out, bitmap_type="ttf")
    add_table(out, b"hdmx", device_metrics(out, widths))


if __name__ == "__main__":
    if len(sys.argv) != 6:
        sys.exit("usage: fontforge -lang=py -script bold-tahoma.py TAHOMA TAHOMABD LINKED DONOR OUT")
    main(*sys.argv[1:])
