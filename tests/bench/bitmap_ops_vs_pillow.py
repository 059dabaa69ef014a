"""Times Pillow's nearest equivalents of the bitmap operations on the same strip as
bitmap_ops_bench (24 frames of 64 x 64, RGBA) in the same run, and prints both figures with the
ratio Pillow time / our time (above 1: ours is faster). Figures only, never pass/fail.

Run by scripts/bench.sh, which sets MORVANTA_BENCH_DIR to the optimised benchmark build."""
import json
import os
import subprocess
import sys
import time
import timeit

import numpy
from PIL import Image, ImageFilter

FRAMES, SIDE = 24, 64


def make_strip():
    """The strip of bitmap_ops_bench.cpp, as RGBA (top row first)."""
    y, x = numpy.mgrid[0:SIDE, 0:FRAMES * SIDE]
    f, fx = x // SIDE, x % SIDE
    d2 = (fx - 32) ** 2 + (y - 32) ** 2
    blue = (fx * 7 + f * 13) & 255
    green = (y * 5 + fx) & 255
    red = (fx * y + f) & 255
    alpha = numpy.where(d2 < 24 * 24, 255, numpy.where(d2 < 28 * 28, 128, 0))
    rgba = numpy.stack([red, green, blue, alpha], axis=-1).astype(numpy.uint8)
    return Image.fromarray(rgba, "RGBA")


def best_seconds(fn, number):
    """Best of five repeats, per call, like the minimum the benchmark library converges to."""
    return min(timeit.repeat(fn, number=number, repeat=5, timer=time.process_time)) / number


def pillow_cases(strip):
    size_of = lambda factor: int(SIDE * factor)
    cases = {}
    for name, factor, method in (("BM_ResizeReduce1_25", 1 / 1.25, Image.BOX),
                                 ("BM_ResizeReduce2_5", 1 / 2.5, Image.BOX),
                                 ("BM_ResizeEnlarge1_25", 1.25, Image.BILINEAR),
                                 ("BM_ResizeEnlarge2_5", 2.5, Image.BILINEAR)):
        side = size_of(factor)
        cases[name] = ("resize %s" % ("BOX" if method == Image.BOX else "BILINEAR"),
                       lambda side=side, method=method: strip.resize((side * FRAMES, side), method))

    radius = 6  # the blur-12 shadow kernel reaches 6 pixels

    def shadow():
        # The alpha mask blurred on a canvas grown by the offset and the blur radius, then the
        # strip composited over it.
        width, height = strip.width + 2 * radius + 3, strip.height + 2 * radius + 3
        canvas = Image.new("L", (width, height))
        canvas.paste(strip.getchannel("A"), (radius + 3, radius + 3))
        blurred = canvas.filter(ImageFilter.GaussianBlur(radius / 2))
        black = Image.new("L", (width, height))
        result = Image.merge("RGBA", (black, black, black, blurred.point(lambda v: v // 2)))
        top = Image.new("RGBA", (width, height))
        top.paste(strip, (radius, radius))
        return Image.alpha_composite(result, top)

    cases["BM_AddShadowBlur12"] = ("alpha GaussianBlur + alpha_composite", shadow)

    def hue():
        h, s, v = strip.convert("RGB").convert("HSV").split()
        h = h.point(lambda value: (value + 43) & 255)
        return Image.merge("HSV", (h, s, v)).convert("RGB")

    cases["BM_AdjustColorHue"] = ("RGB->HSV, shift H, ->RGB", hue)
    table = [min(255, max(0, int(i * 1.4) - 30)) for i in range(256)] * 3 + list(range(256))
    cases["BM_AdjustColorBrightnessContrast"] = ("point() with a table", lambda: strip.point(table))
    cases["BM_Premultiply"] = ("convert('RGBa')", lambda: strip.convert("RGBa"))
    background = Image.new("RGBA", strip.size, (128, 128, 128, 128))
    cases["BM_SoftwareDrawOpaque"] = ("alpha_composite", lambda: Image.alpha_composite(background, strip))
    return cases


def our_figures():
    program = os.path.join(os.environ.get("MORVANTA_BENCH_DIR", "build/bench"), "tests", "bitmap_ops_bench")
    out = subprocess.run([program, "--benchmark_format=json", "--benchmark_min_time=0.2"],
                         check=True, capture_output=True, text=True).stdout
    figures = {}
    for entry in json.loads(out)["benchmarks"]:
        scale = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}[entry["time_unit"]]
        figures[entry["name"]] = entry["cpu_time"] * scale
    return figures


def main():
    strip = make_strip()
    ours = our_figures()
    print("%-34s %-40s %10s %10s %8s" % ("operation", "Pillow counterpart", "ours ms", "Pillow ms", "ratio"))
    for name, (what, fn) in pillow_cases(strip).items():
        number = 20
        theirs = best_seconds(fn, number)
        mine = ours.get(name)
        if mine is None:
            continue
        print("%-34s %-40s %10.3f %10.3f %8.2f" % (name[3:], what, mine * 1e3, theirs * 1e3, theirs / mine))
    print("ratio = Pillow time / our time; above 1 means ours is faster (CPU time, best of runs)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
