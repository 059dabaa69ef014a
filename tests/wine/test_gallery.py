"""The toolkit driven by real X input: HalvixGallery.exe under Wine on the session's Xvfb display.

The gallery logs what reaches its objects (tools/halvix_gallery); the tests move and click the
real pointer with xdotool and read the log. Positions are client coordinates of the gallery at
scale 1 (800 x 600 on the session's 1280 x 1024 screen at 96 dpi).
"""
import os
import tempfile
import time
import unittest

import winelib
import xinput

GALLERY_EXE = os.path.join(winelib.BIN_DIR, "HalvixGallery.exe")
TITLE = "Halvix gallery"

# Client coordinates of the gallery's controls (the panel starts at x = 249).
PLAIN_BUTTON = (315, 105)
ACCENT_BUTTON = (425, 105)
REMOVE_BUTTON = (315, 569)
PROBE_A = (651, 566)
PROBE_B = (735, 566)
SLIDER_KNOB = (346, 214)  # value 40 of 0..100 on a 190-pixel travel
LIST_ROW_2 = (365, 363)


@winelib.require_session
class GalleryInput(unittest.TestCase):
    def setUp(self):
        handle, self.log_path = tempfile.mkstemp(suffix=".log")
        os.close(handle)
        xinput.park_pointer()  # not over the window when it appears
        self.process = winelib.start(GALLERY_EXE, "--log", winelib.windows_path(self.log_path))
        code, self.window = winelib.probe("window", "--title", TITLE, "--timeout", 60, timeout=90)
        self.assertEqual(code, 0, "the gallery window did not appear")
        self.pointer = xinput.Pointer(self.window)
        time.sleep(0.5)
        self.start = len(self.read_log())

    def tearDown(self):
        winelib.close_window(self.window, self.process)
        os.remove(self.log_path)

    def read_log(self):
        with open(self.log_path, encoding="utf-8") as f:
            return [line.strip() for line in f if line.strip()]

    def log(self):
        """The events since the window was ready."""
        return self.read_log()[self.start:]

    def wait_log(self, line, timeout=5):
        self.assertTrue(winelib.wait_until(lambda: line in self.log(), timeout), "%r not in %r" % (line, self.log()))

    def test_a_press_drags_only_after_six_pixels(self):
        x, y = PROBE_A
        self.pointer.move(x, y)
        self.pointer.down()
        self.pointer.move(x + 5, y + 5)
        self.pointer.move(x - 5, y - 5)
        time.sleep(0.3)
        self.assertFalse([line for line in self.log() if line.startswith("probe-drag")], self.log())
        self.pointer.move(x + 6, y)
        self.wait_log("probe-drag A 6 0")
        self.pointer.up()
        self.wait_log("probe-up A dragged")

        # Again in y, on the other probe.
        x, y = PROBE_B
        self.pointer.move(x, y)
        self.pointer.down()
        self.pointer.move(x, y + 6)
        self.wait_log("probe-drag B 0 6")
        self.pointer.up()

    def test_two_quick_clicks_are_a_double_click_and_two_slow_ones_are_not(self):
        x, y = PROBE_B
        self.pointer.move(x, y)
        xinput.xdotool("click", "--repeat", 2, "--delay", 150, 1)
        self.wait_log("probe-double B")
        time.sleep(1)
        count = self.log().count("probe-double B")
        self.pointer.click(x, y, settle=0.8)
        self.pointer.click(x, y, settle=0.3)
        self.assertEqual(self.log().count("probe-double B"), count)
        self.assertEqual(self.log().count("probe-up B clicked"), 4)

    def test_hover_enters_and_leaves_the_objects_under_the_pointer(self):
        self.pointer.move(*PLAIN_BUTTON)
        self.pointer.move(*ACCENT_BUTTON)
        self.pointer.away()
        self.wait_log("leave 1002")
        hovers = [line for line in self.log() if line.split()[0] in ("enter", "leave")]
        self.assertEqual(hovers, ["enter 1001", "leave 1001", "enter 1002", "leave 1002"])

    def test_removing_the_hovered_object_in_its_own_click_leaves_no_hover_behind(self):
        self.pointer.click(*REMOVE_BUTTON)
        self.wait_log("command 1013")
        # The pointer is still where the button was: moving and clicking there reaches nothing,
        # and the window goes on working.
        self.pointer.move(REMOVE_BUTTON[0] + 3, REMOVE_BUTTON[1])
        self.pointer.click(*REMOVE_BUTTON)
        self.pointer.click(*PLAIN_BUTTON)
        self.wait_log("command 1001")
        self.assertEqual(self.log().count("command 1013"), 1)
        self.assertIsNone(self.process.poll())

    def test_a_right_click_on_a_control_runs_no_command(self):
        self.pointer.click(*PLAIN_BUTTON, button=3)
        self.pointer.click(*ACCENT_BUTTON)
        self.wait_log("command 1002")
        self.assertNotIn("command 1001", self.log())
        self.assertIn("enter 1001", self.log())

    def test_the_slider_knob_follows_the_drag_and_clamps(self):
        x, y = SLIDER_KNOB
        self.pointer.move(x, y)
        self.pointer.down()
        self.pointer.move(x + 38, y)  # (76 + 38) / 190 of the range
        self.wait_log("slider 1008 60")
        self.pointer.move(x + 300, y)
        self.wait_log("slider 1008 100")
        self.pointer.move(x - 300, y)
        self.wait_log("slider 1008 0")
        self.pointer.up()

    def test_the_wheel_over_the_window_scrolls_the_list(self):
        self.pointer.wheel(*LIST_ROW_2, notches=-2)
        self.wait_log("wheel -120")
        self.assertEqual(self.log().count("wheel -120"), 2)

    def test_a_click_on_a_list_row_selects_it(self):
        self.pointer.move(*LIST_ROW_2)
        self.pointer.move(LIST_ROW_2[0] + 2, LIST_ROW_2[1])
        self.pointer.click(LIST_ROW_2[0] + 2, LIST_ROW_2[1])
        # The hover bar was under the pointer: its command selects the row.
        self.wait_log("command 1021")


@winelib.require_session
class GalleryLooks(unittest.TestCase):
    def test_the_gallery_looks_as_committed(self):
        xinput.park_pointer()
        process = winelib.start(GALLERY_EXE, "--still")
        code, window = winelib.probe("window", "--title", TITLE, "--timeout", 60, timeout=90)
        self.assertEqual(code, 0, "the gallery window did not appear")
        try:
            xinput.park_pointer()
            time.sleep(1.0)
            self.assertEqual((window["clientWidth"], window["clientHeight"]), (800, 600))
            shot = xinput.screenshot(window, os.path.join(xinput.ARTIFACTS, "gallery.png"))
            problem = xinput.compare_with_reference(shot, "gallery")
            self.assertIsNone(problem, problem)
        finally:
            winelib.close_window(window, process)


if __name__ == "__main__":
    unittest.main()
