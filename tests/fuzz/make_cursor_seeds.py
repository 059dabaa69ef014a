"""Writes the seed corpora of the icon, animated cursor and .inf fuzz targets (tests/fuzz/corpus/).
Run with python3 from any folder; the output is committed, so this is only rerun to change the seeds."""
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tools"))
import cursor_writer as cw  # noqa: E402


def write(target, name, data):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def indexed_dib(width, height, bits):
    """A bitmap entry of 1, 4, 8 or 24 bits with a full palette, a pattern and a checkered mask."""
    colours = 1 << bits if bits <= 8 else 0
    header = struct.pack("<IiiHHIIiiII", 40, width, 2 * height, 1, bits, 0, 0, 0, 0, colours, 0)
    palette = b"".join(struct.pack("<4B", 17 * i % 256, 29 * i % 256, 43 * i % 256, 0) for i in range(colours))
    stride = (width * bits + 31) // 32 * 4
    rows = bytes((3 * i + 1) % 256 for i in range(stride * height))
    mask = bytes(0xAA for _ in range((width + 31) // 32 * 4 * height))
    return header + palette + rows + mask


def icon(images, sizes):
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for image, (width, height) in zip(images, sizes):
        out += struct.pack("<BBBBHHII", width, height, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return out + b"".join(images)


def main():
    pattern = [[(x * 40 % 256, y * 50 % 256, 90, (x + y) * 30 % 256) for x in range(6)] for y in range(5)]
    write("icon_decoder_fuzz", "cursor32", cw.cursor([(pattern, 2, 3)]))
    write("icon_decoder_fuzz", "cursor_png", cw.cursor([(pattern, 1, 1), (cw.solid(3, 3, (1, 2, 3, 4)), 0, 0)],
                                                       as_png=True))
    write("icon_decoder_fuzz", "icon_indexed",
          icon([indexed_dib(5, 3, bits) for bits in (1, 4, 8, 24)], [(5, 3)] * 4))

    frames = [cw.cursor([(cw.solid(4, 4, (10 * i, 0, 0, 255)), 1, 1)]) for i in range(3)]
    write("ani_decoder_fuzz", "rate_seq", cw.ani(frames, 10, rate=[5, 7, 11, 2], seq=[2, 0, 1, 0]))
    write("ani_decoder_fuzz", "plain", cw.ani(frames, 6))
    write("ani_decoder_fuzz", "png_frames",
          cw.ani([cw.cursor([(cw.solid(4, 4, (0, 9, 0, 128)), 2, 2)], as_png=True)] * 2, 4, seq=[1, 0]))

    files = ["arrow.cur", "", "work.ani", "busy.ani"] + [""] * 11 + ["pin.cur", "person.cur"]
    write("windows_inf_fuzz", "scheme", cw.scheme_inf("Seed Scheme", files))
    write("windows_inf_fuzz", "utf16", b"\xff\xfe" + cw.scheme_inf("Wide", ["a.cur"]).decode("cp1252")
          .encode("utf-16-le"))
    write("windows_inf_fuzz", "unquoted",
          b"[r] ; comment\nHKEY_CURRENT_USER,Control Panel\\Cursors\\Schemes,%N%,,a.cur,\\\n b.ani\n"
          b"[Strings.0409]\nN=\"100%% \"\"x\"\"\"\n")


if __name__ == "__main__":
    main()
