"""The main window as a person meets it: its size, the sidebar's tabs switching the panels (real X
clicks), its scaling on a small screen, and a window that cannot be created."""
import os
import shutil
import subprocess
import tempfile
import time
import unittest

import winelib as w
import xinput

TAB_HEIGHT = 48
TAB_TOP = 10
MARKER_X = 2  # the selected tab's blue bar at the left edge
THEMES_TAB, OPTIONS_TAB, ABOUT_TAB = 0, 5, 6
HELP_LINK = (280, 199)  # the about panel's third link


def tab_centre(index):
    return 120, TAB_TOP + TAB_HEIGHT * index + TAB_HEIGHT // 2


def is_marker_blue(rgb):
    red, green, blue = rgb
    return blue > 180 and red < 90


@w.require_session
class MainWindowTest(unittest.TestCase):
    def setUp(self):
        xinput.park_pointer()
        self.tool = w.start(w.CONFIG_EXE)
        self.window = w.main_window(timeout=60)
        self.assertIsNotNone(self.window, "the main window did not appear")
        self.pointer = xinput.Pointer(self.window)
        time.sleep(1.0)

    def tearDown(self):
        w.close_window(self.window, self.tool)

    def shot(self, name):
        from PIL import Image

        path = xinput.screenshot(self.window, os.path.join(xinput.ARTIFACTS, "main-window", name + ".png"))
        return Image.open(path).convert("RGB")

    def selected_tabs(self, image):
        return [i for i in range(7) if is_marker_blue(image.getpixel((MARKER_X, tab_centre(i)[1])))]

    def test_the_window_opens_at_800_by_600_on_the_themes_panel(self):
        self.assertEqual((self.window["clientWidth"], self.window["clientHeight"]), (800, 600))
        self.assertEqual(self.selected_tabs(self.shot("start")), [THEMES_TAB])

    def test_the_help_link_says_so_when_the_help_file_is_not_beside_the_program(self):
        self.pointer.click(*tab_centre(ABOUT_TAB), settle=0.6)
        self.pointer.click(*HELP_LINK)
        box = w.wait_message_box(caption="Morvanta")
        self.assertIsNotNone(box, "no message about the missing help file")
        self.assertIn("Morvanta.CHM", box["text"])
        w.dismiss_message_box(box)

    def test_the_tabs_switch_panels_and_the_shown_panels_tab_changes_nothing(self):
        import numpy

        before = self.shot("themes")
        self.pointer.click(*tab_centre(THEMES_TAB), settle=0.6)
        self.pointer.away()
        again = self.shot("themes-again")
        self.assertLess(numpy.abs(numpy.asarray(before, int) - numpy.asarray(again, int)).mean(), 0.5)

        self.pointer.click(*tab_centre(OPTIONS_TAB), settle=0.6)
        self.pointer.away()
        options = self.shot("options")
        self.assertEqual(self.selected_tabs(options), [OPTIONS_TAB])
        heading = (260, 0, 700, 80)
        changed = numpy.abs(numpy.asarray(before.crop(heading), int) - numpy.asarray(options.crop(heading), int))
        self.assertGreater(changed.mean(), 2.0, "the panel did not change")

        # The language box lives on the about panel only.
        self.pointer.click(*tab_centre(ABOUT_TAB), settle=0.6)
        self.assertEqual(self.selected_tabs(self.shot("about")), [ABOUT_TAB])
        self.assertTrue(w.probe("combo", self.window["hwnd"], 1005)[1]["visible"])
        self.pointer.click(*tab_centre(THEMES_TAB), settle=0.6)
        self.assertFalse(w.probe("combo", self.window["hwnd"], 1005)[1]["visible"])


@w.require_session
class SmallScreenTest(unittest.TestCase):
    def test_on_a_1024_by_600_screen_the_client_area_is_704_by_528(self):
        # A session of its own with a small screen: the window is sized when it opens.
        script = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts", "wine-session.sh")
        command = ('"%s" "%s" & tool=$!; "$MORVANTA_WINE" "%s" main-window --timeout 60; '
                   'kill $tool' % (w.loader(w.CONFIG_EXE), w.CONFIG_EXE, w.PROBE_EXE))
        env = dict(os.environ, MORVANTA_SCREEN="1024x600x24")
        for name in ("WINEPREFIX", "MORVANTA_PREFIX", "MORVANTA_WINE_SESSION", "DISPLAY"):
            env.pop(name, None)
        done = subprocess.run(["bash", script, "bash", "-c", command], env=env, capture_output=True, timeout=240)
        import json

        lines = [l for l in done.stdout.decode().splitlines() if l.startswith("{")]
        self.assertTrue(lines, done.stderr.decode()[-2000:])
        window = json.loads(lines[0])
        self.assertEqual((window["clientWidth"], window["clientHeight"]), (704, 528))


if __name__ == "__main__":
    unittest.main()


@w.require_session
class NoWindowTest(unittest.TestCase):
    def test_a_dialog_that_cannot_be_created_is_reported_and_the_exit_code_is_1(self):
        # A copy of the program whose main dialog holds a control of a class nobody registers:
        # creating it fails as when the common controls cannot load.
        folder = tempfile.mkdtemp(prefix="morvanta-broken-")
        try:
            exe = os.path.join(folder, "MorvantaConfig.exe")
            shutil.copy(w.CONFIG_EXE, exe)
            shutil.copytree(os.path.join(w.PROGRAM_DIR, "lang"), os.path.join(folder, "lang"))
            code, answer = w.probe("break-dialog", w.windows_path(exe), 129)
            self.assertEqual(code, 0, "the dialog template was not replaced")
            self.assertGreaterEqual(answer["replaced"], 1)

            tool = w.start(exe)
            box = w.wait_message_box(timeout=60)
            self.assertIsNotNone(box, "the tool ended without a word")
            self.assertEqual(box["caption"], "Morvanta")
            headline, _, reason = box["text"].partition("\n\n")
            self.assertEqual(headline, "The Morvanta window could not be created.")
            self.assertTrue(reason.strip(), "no reason given")
            self.assertNotIn("successfully", reason)
            self.assertIsNone(w.main_window(timeout=1))
            w.dismiss_message_box(box)
            self.assertEqual(tool.wait(timeout=30), 1)
        finally:
            w.remove_tree(folder)
