"""End-to-end tests of morvanta-theme: pack, dump, unpack, convert and preview on real files.

Run by ctest with MORVANTA_THEME_TOOL naming the program; needs Pillow and numpy (Debian's python3).
"""
import hashlib
import io
import json
import os
import struct
import subprocess
import tempfile
import unittest
import wave
import zlib

import numpy as np
from PIL import Image

TOOL = os.environ.get("MORVANTA_THEME_TOOL", "morvanta-theme")


def run(*args):
    return subprocess.run([TOOL, *map(str, args)], capture_output=True, text=True)


def strip_pixels(frames, width, height, seed):
    """RGBA pixels (top row first) with a pattern per frame, transparent pixels included."""
    rng = np.random.default_rng(seed)
    pixels = rng.integers(0, 256, size=(height, frames * width, 4), dtype=np.uint8)
    pixels[0, :, 3] = 0  # a transparent row whose colour bytes are not zero
    pixels[1, :, 3] = 255
    return pixels


def save_png(path, pixels):
    Image.fromarray(pixels, "RGBA").save(path)


def stored_sha(pixels):
    """SHA-256 of the pixels as a theme stores them: BGRA, bottom row first."""
    bgra = pixels[::-1, :, [2, 1, 0, 3]]
    return hashlib.sha256(np.ascontiguousarray(bgra).tobytes()).hexdigest()


def wav_bytes(samples):
    buffer = io.BytesIO()
    with wave.open(buffer, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(1)
        w.setframerate(8000)
        w.writeframes(bytes(samples))
    return buffer.getvalue()


def theme_file(version, block, texts=(), compress=False, premultiplied=0, option_lock=0):
    """A theme file: the 184-byte header, then the block (texts first, records after them)."""
    text_bytes = b""
    slots = []
    for text in texts:
        if text is None:
            slots += [0, 0]
            continue
        data = text.encode("utf-16-le") + b"\0\0"
        slots += [len(text_bytes), len(data)]
        text_bytes += data
    slots += [0, 0] * (6 - len(slots) // 2)
    data = text_bytes + block
    stored = zlib.compress(data) if compress else data
    header = struct.pack("<4I", 1, 184, len(data), version) + b"\0" * 88
    header += struct.pack("<6I", 0, option_lock, 0, 1, len(stored) if compress else 0, 0)
    header += struct.pack("<I", premultiplied) + struct.pack("<12I", *slots) + struct.pack("<I", len(text_bytes))
    assert len(header) == 184
    return header + stored


def cursor_record(role, event, frames, pixels_bgra, width, height, flags, hot=(0, 0), scale=None):
    fixed = 80 if scale is None else 88
    record = struct.pack("<4I", 2, fixed, fixed + len(pixels_bgra), 3)
    record += struct.pack("<9I", role, event, 1, frames, width, height, 100, flags, 0)
    record += struct.pack("<2i", *hot)
    record += struct.pack("<5I", fixed, len(pixels_bgra), fixed, 0, 0)
    if scale is not None:
        record += struct.pack("<d", scale)
    return record + pixels_bgra


class ToolTestCase(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory()
        self.dir = self.tmp.name

    def tearDown(self):
        self.tmp.cleanup()

    def path(self, *names):
        return os.path.join(self.dir, *names)

    def ok(self, *args):
        result = run(*args)
        self.assertEqual(result.returncode, 0, result.stderr)
        return result

    def dump(self, theme):
        return json.loads(self.ok("dump", theme).stdout)

    def pack_arrow(self, pixels, frames=1, extra=""):
        """Packs a theme whose arrow cursor is the given strip; returns the theme path."""
        save_png(self.path("arrow.png"), pixels)
        with open(self.path("arrow.txt"), "w") as f:
            f.write(f"name Arrow\ncursor role=0 event=1 frames={frames} image=arrow.png {extra}\n")
        self.ok("pack", self.path("arrow.txt"), self.path("arrow.morvanta"))
        return self.path("arrow.morvanta")


class PackDumpUnpack(ToolTestCase):
    def write_sources(self):
        self.arrow = strip_pixels(4, 8, 6, 1)
        self.arrow_big = strip_pixels(4, 12, 9, 2)
        self.effect = strip_pixels(3, 5, 5, 3)
        self.trail = strip_pixels(1, 4, 4, 4)
        self.sound = wav_bytes(range(0, 200, 3))
        save_png(self.path("arrow.png"), self.arrow)
        save_png(self.path("arrow15.png"), self.arrow_big)
        save_png(self.path("ripple.png"), self.effect)
        save_png(self.path("dot.png"), self.trail)
        with open(self.path("click.wav"), "wb") as f:
            f.write(self.sound)
        manifest = "\n".join([
            "# demo",
            'name "Blue Gl\u00e4ss \\"2\\""',
            'author ""',
            'description "Two lines\\r\\nof text \\u00e9"',
            "option-lock 1",
            "premultiplied 0",
            'cursor role=0 event=1 scale=1.5 frames=4 interval=80 hotspot=7,-2 image=arrow15.png',
            'cursor role=0 event=1 frames=4 interval=40 loop=0 reverse=1 style=1 hotspot=3,2 image="arrow.png"'
            ' script="1-4,40;repeat 2\\n2;end repeat"',
            "effect key=0 frames=3 interval=30 loop=1 hotspot=2,2 image=ripple.png",
            "trail key=1 rate=0 image=dot.png",
            "sound key=3 file=click.wav",
            "",
        ])
        with open(self.path("manifest.txt"), "w", encoding="utf-8") as f:
            f.write(manifest)

    def test_round_trip_gives_the_same_bytes_and_dump_shows_the_theme(self):
        self.write_sources()
        first = self.path("first.morvanta")
        self.ok("pack", self.path("manifest.txt"), first)
        info = self.dump(first)

        self.assertEqual(info["version"], 2003)
        self.assertEqual(info["optionLock"], 1)
        self.assertFalse(info["premultiplied"])
        self.assertEqual(info["contentFlags"], 15)
        self.assertEqual(info["texts"], {
            "name": 'Blue Gl\u00e4ss "2"', "author": "", "version": None, "website": None, "email": None,
            "description": "Two lines\r\nof text \u00e9"})
        cursors = info["cursors"]
        self.assertEqual([c["scale"] for c in cursors], [1.0, 1.5])  # written by ascending scale
        small = cursors[0]
        self.assertEqual((small["role"], small["event"], small["frames"], small["width"], small["height"]),
                         (0, 1, 4, 32, 6))
        self.assertEqual((small["interval"], small["style"], small["reverse"], small["loop"]), (40, True, True, False))
        self.assertEqual((small["hotspotX"], small["hotspotY"], small["standard"]), (3, 2, False))
        self.assertEqual(small["script"], "1-4,40;repeat 2\n2;end repeat")
        self.assertEqual(small["pixelsSha256"], stored_sha(self.arrow))
        self.assertEqual(cursors[1]["pixelsSha256"], stored_sha(self.arrow_big))
        self.assertIsNone(cursors[1]["script"])
        self.assertEqual(cursors[1]["hotspotY"], -2)
        effect, = info["effects"]
        self.assertEqual((effect["key"], effect["frames"], effect["loop"]), (0, 3, True))
        self.assertEqual(effect["pixelsSha256"], stored_sha(self.effect))
        self.assertNotIn("role", effect)
        trail, = info["trails"]
        self.assertEqual((trail["key"], trail["rate"]), (1, 20))
        sound, = info["sounds"]
        self.assertEqual(sound, {"key": 3, "size": len(self.sound), "sha256": hashlib.sha256(self.sound).hexdigest()})

        self.ok("unpack", first, self.path("out"))
        second = self.path("second.morvanta")
        self.ok("pack", self.path("out", "manifest.txt"), second)
        with open(first, "rb") as a, open(second, "rb") as b:
            self.assertEqual(a.read(), b.read())

    def test_premultiplied_images_keep_their_bytes_and_flag_through_a_round_trip(self):
        pixels = strip_pixels(2, 4, 4, 9)
        save_png(self.path("p.png"), pixels)
        with open(self.path("m.txt"), "w") as f:
            f.write("premultiplied 1\ncursor role=1 frames=2 image=p.png\n")
        self.ok("pack", self.path("m.txt"), self.path("a.morvanta"))
        info = self.dump(self.path("a.morvanta"))
        self.assertEqual(info["texts"]["name"], "a", "a theme without a name is stored with its file name")
        self.assertTrue(info["premultiplied"])
        self.assertEqual(info["cursors"][0]["pixelsSha256"], stored_sha(pixels))
        self.ok("unpack", self.path("a.morvanta"), self.path("u"))
        self.ok("pack", self.path("u", "manifest.txt"), self.path("b.morvanta"))
        with open(self.path("a.morvanta"), "rb") as a, open(self.path("b.morvanta"), "rb") as b:
            self.assertEqual(a.read(), b.read())

    def test_convert_premultiplies_straight_colours_on_request(self):
        pixels = np.array([[[200, 100, 50, 128], [10, 20, 30, 255]]], dtype=np.uint8)
        save_png(self.path("c.png"), pixels)
        with open(self.path("m.txt"), "w") as f:
            f.write("premultiplied convert\ncursor role=0 image=c.png\n")
        self.ok("pack", self.path("m.txt"), self.path("c.morvanta"))
        expected = pixels.copy()
        expected[..., :3] = (pixels[..., :3].astype(int) * pixels[..., 3:4] // 255).astype(np.uint8)
        info = self.dump(self.path("c.morvanta"))
        self.assertTrue(info["premultiplied"])
        self.assertEqual(info["cursors"][0]["pixelsSha256"], stored_sha(expected))


class ManifestErrors(ToolTestCase):
    def pack_text(self, text):
        with open(self.path("m.txt"), "w") as f:
            f.write(text)
        return run("pack", self.path("m.txt"), self.path("t.morvanta"))

    def test_errors_name_their_line_and_write_nothing(self):
        save_png(self.path("a.png"), strip_pixels(1, 2, 2, 0))
        cases = {
            "name x\nbogus 1\n": "line 2",
            "cursor image=a.png\n": "role",
            "cursor role=0 image=a.png colour=3\n": "unknown field",
            "cursor role=0 image=missing.png\n": "missing.png",
            'name "open\n': "not closed",
            "effect key=9 image=a.png\n": "key",
            "effect key=1 image=a.png\neffect key=1 image=a.png\n": "twice",
            "cursor role=0 scale=0 image=a.png\n": "scale",
            "sound key=0 file=none.wav\n": "none.wav",
        }
        for text, needle in cases.items():
            with self.subTest(text=text):
                result = self.pack_text(text)
                self.assertEqual(result.returncode, 1)
                self.assertIn(needle, result.stderr)
                self.assertEqual(len(result.stderr.strip().splitlines()), 1)
                self.assertFalse(os.path.exists(self.path("t.morvanta")))

    def test_a_failed_pack_leaves_an_existing_theme_alone(self):
        with open(self.path("t.morvanta"), "wb") as f:
            f.write(b"old")
        self.assertEqual(self.pack_text("cursor role=0 image=missing.png\n").returncode, 1)
        with open(self.path("t.morvanta"), "rb") as f:
            self.assertEqual(f.read(), b"old")


class DumpAndConvert(ToolTestCase):
    def test_unreadable_files_give_one_line_with_a_reason_and_exit_1(self):
        with open(self.path("bad.morvanta"), "wb") as f:
            f.write(b"\0" * 100)
        names = ["bad.morvanta", "missing.morvanta"]
        # Image records holding fewer or more pixel bytes than width x height x 4, stored and packed.
        for count in (4 * 4 * 4 - 4, 4 * 4 * 4 + 4):
            for compress in (False, True):
                name = "pixels-%d-%s.morvanta" % (count, "z" if compress else "u")
                record = cursor_record(0, 1, 1, bytes(count), 4, 4, 0, scale=1.0)
                with open(self.path(name), "wb") as f:
                    f.write(theme_file(2003, record, compress=compress))
                names.append(name)
        for name in names:
            result = run("dump", self.path(name))
            self.assertEqual(result.returncode, 1, name)
            self.assertEqual(result.stdout, "")
            lines = result.stderr.strip().splitlines()
            self.assertEqual(len(lines), 1, name)
            reason = lines[0].partition(self.path(name) + ": ")[2]
            self.assertTrue(reason.strip(), "no reason for %s: %r" % (name, lines[0]))
            if name.startswith("pixels-"):
                self.assertIn("image size does not match", reason)

    def test_usage_errors_exit_2(self):
        self.assertEqual(run().returncode, 2)
        self.assertEqual(run("dump").returncode, 2)
        self.assertEqual(run("frobnicate", "x").returncode, 2)
        self.assertEqual(run("preview", "a", "b.png", "--shadow", "1,2,3").returncode, 2)
        self.assertEqual(run("preview", "a", "b.png", "--shadow", "1,2,3,4", "--no-shadow").returncode, 2)

    def test_convert_writes_an_old_compressed_file_as_uncompressed_2003(self):
        pixels = strip_pixels(2, 3, 3, 5)
        bgra = np.ascontiguousarray(pixels[::-1, :, [2, 1, 0, 3]]).tobytes()
        block = cursor_record(0, 1, 2, bgra, 6, 3, flags=0, hot=(1, 2))  # loop bit clear
        with open(self.path("old.morvanta"), "wb") as f:
            f.write(theme_file(2001, block, texts=[None, "Old author"], compress=True))
        info = self.dump(self.path("old.morvanta"))
        self.assertEqual(info["version"], 2001)
        self.assertEqual(info["texts"]["name"], "old")  # the file name stands in
        self.assertTrue(info["cursors"][0]["loop"], "version 2001 cursors always loop")

        self.ok("convert", self.path("old.morvanta"), self.path("new.morvanta"))
        with open(self.path("new.morvanta"), "rb") as f:
            data = f.read()
        self.assertEqual(struct.unpack_from("<I", data, 12)[0], 2003)
        self.assertEqual(struct.unpack_from("<I", data, 120)[0], 0)
        converted = self.dump(self.path("new.morvanta"))
        self.assertEqual(converted["version"], 2003)
        self.assertEqual(converted["texts"]["name"], "old")
        self.assertEqual(converted["texts"]["author"], "Old author")
        cursor = converted["cursors"][0]
        self.assertEqual((cursor["scale"], cursor["loop"], cursor["hotspotX"], cursor["hotspotY"]), (1.0, True, 1, 2))
        self.assertEqual(cursor["pixelsSha256"], stored_sha(pixels))

    def test_cursors_are_listed_in_file_order(self):
        blocks = b""
        for scale, role in ((2.0, 4), (1.0, 7), (1.5, 1)):
            blocks += cursor_record(role, 1, 1, b"\1\2\3\4", 1, 1, 0, scale=scale)
        with open(self.path("o.morvanta"), "wb") as f:
            f.write(theme_file(2003, blocks, texts=["Order"]))
        self.assertEqual([c["role"] for c in self.dump(self.path("o.morvanta"))["cursors"]], [4, 7, 1])


class Preview(ToolTestCase):
    def preview(self, theme, *options):
        out = self.path("preview.png")
        self.ok("preview", theme, out, *options)
        image = Image.open(out)
        self.assertEqual(image.mode, "RGBA")
        return np.asarray(image)

    def opaque_strip(self):
        pixels = strip_pixels(2, 6, 5, 7)
        pixels[..., 3] = 255
        return pixels

    def test_without_effects_the_strip_comes_out_unchanged(self):
        pixels = self.opaque_strip()
        theme = self.pack_arrow(pixels, frames=2)
        np.testing.assert_array_equal(self.preview(theme, "--no-shadow"), pixels)

    def test_mirror_reverses_each_frame(self):
        pixels = self.opaque_strip()
        theme = self.pack_arrow(pixels, frames=2)
        expected = np.concatenate([pixels[:, 5::-1], pixels[:, 11:5:-1]], axis=1)
        np.testing.assert_array_equal(self.preview(theme, "--no-shadow", "--mirror"), expected)

    def test_size_scales_each_frame(self):
        theme = self.pack_arrow(self.opaque_strip(), frames=2)
        self.assertEqual(self.preview(theme, "--no-shadow", "--size", "200").shape, (10, 24, 4))
        self.assertEqual(self.preview(theme, "--no-shadow", "--size", "50").shape, (2, 6, 4))

    def test_full_brightness_turns_opaque_pixels_white(self):
        theme = self.pack_arrow(self.opaque_strip(), frames=2)
        result = self.preview(theme, "--no-shadow", "--brightness", "255")
        self.assertTrue((result[..., :3] == 255).all())

    def test_a_hard_shadow_extends_the_image_down_and_right(self):
        pixels = np.zeros((4, 4, 4), dtype=np.uint8)
        pixels[...] = (200, 100, 50, 255)
        theme = self.pack_arrow(pixels)
        result = self.preview(theme, "--shadow", "3,3,0,255")
        self.assertEqual(result.shape, (7, 7, 4))
        np.testing.assert_array_equal(result[:4, :4], pixels)  # the image stays at the top left
        np.testing.assert_array_equal(result[4:, 3:], np.tile([0, 0, 0, 255], (3, 4, 1)).astype(np.uint8))
        self.assertTrue((result[4:, :3, 3] == 0).all())

    def test_defaults_apply_the_standard_shadow(self):
        pixels = np.zeros((8, 8, 4), dtype=np.uint8)
        pixels[...] = (10, 20, 30, 255)
        theme = self.pack_arrow(pixels)
        result = self.preview(theme)
        self.assertGreater(result.shape[0], 8)
        self.assertGreater(result.shape[1], 8)
        self.assertTrue((result[..., 3] > 0).sum() > 64, "the default shadow adds visible pixels")

    def test_scale_role_and_event_choose_the_cursor_and_straight_multiplies_the_opacity_in(self):
        small, big, held = (np.zeros((h, h, 4), dtype=np.uint8) for h in (4, 8, 6))
        small[...], big[...], held[...] = (10, 0, 0, 255), (20, 0, 0, 200), (30, 0, 0, 255)
        for name, pixels in (("s.png", small), ("b.png", big), ("h.png", held)):
            save_png(self.path(name), pixels)
        with open(self.path("m.txt"), "w") as f:
            f.write("name M\ncursor role=5 event=1 image=s.png\ncursor role=5 event=1 scale=2 image=b.png\n"
                    "cursor role=5 event=2 image=h.png\n")
        self.ok("pack", self.path("m.txt"), self.path("m.morvanta"))
        theme = self.path("m.morvanta")
        # Role 5 at the scale as loaded, at 2 (stored) and at 1.5 (drawn from the larger one).
        self.assertEqual(self.preview(theme, "--role", "5", "--no-shadow")[0, 0, 0], 10)
        self.assertEqual(self.preview(theme, "--role", "5", "--scale", "2", "--no-shadow").shape, (8, 8, 4))
        derived = self.preview(theme, "--role", "5", "--scale", "1.5", "--no-shadow")
        self.assertEqual((derived.shape, derived[0, 0, 0]), ((6, 6, 4), 20))
        self.assertEqual(self.preview(theme, "--role", "5", "--event", "2", "--no-shadow")[0, 0, 0], 30)
        # Straight: the opacity is in the alpha; without it the image keeps its own alpha.
        straight = self.preview(theme, "--role", "5", "--scale", "2", "--no-shadow", "--straight", "--opacity", "128")
        self.assertEqual(tuple(straight[0, 0]), (20, 0, 0, 200 * 128 // 255))
        self.assertEqual(self.preview(theme, "--role", "5", "--scale", "2", "--no-shadow", "--opacity", "128")[0, 0, 3], 200)
        # A role the theme lacks, and values out of range.
        self.assertEqual(run("preview", theme, self.path("p.png"), "--role", "7").returncode, 1)
        for bad in (("--role", "20"), ("--scale", "0"), ("--event", "3"), ("--opacity", "256")):
            self.assertEqual(run("preview", theme, self.path("p.png"), *bad).returncode, 2, bad)

    def test_theme_without_an_arrow_fails(self):
        save_png(self.path("h.png"), strip_pixels(1, 2, 2, 1))
        with open(self.path("h.txt"), "w") as f:
            f.write("cursor role=1 image=h.png\n")
        self.ok("pack", self.path("h.txt"), self.path("h.morvanta"))
        result = run("preview", self.path("h.morvanta"), self.path("p.png"))
        self.assertEqual(result.returncode, 1)
        self.assertIn("arrow", result.stderr)


if __name__ == "__main__":
    unittest.main()
