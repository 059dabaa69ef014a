#!/usr/bin/python3
"""Draws the artwork contact sheet, docs/artwork-sheet.png.

The sheet has two parts: mock-ups of three panels composed from the rendered artwork at their
design sizes (with sample texts in the colours the window uses), and every image of
resources/artwork.rc grouped as resources/artwork_ids.h groups them, with its id, name and size,
followed by the program icon. Run by tools/render_artwork.sh after rendering; needs Pillow and
the Noto Sans face (Debian: python3-pil, fonts-noto-core) and rsvg-convert for the sample
pointers.
"""

import os
import re
import subprocess
import sys
import tempfile

from PIL import Image, ImageDraw, ImageFont

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
RESOURCES = os.path.join(ROOT, "resources")
OUTPUT = os.path.join(ROOT, "docs", "artwork-sheet.png")
FONT_DIR = "/usr/share/fonts/truetype/noto"

INK = (0x32, 0x32, 0x32)
SOFT_INK = (0x66, 0x66, 0x66)
LINK = (0x00, 0x00, 0xFF)
LIST_GREY = (0xE6, 0xE6, 0xE6)
SIDEBAR_GREY = (0xF3, 0xF5, 0xF8)
SHEET_BACK = (0xEC, 0xEF, 0xF3)


def font(points, bold=False):
    """Noto Sans at a point size as the window sees it (96 dpi)."""
    name = "NotoSans-Bold.ttf" if bold else "NotoSans-Regular.ttf"
    return ImageFont.truetype(os.path.join(FONT_DIR, name), round(points * 96 / 72))


def read_catalog():
    """Returns [(group title, [(id, name, png path)])] from the id header and the resource script."""
    files = {}
    with open(os.path.join(RESOURCES, "artwork.rc"), encoding="utf-8") as rc:
        for line in rc:
            match = re.match(r'\s*(IDP_\w+)\s+PNG\s+"([^"]+)"', line)
            if match:
                files[match.group(1)] = os.path.join(ROOT, match.group(2))
    groups = []
    starts_group = True
    with open(os.path.join(RESOURCES, "artwork_ids.h"), encoding="utf-8") as header:
        for line in header:
            line = line.strip()
            if not line:
                starts_group = True
                continue
            if line.startswith("//"):
                if starts_group:
                    title = re.split(r"[,:]", line[2:].strip())[0]
                    groups.append((title, []))
                    starts_group = False
                continue
            match = re.match(r"#define\s+(IDP_\w+)\s+(\d+)", line)
            if match and groups:
                name = match.group(1)
                groups[-1][1].append((int(match.group(2)), name, files[name]))
    return [group for group in groups if group[1]]


def load(path):
    return Image.open(path).convert("RGBA")


def stretch(image, width, height, left, right, top, bottom):
    """Nine-slice resize: the margins keep their size, the middle parts are scaled."""
    out = Image.new("RGBA", (width, height), (0, 0, 0, 0))
    sw, sh = image.size
    xs = [(0, left, 0, left), (left, sw - right, left, width - right), (sw - right, sw, width - right, width)]
    ys = [(0, top, 0, top), (top, sh - bottom, top, height - bottom), (sh - bottom, sh, height - bottom, height)]
    for sx0, sx1, dx0, dx1 in xs:
        for sy0, sy1, dy0, dy1 in ys:
            if sx1 <= sx0 or sy1 <= sy0 or dx1 <= dx0 or dy1 <= dy0:
                continue
            part = image.crop((sx0, sy0, sx1, sy1)).resize((dx1 - dx0, dy1 - dy0), Image.LANCZOS)
            out.alpha_composite(part, (dx0, dy0))
    return out


class Art:
    """The rendered artwork by id name, plus sample pointers rendered for the mock-ups."""

    def __init__(self, catalog, pointers, pointers_large):
        self.images = {name: load(path) for _, entries in catalog for _, name, path in entries}
        self.pointers = pointers
        self.pointers_large = pointers_large

    def __getitem__(self, name):
        return self.images["IDP_" + name]


POINTER_SVG = """<svg xmlns="http://www.w3.org/2000/svg" width="{w}" height="{h}" viewBox="-3 -3 {vw} {vh}">
<path d="M0 0 V26 L6.2 20.1 L10.5 29.3 L14.8 27.3 L10.5 18.2 H19 Z" fill="{fill}" stroke="{stroke}"
 stroke-width="{sw}" stroke-linejoin="round" transform="scale({scale})"/></svg>"""

POINTER_STYLES = [
    ("#FFFFFF", "#1D232C"),
    ("#1D232C", "#FFFFFF"),
    ("#5B9BEA", "#1F56B3"),
    ("#F2B45A", "#9A5515"),
    ("#7CCFA6", "#237A52"),
    ("#E58A9A", "#9B3348"),
]


def render_pointers(workdir, scale):
    """Sample pointers in a few styles, standing in for the cursors of installed themes."""
    pointers = []
    width, height = round(26 * scale), round(36 * scale)
    for index, (fill, stroke) in enumerate(POINTER_STYLES):
        svg = os.path.join(workdir, "pointer%d_%s.svg" % (index, scale))
        png = svg[:-4] + ".png"
        with open(svg, "w", encoding="utf-8") as out:
            out.write(POINTER_SVG.format(w=width, h=height, vw=26, vh=36, fill=fill, stroke=stroke,
                                         sw=1.6, scale=1))
        subprocess.run(["rsvg-convert", "-w", str(width), "-h", str(height), svg, "-o", png], check=True)
        pointers.append(load(png))
    return pointers


def text(draw, xy, value, face, colour, anchor="la"):
    draw.text(xy, value, font=face, fill=colour, anchor=anchor)


def text_width(face, value):
    return int(face.getlength(value))


def window_frame(art, selected_tab, hovered_tab):
    """Sidebar with the seven tabs; returns the window image and its drawing context."""
    window = Image.new("RGBA", (800, 600), (255, 255, 255, 255))
    window.alpha_composite(art["SIDEBAR"], (0, 0))
    tabs = [("Themes", "ICON_THEMES"), ("Effects", "ICON_EFFECTS"), ("Trails", "ICON_TRAILS"),
            ("Sounds", "ICON_SOUNDS"), ("More themes", "ICON_MORE_THEMES"), ("Options", "ICON_OPTIONS"),
            ("About", "ICON_ABOUT")]
    draw = ImageDraw.Draw(window)
    label_face = font(14)
    for index, (label, icon) in enumerate(tabs):
        y = 10 + 48 * index
        if index == selected_tab:
            window.alpha_composite(art["TAB_SELECTED"], (0, y))
        elif index == hovered_tab:
            window.alpha_composite(art["TAB_OVER"], (0, y))
        window.alpha_composite(art[icon], (8, y + 16))
        text(draw, (36, y + 24), label, label_face, INK, "lm")
    window.alpha_composite(art["PANEL"], (249, 0))
    return window, draw


def push_button(window, draw, art, x, y, caption, state="", style="BUTTON"):
    window.alpha_composite(art[style + state], (x, y))
    glyph = {"BUTTON_ACCENT": "BUTTON_ACCENT_GLYPH", "BUTTON_ICON": "BUTTON_ICON_GLYPH"}.get(style)
    if glyph:
        window.alpha_composite(art[glyph], (x, y))
    text(draw, (x + 50 + (6 if glyph else 0), y + 13), caption, font(9), INK, "mm")


def scroll_bar(window, art, x, y, height, thumb_y):
    window.alpha_composite(stretch(art["SCROLL_TRACK"], 17, height, 0, 0, 6, 6), (x, y))
    window.alpha_composite(art["SCROLL_UP"], (x, y))
    window.alpha_composite(art["SCROLL_DOWN"], (x, y + height - 17))
    window.alpha_composite(art["SCROLL_THUMB"], (x, y + thumb_y))


def grey_box(draw, x, y, width, height):
    draw.rectangle((x, y, x + width - 1, y + height - 1), fill=LIST_GREY, outline=(255, 255, 255))


def themes_mockup(art):
    window, draw = window_frame(art, selected_tab=0, hovered_tab=2)
    px = 249
    text(draw, (px + 16, 16), "Themes", font(27), INK)
    text(draw, (px + 16, 66), "Choose the look of your mouse pointers.", font(11), SOFT_INK)
    line_face = font(11)
    text(draw, (px + 16, 94), "In use:", line_face, INK)
    text(draw, (px + 16 + text_width(line_face, "In use:") + 5, 94), "Blue Glass", line_face, SOFT_INK)
    # In-use box with the theme's pointers.
    grey_box(draw, px + 16, 122, 500, 50)
    for index in range(6):
        pointer = art.pointers[2]
        window.alpha_composite(pointer, (px + 16 + 8 + index * 34, 122 + 7))
    # List viewport: six rows of 50.
    list_x, list_y = px + 16, 184
    grey_box(draw, list_x, list_y, 500, 302)
    names = ["System pointers", "Blue Glass", "Graphite", "Night", "Amber", "Meadow"]
    content_x, content_y = list_x + 1, list_y + 1
    window.alpha_composite(stretch(art["LIST_SELECTED"], 498, 50, 6, 6, 6, 6), (content_x, content_y + 50))
    window.alpha_composite(stretch(art["LIST_HOVER"], 498, 50, 6, 6, 6, 6), (content_x, content_y + 150))
    actions = [("THEME_DETAILS", 360, 5), ("THEME_EDIT", 380, 5), ("THEME_PROPERTIES", 415, 8),
               ("THEME_WEB", 431, 8), ("THEME_DELETE", 447, 8)]
    for name, ax, ay in actions:
        window.alpha_composite(art[name], (content_x + ax, content_y + 50 + ay))
    styles = [None, 2, 0, 1, 3, 4]
    for row, name in enumerate(names):
        y = content_y + 50 * row
        if styles[row] is not None:
            pointer = art.pointers[styles[row]]
            window.alpha_composite(pointer, (content_x + 30 - pointer.width // 2, y + 25 - pointer.height // 2))
        text(draw, (content_x + 60, y + 25), name, font(11), INK, "lm")
    scroll_bar(window, art, list_x + 500, list_y, 302, 17)
    push_button(window, draw, art, px + 551 - 16 - 100, 600 - 16 - 27, "New theme", "_OVER")
    push_button(window, draw, art, px + 551 - 16 - 210, 600 - 16 - 27, "Apply")
    return window


def slider(window, draw, art, x, y, length, fraction, caption, track="SLIDER_TRACK", over=False):
    window.alpha_composite(stretch(art[track], length, 5, 10, 10, 0, 0), (x, y))
    knob_x = x + int((length - 10) * fraction)
    window.alpha_composite(art["SLIDER_KNOB_OVER" if over else "SLIDER_KNOB"], (knob_x, y - 8))
    face = font(9)
    text(draw, (x + length // 2, y - 28), caption, face, INK, "ma")


def options_mockup(art):
    window, draw = window_frame(art, selected_tab=5, hovered_tab=4)
    px = 249
    text(draw, (px + 16, 16), "Options", font(27), INK)
    heads = ["Appearance", "Shadow", "Other"]
    for index, head in enumerate(heads):
        x = px + 16 + 150 * index
        window.alpha_composite(art["PAGE_TAB_SELECTED" if index == 0 else "PAGE_TAB"], (x, 72))
        colour = (0x2B, 0x6C, 0xD4) if index == 0 else SOFT_INK
        text(draw, (x + 75, 90), head, font(11), colour, "mm")
    # A hairline under the heads runs on to the panel's right margin.
    draw.rectangle((px + 16 + 450, 107, px + 551 - 16, 107), fill=(0xDD, 0xE2, 0xE9))
    sliders = [("Hue", "SLIDER_TRACK_HUE", 0.0), ("Brightness", "SLIDER_TRACK_BRIGHTNESS", 0.5),
               ("Contrast", "SLIDER_TRACK_CONTRAST", 0.62), ("Transparency", "SLIDER_TRACK", 1.0),
               ("Size", "SLIDER_TRACK", 0.2)]
    for index, (caption, track, fraction) in enumerate(sliders):
        slider(window, draw, art, px + 32, 160 + 58 * index, 240, fraction, caption, track, over=index == 2)
    box_x, box_y = px + 316, 136
    draw.rectangle((box_x, box_y, box_x + 200, box_y + 250), fill=(0xF3, 0xF5, 0xF8), outline=(0xDD, 0xE2, 0xE9))
    big = art.pointers_large[2]
    window.alpha_composite(big, (box_x + 100 - big.width // 2, box_y + 125 - big.height // 2))
    window.alpha_composite(art["CHECKBOX"], (px + 32, 462))
    text(draw, (px + 60, 471), "Mirror pointers", font(11), INK, "lm")
    window.alpha_composite(art["CHECKBOX_CHECKED"], (px + 32, 494))
    text(draw, (px + 60, 503), "Glass window frame", font(11), INK, "lm")
    push_button(window, draw, art, px + 551 - 16 - 100, 600 - 16 - 27, "Apply", "", "BUTTON_ACCENT")
    push_button(window, draw, art, px + 551 - 16 - 210, 600 - 16 - 27, "Reset", "_DOWN")
    return window


def sounds_mockup(art):
    window, draw = window_frame(art, selected_tab=3, hovered_tab=None)
    px = 249
    text(draw, (px + 16, 16), "Sounds", font(27), INK)
    text(draw, (px + 16, 66), "Give each mouse event a sound.", font(11), SOFT_INK)
    events = ["Left button down", "Left button up", "Right button down", "Right button up",
              "Middle button down", "Middle button up", "Wheel up", "Wheel down"]
    list_x, list_y = px + 16, 104
    grey_box(draw, list_x, list_y, 240, 362)
    window.alpha_composite(stretch(art["LIST_SELECTED"], 238, 45, 6, 6, 6, 6), (list_x + 1, list_y + 1 + 45))
    window.alpha_composite(stretch(art["LIST_HOVER"], 238, 45, 6, 6, 6, 6), (list_x + 1, list_y + 1 + 45 * 4))
    for row, event in enumerate(events):
        y = list_y + 1 + 45 * row
        text(draw, (list_x + 12, y + 22), event, font(10), INK, "lm")
        slot_x = list_x + 1 + 238 - 45
        draw.rectangle((slot_x, y, slot_x + 44, y + 44), fill=LIST_GREY, outline=(255, 255, 255))
        window.alpha_composite(art["SOUND_SLOT" if row in (0, 1, 4) else "SOUND_SLOT_BLANK"], (slot_x, y))
    files_x = list_x + 256
    grey_box(draw, files_x, list_y, 228, 362)
    files = ["(none)", "click.wav", "soft tap.wav", "pop.wav", "wood.wav", "glass.wav", "bubble.wav", "tick.wav"]
    window.alpha_composite(stretch(art["LIST_SELECTED"], 226, 45, 6, 6, 6, 6), (files_x + 1, list_y + 1 + 45 * 2))
    for row, name in enumerate(files):
        text(draw, (files_x + 12, list_y + 1 + 45 * row + 22), name, font(10), INK, "lm")
    scroll_bar(window, art, files_x + 228, list_y, 362, 120)
    push_button(window, draw, art, px + 551 - 16 - 100, 600 - 16 - 27, "Apply", "_OVER", "BUTTON_ACCENT")
    # The details panel's back link, for the link colour next to the arrow.
    window.alpha_composite(art["BACK_ARROW"], (px + 16, 494))
    text(draw, (px + 38, 502), "Back to the themes", font(10), LINK, "lm")
    return window


def backdrop_for(name):
    if name.startswith(("IDP_ICON_", "IDP_TAB_")):
        return SIDEBAR_GREY
    if name.startswith(("IDP_LIST_", "IDP_SOUND_")):
        return LIST_GREY
    return (255, 255, 255)


def tile(image, name, ident, scale=1.0):
    """One image on its backdrop, with its id, name and size below."""
    label_face, size_face = font(9, bold=True), font(8)
    shown = image if scale == 1.0 else image.resize((int(image.width * scale), int(image.height * scale)),
                                                    Image.LANCZOS)
    pad = 8
    label = "%d  %s" % (ident, name[4:].lower())
    size = "%d × %d" % image.size + ("  (shown at 1/%d)" % round(1 / scale) if scale != 1.0 else "")
    width = max(shown.width + 2 * pad, text_width(label_face, label) + 8, text_width(size_face, size) + 8, 64)
    height = shown.height + 2 * pad + 40
    out = Image.new("RGBA", (width, height), SHEET_BACK + (255,))
    draw = ImageDraw.Draw(out)
    box = ((width - shown.width) // 2 - pad, 0, (width + shown.width) // 2 + pad - 1, shown.height + 2 * pad - 1)
    draw.rounded_rectangle(box, 4, fill=backdrop_for(name), outline=(0xD5, 0xDA, 0xE1))
    out.alpha_composite(shown, ((width - shown.width) // 2, pad))
    text(draw, (width // 2, shown.height + 2 * pad + 6), label, label_face, INK, "ma")
    text(draw, (width // 2, shown.height + 2 * pad + 23), size, size_face, SOFT_INK, "ma")
    return out


def flow(tiles, width, gap=14):
    """Lays tiles out in rows no wider than width; returns the block image."""
    rows, row, row_width = [], [], 0
    for item in tiles:
        if row and row_width + gap + item.width > width:
            rows.append(row)
            row, row_width = [], 0
        row_width += (gap if row else 0) + item.width
        row.append(item)
    if row:
        rows.append(row)
    height = sum(max(t.height for t in r) for r in rows) + gap * (len(rows) - 1)
    block = Image.new("RGBA", (width, height), SHEET_BACK + (255,))
    y = 0
    for r in rows:
        x = 0
        for item in r:
            block.alpha_composite(item, (x, y))
            x += item.width + gap
        y += max(t.height for t in r) + gap
    return block


def main():
    catalog = read_catalog()
    with tempfile.TemporaryDirectory() as workdir:
        art = Art(catalog, render_pointers(workdir, 1), render_pointers(workdir, 3))
    margin, gap = 40, 28
    mockups = [themes_mockup(art), options_mockup(art), sounds_mockup(art)]
    sheet_width = margin * 2 + 800 * 3 + gap * 2
    sections = []
    for title, entries in catalog:
        tiles = []
        for ident, name, _ in entries:
            image = art.images[name]
            scale = 0.5 if image.height > 300 else 1.0
            tiles.append(tile(image, name, ident, scale))
        sections.append((title, tiles))
    icon_images = [load(os.path.join(RESOURCES, "icon", "morvanta-%d.png" % s)) for s in (16, 32, 48, 256)]
    sections.append(("Program icon (icon resource)", [tile(image, "IDI_MORVANTA", 156) for image in icon_images]))

    # Sections flow in three columns under the mock-ups.
    column_width = 800
    columns = [[] for _ in range(3)]
    heights = [0, 0, 0]
    title_face = font(13, bold=True)
    for title, tiles in sections:
        block = flow(tiles, column_width)
        target = heights.index(min(heights))
        columns[target].append((title, block))
        heights[target] += 36 + block.height + gap
    body_height = max(heights)
    header_height = 110
    sheet = Image.new("RGBA", (sheet_width, header_height + 600 + 60 + body_height + margin), SHEET_BACK + (255,))
    draw = ImageDraw.Draw(sheet)
    text(draw, (margin, 34), "Morvanta settings window — artwork", font(20, bold=True), INK)
    text(draw, (margin, 72), "Mock-ups composed from the artwork at 96 dpi with sample texts (not screenshots); "
         "below, every PNG resource with its id and design size, on the colour it is drawn over.", font(10), SOFT_INK)
    for index, mockup in enumerate(mockups):
        x = margin + index * (800 + gap)
        draw.rectangle((x - 1, header_height - 1, x + 800, header_height + 600), outline=(0xB8, 0xBF, 0xC9))
        sheet.alpha_composite(mockup, (x, header_height))
    top = header_height + 600 + 60
    for index, column in enumerate(columns):
        x, y = margin + index * (column_width + gap), top
        for title, block in column:
            text(draw, (x, y), title, title_face, INK)
            sheet.alpha_composite(block, (x, y + 36))
            y += 36 + block.height + gap
    os.makedirs(os.path.dirname(OUTPUT), exist_ok=True)
    sheet.convert("RGB").save(OUTPUT, optimize=True)
    print("wrote %s (%d x %d)" % (os.path.relpath(OUTPUT, ROOT), sheet.width, sheet.height))


if __name__ == "__main__":
    sys.exit(main())
