"""The text box's fonts for the page: Liberation Sans cut to Windows-1252, one face for each pixel
size the text box takes, written as CSS @font-face rules with the fonts embedded.

Each face measures as the desktop's text box measures at its size, so that the page's box wraps
its lines where the window's does:
- its unit is 1/64 pixel at that size (the desktop measures in 1/64 pixel);
- every advance is the desktop's: the font's own, rounded down to 1/64 pixel;
- every kerning pair is the desktop's: rounded to 1/64 pixel;
- a glyph that reaches past its advance (box_overhangs.txt, made by the desktop itself) is
  wider by that reach before a space, and the space narrower by as much: the desktop wraps a
  word when its reach does not fit, and the page's box then does too, while the line's glyphs
  stand where they stood.

Usage: box_fonts.py FONT.ttf OVERHANGS.txt OUT.css"""
import base64
import io
import logging
import math
import sys

from fontTools import subset
from fontTools.feaLib.builder import addOpenTypeFeaturesFromString
from fontTools.ttLib import TTFont
from fontTools.ttLib.scaleUpem import scale_upem

# The text sizes' pixel sizes (points at 96 dpi, rounded as the desktop's font engine does).
PIXEL_SIZES = (11, 12, 13, 15, 16)


def windows_1252():
    characters = {0x09, 0x20}
    for byte in range(0x20, 0x100):
        try:
            characters.add(ord(bytes([byte]).decode("cp1252")))
        except UnicodeDecodeError:
            pass
    return sorted(characters)


def cut(path):
    font = TTFont(path)
    options = subset.Options()
    options.layout_features = ["kern", "liga"]
    options.hinting = False
    options.drop_tables += ["kern", "FFTM"]  # the GPOS kerning is the one both sides use
    cutter = subset.Subsetter(options)
    cutter.populate(unicodes=windows_1252())
    cutter.subset(font)
    return font


def kerning_pairs(font):
    """Every kerning pair of the font's GPOS, as {(left glyph, right glyph): x advance}."""
    glyphs = sorted(font.getGlyphOrder())
    pairs = {}
    for lookup in font["GPOS"].table.LookupList.Lookup:
        if lookup.LookupType != 2:
            continue
        for table in lookup.SubTable:
            if table.Format == 1:
                for first, pair_set in zip(table.Coverage.glyphs, table.PairSet):
                    for record in pair_set.PairValueRecord:
                        value = getattr(record.Value1, "XAdvance", 0) if record.Value1 else 0
                        if value:
                            pairs.setdefault((first, record.SecondGlyph), value)
            else:
                classes1, classes2 = table.ClassDef1.classDefs, table.ClassDef2.classDefs
                for first in table.Coverage.glyphs:
                    row = table.Class1Record[classes1.get(first, 0)]
                    for second in glyphs:
                        record = row.Class2Record[classes2.get(second, 0)]
                        value = getattr(record.Value1, "XAdvance", 0) if record.Value1 else 0
                        if value:
                            pairs.setdefault((first, second), value)
    return pairs


def at_size(path, px, reaches):
    font = cut(path)
    em = font["head"].unitsPerEm
    widths = {glyph: width for glyph, (width, _) in font["hmtx"].metrics.items()}
    pairs = kerning_pairs(font)
    scale_upem(font, px * 64)
    metrics = font["hmtx"].metrics
    for glyph, (_, bearing) in metrics.items():
        metrics[glyph] = (math.floor(widths[glyph] * px * 64 / em), bearing)

    del font["GPOS"]
    rules = ["languagesystem DFLT dflt;", "languagesystem latn dflt;", "feature kern {", "  lookup pairs {"]
    for (left, right), value in sorted(pairs.items()):
        if round(value * px * 64 / em):
            rules.append(f"    pos {left} {right} {round(value * px * 64 / em)};")
    rules.append("  } pairs;")
    cmap = font.getBestCmap()
    by_reach = {}
    for code, reach in reaches.get(px, {}).items():
        if code in cmap:
            by_reach.setdefault(reach, set()).add(cmap[code])
    for n, (reach, glyphs) in enumerate(sorted(by_reach.items())):
        reaching = "[" + " ".join(sorted(glyphs)) + "]"
        rules += [f"  lookup reach{n} {{", f"    pos {reaching}' {reach} space;",
                  f"    pos {reaching} space' {-reach};", f"  }} reach{n};"]
    rules.append("} kern;")
    addOpenTypeFeaturesFromString(font, "\n".join(rules))

    font["name"].setName(f"Text Box {px}", 1, 3, 1, 0x409)
    data = io.BytesIO()
    font.flavor = "woff2"
    font.save(data)
    return data.getvalue()


def read_reaches(path):
    """The table "PX: CODE=REACH ..." as {px: {code point: reach in 1/64 pixel}}."""
    reaches = {}
    for line in open(path):
        size, _, items = line.partition(":")
        reaches[int(size)] = {int(code, 16): int(reach) for code, reach in (i.split("=") for i in items.split())}
    return reaches


def main():
    logging.getLogger("fontTools").setLevel(logging.ERROR)
    path, table, out = sys.argv[1:4]
    reaches = read_reaches(table)
    rules = []
    for px in PIXEL_SIZES:
        data = base64.b64encode(at_size(path, px, reaches)).decode()
        rules.append(f'@font-face {{ font-family: "TextBox{px}"; src: url(data:font/woff2;base64,{data}) format("woff2"); }}')
    with open(out, "w") as f:
        f.write("\n".join(rules) + "\n")


if __name__ == "__main__":
    main()
