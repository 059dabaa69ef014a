"""Decodes PNG files with Pillow and writes what the bitmap decoder must produce for each, so that
the native decoder tests can compare pixel for pixel with an independent decoder.

Usage: pillow_png_reference.py OUT_DIR PNG...
For each input NAME.png it writes OUT_DIR/NAME.ref: a text line "WIDTH HEIGHT COLOUR_TYPE\n" then
WIDTH x HEIGHT x 4 bytes, top row first, in the order red, green, blue, alpha. Colour bytes are
8-bit (16-bit samples keep their high byte); alpha is the image's own for grey-with-alpha and RGBA
images (colour types 4 and 6) and 255 otherwise. A file Pillow cannot decode gets "error\n".
"""
import os
import struct
import sys

import numpy
from PIL import Image


def colour_type(path):
    with open(path, "rb") as f:
        head = f.read(33)
    # Signature (8), IHDR length and type (8), width, height, depth, colour type.
    return head[25]


def rgba_bytes(image, ctype):
    mode = image.mode
    if mode.startswith("I"):
        # 16-bit grey: keep the high byte of each sample.
        grey = Image.fromarray((numpy.asarray(image).astype(numpy.uint32) >> 8).astype(numpy.uint8), "L")
        rgb = Image.merge("RGB", (grey, grey, grey))
    else:
        rgb = image.convert("RGBA" if ctype in (4, 6) else "RGB")
    if ctype in (4, 6):
        rgba = rgb if rgb.mode == "RGBA" else image.convert("RGBA")
    else:
        rgba = rgb.convert("RGB")
        rgba.putalpha(255)
    return rgba.tobytes()


def main():
    out_dir = sys.argv[1]
    os.makedirs(out_dir, exist_ok=True)
    for path in sys.argv[2:]:
        name = os.path.splitext(os.path.basename(path))[0]
        target = os.path.join(out_dir, name + ".ref")
        try:
            with Image.open(path) as image:
                image.load()
                data = rgba_bytes(image, colour_type(path))
                header = "%d %d %d\n" % (image.width, image.height, colour_type(path))
        except Exception:  # noqa: BLE001 - any refusal counts as "error"
            with open(target, "w") as f:
                f.write("error\n")
            continue
        with open(target, "wb") as f:
            f.write(header.encode("ascii"))
            f.write(data)


if __name__ == "__main__":
    main()
