"""morvanta-theme export-windows end to end: a theme written as a Windows cursor scheme comes back
through import-windows with the pixels that preview --straight draws, the hot spots and the timing
(each frame change within a jiffy), for the demo themes and for a theme with a repeat group.

Run by ctest with MORVANTA_THEME_TOOL naming the program; needs Pillow and numpy.
"""
import hashlib
import json
import os
import subprocess
import unittest

import numpy as np
from PIL import Image

from tool_case import ROOT, TOOL, ToolFolderCase, run
JIFFY_MS = 1000 / 60
EIGHT_HOURS_MS = 8 * 60 * 60 * 1000
# The cursors of a scheme with their roles (import-windows gives the partner role the same cursor).
SLOTS = {"Arrow": 0, "Help": 1, "AppStarting": 2, "Wait": 3, "Crosshair": 4, "IBeam": 5, "NWPen": 6, "No": 7,
         "SizeNS": 8, "SizeWE": 10, "SizeNWSE": 12, "SizeNESW": 14, "SizeAll": 16, "UpArrow": 17, "Hand": 18}
PARTNERS = {8: 9, 10: 11, 12: 13, 14: 15}


def stored_sha(rgba):
    """SHA-256 of RGBA pixels (top row first) as a theme stores them: BGRA, bottom row first."""
    return hashlib.sha256(np.ascontiguousarray(rgba[::-1, :, [2, 1, 0, 3]]).tobytes()).hexdigest()


def script_steps(script):
    """(frame from 0, ms) of each statement of a plain "frame,ms;..." script."""
    return [(int(f) - 1, int(ms)) for f, ms in (s.split(",") for s in script.split(";"))]


def joined(steps):
    """Neighbouring steps of one frame joined: a file plays them as one."""
    out = []
    for frame, ms in steps:
        if out and out[-1][0] == frame:
            out[-1] = (frame, out[-1][1] + ms)
        else:
            out.append((frame, ms))
    return out


class ExportWindowsTest(ToolFolderCase):
    prefix = "morvanta-export-"

    def dump(self, theme):
        return json.loads(self.ok("dump", theme))

    def round_trip(self, theme, out, scale, appearance):
        """Exports (at scale 1 unless told), imports the scheme's .inf again; returns the export's line
        and the imported cursors by role."""
        line = self.ok("export-windows", theme, out, *(["--scale", scale] if scale else []), *appearance)
        back = out + ".morvanta"
        self.ok("import-windows", os.path.join(out, "install.inf"), back)
        return line, back, {c["role"]: c for c in self.dump(back)["cursors"]}

    def expect_pixels(self, theme, role, scale, appearance, cursor):
        """The imported cursor holds what preview --straight draws for the role, frame for frame."""
        png = self.path("preview.png")
        self.ok("preview", theme, png, "--role", role, "--straight", "--scale", scale or 1, *appearance)
        strip = np.asarray(Image.open(png).convert("RGBA"))
        self.assertEqual(strip.shape[1], cursor["width"], role)
        self.assertEqual(strip.shape[0], cursor["height"], role)
        self.assertEqual(stored_sha(strip), cursor["pixelsSha256"], "role %d" % role)

    def expect_timing(self, expected, loops, cursor):
        """The imported steps are one or more passes of the expected ones, each change within a jiffy."""
        got = script_steps(cursor["script"])
        if not loops:
            self.assertEqual(got[-1][1], EIGHT_HOURS_MS, "the last frame stays")
            expected = expected[:-1] + [(expected[-1][0], EIGHT_HOURS_MS)]
        passes = round(sum(ms for _, ms in got) / sum(ms for _, ms in expected))
        expected, got = joined(expected * passes), joined(got)
        self.assertEqual([f for f, _ in got], [f for f, _ in expected])
        end, exact = 0, 0
        for (_, ms), (_, want) in zip(got, expected):
            end, exact = end + ms, exact + want
            self.assertLessEqual(abs(end - exact), JIFFY_MS, (got, expected))

    def test_demo_themes_come_back_with_their_pixels_hot_spots_and_timing(self):
        demo = self.path("demo")
        subprocess.run([os.path.join(ROOT, "scripts", "make-demo-themes.sh"), demo], check=True,
                       env=dict(os.environ, MORVANTA_THEME_TOOL=TOOL), capture_output=True)
        # The demo cursors loop; the arrow and the hand play 90 and 60 ms, which are no whole jiffies.
        timing = {0: [(f, 90) for f in range(6)], 2: [(f, 80) for f in range(8)], 3: [(f, 80) for f in range(8)],
                  18: [(f, 60) for f in list(range(6)) + list(range(5, -1, -1))]}
        for name in ("Aurora", "Ember"):
            theme = os.path.join(demo, name + ".morvanta")
            stored = {c["role"]: c for c in self.dump(theme)["cursors"] if c["scale"] == 1 and c["event"] == 1}
            for scale, appearance in ((None, []), ("1.5", ["--hue", "40", "--opacity", "200", "--mirror", "--no-shadow"])):
                out = self.path(name + "-%s" % scale)
                line, back, cursors = self.round_trip(theme, out, scale, appearance)
                self.assertTrue(line.startswith("scheme: %s; files: Arrow.ani AppStarting.ani Wait.ani " % name), line)
                self.assertTrue(line.endswith("; left out: Help NWPen No SizeAll UpArrow\n"), line)
                roles = sorted(r for r in SLOTS.values() if r in stored)
                self.assertEqual(sorted(cursors), sorted(roles + [PARTNERS[r] for r in roles if r in PARTNERS]))
                for role in roles:
                    self.expect_pixels(theme, role, scale, appearance, cursors[role])
                    if role in timing:
                        self.expect_timing(timing[role], True, cursors[role])
                    else:
                        self.assertIsNone(cursors[role]["script"])
                    if not scale:  # nothing moves the hot spot but the shadow, to the right and down
                        self.assertEqual((cursors[role]["hotspotX"], cursors[role]["hotspotY"]),
                                         (stored[role]["hotspotX"], stored[role]["hotspotY"]))
                for role, partner in PARTNERS.items():
                    self.assertEqual(cursors[role]["pixelsSha256"], cursors[partner]["pixelsSha256"])
                # Mirrored, the arrow's hot spot (3, 3 at 1.5) lies as far from the right edge.
                if scale:
                    self.assertEqual((cursors[0]["hotspotX"], cursors[0]["hotspotY"]), (48 - 1 - 3, 3))

    def pack(self, name):
        """A theme with a frame script holding a repeat group (the arrow), an animation that does not
        loop (wait), a still cursor (text), a cursor that keeps the system's (size NS) and no help."""
        rng = np.random.default_rng(5)
        pixels = rng.integers(0, 256, size=(16, 16 * 4, 4), dtype=np.uint8)
        pixels[0, :, 3] = 0
        pixels[1, :, 3] = 255
        Image.fromarray(pixels, "RGBA").save(self.path("strip.png"))
        Image.fromarray(pixels[:, :48], "RGBA").save(self.path("three.png"))
        Image.fromarray(pixels[:, :16], "RGBA").save(self.path("still.png"))
        escaped = name.replace("\\", "\\\\").replace('"', '\\"')
        lines = ['name "%s"' % escaped,
                 'cursor role=0 event=1 frames=4 hotspot=3,5 image=strip.png loop=1'
                 ' script="1,50;repeat 3;2-3,30;end repeat;4,100;3-1,25"',
                 "cursor role=3 event=1 frames=3 interval=100 loop=0 hotspot=8,8 image=three.png",
                 "cursor role=5 event=1 hotspot=1,2 image=still.png",
                 "cursor role=8 event=1 standard=1 image=still.png"]
        with open(self.path("manifest.txt"), "w", encoding="utf-8") as f:
            f.write("\n".join(lines) + "\n")
        theme = self.path("scripted.morvanta")
        self.ok("pack", self.path("manifest.txt"), theme)
        return theme

    def test_a_repeat_group_and_an_animation_that_does_not_loop_come_back(self):
        theme = self.pack('Glac\u00e9: "Blue" 100% <night>;. ')
        appearance = ["--mirror", "--opacity", "180", "--no-shadow"]
        out = self.path("scheme")
        line, back, cursors = self.round_trip(theme, out, "2", appearance)
        safe = 'Glac\u00e9_ _Blue_ 100% _night_;'
        self.assertEqual(line, "scheme: %s; files: Arrow.ani Wait.ani IBeam.cur install.inf; "
                               "left out: Help AppStarting Crosshair NWPen No SizeNS SizeWE SizeNWSE SizeNESW "
                               "SizeAll UpArrow Hand\n" % safe)
        self.assertEqual(sorted(os.listdir(out)), ["Arrow.ani", "IBeam.cur", "Wait.ani", "install.inf"])
        with open(os.path.join(out, "install.inf"), "rb") as f:
            self.assertEqual(f.read(2), b"\xff\xfe", "a name beyond ASCII makes a UTF-16 .inf")
        self.assertEqual(self.dump(back)["texts"]["name"], safe)
        self.assertEqual(sorted(cursors), [0, 3, 5])
        for role in (0, 3, 5):
            self.expect_pixels(theme, role, "2", appearance, cursors[role])
        # The repeat group plays once a pass: 1; 2 3; 4; 3 2 1.
        self.expect_timing([(0, 50), (1, 30), (2, 30), (3, 100), (2, 25), (1, 25), (0, 25)], True, cursors[0])
        self.expect_timing([(0, 100), (1, 100), (2, 100)], False, cursors[3])
        self.assertIsNone(cursors[5]["script"])
        # Hot spots at scale 2, mirrored in frames of 32 pixels.
        self.assertEqual([(cursors[r]["hotspotX"], cursors[r]["hotspotY"]) for r in (0, 3, 5)],
                         [(31 - 6, 10), (31 - 16, 16), (31 - 2, 4)])

    def test_a_cursor_stored_at_another_scale_only_is_rescaled_for_scale_1(self):
        big = np.zeros((16, 16, 4), dtype=np.uint8)
        big[...] = (200, 10, 10, 255)
        Image.fromarray(big, "RGBA").save(self.path("big.png"))
        with open(self.path("two.txt"), "w") as f:
            f.write("name Two\ncursor role=0 event=1 scale=2 hotspot=4,6 image=big.png\n")
        theme = self.path("two.morvanta")
        self.ok("pack", self.path("two.txt"), theme)
        line, back, cursors = self.round_trip(theme, self.path("two"), None, ["--no-shadow"])
        self.assertEqual((cursors[0]["width"], cursors[0]["height"]), (8, 8), "drawn for scale 1, not as stored")
        self.assertEqual((cursors[0]["hotspotX"], cursors[0]["hotspotY"]), (2, 3))

    def test_the_scheme_name_is_the_theme_name_made_safe_and_cut(self):
        for name, safe in (("CON", "CON_"), ("..", "Cursor scheme"), ("a/b\\c|d", "a_b_c_d"),
                           ("x" * 150, "x" * 100), ("x" * 99 + "\U0001F600", "x" * 99)):
            theme = self.pack(name)
            out = self.path("named")
            line = self.ok("export-windows", theme, out)
            self.assertTrue(line.startswith("scheme: %s; " % safe), (name, line))
            back = self.path("named.morvanta")
            self.ok("import-windows", os.path.join(out, "install.inf"), back)
            self.assertEqual(self.dump(back)["texts"]["name"], safe)

    def expect_refused(self, args, words, out):
        before = sorted(os.listdir(out)) if os.path.isdir(out) else None
        done = run("export-windows", *args)
        self.assertEqual(done.returncode, 1, done.stdout)
        self.assertEqual(done.stdout, "")
        self.assertEqual(done.stderr.count("\n"), 1, done.stderr)
        self.assertIn(words, done.stderr)
        self.assertEqual(sorted(os.listdir(out)) if os.path.isdir(out) else None, before, "nothing is left behind")

    def test_damaged_or_unfit_themes_are_refused_and_leave_the_folder_as_it_was(self):
        theme = self.pack("Scripted")
        out = self.path("out")
        damaged = self.path("damaged.morvanta")
        with open(theme, "rb") as f, open(damaged, "wb") as g:
            g.write(f.read()[:300])
        self.expect_refused([damaged, out], "damaged.morvanta: ", out)
        os.makedirs(out)
        with open(os.path.join(out, "Arrow.cur"), "wb") as f:
            f.write(b"mine")
        # 16 pixels at scale 2 and 1000 %: larger than a cursor file holds.
        self.expect_refused([theme, out, "--scale", "2", "--size", "1000", "--no-shadow"],
                            "Arrow (role 0): the cursor is 320 x 320 pixels", out)
        effects = self.path("effects.morvanta")
        with open(self.path("effects.txt"), "w") as f:
            f.write("name Effects\neffect key=0 image=still.png\n")
        self.ok("pack", self.path("effects.txt"), effects)
        self.expect_refused([effects, out], "the theme has no cursor for any Windows cursor", out)
        # A folder that cannot be made.
        self.expect_refused([theme, os.path.join(out, "Arrow.cur", "sub")], "cannot create the folder", out)
        with open(os.path.join(out, "Arrow.cur"), "rb") as f:
            self.assertEqual(f.read(), b"mine")

    def test_wrong_usage_exits_with_2(self):
        for args in ([], ["only-theme"], ["a", "b", "c"], ["a", "b", "--scale"], ["a", "b", "--scale", "0"],
                     ["a", "b", "--scale", "17"], ["a", "b", "--opacity", "300"], ["a", "b", "--role", "1"],
                     ["a", "b", "--shadow", "1,2,3,4", "--no-shadow"]):
            done = run("export-windows", *args)
            self.assertEqual(done.returncode, 2, args)
            self.assertIn("export-windows THEME OUT_DIR [--scale S]", done.stderr)


if __name__ == "__main__":
    unittest.main()
