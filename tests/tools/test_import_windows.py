"""morvanta-theme import-windows end to end: Windows cursor schemes (.inf, folder, .zip) written by
cursor_writer.py become themes that dump, preview, unpack and pack read like any other.

Run by ctest with MORVANTA_THEME_TOOL naming the program.
"""
import hashlib
import json
import os
import shutil
import struct
import subprocess
import tempfile
import unittest
import zipfile

import cursor_writer as cw

TOOL = os.environ.get("MORVANTA_THEME_TOOL", "morvanta-theme")

# The scheme line's order: Arrow, Help, AppStarting, Wait, Crosshair, IBeam, NWPen, No, SizeNS,
# SizeWE, SizeNWSE, SizeNESW, SizeAll, UpArrow, Hand, Pin, Person.
SLOTS = 17


def run(*args):
    return subprocess.run([TOOL, *map(str, args)], capture_output=True, text=True)


def stored_sha(pixels):
    """SHA-256 of pixels (rows top first of RGBA) as a theme stores them: BGRA, bottom row first."""
    data = b"".join(bytes((b, g, r, a)) for row in reversed(pixels) for (r, g, b, a) in row)
    return hashlib.sha256(data).hexdigest()


def pattern(size, seed):
    return [[((x * 7 + seed) % 256, (y * 11 + seed) % 256, seed, 255 if (x + y) % 4 else 0)
             for x in range(size)] for y in range(size)]


class ImportWindowsTest(unittest.TestCase):
    def setUp(self):
        self.work = tempfile.mkdtemp(prefix="morvanta-import-")
        self.scheme = os.path.join(self.work, "Aurora Glass")
        os.makedirs(self.scheme)
        self.out = os.path.join(self.work, "out.morvanta")

    def tearDown(self):
        shutil.rmtree(self.work, ignore_errors=True)

    def write(self, name, data, folder=None):
        path = os.path.join(folder or self.scheme, name)
        with open(path, "wb") as f:
            f.write(data)
        return path

    def make_scheme(self):
        """arrow.cur (32 and 64 pixels), wait.ani (3 frames, "seq " and "rate"), sizens.cur and pin.cur."""
        self.arrow32, self.arrow64 = pattern(32, 1), pattern(64, 2)
        self.write("arrow.cur", cw.cursor([(self.arrow32, 3, 4), (self.arrow64, 6, 8)]))
        self.frames = [pattern(32, 10 * (i + 1)) for i in range(3)]
        frames = [cw.cursor([(p, 16, 17)]) for p in self.frames]
        self.write("wait.ani", cw.ani(frames, 10, rate=[6, 12, 6], seq=[2, 0, 1]))
        self.write("sizens.cur", cw.cursor([(pattern(32, 5), 15, 2)], as_png=True))
        self.write("pin.cur", cw.cursor([(pattern(32, 6), 0, 0)]))
        files = [""] * SLOTS
        files[0], files[3], files[8], files[15] = "arrow.cur", "wait.ani", "sizens.cur", "pin.cur"
        return self.write("install.inf", cw.scheme_inf("Aurora: Glass", files))

    def dump(self):
        done = run("dump", self.out)
        self.assertEqual(done.returncode, 0, done.stderr)
        return json.loads(done.stdout)

    def test_an_inf_scheme_converts_and_dump_shows_roles_scales_hot_spots_and_scripts(self):
        inf = self.make_scheme()
        done = run("import-windows", inf, self.out)
        self.assertEqual(done.returncode, 0, done.stderr)
        self.assertEqual(done.stdout, "roles: 0 3 8 9; scales: 1 2; skipped: pin.cur (Pin has no role)\n")
        theme = self.dump()
        self.assertEqual(theme["version"], 2003)
        self.assertEqual(theme["texts"]["name"], "Aurora: Glass")
        cursors = {(c["scale"], c["role"]): c for c in theme["cursors"]}
        self.assertEqual(sorted(cursors), [(1.0, 0), (1.0, 3), (1.0, 8), (1.0, 9), (2.0, 0)])
        for c in cursors.values():
            self.assertEqual((c["event"], c["loop"], c["standard"]), (1, True, False))
        arrow, large = cursors[(1.0, 0)], cursors[(2.0, 0)]
        self.assertEqual((arrow["width"], arrow["hotspotX"], arrow["hotspotY"], arrow["script"]), (32, 3, 4, None))
        self.assertEqual(arrow["pixelsSha256"], stored_sha(self.arrow32))
        self.assertEqual((large["width"], large["hotspotX"], large["hotspotY"]), (64, 6, 8))
        self.assertEqual(large["pixelsSha256"], stored_sha(self.arrow64))
        wait = cursors[(1.0, 3)]
        self.assertEqual((wait["frames"], wait["width"], wait["hotspotX"], wait["hotspotY"]), (3, 96, 16, 17))
        self.assertEqual(wait["script"], "3,100;1,200;2,100")
        strip = [sum((self.frames[f][y] for f in range(3)), []) for y in range(32)]
        self.assertEqual(wait["pixelsSha256"], stored_sha(strip))
        self.assertEqual(cursors[(1.0, 8)]["pixelsSha256"], cursors[(1.0, 9)]["pixelsSha256"])
        self.assertEqual((cursors[(1.0, 9)]["hotspotX"], cursors[(1.0, 9)]["hotspotY"]), (15, 2))

    def test_a_folder_or_a_zip_of_it_converts_and_the_result_works_with_the_other_commands(self):
        self.make_scheme()
        os.remove(os.path.join(self.scheme, "install.inf"))
        os.rename(os.path.join(self.scheme, "sizens.cur"), os.path.join(self.scheme, "SizeNS.CUR"))
        self.write("extra.cur", cw.cursor([(pattern(32, 9), 0, 0)]))
        done = run("import-windows", self.scheme + "/", self.out)
        self.assertEqual(done.returncode, 0, done.stderr)
        self.assertEqual(done.stdout, "roles: 0 3 8 9; scales: 1 2; "
                                      "skipped: extra.cur (not named after a cursor), pin.cur (Pin has no role)\n")
        self.assertEqual(self.dump()["texts"]["name"], "Aurora Glass")

        archive = os.path.join(self.work, "pack.zip")
        with zipfile.ZipFile(archive, "w") as z:
            z.write(os.path.join(self.scheme, "SizeNS.CUR"), "Aurora Glass/SizeNS.CUR")
            z.writestr("Aurora Glass/Arrow.cur", cw.cursor([(pattern(48, 3), 1, 2)]))
        done = run("import-windows", archive, self.out, "--name", "Renamed")
        self.assertEqual(done.returncode, 0, done.stderr)
        self.assertEqual(done.stdout, "roles: 0 8 9; scales: 1 1.5; skipped: none\n")
        self.assertEqual(self.dump()["texts"]["name"], "Renamed")

        preview = os.path.join(self.work, "preview.png")
        self.assertEqual(run("preview", self.out, preview).returncode, 0)
        unpacked = os.path.join(self.work, "unpacked")
        self.assertEqual(run("unpack", self.out, unpacked).returncode, 0)
        again = os.path.join(self.work, "again.morvanta")
        self.assertEqual(run("pack", os.path.join(unpacked, "manifest.txt"), again).returncode, 0)
        with open(self.out, "rb") as a, open(again, "rb") as b:
            self.assertEqual(a.read(), b.read())

    def expect_refused(self, source, words):
        done = run("import-windows", source, self.out)
        self.assertEqual(done.returncode, 1, done.stdout)
        self.assertEqual(done.stdout, "")
        self.assertEqual(done.stderr.count("\n"), 1, done.stderr)
        self.assertIn(words, done.stderr)
        self.assertFalse(os.path.exists(self.out), "nothing is written")

    def test_hostile_schemes_are_refused_with_a_reason_and_nothing_is_written(self):
        inf = self.make_scheme()
        good_ani = open(os.path.join(self.scheme, "wait.ani"), "rb").read()
        frame = cw.cursor([(pattern(32, 1), 0, 0)])

        cut = bytearray(good_ani)
        cut[good_ani.index(b"LIST") + 6] = 0x40
        self.write("wait.ani", bytes(cut))
        self.expect_refused(inf, "wait.ani: chunk 'LIST' of")
        self.write("wait.ani", cw.ani([frame, frame], 10, claimed_frames=2 ** 31))
        self.expect_refused(inf, "wait.ani: the header claims 2147483648 frames, more than 1024")
        self.write("wait.ani", good_ani)

        self.write("arrow.cur", struct.pack("<HHH", 0, 2, 65535) + bytes(64))
        self.expect_refused(inf, "arrow.cur: the directory claims 65535 entries")
        png_cursor = cw.cursor([(pattern(32, 1), 0, 0)], as_png=True)
        truncated = bytearray(png_cursor[:-30])
        truncated[14:18] = struct.pack("<I", len(truncated) - 22)  # the entry's size fits the file again
        self.write("arrow.cur", bytes(truncated))
        self.expect_refused(inf, "arrow.cur: entry 1: damaged or truncated PNG image")

        escaping = self.write("escape.inf", cw.scheme_inf("Evil", ["..\\..\\x.cur"]).replace(
            b"%10%\\%CUR_DIR%\\%f0%", b"%f0%"))
        self.expect_refused(escaping, "escape.inf: names a file outside its folder: ..\\..\\x.cur")
        empty = os.path.join(self.work, "empty")
        os.makedirs(empty)
        self.expect_refused(empty, "no .inf with a cursor scheme and no files named after the cursors")

    def test_wrong_usage_exits_with_2(self):
        for args in ([], ["only-source"], ["a", "b", "c"], ["a", "b", "--name"], ["a", "b", "--size", "3"],
                     ["a", "b", "--name", "x", "--name", "y"]):
            done = run("import-windows", *args)
            self.assertEqual(done.returncode, 2, args)
            self.assertIn("import-windows SOURCE OUT.morvanta [--name NAME]", done.stderr)


if __name__ == "__main__":
    unittest.main()
