"""Helpers the Wine scenario tests share.

They run inside scripts/wine-session.sh, which provides a throwaway prefix, a display and a
persistent wineserver. The probe program (wineprobe.exe) reads and drives windows, message boxes,
folders and the registry from inside the Windows session and answers in JSON.

Two folders: BIN_DIR, the 64-bit test tree (probe, Windows test program, gallery), and
PROGRAM_DIR, where the tested MorvantaConfig.exe lies beside its language files, the engine's
stand-in and the window manager's stand-in library of the same architecture. The session names
PROGRAM_DIR: the 32-bit product where the machine runs 32-bit code, else the 64-bit build.
Each program is started with the Wine loader of its own architecture.
"""
import json
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import time
import unittest

BIN_DIR = os.environ.get("MORVANTA_BIN_DIR", "")
PROGRAM_DIR = os.environ.get("MORVANTA_PROGRAM_DIR") or BIN_DIR
WINE = os.environ.get("MORVANTA_WINE", "/usr/lib/wine/wine64")
WINE32 = os.environ.get("MORVANTA_WINE32", "/usr/lib/wine/wine")
PREFIX = os.environ.get("WINEPREFIX", "")
CONFIG_EXE = os.path.join(PROGRAM_DIR, "MorvantaConfig.exe")
PROBE_EXE = os.path.join(BIN_DIR, "wineprobe.exe")

IMAGE_FILE_MACHINE_I386 = 0x14C


def pe_machine(exe):
    """The machine field of a PE file's header, or None when the file is no PE file."""
    try:
        with open(exe, "rb") as f:
            head = f.read(4096)
    except OSError:
        return None
    if len(head) < 0x40 or head[:2] != b"MZ":
        return None
    offset = struct.unpack_from("<I", head, 0x3C)[0]
    if offset + 6 > len(head) or head[offset:offset + 4] != b"PE\0\0":
        return None
    return struct.unpack_from("<H", head, offset + 4)[0]


def loader(exe):
    """Wine's loader for a program: the 32-bit one for an x86 program, else the 64-bit one."""
    return WINE32 if pe_machine(exe) == IMAGE_FILE_MACHINE_I386 else WINE


def tested_program():
    """One line naming the MorvantaConfig.exe the scenario tests drive and its architecture."""
    bits = "32-bit" if pe_machine(CONFIG_EXE) == IMAGE_FILE_MACHINE_I386 else "64-bit"
    return "tested program: %s (%s)" % (CONFIG_EXE, bits)


if BIN_DIR:
    print(tested_program(), file=sys.stderr, flush=True)

CSIDL_COMMON_DOCUMENTS = 0x2E
CSIDL_LOCAL_APPDATA = 0x1C
PRODUCT_KEY = r"HKCU\SOFTWARE\Halberon\Morvanta"


def require_session(test_case_class):
    """Skips a test class when not run inside a Wine session (the test command always has one).

    Every test of the class ends, after its own tear-down, by waiting until no program it may have
    started is left running (end_test_programs): a window or an engine still running would take
    the next test's starts and messages."""
    if not os.environ.get("MORVANTA_WINE_SESSION") or not BIN_DIR:
        return unittest.skip("needs scripts/wine-session.sh and MORVANTA_BIN_DIR")(test_case_class)
    set_up = test_case_class.setUp

    def set_up_with_cleanup(self):
        self.addCleanup(end_test_programs)
        set_up(self)

    test_case_class.setUp = set_up_with_cleanup
    return test_case_class


def run(exe, *args, timeout=60, cwd=None):
    """Runs a Windows program to its end; returns (exit code, stdout text, stderr text).

    The output goes through files, not pipes: a program the tested one starts (the engine) may
    inherit the handles and outlive it, and the run must end when the tested program does.
    """
    with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
        done = subprocess.run([loader(exe), exe, *args], stdout=out, stderr=err, timeout=timeout, cwd=cwd)
        out.seek(0)
        err.seek(0)
        return done.returncode, out.read().decode("utf-8", "replace"), err.read().decode("utf-8", "replace")


def start(exe, *args, cwd=None):
    """Starts a Windows program and returns its Popen handle (the Wine loader process)."""
    return subprocess.Popen([loader(exe), exe, *args], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, cwd=cwd)


def probe(*args, timeout=60):
    """Runs wineprobe.exe; returns (exit code, parsed JSON of its first line or None)."""
    code, out, _ = run(PROBE_EXE, *[str(a) for a in args], timeout=timeout)
    line = out.strip().splitlines()[0] if out.strip() else ""
    return code, (json.loads(line) if line else None)


def wait_message_box(timeout=15, caption=None):
    """Waits for a message box; returns {hwnd, caption, text, pid} or None on time-out."""
    args = ["msgbox", "--timeout", timeout]
    if caption:
        args += ["--caption", caption]
    code, box = probe(*args, timeout=timeout + 30)
    return box if code == 0 else None


def no_message_box_within(seconds):
    """True when no message box appears within the given seconds."""
    code, _ = probe("no-msgbox", seconds, timeout=seconds + 30)
    return code == 0


def press(hwnd, button_id=1):
    """Clicks a button of a dialog (IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7)."""
    code, _ = probe("press", hwnd, button_id)
    return code == 0


def dismiss_message_box(box):
    press(box["hwnd"], 1)
    probe("wait-gone", box["hwnd"], 10)


def main_window(timeout=30):
    """The running main window as a second start finds it, or None."""
    code, window = probe("main-window", "--timeout", timeout, timeout=timeout + 30)
    return window if code == 0 else None


def close_window(window, process=None, timeout=20):
    """Ends the main window with its close command and waits for its process.

    A process that has not ended in time is killed, so that a window left behind cannot take the
    next tests' starts (a second start hands its work to the running instance); the time-out is
    then reported on standard error and the answer is None."""
    probe("close", window["hwnd"])
    if process is None:
        return None
    try:
        return process.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait(timeout=30)
        probe("wait-gone", window["hwnd"], 10)
        print("warning: the window %s did not close within %d s; its process was ended" % (window["hwnd"], timeout),
              file=sys.stderr)
        return None


def folder(csidl):
    """A shell folder's Windows path (without creating it).

    A busy session now and then answers nothing; the question is asked again rather than let a
    test go on with an empty path (its folders would land relative to the working folder)."""
    for _ in range(5):
        code, path = probe("folder", csidl)
        if code == 0 and path:
            return path
        time.sleep(0.5)
    raise RuntimeError("the shell folder %d could not be read" % csidl)


def unix_path(windows_path):
    """The Linux path of a Windows path of the prefix (asked again when the answer is empty)."""
    if not windows_path:
        raise ValueError("no Windows path to translate")
    for _ in range(5):
        done = subprocess.run([WINE, "winepath.exe", "-u", windows_path], capture_output=True, timeout=60)
        path = done.stdout.decode().strip()
        if path:
            return path
        time.sleep(0.5)
    raise RuntimeError("winepath gave no Linux path for %s" % windows_path)


def windows_path(path):
    """A Linux path as Wine's Z: drive sees it."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def themes_folder_windows():
    return folder(CSIDL_COMMON_DOCUMENTS) + "\\Halberon\\Morvanta\\Themes"


def themes_folder_unix():
    return os.path.join(unix_path(folder(CSIDL_COMMON_DOCUMENTS)), "Halberon", "Morvanta", "Themes")


def reg_get(key, value, view=None):
    """{exists, type, hex, dword?, string?} of a registry value."""
    args = ["reg-get", key, value] + (["--view", view] if view else [])
    return probe(*args)[1]


def reg_set_dword(key, value, number, view=None):
    return probe("reg-set-dword", key, value, number, *(["--view", view] if view else []))[0] == 0


def reg_set_string(key, value, text, view=None):
    return probe("reg-set-string", key, value, text, *(["--view", view] if view else []))[0] == 0


def reg_set_binary(key, value, data: bytes, view=None):
    return probe("reg-set-binary", key, value, data.hex(), *(["--view", view] if view else []))[0] == 0


def reg_delete_tree(key, view=None):
    probe("reg-delete-tree", key, *(["--view", view] if view else []))


def wait_until(predicate, timeout=10, interval=0.1):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if predicate():
            return True
        time.sleep(interval)
    return predicate()


def remove_tree(path):
    shutil.rmtree(path, ignore_errors=True)


ENGINE_CLASS = "Tolvaris"


# The programs a test may start, directly or through the tested program.
TEST_PROGRAMS = ("MorvantaConfig.exe", "Morvanta.exe", "ThemeEditor.exe", "HalvixGallery.exe")


def end_programs(*names, timeout=20):
    """Asks every process of those program names to close and waits until none is left; one that
    does not close in time is ended, and that is reported on standard error."""
    code, answer = probe("end-programs", *names, "--timeout", timeout, timeout=timeout + 30)
    if code != 0:
        print("warning: %s of %s did not close in time and were ended" % ((answer or {}).get("ended"), names),
              file=sys.stderr)


def end_test_programs():
    end_programs(*TEST_PROGRAMS)


def close_engines(timeout=10):
    """Ends every running (fake) engine, one still starting included, and waits for its process. The
    editor's stand-in is the engine's under another name, with a window of the same class."""
    probe("close-class", ENGINE_CLASS, timeout, timeout=timeout + 30)
    end_programs("Morvanta.exe", "ThemeEditor.exe", timeout=timeout)


def engine_log_path():
    """engine.log of the fake engine beside the tested program."""
    return os.path.join(PROGRAM_DIR, "engine.log")


def engine_log():
    try:
        with open(engine_log_path(), encoding="utf-8") as f:
            return [line.strip() for line in f if line.strip()]
    except FileNotFoundError:
        return []


def clear_engine_log():
    try:
        os.remove(engine_log_path())
    except FileNotFoundError:
        pass

def window_titled(title, timeout=20):
    """A visible top-level window of that title (a dialog of the tool), or None."""
    code, window = probe("window", "--title", title, "--timeout", timeout, timeout=timeout + 30)
    return window if code == 0 else None


def dialog_item(hwnd, item_id):
    """{text, left, top, right, bottom} of a dialog's control, its rectangle in screen pixels."""
    code, item = probe("item", hwnd, item_id)
    return item if code == 0 else None


def hotkey_value(hwnd, item_id):
    """The value a hot-key control holds: virtual key in the low byte, modifier flags above."""
    code, answer = probe("hotkey", hwnd, item_id)
    return answer["value"] if code == 0 else None


def close_windows_of_class(class_name):
    """Asks every top-level window of the class to close (the engine's stand-in, "Tolvaris"); for the
    engine's class, waits until its processes have ended."""
    if class_name == ENGINE_CLASS:
        close_engines()
    else:
        probe("close-class", class_name)

# --- Diagnostics: programs started with Wine's debugstr channel on ---

def start_traced(exe, trace_path, *args):
    """Starts a Windows program whose OutputDebugString lines Wine writes to trace_path."""
    env = dict(os.environ, WINEDEBUG="-all,+debugstr")
    trace = open(trace_path, "wb")
    try:
        return subprocess.Popen([loader(exe), exe, *args], stdout=subprocess.DEVNULL, stderr=trace, env=env)
    finally:
        trace.close()  # the child keeps its own descriptor


def trace_lines(trace_path, prefix="morvanta: "):
    """The program's diagnostic lines written so far that start with prefix, without it."""
    import re
    pattern = re.compile(r'OutputDebugStringA "(.*)"$')
    lines = []
    with open(trace_path, "rb") as f:
        for raw in f.read().decode("utf-8", "replace").splitlines():
            found = pattern.search(raw)
            if not found:
                continue
            text = found.group(1)
            if text.endswith("\\n"):
                text = text[:-2]
            if text.startswith(prefix):
                lines.append(text[len(prefix):])
    return lines


# --- The product's folders, as the window tests start from them ---

def make_demo_themes(theme_tool, prefix):
    """A temporary folder holding the demo themes the project draws itself (the caller removes it)."""
    folder = tempfile.mkdtemp(prefix=prefix)
    script = os.path.join(os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__)))), "scripts",
                          "make-demo-themes.sh")
    subprocess.run([script, folder], check=True, env=dict(os.environ, MORVANTA_THEME_TOOL=theme_tool),
                   stdout=subprocess.DEVNULL)
    return folder


def fresh_product_folders(themes_source, sounds=False):
    """Empties the Themes folder (and the Sounds folder), copies the .morvanta files of
    themes_source into it and removes the current-theme file. Answers the Linux paths
    {"themes", "sounds", "current"}."""
    docs = unix_path(folder(CSIDL_COMMON_DOCUMENTS))
    local = unix_path(folder(CSIDL_LOCAL_APPDATA))
    paths = {"themes": os.path.join(docs, "Halberon", "Morvanta", "Themes"),
             "sounds": os.path.join(docs, "Halberon", "Morvanta", "Sounds"),
             "current": os.path.join(local, "Halberon", "Morvanta", "CurrentTheme.Morvanta")}
    for name in ("themes", "sounds") if sounds else ("themes",):
        remove_tree(paths[name])
        os.makedirs(paths[name])
    os.makedirs(os.path.dirname(paths["current"]), exist_ok=True)
    if os.path.exists(paths["current"]):
        os.remove(paths["current"])
    for name in sorted(os.listdir(themes_source)):
        if name.endswith(".morvanta"):
            shutil.copy(os.path.join(themes_source, name), paths["themes"])
    return paths
