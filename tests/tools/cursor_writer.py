"""Writes Windows cursor files (.cur with 32-bit or PNG entries, .ani) and scheme .inf files for
the tests, straight from the file layouts. Pixels are lists of rows, top row first, of (r, g, b, a).
"""
import struct
import zlib


def solid(width, height, rgba):
    return [[tuple(rgba)] * width for _ in range(height)]


def png(pixels):
    height, width = len(pixels), len(pixels[0])
    raw = b"".join(b"\0" + b"".join(bytes(p) for p in row) for row in pixels)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


def dib32(pixels):
    """A 32-bit bitmap entry with its alpha bytes and an all-clear mask."""
    height, width = len(pixels), len(pixels[0])
    header = struct.pack("<IiiHHIIiiII", 40, width, 2 * height, 1, 32, 0, 0, 0, 0, 0, 0)
    colours = b"".join(bytes((b, g, r, a)) for row in reversed(pixels) for (r, g, b, a) in row)
    mask = bytes(((width + 31) // 32 * 4) * height)
    return header + colours + mask


def cursor(entries, as_png=False):
    """A .cur file; entries are (pixels, hot_x, hot_y)."""
    images = [png(p) if as_png else dib32(p) for p, _, _ in entries]
    out = struct.pack("<HHH", 0, 2, len(entries))
    offset = 6 + 16 * len(entries)
    for (pixels, hot_x, hot_y), image in zip(entries, images):
        width, height = len(pixels[0]), len(pixels)
        out += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, hot_x, hot_y, len(image), offset)
        offset += len(image)
    return out + b"".join(images)


def chunk(kind, data):
    return kind + struct.pack("<I", len(data)) + data + (b"\0" if len(data) % 2 else b"")


def ani(frames, display_rate, rate=None, seq=None, claimed_frames=None):
    """An .ani file of whole cursor files; rate and seq are lists of numbers or None."""
    steps = len(seq) if seq is not None else len(rate) if rate is not None else len(frames)
    header = struct.pack("<9I", 36, len(frames) if claimed_frames is None else claimed_frames, steps,
                         0, 0, 0, 0, display_rate, 3 if seq is not None else 1)
    form = b"ACON" + chunk(b"anih", header)
    if rate is not None:
        form += chunk(b"rate", struct.pack("<%dI" % len(rate), *rate))
    if seq is not None:
        form += chunk(b"seq ", struct.pack("<%dI" % len(seq), *seq))
    form += chunk(b"LIST", b"fram" + b"".join(chunk(b"icon", f) for f in frames))
    return chunk(b"RIFF", form)


def scheme_inf(name, files, folder="Cursors\\Scheme"):
    """An install .inf whose scheme line lists files (in the system's order) through [Strings]."""
    keys = ["f%d" % i for i in range(len(files))]
    listed = ",".join("%%10%%\\%%CUR_DIR%%\\%%%s%%" % k if f else "" for k, f in zip(keys, files))
    lines = [
        "[Version]", 'signature="$CHICAGO$"', "",
        "[DefaultInstall]", "AddReg = Scheme.Reg", "",
        "[Scheme.Reg]",
        'HKCU,"Control Panel\\Cursors\\Schemes","%SCHEME_NAME%",0x00020000,"' + listed + '"', "",
        "[Strings]", 'CUR_DIR = "%s"' % folder, 'SCHEME_NAME = "%s"' % name.replace('"', '""'),
    ]
    lines += ['%s = "%s"' % (k, f) for k, f in zip(keys, files) if f]
    return ("\r\n".join(lines) + "\r\n").encode("cp1252")
