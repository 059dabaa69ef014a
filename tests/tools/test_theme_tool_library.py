"""morvanta-theme scan, and dump and convert of the earlier product's ".tolvxtheme" archives.

Run by ctest with MORVANTA_THEME_TOOL naming the program; needs Pillow (Debian's python3).
"""
import io
import json
import os
import struct
import subprocess
import tempfile
import unittest
import zipfile

from PIL import Image

TOOL = os.environ.get("MORVANTA_THEME_TOOL", "morvanta-theme")


def run(*args):
    return subprocess.run([TOOL, *map(str, args)], capture_output=True, text=True)


def record(kind, key, width=2, height=2, version=None, rate=None):
    """A cursor (2), click-effect (4) or trail (8) record with a width x height image."""
    pixels = b"\x80" * (width * height * 4)
    if kind == 2:
        fixed = 88
        body = struct.pack("<9I2i5Id", key, 1, 1, 1, width, height, 100, 0, 0, 0, 0,
                           fixed, len(pixels), fixed, 0, 0, 1.0)
        head = struct.pack("<4I", 2, fixed, fixed + len(pixels), version or 3)
    else:
        fixed = 100 if rate is not None else 68
        body = struct.pack("<7I2i4I", key, 1, width, height, 100, 0, 0, 0, 0, fixed, len(pixels), fixed, 0)
        if rate is not None:
            body += struct.pack("<i", rate) + b"\0" * 28
        head = struct.pack("<4I", kind, fixed, fixed + len(pixels), version or (3 if kind == 8 else 2))
    return head + body + pixels


def sound(key):
    data = b"RIFF"
    return struct.pack("<7I", 16, 28, 28 + len(data), 1, key, 28, len(data)) + data


def theme_file(*records):
    block = b"".join(records)
    header = struct.pack("<4I", 1, 184, len(block), 2003) + b"\0" * 88
    header += struct.pack("<7I", 0, 0, 0, 1, 0, 0, 0) + b"\0" * 48 + struct.pack("<I", 0)
    assert len(header) == 184
    return header + block


def png(width, height, colour=(200, 10, 10, 255)):
    out = io.BytesIO()
    Image.new("RGBA", (width, height), colour).save(out, "PNG")
    return out.getvalue()


def archive(path, files):
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as z:
        for name, data in files.items():
            z.writestr(name, data)


SCHEME = (
    "[Arrow]\r\nFrames=4\r\nInterval=80\r\nHot spot x=3\r\nHot spot y=4\r\nStdCursor=0\r\nFrameScript=1\r\n"
    "[Arrow_Script]\r\n1-4,60;2\r\n"
    "[Help]\r\nFrames=1\r\nStdCursor=0\r\n[Help_Script]\r\n1\r\n"
    "[Arrow_Down]\r\nFrames=1\r\nStdCursor=0\r\n"
    "[Wait]\r\nFrames=1\r\n"
    "[Description]\r\nA theme\r\nof two lines"
)


class ToolCase(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory()
        self.dir = self.tmp.name

    def tearDown(self):
        self.tmp.cleanup()

    def path(self, *names):
        return os.path.join(self.dir, *names)

    def write(self, name, data):
        with open(self.path(name), "wb") as f:
            f.write(data)
        return self.path(name)

    def ok(self, *args):
        result = run(*args)
        self.assertEqual(result.returncode, 0, result.stderr)
        return result

    def legacy(self, name="My Theme.tolvxtheme"):
        archive(self.path(name), {
            "scheme.ini": SCHEME, "Arrow.png": png(130, 20), "Help.png": png(8, 8),
            "Arrow_Down.png": png(6, 6), "Wait.png": png(4, 4),
        })
        return self.path(name)


class Scan(ToolCase):
    def test_lists_every_readable_theme_by_its_content_in_folder_order(self):
        self.write("cursors.morvanta", theme_file(record(2, 0)))
        self.write("Capital.MORVANTA", theme_file(record(2, 0), record(4, 0)))
        self.write("both.morvanta", theme_file(record(4, 1), record(8, 0, rate=20)))
        self.write("effect.Morvanta", theme_file(record(4, 2), sound(0)))
        self.write("trail.morvanta", theme_file(record(8, 1, rate=10)))
        self.write("sounds.morvanta", theme_file(sound(3)))
        self.write("damaged.morvanta", theme_file(record(2, 0))[:-40])
        self.write("not a theme.morvanta", b"\0" * 300)
        archive(self.path("no cursors.TOLVXTHEME"), {"readme.txt": "nothing"})
        self.write("cut.tolvxtheme", b"PK\x03\x04 cut short")
        self.write("readme.txt", theme_file(record(2, 0)))
        self.legacy()

        listing = [self.path(name) for name in os.listdir(self.dir)]

        def in_order(*names):
            wanted = {self.path(n) for n in names}
            return [p for p in listing if p in wanted]

        result = json.loads(self.ok("scan", self.dir).stdout)
        self.assertEqual(set(result), {"cursorThemes", "clickEffects", "trails"})
        # Archives from which no cursor can be read are refused, as damaged theme files are.
        self.assertEqual(result["cursorThemes"], in_order("cursors.morvanta", "Capital.MORVANTA", "My Theme.tolvxtheme"))
        self.assertEqual(result["clickEffects"], in_order("both.morvanta", "effect.Morvanta"))
        self.assertEqual(result["trails"], in_order("both.morvanta", "trail.morvanta"))

    def test_an_empty_folder_gives_three_empty_lists_and_a_missing_one_fails(self):
        self.assertEqual(json.loads(self.ok("scan", self.dir).stdout),
                         {"cursorThemes": [], "clickEffects": [], "trails": []})
        missing = run("scan", self.path("missing"))
        self.assertEqual(missing.returncode, 1)
        self.assertEqual(len(missing.stderr.strip().splitlines()), 1)
        self.assertEqual(run("scan").returncode, 2)


class Archives(ToolCase):
    def test_dump_shows_the_imported_theme(self):
        info = json.loads(self.ok("dump", self.legacy()).stdout)
        self.assertEqual(info["contentFlags"], 1)
        self.assertEqual(info["texts"]["name"], "My Theme")
        self.assertEqual(info["texts"]["description"], "A theme\r\nof two lines")
        cursors = info["cursors"]
        self.assertEqual([(c["role"], c["event"]) for c in cursors], [(0, 1), (1, 1), (0, 2)])
        arrow = cursors[0]
        self.assertEqual((arrow["frames"], arrow["width"], arrow["height"]), (4, 128, 20))
        self.assertEqual((arrow["interval"], arrow["hotspotX"], arrow["hotspotY"]), (80, 3, 4))
        self.assertTrue(arrow["loop"])
        self.assertEqual(arrow["script"], "1-4,60;2")
        self.assertIsNone(cursors[1]["script"], "Help does not ask for its script")

    def test_convert_writes_the_import_as_a_theme_file(self):
        source = self.legacy()
        target = self.path("converted.morvanta")
        self.ok("convert", source, target)
        imported = json.loads(self.ok("dump", source).stdout)
        converted = json.loads(self.ok("dump", target).stdout)
        self.assertEqual(converted["version"], 2003)
        self.assertEqual(converted["texts"], imported["texts"])
        for key in ("role", "event", "frames", "width", "height", "hotspotX", "script", "pixelsSha256"):
            self.assertEqual([c[key] for c in converted["cursors"]], [c[key] for c in imported["cursors"]], key)

    def test_an_archive_without_a_readable_cursor_fails_with_one_line_saying_why(self):
        archive(self.path("no images.tolvxtheme"), {"scheme.ini": SCHEME})
        archive(self.path("damaged images.tolvxtheme"), {
            "scheme.ini": SCHEME, "Arrow.png": "not a png", "Help.png": png(8, 8)[:30]})
        archive(self.path("no scheme.tolvxtheme"), {"Arrow.png": png(8, 8)})
        self.write("cut.tolvxtheme", b"PK\x03\x04 cut short")
        cases = {"gone.tolvxtheme": "cannot be found", "no images.tolvxtheme": "missing or damaged",
                 "damaged images.tolvxtheme": "missing or damaged", "no scheme.tolvxtheme": "no scheme.ini",
                 "cut.tolvxtheme": "no scheme.ini"}
        for name, reason in cases.items():
            result = run("dump", self.path(name))
            self.assertEqual(result.returncode, 1, name)
            lines = result.stderr.strip().splitlines()
            self.assertEqual(len(lines), 1, name)
            self.assertIn(reason, lines[0], name)

    def test_a_cursor_whose_image_alone_is_missing_is_left_out_and_the_rest_imports(self):
        archive(self.path("partly.tolvxtheme"), {"scheme.ini": SCHEME, "Help.png": png(8, 8)})
        info = json.loads(self.ok("dump", self.path("partly.tolvxtheme")).stdout)
        self.assertEqual([(c["role"], c["event"]) for c in info["cursors"]], [(1, 1)])


if __name__ == "__main__":
    unittest.main()
