"""Theme installation and the single instance, in real MorvantaConfig.exe processes."""
import os
import tempfile
import time
import unittest

import winelib as w


@w.require_session
class InstallationTest(unittest.TestCase):
    def setUp(self):
        self.work = tempfile.mkdtemp(prefix="morvanta-install-")
        self.themes = w.themes_folder_unix()
        w.remove_tree(self.themes)
        self.tool = None

    def tearDown(self):
        if self.tool is not None and self.tool.poll() is None:
            window = w.main_window(timeout=2)
            if window:
                w.close_window(window, self.tool)
            if self.tool.poll() is None:
                self.tool.kill()
        w.remove_tree(self.work)

    def theme_file(self, name, content=b"theme"):
        path = os.path.join(self.work, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(content)
        return path

    def start_tool(self, *args, cwd=None):
        self.tool = w.start(w.CONFIG_EXE, *args, cwd=cwd)
        window = w.main_window()
        self.assertIsNotNone(window, "the main window did not appear")
        self.assertEqual(window["userData"], 0x634DF01A)
        return window

    def expect_summary(self, caption, text):
        box = w.wait_message_box()
        self.assertIsNotNone(box, "no summary message appeared")
        self.assertEqual(box["caption"], caption)
        self.assertEqual(box["text"], text)
        w.dismiss_message_box(box)
        return box

    def installed(self):
        """The files of the Themes folder (the window keeps a Preview folder there)."""
        if not os.path.isdir(self.themes):
            return []
        return sorted(n for n in os.listdir(self.themes) if os.path.isfile(os.path.join(self.themes, n)))

    def test_a_second_start_hands_its_file_to_the_running_instance(self):
        self.start_tool()
        blue = self.theme_file("Blue Glass.morvanta")
        code, _, _ = w.run(w.CONFIG_EXE, w.windows_path(blue))
        self.assertEqual(code, 0)
        box = self.expect_summary("Theme Installed", 'Installed "Blue Glass".')
        self.assertEqual(box["pid"], w.main_window()["pid"], "the running instance shows the summary")
        self.assertEqual(self.installed(), ["Blue Glass.morvanta"])

    def test_a_second_start_without_arguments_brings_the_window_forward_and_queues_nothing(self):
        window = self.start_tool()
        other = w.start(w.PROBE_EXE, "take-foreground", "6")
        try:
            self.assertTrue(w.wait_until(lambda: w.probe("foreground")[1]["hwnd"] != window["hwnd"], timeout=5))
            code, _, _ = w.run(w.CONFIG_EXE)
            self.assertEqual(code, 0)
            self.assertEqual(w.probe("foreground")[1]["hwnd"], window["hwnd"])
            self.assertTrue(w.no_message_box_within(1.5))
        finally:
            other.kill()
            other.wait()

    def test_files_forwarded_close_together_are_installed_as_one_batch(self):
        self.start_tool()
        names = ["Five %d" % i for i in (3, 1, 5, 2, 4)]
        paths = [self.theme_file(name + ".morvanta") for name in names]
        code, _ = w.probe("forward", *[w.windows_path(p) for p in paths])
        self.assertEqual(code, 0)
        self.expect_summary("Themes Installed",
                            "Installed the following themes:\n" + "".join('\n"%s"' % n for n in names))
        self.assertEqual(self.installed(), sorted(n + ".morvanta" for n in names))
        self.assertTrue(w.no_message_box_within(1), "one batch gives one message")

    def test_a_file_forwarded_while_a_summary_shows_makes_the_next_batch_and_the_window_keeps_answering(self):
        window = self.start_tool()
        w.probe("forward", w.windows_path(self.theme_file("First.morvanta")))
        first = w.wait_message_box()
        self.assertIsNotNone(first, "no summary appeared")
        # While the user has not answered the summary, a second start hands over another file.
        forwarder = w.start(w.PROBE_EXE, "forward", w.windows_path(self.theme_file("Second.morvanta")))
        try:
            self.assertEqual(forwarder.wait(timeout=20), 0, "the hand-over waited for the summary")
            self.assertEqual(w.probe("send", window["hwnd"], 0, 0, 0)[0], 0, "the window does not answer")
        finally:
            if forwarder.poll() is None:
                forwarder.kill()
            w.dismiss_message_box(first)
        self.assertEqual((first["caption"], first["text"]), ("Theme Installed", 'Installed "First".'))
        self.expect_summary("Theme Installed", 'Installed "Second".')
        self.assertEqual(self.installed(), ["First.morvanta", "Second.morvanta"])

    def test_a_file_already_in_the_themes_folder_fails_beside_a_new_one(self):
        self.start_tool()
        red_in_place = os.path.join(self.themes, "Red.morvanta")
        with open(red_in_place, "wb") as f:
            f.write(b"installed before")
        blue = self.theme_file("Blue Glass.morvanta")
        # The shell names an installed file by its path on C:, as the Themes folder itself is named.
        w.probe("forward", w.windows_path(blue), w.themes_folder_windows() + "\\Red.morvanta")
        self.expect_summary(
            "One Installation Failed",
            "We couldn't install one of the requested themes.\n\n"
            'We were able to install "Blue Glass".\n\n'
            'However, we couldn\'t install "Red":\n'
            "\u2022 This theme is already installed. Use the Morvanta window to activate it.")
        with open(red_in_place, "rb") as f:
            self.assertEqual(f.read(), b"installed before")

    def test_a_quoted_forwarded_path_loses_its_quotes(self):
        self.start_tool()
        path = self.theme_file("My Theme.tolvxtheme")
        w.probe("forward", '"%s"' % w.windows_path(path))
        self.expect_summary("Theme Installed", 'Installed "My Theme".')
        self.assertEqual(self.installed(), ["My Theme.tolvxtheme"])

    def test_an_existing_installed_file_is_replaced_without_asking(self):
        self.start_tool()
        os.makedirs(self.themes, exist_ok=True)
        with open(os.path.join(self.themes, "Blue.morvanta"), "wb") as f:
            f.write(b"old")
        w.probe("forward", w.windows_path(self.theme_file("Blue.morvanta", b"new")))
        self.expect_summary("Theme Installed", 'Installed "Blue".')
        with open(os.path.join(self.themes, "Blue.morvanta"), "rb") as f:
            self.assertEqual(f.read(), b"new")

    def test_a_failed_copy_reports_the_systems_reason(self):
        self.start_tool()
        w.probe("forward", w.windows_path(os.path.join(self.work, "Missing.morvanta")))
        box = w.wait_message_box()
        self.assertIsNotNone(box)
        w.dismiss_message_box(box)
        self.assertEqual(box["caption"], "Theme Installation Failed")
        prefix = 'We couldn\'t install "Missing":\n\u2022 '
        self.assertTrue(box["text"].startswith(prefix), box["text"])
        reason = box["text"][len(prefix):]
        self.assertTrue(reason and reason != "unknown error" and reason == reason.rstrip(), reason)

    def test_a_first_start_installs_its_arguments_relative_to_the_current_folder(self):
        self.theme_file("Rel.morvanta")
        self.theme_file("theme.MORVANTA.bak")
        self.start_tool("Rel.morvanta", "theme.MORVANTA.bak", "notes.txt", cwd=self.work)
        self.expect_summary("Themes Installed", 'Installed the following themes:\n\n"Rel"\n"theme.MORVANTA"')
        self.assertEqual(self.installed(), ["Rel.morvanta", "theme.MORVANTA.bak"])


@w.require_session
class InstallerVerbTest(unittest.TestCase):
    def setUp(self):
        self.work = tempfile.mkdtemp(prefix="morvanta-verb-")
        self.themes = w.themes_folder_unix()
        w.remove_tree(self.themes)

    def tearDown(self):
        w.close_engines()  # the verbs start the engine
        w.remove_tree(self.work)

    def test_install_inside_a_path_runs_the_installer_verb(self):
        folder = os.path.join(self.work, "install")
        os.makedirs(folder)
        open(os.path.join(folder, "Blue.morvanta"), "wb").close()
        # "/install" occurs in the command line: no window opens and nothing is installed.
        code, _, _ = w.run(w.CONFIG_EXE, w.windows_path(self.work) + "/install/Blue.morvanta", timeout=30)
        self.assertEqual(code, 0)
        self.assertFalse(os.path.exists(os.path.join(self.themes, "Blue.morvanta")))

    def test_the_verb_in_capitals_is_a_normal_start(self):
        folder = os.path.join(self.work, "INSTALL")
        os.makedirs(folder)
        open(os.path.join(folder, "Blue.morvanta"), "wb").close()
        tool = w.start(w.CONFIG_EXE, w.windows_path(self.work) + "/INSTALL/Blue.morvanta")
        try:
            box = w.wait_message_box()
            self.assertIsNotNone(box)
            self.assertEqual(box["caption"], "Theme Installed")
            w.dismiss_message_box(box)
            self.assertTrue(os.path.exists(os.path.join(self.themes, "Blue.morvanta")))
        finally:
            window = w.main_window(timeout=5)
            if window:
                w.close_window(window, tool)
            if tool.poll() is None:
                tool.kill()

    def test_uninstall_ends_without_a_window(self):
        start = time.monotonic()
        code, _, _ = w.run(w.CONFIG_EXE, "/uninstall", timeout=30)
        self.assertEqual(code, 0)
        self.assertIsNone(w.main_window(timeout=1))


if __name__ == "__main__":
    unittest.main()
