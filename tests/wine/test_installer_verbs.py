"""The installer's verbs in real MorvantaConfig.exe processes: file associations written to the
machine's classes and removed again, and the engine reset (against the tests' stand-in engine)."""
import os
import shutil
import tempfile
import time
import unittest

import winelib as w

CLASSES = r"HKLM\Software\Classes"
USER_CLASSES = r"HKCU\Software\Classes"
OWN_KEYS = ["Halberon.Morvanta", ".morvanta", ".tolvxtheme"]
RUN_KEY = r"HKCU\SOFTWARE\Microsoft\Windows\CurrentVersion\Run"
CSIDL_PROGRAM_FILESX86 = 0x2A


def tree(key):
    return w.probe("reg-tree", key, "--view", "64")[1]


@w.require_session
class InstallerVerbTest(unittest.TestCase):
    def setUp(self):
        w.close_engines()
        w.clear_engine_log()
        for key in OWN_KEYS + ["MorvantaFile", "TolvxThemeFile"]:
            w.reg_delete_tree(CLASSES + "\\" + key, view="64")
        self.work = tempfile.mkdtemp(prefix="morvanta-verbs-")

    def tearDown(self):
        w.close_engines()
        for key in OWN_KEYS:
            w.reg_delete_tree(USER_CLASSES + "\\" + key)
        w.remove_tree(self.work)

    def run_verb(self, verb):
        code, _, _ = w.run(w.CONFIG_EXE, verb, timeout=60)
        self.assertEqual(code, 0)

    def test_install_registers_both_extensions_and_a_second_install_changes_nothing(self):
        # Handlers an older version left behind.
        w.reg_set_string(CLASSES + r"\MorvantaFile\shell\open\command", "", "old.exe %1", view="64")
        w.reg_set_string(CLASSES + r"\TolvxThemeFile", "", "Old themes", view="64")
        w.reg_set_string(CLASSES + r"\.Morvanta", "", "MorvantaFile", view="64")
        self.run_verb("/install")
        command = w.reg_get(CLASSES + r"\Halberon.Morvanta\shell\open\command", "", view="64")
        self.assertEqual(command["string"], '"%s" "%%1"' % w.windows_path(w.CONFIG_EXE))
        for extension in (".morvanta", ".tolvxtheme"):
            self.assertEqual(w.reg_get(CLASSES + "\\" + extension, "", view="64")["string"], "Halberon.Morvanta")
        self.assertEqual(tree(CLASSES + r"\MorvantaFile"), {})
        self.assertEqual(tree(CLASSES + r"\TolvxThemeFile"), {})

        first = [tree(CLASSES + "\\" + key) for key in OWN_KEYS]
        w.close_engines()
        self.run_verb("/install")
        self.assertEqual([tree(CLASSES + "\\" + key) for key in OWN_KEYS], first)
        # Only the default values: no icon, content type or other verb.
        self.assertEqual(set(first[0]), {"", "shell", "shell\\open", "shell\\open\\command"})

    def test_opening_a_theme_file_after_install_installs_it(self):
        self.run_verb("/install")
        w.close_engines()
        themes = w.themes_folder_unix()
        w.remove_tree(themes)
        for name in ("Opened Theme.morvanta", "Older Theme.tolvxtheme"):
            path = os.path.join(self.work, name)
            with open(path, "wb") as f:
                f.write(b"theme")
            self.assertEqual(w.probe("shell-open", w.windows_path(path))[0], 0)
            box = w.wait_message_box(timeout=30)
            self.assertIsNotNone(box, "opening %s installed nothing" % name)
            self.assertEqual(box["caption"], "Theme Installed")
            self.assertEqual(box["text"], 'Installed "%s".' % os.path.splitext(name)[0])
            w.dismiss_message_box(box)
            self.assertTrue(os.path.exists(os.path.join(themes, name)))
            window = w.main_window(timeout=10)
            if window:
                w.probe("close", window["hwnd"])
                w.probe("wait-gone", window["hwnd"], 10)

    def test_opening_a_theme_file_while_the_window_is_open_installs_it_from_a_folder_with_spaces(self):
        # The product installed where installers put it, under a folder whose path has spaces.
        folder_windows = w.folder(CSIDL_PROGRAM_FILESX86) + "\\Halberon Morvanta"
        folder = w.unix_path(w.folder(CSIDL_PROGRAM_FILESX86))
        folder = os.path.join(folder, "Halberon Morvanta")
        w.remove_tree(folder)
        os.makedirs(folder)
        try:
            for name in ("MorvantaConfig.exe", "Morvanta.exe"):
                shutil.copy(os.path.join(w.PROGRAM_DIR, name), folder)
            shutil.copytree(os.path.join(w.PROGRAM_DIR, "lang"), os.path.join(folder, "lang"))
            exe = os.path.join(folder, "MorvantaConfig.exe")
            code, _, _ = w.run(exe, "/install", timeout=60)
            self.assertEqual(code, 0)
            w.close_engines()
            themes = w.themes_folder_unix()
            w.remove_tree(themes)
            tool = w.start(exe)
            window = w.main_window()
            self.assertIsNotNone(window, "the main window did not appear")

            # Opened the way the system opens it: the registry's command, taken as it is.
            theme = os.path.join(self.work, "Opened Theme.morvanta")
            with open(theme, "wb") as f:
                f.write(b"theme")
            code, started = w.probe("start-association", w.windows_path(theme))
            self.assertEqual(code, 0, "the association's program could not be started")
            self.assertEqual(started["program"].lower(), (folder_windows + "\\MorvantaConfig.exe").lower())
            box = w.wait_message_box(timeout=30)
            self.assertIsNotNone(box, "opening the file installed nothing")
            w.dismiss_message_box(box)
            self.assertEqual((box["caption"], box["text"], box["pid"]),
                             ("Theme Installed", 'Installed "Opened Theme".', window["pid"]), started["commandLine"])
            self.assertTrue(os.path.exists(os.path.join(themes, "Opened Theme.morvanta")))
            w.close_window(window, tool)
        finally:
            w.end_test_programs()
            w.remove_tree(folder)

    def test_uninstall_removes_the_machines_keys_and_leaves_the_users_alone(self):
        self.run_verb("/install")
        w.reg_set_string(USER_CLASSES + r"\.morvanta", "", "MyViewer")
        w.reg_set_string(USER_CLASSES + r"\Halberon.Morvanta", "", "Mine")
        w.close_engines()
        self.run_verb("/uninstall")
        for key in OWN_KEYS:
            self.assertEqual(tree(CLASSES + "\\" + key), {}, key)
        self.assertEqual(w.reg_get(USER_CLASSES + r"\.morvanta", "")["string"], "MyViewer")
        self.assertEqual(w.reg_get(USER_CLASSES + r"\Halberon.Morvanta", "")["string"], "Mine")

    def test_uninstall_without_an_engine_resets_it_and_starts_it_once(self):
        current = os.path.join(w.unix_path(w.folder(w.CSIDL_LOCAL_APPDATA)), "Halberon", "Morvanta")
        os.makedirs(current, exist_ok=True)
        current_file = os.path.join(current, "CurrentTheme.Morvanta")
        with open(current_file, "wb") as f:
            f.write(b"theme")
        w.reg_set_string(RUN_KEY, "Morvanta", '"C:\\x\\Morvanta.exe"')
        w.reg_set_string(RUN_KEY, "Tolvaris", '"C:\\x\\Tolvaris.exe"')
        self.run_verb("/uninstall")
        self.assertFalse(os.path.exists(current_file))
        self.assertFalse(w.reg_get(RUN_KEY, "Morvanta")["exists"])
        self.assertFalse(w.reg_get(RUN_KEY, "Tolvaris")["exists"])
        self.assertTrue(w.wait_until(lambda: w.engine_log() != [], timeout=15))
        time.sleep(0.5)
        self.assertEqual(w.engine_log(), ["start"])


if __name__ == "__main__":
    unittest.main()
