"""The engine, Morvanta.exe, as it ships: the real program beside the real tool (MORVANTA_PRODUCT_DIR,
the shipped 32-bit folder where the machine runs 32-bit code).

Under Wine the system's SetSystemCursor does nothing, so the tests look at what the engine hands
it: the cursor files of its cache ("Cursors" beside the current-theme file), loaded as the system
loads them and read back with `morvanta-theme import-windows`, and the lines the engine writes with
OutputDebugString (Wine's debugstr channel). Real X input reaches the engine's low-level mouse hook
and hot key inside Wine's virtual desktop, where those tests start it.
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
PRODUCT_DIR = os.environ.get("MORVANTA_PRODUCT_DIR") or os.path.join(os.path.dirname(w.BIN_DIR), "product")
ENGINE_EXE = os.path.join(PRODUCT_DIR, "Morvanta.exe")
TOOL_EXE = os.path.join(PRODUCT_DIR, "MorvantaConfig.exe")

SETTINGS_CHANGED, RELOAD, RESTORE, TRAIL_PREVIEW = 1033, 1031, 1027, 1034
WM_SETTINGCHANGE, WM_DISPLAYCHANGE, SPI_SETCURSORS = 0x1A, 0x7E, 0x57
JIFFY_MS = 1000 / 60
USER_CURSORS = r"HKCU\Control Panel\Cursors"
# The system cursors the engine replaces, with the theme role shown for each.
SYSTEM_CURSORS = {"Arrow": 0, "IBeam": 5, "Wait": 3, "Crosshair": 4, "UpArrow": 17, "SizeNWSE": 12, "SizeNESW": 14,
                  "SizeWE": 10, "SizeNS": 8, "SizeAll": 16, "No": 7, "Hand": 18, "AppStarting": 2, "Help": 1,
                  "NWPen": 6}
ROW = 50
DESKTOP = "morvanta-engine,1280x1024"

DEMO = ""


def setUpModule():
    global DEMO
    DEMO = w.make_demo_themes(THEME_TOOL, "morvanta-engine-themes-")


def tearDownModule():
    shutil.rmtree(DEMO, ignore_errors=True)


def tool(*args):
    done = subprocess.run([THEME_TOOL, *map(str, args)], capture_output=True, text=True, timeout=120)
    if done.returncode != 0:
        raise AssertionError("morvanta-theme %s: %s" % (" ".join(map(str, args)), done.stderr))
    return done.stdout


def stored_sha(path):
    """SHA-256 of a PNG's pixels as a theme stores them (BGRA, bottom row first), and its size."""
    from PIL import Image
    import numpy
    rgba = numpy.asarray(Image.open(path).convert("RGBA"))
    return hashlib.sha256(numpy.ascontiguousarray(rgba[::-1, :, [2, 1, 0, 3]]).tobytes()).hexdigest(), rgba.shape


def script_steps(script):
    return [(int(f) - 1, int(ms)) for f, ms in (s.split(",") for s in script.split(";"))]


def frame_width(cursor):
    """A dumped cursor's width of one frame (the dump gives the strip's)."""
    return cursor["width"] // max(cursor["frames"], 1)


def joined(steps):
    out = []
    for frame, ms in steps:
        if out and out[-1][0] == frame:
            out[-1] = (frame, out[-1][1] + ms)
        else:
            out.append((frame, ms))
    return out


@w.require_session
@unittest.skipUnless(os.path.exists(THEME_TOOL), "needs the native morvanta-theme tool (scripts/build.sh native)")
@unittest.skipUnless(os.path.exists(ENGINE_EXE), "needs the real engine (scripts/build.sh windows)")
class EngineCase(unittest.TestCase):
    def setUp(self):
        paths = w.fresh_product_folders(DEMO)
        self.current = paths["current"]
        self.folder = os.path.dirname(self.current)
        self.cache = os.path.join(self.folder, "Cursors")
        self.windows_folder = w.folder(w.CSIDL_LOCAL_APPDATA) + "\\Halberon\\Morvanta"
        w.remove_tree(self.cache)
        for name in ("Engine.log",):
            if os.path.exists(os.path.join(self.folder, name)):
                os.remove(os.path.join(self.folder, name))
        w.reg_delete_tree(w.PRODUCT_KEY)
        self.processes = []
        self.traces = []
        self.in_desktop = False
        self.work = tempfile.mkdtemp(prefix="morvanta-engine-")

    def tearDown(self):
        if self.in_desktop:
            self.restore_in_desktop()
        w.close_engines()
        for process in self.processes:
            try:
                process.wait(timeout=20)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait(timeout=30)
        w.probe("engine-gone", 10)
        for trace in self.traces:
            os.remove(trace)
        shutil.rmtree(self.work, ignore_errors=True)

    # --- helpers ---

    def use_theme(self, name):
        shutil.copy(os.path.join(DEMO, name + ".morvanta"), self.current)

    def traced(self, command):
        handle, trace = tempfile.mkstemp(suffix=".trace")
        os.close(handle)
        self.traces.append(trace)
        with open(trace, "wb") as err:
            process = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=err,
                                       env=dict(os.environ, WINEDEBUG="-all,+debugstr"))
        self.processes.append(process)
        return process

    def start_engine(self, *args, desktop=False):
        """Starts the engine (in Wine's virtual desktop when asked, where X input reaches its hook)."""
        if desktop:
            self.in_desktop = True
            return self.traced([w.WINE, "explorer.exe", "/desktop=" + DESKTOP, w.windows_path(ENGINE_EXE), *args])
        return self.traced([w.loader(ENGINE_EXE), ENGINE_EXE, *args])

    def lines(self):
        found = []
        for trace in self.traces:
            found += w.trace_lines(trace, prefix="morvanta-engine: ")
        return found

    def wait_line(self, start, after=0, timeout=20):
        ok = w.wait_until(lambda: any(l.startswith(start) for l in self.lines()[after:]), timeout)
        self.assertTrue(ok, "no %r in %r" % (start, self.lines()[after:]))
        return [l for l in self.lines()[after:] if l.startswith(start)][-1]

    def restore_in_desktop(self):
        """Ends the engine of the virtual desktop, which the probe cannot see from its own: a second
        start there hands it the restore."""
        after = len(self.lines())
        self.start_engine("/RestoreSystemCursors", desktop=True)
        w.wait_until(lambda: any("the engine ends" in l for l in self.lines()[after:]), 20)
        self.in_desktop = False

    def engine_window(self, timeout=20):
        code, window = w.probe("engine-window", timeout, timeout=timeout + 30)
        self.assertEqual(code, 0, "no engine window")
        return window

    def send(self, window, message, wparam=0):
        self.assertEqual(w.probe("send", window["hwnd"], message, wparam)[0], 0)

    def exit_code(self, process, timeout=20):
        return process.wait(timeout=timeout)

    def cache_files(self):
        return sorted(os.listdir(self.cache)) if os.path.isdir(self.cache) else []

    def imported(self, held=False):
        """The cache read back as a Windows cursor scheme: the cursors by role. The held cursors
        are no scheme's files: with held, they are read in place of the normal ones."""
        scheme = os.path.join(self.work, "scheme")
        w.remove_tree(scheme)
        os.makedirs(scheme)
        for name in self.cache_files():
            if name.endswith((".cur", ".ani")) and (" held" in name) == held:
                shutil.copy(os.path.join(self.cache, name), os.path.join(scheme, name.replace(" held", "")))
        back = os.path.join(self.work, "back.morvanta")
        tool("import-windows", scheme, back)
        return {c["role"]: c for c in json.loads(tool("dump", back))["cursors"]}

    def expect_drawn_as_preview(self, theme, role, cursor, *appearance, event=1):
        """The cursor file holds what preview --straight draws for the role with those options."""
        png = os.path.join(self.work, "preview.png")
        tool("preview", theme, png, "--role", role, "--event", event, "--straight", "--scale", 1, *appearance)
        sha, shape = stored_sha(png)
        self.assertEqual((cursor["height"], cursor["width"]), shape[:2], "role %d" % role)
        self.assertEqual(cursor["pixelsSha256"], sha, "role %d" % role)

    def expect_jiffy_timing(self, expected, cursor):
        """One or more passes of the expected steps, each frame change within a jiffy of its time."""
        got = script_steps(cursor["script"])
        passes = round(sum(ms for _, ms in got) / sum(ms for _, ms in expected))
        expected, got = joined(expected * passes), joined(got)
        self.assertEqual([f for f, _ in got], [f for f, _ in expected])
        end = exact = 0
        for (_, ms), (_, want) in zip(got, expected):
            end, exact = end + ms, exact + want
            self.assertLessEqual(abs(end - exact), JIFFY_MS, (got, expected))

    def loaded(self, name):
        """The cache file as the system loads it: {loads, default, ownLoads, own}."""
        code, answer = w.probe("cursor-file", self.windows_folder + "\\Cursors\\" + name)
        self.assertEqual(code, 0, name)
        return answer


class EngineApplies(EngineCase):
    def start_tool(self):
        xinput.park_pointer()
        handle, trace = tempfile.mkstemp(suffix=".trace")
        os.close(handle)
        self.traces.append(trace)
        self.tool_trace = trace
        self.tool_process = w.start_traced(TOOL_EXE, trace)
        self.processes.append(self.tool_process)
        self.window = w.main_window(60)
        self.assertIsNotNone(self.window, "the window did not appear")
        layout = None
        ok = w.wait_until(lambda: any(l.startswith("themes-layout") for l in w.trace_lines(trace)), 30)
        self.assertTrue(ok, w.trace_lines(trace))
        layout = [l for l in w.trace_lines(trace) if l.startswith("themes-layout")][-1].split()
        rows = [l for l in w.trace_lines(trace) if l.startswith("theme-list ")][-1].split("|")[1:]
        return int(layout[2]), int(layout[3]), rows

    def test_a_click_on_a_theme_row_starts_the_engine_which_draws_every_mapped_cursor_as_preview_does(self):
        rows_x, rows_y, names = self.start_tool()
        time.sleep(0.5)
        pointer = xinput.Pointer(self.window)
        x, y = rows_x + 300, rows_y + ROW * (1 + names.index("Aurora")) + ROW // 2
        pointer.move(x, y)
        pointer.move(x + 2, y)
        # The first click applies the row, the second click on the chosen row tells the engine: no
        # engine runs, so the tool starts it.
        xinput.xdotool("click", "--repeat", 2, "--delay", 150, 1)
        self.engine_window(30)
        applied = self.wait_line("applied 'Aurora' (start)", timeout=30)
        w.close_window(self.window, self.tool_process)

        # A file for every system cursor whose role the theme draws, and for the held arrow.
        theme = os.path.join(DEMO, "Aurora.morvanta")
        stored = json.loads(tool("dump", theme))["cursors"]
        roles = {c["role"] for c in stored if c["scale"] == 1 and c["event"] == 1 and not c.get("standard")}
        mapped = sorted(name for name, role in SYSTEM_CURSORS.items() if role in roles)
        names = sorted(os.path.splitext(n)[0] for n in self.cache_files() if n.endswith((".cur", ".ani")))
        self.assertEqual(names, sorted(mapped + ["Arrow held"]))
        self.assertIn("%d files" % len(names), applied)

        # Each loads as the system loads cursor files, at the size and with the hot spot it holds,
        # and holds what preview draws with the default settings; the animations keep the theme's
        # timing within a jiffy (90 ms and 80 ms are no whole jiffies).
        cursors = self.imported()
        timing = {0: [(f, 90) for f in range(6)], 2: [(f, 80) for f in range(8)], 3: [(f, 80) for f in range(8)],
                  18: [(f, 60) for f in list(range(6)) + list(range(5, -1, -1))]}
        by_role = {c["role"]: c for c in stored if c["scale"] == 1 and c["event"] == 1}
        for name in mapped:
            role = SYSTEM_CURSORS[name]
            file = [n for n in self.cache_files() if os.path.splitext(n)[0] == name][0]
            self.assertEqual(file.endswith(".ani"), role in timing, file)
            cursor = cursors[role]
            self.expect_drawn_as_preview(theme, role, cursor)
            shape = self.loaded(file)
            self.assertTrue(shape["loads"], file)
            self.assertEqual(shape["own"], {"width": frame_width(cursor), "height": cursor["height"],
                                            "hotX": cursor["hotspotX"], "hotY": cursor["hotspotY"]}, file)
            # The default shadow falls right and down: the hot spot stays where the theme put it.
            self.assertEqual((cursor["hotspotX"], cursor["hotspotY"]),
                             (by_role[role]["hotspotX"], by_role[role]["hotspotY"]), file)
            if role in timing:
                self.expect_jiffy_timing(timing[role], cursor)
        held = self.loaded("Arrow held.cur")
        self.assertTrue(held["loads"])
        self.expect_drawn_as_preview(theme, 0, self.imported(held=True)[0], event=2)

    def test_appearance_settings_reach_every_file_and_an_unchanged_reload_rewrites_nothing(self):
        # Mirrored, twice the size, no shadow, another hue, partly transparent: hot spots computed by
        # hand from the theme's.
        for name, value in (("Mirror", 1), ("Size", 200), ("DisableShadow", 1), ("HueShift", 60), ("Transparency", 200)):
            w.reg_set_dword(w.PRODUCT_KEY, name, value)
        self.use_theme("Ember")
        process = self.start_engine()
        window = self.engine_window()
        self.wait_line("applied 'Ember' (start)")
        theme = os.path.join(DEMO, "Ember.morvanta")
        stored = {c["role"]: c for c in json.loads(tool("dump", theme))["cursors"]
                  if c["scale"] == 1 and c["event"] == 1}
        cursors = self.imported()
        for role, cursor in cursors.items():
            if role not in SYSTEM_CURSORS.values():
                continue  # the partner of a size cursor
            self.expect_drawn_as_preview(theme, role, cursor, "--mirror", "--size", 200, "--no-shadow", "--hue", 60,
                                         "--opacity", 200)
            width = frame_width(stored[role])
            self.assertEqual((cursor["hotspotX"], cursor["hotspotY"]),
                             ((width - 1 - stored[role]["hotspotX"]) * 2, stored[role]["hotspotY"] * 2), role)

        # A reload with nothing changed keeps every file and hands the system nothing new.
        stamps = {n: os.stat(os.path.join(self.cache, n)).st_mtime_ns for n in self.cache_files()}
        after = len(self.lines())
        self.send(window, RELOAD)
        line = self.wait_line("applied 'Ember' (reload message)", after)
        self.assertIn(": 0 drawn", line)
        self.assertTrue(line.startswith("applied 'Ember' (reload message): 0 cursors set"), line)
        self.assertEqual({n: os.stat(os.path.join(self.cache, n)).st_mtime_ns for n in self.cache_files()
                          if n != "index.txt"}, {n: t for n, t in stamps.items() if n != "index.txt"})
        # Another theme: its files replace the last one's, and those it lacks go.
        self.use_theme("Aurora")
        after = len(self.lines())
        self.send(window, RELOAD)
        self.wait_line("applied 'Aurora' (reload message)", after)
        self.assertIn("Arrow held.cur", self.cache_files())
        self.send(window, RESTORE)
        self.assertEqual(self.exit_code(process), 0)


class EngineLifetime(EngineCase):
    def test_one_engine_a_second_start_hands_over_and_a_killed_engine_is_replaced(self):
        self.use_theme("Aurora")
        first = self.start_engine()
        window = self.engine_window()
        self.wait_line("applied 'Aurora' (start)")
        self.assertFalse(window["visible"])
        # A second start hands its reload to the running engine and ends at once.
        after = len(self.lines())
        second = self.start_engine()
        self.assertEqual(self.exit_code(second), 0)
        self.wait_line("applied 'Aurora' (reload message)", after)
        self.assertIn("handed the reload to the running engine", self.lines()[after:])
        self.assertEqual(self.engine_window()["count"], 1)
        # Killed, it leaves its mutex behind; the next start takes over and shows the theme.
        first.kill()
        first.wait(timeout=30)
        self.assertEqual(w.probe("engine-gone", 20)[0], 0)
        after = len(self.lines())
        self.start_engine()
        self.engine_window()
        self.wait_line("applied 'Aurora' (start)", after)
        # A second start asking for the system's pointers ends the running engine: both exit with 0.
        restore = self.start_engine("/RestoreSystemCursors")
        self.assertEqual(self.exit_code(restore), 0)
        self.assertEqual(self.exit_code(self.processes[-2]), 0)
        self.assertEqual(w.probe("engine-gone", 20)[0], 0)

    def test_restoring_exits_with_0_and_never_touches_the_users_cursor_scheme(self):
        # The user's own scheme, as the system's control panel leaves it.
        w.reg_set_string(USER_CURSORS, "", "Morvanta test scheme")
        w.reg_set_string(USER_CURSORS, "Arrow", r"C:\Windows\Cursors\arrow_test.cur")
        w.reg_set_dword(USER_CURSORS, "Scheme Source", 1)
        before = w.probe("reg-tree", USER_CURSORS)[1]
        self.use_theme("Ember")
        # Apply, then the restore message.
        process = self.start_engine()
        window = self.engine_window()
        self.wait_line("applied 'Ember' (start)")
        self.send(window, RESTORE)
        self.assertEqual(self.exit_code(process), 0)
        self.assertIn("the system's pointers are back (restore message); the engine ends", self.lines())
        # The restore argument with no engine running.
        self.assertEqual(self.exit_code(self.start_engine("/RestoreSystemCursors")), 0)
        self.assertIn("the system's pointers are back (restore argument)", self.lines())
        # Apply and kill.
        after = len(self.lines())
        process = self.start_engine()
        self.engine_window()
        self.wait_line("applied 'Ember' (start)", after)
        process.kill()
        process.wait(timeout=30)
        self.assertEqual(w.probe("reg-tree", USER_CURSORS)[1], before)
        self.assertNotEqual(before, {})
        # No current-theme file: the system's pointers, and the engine ends with 0.
        os.remove(self.current)
        self.assertEqual(self.exit_code(self.start_engine()), 0)
        self.assertIn("the system's pointers are back (no current-theme file); the engine ends", self.lines())

    def test_messages_whatever_their_order_end_in_the_last_reloads_state(self):
        self.use_theme("Aurora")
        process = self.start_engine()
        window = self.engine_window()
        self.wait_line("applied 'Aurora' (start)")
        # In the order the tool sends them: a pause, then the reload that ends it.
        after = len(self.lines())
        self.assertEqual(w.probe("post", window["hwnd"], SETTINGS_CHANGED, 0)[0], 0)
        self.send(window, RELOAD)
        self.wait_line("applied 'Aurora' (reload message)", after)
        self.assertEqual(self.lines()[after], "settings changing: paused until the next reload")
        # The reload sent while the engine is busy overtakes the pause posted before it: the pause
        # is dropped, not handled after the reload.
        for attempt in range(3):
            after = len(self.lines())
            self.assertEqual(w.probe("reversed-reload", window["hwnd"])[0], 0)
            # Posted messages keep their order: once this one is handled, so is the pause.
            self.assertEqual(w.probe("post", window["hwnd"], TRAIL_PREVIEW, 0)[0], 0)
            self.wait_line("trail preview: the pointer left", after)
            tail = self.lines()[after:]
            last = max(i for i, l in enumerate(tail) if l.startswith("applied"))
            self.assertNotIn("settings changing: paused until the next reload", tail[last:])
            if "reload: 1 pause posted before it dropped" in tail:
                break
        else:
            self.fail("the pause never arrived behind the reload: %r" % tail)
        # The trail preview's state, kept for the effects; display changes set the pointers again.
        after = len(self.lines())
        self.send(window, TRAIL_PREVIEW, 1)
        self.send(window, TRAIL_PREVIEW, 0)
        self.assertEqual(self.lines()[after:after + 2], ["trail preview: the pointer is in the tool's box",
                                                         "trail preview: the pointer left the tool's box"])
        after = len(self.lines())
        self.assertEqual(w.probe("send", window["hwnd"], WM_SETTINGCHANGE, SPI_SETCURSORS)[0], 0)
        line = self.wait_line("display or pointers changed", after)
        self.assertEqual(line, "display or pointers changed: 10 cursors set again at scale 1")
        after = len(self.lines())
        self.assertEqual(w.probe("send", window["hwnd"], WM_DISPLAYCHANGE, 32)[0], 0)
        self.wait_line("display or pointers changed", after)
        # The reload message with the current-theme file gone: the system's pointers, and the end.
        os.remove(self.current)
        self.send(window, RELOAD)
        self.assertEqual(self.exit_code(process), 0)
        self.assertIn("the system's pointers are back (no current-theme file); the engine ends", self.lines())

    def test_a_taken_hot_key_is_logged_once_and_taken_again_when_free(self):
        holder = subprocess.Popen([w.loader(w.PROBE_EXE), w.PROBE_EXE, "hold-hotkey", "835", "8"],
                                  stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        self.processes.append(holder)
        self.assertIn(b'"held":true', holder.stdout.readline())
        self.use_theme("Aurora")
        self.start_engine()
        window = self.engine_window()
        self.wait_line("applied 'Aurora' (start)")
        self.send(window, RELOAD)
        self.wait_line("applied 'Aurora' (reload message)")
        taken = [l for l in self.lines() if l.startswith("hot key: ")]
        self.assertEqual(taken, ["hot key: Ctrl+Shift+C is taken by another program (error 1409); the pointers "
                                 "cannot be switched with it"])
        holder.wait(timeout=30)
        holder.stdout.close()
        after = len(self.lines())
        self.send(window, RELOAD)
        self.assertEqual(self.wait_line("hot key: ", after), "hot key: Ctrl+Shift+C")


class EngineInput(EngineCase):
    """Real X input, in Wine's virtual desktop."""

    def test_a_held_button_shows_the_held_cursors_and_the_hot_key_switches_the_pointers(self):
        self.use_theme("Aurora")
        xinput.xdotool("mousemove", 640, 500)
        self.start_engine(desktop=True)
        self.wait_line("applied 'Aurora' (start)", timeout=30)
        time.sleep(0.5)
        after = len(self.lines())
        xinput.xdotool("mousedown", 1)
        self.assertEqual(self.wait_line("buttons held", after), "buttons held: 1 held cursors set")
        xinput.xdotool("mouseup", 1)
        self.assertEqual(self.wait_line("buttons released", after), "buttons released: 1 cursors set back")
        xinput.xdotool("mousedown", 3)
        xinput.xdotool("mouseup", 3)
        self.wait_line("buttons released", after + 2)

        after = len(self.lines())
        xinput.xdotool("key", "--clearmodifiers", "ctrl+shift+c")
        self.assertEqual(self.wait_line("hot key", after), "hot key: the system's pointers")
        # With the system's pointers shown, a held button changes nothing.
        xinput.xdotool("click", 1)
        xinput.xdotool("key", "--clearmodifiers", "ctrl+shift+c")
        self.assertEqual(self.wait_line("hot key: the theme", after), "hot key: the theme's pointers")
        self.assertFalse(any(l.startswith("buttons") for l in self.lines()[after:]), self.lines()[after:])

    def test_the_dynamic_shadow_follows_the_pointer_from_the_light(self):
        # A low light: two pixels of pointer move the shadow one pixel, away from the light.
        for name, value in (("ShadowDynamic", 1), ("LightX", 0), ("LightY", 0), ("LightHeight", 300),
                            ("CursorHeight", 100)):
            w.reg_set_dword(w.PRODUCT_KEY, name, value)
        self.use_theme("Aurora")
        xinput.xdotool("mousemove", 640 - 40, 512)  # 40 left of the screen's centre
        self.start_engine(desktop=True)
        self.wait_line("applied 'Aurora' (start)", timeout=30)
        theme = os.path.join(DEMO, "Aurora.morvanta")
        self.expect_drawn_as_preview(theme, 5, self.imported()[5], "--shadow", "-20,0,9,128")
        # Moved right of the centre: once the pointer rests every cursor has the shadow on the
        # right, still and animated.
        after = len(self.lines())
        for x in range(600, 700, 5):
            xinput.xdotool("mousemove", x, 512)
        xinput.xdotool("mousemove", 700, 512)
        line = self.wait_line("shadow 30,0: ", after)
        self.assertEqual(line, "shadow 30,0: %d cursors redrawn at rest" % len([n for n in self.cache_files() if n.endswith((".cur", ".ani"))]))
        cursors = self.imported()
        self.expect_drawn_as_preview(theme, 5, cursors[5], "--shadow", "30,0,9,128")
        self.expect_drawn_as_preview(theme, 0, cursors[0], "--shadow", "30,0,9,128")
        # Then nothing more happens while it rests.
        time.sleep(1)
        self.assertEqual(self.lines()[-1], line)


if __name__ == "__main__":
    unittest.main()
