"""Translations, the language box and the settings key, in real MorvantaConfig.exe processes."""
import os
import re
import shutil
import subprocess
import tempfile
import unittest

import winelib as w

LANGUAGE_BOX = 1005
IDYES, IDNO = 6, 7
ENGLISH_TITLE = "Morvanta Settings"
GERMAN_TITLE = "Morvanta-Einstellungen"
RESTART_QUESTION = "The new language is used after a restart. Restart Morvanta Settings now?"
MAKER_KEY = r"HKCU\SOFTWARE\Halberon"
KEY_WOW64_64KEY = 0x100


def language_name(locale_id):
    return w.probe("language-name", locale_id)[1]["name"]


def combo():
    window = w.main_window()
    return w.probe("combo", window["hwnd"], LANGUAGE_BOX)[1]


def close_all_main_windows():
    for _ in range(5):
        window = w.main_window(timeout=1)
        if not window:
            return
        w.probe("close", window["hwnd"])
        w.probe("wait-gone", window["hwnd"], 10)


class ToolCase(unittest.TestCase):
    def setUp(self):
        close_all_main_windows()
        w.reg_delete_tree(MAKER_KEY)
        self.tools = []

    def tearDown(self):
        close_all_main_windows()
        for tool in self.tools:
            if tool.poll() is None:
                tool.kill()
                tool.wait()
        w.reg_delete_tree(MAKER_KEY)

    def start_tool(self, exe=None, env=None):
        if env is None:
            tool = w.start(exe or w.CONFIG_EXE)
        else:
            tool = subprocess.Popen([w.loader(exe or w.CONFIG_EXE), exe or w.CONFIG_EXE], stdout=subprocess.DEVNULL,
                                    stderr=subprocess.DEVNULL, env=env)
        self.tools.append(tool)
        return tool

    def start_with_language(self, locale_id):
        w.reg_set_dword(w.PRODUCT_KEY, "Language", locale_id)
        tool = self.start_tool()
        window = w.main_window()
        self.assertIsNotNone(window, "the main window did not appear")
        return tool, window


@w.require_session
class LanguageTest(ToolCase):
    def test_the_shipped_languages_are_listed_by_their_system_names(self):
        _, window = self.start_with_language(1033)
        self.assertEqual(window["title"], ENGLISH_TITLE)
        box = combo()
        self.assertEqual(sorted(box["items"]), sorted([language_name(1031), language_name(1033)]))
        self.assertEqual(box["selected"], language_name(1033))

    def test_choosing_a_language_and_agreeing_restarts_the_tool_in_it(self):
        tool, window = self.start_with_language(1033)
        self.assertEqual(w.probe("combo-choose", window["hwnd"], LANGUAGE_BOX, language_name(1031))[0], 0)
        box = w.wait_message_box()
        self.assertIsNotNone(box, "no restart question")
        self.assertEqual((box["caption"], box["text"]), ("Morvanta", RESTART_QUESTION))
        self.assertEqual(w.reg_get(w.PRODUCT_KEY, "Language")["dword"], 1031)
        w.press(box["hwnd"], IDYES)
        self.assertEqual(tool.wait(timeout=20), 0)
        restarted = w.main_window()
        self.assertIsNotNone(restarted, "the tool did not start again")
        self.assertNotEqual(restarted["pid"], window["pid"])
        self.assertEqual(restarted["title"], GERMAN_TITLE)
        self.assertEqual(combo()["selected"], language_name(1031))

    def test_choosing_a_language_and_declining_keeps_the_tool_running(self):
        tool, window = self.start_with_language(1033)
        w.probe("combo-choose", window["hwnd"], LANGUAGE_BOX, language_name(1031))
        box = w.wait_message_box()
        self.assertIsNotNone(box)
        w.press(box["hwnd"], IDNO)
        w.probe("wait-gone", box["hwnd"], 10)
        self.assertIsNone(tool.poll())
        self.assertEqual(w.main_window()["title"], ENGLISH_TITLE)
        self.assertEqual(w.reg_get(w.PRODUCT_KEY, "Language")["dword"], 1031)

    def test_without_language_files_the_tool_says_so_and_runs_on(self):
        folder = tempfile.mkdtemp(prefix="morvanta-nolang-")
        try:
            exe = os.path.join(folder, "MorvantaConfig.exe")
            shutil.copy(w.CONFIG_EXE, exe)
            self.start_tool(exe)
            box = w.wait_message_box()
            self.assertIsNotNone(box, "no message about the missing files")
            self.assertEqual((box["caption"], box["text"]), ("Morvanta", "Could not find translation file"))
            w.dismiss_message_box(box)
            window = w.main_window()
            self.assertIsNotNone(window, "the main window did not appear")
            self.assertEqual(window["title"], "Morvanta")
            close_all_main_windows()
        finally:
            w.remove_tree(folder)


@w.require_session
class UserLanguageTest(ToolCase):
    """No language chosen: the user's own language decides. Wine takes it from the Linux locale."""

    @classmethod
    def setUpClass(cls):
        cls.locales = tempfile.mkdtemp(prefix="morvanta-locales-")
        done = subprocess.run(["localedef", "-i", "de_DE", "-f", "UTF-8", os.path.join(cls.locales, "de_DE.UTF-8")],
                              capture_output=True)
        cls.available = done.returncode in (0, 1) and os.path.isdir(os.path.join(cls.locales, "de_DE.UTF-8"))

    @classmethod
    def tearDownClass(cls):
        w.remove_tree(cls.locales)

    def german_environment(self):
        if not self.available:
            self.skipTest("localedef could not build a German locale")
        env = dict(os.environ)
        env.update(LOCPATH=self.locales, LANG="de_DE.UTF-8", LC_ALL="de_DE.UTF-8")
        return env

    def test_a_german_user_without_a_choice_gets_german_texts(self):
        self.start_tool(env=self.german_environment())
        window = w.main_window()
        self.assertIsNotNone(window)
        self.assertFalse(w.reg_get(w.PRODUCT_KEY, "Language")["exists"])
        self.assertEqual(window["title"], GERMAN_TITLE)


@w.require_session
class SettingsKeyTest(ToolCase):
    def test_the_first_start_creates_the_product_key_and_writes_no_value(self):
        self.start_tool()
        self.assertIsNotNone(w.main_window())
        key = w.reg_get(w.PRODUCT_KEY, "ShadowX", view="64")
        self.assertTrue(key["keyExists"], "the product key is missing from the 64-bit view")
        self.assertFalse(key["exists"], "loading the settings wrote a value")

    # A 64-bit build cannot show the difference KEY_WOW64_64KEY makes, so Wine's registry trace is
    # read instead: every open and create of the program's keys must carry the flag.
    def test_every_product_key_access_asks_for_the_64_bit_view(self):
        with tempfile.TemporaryFile() as trace:  # a pipe would fill up and stall the tool
            tool = subprocess.Popen([w.loader(w.CONFIG_EXE), w.CONFIG_EXE], stdout=subprocess.DEVNULL, stderr=trace,
                                    env=dict(os.environ, WINEDEBUG="+reg"))
            self.tools.append(tool)
            self.assertIsNotNone(w.main_window())
            close_all_main_windows()
            tool.wait(timeout=30)
            accesses = traced_key_accesses(trace, "Halberon")
        self.assertTrue(accesses["NtCreateKey"], "the start-up did not create the keys")
        self.assertTrue(accesses["NtOpenKeyEx"], "the settings were not read")
        self.assert_64_bit_view(accesses)

    def test_keys_opened_by_path_ask_for_the_64_bit_view(self):
        with tempfile.TemporaryFile() as trace, tempfile.TemporaryFile() as output:
            done = subprocess.run([w.WINE, os.path.join(w.BIN_DIR, "morvanta_win_tests.exe"),
                                   "--gtest_filter=RegistryPaths.CreatesAMissingKeyAndItsParents"],
                                  stdout=output, stderr=trace, env=dict(os.environ, WINEDEBUG="+reg"), timeout=60)
            output.seek(0)
            self.assertEqual(done.returncode, 0, output.read().decode("utf-8", "replace")[-2000:])
            accesses = traced_key_accesses(trace, "MorvantaRegistryTest\\\\a")
        self.assertTrue(accesses["NtCreateKey"], "no key was created by path")
        self.assert_64_bit_view(accesses)

    def assert_64_bit_view(self, accesses):
        for name, access in accesses["NtOpenKeyEx"] + accesses["NtCreateKey"]:
            self.assertTrue(access & KEY_WOW64_64KEY, "%s opened with access %x" % (name, access))


def traced_key_accesses(trace_file, name_part):
    """Access masks of the key opens and creates in a WINEDEBUG=+reg trace whose key name holds
    name_part. ntdll traces "NtOpenKeyEx (root,L"name",access,out)" and
    "NtCreateKey (root,L"name",class,options,access,out)", access in hexadecimal."""
    trace_file.seek(0)
    accesses = {"NtOpenKeyEx": [], "NtCreateKey": []}
    for line in trace_file.read().decode("utf-8", "replace").splitlines():
        found = re.search(r'(NtOpenKeyEx|NtCreateKey) \(\w+,L"([^"]*)",(.*)\)$', line)
        if found and name_part in found.group(2):
            fields = found.group(3).split(",")
            access = int(fields[0] if found.group(1) == "NtOpenKeyEx" else fields[2], 16)
            accesses[found.group(1)].append((found.group(2), access))
    return accesses

if __name__ == "__main__":
    unittest.main()
