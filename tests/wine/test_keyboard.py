"""The window from the keyboard alone, in real MorvantaConfig.exe processes driven with real key
presses (xdotool key on the session's display).

The window reports each move of its focus as a diagnostic line "focus KIND ID X Y" (the stop's kind,
its command id and its top left in client pixels), which Wine writes out with its debugstr channel
on. Positions are client coordinates at scale 1 (800 x 600 on the session's 1280 x 1024 screen).
"""
import os
import shutil
import subprocess
import tempfile
import time
import unittest

import winelib as w
import xinput

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
THEME_TOOL = os.environ.get("MORVANTA_THEME_TOOL") or os.path.join(ROOT, "build", "native", "tools", "morvanta-theme")
SCREENSHOTS = os.path.join(ROOT, "docs", "screenshots")

SIZE_SLIDER = 57
APPEARANCE_SLIDERS = {24, 76, 77, 15, 57}
SHADOW_SLIDERS = {18, 19}
FIXED_OFFSET_SLIDERS = {32, 33}
LIGHT_SOURCE_SLIDERS = {20, 21, 22, 23}
SHADOW_PAGE, OTHER_PAGE = 31, 58
HOT_KEY_BUTTON, OPTIONS_APPLY = 92, 95
THEME_LIST = 41           # the theme list's stop carries its hover bar's command
RING = (0x2A, 0x70, 0xD0)  # the focus ring's outer line
RING_GAP = 3
PREVIEW_AREA = (249 + 317, 137, 198, 248)  # inside the options preview box's border
PREVIEW_FILL = (0xF3, 0xF5, 0xF8)
SAME_LINE = 8


def key(*names):
    for name in names:
        xinput.xdotool("key", "--delay", 40, name)
        time.sleep(0.12)


def setUpModule():
    global THEMES_SOURCE
    THEMES_SOURCE = w.make_demo_themes(THEME_TOOL, "morvanta-keys-")


def tearDownModule():
    shutil.rmtree(THEMES_SOURCE, ignore_errors=True)


THEMES_SOURCE = ""


def theme_name(path):
    done = subprocess.run([THEME_TOOL, "dump", path], capture_output=True, text=True, timeout=60)
    for line in done.stdout.splitlines():
        if line.strip().lower().startswith("name"):
            return line.split(":", 1)[-1].strip().strip('"')
    return None


def stored(name):
    """A DWORD of the product key; None when absent."""
    value = w.reg_get(w.PRODUCT_KEY, name)
    return value.get("dword") if value and value.get("exists") else None


def in_reading_order(stops):
    """True when each stop lies on a later line than the one before, or on the same line to its right."""
    for before, after in zip(stops, stops[1:]):
        same_line = abs(after[3] - before[3]) < SAME_LINE
        if same_line and after[2] < before[2]:
            return False
        if not same_line and after[3] < before[3]:
            return False
    return True


@w.require_session
@unittest.skipUnless(os.path.exists(THEME_TOOL), "needs the native morvanta-theme tool (scripts/build.sh native)")
class KeyboardCase(unittest.TestCase):
    def setUp(self):
        paths = w.fresh_product_folders(THEMES_SOURCE)
        self.themes, self.current = paths["themes"], paths["current"]
        w.reg_delete_tree(w.PRODUCT_KEY)
        handle, self.trace = tempfile.mkstemp(suffix=".trace")
        os.close(handle)
        self.window = None
        self.process = None

    def tearDown(self):
        if self.window and self.process and self.process.poll() is None:
            w.close_window(self.window, self.process)
        w.close_windows_of_class("Tolvaris")  # an engine an apply started
        w.reg_delete_tree(w.PRODUCT_KEY)
        if os.path.exists(self.current):
            os.remove(self.current)
        os.remove(self.trace)

    def start(self):
        xinput.park_pointer()
        self.process = w.start_traced(w.CONFIG_EXE, self.trace)
        self.window = w.main_window(60)
        self.assertIsNotNone(self.window, "the window did not appear")
        self.pointer = xinput.Pointer(self.window)
        time.sleep(1.0)  # the list's previews and the first panel's fade

    def focus_lines(self):
        stops = []
        for line in w.trace_lines(self.trace):
            parts = line.split()
            if parts and parts[0] == "focus":
                stops.append((parts[1], int(parts[2]), int(parts[3]), int(parts[4])))
        return stops

    def tab(self, *names):
        """Presses keys and answers the focus they moved to."""
        before = len(self.focus_lines())
        key(*names)
        self.assertTrue(w.wait_until(lambda: len(self.focus_lines()) > before, 5), "the focus did not move")
        return self.focus_lines()[-1]

    def tab_to(self, kind, command, limit=40):
        for _ in range(limit):
            stop = self.tab("Tab")
            if stop[0] == kind and stop[1] == command:
                return stop
        self.fail("Tab never reached %s %d" % (kind, command))

    def tab_round(self):
        """Every stop of the shown panel, from the sidebar's tab round to it again."""
        first = self.tab_to("tabs", 0)
        stops = [first]
        for _ in range(60):
            stop = self.tab("Tab")
            if stop[:2] == first[:2]:
                return stops
            stops.append(stop)
        self.fail("the focus never came round: %r" % stops)

    def switch_panel_back(self, times):
        for _ in range(times):
            self.tab("ctrl+shift+Tab")
        time.sleep(0.6)  # the panels' fade

    def shot(self, name):
        return xinput.screenshot(self.window, os.path.join(xinput.ARTIFACTS, "keyboard", name + ".png"))

    def preview_height(self, name):
        """The height of what the options preview shows (rows that differ from the box's fill)."""
        import numpy
        from PIL import Image
        x, y, width, height = PREVIEW_AREA
        area = numpy.asarray(Image.open(self.shot(name)).convert("RGB"), dtype=numpy.int32)[y:y + height, x:x + width]
        rows = numpy.nonzero((numpy.abs(area - PREVIEW_FILL).max(axis=2) > 24).any(axis=1))[0]
        return int(rows[-1] - rows[0] + 1) if len(rows) else 0


class KeyboardOnly(KeyboardCase):
    def test_a_theme_the_size_slider_the_hot_key_dialog_and_closing_with_keys_alone(self):
        self.start()
        # Choose and apply a theme: the theme list, one row down, Enter.
        stop = self.tab_to("list", THEME_LIST)
        self.assertEqual(stop[0], "list")
        key("Down", "Return")
        self.assertTrue(w.wait_until(lambda: os.path.exists(self.current), 10), "no current-theme file was written")
        chosen = theme_name(self.current)
        self.assertIn(chosen, {theme_name(os.path.join(self.themes, n)) for n in os.listdir(self.themes)})

        # The options panel (the tab before About, two back from Themes), the Size slider to 150.
        self.switch_panel_back(2)
        self.tab_to("slider", SIZE_SLIDER)
        before = self.preview_height("size-100")
        # Choosing the theme reset the options, which writes them (Size 100).
        size_before = stored("Size")
        key("Prior")  # a tenth of 25 ... 400: 137
        key(*["Right"] * 13)
        self.assertEqual(stored("Size"), size_before, "moving a slider writes nothing by itself")
        self.tab_to("button", OPTIONS_APPLY)
        key("Return")
        self.assertTrue(w.wait_until(lambda: stored("Size") == 150, 10),
                        "the registry does not hold Size 150 but %r" % stored("Size"))
        after = self.preview_height("size-150")
        self.assertGreater(before, 0, "the preview showed nothing")
        self.assertLessEqual(abs(after - before * 1.5), 4, "the preview did not grow to 150 %%: %d -> %d" % (before, after))

        # The hot-key dialog, opened from the third page and closed with Esc; then the window.
        self.tab_to("button", OTHER_PAGE)
        key("Return")
        time.sleep(0.6)
        self.tab_to("button", HOT_KEY_BUTTON)
        key("Return")
        dialog = w.window_titled("Hot key")
        self.assertIsNotNone(dialog, "the hot-key dialog did not open")
        key("Escape")
        self.assertEqual(w.probe("wait-gone", dialog["hwnd"], 10)[0], 0, "Esc did not close the dialog")
        time.sleep(0.3)
        key("Escape")
        self.assertEqual(self.process.wait(20), 0, "Esc did not close the window")


class FocusOrder(KeyboardCase):
    def test_each_panel_is_tabbed_through_in_reading_order_and_hidden_objects_are_skipped(self):
        self.start()
        rounds = {}
        panels = ["themes", "about", "options", "more-themes", "sounds", "trails", "effects"]
        for index, panel in enumerate(panels):
            if index:
                self.switch_panel_back(1)
            stops = self.tab_round()
            rounds[panel] = stops
            print("\n%s: %s" % (panel, " ".join("%s:%d@%d,%d" % s for s in stops)))
            with self.subTest(panel):
                self.assertEqual(stops[0][0], "tabs")
                self.assertTrue(in_reading_order(stops[1:]), "%s is not in reading order: %r" % (panel, stops))
                self.assertEqual(len({s[:2] for s in stops}), len(stops), "a stop came twice in one round")
                self.assertTrue(all(0 <= s[2] < 800 and 0 <= s[3] < 600 for s in stops))

        # The options panel shows one page: only its sliders are stops.
        sliders = {s[1] for s in rounds["options"] if s[0] == "slider"}
        self.assertEqual(sliders, APPEARANCE_SLIDERS)
        self.switch_panel_back(3)  # back to options from effects: themes, about, options
        self.tab_to("button", SHADOW_PAGE)
        key("Return")
        time.sleep(0.6)
        sliders = {s[1] for s in self.tab_round() if s[0] == "slider"}
        # No light source is set: the fixed-offset group shows, the light-source group is hidden.
        self.assertEqual(sliders, SHADOW_SLIDERS | FIXED_OFFSET_SLIDERS)
        self.assertFalse(sliders & LIGHT_SOURCE_SLIDERS | APPEARANCE_SLIDERS & sliders)
        self.assertIn(("list", THEME_LIST), [s[:2] for s in rounds["themes"]])
        self.assertIn(("language", 0), [s[:2] for s in rounds["about"]])


class FocusRing(KeyboardCase):
    def ring_at(self, name, stop):
        from PIL import Image
        image = Image.open(self.shot(name)).convert("RGB")
        x, y = stop[2] + 6, stop[3] - RING_GAP  # the ring's top line, above the stop's left end
        return max(abs(a - b) for a, b in zip(image.getpixel((x, y)), RING)) <= 40

    def test_the_ring_shows_after_a_tab_and_hides_after_a_mouse_click(self):
        self.start()
        self.switch_panel_back(2)
        stop = self.tab_to("button", OPTIONS_APPLY)
        time.sleep(0.3)
        self.assertTrue(self.ring_at("ring-shown", stop), "no focus ring after Tab")
        if os.environ.get("MORVANTA_UPDATE_SCREENSHOTS") == "1":
            shutil.copy(self.shot("keyboard-focus"), os.path.join(SCREENSHOTS, "keyboard-focus.png"))
        self.pointer.click(700, 520)  # the panel's empty background
        xinput.park_pointer()
        time.sleep(0.3)
        self.assertFalse(self.ring_at("ring-hidden", stop), "the focus ring stayed after a click")
        # The next key brings it back where the focus was.
        stop = self.tab("Tab")
        time.sleep(0.3)
        self.assertTrue(self.ring_at("ring-back", stop), "no focus ring after the next Tab")


if __name__ == "__main__":
    unittest.main()
