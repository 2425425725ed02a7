# What the prefix's Tahoma scripts (regular-tahoma.py, bold-tahoma.py) share: a font's bitmap strikes
# as BDF files, and the tables fontforge cannot write.
import os
import re
import struct

import fontforge


def export_strikes(font, folder, prefix):
    """Writes the font's bitmap strikes as BDF files into an empty folder; their paths by pixel size."""
    for name in os.listdir(folder):
        os.remove(os.path.join(folder, name))
    font.generate(os.path.join(folder, prefix + ".ttf"), bitmap_type="bdf")
    found = {}
    for name in os.listdir(folder):
        m = re.match(re.escape(prefix) + r"-(\d+)\.bdf$", name)
        if m:
            found[int(m.group(1))] = os.path.join(folder, name)
    return found


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


# Wine measures text by the outlines' advances and places the glyphs by the bitmaps': they must agree,
# or text laid out by its measure (the search box's, a centred caption) stands askew or gapped. No one
# advance suits the bitmaps of every size (the regular "m" is 8, 10 and 11 pixels wide at 11 to 13), so
# a table of advances by pixel size (hdmx, add_table with device_metrics) gives each size its own.
# FreeType reads that table only for a font whose hinting program asks to be run as written (INSTCTRL
# 3); a font without any program, as Wine's Tahoma faces are, is hinted by FreeType's automatic hinter
# instead, which makes up advances of its own.
RUN_AS_WRITTEN = bytes([0xB1, 0x04, 0x03, 0x8E])  # PUSHB[1] 4 3, INSTCTRL


def copy_glyph(font, donor, code):
    """Puts the donor's glyph of a code point, references unlinked, into the font (same em first)."""
    if font.em != donor.em:
        donor.em = font.em
    donor.selection.select(("unicode",), code)
    donor.unlinkReferences()
    donor.copy()
    font.createChar(code, donor[code].glyphname)
    font.selection.select(("unicode",), code)
    font.paste()


def write_measured(font, strikes, metrics_from, out):
    """Writes the font with the strikes (BDF files by pixel size) as its bitmaps, each size measured as
    drawn (RUN_AS_WRITTEN and hdmx above). Wine sizes a face by its device metrics (VDMX), which
    fontforge does not read: they are copied from the font at metrics_from, which the strikes keep the
    heights of."""
    font.bitmapSizes = ()
    for size in sorted(strikes):
        font.importBitmaps(strikes[size])
    widths = {size: advances(path) for size, path in strikes.items()}
    font.setTableData("prep", RUN_AS_WRITTEN)
    vdmx = tables(metrics_from).get(b"VDMX")
    if vdmx:
        font.setTableData("VDMX", vdmx)
    font.generate(out, bitmap_type="ttf")
    add_table(out, b"hdmx", device_metrics(out, widths))
