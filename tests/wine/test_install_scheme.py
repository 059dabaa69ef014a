"""Installing a Windows cursor scheme's .inf in real MorvantaConfig.exe processes: the scheme is
converted into "<scheme name>.morvanta" in the Themes folder and reported in the installation summary."""
import os
import struct
import sys
import tempfile
import unittest

import winelib as w

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tools"))
import cursor_writer as cw  # noqa: E402


def theme_version(path):
    """The version field of a theme file's header."""
    with open(path, "rb") as f:
        magic, header_size, _, version = struct.unpack("<4I", f.read(16))
    return version if (magic, header_size) == (1, 184) else None


@w.require_session
class SchemeInstallationTest(unittest.TestCase):
    def setUp(self):
        self.work = tempfile.mkdtemp(prefix="morvanta-scheme-")
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

    def scheme(self, folder, name, listed):
        """A scheme folder with arrow.cur and busy.ani beside an .inf listing `listed` as Arrow and Wait."""
        path = os.path.join(self.work, folder)
        os.makedirs(path)
        frame = cw.cursor([(cw.solid(32, 32, (200, 40, 40, 255)), 1, 1)])
        with open(os.path.join(path, "arrow.cur"), "wb") as f:
            f.write(frame)
        with open(os.path.join(path, "busy.ani"), "wb") as f:
            f.write(cw.ani([frame, frame], 10, rate=[6, 12]))
        inf = os.path.join(path, "install.inf")
        with open(inf, "wb") as f:
            f.write(cw.scheme_inf(name, listed + [""] * 13))
        return inf

    def expect_summary(self, caption, text):
        box = w.wait_message_box()
        self.assertIsNotNone(box, "no summary message appeared")
        w.dismiss_message_box(box)
        self.assertEqual((box["caption"], box["text"]), (caption, text))

    def installed(self):
        """The files of the Themes folder (the window keeps a Preview folder there)."""
        if not os.path.isdir(self.themes):
            return []
        return sorted(n for n in os.listdir(self.themes) if os.path.isfile(os.path.join(self.themes, n)))

    def test_an_inf_on_the_command_line_is_converted_under_a_safe_name(self):
        inf = self.scheme("scheme", 'Neon: "Glow"?', ["arrow.cur", "", "", "busy.ani"])
        self.tool = w.start(w.CONFIG_EXE, w.windows_path(inf))
        self.expect_summary("Theme Installed", 'Installed "Neon_ _Glow__".')
        self.assertEqual(self.installed(), ["Neon_ _Glow__.morvanta"])
        self.assertEqual(theme_version(os.path.join(self.themes, "Neon_ _Glow__.morvanta")), 2003)

    def test_a_forwarded_inf_joins_the_batch_replaces_an_older_file_and_a_hostile_one_fails(self):
        self.tool = w.start(w.CONFIG_EXE)
        self.assertIsNotNone(w.main_window(), "the main window did not appear")
        os.makedirs(self.themes, exist_ok=True)
        with open(os.path.join(self.themes, "Ember.morvanta"), "wb") as f:
            f.write(b"older")
        good = self.scheme("good", "Ember", ["arrow.cur"])
        evil = self.scheme("evil", "Evil", ["..\\..\\x.cur"])
        theme = os.path.join(self.work, "Blue.morvanta")
        with open(theme, "wb") as f:
            f.write(b"theme")
        code, _ = w.probe("forward", w.windows_path(good), w.windows_path(evil), w.windows_path(theme))
        self.assertEqual(code, 0)
        self.expect_summary(
            "One Installation Failed",
            "We couldn't install one of the requested themes.\n\n"
            "We were able to install the following themes:\n\n\"Ember\"\n\"Blue\"\n\n"
            "However, we couldn't install \"install\":\n"
            "\u2022 install.inf: names a file outside its folder: %10%\\Cursors\\Scheme\\..\\..\\x.cur")
        self.assertEqual(self.installed(), ["Blue.morvanta", "Ember.morvanta"])
        self.assertEqual(theme_version(os.path.join(self.themes, "Ember.morvanta")), 2003)


if __name__ == "__main__":
    unittest.main()
