# Writes the serif family that stands in the Wine prefix for Times New Roman, the lists' face, in its
# four styles. Run by fontforge:
#   fontforge -lang=py -script list-serif.py HINTED_FOLDER SCHWA_FOLDER OUT_FOLDER
#
# At the lists' sizes the fonts draw Times New Roman in black and white, hinted (their gasp tables ask
# for no grey between 11 and 17 pixels), so a vertical stem covers as many pixels as the hinting fits
# it to. The instructions of Liberation Serif 2 fit only some of them: at 16 pixels the stems of "k",
# "f", "н", "к", "в", "и", "п" cover two pixels, those of "l" and "т" one, and a word reads half bold.
# Liberation Serif 1 (HINTED_FOLDER) has the same advances and instructions that fit every stem, but
# lacks the schwa. The schwa is pasted in from Liberation Serif 2 (SCHWA_FOLDER) with its outline and
# advance; fontforge leaves its instructions behind (they call functions of their own font), so it is
# drawn without hints, and the capital's stem may cover two pixels. The family is renamed: a changed
# font may not keep its name, and Wine would take the newer Liberation Serif 2 for that name.
import os
import sys

import fontforge

FAMILY = "Vexa Serif"
STYLES = ("Regular", "Bold", "Italic", "BoldItalic")
SCHWAS = (0x0259, 0x018F)


def with_schwas(font, donor):
    for code in SCHWAS:
        donor.selection.select(code)
        donor.copy()
        font.createChar(code)
        font.selection.select(code)
        font.paste()


def rename(font, style):
    words = {"Regular": "", "Bold": " Bold", "Italic": " Italic", "BoldItalic": " Bold Italic"}[style]
    font.familyname = FAMILY
    font.fullname = FAMILY + words
    font.fontname = FAMILY.replace(" ", "") + ("" if style == "Regular" else "-" + style)
    # The old names are stored in the name table too, and would be read before these.
    dropped = ("Family", "Fullname", "PostScriptName", "UniqueID", "Trademark")
    font.sfnt_names = tuple(n for n in font.sfnt_names if n[1] not in dropped)


def main(hinted_folder, schwa_folder, out_folder):
    for style in STYLES:
        name = "LiberationSerif-%s.ttf" % style
        font = fontforge.open(os.path.join(hinted_folder, name))
        donor = fontforge.open(os.path.join(schwa_folder, name))
        with_schwas(font, donor)
        rename(font, style)
        font.generate(os.path.join(out_folder, "VexaSerif-%s.ttf" % style))
        font.close()
        donor.close()


if __name__ == "__main__":
    if len(sys.argv) != 4:
        raise SystemExit("usage: list-serif.py HINTED_FOLDER SCHWA_FOLDER OUT_FOLDER")
    main(*sys.argv[1:])
