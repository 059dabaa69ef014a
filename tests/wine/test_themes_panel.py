"""The themes panel and the theme details panel, driven with real X input in real MorvantaConfig.exe
processes.

Each test installs the demo themes (two cursor themes, Aurora and Ember, and three files without
cursors) and a damaged file into the Themes folder, starts the engine's stand-in and the window with
Wine's debugstr channel on, and reads the panel's diagnostic lines: the list's rows, where the
panel's parts are, what was applied and shown. The current-theme file is checked with
`morvanta-theme dump`. Positions are client coordinates at scale 1.
"""
import os
import shutil
import struct
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
EDITOR_EXE = os.path.join(w.PROGRAM_DIR, "ThemeEditor.exe")

RELOAD_THEME = 1031  # WM_USER + 7: the engine reloads the theme in use
RESTORE_POINTERS = 1027  # WM_USER + 3: the engine goes back to the system's pointers
RELOAD_CURRENT_THEME = 14  # message 0 with this wParam: the window reloads the current-theme file
ROW = 50
PREVIEW_BOX = 60
DETAILS_BUTTON = (360 + 10, 5 + 10)  # centres, relative to a row
DELETE_BUTTON = (447 + 7, 8 + 7)
PROPERTIES_BUTTON = (415 + 7, 8 + 7)
# Name, author, version, web site, e-mail and description of the properties dialog.
PROPERTY_FIELDS = (1017, 1018, 1019, 1020, 1021, 1011)
WEB_BUTTON = (431 + 7, 8 + 7)
SLOW_CLICK = 0.85  # the bar's buttons answer only this long after a row click
OPTIONS_TAB = (120, 10 + 48 * 5 + 24)
OPTIONS_APPLY = (249 + 485, 571)
# The roles of the demo themes' cursors; the in-use box shows those of 0, 2, 3, 5, 12, 18 and 19.
DEMO_ROLES = [0, 2, 3, 4, 5, 8, 10, 12, 14, 18]
IN_USE_ROLES = [0, 2, 3, 5, 12, 18]


def dump(path):
    import json
    done = subprocess.run([THEME_TOOL, "dump", path], capture_output=True, check=True, timeout=60)
    return json.loads(done.stdout)


def renamed_theme(source, target, name, website=None):
    """A copy of a theme file under another name (and web site), packed by morvanta-theme."""
    work = tempfile.mkdtemp(prefix="morvanta-renamed-")
    try:
        subprocess.run([THEME_TOOL, "unpack", source, work], check=True, capture_output=True, timeout=60)
        manifest = os.path.join(work, "manifest.txt")
        with open(manifest, encoding="utf-8") as f:
            lines = [line for line in f.read().splitlines() if not line.startswith(("name ", "website "))]
        quote = lambda text: '"%s"' % text.replace("\\", "\\\\").replace('"', '\\"')
        lines.insert(1, "name " + quote(name))
        if website:
            lines.insert(2, "website " + quote(website))
        with open(manifest, "w", encoding="utf-8") as f:
            f.write("\n".join(lines) + "\n")
        subprocess.run([THEME_TOOL, "pack", manifest, target], check=True, capture_output=True, timeout=60)
    finally:
        shutil.rmtree(work, ignore_errors=True)
    return target


def differs(a, b, box, level=12):
    """Share of pixels in box (x, y, width, height) whose colour differs by more than level."""
    import numpy
    x, y, width, height = box
    crop = (x, y, x + width, y + height)
    first = numpy.asarray(a.crop(crop), dtype=numpy.int16)
    second = numpy.asarray(b.crop(crop), dtype=numpy.int16)
    return float((numpy.abs(first - second).max(axis=2) > level).mean())


def setUpModule():
    global THEMES_SOURCE
    THEMES_SOURCE = w.make_demo_themes(THEME_TOOL, "morvanta-themes-")


def tearDownModule():
    shutil.rmtree(THEMES_SOURCE, ignore_errors=True)


THEMES_SOURCE = ""


@w.require_session
@unittest.skipUnless(os.path.exists(THEME_TOOL), "needs the native morvanta-theme tool (scripts/build.sh native)")
class ThemesCase(unittest.TestCase):
    def setUp(self):
        paths = w.fresh_product_folders(THEMES_SOURCE)
        self.themes, self.current = paths["themes"], paths["current"]
        # A damaged file: a header that promises more than the file holds.
        with open(os.path.join(THEMES_SOURCE, "Aurora.morvanta"), "rb") as f:
            head = f.read(400)
        with open(os.path.join(self.themes, "Broken.morvanta"), "wb") as f:
            f.write(head)
        w.reg_delete_tree(w.PRODUCT_KEY)
        open(ENGINE_LOG, "w").close()
        handle, self.trace = tempfile.mkstemp(suffix=".trace")
        os.close(handle)
        self.engine = w.start(ENGINE_EXE)
        self.assertTrue(w.wait_until(lambda: self.engine_log()[:1] and self.engine_log()[0].startswith("start"), 20))
        time.sleep(0.3)
        self.process = None
        self.window = None

    def tearDown(self):
        if self.window:
            w.close_window(self.window, self.process)
        if self.engine.poll() is None:
            self.engine.kill()
            self.engine.wait()
        w.close_windows_of_class(w.ENGINE_CLASS)
        if os.path.exists(EDITOR_EXE):
            os.remove(EDITOR_EXE)
        os.remove(self.trace)

    # --- helpers ---

    def start_window(self):
        xinput.park_pointer()
        self.process = w.start_traced(w.CONFIG_EXE, self.trace)
        self.window = w.main_window(60)
        self.assertIsNotNone(self.window, "the window did not appear")
        self.pointer = xinput.Pointer(self.window)
        self.wait_trace("sound-list")
        layout = self.wait_trace("themes-layout").split()
        self.rows_x, self.rows_y = int(layout[2]), int(layout[3])
        self.box = (int(layout[5]), int(layout[6]))
        self.new_button = (int(layout[8]) + 50, int(layout[9]) + 13)
        details = self.wait_trace("details-layout").split()
        self.back_link = (int(details[2]) + 20, int(details[3]) + 8)
        self.cursors = (int(details[5]), int(details[6]))
        time.sleep(0.5)

    def lines(self):
        return w.trace_lines(self.trace)

    def wait_trace(self, start, timeout=10, after=0):
        found = w.wait_until(lambda: any(l.startswith(start) for l in self.lines()[after:]), timeout)
        self.assertTrue(found, "no %r in %r" % (start, self.lines()[after:]))
        return [l for l in self.lines()[after:] if l.startswith(start)][-1]

    def theme_list(self, after=0):
        """(rows, current, selected, names) of the list's latest fill."""
        parts = self.wait_trace("theme-list ", after=after).split("|")
        words = parts[0].split()
        return int(words[1]), int(words[3]), int(words[5]), parts[1:]

    def engine_log(self):
        with open(ENGINE_LOG, encoding="utf-8") as f:
            return [line.strip() for line in f if line.strip()]

    def row_centre(self, row, x=300):
        return self.rows_x + x, self.rows_y + ROW * row + ROW // 2

    def row_box(self, row, x=0, width=PREVIEW_BOX):
        return self.rows_x + x, self.rows_y + ROW * row, width, ROW

    def click_row(self, row):
        x, y = self.row_centre(row)
        self.pointer.move(x, y)
        self.pointer.move(x + 2, y)
        self.pointer.click(x + 2, y)

    def double_click_row(self, row):
        x, y = self.row_centre(row)
        self.pointer.move(x, y)
        self.pointer.move(x + 2, y)
        xinput.xdotool("click", "--repeat", 2, "--delay", 150, 1)
        time.sleep(0.3)

    def click_bar_button(self, row, button):
        """A button of the selection bar on a row, well after the row's click."""
        time.sleep(SLOW_CLICK)
        x, y = self.rows_x + button[0], self.rows_y + ROW * row + button[1]
        self.pointer.move(x - 30, y)
        self.pointer.click(x, y)

    def shot(self, name):
        from PIL import Image
        xinput.park_pointer()
        time.sleep(0.3)
        path = xinput.screenshot_client(self.window, os.path.join(xinput.ARTIFACTS, "themes", name + ".png"))
        return Image.open(path).convert("RGB")

    def add_theme(self, name, website=None, source="Aurora.morvanta"):
        return renamed_theme(os.path.join(THEMES_SOURCE, source), os.path.join(self.themes, name + ".morvanta"), name,
                             website)

    def current_name(self):
        return dump(self.current)["texts"]["name"]

    def use_theme(self, source):
        """Makes a theme file the theme in use before the window starts."""
        os.makedirs(os.path.dirname(self.current), exist_ok=True)
        shutil.copy(source, self.current)

    def expect_box(self, *words, timeout=15):
        box = w.wait_message_box(caption="Morvanta", timeout=timeout)
        self.assertIsNotNone(box, "no message box said %r" % (words,))
        w.dismiss_message_box(box)
        for word in words:
            self.assertIn(word, box["text"])
        return box

    def lock(self, path, seconds):
        """Holds a file open exclusively from another program; the caller ends the returned process."""
        locker = subprocess.Popen([w.WINE, w.PROBE_EXE, "lock-file", w.windows_path(path), str(seconds)],
                                  stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        self.addCleanup(locker.stdout.close)
        self.assertIn(b"locked", locker.stdout.readline())
        return locker

    def current_header(self):
        with open(self.current, "rb") as f:
            return struct.unpack_from("<IIII", f.read(16))


class ThemesPanel(ThemesCase):
    def test_the_list_shows_each_cursor_theme_animated_and_applies_the_one_clicked(self):
        self.start_window()
        rows, current, selected, names = self.theme_list()
        # Row 0, then the two cursor themes; the files without cursors and the damaged one are not rows.
        self.assertEqual((rows, current, selected, sorted(names)), (3, -1, 0, ["Aurora", "Ember"]))
        row = {name: 1 + i for i, name in enumerate(names)}

        # Each arrow plays: two shots a quarter second apart differ in its box, and only there.
        first = self.shot("start")
        time.sleep(0.25)
        second = self.shot("start-later")
        for name in names:
            self.assertGreater(differs(first, second, self.row_box(row[name])), 0.01, name)
        self.assertEqual(differs(first, second, self.row_box(0, 0, 480)), 0.0)

        # The hover bar follows the pointer from row to row; it is not drawn under the selected row 0.
        names_box = lambda r: self.row_box(r, 200, 280)
        self.pointer.move(*self.row_centre(row["Ember"]))
        self.pointer.move(*self.row_centre(row["Ember"], 302))
        over_ember = xinput.screenshot_client(self.window, os.path.join(xinput.ARTIFACTS, "themes", "hover.png"))
        from PIL import Image
        over_ember = Image.open(over_ember).convert("RGB")
        self.assertGreater(differs(first, over_ember, names_box(row["Ember"])), 0.5)
        self.assertEqual(differs(first, over_ember, names_box(row["Aurora"])), 0.0)
        self.pointer.move(*self.row_centre(row["Aurora"], 302))
        over_aurora = xinput.screenshot_client(self.window, os.path.join(xinput.ARTIFACTS, "themes", "hover2.png"))
        over_aurora = Image.open(over_aurora).convert("RGB")
        self.assertGreater(differs(first, over_aurora, names_box(row["Aurora"])), 0.5)
        self.assertEqual(differs(first, over_aurora, names_box(row["Ember"])), 0.0)

        # A click applies Ember with its parts: the current-theme file is written, the engine is not
        # told yet.
        self.click_row(row["Ember"])
        self.assertEqual(self.wait_trace("theme-applied"), "theme-applied row %d" % row["Ember"])
        self.assertTrue(w.wait_until(lambda: os.path.exists(self.current), 5))
        magic, size, _, version = self.current_header()
        self.assertEqual((magic, size, version), (1, 184, 2003))
        ember = dump(self.current)
        self.assertEqual(ember["texts"]["name"], "Ember")
        self.assertEqual([e["key"] for e in ember["effects"]], [0])
        self.assertEqual([s["key"] for s in ember["sounds"]], [0, 1])
        self.assertEqual(self.wait_trace("in-use"), "in-use roles %s placed %d" % (
            " ".join(map(str, IN_USE_ROLES)), len(IN_USE_ROLES)))
        time.sleep(0.6)
        self.assertNotIn("sent %d 0 0" % RELOAD_THEME, self.engine_log())

        # A double click on Aurora applies it (its cursors; it has no effects or sounds, so Ember's
        # go) and tells the engine.
        self.double_click_row(row["Aurora"])
        self.assertTrue(w.wait_until(lambda: "sent %d 0 0" % RELOAD_THEME in self.engine_log(), 10),
                        self.engine_log())
        aurora = dump(self.current)
        self.assertEqual(aurora["texts"]["name"], "Aurora")
        self.assertEqual((aurora["effects"], aurora["sounds"]), ([], []))
        shot = self.shot("in-use")
        box_x, box_y = self.box
        # The box's fill shows around six cursors: most of its first 250 pixels are not plain fill.
        self.assertGreater(differs(shot, Image.new("RGB", shot.size, (0xE6, 0xE6, 0xE6)), (box_x + 8, box_y + 2, 250, 46)),
                           0.1)

        # The details button of the selected row opens every cursor of the theme with its label.
        self.click_bar_button(row["Aurora"], DETAILS_BUTTON)
        details = self.wait_trace("details file")
        self.assertTrue(details.startswith("details file Aurora.morvanta roles %s cell " % (
            " ".join(map(str, DEMO_ROLES)))), details)
        cell_width, cell_height = map(int, details.split()[-2:])
        shot_path = xinput.screenshot_client(self.window, os.path.join(xinput.ARTIFACTS, "theme-details.png"))
        # Animated: the cursors' cells (the label bands under them stay).
        x0, y0 = self.cursors
        masks = [(x0, y0 + r * (cell_height + 24), 5 * cell_width + 32, cell_height) for r in range(4)]
        problems = [xinput.compare_with_image(shot_path, os.path.join(SCREENSHOTS, "theme-details.png"), masks)]

        # Back to the list, which looks as committed with Aurora in use.
        self.pointer.click(*self.back_link)
        time.sleep(0.8)
        xinput.park_pointer()
        time.sleep(0.3)
        shot_path = xinput.screenshot_client(self.window, os.path.join(xinput.ARTIFACTS, "themes.png"))
        masks = [(self.rows_x, self.rows_y, PREVIEW_BOX, ROW * rows), (box_x, box_y, 500, 50)]
        problems.append(xinput.compare_with_image(shot_path, os.path.join(SCREENSHOTS, "themes.png"), masks))
        self.assertEqual([p for p in problems if p], [])

    def test_deleting_asks_first_and_the_editor_is_started_beside_the_program(self):
        self.start_window()
        rows, _, _, names = self.theme_list()
        ember = 1 + names.index("Ember")
        path = os.path.join(self.themes, "Ember.morvanta")

        # No editor beside the program: a message says so.
        self.pointer.click(*self.new_button)
        box = w.wait_message_box(caption="Morvanta")
        self.assertIsNotNone(box)
        self.assertIn("ThemeEditor.exe", box["text"])
        w.dismiss_message_box(box)

        # The editor (the engine's stand-in under the editor's name, which logs how it was started)
        # gets the theme's file.
        shutil.copy(ENGINE_EXE, EDITOR_EXE)
        self.click_row(ember)
        start = len(self.engine_log())
        self.click_bar_button(ember, (380 + 10, 5 + 10))
        self.assertTrue(w.wait_until(lambda: len(self.engine_log()) > start, 15), self.engine_log())
        started = self.engine_log()[start]
        self.assertTrue(started.startswith('start "') and started.lower().endswith('\\ember.morvanta"'), started)
        w.close_windows_of_class(w.ENGINE_CLASS)

        # Properties shows the row's six texts, read from its record.
        self.click_bar_button(ember, PROPERTIES_BUTTON)
        dialog = w.window_titled("Theme properties")
        self.assertIsNotNone(dialog, "the properties dialog did not open")
        texts = [w.dialog_item(dialog["hwnd"], item)["text"] for item in PROPERTY_FIELDS]
        self.assertEqual(texts, ["Ember", "Morvanta demo", "1.0", "", "",
                                 "Warm pointers with a click ripple and click sounds."])
        w.press(dialog["hwnd"], 1)
        self.assertEqual(w.probe("wait-gone", dialog["hwnd"], 10)[0], 0, "OK did not close the dialog")

        # Delete asks with the file's name; No keeps the file, Yes deletes it and the list follows.
        after = len(self.lines())
        self.click_bar_button(ember, DELETE_BUTTON)
        box = w.wait_message_box(caption="Morvanta")
        self.assertIsNotNone(box)
        self.assertIn('"Ember.morvanta"', box["text"])
        w.press(box["hwnd"], 7)
        w.probe("wait-gone", box["hwnd"], 10)
        self.assertTrue(os.path.exists(path))
        self.click_bar_button(ember, DELETE_BUTTON)
        box = w.wait_message_box(caption="Morvanta")
        self.assertIsNotNone(box)
        w.press(box["hwnd"], 6)
        self.assertTrue(w.wait_until(lambda: not os.path.exists(path), 10))
        self.wait_trace("theme-list %d " % (rows - 1), timeout=15, after=after)
        self.assertEqual(self.theme_list(after)[3], ["Aurora"])


class ThemeChoices(ThemesCase):
    """The theme in use is never lost or replaced behind the user's back."""

    def test_options_apply_keeps_a_theme_in_use_that_no_row_lists(self):
        # The theme in use was renamed since: its name is on no row, and row 0 is selected.
        self.use_theme(renamed_theme(os.path.join(THEMES_SOURCE, "Aurora.morvanta"),
                                     os.path.join(tempfile.mkdtemp(prefix="morvanta-retired-"), "Retired.morvanta"),
                                     "Retired"))
        self.start_window()
        rows, current, selected, _ = self.theme_list()
        self.assertEqual((current, selected), (-1, 0))
        start = len(self.engine_log())
        self.pointer.click(*OPTIONS_TAB)
        time.sleep(0.6)
        self.pointer.click(*OPTIONS_APPLY)
        # The settings reach the engine with the theme in use; the current-theme file stays.
        self.assertTrue(w.wait_until(lambda: "sent %d 0 0" % RELOAD_THEME in self.engine_log()[start:], 10),
                        self.engine_log())
        self.assertNotIn("sent %d 0 0" % RESTORE_POINTERS, self.engine_log())
        self.assertTrue(os.path.exists(self.current), "the current-theme file was deleted")
        self.assertEqual(self.current_name(), "Retired")
        self.assertFalse(any(l.startswith("theme-applied") for l in self.lines()), self.lines())

    def test_the_bars_buttons_act_on_the_bars_row_and_a_web_site_that_is_no_web_address_is_not_opened(self):
        self.add_theme("Stranger", website=w.windows_path(ENGINE_EXE))
        self.add_theme("Share", website="\\\\server\\share\\tool.exe")
        self.start_window()
        _, _, _, names = self.theme_list()
        row = {name: 1 + i for i, name in enumerate(names)}

        # Ember selected, the pointer over Aurora's row, then straight onto the bar's delete button:
        # the question is about Ember, the row of the bar.
        self.click_row(row["Ember"])
        time.sleep(SLOW_CLICK)
        self.pointer.move(*self.row_centre(row["Aurora"]))
        self.pointer.move(*self.row_centre(row["Aurora"], 302))
        self.pointer.click(self.rows_x + DELETE_BUTTON[0], self.rows_y + ROW * row["Ember"] + DELETE_BUTTON[1])
        box = w.wait_message_box(caption="Morvanta")
        self.assertIsNotNone(box, "delete asked nothing")
        w.press(box["hwnd"], 7)
        w.probe("wait-gone", box["hwnd"], 10)
        self.assertIn('"Ember.morvanta"', box["text"])
        self.assertTrue(os.path.exists(os.path.join(self.themes, "Aurora.morvanta")))

        # A theme's web site naming a program or a share: refused with a message, nothing started.
        for name, address in (("Stranger", w.windows_path(ENGINE_EXE)), ("Share", "\\\\server\\share\\tool.exe")):
            started = self.engine_log().count("start")
            self.click_row(row[name])
            self.click_bar_button(row[name], WEB_BUTTON)
            box = self.expect_box("not a web address", address)
            self.assertEqual(box["pid"], self.window["pid"])
            time.sleep(1.0)
            self.assertEqual(self.engine_log().count("start"), started, "the web site button started a program")
            self.wait_trace("web-site refused " + address.replace("\\", "\\\\"))  # as the trace escapes it

    def test_apply_and_go_back_applies_the_theme_whose_details_are_shown_after_the_list_changed(self):
        self.add_theme("Cobalt")
        self.start_window()
        _, _, _, names = self.theme_list()
        self.assertEqual(sorted(names), ["Aurora", "Cobalt", "Ember"])
        shown, gone, last = names[1], names[0], names[2]
        self.click_row(2)
        self.click_bar_button(2, DETAILS_BUTTON)
        self.wait_trace("details file %s.morvanta" % shown)
        time.sleep(0.6)
        # The row before it goes: the list is rebuilt under the open details, the shown theme is now
        # on row 1 and row 2 holds another one.
        after = len(self.lines())
        os.remove(os.path.join(self.themes, gone + ".morvanta"))
        self.assertEqual(self.theme_list(after)[3], [shown, last])
        apply = self.wait_trace("details-layout").split()
        self.pointer.click(int(apply[8]) + 20, int(apply[9]) + 13)
        self.assertEqual(self.wait_trace("theme-applied", after=after), "theme-applied row 1")
        self.assertTrue(w.wait_until(lambda: self.current_name() == shown, 10), self.current_name())

    def test_a_theme_that_cannot_be_loaded_is_not_marked_in_use_and_says_so(self):
        self.start_window()
        _, _, _, names = self.theme_list()
        row = {name: 1 + i for i, name in enumerate(names)}
        self.click_row(row["Aurora"])
        self.assertTrue(w.wait_until(lambda: os.path.exists(self.current) and self.current_name() == "Aurora", 10))
        time.sleep(0.6)
        start = len(self.engine_log())
        after = len(self.lines())
        # Held by another program for longer than the load's three attempts take.
        locker = self.lock(os.path.join(self.themes, "Ember.morvanta"), 8)
        try:
            self.double_click_row(row["Ember"])
            self.expect_box("Ember", "could not be loaded", timeout=20)
        finally:
            locker.kill()
            locker.wait()
        self.assertEqual(self.wait_trace("theme-apply failed", after=after), "theme-apply failed row %d" % row["Ember"])
        # The selection is back on the theme in use, which stays; the engine heard nothing.
        self.assertEqual(self.wait_trace("theme-selected", after=after), "theme-selected %d" % row["Aurora"])
        self.assertEqual(self.current_name(), "Aurora")
        self.assertNotIn("sent %d 0 0" % RELOAD_THEME, self.engine_log()[start:])
        self.assertFalse(any(l.startswith("theme-applied") for l in self.lines()[after:]))

    def test_a_current_theme_file_that_cannot_be_saved_keeps_the_theme_in_use_and_says_so(self):
        self.start_window()
        _, _, _, names = self.theme_list()
        row = {name: 1 + i for i, name in enumerate(names)}
        self.click_row(row["Aurora"])
        self.assertTrue(w.wait_until(lambda: os.path.exists(self.current) and self.current_name() == "Aurora", 10))
        time.sleep(0.6)
        with open(self.current, "rb") as f:
            before = f.read()
        after = len(self.lines())
        # Held open by another program for longer than the save's three attempts to replace it take.
        locker = self.lock(self.current, 8)
        try:
            self.click_row(row["Ember"])
            self.expect_box("could not be saved", "CurrentTheme.Morvanta", timeout=20)
        finally:
            locker.kill()
            locker.wait()
        self.assertEqual(self.wait_trace("theme-apply failed", after=after), "theme-apply failed row %d" % row["Ember"])
        self.assertEqual(self.wait_trace("theme-selected", after=after), "theme-selected %d" % row["Aurora"])
        with open(self.current, "rb") as f:
            self.assertEqual(f.read(), before)
        self.assertFalse(any(l.startswith(("theme-applied", "in-use")) for l in self.lines()[after:]))

    def test_a_file_dropped_into_the_themes_folder_appears_in_the_open_list(self):
        self.start_window()
        rows, _, _, _ = self.theme_list()
        after = len(self.lines())
        renamed_theme(os.path.join(THEMES_SOURCE, "Ember.morvanta"), os.path.join(self.themes, "Cobalt.morvanta"),
                      "Cobalt")
        self.wait_trace("theme-list %d " % (rows + 1), timeout=15, after=after)
        self.assertEqual(sorted(self.theme_list(after)[3]), ["Aurora", "Cobalt", "Ember"])

    def test_an_outside_change_of_the_current_theme_file_is_reloaded(self):
        self.start_window()
        _, _, _, names = self.theme_list()
        row = {name: 1 + i for i, name in enumerate(names)}
        self.click_row(row["Aurora"])
        self.assertTrue(w.wait_until(lambda: os.path.exists(self.current) and self.current_name() == "Aurora", 10))
        time.sleep(0.6)
        after = len(self.lines())
        shutil.copy(os.path.join(self.themes, "Ember.morvanta"), self.current)
        self.assertEqual(w.probe("post", self.window["hwnd"], 0, RELOAD_CURRENT_THEME, 0)[0], 0)
        self.assertEqual(self.wait_trace("in-use", after=after), "in-use roles %s placed %d" % (
            " ".join(map(str, IN_USE_ROLES)), len(IN_USE_ROLES)))
        self.assertEqual(self.wait_trace("theme-selected", after=after), "theme-selected %d" % row["Ember"])


class LostRelease(ThemesCase):
    def hold_down_arrow_and_release_it_elsewhere(self, meanwhile):
        """Holds the list's down arrow, runs meanwhile, then lets the button go outside the window."""
        self.pointer.move(*self.down_arrow)
        self.pointer.down()
        time.sleep(0.5)
        meanwhile()
        xinput.park_pointer()
        self.pointer.up()

    def assert_the_list_stands_still_and_hover_follows(self, name):
        time.sleep(0.6)
        first = self.shot(name + "-1")
        time.sleep(0.8)
        second = self.shot(name + "-2")
        self.assertEqual(differs(first, second, self.viewport), 0.0, "%s: the list went on scrolling" % name)
        # Hover follows the pointer again without a click first.
        row_y = self.rows_y + ROW + ROW // 2
        self.pointer.move(self.rows_x + 300, row_y)
        self.pointer.move(self.rows_x + 302, row_y)
        from PIL import Image
        hovered = Image.open(xinput.screenshot_client(self.window, os.path.join(
            xinput.ARTIFACTS, "themes", name + "-hover.png"))).convert("RGB")
        self.assertGreater(differs(second, hovered, (self.rows_x + 200, row_y - ROW // 2, 280, ROW)), 0.5,
                           "%s: no hover bar under the pointer" % name)

    def test_a_release_that_never_comes_ends_the_press_the_arrows_repeat_stops_and_hover_goes_on(self):
        # Enough themes for the list to scroll.
        for i in range(20):
            shutil.copy(os.path.join(THEMES_SOURCE, "Aurora.morvanta"), os.path.join(self.themes, "Copy %02d.morvanta" % i))
        self.start_window()
        self.assertEqual(self.theme_list()[0], 23)
        list_top = self.rows_y - 1
        height = max((557 - 10 - list_top) // ROW, 1) * ROW
        self.down_arrow = (self.rows_x - 1 + 500 + 2 + 8, list_top + height - 9)
        self.viewport = (self.rows_x + PREVIEW_BOX, self.rows_y, 498 - PREVIEW_BOX, height - 2)  # the arrows animate

        # The installation summary appears while the arrow is held.
        theme = os.path.join(tempfile.mkdtemp(prefix="morvanta-lost-"), "Late.morvanta")
        shutil.copy(os.path.join(THEMES_SOURCE, "Ember.morvanta"), theme)
        boxes = []

        def summary():
            self.assertEqual(w.probe("forward", w.windows_path(theme))[0], 0)
            boxes.append(w.wait_message_box())
            self.assertIsNotNone(boxes[0], "no summary appeared")

        after = len(self.lines())
        self.hold_down_arrow_and_release_it_elsewhere(summary)
        w.dismiss_message_box(boxes[0])
        self.wait_trace("theme-list 24 ", timeout=15, after=after)  # the installed file is listed
        self.assert_the_list_stands_still_and_hover_follows("summary")

        # The system takes the mouse away (as it does when a modal window appears over this one).
        self.hold_down_arrow_and_release_it_elsewhere(
            lambda: self.assertEqual(w.probe("send", self.window["hwnd"], 0x1F, 0, 0)[0], 0))  # WM_CANCELMODE
        self.assert_the_list_stands_still_and_hover_follows("cancel-mode")

if __name__ == "__main__":
    unittest.main()
