#!/usr/bin/python3
"""Draws the main window's glyphs and icon as 16-colour PNG files.

Each glyph is two 16x16 images side by side: the normal one and the disabled one (the
shape embossed in grey). The icon is 32x32. Run it from this folder to regenerate.
"""
from PIL import Image, ImageDraw

# The 16 colours of the classic palette.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
    (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
    (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
FACE = (192, 192, 192)


def to_16(img):
    pal = Image.new("P", (1, 1))
    flat = [c for rgb in PALETTE for c in rgb]
    pal.putpalette(flat + [0] * (768 - len(flat)))
    return img.convert("RGB").quantize(palette=pal, dither=Image.Dither.NONE)


def save_glyph(img, name):
    """Saves with the button-face colour transparent, so the glyph sits on any face."""
    to_16(img).save(name, optimize=False, transparency=PALETTE.index(FACE))


def disabled(img):
    """The shape in grey with a white highlight below-right, on the button face."""
    out = Image.new("RGB", img.size, FACE)
    w, h = img.size
    src = img.load()
    dst = out.load()
    # White parts stay as holes, everything else of the picture turns grey.
    shape = {(x, y) for y in range(h) for x in range(w) if src[x, y] not in (FACE, (255, 255, 255))}
    for x, y in shape:
        if (x + 1, y + 1) not in shape and x + 1 < w and y + 1 < h:
            dst[x + 1, y + 1] = (255, 255, 255)
    for x, y in shape:
        dst[x, y] = (128, 128, 128)
    return out


def glyph(name, draw_fn):
    img = Image.new("RGB", (16, 16), FACE)
    draw_fn(ImageDraw.Draw(img))
    both = Image.new("RGB", (32, 16), FACE)
    both.paste(img, (0, 0))
    both.paste(disabled(img), (16, 0))
    save_glyph(both, name)


def bulb(d):  # Hint me!: a light bulb
    d.ellipse((3, 1, 12, 10), fill=(255, 255, 0), outline=(0, 0, 0))
    d.rectangle((6, 10, 9, 13), fill=(128, 128, 128), outline=(0, 0, 0))
    d.line((6, 14, 9, 14), fill=(0, 0, 0))
    d.line((7, 4, 7, 7), fill=(255, 255, 255))


def check(d):  # Score me!: a green tick in a box
    d.rectangle((1, 1, 14, 14), fill=(255, 255, 255), outline=(0, 0, 0))
    d.line((3, 8, 6, 11), fill=(0, 128, 0), width=2)
    d.line((6, 11, 12, 4), fill=(0, 128, 0), width=2)


def question(d):  # Help: a question mark in a blue disc
    d.ellipse((1, 1, 14, 14), fill=(0, 0, 128), outline=(0, 0, 0))
    d.arc((5, 3, 10, 8), 180, 90, fill=(255, 255, 255), width=2)
    d.line((8, 8, 8, 9), fill=(255, 255, 255), width=2)
    d.point([(7, 12), (8, 12)], fill=(255, 255, 255))


def info(d):  # About: an "i" in a teal disc
    d.ellipse((1, 1, 14, 14), fill=(0, 128, 128), outline=(0, 0, 0))
    d.rectangle((7, 3, 8, 4), fill=(255, 255, 255))
    d.rectangle((7, 6, 8, 12), fill=(255, 255, 255))
    d.line((6, 12, 9, 12), fill=(255, 255, 255))


def icon(name):
    img = Image.new("RGB", (32, 32), (0, 0, 128))
    d = ImageDraw.Draw(img)
    d.rectangle((0, 0, 31, 31), outline=(255, 255, 0))
    d.rectangle((2, 2, 29, 29), outline=(0, 0, 0))
    # A big question mark beside a "2".
    d.arc((4, 4, 17, 17), 180, 90, fill=(255, 255, 0), width=3)
    d.line((11, 16, 11, 20), fill=(255, 255, 0), width=3)
    d.rectangle((10, 24, 12, 26), fill=(255, 255, 0))
    d.arc((17, 11, 27, 19), 200, 20, fill=(255, 255, 255), width=2)
    d.line((26, 17, 18, 26), fill=(255, 255, 255), width=2)
    d.line((18, 26, 27, 26), fill=(255, 255, 255), width=2)
    to_16(img).save(name, optimize=True)


if __name__ == "__main__":
    glyph("hint.png", bulb)
    glyph("score.png", check)
    glyph("help.png", question)
    glyph("about.png", info)
    icon("brevant.png")
