"""morvanta-theme export-xcursor end to end: the exported X cursor theme is read back with the real
libXcursor (XcursorFilenameLoadAllImages through ctypes) and compared with what preview draws.

Run by ctest with MORVANTA_THEME_TOOL naming the program; needs libxcursor1, Pillow and numpy.
"""
import os
import re
import shutil
import subprocess
import sys
import unittest

import numpy as np
from PIL import Image

from xcursor_reader import load_xcursor

from tool_case import ROOT, TOOL, ToolFolderCase, run
SIZES = [24, 32, 48, 64, 96]


def premultiplied_argb(rgba):
    """Straight RGBA rows to premultiplied ARGB values, as X cursor files hold them."""
    a = rgba[..., 3].astype(np.uint32)
    argb = a << 24
    for shift, channel in ((16, 0), (8, 1), (0, 2)):
        argb |= (rgba[..., channel].astype(np.uint32) * a + 127) // 255 << shift
    return argb


def channels(argb):
    return np.stack([(argb >> s) & 0xFF for s in (24, 16, 8, 0)], axis=-1).astype(np.int16)


def readme_names():
    """The names table of the README's X cursor section: role -> (file, [links])."""
    with open(os.path.join(ROOT, "README.md"), encoding="utf-8") as f:
        text = f.read()
    table = {}
    for role, file, links in re.findall(r"^\| (\d+) \| `([^`]+)` \| ([^|]*)\|", text, re.M):
        table[int(role)] = (file, re.findall(r"`([^`]+)`", links))
    return table


class ExportXcursorTest(ToolFolderCase):
    prefix = "morvanta-xcursor-"

    def pack(self, name, cursors, images):
        """A theme from manifest cursor lines and PNG images {file: RGBA array}."""
        for file, pixels in images.items():
            Image.fromarray(pixels, "RGBA").save(self.path(file))
        with open(self.path("manifest.txt"), "w", encoding="utf-8") as f:
            f.write("name " + name + "\n" + "\n".join(cursors) + "\n")
        out = self.path("theme.morvanta")
        self.ok("pack", self.path("manifest.txt"), out)
        return out

    def preview_frames(self, theme, role, size, options):
        """The frames preview --straight draws at that size, as premultiplied ARGB."""
        png = self.path("preview.png")
        self.ok("preview", theme, png, "--scale", size / 32, "--role", role, "--straight", *options)
        strip = np.asarray(Image.open(png).convert("RGBA"))
        return strip

    def assert_matches_preview(self, theme, folder, roles, options, order=None, sizes=SIZES):
        """Every size of every role's file holds the steps of preview's frames, within 1 level: the
        frames of order[role] in turn where given, else each step one of the frames."""
        for role in roles:
            file = os.path.join(folder, "cursors", readme_names()[role][0])
            images = load_xcursor(file)
            self.assertEqual(sorted({im[0] for im in images}), sizes, file)
            for size in sizes:
                steps = [im for im in images if im[0] == size]
                strip = self.preview_frames(theme, role, size, options)
                width = steps[0][3].shape[1]
                frames = [strip[:, i:i + width] for i in range(0, strip.shape[1], width)]
                shown = (order or {}).get(role)
                if shown is not None:
                    self.assertEqual(len(steps), len(shown))
                for i, (_, _, _, pixels) in enumerate(steps):
                    candidates = [f for f in ([frames[shown[i]]] if shown is not None else frames)
                                  if f.shape[:2] == pixels.shape]
                    self.assertTrue(candidates, "role %d size %d: preview draws %s" % (role, size, strip.shape))
                    error = min(np.abs(channels(pixels) - channels(premultiplied_argb(f))).max() for f in candidates)
                    self.assertLessEqual(error, 1, "role %d size %d step %d" % (role, size, i))

    def test_demo_theme_loads_with_libxcursor_at_every_size_with_previews_pixels_and_its_links_resolve(self):
        demo = self.path("demo")
        subprocess.run([os.path.join(ROOT, "scripts", "make-demo-themes.sh"), demo], check=True,
                       env=dict(os.environ, MORVANTA_THEME_TOOL=TOOL), capture_output=True)
        theme = os.path.join(demo, "Aurora.morvanta")
        options = ["--hue", "40", "--opacity", "200", "--mirror", "--shadow", "3,4,6,100"]
        report = self.ok("export-xcursor", theme, self.path("icons"), *options)
        folder = self.path("icons", "Aurora")
        roles = [0, 2, 3, 4, 5, 8, 10, 12, 14, 18]
        self.assertEqual(report, "%s: roles %s; sizes %s\n" % (folder, " ".join(map(str, roles)),
                                                             " ".join(map(str, SIZES))))
        # Role 0 loops through its 6 frames; role 18's script plays 1-6 then 6-1.
        order = {0: list(range(6)), 18: list(range(6)) + list(range(5, -1, -1))}
        self.assert_matches_preview(theme, folder, roles, options, order)
        with open(os.path.join(folder, "index.theme"), encoding="utf-8") as f:
            self.assertEqual(f.read().splitlines()[:2], ["[Icon Theme]", "Name=Aurora"])
        # The delays: 90 ms per frame for role 0, the script's 60 ms for role 18.
        self.assertEqual([im[2] for im in load_xcursor(os.path.join(folder, "cursors", "default"))
                          if im[0] == 32], [90] * 6)
        hand = [im for im in load_xcursor(os.path.join(folder, "cursors", "pointer")) if im[0] == 32]
        self.assertEqual([im[2] for im in hand], [60] * 12)
        # Every older name is a link inside the folder to the file of its role, and the library finds
        # each name in the theme as a program does, with XCURSOR_PATH naming the folder it is in.
        names = readme_names()
        expected = []
        for role in roles:
            file, links = names[role]
            steps = len([im for im in load_xcursor(os.path.join(folder, "cursors", file)) if im[0] == 48])
            for link in links:
                target = os.path.realpath(os.path.join(folder, "cursors", link))
                self.assertEqual(target, os.path.realpath(os.path.join(folder, "cursors", file)), link)
            expected += ["%s (48, %d)" % (name, steps) for name in [file] + links]
        names = [line.split(" ")[0] for line in expected]
        found = subprocess.run([sys.executable, os.path.join(os.path.dirname(__file__), "xcursor_reader.py"),
                                "Aurora", "48", *names], capture_output=True, text=True, check=True,
                               env=dict(os.environ, XCURSOR_PATH=self.path("icons")))
        self.assertEqual(found.stdout.splitlines(), expected)

    def test_hot_spots_scale_with_the_size_from_the_nearest_stored_scale(self):
        cursors = ["cursor role=0 image=a.png hotspot=2,2",
                   "cursor role=0 scale=1.5 image=b.png hotspot=3,3",
                   "cursor role=3 scale=2 image=c.png hotspot=20,10"]  # at scale 2 only
        rng = np.random.default_rng(3)
        images = {n: rng.integers(0, 256, (s, s, 4), dtype=np.uint8) for n, s in (("a.png", 32), ("b.png", 48),
                                                                                  ("c.png", 64))}
        theme = self.pack("Hot", cursors, images)
        self.ok("export-xcursor", theme, self.path("icons"), "--no-shadow")
        folder = self.path("icons", "Hot")
        hot = {(role, im[0]): (im[1], im[3].shape) for role, name in ((0, "default"), (3, "wait"))
               for im in load_xcursor(os.path.join(folder, "cursors", name))}
        # Role 0: 24 from scale 1 (the nearest above), 32 and 48 as stored, 64 and 96 from 1.5.
        self.assertEqual(hot[0, 24], ((1, 1), (24, 24)))
        self.assertEqual(hot[0, 32], ((2, 2), (32, 32)))
        self.assertEqual(hot[0, 48], ((3, 3), (48, 48)))
        self.assertEqual(hot[0, 64], ((4, 4), (64, 64)))
        self.assertEqual(hot[0, 96], ((6, 6), (96, 96)))
        # Role 3 is drawn from scale 2 at every size, 32 included.
        self.assertEqual([hot[3, s] for s in SIZES], [((7, 3), (24, 24)), ((10, 5), (32, 32)), ((15, 7), (48, 48)),
                                                      ((20, 10), (64, 64)), ((30, 15), (96, 96))])
        self.assert_matches_preview(theme, folder, [0, 3], ["--no-shadow"])
        # Size 32 alone: scale 1 is the one a theme is loaded at, and still role 3 is drawn from 2.
        self.ok("export-xcursor", theme, self.path("only32"), "--no-shadow", "--sizes", "32")
        [(size, hot, _, pixels)] = load_xcursor(self.path("only32", "Hot", "cursors", "wait"))
        self.assertEqual((size, hot, pixels.shape), (32, (10, 5), (32, 32)))
        self.assert_matches_preview(theme, self.path("only32", "Hot"), [3], ["--no-shadow"], sizes=[32])

    def test_delays_are_the_steps_of_one_pass_and_a_last_frame_that_stays_is_held(self):
        strip = np.zeros((32, 4 * 32, 4), dtype=np.uint8)
        for i in range(4):
            strip[:, i * 32:(i + 1) * 32] = (60 * i, 255 - 60 * i, 7, 255)
        cursors = ['cursor role=2 image=s.png frames=4 script="1-3,40;repeat 2\\n4,100\\nend repeat"',
                   "cursor role=3 image=three.png frames=3 interval=70 loop=0",
                   "cursor role=5 image=s.png frames=4 interval=0 reverse=1",
                   "cursor role=18 image=one.png"]
        theme = self.pack("Timing", cursors, {"s.png": strip, "three.png": strip[:, :96].copy(),
                                                 "one.png": strip[:, :32].copy()})
        self.ok("export-xcursor", theme, self.path("icons"), "--sizes", "32", "--no-shadow")
        cursors = self.path("icons", "Timing", "cursors")

        def steps(name):
            return [(im[2], int(im[3][0, 0] >> 8 & 0xFF)) for im in load_xcursor(os.path.join(cursors, name))]
        # A repeat group plays once per pass: frames 1, 2, 3 at 40 ms, then 4 at 100 ms.
        self.assertEqual(steps("progress"), [(40, 255), (40, 195), (40, 135), (100, 75)])
        # Not looping: the last frame is held for a day, as X cursor animations always start over.
        self.assertEqual(steps("wait"), [(70, 255), (70, 195), (86400000, 135)])
        # An interval of 0 plays every frame for 1 ms; reversed, from the last frame.
        self.assertEqual(steps("text"), [(1, 75), (1, 135), (1, 195), (1, 255)])
        self.assertEqual(steps("pointer"), [(0, 255)])

    def test_every_role_has_the_readme_names_and_no_name_is_taken_twice(self):
        cursors = ["cursor role=%d image=a.png hotspot=1,1" % role for role in range(20)]
        theme = self.pack("All", cursors, {"a.png": np.full((8, 8, 4), 200, dtype=np.uint8)})
        self.ok("export-xcursor", theme, self.path("icons"), "--sizes", "8")
        cursors = self.path("icons", "All", "cursors")
        names = readme_names()
        self.assertEqual(sorted(names), list(range(20)))
        expected = {file: None for file, _ in names.values()}
        for file, links in names.values():
            expected.update({link: file for link in links})
        self.assertEqual(len(expected), sum(1 + len(links) for _, links in names.values()))
        found = {n: os.readlink(os.path.join(cursors, n)) if os.path.islink(os.path.join(cursors, n)) else None
                 for n in os.listdir(cursors)}
        self.assertEqual(found, expected)
        self.assertEqual(expected["ns-resize"], "n-resize")
        self.assertEqual(expected["ew-resize"], "w-resize")
        self.assertEqual(expected["nwse-resize"], "nw-resize")
        self.assertEqual(expected["nesw-resize"], "ne-resize")

    def test_theme_names_become_safe_folder_names_and_an_earlier_export_is_replaced(self):
        images = {"a.png": np.full((8, 8, 4), 200, dtype=np.uint8)}
        out = self.path("icons")
        for name, folder in (('".."', "Cursor theme"), ('"a/b\\u0001c\\\\d"', "a_b_c_d"), ("con", "con_"),
                             ('" .. ."', "Cursor theme")):
            self.pack(name, ["cursor role=0 image=a.png"], images)
            self.ok("export-xcursor", self.path("theme.morvanta"), out, "--sizes", "8")
            self.assertEqual(sorted(os.listdir(out)), [folder], name)
            shutil.rmtree(out)
        self.pack("Again", ["cursor role=0 image=a.png", "cursor role=5 image=a.png"], images)
        self.ok("export-xcursor", self.path("theme.morvanta"), out, "--sizes", "8")
        self.pack("Again", ["cursor role=0 image=a.png"], images)
        self.ok("export-xcursor", self.path("theme.morvanta"), out, "--sizes", "8")
        self.assertEqual(sorted(os.listdir(out)), ["Again"])
        self.assertNotIn("text", os.listdir(os.path.join(out, "Again", "cursors")))

    def test_refused_themes_and_bad_usage_leave_nothing_in_out_dir(self):
        out = self.path("icons")
        os.makedirs(os.path.join(out, "Mine"))
        with open(os.path.join(out, "Mine", "notes.txt"), "w") as f:
            f.write("mine")
        rng = np.random.default_rng(5)
        big = {"big.png": rng.integers(0, 256, (160, 160, 4), dtype=np.uint8)}
        cases = [
            ("a damaged file", b"\x01\x00\x00\x00" * 10, ()),
            ("an image too large at 512", ("Big", ["cursor role=0 image=big.png"], big), ("--sizes", "24,512")),
            ("a pass of 2^31 ms", ("Long", ['cursor role=0 image=big.png frames=2 script="1,2000000000;2,200000000"'],
                                   big), ()),
            ("4096 steps at five sizes", ("Steps", ['cursor role=0 image=big.png frames=2 '
                                                   'script="repeat 1000000\\n1-2000000000,3\\nend repeat"'], big), ()),
            ("a user's folder of that name", ("Mine", ["cursor role=0 image=big.png"], big), ()),
        ]
        for label, source, options in cases:
            if isinstance(source, bytes):
                theme = self.path("damaged.morvanta")
                with open(theme, "wb") as f:
                    f.write(source)
            else:
                theme = self.pack(*source)
            done = run("export-xcursor", theme, out, *options)
            self.assertEqual(done.returncode, 1, label)
            self.assertEqual(len(done.stderr.splitlines()), 1, label)
            self.assertEqual(os.listdir(out), ["Mine"], label)
            self.assertEqual(os.listdir(os.path.join(out, "Mine")), ["notes.txt"], label)
        # Bad sizes lists are usage errors; an OUT_DIR made for a refused export is removed again.
        for sizes in ("0", "24,,32", "24,24", "abc", "513", "-24", "+24", "24,", ",".join(map(str, range(8, 25)))):
            done = run("export-xcursor", theme, self.path("new"), "--sizes", sizes)
            self.assertEqual(done.returncode, 2, sizes)
        done = run("export-xcursor", self.pack(*cases[2][1]), self.path("new"))
        self.assertEqual(done.returncode, 1)
        self.assertFalse(os.path.exists(self.path("new")))


if __name__ == "__main__":
    unittest.main()
