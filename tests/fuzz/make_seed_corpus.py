"""Writes the small seed corpora of the decoder and bitmap fuzz targets (tests/fuzz/corpus/).
Run with Debian's /usr/bin/python3 (Pillow); the output is committed, so this is only rerun to
change the seeds."""
import io
import os
import random
import struct

from PIL import Image

HERE = os.path.dirname(os.path.abspath(__file__))


def write(target, name, data):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def png(image, **options):
    out = io.BytesIO()
    image.save(out, "PNG", **options)
    return out.getvalue()


def main():
    rng = random.Random(7)
    noise = lambda n: bytes(rng.randrange(256) for _ in range(n))
    write("png_decoder_fuzz", "grey1", png(Image.frombytes("L", (1, 1), b"\x40")))
    write("png_decoder_fuzz", "grey_alpha", png(Image.frombytes("LA", (2, 2), noise(8))))
    write("png_decoder_fuzz", "rgba", png(Image.frombytes("RGBA", (3, 2), noise(24))))
    write("png_decoder_fuzz", "rgb_interlaced", png(Image.frombytes("RGB", (5, 5), noise(75)), interlace=1))
    palette = Image.frombytes("P", (4, 4), bytes(rng.randrange(4) for _ in range(16)))
    palette.putpalette(list(noise(12)))
    write("png_decoder_fuzz", "palette_2bit", png(palette, bits=2, transparency=1))
    write("png_decoder_fuzz", "grey16", png(Image.frombytes("I;16", (2, 1), b"\x01\x02\x03\x04")))

    for name, mode, size in (("colour", "RGB", (8, 8)), ("grey", "L", (4, 4))):
        out = io.BytesIO()
        Image.frombytes(mode, size, noise(size[0] * size[1] * len(mode))).save(out, "JPEG", quality=80)
        write("jpeg_decoder_fuzz", name, out.getvalue())
    out = io.BytesIO()
    Image.frombytes("RGB", (16, 8), noise(16 * 8 * 3)).save(out, "JPEG", progressive=True)
    write("jpeg_decoder_fuzz", "progressive", out.getvalue())

    header = struct.pack("<BBBHHBHHHHBB", 0, 0, 2, 0, 0, 0, 0, 0, 2, 2, 32, 8)
    write("tga_decoder_fuzz", "rgba_2x2", header + noise(16))
    write("tga_decoder_fuzz", "rgb_24", struct.pack("<BBBHHBHHHHBB", 0, 0, 2, 0, 0, 0, 0, 0, 1, 1, 24, 0) + noise(3))

    # Bitmap operations: width, height, frames, flags, operation, six arguments, pixels.
    for op in range(6):
        write("bitmap_ops_fuzz", "op%d" % op, bytes([7, 5, 2, 0x12, op, 30, 17, 12, 200, 80, 1]) + noise(7 * 5 * 4))


if __name__ == "__main__":
    main()
