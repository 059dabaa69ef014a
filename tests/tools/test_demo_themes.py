"""The demo themes the run command installs are drawn, packed and read back as intended."""
import json
import os
import subprocess
import tempfile
import unittest

TOOL = os.environ.get("MORVANTA_THEME_TOOL", "")
ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))


@unittest.skipUnless(TOOL, "needs MORVANTA_THEME_TOOL")
class DemoThemesTest(unittest.TestCase):
    def test_each_demo_theme_packs_and_reads_back_with_its_content(self):
        with tempfile.TemporaryDirectory() as out:
            subprocess.run([os.path.join(ROOT, "scripts", "make-demo-themes.sh"), out], check=True,
                           env=dict(os.environ, MORVANTA_THEME_TOOL=TOOL))
            dumps = {}
            for name in sorted(os.listdir(out)):
                done = subprocess.run([TOOL, "dump", os.path.join(out, name)], capture_output=True, check=True)
                dumps[name] = json.loads(done.stdout)
        self.assertEqual(sorted(dumps), ["Aurora.morvanta", "Dotted Trail.morvanta", "Ember.morvanta",
                                         "Glow Trail.morvanta", "Sparkle Clicks.morvanta"])
        aurora, ember, trail = dumps["Aurora.morvanta"], dumps["Ember.morvanta"], dumps["Dotted Trail.morvanta"]
        self.assertEqual(aurora["contentFlags"], 1)
        self.assertEqual(ember["contentFlags"], 1 | 2 | 8)
        self.assertEqual(trail["contentFlags"], 2 | 4)
        arrows = [c for c in aurora["cursors"] if c["role"] == 0 and c["event"] == 1]
        self.assertEqual(sorted(c["scale"] for c in arrows), [1, 1.5])
        self.assertEqual([c["width"] for c in arrows if c["scale"] == 1], [6 * 32])
        self.assertEqual([s["key"] for s in ember["sounds"]], [0, 1])
        self.assertEqual(trail["trails"][0]["rate"], 25)
        # The effects-only and the never-ending trail file.
        sparkle, glow = dumps["Sparkle Clicks.morvanta"], dumps["Glow Trail.morvanta"]
        self.assertEqual(sparkle["contentFlags"], 2)
        self.assertEqual([e["key"] for e in sparkle["effects"]], [0, 1, 6])
        self.assertEqual(glow["contentFlags"], 4)
        self.assertEqual((glow["trails"][0]["rate"], glow["trails"][0]["script"]), (30, "1-6,70"))


if __name__ == "__main__":
    unittest.main()
