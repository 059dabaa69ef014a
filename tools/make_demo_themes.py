#!/usr/bin/env python3
"""Draws the demo themes the run command installs: PNG frame strips, click sounds and a manifest
for each theme, which `morvanta-theme pack` turns into .morvanta files.

Usage: make_demo_themes.py OUT_DIR     (writes OUT_DIR/<theme>/manifest.txt and its images)
Every image is drawn here at four times its size and reduced, so edges are smooth.
"""
import math
import os
import struct
import sys
import wave

from PIL import Image, ImageDraw, ImageFilter

SUPER = 4
SIZE = 32


def canvas(size=SIZE):
    return Image.new("RGBA", (size * SUPER, size * SUPER), (0, 0, 0, 0))


def finish(image, size=SIZE):
    return image.resize((size, size), Image.LANCZOS)


def scaled(points, scale):
    return [(x * SUPER * scale, y * SUPER * scale) for x, y in points]


ARROW = [(2, 2), (2, 24), (8, 18.5), (12, 27), (15.5, 25.5), (11.8, 17.2), (19.5, 17.2)]


def arrow(fill, outline, glow=0.0, scale=1.0, size=SIZE):
    image = canvas(size)
    if glow > 0:
        # A soft halo of the fill colour around the pointer, stronger as glow rises.
        halo = canvas(size)
        ImageDraw.Draw(halo).polygon(scaled(ARROW, scale), fill=(*fill[:3], int(255 * glow)),
                                     outline=(*fill[:3], int(255 * glow)), width=int(SUPER * 3 * scale))
        image = Image.alpha_composite(image, halo.filter(ImageFilter.GaussianBlur(SUPER * 1.5 * scale)))
    draw = ImageDraw.Draw(image)
    draw.polygon(scaled(ARROW, scale), fill=fill, outline=outline, width=int(SUPER * 1.2 * scale))
    return finish(image, size)


def spinner(colour, phase, size=SIZE):
    image = canvas(size)
    draw = ImageDraw.Draw(image)
    c = size * SUPER / 2
    for i in range(8):
        angle = 2 * math.pi * (i / 8) + phase
        alpha = int(255 * (0.25 + 0.75 * ((i + 1) / 8)))
        x, y = c + math.cos(angle) * c * 0.62, c + math.sin(angle) * c * 0.62
        r = c * 0.14
        draw.ellipse([x - r, y - r, x + r, y + r], fill=(*colour, alpha))
    return finish(image, size)


def ibeam(colour, size=SIZE):
    image = canvas(size)
    draw = ImageDraw.Draw(image)
    s = SUPER
    draw.line([(16 * s, 6 * s), (16 * s, 26 * s)], fill=colour, width=2 * s)
    for y in (6, 26):
        draw.line([(12 * s, y * s), (20 * s, y * s)], fill=colour, width=2 * s)
    return finish(image, size)


def cross(colour, size=SIZE):
    image = canvas(size)
    draw = ImageDraw.Draw(image)
    s = SUPER
    draw.line([(16 * s, 3 * s), (16 * s, 29 * s)], fill=colour, width=2 * s)
    draw.line([(3 * s, 16 * s), (29 * s, 16 * s)], fill=colour, width=2 * s)
    draw.ellipse([12 * s, 12 * s, 20 * s, 20 * s], outline=colour, width=s)
    return finish(image, size)


def double_arrow(colour, angle_degrees, size=SIZE):
    image = canvas(size)
    draw = ImageDraw.Draw(image)
    s = SUPER
    shape = [(4, 16), (10, 10), (10, 14), (22, 14), (22, 10), (28, 16), (22, 22), (22, 18), (10, 18), (10, 22)]
    draw.polygon([(x * s, y * s) for x, y in shape], fill=colour, outline=(255, 255, 255, 255))
    return finish(image.rotate(angle_degrees, resample=Image.BICUBIC), size)


def ripple(colour, t, size=48):
    image = canvas(size)
    draw = ImageDraw.Draw(image)
    c = size * SUPER / 2
    r = c * (0.2 + 0.75 * t)
    alpha = int(230 * (1 - t))
    draw.ellipse([c - r, c - r, c + r, c + r], outline=(*colour, alpha), width=int(SUPER * 2.5))
    return finish(image, size)


def dot(colour, t, size=12):
    image = canvas(size)
    draw = ImageDraw.Draw(image)
    c = size * SUPER / 2
    r = c * (0.9 - 0.6 * t)
    draw.ellipse([c - r, c - r, c + r, c + r], fill=(*colour, int(220 * (1 - t))))
    return finish(image, size)


def sparkle(colour, t, size=48):
    """Eight rays bursting out from the centre and fading, at time t of 0..1."""
    image = canvas(size)
    draw = ImageDraw.Draw(image)
    c = size * SUPER / 2
    alpha = int(255 * (1 - t) ** 0.8)
    inner, outer = c * (0.1 + 0.55 * t), c * (0.3 + 0.6 * t)
    for i in range(8):
        angle = 2 * math.pi * i / 8
        dx, dy = math.cos(angle), math.sin(angle)
        draw.line([(c + dx * inner, c + dy * inner), (c + dx * outer, c + dy * outer)], fill=(*colour, alpha),
                  width=int(SUPER * (2.5 - 1.5 * t)))
    r = c * 0.18 * (1 - t)
    draw.ellipse([c - r, c - r, c + r, c + r], fill=(*colour, alpha))
    return finish(image, size)


def comet(colour, phase, size=20):
    """A glowing dot whose glow breathes: phase 0..1 goes round once. The glow fades out well
    inside the frame, so no frame edge cuts it."""
    image = canvas(size)
    c = size * SUPER / 2
    glow = canvas(size)
    g = 0.5 + 0.5 * math.sin(2 * math.pi * phase)
    r = c * (0.3 + 0.25 * g)
    ImageDraw.Draw(glow).ellipse([c - r, c - r, c + r, c + r], fill=(*colour, int(110 + 90 * g)))
    image = Image.alpha_composite(image, glow.filter(ImageFilter.GaussianBlur(SUPER * 1.2)))
    core = c * 0.22
    ImageDraw.Draw(image).ellipse([c - core, c - core, c + core, c + core], fill=(255, 255, 255, 235))
    return finish(image, size)


def strip(frames):
    width, height = frames[0].size
    out = Image.new("RGBA", (width * len(frames), height), (0, 0, 0, 0))
    for i, frame in enumerate(frames):
        out.paste(frame, (i * width, 0))
    return out


def click_wav(path, frequency, milliseconds=45):
    rate = 22050
    count = rate * milliseconds // 1000
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(rate)
        samples = []
        for i in range(count):
            envelope = math.exp(-6.0 * i / count)
            samples.append(int(12000 * envelope * math.sin(2 * math.pi * frequency * i / rate)))
        out.writeframes(struct.pack("<%dh" % count, *samples))


def write_theme(out_dir, folder, texts, statements, images, sounds=()):
    theme_dir = os.path.join(out_dir, folder)
    os.makedirs(theme_dir, exist_ok=True)
    for name, image in images.items():
        image.save(os.path.join(theme_dir, name))
    for name, frequency in sounds:
        click_wav(os.path.join(theme_dir, name), frequency)
    with open(os.path.join(theme_dir, "manifest.txt"), "w", encoding="utf-8") as manifest:
        for key, value in texts.items():
            manifest.write('%s "%s"\n' % (key, value))
        for statement in statements:
            manifest.write(statement + "\n")


def cursor_set(fill, outline, accent):
    """Images and cursor statements for the roles a demo theme draws."""
    glow = [arrow(fill, outline, glow=g) for g in (0.0, 0.35, 0.7, 1.0, 0.7, 0.35)]
    images = {
        "arrow.png": strip(glow),
        "arrow@1.5.png": strip([arrow(fill, outline, glow=g, scale=1.5, size=48) for g in (0.0, 0.35, 0.7, 1.0, 0.7, 0.35)]),
        "arrow_down.png": arrow(accent, outline),
        "busy.png": strip([spinner(accent[:3], i * math.pi / 4) for i in range(8)]),
        "working.png": strip([Image.alpha_composite(arrow(fill, outline), spinner(accent[:3], i * math.pi / 4).resize((32, 32)))
                              for i in range(8)]),
        "text.png": ibeam(outline),
        "cross.png": cross(outline),
        "size_ns.png": double_arrow(fill, 90),
        "size_we.png": double_arrow(fill, 0),
        "size_nwse.png": double_arrow(fill, -45),
        "size_nesw.png": double_arrow(fill, 45),
    }
    statements = [
        "cursor role=0 event=1 image=arrow.png frames=6 interval=90 hotspot=2,2",
        "cursor role=0 event=1 scale=1.5 image=arrow@1.5.png frames=6 interval=90 hotspot=3,3",
        "cursor role=0 event=2 image=arrow_down.png hotspot=2,2",
        "cursor role=2 event=1 image=working.png frames=8 interval=80 hotspot=2,2",
        "cursor role=3 event=1 image=busy.png frames=8 interval=80 hotspot=16,16",
        "cursor role=4 event=1 image=cross.png hotspot=16,16",
        "cursor role=5 event=1 image=text.png hotspot=16,16",
        "cursor role=8 event=1 image=size_ns.png hotspot=16,16",
        "cursor role=10 event=1 image=size_we.png hotspot=16,16",
        "cursor role=12 event=1 image=size_nwse.png hotspot=16,16",
        "cursor role=14 event=1 image=size_nesw.png hotspot=16,16",
        "cursor role=18 event=1 image=arrow.png frames=6 interval=90 hotspot=2,2 script=\"1-6,60;6-1,60\"",
    ]
    return images, statements


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    out_dir = sys.argv[1]

    images, statements = cursor_set((74, 144, 226, 255), (24, 48, 96, 255), (120, 190, 255, 255))
    write_theme(out_dir, "Aurora", {"name": "Aurora", "author": "Morvanta demo", "version": "1.0",
                                    "description": "Calm blue pointers with a soft pulse."}, statements, images)

    images, statements = cursor_set((244, 140, 52, 255), (90, 40, 10, 255), (255, 200, 120, 255))
    images["ripple.png"] = strip([ripple((244, 140, 52), t / 9) for t in range(10)])
    statements += ["effect key=0 image=ripple.png frames=10 interval=30 hotspot=24,24",
                   "sound key=0 file=down.wav", "sound key=1 file=up.wav"]
    write_theme(out_dir, "Ember", {"name": "Ember", "author": "Morvanta demo", "version": "1.0",
                                   "description": "Warm pointers with a click ripple and click sounds."},
                statements, images, sounds=[("down.wav", 880), ("up.wav", 660)])

    images = {"dot.png": strip([dot((120, 120, 140), t / 7) for t in range(8)]),
              "ripple.png": strip([ripple((90, 160, 90), t / 9) for t in range(10)])}
    statements = ["trail key=0 rate=25 image=dot.png frames=8 interval=60 hotspot=6,6",
                  "effect key=6 image=ripple.png frames=10 interval=30 hotspot=24,24"]
    write_theme(out_dir, "Dotted Trail", {"name": "Dotted Trail", "author": "Morvanta demo"}, statements, images)

    # Click effects alone: an effect file for the effects panel.
    images = {"burst.png": strip([sparkle((60, 120, 230), t / 9) for t in range(10)]),
              "burst_warm.png": strip([sparkle((230, 120, 40), t / 9) for t in range(10)]),
              "ring.png": strip([ripple((150, 90, 200), t / 9) for t in range(10)])}
    statements = ["effect key=0 image=burst.png frames=10 interval=30 hotspot=24,24",
                  "effect key=1 image=ring.png frames=10 interval=30 hotspot=24,24",
                  "effect key=6 image=burst_warm.png frames=10 interval=30 hotspot=24,24"]
    write_theme(out_dir, "Sparkle Clicks", {"name": "Sparkle Clicks", "author": "Morvanta demo"}, statements, images)

    # A trail whose frame script plays for as long as it is shown: its elements never end by themselves.
    images = {"comet.png": strip([comet((255, 170, 60), i / 6) for i in range(6)])}
    statements = ['trail key=0 rate=30 image=comet.png frames=6 interval=70 hotspot=10,10 script="1-6,70"']
    write_theme(out_dir, "Glow Trail", {"name": "Glow Trail", "author": "Morvanta demo",
                                        "description": "A breathing glow that stays where it was dropped."},
                statements, images)


if __name__ == "__main__":
    main()
