"""What the tests of morvanta-theme's commands share: the program (MORVANTA_THEME_TOOL), a run of it,
and a test case with a folder of its own."""
import os
import shutil
import subprocess
import tempfile
import unittest

TOOL = os.environ.get("MORVANTA_THEME_TOOL", "morvanta-theme")
ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))


def run(*args):
    return subprocess.run([TOOL, *map(str, args)], capture_output=True, text=True)


class ToolFolderCase(unittest.TestCase):
    """A test with a temporary folder, removed afterwards."""
    prefix = "morvanta-tool-"

    def setUp(self):
        self.work = tempfile.mkdtemp(prefix=self.prefix)

    def tearDown(self):
        shutil.rmtree(self.work, ignore_errors=True)

    def path(self, *names):
        return os.path.join(self.work, *names)

    def ok(self, *args):
        """Runs the program, expects exit 0 and answers its standard output."""
        done = run(*args)
        self.assertEqual(done.returncode, 0, done.stderr)
        return done.stdout
