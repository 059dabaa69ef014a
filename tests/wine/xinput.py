"""Real X input and screenshots on the Wine session's Xvfb display.

The pointer is moved and clicked with xdotool, so the program receives what a person's mouse
produces (Wine's own leave tracking, capture and double-click detection run). Screenshots come
from the X server (ImageMagick's import) and are compared with committed references.
"""
import os
import subprocess
import time

REFERENCES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "references")
ARTIFACTS = os.environ.get("MORVANTA_ARTIFACTS") or os.path.join(
    os.environ.get("MORVANTA_WINE_SESSION", "/tmp"), "artifacts")


def xdotool(*args):
    subprocess.run(["xdotool", *[str(a) for a in args]], check=True, timeout=30)


class Pointer:
    """Moves and clicks in a window's client coordinates."""

    def __init__(self, window):
        self.left = window["clientLeft"]
        self.top = window["clientTop"]

    def move(self, x, y, settle=0.08):
        xdotool("mousemove", self.left + x, self.top + y)
        time.sleep(settle)

    def down(self, button=1, settle=0.08):
        xdotool("mousedown", button)
        time.sleep(settle)

    def up(self, button=1, settle=0.08):
        xdotool("mouseup", button)
        time.sleep(settle)

    def click(self, x, y, button=1, settle=0.15):
        self.move(x, y)
        xdotool("click", button)
        time.sleep(settle)

    def wheel(self, x, y, notches):
        """Turns the wheel: positive notches away from the user (X button 4), negative towards."""
        self.move(x, y)
        for _ in range(abs(notches)):
            xdotool("click", 4 if notches > 0 else 5)
            time.sleep(0.05)

    def away(self):
        park_pointer()


def park_pointer():
    """Puts the pointer in the screen's corner, outside every window of the tests."""
    xdotool("mousemove", 1270, 1010)
    time.sleep(0.15)


def screenshot(window, path):
    """The window's client area as a PNG file."""
    os.makedirs(os.path.dirname(path), exist_ok=True)
    geometry = "%dx%d+%d+%d" % (window["clientWidth"], window["clientHeight"], window["clientLeft"],
                                window["clientTop"])
    subprocess.run(["import", "-window", "root", "-crop", geometry, "+repage", path], check=True, timeout=60)
    return path


def compare_with_reference(path, name, max_mean=2.0, max_bad_share=0.005, bad_level=48):
    """Compares a screenshot with references/NAME.png.

    Returns None when they match within the tolerance, else a text saying how they differ; a
    difference image is written beside the screenshot. MORVANTA_UPDATE_REFERENCES=1 replaces the
    reference instead (to be reviewed by looking at it before committing).
    """
    from PIL import Image, ImageChops
    import numpy

    reference = os.path.join(REFERENCES, name + ".png")
    if os.environ.get("MORVANTA_UPDATE_REFERENCES") == "1" or not os.path.exists(reference):
        os.makedirs(REFERENCES, exist_ok=True)
        Image.open(path).convert("RGB").save(reference)
        if os.environ.get("MORVANTA_UPDATE_REFERENCES") != "1":
            return "no reference existed; wrote " + reference
        return None
    shot = Image.open(path).convert("RGB")
    want = Image.open(reference).convert("RGB")
    if shot.size != want.size:
        return "size %s, reference %s" % (shot.size, want.size)
    difference = numpy.asarray(ImageChops.difference(shot, want), dtype=numpy.int16).max(axis=2)
    mean = float(difference.mean())
    bad = float((difference > bad_level).mean())
    if mean <= max_mean and bad <= max_bad_share:
        return None
    diff_path = os.path.splitext(path)[0] + "-difference.png"
    Image.fromarray(numpy.clip(difference * 4, 0, 255).astype(numpy.uint8)).save(diff_path)
    return "mean difference %.2f (limit %.2f), %.3f%% of pixels off by more than %d (limit %.3f%%); see %s" % (
        mean, max_mean, bad * 100, bad_level, max_bad_share * 100, diff_path)


def sweep(window, points, pause=0.002):
    """Moves the pointer through client points as fast as one xdotool run allows (a fast mouse)."""
    args = []
    for x, y in points:
        args += ["mousemove", window["clientLeft"] + x, window["clientTop"] + y, "sleep", pause]
    xdotool(*args)


def compare_with_image(path, reference, masks=(), max_mean=2.0, max_bad_share=0.005, bad_level=48):
    """As compare_with_reference, against the image file reference, ignoring the masked boxes
    (x, y, width, height): places where something animates. A missing reference is written (and
    reported), and MORVANTA_UPDATE_REFERENCES=1 replaces it."""
    from PIL import Image, ImageChops, ImageDraw
    import numpy

    if os.environ.get("MORVANTA_UPDATE_REFERENCES") == "1" or not os.path.exists(reference):
        os.makedirs(os.path.dirname(reference), exist_ok=True)
        Image.open(path).convert("RGB").save(reference)
        if os.environ.get("MORVANTA_UPDATE_REFERENCES") != "1":
            return "no reference existed; wrote " + reference
        return None
    shot = Image.open(path).convert("RGB")
    want = Image.open(reference).convert("RGB")
    if shot.size != want.size:
        return "size %s, reference %s" % (shot.size, want.size)
    for image in (shot, want):
        draw = ImageDraw.Draw(image)
        for x, y, width, height in masks:
            draw.rectangle([x, y, x + width - 1, y + height - 1], fill=(0, 0, 0))
    difference = numpy.asarray(ImageChops.difference(shot, want), dtype=numpy.int16).max(axis=2)
    mean = float(difference.mean())
    bad = float((difference > bad_level).mean())
    if mean <= max_mean and bad <= max_bad_share:
        return None
    diff_path = os.path.splitext(path)[0] + "-difference.png"
    Image.fromarray(numpy.clip(difference * 4, 0, 255).astype(numpy.uint8)).save(diff_path)
    return "mean difference %.2f (limit %.2f), %.3f%% of pixels off by more than %d (limit %.3f%%); see %s" % (
        mean, max_mean, bad * 100, bad_level, max_bad_share * 100, diff_path)


def screenshot_client(window, path):
    """The window's client area as a PNG file, cut from a shot of the whole screen (import's own
    crop of the root window comes out too large for a window far from the screen's corner)."""
    from PIL import Image

    os.makedirs(os.path.dirname(path), exist_ok=True)
    whole = path + ".screen.png"
    subprocess.run(["import", "-window", "root", whole], check=True, timeout=60)
    left, top = window["clientLeft"], window["clientTop"]
    with Image.open(whole) as screen:
        screen.crop((left, top, left + window["clientWidth"], top + window["clientHeight"])).save(path)
    os.remove(whole)
    return path
