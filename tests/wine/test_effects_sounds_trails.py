"""The effects, sounds and trails panels, driven with real X input in real MorvantaConfig.exe processes.

Each test installs theme files (the demo set and a fast trail drawn here) into the Themes folder,
sound files into the Sounds folder and, when it needs one, a theme in use; starts the engine's
stand-in (its log shows what the window told it); starts the window with Wine's debugstr channel
on, so that the panels' diagnostic lines (list contents, trail sprites with their tick counts)
can be read; and checks the current-theme file with `morvanta-theme dump` and the registry with
the probe. Positions are client coordinates at scale 1.
"""
import hashlib
import json
import os
import shutil
import subprocess
import tempfile
import time
import unittest

import winelib as w
import xinput

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
THEME_TOOL = os.environ.get("MORVANTA_THEME_TOOL") or os.path.join(ROOT, "build", "native", "tools", "morvanta-theme")
SCREENSHOTS = os.path.join(ROOT, "docs", "screenshots")
ENGINE_EXE = os.path.join(w.PROGRAM_DIR, "Morvanta.exe")
ENGINE_LOG = os.path.join(w.PROGRAM_DIR, "engine.log")

# The engine messages: WM_USER + 7 (reload the theme), WM_USER + 10 (the trail preview box).
RELOAD_THEME = 1031
TRAIL_PREVIEW = 1034

# Sidebar tabs.
EFFECTS_TAB, TRAILS_TAB, SOUNDS_TAB = (100, 82), (100, 130), (100, 178)
# The two lists of a panel start 1 pixel inside their viewports.
FIRST_LIST_X, SECOND_LIST_X, LIST_TOP = 300, 600, 101
APPLY_BUTTON = (734, 570)
PREVIEW_BOX = (531, 150, 253, 300)  # x, y, width, height
GHOST_SLIDER_TRACK_X, GHOST_SLIDER_TRACK_Y = 557, (210, 290, 370)  # life, per second, opacity

# Texts of the messages without a theme in use.
NEEDS_THEME = {"effect": "Choose a theme first: click effects belong to the theme in use.",
               "trail": "Choose a theme first: the trail belongs to the theme in use.",
               "sound": "Choose a theme first: sounds belong to the theme in use."}


def event_row(event):
    return FIRST_LIST_X, LIST_TOP + 45 * event + 22


def effect_row(row):
    return SECOND_LIST_X, LIST_TOP + 75 * row + 37


def sound_row(row):
    return SECOND_LIST_X, LIST_TOP + 45 * row + 22


def trail_row(row):
    return FIRST_LIST_X, LIST_TOP + 50 * row + 25


def wav_bytes(frequency, samples=600):
    import math
    import struct
    import wave
    import io
    out = io.BytesIO()
    with wave.open(out, "wb") as f:
        f.setnchannels(1)
        f.setsampwidth(2)
        f.setframerate(22050)
        f.writeframes(struct.pack("<%dh" % samples,
                                  *[int(9000 * math.sin(2 * math.pi * frequency * i / 22050)) for i in range(samples)]))
    return out.getvalue()


def make_fast_trail(folder):
    """A trail file of rate 20 whose three frames of 40 ms play once: "Fast Dots.morvanta"."""
    from PIL import Image, ImageDraw
    source = os.path.join(folder, "fast-dots")
    os.makedirs(source, exist_ok=True)
    strip = Image.new("RGBA", (36, 12), (0, 0, 0, 0))
    draw = ImageDraw.Draw(strip)
    for frame in range(3):
        draw.ellipse([frame * 12 + 2, 2, frame * 12 + 9, 9], fill=(200, 40, 40, 255 - 70 * frame))
    strip.save(os.path.join(source, "dot.png"))
    with open(os.path.join(source, "manifest.txt"), "w") as manifest:
        manifest.write('name "Fast Dots"\ntrail key=0 rate=20 image=dot.png frames=3 interval=40 hotspot=6,6\n')
    subprocess.run([THEME_TOOL, "pack", os.path.join(source, "manifest.txt"), os.path.join(folder, "Fast Dots.morvanta")],
                   check=True)


def dump(path):
    done = subprocess.run([THEME_TOOL, "dump", path], capture_output=True, check=True, timeout=60)
    return json.loads(done.stdout)


def setUpModule():
    global THEMES_SOURCE
    THEMES_SOURCE = w.make_demo_themes(THEME_TOOL, "morvanta-panels-")
    make_fast_trail(THEMES_SOURCE)


def tearDownModule():
    shutil.rmtree(THEMES_SOURCE, ignore_errors=True)


THEMES_SOURCE = ""


@w.require_session
@unittest.skipUnless(os.path.exists(THEME_TOOL), "needs the native morvanta-theme tool (scripts/build.sh native)")
class PanelCase(unittest.TestCase):
    """Fresh folders, registry and engine log for each test; the window is started by the test."""

    def setUp(self):
        paths = w.fresh_product_folders(THEMES_SOURCE, sounds=True)
        self.themes, self.sounds, self.current = paths["themes"], paths["sounds"], paths["current"]
        w.reg_delete_tree(w.PRODUCT_KEY)
        open(ENGINE_LOG, "w").close()
        handle, self.trace = tempfile.mkstemp(suffix=".trace")
        os.close(handle)
        self.engine = w.start(ENGINE_EXE)
        self.assertTrue(w.wait_until(lambda: self.engine_log()[:1] and self.engine_log()[0].startswith("start"), 20))
        time.sleep(0.3)  # its window comes right after the line
        self.process = None
        self.window = None

    def tearDown(self):
        if self.window:
            w.close_window(self.window, self.process)
        if self.engine.poll() is None:
            self.engine.kill()
            self.engine.wait()
        os.remove(self.trace)

    # --- helpers ---

    def use_theme(self, name):
        shutil.copy(os.path.join(THEMES_SOURCE, name + ".morvanta"), self.current)

    def add_sound(self, name, data):
        with open(os.path.join(self.sounds, name), "wb") as f:
            f.write(data)

    def start_window(self):
        xinput.park_pointer()
        self.process = w.start_traced(w.CONFIG_EXE, self.trace)
        self.window = w.main_window(60)
        self.assertIsNotNone(self.window, "the window did not appear")
        self.pointer = xinput.Pointer(self.window)
        self.wait_trace("sound-list")
        time.sleep(0.5)

    def lines(self):
        return w.trace_lines(self.trace)

    def wait_trace(self, start, timeout=10, after=0):
        found = w.wait_until(lambda: any(l.startswith(start) for l in self.lines()[after:]), timeout)
        self.assertTrue(found, "no %r in %r" % (start, self.lines()[after:]))
        return [l for l in self.lines()[after:] if l.startswith(start)][-1]

    def listed(self, kind):
        """The row count and file names of a list's latest fill ("sound-list", "effect-list", ...)."""
        parts = self.wait_trace(kind + " ").split("|")
        return int(parts[0].split()[1]), parts[1:]

    def trail_rows(self):
        """The trail list's row of each trail file, by name."""
        _, names = self.listed("trail-list")
        return {name: 2 + i for i, name in enumerate(names)}

    def sweep_box(self, seconds, step=6):
        """Moves the pointer back and forth through the preview box as fast as it goes."""
        x0, y0, width, height = PREVIEW_BOX
        span = width - 40
        points = []
        for i in range(int(seconds * 400)):
            t = (i * step) % (2 * span)
            points.append((x0 + 20 + (t if t < span else 2 * span - t), y0 + height // 2 + (i % 7) * 3))
        started = time.monotonic()
        xinput.sweep(self.window, points, pause=seconds / len(points))
        return time.monotonic() - started

    def sprites(self, after=0):
        """(tick, live sprites) of each trail sprite made since diagnostic line `after`."""
        found = []
        for line in self.lines()[after:]:
            parts = line.split()
            if parts[0] == "trail-sprite":
                found.append((int(parts[1]), int(parts[3])))
        return found

    def engine_log(self):
        with open(ENGINE_LOG, encoding="utf-8") as f:
            return [line.strip() for line in f if line.strip()]

    def show(self, tab):
        self.pointer.click(*tab)
        xinput.park_pointer()
        time.sleep(0.5)

    def click_row(self, x, y):
        """A click on a list row: the move puts the hover bar under the pointer, the click takes it."""
        self.pointer.move(x, y)
        self.pointer.move(x + 2, y)
        self.pointer.click(x + 2, y)

    def double_click_row(self, x, y):
        self.pointer.move(x, y)
        self.pointer.move(x + 2, y)
        xinput.xdotool("click", "--repeat", 2, "--delay", 150, 1)
        time.sleep(0.3)

    def apply(self):
        self.pointer.click(*APPLY_BUTTON)
        time.sleep(0.3)

    def current_bytes(self):
        if not os.path.exists(self.current):
            return None
        with open(self.current, "rb") as f:
            return f.read()

    def current_dump(self):
        return dump(self.current)

    def wait_for_file_change(self, before, timeout=10):
        self.assertTrue(w.wait_until(lambda: self.current_bytes() not in (None, before), timeout),
                        "the current-theme file did not change")


class SoundsPanel(PanelCase):
    def test_wav_files_are_listed_by_name_and_an_applied_file_is_stored_whole(self):
        a, x = wav_bytes(440), wav_bytes(880, 900)
        self.add_sound("a.wav", a)        # five characters: listed
        self.add_sound(".wav", a)         # the extension alone: not listed
        self.add_sound("X.WAV", x)        # any letter case
        self.add_sound("abcd", a)
        self.add_sound("notes.txt", b"x")
        os.makedirs(os.path.join(self.sounds, "folder.wav"))
        self.use_theme("Ember")
        self.start_window()
        count, files = self.listed("sound-list")
        self.assertEqual((count, sorted(files)), (2, ["X.WAV", "a.wav"]))
        self.show(SOUNDS_TAB)

        # Left double-click (event 2) gets "a.wav" by the apply button.
        before = self.current_bytes()
        self.click_row(*event_row(2))
        self.click_row(*sound_row(1 + files.index("a.wav")))
        self.wait_trace("sound-played file a.wav")
        self.apply()
        self.wait_for_file_change(before)
        sounds = {s["key"]: s for s in self.current_dump()["sounds"]}
        self.assertEqual(sounds[2]["size"], len(a))
        self.assertEqual(sounds[2]["sha256"], hashlib.sha256(a).hexdigest())
        self.assertTrue(w.wait_until(lambda: "sent %d 0 0" % RELOAD_THEME in self.engine_log(), 10), self.engine_log())

        # Right down (event 6) gets "X.WAV" by a double click on its row; then "None" applied to
        # Left down (event 0) removes that sound and leaves the others.
        before = self.current_bytes()
        self.click_row(*event_row(6))
        self.double_click_row(*sound_row(1 + files.index("X.WAV")))
        self.wait_for_file_change(before)
        before = self.current_bytes()
        self.click_row(*event_row(0))
        self.click_row(*sound_row(0))
        self.apply()
        self.wait_for_file_change(before)
        sounds = {s["key"]: s for s in self.current_dump()["sounds"]}
        self.assertEqual(sorted(sounds), [1, 2, 6])
        self.assertEqual(sounds[6]["sha256"], hashlib.sha256(x).hexdigest())
        self.assertEqual(sounds[2]["sha256"], hashlib.sha256(a).hexdigest())

        # Choosing an event that has a sound plays it from the theme.
        self.click_row(*event_row(1))
        self.wait_trace("sound-played memory 2028")

    def test_a_listed_file_that_cannot_be_read_any_more_stores_nothing_and_says_so(self):
        self.add_sound("gone.wav", wav_bytes(500))
        self.add_sound("busy.wav", wav_bytes(600))
        self.use_theme("Ember")
        self.start_window()
        _, files = self.listed("sound-list")
        self.show(SOUNDS_TAB)
        before = self.current_bytes()
        os.remove(os.path.join(self.sounds, "gone.wav"))
        self.click_row(*event_row(3))
        self.click_row(*sound_row(1 + files.index("gone.wav")))
        self.apply()
        box = w.wait_message_box(caption="Morvanta")
        self.assertIsNotNone(box)
        self.assertIn('"gone.wav" cannot be read', box["text"])
        w.dismiss_message_box(box)

        # A file another program holds open without sharing fares the same.
        locker = subprocess.Popen([w.WINE, w.PROBE_EXE, "lock-file",
                                   w.folder(w.CSIDL_COMMON_DOCUMENTS) + r"\Halberon\Morvanta\Sounds\busy.wav", "20"],
                                  stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        try:
            self.assertIn(b"locked", locker.stdout.readline())
            self.click_row(*sound_row(1 + files.index("busy.wav")))
            self.apply()
            box = w.wait_message_box(caption="Morvanta")
            self.assertIsNotNone(box)
            self.assertIn('"busy.wav" cannot be read', box["text"])
            w.dismiss_message_box(box)
        finally:
            locker.kill()
            locker.wait()
        time.sleep(0.5)
        self.assertEqual(self.current_bytes(), before)
        self.assertEqual([l for l in self.lines() if l.startswith("sound-applied")], [])
        self.assertNotIn("sent %d 0 0" % RELOAD_THEME, self.engine_log())


    def test_the_wheel_scrolls_the_list_worked_in_last_by_its_arrow_step(self):
        for i in range(15):
            self.add_sound("tone%02d.wav" % i, wav_bytes(300 + 40 * i))
        self.use_theme("Ember")
        self.start_window()
        _, files = self.listed("sound-list")
        self.show(SOUNDS_TAB)
        top_file = sound_row(0)

        # The events were worked in last: the wheel leaves the file list where it is.
        self.click_row(*event_row(2))
        self.pointer.wheel(*sound_row(4), notches=-15)
        start = len(self.lines())
        self.click_row(*top_file)
        time.sleep(0.3)
        self.assertFalse([l for l in self.lines()[start:] if l.startswith("sound-played")])  # row 0: no sound

        # Now the files were: 15 notches move its thumb 15 steps of max(1, ((420 - 48 - 18) / 16) / 2)
        # = 11 pixels, which scroll the content by 312 x 165 / 338 = 152 of its 312 hidden pixels:
        # the row at the top is row 3 (with the first 5 pixel step it would be row 2).
        self.pointer.wheel(*sound_row(4), notches=-15)
        start = len(self.lines())
        self.click_row(*top_file)
        self.assertEqual(self.wait_trace("sound-played file", after=start), "sound-played file " + files[2])


class EffectsPanel(PanelCase):
    def test_applying_effects_sets_one_event_and_row_zero_removes_only_the_selected_events_effect(self):
        self.use_theme("Ember")  # an effect on Left down (event 0)
        self.start_window()
        # "None", then the files with effects and without cursors.
        self.assertEqual(self.listed("effect-list"), (3, ["Dotted Trail", "Sparkle Clicks"]))
        self.show(EFFECTS_TAB)
        ember_effect = self.current_dump()["effects"][0]

        # Right down (event 6) gets the first effect of Sparkle Clicks by a double click.
        sparkle = dump(os.path.join(THEMES_SOURCE, "Sparkle Clicks.morvanta"))["effects"][0]
        before = self.current_bytes()
        self.click_row(*event_row(6))
        self.double_click_row(*effect_row(2))
        self.wait_for_file_change(before)
        effects = {e["key"]: e for e in self.current_dump()["effects"]}
        self.assertEqual(sorted(effects), [0, 6])
        self.assertEqual(effects[6]["pixelsSha256"], sparkle["pixelsSha256"])

        # "None" applied to Left down removes its effect only.
        before = self.current_bytes()
        self.click_row(*event_row(0))
        self.click_row(*effect_row(0))
        self.apply()
        self.wait_for_file_change(before)
        effects = {e["key"]: e for e in self.current_dump()["effects"]}
        self.assertEqual(sorted(effects), [6])
        self.assertEqual(effects[6]["pixelsSha256"], sparkle["pixelsSha256"])
        self.assertNotEqual(ember_effect["pixelsSha256"], sparkle["pixelsSha256"])
        self.assertEqual([l for l in self.lines() if l.startswith("effect-applied")],
                         ["effect-applied event 6 row 2", "effect-applied event 0 row 0"])

        # A new effect file in the Themes folder (a copy, listed under the theme's own name): the
        # list is filled again.
        shutil.copy(os.path.join(THEMES_SOURCE, "Sparkle Clicks.morvanta"), os.path.join(self.themes, "More.morvanta"))
        self.assertTrue(w.wait_until(lambda: self.listed("effect-list")[0] == 4, 15), self.lines())
        self.assertEqual(sorted(self.listed("effect-list")[1]), ["Dotted Trail", "Sparkle Clicks", "Sparkle Clicks"])


class WithoutATheme(PanelCase):
    def test_applying_without_a_theme_in_use_says_so_and_changes_nothing(self):
        self.add_sound("a.wav", wav_bytes(440))
        self.start_window()
        for tab, row, kind in ((EFFECTS_TAB, effect_row(1), "effect"), (SOUNDS_TAB, sound_row(1), "sound"),
                               (TRAILS_TAB, trail_row(1), "trail")):
            self.show(tab)
            self.click_row(*row)
            self.apply()
            box = w.wait_message_box(caption="Morvanta")
            self.assertIsNotNone(box, kind)
            self.assertEqual(box["text"], NEEDS_THEME[kind])
            w.dismiss_message_box(box)
        self.assertFalse(os.path.exists(self.current))
        for value in ("Ghost", "CurrentTrail"):
            self.assertFalse(w.reg_get(w.PRODUCT_KEY, value)["exists"], value)
        self.assertEqual(self.engine_log(), [self.engine_log()[0]])  # only its own start


class TrailsPanel(PanelCase):
    def test_the_ghost_trail_shows_its_sliders_instead_of_the_box_and_is_written_at_once(self):
        w.reg_set_string(w.PRODUCT_KEY, "CurrentTrail", "GHOST")
        self.use_theme("Ember")
        self.start_window()
        # The stored choice selects the ghost row at start.
        self.assertEqual(self.wait_trace("trail-preview"), "trail-preview row 1 box hidden ghost shown caption 74")
        self.show(TRAILS_TAB)
        shot = xinput.screenshot_client(self.window, os.path.join(xinput.ARTIFACTS, "trails-ghost.png"))
        from PIL import Image
        image = Image.open(shot).convert("RGB")
        x0, y0, width, height = PREVIEW_BOX
        # No box: the panel's white shows where it would be; the three knobs (accent blue) show.
        self.assertEqual(image.getpixel((x0 + 5, y0 + 5)), (255, 255, 255))
        # (40 pixels into each track: no knob is there at the default values.)
        tracks = [y for y in GHOST_SLIDER_TRACK_Y if image.getpixel((GHOST_SLIDER_TRACK_X + 40, y + 2)) != (255, 255, 255)]
        self.assertEqual(len(tracks), 3)

        # No trail, then back to the ghost: the box comes and goes.
        self.click_row(*trail_row(0))
        self.assertEqual(self.wait_trace("trail-preview"), "trail-preview row 0 box shown ghost hidden caption 66")
        self.click_row(*trail_row(1))
        self.assertEqual(self.wait_trace("trail-preview"), "trail-preview row 1 box hidden ghost shown caption 74")

        # The ghosts-per-second knob dragged to its right end, then the ghost trail applied.
        knob_x = GHOST_SLIDER_TRACK_X + 5 + 190 * (10 - 5) // (100 - 5)
        self.pointer.move(knob_x, GHOST_SLIDER_TRACK_Y[1] + 2)
        self.pointer.down()
        self.pointer.move(knob_x + 300, GHOST_SLIDER_TRACK_Y[1] + 2)
        self.pointer.up()
        self.apply()
        self.assertTrue(w.wait_until(lambda: w.reg_get(w.PRODUCT_KEY, "Ghost").get("dword") == 1, 10))
        self.assertEqual(w.reg_get(w.PRODUCT_KEY, "CurrentTrail")["string"], "ghost")
        self.assertEqual(w.reg_get(w.PRODUCT_KEY, "GhostPerSecond")["dword"], 100)

    def test_sprites_keep_more_than_fifty_ms_apart_and_the_engine_hears_the_pointer_enter_and_leave(self):
        self.use_theme("Ember")
        self.start_window()
        rows = self.trail_rows()
        self.show(TRAILS_TAB)
        self.click_row(*trail_row(rows["Fast Dots"]))
        self.assertEqual(self.wait_trace("trail-preview"),
                         "trail-preview row %d box shown ghost hidden caption 67" % rows["Fast Dots"])
        start = len(self.lines())
        elapsed = self.sweep_box(1.5)
        xinput.park_pointer()
        time.sleep(0.5)
        sprites = self.sprites(start)
        ticks = [tick for tick, _ in sprites]
        self.assertGreater(len(ticks), 5, "too few sprites: the sweep did not reach the box")
        gaps = [b - a for a, b in zip(ticks, ticks[1:])]
        self.assertTrue(all(gap > 50 for gap in gaps), gaps)
        self.assertLessEqual(len(ticks), int(elapsed * 1000) // 51 + 2)
        # Three frames of 40 ms: the window destroys each sprite soon after it played, so few are
        # ever alive at once.
        self.assertLess(max(live for _, live in sprites), 8, sprites)

        log = self.engine_log()
        self.assertIn("sent %d 1 0" % TRAIL_PREVIEW, log)
        self.assertEqual(log[-1], "sent %d 0 0" % TRAIL_PREVIEW)
        self.assertEqual([l for l in self.lines() if l.startswith("trail-box")][-2:],
                         ["trail-box entered", "trail-box left"])

    def test_a_never_ending_trails_sprites_stay_until_the_preview_starts_over(self):
        self.use_theme("Ember")
        self.start_window()
        rows = self.trail_rows()
        self.show(TRAILS_TAB)
        self.click_row(*trail_row(rows["Glow Trail"]))
        self.wait_trace("trail-preview row %d" % rows["Glow Trail"])
        start = len(self.lines())
        self.sweep_box(0.8)
        time.sleep(1.5)  # far longer than one pass of its six frames
        self.sweep_box(0.4)
        xinput.park_pointer()
        sprites = self.sprites(start)
        self.assertGreater(len(sprites), 5)
        # None has gone: each new sprite finds all earlier ones still there.
        self.assertEqual([live for _, live in sprites], list(range(1, len(sprites) + 1)))

        # Choosing a row starts the preview over: the first new sprite is alone.
        self.click_row(*trail_row(0))
        self.click_row(*trail_row(rows["Glow Trail"]))
        start = len(self.lines())
        self.sweep_box(0.3)
        xinput.park_pointer()
        self.assertEqual(self.sprites(start)[0][1], 1)

    def test_a_trail_file_applied_by_a_double_click_is_written_at_once_and_taken_into_the_theme(self):
        self.use_theme("Ember")
        self.start_window()
        rows = self.trail_rows()
        self.show(TRAILS_TAB)
        # A slow second click does not apply.
        self.click_row(*trail_row(rows["Dotted Trail"]))
        time.sleep(0.7)
        self.pointer.click(*trail_row(rows["Dotted Trail"]))
        time.sleep(0.8)
        self.assertFalse(w.reg_get(w.PRODUCT_KEY, "CurrentTrail")["exists"])

        before = self.current_bytes()
        self.double_click_row(*trail_row(rows["Dotted Trail"]))
        self.wait_for_file_change(before)
        path = w.reg_get(w.PRODUCT_KEY, "CurrentTrail")["string"]
        self.assertTrue(path.lower().endswith(r"\themes\dotted trail.morvanta"), path)
        self.assertEqual(w.reg_get(w.PRODUCT_KEY, "Ghost")["dword"], 0)
        trails = self.current_dump()["trails"]
        self.assertEqual([(t["key"], t["rate"]) for t in trails], [(0, 25)])

        # A later start selects the row the stored path names, whatever its letter case.
        w.reg_set_string(w.PRODUCT_KEY, "CurrentTrail", path.upper())
        w.close_window(self.window, self.process)
        open(self.trace, "w").close()
        self.start_window()
        self.assertEqual(self.wait_trace("trail-preview"),
                         "trail-preview row %d box shown ghost hidden caption 67" % rows["Dotted Trail"])


class TrailChoices(PanelCase):
    def test_the_selected_trail_follows_its_file_when_the_list_is_rebuilt(self):
        # "CurrentTrail" names a file that is not listed: the list keeps the row the user chose.
        w.reg_set_string(w.PRODUCT_KEY, "CurrentTrail", r"C:\Trails\Comet.morvanta")
        self.use_theme("Ember")
        self.start_window()
        _, names = self.listed("trail-list")
        self.assertEqual(len(names), 3)
        self.show(TRAILS_TAB)
        chosen, gone = names[1], names[0]
        self.click_row(*trail_row(3))
        self.assertEqual(self.wait_trace("trail-preview"), "trail-preview row 3 box shown ghost hidden caption 67")
        # The file of the row above goes: the chosen file moves up to row 2, and the selection
        # with it (row 3 now holds another file).
        after = len(self.lines())
        os.remove(os.path.join(self.themes, gone + ".morvanta"))
        self.wait_trace("trail-list 4", timeout=15, after=after)
        self.assertEqual(self.wait_trace("trail-preview", after=after),
                         "trail-preview row 2 box shown ghost hidden caption 67")
        self.assertEqual(self.listed("trail-list")[1][0], chosen)

    def test_no_trail_takes_the_trail_out_of_the_theme_in_use(self):
        self.use_theme("Ember")
        self.start_window()
        rows = self.trail_rows()
        self.show(TRAILS_TAB)
        before = self.current_bytes()
        self.double_click_row(*trail_row(rows["Dotted Trail"]))
        self.wait_for_file_change(before)
        self.assertEqual(len(self.current_dump()["trails"]), 1)
        before = self.current_bytes()
        self.click_row(*trail_row(0))
        self.apply()
        self.wait_for_file_change(before)
        self.assertEqual(self.current_dump()["trails"], [])
        self.assertEqual(w.reg_get(w.PRODUCT_KEY, "CurrentTrail")["string"], "")


class PanelLooks(PanelCase):
    """The three panels with a theme in use, effects, sounds and sound files: docs/screenshots."""

    def test_the_panels_look_as_committed(self):
        for name, frequency in (("click.wav", 880), ("soft tap.wav", 660), ("wood.wav", 300), ("pop.wav", 1200)):
            self.add_sound(name, wav_bytes(frequency))
        self.use_theme("Ember")
        self.start_window()
        rows = self.trail_rows()
        problems = []

        self.show(EFFECTS_TAB)
        self.click_row(*effect_row(2))
        xinput.park_pointer()
        time.sleep(0.5)
        shot = xinput.screenshot_client(self.window, os.path.join(xinput.ARTIFACTS, "effects.png"))
        # Animated: the slot column of the events and the pictures of the effect list.
        masks = [(462, 101, 45, 415), (532, 101, 90, 415)]
        problems.append(xinput.compare_with_image(shot, os.path.join(SCREENSHOTS, "effects.png"), masks))

        self.show(SOUNDS_TAB)
        self.click_row(*event_row(1))
        self.click_row(*sound_row(2))
        xinput.park_pointer()
        time.sleep(0.5)
        shot = xinput.screenshot_client(self.window, os.path.join(xinput.ARTIFACTS, "sounds.png"))
        problems.append(xinput.compare_with_image(shot, os.path.join(SCREENSHOTS, "sounds.png")))

        self.show(TRAILS_TAB)
        self.click_row(*trail_row(rows["Glow Trail"]))
        self.sweep_box(0.8)
        xinput.park_pointer()
        time.sleep(0.5)
        shot = xinput.screenshot_client(self.window, os.path.join(xinput.ARTIFACTS, "trails.png"))
        masks = [(PREVIEW_BOX[0], PREVIEW_BOX[1], PREVIEW_BOX[2], PREVIEW_BOX[3]), (266, 101, 60, 415)]
        problems.append(xinput.compare_with_image(shot, os.path.join(SCREENSHOTS, "trails.png"), masks))
        problems = [p for p in problems if p]
        self.assertEqual(problems, [])


if __name__ == "__main__":
    unittest.main()
