"""The engine under Wine: how long a reload takes from WM_USER+7 to the last cursor handed to the
system, against the read of the theme alone; its processor time over 10 s with the pointer at rest;
its peak memory. Figures, never pass or fail.

Runs inside scripts/wine-session.sh (scripts/bench.sh engine_reload starts it). MORVANTA_BENCH_ENGINE names the engine,
MORVANTA_BENCH_PROBE the probe, MORVANTA_THEME_TOOL the native theme tool. The engine reports each
reload's phases in its log (read, rescale, draw and write, set); the figures here come from there,
so that process start-up and the test's own messages do not count.

Themes: the demo theme Aurora, and one of 20 roles at two scales (32 and 64 pixels) with 30-frame
animations, drawn here and packed by the theme tool. Each is measured as a first apply (no cursor
of it in the cache: everything drawn, written and loaded) and as a reload that changes no cursor
(the tool sends one after every change of sounds, effects or trails).
"""
import math
import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

ENGINE = os.environ["MORVANTA_BENCH_ENGINE"]
PROBE = os.environ["MORVANTA_BENCH_PROBE"]
THEME_TOOL = os.environ["MORVANTA_THEME_TOOL"]
DEMO = os.environ["MORVANTA_BENCH_DEMO"]
WINE = os.environ.get("MORVANTA_WINE", "/usr/lib/wine/wine64")
WINE32 = os.environ.get("MORVANTA_WINE32", "/usr/lib/wine/wine")
ROUNDS = 5
APPLIED = re.compile(r"applied '(.*)' \((.*)\): (\d+) cursors set .*read ([\d.]+) ms, rescale ([\d.]+) ms, "
                     r"files ([\d.]+) ms, set ([\d.]+) ms, total ([\d.]+) ms")


def loader(exe):
    with open(exe, "rb") as f:
        head = f.read(4096)
    offset = int.from_bytes(head[0x3C:0x40], "little")
    return WINE32 if int.from_bytes(head[offset + 4:offset + 6], "little") == 0x14C else WINE


def probe(*args):
    done = subprocess.run([WINE, PROBE, *map(str, args)], capture_output=True, text=True, timeout=120)
    return done.returncode, done.stdout.strip()


def unix_path(windows):
    return subprocess.run([WINE, "winepath.exe", "-u", windows], capture_output=True, text=True).stdout.strip()


def big_theme(folder):
    """20 roles x 2 scales x 30 frames, packed with the theme tool."""
    from PIL import Image, ImageDraw
    lines = ['name "Engine benchmark"']
    for role in range(20):
        for scale, side in ((1, 32), (2, 64)):
            strip = Image.new("RGBA", (side * 30, side), (0, 0, 0, 0))
            draw = ImageDraw.Draw(strip)
            for frame in range(30):
                angle = 2 * math.pi * frame / 30
                cx = frame * side + side / 2 + math.cos(angle) * side / 6
                cy = side / 2 + math.sin(angle) * side / 6
                r = side / 4
                draw.ellipse([cx - r, cy - r, cx + r, cy + r], fill=(40 + role * 10, 120 + frame * 4, 200, 230),
                             outline=(0, 0, 0, 255))
            name = "r%d_%d.png" % (role, scale)
            strip.save(os.path.join(folder, name))
            lines.append("cursor role=%d event=1 scale=%d image=%s frames=30 interval=50 hotspot=%d,%d"
                         % (role, scale, name, 2 * scale, 2 * scale))
    with open(os.path.join(folder, "manifest.txt"), "w") as f:
        f.write("\n".join(lines) + "\n")
    theme = os.path.join(folder, "Engine benchmark.morvanta")
    subprocess.run([THEME_TOOL, "pack", os.path.join(folder, "manifest.txt"), theme], check=True,
                   capture_output=True)
    return theme


def lines(trace):
    with open(trace, "rb") as f:
        text = f.read().decode("utf-8", "replace")
    return [m.group(1) for m in re.finditer(r'OutputDebugStringA "morvanta-engine: (.*?)\\n"', text)]


def wait_applied(trace, count, timeout=60):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        found = [APPLIED.search(l) for l in lines(trace)]
        found = [m for m in found if m]
        if len(found) >= count:
            return found[count - 1]
        time.sleep(0.05)
    raise RuntimeError("no reload %d in %r" % (count, lines(trace)[-5:]))


def cpu_seconds(pid):
    with open("/proc/%d/stat" % pid) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def memory(pid):
    with open("/proc/%d/status" % pid) as f:
        status = dict(line.split(":", 1) for line in f if ":" in line)
    return int(status["VmHWM"].split()[0]) / 1024, int(status["VmRSS"].split()[0]) / 1024


def measure(theme_path, local, cache, trace):
    shutil.copy(theme_path, os.path.join(local, "CurrentTheme.Morvanta"))
    shutil.rmtree(cache, ignore_errors=True)
    with open(trace, "wb") as err:
        engine = subprocess.Popen([loader(ENGINE), ENGINE], stdout=subprocess.DEVNULL, stderr=err,
                                  env=dict(os.environ, WINEDEBUG="-all,+debugstr"))
    first = wait_applied(trace, 1)
    hwnd = re.search(r'"hwnd":(\d+)', probe("engine-window", 20)[1]).group(1)
    count = 1
    cold, warm = [], []
    for _ in range(ROUNDS):
        # A first apply: no cursor of the theme in the cache.
        shutil.rmtree(cache, ignore_errors=True)
        probe("send", hwnd, 1031, 0)
        count += 1
        cold.append(wait_applied(trace, count))
        # A reload that changes no cursor.
        probe("send", hwnd, 1031, 0)
        count += 1
        warm.append(wait_applied(trace, count))
    # At rest: no timer runs, so the engine takes (next to) no processor time.
    time.sleep(2)
    before = cpu_seconds(engine.pid)
    time.sleep(10)
    rest = cpu_seconds(engine.pid) - before
    peak, resident = memory(engine.pid)
    probe("send", hwnd, 1027, 0)
    engine.wait(timeout=30)
    return first, cold, warm, rest, peak, resident


def report(name, first, cold, warm, rest, peak, resident):
    def figures(matches):
        read = statistics.median(float(m.group(4)) for m in matches)
        total = statistics.median(float(m.group(8)) for m in matches)
        files = statistics.median(float(m.group(6)) for m in matches)
        return read, total, files

    print("%s: %s cursors set" % (name, first.group(3)))
    print("  start-up apply: read %s ms, total %s ms" % (first.group(4), first.group(8)))
    for label, matches in (("first apply (cache empty)", cold), ("reload, no cursor changed", warm)):
        read, total, files = figures(matches)
        print("  %s, median of %d: read %.1f ms, draw+write+load %.1f ms, total %.1f ms: total / read = %.2f "
              "(goal <= 2)" % (label, len(matches), read, files, total, total / read if read else float("nan")))
    print("  processor time over 10 s at rest: %.3f s (%.2f%% of one core)" % (rest, rest * 10))
    print("  peak memory (the Wine process's high-water mark): %.1f MiB, resident at the end %.1f MiB" % (peak,
                                                                                                           resident))


def main():
    print("machine: %d cores, load average %s" % (os.cpu_count(), " ".join(open("/proc/loadavg").read().split()[:3])))
    print("engine: %s" % ENGINE)
    code, local_windows = probe("folder", 28)
    local = os.path.join(unix_path(local_windows.strip('"').replace("\\\\", "\\")), "Halberon", "Morvanta")
    os.makedirs(local, exist_ok=True)
    cache = os.path.join(local, "Cursors")
    work = tempfile.mkdtemp(prefix="morvanta-engine-bench-")
    try:
        trace = os.path.join(work, "engine.trace")
        themes = [("demo theme Aurora", os.path.join(DEMO, "Aurora.morvanta")),
                  ("20 roles x 2 scales x 30 frames", big_theme(work))]
        for name, path in themes:
            report(name, *measure(path, local, cache, trace))
        # The dynamic shadow at rest: the hook runs, but no timer while the pointer stands still.
        subprocess.run([WINE, "reg", "add", r"HKCU\SOFTWARE\Halberon\Morvanta", "/v", "ShadowDynamic", "/t",
                        "REG_DWORD", "/d", "1", "/f"], capture_output=True)
        first, cold, warm, rest, peak, resident = measure(themes[0][1], local, cache, trace)
        print("demo theme Aurora with the dynamic shadow: processor time over 10 s at rest %.3f s" % rest)
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
