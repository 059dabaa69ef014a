"""The options panel, the reset of the appearance settings and the hot-key dialog, in real
MorvantaConfig.exe processes driven with real X input.

Each test writes the settings it needs into the registry and a theme of its own as the theme in
use, starts the tool and opens the options panel with a click on its tab. Positions are client
coordinates at scale 1 (800 x 600 on the session's 1280 x 1024 screen at 96 dpi); the options
panel starts at x = 249.
"""
import os
import shutil
import subprocess
import tempfile
import time
import unittest

import winelib as w
import xinput

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(os.path.dirname(HERE))
THEME_TOOL = os.environ.get("MORVANTA_THEME_TOOL") or os.path.join(REPO, "build", "native", "tools", "morvanta-theme")
SCREENSHOTS = os.path.join(REPO, "docs", "screenshots")

PANEL_LEFT = 249
OPTIONS_TAB = (120, 10 + 48 * 5 + 24)


def at(x, y):
    """A point of the options panel, given in the panel's space."""
    return PANEL_LEFT + x, y


# Page heads, 150 x 36 at y = 72.
APPEARANCE_HEAD = at(16 + 75, 90)
SHADOW_HEAD = at(16 + 225, 90)
OTHER_HEAD = at(16 + 375, 90)
# The preview box and the area inside its border where the preview object lives.
PREVIEW_BOX = (PANEL_LEFT + 316, 136, 200, 250)
PREVIEW_AREA = (PANEL_LEFT + 317, 137, 198, 248)
PREVIEW_FILL = (0xF3, 0xF5, 0xF8)
# Sliders: tracks 240 long at x = 32, the knob (10 x 21) from 8 above the track, travelling 230.
TRACK_LEFT = 32
KNOB_TRAVEL = 230
APPEARANCE_TRACKS = {"HueShift": 160, "Brightness": 218, "Contrast": 276, "Transparency": 334, "Size": 392}
SHADOW_TRACKS = {"ShadowSharpness": 180, "ShadowDark": 234, "ShadowX": 338, "ShadowY": 392, "LightX": 338,
                 "LightY": 392, "LightHeight": 446, "CursorHeight": 500}
OTHER_TRACKS = {"MovSmooth": 160}
RANGES = {"HueShift": (0, 255), "Brightness": (-255, 255), "Contrast": (-100, 100), "Transparency": (128, 255),
          "Size": (25, 400), "ShadowSharpness": (0, 20), "ShadowDark": (0, 255), "ShadowX": (-100, 100),
          "ShadowY": (-100, 100), "LightX": (-1000, 1000), "LightY": (-1000, 1000), "LightHeight": (201, 2000),
          "CursorHeight": (0, 200), "MovSmooth": (0, 100)}
# Check boxes (18 x 18 at x = 32) and the controls near them.
NO_SHADOW_BOX = at(32 + 9, 124 + 9)
MODE_LINK = at(32 + 20, 280 + 8)
NO_SHADOW_LABEL = at(32 + 18 + 10 + 20, 124 + 9)
HOT_KEY_BUTTON = at(32 + 50, 196 + 13)
MIRROR_BOX = at(32 + 9, 248 + 9)
MIRROR_LABEL = at(32 + 18 + 10 + 20, 248 + 9)
GLASS_BOX = at(32 + 9, 280 + 9)
GLASS_LABEL = at(32 + 18 + 10 + 30, 280 + 9)
APPLY_BUTTON = at(551 - 16 - 50, 600 - 16 - 13)
RESET_BUTTON_RIGHT = 551 - 16 - 100 - 10  # the reset button ends here; it is at least 100 wide
RESET_BUTTON = at(RESET_BUTTON_RIGHT - 50, 600 - 16 - 13)

# Every value the reset puts back, with its default, and values to put in before.
RESET_DEFAULTS = {"ShadowX": 5, "ShadowY": 5, "ShadowDark": 128, "ShadowSharpness": 9, "DisableShadow": 0,
                  "Mirror": 0, "Size": 100, "Transparency": 255, "HueShift": 0, "Brightness": 0, "Contrast": 0,
                  "LightX": -65, "LightY": -700, "CursorHeight": 26, "LightHeight": 9303, "MovSmooth": 0}
CHANGED = {"ShadowX": -20, "ShadowY": 30, "ShadowDark": 200, "ShadowSharpness": 3, "DisableShadow": 1, "Mirror": 1,
           "Size": 150, "Transparency": 200, "HueShift": 40, "Brightness": 50, "Contrast": -30, "LightX": 300,
           "LightY": -200, "CursorHeight": 90, "LightHeight": 700, "MovSmooth": 40}
# What the reset leaves alone.
KEPT = {"UIBlur": 1, "ShadowDynamic": 1, "GhostLife": 300, "GhostOpacity": 77, "GhostPerSecond": 33, "Ghost": 1,
        "Language": 1033}
KEPT_TRAIL = r"C:\Trails\Comet.morvanta"

# The window blends the preview with the platform's alpha blend, which rounds where the blend's
# formula used here truncates: at full opacity the backdrop's share may come out 1 higher, below it
# the image's share too (its colour scaled by the opacity), so 2 in all.
PREVIEW_TOLERANCE = 2

HOT_KEY_DIALOG = 222
HOT_KEY_CONTROL = 1002
HOT_KEY_TITLE = "Hot key"


def dword(value):
    """A registry DWORD as the signed number the settings hold."""
    return value - (1 << 32) if value >= 1 << 31 else value


def stored(name):
    value = w.reg_get(w.PRODUCT_KEY, name)
    return dword(value["dword"]) if value and value.get("exists") and "dword" in value else None


def knob_x(name, value):
    """The client x of a slider's knob centre for a value (the knob's place, clamped)."""
    low, high = RANGES[name]
    value = min(max(value, low), high)
    return PANEL_LEFT + TRACK_LEFT + KNOB_TRAVEL * (value - low) // (high - low) + 5


def value_at(name, value):
    """The value a knob reports when dragged to knob_x(name, value): its place, read back."""
    low, high = RANGES[name]
    place = KNOB_TRAVEL * (min(max(value, low), high) - low) // (high - low)
    return low + (high - low) * place // KNOB_TRAVEL


def draw_test_arrow(path):
    """A still 32 x 32 arrow with colours, hard and soft edges (hue, brightness and shadow show)."""
    from PIL import Image, ImageDraw, ImageFilter
    big = Image.new("RGBA", (128, 128), (0, 0, 0, 0))
    draw = ImageDraw.Draw(big)
    outline = [(8, 8), (8, 96), (32, 74), (48, 108), (62, 102), (47, 69), (78, 69)]
    draw.polygon(outline, fill=(40, 110, 220, 255), outline=(20, 30, 60, 255), width=5)
    draw.polygon([(14, 22), (14, 60), (36, 46)], fill=(250, 190, 40, 230))
    image = big.resize((32, 32), Image.LANCZOS)
    glow = Image.new("RGBA", (32, 32), (0, 0, 0, 0))
    ImageDraw.Draw(glow).ellipse((18, 2, 30, 14), fill=(230, 60, 90, 160))
    image = Image.alpha_composite(glow.filter(ImageFilter.GaussianBlur(1.5)), image)
    image.save(path)


def make_test_theme(folder):
    draw_test_arrow(os.path.join(folder, "arrow.png"))
    with open(os.path.join(folder, "manifest.txt"), "w") as f:
        f.write('name "Options Test"\ncursor role=0 event=1 image=arrow.png hotspot=1,1\n')
    theme = os.path.join(folder, "Options Test.morvanta")
    subprocess.run([THEME_TOOL, "pack", os.path.join(folder, "manifest.txt"), theme], check=True, timeout=60)
    return theme


def tool_preview(theme, folder, *options):
    """morvanta-theme preview's image: premultiplied RGBA, as a numpy array."""
    import numpy
    from PIL import Image
    out = os.path.join(folder, "tool-preview.png")
    subprocess.run([THEME_TOOL, "preview", theme, out, *options], check=True, timeout=60)
    return numpy.asarray(Image.open(out).convert("RGBA"), dtype=numpy.int32)


def premultiplied(image):
    out = image.copy()
    out[:, :, :3] = image[:, :, :3] * image[:, :, 3:4] // 255
    return out


def visible_bounds(image):
    """(left, top, right, bottom), right and bottom exclusive, of the pixels with alpha above 15."""
    import numpy
    rows = numpy.nonzero((image[:, :, 3] > 15).any(axis=1))[0]
    columns = numpy.nonzero((image[:, :, 3] > 15).any(axis=0))[0]
    return int(columns[0]), int(rows[0]), int(columns[-1]) + 1, int(rows[-1]) + 1


def composite(image, backdrop, x, y, opacity=255):
    """The premultiplied image drawn at (x, y) over an RGB backdrop (clipped to it), with the
    blend's formula."""
    import numpy
    out = backdrop.astype(numpy.int32).copy()
    height, width = image.shape[:2]
    left, top = max(x, 0), max(y, 0)
    right, bottom = min(x + width, out.shape[1]), min(y + height, out.shape[0])
    if right <= left or bottom <= top:
        return out
    part = image[top - y:bottom - y, left - x:right - x]
    area = out[top:bottom, left:right]
    alpha = (part[:, :, 3:4] * opacity) // 255
    area[:] = (part[:, :, :3] * opacity) // 255 + area * (255 - alpha) // 255
    return out


def centred_place(image, area_width, area_height):
    """Where the image's top-left corner goes when its visible part is centred in the area."""
    left, top, right, bottom = visible_bounds(image)
    return (area_width - (right - left)) // 2 - left, (area_height - (bottom - top)) // 2 - top


def drawn_area(shot_path):
    """The pixels inside the preview box's border, as the window drew them."""
    import numpy
    from PIL import Image
    x, y, width, height = PREVIEW_AREA
    return numpy.asarray(Image.open(shot_path).convert("RGB"), dtype=numpy.int32)[y:y + height, x:x + width]


def compare_preview(shot_path, image, opacity=255, search=3):
    """Compares the drawn preview with the tool's image composited over the box's colour.

    The image is tried at every place within `search` pixels of where centring puts it. Returns
    (offset from the centred place, largest channel difference, share of differing pixels) of the
    best place.
    """
    import numpy
    drawn = drawn_area(shot_path)
    height, width = drawn.shape[:2]
    backdrop = numpy.empty_like(drawn)
    backdrop[:, :] = PREVIEW_FILL
    cx, cy = centred_place(image, width, height)
    best = None
    for dy in range(-search, search + 1):
        for dx in range(-search, search + 1):
            want = composite(image, backdrop, cx + dx, cy + dy, opacity)
            difference = numpy.abs(want - drawn).max(axis=2)
            score = (int(difference.max()), float((difference > 0).mean()))
            if best is None or score < best[1:]:
                best = ((dx, dy), score[0], score[1])
    return best


def close_all_main_windows():
    for _ in range(5):
        window = w.main_window(timeout=1)
        if not window:
            return
        w.probe("close", window["hwnd"])
        w.probe("wait-gone", window["hwnd"], 10)


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
        self.tool = None
        self.current_theme = os.path.join(w.unix_path(w.folder(w.CSIDL_LOCAL_APPDATA)), "Halberon", "Morvanta",
                                          "CurrentTheme.Morvanta")

    def tearDown(self):
        if self.tool is not None:
            close_all_main_windows()
            if self.tool.poll() is None:
                self.tool.kill()
                self.tool.wait()
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
        if env is None:
            self.tool = w.start(exe or w.CONFIG_EXE)
        else:
            self.tool = subprocess.Popen([w.WINE, exe or w.CONFIG_EXE], stdout=subprocess.DEVNULL,
                                         stderr=subprocess.DEVNULL, env=env)
        self.window = w.main_window()
        self.assertIsNotNone(self.window, "the main window did not appear")
        self.pointer = xinput.Pointer(self.window)
        time.sleep(0.5)
        self.pointer.click(*OPTIONS_TAB)
        xinput.park_pointer()
        time.sleep(0.6)  # the panels' fade

    def open_page(self, head):
        self.pointer.click(*head)
        xinput.park_pointer()
        time.sleep(0.2)

    def drag_knob(self, name, track_y, from_value, to_value):
        """Drags a slider's knob from the place of one value to the place of another."""
        y = track_y + 2
        start = knob_x(name, from_value)
        self.pointer.move(start, y)
        self.pointer.down()
        end = knob_x(name, to_value)
        step = 8 if end > start else -8
        for x in range(start + step, end, step):
            self.pointer.move(x, y, settle=0.02)
        self.pointer.move(end, y)
        self.pointer.up()
        xinput.park_pointer()

    def shot(self, name):
        return xinput.screenshot(self.window, os.path.join(xinput.ARTIFACTS, "options", name + ".png"))

    def assert_preview_is(self, name, *tool_options, opacity=255):
        """The preview box shows what morvanta-theme preview makes of the theme with these options."""
        shot = self.shot(name)
        image = tool_preview(self.theme, self.work, *tool_options)
        if "--no-shadow" in tool_options:
            # Only the shadow premultiplies; without it the tool writes the theme's straight colours,
            # which the window's blend premultiplies before drawing.
            image = premultiplied(image)
        offset, largest, share = compare_preview(shot, image, opacity)
        print("\n%s: offset %s, largest difference %d, %.2f%% of pixels differ" % (name, offset, largest,
                                                                                 share * 100))
        self.assertEqual(offset, (0, 0), "%s: the preview is not centred by its visible part" % name)
        self.assertLessEqual(largest, PREVIEW_TOLERANCE, "%s: the preview's pixels differ from the tool's" % name)
        return image


KNOB_BLUE = (0x2B, 0x6C, 0xD4)


class PreviewTest(OptionsCase):
    def test_the_preview_equals_the_theme_tools_for_the_same_settings(self):
        cases = [
            ("defaults", {}, [], 255),
            ("coloured", {"HueShift": 90, "Brightness": -60, "Contrast": 35, "Mirror": 1, "ShadowX": -8,
                          "ShadowY": 3, "ShadowSharpness": 2, "ShadowDark": 230, "Transparency": 180},
             ["--hue", "90", "--brightness", "-60", "--contrast", "35", "--mirror", "--shadow", "-8,3,2,230"], 180),
            ("no-shadow-large", {"DisableShadow": 1, "Size": 250}, ["--no-shadow", "--size", "250"], 255),
        ]
        for name, settings, options, opacity in cases:
            with self.subTest(name):
                self.start(settings)
                self.assert_preview_is(name, *options, opacity=opacity)
                close_all_main_windows()
                w.reg_delete_tree(w.PRODUCT_KEY)

    def test_size_25_and_400_preview_at_a_quarter_and_four_times_the_size(self):
        self.start({"DisableShadow": 1})
        full = visible_bounds(self.assert_preview_is("size-100", "--no-shadow"))
        track = APPEARANCE_TRACKS["Size"]
        self.drag_knob("Size", track, 100, 25 - 50)  # past the start: the knob stops at 25
        quarter = visible_bounds(self.assert_preview_is("size-25", "--no-shadow", "--size", "25"))
        self.drag_knob("Size", track, 25, 400 + 100)
        four = visible_bounds(self.assert_preview_is("size-400", "--no-shadow", "--size", "400"))
        width, height = full[2] - full[0], full[3] - full[1]
        # The visible part scales with the image, give or take the soft edge's last pixel.
        self.assertLessEqual(abs((quarter[2] - quarter[0]) - width / 4), 1)
        self.assertLessEqual(abs((quarter[3] - quarter[1]) - height / 4), 1)
        self.assertLessEqual(abs((four[2] - four[0]) - width * 4), 4)
        self.assertLessEqual(abs((four[3] - four[1]) - height * 4), 4)
        self.assertIsNone(stored("Size"), "a slider's move writes nothing by itself")

    def test_with_no_shadow_checked_the_preview_has_no_shadow_and_mirror_follows_at_once(self):
        self.start({"ShadowSharpness": 0, "ShadowDark": 255, "ShadowX": 12, "ShadowY": 12})
        self.assert_preview_is("hard-shadow", "--shadow", "12,12,0,255")
        self.open_page(SHADOW_HEAD)
        self.pointer.click(*NO_SHADOW_BOX)
        xinput.park_pointer()
        self.assert_preview_is("no-shadow", "--no-shadow")
        # The shadow sliders change nothing while the box is checked.
        self.drag_knob("ShadowDark", SHADOW_TRACKS["ShadowDark"], 255, 100)
        self.assert_preview_is("no-shadow-after-slider", "--no-shadow")
        self.open_page(OTHER_HEAD)
        self.pointer.click(*MIRROR_LABEL)  # the label toggles like the box
        xinput.park_pointer()
        self.assert_preview_is("no-shadow-mirrored", "--no-shadow", "--mirror")
        self.open_page(SHADOW_HEAD)
        self.pointer.click(*NO_SHADOW_LABEL)
        xinput.park_pointer()
        darkness = value_at("ShadowDark", 100)
        self.assert_preview_is("shadow-again", "--mirror", "--shadow", "12,12,0,%d" % darkness)
        self.assertIsNone(stored("DisableShadow"), "the check box writes nothing by itself")
        self.assertIsNone(stored("Mirror"))


class ControlsTest(OptionsCase):
    def knob_shown_at(self, name, track_y, value):
        """Whether the knob's blue shows at the place of the value."""
        import numpy
        from PIL import Image
        shot = numpy.asarray(Image.open(self.shot("knob-" + name)).convert("RGB"), dtype=numpy.int32)
        pixel = shot[track_y + 2, knob_x(name, value)]
        return int(numpy.abs(pixel - KNOB_BLUE).max()) <= 40

    def test_light_height_9303_puts_the_knob_at_the_right_end_and_is_kept_until_the_knob_moves(self):
        self.start({"ShadowDynamic": 1, "LightHeight": 9303})
        try:
            self.open_page(SHADOW_HEAD)
            self.assertTrue(self.knob_shown_at("LightHeight", SHADOW_TRACKS["LightHeight"], 2000))
            # Another slider moves and the settings are applied: 9303 is written back unchanged.
            self.drag_knob("LightX", SHADOW_TRACKS["LightX"], -65, 500)
            self.pointer.click(*APPLY_BUTTON)
            self.assertTrue(w.wait_until(lambda: stored("LightX") is not None))
            self.assertEqual(stored("LightX"), value_at("LightX", 500))
            self.assertEqual(stored("LightHeight"), 9303)
            # Once moved, the knob's value is the setting.
            self.drag_knob("LightHeight", SHADOW_TRACKS["LightHeight"], 2000, 1100)
            self.pointer.click(*APPLY_BUTTON)
            self.assertTrue(w.wait_until(lambda: stored("LightHeight") != 9303))
            self.assertEqual(stored("LightHeight"), value_at("LightHeight", 1100))
        finally:
            w.close_windows_of_class("Tolvaris")  # the engine the apply started

    def test_the_page_heads_and_shadow_mode_links_show_their_controls(self):
        self.start({"LightHeight": 700, "ShadowX": 50})
        self.open_page(SHADOW_HEAD)
        self.assertTrue(self.knob_shown_at("ShadowX", SHADOW_TRACKS["ShadowX"], 50))
        self.pointer.click(*MODE_LINK)  # use a light source
        xinput.park_pointer()
        self.assertTrue(self.knob_shown_at("LightHeight", SHADOW_TRACKS["LightHeight"], 700))
        self.assertFalse(self.knob_shown_at("ShadowX", SHADOW_TRACKS["ShadowX"], 50))
        self.pointer.click(*MODE_LINK)  # and back to the fixed offset
        xinput.park_pointer()
        self.assertTrue(self.knob_shown_at("ShadowX", SHADOW_TRACKS["ShadowX"], 50))
        self.assertIsNone(stored("ShadowDynamic"), "the mode is written with the other settings")
        self.open_page(APPEARANCE_HEAD)
        self.assertFalse(self.knob_shown_at("ShadowX", SHADOW_TRACKS["ShadowX"], 50))
        self.assertTrue(self.knob_shown_at("Size", APPEARANCE_TRACKS["Size"], 100))

    def test_with_composition_on_the_glass_box_writes_uiblur_at_once_and_extends_the_frame(self):
        # A copy of the program beside a stand-in window manager library that reports composition.
        folder = tempfile.mkdtemp(prefix="morvanta-glass-")
        try:
            exe = os.path.join(folder, "MorvantaConfig.exe")
            shutil.copy(w.CONFIG_EXE, exe)
            shutil.copytree(os.path.join(w.BIN_DIR, "lang"), os.path.join(folder, "lang"))
            shutil.copy(os.path.join(w.BIN_DIR, "fake_dwmapi", "dwmapi.dll"), folder)
            env = dict(os.environ)
            env["WINEDLLOVERRIDES"] = env.get("WINEDLLOVERRIDES", "") + ";dwmapi=n"
            log = os.path.join(folder, "dwm.log")
            self.start(exe=exe, env=env)
            self.open_page(OTHER_HEAD)
            self.assertFalse(os.path.exists(log), "no glass was asked for before the box was checked")
            self.pointer.click(*GLASS_BOX)
            self.assertTrue(w.wait_until(lambda: stored("UIBlur") == 1), "UIBlur was not written at once")
            self.assertTrue(w.wait_until(lambda: os.path.exists(log)))
            with open(log) as f:
                self.assertEqual(f.read().split("\n")[0], "extend 0 0 0 -1")
            self.pointer.click(*GLASS_LABEL)
            self.assertTrue(w.wait_until(lambda: stored("UIBlur") == 0))
        finally:
            close_all_main_windows()
            w.remove_tree(folder)

    def test_with_composition_off_the_glass_box_is_hidden_and_writes_nothing(self):
        # Wine's window manager functions report no desktop composition.
        self.start()
        self.open_page(OTHER_HEAD)
        self.pointer.click(*GLASS_BOX)
        self.pointer.click(*MIRROR_BOX)
        xinput.park_pointer()
        self.assertIsNone(stored("UIBlur"))
        self.assert_preview_is("mirrored", "--mirror")


class ResetTest(OptionsCase):
    def test_reset_writes_every_default_and_the_hot_key_and_leaves_the_rest_alone(self):
        settings = dict(CHANGED, **KEPT)
        settings["CurrentTrail"] = KEPT_TRAIL
        settings["HotKey"] = 0x64B
        self.start(settings)
        self.open_page(SHADOW_HEAD)
        self.pointer.click(*RESET_BUTTON)
        xinput.park_pointer()
        self.assertTrue(w.wait_until(lambda: stored("HotKey") == 835))
        for name, value in RESET_DEFAULTS.items():
            self.assertEqual(stored(name), value, name)
        for name, value in KEPT.items():
            self.assertEqual(stored(name), value, name)
        self.assertEqual(w.reg_get(w.PRODUCT_KEY, "CurrentTrail")["string"], KEPT_TRAIL)
        # The controls moved: the dynamic group is still shown, its knobs at the defaults' places,
        # the no-shadow box clear, and the preview shows the defaults.
        controls = ControlsTest.knob_shown_at
        self.assertTrue(controls(self, "LightHeight", SHADOW_TRACKS["LightHeight"], 9303))
        self.assertTrue(controls(self, "LightX", SHADOW_TRACKS["LightX"], -65))
        self.assertTrue(controls(self, "ShadowSharpness", SHADOW_TRACKS["ShadowSharpness"], 9))
        self.assert_preview_is("after-reset", opacity=255)
        self.open_page(APPEARANCE_HEAD)
        self.assertTrue(controls(self, "Size", APPEARANCE_TRACKS["Size"], 100))
        self.assertTrue(controls(self, "HueShift", APPEARANCE_TRACKS["HueShift"], 0))

    def test_without_a_theme_the_preview_stays_empty_and_reset_writes_into_an_empty_registry(self):
        import numpy
        self.start(with_theme=False)
        self.assertTrue((drawn_area(self.shot("no-theme")) == PREVIEW_FILL).all(), "the preview box is not empty")
        self.pointer.click(*RESET_BUTTON)
        xinput.park_pointer()
        self.assertTrue(w.wait_until(lambda: stored("HotKey") == 835))
        for name, value in RESET_DEFAULTS.items():
            self.assertEqual(stored(name), value, name)
        self.assertIsNone(stored("UIBlur"))
        self.assertTrue(numpy.all(drawn_area(self.shot("no-theme-reset")) == PREVIEW_FILL))


class HotKeyTest(OptionsCase):
    def open_dialog(self):
        self.open_page(OTHER_HEAD)
        self.pointer.click(*HOT_KEY_BUTTON)
        dialog = w.window_titled(HOT_KEY_TITLE)
        self.assertIsNotNone(dialog, "the hot-key dialog did not open")
        return dialog

    def click_item(self, dialog, item_id):
        item = w.dialog_item(dialog["hwnd"], item_id)
        xinput.xdotool("mousemove", (item["left"] + item["right"]) // 2, (item["top"] + item["bottom"]) // 2)
        xinput.xdotool("click", 1)
        self.assertEqual(w.probe("wait-gone", dialog["hwnd"], 10)[0], 0, "the dialog did not close")

    def test_cancel_keeps_the_stored_hot_key_and_ok_stores_the_new_one(self):
        self.start({"HotKey": 0x10344})  # only the low 16 bits are the control's
        dialog = self.open_dialog()
        hwnd = dialog["hwnd"]
        self.assertEqual(w.hotkey_value(hwnd, HOT_KEY_CONTROL), 0x0344)
        self.assertEqual(w.dialog_item(hwnd, 1003)["text"], "Press the key combination you want to use:")
        self.assertEqual((w.dialog_item(hwnd, 1)["text"], w.dialog_item(hwnd, 2)["text"]), ("OK", "Cancel"))
        self.type_into(dialog, "ctrl+alt+k")
        self.click_item(dialog, 2)  # Cancel
        self.assertEqual(stored("HotKey"), 0x10344)

        dialog = self.open_dialog()
        self.type_into(dialog, "ctrl+alt+k")
        self.assertEqual(w.hotkey_value(dialog["hwnd"], HOT_KEY_CONTROL), 0x64B)  # Ctrl 2 | Alt 4, "K"
        self.click_item(dialog, 1)  # OK
        self.assertEqual(stored("HotKey"), 0x64B)

    def test_without_a_stored_hot_key_the_dialog_shows_ctrl_shift_c_and_ok_stores_it(self):
        self.start()
        dialog = self.open_dialog()
        self.assertEqual(w.hotkey_value(dialog["hwnd"], HOT_KEY_CONTROL), 0x343)
        self.click_item(dialog, 1)
        self.assertEqual(stored("HotKey"), 0x343)

    def type_into(self, dialog, keys):
        """Presses the keys with the dialog's hot-key control focused, as a person would."""
        item = w.dialog_item(dialog["hwnd"], HOT_KEY_CONTROL)
        xinput.xdotool("mousemove", (item["left"] + item["right"]) // 2, (item["top"] + item["bottom"]) // 2)
        xinput.xdotool("click", 1)
        time.sleep(0.2)
        xinput.xdotool("key", keys)
        time.sleep(0.3)


class LooksTest(OptionsCase):
    def test_the_appearance_and_shadow_pages_look_as_committed(self):
        """The panel's part of each page against its reference (the sidebar is not this panel's).
        MORVANTA_UPDATE_SCREENSHOTS=1 also writes the whole client area to docs/screenshots."""
        from PIL import Image
        self.start()
        for name, head in (("options", APPEARANCE_HEAD), ("options-shadow", SHADOW_HEAD)):
            with self.subTest(name):
                self.open_page(head)
                time.sleep(0.3)
                shot = self.shot(name)
                self.assertEqual((self.window["clientWidth"], self.window["clientHeight"]), (800, 600))
                if os.environ.get("MORVANTA_UPDATE_SCREENSHOTS") == "1":
                    os.makedirs(SCREENSHOTS, exist_ok=True)
                    shutil.copy(shot, os.path.join(SCREENSHOTS, name + ".png"))
                panel = os.path.splitext(shot)[0] + "-panel.png"
                Image.open(shot).crop((PANEL_LEFT, 0, 800, 600)).save(panel)
                problem = xinput.compare_with_reference(panel, name + "-panel")
                self.assertIsNone(problem, problem)


if __name__ == "__main__":
    unittest.main()
