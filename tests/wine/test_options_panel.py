"""The options panel, the reset of the appearance settings and the hot-key dialog, in real
MorvantaConfig.exe processes driven with real X input.

Each test writes the settings it needs into the registry and a still test theme as the theme in
use, starts the tool and opens the options panel with a click on its tab. Positions are client
coordinates at scale 1 (800 x 600 on the session's 1280 x 1024 screen at 96 dpi); the panel
starts at x = 249.
"""
import os
import shutil
import subprocess
import tempfile
import time
import unittest

import winelib as w
import xinput

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
THEME_TOOL = os.environ.get("MORVANTA_THEME_TOOL") or os.path.join(REPO, "build", "native", "tools", "morvanta-theme")
SCREENSHOTS = os.path.join(REPO, "docs", "screenshots")

PANEL_LEFT = 249
OPTIONS_TAB = (120, 10 + 48 * 5 + 24)


def at(x, y):
    """A point given in the options panel's space."""
    return PANEL_LEFT + x, y


APPEARANCE_HEAD, SHADOW_HEAD, OTHER_HEAD = at(91, 90), at(241, 90), at(391, 90)  # 150 x 36 at y 72
PREVIEW_AREA = (PANEL_LEFT + 317, 137, 198, 248)  # inside the preview box's border
PREVIEW_FILL = (0xF3, 0xF5, 0xF8)
ACCENT = (0x2B, 0x6C, 0xD4)  # knobs and checked boxes
# Sliders: tracks 240 long at x = 32; the knob, 10 wide, travels 230.
KNOB_TRAVEL = 230
TRACKS = {"Size": 392, "HueShift": 160, "ShadowSharpness": 180, "ShadowDark": 234, "ShadowX": 338, "LightX": 338,
          "LightHeight": 446}
RANGES = {"Size": (25, 400), "HueShift": (0, 255), "ShadowSharpness": (0, 20), "ShadowDark": (0, 255),
          "ShadowX": (-100, 100), "LightX": (-1000, 1000), "LightHeight": (201, 2000)}
NO_SHADOW_BOX, NO_SHADOW_LABEL = at(41, 133), at(80, 133)
MODE_LINK = at(52, 288)
HOT_KEY_BUTTON = at(82, 209)
MIRROR_LABEL = at(80, 257)
GLASS_BOX, GLASS_LABEL = at(41, 289), at(90, 289)
APPLY_BUTTON = at(485, 571)
RESET_BUTTON = at(375, 571)  # 50 left of its right end (425); a long caption widens it leftwards

RESET_DEFAULTS = {"ShadowX": 5, "ShadowY": 5, "ShadowDark": 128, "ShadowSharpness": 9, "DisableShadow": 0,
                  "Mirror": 0, "Size": 100, "Transparency": 255, "HueShift": 0, "Brightness": 0, "Contrast": 0,
                  "LightX": -65, "LightY": -700, "CursorHeight": 26, "LightHeight": 9303, "MovSmooth": 0}
CHANGED = {"ShadowX": -20, "ShadowY": 30, "ShadowDark": 200, "ShadowSharpness": 3, "DisableShadow": 1, "Mirror": 1,
           "Size": 150, "Transparency": 200, "HueShift": 40, "Brightness": 50, "Contrast": -30, "LightX": 300,
           "LightY": -200, "CursorHeight": 90, "LightHeight": 700, "MovSmooth": 40}
KEPT = {"UIBlur": 1, "ShadowDynamic": 1, "GhostLife": 300, "GhostOpacity": 77, "GhostPerSecond": 33, "Ghost": 1,
        "Language": 1033}
KEPT_TRAIL = r"C:\Trails\Comet.morvanta"

# The window blends the preview with the platform's alpha blend, which rounds where the blend's
# formula used here truncates: at full opacity the backdrop's share may come out 1 higher, below it
# the image's share too (its colour scaled by the opacity), so 2 in all.
PREVIEW_TOLERANCE = 2

HOT_KEY_CONTROL = 1002


def stored(name):
    """A DWORD of the product key as the signed number the settings hold; None when absent."""
    value = w.reg_get(w.PRODUCT_KEY, name)
    if not value or not value.get("exists") or "dword" not in value:
        return None
    return value["dword"] - (1 << 32) if value["dword"] >= 1 << 31 else value["dword"]


def knob_place(name, value):
    low, high = RANGES[name]
    return KNOB_TRAVEL * (min(max(value, low), high) - low) // (high - low)


def knob_x(name, value):
    """The client x of a knob's centre at a value's place."""
    return PANEL_LEFT + 32 + knob_place(name, value) + 5


def value_at(name, value):
    """The value a knob reports at knob_x(name, value)."""
    low, high = RANGES[name]
    return low + (high - low) * knob_place(name, value) // KNOB_TRAVEL


def close_to(pixel, colour, limit=40):
    return max(abs(int(a) - b) for a, b in zip(pixel, colour)) <= limit


def make_test_theme(folder):
    """A theme whose arrow is a still 32 x 32 image with colours and hard and soft edges."""
    from PIL import Image, ImageDraw, ImageFilter
    big = Image.new("RGBA", (128, 128), (0, 0, 0, 0))
    draw = ImageDraw.Draw(big)
    draw.polygon([(8, 8), (8, 96), (32, 74), (48, 108), (62, 102), (47, 69), (78, 69)], fill=(40, 110, 220, 255),
                 outline=(20, 30, 60, 255), width=5)
    draw.polygon([(14, 22), (14, 60), (36, 46)], fill=(250, 190, 40, 230))
    glow = Image.new("RGBA", (32, 32), (0, 0, 0, 0))
    ImageDraw.Draw(glow).ellipse((18, 2, 30, 14), fill=(230, 60, 90, 160))
    Image.alpha_composite(glow.filter(ImageFilter.GaussianBlur(1.5)), big.resize((32, 32), Image.LANCZOS)).save(
        os.path.join(folder, "arrow.png"))
    with open(os.path.join(folder, "manifest.txt"), "w") as f:
        f.write('name "Options Test"\ncursor role=0 event=1 image=arrow.png hotspot=1,1\n')
    theme = os.path.join(folder, "Options Test.morvanta")
    subprocess.run([THEME_TOOL, "pack", os.path.join(folder, "manifest.txt"), theme], check=True, timeout=60)
    return theme


def tool_preview(theme, folder, *options):
    """morvanta-theme preview's image as premultiplied RGBA (a numpy array)."""
    import numpy
    from PIL import Image
    out = os.path.join(folder, "tool-preview.png")
    subprocess.run([THEME_TOOL, "preview", theme, out, *options], check=True, timeout=60)
    image = numpy.asarray(Image.open(out).convert("RGBA"), dtype=numpy.int32)
    if "--no-shadow" in options:
        # Only the shadow premultiplies; without it the tool writes the theme's straight colours,
        # which the window's blend premultiplies before drawing.
        image = image.copy()
        image[:, :, :3] = image[:, :, :3] * image[:, :, 3:4] // 255
    return image


def visible_bounds(image):
    """(left, top, right, bottom), right and bottom exclusive, of the pixels with alpha above 15."""
    import numpy
    rows = numpy.nonzero((image[:, :, 3] > 15).any(axis=1))[0]
    columns = numpy.nonzero((image[:, :, 3] > 15).any(axis=0))[0]
    return int(columns[0]), int(rows[0]), int(columns[-1]) + 1, int(rows[-1]) + 1


def composite(image, backdrop, x, y, opacity):
    """The premultiplied image drawn at (x, y) over an RGB backdrop (clipped), by the blend's formula."""
    out = backdrop.copy()
    height, width = image.shape[:2]
    left, top = max(x, 0), max(y, 0)
    right, bottom = min(x + width, out.shape[1]), min(y + height, out.shape[0])
    if right > left and bottom > top:
        part = image[top - y:bottom - y, left - x:right - x]
        area = out[top:bottom, left:right]
        alpha = part[:, :, 3:4] * opacity // 255
        area[:] = part[:, :, :3] * opacity // 255 + area * (255 - alpha) // 255
    return out


def drawn_area(shot_path):
    """The pixels inside the preview box's border, as the window drew them."""
    import numpy
    from PIL import Image
    x, y, width, height = PREVIEW_AREA
    return numpy.asarray(Image.open(shot_path).convert("RGB"), dtype=numpy.int32)[y:y + height, x:x + width]


def compare_preview(shot_path, image, opacity, search=3):
    """The drawn preview against the image composited over the box's colour at every place within
    `search` pixels of where centring its visible part puts it. Answers (offset from the centred
    place, largest channel difference, share of differing pixels) of the best place."""
    import numpy
    drawn = drawn_area(shot_path)
    backdrop = numpy.empty_like(drawn)
    backdrop[:, :] = PREVIEW_FILL
    left, top, right, bottom = visible_bounds(image)
    cx = (drawn.shape[1] - (right - left)) // 2 - left
    cy = (drawn.shape[0] - (bottom - top)) // 2 - top
    best = None
    for dy in range(-search, search + 1):
        for dx in range(-search, search + 1):
            difference = numpy.abs(composite(image, backdrop, cx + dx, cy + dy, opacity) - drawn).max(axis=2)
            score = (int(difference.max()), float((difference > 0).mean()))
            if best is None or score < best[1:]:
                best = ((dx, dy),) + score
    return best


def close_all_main_windows():
    """Closes every main window and waits until no tool process is left: a process whose window is
    gone may still hold the single-instance mutex, and the next start would hand itself to it."""
    for _ in range(5):
        window = w.main_window(timeout=1)
        if not window:
            break
        w.probe("close", window["hwnd"])
        w.probe("wait-gone", window["hwnd"], 10)
    w.end_test_programs()


@w.require_session
@unittest.skipUnless(os.path.exists(THEME_TOOL), "needs the native morvanta-theme (scripts/build.sh native)")
class OptionsCase(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.work = tempfile.mkdtemp(prefix="morvanta-options-")
        cls.theme = make_test_theme(cls.work)

    @classmethod
    def tearDownClass(cls):
        w.remove_tree(cls.work)

    def setUp(self):
        close_all_main_windows()
        w.reg_delete_tree(w.PRODUCT_KEY)
        self.current_theme = os.path.join(w.unix_path(w.folder(w.CSIDL_LOCAL_APPDATA)), "Halberon", "Morvanta",
                                          "CurrentTheme.Morvanta")

    def tearDown(self):
        close_all_main_windows()
        w.close_windows_of_class("Tolvaris")  # an engine an apply started
        w.reg_delete_tree(w.PRODUCT_KEY)
        if os.path.exists(self.current_theme):
            os.remove(self.current_theme)

    def start(self, settings=None, with_theme=True, exe=None, env=None):
        """Starts the tool with these registry values and the test theme in use; opens the panel."""
        for name, value in (settings or {}).items():
            if isinstance(value, str):
                w.reg_set_string(w.PRODUCT_KEY, name, value)
            else:
                w.reg_set_dword(w.PRODUCT_KEY, name, value & 0xFFFFFFFF)
        if with_theme:
            os.makedirs(os.path.dirname(self.current_theme), exist_ok=True)
            shutil.copy(self.theme, self.current_theme)
        xinput.park_pointer()
        subprocess.Popen([w.loader(exe or w.CONFIG_EXE), exe or w.CONFIG_EXE], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=env)
        self.window = w.main_window()
        self.assertIsNotNone(self.window, "the main window did not appear")
        self.pointer = xinput.Pointer(self.window)
        time.sleep(0.5)
        self.click(*OPTIONS_TAB)
        time.sleep(0.6)  # the panels' fade

    def click(self, x, y):
        self.pointer.click(x, y)
        xinput.park_pointer()

    def drag_knob(self, name, from_value, to_value):
        """Drags a slider's knob from one value's place to another's."""
        y = TRACKS[name] + 2
        start, end = knob_x(name, from_value), knob_x(name, to_value)
        self.pointer.move(start, y)
        self.pointer.down()
        step = 8 if end > start else -8
        for x in range(start + step, end, step):
            self.pointer.move(x, y, settle=0.02)
        self.pointer.move(end, y)
        self.pointer.up()
        xinput.park_pointer()

    def shot(self, name):
        return xinput.screenshot(self.window, os.path.join(xinput.ARTIFACTS, "options", name + ".png"))

    def pixel(self, name, point):
        from PIL import Image
        return Image.open(self.shot(name)).convert("RGB").getpixel(point)

    def knob_shown_at(self, name, value):
        return close_to(self.pixel("knob-" + name, (knob_x(name, value), TRACKS[name] + 2)), ACCENT)

    def box_checked(self, centre):
        return close_to(self.pixel("box", (centre[0] - 5, centre[1] - 5)), ACCENT)

    def settled_shot(self, name, timeout=8):
        """A shot taken once the preview box shows the same pixels twice in a row: on a busy machine
        the panel's fade and the preview's first drawing can still be under way after a fixed wait."""
        import numpy
        deadline = time.time() + timeout
        path = self.shot(name)
        while time.time() < deadline:
            before = drawn_area(path)
            time.sleep(0.3)
            path = self.shot(name)
            if numpy.array_equal(before, drawn_area(path)):
                break
        return path

    def assert_preview_is(self, name, *tool_options, opacity=255):
        """The preview box shows what morvanta-theme preview makes of the theme with these options."""
        image = tool_preview(self.theme, self.work, *tool_options)
        offset, largest, share = compare_preview(self.settled_shot(name), image, opacity)
        print("\n%s: offset %s, largest difference %d, %.2f%% of pixels differ" % (name, offset, largest, share * 100))
        self.assertEqual(offset, (0, 0), "%s: the preview is not centred by its visible part" % name)
        self.assertLessEqual(largest, PREVIEW_TOLERANCE, "%s: the preview's pixels differ from the tool's" % name)
        return image


class PreviewTest(OptionsCase):
    def test_the_preview_equals_the_theme_tools_for_the_same_settings(self):
        cases = [("defaults", {}, [], 255),
                 ("coloured", {"HueShift": 90, "Brightness": -60, "Contrast": 35, "Mirror": 1, "ShadowX": -8,
                               "ShadowY": 3, "ShadowSharpness": 2, "ShadowDark": 230, "Transparency": 180},
                  ["--hue", "90", "--brightness", "-60", "--contrast", "35", "--mirror", "--shadow", "-8,3,2,230"],
                  180)]
        for name, settings, options, opacity in cases:
            with self.subTest(name):
                self.start(settings)
                self.assert_preview_is(name, *options, opacity=opacity)
                close_all_main_windows()
                w.reg_delete_tree(w.PRODUCT_KEY)

    def test_size_25_and_400_preview_at_a_quarter_and_four_times_the_size(self):
        self.start({"DisableShadow": 1})
        full = visible_bounds(self.assert_preview_is("size-100", "--no-shadow"))
        self.drag_knob("Size", 100, 25 - 50)  # past the start: the knob stops at 25
        quarter = visible_bounds(self.assert_preview_is("size-25", "--no-shadow", "--size", "25"))
        self.drag_knob("Size", 25, 400 + 100)
        four = visible_bounds(self.assert_preview_is("size-400", "--no-shadow", "--size", "400"))
        for side in (0, 1):  # the visible part scales, give or take the soft edge's last pixel
            length = full[side + 2] - full[side]
            self.assertLessEqual(abs((quarter[side + 2] - quarter[side]) - length / 4), 1)
            self.assertLessEqual(abs((four[side + 2] - four[side]) - length * 4), 4)
        self.assertIsNone(stored("Size"), "a slider's move writes nothing by itself")

    def test_with_no_shadow_checked_the_preview_has_no_shadow_and_mirror_follows_at_once(self):
        self.start({"ShadowSharpness": 0, "ShadowDark": 255, "ShadowX": 12, "ShadowY": 12})
        self.assert_preview_is("hard-shadow", "--shadow", "12,12,0,255")
        self.click(*SHADOW_HEAD)
        self.click(*NO_SHADOW_BOX)
        self.assert_preview_is("no-shadow", "--no-shadow")
        self.drag_knob("ShadowDark", 255, 100)  # the shadow's sliders change nothing now
        self.assert_preview_is("no-shadow-after-slider", "--no-shadow")
        self.click(*OTHER_HEAD)
        self.click(*MIRROR_LABEL)  # a label toggles like its box
        self.assert_preview_is("no-shadow-mirrored", "--no-shadow", "--mirror")
        self.click(*SHADOW_HEAD)
        self.click(*NO_SHADOW_LABEL)
        self.assert_preview_is("shadow-again", "--mirror", "--shadow", "12,12,0,%d" % value_at("ShadowDark", 100))
        self.assertIsNone(stored("DisableShadow"), "a check box writes nothing by itself")


class ControlsTest(OptionsCase):
    def test_light_height_9303_puts_the_knob_at_the_right_end_and_is_kept_until_the_knob_moves(self):
        self.start({"LightHeight": 9303})
        self.click(*SHADOW_HEAD)
        self.assertTrue(self.knob_shown_at("ShadowX", 5))
        self.click(*MODE_LINK)  # use a light source: the light's sliders replace the offsets
        self.assertTrue(self.knob_shown_at("LightHeight", 2000))
        self.assertFalse(self.knob_shown_at("ShadowX", 5))
        # Another slider moves and the settings are applied: 9303 is written back unchanged.
        self.drag_knob("LightX", -65, 500)
        self.click(*APPLY_BUTTON)
        self.assertTrue(w.wait_until(lambda: stored("LightX") is not None))
        self.assertEqual((stored("LightX"), stored("LightHeight"), stored("ShadowDynamic")),
                         (value_at("LightX", 500), 9303, 1))
        # Once moved, the knob's value is the setting.
        self.drag_knob("LightHeight", 2000, 1100)
        self.click(*APPLY_BUTTON)
        self.assertTrue(w.wait_until(lambda: stored("LightHeight") == value_at("LightHeight", 1100)))
        self.click(*MODE_LINK)  # and back to the fixed offset
        self.assertTrue(self.knob_shown_at("ShadowX", 5))

    def test_with_composition_on_the_glass_box_writes_uiblur_and_extends_the_frame_and_unticked_undoes_both_at_once(self):
        # A copy of the program beside a stand-in window manager library that reports composition
        # (Wine's own reports none, and the box is hidden then).
        folder = tempfile.mkdtemp(prefix="morvanta-glass-")
        try:
            exe = os.path.join(folder, "MorvantaConfig.exe")
            shutil.copy(w.CONFIG_EXE, exe)
            shutil.copytree(os.path.join(w.PROGRAM_DIR, "lang"), os.path.join(folder, "lang"))
            shutil.copy(os.path.join(w.PROGRAM_DIR, "fake_dwmapi", "dwmapi.dll"), folder)
            env = dict(os.environ, WINEDLLOVERRIDES=os.environ.get("WINEDLLOVERRIDES", "") + ";dwmapi=n")
            log = os.path.join(folder, "dwm.log")
            self.start(exe=exe, env=env)
            self.click(*OTHER_HEAD)
            self.assertFalse(os.path.exists(log), "glass was asked for before the box was checked")
            self.click(*GLASS_BOX)
            self.assertTrue(w.wait_until(lambda: stored("UIBlur") == 1), "UIBlur was not written at once")
            self.assertTrue(w.wait_until(lambda: os.path.exists(log)))
            with open(log) as f:
                self.assertEqual(f.read().split("\n")[0], "extend 0 0 0 -1")
            # Unticked: written at once, and the frame goes back to its own edges at once.
            self.click(*GLASS_LABEL)
            self.assertTrue(w.wait_until(lambda: stored("UIBlur") == 0))

            def extensions():
                with open(log) as f:
                    return f.read().split()

            self.assertTrue(w.wait_until(lambda: len(extensions()) >= 10), extensions())
            self.assertEqual(" ".join(extensions()), "extend 0 0 0 -1 extend 0 0 0 0")
        finally:
            close_all_main_windows()
            w.remove_tree(folder)


class ResetTest(OptionsCase):
    def test_reset_writes_every_default_and_the_hot_key_and_leaves_the_rest_alone(self):
        self.start(dict(CHANGED, **KEPT, CurrentTrail=KEPT_TRAIL, HotKey=0x64B))
        self.click(*SHADOW_HEAD)
        self.assertTrue(self.box_checked(NO_SHADOW_BOX))
        self.click(*RESET_BUTTON)
        self.assertTrue(w.wait_until(lambda: stored("HotKey") == 835))
        for name, value in dict(RESET_DEFAULTS, **KEPT).items():
            self.assertEqual(stored(name), value, name)
        self.assertEqual(w.reg_get(w.PRODUCT_KEY, "CurrentTrail")["string"], KEPT_TRAIL)
        # The controls moved with the values, the light's group is still the one shown, and the
        # preview shows the defaults.
        self.assertTrue(self.knob_shown_at("LightHeight", 9303))
        self.assertTrue(self.knob_shown_at("LightX", -65))
        self.assertTrue(self.knob_shown_at("ShadowSharpness", 9))
        self.assertFalse(self.box_checked(NO_SHADOW_BOX))
        self.assert_preview_is("after-reset")
        self.click(*APPEARANCE_HEAD)
        self.assertTrue(self.knob_shown_at("Size", 100))
        self.assertTrue(self.knob_shown_at("HueShift", 0))

    def test_without_a_theme_the_preview_stays_empty_and_reset_writes_into_an_empty_registry(self):
        self.start(with_theme=False)
        self.assertTrue((drawn_area(self.shot("no-theme")) == PREVIEW_FILL).all(), "the preview box is not empty")
        self.click(*RESET_BUTTON)
        self.assertTrue(w.wait_until(lambda: stored("HotKey") == 835))
        for name, value in RESET_DEFAULTS.items():
            self.assertEqual(stored(name), value, name)
        self.assertIsNone(stored("UIBlur"))
        self.assertTrue((drawn_area(self.shot("no-theme-reset")) == PREVIEW_FILL).all())


class HotKeyTest(OptionsCase):
    def open_dialog(self):
        self.click(*HOT_KEY_BUTTON)
        dialog = w.window_titled("Hot key")
        self.assertIsNotNone(dialog, "the hot-key dialog did not open")
        return dialog["hwnd"]

    def click_item(self, dialog, item_id):
        item = w.dialog_item(dialog, item_id)
        xinput.xdotool("mousemove", (item["left"] + item["right"]) // 2, (item["top"] + item["bottom"]) // 2)
        xinput.xdotool("click", 1)
        time.sleep(0.2)

    def test_cancel_keeps_the_stored_hot_key_and_ok_stores_the_new_one(self):
        self.start()
        self.click(*OTHER_HEAD)
        dialog = self.open_dialog()
        self.assertEqual(w.hotkey_value(dialog, HOT_KEY_CONTROL), 0x343)  # nothing stored: Ctrl+Shift+C
        self.assertEqual([w.dialog_item(dialog, i)["text"] for i in (1003, 1, 2)],
                         ["Press the key combination you want to use:", "OK", "Cancel"])
        self.click_item(dialog, HOT_KEY_CONTROL)
        xinput.xdotool("key", "ctrl+alt+k")  # typed as a person would
        self.assertTrue(w.wait_until(lambda: w.hotkey_value(dialog, HOT_KEY_CONTROL) == 0x64B))  # Ctrl 2 | Alt 4, K
        self.click_item(dialog, 2)
        self.assertEqual(w.probe("wait-gone", dialog, 10)[0], 0, "Cancel did not close the dialog")
        self.assertIsNone(stored("HotKey"))

        dialog = self.open_dialog()
        self.click_item(dialog, HOT_KEY_CONTROL)
        xinput.xdotool("key", "ctrl+alt+k")
        self.assertTrue(w.wait_until(lambda: w.hotkey_value(dialog, HOT_KEY_CONTROL) == 0x64B))
        self.click_item(dialog, 1)
        self.assertEqual(w.probe("wait-gone", dialog, 10)[0], 0, "OK did not close the dialog")
        self.assertEqual(stored("HotKey"), 0x64B)


class LooksTest(OptionsCase):
    def test_the_appearance_and_shadow_pages_look_as_committed(self):
        """The panel's part of each page against its reference (the sidebar is not this panel's).
        MORVANTA_UPDATE_SCREENSHOTS=1 also writes the whole client area to docs/screenshots."""
        from PIL import Image
        self.start()
        self.assertEqual((self.window["clientWidth"], self.window["clientHeight"]), (800, 600))
        for name, head in (("options", APPEARANCE_HEAD), ("options-shadow", SHADOW_HEAD)):
            with self.subTest(name):
                self.click(*head)
                time.sleep(0.3)
                shot = self.shot(name)
                if os.environ.get("MORVANTA_UPDATE_SCREENSHOTS") == "1":
                    os.makedirs(SCREENSHOTS, exist_ok=True)
                    shutil.copy(shot, os.path.join(SCREENSHOTS, name + ".png"))
                panel = os.path.splitext(shot)[0] + "-panel.png"
                Image.open(shot).crop((PANEL_LEFT, 0, 800, 600)).save(panel)
                problem = xinput.compare_with_reference(panel, name + "-panel")
                self.assertIsNone(problem, problem)


if __name__ == "__main__":
    unittest.main()
