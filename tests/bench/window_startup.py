"""Start-up figures of the settings window with 100 installed cursor themes (run by scripts/bench.sh
inside a Wine session): the window's time from process start to its filled theme list, against a
program that only scans the same Themes folder and loads the same previews. Prints figures only."""
import os
import re
import shutil
import statistics
import subprocess
import tempfile
import time

BIN = os.environ["MORVANTA_BENCH_BIN"]
DEMO = os.environ["MORVANTA_BENCH_DEMO"]
WINE = os.environ.get("MORVANTA_WINE", "/usr/lib/wine/wine64")
RUNS = 3


def wine_path(args):
    done = subprocess.run([WINE, "winepath.exe", *args], capture_output=True, timeout=60)
    return done.stdout.decode().strip()


def themes_folder():
    prefix = os.environ["WINEPREFIX"]
    return os.path.join(prefix, "drive_c", "users", "Public", "Documents", "Halberon", "Morvanta", "Themes")


def install(count):
    folder = themes_folder()
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    sources = [os.path.join(DEMO, name) for name in ("Aurora.morvanta", "Ember.morvanta")]
    for i in range(count):
        shutil.copy(sources[i % 2], os.path.join(folder, "Theme %03d.morvanta" % i))
    return folder


def loading_alone(folder):
    done = subprocess.run([WINE, os.path.join(BIN, "theme_previews_bench.exe"), wine_path(["-w", folder])],
                          capture_output=True, timeout=300)
    words = done.stdout.decode().split()
    return {words[i]: float(words[i + 1]) for i in range(0, len(words) - 1, 2)}


def window_start():
    trace = tempfile.NamedTemporaryFile(delete=False, suffix=".trace")
    trace.close()
    env = dict(os.environ, WINEDEBUG="-all,+debugstr")
    with open(trace.name, "wb") as out:
        tool = subprocess.Popen([WINE, os.path.join(BIN, "MorvantaConfig.exe")], stdout=subprocess.DEVNULL,
                                stderr=out, env=env)
    pattern = re.compile(r"theme-list \d+ .*since-start-ms (\d+)")
    found = None
    deadline = time.monotonic() + 120
    while time.monotonic() < deadline and found is None:
        with open(trace.name, "rb") as f:
            found = pattern.search(f.read().decode("utf-8", "replace"))
        time.sleep(0.05)
    window = subprocess.run([WINE, os.path.join(BIN, "wineprobe.exe"), "main-window", "--timeout", "60"],
                            capture_output=True, timeout=120).stdout.decode()
    hwnd = re.search(r'"hwnd":(\d+)', window)
    if hwnd:
        subprocess.run([WINE, os.path.join(BIN, "wineprobe.exe"), "close", hwnd.group(1)], capture_output=True,
                       timeout=60)
    try:
        tool.wait(30)
    except subprocess.TimeoutExpired:
        tool.kill()
    os.remove(trace.name)
    return float(found.group(1)) if found else None


def main():
    folder = install(100)
    loading_alone(folder)  # the first run warms the file cache and Wine's DLLs
    alone = [loading_alone(folder) for _ in range(RUNS)]
    window_start()
    window = [window_start() for _ in range(RUNS)]
    work = statistics.median(a["work-ms"] for a in alone)
    alone_total = statistics.median(a["since-start-ms"] for a in alone)
    filled = statistics.median(w for w in window if w is not None)
    print("themes listed by the loading program: %d" % alone[0]["themes"])
    print("scan alone:                 %6.0f ms (median of %d)" % (statistics.median(a["scan-ms"] for a in alone), RUNS))
    print("preview loads alone:        %6.0f ms" % statistics.median(a["previews-ms"] for a in alone))
    print("scan + previews (work):     %6.0f ms" % work)
    print("loading program, from its process start: %6.0f ms" % alone_total)
    print("window, process start to filled list:    %6.0f ms  (runs: %s)" % (
        filled, ", ".join("%.0f" % w for w in window if w is not None)))
    print("window over scan + previews:             %+5.0f %%  (goal: at most +20 %%)" % (100.0 * (filled / work - 1)))
    print("window over the loading program:         %+5.0f %%" % (100.0 * (filled / alone_total - 1)))


if __name__ == "__main__":
    main()
