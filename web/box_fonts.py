"""The text box's fonts for the page: Liberation Sans cut to Windows-1252, one face for each pixel
size the text box takes, written as CSS @font-face rules with the fonts embedded.

The desktop's text box measures every glyph advance in 1/64 pixel, rounded down, and every
kerning value rounded to 1/64 pixel; a browser measures them exactly. Each face here carries
the advances and kerning values the desktop measures at its size, so that the page's text box
wraps its lines where the window's does.

Usage: box_fonts.py FONT.ttf OUT.css"""
import base64
import io
import math
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

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


def at_size(path, px):
    font = cut(path)
    em = font["head"].unitsPerEm

    def advance(units):  # the desktop's advance, in font units again
        return round(math.floor(units * px * 64 / em) / 64 * em / px)

    def kerning(units):
        return round(round(units * px * 64 / em) / 64 * em / px)

    metrics = font["hmtx"].metrics
    for glyph, (width, bearing) in metrics.items():
        metrics[glyph] = (advance(width), bearing)
    for lookup in font["GPOS"].table.LookupList.Lookup:
        if lookup.LookupType != 2:
            continue
        for table in lookup.SubTable:
            records = []
            if table.Format == 1:
                for pair_set in table.PairSet:
                    records += [r.Value1 for r in pair_set.PairValueRecord]
            else:
                for class1 in table.Class1Record:
                    records += [r.Value1 for r in class1.Class2Record]
            for value in records:
                if value is not None and getattr(value, "XAdvance", None):
                    value.XAdvance = kerning(value.XAdvance)
    font["name"].setName(f"Text Box {px}", 1, 3, 1, 0x409)
    data = io.BytesIO()
    font.flavor = "woff2"
    font.save(data)
    return data.getvalue()


def main():
    path, out = sys.argv[1:3]
    rules = []
    for px in PIXEL_SIZES:
        data = base64.b64encode(at_size(path, px)).decode()
        rules.append(f'@font-face {{ font-family: "TextBox{px}"; src: url(data:font/woff2;base64,{data}) format("woff2"); }}')
    with open(out, "w") as f:
        f.write("\n".join(rules) + "\n")


if __name__ == "__main__":
    main()
