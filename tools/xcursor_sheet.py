#!/usr/bin/env python3
"""xcursor_sheet.py THEME_FOLDER OUT.png: an exported X cursor theme as the X cursor library reads
it, one row per cursor file: its name, then the first image of every size in the file with its hot
spot marked in red, then the frames of the largest size. Needs libxcursor1, Pillow and numpy."""
import os
import sys

import numpy as np
from PIL import Image, ImageDraw

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "tools"))
from xcursor_reader import load_xcursor  # noqa: E402

PAD = 8
LABEL = 90
MAX_FRAMES = 8


def straight_rgba(argb):
    a = (argb >> 24) & 0xFF
    out = np.zeros(argb.shape + (4,), dtype=np.uint8)
    for i, shift in enumerate((16, 8, 0)):
        c = (argb >> shift) & 0xFF
        out[..., i] = np.where(a > 0, np.minimum(255, (c * 255 + a // 2) // np.maximum(a, 1)), 0)
    out[..., 3] = a
    return Image.fromarray(out, "RGBA")


def main(folder, out):
    cursors = os.path.join(folder, "cursors")
    files = sorted(n for n in os.listdir(cursors) if not os.path.islink(os.path.join(cursors, n)))
    rows = []
    for name in files:
        images = load_xcursor(os.path.join(cursors, name))
        sizes = sorted({im[0] for im in images})
        firsts = [next(im for im in images if im[0] == s) for s in sizes]
        frames = [im for im in images if im[0] == sizes[-1]][:MAX_FRAMES]
        rows.append((name, firsts, frames[1:] if len(frames) > 1 else []))
    width = max(LABEL + sum(im[3].shape[1] + PAD for im in firsts + frames) for _, firsts, frames in rows) + PAD
    heights = [max(im[3].shape[0] for im in firsts + frames) + PAD for _, firsts, frames in rows]
    sheet = Image.new("RGBA", (width, sum(heights) + PAD), (236, 239, 243, 255))
    draw = ImageDraw.Draw(sheet)
    y = PAD
    for (name, firsts, frames), height in zip(rows, heights):
        draw.text((PAD, y + 4), name, fill=(40, 40, 40, 255))
        x = LABEL
        for i, (_, (hx, hy), _, pixels) in enumerate(firsts + frames):
            if i == len(firsts):
                x += PAD  # a gap between the sizes and the frames
            sheet.alpha_composite(straight_rgba(pixels), (x, y))
            if i < len(firsts):
                draw.rectangle((x + hx - 1, y + hy - 1, x + hx + 1, y + hy + 1), outline=(220, 0, 0, 255))
            x += pixels.shape[1] + PAD
        y += height
    sheet.convert("RGB").save(out, optimize=True)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2])
