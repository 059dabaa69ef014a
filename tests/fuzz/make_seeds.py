"""Writes the seed corpora of the theme-reader and frame-script fuzz targets: small theme files of
every version, stored and compressed, with every record type, and a few frame scripts.

Run from this folder with Debian's python3: python3 make_seeds.py
"""
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))


def utf16z(text):
    return text.encode("utf-16-le") + b"\0\0"


def animation(frames, width, height, flags, hot, script, seed):
    pixels = bytes((seed + 13 * i) & 0xFF for i in range(width * height * 4))
    return frames, width, height, flags, hot, (utf16z(script) if script else b""), pixels


def cursor(role, event, anim, scale):
    frames, width, height, flags, hot, script, pixels = anim
    fixed = 80 if scale is None else 88
    body = struct.pack("<9I", role, event, 1, frames, width, height, 60, flags, 0) + struct.pack("<2i", *hot)
    body += struct.pack("<5I", fixed + len(script), len(pixels), fixed, len(script), 0)
    if scale is not None:
        body += struct.pack("<d", scale)
    return struct.pack("<4I", 2, fixed, fixed + len(script) + len(pixels), 3) + body + script + pixels


def effect(kind, key, anim, version, rate=None):
    frames, width, height, flags, hot, script, pixels = anim
    fixed = 100 if rate is not None else 68
    body = struct.pack("<7I", key, frames, width, height, 40, flags, 0) + struct.pack("<2i", *hot)
    body += struct.pack("<4I", fixed + len(script), len(pixels), fixed, len(script))
    if rate is not None:
        body += struct.pack("<i", rate) + b"\0" * 28
    return struct.pack("<4I", kind, fixed, fixed + len(script) + len(pixels), version) + body + script + pixels


def sound(key, data):
    return struct.pack("<7I", 16, 28, 28 + len(data), 1, key, 28, len(data)) + data


def theme(version, texts, records, compress):
    block = b""
    slots = []
    for text in texts:
        if text is None:
            slots += [0, 0]
        else:
            slots += [len(block), len(utf16z(text))]
            block += utf16z(text)
    first = len(block)
    block += b"".join(records)
    stored = zlib.compress(block, 9) if compress else block
    header = struct.pack("<4I", 1, 184, len(block), version) + b"Seed".ljust(88, b"\0")
    header += struct.pack("<7I", 15, 1, 0, 1, len(stored) if compress else 0, 0, 1)
    header += struct.pack("<12I", *slots) + struct.pack("<I", first)
    return header + stored


def main():
    texts = ["Seed", "Author", None, "https://example.org", None, "Two\r\nlines"]
    arrow = animation(2, 4, 2, 0x03, (1, 1), "1-2,50;repeat 2;2;end repeat", 1)
    still = animation(1, 2, 2, 0, (0, 0), None, 2)
    new = [cursor(0, 1, arrow, 1.0), cursor(0, 1, still, 1.5), cursor(3, 2, still, 1.0),
           effect(4, 0, still, 2), effect(4, 9, still, 2), effect(8, 1, arrow, 3, 25),
           sound(2, b"RIFF\x04\0\0\0WAVE"), struct.pack("<4I", 32, 16, 24, 1) + b"\0" * 8]
    old = [cursor(0, 1, arrow, None), cursor(1, 1, still, None), effect(4, 3, still, 2),
           effect(8, 0, still, 2), effect(8, 2, still, 3, 0), effect(8, 1, still, 7, 5), sound(0, b"RIFF")]
    out = os.path.join(HERE, "corpus", "theme_reader_fuzz")
    os.makedirs(out, exist_ok=True)
    for compress in (False, True):
        suffix = "z" if compress else "u"
        with open(os.path.join(out, f"v2003{suffix}.morvanta"), "wb") as f:
            f.write(theme(2003, texts, new, compress))
        for version in (2000, 2001, 2002):
            with open(os.path.join(out, f"v{version}{suffix}.morvanta"), "wb") as f:
                f.write(theme(version, texts, old, compress))

    scripts = ["1-5", "5-1,50;7", "repeat 3;1-4;end repeat;5", "REPEAT 2\r\n1,10\r\nend repeat\n", " repeat 3",
               "1-2-3;1,10,20", "0-3,5;;"]
    out = os.path.join(HERE, "corpus", "frame_script_fuzz")
    os.makedirs(out, exist_ok=True)
    for i, script in enumerate(scripts):
        with open(os.path.join(out, f"script{i}"), "wb") as f:
            f.write(script.encode("utf-16-le"))


if __name__ == "__main__":
    main()
